#include "polygon.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include "angle.h"
#include "angular.h"
#include "arc.h"
#include "circle.h"
#include "geolist.h"
#include "inside_tests.h"
#include "intersections.h"
#include "line.h"
#include "line_constructions.h"
#include "poly_member.h"
#include "result_lists.h"
#include "segment.h"
#include "settings.h"
#include "tessellation.h"

namespace {

constexpr int kMaxSlots = 32767;  // counts and capacities are 16-bit

// A body that stands in when even the header cannot be allocated: it is never
// freed and never grown, so the polygon stays usable and empty.
POLY& FallbackBody()
{
    static POLY body{0, 0, nullptr, 1 << 30, false};
    return body;
}

POLY* NewBody(int capacity)
{
    POLY* body = new (std::nothrow) POLY{0, 0, nullptr, 1, false};
    if (!body) {
        GeoError() = GEO_NO_MEMORY;
        return &FallbackBody();
    }
    if (capacity > 0)
        GrowPolygonBuffer(*body, capacity);
    return body;
}

void ReleaseBody(POLY* body)
{
    if (body == &FallbackBody())
        return;
    // A borrowed body carries one reference for the caller that owns the array.
    const int last = body->borrowed ? 1 : 0;
    if (--body->references > last)
        return;
    if (!body->borrowed)
        std::free(body->vertices);
    delete body;
}

bool RunClosed(const G_POINT* v, short count)
{
    return count > 0 && PointsNear(v[0], v[count - 1]);
}

double SquaredDistance(const G_POINT& a, const G_POINT& b)
{
    const double dx = a.x - b.x, dy = a.y - b.y;
    return dx * dx + dy * dy;
}

// Copies `count` vertices into a fresh malloc'd buffer (null on failure or
// for an empty run), so joining a polygon to itself reads stable input.
G_POINT* CopyRun(const G_POINT* v, short count)
{
    if (count <= 0)
        return nullptr;
    auto* copy = static_cast<G_POINT*>(std::malloc(sizeof(G_POINT) * count));
    if (copy)
        std::memcpy(copy, v, sizeof(G_POINT) * count);
    return copy;
}

}  // namespace

// ---------------------------------------------------------------------------
// Body helpers

bool GrowPolygonBuffer(POLY& body, int capacity)
{
    if (&body == &FallbackBody()) {
        GeoError() = GEO_NO_MEMORY;
        return false;
    }
    if (capacity <= 0 || (capacity <= body.capacity && body.vertices))
        return true;
    G_POINT* grown = nullptr;
    if (capacity > 0 && capacity <= kMaxSlots) {
        if (body.borrowed) {
            // The caller owns the array: copy before growing.
            grown = static_cast<G_POINT*>(std::malloc(sizeof(G_POINT) * capacity));
            if (grown && body.count > 0)
                std::memcpy(grown, body.vertices, sizeof(G_POINT) * body.count);
        } else {
            grown = static_cast<G_POINT*>(std::realloc(body.vertices, sizeof(G_POINT) * capacity));
        }
    }
    if (!grown) {
        GeoError() = GEO_NO_MEMORY;
        if (!body.borrowed)
            std::free(body.vertices);
        else
            body.references -= 1, body.borrowed = false;
        body.vertices = nullptr;
        body.count = 0;
        body.capacity = 0;
        return false;
    }
    if (body.borrowed) {
        body.borrowed = false;
        body.references -= 1;
    }
    body.vertices = grown;
    body.capacity = static_cast<short>(capacity);
    return true;
}

bool AddPolygonVertex(POLY& body, const G_POINT& p)
{
    if (body.count >= body.capacity && !GrowPolygonBuffer(body, body.capacity + 5))
        return false;
    body.vertices[body.count++] = p;
    return true;
}

