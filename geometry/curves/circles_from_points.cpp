// Circles from points, lines and radii, and the helpers the tangent cases share.
#include <cfloat>
#include <cmath>

#include "angular.h"
#include "circle_constructions.h"
#include "distances.h"
#include "inside_tests.h"
#include "intersections.h"
#include "line_constructions.h"
#include "settings.h"

namespace {

// Candidates farther than this from the hint are never taken by the
// parabola cases.
constexpr double kHintReach = 100000.0;

bool isVertical(const LINE& l) { return l.ltan >= GEO_VERTICAL; }

G_POINT midpointOf(G_POINT a, G_POINT b)
{
    G_POINT m;
    return Midpoint(m, a, b);
}

}  // namespace

// ---- helpers ----------------------------------------------------------------

G_POINT FootOn(LINE l, G_POINT p)
{
    G_POINT f;
    return ProjectPointOnLine(f, l, p);
}

LINE PerpendicularAt(LINE l, G_POINT p)
{
    LINE n;
    return LineAtAngleToLine(n, l, p, GEO_PI_2);
}

bool PerpendicularBisector(G_POINT p1, G_POINT p2, LINE& out)
{
    LINE chord;
    if (!LineThroughPoints(p1, p2, chord))
        return false;
    out = PerpendicularAt(chord, midpointOf(p1, p2));
    return true;
}

double ParallelGap(LINE l1, LINE l2)
{
    G_POINT dir;
    return LineDistance(l1, LinePointAndDirection(l2, dir));
}

int LengthQuadraticRoots(double c0, double c1, double c2, double roots[2])
{
    if (std::fabs(c2) <= 1e-12) {
        if (std::fabs(c1) <= 1e-12)
            return 0;
        roots[0] = -c0 / c1;
        return std::isfinite(roots[0]) ? 1 : 0;
    }
    const double h = c1 / (2.0 * c2);
    const double d = h * h - c0 / c2;
    const double snap = GeoSnap();
    if (std::fabs(d) <= snap * snap) {
        roots[0] = -h;
        return 1;
    }
    if (d < 0.0 || !std::isfinite(d))
        return 0;
    const double w = std::sqrt(d);
    roots[0] = w - h;
    roots[1] = -w - h;
    return 2;
}

G_POINT LinePointAndDirection(LINE l, G_POINT& direction)
{
    if (isVertical(l)) {
        direction = {0.0, 1.0};
        return {l.laxe, 0.0};
    }
    const double norm = std::sqrt(1.0 + l.ltan * l.ltan);
    direction = {1.0 / norm, l.ltan / norm};
    return {0.0, l.laxe};
}

LineAcross LineAcrossLine(LINE m, LINE l)
{
    LineAcross across;
    G_POINT ld;
    across.origin = LinePointAndDirection(m, across.direction);
    const G_POINT l0 = LinePointAndDirection(l, ld);
    const G_POINT n{-ld.y, ld.x};
    across.height = n.x * (across.origin.x - l0.x) + n.y * (across.origin.y - l0.y);
    across.rise = n.x * across.direction.x + n.y * across.direction.y;
    return across;
}

bool CircleIsFinite(const CIRCLE& c)
{
    return std::isfinite(c.center.x) && std::isfinite(c.center.y) && std::isfinite(c.radius);
}

double LargestResolvableRadius() { return GeoSnap() / (64.0 * DBL_EPSILON); }

G_POINT ToLocalFrame(G_POINT p, G_POINT origin, double s, double c)
{
    const double dx = p.x - origin.x;
    const double dy = p.y - origin.y;
    return {dx * c + dy * s, dy * c - dx * s};
}

G_POINT RotateAndOffset(G_POINT p, double a, double b, double s, double c)
{
    return {p.x * c + p.y * s - a, p.y * c - p.x * s - b};
}

// ---- cases ------------------------------------------------------------------

CIRCLE CircleFromCenterPoint(G_POINT centre, G_POINT p)
{
    const double dx = p.x - centre.x;
    const double dy = p.y - centre.y;
    return {centre, std::sqrt(dx * dx + dy * dy)};
}

bool CircleFromCenterLine(LINE l, G_POINT centre, CIRCLE& out)
{
    const double r = LineDistance(l, centre);
    if (!(r > GeoSnap()))
        return false;
    out = {centre, r};
    return true;
}

