#include "intersections.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "angular.h"
#include "inside_tests.h"
#include "line_constructions.h"
#include "polygon.h"
#include "settings.h"

namespace {

struct CrossingState {
    short capacity = 0;
    short start = 0;
    char descending = 0;
    G_POINT* prevVertex = nullptr;
    G_POINT* nextVertex = nullptr;
};

CrossingState& State() {
    static CrossingState state;
    return state;
}

bool IsVertical(double slope) { return slope >= GEO_VERTICAL; }
bool IsHorizontal(double slope) { return std::fabs(slope) < GeoDif(); }

bool SamePoint(const G_POINT& a, const G_POINT& b) {
    return std::fabs(a.x - b.x) < GeoSnap() && std::fabs(a.y - b.y) < GeoSnap();
}

double CrossingKey(const G_POINT& p, double keySlope) { return IsVertical(keySlope) ? p.y : p.x; }

CIRCLE CircleOf(const ARC& arc) { return CIRCLE{arc.center, arc.radius}; }

bool InArcRange(const ARC& arc, const G_POINT& q) {
    double direction = 0.0;
    return DirectionAngle(arc.center, q, direction) && AngleInArc(direction, arc);
}

// Keeps the first `n` points of `out` that pass `keep`, packed to the front.
template <class Keep>
int KeepPoints(G_POINT out[2], int n, Keep keep) {
    int kept = 0;
    for (int i = 0; i < n; ++i) {
        if (keep(out[i])) out[kept++] = out[i];
    }
    return kept;
}

// Makes room for at least `needed` entries, growing by `step` points at a
// time. On failure the buffer is released (never both lost and kept) and
// GeoError is 2.
bool EnsureCrossingRoom(G_POINT** buffer, int needed, int step) {
    short& capacity = CrossingCapacity();
    if (*buffer == nullptr) capacity = 0;
    if (needed <= capacity) return true;
    int grown = capacity;
    while (grown < needed) grown += step;
    if (grown > 32767) grown = 32767;
    void* bigger = grown >= needed
                       ? std::realloc(*buffer, sizeof(G_POINT) * static_cast<size_t>(grown))
                       : nullptr;
    if (bigger == nullptr) {
        FreeCrossings(buffer);
        GeoError() = GEO_NO_MEMORY;
        return false;
    }
    *buffer = static_cast<G_POINT*>(bigger);
    capacity = static_cast<short>(grown);
    return true;
}

// Signed offset of v from L: vertical for a sloped line, horizontal for a
// vertical one. Used to place a crossing on a side nearly parallel to L.
double OffsetFromLine(const LINE& L, const G_POINT& v) {
    if (IsVertical(L.ltan)) return v.x - L.laxe;
    return v.y - (L.ltan * v.x + L.laxe);
}

// A crossing that the side's line places beyond the side's ends (a side
// nearly parallel to L changes side only through the GeoSnap band) is moved
// along L back over the side's own range: the wall is never extended.
G_POINT WithinSideRange(const LINE& L, const G_POINT& a, const G_POINT& b, G_POINT X) {
    if (IsVertical(L.ltan)) {
        X.y = std::clamp(X.y, std::fmin(a.y, b.y), std::fmax(a.y, b.y));
        X.x = L.laxe;
    } else if (std::fabs(L.ltan) > 1.0) {
        X.y = std::clamp(X.y, std::fmin(a.y, b.y), std::fmax(a.y, b.y));
        X.x = (X.y - L.laxe) / L.ltan;
    } else {
        X.x = std::clamp(X.x, std::fmin(a.x, b.x), std::fmax(a.x, b.x));
        X.y = L.ltan * X.x + L.laxe;
    }
    return X;
}

bool BeyondSide(const G_POINT& a, const G_POINT& b, const G_POINT& X) {
    return X.x < std::fmin(a.x, b.x) - GeoSnap() || X.x > std::fmax(a.x, b.x) + GeoSnap() ||
           X.y < std::fmin(a.y, b.y) - GeoSnap() || X.y > std::fmax(a.y, b.y) + GeoSnap();
}

}  // namespace

