#include "inside_tests.h"

#include <cmath>
#include <new>
#include <vector>

#include "angular.h"
#include "arc.h"
#include "distances.h"
#include "intersections.h"
#include "line_constructions.h"
#include "polygon.h"
#include "settings.h"

namespace {

bool IsVertical(double slope) { return slope >= GEO_VERTICAL; }

constexpr int kMaxProbeShifts = 1000;

LINE VerticalLine(double x) { return LINE{GEO_VERTICAL, x}; }
LINE HorizontalLine(double y) { return LINE{0.0, y}; }

// The key of a crossing along the cutting line, negated for descending order.
double SpanKey(const G_POINT& p, double keySlope) {
    double key = IsVertical(keySlope) ? p.y : p.x;
    return CrossingDescending() ? -key : key;
}

// 0 inside, 1 outside, 2 on the outline, from the crossings of a line through P.
int ClassifyBySpans(const G_POINT& P, const G_POINT* crossings, short n, double keySlope) {
    if (OutsideCrossingSpans(P, crossings, n, keySlope)) return 1;
    if (!InsideCrossingSpans(P, crossings, n, keySlope)) return 2;
    return 0;
}

}  // namespace

// --- elementary point operations -------------------------------------------

G_POINT& TranslatePoint(G_POINT& out, const G_POINT& P, double dx, double dy) {
    out = G_POINT{P.x + dx, P.y + dy};
    return out;
}

G_POINT& PointAtParameter(G_POINT& out, const G_POINT& p1, const G_POINT& p2, double t) {
    const double dx = p2.x - p1.x;
    const double dy = p2.y - p1.y;
    out = G_POINT{std::fabs(dx) < GeoSnap() ? p1.x : p1.x + t * dx,
                  std::fabs(dy) < GeoSnap() ? p1.y : p1.y + t * dy};
    return out;
}

G_POINT& Midpoint(G_POINT& out, const G_POINT& p1, const G_POINT& p2) {
    out = G_POINT{(p1.x + p2.x) * 0.5, (p1.y + p2.y) * 0.5};
    return out;
}

// One formula for every direction: axis-parallel bases get no special case.
G_POINT& PerpendicularOffsetPoint(G_POINT& out, const G_POINT& p1, const G_POINT& p2,
                                  const G_POINT& base, double d) {
    const double length = PointDistance(p1, p2);
    if (!(length > 0.0)) {
        out = base;
        return out;
    }
    out = G_POINT{base.x + d * (p1.y - p2.y) / length, base.y + d * (p2.x - p1.x) / length};
    return out;
}

G_POINT& PointAlongLine(G_POINT& out, const LINE& L, const G_POINT& P, double d) {
    const double k = L.ltan;
    if (IsVertical(k)) {
        out = G_POINT{P.x, P.y + d};
    } else if (std::fabs(k) <= GeoDif()) {
        out = G_POINT{P.x + d, P.y};
    } else {
        const double c = 1.0 / std::sqrt(k * k + 1.0);
        out = G_POINT{P.x + c * d, P.y + c * k * d};
    }
    return out;
}

G_POINT& RotatePoint(G_POINT& P, const G_POINT& centre, double angle) {
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    const double x = P.x - centre.x;
    const double y = P.y - centre.y;
    P = G_POINT{x * c - y * s + centre.x, x * s + y * c + centre.y};
    return P;
}

G_POINT& MirrorPointAboutPoint(G_POINT& P, const G_POINT& centre) {
    P = G_POINT{2.0 * centre.x - P.x, 2.0 * centre.y - P.y};
    return P;
}

G_POINT& MirrorPointAboutLine(G_POINT& P, const LINE& L) {
    const double k = L.ltan;
    if (IsVertical(k)) {
        P.x = 2.0 * L.laxe - P.x;
    } else if (std::fabs(k) <= GeoDif()) {
        P.y = 2.0 * L.laxe - P.y;
    } else {
        const double u = L.laxe / k;
        const double w = 2.0 * std::atan(k);
        const double c = std::cos(w);
        const double s = std::sin(w);
        const double x = P.x + u;
        P = G_POINT{x * c + P.y * s - u, x * s - P.y * c};
    }
    return P;
}

