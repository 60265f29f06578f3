// The bounded straight piece between two points; also the library's frame type.
#pragma once

#include "geobject.h"

class segment : public geobject {
public:
    segment();
    segment(const segment& other);
    segment(const point& a, const point& b);
    segment(const G_POINT& a, const G_POINT& b);
    segment(const arc& a);
    segment(const geoitem& item);
    segment(geolist& list);
    segment(geolist&& list);
    ~segment() override;

    segment& operator=(const segment& other);
    bool operator=(const geoitem& item);
    bool operator=(const polygon& pg);
    // The list construction; not slot 1 (that one keeps the base's false).
    bool operator=(geolist& list);
    bool operator=(geolist&& list);
    bool operator=(const geolist& list) override;

    point start() const;
    point end() const;
    const G_POINT& startPoint() const { return start_; }
    const G_POINT& endPoint() const { return end_; }
    point middle() const;
    point center() const;
    point operator()(double t) const;
    bool IsVertical() const { return vertical_ != 0; }
    bool IsHorisontal() const { return horizontal_ != 0; }

    using geobject::operator==;
    bool operator==(const segment& other) const;
    bool operator!=(const segment& other) const;
    bool operator==(const point& p) const;

    // Sets both ends (not a transform slot).
    geobject* move(const point& a, const point& b);
    geobject* move(const G_POINT& a, const G_POINT& b);
    // Union of two frames: minimum corner to maximum corner.
    segment& operator+=(const segment& s);

    bool IsHit(const point& p, float tol) const;
    bool IsHit(const point& p, float tol, double& dist, point& nearest) const;
    // Not slot 23: the virtual one keeps answering the origin.
    G_POINT GetClosestPoint(const G_POINT& p) const;

    geobject* offset(double d) override;
    segment frame() const override;
    float length() const override;
    geobject* scale(double sx, double sy) override;
    geobject* scale(double s) override;
    geobject* move(double d, const angle& a) override;
    geobject* move(const angle& a, double d) override;
    geobject* move(const point& p) override;
    geobject* move(double dx, double dy) override;
    geobject* rotate(double radians, const point& c) override;
    geobject* rotate(const angle& a, const point& c) override;
    geobject* rotate(const point& c, double radians) override;
    geobject* rotate(const point& c, const angle& a) override;
    geobject* mirror(const point& p, const point& q) override;
    geobject* mirror(const line& m) override;
    geobject* mirror(const point& c) override;
    bool operator>(const geobject& o) const override;
    bool operator<(const geobject& o) const override;
    geolist_ref operator%(const geobject& o) const override;
    geolist_ref operator<<(const geobject& o) override;
    geolist_ref operator>>(const geobject& o) override;

private:
    bool updateOrtogonality();
    bool fromTwoItems(const geolist& list);
    bool fromThreeItems(const geolist& list);
    bool fromFourItems(const geolist& list);
    void shiftAlong(double normal, double d);
    void tangentNearPoint(const CIRCLE& C, const CIRCLE& D, const G_POINT& P, bool outer);
    void tangentBySide(const CIRCLE& C, const CIRCLE& D, bool outer, bool left);
    geobject* rotateBy(const G_POINT& c, double radians);
    geobject* mirrorIn(const LINE& m);
    bool containment(const geobject& o, bool wantInside) const;
    geolist_ref pieces(const geobject& o, bool wantInside) const;

    G_POINT start_;
    G_POINT end_;
    int vertical_;
    int horizontal_;
};

// Appends the crossings of the segment A-B with `object` to the crossing array
// from `index`, in order along A-B; returns how many it appended.
short SegmentObjectCrossings(G_POINT A, G_POINT B, const geobject& object, G_POINT** buffer, short index);
