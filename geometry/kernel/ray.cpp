#include "ray.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <memory>

#include "../curves/arc.h"
#include "../curves/circle.h"
#include "../curves/polygon.h"
#include "angle.h"
#include "angular.h"
#include "geolist.h"
#include "inside_tests.h"
#include "intersections.h"
#include "line.h"
#include "line_constructions.h"
#include "point.h"
#include "result_lists.h"
#include "segment.h"
#include "settings.h"

namespace {

constexpr double DEGREES_TO_RADIANS = GEO_PI / 180.0;

// The direction at `fraction` of an arc's span (0.5: its middle), the span
// taken the short way round.
double ArcDirectionAt(const ARC& a, double fraction)
{
    return NormalizeAngle(a.start + fraction * NormalizeAngle(a.end - a.start));
}

ARC StoredArc(const G_POINT* slots)
{
    ARC record;
    std::memcpy(&record, slots, sizeof record);
    return record;
}

} // namespace

// ---- construction ------------------------------------------------------------------

ray::ray() : geobject(GEO_RAY), origin_{0, 0}, direction_(0) {}
ray::ray(const ray& o) : geobject(o), origin_(o.origin_), direction_(o.direction_) {}
ray::ray(const G_POINT& o, double radians) : geobject(GEO_RAY), origin_(o), direction_(radians) {}
ray::ray(const point& o, const angle& a) : ray(o.rec(), a.rad()) {}
ray::ray(double radians, const point& o) : ray(o.rec(), NormalizeAngle(radians)) {}
ray::ray(const point& o, double radians) : ray(o.rec(), NormalizeAngle(radians)) {}
ray::ray(const arc& a) : ray(a.record().center, ArcDirectionAt(a.record(), 0.5)) {}

ray::ray(const geoitem& item) : ray()
{
    const list_item* it = item.item();
    const int code = it != nullptr ? it->code : 0;
    if (code == GEO_RAY || code == GEO_STORED_RAY) {
        *this = item;
    } else if (code == GEO_ARC) {
        *this = ray(*static_cast<const arc*>(it->object));
    } else if (code == GEO_STORED_ARC) {
        const ARC a = StoredArc(it->stored);
        origin_ = a.center;
        direction_ = ArcDirectionAt(a, 0.5);
    } else {
        GeoError() = GEO_BAD_ARGUMENTS;
    }
}

ray::ray(geolist& list) : ray() { *this = list; }
ray::ray(geolist&& list) : ray() { *this = list; }
ray::~ray() = default;

ray& ray::operator=(const point& o)
{
    origin_ = o.rec();
    return *this;
}

ray& ray::operator=(const ray& o)
{
    geobject::operator=(o);
    origin_ = o.origin_;
    direction_ = o.direction_;
    return *this;
}

bool ray::operator=(const geoitem& item)
{
    const list_item* it = item.item();
    if (it == nullptr) return false;
    if (it->code == GEO_RAY) {
        *this = *static_cast<const ray*>(it->object);
        return true;
    }
    if (it->code == GEO_STORED_RAY) {
        origin_ = it->stored[0];
        direction_ = it->stored[1].x;
        return true;
    }
    return false;
}

bool ray::operator=(geolist&& list) { return *this = list; }

// Slot 1 stays the base's: a ray is built from a list only through its class.
bool ray::operator=(const geolist& list) { return geobject::operator=(list); }

