// The window drawings that windows, fixtures with an attached window and
// corner windows share: a straight frame with pane dividers, and a bay.
#pragma once

#include <utility>
#include <vector>

#include "angle.h"
#include "point.h"
#include "scaled_dc.h"

// The straight window between P and Q, h either side of the wall line
// towards a and away from it: the closed frame and n - 1 dividers.
struct StraightWindowFigure {
    std::vector<POINT> frame;
    std::vector<std::pair<POINT, POINT>> dividers;
};
StraightWindowFigure ComputeStraightWindow(const angle& a, const point& p, const point& q, int panes,
                                           int halfThickness);
// The frame in the current pen, the dividers in a one-pixel dark grey pen.
void DrawStraightWindow(CScaledDC& dc, const angle& a, const point& p, const point& q, int panes,
                        int halfThickness);
// The bay outline (whole units) from the model; the count of its points.
int CollectBayPoints(std::vector<POINT>& list, point p, point q, point m, angle in, int panes);
void DrawBayWindow(CScaledDC& dc, const point& p, const point& q, const point& m, const angle& in,
                   int panes);
// The filled hearth in front of a firebox: P0, fd into the room, w along the
// wall back, and onto the wall line again.
std::vector<POINT> HearthCorners(const point& p0, double width, double fireboxDepth, const angle& in,
                                 const angle& wallDir);
// The colour of the pane dividers.
constexpr COLORREF kPaneDividerColour = 0x4B4B4B;
