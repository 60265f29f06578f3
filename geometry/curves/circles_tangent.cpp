// Circles tangent to circles, the tangency codes, and the radius search that
// the through-a-point cases share.
#include <cmath>
#include <initializer_list>
#include <limits>

#include "angular.h"
#include "circle_constructions.h"
#include "distances.h"
#include "inside_tests.h"
#include "intersections.h"
#include "line_constructions.h"
#include "settings.h"

namespace {

constexpr double kFarAway = 3.4028234663852886e38;
constexpr int kMaxSteps = 100;
constexpr double kGolden = 0.61803399;

// Radii between which a circle with this tangency code can exist: enclosing
// a circle needs a larger radius, lying inside one a smaller.
void radiusBounds(CIRCLE c1, CIRCLE c2, int code, double& lower, double& upper)
{
    lower = 0.0;
    upper = std::numeric_limits<double>::infinity();
    if (code & 4)
        lower = std::fmax(lower, c1.radius);
    else if (code & 8)
        upper = std::fmin(upper, c1.radius);
    if (code & 1)
        lower = std::fmax(lower, c2.radius);
    else if (code & 2)
        upper = std::fmin(upper, c2.radius);
}

// Centre distances of the new circle (radius r) from c1 and c2 by the code.
void centreDistances(CIRCLE c1, CIRCLE c2, int code, double r, double& d1, double& d2)
{
    d1 = (code & 4) ? r - c1.radius : (code & 8) ? c1.radius - r : c1.radius + r;
    d2 = (code & 1) ? r - c2.radius : (code & 2) ? c2.radius - r : c2.radius + r;
}

// DirectionAngle gives 0 when the points coincide.
double directionOrZero(G_POINT from, G_POINT to)
{
    double a = 0.0;
    DirectionAngle(from, to, a);
    return a;
}

}  // namespace

// ---- tangency codes ---------------------------------------------------------

signed char TangencyMode(char k1, char k2)
{
    int first, second;
    switch (k1) {
        case GEO_KW_EXTERNAL: first = 0; break;
        case GEO_KW_INTERNAL: first = 8; break;
        case GEO_KW_ENVELOPS: first = 4; break;
        default: return -1;
    }
    switch (k2) {
        case GEO_KW_EXTERNAL: second = 0; break;
        case GEO_KW_INTERNAL: second = 2; break;
        case GEO_KW_ENVELOPS: second = 1; break;
        default: return -1;
    }
    return static_cast<signed char>(first + second);
}

signed char PointCircleRelation(CIRCLE c1, CIRCLE c2, G_POINT p, double r)
{
    int code = 0;
    const double d2 = PointDistance(p, c2.center);
    if (d2 < r)
        code = 1;
    else if (d2 < c2.radius)
        code = 2;
    const double d1 = PointDistance(p, c1.center);
    if (d1 < r)
        code += 4;
    else if (d1 < c1.radius)
        code += 8;
    return static_cast<signed char>(code);
}

int CircleContainment(CIRCLE c1, CIRCLE c2)
{
    const double d = PointDistance(c1.center, c2.center);
    if (d < c1.radius)
        return (d < c2.radius && c2.radius > c1.radius) ? 2 : 1;
    return d < c2.radius ? 2 : 0;
}

signed char TangencyModeFromPoint(CIRCLE c1, CIRCLE c2, G_POINT p)
{
    const double snap = GeoSnap();
    const double d = PointDistance(c1.center, c2.center);
    if (!(d < c1.radius + c2.radius - snap))
        return 0;
    int code = 0;
    if (PointDistance(p, c1.center) < c1.radius - snap)
        code = 4;
    if (PointDistance(p, c2.center) < c2.radius - snap)
        code += 8;
    return static_cast<signed char>(code);
}

