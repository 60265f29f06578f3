// Feeds argument lists of every kind of item to the list constructions, and
// pairs of objects to the crossing, clipping and boolean operators. Coordinates come
// from a coarse grid so that coincident, parallel and tangent cases are common.
// Any crash or sanitizer report is a fault; so is a success with a non-finite result.
#include "angle.h"
#include "arc.h"
#include "circle.h"
#include "distances.h"
#include "geoitem.h"
#include "geolist.h"
#include "line.h"
#include "point.h"
#include "polygon.h"
#include "ray.h"
#include "segment.h"
#include "settings.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <iterator>
#include <memory>
#include <vector>

namespace {

class ByteReader {
public:
    ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool empty() const { return pos_ >= size_; }
    uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    // A coordinate on a grid of eighths in [-16, 16).
    double coordinate() { return (static_cast<int>(byte()) - 128) / 8.0; }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

const char* const kKeywords[] = {
    "INTERNAL", "EXTERNAL", "RIGHT", "LEFT", "BIG", "SMALL", "RADIUS", "CHORD", "INSIDE", "FIT",
    "OUTSIDE", "END", "START", "MIDPOINT", "MIDDLE", "TANGENT", "DISTANCE", "CENTER", "UNDEFINED",
    "ENVELOPS", "CENTER_1ST", "tangent", "NOWORD",
};

void Fail(const char* what)
{
    std::fprintf(stderr, "geometry fuzz: %s\n", what);
    std::abort();
}

void RequireFinite(double v, const char* what)
{
    if (!std::isfinite(v))
        Fail(what);
}

std::unique_ptr<geobject> MakeObject(ByteReader& in)
{
    const point a(in.coordinate(), in.coordinate());
    switch (in.byte() % 8) {
    case 0: return std::make_unique<point>(a);
    case 1: return std::make_unique<line>(a, point(in.coordinate(), in.coordinate()));
    case 2: return std::make_unique<circle>(a, std::fabs(in.coordinate()));
    case 3: return std::make_unique<segment>(a, point(in.coordinate(), in.coordinate()));
    case 4: {
        const point s(in.coordinate(), in.coordinate());
        const point e(in.coordinate(), in.coordinate());
        return std::make_unique<arc>(a, s, e);
    }
    case 5: return std::make_unique<ray>(a, in.coordinate());
    case 6: return std::make_unique<angle>(in.coordinate() * 22.5);
    default: {
        auto shape = std::make_unique<polygon>();
        const int n = 2 + in.byte() % 5;
        for (int i = 0; i < n; ++i)
            *shape + point(in.coordinate(), in.coordinate());
        if (in.byte() % 2)
            *shape + a;
        return shape;
    }
    }
}

// The list is built in the caller's order; it only refers to the objects.
void BuildList(ByteReader& in, geolist& list, std::vector<std::unique_ptr<geobject>>& objects)
{
    const int items = 1 + in.byte() % 5;
    for (int i = 0; i < items && !in.empty(); ++i) {
        switch (in.byte() % 4) {
        case 0:
        case 1:
            objects.push_back(MakeObject(in));
            list & *objects.back();
            break;
        case 2: list & in.coordinate(); break;
        default: list & kKeywords[in.byte() % std::size(kKeywords)]; break;
        }
    }
}

void CheckResultPoints(const geolist_ref& result)
{
    for (short i = 0; i < result.count(); ++i) {
        // Crossings are stored points (-4) or point objects (4).
        if (result.type(i) != GEO_POINT)
            continue;
        if (const G_POINT* p = ItemPoint(result[i])) {
            RequireFinite(p->x, "crossing x");
            RequireFinite(p->y, "crossing y");
        }
    }
}

void ConstructFromList(ByteReader& in)
{
    std::vector<std::unique_ptr<geobject>> objects;
    geolist list;
    BuildList(in, list, objects);
    switch (in.byte() % 8) {
    case 0: {
        point p(in.coordinate(), in.coordinate());
        if (p = list) {
            RequireFinite(p.x(), "point x");
            RequireFinite(p.y(), "point y");
        }
        break;
    }
    case 1: {
        line l;
        if (l = list) {
            RequireFinite(l.record().ltan, "line slope");
            RequireFinite(l.record().laxe, "line intercept");
        }
        break;
    }
    case 2: {
        circle c(point(in.coordinate(), in.coordinate()), 1.0);
        if (c = list) {
            RequireFinite(c.record().center.x, "circle x");
            RequireFinite(c.record().center.y, "circle y");
            RequireFinite(c.record().radius, "circle radius");
        }
        break;
    }
    case 3: {
        arc a;
        if (a = list) {
            RequireFinite(a.record().radius, "arc radius");
            RequireFinite(a.record().start, "arc start");
            RequireFinite(a.record().end, "arc end");
        }
        break;
    }
    case 4: {
        segment s;
        s = list;
        break;
    }
    case 5: {
        ray r;
        r = list;
        break;
    }
    case 6: {
        angle a;
        a = list;
        break;
    }
    default: {
        polygon shape;
        shape = list;
        break;
    }
    }
}

// A closed outline of 3 to 8 grid vertices, the first repeated at the end.
std::vector<G_POINT> GridRing(ByteReader& in)
{
    std::vector<G_POINT> ring;
    const int n = 3 + in.byte() % 6;
    for (int i = 0; i < n; ++i)
        ring.push_back({in.coordinate(), in.coordinate()});
    ring.push_back(ring.front());
    return ring;
}

// Twice the signed area of the triangle o, a, b: exact on the grid.
double Turn(const G_POINT& o, const G_POINT& a, const G_POINT& b)
{
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

bool OnSide(const G_POINT& p, const G_POINT& a, const G_POINT& b)
{
    return Turn(a, b, p) == 0 && std::fmin(a.x, b.x) <= p.x && p.x <= std::fmax(a.x, b.x) &&
           std::fmin(a.y, b.y) <= p.y && p.y <= std::fmax(a.y, b.y);
}

bool SidesMeet(const G_POINT& a, const G_POINT& b, const G_POINT& c, const G_POINT& d)
{
    const double t1 = Turn(a, b, c), t2 = Turn(a, b, d), t3 = Turn(c, d, a), t4 = Turn(c, d, b);
    if (((t1 > 0 && t2 < 0) || (t1 < 0 && t2 > 0)) && ((t3 > 0 && t4 < 0) || (t3 < 0 && t4 > 0)))
        return true;
    return OnSide(c, a, b) || OnSide(d, a, b) || OnSide(a, c, d) || OnSide(b, c, d);
}

double TwiceArea(const std::vector<G_POINT>& ring)
{
    double sum = 0;
    for (size_t i = 1; i < ring.size(); ++i)
        sum += ring[i - 1].x * ring[i].y - ring[i].x * ring[i - 1].y;
    return sum;
}

// No side meets another except its neighbours at their shared vertex, and
// neighbours do not fold back onto each other.
bool Simple(const std::vector<G_POINT>& ring)
{
    const size_t n = ring.size() - 1;
    for (size_t i = 0; i < n; ++i) {
        const G_POINT &a = ring[i], &b = ring[i + 1], &c = ring[(i + 2) % n];
        if ((a.x == b.x && a.y == b.y) || (Turn(a, b, c) == 0 && OnSide(c, a, b)) ||
            (Turn(a, b, c) == 0 && OnSide(a, b, c)))
            return false;
        for (size_t j = i + 2; j < n; ++j)
            if (!(i == 0 && j == n - 1) && SidesMeet(a, b, ring[j], ring[j + 1]))
                return false;
    }
    return TwiceArea(ring) != 0;
}

polygon Loaded(const std::vector<G_POINT>& ring)
{
    std::vector<double> xy;
    for (const G_POINT& p : ring) {
        xy.push_back(p.x);
        xy.push_back(p.y);
    }
    polygon pg;
    pg.load(xy.data(), static_cast<short>(ring.size()));
    return pg;
}

// Twice the area of a boolean's outlines, signed against the first operand;
// every vertex finite, and every outline closed when `simple`.
double Outlines(const geolist_ref& result, double sign, bool simple)
{
    double sum = 0;
    for (short i = 0; i < result.count(); ++i) {
        const polygon outline(result[i]);
        std::vector<G_POINT> ring;
        for (short k = 0; k < outline.count(); ++k) {
            RequireFinite(outline.get_vertex(k)->x, "outline x");
            RequireFinite(outline.get_vertex(k)->y, "outline y");
            ring.push_back(*outline.get_vertex(k));
        }
        if (simple && !result[i].closed())
            Fail("boolean of simple outlines left an outline open");
        sum += sign * TwiceArea(ring);
    }
    return sum;
}

// Booleans of two closed grid outlines. For simple ones every result is
// closed and area(A) + area(B) = area(A || B) + area(A && B).
void Booleans(ByteReader& in)
{
    const std::vector<G_POINT> ra = GridRing(in), rb = GridRing(in);
    polygon a = Loaded(ra), b = Loaded(rb);
    const bool simple = Simple(ra) && Simple(rb);
    const double sign = TwiceArea(ra) > 0 ? 1 : -1;
    const double both = Outlines(a && b, sign, simple), either = Outlines(a || b, sign, simple);
    (void)Outlines(a - b, sign, simple);
    const double sum = std::fabs(TwiceArea(ra)) + std::fabs(TwiceArea(rb));
    if (simple && std::fabs(both + either - sum) > 1e-9 * sum)
        Fail("boolean areas disagree by inclusion-exclusion");
}

void CrossAndClip(ByteReader& in)
{
    std::unique_ptr<geobject> a = MakeObject(in);
    std::unique_ptr<geobject> b = MakeObject(in);
    CheckResultPoints(*a % *b);
    switch (in.byte() % 3) {
    case 0: { geolist_ref inside = *a << *b; (void)inside.count(); break; }
    case 1: { geolist_ref outside = *a >> *b; (void)outside.count(); break; }
    default: (void)GeoDistance(*a, *b); break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ByteReader in(data, size);
    while (!in.empty()) {
        const uint8_t what = in.byte() % 64;
        if (what == 63)
            Booleans(in);
        else if (what % 2)
            ConstructFromList(in);
        else
            CrossAndClip(in);
    }
    // Operators leave touch and insert modes behind by design; start each input afresh.
    GeoTouchMode() = 1;
    GeoInsertMode() = 0;
    GeoConnectMode() = 0;
    GeoError() = 0;
    return 0;
}
