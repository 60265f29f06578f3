#include "point.h"

#include <cmath>
#include <initializer_list>
#include <new>

#include "angle.h"
#include "angular.h"
#include "arc.h"
#include "circle.h"
#include "distances.h"
#include "geoitem.h"
#include "geolist.h"
#include "inside_tests.h"
#include "intersections.h"
#include "line.h"
#include "line_constructions.h"
#include "poly_member.h"
#include "polygon.h"
#include "ray.h"
#include "result_lists.h"
#include "segment.h"
#include "settings.h"

namespace {

bool IsPointCode(int code) { return code == GEO_POINT || code == GEO_STORED_POINT; }
bool IsSegmentCode(int code) { return code == GEO_SEGMENT || code == GEO_STORED_PIECE; }

// The raw code of item i, the sign telling a stored value from an object.
int RawCode(const geolist_pr* body, int i) { return body->items[i].code; }

bool OnArc(const G_POINT& p, const ARC& a)
{
    double direction;
    if (!DirectionAngle(a.center, p, direction))
        return false;
    if (std::fabs(PointDistance(a.center, p) - a.radius) >= GeoSnap())
        return false;
    return AngleInArc(direction, a) || std::fabs(direction - a.start) < GeoDif() ||
           std::fabs(direction - a.end) < GeoDif();
}

bool OnSides(const G_POINT& p, const POLY* body)
{
    if (body == nullptr || body->vertices == nullptr)
        return false;
    for (short i = 1; i < body->count; ++i)
        if (PointOnSegment(p, body->vertices[i - 1], body->vertices[i]))
            return true;
    return false;
}

// On the ray: at its origin, or in its direction. The difference of the two
// directions is taken across the wrap, so that a ray stored as 3*pi/2 holds the
// points whose direction reads -pi/2.
bool OnRay(const G_POINT& p, const ray& r)
{
    const G_POINT& o = r.origin();
    if (std::fabs(p.x - o.x) < GeoDif() && std::fabs(p.y - o.y) < GeoDif())
        return true;
    double direction;
    if (!DirectionAngle(o, p, direction))
        return true;
    return std::fabs(NormalizeAngle(direction - r.direction())) < GeoSnap();
}

// The inside/outside tests once the other object is known; `inside` picks
// the column.
bool AgainstObject(const point& pt, const geobject& other, bool inside);

bool AgainstItem(const point& pt, const geoitem& item, bool inside)
{
    const list_item* raw = item.item();
    if (raw == nullptr)
        return false;
    if (raw->code > GEO_NUMBER_ITEM)
        return raw->object != nullptr && AgainstObject(pt, *raw->object, inside);
    switch (raw->code) {
    case GEO_STORED_RAY:
        return AgainstObject(pt, ray(item), inside);
    case GEO_STORED_RUN:
        return AgainstObject(pt, polygon(item), inside);
    case GEO_STORED_ARC:
        return AgainstObject(pt, arc(item), inside);
    case GEO_STORED_PIECE:
        return AgainstObject(pt, segment(item), inside);
    default:
        return false;
    }
}

bool AgainstList(const G_POINT& p, const geolist& list, bool inside)
{
    const LINE vertical{GEO_VERTICAL, p.x};
    CrossingScope scope;
    const short n = LineObjectCrossings(vertical, list, scope.buffer(), 0);
    if (inside)
        return n > 0 && InsideCrossingSpans(p, scope.points(), n, GEO_VERTICAL);
    return n == 0 || OutsideCrossingSpans(p, scope.points(), n, GEO_VERTICAL);
}

bool AgainstObject(const point& pt, const geobject& other, bool inside)
{
    const G_POINT& p = pt.rec();
    switch (other.typecode()) {
    case GEO_POINT: {
        const point& q = static_cast<const point&>(other);
        const double mine = p.x * p.x + p.y * p.y;
        const double theirs = q.x() * q.x() + q.y() * q.y();
        return inside ? mine < theirs : mine > theirs;
    }
    case GEO_CIRCLE: {
        const CIRCLE& c = static_cast<const circle&>(other).record();
        const double d = PointDistance(p, c.center);
        return inside ? d < c.radius - GeoSnap() : d > c.radius + GeoSnap();
    }
    case GEO_ARC: {
        const ARC& a = static_cast<const arc&>(other).record();
        const double d = PointDistance(p, a.center);
        double direction;
        const bool hasDirection = DirectionAngle(a.center, p, direction);
        const bool inRange = hasDirection && AngleInArc(direction, a);
        if (inside)
            return d < a.radius - GeoSnap() && (!hasDirection || inRange);
        return d > a.radius + GeoSnap() || !hasDirection || !inRange;
    }
    case GEO_SEGMENT: {
        const segment& s = static_cast<const segment&>(other);
        return inside ? PointLeftOfLine(p, s.startPoint(), s.endPoint())
                      : PointRightOfLine(p, s.startPoint(), s.endPoint());
    }
    case GEO_RAY: {
        const ray& r = static_cast<const ray&>(other);
        G_POINT ahead;
        PolarPoint(ahead, r.origin(), r.direction(), 10.0);
        return inside ? PointLeftOfLine(p, r.origin(), ahead) : PointRightOfLine(p, r.origin(), ahead);
    }
    case GEO_POLYGON: {
        const POLY* body = static_cast<const polygon&>(other).body();
        if (body == nullptr)
            return false;
        CrossingScope scope;
        const int where = PointInPolygon(p, *body, scope.buffer(), 0);
        return where == (inside ? 0 : 1);
    }
    case GEO_LIST:
        return AgainstList(p, static_cast<const geolist&>(other), inside);
    case GEO_ITEM:
        return AgainstItem(pt, static_cast<const geoitem&>(other), inside);
    default:
        return false;
    }
}

}  // namespace

