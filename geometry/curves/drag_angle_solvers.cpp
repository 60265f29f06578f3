// Drag-adjustment solvers for angular dimensions and for pairs of nodes.
#include <cmath>
#include <initializer_list>

#include "angle.h"
#include "angular.h"
#include "circle.h"
#include "drag_solver_support.h"
#include "drag_solvers.h"
#include "line.h"
#include "point.h"
#include "roots.h"
#include "settings.h"

using namespace drag_support;

namespace {

constexpr double kRadiansPerDegree = 0.017453292519943295;
constexpr double kPi = 3.141592653589793;

// The root nearer to `current`; the second only when strictly nearer.
double NearerRoot(const double roots[2], int n, double current)
{
    if (n == 2 && std::fabs(roots[1] - current) < std::fabs(roots[0] - current))
        return roots[1];
    return roots[0];
}

bool IsFinite(const LINE& l) { return std::isfinite(l.ltan) && std::isfinite(l.laxe); }

double Dot(const G_POINT& a, const G_POINT& b) { return a.x * b.x + a.y * b.y; }
G_POINT Minus(const G_POINT& a, const G_POINT& b) { return G_POINT{a.x - b.x, a.y - b.y}; }

// Law of cosines at x for the points u and s: the cosine of the angle under
// which x sees them lies strictly within 1e-6 of `cosine`.
bool SeesUnderAngle(const G_POINT& x, const G_POINT& u, const G_POINT& s, double cosine)
{
    const double p = std::hypot(x.x - u.x, x.y - u.y);
    const double q = std::hypot(x.x - s.x, x.y - s.y);
    const double e = std::hypot(u.x - s.x, u.y - s.y);
    const double value = (p * p + q * q - e * e) / (2.0 * p * q);
    return std::fabs(value - cosine) < kTiny;
}

// Points r (+-sqrt(1 - t^2), t) of a circle about the origin for each sine t,
// written (relative to `centre`) when they see u and s under the angle.
void WriteCirclePoints(const double* sines, int n, double r, const G_POINT& u, const G_POINT& s,
                       double cosine, const G_POINT& centre, WriteCursor& cursor)
{
    for (int i = 0; i < n; ++i) {
        double c;
        if (!SafeSqrt(1.0 - sines[i] * sines[i], c))
            continue;
        for (double sign : {1.0, -1.0}) {
            const G_POINT x{r * sign * c, r * sines[i]};
            if (SeesUnderAngle(x, u, s, cosine))
                cursor.put(centre, x);
        }
    }
}

}  // namespace

bool GetDirectionFlag(const point& p, const point& q)
{
    const double dx = q.x() - p.x();
    if (std::fabs(dx) < GeoSnap())
        return true;
    const double dy = q.y() - p.y();
    if (std::fabs(dy) < GeoSnap())
        return dx > -GeoSnap();
    return std::atan2(dy, dx) > -GeoDif();
}

bool AdjustRotateAngle(const point& p, const point& q, bool negate, double degrees, bool* flag,
                       line* out)
{
    const double dx = q.x() - p.x();
    const double dy = q.y() - p.y();
    if (std::fabs(dx) < kTiny && std::fabs(dy) < kTiny)
        return false;
    const double a = degrees * kRadiansPerDegree;
    double t = std::atan2(dy, dx) + (negate ? -a : a);
    if (t > kPi)
        t -= GEO_2PI;
    if (t < -kPi)
        t += GEO_2PI;
    const double k = std::tan(t);
    const LINE turned = std::fabs(k) > GEO_VERTICAL ? LINE{GEO_VERTICAL, p.x()}
                                                    : LINE{k, p.y() - k * p.x()};
    // A NaN or infinite input: false, nothing written, like coincident points.
    if (!std::isfinite(t) || !IsFinite(turned))
        return false;
    *flag = t > -GeoDif();
    out->record() = turned;
    return true;
}