bool CircleFrom3Points(G_POINT p1, G_POINT p2, G_POINT p3, CIRCLE& out)
{
    G_POINT centre;
    CircumCentre(centre, p1, p2, p3);
    const double r = PointDistance(centre, p1);
    if (!(r >= GeoSnap()))
        return false;
    // Collinear points fall back to a box centre that is not on all three.
    if (std::fabs(PointDistance(centre, p2) - r) >= GeoSnap() ||
        std::fabs(PointDistance(centre, p3) - r) >= GeoSnap())
        return false;
    out = {centre, r};
    return true;
}

bool CircleFrom3PointsInside(G_POINT p1, G_POINT p2, G_POINT p3, CIRCLE& out)
{
    LINE chord;
    if (!LineThroughPoints(p1, p2, chord))
        return false;
    G_POINT centre;
    CircumCentre(centre, p1, p2, p3);
    return CircleFromCenterLine(chord, centre, out);
}

bool CircleFrom2PointsAngle(G_POINT p1, G_POINT p2, double a, CIRCLE& out)
{
    const double snap = GeoSnap();
    if (!(std::fabs(a) > snap && std::fabs(a) < snap + GEO_2PI))
        return false;
    G_POINT q1 = p1;
    G_POINT q2 = p2;
    if (a < 0.0) {
        a = -a;
        q1 = p2;
        q2 = p1;
    }
    const double u = a * 0.5;
    double t = 0.0;
    if (!(u > snap) || !DirectionAngle(q1, q2, t))
        return false;
    const double radius = (PointDistance(q1, q2) * 0.5) * (1.0 / std::sin(u));
    if (!std::isfinite(radius))
        return false;
    G_POINT centre;
    PolarPoint(centre, q1, (t + GEO_PI_2) - u, radius);
    out = {centre, radius};
    return true;
}

bool CircleFrom2PointsRadius(G_POINT p1, G_POINT p2, G_POINT hint, double r, CIRCLE& out)
{
    const double snap = GeoSnap();
    if (!(r > snap))
        return false;
    const double u = PointDistance(p1, p2) * 0.5;
    if (!(r > u - snap))
        return false;
    G_POINT centre;
    if (u < snap) {
        double w = 0.0;  // 0 when the present centre is p1 itself
        DirectionAngle(p1, out.center, w);
        PolarPoint(centre, p1, w, r);
    } else {
        double t = 0.0;
        DirectionAngle(p1, p2, t);
        // r may fall short of the half chord by less than GeoSnap.
        const double s = u >= r ? 0.0 : std::acos(u / r);
        const double a = PointLeftOfLine(hint, p1, p2) ? t + s : t - s;
        PolarPoint(centre, p1, NormalizeAngle(a), r);
    }
    out = {centre, r};
    return true;
}

bool CircleFrom2LinesPointRadius(LINE l1, LINE l2, G_POINT p, double r, CIRCLE& out)
{
    LINE m1, m2;
    ParallelLineTowards(m1, l2, p, r);
    ParallelLineTowards(m2, l1, p, r);
    G_POINT centre;
    if (!IntersectLines(m1, m2, centre))
        return false;
    out = {centre, std::fabs(r)};
    return true;
}

bool CircleTangentAtPoint(LINE l, G_POINT p1, G_POINT p2, CIRCLE& out)
{
    LINE bisector;
    if (!PerpendicularBisector(p1, p2, bisector))
        return false;
    G_POINT centre = midpointOf(p1, p2);
    IntersectLines(bisector, PerpendicularAt(l, p1), centre);
    out = {centre, PointDistance(p1, centre)};
    return true;
}

bool CircleFromLinePointRadius(LINE l, G_POINT p, G_POINT hint, double r, CIRCLE& out)
{
    LINE centres;
    ParallelLineTowards(centres, l, hint, r);
    const LINE normal = PerpendicularAt(l, p);
    G_POINT centre;
    if (PointOnLine(p, l)) {
        if (!IntersectLines(centres, normal, centre))
            return false;
    } else {
        G_POINT x[2];
        const int n = IntersectLineCircle(CIRCLE{p, r}, centres, x);
        if (n == 0)
            return false;
        centre = x[0];
        if (n == 2 && PointSideOfLine(normal, hint) != PointSideOfLine(normal, x[0]))
            centre = x[1];
    }
    out = {centre, r};
    return true;
}

bool CircleFromLinePointAngleRadius(LINE l, G_POINT p, double a, double r, CIRCLE& out)
{
    G_POINT hint;
    PolarPoint(hint, FootOn(l, p), a - GEO_PI, r);
    return CircleFromLinePointRadius(l, p, hint, r, out);
}

