// Circles and arcs as vertex runs; signed area, orientation, reversal and the
// offset outline of a polygon body.
#pragma once

#include "geo_types.h"

struct POLY;

// Keyword code of "EXTERNAL"/"OUTSIDE": vertices pushed out so every side
// touches the curve and the polygon encloses it.
inline constexpr char TESSELLATE_EXTERNAL = 10;

// A closed run of int(sqrt(pi*r/GeoSnap)) sides (at least 3), first vertex at
// half a step. Returns the vertex count (the old count when growth fails).
short CircleToPolygon(const CIRCLE& c, char mode, POLY& body);
// An open run from the arc's start to its exact end point at twice the
// circle's density. Returns the vertex count (the old count when growth fails).
short ArcToPolygon(const ARC& a, char mode, POLY& body);
// (x1,y1), (x1,y2), (x2,y2), (x2,y1), (x1,y1).
bool RectangleFromPoints(const G_POINT& p1, const G_POINT& p2, POLY& body);

// Trapezoid sum with the closing side; positive for a clockwise ring (y up).
double PolygonSignedArea(const POLY& body);
bool PolygonClockwise(const POLY& body);
// Sum of the side lengths without a closing side.
double PolygonPerimeter(const POLY& body);
// Reverses in place; a closed ring keeps its start vertex.
void ReversePolygon(POLY& body);

// The outline at distance d (positive outwards) into target, which may be the
// source itself. An open source gives an open target. False on failure.
bool OffsetPolygon(POLY& source, POLY& target, double d);
// The same with one distance per side (d[i] for the side from vertex i; an
// open source walks its closing side too and needs one entry per vertex).
// Parallel neighbours at different distances get a step of two vertices.
bool OffsetPolygonSides(POLY& source, POLY& target, const float* d);
