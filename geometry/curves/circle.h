// The full circle as a value: centre and radius (kept as given, even negative).
#pragma once

#include "../kernel/geobject.h"

class circle : public geobject {
public:
    circle();
    explicit circle(double radius);
    circle(double radius, const point& centre);
    circle(const point& centre, double radius);
    circle(const circle& other);
    circle(const CIRCLE& record);
    circle(const arc& a);
    circle(const geoitem& item);
    circle(const poly_member& vertex);
    circle(const geolist& list);
    ~circle() override;

    bool operator=(const circle& other);
    bool operator=(const arc& a);
    bool operator=(const point& centre);
    bool operator=(double radius);
    bool operator=(const geoitem& item);
    bool operator=(geobject* object);
    // slot 1: construction from an argument list (circle_dispatch.cpp).
    bool operator=(const geolist& list) override;

    void set(const point& centre, double radius);
    void set(const point& centre);
    void set(double radius);
    double& rad() { return c_.radius; }
    double rad() const { return c_.radius; }
    point center() const;
    CIRCLE& record() { return c_; }
    const CIRCLE& record() const { return c_; }

    using geobject::operator==;
    bool operator==(const circle& other) const;
    bool operator!=(const circle& other) const;
    bool operator==(const arc& a) const;
    bool operator!=(const arc& a) const;
    // Ordering stub for containers.
    bool operator<(const circle&) const { return true; }

    // Not slot 23: the virtual one keeps answering the origin.
    G_POINT GetClosestPoint(const G_POINT& p) const;

    geobject* offset(double d) override;
    segment frame() const override;
    geobject* scale(double fx, double fy) override;
    geobject* scale(double f) override;
    geobject* move(double d, const angle& a) override;
    geobject* move(const angle& a, double d) override;
    geobject* move(const point& p) override;
    geobject* move(double dx, double dy) override;
    geobject* rotate(double radians, const point& c) override;
    geobject* rotate(const angle& a, const point& c) override;
    geobject* rotate(const point& c, double radians) override;
    geobject* rotate(const point& c, const angle& a) override;
    geobject* mirror(const point& a, const point& b) override;
    geobject* mirror(const line& m) override;
    geobject* mirror(const point& c) override;
    bool operator>(const geobject& o) const override;
    bool operator<(const geobject& o) const override;
    geolist_ref operator%(const geobject& o) const override;
    geolist_ref operator<<(const geobject& o) override;
    geolist_ref operator>>(const geobject& o) override;

private:
    bool outsideTest(const geobject& o, bool wantInside) const;

    CIRCLE c_;
};

// Inserts the directions (from the centre of `c`) of its crossings with
// `other` into the angle array from `start`, in order along the circle.
short CircleCrossings(const CIRCLE& c, const geobject& other, double** angles, short start);

// Fills `result` with the pieces of `c` inside (mode 1) or outside (mode 0)
// of `other`: stored arcs, or the whole circle as one item.
void ClipCircle(geolist& result, const geobject& other, const CIRCLE& c, char mode);