signed char FeasibleTangencyMode(CIRCLE c1, CIRCLE c2, signed char requested)
{
    const int a = requested;
    const int b = CircleContainment(c1, c2);
    const double snap = GeoSnap();
    const double d = PointDistance(c1.center, c2.center);
    const bool apart = d > c1.radius + c2.radius + snap;
    const bool overlapping = d < c1.radius + c2.radius - snap;
    if (a == b)
        return requested;
    switch (a) {
        case 0: return static_cast<signed char>(b == 0 ? 0 : b == 1 ? 1 : 4);
        case 1: return (b == 0 && !apart) ? requested : 0;
        case 2:
        case 8: return (b == 0 && !overlapping) ? requested : 0;
        case 4:
            if (b == 1)
                return 0;
            return (b == 0 && apart) ? 0 : requested;
        case 5: return (b == 0 && !apart) ? requested : 0;
        case 6: return b == 2 ? requested : b == 0 ? 0 : 1;
        case 9: return b == 1 ? requested : b == 0 ? 0 : 4;
        case 10: return b == 0 ? requested : 0;
        default: return 0;  // 3, 7, above 10 and negative requests
    }
}

// Each hint says whether the new circle meets its circle from inside.
signed char TangencyFromHints(CIRCLE c1, CIRCLE c2, G_POINT h1, G_POINT h2)
{
    const double snap = GeoSnap();
    int code = 0;
    if (PointDistance(h1, c1.center) < c1.radius - snap)
        code += 8;
    if (PointDistance(h2, c2.center) < c2.radius - snap)
        code += 2;
    return static_cast<signed char>(code);
}

bool CentreLineTangentCircle(CIRCLE c1, CIRCLE c2, G_POINT const* hint, signed char code,
                             CIRCLE& out, bool& shrink)
{
    const double r1 = c1.radius;
    const double r2 = c2.radius;
    const double d = PointDistance(c1.center, c2.center);
    const double t = directionOrZero(c1.center, c2.center);
    double r = 0.0;
    double s = 0.0;
    shrink = true;
    switch (code) {
        case 0:
            shrink = false;
            if (d > r1 + r2 - GeoSnap()) {
                r = (d - r1 - r2) / 2.0;
                s = r1 + r;
                break;
            }
            return CircleFrom2CirclesRadius(c1, c2, hint, 10.0 * GeoSnap(), 0, 0, out);
        case 1:
        case 2:
            shrink = code == 1;
            r = (r1 + d - r2) / 2.0;
            s = r - r1;
            break;
        case 4:
        case 8:
            shrink = code == 4;
            r = (r2 + d - r1) / 2.0;
            s = r1 + r;
            break;
        case 5:
            r = (r1 + r2 - d) / 2.0;
            s = (d - r2) + r;
            break;
        case 6:
        case 9:
        case 10:
            shrink = code != 10;
            r = (r1 + r2 + d) / 2.0;
            s = r - r1;
            break;
        default:  // 3, 7, above 10 and negative codes have no start circle
            return false;
    }
    G_POINT centre;
    PolarPoint(centre, c1.center, t, s);
    out = {centre, r};
    return CircleIsFinite(out);
}

// ---- radius search ----------------------------------------------------------

namespace {

struct Evaluation {
    G_POINT p;
    RadiusBuilder build;
    CIRCLE& out;