char PieceJoinMode(const G_POINT& aFirst, const G_POINT& aLast, const G_POINT& bFirst,
                   const G_POINT& bLast)
{
    const G_POINT* pairs[4][2] = {{&aLast, &bFirst}, {&aLast, &bLast}, {&aFirst, &bFirst},
                                  {&aFirst, &bLast}};
    const char modes[4] = {6, 10, 5, 9};
    for (int i = 0; i < 4; ++i)
        if (PointsNear(*pairs[i][0], *pairs[i][1]))
            return modes[i];
    if (!GeoConnectMode())
        return 0;
    int best = 0;
    double bestDistance = SquaredDistance(*pairs[0][0], *pairs[0][1]);
    for (int i = 1; i < 4; ++i) {
        const double d = SquaredDistance(*pairs[i][0], *pairs[i][1]);
        if (d < bestDistance)
            best = i, bestDistance = d;
    }
    return modes[best];
}

short AppendPiece(G_POINT* dst, short dstCount, const G_POINT* src, short srcCount, char mode)
{
    if (srcCount < 2)
        return 0;
    const short added = srcCount - 1;
    switch (mode) {
    case 6:
        for (short k = 1; k < srcCount; ++k)
            dst[dstCount + k - 1] = src[k];
        break;
    case 10:
        for (short k = 0; k < added; ++k)
            dst[dstCount + k] = src[srcCount - 2 - k];
        break;
    case 5:
        std::memmove(dst + added, dst, sizeof(G_POINT) * dstCount);
        for (short k = 0; k < added; ++k)
            dst[k] = src[srcCount - 1 - k];
        break;
    case 9:
        std::memmove(dst + added, dst, sizeof(G_POINT) * dstCount);
        for (short k = 0; k < added; ++k)
            dst[k] = src[k];
        break;
    default:
        return 0;
    }
    return added;
}

void RotatePolygon(POLY& body, const G_POINT& c, double a)
{
    const double ca = std::cos(a), sa = std::sin(a);
    for (short i = 0; i < body.count; ++i) {
        G_POINT& v = body.vertices[i];
        const double dx = v.x - c.x, dy = v.y - c.y;
        v.x = dx * ca - dy * sa + c.x;
        v.y = dy * ca + dx * sa + c.y;
    }
}

void MirrorPolygon(POLY& body, const LINE& axis)
{
    const double k = axis.ltan, b = axis.laxe;
    for (short i = 0; i < body.count; ++i) {
        G_POINT& v = body.vertices[i];
        if (k >= GEO_VERTICAL) {
            v.x = 2 * b - v.x;
        } else if (std::fabs(k) <= GeoSnap()) {
            v.y = 2 * b - v.y;
        } else {
            const double t = b / k, a2 = 2 * std::atan(k);
            const double x = v.x, y = v.y;
            v.x = (x + t) * std::cos(a2) + y * std::sin(a2) - t;
            v.y = (x + t) * std::sin(a2) - y * std::cos(a2);
        }
    }
}

// ---------------------------------------------------------------------------
// Construction

polygon::polygon() : geobject(GEO_POLYGON), body_(NewBody(0)) {}

polygon::polygon(short n) : geobject(GEO_POLYGON), body_(NewBody(0))
{
    if (n >= 0 && body_ != &FallbackBody()) {
        const char saved = GeoError();
        GrowPolygonBuffer(*body_, n + 1);
        GeoError() = saved;  // only the capacity tells of a failure here
    }
}

polygon::polygon(const polygon& other) : geobject(other), body_(other.body_)
{
    ++body_->references;
}

polygon::polygon(POLY& borrowed) : geobject(GEO_POLYGON), body_(nullptr)
{
    POLY* header = new (std::nothrow) POLY{borrowed.count, borrowed.capacity, borrowed.vertices, 2, true};
    if (!header) {
        GeoError() = GEO_NO_MEMORY;
        header = &FallbackBody();
    }
    body_ = header;
}

polygon::polygon(const segment& s) : geobject(GEO_POLYGON), body_(NewBody(3))
{
    *this = s;
}

polygon::polygon(double d) : geobject(GEO_POLYGON), body_(NewBody(5))
{
    if (!body_->vertices)
        return;
    const G_POINT square[5] = {{d, d}, {d, -d}, {-d, -d}, {-d, d}, {d, d}};
    std::memcpy(body_->vertices, square, sizeof square);
    body_->count = 5;
}

