#include "tessellation.h"

#include <cmath>
#include <cstring>
#include <new>
#include <vector>

#include "angular.h"
#include "inside_tests.h"
#include "intersections.h"
#include "line_constructions.h"
#include "polygon.h"
#include "settings.h"

namespace {

constexpr double kInversePi = 0.3183098861837907;
constexpr int kMaxSlots = 32767;

// Sides of a circle tessellation: the chord error stays about GeoSnap.
// A radius so small that no side would come out still gives a triangle.
int CircleSides(double radius)
{
    const double n = std::sqrt(GEO_PI * std::fabs(radius) / GeoSnap());
    if (!(n < kMaxSlots))
        return kMaxSlots;  // too many for a 16-bit count: growth will fail
    return n < 3 ? 3 : static_cast<int>(n);
}

// n vertices on the circle, from angle `first` on by `step`; pushed out so the
// sides touch it for TESSELLATE_EXTERNAL.
void PlaceVertices(G_POINT* v, const CIRCLE& c, char mode, double first, double step, int n)
{
    const double radius = mode == TESSELLATE_EXTERNAL ? c.radius / std::cos(step / 2) : c.radius;
    for (int k = 0; k < n; ++k)
        PolarPoint(v[k], c.center, first + k * step, radius);
}

bool OpenRun(const G_POINT* v, short count)
{
    return count > 0 && (std::fabs(v[0].x - v[count - 1].x) > GeoSnap() ||
                         std::fabs(v[0].y - v[count - 1].y) > GeoSnap());
}

G_POINT Foot(const LINE& l, const G_POINT& p)
{
    G_POINT out{p};
    ProjectPointOnLine(out, l, p);
    return out;
}

bool Parallel(const LINE& a, const LINE& b) { return std::fabs(a.ltan - b.ltan) <= GeoSnap(); }

G_POINT Corner(const LINE& prev, const LINE& cur, const G_POINT& shared)
{
    G_POINT out = shared;
    if (Parallel(prev, cur) || !IntersectLines(prev, cur, out))
        return Foot(cur, shared);
    return out;
}

// The closed ring the offset walks: the source vertices, with the first one
// repeated when the source is open. A copy, so the target may be the source.
struct WalkRing {
    std::vector<G_POINT> v;
    bool open = false;
    POLY poly{0, 0, nullptr, 1, false};

    explicit WalkRing(const POLY& source)
        : v(source.vertices, source.vertices + source.count), open(OpenRun(source.vertices, source.count))
    {
        if (open)
            v.push_back(v.front());
        poly.count = static_cast<short>(v.size());
        poly.capacity = poly.count;
        poly.vertices = v.data();
    }
};

// The offset line of the side a -> b at distance d (positive away from the
// ring's interior); false when the side has no direction or its midpoint is
// not among the crossings of its perpendicular with the ring.
bool SideOffsetLine(const POLY& ring, const G_POINT& a, const G_POINT& b, double d, LINE& out)
{
    double direction = 0;
    if (!DirectionAngle(a, b, direction))
        return false;
    G_POINT m;
    Midpoint(m, a, b);
    LINE across;
    LineAtAngle(across, m, NormalizeAngle(direction + GEO_PI_2));
    CrossingScope scope;
    const short found = PolygonLineCrossings(ring, across, scope.buffer(), 0);
    short j = 0;
    while (j < found && !PointsNear(scope[j], m))
        ++j;
    const short partner = (j % 2 == 0) ? j + 1 : j - 1;
    if (j >= found || partner < 0 || partner >= found)
        return false;
    double away = 0;
    if (!DirectionAngle(scope[partner], scope[j], away))
        return false;
    G_POINT through;
    PolarPoint(through, scope[j], away, d);
    LineAtAngle(out, through, direction);
    return true;
}

// Writes `out` into the target body: count and capacity become `count`.
bool StoreOutline(POLY& target, const std::vector<G_POINT>& out, int count)
{
    if (target.capacity < count && !GrowPolygonBuffer(target, count))
        return false;
    if (count > 0)
        std::memcpy(target.vertices, out.data(), sizeof(G_POINT) * count);
    target.count = static_cast<short>(count);
    target.capacity = static_cast<short>(count);
    return true;
}

}  // namespace

short CircleToPolygon(const CIRCLE& c, char mode, POLY& body)
{
    const int n = CircleSides(c.radius);
    if (body.capacity < n + 1 && !GrowPolygonBuffer(body, n + 1))
        return body.count;
    const double step = GEO_2PI / n;
    PlaceVertices(body.vertices, CIRCLE{c.center, std::fabs(c.radius)}, mode, step / 2, step, n);
    body.vertices[n] = body.vertices[0];
    body.count = static_cast<short>(n + 1);
    body.capacity = static_cast<short>(n + 1);
    return body.count;
}

short ArcToPolygon(const ARC& a, char mode, POLY& body)
{
    const int nb = CircleSides(a.radius);
    const double sweep = ArcSweep(a);
    const double steps = std::ceil(nb * sweep * kInversePi);
    const int t = steps < 1 ? 1 : (steps > kMaxSlots ? kMaxSlots : static_cast<int>(steps));
    if (body.capacity < t + 2 && !GrowPolygonBuffer(body, t + 2))
        return body.count;
    const double r = std::fabs(a.radius);
    const double step = sweep / t;
    PlaceVertices(body.vertices, CIRCLE{a.center, r}, mode, a.start, step, t);
    PolarPoint(body.vertices[t], a.center, a.end, r);
    body.count = static_cast<short>(t + 1);
    body.capacity = static_cast<short>(t + 2);
    return body.count;
}

