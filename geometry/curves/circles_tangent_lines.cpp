// Circles tangent to a circle and one or two lines.
#include <cmath>
#include <initializer_list>

#include "angular.h"
#include "circle_constructions.h"
#include "distances.h"
#include "inside_tests.h"
#include "intersections.h"
#include "line_constructions.h"
#include "roots.h"
#include "settings.h"

namespace {

constexpr double kFarAway = 3.4028234663852886e38;
constexpr double kHintReach = 100000.0;
constexpr int kMaxSteps = 100;

// Of two points on m, the one on the hint's side of the normal of m through c,
// or without a hint the one the side keyword names seen from c towards m.
G_POINT chooseOnLine(const G_POINT x[2], LINE m, G_POINT c, G_POINT const* hint, char side)
{
    if (hint) {
        const LINE normal = PerpendicularAt(m, c);
        return PointSideOfLine(normal, *hint) != PointSideOfLine(normal, x[0]) ? x[1] : x[0];
    }
    const G_POINT f = FootOn(m, c);
    const bool left = PointLeftOfLine(x[0], c, f);
    if ((side == GEO_KW_RIGHT && left) || (side == GEO_KW_LEFT && !left))
        return x[1];
    return x[0];
}

// Of the n (1 or 2) points x, the one nearer the hint; a tie takes the second.
G_POINT nearerOf(const G_POINT x[2], int n, G_POINT hint)
{
    return n == 2 && !(PointDistance(hint, x[0]) < PointDistance(hint, x[1])) ? x[1] : x[0];
}

// Which tangencies with the given circle a kind admits.
bool acceptsTangency(char kind, double centreDistance, double R, double rho)
{
    const double snap = GeoSnap();
    const bool external = std::fabs(centreDistance - (R + rho)) < snap;
    const bool internal = std::fabs(centreDistance - std::fabs(rho - R)) < snap;
    switch (kind) {
        case GEO_KW_EXTERNAL: return external;
        case GEO_KW_INTERNAL: return internal;
        case GEO_KW_ENVELOPS: return internal && rho > R;
        default: return external || internal;  // no keyword: the hint decides
    }
}

// Finds lo < hi around the radius whose circle passes through p: p lies
// outside the circle built for lo and inside the one built for hi. The
// radius grows by doubling or shrinks by halving from z, at most 100 times.
bool bracketRadius(double z, G_POINT p, RadiusBuilder build, double& lo, double& hi)
{
    const double snap = GeoSnap();
    CIRCLE c;
    int step = 0;
    while (!build(z, c)) {
        z = std::fmax(z, snap) * 2.0;
        if (++step == kMaxSteps || z > LargestResolvableRadius())
            return false;
    }
    if (PointDistance(p, c.center) > z) {
        lo = hi = z;
        for (step = 0; step < kMaxSteps; ++step) {
            hi = std::fmax(hi, snap) * 2.0;
            if (hi > LargestResolvableRadius() || !build(hi, c))
                return false;
            if (PointDistance(p, c.center) <= hi + snap)
                return true;
            lo = hi;
        }
        return false;
    }
    hi = z;
    for (step = 0; step < kMaxSteps; ++step) {
        double next = hi * 0.5;
        // Below the smallest radius the construction admits: back off.
        for (int tries = 0; !build(next, c); ++tries) {
            next = (next + hi) * 0.5;
            if (tries == kMaxSteps || hi - next < snap)
                return false;
        }
        if (PointDistance(p, c.center) >= next - snap) {
            lo = next;
            return true;
        }
        hi = next;
    }
    return false;
}

}  // namespace