G_POINT& TriangleCentroid(G_POINT& out, const G_POINT& p1, const G_POINT& p2, const G_POINT& p3) {
    constexpr double third = 0.3333333333333333;
    out = G_POINT{(p1.x + p2.x + p3.x) * third, (p1.y + p2.y + p3.y) * third};
    return out;
}

G_POINT& CircumCentre(G_POINT& out, const G_POINT& p1, const G_POINT& p2, const G_POINT& p3) {
    LINE l12;
    LINE l13;
    if (!LineThroughPoints(p1, p2, l12)) return Midpoint(out, p2, p3);
    if (!LineThroughPoints(p1, p3, l13)) return Midpoint(out, p1, p2);
    G_POINT m12;
    G_POINT m13;
    Midpoint(m12, p1, p2);
    Midpoint(m13, p1, p3);
    LINE bisector12;
    LINE bisector13;
    LineAtAngleToLine(bisector12, l12, m12, GEO_PI_2);
    LineAtAngleToLine(bisector13, l13, m13, GEO_PI_2);
    if (IntersectLines(bisector12, bisector13, out)) return out;
    // Collinear: the centre of the bounding box.
    const auto mid = [](double a, double b, double c) {
        return (std::fmin(a, std::fmin(b, c)) + std::fmax(a, std::fmax(b, c))) / 2;
    };
    out = G_POINT{mid(p1.x, p2.x, p3.x), mid(p1.y, p2.y, p3.y)};
    return out;
}

G_POINT& RadicalAxisPoint(G_POINT& out, const CIRCLE& c1, const CIRCLE& c2) {
    double direction = 0.0;
    if (!DirectionAngle(c1.center, c2.center, direction)) {
        out = c1.center;
        return out;
    }
    const double d = PointDistance(c1.center, c2.center);
    const double r1 = c1.radius, r2 = c2.radius;
    return PolarPoint(out, c1.center, direction, ((r1 * r1 - r2 * r2) / d + d) * 0.5);
}

// --- tangents --------------------------------------------------------------

int TangentPointsFromPoint(const CIRCLE& C, const G_POINT& P, G_POINT out[2]) {
    const double d = PointDistance(P, C.center);
    const double r = C.radius;
    if (r < d - GeoSnap()) {
        const double theta = std::atan2(P.y - C.center.y, P.x - C.center.x);
        const double beta = GEO_PI_2 - std::asin(r / d);
        PolarPoint(out[0], C.center, NormalizeAngle(theta - beta), r);
        PolarPoint(out[1], C.center, NormalizeAngle(theta + beta), r);
        return 2;
    }
    if (std::fabs(d - r) < GeoSnap()) {
        out[0] = P;
        return 1;
    }
    return 0;
}

namespace {

enum TangentKind { NO_TANGENTS = 0, INNER_TOUCH = 1, CROSSING = 4, OUTER_TOUCH = 5, APART = 8 };

TangentKind CommonTangentKind(double D, double Dm, double Ds) {
    const double snap = GeoSnap();
    if (std::fabs(D - Ds) < snap) return OUTER_TOUCH;
    if (std::fabs(D - Dm) < snap) return INNER_TOUCH;
    if (D > Ds + snap) return APART;
    if (Dm + snap < D && D < Ds - snap) return CROSSING;
    return NO_TANGENTS;
}

// Directions from big's centre of the touching points of the tangents from
// small's centre to the circle about big's centre with `radius`.
bool TangentDirections(const CIRCLE& big, const CIRCLE& small, double radius, double& a1,
                       double& a2) {
    G_POINT touch[2];
    if (TangentPointsFromPoint(CIRCLE{big.center, radius}, small.center, touch) != 2) return false;
    return DirectionAngle(big.center, touch[0], a1) && DirectionAngle(big.center, touch[1], a2);
}

}  // namespace