// ---------------------------------------------------------------------------
// Construction

point::point() : geobject(GEO_POINT), p_{0.0, 0.0} {}

point::point(double x, double y) : geobject(GEO_POINT), p_{x, y} {}

point::point(const point& other) : geobject(GEO_POINT), p_(other.p_) {}

point::point(const G_POINT& p) : geobject(GEO_POINT), p_(p) {}

point::point(const circle& c) : geobject(GEO_POINT), p_(c.record().center) {}

point::point(const arc& a) : geobject(GEO_POINT), p_(a.record().center) {}

point::point(const ray& r) : geobject(GEO_POINT), p_(r.origin()) {}

point::point(const poly_member& m) : geobject(GEO_POINT), p_{0.0, 0.0}
{
    if (m.body() != nullptr)
        p_ = m.get_point().rec();
}

point::point(const polygon& p) : geobject(GEO_POINT), p_{0.0, 0.0}
{
    *this = p;
}

point::point(const point& a, const point& b) : geobject(GEO_POINT), p_{0.0, 0.0}
{
    Midpoint(p_, a.p_, b.p_);
}

point::point(const line& l, const point& p, double d) : geobject(GEO_POINT), p_(p.p_)
{
    const double k = l.ltan();
    if (k == GEO_VERTICAL) {
        p_.y += d;
        return;
    }
    const double root = std::sqrt(1.0 + k * k);
    p_.x += d / root;
    p_.y += d * k / root;
}

point::point(const geolist_ref& ref) : geobject(GEO_POINT), p_{0.0, 0.0}
{
    const geolist_pr* body = ref.body();
    if (body == nullptr || body->length < 1 || RawCode(body, 0) != GEO_STORED_POINT)
        return;
    if (const G_POINT* stored = ItemPoint(&body->items[0]))
        p_ = *stored;
}

point::point(const geoitem& item) : geobject(GEO_POINT), p_{0.0, 0.0}
{
    const list_item* raw = item.item();
    const G_POINT* stored = raw != nullptr && IsPointCode(raw->code) ? ItemPoint(raw) : nullptr;
    if (stored == nullptr) {
        GeoError() = GEO_BAD_ARGUMENTS;
        return;
    }
    p_ = *stored;
}