bool CircleFromCircleLinePointRadiusCenter(CIRCLE c, LINE m, G_POINT const* hint, double r,
                                           char kind, char side, CIRCLE& out)
{
    const double snap = GeoSnap();
    const double R = c.radius;
    if (kind != 0) {
        const double dM = LineDistance(m, c.center);
        if (kind == GEO_KW_ENVELOPS && !(r >= R - snap && !(R > snap + dM)))
            kind = GEO_KW_EXTERNAL;
        else if (kind == GEO_KW_TANGENT && (r > R + snap || r < R + dM - snap))
            kind = GEO_KW_EXTERNAL;
    }
    const double d = kind == GEO_KW_EXTERNAL ? R + r : std::fabs(r - R);
    G_POINT x[2];
    const int n = IntersectLineCircle(CIRCLE{c.center, d}, m, x);
    if (n == 0)
        return false;
    out = {n == 1 ? x[0] : chooseOnLine(x, m, c.center, hint, side), r};
    return CircleIsFinite(out);
}

bool CircleFromCircleLineRadius(CIRCLE c, LINE l, G_POINT const* hint, double r, char kind,
                                char side, CIRCLE& out)
{
    LINE centres;
    ParallelLineTowards(centres, l, c.center, r);
    return CircleFromCircleLinePointRadiusCenter(c, centres, hint, r, kind, side, out);
}

bool CircleFromCircleLineRadiusCenter(CIRCLE c, LINE l, G_POINT hint, double r, CIRCLE& out)
{
    LINE centres;
    ParallelLineTowards(centres, l, hint, r);
    G_POINT x[2];
    const int n = IntersectLineCircle(c, centres, x);
    if (n == 0)
        return false;
    out = {nearerOf(x, n, hint), r};
    return true;
}

// Centres X = B0 + t e on b with |X - c| = |sigma +- R|, sigma the signed
// distance of X from l: the two parabolas of focus c whose directrices are
// the parallels of l at distance R.
bool CircleFromCircle2LinesTangency(CIRCLE c, LINE l, LINE b, G_POINT const* hint, char kind,
                                    char side, CIRCLE& out)
{
    const double snap = GeoSnap();
    const double R = c.radius;
    const double dL = LineDistance(l, c.center);
    // A keyword that names no tangency asks for none.
    if (kind != GEO_KW_EXTERNAL && kind != GEO_KW_INTERNAL && kind != GEO_KW_ENVELOPS &&
        kind != GEO_KW_TANGENT)
        kind = 0;
    // A requested tangency that the line's position rules out has no solution.
    if (((kind & 1) && dL > R + snap) || ((kind & 2) && dL < R - snap))
        return false;

    const LineAcross across = LineAcrossLine(b, l);
    const G_POINT b0 = across.origin, e = across.direction;
    const double s0 = across.height, s1 = across.rise;
    const G_POINT q{b0.x - c.center.x, b0.y - c.center.y};
    const double a = e.x * q.x + e.y * q.y;
    const double qq = q.x * q.x + q.y * q.y;

    G_POINT candidates[5];
    int count = 0;
    for (const double sign : {1.0, -1.0}) {
        double t[2];
        const int roots = LengthQuadraticRoots(qq - s0 * s0 - 2.0 * sign * R * s0 - R * R,
                                               2.0 * a - 2.0 * s0 * s1 - 2.0 * sign * R * s1,
                                               1.0 - s1 * s1, t);
        for (int i = 0; i < roots; ++i)
            candidates[count++] = {b0.x + t[i] * e.x, b0.y + t[i] * e.y};
    }
    // A line touching the circle flattens one parabola onto the normal through c.
    if (std::fabs(dL - R) <= snap && IntersectLines(b, PerpendicularAt(l, c.center), candidates[count]))
        ++count;

    const G_POINT foot = FootOn(l, c.center);
    double best = kFarAway;
    bool found = false;
    for (int i = 0; i < count; ++i) {
        const G_POINT x = candidates[i];
        const double rho = LineDistance(l, x);
        if (!(rho > snap) || !acceptsTangency(kind, PointDistance(c.center, x), R, rho))
            continue;
        if (hint) {
            const double d = PointDistance(*hint, x);
            if (!(d < best))
                continue;
            best = d;
        } else {
            const bool left = PointLeftOfLine(x, c.center, foot);
            if (!((side == GEO_KW_RIGHT && !left) || (side == GEO_KW_LEFT && left)))
                continue;
        }
        out = {x, rho};
        found = true;
    }
    return found && CircleIsFinite(out);
}