bool SideLineCrossing(const LINE& L, const G_POINT& a, const G_POINT& b, G_POINT& out) {
    LINE side;
    if (!LineThroughPoints(a, b, side) || !IntersectLines(L, side, out)) {
        double fa = OffsetFromLine(L, a);
        double fb = OffsetFromLine(L, b);
        if (fa == fb) return false;
        double t = fa / (fa - fb);
        out = G_POINT{a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)};
        if (!std::isfinite(out.x) || !std::isfinite(out.y)) return false;
    }
    if (BeyondSide(a, b, out)) out = WithinSideRange(L, a, b, out);
    return true;
}

int InsertCrossingGrowing(G_POINT** buffer, const G_POINT& X, short at, double keySlope) {
    if (!EnsureCrossingRoom(buffer, at + 1, 2)) return -1;
    return InsertCrossing(*buffer, X, at, keySlope);
}

namespace {

// The side changes of a run of vertices against L; each change that `keep`
// accepts is inserted in order. Shared by the line and the ray workers.
template <class Keep>
short CutRunWithLine(const G_POINT* v, short count, const LINE& L, G_POINT** buffer, short first,
                     Keep keep) {
    if (count <= 0 || v == nullptr) return 0;
    short i = 0;
    char initial = 0;
    for (; i < count; ++i) {
        initial = PointSideOfLine(L, v[i], 0);
        if (initial != 0) break;
    }
    if (initial == 0) return 0;
    char current = initial;
    short added = 0;
    for (++i; i < count; ++i) {
        char side = PointSideOfLine(L, v[i], initial);
        if (side == current) continue;
        current = side;
        G_POINT X;
        if (!SideLineCrossing(L, v[i - 1], v[i], X) || !keep(X)) continue;
        int inserted = InsertCrossingGrowing(buffer, X, static_cast<short>(first + added), L.ltan);
        if (inserted < 0) return 0;
        added = static_cast<short>(added + inserted);
    }
    return added;
}

enum class TouchVerdict { CROSSES, ONLY_TOUCHES, NO_MEMORY };

// Touch rule of the segment worker: a crossing at an end of the cutting side
// where the outline only touches is dropped. `a` is the far end of the side,
// `neighbour` the outline vertex beyond the touched end. The two inside tests
// cut into the same buffer; a growth that fails there frees it, which the
// worker must see rather than refill a fresh buffer below `at`.
TouchVerdict OutlineOnlyTouches(const POLY& poly, const G_POINT& a, const G_POINT& neighbour,
                                G_POINT** buffer, short at) {
    const char earlierError = GeoError();
    GeoError() = 0;
    int ra = 0;
    int rb = 0;
    {
        CrossingOrderScope order(at, CrossingDescending());
        ra = PointInPolygon(a, poly, buffer, at);
        rb = PointInPolygon(neighbour, poly, buffer, at);
    }
    if (GeoError() == GEO_NO_MEMORY) return TouchVerdict::NO_MEMORY;
    GeoError() = earlierError;
    return ra == 2 || rb == 2 || ra == rb ? TouchVerdict::ONLY_TOUCHES : TouchVerdict::CROSSES;
}

}  // namespace

// --- crossing state ---------------------------------------------------------

short& CrossingCapacity() { return State().capacity; }
short& CrossingStart() { return State().start; }
char& CrossingDescending() { return State().descending; }
G_POINT*& CrossingPrevVertex() { return State().prevVertex; }
G_POINT*& CrossingNextVertex() { return State().nextVertex; }

void ResetCrossingState() { State() = CrossingState{}; }

void FreeCrossings(G_POINT** buffer) {
    std::free(*buffer);
    *buffer = nullptr;
    CrossingCapacity() = 0;
}

CrossingOrderScope::CrossingOrderScope(short start, char descending)
    : start_(CrossingStart()), descending_(CrossingDescending()) {
    CrossingStart() = start;
    CrossingDescending() = descending;
}
CrossingOrderScope::~CrossingOrderScope() {
    CrossingStart() = start_;
    CrossingDescending() = descending_;
}

CrossingScope::CrossingScope() : outerCapacity_(CrossingCapacity()) { CrossingCapacity() = 0; }
CrossingScope::~CrossingScope() {
    FreeCrossings(&points_);
    CrossingCapacity() = outerCapacity_;
}

// --- predicates ------------------------------------------------------------

