#include "distances.h"

#include <algorithm>
#include <cmath>

#include "../curves/arc.h"
#include "../curves/circle.h"
#include "../curves/poly_member.h"
#include "inside_tests.h"
#include "intersections.h"
#include "line.h"
#include "line_constructions.h"
#include "point.h"
#include "ray.h"
#include "segment.h"
#include "settings.h"

namespace {

bool IsVerticalSlope(double k) { return k >= GEO_VERTICAL; }

// A vertex view measures as the vertex it carries.
const geobject& Unwrapped(const geobject& o)
{
    if (o.typecode() == GEO_POLY_MEMBER)
        return static_cast<const poly_member&>(o).get_point();
    return o;
}

const G_POINT& PointOf(const geobject& o) { return static_cast<const point&>(o).rec(); }
const LINE& LineOf(const geobject& o) { return static_cast<const line&>(o).record(); }
const CIRCLE& CircleOf(const geobject& o) { return static_cast<const circle&>(o).record(); }
const segment& SegmentOf(const geobject& o) { return static_cast<const segment&>(o); }

double SegmentToSegment(const segment& s, const segment& t)
{
    const double fromFirst = std::min(SegmentDistance(s.startPoint(), t.startPoint(), t.endPoint()),
                                      SegmentDistance(s.endPoint(), t.startPoint(), t.endPoint()));
    const double fromSecond = std::min(SegmentDistance(t.startPoint(), s.startPoint(), s.endPoint()),
                                       SegmentDistance(t.endPoint(), s.startPoint(), s.endPoint()));
    return std::min(fromFirst, fromSecond);
}

double RayToPoint(const ray& r, const G_POINT& p)
{
    LINE carrier;
    LineAtAngle(carrier, r.origin(), r.direction());
    return std::min(PointDistance(r.origin(), p), LineDistance(carrier, p));
}

// `a` has the higher (or equal) type code.
double OrderedDistance(const geobject& a, const geobject& b, bool& supported)
{
    supported = true;
    const short ca = a.typecode();
    const short cb = b.typecode();
    switch (ca) {
    case GEO_POINT:
        if (cb == GEO_POINT) return PointDistance(PointOf(a), PointOf(b));
        break;
    case GEO_LINE:
        if (cb == GEO_POINT) return LineDistance(LineOf(a), PointOf(b));
        if (cb == GEO_LINE) return ParallelLinesDistance(LineOf(a), LineOf(b));
        break;
    case GEO_CIRCLE: {
        const CIRCLE& c = CircleOf(a);
        if (cb == GEO_POINT) return std::fabs(PointDistance(c.center, PointOf(b)) - c.radius);
        if (cb == GEO_LINE) return std::fabs(LineDistance(LineOf(b), c.center) - c.radius);
        if (cb == GEO_CIRCLE) {
            const CIRCLE& d = CircleOf(b);
            return std::fabs(PointDistance(c.center, d.center) - c.radius - d.radius);
        }
        break;
    }
    case GEO_SEGMENT: {
        const segment& s = SegmentOf(a);
        if (cb == GEO_POINT) return SegmentDistance(PointOf(b), s.startPoint(), s.endPoint());
        if (cb == GEO_LINE) return NearerPointToLine(s.startPoint(), s.endPoint(), LineOf(b));
        if (cb == GEO_CIRCLE) {
            const CIRCLE& c = CircleOf(b);
            return std::fabs(SegmentDistance(c.center, s.startPoint(), s.endPoint()) - c.radius);
        }
        if (cb == GEO_SEGMENT) return SegmentToSegment(s, SegmentOf(b));
        break;
    }
    case GEO_ARC: {
        const ARC& r = static_cast<const arc&>(a).record();
        if (cb == GEO_POINT) return ArcDistance(PointOf(b), r);
        if (cb == GEO_SEGMENT) return ArcSegmentDistance(SegmentOf(b).startPoint(), SegmentOf(b).endPoint(), r);
        break;
    }
    case GEO_RAY:
        if (cb == GEO_POINT) return RayToPoint(static_cast<const ray&>(a), PointOf(b));
        break;
    default:
        break;
    }
    supported = false;
    return 0.0;
}

} // namespace

double GeoDistance(const geobject& first, const geobject& second)
{
    const geobject& a = Unwrapped(first);
    const geobject& b = Unwrapped(second);
    bool supported = false;
    const double d = a.typecode() >= b.typecode() ? OrderedDistance(a, b, supported)
                                                  : OrderedDistance(b, a, supported);
    if (!supported) {
        GeoError() = GEO_BAD_ARGUMENTS;
        return 0.0;
    }
    return d;
}

double GeoDistance(const geobject* a, const geobject* b)
{
    if (a == nullptr || b == nullptr) {
        GeoError() = GEO_BAD_ARGUMENTS;
        return 0.0;
    }
    return GeoDistance(*a, *b);
}

float geobject::distance(const geobject* other) const
{
    return static_cast<float>(GeoDistance(this, other));
}

float geobject::distance(const geobject& other) const
{
    return static_cast<float>(GeoDistance(*this, other));
}

double PointDistance(G_POINT a, G_POINT b)
{
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    return std::sqrt(dx * dx + dy * dy);
}

