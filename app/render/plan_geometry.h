// What the plan drawing draws, worked out in whole model units before any
// pen is chosen: the straight runs of a wall between the holes its objects
// cut, and the outline, guide lines and markers of the room being edited.
#pragma once

#include <vector>

#include "c_rect.h"

class ZupEdge;
class ZupFloor;
class ZupNodeObject;

struct CWallRun {
    POINT from;
    POINT to;
};

// Runs from the wall's start node to the first hole, between holes and from
// the last hole to the end node; none of zero length. A curved wall has no
// straight runs (its room fill shows its shape).
std::vector<CWallRun> CollectWallRuns(ZupEdge& edge);

struct CEditOutline {
    // The start node of the first wall, then each wall's end node.
    std::vector<POINT> outline;
    // Pairs (hole start, hole end) of the objects that open the walls.
    std::vector<POINT> guides;
    // Where a marker circle goes: each object's position.
    std::vector<POINT> markers;
    // The corner objects at the walls' start nodes, in wall order.
    std::vector<ZupNodeObject*> corners;
};

CEditOutline CollectEditOutline(ZupFloor& room);

// The marker box: about six pixels across, mapped to model units (at least
// one unit wide) and centred on the origin.
RECT CenteredMarkerBox(RECT modelBox);