int CommonTangentPoints(const CIRCLE& c1, const CIRCLE& c2, G_POINT out[8]) {
    const double D = PointDistance(c1.center, c2.center);
    const double Dm = std::fabs(c1.radius - c2.radius);
    const double Ds = c1.radius + c2.radius;
    if (D < Dm - GeoSnap() || D < GeoSnap()) return 0;
    const TangentKind kind = CommonTangentKind(D, Dm, Ds);
    if (kind == NO_TANGENTS) return 0;
    int written = 0;
    if (kind == INNER_TOUCH || kind == OUTER_TOUCH) {
        G_POINT touch[2] = {c1.center, c1.center};
        IntersectCircles(c1, c2, touch);
        out[written++] = touch[0];
        if (kind == INNER_TOUCH) return written;
    }
    const bool firstIsBig = !(c1.radius < c2.radius);
    const CIRCLE& big = firstIsBig ? c1 : c2;
    const CIRCLE& small = firstIsBig ? c2 : c1;
    double a1 = 0.0;
    double a2 = 0.0;
    if (Dm < GeoSnap()) {
        DirectionAngle(big.center, small.center, a1);
        a1 += GEO_PI_2;
        a2 = NormalizeAngle(a1 + GEO_PI);
    } else if (!TangentDirections(big, small, Dm, a1, a2)) {
        return written;
    }
    for (double a : {a1, a2}) {
        PolarPoint(out[written++], c1.center, a, c1.radius);
        PolarPoint(out[written++], c2.center, a, c2.radius);
    }
    if (kind != APART) return written;
    double b1 = 0.0;
    double b2 = 0.0;
    if (!TangentDirections(big, small, Ds, b1, b2)) return written;
    for (double b : {b1, b2}) {
        G_POINT onBig;
        G_POINT onSmall;
        PolarPoint(onBig, big.center, b, big.radius);
        PolarPoint(onSmall, small.center, b + GEO_PI, small.radius);
        out[written++] = firstIsBig ? onBig : onSmall;
        out[written++] = firstIsBig ? onSmall : onBig;
    }
    return written;
}

// --- tests on lines and segments ---------------------------------------------

bool PointOnLine(const G_POINT& P, const LINE& L) {
    if (IsVertical(L.ltan)) return std::fabs(P.x - L.laxe) < GeoSnap();
    if (std::fabs(L.ltan) < GeoDif()) return std::fabs(P.y - L.laxe) < GeoSnap();
    return std::fabs(P.y - (L.ltan * P.x + L.laxe)) < GeoSnap();
}

namespace {
// On an axis-parallel segment: `across` within GeoSnap of the segment's line,
// `along` strictly inside its extent (ends included or excluded by GeoTouchMode).
bool OnAxisSegment(double across, double line, double along, double a, double b) {
    if (std::fabs(across - line) >= GeoSnap()) return false;
    const double margin = GeoTouchMode() ? GeoSnap() : -GeoSnap();
    return std::fmin(a, b) - margin < along && along < std::fmax(a, b) + margin;
}
}  // namespace

bool PointOnSegment(const G_POINT& P, const G_POINT& A, const G_POINT& B) {
    if (std::fabs(A.x - B.x) < GeoSnap()) return OnAxisSegment(P.x, A.x, P.y, A.y, B.y);
    if (std::fabs(A.y - B.y) < GeoSnap()) return OnAxisSegment(P.y, A.y, P.x, A.x, B.x);
    return SegmentDistance(P, A, B) < GeoSnap();
}

namespace {
// (B - A) x (P - A): positive when P lies left of A -> B.
double Cross(const G_POINT& P, const G_POINT& A, const G_POINT& B) {
    return (B.y - P.y) * A.x - (A.y - P.y) * B.x + P.x * (A.y - B.y);
}
}  // namespace

