// The half-line: an origin and a direction in radians.
#pragma once

#include "geobject.h"

class ray : public geobject {
public:
    ray();
    ray(const ray& other);
    ray(const G_POINT& origin, double radians);
    ray(const point& o, const angle& a);
    // A plain double is in radians here (the list form takes degrees).
    ray(double radians, const point& o);
    ray(const point& o, double radians);
    ray(const arc& a);
    ray(const geoitem& item);
    ray(geolist& list);
    ray(geolist&& list);
    ~ray() override;

    ray& operator=(const point& o);
    ray& operator=(const ray& other);
    bool operator=(const geoitem& item);
    // The list construction; not slot 1 (that one keeps the base's false).
    bool operator=(geolist& list);
    bool operator=(geolist&& list);
    bool operator=(const geolist& list) override;

    point center() const;
    const G_POINT& origin() const { return origin_; }
    double direction() const { return direction_; }

    using geobject::operator==;
    bool operator==(const ray& other) const;
    bool operator!=(const ray& other) const;

    geobject* offset(double d) override;
    segment frame() const override;
    geobject* scale(double kx, double ky) override;
    geobject* scale(double k) override;
    geobject* move(double d, const angle& a) override;
    geobject* move(const angle& a, double d) override;
    geobject* move(const point& p) override;
    geobject* move(double dx, double dy) override;
    geobject* rotate(double radians, const point& c) override;
    geobject* rotate(const angle& a, const point& c) override;
    geobject* rotate(const point& c, double radians) override;
    geobject* rotate(const point& c, const angle& a) override;
    geobject* mirror(const point& a, const point& b) override;
    geobject* mirror(const line& l) override;
    geobject* mirror(const point& c) override;
    bool operator>(const geobject& o) const override;
    bool operator<(const geobject& o) const override;
    geolist_ref operator%(const geobject& o) const override;
    geolist_ref operator<<(const geobject& o) override;
    geolist_ref operator>>(const geobject& o) override;

private:
    G_POINT origin_;
    double direction_;
};

// Appends the crossings of the ray (origin, direction) with `object` to the
// crossing array from `base`, in order along the ray's line; returns how many.
short RayObjectCrossings(G_POINT origin, double direction, const geobject& object, G_POINT** buffer, short base);
