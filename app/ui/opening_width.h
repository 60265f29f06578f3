// A wall object's width asked for on its sheet: where it fits on its wall,
// and the change of the width alone, which moves the object's two ends and
// nothing else of the room.
#pragma once

class ZupWallObject;

// The stretch of its straight wall that an object may take: from the wall's
// start (or just past the nearest neighbour's end before its centre) to the
// wall's end (or just short of the nearest neighbour's start after it), as
// distances from the wall's start. False for an object off a straight wall.
struct WallStretch {
    double from = 0.0;
    double to = 0.0;
    double Length() const { return to - from; }
};
bool FreeStretchOf(ZupWallObject* object, WallStretch& stretch);

// A width the object can take on its wall: positive and no longer than its
// free stretch.
bool WidthFits(ZupWallObject* object, double width);

// The sheet of an existing object asks for its width alone: Width is fixed,
// and neither side nor Full Wall was changed from what the sheet read.
bool SheetAsksWidthAlone();

// The sheet of a new object fixes its width and neither side.
bool SheetPlacesWidthAlone();

// Gives the sheet's object the sheet's width about its centre, moved along
// its wall only as far as it must to stay in its free stretch; every wall
// keeps its length. Nothing changes when the width cannot fit or the room
// cannot be resolved with it. 1 on success, else 0.
int ApplyWidthAlone();

// The same for a new object: its sides are given when its wall's length is
// bound, else left to the solver.
int ApplyNewWidthAlone();