char PointSideOfLine(const LINE& L, const G_POINT& P, char fallback) {
    double onLine = 0.0;
    double own = 0.0;
    if (IsVertical(L.ltan)) {
        onLine = L.laxe;
        own = P.x;
    } else {
        onLine = L.ltan * P.x + L.laxe;
        own = P.y;
    }
    if (onLine < own - GeoSnap()) return 1;
    if (onLine > own + GeoSnap()) return 2;
    return fallback;
}

namespace {
bool InExtent(double p, double a, double b, double margin) {
    if (std::fabs(a - b) > GeoSnap()) {
        return std::fmin(a, b) - margin <= p && p <= std::fmax(a, b) + margin;
    }
    return std::fabs(p - a) <= GeoSnap();
}
}  // namespace

bool PointInSegmentRange(const G_POINT& P, const G_POINT& A, const G_POINT& B) {
    double margin = GeoTouchMode() ? GeoSnap() : -GeoSnap();
    return InExtent(P.y, A.y, B.y, margin) && InExtent(P.x, A.x, B.x, margin);
}

G_POINT& PolarPoint(G_POINT& out, const G_POINT& centre, double angle, double distance) {
    out = G_POINT{centre.x + distance * std::cos(angle), centre.y + distance * std::sin(angle)};
    return out;
}

bool PointAheadOnRay(const G_POINT& origin, double angle, const G_POINT& P) {
    double direction = 0.0;
    if (!DirectionAngle(origin, P, direction)) return false;
    double gap = std::fabs(std::fmod(direction - angle, GEO_2PI));
    return gap < GeoDif() || gap > GEO_2PI - GeoDif();
}

// --- two-figure crossings -------------------------------------------------

bool IntersectLines(const LINE& first, const LINE& second, G_POINT& out) {
    const double k1 = first.ltan, b1 = first.laxe;
    const double k2 = second.ltan, b2 = second.laxe;
    const double dif = GeoDif();  // read once: this is the hottest primitive
    if (std::fabs(k1 - k2) <= dif) return false;
    double x = 0.0;
    double y = 0.0;
    if (IsVertical(k1)) {
        x = b1;
        y = std::fabs(k2) < dif ? b2 : k2 * x + b2;
    } else if (IsVertical(k2)) {
        x = b2;
        y = std::fabs(k1) < dif ? b1 : k1 * x + b1;
    } else {
        x = (b2 - b1) / (k1 - k2);
        // A horizontal line's y is copied exactly rather than computed.
        if (std::fabs(k1) < dif)
            y = b1;
        else if (std::fabs(k2) < dif)
            y = b2;
        else
            y = k1 * x + b1;
    }
    out = G_POINT{x, y};
    return true;
}

int LineSegmentCrossing(const G_POINT& A, const G_POINT& B, const LINE& L, G_POINT& out) {
    LINE M;
    if (!LineThroughPoints(A, B, M)) return 0;
    if (!IntersectLines(L, M, out)) return 0;
    if (!PointInSegmentRange(out, A, B)) return 0;
    if (GeoTouchMode()) return 1;
    return SamePoint(out, A) || SamePoint(out, B) ? 0 : 1;
}

