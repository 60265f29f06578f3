// A position in the plane, the value class every other object names its
// reference positions with.
#pragma once

#include <concepts>

#include "geobject.h"

class point : public geobject {
public:
    // A rigid motion: turn about `from` by the stored (cos, sin) pair, then
    // move `from` onto `to`. A plain record, not a geobject.
    struct TRANSFORM {
        G_POINT to;
        G_POINT from;
        double cos;
        double sin;

        TRANSFORM();
        TRANSFORM(const point& to, const point& from, double cos, double sin);
        TRANSFORM(const TRANSFORM& other) = default;
        TRANSFORM& operator=(const TRANSFORM& other);

        // The identity around the current source: `from` keeps its value.
        void Reset();
        // Flips the rotation sense; the translation parts stay.
        void Reverse();
        // False when the transform is the identity within tolerance.
        bool NeedAction() const;
        void Transform(G_POINT* p) const;
    };

    point();
    point(double x, double y);
    point(const point& other);
    point(const G_POINT& p);
    point(const circle& c);       // the centre
    point(const arc& a);          // the centre
    point(const ray& r);          // the origin
    point(const poly_member& m);  // the member's vertex; (0, 0) without a body
    point(const polygon& p);      // a point inside; (0, 0) when none is found
    point(const point& a, const point& b);  // the midpoint
    // The point at distance d from p along the line (increasing x for d > 0).
    point(const line& l, const point& p, double d);
    point(const geolist_ref& ref);  // the first item when it is a stored point
    point(const geoitem& item);     // code 4 or -4; else GeoError 3 and (0, 0)
    point(const geolist& list);     // (0, 0), then the construction from the list
    ~point() override;

    double& x() { return p_.x; }
    double& y() { return p_.y; }
    double x() const { return p_.x; }
    double y() const { return p_.y; }
    G_POINT& rec() { return p_; }
    const G_POINT& rec() const { return p_; }
    operator G_POINT&() { return p_; }
    operator const G_POINT&() const { return p_; }

    double dist() const;
    double operator*(const point& other) const;  // dot product
    point operator*(double k) const;
    point& operator*=(double k);

    // Both coordinates strictly smaller, no tolerance.
    bool operator<(const point& other) const;
    // Within GeoSnap in both coordinates (strict); != needs one coordinate
    // strictly beyond GeoSnap, so at exactly GeoSnap both are false.
    bool operator==(const point& other) const;
    bool operator!=(const point& other) const;

    // The point lies on the object. Not the base's equality slot: through a
    // geobject reference a point equals only a point. One overload per class
    // so that these win over the reversed forms of the other classes' ==.
    bool operator==(const line& l) const;
    bool operator==(const circle& c) const;
    bool operator==(const segment& s) const;
    bool operator==(const arc& a) const;
    bool operator==(const ray& r) const;
    bool operator==(const polygon& p) const;
    bool operator==(const poly_member& m) const;
    bool operator==(const geoitem& i) const;
    template <std::derived_from<geobject> T>
    bool operator==(const T& other) const { return IsOn(other); }
    template <typename T>
        requires std::derived_from<T, geobject> && (!std::same_as<T, point>)
    bool operator!=(const T& other) const { return !(*this == other); }
    bool IsOn(const geobject& other) const;

    point& operator=(const point& other);
    point& operator=(const G_POINT& p);
    point& operator=(const circle& c);       // the centre
    point& operator=(const poly_member& m);  // the vertex; unchanged without a body
    point& operator=(const polygon& p);      // as point(polygon)
    point& operator=(const line& l);         // projection on the line
    point& operator=(const segment& s);      // closest point of the segment
    // 4/-4: its point; 10/-10: the closest point of that segment; else unchanged.
    point& operator=(const geoitem& item);
    // By type code: point, line, circle, segment; else GeoError 3, false.
    bool operator=(const geobject& object);
    // The nearest stored point of a result list (see point.cpp for ties).
    bool operator=(const geolist_ref& ref);
    // slot 1: the construction from an argument list (point_construction.cpp).
    bool operator=(const geolist& list) override;

    double position(const segment& s) const;  // 0 at the start, 1 at the end
    double position(const arc& a) const;      // fraction of the sweep
    double position(const geobject& object) const;

    polygon operator+(const point& other) const;  // two vertices
    polygon operator+(const segment& s) const;    // this, start, end

    // Integer drawing coordinates; the two round halfway cases differently.
    int ix() const;
    int iy() const;

    void Transform(const TRANSFORM& t);
    // Maps a transformed point back: the exact inverse of Transform.
    void ReTransform(const TRANSFORM& t);

    geobject* rotate(const angle& a);  // about the origin
    geobject* rotate(double radians);  // about the origin

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
    G_POINT p_;
};
