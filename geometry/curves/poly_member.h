// A view of one vertex of a polygon body: read, edit, compare and transform
// the vertex in place, or set the corner angle at it.
#pragma once

#include "geobject.h"
#include "point.h"

struct POLY;

// The view takes no reference on the body: it is valid while the body lives,
// and reaches the vertex through the body each time, so a reallocated vertex
// array is followed. Kind 12: vertex i in slot i. Any other non-zero kind:
// an arc-sided run, vertex i in slot 2i and the side's sweep in slot 2i+1.
// Kind 0: an empty view without a body.
class poly_member : public geobject {
public:
    poly_member();
    poly_member(const poly_member& other);
    poly_member(POLY* body, short i, char kind);
    ~poly_member() override;

    POLY* body() const { return body_; }
    short index() const { return index_; }
    char kind() const { return kind_; }
    // The copy of the vertex taken when the view was made or last written.
    point& get_point() { return point_; }
    const point& get_point() const { return point_; }

    // The vertex's coordinates in the body; a view without a body (or with an
    // index outside it) refers to its own copy.
    double& x();
    double& y();

    const point& operator=(const point& p);
    const point& operator=(const line& l);         // to the foot on the line
    bool operator=(const poly_member& other);
    bool operator=(const geolist& list) override;  // construct the point
    bool operator=(const geolist_ref& ref);
    bool operator=(const angle& a);                // set the corner angle

    // Within GeoSnap in both coordinates (strict).
    bool operator==(const poly_member& other) const;
    bool operator==(const point& p) const;
    // Both coordinates beyond GeoSnap (not the negation of ==).
    bool operator!=(const poly_member& other) const;
    bool operator!=(const point& p) const;
    // The vertex copy lies on the object.
    bool operator==(const segment& s) const;
    bool operator==(const circle& c) const;
    bool operator==(const line& l) const;
    using geobject::operator==;

    poly_member* offset(double distance) override;
    segment frame() const override;
    poly_member* scale(double fx, double fy) override;
    poly_member* scale(double f) override;
    poly_member* move(double distance, const angle& direction) override;
    poly_member* move(const angle& direction, double distance) override;
    poly_member* move(const point& origin) override;
    poly_member* move(double dx, double dy) override;
    poly_member* rotate(double radians, const point& centre) override;
    poly_member* rotate(const angle& a, const point& centre) override;
    poly_member* rotate(const point& centre, double radians) override;
    poly_member* rotate(const point& centre, const angle& a) override;
    poly_member* mirror(const point& a, const point& b) override;
    poly_member* mirror(const line& axis) override;
    poly_member* mirror(const point& centre) override;
    bool operator>(const geobject& other) const override;
    bool operator<(const geobject& other) const override;
    geolist_ref operator%(const geobject& other) const override;
    geolist_ref operator<<(const geobject& other) override;
    geolist_ref operator>>(const geobject& other) override;

private:
    POLY* body_;
    short index_;
    point point_;
    char kind_;

    G_POINT* slot() const;      // the vertex in the body, or null
    void writeBack();           // copy -> body
    poly_member* written();     // writeBack, then this
};
