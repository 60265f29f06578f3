#include "circle.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

#include "angle.h"
#include "angular.h"
#include "arc.h"
#include "circle_constructions.h"
#include "geolist.h"
#include "inside_tests.h"
#include "intersections.h"
#include "line.h"
#include "line_constructions.h"
#include "point.h"
#include "poly_member.h"
#include "polygon.h"
#include "ray.h"
#include "result_lists.h"
#include "segment.h"
#include "settings.h"

// ---- construction ---------------------------------------------------------------

circle::circle() : geobject(GEO_CIRCLE), c_{{0, 0}, 0.0} {}
circle::circle(double radius) : geobject(GEO_CIRCLE), c_{{0, 0}, radius} {}
circle::circle(double radius, const point& centre) : geobject(GEO_CIRCLE), c_{centre.rec(), radius} {}
circle::circle(const point& centre, double radius) : circle(radius, centre) {}
circle::circle(const circle& other) : geobject(other), c_(other.c_) {}
circle::circle(const CIRCLE& record) : geobject(GEO_CIRCLE), c_(record) {}
circle::circle(const arc& a) : circle() { *this = a; }

circle::circle(const geoitem& item) : circle()
{
    // A wrong kind leaves the default circle (origin, radius 0).
    if (!(*this = item)) GeoError() = GEO_BAD_ARGUMENTS;
}

circle::circle(const poly_member& vertex) : circle()
{
    const POLY* body = vertex.body();
    const short i = vertex.index();
    const bool arcSide = vertex.kind() == GEO_VERTEX_RUN && body != nullptr && i >= 0
                         && 2 * i + 2 < body->count;
    if (arcSide) {
        const G_POINT* slots = body->vertices + 2 * i;
        CIRCLE through = c_;
        if (CircleFrom2PointsAngle(slots[0], slots[2], slots[1].x, through)) {
            c_ = through;
            return;
        }
    }
    c_ = CIRCLE{vertex.get_point().rec(), 0.0};
}

circle::circle(const geolist& list) : circle() { *this = list; }

circle::~circle() = default;

bool circle::operator=(const circle& other)
{
    c_ = other.c_;
    return true;
}

bool circle::operator=(const arc& a)
{
    c_ = CIRCLE{a.record().center, a.record().radius};
    return true;
}

bool circle::operator=(const point& centre)
{
    c_.center = centre.rec();
    return true;
}

bool circle::operator=(double radius)
{
    c_.radius = radius;
    return true;
}

bool circle::operator=(const geoitem& item)
{
    const list_item* it = item.item();
    if (it == nullptr || it->code != GEO_CIRCLE) return false;
    c_ = static_cast<const circle*>(it->object)->c_;
    return true;
}

bool circle::operator=(geobject* object)
{
    if (object == nullptr) return false;
    switch (object->typecode()) {
    case GEO_CIRCLE: return *this = *static_cast<const circle*>(object);
    case GEO_ARC: return *this = *static_cast<const arc*>(object);
    case GEO_LIST: return operator=(*static_cast<const geolist*>(object));
    case GEO_ITEM: return *this = *static_cast<const geoitem*>(object);
    default: return false;
    }
}

void circle::set(const point& centre, double radius) { c_ = CIRCLE{centre.rec(), radius}; }
void circle::set(const point& centre) { c_.center = centre.rec(); }
void circle::set(double radius) { c_.radius = radius; }
point circle::center() const { return point(c_.center); }

// ---- comparison --------------------------------------------------------------------

namespace {

// Inclusive bounds: the counterparts of the strict ==.
bool AllWithin(const CIRCLE& a, const CIRCLE& b)
{
    return std::fabs(a.center.x - b.center.x) <= GeoSnap() && std::fabs(a.radius - b.radius) <= GeoSnap()
           && std::fabs(a.center.y - b.center.y) <= GeoSnap();
}

CIRCLE CircleOfArc(const arc& a) { return CIRCLE{a.record().center, a.record().radius}; }

} // namespace

bool circle::operator==(const circle& o) const
{
    return std::fabs(c_.center.x - o.c_.center.x) < GeoSnap() && std::fabs(c_.radius - o.c_.radius) < GeoSnap()
           && std::fabs(c_.center.y - o.c_.center.y) < GeoSnap();
}

