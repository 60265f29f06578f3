// Drag-adjustment candidate solvers: closed-form placements of a dragged node.
#include "drag_solvers.h"

#include <cmath>
#include <initializer_list>

#include "angle.h"
#include "distances.h"
#include "inside_tests.h"
#include "intersections.h"
#include "line.h"
#include "point.h"
#include "roots.h"
#include "drag_solver_support.h"

using namespace drag_support;

int FindClosestAngleSelfAffect(const point* candidates, const point* origins, double dx, double dy,
                               int count)
{
    const angle reference(point(0.0, 0.0), point(dx, dy));
    double best = 360.0;
    int chosen = 0;
    for (int i = 0; i < count; ++i) {
        const angle direction(origins[i], candidates[i]);
        const double deviation = std::fabs((reference - direction).rad() * 57.29577951308232);
        if (deviation < best) {
            best = deviation;
            chosen = i;
        }
    }
    return chosen;
}

int FindClosestAngle(const point* candidates, const point& reference, bool above, int count)
{
    int chosen = 0;
    bool found = false;
    for (int i = 0; i < count; ++i) {
        const double rise = candidates[i].y() - reference.y();
        if (above ? rise > 0.0 : rise < 0.0) {
            if (found)
                return -1;
            found = true;
            chosen = i;
        }
    }
    return chosen;
}

int Slide(const point& p, const line& l, double d, point* out)
{
    const double k = l.ltan();
    double ux = 1.0;
    double uy = 0.0;
    if (k == GEO_VERTICAL) {
        ux = 0.0;
        uy = 1.0;
    } else if (k != 0.0) {
        const double w = 1.0 / (1.0 + k * k);
        ux = std::sqrt(w);
        uy = std::copysign(std::sqrt(1.0 - w), k);
    }
    const G_POINT step{d * ux, d * uy};
    const G_POINT ahead{p.x() + step.x, p.y() + step.y};
    const G_POINT behind{p.x() - step.x, p.y() - step.y};
    // A NaN or infinite input gives no candidate rather than two NaN nodes.
    if (!std::isfinite(ahead.x) || !std::isfinite(ahead.y) || !std::isfinite(behind.x) ||
        !std::isfinite(behind.y))
        return 0;
    out[0].x() = ahead.x;
    out[0].y() = ahead.y;
    out[1].x() = behind.x;
    out[1].y() = behind.y;
    return 2;
}

int AdjustRotateLinear(const line& l, const point& p, const point& q, double d, point* out)
{
    const LINE rel = RelativeLine(l.record(), p);
    const double u = q.x() - p.x();
    const double w = q.y() - p.y();
    double slopes[2];
    if (IsVerticalSlope(rel.ltan)) {
        if (std::fabs(u) < kTiny)
            return 0;
        slopes[0] = (w + d) / u;
        slopes[1] = (w - d) / u;
    } else {
        const double k = rel.ltan;
        const double v = d / std::sqrt(1.0 + k * k);
        const double xs[2] = {u + v, u - v};
        for (int i = 0; i < 2; ++i)
            slopes[i] = std::fabs(xs[i]) < kTiny ? GEO_VERTICAL : k + rel.laxe / xs[i];
    }
    WriteCursor cursor(out, 4);
    for (double m : slopes) {
        if (std::fabs(m) > GEO_VERTICAL)
            m = GEO_VERTICAL;
        G_POINT x;
        if (IntersectLines(LINE{m, 0.0}, rel, x))
            cursor.put(p.rec(), x);
    }
    return cursor.count();
}