point::point(const geolist& list) : geobject(GEO_POINT), p_{0.0, 0.0}
{
    *this = list;
}

point::~point() = default;

// ---------------------------------------------------------------------------
// Arithmetic and comparisons

double point::dist() const { return std::sqrt(p_.x * p_.x + p_.y * p_.y); }

double point::operator*(const point& other) const { return p_.x * other.p_.x + p_.y * other.p_.y; }

point point::operator*(double k) const { return point(k * p_.x, k * p_.y); }

point& point::operator*=(double k)
{
    p_.x *= k;
    p_.y *= k;
    return *this;
}

bool point::operator<(const point& other) const { return p_.x < other.p_.x && p_.y < other.p_.y; }

bool point::operator==(const point& other) const
{
    return std::fabs(p_.x - other.p_.x) < GeoSnap() && std::fabs(p_.y - other.p_.y) < GeoSnap();
}

bool point::operator!=(const point& other) const
{
    return std::fabs(p_.x - other.p_.x) > GeoSnap() || std::fabs(p_.y - other.p_.y) > GeoSnap();
}

bool point::operator==(const line& l) const { return IsOn(l); }
bool point::operator==(const circle& c) const { return IsOn(c); }
bool point::operator==(const segment& s) const { return IsOn(s); }
bool point::operator==(const arc& a) const { return IsOn(a); }
bool point::operator==(const ray& r) const { return IsOn(r); }
bool point::operator==(const polygon& p) const { return IsOn(p); }
bool point::operator==(const poly_member& m) const { return IsOn(m); }
bool point::operator==(const geoitem& i) const { return IsOn(i); }

bool point::IsOn(const geobject& other) const
{
    switch (other.typecode()) {
    case GEO_POINT:
        return *this == static_cast<const point&>(other);
    case GEO_LINE:
        return PointOnLine(p_, static_cast<const line&>(other).record());
    case GEO_CIRCLE: {
        const CIRCLE& c = static_cast<const circle&>(other).record();
        return std::fabs(PointDistance(p_, c.center) - c.radius) < GeoSnap();
    }
    case GEO_SEGMENT: {
        const segment& s = static_cast<const segment&>(other);
        return PointOnSegment(p_, s.startPoint(), s.endPoint());
    }
    case GEO_ARC:
        return OnArc(p_, static_cast<const arc&>(other).record());
    case GEO_POLYGON:
        return OnSides(p_, static_cast<const polygon&>(other).body());
    case GEO_RAY:
        return OnRay(p_, static_cast<const ray&>(other));
    case GEO_ITEM: {
        const geoitem& item = static_cast<const geoitem&>(other);
        const list_item* raw = item.item();
        if (raw == nullptr)
            return false;
        if (IsPointCode(raw->code)) {
            const G_POINT* q = ItemPoint(raw);
            return q != nullptr && *this == point(*q);
        }
        if (IsSegmentCode(raw->code)) {
            const segment s(item);
            return PointOnSegment(p_, s.startPoint(), s.endPoint());
        }
        return false;
    }
    case GEO_POLY_MEMBER:
        return *this == static_cast<const poly_member&>(other).get_point();
    default:
        return false;
    }
}

// ---------------------------------------------------------------------------
// Assignment

point& point::operator=(const point& other)
{
    p_ = other.p_;
    return *this;
}

point& point::operator=(const G_POINT& p)
{
    p_ = p;
    return *this;
}

point& point::operator=(const circle& c)
{
    p_ = c.record().center;
    return *this;
}

point& point::operator=(const poly_member& m)
{
    if (m.body() != nullptr)
        p_ = m.get_point().rec();
    return *this;
}

point& point::operator=(const polygon& pg)
{
    G_POINT inner{0.0, 0.0};
    if (pg.body() == nullptr || PolygonInnerPoint(*pg.body(), inner) == 0)
        inner = G_POINT{0.0, 0.0};
    p_ = inner;
    return *this;
}