polygon::polygon(const line& l, double d) : geobject(GEO_POLYGON), body_(NewBody(5))
{
    if (!body_->vertices)
        return;
    constexpr double kFar = 100000.0;
    LINE low, high, closePlus, closeMinus;
    ParallelLine(low, l.record(), -d);
    ParallelLine(high, l.record(), d);
    if (l.record().ltan > 1.0) {
        closePlus = LINE{0.0, kFar};
        closeMinus = LINE{0.0, -kFar};
    } else {
        closePlus = LINE{GEO_VERTICAL, kFar};
        closeMinus = LINE{GEO_VERTICAL, -kFar};
    }
    G_POINT* v = body_->vertices;
    v[0] = v[1] = v[2] = v[3] = G_POINT{0, 0};
    IntersectLines(low, closePlus, v[0]);
    IntersectLines(low, closeMinus, v[1]);
    IntersectLines(high, closeMinus, v[2]);
    IntersectLines(high, closePlus, v[3]);
    v[4] = v[0];
    body_->count = 5;
}

polygon::polygon(const circle& c) : geobject(GEO_POLYGON), body_(NewBody(0))
{
    CircleToPolygon(c.record(), 0, *body_);
}

polygon::polygon(const arc& a) : geobject(GEO_POLYGON), body_(NewBody(0))
{
    ArcToPolygon(a.record(), 0, *body_);
}

// The ring between radii r+d and |r-d| as one keyhole outline: the outer
// tessellation, a slit to the inner one walked the other way round, and back.
// (Subtracting a zero-width slit from the two tessellations leaves gaps where
// the slit cuts them, so the outline is put together directly.)
polygon::polygon(const circle& c, double d) : geobject(GEO_POLYGON), body_(NewBody(0))
{
    const CIRCLE& rec = c.record();
    polygon outer, inner;
    CircleToPolygon(CIRCLE{rec.center, rec.radius + d}, 0, *outer.body_);
    CircleToPolygon(CIRCLE{rec.center, std::fabs(rec.radius - d)}, 0, *inner.body_);
    const short n = outer.count(), m = inner.count();
    if (n == 0 || m == 0 || !growTo(n + m + 1))
        return;
    G_POINT* v = body_->vertices;
    std::memcpy(v, outer.body_->vertices, sizeof(G_POINT) * n);
    for (short k = 0; k < m; ++k)
        v[n + k] = inner.body_->vertices[(m - 1 - k) % (m - 1)];
    v[n + m] = v[0];
    body_->count = static_cast<short>(n + m + 1);
}

polygon::polygon(const point& p1, const point& p2) : geobject(GEO_POLYGON), body_(NewBody(0))
{
    RectangleFromPoints(p1.rec(), p2.rec(), *body_);
}

polygon::polygon(const geolist& list) : geobject(GEO_POLYGON), body_(NewBody(0))
{
    *this = list;
}

polygon::polygon(const geoitem& item) : geobject(GEO_POLYGON), body_(nullptr)
{
    const list_item* it = item.item();
    if (it && it->code == GEO_POLYGON && it->object) {
        body_ = static_cast<const polygon*>(it->object)->body_;
        ++body_->references;
        return;
    }
    body_ = NewBody(0);
    if (it && (it->code == GEO_STORED_RUN || it->code == GEO_SEGMENT || it->code == GEO_STORED_PIECE))
        *this = item;
}

polygon::~polygon() { release(); }

void polygon::release()
{
    ReleaseBody(body_);
    body_ = nullptr;
}

bool polygon::takeOwnBody(int capacity)
{
    POLY* fresh = NewBody(capacity);
    const bool ok = fresh != &FallbackBody() && (capacity <= 0 || fresh->vertices);
    ReleaseBody(body_);
    body_ = fresh;
    return ok;
}

bool polygon::growTo(int capacity)
{
    return GrowPolygonBuffer(*body_, capacity);
}

// ---------------------------------------------------------------------------
// Assignment