bool CircleFromCircle2Lines(CIRCLE c, LINE l1, LINE l2, G_POINT const* p, char kind, CIRCLE& out)
{
    LINE bisector;
    if (p)
        BisectorLineAtPoint(bisector, l1, l2, *p);
    else
        BisectorLine(bisector, l1, l2, 0);
    return CircleFromCircle2LinesTangency(c, l1, bisector, p, kind, 0, out);
}

bool CircleFromCircle2LinesNearPoints(CIRCLE c, LINE l1, LINE l2, G_POINT p1, G_POINT p2,
                                      G_POINT const* hint, CIRCLE& out)
{
    const double snap = GeoSnap();
    const double R = c.radius;
    G_POINT vertex;
    double direction = 0.0;
    if (!AngleBisector(l1, p1, l2, p2, vertex, direction))
        return false;
    LINE bisector;
    LineAtAngle(bisector, vertex, direction);

    if (!(std::fabs(l1.ltan - l2.ltan) > snap)) {
        // Parallel lines: the circle fills the gap, its centre on the mid-parallel.
        const double rho = ParallelGap(l1, l2) * 0.5;
        G_POINT x[2];
        const int n = IntersectLineCircle(CIRCLE{c.center, R + rho}, bisector, x);
        if (n == 0)
            return false;
        G_POINT centre = x[0];
        if (n == 2 && hint && PointDistance(*hint, x[1]) < PointDistance(*hint, x[0]))
            centre = x[1];
        out = {centre, rho};
        return true;
    }

    // Centre X = V + t rho u (u along the bisector, 1/t the sine of the half
    // angle), touching c from outside: |X - c| = rho + R.
    const G_POINT u{std::cos(direction), std::sin(direction)};
    const double halfSine = LineDistance(l1, G_POINT{vertex.x + u.x, vertex.y + u.y});
    if (!(halfSine > 1e-9))
        return false;
    const double t = 1.0 / halfSine;
    const double along = u.x * (c.center.x - vertex.x) + u.y * (c.center.y - vertex.y);
    const double off = PointDistance(c.center, vertex) * PointDistance(c.center, vertex) - along * along;
    const double k = t * t - 1.0;
    const double disc = (t * along + R) * (t * along + R) - k * (along * along + off - R * R);
    if (disc < 0.0 || !(std::fabs(k) > 1e-12))
        return false;
    const double root = std::sqrt(disc);
    const G_POINT reference = hint ? *hint : vertex;
    bool found = false;
    double best = kFarAway;
    for (const double rho : {(t * along + R + root) / k, (t * along + R - root) / k}) {
        if (!(rho > snap))
            continue;
        const G_POINT centre{vertex.x + t * rho * u.x, vertex.y + t * rho * u.y};
        const double d = PointDistance(reference, centre);
        if (found && !(d < best))
            continue;
        best = d;
        out = {centre, rho};
        found = true;
    }
    return found && CircleIsFinite(out);
}

bool CircleFromCircleLinePoint(CIRCLE c, LINE l, G_POINT p, G_POINT hint, char kind, CIRCLE& out)
{
    const double snap = GeoSnap();
    const double R = c.radius;
    const double v = PointDistance(p, c.center);
    const double u = LineDistance(l, p);
    if ((kind & 1) && !(v <= R + snap && u <= R + snap))
        kind = 0;
    if (PointOnLine(p, l))
        return CircleFromCircle2LinesTangency(c, l, PerpendicularAt(l, p), &p, kind, 0, out);
    if (std::fabs(v - R) < snap) {
        LINE radial;
        if (!LineThroughPoints(p, c.center, radial))
            return false;
        return CircleFromCircle2LinesTangency(c, l, radial, &p, kind, 0, out);
    }
    const auto build = [&](double rho, CIRCLE& built) {
        return CircleFromCircleLineRadius(c, l, &hint, rho, kind, 0, built);
    };
    // The bracket grows or shrinks from the start radius, so a start circle
    // that already holds p needs no failure of its own.
    const double z = (kind & 2) ? R + LineDistance(l, c.center) : u;
    double lo = 0.0, hi = 0.0;
    if (!bracketRadius(z, p, build, lo, hi))
        return false;
    return RadiusSearch(lo, hi, p, build, out);
}