bool PointLeftOfLine(const G_POINT& P, const G_POINT& A, const G_POINT& B) {
    if (std::fabs(A.x - B.x) < GeoSnap()) return A.y > B.y ? P.x > A.x : P.x < A.x;
    if (std::fabs(A.y - B.y) < GeoSnap()) return A.x > B.x ? P.y < A.y : P.y > A.y;
    return Cross(P, A, B) > GeoSnap();
}

bool PointRightOfLine(const G_POINT& P, const G_POINT& A, const G_POINT& B) {
    if (std::fabs(A.x - B.x) < GeoSnap()) return A.y > B.y ? P.x < A.x : P.x > A.x;
    if (std::fabs(A.y - B.y) < GeoSnap()) return A.x > B.x ? P.y > A.y : P.y < A.y;
    return Cross(P, A, B) < -GeoSnap();
}

// --- projections and closest points ------------------------------------------

G_POINT& ProjectPointOnLine(G_POINT& out, const LINE& L, const G_POINT& P) {
    LINE normal;
    LineAtAngleToLine(normal, L, P, GEO_PI_2);
    if (!IntersectLines(L, normal, out)) out = P;
    return out;
}

G_POINT& ClosestPointOnCircle(G_POINT& out, const CIRCLE& C, const G_POINT& P) {
    LINE through;
    G_POINT cut[2];
    int n = LineThroughPoints(P, C.center, through) ? IntersectLineCircle(C, through, cut) : 0;
    if (n == 0) {
        // P at the centre: every circle point is equally near; take the one on +x.
        out = G_POINT{C.center.x + C.radius, C.center.y};
    } else if (n == 1) {
        out = cut[0];
    } else {
        out = PointDistance(cut[0], P) < PointDistance(cut[1], P) ? cut[0] : cut[1];
    }
    return out;
}

G_POINT& ClosestPointOnSegment(G_POINT& out, const G_POINT& P, const G_POINT& A, const G_POINT& B) {
    if (std::fabs(B.x - A.x) < GeoSnap() && std::fabs(B.y - A.y) < GeoSnap()) {
        out = A;  // no extent: every parameter gives A
        return out;
    }
    double t = SegmentParameter(P, A, B);
    if (t > 0.0 && !(t < 1.0)) t = 1.0;
    if (t <= 0.0) t = 0.0;
    return PointAtParameter(out, A, B, t);
}

namespace {
// Closest point on the sides from .. to - 1 of a run, side i running from
// vertex i to vertex (i + 1) mod count; a side wins only when strictly nearer
// than `limit` and than every earlier side.
bool NearestOnSides(G_POINT& out, const G_POINT* run, short count, const G_POINT& P, short from,
                    short to, double limit) {
    double best = limit;
    bool found = false;
    for (short i = from; i < to; ++i) {
        G_POINT candidate;
        ClosestPointOnSegment(candidate, P, run[i], run[(i + 1) % count]);
        const double d = PointDistance(candidate, P);
        if (d < best) {
            best = d;
            out = candidate;
            found = true;
        }
    }
    return found;
}
}  // namespace

bool ClosestPointOnSides(G_POINT& out, const G_POINT* run, short count, const G_POINT& P,
                         short first, short last) {
    if (run == nullptr || first < 0 || first + 1 >= count) return false;
    if (last - first == 1) {
        ClosestPointOnSegment(out, P, run[first], run[first + 1]);
        return true;
    }
    const short end = (first < last && last < count - 1) ? last : static_cast<short>(count - 1);
    // Starts from the largest single-precision value: any side is nearer.
    return NearestOnSides(out, run, count, P, first, end, 3.4028234663852886e38);
}

bool ClosestPointOnOutline(G_POINT& out, const G_POINT* run, short count, const G_POINT& P) {
    if (run == nullptr || count <= 0) return false;
    // The closing side included; a side 100000 or farther away is never chosen.
    return NearestOnSides(out, run, count, P, 0, count, 100000.0);
}