    // g(rho) = distance(p, centre) - rho: positive while p lies outside.
    bool operator()(double rho, double& g) const
    {
        CIRCLE c;
        if (!build(rho, c) || !CircleIsFinite(c))
            return false;
        out = c;
        g = PointDistance(p, c.center) - rho;
        return true;
    }
};

// Golden section on |g| when the bracket shows no change of sign.
bool goldenSection(double lo, double hi, Evaluation const& eval)
{
    double x1 = hi - kGolden * (hi - lo);
    double x2 = lo + kGolden * (hi - lo);
    double g1 = 0.0, g2 = 0.0;
    if (!eval(x1, g1) || !eval(x2, g2))
        return false;
    for (int step = 0; step < kMaxSteps && std::fabs(hi - lo) > GeoSnap(); ++step) {
        if (std::fabs(g1) < std::fabs(g2)) {
            hi = x2;
            x2 = x1;
            g2 = g1;
            x1 = hi - kGolden * (hi - lo);
            if (!eval(x1, g1))
                return false;
        } else {
            lo = x1;
            x1 = x2;
            g1 = g2;
            x2 = lo + kGolden * (hi - lo);
            if (!eval(x2, g2))
                return false;
        }
    }
    double g = 0.0;
    return eval(std::fabs(g1) < std::fabs(g2) ? x1 : x2, g);
}

bool narrowBracket(double lo, double hi, Evaluation const& eval)
{
    double glo = 0.0, ghi = 0.0;
    if (!eval(lo, glo) || !eval(hi, ghi))
        return false;
    if ((glo > 0.0) == (ghi > 0.0))
        return goldenSection(lo, hi, eval);
    // Bisection keeps the change of sign; the last step interpolates.
    const double fine = GeoSnap() * 1e-3;
    for (int step = 0; step < kMaxSteps && std::fabs(hi - lo) > GeoSnap(); ++step) {
        const double mid = (lo + hi) * 0.5;
        double g = 0.0;
        if (!eval(mid, g))
            return false;
        if (std::fabs(g) < fine)
            return true;
        if ((g > 0.0) == (glo > 0.0)) {
            lo = mid;
            glo = g;
        } else {
            hi = mid;
            ghi = g;
        }
    }
    const double rho = lo - glo * (hi - lo) / (ghi - glo);
    double g = 0.0;
    if (std::isfinite(rho) && eval(rho, g))
        return true;
    return eval(std::fabs(glo) < std::fabs(ghi) ? lo : hi, g);
}

}  // namespace

bool RadiusSearch(double lo, double hi, G_POINT p, RadiusBuilder build, CIRCLE& out)
{
    if (!narrowBracket(lo, hi, Evaluation{p, build, out}))
        return false;
    // A bracket around a jump between solutions narrows to no circle through p.
    return std::fabs(PointDistance(p, out.center) - std::fabs(out.radius)) < GeoSnap();
}

// ---- cases ------------------------------------------------------------------

CIRCLE CircleFromCenterCircle(CIRCLE c, G_POINT p, char keyword)
{
    const double d = PointDistance(p, c.center);
    return {p, (keyword & 2) ? c.radius + d : std::fabs(d - c.radius)};
}

bool CircleFromCirclePointRadiusKeyword(CIRCLE c, G_POINT p, G_POINT hint, double r, char keyword,
                                        CIRCLE& out)
{
    const double snap = GeoSnap();
    const double R = c.radius;
    const double v = PointDistance(p, c.center);
    if (!(v > snap))
        return false;
    if (keyword < 1)
        keyword = v < R - snap ? GEO_KW_INTERNAL : GEO_KW_EXTERNAL;
    const double w = keyword == GEO_KW_EXTERNAL ? R + r : std::fabs(r - R);
    G_POINT centre;
    if (std::fabs(v - R) < snap) {
        PolarPoint(centre, c.center, directionOrZero(c.center, p), w);
    } else {
        const double q = (v * v + r * r - w * w) / v / r * 0.5;
        if (!std::isfinite(q) || std::fabs(q) > 1.0)
            return false;
        const double s = std::acos(q);
        const double t = directionOrZero(p, c.center);
        PolarPoint(centre, p, NormalizeAngle(s + t), r);
        if (PointLeftOfLine(hint, p, c.center) != PointLeftOfLine(centre, p, c.center))
            PolarPoint(centre, p, NormalizeAngle(t - s), r);
    }
    out = {centre, r};
    return true;
}

bool CircleFromCircle2PointsKeyword(CIRCLE c, G_POINT p1, G_POINT p2, char keyword, CIRCLE& out)
{
    const double snap = GeoSnap();
    const bool firstOn = std::fabs(PointDistance(p1, c.center) - c.radius) < snap;
    const bool secondOn = !firstOn && std::fabs(PointDistance(p2, c.center) - c.radius) < snap;
    if (firstOn || secondOn) {
        const G_POINT on = firstOn ? p1 : p2;
        const G_POINT other = firstOn ? p2 : p1;
        LINE tangents[2];
        if (TangentLinesFromPoint(c, on, tangents) == 0) {
            LINE radius;
            LineThroughPoints(c.center, on, radius);
            tangents[0] = PerpendicularAt(radius, on);
        }
        return CircleTangentAtPoint(tangents[0], on, other, out);
    }
    LINE bisector;
    if (PerpendicularBisector(p1, p2, bisector))
        return CircleFromCircleLinePointCenter(c, bisector, p1, p2, static_cast<signed char>(keyword), out);
    double a = 0.0;
    if (!DirectionAngle(p1, c.center, a))
        return false;
    const double v = PointDistance(p1, c.center);
    // Inside the circle the nearest point of it lies away from the centre.
    if (v < c.radius)
        a = NormalizeAngle(a + GEO_PI);
    const double radius = std::fabs(v - c.radius) * 0.5;
    G_POINT centre;
    PolarPoint(centre, p1, a, radius);
    out = {centre, radius};
    return true;
}