int MoveSelfAffect(const line& l, const line& l1, const line& l2, double d, point* out)
{
    if (l == l1 || l == l2)
        return 0;
    G_POINT o;
    if (!IntersectLines(l1.record(), l2.record(), o))
        return 0;
    const double k = l.ltan();
    const double k1 = l1.ltan();
    const double k2 = l2.ltan();
    const bool vertical = IsVerticalSlope(k);
    double c;
    if (vertical) {
        c = d / (k2 - k1);
        // The first candidate on the line's present side of the corner.
        if ((l.laxe() - o.x) * c < 0.0)
            c = -c;
    } else if (IsVerticalSlope(k1)) {
        c = d * (k2 - k) / std::sqrt(1.0 + k * k);
    } else if (IsVerticalSlope(k2)) {
        c = d * (k1 - k) / std::sqrt(1.0 + k * k);
    } else {
        c = d * (k2 - k) * (k1 - k) / ((k2 - k1) * std::sqrt(1.0 + k * k));
    }
    const LINE first{IsVerticalSlope(k1) ? GEO_VERTICAL : k1, 0.0};
    WriteCursor cursor(out, 4);
    for (double intercept : {c, -c}) {
        const LINE moved{vertical ? GEO_VERTICAL : k, intercept};
        G_POINT x;
        if (IntersectLines(first, moved, x))
            cursor.put(o, x);
    }
    return cursor.count();
}

namespace {

// The piece from x to y is d long, to the solvers' 1e-6 (relative beyond 1).
bool PieceHasLength(const G_POINT& x, const G_POINT& y, double d)
{
    const double length = std::hypot(y.x - x.x, y.y - x.y);
    return std::fabs(length - std::fabs(d)) <= kTiny * std::fmax(1.0, std::fabs(d));
}

// The line through p leaning by `lean` from `along`, crossed with l.
bool LeaningCrossing(const point& p, double along, double lean, const LINE& l, G_POINT& x)
{
    const double k = std::tan(along + lean);
    const LINE turned = std::fabs(k) > GEO_VERTICAL ? LINE{GEO_VERTICAL, p.x()}
                                                   : LINE{k, p.y() - k * p.x()};
    return IntersectLines(turned, l, x);
}

// Lines without a crossing (parallel to GeoDif), h apart: the line turned
// about p meets them d apart when it leans by asin(h / d) from their
// direction, either way. (The quartic has a spurious double root along the
// lines here and loses its accuracy.) When the lines are not exactly
// parallel, the gap is measured again at the candidate a few times.
int RotateBetweenParallels(const point& p, const LINE& l1, const LINE& l2, double d, point* out)
{
    const double reach = std::fabs(d);
    const double along = LineAngle(l1);
    G_POINT foot;
    ProjectPointOnLine(foot, l1, p.rec());
    WriteCursor cursor(out, 2);
    for (double side : {1.0, -1.0}) {
        G_POINT x = foot;
        bool found = false;
        double lean = 0.0;
        for (int pass = 0; pass < 4; ++pass) {
            const double h = std::fabs(SignedLineDistance(l2, x));
            // Coincident lines have no piece; a piece shorter than the gap cannot be.
            if (h < kTiny || !(h <= reach * (1.0 + kTiny))) {
                found = false;
                break;
            }
            lean = side * std::asin(std::fmin(1.0, h / reach));
            found = LeaningCrossing(p, along, lean, l1, x);
            if (!found)
                break;
        }
        if (!found)
            continue;
        // Leaning by a quarter turn either way is one and the same line.
        if (side < 0.0 && GEO_PI_2 + lean < kTiny && cursor.count() > 0)
            continue;
        cursor.put(G_POINT{0.0, 0.0}, x);
    }
    return cursor.count();
}

// Where the line x = t y through the origin meets l. In the library's own
// frame this is IntersectLines; in a turned frame the exact crossing, since
// IntersectLines would snap a turned line that is nearly level there.
bool TurnedLineCrossing(double t, const LINE& l, double turn, G_POINT& out)
{
    if (turn == 0.0)
        return IntersectLines(LINE{t == 0.0 ? GEO_VERTICAL : 1.0 / t, 0.0}, l, out);
    const double apart = 1.0 - l.ltan * t;  // 0 when the lines run together
    if (std::fabs(apart) < kTiny)
        return false;
    out.y = l.laxe / apart;
    out.x = t * out.y;
    return true;
}

// The closed form of RotateQuartic; only candidates whose piece is d long.
int RotateByQuartic(const point& p, const line& l1, const line& l2, double d, point* out)
{
    // The closed form divides by both slopes: solve it in a frame turned so
    // that neither line is horizontal (nor vertical), then turn the results back.
    const double turn = SafeTurn(l1.record(), l2.record());
    const LINE a = TurnedRelativeLine(l1.record(), p, turn);
    const LINE b = TurnedRelativeLine(l2.record(), p, turn);
    const double v = 1.0 / a.ltan;
    const double u = 1.0 / b.ltan;
    const double s = u + v;
    const double m = u * v;
    const double dd = b.laxe - a.laxe;
    const double g = a.laxe * v - b.laxe * u;
    const double d2 = d * d;
    const double c[5] = {(dd * dd - d2) * m * m, 2.0 * m * (d2 * s + g * dd),
                         dd * dd * m * m + g * g - d2 * (s * s + 2.0 * m),
                         2.0 * (g * dd * m + d2 * s), g * g - d2};
    double roots[4];
    const int n = SolveQuartic(c, roots);
    WriteCursor cursor(out, 4);
    for (int i = 0; i < n; ++i) {
        // The turned line is x = t y relative to p.
        const double t = PolishQuarticRoot(c, roots[i]);
        // Squaring the length may bring in roots whose piece is not d long:
        // measure the piece and keep the true ones.
        G_POINT x, y;
        if (TurnedLineCrossing(t, a, turn, x) && TurnedLineCrossing(t, b, turn, y) &&
            PieceHasLength(x, y, d))
            cursor.put(p.rec(), TurnBack(x, turn));
    }
    return cursor.count();
}

}  // namespace

