#include "arc.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <utility>

#include "angle.h"
#include "angular.h"
#include "circle.h"
#include "distances.h"
#include "geoitem.h"
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

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kHalfPi = 1.5707963267948966;
constexpr ARC kZeroArc{{0.0, 0.0}, 0.0, 0.0, 0.0};

// A stored arc fills three value slots of a result list.
constexpr int kArcSlots = 3;
static_assert(sizeof(ARC) <= kArcSlots * sizeof(G_POINT));

G_POINT ArcPoint(const ARC& a, double angle)
{
    G_POINT p;
    PolarPoint(p, a.center, angle, a.radius);
    return p;
}

// Whether the ARC that an item stands for could be read into `out`.
bool ReadArcItem(const geoitem& item, ARC& out)
{
    const list_item* raw = item.item();
    if (raw == nullptr)
        return false;
    if (raw->code == GEO_ARC) {
        out = static_cast<const arc*>(raw->object)->record();
        return true;
    }
    if (raw->code == GEO_STORED_ARC) {
        std::memcpy(&out, raw->stored, sizeof out);
        return true;
    }
    return false;
}

// Inserts the direction of p seen from the centre at index `at`.
bool InsertDirection(const ARC& a, const G_POINT& p, double** angles, short at)
{
    double direction = 0.0;
    return DirectionAngle(a.center, p, direction) && InsertArcAngle(direction, angles, at);
}

// Inserts each of n angles that lies on the arc; returns how many went in.
short InsertOnArc(const ARC& a, const double* candidates, int n, double** angles, short start)
{
    short kept = 0;
    for (int i = 0; i < n; ++i) {
        if (!AngleInArc(candidates[i], a))
            continue;
        if (!InsertArcAngle(candidates[i], angles, static_cast<short>(start + kept)))
            break;
        ++kept;
    }
    return kept;
}

// Inserts the directions of n points (1 or 2; any other count is none).
short InsertPoints(const ARC& a, const G_POINT* points, int n, double** angles, short start)
{
    if (n != 1 && n != 2)
        return 0;
    short kept = 0;
    for (int i = 0; i < n; ++i) {
        if (!InsertDirection(a, points[i], angles, static_cast<short>(start + kept)))
            break;
        ++kept;
    }
    return kept;
}

short CrossLine(const ARC& a, const LINE& l, double** angles, short start)
{
    double out[2];
    if (CircleLineAngles(CIRCLE{a.center, a.radius}, l, out) != 2)
        return 0;  // a tangent line gives no crossing
    return InsertOnArc(a, out, 2, angles, start);
}

short CrossCircle(const ARC& a, const CIRCLE& c, double** angles, short start)
{
    double out[2];
    const int n = CircleCircleAngles(CIRCLE{a.center, a.radius}, c, out);
    return InsertOnArc(a, out, n, angles, start);
}

short CrossRay(const ARC& a, const ray& r, double** angles, short start)
{
    LINE carrier;
    LineAtAngle(carrier, r.origin(), r.direction());
    G_POINT out[2];
    const int n = ArcLineCrossings(a, carrier, out);
    if (n != 1 && n != 2)
        return 0;  // 3, a single tangent point, gives nothing
    G_POINT ahead[2];
    int m = 0;
    for (int i = 0; i < n; ++i) {
        double toPoint = 0.0;
        // Compared across the wrap: a ray held at -pi points where pi does.
        if (DirectionAngle(r.origin(), out[i], toPoint) &&
            std::fabs(NormalizeAngle(toPoint - r.direction())) < GeoDif())
            ahead[m++] = out[i];
    }
    return InsertPoints(a, ahead, m, angles, start);
}

short CrossList(const ARC& a, const geobject& list, double** angles, short start)
{
    const geolist_pr* body = ListBodyOf(list);
    if (body == nullptr)
        return 0;
    short total = 0;
    for (int i = 0; i < body->length; ++i) {
        const int code = body->items[i].code;
        if (code <= GEO_POINT && code >= GEO_STORED_POINT)
            continue;  // numbers, keywords, points and stored points do not cross
        std::unique_ptr<geobject> holder;
        const geobject* item = ItemObject(body->items[i], holder);
        if (item != nullptr)
            total = static_cast<short>(total +
                                       ArcCrossings(a, *item, angles, static_cast<short>(start + total)));
    }
    return total;
}