double SignedLineDistance(LINE l, G_POINT p)
{
    if (IsVerticalSlope(l.ltan)) return p.x - l.laxe;
    if (std::fabs(l.ltan) < GeoDif()) return p.y - l.laxe;
    return (p.y - l.ltan * p.x - l.laxe) / std::sqrt(l.ltan * l.ltan + 1.0);
}

double LineDistance(LINE l, G_POINT p) { return std::fabs(SignedLineDistance(l, p)); }

double DirectedLineDistance(G_POINT p1, G_POINT p2, CIRCLE c)
{
    const double length = PointDistance(p1, p2);
    if (length == 0.0) return PointDistance(p1, c.center);  // no direction: plain distance
    return ((p2.x - p1.x) / length) * (c.center.y - p1.y) - ((p2.y - p1.y) / length) * (c.center.x - p1.x);
}

double ParallelLinesDistance(LINE l1, LINE l2)
{
    if (std::fabs(l1.ltan - l2.ltan) > GeoDif()) return 0.0;
    const double gap = std::fabs(l1.laxe - l2.laxe);
    if (!IsVerticalSlope(l1.ltan) && std::fabs(l1.ltan) > GeoDif())
        return gap / std::sqrt(l1.ltan * l1.ltan + 1.0);
    return gap;
}

double LineValueAt(LINE l, double x)
{
    if (IsVerticalSlope(l.ltan)) return 0.0;
    return l.ltan * x + l.laxe;
}

double SegmentDistance(G_POINT p, G_POINT a, G_POINT b)
{
    G_POINT closest;
    ClosestPointOnSegment(closest, p, a, b);
    return PointDistance(p, closest);
}

double SegmentParameter(G_POINT p, G_POINT a, G_POINT b)
{
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    if (std::fabs(dx) < std::fabs(dy) && std::fabs(dx) < GeoSnap()) {
        if (std::fabs(dy) <= GeoDif()) return 0.0;
        return (p.y - a.y) / dy;
    }
    if (std::fabs(dx) >= std::fabs(dy) && std::fabs(dy) < GeoSnap()) {
        if (dx == 0.0) return 0.0;  // a point, not a segment: no parameter to speak of
        return (p.x - a.x) / dx;
    }
    return ((p.y - a.y) * dy + (p.x - a.x) * dx) / (dx * dx + dy * dy);
}

double NearerPointToLine(G_POINT p1, G_POINT p2, LINE l, G_POINT* nearer)
{
    const double d1 = LineDistance(l, p1);
    const double d2 = LineDistance(l, p2);
    if (d1 < d2) {
        if (nearer) *nearer = p1;
        return d1;
    }
    if (nearer) *nearer = p2;
    return d2;
}

double TangentCircleRadius(CIRCLE c1, CIRCLE c2, signed char mode)
{
    const double d = PointDistance(c1.center, c2.center);
    const double r1 = c1.radius;
    const double r2 = c2.radius;
    // A failed condition hands over to another mode (1 -> 4 -> 2, 9 -> 6).
    for (;;) {
        switch (mode) {
        case 0:
            if (d > r1 + r2) return (d - r1 - r2) / 2;
            return d > std::fabs(r1 - r2) ? 0.0 : -1.0;
        case 1:
            if (d > r1 + r2) return (r2 + d - r1) / 2;
            mode = 4;
            continue;
        case 4:
            if (d > r1 + r2) return (r1 + d - r2) / 2;
            mode = 2;
            continue;
        case 2:
            return d < r1 + r2 ? (r2 + d - r1) / 2 : -1.0;
        case 5:
            return d > std::fabs(r1 - r2) ? (r1 + r2 + d) / 2 : -1.0;
        case 8:
            return d < r1 + r2 ? (r1 + d - r2) / 2 : -1.0;
        case 9:
            if (r1 > r2 && d < r1 - r2) return (r1 - d + r2) / 2;
            mode = 6;
            continue;
        case 6:
            return r2 > r1 && d < r2 - r1 ? (r1 - d + r2) / 2 : -1.0;
        case 10:
            return d < r1 + r2 ? std::fabs(d - r1 - r2) / 2 : -1.0;
        default:
            return -1.0;
        }
    }
}

double ArcDistance(G_POINT p, ARC a)
{
    LINE throughCentre;
    // At the centre every point of the arc lies one radius away.
    if (!LineThroughPoints(p, a.center, throughCentre)) return std::fabs(a.radius);
    G_POINT crossings[2];
    const int n = ArcLineCrossings(a, throughCentre, crossings);
    if (n == 2) return std::min(PointDistance(p, crossings[0]), PointDistance(p, crossings[1]));
    G_POINT startPoint;
    G_POINT endPoint;
    PolarPoint(endPoint, a.center, a.end, a.radius);
    PolarPoint(startPoint, a.center, a.start, a.radius);
    double d = std::min(PointDistance(p, endPoint), PointDistance(p, startPoint));
    if (n == 1 || n == 3) d = std::min(d, PointDistance(p, crossings[0]));
    return d;
}

double ArcSegmentDistance(G_POINT a, G_POINT b, ARC arc)
{
    G_POINT nearest;
    ClosestPointOnSegment(nearest, arc.center, a, b);
    return ArcDistance(nearest, arc);
}