bool CircleFromCircleLinePointCenter(CIRCLE c, LINE m, G_POINT p, G_POINT hint, signed char code,
                                     CIRCLE& out)
{
    if (std::fabs(PointDistance(p, c.center) - c.radius) < GeoSnap()) {
        LINE radial;
        G_POINT centre;
        if (!LineThroughPoints(p, c.center, radial) || !IntersectLines(m, radial, centre))
            return false;
        out = {centre, PointDistance(p, centre)};
        return true;
    }
    int request = code == 0 ? CircleContainment(out, c) : code;
    request *= 4;
    if (request > 127 || request < -128)
        request = 127;  // beyond every tangency code
    return CircleFrom2CirclesCenterOnLine(CIRCLE{p, 0.0}, c, m, hint,
                                          static_cast<signed char>(request), out);
}

// The centre is as far from p as from l (a parabola) and lies on c. In a
// frame with origin at p's foot F on l, x along l and y towards p, the
// parabola is y = x^2 / (4 h) + h, h half the distance of p from l.
bool CircleFromCircleLinePointCenterFirst(CIRCLE c, LINE l, G_POINT p, G_POINT hint, CIRCLE& out)
{
    const double snap = GeoSnap();
    if (LineDistance(l, p) < snap) {
        G_POINT x[2];
        const int n = IntersectLineCircle(c, PerpendicularAt(l, p), x);
        if (n == 0)
            return false;
        const G_POINT centre = nearerOf(x, n, hint);
        out = {centre, PointDistance(centre, p)};
        return true;
    }
    const G_POINT f = FootOn(l, p);
    G_POINT ex;
    LinePointAndDirection(l, ex);
    const double h = LineDistance(l, p) * 0.5;
    const G_POINT ey{(p.x - f.x) / (2.0 * h), (p.y - f.y) / (2.0 * h)};
    const G_POINT d{c.center.x - f.x, c.center.y - f.y};
    const double X0 = d.x * ex.x + d.y * ex.y;
    const double Y0 = d.x * ey.x + d.y * ey.y;
    const double a = 1.0 / (4.0 * h);
    const double g = h - Y0;
    // (x - X0)^2 + (a x^2 + g)^2 = R^2
    const double coefficients[5] = {X0 * X0 + g * g - c.radius * c.radius, -2.0 * X0,
                                    1.0 + 2.0 * a * g, 0.0, a * a};
    double roots[4];
    const int n = SolveQuartic(coefficients, roots);
    if (n == 0)
        return false;
    double best = kHintReach;
    for (int i = 0; i < n; ++i) {
        double x = roots[i];
        // A few Newton steps make up for the closed form's rounding.
        for (int k = 0; k < 3; ++k) {
            const double value =
                (((coefficients[4] * x) * x + coefficients[2]) * x + coefficients[1]) * x +
                coefficients[0];
            const double slope = (4.0 * coefficients[4] * x * x + 2.0 * coefficients[2]) * x +
                                 coefficients[1];
            if (!(std::fabs(slope) > 1e-12))
                break;
            x -= value / slope;
        }
        const double y = a * x * x + h;
        const G_POINT centre{f.x + x * ex.x + y * ey.x, f.y + x * ex.y + y * ey.y};
        const double dh = PointDistance(centre, hint);
        if (std::isfinite(dh) && dh < best) {
            best = dh;
            out = {centre, y};
        }
    }
    return true;
}