bool CircleFrom2LinesPoint(LINE l1, LINE l2, G_POINT p, G_POINT hint, CIRCLE& out)
{
    LINE bisector;
    BisectorLineAtPoint(bisector, l1, l2, hint);
    const bool onFirst = PointOnLine(p, l1);
    if (onFirst || PointOnLine(p, l2)) {
        G_POINT centre;
        if (!IntersectLines(bisector, PerpendicularAt(onFirst ? l1 : l2, p), centre))
            return false;
        out = {centre, PointDistance(p, centre)};
        return true;
    }
    return CircleFrom2LinesPointCenterOnLine(l1, bisector, p, hint, out);
}

bool CircleFromLine2Points(LINE l, G_POINT p1, G_POINT p2, CIRCLE& out)
{
    if (PointOnLine(p1, l))
        return CircleTangentAtPoint(l, p1, p2, out);
    if (PointOnLine(p2, l))
        return CircleTangentAtPoint(l, p2, p1, out);
    LINE bisector;
    if (PerpendicularBisector(p1, p2, bisector))
        return CircleFrom2LinesPointCenterOnLine(l, bisector, p1, midpointOf(p1, p2), out);
    const double d = LineDistance(l, p1);
    if (!(d > GeoSnap()))
        return false;
    out = {midpointOf(p1, FootOn(l, p1)), d / 2.0};
    return true;
}

CIRCLE CircleFromLine2PointsCenter(LINE l, G_POINT p1, G_POINT p2)
{
    G_POINT centre;
    LINE bisector;
    if (PerpendicularBisector(p1, p2, bisector)) {
        if (!IntersectLines(l, bisector, centre))
            centre = midpointOf(p1, p2);
    } else {
        centre = FootOn(l, p1);
    }
    return {centre, PointDistance(p1, centre)};
}

// The centre X = M0 + t e on m is as far from p as from l:
// |X - p|^2 = (signed distance of X from l)^2, a quadratic in t (the
// intersection of m with the parabola of focus p and directrix l).
bool CircleFrom2LinesPointCenterOnLine(LINE l, LINE m, G_POINT p, G_POINT hint, CIRCLE& out)
{
    const LineAcross across = LineAcrossLine(m, l);
    const G_POINT m0 = across.origin, e = across.direction;
    const double s0 = across.height, s1 = across.rise;
    const G_POINT q{m0.x - p.x, m0.y - p.y};
    double t[2];
    const int count = LengthQuadraticRoots(q.x * q.x + q.y * q.y - s0 * s0,
                                           2.0 * (e.x * q.x + e.y * q.y - s0 * s1),
                                           1.0 - s1 * s1, t);
    if (count == 0)
        return false;
    double best = kHintReach;
    for (int i = 0; i < count; ++i) {
        const G_POINT centre{m0.x + t[i] * e.x, m0.y + t[i] * e.y};
        const double d = PointDistance(centre, hint);
        if (d < best) {
            best = d;
            out = {centre, std::fabs(s0 + s1 * t[i])};
        }
    }
    return true;
}

bool CircleFrom3Lines(LINE l1, LINE l2, LINE l3, G_POINT hint, CIRCLE& out)
{
    LINE b1, b2;
    BisectorLineAtPoint(b1, l1, l2, hint);
    BisectorLineAtPoint(b2, l2, l3, hint);
    G_POINT centre;
    if (!IntersectLines(b1, b2, centre))
        return false;
    return CircleFromCenterLine(l1, centre, out);
}

bool CircleFrom3LinesCenterOnFirst(LINE l1, LINE l2, LINE l3, G_POINT p, CIRCLE& out)
{
    LINE bisector;
    BisectorLineAtPoint(bisector, l2, l3, p);
    G_POINT centre;
    if (!IntersectLines(l1, bisector, centre))
        return false;
    const double r = LineDistance(l2, centre);
    if (r < GeoSnap())
        return false;
    out = {centre, r};
    return true;
}

bool CircleFrom3LinesNearPoints(LINE l1, LINE l2, LINE l3, G_POINT p1, G_POINT p2, G_POINT p3,
                                CIRCLE& out)
{
    const double snap = GeoSnap();
    if (std::fabs(l1.ltan - l2.ltan) < snap && std::fabs(l1.ltan - l3.ltan) < snap)
        return false;
    G_POINT x1, x2;
    double a1 = 0.0, a2 = 0.0;
    if (!AngleBisector(l1, p1, l2, p2, x1, a1) || !AngleBisector(l2, p2, l3, p3, x2, a2))
        return false;
    LINE b1, b2;
    LineAtAngle(b1, x1, a1);
    LineAtAngle(b2, x2, a2);
    G_POINT centre;
    if (!IntersectLines(b1, b2, centre))
        return false;
    out = {centre, LineDistance(l1, centre)};
    return true;
}