bool polygon::operator=(const polygon& other)
{
    POLY* src = other.body_;
    const short n = src->count;
    if (src == body_ && body_->references <= (body_->borrowed ? 2 : 1))
        return true;  // the same unshared body: nothing to copy
    if (body_->references > 1) {
        POLY* fresh = NewBody(n + 1);
        if (fresh == &FallbackBody() || !fresh->vertices) {
            ReleaseBody(body_);
            body_ = fresh;
            GeoError() = GEO_NO_MEMORY;
            return false;
        }
        if (n > 0)
            std::memcpy(fresh->vertices, src->vertices, sizeof(G_POINT) * n);
        fresh->count = n;
        ReleaseBody(body_);  // after the copy: src may be this very body
        body_ = fresh;
        return true;
    }
    if ((body_->capacity < n + 1 || body_->capacity == 0) && !growTo(n + 1))
        return false;
    if (n > 0)
        std::memmove(body_->vertices, src->vertices, sizeof(G_POINT) * n);
    body_->count = n;
    return true;
}

bool polygon::operator=(const segment& s)
{
    if (body_->capacity < 2 || !body_->vertices) {
        if (!GrowPolygonBuffer(*body_, 3)) {
            GeoError() = GEO_BAD_ARGUMENTS;
            return false;
        }
    }
    body_->vertices[0] = s.startPoint();
    body_->vertices[1] = s.endPoint();
    body_->count = 2;
    return true;
}

bool polygon::operator=(const geoitem& item)
{
    const list_item* it = item.item();
    if (!it)
        return false;
    switch (it->code) {
    case GEO_POLYGON:
        return it->object && (*this = *static_cast<const polygon*>(it->object));
    case GEO_STORED_RUN: {
        const G_POINT* run = it->stored;
        const int n = static_cast<int>(run[0].x);
        if (n < 0 || n >= kMaxSlots) {
            GeoError() = GEO_BAD_ARGUMENTS;
            return false;
        }
        if (body_->capacity < n + 1 && !GrowPolygonBuffer(*body_, n + 1)) {
            GeoError() = GEO_BAD_ARGUMENTS;
            return false;
        }
        if (n > 0)
            std::memcpy(body_->vertices, run + 1, sizeof(G_POINT) * n);
        body_->count = static_cast<short>(n);
        return true;
    }
    case GEO_SEGMENT:
        return it->object && (*this = *static_cast<const segment*>(it->object));
    case GEO_STORED_PIECE:
        return *this = segment(it->stored[0], it->stored[1]);
    default:
        return false;
    }
}

bool polygon::operator=(const geolist_ref& ref)
{
    return *this = geolist(ref);
}

namespace {

bool IsPointCode(int code) { return code == GEO_POINT || code == GEO_STORED_POINT; }

}  // namespace

bool polygon::operator=(const geolist& list)
{
    GeoError() = GEO_OK;
    const short n = list.count();
    const list_item* items = list.body()->items;
    if (n == 1) {
        if (items[0].code == GEO_POLYGON || items[0].code == GEO_STORED_RUN)
            *this = list[0];
        else
            GeoError() = GEO_BAD_ARGUMENTS;
    } else if (n == 2) {
        const int a = items[0].code, b = items[1].code;
        if (a == GEO_POLYGON && b == GEO_NUMBER_ITEM) {
            const polygon& other = *static_cast<const polygon*>(items[0].object);
            if (body_->count < other.body_->count)
                growTo(other.body_->capacity);
            if (!GeoError())
                OffsetPolygon(*other.body_, *body_, items[1].number);
        } else if (a == GEO_CIRCLE && b == GEO_KEYWORD_ITEM) {
            CircleToPolygon(static_cast<const circle*>(items[0].object)->record(), items[1].keyword,
                            *body_);
        } else if (a == GEO_ARC && b == GEO_KEYWORD_ITEM) {
            ArcToPolygon(static_cast<const arc*>(items[0].object)->record(), items[1].keyword, *body_);
        } else if (IsPointCode(a) && IsPointCode(b)) {
            RectangleFromPoints(*ItemPoint(&items[0]), *ItemPoint(&items[1]), *body_);
        } else {
            GeoError() = GEO_BAD_ARGUMENTS;
        }
    } else if (n >= 3) {
        short points = 0;
        while (points < n && IsPointCode(items[points].code))
            ++points;
        if (body_->capacity < points + 1 && !growTo(points + 1))
            return false;
        for (short i = 0; i < points; ++i)
            body_->vertices[i] = *ItemPoint(&items[i]);
        body_->count = points;
        body_->capacity = points + 1;
    } else {
        GeoError() = GEO_BAD_ARGUMENTS;
    }
    return GeoError() == GEO_OK;
}