short NearestSideIndex(const G_POINT* run, short count, const G_POINT& P) {
    if (run == nullptr || count < 2) return -1;
    short nearest = 0;
    double best = SegmentDistance(P, run[0], run[1]);
    for (short i = 1; i <= count - 2; ++i) {
        const double d = SegmentDistance(P, run[i], run[i + 1]);
        if (d < best) {
            best = d;
            nearest = i;
        }
    }
    return nearest;
}

namespace {

bool Exactly(double slope) { return slope == GEO_VERTICAL; }

// Unit direction of a line.
G_POINT Direction(const LINE& L) {
    if (IsVertical(L.ltan)) return G_POINT{0.0, 1.0};
    const double n = std::sqrt(1.0 + L.ltan * L.ltan);
    return G_POINT{1.0 / n, L.ltan / n};
}

double CrossOf(const G_POINT& a, const G_POINT& b) { return a.x * b.y - a.y * b.x; }

// The chord point by directions, for l1 or l2 vertical: Q = X + q e1 with the
// chord from Q parallel to m ending on l2 of length d, on m's side of X.
bool ChordPointByDirections(G_POINT& out, const LINE& m, const LINE& l1, const LINE& l2,
                            const G_POINT& X, double d) {
    const G_POINT e1 = Direction(l1), e2 = Direction(l2), em = Direction(m);
    const double across = CrossOf(e1, e2);
    const double along = CrossOf(em, e1);
    if (across == 0.0 || along == 0.0) return false;
    double q = -d * CrossOf(em, e2) / across;
    const G_POINT onM = IsVertical(m.ltan) ? G_POINT{m.laxe, 0.0} : G_POINT{0.0, m.laxe};
    const double mSide = CrossOf(em, G_POINT{onM.x - X.x, onM.y - X.y});
    if (mSide * q * along < 0) q = -q;
    out = G_POINT{X.x + q * e1.x, X.y + q * e1.y};
    return true;
}

}  // namespace

G_POINT& ParallelChordPoint(G_POINT& out, const LINE& m, const LINE& l1, const LINE& l2, double d) {
    G_POINT X;
    if (!IntersectLines(l1, l2, X)) {
        out = G_POINT{0.0, 0.0};
        return out;
    }
    if (Exactly(l1.ltan) || Exactly(l2.ltan)) {
        if (!ChordPointByDirections(out, m, l1, l2, X, d)) out = G_POINT{0.0, 0.0};
        return out;
    }
    const double k1 = l1.ltan, k2 = l2.ltan, km = m.ltan, bm = m.laxe;
    double u = 0.0;
    LINE parallel;
    if (Exactly(km)) {
        u = d / (k2 - k1);
        if ((bm - X.x) * u < 0) u = -u;
        parallel = LINE{GEO_VERTICAL, u};
    } else {
        u = d * (k2 - km) * (k1 - km) / ((k2 - k1) * std::sqrt(1.0 + km * km));
        if ((bm - (X.y - km * X.x)) * u < 0) u = -u;
        parallel = LINE{km, u};
    }
    G_POINT offset;
    if (!IntersectLines(LINE{k1, 0.0}, parallel, offset)) {
        out = G_POINT{0.0, 0.0};
        return out;
    }
    out = G_POINT{X.x + offset.x, X.y + offset.y};
    return out;
}

// --- inside tests over the crossing array ------------------------------------

bool OutsideCrossingSpans(const G_POINT& P, const G_POINT* c, short count, double keySlope) {
    if (c == nullptr || count <= 0) return true;
    const short last = static_cast<short>(count - 1);
    const double u = SpanKey(P, keySlope);
    const double snap = GeoSnap();
    if (u <= SpanKey(c[0], keySlope) - snap) return true;
    if (u >= SpanKey(c[last], keySlope) + snap) return true;
    if (last <= 1) return false;
    short i = 1;
    while (i < last && u > SpanKey(c[i + 1], keySlope) - snap) i = static_cast<short>(i + 2);
    if (i >= last) return false;
    return u > SpanKey(c[i], keySlope) + snap;
}