bool CircleFrom2LinesPointsRadius(LINE l1, G_POINT p1, LINE l2, G_POINT p2, double r, CIRCLE& out)
{
    const G_POINT f1 = FootOn(l1, p1);
    const G_POINT f2 = FootOn(l2, p2);
    G_POINT crossing;
    if (!IntersectLines(l1, l2, crossing)) {
        // Parallel lines: only the circle filling the gap touches both.
        if (!(std::fabs(ParallelGap(l1, l2) - 2.0 * r) < GeoSnap()))
            return false;
        out = {midpointOf(f1, f2), r};
        return true;
    }
    G_POINT vertex;
    double b = 0.0;
    if (!AngleBisector(l1, p1, l2, p2, vertex, b))
        return false;
    const double halfSine = std::sin(VertexAngle(f1, vertex, f2) * 0.5);
    if (!(std::fabs(halfSine) > 1e-12))
        return false;
    G_POINT centre;
    PolarPoint(centre, vertex, b, r / halfSine);
    out = {centre, r};
    return CircleIsFinite(out);
}

bool CircleFrom2LinesRadiusCenterOnLine(LINE m, LINE l, G_POINT hint, double r, CIRCLE& out)
{
    G_POINT vertex;
    G_POINT centre;
    if (IntersectLines(l, m, vertex)) {
        const double a = AngleBetweenLines(l, m);
        const double offset = std::fabs(a - GEO_PI_2) < GeoDif() ? r : r / std::sin(a);
        if (!std::isfinite(offset))
            return false;
        const double direction = LineDirection(m);
        PolarPoint(centre, vertex, direction, offset);
        if (PointSideOfLine(l, hint) != PointSideOfLine(l, centre))
            PolarPoint(centre, vertex, direction, -offset);
    } else {
        if (!(std::fabs(ParallelGap(l, m) - r) < GeoSnap()))
            return false;
        centre = FootOn(m, hint);
    }
    out = {centre, r};
    return true;
}

namespace {

// The two centres at distance r on the normal of the segment at its base point.
void segmentCentres(G_POINT s1, G_POINT s2, double r, char position, G_POINT& c, G_POINT& mirror)
{
    double d = 0.0;
    const double n = DirectionAngle(s1, s2, d) ? NormalizeAngle(d + GEO_PI_2) : GEO_PI_2;
    G_POINT base = midpointOf(s1, s2);
    if (position == GEO_KW_START)
        base = s1;
    else if (position == GEO_KW_END)
        base = s2;
    PolarPoint(c, base, n, r);
    PolarPoint(mirror, base, n, -r);
}

}  // namespace

CIRCLE CircleFromSegmentRadius(G_POINT s1, G_POINT s2, double r, char position, char side)
{
    G_POINT c, mirror;
    segmentCentres(s1, s2, r, position, c, mirror);
    const bool left = PointLeftOfLine(c, s1, s2);
    G_POINT centre = c;
    if (side == GEO_KW_RIGHT)
        centre = left ? mirror : c;
    else if (side == GEO_KW_LEFT)
        centre = left ? c : mirror;
    return {centre, r};
}

CIRCLE CircleFromSegmentPointRadius(G_POINT s1, G_POINT s2, G_POINT p, double r, char position)
{
    G_POINT c, mirror;
    segmentCentres(s1, s2, r, position, c, mirror);
    const bool useMirror = PointDistance(p, c) > PointDistance(p, mirror) + GeoSnap();
    return {useMirror ? mirror : c, r};
}

bool CircleFromLine2PointsRadius(LINE l, G_POINT p1, G_POINT p2, double v, CIRCLE& out)
{
    LINE chord;
    if (!LineThroughPoints(p1, p2, chord))
        return false;
    const double a = AngleBetweenLines(l, chord);
    if (!(std::fabs(a) > GeoSnap()))
        return false;
    const double u = PointDistance(p1, p2);
    const double radius = (u * u + v * v) / std::sin(a) * 0.5;
    G_POINT x[2];
    const int n = IntersectLineCircle(CIRCLE{p2, radius}, PerpendicularAt(chord, p1), x);
    if (n == 0)
        return false;
    G_POINT centre = x[0];
    if (n == 2 && PointDistance(x[0], p1) > PointDistance(x[1], p1))
        centre = x[1];
    out = {centre, radius};
    return CircleIsFinite(out);
}
