// A direction or a turn, held in radians. Plain numbers given to the operators
// (construction from one double, comparison, + and - of a double, assignment
// of a double) are DEGREES, and operator double, deg() and abs() answer in
// degrees; rad(), the (v, 'r') constructor, factors and rotate take radians.
#pragma once

#include <concepts>

#include "geobject.h"

class angle : public geobject {
public:
    angle();
    angle(const angle& other);
    angle(double degrees);
    // unit 'r': radians, wrapped; 'q': quadrant index (see angle.cpp); any
    // other unit: degrees. A template so that angle(90, 30) stays degrees and
    // minutes instead of being ambiguous.
    template <std::same_as<char> C>
    angle(double v, C unit) : angle(v, unit, UnitTag{}) {}
    angle(double v, const char* unit);
    angle(double degrees, double minutes);
    angle(double degrees, double minutes, double seconds);
    angle(const point& p);  // atan2 of the vector; GeoError 2 near the origin
    angle(const point& a, const point& b);  // direction a -> b, 0 when they coincide
    angle(const point& a, const point& v, const point& b);  // at v, in [0, pi]
    angle(const line& l);
    angle(const line& l1, const line& l2);
    angle(const line& l1, int s1, const line& l2, int s2);  // in [0, 2*pi)
    angle(const segment& s);
    angle(const segment& s1, const segment& s2);
    angle(const geobject& a, const geobject& b);
    angle(const ray& r);
    angle(const arc& a);  // the sweep
    angle(const poly_member& m);
    angle(const geoitem& item);
    angle(const geolist& list);
    ~angle() override;

    angle& operator=(const angle& other);
    angle& operator=(double degrees);
    angle& operator=(const line& l);
    angle& operator=(const arc& a);
    angle& operator=(const poly_member& m);
    bool operator=(const segment& s);
    bool operator=(const geoitem& item);
    // slot 1; GeoError is NOT cleared first: an earlier error makes it fail.
    bool operator=(const geolist& list) override;

    // With another angle: == and != within GeoDif across the wrap, the
    // orderings plain.
    bool operator==(const angle& b) const;
    bool operator!=(const angle& b) const;
    bool operator<(const angle& b) const;
    bool operator>(const angle& b) const;
    bool operator<=(const angle& b) const;
    bool operator>=(const angle& b) const;
    // With a number of degrees, reduced first.
    bool operator==(double degrees) const;
    bool operator!=(double degrees) const;
    bool operator<(double degrees) const;
    bool operator>(double degrees) const;
    bool operator<=(double degrees) const;
    bool operator>=(double degrees) const;
    // In the arc's range.
    bool operator==(const arc& a) const;
    bool operator!=(const arc& a) const;

    angle operator-(const angle& b) const;  // reduced
    angle operator-=(const angle& b);       // reduced; returns a copy
    angle operator+=(const angle& b);
    angle operator+=(double degrees);
    angle operator-=(double degrees);
    angle operator*=(double k);  // reduced
    angle operator/=(double k);  // not reduced

    double& rad() { return value_; }
    double rad() const { return value_; }
    double deg() const;
    operator double() const;  // degrees
    double sin() const;
    double cos() const;
    double tan() const;
    double atan() const;
    char quadrant() const;
    bool IsOrtho(double tol) const;

    // slots
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
    struct UnitTag {};
    angle(double v, char unit, UnitTag);

    double value_;
};

// Results wrapped: the remainder by the library's 2*pi, sign kept.
angle operator+(const angle& a, const angle& b);
angle operator+(const angle& a, double degrees);
angle operator+(double degrees, const angle& a);
angle operator-(const angle& a, double degrees);
angle operator-(double degrees, const angle& a);
angle operator*(const angle& a, double k);
angle operator*(double k, const angle& a);
angle operator/(const angle& a, double k);

// |value| in degrees.
double abs(const angle& a);