bool InsideCrossingSpans(const G_POINT& P, const G_POINT* c, short count, double keySlope) {
    if (c == nullptr || count <= 0) return false;
    const short last = static_cast<short>(count - 1);
    const double u = SpanKey(P, keySlope);
    const double snap = GeoSnap();
    if (u <= SpanKey(c[0], keySlope) + snap) return false;
    if (u >= SpanKey(c[last], keySlope) - snap) return false;
    if (last <= 1) return true;
    short i = 1;
    while (i < last && u > SpanKey(c[i + 1], keySlope) + snap) i = static_cast<short>(i + 2);
    if (i >= last) return true;
    return u <= SpanKey(c[i], keySlope) - snap;
}

int PointInRun(const G_POINT& P, const G_POINT* v, short count, G_POINT** buffer, short first) {
    if (v == nullptr || count <= 0) return 0;
    for (short i = 1; i < count; ++i) {
        if (PointOnSegment(P, v[i - 1], v[i])) return 2;
    }
    // Only this test's own crossings take part in the order.
    CrossingOrderScope order(first, CrossingDescending());
    LINE V = VerticalLine(P.x);
    short n = RunPolygonLineCrossings(v, count, V, buffer, first);
    // An odd count means the line grazed a vertex: shift it aside and cut again.
    // An open run can stay odd all along its extent; the bound keeps that finite.
    for (int shifts = 0; n > 1 && n % 2 == 1 && shifts < kMaxProbeShifts; ++shifts) {
        V.laxe += 2.0 * GeoSnap();
        n = RunPolygonLineCrossings(v, count, V, buffer, first);
    }
    if (n <= 1 || *buffer == nullptr) return 1;
    return ClassifyBySpans(P, *buffer + first, n, GEO_VERTICAL);
}

int PointInPolygon(const G_POINT& P, const POLY& poly, G_POINT** buffer, short first) {
    return PointInRun(P, poly.vertices, poly.count, buffer, first);
}

int PolygonExtent(G_POINT& min, G_POINT& max, const POLY& poly) {
    if (poly.count <= 0 || poly.vertices == nullptr) return 0;
    min = max = poly.vertices[0];
    for (short i = 1; i < poly.count; ++i) {
        const G_POINT& v = poly.vertices[i];
        min = G_POINT{std::fmin(min.x, v.x), std::fmin(min.y, v.y)};
        max = G_POINT{std::fmax(max.x, v.x), std::fmax(max.y, v.y)};
    }
    return 1;
}

namespace {

bool RepeatsFirst(const POLY& poly) {
    const G_POINT& a = poly.vertices[0];
    const G_POINT& b = poly.vertices[poly.count - 1];
    return std::fabs(a.x - b.x) <= GeoSnap() && std::fabs(a.y - b.y) <= GeoSnap();
}

double Mid(double a, double b) { return (a + b) * 0.5; }

// The mid of the span whose mid is nearest `near` (first wins).
double NearestSpanMid(const G_POINT* c, short n, double near, bool useY) {
    double best = 0.0;
    double bestGap = -1.0;
    for (short i = 0; i + 1 < n; i = static_cast<short>(i + 2)) {
        const double mid = useY ? Mid(c[i].y, c[i + 1].y) : Mid(c[i].x, c[i + 1].x);
        const double gap = std::fabs(mid - near);
        if (bestGap < 0 || gap < bestGap) {
            bestGap = gap;
            best = mid;
        }
    }
    return best;
}

// The mid of the widest span (first wins).
double WidestSpanMid(const G_POINT* c, short n) {
    double best = 0.0;
    double bestWidth = -1.0;
    for (short i = 0; i + 1 < n; i = static_cast<short>(i + 2)) {
        const double width = std::fabs(c[i + 1].x - c[i].x);
        if (width > bestWidth) {
            bestWidth = width;
            best = Mid(c[i].x, c[i + 1].x);
        }
    }
    return best;
}

// Centres `out` on the spans of the vertical, then the horizontal line through it.
void CentreOnSpans(const POLY& poly, G_POINT& out) {
    CrossingOrderScope order(0, 0);
    CrossingScope crossings;
    short n = PolygonLineCrossings(poly, VerticalLine(out.x), crossings.buffer(), 0);
    if (n > 1 && crossings.points() != nullptr) {
        const G_POINT* c = crossings.points();
        out.y = (n < 3 || n % 2 == 1) ? Mid(c[0].y, c[1].y) : NearestSpanMid(c, n, out.y, true);
    }
    n = PolygonLineCrossings(poly, HorizontalLine(out.y), crossings.buffer(), 0);
    if (n > 1 && crossings.points() != nullptr) {
        const G_POINT* c = crossings.points();
        out.x = (n < 3 || n % 2 == 1) ? Mid(c[0].x, c[1].x) : WidestSpanMid(c, n);
    }
}

}  // namespace