// Crossings of the vertical line through p with `other`: fewer than two, or p
// outside their spans, means p lies outside.
bool PointOutside(const G_POINT& p, const geobject& other)
{
    CrossingScope scratch;
    const short n = LineObjectCrossings(LINE{GEO_VERTICAL, p.x}, other, scratch.buffer(), 0);
    return n < 2 || OutsideCrossingSpans(p, scratch.points(), n, GEO_VERTICAL);
}

// The comparisons apply to circles, segments, arcs, polygons, lists, items,
// list handles and vertex views only.
bool Comparable(const geobject& other)
{
    const short code = other.typecode();
    return code >= GEO_CIRCLE && code != 13 && code != GEO_RAY;
}

bool Crosses(const ARC& a, const geobject& other)
{
    AngleScope angles;
    return ArcCrossings(a, other, angles.buffer(), 0) != 0;
}

}  // namespace

// --- construction and assignment ---------------------------------------------

arc::arc() : geobject(GEO_ARC), rec_(kZeroArc) {}
arc::arc(const ARC& record) : geobject(GEO_ARC), rec_(record) {}
arc::arc(const arc& other) : geobject(GEO_ARC), rec_(other.rec_) {}
arc::arc(const point& c, const point& s, const point& e) : arc() { move(c, s, e); }
arc::arc(const poly_member& member) : arc() { *this = member; }
arc::arc(geolist& list) : arc() { *this = list; }
arc::arc(geolist&& list) : arc() { *this = list; }

arc::arc(const geoitem& item) : arc()
{
    if (!ReadArcItem(item, rec_))
        GeoError() = GEO_BAD_ARGUMENTS;
}

arc::~arc() = default;

arc& arc::operator=(const arc& other)
{
    rec_ = other.rec_;
    return *this;
}

bool arc::operator=(const geoitem& item) { return ReadArcItem(item, rec_); }

bool arc::operator=(const poly_member& member)
{
    const POLY* body = member.body();
    const short i = member.index();
    switch (member.kind()) {
    case GEO_SEGMENT:
        rec_ = ARC{member.get_point().rec(), 0.0, 0.0, 0.0};
        return true;
    case GEO_POLYGON:
        if (body == nullptr || i < 0 || i >= body->count)
            return false;
        ArcFromPolyMember(*body, i, rec_);
        return true;
    case GEO_VERTEX_RUN: {
        // An arc side: start point, sweep in the middle slot's x, end point.
        if (body == nullptr || i < 0 || 2 * i + 2 >= body->count)
            return false;
        const G_POINT* slots = body->vertices + 2 * i;
        return ArcFrom2PointsAngle(slots[0], slots[2], slots[1].x, rec_);
    }
    default:
        return false;
    }
}

void arc::operator=(const point& centre) { rec_.center = centre.rec(); }
void arc::operator=(double radius) { rec_.radius = std::fabs(radius); }

geobject* arc::move(const point& c, const point& s, const point& e)
{
    rec_.center = c.rec();
    rec_.radius = PointDistance(c.rec(), s.rec());
    DirectionAngle(c.rec(), s.rec(), rec_.start);
    DirectionAngle(c.rec(), e.rec(), rec_.end);
    return this;
}

// --- queries -------------------------------------------------------------------

arc& arc::operator-()
{
    std::swap(rec_.start, rec_.end);
    return *this;
}

point arc::center() const { return point(rec_.center); }
point arc::start() const { return point(ArcPoint(rec_, rec_.start)); }
point arc::end() const { return point(ArcPoint(rec_, rec_.end)); }
double arc::perimeter() const { return rec_.radius * ArcSweep(rec_); }

bool arc::operator==(const arc& other) const { return ArcEqual(rec_, other.rec_); }
bool arc::operator!=(const arc& other) const { return !ArcEqual(rec_, other.rec_); }

bool arc::operator==(const circle& other) const
{
    const CIRCLE& c = other.record();
    const double snap = GeoSnap();
    return std::fabs(rec_.center.x - c.center.x) < snap && std::fabs(rec_.center.y - c.center.y) < snap &&
                   std::fabs(rec_.radius - c.radius) < snap
               ? 1
               : 0;
}

bool arc::operator!=(const circle& other) const { return !(*this == other); }

