// Places the texts of labels drawn close together so that each reads on its
// own: a text stands clear of its own line, of every other label's line and
// of every text placed before it, moved along its line or outwards when its
// first place is taken. Device pixels throughout.
#pragma once

#include <vector>

#include "c_rect.h"

struct CLabelSlot {
    // The line the text belongs to (a dimension line; for a room label, a
    // point: both ends the same).
    double x1 = 0.0, y1 = 0.0, x2 = 0.0, y2 = 0.0;
    // The unit direction the text stands off its line to (a point's text
    // stands on the point and moves this way when the place is taken).
    double outX = 0.0, outY = 0.0;
    int width = 0;
    int height = 0;
    // The farthest the text may move along its line, each way, beyond its
    // line's half length.
    int reach = 0;
};

// One box per slot, in the slots' order; slots placed in that order, so an
// earlier slot keeps the better place. Boxes stay inside `bounds` where any
// free place does.
std::vector<CRect> ArrangeLabels(const std::vector<CLabelSlot>& slots, const CRect& bounds);

// Whether the segment crosses the rectangle (its edges included).
bool SegmentCrossesRect(double x1, double y1, double x2, double y2, const CRect& box);
