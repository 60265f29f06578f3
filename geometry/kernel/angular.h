// The library's angular vocabulary on raw records: directions of vectors and
// lines, reduction into one turn, arc sweeps and ranges, the polar angles
// where lines, circles and polylines cross a circle, and corner angles.
// All angles in radians; a full turn is GEO_2PI (the literal 6.28318530718).
#pragma once

#include "geo_types.h"

// Into (-pi, pi]; within GeoDif of 0 gives 0, within GeoDif above -pi gives pi.
double NormalizeAngle(double a);

// Direction p1 -> p2 in (-pi, pi]. Axis-aligned within GeoDif (applied to the
// coordinates) gives the exact axis direction. False (out 0) when both
// differences are within GeoDif: no direction.
bool DirectionAngle(const G_POINT& p1, const G_POINT& p2, double& out);

// In (-pi/2, pi/2]; a vertical line gives pi/2.
double LineDirection(const LINE& l);
// side non-zero: the direction in (0, pi]; zero: the opposite one, (-pi, 0].
double SidedLineDirection(const LINE& l, int side);
// Counter-clockwise turn in [0, 2*pi) from l1 (side s1) to l2 (side s2).
double SidedLineAngle(const LINE& l1, int s1, const LINE& l2, int s2);
// Signed turn from l1 to l2 modulo pi, in (-pi/2, pi/2].
double AngleBetweenLines(const LINE& l1, const LINE& l2);
// Direction of the perpendicular from p onto l (not reduced). False when p
// lies on the line.
bool NormalFromPoint(const LINE& l, const G_POINT& p, double& out);

// In (0, 2*pi]; equal angles are a full turn.
double ArcSweep(const ARC& a);
// a within [start, end] counter-clockwise, with GeoDif to spare at both ends.
// Equal bounds make a range of one direction (gaps between equal entries).
bool AngleInRange(double a, double start, double end);
// a lies in the arc's range: as AngleInRange, except that an arc whose start
// and end are equal is a full turn and holds every direction.
bool AngleInArc(double a, const ARC& arc);
// The angle at p2 in [0, pi]; 0 when a side is shorter than GeoSnap.
double VertexAngle(const G_POINT& p1, const G_POINT& p2, const G_POINT& p3);

// Polar angles about the circle's centre where the line meets it: 0, 1
// (tangent) or 2.
int CircleLineAngles(const CIRCLE& c, const LINE& l, double out[2]);
// Polar angles about c1's centre where c2 meets c1: 0, 1 (touching) or 2.
int CircleCircleAngles(const CIRCLE& c1, const CIRCLE& c2, double out[2]);

// Inserts a into the run of `count` angles ordered along an arc, in the
// library's crossing buffer (grown by 2 when full, CrossingCapacity() of
// intersections.h). False and GeoError 2 when growing fails (buffer kept).
// The caller counts the entry.
bool InsertArcAngle(double a, double** array, short count);
// Angles where the sides of a run of `count` vertices cross the circle / the
// arc, inserted from index `base`. Returns how many were added.
short CirclePolylineCrossings(const G_POINT* run, short count, const CIRCLE& c, double** array,
                              short base);
short ArcPolylineCrossings(const G_POINT* run, short count, const ARC& a, double** array,
                           short base);

// Direction of the bisector at vertex i: mode 0 into the polygon, else out of
// it. Not reduced.
double PolygonCornerAngle(const POLY& poly, short i, char mode);
// Inward normal of the side nearest p.
double PolygonSideNormal(const POLY& poly, const G_POINT& p);