bool CircleFrom2CirclesRadius(CIRCLE c1, CIRCLE c2, G_POINT const* hint, double r, signed char code,
                              char side, CIRCLE& out)
{
    int bits = code;
    if (code & 0x80)
        bits = hint ? PointCircleRelation(c1, c2, *hint, r) : 0;
    double d1 = 0.0, d2 = 0.0;
    centreDistances(c1, c2, bits, r, d1, d2);
    if (!(d1 > 0.0) || !(d2 > 0.0))
        return false;
    // Concentric circles give no or infinitely many centres.
    if (PointDistance(c1.center, c2.center) < GeoSnap())
        return false;
    G_POINT x[2];
    const int n = IntersectCircles(CIRCLE{c1.center, d1}, CIRCLE{c2.center, d2}, x);
    if (n == 0)
        return false;
    G_POINT centre = x[0];
    if (n == 2) {
        if (hint) {
            if (PointDistance(*hint, x[1]) < PointDistance(*hint, x[0]) - GeoSnap())
                centre = x[1];
        } else {
            const bool firstLeft = PointLeftOfLine(x[0], c1.center, c2.center);
            if ((side == GEO_KW_RIGHT && firstLeft) || (side == GEO_KW_LEFT && !firstLeft))
                centre = x[1];
        }
    }
    out = {centre, r};
    return CircleIsFinite(out);
}

bool CircleFrom2CirclesPoint(CIRCLE c1, CIRCLE c2, G_POINT p, G_POINT hint, signed char requested,
                             CIRCLE& out)
{
    const signed char code =
        requested > 0 ? FeasibleTangencyMode(c1, c2, requested) : TangencyModeFromPoint(c1, c2, p);
    CIRCLE start;
    bool shrink = false;
    if (!CentreLineTangentCircle(c1, c2, &hint, code, start, shrink))
        return false;
    const auto build = [&](double rho, CIRCLE& c) {
        return CircleFrom2CirclesRadius(c1, c2, &hint, rho, code, 0, c);
    };
    double lower = 0.0, upper = 0.0;
    radiusBounds(c1, c2, code, lower, upper);
    const double snap = GeoSnap();
    const double startDistance = PointDistance(p, start.center);
    double inner = start.radius;  // radius whose circle holds p
    double outer = start.radius;  // radius whose circle misses p
    CIRCLE c;
    int step = 0;
    if (shrink) {
        if (startDistance > start.radius + snap)
            return false;
        for (;; ++step) {
            if (step == kMaxSteps)
                return false;
            outer = lower + (inner - lower) * 0.5;
            if (!build(outer, c))
                return false;
            if (!(PointDistance(p, c.center) < outer - snap))
                break;
            inner = outer;
        }
    } else {
        if (startDistance < start.radius - snap)
            return false;
        for (;; ++step) {
            if (step == kMaxSteps)
                return false;
            const double base = std::fmax(outer, snap);
            inner = std::isfinite(upper) ? upper - (upper - base) * 0.5 : base * 2.0;
            if (inner > LargestResolvableRadius() || !build(inner, c))
                return false;
            if (PointDistance(p, c.center) <= inner + snap)
                break;
            outer = inner;
        }
    }
    return RadiusSearch(outer, inner, p, build, out);
}

