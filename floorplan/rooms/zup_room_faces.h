// The faces that the walls of the room search bound, walked by angle. At each
// node a walk leaves along the wall that follows, counterclockwise, the wall
// it came in on: rooms come out clockwise (negative area) and the outline of
// each connected group of walls counterclockwise (positive area). The work is
// a sort of the walls around each node and one pass over every wall side, so
// no plan makes the search wander.
#pragma once

#include <unordered_map>
#include <vector>

#include "point.h"

class ZupEdge;
class ZupNode;

struct ZupFace {
    std::vector<ZupNode*> ring;   // the closed walk; its first node is not repeated
    std::vector<ZupEdge*> walls;  // walls[i] joins ring[i] and the node after it
    double area = 0.0;            // signed, from the node points
    int group = 0;                // connected group of walls
};

class ZupRoomFaces {
public:
    // nodes: the nodes that take part, in floor order; walls: the walls whose
    // two end nodes are among them.
    ZupRoomFaces(const std::vector<ZupNode*>& nodes, const std::vector<ZupEdge*>& walls);

    const std::vector<ZupFace>& GetFaces() const { return mFaces; }
    // The outline of the node's group (its largest counterclockwise face),
    // or -1.
    int GetOutline(const ZupNode* node) const;
    // The node's place in floor order (-1 for a node that takes no part).
    int GetOrder(const ZupNode* node) const;
    int GetNumOfGroups() const { return mNumOfGroups; }

    // Even-odd test of a point against a closed walk; a stretch walked out
    // and back counts twice and so changes nothing.
    static bool Holds(const std::vector<ZupNode*>& ring, const point& p);

private:
    std::vector<ZupFace> mFaces;
    std::unordered_map<const ZupNode*, int> mOrder;
    std::vector<int> mGroupOf;  // by order
    int mNumOfGroups = 0;
};