bool RectangleFromPoints(const G_POINT& p1, const G_POINT& p2, POLY& body)
{
    if (body.capacity < 5 && !GrowPolygonBuffer(body, 5))
        return false;
    const G_POINT corners[5] = {{p1.x, p1.y}, {p1.x, p2.y}, {p2.x, p2.y}, {p2.x, p1.y}, {p1.x, p1.y}};
    std::memcpy(body.vertices, corners, sizeof corners);
    body.count = 5;
    body.capacity = 5;
    return true;
}

double PolygonSignedArea(const POLY& body)
{
    const short n = body.count;
    const G_POINT* v = body.vertices;
    double sum = 0;
    auto side = [&](const G_POINT& a, const G_POINT& b) {
        const double dx = b.x - a.x;
        if (std::fabs(dx) > GeoSnap())
            sum += (a.y + b.y) * dx;
    };
    for (short i = 1; i < n; ++i)
        side(v[i - 1], v[i]);
    if (n > 0)
        side(v[n - 1], v[0]);
    return 0.5 * sum;
}

bool PolygonClockwise(const POLY& body) { return PolygonSignedArea(body) > 0; }

double PolygonPerimeter(const POLY& body)
{
    double sum = 0;
    for (short i = 1; i < body.count; ++i)
        sum += std::hypot(body.vertices[i].x - body.vertices[i - 1].x,
                          body.vertices[i].y - body.vertices[i - 1].y);
    return sum;
}

void ReversePolygon(POLY& body)
{
    const short n = body.count;
    if (n < 2)
        return;
    G_POINT* v = body.vertices;
    short lo = 0, hi = n - 1;
    if (!OpenRun(v, n) && PointsNear(v[0], v[n - 1]))
        lo = 1, hi = n - 2;
    for (; lo < hi; ++lo, --hi) {
        const G_POINT t = v[lo];
        v[lo] = v[hi];
        v[hi] = t;
    }
}

bool OffsetPolygon(POLY& source, POLY& target, double d)
{
    if (source.count < 2)
        return false;
    try {
        WalkRing ring(source);
        const std::vector<G_POINT>& v = ring.v;
        const int m = static_cast<int>(v.size());
        std::vector<G_POINT> out(v);
        LINE first{}, prev{};
        bool haveLine = false;
        for (int i = 0; i + 1 < m; ++i) {
            LINE cur;
            if (!SideOffsetLine(ring.poly, v[i], v[i + 1], d, cur)) {
                if (haveLine && i > 0)
                    out[i] = Foot(prev, v[i]);
                continue;
            }
            if (!haveLine)
                first = cur;
            else if (i > 0)
                out[i] = Corner(prev, cur, v[i]);
            prev = cur;
            haveLine = true;
        }
        // Parallel last and first lines: the closing vertex's foot on the last line.
        if (haveLine)
            out[0] = Parallel(prev, first) ? Foot(prev, v[m - 1]) : Corner(prev, first, v[m - 1]);
        out[m - 1] = out[0];
        const int count = ring.open ? m - 1 : m;
        return StoreOutline(target, out, count);
    } catch (const std::bad_alloc&) {
        GeoError() = GEO_NO_MEMORY;
        return false;
    }
}

bool OffsetPolygonSides(POLY& source, POLY& target, const float* d)
{
    if (source.count < 2 || !d)
        return false;
    try {
        WalkRing ring(source);
        const std::vector<G_POINT>& v = ring.v;
        const int m = static_cast<int>(v.size());
        std::vector<G_POINT> out;
        out.reserve(m + 2);
        out.push_back(v[0]);  // vertex 0 is settled at the closing junction
        LINE first{}, prev{};
        double prevD = 0;
        bool haveLine = false;
        for (int i = 0; i + 1 < m; ++i) {
            LINE cur;
            const double di = d[i];
            if (!SideOffsetLine(ring.poly, v[i], v[i + 1], di, cur)) {
                if (i > 0)
                    out.push_back(haveLine ? Foot(prev, v[i]) : v[i]);
                continue;
            }
            if (!haveLine) {
                first = cur;
                if (i > 0)
                    out.push_back(v[i]);
            } else if (i > 0) {
                if (Parallel(prev, cur) && std::fabs(prevD - di) > GeoSnap()) {
                    out.push_back(Foot(prev, v[i]));
                    out.push_back(Foot(cur, v[i]));
                } else {
                    out.push_back(Corner(prev, cur, v[i]));
                }
            }
            prev = cur, prevD = di;
            haveLine = true;
        }
        if (haveLine) {
            const G_POINT& shared = v[m - 1];
            if (Parallel(prev, first) && std::fabs(prev.laxe - first.laxe) > GeoSnap()) {
                out.push_back(Foot(prev, shared));
                out[0] = Foot(first, shared);
            } else {
                out[0] = Corner(prev, first, shared);
            }
        }
        if (!ring.open)
            out.push_back(out[0]);
        if (static_cast<int>(out.size()) > kMaxSlots) {
            GeoError() = GEO_NO_MEMORY;
            return false;
        }
        return StoreOutline(target, out, static_cast<int>(out.size()));
    } catch (const std::bad_alloc&) {
        GeoError() = GEO_NO_MEMORY;
        return false;
    }
}