int IntersectLineCircle(const CIRCLE& C, const LINE& L, G_POINT out[2]) {
    const double cx = C.center.x, cy = C.center.y, r = C.radius;
    const double k = L.ltan, b = L.laxe;
    if (IsVertical(k)) {
        double e = b - cx;
        if (std::fabs(e) > r + GeoSnap()) return 0;
        if (std::fabs(std::fabs(e) - r) > GeoSnap()) {
            double h = std::sqrt(std::fmax(r * r - e * e, 0.0));
            out[0] = G_POINT{b, cy + h};
            out[1] = G_POINT{b, cy - h};
            return 2;
        }
        out[0] = G_POINT{b, cy};
        return 1;
    }
    if (IsHorizontal(k)) {
        double e = std::fabs(b - cy);
        if (e < r - GeoSnap()) {
            double h = std::sqrt(r * r - e * e);
            out[0] = G_POINT{cx - h, b};
            out[1] = G_POINT{cx + h, b};
            return 2;
        }
        if (e > r + GeoSnap()) return 0;
        out[0] = G_POINT{cx, b};
        return 1;
    }
    double dist = std::fabs(cy - k * cx - b) / std::sqrt(1.0 + k * k);
    if (std::fabs(dist - r) < GeoSnap()) {
        LINE normal;
        LineAtAngleToLine(normal, L, C.center, GEO_PI_2);
        return IntersectLines(L, normal, out[0]) ? 1 : 0;
    }
    if (dist > r) return 0;
    // From the foot of the perpendicular along the line by the half-chord: a
    // quadratic in x loses its discriminant to rounding on steep lines.
    const double norm = std::sqrt(1.0 + k * k);
    const double g = (k * cx - cy + b) / norm;  // signed distance along (k, -1)/norm
    const G_POINT foot{cx - g * k / norm, cy + g / norm};
    const double h = std::sqrt(std::fmax(r * r - dist * dist, 0.0));
    const double ux = 1.0 / norm, uy = k / norm;
    out[0] = G_POINT{foot.x + h * ux, foot.y + h * uy};  // greater x first
    out[1] = G_POINT{foot.x - h * ux, foot.y - h * uy};
    return 2;
}

int IntersectCircles(const CIRCLE& first, const CIRCLE& second, G_POINT out[2]) {
    const G_POINT c1 = first.center, c2 = second.center;
    const double r1 = first.radius, r2 = second.radius;
    const double d = std::hypot(c2.x - c1.x, c2.y - c1.y);
    // Concentric circles share all or no points: report none rather than divide by 0.
    if (d < GeoSnap()) return 0;
    double a = r1;
    double h = 0.0;
    int result = 1;
    if (std::fabs(d - (r1 + r2)) >= GeoSnap()) {
        if (d > r1 + r2 + GeoSnap()) return 0;
        if (d < std::fabs(r1 - r2) - GeoSnap()) return 0;
        a = (r1 * r1 - r2 * r2 + d * d) / (2.0 * d);
        // Inner touching within tolerance can leave the radicand just below 0.
        h = std::sqrt(std::fmax(r1 * r1 - a * a, 0.0));
        result = 2;
    }
    const G_POINT P{c1.x + (a / d) * (c2.x - c1.x), c1.y + (a / d) * (c2.y - c1.y)};
    if (std::fabs(c1.y - c2.y) <= GeoSnap()) {
        out[0] = G_POINT{P.x, P.y + h};
        out[1] = G_POINT{P.x, P.y - h};
        return result;
    }
    const double m = (c2.x - c1.x) / (c1.y - c2.y);
    const double norm = std::sqrt(1.0 + m * m);
    const double u = 1.0 / norm;
    out[0].x = P.x + u * h;
    out[1].x = P.x - u * h;
    if (std::fabs(m) <= GeoSnap()) {
        out[0].y = P.y;
        out[1].y = P.y;
    } else {
        const double v = m / norm;
        out[0].y = P.y + v * h;
        out[1].y = P.y - v * h;
    }
    return result;
}

int ArcLineCrossings(const ARC& arc, const LINE& L, G_POINT out[2]) {
    double angles[2] = {0.0, 0.0};
    int n = CircleLineAngles(CircleOf(arc), L, angles);
    int kept = 0;
    for (int i = 0; i < n; ++i) {
        if (AngleInArc(angles[i], arc))
            PolarPoint(out[kept++], arc.center, angles[i], arc.radius);
    }
    if (n == 1) return kept == 1 ? 3 : 0;
    return kept;
}

int SegmentCircleCrossings(const G_POINT& A, const G_POINT& B, const CIRCLE& C, G_POINT out[2]) {
    LINE L;
    if (!LineThroughPoints(A, B, L)) return 0;
    int n = IntersectLineCircle(C, L, out);
    int kept = KeepPoints(out, n, [&](const G_POINT& q) { return PointInSegmentRange(q, A, B); });
    if (n == 1) return kept == 1 ? 3 : 0;
    return kept;
}

int RayCircleCrossings(const G_POINT& origin, double angle, const CIRCLE& C, G_POINT out[2]) {
    LINE L;
    LineAtAngle(L, origin, angle);
    int n = IntersectLineCircle(C, L, out);
    return KeepPoints(out, n, [&](const G_POINT& q) { return PointAheadOnRay(origin, angle, q); });
}