int AdjustDoubleRotateAngle(const point& p1, const point& p2, const line& l, double degrees,
                            point* out)
{
    const double a = degrees * kRadiansPerDegree;
    const double sa2 = std::sin(a) * std::sin(a);
    if (sa2 < kTiny * kTiny)  // a straight or null angle has no finite quartic
        return 0;
    const double d1 = l.signedDist(p1);
    const double d2 = l.signedDist(p2);
    const double w = AngleBetweenLines(line(p1, p2).record(), l.record());
    const double s = std::hypot(p2.x() - p1.x(), p2.y() - p1.y());
    const double z = s * std::cos(w);
    const double sw = std::sin(w);
    const double cw = std::cos(w);
    const double s2 = s * s;
    const double c[5] = {
        (z * z + d2 * d2) * d1 * d1 -
            s2 * (z * z * sw * sw + 2.0 * z * d2 * sw * cw + d2 * d2 * cw * cw) / sa2,
        2.0 * s2 * (z * sw * sw + d2 * sw * cw) / sa2 - 2.0 * z * d1 * d1,
        z * z + d2 * d2 + d1 * d1 - s2 * sw * sw / sa2,
        -2.0 * z,
        1.0,
    };
    double roots[4];
    const int n = SolveQuartic(c, roots);
    point foot(p1);
    foot = l;
    WriteCursor cursor(out, 4);
    for (int i = 0; i < n; ++i) {
        const point x(l, foot, PolishQuarticRoot(c, roots[i]));
        if (std::fabs(angle(p1, x, p2).rad() - a) < 0.01)
            cursor.put(G_POINT{0.0, 0.0}, x.rec());
    }
    return cursor.count();
}

int AdjustDoubleRotateAngleOnCircle(const circle& c, const point& p1, const point& p2,
                                    double degrees, point* out)
{
    if (p1 == p2)
        return 0;
    const CIRCLE& rec = c.record();
    const double r = rec.radius;
    const G_POINT u = Minus(p1.rec(), rec.center);
    const G_POINT s = Minus(p2.rec(), rec.center);
    const double a = degrees * kRadiansPerDegree;
    const double cosine = std::cos(a);
    WriteCursor cursor(out, 4);
    if (std::fabs(r) < kTiny)
        return 0;
    if (std::fabs(degrees - 90.0) < kTiny) {
        // X.(u + s) = r^2 + u.s on the circle.
        const G_POINT sum{u.x + s.x, u.y + s.y};
        const double h = r * r + Dot(u, s);
        const double q[3] = {h * h - r * r * sum.x * sum.x, -2.0 * h * sum.y,
                             sum.x * sum.x + sum.y * sum.y};
        double ys[2];
        const int n = SolveQuadratic(q, ys);
        double sines[2];
        for (int i = 0; i < n; ++i)
            sines[i] = ys[i] / r;
        WriteCirclePoints(sines, n, r, u, s, cosine, rec.center, cursor);
        return cursor.count();
    }
    const double sa = std::sin(a);
    if (std::fabs(sa) < kTiny)  // the locus degenerates into the line p1 p2
        return 0;
    // The points seeing the chord u s under a lie on two circles through u and
    // s, mirrored in the chord. Each meets this circle where X.K = m.
    const G_POINT chord = Minus(s, u);
    const double e = std::hypot(chord.x, chord.y);
    const G_POINT normal{-chord.y / e, chord.x / e};
    const G_POINT middle{(u.x + s.x) * 0.5, (u.y + s.y) * 0.5};
    const double rho = e / (2.0 * sa);
    const double shift = 0.5 * e * cosine / sa;
    for (double side : {1.0, -1.0}) {
        const G_POINT k{middle.x + side * shift * normal.x, middle.y + side * shift * normal.y};
        const double kk = Dot(k, k);
        if (kk < kTiny)
            continue;
        const double m = (r * r + kk - rho * rho) / (2.0 * r);
        const double q[3] = {m * m - k.x * k.x, -2.0 * m * k.y, kk};
        double sines[2];
        const int n = SolveQuadratic(q, sines);
        WriteCirclePoints(sines, n, r, u, s, cosine, rec.center, cursor);
    }
    return cursor.count();
}

namespace {

// Signs follow the points' present order.
void OrientOffsets(const point& p1, const point& p2, double& dx, double& dy)
{
    if (p1.x() > p2.x())
        dx = -dx;
    if (p1.y() > p2.y())
        dy = -dy;
}

// Writes both points, or neither when any coordinate is not finite (a NaN or
// an infinity in the input must not reach the nodes as a success).
bool PlacePair(point& p1, point& p2, double x1, double y1, double x2, double y2)
{
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2))
        return false;
    p1.x() = x1;
    p1.y() = y1;
    p2.x() = x2;
    p2.y() = y2;
    return true;
}

// Writes both lines, or neither when either is not finite.
bool SetLinePair(line& l1, line& l2, const LINE& first, const LINE& second)
{
    if (!IsFinite(first) || !IsFinite(second))
        return false;
    l1.record() = first;
    l2.record() = second;
    return true;
}

}  // namespace

