// Polygons and polylines over a shared, reference-counted vertex body.
#pragma once

#include "geobject.h"
#include "point.h"
#include "poly_member.h"

// The shared polygon body. Copies of a polygon share one body; the vertex
// array is allocated with malloc/realloc.
struct POLY {
    short count;        // vertices in use
    short capacity;     // vertex slots allocated
    G_POINT* vertices;
    int references;
    // Set when the vertex array belongs to a caller (polygon(POLY&)): such a
    // body counts one extra reference, never frees the array and copies it
    // before any growth.
    bool borrowed = false;
};

// An ordered run of vertices; closed when the last vertex repeats the first
// within GeoSnap. Editing in place (append, insert, remove, close, join,
// transforms, offset, reversal, list/segment/run assignment) changes the shared
// body; load, clear, reserve and copy assignment give this polygon its own body.
class polygon : public geobject {
public:
    polygon();
    explicit polygon(short n);              // empty, room for n+1 vertices
    polygon(const polygon& other);          // shares the body
    explicit polygon(POLY& borrowed);       // borrows the caller's vertex array
    explicit polygon(const segment& s);     // start, end
    explicit polygon(double d);             // closed square of half-side d
    polygon(const line& l, double d);       // band of half-width d about l
    explicit polygon(const circle& c);      // CircleToPolygon mode 0
    explicit polygon(const arc& a);         // ArcToPolygon mode 0
    polygon(const circle& c, double d);     // ring of width 2d about the circle
    polygon(const point& p1, const point& p2);  // axis-aligned rectangle
    explicit polygon(const geolist& list);
    explicit polygon(const geoitem& item);
    ~polygon() override;

    // Assignment (each returns whether it succeeded; GeoError tells why not).
    bool operator=(const geolist& list) override;
    bool operator=(const geolist_ref& ref);
    bool operator=(const polygon& other);
    bool operator=(const segment& s);
    bool operator=(const geoitem& item);

    // Appending a vertex or joining a piece end to end, in place.
    polygon& operator+(const point& p);
    polygon& operator+(const G_POINT& p);
    polygon& operator+(const poly_member& v);
    polygon& operator+(const polygon& other);
    polygon& operator+(const segment& s);
    polygon& operator+(const geoitem& item);

    bool reserve(short n);
    bool load(const double* xy, short n);
    bool load(short n, const double* xy) { return load(xy, n); }
    bool insert(short i, const point& p);
    bool insert(const point& p, short i) { return insert(i, p); }
    bool remove(short i);
    void clear();

    short& count() { return body_->count; }
    short count() const { return body_->count; }
    G_POINT* get_vertex(short i) const { return body_->vertices + i; }
    POLY* body() const { return body_; }

    poly_member operator[](short i) const;
    segment getSide(short i) const;
    short close();
    bool closed() const;
    short index(const point& p) const;
    point center() const;
    point GetInsidePoint(const point& p) const;
    bool AdjustCenter(point& p) const;

    // Orientation, area, perimeter (tessellation.cpp).
    bool clockwise() const;
    polygon& operator-();                   // reverses the vertex order in place
    double area() const;
    double perimeter() const;
    float length() const override;
    polygon* offset(double d) override;
    // One distance per side: perSide[i] for the side from vertex i (an open
    // run walks its closing side too, so it needs one entry per vertex).
    polygon* offset(const float* perSide);

    // Applies the rigid transform to every vertex in place.
    polygon& transform(const point::TRANSFORM& t);

    // Equal: same vertices from the same start, either direction.
    bool operator==(const polygon& other) const;
    bool operator!=(const polygon& other) const { return !(*this == other); }
    using geobject::operator==;

    segment frame() const override;

    polygon* scale(double fx, double fy) override;
    polygon* scale(double f) override;
    polygon* move(double distance, const angle& direction) override;
    polygon* move(const angle& direction, double distance) override;
    polygon* move(const point& origin) override;
    polygon* move(double dx, double dy) override;
    polygon* rotate(double radians, const point& centre) override;
    polygon* rotate(const angle& a, const point& centre) override;
    polygon* rotate(const point& centre, double radians) override;
    polygon* rotate(const point& centre, const angle& a) override;
    polygon* mirror(const point& a, const point& b) override;
    polygon* mirror(const line& axis) override;
    polygon* mirror(const point& centre) override;

    bool operator>(const geobject& other) const override;
    bool operator<(const geobject& other) const override;
    geolist_ref operator%(const geobject& other) const override;
    // Clipping (clipping.cpp).
    geolist_ref operator<<(const geobject& other) override;
    geolist_ref operator>>(const geobject& other) override;

    // Booleans with a polygon or a list (polygon_boolean.cpp): result lists of
    // stored vertex runs. The union keeps disjoint outlines side by side; a
    // hole cannot be represented and is left out of && and -. A stitched
    // outline runs the way this polygon does (its first piece sets the
    // direction); pieces returned unstitched keep their own direction.
    geolist_ref operator&&(const geobject& other);
    geolist_ref operator||(const geobject& other);
    geolist_ref operator-(const geobject& other);
    // Replaces this outline by its union with (mode non-zero) or difference
    // from (mode 0) the other when that gives exactly one closed outline.
    bool modify(const polygon* other, char mode);

private:
    POLY* body_;

    void release();
    bool takeOwnBody(int capacity);
    bool growTo(int capacity);
};

// Points within GeoSnap of each other in x and in y: strictly (PointsNear) or
// up to GeoSnap itself (PointsMeet).
bool PointsNear(const G_POINT& a, const G_POINT& b);
bool PointsMeet(const G_POINT& a, const G_POINT& b);

// Appends p, growing the buffer by 5 slots when full. On failure the body is
// emptied (count and capacity 0), GeoError 2, false.
bool AddPolygonVertex(POLY& body, const G_POINT& p);

// Which ends of piece a and piece b meet: bits 1/2 a's first/last end,
// 4/8 b's first/last end (6, 10, 5 or 9); 0 when none meets and GeoConnectMode
// is clear, else the nearest pair.
char PieceJoinMode(const G_POINT& aFirst, const G_POINT& aLast,
                   const G_POINT& bFirst, const G_POINT& bLast);

// Joins src to dst in place by a PieceJoinMode code; returns the number of
// vertices added (srcCount-1). dst must have room for both counts.
short AppendPiece(G_POINT* dst, short dstCount, const G_POINT* src, short srcCount, char mode);

void RotatePolygon(POLY& body, const G_POINT& centre, double radians);
void MirrorPolygon(POLY& body, const LINE& axis);

// Grows the vertex buffer to at least `capacity` slots (at most 32767),
// keeping the vertices; a borrowed array is copied first. On failure:
// GeoError 2 and the body is left empty (count and capacity 0), false.
bool GrowPolygonBuffer(POLY& body, int capacity);