// In a frame with c0 at the origin and c1 on the positive x axis, the centre
// X = (x, y) and the common excess rho = |X - ci| - Ri satisfy
// |X - ci|^2 = (Ri + rho)^2. Differences of these are linear in x, y, rho;
// the first one then gives a quadratic in rho.
bool CircleFrom3Circles(CIRCLE c0, CIRCLE c1, CIRCLE c2, signed char /*code*/, CIRCLE& out)
{
    const double snap = GeoSnap();
    double t = 0.0;
    if (!DirectionAngle(c0.center, c1.center, t))
        return false;
    const double s = std::sin(t);
    const double c = std::cos(t);
    const double v = PointDistance(c0.center, c1.center);
    const G_POINT q = ToLocalFrame(c2.center, c0.center, s, c);
    const double R0 = c0.radius, R1 = c1.radius, R2 = c2.radius;
    // x = a0 + a1 rho from the pair (c0, c1).
    const double a0 = (v * v - (R1 * R1 - R0 * R0)) / (2.0 * v);
    const double a1 = -(R1 - R0) / v;
    // The pair (c0, c2): -2 q.x x - 2 q.y y + |q|^2 = R2^2 - R0^2 + 2 (R2 - R0) rho.
    const double k0 = q.x * q.x + q.y * q.y - (R2 * R2 - R0 * R0);
    const double k1 = -2.0 * (R2 - R0);
    double rho[2];
    int n = 0;
    bool collinear = std::fabs(q.y) < snap;
    double b0 = 0.0, b1 = 0.0;
    if (!collinear) {
        b0 = (k0 - 2.0 * q.x * a0) / (2.0 * q.y);
        b1 = (k1 - 2.0 * q.x * a1) / (2.0 * q.y);
        n = LengthQuadraticRoots(a0 * a0 + b0 * b0 - R0 * R0, 2.0 * (a0 * a1 + b0 * b1 - R0),
                                 a1 * a1 + b1 * b1 - 1.0, rho);
    } else {
        // x from both pairs: a0 + a1 rho = (k0 + k1 rho) / (2 q.x).
        if (std::fabs(q.x) < snap)
            return false;
        const double slope = a1 - k1 / (2.0 * q.x);
        if (std::fabs(slope) < 1e-12)
            return false;
        rho[0] = (k0 / (2.0 * q.x) - a0) / slope;
        n = 1;
    }
    for (int i = 0; i < n; ++i) {
        const double e = rho[i];
        // Each centre distance Ri + rho must be a distance.
        if (R0 + e < -snap || R1 + e < -snap || R2 + e < -snap)
            continue;
        G_POINT local{a0 + a1 * e, 0.0};
        if (collinear) {
            const double h = (R0 + e) * (R0 + e) - local.x * local.x;
            if (h < -snap * snap)
                continue;
            local.y = std::sqrt(std::fmax(h, 0.0));
        } else {
            local.y = b0 + b1 * e;
        }
        const G_POINT centre = RotateAndOffset(local, -c0.center.x, -c0.center.y, -s, c);
        out = {centre, std::fabs(PointDistance(c0.center, centre) - R0)};
        return CircleIsFinite(out);
    }
    return false;
}

bool CircleFrom2CirclesLine(CIRCLE c1, CIRCLE c2, LINE l, G_POINT /*p*/, signed char /*code*/,
                            CIRCLE& out)
{
    return CircleFrom2CirclesLineSides(c1, true, c2, true, l, 0.0, out);
}

namespace {

// The new circle (centre x, radius r) touches c from outside or inside.
bool touches(CIRCLE c, bool outside, G_POINT x, double r)
{
    const double d = PointDistance(c.center, x);
    const double want = outside ? c.radius + r : std::fabs(c.radius - r);
    return std::fabs(d - want) < GeoSnap();
}

}  // namespace

