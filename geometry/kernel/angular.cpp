#include "angular.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "distances.h"
#include "inside_tests.h"
#include "intersections.h"
#include "line_constructions.h"
#include "polygon.h"
#include "settings.h"

namespace {

bool IsVerticalSlope(double k) { return k >= GEO_VERTICAL; }

// acos of a cosine that rounding may push just past +-1.
double SafeAcos(double c) { return std::acos(std::clamp(c, -1.0, 1.0)); }

}  // namespace

double NormalizeAngle(double a)
{
    double c = std::fmod(a, GEO_2PI);
    if (c < -GEO_PI)
        c += GEO_2PI;
    else if (c > GEO_PI)
        c -= GEO_2PI;
    if (std::fabs(c) < GeoDif())
        return 0.0;
    if (std::fabs(c + GEO_PI) < GeoDif())
        return GEO_PI;
    return c;
}

bool DirectionAngle(const G_POINT& p1, const G_POINT& p2, double& out)
{
    const double dx = p2.x - p1.x;
    const double dy = p2.y - p1.y;
    const bool xSet = std::fabs(dx) > GeoDif();
    const bool ySet = std::fabs(dy) > GeoDif();
    if (xSet && ySet)
        out = std::atan2(dy, dx);
    else if (xSet)
        out = dx < 0 ? GEO_PI : 0.0;
    else if (ySet)
        out = dy < 0 ? -GEO_PI_2 : GEO_PI_2;
    else {
        out = 0.0;
        return false;
    }
    return true;
}

double LineDirection(const LINE& l)
{
    if (IsVerticalSlope(l.ltan))
        return GEO_PI_2;
    if (std::fabs(l.ltan) > GeoDif())
        return std::atan(l.ltan);
    return 0.0;
}

double SidedLineDirection(const LINE& l, int side)
{
    if (IsVerticalSlope(l.ltan))
        return side ? GEO_PI_2 : -GEO_PI_2;
    if (l.ltan == 0.0)
        return side ? GEO_PI : 0.0;
    const double c = std::atan(l.ltan);
    if (c > 0)
        return side ? c : c - GEO_PI;
    return side ? c + GEO_PI : c;
}

double SidedLineAngle(const LINE& l1, int s1, const LINE& l2, int s2)
{
    double e = SidedLineDirection(l2, s2) - SidedLineDirection(l1, s1);
    if (e < 0)
        e += GEO_2PI;
    return e;
}

double AngleBetweenLines(const LINE& l1, const LINE& l2)
{
    const bool v1 = IsVerticalSlope(l1.ltan);
    const bool v2 = IsVerticalSlope(l2.ltan);
    if (v1 && v2)
        return 0.0;
    if (v1)
        return std::fabs(l2.ltan) < GeoDif() ? GEO_PI_2 : std::atan(-1.0 / l2.ltan);
    if (v2)
        return std::fabs(l1.ltan) < GeoDif() ? GEO_PI_2 : std::atan(1.0 / l1.ltan);
    const double g = 1.0 + l1.ltan * l2.ltan;
    if (std::fabs(g) < GeoDif())
        return GEO_PI_2;
    return std::atan((l2.ltan - l1.ltan) / g);
}

bool NormalFromPoint(const LINE& l, const G_POINT& p, double& out)
{
    const char side = PointSideOfLine(l, p, 0);
    if (side == 0)
        return false;
    double n = IsVerticalSlope(l.ltan) ? GEO_PI : std::atan(l.ltan) - GEO_PI_2;
    if (side == 2)
        n -= GEO_PI;
    out = n;
    return true;
}

double ArcSweep(const ARC& a)
{
    if (a.end > a.start)
        return a.end - a.start;
    return a.end + GEO_2PI - a.start;
}

bool AngleInRange(double a, double start, double end)
{
    const double m = GeoDif();
    if (a < 0)
        a += GEO_2PI;
    if (start < 0)
        start += GEO_2PI;
    if (end < 0)
        end += GEO_2PI;
    if (start > end)
        return a > start - m || a < end + m;
    return start - m < a && a < end + m;
}