bool circle::operator!=(const circle& o) const { return !AllWithin(c_, o.c_); }
bool circle::operator==(const arc& a) const { return AllWithin(c_, CircleOfArc(a)); }
bool circle::operator!=(const arc& a) const { return !AllWithin(c_, CircleOfArc(a)); }

G_POINT circle::GetClosestPoint(const G_POINT& p) const
{
    const double dx = p.x - c_.center.x;
    const double dy = p.y - c_.center.y;
    const double d = std::sqrt(dx * dx + dy * dy);
    // At the centre every point of the circle is as near: take the one at angle 0.
    if (d == 0.0) return G_POINT{c_.center.x + c_.radius, c_.center.y};
    return G_POINT{c_.center.x + c_.radius * dx / d, c_.center.y + c_.radius * dy / d};
}

// ---- transforms ----------------------------------------------------------------------

geobject* circle::offset(double d)
{
    c_.radius += d;
    return this;
}

segment circle::frame() const
{
    const double r = c_.radius;
    return segment(G_POINT{c_.center.x - r, c_.center.y - r}, G_POINT{c_.center.x + r, c_.center.y + r});
}

geobject* circle::scale(double fx, double fy)
{
    c_.center.x *= fx;
    c_.center.y *= fy;
    c_.radius *= (fx + fy) * 0.5;
    return this;
}

geobject* circle::scale(double f)
{
    c_.center.x *= f;
    c_.center.y *= f;
    c_.radius *= f;
    return this;
}

geobject* circle::move(double d, const angle& a) { return move(a, d); }

geobject* circle::move(const angle& a, double d)
{
    G_POINT moved;
    c_.center = PolarPoint(moved, c_.center, a.rad(), d);
    return this;
}

geobject* circle::move(const point& p)
{
    c_.center.x -= p.x();
    c_.center.y -= p.y();
    return this;
}

geobject* circle::move(double dx, double dy)
{
    c_.center.x += dx;
    c_.center.y += dy;
    return this;
}

geobject* circle::rotate(double radians, const point& c) { return rotate(c, radians); }
geobject* circle::rotate(const angle& a, const point& c) { return rotate(c, a); }

geobject* circle::rotate(const point& c, double radians)
{
    RotatePoint(c_.center, c.rec(), NormalizeAngle(radians));
    return this;
}

geobject* circle::rotate(const point& c, const angle& a)
{
    RotatePoint(c_.center, c.rec(), a.rad());
    return this;
}

geobject* circle::mirror(const point& a, const point& b)
{
    LINE l;
    if (LineThroughPoints(a.rec(), b.rec(), l)) MirrorPointAboutLine(c_.center, l);
    return this;
}

geobject* circle::mirror(const line& m)
{
    MirrorPointAboutLine(c_.center, m.record());
    return this;
}

geobject* circle::mirror(const point& c)
{
    MirrorPointAboutPoint(c_.center, c.rec());
    return this;
}

// ---- containment ---------------------------------------------------------------------------

namespace {

bool CentreInside(const CIRCLE& c, const geobject& o) { return point(c.center) < o; }

} // namespace

bool circle::outsideTest(const geobject& o, bool wantInside) const
{
    const short code = o.typecode();
    if (code == GEO_POINT || code == GEO_LINE || code == GEO_SEGMENT || code == GEO_RAY) return false;
    {
        AngleScope scope;
        if (CircleCrossings(c_, o, scope.buffer(), 0) != 0) return false;
    }
    return CentreInside(c_, o) == wantInside;
}

bool circle::operator>(const geobject& o) const { return outsideTest(o, false); }
bool circle::operator<(const geobject& o) const { return outsideTest(o, true); }

// ---- crossings and pieces ---------------------------------------------------------------------

geolist_ref circle::operator%(const geobject& o) const
{
    const short code = o.typecode();
    if (code <= GEO_POINT) return EmptyResult();
    G_POINT pair[2];
    int n = 0;
    G_POINT* points = nullptr;
    if (code == GEO_LINE || code == GEO_CIRCLE) {
        n = code == GEO_LINE ? IntersectLineCircle(c_, static_cast<const line&>(o).record(), pair)
                             : IntersectCircles(c_, static_cast<const circle&>(o).c_, pair);
        if (n > 0) points = static_cast<G_POINT*>(std::malloc(sizeof(G_POINT) * static_cast<size_t>(n)));
        for (int i = 0; i < n && points != nullptr; ++i)
            points[i] = pair[i];
    } else {
        AngleScope scope;
        n = CircleCrossings(c_, o, scope.buffer(), 0);
        if (n > 0) points = static_cast<G_POINT*>(std::malloc(sizeof(G_POINT) * static_cast<size_t>(n)));
        for (int i = 0; i < n && points != nullptr; ++i)
            PolarPoint(points[i], c_.center, scope.angles()[i], c_.radius);
    }
    if (n > 0 && points == nullptr) {
        GeoError() = GEO_NO_MEMORY;
        return EmptyResult();
    }
    return PointsResult(&points, static_cast<short>(n));
}