point& point::operator=(const line& l)
{
    G_POINT foot;
    ProjectPointOnLine(foot, l.record(), p_);
    p_ = foot;
    return *this;
}

point& point::operator=(const segment& s)
{
    G_POINT nearest;
    ClosestPointOnSegment(nearest, p_, s.startPoint(), s.endPoint());
    p_ = nearest;
    return *this;
}

point& point::operator=(const geoitem& item)
{
    const list_item* raw = item.item();
    if (raw == nullptr)
        return *this;
    if (IsPointCode(raw->code)) {
        if (const G_POINT* q = ItemPoint(raw))
            p_ = *q;
    } else if (IsSegmentCode(raw->code)) {
        *this = segment(item);
    }
    return *this;
}

bool point::operator=(const geobject& object)
{
    switch (object.typecode()) {
    case GEO_POINT:
        p_ = static_cast<const point&>(object).p_;
        return true;
    case GEO_LINE:
        *this = static_cast<const line&>(object);
        return true;
    case GEO_CIRCLE: {
        G_POINT nearest;
        ClosestPointOnCircle(nearest, static_cast<const circle&>(object).record(), p_);
        p_ = nearest;
        return true;
    }
    case GEO_SEGMENT:
        *this = static_cast<const segment&>(object);
        return true;
    default:
        GeoError() = GEO_BAD_ARGUMENTS;
        return false;
    }
}

// Two points: the first unless the second is strictly nearer or as near;
// more: the first of the nearest.
bool point::operator=(const geolist_ref& ref)
{
    try {
        const geolist copy(ref);
        const geolist_pr* body = copy.body();
        const int n = body != nullptr ? body->length : 0;
        if (n == 0)
            return false;
        if (n == 1) {
            const G_POINT* q = IsPointCode(RawCode(body, 0)) ? ItemPoint(&body->items[0]) : nullptr;
            if (q == nullptr)
                return false;
            p_ = *q;
            return true;
        }
        if (n == 2 && IsPointCode(RawCode(body, 0)) && IsPointCode(RawCode(body, 1))) {
            const G_POINT* first = ItemPoint(&body->items[0]);
            const G_POINT* second = ItemPoint(&body->items[1]);
            if (first == nullptr || second == nullptr)
                return false;
            p_ = PointDistance(p_, *second) > PointDistance(p_, *first) ? *first : *second;
            return true;
        }
        const G_POINT* best = nullptr;
        double bestDistance = 1000000.0;
        for (int i = 0; i < n; ++i) {
            if (!IsPointCode(RawCode(body, i)))
                continue;
            const G_POINT* q = ItemPoint(&body->items[i]);
            if (q == nullptr)
                continue;
            const double d = PointDistance(p_, *q);
            if (d < bestDistance) {
                bestDistance = d;
                best = q;
            }
        }
        if (best == nullptr)
            return false;
        p_ = *best;
        return true;
    } catch (const std::bad_alloc&) {
        GeoError() = GEO_NO_MEMORY;
        return false;
    }
}

// ---------------------------------------------------------------------------
// Position along an object

double point::position(const segment& s) const
{
    return SegmentParameter(p_, s.startPoint(), s.endPoint());
}

// The fraction of the sweep from the start to the direction of the point.
double point::position(const arc& a) const
{
    const ARC& r = a.record();
    const double sweep = ArcSweep(r);
    double direction = 0.0;
    DirectionAngle(r.center, p_, direction);
    if (direction < 0)
        direction += GEO_2PI;
    G_POINT startPoint;
    PolarPoint(startPoint, r.center, r.start, r.radius);
    double start = 0.0;
    DirectionAngle(r.center, startPoint, start);
    double difference = (angle(direction, 'r') - angle(start, 'r')).rad();
    // A negative difference takes a full turn, so that every point of an arc
    // sweeping more than half a turn gets its fraction in 0..1.
    if (difference < 0)
        difference += GEO_2PI;
    return difference / sweep;
}

