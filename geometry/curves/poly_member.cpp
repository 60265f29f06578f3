#include "poly_member.h"

#include <cmath>

#include "angle.h"
#include "angular.h"
#include "circle.h"
#include "geolist.h"
#include "inside_tests.h"
#include "intersections.h"
#include "line.h"
#include "polygon.h"
#include "segment.h"
#include "settings.h"

namespace {

// Slots per vertex: an ordinary run keeps vertex i in slot i, an arc-sided
// run in slot 2i with the side's sweep in slot 2i+1.
short Stride(char kind) { return kind == GEO_POLYGON ? 1 : 2; }

bool Apart(const G_POINT& a, const G_POINT& b)
{
    return std::fabs(a.x - b.x) > GeoSnap() && std::fabs(a.y - b.y) > GeoSnap();
}

double Distance(const G_POINT& a, const G_POINT& b) { return std::hypot(a.x - b.x, a.y - b.y); }

}  // namespace

poly_member::poly_member() : geobject(GEO_POLY_MEMBER), body_(nullptr), index_(0), point_(), kind_(0) {}

poly_member::poly_member(const poly_member& other)
    : geobject(GEO_POLY_MEMBER), body_(other.body_), index_(other.index_), point_(other.point_),
      kind_(other.kind_)
{
}

poly_member::poly_member(POLY* body, short i, char kind)
    : geobject(GEO_POLY_MEMBER), body_(body), index_(i), point_(), kind_(body ? kind : 0)
{
    if (const G_POINT* v = slot())
        point_ = *v;
}

poly_member::~poly_member() = default;

G_POINT* poly_member::slot() const
{
    if (!body_ || kind_ == 0 || index_ < 0)
        return nullptr;
    const int s = index_ * Stride(kind_);
    if (s >= body_->count || !body_->vertices)
        return nullptr;
    return body_->vertices + s;
}

void poly_member::writeBack()
{
    if (G_POINT* v = slot())
        *v = point_.rec();
}

poly_member* poly_member::written()
{
    writeBack();
    return this;
}

double& poly_member::x()
{
    G_POINT* v = slot();
    return v ? v->x : point_.x();
}

double& poly_member::y()
{
    G_POINT* v = slot();
    return v ? v->y : point_.y();
}

// ---------------------------------------------------------------------------
// Assignment

const point& poly_member::operator=(const point& p)
{
    if (kind_ != 0) {
        point_ = p;
        writeBack();
    }
    return point_;
}

const point& poly_member::operator=(const line& l)
{
    if (kind_ != 0) {
        G_POINT foot;
        ProjectPointOnLine(foot, l.record(), point_.rec());
        point_ = foot;
        writeBack();
    }
    return point_;
}

bool poly_member::operator=(const poly_member& other)
{
    if (kind_ == 0 || other.kind_ == 0)
        return false;
    point_ = other.point_;
    writeBack();
    return true;
}

bool poly_member::operator=(const geolist& list)
{
    const bool ok = (point_ = list);
    if (ok)
        writeBack();
    return ok;
}

bool poly_member::operator=(const geolist_ref& ref) { return *this = geolist(ref); }