bool ray::operator=(geolist& list)
{
    GeoError() = GEO_OK;
    const geolist_pr* body = list.body();
    const auto object = [&](int i) -> const geobject& { return *body->items[i].object; };
    const auto pointAt = [&](int i) -> const G_POINT& { return static_cast<const point&>(object(i)).rec(); };
    const auto lineAt = [&](int i) -> const LINE& { return static_cast<const line&>(object(i)).record(); };
    const auto number = [&](int i) { return body->items[i].number; };
    const auto matches = [&](std::initializer_list<int> codes) { return ListCodesAre(list, codes); };

    if (matches({GEO_POINT, GEO_ANGLE})) {
        *this = ray(pointAt(0), static_cast<const angle&>(object(1)).rad());
    } else if (matches({GEO_POINT, GEO_NUMBER_ITEM})) {
        *this = ray(pointAt(0), NormalizeAngle(number(1) * DEGREES_TO_RADIANS));
    } else if (matches({GEO_ARC, GEO_NUMBER_ITEM})) {
        const ARC& a = static_cast<const arc&>(object(0)).record();
        *this = ray(a.center, ArcDirectionAt(a, number(1)));
    } else if (matches({GEO_RAY, GEO_NUMBER_ITEM})) {
        const ray& r = static_cast<const ray&>(object(0));
        G_POINT o;
        *this = ray(PolarPoint(o, r.origin_, NormalizeAngle(r.direction_ - GEO_PI_2), number(1)), r.direction_);
    } else if (matches({GEO_RAY, GEO_POINT})) {
        *this = ray(pointAt(1), static_cast<const ray&>(object(0)).direction_);
    } else if (matches({GEO_POINT, GEO_POINT, GEO_POINT})) {
        LINE l1;
        LINE l2;
        G_POINT x;
        double direction = 0;
        if (LineThroughPoints(pointAt(0), pointAt(1), l1) && LineThroughPoints(pointAt(1), pointAt(2), l2)
            && AngleBisector(l1, pointAt(0), l2, pointAt(2), x, direction))
            *this = ray(x, direction);
        else
            GeoError() = GEO_NO_SOLUTION;
    } else if (matches({GEO_LINE, GEO_LINE, GEO_POINT, GEO_POINT})) {
        G_POINT x;
        double direction = 0;
        if (AngleBisector(lineAt(0), pointAt(2), lineAt(1), pointAt(3), x, direction))
            *this = ray(x, direction);
        else
            GeoError() = GEO_NO_SOLUTION;
    } else {
        GeoError() = GEO_BAD_ARGUMENTS;
    }
    return GeoError() == GEO_OK;
}

// ---- access and comparison ------------------------------------------------------------

point ray::center() const { return point(origin_); }

bool ray::operator==(const ray& o) const
{
    return std::fabs(direction_ - o.direction_) < GeoSnap() && std::fabs(origin_.x - o.origin_.x) < GeoSnap()
           && std::fabs(origin_.y - o.origin_.y) < GeoSnap();
}

bool ray::operator!=(const ray& o) const { return !(*this == o); }

// ---- transforms ----------------------------------------------------------------------------

geobject* ray::offset(double d)
{
    G_POINT moved;
    origin_ = PolarPoint(moved, origin_, NormalizeAngle(direction_ - GEO_PI_2), d);
    return this;
}

segment ray::frame() const { return segment(origin_, origin_); }

geobject* ray::scale(double kx, double ky)
{
    origin_ = {origin_.x * kx, origin_.y * ky};
    if (kx != 0.0 || ky != 0.0) direction_ = std::atan2(std::sin(direction_) * ky, std::cos(direction_) * kx);
    return this;
}

geobject* ray::scale(double k)
{
    origin_ = {origin_.x * k, origin_.y * k};
    return this;
}

geobject* ray::move(double d, const angle& a) { return move(a, d); }

geobject* ray::move(const angle& a, double d)
{
    G_POINT moved;
    origin_ = PolarPoint(moved, origin_, a.rad(), d);
    return this;
}

geobject* ray::move(const point& p)
{
    origin_ = {origin_.x - p.x(), origin_.y - p.y()};
    return this;
}

geobject* ray::move(double dx, double dy)
{
    origin_ = {origin_.x + dx, origin_.y + dy};
    return this;
}

geobject* ray::rotate(double radians, const point& c) { return rotate(c, radians); }
geobject* ray::rotate(const angle& a, const point& c) { return rotate(c, a); }

geobject* ray::rotate(const point& c, double radians)
{
    RotatePoint(origin_, c.rec(), NormalizeAngle(radians));
    direction_ = NormalizeAngle(direction_ + radians);
    return this;
}

geobject* ray::rotate(const point& c, const angle& a)
{
    RotatePoint(origin_, c.rec(), a.rad());
    direction_ = NormalizeAngle(direction_ + a.rad());
    return this;
}

geobject* ray::mirror(const point& a, const point& b)
{
    LINE l;
    if (LineThroughPoints(a.rec(), b.rec(), l)) return mirror(line(l));
    return this;
}