geolist_ref circle::operator<<(const geobject& o)
{
    geolist result;
    if (o.typecode() > GEO_LINE) ClipCircle(result, o, c_, 1);
    return geolist_ref(result.body());
}

geolist_ref circle::operator>>(const geobject& o)
{
    geolist result;
    if (o.typecode() > GEO_LINE) ClipCircle(result, o, c_, 0);
    return geolist_ref(result.body());
}

// ---- workers ----------------------------------------------------------------------------------

namespace {

// Inserts the direction of p seen from the centre; false when it cannot.
bool InsertDirection(const CIRCLE& c, const G_POINT& p, double** angles, short at)
{
    double a = 0;
    return DirectionAngle(c.center, p, a) && InsertArcAngle(a, angles, at);
}

short CrossLine(const CIRCLE& c, const LINE& l, double** angles, short start)
{
    double out[2];
    const int n = CircleLineAngles(c, l, out);
    if (n > 0 && InsertArcAngle(out[0], angles, start) && n == 2)
        InsertArcAngle(out[1], angles, static_cast<short>(start + 1));
    return static_cast<short>(n);
}

short CrossCircle(const CIRCLE& c, const CIRCLE& other, double** angles, short start)
{
    double out[2];
    const int n = CircleCircleAngles(c, other, out);
    for (int i = 0; i < n; ++i)
        if (!InsertArcAngle(out[i], angles, static_cast<short>(start + i))) return 0;
    return static_cast<short>(n);
}

short CrossSegment(const CIRCLE& c, const segment& s, double** angles, short start)
{
    G_POINT out[2];
    const int n = SegmentCircleCrossings(s.startPoint(), s.endPoint(), c, out);
    // Only cuts count: a touching segment (3) inserts nothing, as in the
    // segment's and the arc's own workers; counting 3 would hand callers
    // angles that were never written.
    if (n != 1 && n != 2) return 0;
    short kept = 0;
    for (int i = 0; i < n; ++i) {
        if (!InsertDirection(c, out[i], angles, static_cast<short>(start + kept))) break;
        ++kept;
    }
    return kept;
}

short CrossArc(const CIRCLE& c, const ARC& a, double** angles, short start)
{
    G_POINT out[2];
    const int n = IntersectCircles(c, CIRCLE{a.center, a.radius}, out);
    short kept = 0;
    for (int i = 0; i < n; ++i) {
        double onArc = 0;
        if (!DirectionAngle(a.center, out[i], onArc) || !AngleInArc(onArc, a)) continue;
        if (InsertDirection(c, out[i], angles, static_cast<short>(start + kept))) ++kept;
    }
    return kept;
}

short CrossRay(const CIRCLE& c, const ray& r, double** angles, short start)
{
    LINE carrier;
    LineAtAngle(carrier, r.origin(), r.direction());
    G_POINT out[2];
    const int n = IntersectLineCircle(c, carrier, out);
    short kept = 0;
    for (int i = 0; i < n; ++i) {
        double toPoint = 0;
        const bool hasDirection = DirectionAngle(r.origin(), out[i], toPoint);
        // A crossing at the origin counts only when it is the only one.
        const bool keep = hasDirection ? PointAheadOnRay(r.origin(), r.direction(), out[i]) : n == 1;
        if (keep && InsertDirection(c, out[i], angles, static_cast<short>(start + kept))) ++kept;
    }
    return kept;
}

} // namespace