int RotateQuartic(const point& p, const line& l1, const line& l2, double d, point* out)
{
    // Parallel lines leave the quartic a spurious double root and too little
    // accuracy for the two true ones: they are solved directly.
    G_POINT corner;
    if (!IntersectLines(l1.record(), l2.record(), corner))
        return RotateBetweenParallels(p, l1.record(), l2.record(), d, out);
    return RotateByQuartic(p, l1, l2, d, out);
}

int AdjustDoubleRotateRotate(const point& p1, const point& p2, double r1, double r2, point* out)
{
    const double dx = p2.x() - p1.x();
    const double dy = p2.y() - p1.y();
    WriteCursor cursor(out, 2);
    if (std::fabs(dy) < 0.001) {
        // Coincident pivots: no single pair of solutions.
        if (std::fabs(dx) > r1 + r2 || std::fabs(dx) < kTiny)
            return 0;
        const double x = (dx * dx + r1 * r1 - r2 * r2) / (2.0 * dx);
        double y;
        if (!SafeSqrt(r1 * r1 - x * x, y))
            return 0;
        cursor.put(p1.rec(), G_POINT{x, y});
        cursor.put(p1.rec(), G_POINT{x, -y});
        return cursor.count();
    }
    const double h = (dx * dx + dy * dy + r1 * r1 - r2 * r2) / (2.0 * dy);
    const double c[3] = {h * h - r1 * r1, -2.0 * h * (dx / dy), 1.0 + dx * dx / (dy * dy)};
    double roots[2];
    const int n = SolveQuadratic(c, roots);
    for (int i = 0; i < n; ++i) {
        const double x = roots[i];
        double y;
        if (!SafeSqrt(r1 * r1 - x * x, y))
            continue;
        const double above = (x - dx) * (x - dx) + (y - dy) * (y - dy) - r2 * r2;
        const double below = (x - dx) * (x - dx) + (-y - dy) * (-y - dy) - r2 * r2;
        if (!(std::fabs(above) < std::fabs(below)))
            y = -y;
        cursor.put(p1.rec(), G_POINT{x, y});
    }
    return cursor.count();
}

namespace {

// The parallel to l1 through x meets l2 at distance d from x (within 1e-6).
bool MeetsAtDistance(const G_POINT& x, double k1, const LINE& l2, double d)
{
    const LINE through = IsVerticalSlope(k1) ? LINE{GEO_VERTICAL, x.x}
                                             : LINE{k1, x.y - k1 * x.x};
    G_POINT meet;
    if (!IntersectLines(through, l2, meet))
        return false;
    return std::fabs(std::hypot(meet.x - x.x, meet.y - x.y) - d) <= kTiny;
}

}  // namespace