segment arc::frame() const
{
    const G_POINT s = ArcPoint(rec_, rec_.start);
    const G_POINT e = ArcPoint(rec_, rec_.end);
    const G_POINT& c = rec_.center;
    const double r = rec_.radius;
    const G_POINT low{AngleInArc(kPi, rec_) ? c.x - r : std::fmin(s.x, e.x),
                      AngleInArc(-kHalfPi, rec_) ? c.y - r : std::fmin(s.y, e.y)};
    const G_POINT high{AngleInArc(0.0, rec_) ? c.x + r : std::fmax(s.x, e.x),
                       AngleInArc(kHalfPi, rec_) ? c.y + r : std::fmax(s.y, e.y)};
    return segment(low, high);
}

// --- transforms ------------------------------------------------------------------

geobject* arc::offset(double distance)
{
    rec_.radius += distance;
    return this;
}

geobject* arc::scale(double fx, double fy)
{
    ScaleArc(rec_, fx, fy);
    return this;
}

geobject* arc::scale(double f)
{
    rec_.center.x *= f;
    rec_.center.y *= f;
    rec_.radius *= f;
    return this;
}

geobject* arc::move(double distance, const angle& direction) { return move(direction, distance); }

geobject* arc::move(const angle& direction, double distance)
{
    const G_POINT from = rec_.center;
    PolarPoint(rec_.center, from, direction.rad(), distance);
    return this;
}

geobject* arc::move(const point& origin)
{
    rec_.center.x -= origin.x();
    rec_.center.y -= origin.y();
    return this;
}

geobject* arc::move(double dx, double dy)
{
    rec_.center.x += dx;
    rec_.center.y += dy;
    return this;
}

geobject* arc::rotate(double radians, const point& centre)
{
    RotateArc(rec_, centre.rec(), NormalizeAngle(radians));
    return this;
}

geobject* arc::rotate(const angle& a, const point& centre)
{
    RotateArc(rec_, centre.rec(), a.rad());
    return this;
}

geobject* arc::rotate(const point& centre, double radians) { return rotate(radians, centre); }
geobject* arc::rotate(const point& centre, const angle& a) { return rotate(a, centre); }

geobject* arc::mirror(const point& a, const point& b)
{
    LINE axis;
    if (LineThroughPoints(a.rec(), b.rec(), axis))
        MirrorArcAboutLine(rec_, axis);
    return this;
}

geobject* arc::mirror(const line& axis)
{
    MirrorArcAboutLine(rec_, axis.record());
    return this;
}

geobject* arc::mirror(const point& centre)
{
    MirrorArcAboutPoint(rec_, centre.rec());
    return this;
}

// --- containment, crossings, clipping ----------------------------------------------

bool arc::operator<(const geobject& other) const
{
    if (!Comparable(other) || Crosses(rec_, other))
        return false;
    return !PointOutside(ArcPoint(rec_, rec_.start), other);
}

bool arc::operator>(const geobject& other) const
{
    if (!Comparable(other) || Crosses(rec_, other))
        return false;
    return PointOutside(ArcPoint(rec_, rec_.start), other);
}

geolist_ref arc::operator%(const geobject& other) const
{
    try {
        return crossingPoints(other);
    } catch (const std::bad_alloc&) {
        GeoError() = GEO_NO_MEMORY;
        return geolist_ref();
    }
}

geolist_ref arc::crossingPoints(const geobject& other) const
{
    if (other.typecode() < 5)
        return EmptyResult();
    AngleScope angles;
    const short n = ArcCrossings(rec_, other, angles.buffer(), 0);
    if (n <= 0)
        return EmptyResult();
    auto* points = static_cast<G_POINT*>(std::malloc(sizeof(G_POINT) * static_cast<size_t>(n)));
    if (points == nullptr) {
        GeoError() = GEO_NO_MEMORY;
        return EmptyResult();
    }
    for (short i = 0; i < n; ++i)
        points[i] = ArcPoint(rec_, angles.angles()[i]);
    angles.release();
    return PointsResult(&points, n);
}

geolist_ref arc::operator<<(const geobject& other) { return pieces(other, 1); }
geolist_ref arc::operator>>(const geobject& other) { return pieces(other, 0); }

geolist_ref arc::pieces(const geobject& other, char mode) const
{
    try {
        geolist result;
        if (other.typecode() > GEO_LINE)
            ClipArc(result, other, rec_, mode);
        return geolist_ref(result.body());
    } catch (const std::bad_alloc&) {
        GeoError() = GEO_NO_MEMORY;
        return geolist_ref();
    }
}