// ---------------------------------------------------------------------------
// Appending and joining

polygon& polygon::operator+(const G_POINT& p)
{
    AddPolygonVertex(*body_, p);
    return *this;
}

polygon& polygon::operator+(const point& p) { return *this + p.rec(); }

polygon& polygon::operator+(const poly_member& v) { return *this + v.get_point().rec(); }

polygon& polygon::operator+(const polygon& other)
{
    const short n = body_->count, m = other.body_->count;
    if (m == 0)
        return *this;
    if (n == 0) {
        *this = other;
        return *this;
    }
    const G_POINT* v = body_->vertices;
    const G_POINT* w = other.body_->vertices;
    const char mode = PieceJoinMode(v[0], v[n - 1], w[0], w[m - 1]);
    if (mode == 0) {
        GeoError() = GEO_NO_SOLUTION;
        return *this;
    }
    G_POINT* src = CopyRun(w, m);
    if (!src || n + m > kMaxSlots || !growTo(static_cast<short>(n + m))) {
        std::free(src);
        GeoError() = GEO_NO_SOLUTION;
        return *this;
    }
    body_->count += AppendPiece(body_->vertices, n, src, m, mode);
    body_->capacity = static_cast<short>(n + m);
    std::free(src);
    return *this;
}

polygon& polygon::operator+(const segment& s) { return *this + polygon(s); }

polygon& polygon::operator+(const geoitem& item)
{
    switch (item.type()) {
    case GEO_POLYGON:
    case GEO_STORED_RUN:
        return *this + polygon(item);
    case GEO_POINT:
    case GEO_STORED_POINT:
        return *this + *ItemPoint(item);
    case GEO_SEGMENT:
    case GEO_STORED_PIECE:
        return *this + segment(item);
    default:
        GeoError() = GEO_BAD_ARGUMENTS;
        return *this;
    }
}

// ---------------------------------------------------------------------------
// Editing

bool polygon::reserve(short n)
{
    if (body_->capacity >= n)
        return true;
    if (body_->references > 1)
        return takeOwnBody(n);
    body_->count = 0;
    return growTo(n);
}

bool polygon::load(const double* xy, short n)
{
    if (n < 0)
        n = 0;
    if (n >= kMaxSlots) {
        GeoError() = GEO_NO_MEMORY;
        return false;
    }
    if (body_->references > 1) {
        if (!takeOwnBody(n + 1)) {
            GeoError() = GEO_NO_MEMORY;
            return false;
        }
    } else if (body_->capacity < n + 1 && !growTo(n + 1)) {
        return false;
    }
    for (short i = 0; i < n; ++i)
        body_->vertices[i] = G_POINT{xy[2 * i], xy[2 * i + 1]};
    body_->count = n;
    body_->capacity = static_cast<short>(n + 1);
    return true;
}

bool polygon::insert(short i, const point& p)
{
    const short n = body_->count;
    if (i == n)
        return AddPolygonVertex(*body_, p.rec());
    if (i < 0 || i > n)
        return false;
    if (body_->capacity < n + 1 && !growTo(n + 2))
        return false;
    G_POINT* v = body_->vertices;
    std::memmove(v + i + 1, v + i, sizeof(G_POINT) * (n - i));
    v[i] = p.rec();
    ++body_->count;
    return true;
}

bool polygon::remove(short i)
{
    const short n = body_->count;
    if (i < 0 || i >= n)
        return false;
    G_POINT* v = body_->vertices;
    std::memmove(v + i, v + i + 1, sizeof(G_POINT) * (n - i - 1));
    --body_->count;
    return true;
}

void polygon::clear()
{
    if (body_->references > 1) {
        takeOwnBody(0);
        return;
    }
    body_->count = 0;
}

// ---------------------------------------------------------------------------
// Views and queries

poly_member polygon::operator[](short i) const
{
    if (i >= 0 && i < body_->count)
        return poly_member(body_, i, GEO_POLYGON);
    return poly_member();
}

segment polygon::getSide(short i) const
{
    const short n = body_->count;
    if (n == 0)
        return segment();
    const short a = static_cast<short>(((i % n) + n) % n);
    const short b = static_cast<short>((a + 1) % n);
    return segment(body_->vertices[a], body_->vertices[b]);
}