int AdjustDoubleRotateMove(const line& l1, const line& l2, const point& p, double r, double d,
                           point* out)
{
    const LINE rel = RelativeLine(l2.record(), p);
    const double k1 = l1.ltan();
    WriteCursor cursor(out, 4);
    if (IsVerticalSlope(rel.ltan)) {
        const double c1 = 1.0 / std::sqrt(1.0 + k1 * k1);
        const double xs[2] = {rel.laxe - d * c1, rel.laxe + d * c1};
        const int count = c1 < 1.0 ? 2 : 1;  // a horizontal l1 meets l2 one way only
        for (int i = 0; i < count; ++i) {
            double y;
            if (!SafeSqrt(r * r - xs[i] * xs[i], y))
                continue;
            cursor.put(p.rec(), G_POINT{xs[i], y});
            cursor.put(p.rec(), G_POINT{xs[i], -y});
        }
        return cursor.count();
    }
    const double k2 = rel.ltan;
    const double theta = IsVerticalSlope(k1) ? GEO_PI_2 : std::atan(k1);
    const double e = d * (k2 * std::cos(theta) - std::sin(theta));
    for (double c : {rel.laxe + e, rel.laxe - e}) {
        const double q[3] = {c * c - r * r, 2.0 * c * k2, 1.0 + k2 * k2};
        double roots[2];
        const int n = SolveQuadratic(q, roots);
        for (int i = 0; i < n; ++i) {
            const double x = roots[i];
            double y;
            if (!SafeSqrt(r * r - x * x, y))
                continue;
            if (!MeetsAtDistance(G_POINT{x, y}, k1, rel, d))
                y = -y;
            cursor.put(p.rec(), G_POINT{x, y});
        }
    }
    return cursor.count();
}

namespace drag_support {

namespace {

// How far a direction stays from both axes, in radians (0 .. pi/4).
double AxisClearance(double direction)
{
    double r = std::fmod(direction, GEO_PI_2);
    if (r < 0.0)
        r += GEO_PI_2;
    return std::fmin(r, GEO_PI_2 - r);
}

double Clearance(const LINE& l1, const LINE& l2, double turn)
{
    return std::fmin(AxisClearance(LineAngle(l1) + turn), AxisClearance(LineAngle(l2) + turn));
}

}  // namespace

double SafeTurn(const LINE& l1, const LINE& l2)
{
    // Slopes between about 0.05 and 20 keep the closed form well conditioned.
    constexpr double kEnough = 0.05;
    if (Clearance(l1, l2, 0.0) >= kEnough)
        return 0.0;
    // Six distinct turns modulo a quarter: two lines cannot block them all.
    double best = 0.0;
    double bestClearance = -1.0;
    for (int step = 1; step < 6; ++step) {
        const double turn = step * GEO_PI / 12.0;
        const double clearance = Clearance(l1, l2, turn);
        if (clearance > bestClearance) {
            bestClearance = clearance;
            best = turn;
        }
    }
    return best;
}

LINE TurnedRelativeLine(const LINE& l, const G_POINT& r, double turn)
{
    const LINE rel = RelativeLine(l, r);
    if (turn == 0.0)
        return rel;
    const double c = std::cos(turn);
    const double s = std::sin(turn);
    const G_POINT on = IsVerticalSlope(rel.ltan) ? G_POINT{rel.laxe, 0.0} : G_POINT{0.0, rel.laxe};
    const G_POINT turned{on.x * c - on.y * s, on.x * s + on.y * c};
    const double k = std::tan(LineAngle(rel) + turn);
    return LINE{k, turned.y - k * turned.x};
}

double PolishQuarticRoot(const double c[5], double t)
{
    for (int step = 0; step < 8; ++step) {
        const double f = (((c[4] * t + c[3]) * t + c[2]) * t + c[1]) * t + c[0];
        const double slope = ((4.0 * c[4] * t + 3.0 * c[3]) * t + 2.0 * c[2]) * t + c[1];
        if (slope == 0.0)
            break;
        const double next = t - f / slope;
        if (!std::isfinite(next))
            break;
        const bool settled = std::fabs(next - t) <= 1e-15 * (1.0 + std::fabs(t));
        t = next;
        if (settled)
            break;
    }
    return t;
}

G_POINT TurnBack(const G_POINT& v, double turn)
{
    if (turn == 0.0)
        return v;
    const double c = std::cos(turn);
    const double s = std::sin(turn);
    return G_POINT{v.x * c + v.y * s, -v.x * s + v.y * c};
}

}  // namespace drag_support