double point::position(const geobject& object) const
{
    switch (object.typecode()) {
    case GEO_SEGMENT:
        return position(static_cast<const segment&>(object));
    case GEO_ARC:
        return position(static_cast<const arc&>(object));
    default:
        return 0.0;
    }
}

// ---------------------------------------------------------------------------
// Polygons

namespace {

// A polygon of these vertices; an empty one with GeoError 2 when memory runs out.
polygon PolygonOf(std::initializer_list<G_POINT> vertices)
{
    try {
        const short n = static_cast<short>(vertices.size());
        polygon result(n);
        if (result.body() == nullptr || result.body()->capacity < n) {
            GeoError() = GEO_NO_MEMORY;
            return polygon();
        }
        for (const G_POINT& v : vertices)
            result + v;
        return result;
    } catch (const std::bad_alloc&) {
        GeoError() = GEO_NO_MEMORY;
        return polygon();
    }
}

}  // namespace

polygon point::operator+(const point& other) const { return PolygonOf({p_, other.p_}); }

polygon point::operator+(const segment& s) const { return PolygonOf({p_, s.startPoint(), s.endPoint()}); }

// ---------------------------------------------------------------------------
// Drawing coordinates: ix keeps the floor up to GeoDif past halfway, iy
// rounds halfway up.

int point::ix() const
{
    const double f = std::floor(p_.x);
    const double c = std::ceil(p_.x);
    return static_cast<int>(std::fabs(p_.x - f) - std::fabs(p_.x - c) < GeoDif() ? f : c);
}

int point::iy() const
{
    const double f = std::floor(p_.y);
    const double c = std::ceil(p_.y);
    return static_cast<int>(std::fabs(p_.y - f) < std::fabs(p_.y - c) ? f : c);
}

// ---------------------------------------------------------------------------
// Transforms

geobject* point::offset(double) { return this; }

segment point::frame() const { return segment(p_, p_); }

geobject* point::scale(double fx, double fy)
{
    p_.x *= fx;
    p_.y *= fy;
    return this;
}

geobject* point::scale(double f) { return scale(f, f); }

geobject* point::move(double distance, const angle& direction) { return move(direction, distance); }

geobject* point::move(const angle& direction, double distance)
{
    const G_POINT from = p_;
    PolarPoint(p_, from, direction.rad(), distance);
    return this;
}

geobject* point::move(const point& origin)
{
    p_.x -= origin.p_.x;
    p_.y -= origin.p_.y;
    return this;
}

geobject* point::move(double dx, double dy)
{
    p_.x += dx;
    p_.y += dy;
    return this;
}

geobject* point::rotate(const point& centre, const angle& a)
{
    RotatePoint(p_, centre.p_, a.rad());
    return this;
}

geobject* point::rotate(const angle& a, const point& centre) { return rotate(centre, a); }

geobject* point::rotate(const point& centre, double radians)
{
    RotatePoint(p_, centre.p_, NormalizeAngle(radians));
    return this;
}

geobject* point::rotate(double radians, const point& centre) { return rotate(centre, radians); }

geobject* point::rotate(const angle& a) { return rotate(point(), a); }

geobject* point::rotate(double radians) { return rotate(point(), radians); }

geobject* point::mirror(const point& a, const point& b)
{
    LINE axis;
    if (LineThroughPoints(a.p_, b.p_, axis))
        MirrorPointAboutLine(p_, axis);
    return this;
}

geobject* point::mirror(const line& axis)
{
    MirrorPointAboutLine(p_, axis.record());
    return this;
}

geobject* point::mirror(const point& centre)
{
    MirrorPointAboutPoint(p_, centre.p_);
    return this;
}

bool point::operator>(const geobject& other) const { return AgainstObject(*this, other, false); }

bool point::operator<(const geobject& other) const { return AgainstObject(*this, other, true); }

geolist_ref point::operator%(const geobject&) const { return EmptyResult(); }

geolist_ref point::operator<<(const geobject&) { return EmptyResult(); }

geolist_ref point::operator>>(const geobject&) { return EmptyResult(); }
