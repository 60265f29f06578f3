// Where two figures meet: crossings of lines, segments, rays, circles and arcs
// on the raw records, and the workers that cut a polygon outline and collect
// every crossing, in order along the cutting figure, in one growable array.
#pragma once

#include "geo_types.h"

// ---------------------------------------------------------------------------
// The crossing array.
//
// A cutting operation runs as: set the buffer pointer to null and
// CrossingCapacity() to 0 (CrossingScope does both), call one or more
// workers, each adding crossings after the entries already present and
// returning how many it added, read the entries, then FreeCrossings().
// The buffer is grown with realloc semantics; release it with FreeCrossings.
// Only one crossing array is under construction at a time.

short& CrossingCapacity();       // capacity, in points, of the buffer being filled
short& CrossingStart();          // insertion looks for its place from this index on
char& CrossingDescending();      // 0: increasing x (y on a vertical line); else decreasing
G_POINT*& CrossingPrevVertex();  // vertex before the polygon side being cut, or null
G_POINT*& CrossingNextVertex();  // vertex after that side, or null

// Puts the whole crossing state back to its initial values (all 0 / null).
void ResetCrossingState();

// Frees the buffer, nulls the pointer and sets CrossingCapacity() to 0.
void FreeCrossings(G_POINT** buffer);

// Owns one crossing buffer for a scope: starts it empty (capacity 0) and frees
// it on every way out, giving back the capacity of a buffer being filled
// around it. Pass `buffer()` to the workers.
class CrossingScope {
public:
    CrossingScope();
    ~CrossingScope();
    CrossingScope(const CrossingScope&) = delete;
    CrossingScope& operator=(const CrossingScope&) = delete;

    G_POINT** buffer() { return &points_; }
    G_POINT* points() const { return points_; }
    const G_POINT& operator[](short i) const { return points_[i]; }

private:
    G_POINT* points_ = nullptr;
    short outerCapacity_ = 0;
};

// Sets CrossingStart() and CrossingDescending() for a scope and gives the
// caller's values back on every way out.
class CrossingOrderScope {
public:
    CrossingOrderScope(short start, char descending);
    ~CrossingOrderScope();
    CrossingOrderScope(const CrossingOrderScope&) = delete;
    CrossingOrderScope& operator=(const CrossingOrderScope&) = delete;

private:
    short start_;
    char descending_;
};

// ---------------------------------------------------------------------------
// Line and segment predicates.

// 1 when P lies above L (right of a vertical L), 2 below (left), else `fallback`
// (P within GeoSnap of the line).
char PointSideOfLine(const LINE& L, const G_POINT& P, char fallback = 0);

// Extent test of a point assumed to lie on the line AB; GeoTouchMode decides
// whether the ends are included (with GeoSnap to spare) or excluded.
bool PointInSegmentRange(const G_POINT& P, const G_POINT& A, const G_POINT& B);

// (centre.x + distance cos angle, centre.y + distance sin angle).
G_POINT& PolarPoint(G_POINT& out, const G_POINT& centre, double angle, double distance);

// ---------------------------------------------------------------------------
// Two-figure crossings. Result codes: 0 none, 1 one point (out[0]),
// 2 two points, 3 one touching point. A lone survivor is moved to out[0].

// False (out untouched) when the slopes differ by GeoDif or less.
bool IntersectLines(const LINE& first, const LINE& second, G_POINT& out);
int LineSegmentCrossing(const G_POINT& A, const G_POINT& B, const LINE& L, G_POINT& out);
// Order: upper point first on a vertical line, left first on a horizontal one,
// greater x first otherwise.
int IntersectLineCircle(const CIRCLE& C, const LINE& L, G_POINT out[2]);
// First point: greater x, or greater y when the centres are level.
int IntersectCircles(const CIRCLE& first, const CIRCLE& second, G_POINT out[2]);
int ArcLineCrossings(const ARC& arc, const LINE& L, G_POINT out[2]);
int SegmentCircleCrossings(const G_POINT& A, const G_POINT& B, const CIRCLE& C, G_POINT out[2]);
int RayCircleCrossings(const G_POINT& origin, double angle, const CIRCLE& C, G_POINT out[2]);
int SegmentArcCrossings(const ARC& arc, const G_POINT& A, const G_POINT& B, G_POINT out[2]);
int RayArcCrossings(const G_POINT& origin, double angle, const ARC& arc, G_POINT out[2]);
int ArcCircleCrossings(const ARC& arc, const CIRCLE& C, G_POINT out[2]);
int ArcArcCrossings(const ARC& first, const ARC& second, G_POINT out[2]);
int SegmentSegmentCrossing(const G_POINT& A1, const G_POINT& A2, const G_POINT& B1,
                           const G_POINT& B2, G_POINT& out);

// True when the direction from `origin` to P exists and lies within GeoDif of
// `angle`, across the wrap at 2*pi: P is ahead on the ray.
bool PointAheadOnRay(const G_POINT& origin, double angle, const G_POINT& P);

// ---------------------------------------------------------------------------
// Ordered insertion into the crossing array. The key slope only tells how
// entries compare: GEO_VERTICAL or more orders by y, anything else by x.

// 1 inserted, 0 dropped as a duplicate of the entry at its place (unless
// GeoInsertMode). The caller guarantees room for n + 1 entries.
int InsertCrossing(G_POINT* array, const G_POINT& P, short n, double keySlope);
// Inserts p1 (and p2 when m is 2), growing the buffer by 10 when needed.
// Returns how many were inserted.
short AddCrossings(const G_POINT& p1, const G_POINT& p2, char m, G_POINT** buffer, short n,
                   double keySlope);

// Inserts P at index n growing the buffer by 2 when full: 1 inserted, 0
// dropped, -1 when growing failed (buffer freed, GeoError 2).
int InsertCrossingGrowing(G_POINT** buffer, const G_POINT& P, short n, double keySlope);

// Where the side a-b, whose ends lie on different sides of L, crosses L. A side
// parallel to L within GeoDif is crossed by interpolating its ends' offsets.
// False when no point can be given.
bool SideLineCrossing(const LINE& L, const G_POINT& a, const G_POINT& b, G_POINT& out);

// Polygon outline workers: `first` is the number of entries already in the
// buffer; each returns the number of crossings it added (0 and GeoError 2 on a
// failed growth, the buffer then freed).
short PolygonLineCrossings(const POLY& poly, const LINE& L, G_POINT** buffer, short first);
short SegmentPolygonCrossings(const POLY& poly, const G_POINT& A, const G_POINT& B,
                              G_POINT** buffer, short first);
short RayPolygonCrossings(const G_POINT& origin, double angle, const POLY& poly, G_POINT** buffer,
                          short first);

// The same on a plain run of `count` vertices (a closed outline repeats its
// first vertex at the end); the POLY forms forward here.
short RunPolygonLineCrossings(const G_POINT* v, short count, const LINE& L, G_POINT** buffer,
                              short first);
