// Point operations, on-line and side tests, projections and closest points,
// tangent touching points, and the inside tests of a point against outlines
// (0 inside, 1 outside, 2 on the outline) over the crossing array.
#pragma once

#include "geo_types.h"

// ---------------------------------------------------------------------------
// Elementary point operations. Each writes its result to the first argument
// and returns it.

G_POINT& TranslatePoint(G_POINT& out, const G_POINT& P, double dx, double dy);
// p1 + t (p2 - p1), a coordinate in which p1 and p2 agree within GeoSnap copied from p1.
G_POINT& PointAtParameter(G_POINT& out, const G_POINT& p1, const G_POINT& p2, double t);
G_POINT& Midpoint(G_POINT& out, const G_POINT& p1, const G_POINT& p2);
// `base` moved by d along the left normal of p1 -> p2 (base itself when p1 = p2).
G_POINT& PerpendicularOffsetPoint(G_POINT& out, const G_POINT& p1, const G_POINT& p2,
                                  const G_POINT& base, double d);
// P moved by d along L, positive d towards increasing x (increasing y when vertical).
G_POINT& PointAlongLine(G_POINT& out, const LINE& L, const G_POINT& P, double d);
// In place, counter-clockwise by `angle` radians about `centre`.
G_POINT& RotatePoint(G_POINT& P, const G_POINT& centre, double angle);
G_POINT& MirrorPointAboutPoint(G_POINT& P, const G_POINT& centre);
G_POINT& MirrorPointAboutLine(G_POINT& P, const LINE& L);
G_POINT& TriangleCentroid(G_POINT& out, const G_POINT& p1, const G_POINT& p2, const G_POINT& p3);
G_POINT& CircumCentre(G_POINT& out, const G_POINT& p1, const G_POINT& p2, const G_POINT& p3);
// The point of the radical axis on the centre line (c1's centre when concentric).
G_POINT& RadicalAxisPoint(G_POINT& out, const CIRCLE& c1, const CIRCLE& c2);

// ---------------------------------------------------------------------------
// Tangents.

// Touching points of the tangents from P: 2, 1 (P on the circle, out[0] = P) or 0.
int TangentPointsFromPoint(const CIRCLE& C, const G_POINT& P, G_POINT out[2]);
// Touching points of the common tangents, in pairs (point on c1 first):
// 0, 1 (inner touching), 4 (crossing), 5 (outer touching, out[0] the touching
// point) or 8 (apart: outer tangents, then inner ones).
int CommonTangentPoints(const CIRCLE& c1, const CIRCLE& c2, G_POINT out[8]);

// ---------------------------------------------------------------------------
// Tests on lines and segments.

// Within GeoSnap, measured vertically (horizontally for a vertical line).
bool PointOnLine(const G_POINT& P, const LINE& L);
// GeoTouchMode decides whether the end points belong to the segment.
bool PointOnSegment(const G_POINT& P, const G_POINT& A, const G_POINT& B);
// Strictly left / right of the directed line A -> B.
bool PointLeftOfLine(const G_POINT& P, const G_POINT& A, const G_POINT& B);
bool PointRightOfLine(const G_POINT& P, const G_POINT& A, const G_POINT& B);

// ---------------------------------------------------------------------------
// Projections and closest points. A point run is `count` vertices at `run`.

G_POINT& ProjectPointOnLine(G_POINT& out, const LINE& L, const G_POINT& P);
// At the centre every circle point is equally near: (cx + r, cy) then.
G_POINT& ClosestPointOnCircle(G_POINT& out, const CIRCLE& C, const G_POINT& P);
G_POINT& ClosestPointOnSegment(G_POINT& out, const G_POINT& P, const G_POINT& A, const G_POINT& B);
// Closest point on the sides first .. last of a run. False (out untouched)
// when the range holds no side.
bool ClosestPointOnSides(G_POINT& out, const G_POINT* run, short count, const G_POINT& P,
                         short first, short last);
// Closest point on all sides of a run, the closing side included. False (out
// untouched) when no side lies within 100000.
bool ClosestPointOnOutline(G_POINT& out, const G_POINT* run, short count, const G_POINT& P);
// Index of the side nearest P (side i runs from vertex i to i+1); -1 for a run
// of fewer than 2 vertices.
short NearestSideIndex(const G_POINT* run, short count, const G_POINT& P);
// The point Q on l1 from which the chord parallel to m, ending on l2, has
// length d, on m's side of the crossing of l1 and l2; (0, 0) when l1 and l2
// are parallel.
G_POINT& ParallelChordPoint(G_POINT& out, const LINE& m, const LINE& l1, const LINE& l2, double d);

// ---------------------------------------------------------------------------
// Inside tests over the crossing array (Crossing* state of intersections.h).

// Span tests against the crossings (c0, c1), (c2, c3), ... in the array's
// order; a point within GeoSnap of a crossing is neither outside nor inside.
bool OutsideCrossingSpans(const G_POINT& P, const G_POINT* crossings, short count, double keySlope);
bool InsideCrossingSpans(const G_POINT& P, const G_POINT* crossings, short count, double keySlope);

// 0 inside, 1 outside, 2 on the outline. Uses the caller's crossing buffer from
// index `first` on; the caller frees it (FreeCrossings).
int PointInPolygon(const G_POINT& P, const POLY& poly, G_POINT** buffer, short first);
int PointInRun(const G_POINT& P, const G_POINT* v, short count, G_POINT** buffer, short first);
// Bounding box corners; 0 (nothing written) for an empty polygon, else 1.
int PolygonExtent(G_POINT& min, G_POINT& max, const POLY& poly);
// A point well inside the polygon; 0 for an empty polygon, else 1.
int PolygonInnerPoint(const POLY& poly, G_POINT& out);

// An arc-sided run of `count` vertices: vertex i in slot 2i, the sweep of the
// side from vertex i to vertex i+1 in the x of slot 2i+1 (a sweep within
// GeoDif of 0 is a straight side).
short RunLineCrossings(const G_POINT* slots, short count, const LINE& L, G_POINT** buffer,
                       short first);
// 0 inside, 1 outside, 2 on the outline of an arc-sided run; an open run is
// tested as if closed. The caller frees the buffer.
int PointAgainstRun(const G_POINT& P, const G_POINT* slots, short count, G_POINT** buffer,
                    short first);