short polygon::close()
{
    const short n = body_->count;
    if (n < 3 || closed())
        return n;
    if (n >= body_->capacity && !growTo(static_cast<short>(body_->capacity + 2)))
        return body_->count;
    body_->vertices[n] = body_->vertices[0];
    return ++body_->count;
}

bool polygon::closed() const { return RunClosed(body_->vertices, body_->count); }

short polygon::index(const point& p) const
{
    for (short i = 0; i < body_->count; ++i)
        if (PointsNear(body_->vertices[i], p.rec()))
            return i;
    return -1;
}

segment polygon::frame() const
{
    G_POINT lo{0, 0}, hi{0, 0};
    PolygonExtent(lo, hi, *body_);
    return segment(lo, hi);
}

point polygon::center() const { return point(*this); }

point polygon::GetInsidePoint(const point& p) const
{
    G_POINT c{0, 0};
    const short n = body_->count;
    if (n == 0 || !ClosestPointOnOutline(c, body_->vertices, n, p.rec()))
        return p;
    LINE probe;
    if (!LineThroughPoints(p.rec(), c, probe) || PointsNear(p.rec(), c))
        probe = LINE{GEO_VERTICAL, c.x};
    CrossingScope scope;
    const short found = PolygonLineCrossings(*body_, probe, scope.buffer(), 0);
    if (found <= 0)
        return point(c);
    const G_POINT* x = scope.points();
    const double d1 = std::hypot(c.x - p.x(), c.y - p.y());
    if (d1 < GeoSnap()) {
        // The probe lies on the outline: step inward, towards the crossing that
        // bounds the inside span with c.
        short j = 0;
        while (j < found && !PointsMeet(x[j], c))
            ++j;
        const short partner = (j % 2 == 0) ? j + 1 : j - 1;
        if (j == found || partner >= found)
            return point(c);
        double direction = 0;
        if (!DirectionAngle(c, x[partner], direction))
            return point(c);
        G_POINT inside;
        PolarPoint(inside, c, direction, 2 * GeoSnap());
        return point(inside);
    }
    const G_POINT& neighbour = PointsNear(x[0], c) ? x[found > 1 ? 1 : 0] : x[found >= 2 ? found - 2 : 0];
    const double d2 = std::hypot(c.x - neighbour.x, c.y - neighbour.y);
    const double t = d2 < 4 * GeoSnap() ? 1 + 0.5 * d2 / d1 : 1 + 2 * GeoSnap() / d1;
    G_POINT result;
    PointAtParameter(result, p.rec(), c, t);
    return point(result);
}

namespace {

// The crossings of a line with a vertex run, copied out of the crossing array
// so that the next cut can use it.
std::vector<G_POINT> OutlineCrossings(const POLY& body, const LINE& l)
{
    CrossingScope scope;
    const short n = PolygonLineCrossings(body, l, scope.buffer(), 0);
    const G_POINT* x = scope.points();
    return x && n > 0 ? std::vector<G_POINT>(x, x + n) : std::vector<G_POINT>();
}

LINE Vertical(double x) { return LINE{GEO_VERTICAL, x}; }
LINE Horizontal(double y) { return LINE{0.0, y}; }

}  // namespace