bool AngleInArc(double a, const ARC& arc)
{
    // Equal start and end angles mean a full turn, which the plain range test
    // would narrow to the start direction.
    return ArcSweep(arc) >= GEO_2PI - GeoDif() || AngleInRange(a, arc.start, arc.end);
}

double VertexAngle(const G_POINT& p1, const G_POINT& p2, const G_POINT& p3)
{
    const double a = PointDistance(p1, p2);
    const double b = PointDistance(p2, p3);
    const double c = PointDistance(p3, p1);
    if (a <= GeoSnap() || b <= GeoSnap())
        return 0.0;
    return SafeAcos((a * a + b * b - c * c) / (2.0 * a * b));
}

int CircleLineAngles(const CIRCLE& c, const LINE& l, double out[2])
{
    const double d = LineDistance(l, c.center);
    const double r = c.radius;
    if (d > r + GeoSnap())
        return 0;
    // At exactly r + GeoSnap the line is taken as tangent (no acos past 1).
    if (std::fabs(d - r) < GeoSnap() || d >= r) {
        G_POINT foot;
        ProjectPointOnLine(foot, l, c.center);
        DirectionAngle(c.center, foot, out[0]);
        return 1;
    }
    double w;
    double s;
    if (d > GeoSnap() && NormalFromPoint(l, c.center, w)) {
        s = SafeAcos(d / r);
    } else {
        w = IsVerticalSlope(l.ltan) ? 0.0 : std::atan(l.ltan) - GEO_PI_2;
        s = GEO_PI_2;
    }
    out[0] = NormalizeAngle(w - s);
    out[1] = NormalizeAngle(w + s);
    return 2;
}

int CircleCircleAngles(const CIRCLE& c1, const CIRCLE& c2, double out[2])
{
    const double dx = c2.center.x - c1.center.x;
    const double dy = c2.center.y - c1.center.y;
    const double d2 = dx * dx + dy * dy;
    if (d2 <= GeoSnap())
        return 0;
    const double r1 = c1.radius;
    const double r2 = c2.radius;
    if (r1 <= GeoSnap())
        return 0;
    const double t = (r1 * r1 - r2 * r2 + d2) / (2.0 * r1 * std::sqrt(d2));
    const double g = std::atan2(dy, dx);
    if (std::fabs(t) < 1.0 - GeoSnap()) {
        const double h = std::acos(t);
        out[0] = NormalizeAngle(g - h);
        out[1] = NormalizeAngle(g + h);
        return 2;
    }
    if (std::fabs(std::fabs(t) - 1.0) < GeoDif()) {
        out[0] = t > 0 ? g : NormalizeAngle(g + GEO_PI);
        return 1;
    }
    return 0;
}

bool InsertArcAngle(double a, double** array, short count)
{
    if (count >= CrossingCapacity()) {
        // Grown past `count` itself, so that a count beyond the recorded
        // capacity never writes outside the buffer.
        const short grown = static_cast<short>(std::max(CrossingCapacity(), count) + 2);
        void* bigger = std::realloc(*array, sizeof(double) * static_cast<size_t>(grown));
        if (bigger == nullptr) {
            GeoError() = GEO_NO_MEMORY;
            return false;
        }
        *array = static_cast<double*>(bigger);
        CrossingCapacity() = grown;
    }
    double* v = *array;
    short i = count;
    if (count >= 2) {
        i = static_cast<short>(CrossingStart() + 1);
        if (i < count) {
            const bool descending = CrossingDescending() != 0;
            while (i < count && !(descending ? AngleInRange(a, v[i], v[i - 1])
                                             : AngleInRange(a, v[i - 1], v[i])))
                ++i;
        } else {
            i = count;
        }
    }
    for (short j = count; j > i; --j)
        v[j] = v[j - 1];
    v[i] = a;
    return true;
}