short CircleCrossings(const CIRCLE& c, const geobject& other, double** angles, short start)
{
    switch (other.typecode()) {
    case GEO_LINE: return CrossLine(c, static_cast<const line&>(other).record(), angles, start);
    case GEO_CIRCLE: return CrossCircle(c, static_cast<const circle&>(other).record(), angles, start);
    case GEO_SEGMENT: return CrossSegment(c, static_cast<const segment&>(other), angles, start);
    case GEO_ARC: return CrossArc(c, static_cast<const arc&>(other).record(), angles, start);
    case GEO_POLYGON: {
        const POLY* body = static_cast<const polygon&>(other).body();
        return body != nullptr ? CirclePolylineCrossings(body->vertices, body->count, c, angles, start) : 0;
    }
    case GEO_RAY: return CrossRay(c, static_cast<const ray&>(other), angles, start);
    case GEO_LIST:
    case GEO_LIST_REF:
        return SumOverItems(other, [&](const geobject& item, short total) {
            return CircleCrossings(c, item, angles, static_cast<short>(start + total));
        });
    case GEO_ITEM: {
        std::unique_ptr<geobject> holder;
        const geobject* item = ItemObject(static_cast<const geoitem&>(other), holder);
        return item != nullptr ? CircleCrossings(c, *item, angles, start) : 0;
    }
    default:
        return 0;
    }
}

namespace {

// The whole circle as one item (code 9). The body adopts the object, so it
// stays valid exactly as long as the result body (not in the value store,
// which appending to the list moves).
void AddWholeCircle(geolist_pr* body, const CIRCLE& c)
{
    circle* whole = new (std::nothrow) circle(c);
    if (whole == nullptr) {
        GeoError() = GEO_NO_MEMORY;
        return;
    }
    if (!AdoptObject(body, whole))
        return;
    if (body->length >= body->capacity && !GrowList(body, 1)) {
        GeoError() = GEO_NO_MEMORY;
        return;
    }
    list_item& item = body->items[body->length++];
    item.code = GEO_CIRCLE;
    item.object = whole;
}

// Whether the middle point of the arc from a1 to a2 lies outside `other`.
bool TestPieceOutside(const CIRCLE& c, double a1, double a2, const geobject& other)
{
    const double m = NormalizeAngle(a1 + NormalizeAngle(a2 - a1) * 0.5);
    G_POINT M;
    PolarPoint(M, c.center, m, c.radius);
    CrossingScope scratch;
    const short n = LineObjectCrossings(LINE{GEO_VERTICAL, M.x}, other, scratch.buffer(), 0);
    return n < 2 || OutsideCrossingSpans(M, scratch.points(), n, GEO_VERTICAL);
}

} // namespace

void ClipCircle(geolist& result, const geobject& other, const CIRCLE& c, char mode)
{
    geolist_pr* body = result.body();
    AngleScope scope;
    const short count = CircleCrossings(c, other, scope.buffer(), 0);
    if (body == nullptr) return;
    if (count <= 1) {
        scope.release();
        if (CentreInside(c, other) == (mode == 1)) AddWholeCircle(body, c);
        CrossingCapacity() = 0;
        return;
    }
    const double* a = scope.angles();
    const bool outside = TestPieceOutside(c, a[count - 2], a[count - 1], other);
    const bool wanted = (outside && mode == 0) || (!outside && mode == 1);
    const int pieces = count / 2;
    auto* store = static_cast<G_POINT*>(std::malloc(sizeof(G_POINT) * 3 * static_cast<size_t>(pieces)));
    auto* items = static_cast<list_item*>(std::malloc(sizeof(list_item) * static_cast<size_t>(pieces)));
    if (store == nullptr || items == nullptr) {
        std::free(store);
        std::free(items);
        GeoError() = GEO_NO_MEMORY;
        return;
    }
    // Pairs are taken backwards from the end; the pair taken first is the last item.
    for (int i = 0; i < pieces; ++i) {
        double first;
        double second;
        if (wanted) {
            first = a[count - 2 - 2 * i];
            second = a[count - 1 - 2 * i];
        } else if (i == 0) {
            first = a[count - 1];
            second = a[0];
        } else {
            first = a[count - 1 - 2 * i];
            second = a[count - 2 * i];
        }
        const int slot = pieces - 1 - i;
        const ARC record{c.center, c.radius, first, second};
        std::memcpy(store + 3 * slot, &record, sizeof record);
        items[slot].code = GEO_STORED_ARC;
        items[slot].stored = store + 3 * slot;
    }
    std::free(body->items);
    std::free(body->store);
    body->items = items;
    body->store = store;
    body->length = pieces;
    body->capacity = pieces;
    body->storeCount = 3 * pieces;
}
