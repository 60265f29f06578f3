// The infinite straight line y = k x + b, with the vertical sentinel slope.
#pragma once

#include "geobject.h"

// A line holds one LINE record. A vertical line has slope GEO_VERTICAL
// (exactly 100001.0) and its x in laxe; the default line is y = x.
class line : public geobject {
public:
    line();
    line(const line& other);
    line(const LINE& record);
    line(double slope, double intercept);
    line(const point& a, const point& b);
    line(const segment& s);
    line(const poly_member& a, const poly_member& b);
    line(const point& p);                       // through the origin and p
    line(const angle& direction);               // through the origin
    line(const ray& r);
    line(const arc& a);                         // the arc's axis
    line(const geoitem& item);
    line(const line& l, double distance);       // parallel at signed distance
    line(const point& p, const line& l);        // parallel of l through p
    line(const line& l, const point& p);        // perpendicular to l through p
    line(const geolist& list);
    ~line() override;

    // Assignments.
    line& operator=(const line& other);
    line& operator=(const point& p);            // keep the slope, pass through p
    bool operator=(const segment& s);
    bool operator=(const geoitem& item);
    bool operator=(const geobject* object);
    bool operator=(const geolist& list) override;   // slot 1

    // The raw record and its fields.
    LINE& record() { return rec_; }
    const LINE& record() const { return rec_; }
    operator LINE() const { return rec_; }
    double& ltan() { return rec_.ltan; }
    double ltan() const { return rec_.ltan; }
    double& laxe() { return rec_.laxe; }
    double laxe() const { return rec_.laxe; }
    // Tangent of the angle from this line to m, from the raw slopes.
    double ltan(const line& m) const;

    // Comparisons and tests.
    using geobject::operator==;
    bool operator==(const line& other) const;
    bool operator!=(const line& other) const;
    bool operator==(const point& p) const;      // p lies on the line
    bool IsParallel(const geobject& other) const;
    bool IsVertical() const;
    bool IsHorizontal() const;
    double signedDist(const point& p) const;
    double x(double y) const;
    double y(double x) const;
    void SetVertical(double x);
    void SetHorizontal(double y);

    // Slots 2-22.
    geobject* offset(double distance) override;
    segment frame() const override;
    geobject* scale(double fx, double fy) override;
    geobject* scale(double f) override;
    geobject* move(double distance, const angle& direction) override;
    geobject* move(const angle& direction, double distance) override;
    geobject* move(const point& origin) override;
    geobject* move(double dx, double dy) override;
    geobject* rotate(double radians, const point& centre) override;
    geobject* rotate(const angle& a, const point& centre) override;
    geobject* rotate(const point& centre, double radians) override;
    geobject* rotate(const point& centre, const angle& a) override;
    geobject* mirror(const point& a, const point& b) override;
    geobject* mirror(const line& axis) override;
    geobject* mirror(const point& centre) override;
    bool operator>(const geobject& other) const override;
    bool operator<(const geobject& other) const override;
    geolist_ref operator%(const geobject& other) const override;
    geolist_ref operator<<(const geobject& other) override;
    geolist_ref operator>>(const geobject& other) override;

private:
    void rotateAbout(const point& centre, double radians);

    LINE rec_;
};

// Appends the crossings of the line with `object` to the growable crossing
// array `*array` (ordered along the line, from `index` on) and returns how
// many it appended.
short LineObjectCrossings(LINE l, const geobject& object, G_POINT** array, short index);