namespace {

// The angles where the sides of the run cross the circle; with `range`
// only those within the arc's start..end.
short PolylineAngles(const G_POINT* run, short count, const CIRCLE& c, const ARC* range,
                     double** array, short base)
{
    if (run == nullptr || count < 2)
        return 0;
    short added = 0;
    for (short i = 1; i < count; ++i) {
        double prev = 0.0;
        double cur = 0.0;
        DirectionAngle(c.center, run[i - 1], prev);
        DirectionAngle(c.center, run[i], cur);
        LINE side;
        double hits[2];
        if (!LineThroughPoints(run[i - 1], run[i], side) || CircleLineAngles(c, side, hits) != 2)
            continue;
        double lo = prev;
        double hi = cur;
        if (NormalizeAngle(cur - prev) < 0)
            std::swap(lo, hi);
        for (double h : hits) {
            if (range != nullptr && !AngleInRange(h, range->start, range->end))
                continue;
            if (!AngleInRange(h, lo, hi))
                continue;
            if (InsertArcAngle(h, array, static_cast<short>(base + added)))
                ++added;
        }
    }
    return added;
}

}  // namespace

short CirclePolylineCrossings(const G_POINT* run, short count, const CIRCLE& c, double** array,
                              short base)
{
    return PolylineAngles(run, count, c, nullptr, array, base);
}

short ArcPolylineCrossings(const G_POINT* run, short count, const ARC& a, double** array,
                           short base)
{
    const CIRCLE c{a.center, a.radius};
    return PolylineAngles(run, count, c, &a, array, base);
}

// The inside probes run on a crossing buffer of their own (CrossingScope):
// it starts empty and is freed afterwards, and a buffer being filled around
// the call keeps its capacity.
double PolygonCornerAngle(const POLY& poly, short i, char mode)
{
    const short count = poly.count;
    const G_POINT* v = poly.vertices;
    if (v == nullptr || count < 2 || i < 0 || i >= count)
        return 0.0;
    short last = static_cast<short>(count - 1);
    if (std::fabs(v[0].x - v[last].x) < GeoSnap() && std::fabs(v[0].y - v[last].y) < GeoSnap())
        last = static_cast<short>(count - 2);
    if (i > last)
        i = 0;  // the repeated closing vertex is the first corner
    const G_POINT& prev = i == 0 ? v[last] : v[i - 1];
    const G_POINT& next = i == last ? v[0] : v[i + 1];
    double dp;
    double dn;
    if (!DirectionAngle(v[i], prev, dp) || !DirectionAngle(v[i], next, dn))
        return 0.0;
    if (!(dn > dp))
        dn += GEO_2PI;
    double e = dp + (dn - dp) / 2.0;
    const double halfShorter = std::min(PointDistance(v[i], prev), PointDistance(v[i], next)) / 2.0;
    const double q = 30.0 * GeoSnap() < halfShorter ? 30.0 * GeoSnap() : halfShorter;
    G_POINT probe;
    PolarPoint(probe, v[i], e, q);
    CrossingScope scope;
    const int where = PointInPolygon(probe, poly, scope.buffer(), 0);
    if ((mode == 0 && where == 1) || (mode != 0 && where == 0))
        e -= GEO_PI;
    return e;
}

double PolygonSideNormal(const POLY& poly, const G_POINT& p)
{
    const short count = poly.count;
    const G_POINT* v = poly.vertices;
    if (v == nullptr || count < 2)
        return 0.0;
    short best = 0;
    double bestDistance = 3.4028234663852886e38;
    for (short i = 1; i < count; ++i) {
        G_POINT near;
        ClosestPointOnSegment(near, p, v[i - 1], v[i]);
        const double d = PointDistance(p, near);
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
            if (d < GeoDif())
                break;
        }
    }
    if (best == 0)
        return 0.0;  // no side measurable (non-finite input)
    double t;
    if (!DirectionAngle(v[best], v[best - 1], t))
        return 0.0;
    const double n = NormalizeAngle(t - GEO_PI_2);
    G_POINT middle;
    Midpoint(middle, v[best - 1], v[best]);
    G_POINT probe;
    PolarPoint(probe, middle, n, 2.0 * GeoSnap());
    CrossingScope scope;
    const int where = PointInPolygon(probe, poly, scope.buffer(), 0);
    return where == 0 ? n : NormalizeAngle(n - GEO_PI);
}