bool CircleFrom2CirclesLineSides(CIRCLE c1, bool s1, CIRCLE c2, bool s2, LINE l, double target,
                                 CIRCLE& out)
{
    G_POINT f1, f2;
    ProjectPointOnLine(f1, l, c1.center);
    ProjectPointOnLine(f2, l, c2.center);
    double e = PointDistance(f1, f2);
    G_POINT along;  // unit vector F1 -> F2 along the line
    if (e < GeoSnap()) {
        // Both centres on one normal: any direction of the line will do.
        LinePointAndDirection(l, along);
        f2 = f1;
        e = 0.0;
    } else {
        along = {(f2.x - f1.x) / e, (f2.y - f1.y) / e};
    }
    const G_POINT normal{-along.y, along.x};
    auto height = [&](G_POINT c) { return normal.x * (c.x - f1.x) + normal.y * (c.y - f1.y); };
    const double v = height(c1.center);
    const double u = height(c2.center);
    double p = v > 0.0 ? c1.radius : -c1.radius;
    double q = u > 0.0 ? c2.radius : -c2.radius;
    if (!s1)
        p = -p;
    if (!s2)
        q = -q;
    // Circles whose tangency point with the line is their foot have no parabola.
    if (std::fabs(p + v) < 1e-12 || std::fabs(q + u) < 1e-12)
        return false;
    const double k1 = 0.5 / (p + v);
    const double k2 = 0.5 / (q + u);
    const double m = (v - p) * 0.5;
    const double n = (u - q) * 0.5;
    double x[2];
    const int count = LengthQuadraticRoots(m - n - k2 * e * e, 2.0 * k2 * e, k1 - k2, x);
    bool found = false;
    for (int i = 0; i < count; ++i) {
        const double y = x[i] * x[i] * k1 + m;
        const G_POINT centre{f1.x + x[i] * along.x + y * normal.x,
                             f1.y + x[i] * along.y + y * normal.y};
        const double r = std::fabs(y);
        if (!std::isfinite(r) || !touches(c1, s1, centre, r) || !touches(c2, s2, centre, r))
            continue;
        if (found && !(std::fabs(r - target) < std::fabs(out.radius - target)))
            continue;
        out = {centre, r};
        found = true;
    }
    return found;
}

bool CircleFrom2CirclesCenterOnLine(CIRCLE c1, CIRCLE c2, LINE l, G_POINT hint,
                                    signed char requested, CIRCLE& out)
{
    const double snap = GeoSnap();
    int code = FeasibleTangencyMode(c1, c2, requested);
    if (((code & 1) && LineDistance(l, c1.center) > c1.radius + snap) ||
        ((code & 4) && LineDistance(l, c2.center) > c2.radius + snap))
        code = 0;
    const double R1 = c1.radius;
    const double R2 = c2.radius;
    // Centres X = L0 + t e with |X - c1| +- |X - c2| = +-K, for both K the
    // tangencies can need; the acceptance test below keeps the right ones.
    G_POINT e;
    const G_POINT l0 = LinePointAndDirection(l, e);
    const double a1 = e.x * (l0.x - c1.center.x) + e.y * (l0.y - c1.center.y);
    const double a2 = e.x * (l0.x - c2.center.x) + e.y * (l0.y - c2.center.y);
    const double b1 = PointDistance(l0, c1.center) * PointDistance(l0, c1.center);
    const double b2 = PointDistance(l0, c2.center) * PointDistance(l0, c2.center);
    const double A = 2.0 * (a1 - a2);
    double best = kFarAway;
    bool found = false;
    for (const double K : {std::fabs(R1 - R2), R1 + R2}) {
        const double B = b1 - b2 - K * K;
        double t[2];
        const int n = LengthQuadraticRoots(B * B - 4.0 * K * K * b2, 2.0 * A * B - 8.0 * K * K * a2,
                                           A * A - 4.0 * K * K, t);
        for (int i = 0; i < n; ++i) {
            const G_POINT x{l0.x + t[i] * e.x, l0.y + t[i] * e.y};
            const double d1 = PointDistance(x, c1.center);
            const double d2 = PointDistance(x, c2.center);
            const double radius = (code & 2) ? d1 + R1 : std::fabs(d1 - R1);
            const bool match = (code & 8) ? std::fabs(radius - (R2 + d2)) < snap
                                          : std::fabs(radius - std::fabs(d2 - R2)) < snap;
            const double toHint = PointDistance(x, hint);
            if (!match || !(toHint < best))
                continue;
            best = toHint;
            out = {x, radius};
            found = true;
        }
    }
    return found && CircleIsFinite(out);
}