// --- record-level workers ------------------------------------------------------------

char ArcEqual(const ARC& a, const ARC& b)
{
    const double snap = GeoSnap();
    return std::fabs(a.center.x - b.center.x) < snap && std::fabs(a.center.y - b.center.y) < snap &&
                   std::fabs(a.radius - b.radius) < snap && std::fabs(a.start - b.start) < snap &&
                   std::fabs(a.end - b.end) < snap
               ? 1
               : 0;
}

void ScaleArc(ARC& a, double fx, double fy)
{
    if (fx == 0.0 && fy == 0.0)
        return;
    a.start = std::atan2(std::sin(a.start) * fy, std::cos(a.start) * fx);
    a.end = std::atan2(std::sin(a.end) * fy, std::cos(a.end) * fx);
    a.radius = (fx + fy) * a.radius * 0.5;
    a.center.x *= fx;
    a.center.y *= fy;
}

void RotateArc(ARC& a, const G_POINT& centre, double radians)
{
    RotatePoint(a.center, centre, radians);
    a.start = NormalizeAngle(a.start + radians);
    a.end = NormalizeAngle(a.end + radians);
}

void MirrorArcAboutPoint(ARC& a, const G_POINT& centre)
{
    MirrorPointAboutPoint(a.center, centre);
    a.start = NormalizeAngle(a.start + kPi);
    a.end = NormalizeAngle(a.end + kPi);
}

void MirrorArcAboutLine(ARC& a, const LINE& axis)
{
    MirrorPointAboutLine(a.center, axis);
    // Reflection turns directions into t - direction and reverses the sense.
    const double t = axis.ltan < GEO_VERTICAL ? 2.0 * std::atan(axis.ltan) : kPi;
    const double start = NormalizeAngle(t - a.end);
    a.end = NormalizeAngle(t - a.start);
    a.start = start;
}

short ArcCrossings(const ARC& a, const geobject& other, double** angles, short start)
{
    G_POINT out[2];
    switch (other.typecode()) {
    case GEO_LINE:
        return CrossLine(a, static_cast<const line&>(other).record(), angles, start);
    case GEO_CIRCLE:
        return CrossCircle(a, static_cast<const circle&>(other).record(), angles, start);
    case GEO_SEGMENT: {
        const segment& s = static_cast<const segment&>(other);
        return InsertPoints(a, out, SegmentArcCrossings(a, s.startPoint(), s.endPoint(), out), angles,
                            start);
    }
    case GEO_ARC:
        return InsertPoints(a, out, ArcArcCrossings(a, static_cast<const arc&>(other).record(), out),
                            angles, start);
    case GEO_POLYGON: {
        const POLY* body = static_cast<const polygon&>(other).body();
        return body != nullptr ? ArcPolylineCrossings(body->vertices, body->count, a, angles, start) : 0;
    }
    case GEO_RAY:
        return CrossRay(a, static_cast<const ray&>(other), angles, start);
    case GEO_LIST:
    case GEO_LIST_REF:
        return CrossList(a, other, angles, start);
    case GEO_ITEM: {
        std::unique_ptr<geobject> holder;
        const geobject* item = ItemObject(static_cast<const geoitem&>(other), holder);
        return item != nullptr ? ArcCrossings(a, *item, angles, start) : 0;
    }
    default:
        return 0;
    }
}

namespace {

// Hands n arc pieces to the result list as stored arcs (code -11).
void StorePieces(geolist_pr* body, const ARC* pieces, int n)
{
    auto* store = static_cast<G_POINT*>(std::malloc(sizeof(G_POINT) * kArcSlots * static_cast<size_t>(n)));
    auto* items = static_cast<list_item*>(std::malloc(sizeof(list_item) * static_cast<size_t>(n)));
    if (store == nullptr || items == nullptr) {
        std::free(store);
        std::free(items);
        GeoError() = GEO_NO_MEMORY;
        return;
    }
    for (int j = 0; j < n; ++j) {
        std::memcpy(store + kArcSlots * j, &pieces[j], sizeof(ARC));
        items[j].code = GEO_STORED_ARC;
        items[j].stored = store + kArcSlots * j;
    }
    std::free(body->items);
    std::free(body->store);
    body->items = items;
    body->store = store;
    body->length = n;
    body->capacity = n;
    body->storeCount = kArcSlots * n;
}

// The counter-clockwise middle of the piece from a1 to a2. Taking the short
// way instead would test a point of the complementary arc for any piece that
// sweeps more than half a turn.
double PieceMiddle(double a1, double a2)
{
    return NormalizeAngle(a1 + ArcSweep(ARC{{0.0, 0.0}, 0.0, a1, a2}) * 0.5);
}

// Keeps the shared insertion order (ascending, from index 0) for one clipping.
class InsertionOrder {
public:
    InsertionOrder() : start_(CrossingStart()), descending_(CrossingDescending())
    {
        CrossingStart() = 0;
        CrossingDescending() = 0;
    }
    ~InsertionOrder()
    {
        CrossingStart() = start_;
        CrossingDescending() = descending_;
    }
    InsertionOrder(const InsertionOrder&) = delete;
    InsertionOrder& operator=(const InsertionOrder&) = delete;

private:
    short start_;
    char descending_;
};

}  // namespace

