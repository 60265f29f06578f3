// The geometry of the corner-object symbols: the chamfer's pane line, the
// fillet circle and the arc drawn between two points of a circle.
#pragma once

#include <utility>

#include "angle.h"
#include "point.h"
#include "scaled_dc.h"

// The pane line of a chamfer with a window: from windowDepth past P1 to
// windowDepth before P2 along the cut.
std::pair<point, point> ChamferPaneLine(const point& p1, const point& p2, int windowDepth);
// The circle that touches the first wall's parallel through P1 at P1 and the
// second wall's parallel through P2; false when the walls are parallel.
bool FilletCircle(const point& p1, const angle& wall1, const point& p2, const angle& wall2,
                  point& centre, double& radius);
// The part of the circle inside the box of P1 and P2 on the screen, in the
// current pen; the radius cut down to whole units.
void DrawCornerArc(CScaledDC& dc, const point& p1, const point& p2, const point& centre, double radius);