bool AdjustDoubleSolve(const line& l1, const line& l2, point& p1, point& p2, double dx, double dy)
{
    OrientOffsets(p1, p2, dx, dy);
    if (l1.IsParallel(l2))
        return false;
    const double k1 = l1.ltan(), b1 = l1.laxe();
    const double k2 = l2.ltan(), b2 = l2.laxe();
    if (IsVerticalSlope(k2)) {
        const double x1 = b2 - dx;
        const double y1 = k1 * x1 + b1;
        return PlacePair(p1, p2, x1, y1, b2, y1 + dy);
    }
    if (IsVerticalSlope(k1)) {
        const double x2 = b1 + dx;
        const double y2 = k2 * x2 + b2;
        return PlacePair(p1, p2, b1, y2 - dy, x2, y2);
    }
    const double x1 = (b2 - dy - b1 + k2 * dx) / (k1 - k2);
    const double y1 = k1 * x1 + b1;
    return PlacePair(p1, p2, x1, y1, x1 + dx, y1 + dy);
}

bool AdjustDoubleSolve(const circle& c, const line& l, point& p1, point& p2, double dx, double dy)
{
    OrientOffsets(p1, p2, dx, dy);
    const G_POINT centre = c.record().center;
    const double r = c.record().radius;
    const double k = l.ltan(), b = l.laxe();
    double roots[2];
    if (IsVerticalSlope(k)) {
        const double e = b - dx - centre.x;
        const double q[3] = {centre.y * centre.y + e * e - r * r, -2.0 * centre.y, 1.0};
        const int n = SolveQuadratic(q, roots);
        if (n == 0)
            return false;
        const double y1 = NearerRoot(roots, n, p1.y());
        return PlacePair(p1, p2, b - dx, y1, b, y1 + dy);
    }
    const double v = k * dx + b - dy - centre.y;
    const double q[3] = {centre.x * centre.x + v * v - r * r, 2.0 * (k * v - centre.x),
                         1.0 + k * k};
    const int n = SolveQuadratic(q, roots);
    if (n == 0)
        return false;
    const double x2 = NearerRoot(roots, n, p1.x()) + dx;
    const double y2 = k * x2 + b;
    return PlacePair(p1, p2, x2 - dx, y2 - dy, x2, y2);
}

bool AdjustDoubleSolve(const circle& c1, const circle& c2, point& p1, point& p2, double dx,
                       double dy)
{
    OrientOffsets(p1, p2, dx, dy);
    const CIRCLE& first = c1.record();
    const CIRCLE& second = c2.record();
    const double a = dx - (second.center.x - first.center.x);
    const double b = dy - (second.center.y - first.center.y);
    const double ab = a * a + b * b;
    // The offset carries one centre onto the other: no single placement.
    if (ab < kTiny)
        return false;
    const double r1 = first.radius, r2 = second.radius;
    const double k = r1 * r1 - r2 * r2 + ab;
    const double q[3] = {k * k / 4.0 - r1 * r1 * a * a, k * b, ab};
    double roots[2];
    const int n = SolveQuadratic(q, roots);
    if (n == 0)
        return false;
    double y = roots[0];
    if (n == 2 && std::fabs(first.center.y + roots[1] - p2.y()) <
                      std::fabs(first.center.y + roots[0] - p2.y()))
        y = roots[1];
    double x;
    if (!SafeSqrt(r1 * r1 - y * y, x))
        return false;
    const double snap = GeoSnap();
    if (std::fabs((x + a) * (x + a) + (y + b) * (y + b) - r2 * r2) > snap * snap)
        x = -x;
    const double x1 = first.center.x + x;
    const double y1 = first.center.y + y;
    return PlacePair(p1, p2, x1, y1, x1 + dx, y1 + dy);
}

bool AdjustDoubleRotateParallel(const point& p1, line& l1, const point& p2, line& l2, double d)
{
    const double dx = p1.x() - p2.x();
    const double dy = p1.y() - p2.y();
    if (std::fabs(std::fabs(dx) - std::fabs(d)) < GeoSnap())
        return SetLinePair(l1, l2, LINE{GEO_VERTICAL, p1.x()}, LINE{GEO_VERTICAL, p2.x()});
    const double q[3] = {dy * dy - d * d, -2.0 * dx * dy, dx * dx - d * d};
    double roots[2];
    const int n = SolveQuadratic(q, roots);
    if (n == 0)
        return false;
    double k = roots[0];
    if (n == 2) {
        const double current = l1.laxe();
        const double first = p1.y() - roots[0] * p1.x();
        const double second = p1.y() - roots[1] * p1.x();
        if (std::fabs(second - current) < std::fabs(first - current))
            k = roots[1];
    }
    return SetLinePair(l1, l2, LINE{k, p1.y() - k * p1.x()}, LINE{k, p2.y() - k * p2.x()});
}