int SegmentArcCrossings(const ARC& arc, const G_POINT& A, const G_POINT& B, G_POINT out[2]) {
    int n = SegmentCircleCrossings(A, B, CircleOf(arc), out);
    if (n == 2) return KeepPoints(out, 2, [&](const G_POINT& q) { return InArcRange(arc, q); });
    if (n == 0 || !InArcRange(arc, out[0])) return 0;
    const auto beyond = [&](const G_POINT& p) {
        return std::hypot(p.x - arc.center.x, p.y - arc.center.y) > arc.radius;
    };
    return beyond(A) && beyond(B) ? 3 : 1;
}

int RayArcCrossings(const G_POINT& origin, double angle, const ARC& arc, G_POINT out[2]) {
    LINE L;
    LineAtAngle(L, origin, angle);
    int n = ArcLineCrossings(arc, L, out);
    int candidates = n == 3 ? 1 : n;
    int kept = KeepPoints(out, candidates,
                          [&](const G_POINT& q) { return PointAheadOnRay(origin, angle, q); });
    // A lone crossing stays 1; only a touching point is reported as 3.
    if (n == 3) return kept == 1 ? 3 : 0;
    return kept;
}

int ArcCircleCrossings(const ARC& arc, const CIRCLE& C, G_POINT out[2]) {
    int n = IntersectCircles(C, CircleOf(arc), out);
    return KeepPoints(out, n, [&](const G_POINT& q) { return InArcRange(arc, q); });
}

int ArcArcCrossings(const ARC& first, const ARC& second, G_POINT out[2]) {
    int n = IntersectCircles(CircleOf(first), CircleOf(second), out);
    return KeepPoints(
        out, n, [&](const G_POINT& q) { return InArcRange(first, q) && InArcRange(second, q); });
}

int SegmentSegmentCrossing(const G_POINT& A1, const G_POINT& A2, const G_POINT& B1,
                           const G_POINT& B2, G_POINT& out) {
    const G_POINT dA{A2.x - A1.x, A2.y - A1.y};
    const G_POINT dB{B2.x - B1.x, B2.y - B1.y};
    const double den = dA.y * dB.x - dA.x * dB.y;
    if (std::fabs(den) < GeoDif()) return 0;
    const G_POINT* ends[4][2] = {{&A1, &B1}, {&A1, &B2}, {&A2, &B1}, {&A2, &B2}};
    for (const auto& pair : ends) {
        if (SamePoint(*pair[0], *pair[1])) {
            out = *pair[0];
            return GeoTouchMode() ? 1 : 0;
        }
    }
    const double ex = B1.x - A1.x, ey = B1.y - A1.y;
    const double t = (ey * dB.x - ex * dB.y) / den;
    const double s = (ey * dA.x - ex * dA.y) / den;
    const double dif = GeoDif();
    const bool accepted = GeoTouchMode() ? (-dif < t && t < 1 + dif && -dif < s && s < 1 + dif)
                                         : (dif < t && t < 1 - dif && dif < s && s < 1 - dif);
    if (!accepted) return 0;
    out = G_POINT{A1.x + t * dA.x, A1.y + t * dA.y};
    return 1;
}

// --- the crossing array -----------------------------------------------------

int InsertCrossing(G_POINT* array, const G_POINT& P, short n, double keySlope) {
    const double key = CrossingKey(P, keySlope);
    // A start beyond the entries in use would write past them: clamp it.
    short j = CrossingStart() < 0 ? 0 : (CrossingStart() > n ? n : CrossingStart());
    if (CrossingDescending()) {
        while (j < n && CrossingKey(array[j], keySlope) > key + GeoSnap()) ++j;
    } else {
        while (j < n && CrossingKey(array[j], keySlope) < key - GeoSnap()) ++j;
    }
    if (!GeoInsertMode() && j < n && std::fabs(P.x - array[j].x) <= GeoSnap() &&
        std::fabs(P.y - array[j].y) <= GeoSnap())
        return 0;
    for (short i = n; i > j; --i) array[i] = array[i - 1];
    array[j] = P;
    return 1;
}