// Sets the angle at this vertex to `a`, keeping its neighbours and the ratio of
// the two sides at the corner. The angle at prev comes from the law of cosines
// (an arcsine would fold it when obtuse); the sign of the turn `a` chooses the
// side of the chord prev-next, as the arcsine of sin(a) did, so every corner
// whose angle at prev is acute lands where it always did.
bool poly_member::operator=(const angle& a)
{
    if (!body_ || kind_ == 0 || body_->count == 0 || !body_->vertices)
        return false;
    const short stride = Stride(kind_);
    const short n = static_cast<short>((body_->count + stride - 1) / stride);
    G_POINT* v = body_->vertices;
    auto vertex = [&](short k) -> G_POINT& { return v[k * stride]; };
    if (index_ < 0 || index_ >= n)
        return false;
    const bool ringClosed = PointsNear(vertex(0), vertex(n - 1));
    const short lastUsable = ringClosed ? n - 2 : n - 1;
    if (lastUsable < 0 || index_ > lastUsable)
        return false;
    const G_POINT cur = vertex(index_);
    const G_POINT prev = index_ == 0 ? vertex(lastUsable) : vertex(index_ - 1);
    const G_POINT next = index_ == lastUsable ? vertex(0) : vertex(index_ + 1);

    const double d1 = Distance(cur, prev), d = Distance(prev, next);
    if (!(d1 > GeoSnap() && d > GeoSnap()))
        return false;
    const double k = Distance(cur, next) / d1;
    const double cosA = std::cos(a.rad());
    const double root = std::sqrt(1 + k * k - 2 * k * cosA);
    if (!(root > 0))
        return false;
    const double L = d / root;
    // Angle at prev by the law of cosines (asin would fold obtuse angles).
    double cosB = (L * L + d * d - k * k * L * L) / (2 * L * d);
    cosB = std::fmax(-1.0, std::fmin(1.0, cosB));
    const double beta = std::acos(cosB);
    const double sign = std::sin(a.rad()) < 0 ? -1.0 : 1.0;
    double chord = 0;
    DirectionAngle(prev, next, chord);
    G_POINT moved;
    PolarPoint(moved, prev, chord + sign * beta, L);
    vertex(index_) = moved;
    if (index_ == 0 && ringClosed)
        vertex(n - 1) = moved;
    point_ = moved;
    return true;
}

// ---------------------------------------------------------------------------
// Comparison

bool poly_member::operator==(const poly_member& other) const
{
    const G_POINT* v = slot();
    return PointsNear(v ? *v : point_.rec(), other.point_.rec());
}

bool poly_member::operator==(const point& p) const
{
    const G_POINT* v = slot();
    return PointsNear(v ? *v : point_.rec(), p.rec());
}

bool poly_member::operator!=(const poly_member& other) const
{
    const G_POINT* v = slot();
    return Apart(v ? *v : point_.rec(), other.point_.rec());
}

bool poly_member::operator!=(const point& p) const
{
    const G_POINT* v = slot();
    return Apart(v ? *v : point_.rec(), p.rec());
}

bool poly_member::operator==(const segment& s) const { return point_.IsOn(s); }
bool poly_member::operator==(const circle& c) const { return point_.IsOn(c); }
bool poly_member::operator==(const line& l) const { return point_.IsOn(l); }

// ---------------------------------------------------------------------------
// Slots

poly_member* poly_member::offset(double) { return this; }

segment poly_member::frame() const { return point_.frame(); }

poly_member* poly_member::scale(double fx, double fy)
{
    point_.scale(fx, fy);
    return written();
}

poly_member* poly_member::scale(double f)
{
    point_.scale(f);
    return written();
}

poly_member* poly_member::move(const angle& direction, double distance)
{
    point_.move(direction, distance);
    return written();
}

poly_member* poly_member::move(double distance, const angle& direction) { return move(direction, distance); }

poly_member* poly_member::move(const point& origin)
{
    point_.move(origin);
    return written();
}

poly_member* poly_member::move(double dx, double dy)
{
    point_.move(dx, dy);
    return written();
}

poly_member* poly_member::rotate(const point& centre, const angle& a)
{
    point_.rotate(centre, a);
    return written();
}

poly_member* poly_member::rotate(const angle& a, const point& centre) { return rotate(centre, a); }

poly_member* poly_member::rotate(const point& centre, double radians)
{
    point_.rotate(centre, radians);
    return written();
}

poly_member* poly_member::rotate(double radians, const point& centre) { return rotate(centre, radians); }

poly_member* poly_member::mirror(const point& a, const point& b)
{
    point_.mirror(a, b);
    return written();
}

poly_member* poly_member::mirror(const line& axis)
{
    point_.mirror(axis);
    return written();
}

poly_member* poly_member::mirror(const point& centre)
{
    point_.mirror(centre);
    return written();
}

bool poly_member::operator>(const geobject& other) const { return point_ > other; }
bool poly_member::operator<(const geobject& other) const { return point_ < other; }
geolist_ref poly_member::operator%(const geobject& other) const { return point_ % other; }
geolist_ref poly_member::operator<<(const geobject& other) { return point_ % other; }
geolist_ref poly_member::operator>>(const geobject& other) { return point_ % other; }