geobject* ray::mirror(const line& l)
{
    MirrorPointAboutLine(origin_, l.record());
    direction_ = NormalizeAngle(2.0 * std::atan(l.record().ltan) - direction_);
    return this;
}

geobject* ray::mirror(const point& c)
{
    MirrorPointAboutPoint(origin_, c.rec());
    direction_ = NormalizeAngle(direction_ + GEO_PI);
    return this;
}

// A ray answers false to both containment questions.
bool ray::operator>(const geobject&) const { return false; }
bool ray::operator<(const geobject&) const { return false; }

// ---- crossings and pieces ------------------------------------------------------------------

geolist_ref ray::operator%(const geobject& o) const
{
    if (o.typecode() <= GEO_POINT) return EmptyResult();
    G_POINT* buffer = nullptr;
    CrossingCapacity() = 0;
    const short n = RayObjectCrossings(origin_, direction_, o, &buffer, 0);
    return PointsResult(&buffer, n);
}

namespace {

// Whether the origin lies outside `o`, judged on the ray's whole line; also
// tells whether the line meets `o` at all. The scratch scope keeps the state
// of the ray's own buffer, being filled around this call.
bool OriginOutside(const G_POINT& origin, const LINE& carrier, const geobject& o, bool& lineCrosses)
{
    CrossingScope scratch;
    const short n = LineObjectCrossings(carrier, o, scratch.buffer(), 0);
    lineCrosses = n > 0;
    return n == 0 || OutsideCrossingSpans(origin, scratch.points(), n, carrier.ltan);
}

geolist_ref WholeRayResult(const G_POINT& origin, double direction)
{
    auto* slots = static_cast<G_POINT*>(std::malloc(2 * sizeof(G_POINT)));
    if (slots == nullptr) {
        GeoError() = GEO_NO_MEMORY;
        return EmptyResult();
    }
    slots[0] = origin;
    slots[1] = G_POINT{direction, 0.0};
    geolist list;
    geolist_pr* body = list.body();
    body->store = slots;
    body->storeCount = 2;
    AppendResultItem(body, GEO_STORED_RAY, slots);
    return geolist_ref(body);
}

} // namespace

geolist_ref ray::operator<<(const geobject& o)
{
    if (o.typecode() <= GEO_POINT) return EmptyResult();
    G_POINT* buffer = nullptr;
    CrossingCapacity() = 0;
    short c = RayObjectCrossings(origin_, direction_, o, &buffer, 0);
    LINE carrier;
    LineAtAngle(carrier, origin_, direction_);
    bool lineCrosses = false;
    const bool outside = OriginOutside(origin_, carrier, o, lineCrosses);
    if (lineCrosses && !outside) {
        const short added = AddCrossings(origin_, origin_, 1, &buffer, c, carrier.ltan);
        if (buffer == nullptr) return EmptyResult();
        c = static_cast<short>(c + added);
    }
    return PiecesResult(&buffer, c, 0, static_cast<short>(c / 2));
}