int PolygonInnerPoint(const POLY& poly, G_POINT& out) {
    const short count = poly.count;
    const G_POINT* v = poly.vertices;
    if (count <= 0 || v == nullptr) return 0;
    if (count < 3) {
        Midpoint(out, v[0], v[count - 1]);
        return 1;
    }
    if (count == 3 || (count == 4 && RepeatsFirst(poly))) {
        TriangleCentroid(out, v[0], v[1], v[2]);
        return 1;
    }
    G_POINT min;
    G_POINT max;
    PolygonExtent(min, max, poly);
    Midpoint(out, min, max);
    if (count == 5 && RepeatsFirst(poly)) return 1;
    CentreOnSpans(poly, out);

    // Pull a point that sits much nearer one vertex than the next towards the middle.
    double d1 = 100000.0;
    double d2 = 100000.0;
    const G_POINT* nearest = nullptr;
    for (short i = 0; i <= count - 2; ++i) {
        const double d = PointDistance(out, v[i]);
        if (d < d1) {
            d1 = d;
            nearest = &v[i];
        } else if (d < d2) {
            d2 = d;
        }
    }
    double direction = 0.0;
    if (nearest != nullptr && d1 > 0.0 && d2 / d1 > 1.5 &&
        DirectionAngle(*nearest, out, direction)) {
        G_POINT candidate;
        PolarPoint(candidate, *nearest, direction, (d1 + d2) / 2);
        CrossingScope crossings;
        CrossingOrderScope order(0, 0);
        if (PointInPolygon(candidate, poly, crossings.buffer(), 0) == 0) out = candidate;
    }
    return 1;
}

// --- outlines with arc sides ---------------------------------------------------

namespace {

// Side i of an arc-sided run: vertex i in slot 2i, its sweep in slot 2i+1.
struct RunSide {
    G_POINT from;
    G_POINT to;
    bool curved = false;
    ARC arc{};
};

RunSide SideOfRun(const G_POINT* slots, short i) {
    RunSide side;
    side.from = slots[2 * i];
    side.to = slots[2 * i + 2];
    const double sweep = slots[2 * i + 1].x;
    side.curved =
        std::fabs(sweep) >= GeoDif() && ArcFrom2PointsAngle(side.from, side.to, sweep, side.arc);
    return side;
}

G_POINT ArcMidpoint(const ARC& arc) {
    G_POINT mid;
    return PolarPoint(mid, arc.center, NormalizeAngle(arc.start + ArcSweep(arc) / 2), arc.radius);
}

// The first side of L that the outline shows, from its vertices and the
// midpoints of its arc sides; 0 when all of it lies on the line.
char FirstClearSide(const G_POINT* slots, short count, const LINE& L) {
    char side = PointSideOfLine(L, slots[0], 0);
    for (short i = 0; side == 0 && i + 1 < count; ++i) {
        const RunSide s = SideOfRun(slots, i);
        if (s.curved) side = PointSideOfLine(L, ArcMidpoint(s.arc), 0);
        if (side == 0) side = PointSideOfLine(L, s.to, 0);
    }
    return side;
}

bool OnRunSide(const G_POINT& P, const RunSide& side) {
    if (!side.curved) return PointOnSegment(P, side.from, side.to);
    double direction = 0.0;
    return std::fabs(PointDistance(P, side.arc.center) - side.arc.radius) < GeoSnap() &&
           DirectionAngle(side.arc.center, P, direction) &&
           AngleInArc(direction, side.arc);
}

bool OnRunOutline(const G_POINT& P, const G_POINT* slots, short count) {
    for (short i = 0; i + 1 < count; ++i) {
        if (OnRunSide(P, SideOfRun(slots, i))) return true;
    }
    return false;
}

}  // namespace