void ClipArc(geolist& result, const geobject& other, const ARC& a, char mode)
{
    geolist_pr* body = result.body();
    if (body == nullptr)
        return;
    InsertionOrder order;
    AngleScope buffer;
    auto* first = static_cast<double*>(std::malloc(3 * sizeof(double)));
    if (first == nullptr) {
        GeoError() = GEO_NO_MEMORY;
        return;
    }
    *buffer.buffer() = first;
    CrossingCapacity() = 3;
    first[0] = a.start;
    // A full turn (equal angles) ends just short of its start, so that the
    // ordered insertion finds every crossing between the two; the true end
    // angle goes back in afterwards.
    first[1] = a.start == a.end ? a.start - 1e-9 : a.end;
    const int count = 2 + ArcCrossings(a, other, buffer.buffer(), 2);
    double* angles = buffer.angles();
    if (angles == nullptr)
        return;  // the buffer could not grow (GeoError 2)
    angles[count - 1] = a.end;

    const G_POINT middle = ArcPoint(a, PieceMiddle(angles[count - 2], angles[count - 1]));
    const short capacity = CrossingCapacity();
    CrossingCapacity() = 0;
    const bool outside = PointOutside(middle, other);
    CrossingCapacity() = capacity;

    const int k = (outside && mode == 0) || (!outside && mode == 1) ? 0 : 1;
    const int n = (count - k) / 2;
    if (n <= 0)
        return;
    auto pieces = std::unique_ptr<ARC[]>(new (std::nothrow) ARC[static_cast<size_t>(n)]);
    if (!pieces) {
        GeoError() = GEO_NO_MEMORY;
        return;
    }
    // Backwards from the end: every other stretch between neighbours.
    int i = count - k;
    for (int j = n - 1; j >= 0; --j, i -= 2)
        pieces[j] = ARC{a.center, a.radius, angles[i - 2], angles[i - 1]};
    StorePieces(body, pieces.get(), n);
}

void ArcFromPolyMember(const POLY& body, short index, ARC& out)
{
    const G_POINT* v = body.vertices;
    const G_POINT& vertex = v[index];
    const double snap = GeoSnap();
    short last = static_cast<short>(body.count - 1);
    if (body.count > 1 && std::fabs(v[0].x - v[last].x) < snap && std::fabs(v[0].y - v[last].y) < snap)
        last = static_cast<short>(body.count - 2);
    const G_POINT& prev = index == 0 ? v[last] : v[index - 1];
    const G_POINT& next = index >= last ? v[0] : v[index + 1];
    double a1 = 0.0;
    double a2 = 0.0;
    if (!DirectionAngle(vertex, prev, a1) || !DirectionAngle(vertex, next, a2)) {
        out = ARC{vertex, 0.0, 0.0, 0.0};
        return;
    }
    const double half = 0.5 * std::fmin(PointDistance(vertex, prev), PointDistance(vertex, next));
    const double radius = 30.0 * snap < half ? 30.0 * snap : half;
    const double lo = std::fmin(a1, a2);
    const double hi = std::fmax(a1, a2);
    G_POINT probe;
    PolarPoint(probe, vertex, (lo + hi) * 0.5, radius);
    CrossingScope scratch;
    CrossingCapacity() = 0;
    const bool outside = PointInPolygon(probe, body, scratch.buffer(), 0) == 1;
    out = outside ? ARC{vertex, radius, hi, lo} : ARC{vertex, radius, lo, hi};
}