geolist_ref ray::operator>>(const geobject& o)
{
    if (o.typecode() <= GEO_POINT) return WholeRayResult(origin_, direction_);
    G_POINT* buffer = nullptr;
    CrossingCapacity() = 0;
    short count = RayObjectCrossings(origin_, direction_, o, &buffer, 0);
    if (count == 0) {
        FreeCrossings(&buffer);
        return WholeRayResult(origin_, direction_);
    }
    LINE carrier;
    LineAtAngle(carrier, origin_, direction_);
    bool lineCrosses = false;
    const bool outside = OriginOutside(origin_, carrier, o, lineCrosses);
    if (outside) {
        if (count == 1) {  // the ray only touches o
            FreeCrossings(&buffer);
            return WholeRayResult(origin_, direction_);
        }
        count = static_cast<short>(count + AddCrossings(origin_, origin_, 1, &buffer, count, carrier.ltan));
        if (buffer == nullptr) return EmptyResult();
    }
    // One more slot for the direction of the unbounded tail.
    auto* grown = static_cast<G_POINT*>(std::realloc(buffer, sizeof(G_POINT) * static_cast<size_t>(count + 2)));
    if (grown == nullptr) {
        GeoError() = GEO_NO_MEMORY;
        FreeCrossings(&buffer);
        return EmptyResult();
    }
    buffer = grown;
    CrossingCapacity() = 0;
    const short items = static_cast<short>((count + 1) / 2);
    geolist list;
    geolist_pr* body = list.body();
    body->store = buffer;
    body->storeCount = count + 1;
    // The array runs along the line's key; the tail lies at its far end when
    // the ray runs the same way, at its near end otherwise.
    const bool runsWithArray = carrier.ltan >= GEO_VERTICAL ? std::sin(direction_) > 0.0 : std::cos(direction_) > 0.0;
    if (runsWithArray) {
        for (short i = 0; i + 1 < items; ++i)
            AppendResultItem(body, GEO_STORED_PIECE, buffer + 2 * i);
        buffer[count] = G_POINT{direction_, 0.0};
        AppendResultItem(body, GEO_STORED_RAY, buffer + count - 1);
    } else {
        std::memmove(buffer + 2, buffer + 1, sizeof(G_POINT) * static_cast<size_t>(count - 1));
        buffer[1] = G_POINT{direction_, 0.0};
        AppendResultItem(body, GEO_STORED_RAY, buffer);
        for (short i = 1; i < items; ++i)
            AppendResultItem(body, GEO_STORED_PIECE, buffer + 2 * i);
    }
    return geolist_ref(body);
}

// ---- the crossing worker ------------------------------------------------------------------

short RayObjectCrossings(G_POINT origin, double direction, const geobject& object, G_POINT** buffer, short base)
{
    LINE carrier;
    LineAtAngle(carrier, origin, direction);
    const double key = carrier.ltan;
    G_POINT out[2];
    // `one` adds out[0] when found; `cuts` adds out[0..n) for n of 1 or 2, nothing for another count.
    const auto one = [&](bool found) -> short {
        return found ? AddCrossings(out[0], out[0], 1, buffer, base, key) : 0;
    };
    const auto cuts = [&](int n) -> short {
        return n == 1 || n == 2 ? AddCrossings(out[0], out[1], static_cast<char>(n), buffer, base, key) : 0;
    };
    switch (object.typecode()) {
    case GEO_LINE:
        return one(IntersectLines(carrier, static_cast<const line&>(object).record(), out[0])
                   && PointAheadOnRay(origin, direction, out[0]));
    case GEO_CIRCLE:
        return cuts(RayCircleCrossings(origin, direction, static_cast<const circle&>(object).record(), out));
    case GEO_SEGMENT: {
        const segment& s = static_cast<const segment&>(object);
        return one(LineSegmentCrossing(s.startPoint(), s.endPoint(), carrier, out[0]) == 1
                   && PointAheadOnRay(origin, direction, out[0]));
    }
    case GEO_ARC:
        return cuts(RayArcCrossings(origin, direction, static_cast<const arc&>(object).record(), out));
    case GEO_POLYGON:
        return RayPolygonCrossings(origin, direction, *static_cast<const polygon&>(object).body(), buffer, base);
    case GEO_RAY: {
        const ray& r = static_cast<const ray&>(object);
        LINE other;
        LineAtAngle(other, r.origin(), r.direction());
        double t1 = 0;
        double t2 = 0;
        return one(IntersectLines(carrier, other, out[0]) && DirectionAngle(origin, out[0], t1)
                   && DirectionAngle(r.origin(), out[0], t2)
                   && std::fabs(NormalizeAngle(t1) - NormalizeAngle(direction)) < GeoDif()
                   && std::fabs(NormalizeAngle(t2) - NormalizeAngle(r.direction())) < GeoDif());
    }
    case GEO_LIST:
    case GEO_LIST_REF:
        return SumOverItems(object, [&](const geobject& item, short total) {
            return RayObjectCrossings(origin, direction, item, buffer, static_cast<short>(base + total));
        });
    case GEO_ITEM: {
        std::unique_ptr<geobject> holder;
        const geobject* item = ItemObject(static_cast<const geoitem&>(object), holder);
        return item != nullptr ? RayObjectCrossings(origin, direction, *item, buffer, base) : 0;
    }
    default:
        return 0;
    }
}