short RunLineCrossings(const G_POINT* slots, short count, const LINE& L, G_POINT** buffer,
                       short first) {
    if (slots == nullptr || count < 2) return 0;
    const char initial = FirstClearSide(slots, count, L);
    if (initial == 0) return 0;
    char current = PointSideOfLine(L, slots[0], initial);
    short added = 0;
    const auto insert = [&](const G_POINT& X) {
        const int inserted =
            InsertCrossingGrowing(buffer, X, static_cast<short>(first + added), L.ltan);
        if (inserted < 0) return false;
        added = static_cast<short>(added + inserted);
        return true;
    };
    for (short i = 0; i + 1 < count; ++i) {
        const RunSide side = SideOfRun(slots, i);
        const char next = PointSideOfLine(L, side.to, initial);
        if (side.curved) {
            G_POINT cut[2];
            int n = ArcLineCrossings(side.arc, L, cut);
            if (n == 3) n = 0;  // a touching point crosses nothing
            for (int j = 0; j < n; ++j) {
                if (!insert(cut[j])) return 0;
            }
            // A crossing missed at the arc's start still changes the side there.
            if (n == 0 && next != current && !insert(side.from)) return 0;
        } else if (next != current) {
            G_POINT X;
            if (SideLineCrossing(L, side.from, side.to, X) && !insert(X)) return 0;
        }
        current = next;
    }
    return added;
}

namespace {

// Open when the last vertex differs from the first by more than GeoSnap in x or y.
bool RunIsOpen(const G_POINT* slots, short count) {
    const G_POINT& first = slots[0];
    const G_POINT& last = slots[2 * (count - 1)];
    return std::fabs(first.x - last.x) > GeoSnap() || std::fabs(first.y - last.y) > GeoSnap();
}

// Slots of the run closed by a straight side back to its first vertex; false
// (GeoError 2) when memory runs out.
bool ClosedCopy(const G_POINT* slots, short count, std::vector<G_POINT>& closed) {
    try {
        closed.assign(slots, slots + 2 * count - 1);
        closed.push_back(G_POINT{0.0, 0.0});
        closed.push_back(slots[0]);
    } catch (const std::bad_alloc&) {
        GeoError() = GEO_NO_MEMORY;
        return false;
    }
    return true;
}

}  // namespace

int PointAgainstRun(const G_POINT& P, const G_POINT* slots, short count, G_POINT** buffer,
                    short first) {
    if (slots == nullptr || count <= 0) return 1;
    // An open run is tested as closed, on a copy: the caller's slots stay untouched.
    std::vector<G_POINT> closed;
    if (RunIsOpen(slots, count) && count < 32767) {
        if (!ClosedCopy(slots, count, closed)) return 1;
        slots = closed.data();
        ++count;
    }
    if (OnRunOutline(P, slots, count)) return 2;
    CrossingOrderScope order(first, CrossingDescending());
    // The vertical line through P first; when it meets the outline fewer than
    // twice or grazes it (odd count), the horizontal one.
    short n = RunLineCrossings(slots, count, VerticalLine(P.x), buffer, first);
    if (n >= 2 && n % 2 == 0 && *buffer != nullptr)
        return ClassifyBySpans(P, *buffer + first, n, GEO_VERTICAL);
    n = RunLineCrossings(slots, count, HorizontalLine(P.y), buffer, first);
    if (n >= 2 && *buffer != nullptr) return ClassifyBySpans(P, *buffer + first, n, 0.0);
    return 1;
}