// A label point: the middle of the widest horizontal chord through the
// vertical line just inside the corner nearest p, or of the chord through
// that corner when it is wider.
bool polygon::AdjustCenter(point& p) const
{
    const short n = body_->count;
    if (n < 6)
        return false;
    const G_POINT* v = body_->vertices;
    short k = 0;
    double best = SquaredDistance(v[0], p.rec());
    for (short i = 1; i < n; ++i) {
        const double d = SquaredDistance(v[i], p.rec());
        if (d < best)
            best = d, k = i;
    }
    // Vertex 0 of a closed ring has the vertex before the closing repeat as
    // its previous neighbour.
    const short last = RunClosed(v, n) ? n - 2 : n - 1;
    G_POINT m;
    Midpoint(m, v[(k + 1) % n], v[k == 0 ? last : k - 1]);
    double direction = 0;
    if (!DirectionAngle(v[k], m, direction))
        return false;
    try {
        G_POINT e;
        PolarPoint(e, v[k], direction, 10 * GeoSnap());
        const std::vector<G_POINT> up = OutlineCrossings(*body_, Vertical(e.x));
        if (up.size() < 2)
            return false;
        double widest = 0;
        bool haveCandidate = false;
        G_POINT candidate{0, 0};
        for (size_t j = 0; j + 1 < up.size(); j += 2) {
            const double y = (up[j].y + up[j + 1].y) / 2;
            const std::vector<G_POINT> across = OutlineCrossings(*body_, Horizontal(y));
            if (across.size() < 2)
                continue;
            const double width = std::fabs(across[0].x - across[1].x);
            if (width > widest) {
                widest = width;
                candidate = G_POINT{(across[0].x + across[1].x) / 2, y};
                haveCandidate = true;
            }
        }
        const std::vector<G_POINT> corner = OutlineCrossings(*body_, Horizontal(v[k].y));
        if (corner.size() >= 2 && std::fabs(corner[0].x - corner[1].x) > widest) {
            const double x = (corner[0].x + corner[1].x) / 2;
            const std::vector<G_POINT> down = OutlineCrossings(*body_, Vertical(x));
            if (down.size() >= 2) {
                p = G_POINT{x, (down[0].y + down[1].y) / 2};
                return true;
            }
        }
        if (!haveCandidate)
            return false;
        p = candidate;
        return true;
    } catch (const std::bad_alloc&) {
        GeoError() = GEO_NO_MEMORY;
        return false;
    }
}

// ---------------------------------------------------------------------------
// Orientation, area, offset

bool polygon::clockwise() const { return PolygonClockwise(*body_); }

polygon& polygon::operator-()
{
    ReversePolygon(*body_);
    return *this;
}

double polygon::area() const { return std::fabs(PolygonSignedArea(*body_)); }

double polygon::perimeter() const { return PolygonPerimeter(*body_); }

float polygon::length() const { return static_cast<float>(perimeter()); }

polygon* polygon::offset(double d)
{
    OffsetPolygon(*body_, *body_, d);
    return this;
}

polygon* polygon::offset(const float* perSide)
{
    OffsetPolygonSides(*body_, *body_, perSide);
    return this;
}

// ---------------------------------------------------------------------------
// Comparison

bool polygon::operator==(const polygon& other) const
{
    const short n = body_->count;
    if (n == 0 || n != other.body_->count)
        return false;
    const G_POINT* v = body_->vertices;
    const G_POINT* w = other.body_->vertices;
    // A closed ring walked backwards also starts at the other's first vertex,
    // so a failed forward match still tries the reverse walk.
    auto forward = [&] {
        for (short i = 0; i < n; ++i)
            if (!PointsMeet(v[i], w[i]))
                return false;
        return true;
    };
    auto backward = [&] {
        for (short i = 0; i < n; ++i)
            if (!PointsMeet(v[i], w[n - 1 - i]))
                return false;
        return true;
    };
    return (PointsNear(v[0], w[0]) && forward()) || (PointsNear(v[0], w[n - 1]) && backward());
}

polygon& polygon::transform(const point::TRANSFORM& t)
{
    for (short i = 0; i < body_->count; ++i)
        t.Transform(body_->vertices + i);
    return *this;
}

// ---------------------------------------------------------------------------
// Transforms

polygon* polygon::scale(double fx, double fy)
{
    for (short i = 0; i < body_->count; ++i) {
        body_->vertices[i].x *= fx;
        body_->vertices[i].y *= fy;
    }
    return this;
}

polygon* polygon::scale(double f) { return scale(f, f); }

polygon* polygon::move(double dx, double dy)
{
    for (short i = 0; i < body_->count; ++i) {
        body_->vertices[i].x += dx;
        body_->vertices[i].y += dy;
    }
    return this;
}

polygon* polygon::move(const point& origin) { return move(-origin.x(), -origin.y()); }

polygon* polygon::move(const angle& direction, double distance)
{
    for (short i = 0; i < body_->count; ++i) {
        G_POINT& v = body_->vertices[i];
        const G_POINT from = v;
        PolarPoint(v, from, direction.rad(), distance);
    }
    return this;
}

