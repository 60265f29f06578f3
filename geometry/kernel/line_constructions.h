// Constructions of LINE records from points, angles, lines and circles.
// Angles are radians. Each primitive writes a caller-supplied record and
// reports only through its result; none of them touches GeoError.
#pragma once

#include "geo_types.h"

// The line through A and B; false when they coincide exactly (the record
// is then the vertical sentinel through A).
bool LineThroughPoints(G_POINT a, G_POINT b, LINE& out);
// The line through p in direction `radians`.
LINE& LineAtAngle(LINE& out, G_POINT p, double radians);
// The parallel of l at signed distance d.
LINE& ParallelLine(LINE& out, LINE l, double d);
// The parallel at |d| on r's side (d > 0) or on the far side from r (d < 0).
LINE& ParallelLineTowards(LINE& out, LINE l, G_POINT r, double d);
LINE& ParallelThroughPoint(LINE& out, LINE l, G_POINT p);
// The line through p at angle `radians` to l.
LINE& LineAtAngleToLine(LINE& out, LINE l, G_POINT p, double radians);

// The two tangents of c in direction `radians`, at offsets -r and +r.
void TangentLinesAtAngle(CIRCLE c, double radians, LINE out[2]);
// The two tangents of c parallel to l, at offsets -r and +r.
void TangentLinesParallel(CIRCLE c, LINE l, LINE out[2]);
// Tangents of c through p: 2 from outside, 1 when p is on c, 0 inside.
int TangentLinesFromPoint(CIRCLE c, G_POINT p, LINE out[2]);

// Bisector of l1 and l2: of the acute angle when `other` is 0, else of the
// obtuse one; the mid-parallel of parallel lines.
LINE& BisectorLine(LINE& out, LINE l1, LINE l2, char other);
// Bisector of the angle between l1 and l2 that contains p.
LINE& BisectorLineAtPoint(LINE& out, LINE l1, LINE l2, G_POINT p);
// Bisector of the angle whose arms run towards the feet of p1 on l1 and of
// p2 on l2: its point x and direction `radians`.
bool AngleBisector(LINE l1, G_POINT p1, LINE l2, G_POINT p2, G_POINT& x, double& radians);

// Turns l in place by `radians` about c.
bool RotateLine(LINE& l, G_POINT c, double radians);
// Mirrors l in place in m.
void MirrorLineAboutLine(LINE& l, LINE m);
// The radical axis of two circles; false for concentric circles.
bool RadicalAxis(CIRCLE c1, CIRCLE c2, LINE& out);
// The common tangent of two circles touching them nearest the angles a1
// (seen from c1) and a2 (from c2); t and k as CommonTangentPoints gives them.
LINE& CommonTangentNearAngles(LINE& out, G_POINT c1, G_POINT c2, const G_POINT t[8],
                              double a1, double a2, short k);