short AddCrossings(const G_POINT& p1, const G_POINT& p2, char m, G_POINT** buffer, short n,
                   double keySlope) {
    if (m != 1 && m != 2) return 0;
    // Growth keeps at least one spare slot beyond the m new entries.
    if (!EnsureCrossingRoom(buffer, n + m + 1, 10)) return 0;
    int f = InsertCrossing(*buffer, p1, n, keySlope);
    if (m == 2) f += InsertCrossing(*buffer, p2, static_cast<short>(n + f), keySlope);
    return static_cast<short>(f);
}

short RunPolygonLineCrossings(const G_POINT* v, short count, const LINE& L, G_POINT** buffer,
                              short first) {
    return CutRunWithLine(v, count, L, buffer, first, [](const G_POINT&) { return true; });
}

short PolygonLineCrossings(const POLY& poly, const LINE& L, G_POINT** buffer, short first) {
    return RunPolygonLineCrossings(poly.vertices, poly.count, L, buffer, first);
}

short RayPolygonCrossings(const G_POINT& origin, double angle, const POLY& poly, G_POINT** buffer,
                          short first) {
    LINE R;
    LineAtAngle(R, origin, angle);
    return CutRunWithLine(poly.vertices, poly.count, R, buffer, first,
                          [&](const G_POINT& X) { return PointAheadOnRay(origin, angle, X); });
}

short SegmentPolygonCrossings(const POLY& poly, const G_POINT& A, const G_POINT& B,
                              G_POINT** buffer, short first) {
    const G_POINT* v = poly.vertices;
    const short count = poly.count;
    if (count <= 0 || v == nullptr) return 0;
    const G_POINT d{B.x - A.x, B.y - A.y};
    if (std::fabs(d.x) < GeoSnap() && std::fabs(d.y) < GeoSnap()) return 0;
    const double keySlope = std::fabs(d.x) < GeoSnap() ? GEO_VERTICAL : 0.0;
    // The cross product over |d| is the vertex's distance from the cutting
    // line, so the on-line band is GeoSnap wide whatever the side's length.
    const double length = std::hypot(d.x, d.y);
    const auto sideOf = [&](const G_POINT& p) -> char {
        const double c = ((p.y - A.y) * d.x - (p.x - A.x) * d.y) / length;
        return c > GeoSnap() ? 2 : (c < -GeoSnap() ? 1 : 0);
    };
    const bool touching = GeoTouchMode() != 0;
    short i = 0;
    char initial = sideOf(v[0]);
    if (!touching) {
        while (initial == 0 && ++i < count) initial = sideOf(v[i]);
        if (initial == 0) return 0;
    }
    char current = initial;
    short added = 0;
    for (++i; i < count; ++i) {
        char side = sideOf(v[i]);
        if (side == 0 && !touching) side = initial;
        if (side == current) continue;
        current = side;
        const G_POINT e{v[i - 1].x - v[i].x, v[i - 1].y - v[i].y};
        const double den = e.x * d.y - e.y * d.x;
        const double t = ((v[i].y - A.y) * e.x - (v[i].x - A.x) * e.y) / den;
        if (!std::isfinite(t) || !(-GeoDif() < t && t < 1 + GeoDif())) continue;
        const short at = static_cast<short>(first + added);
        if (!touching && CrossingPrevVertex() != nullptr && CrossingNextVertex() != nullptr) {
            const G_POINT* far = nullptr;
            const G_POINT* beyond = nullptr;
            if (std::fabs(t - 1) < GeoDif()) {
                far = &A;
                beyond = CrossingPrevVertex();
            } else if (std::fabs(t) < GeoDif()) {
                far = &B;
                beyond = CrossingNextVertex();
            }
            if (far != nullptr) {
                const TouchVerdict verdict = OutlineOnlyTouches(poly, *far, *beyond, buffer, at);
                if (verdict == TouchVerdict::NO_MEMORY) {
                    FreeCrossings(buffer);
                    return 0;
                }
                if (verdict == TouchVerdict::ONLY_TOUCHES) continue;
            }
        }
        const G_POINT X{A.x + t * d.x, A.y + t * d.y};
        int inserted = InsertCrossingGrowing(buffer, X, at, keySlope);
        if (inserted < 0) return 0;
        added = static_cast<short>(added + inserted);
    }
    return added;
}