polygon* polygon::move(double distance, const angle& direction) { return move(direction, distance); }

polygon* polygon::rotate(const point& centre, const angle& a)
{
    RotatePolygon(*body_, centre.rec(), a.rad());
    return this;
}

polygon* polygon::rotate(const angle& a, const point& centre) { return rotate(centre, a); }

polygon* polygon::rotate(const point& centre, double radians)
{
    RotatePolygon(*body_, centre.rec(), NormalizeAngle(radians));
    return this;
}

polygon* polygon::rotate(double radians, const point& centre) { return rotate(centre, radians); }

polygon* polygon::mirror(const point& c)
{
    for (short i = 0; i < body_->count; ++i) {
        G_POINT& v = body_->vertices[i];
        v.x = 2 * c.x() - v.x;
        v.y = 2 * c.y() - v.y;
    }
    return this;
}

polygon* polygon::mirror(const line& axis)
{
    MirrorPolygon(*body_, axis.record());
    return this;
}

polygon* polygon::mirror(const point& a, const point& b)
{
    LINE axis;
    if (LineThroughPoints(a.rec(), b.rec(), axis))
        MirrorPolygon(*body_, axis);
    return this;
}

// ---------------------------------------------------------------------------
// Containment and crossings

// The outline is cut side by side, last side first, each side handed to the
// segment worker from its end vertex to its start vertex with the neighbour
// vertices set, so a crossing at a vertex is decided once.
geolist_ref polygon::operator%(const geobject& other) const
{
    const short n = body_->count;
    if (other.typecode() < 5 || n < 2)
        return EmptyResult();
    G_POINT* v = body_->vertices;
    G_POINT* buffer = nullptr;
    CrossingCapacity() = 0;
    CrossingStart() = 0;
    GeoTouchMode() = 0;
    short found = 0;
    for (short i = n - 1; i >= 1; --i) {
        CrossingPrevVertex() = &v[i >= 2 ? i - 2 : n - 2];
        CrossingNextVertex() = &v[i == n - 1 ? 1 : i + 1];
        found = static_cast<short>(found + SegmentObjectCrossings(v[i], v[i - 1], other, &buffer, found));
    }
    CrossingPrevVertex() = nullptr;
    CrossingNextVertex() = nullptr;
    GeoTouchMode() = 1;
    return PointsResult(&buffer, found);
}

namespace {

enum class Side { Undecided, Inside, Outside };

// Decided by the vertical line through each side's midpoint, first side first.
Side Containment(const POLY& body, const geobject& other)
{
    const G_POINT* v = body.vertices;
    for (short i = 1; i < body.count; ++i) {
        G_POINT m;
        Midpoint(m, v[i - 1], v[i]);
        CrossingScope scope;
        const short n = LineObjectCrossings(Vertical(m.x), other, scope.buffer(), 0);
        if (n < 2 || !scope.points())
            continue;
        if (OutsideCrossingSpans(m, scope.points(), n, GEO_VERTICAL))
            return Side::Outside;
        if (InsideCrossingSpans(m, scope.points(), n, GEO_VERTICAL))
            return Side::Inside;
    }
    return Side::Undecided;
}

bool Testable(const POLY& body, const geobject& other)
{
    const short code = other.typecode();
    return body.count > 0 && code > GEO_LINE && code != 13 && code != GEO_RAY;
}

}  // namespace

bool polygon::operator>(const geobject& other) const
{
    if (!Testable(*body_, other) || (*this % other).count() > 0)
        return false;
    const Side side = Containment(*body_, other);
    return side == Side::Outside || side == Side::Undecided;
}

bool polygon::operator<(const geobject& other) const
{
    if (!Testable(*body_, other) || (*this % other).count() > 0)
        return false;
    return Containment(*body_, other) == Side::Inside;
}

bool PointsNear(const G_POINT& a, const G_POINT& b)
{
    return std::fabs(a.x - b.x) < GeoSnap() && std::fabs(a.y - b.y) < GeoSnap();
}

bool PointsMeet(const G_POINT& a, const G_POINT& b)
{
    return std::fabs(a.x - b.x) <= GeoSnap() && std::fabs(a.y - b.y) <= GeoSnap();
}
