// Distances between objects, and the distance primitives on raw records.
#pragma once

#include "geo_types.h"

// Distance of two objects; 0 and GeoError 3 for a pair without a rule.
double GeoDistance(const geobject& a, const geobject& b);
double GeoDistance(const geobject* a, const geobject* b);

double PointDistance(G_POINT a, G_POINT b);
// Positive above the line, or right of a vertical one.
double SignedLineDistance(LINE l, G_POINT p);
double LineDistance(LINE l, G_POINT p);
// Positive when the centre lies left of the direction p1 -> p2.
double DirectedLineDistance(G_POINT p1, G_POINT p2, CIRCLE c);
// Gap of two parallel lines; 0 when they are not parallel.
double ParallelLinesDistance(LINE l1, LINE l2);
double LineValueAt(LINE l, double x);
double SegmentDistance(G_POINT p, G_POINT a, G_POINT b);
// Parameter of p's projection on a-b: 0 at a, 1 at b.
double SegmentParameter(G_POINT p, G_POINT a, G_POINT b);
// The smaller distance of p1, p2 from the line; a tie takes p2.
double NearerPointToLine(G_POINT p1, G_POINT p2, LINE l, G_POINT* nearer = nullptr);
// Radius of a circle centred on the line of centres touching both circles in
// the contact mode (c1: 0 external, 4 enveloping, 8 internal; plus c2: 0, 1, 2);
// -1.0 when impossible.
double TangentCircleRadius(CIRCLE c1, CIRCLE c2, signed char mode);
double ArcDistance(G_POINT p, ARC a);
// ArcDistance of the point of segment a-b nearest the arc's centre.
double ArcSegmentDistance(G_POINT a, G_POINT b, ARC arc);
