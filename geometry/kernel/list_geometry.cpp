// Geometry over whole lists: transforms, containment, crossings and clipping
// of every item, the list booleans through the polygon stitcher, and the
// geolist_ref forms that work on the shared body.
#include <cmath>

#include "angle.h"
#include "circle.h"
#include "circle_constructions.h"
#include "distances.h"
#include "geolist.h"
#include "line.h"
#include "line_constructions.h"
#include "point.h"
#include "polygon_boolean.h"
#include "segment.h"
#include "settings.h"

namespace {

// Keyword code of "DISTANCE".
constexpr char kDistanceKeyword = 15;

template <class Function>
void ForEachItem(const geolist& list, Function f)
{
    for (short i = 0; i < list.count(); ++i) {
        geoitem view = list[i];
        f(view);
    }
}

// The items' results joined into one list: the first result is the start,
// every further one is appended with its stored values copied.
template <class Function>
geolist_ref CollectResults(const geolist& list, Function resultOf)
{
    if (list.count() == 0)
        return geolist_ref();
    geoitem first = list[0];
    geolist result(resultOf(first, true));
    for (short i = 1; i < list.count(); ++i) {
        geoitem view = list[i];
        result & geolist(resultOf(view, false));
    }
    return geolist_ref(result.body());
}

enum class Boolean { overlap, unite, subtract };

geolist_ref CombineLists(const geolist& self, const geobject& other, Boolean op)
{
    if (other.typecode() != GEO_POLYGON && other.typecode() != GEO_LIST)
        return geolist_ref();
    auto& mine = const_cast<geolist&>(self);
    auto& theirs = const_cast<geobject&>(other);
    geolist_ref first = op == Boolean::overlap ? (mine << other) : (mine >> other);
    geolist_ref second = op == Boolean::unite ? (theirs >> self) : (theirs << self);
    if (first.count() == 0 || second.count() == 0)
        return geolist_ref();
    return StitchPolygonPieces(first, second, op == Boolean::unite);
}

const CIRCLE& CircleOf(const list_item& item) { return static_cast<const circle*>(item.object)->record(); }

// The object behind an item for the distance rules: the object itself, or
// the view for stored values.
const geobject& DistanceOperand(const list_item& item, const geoitem& view)
{
    return item.code >= GEO_ANGLE ? *item.object : static_cast<const geobject&>(view);
}

}  // namespace

// ---- transforms ----------------------------------------------------------------

geobject* geolist::offset(double distance)
{
    ForEachItem(*this, [&](geoitem& view) { view.offset(distance); });
    return this;
}

geobject* geolist::scale(double fx, double fy)
{
    ForEachItem(*this, [&](geoitem& view) { view.scale(fx, fy); });
    return this;
}

geobject* geolist::scale(double f)
{
    ForEachItem(*this, [&](geoitem& view) { view.scale(f); });
    return this;
}

geobject* geolist::move(double distance, const angle& direction) { return move(direction, distance); }

geobject* geolist::move(const angle& direction, double distance)
{
    ForEachItem(*this, [&](geoitem& view) { view.move(direction, distance); });
    return this;
}

geobject* geolist::move(const point& origin)
{
    ForEachItem(*this, [&](geoitem& view) { view.move(origin); });
    return this;
}

geobject* geolist::move(double dx, double dy)
{
    ForEachItem(*this, [&](geoitem& view) { view.move(dx, dy); });
    return this;
}

geobject* geolist::rotate(double radians, const point& centre) { return rotate(centre, radians); }
geobject* geolist::rotate(const angle& a, const point& centre) { return rotate(centre, a.rad()); }
geobject* geolist::rotate(const point& centre, const angle& a) { return rotate(centre, a.rad()); }

geobject* geolist::rotate(const point& centre, double radians)
{
    ForEachItem(*this, [&](geoitem& view) { view.rotate(centre, radians); });
    return this;
}

geobject* geolist::mirror(const point& a, const point& b)
{
    LINE axis;
    if (LineThroughPoints(a.rec(), b.rec(), axis))
        mirror(line(axis));
    return this;
}

geobject* geolist::mirror(const line& axis)
{
    ForEachItem(*this, [&](geoitem& view) { view.mirror(axis); });
    return this;
}

geobject* geolist::mirror(const point& centre)
{
    ForEachItem(*this, [&](geoitem& view) { view.mirror(centre); });
    return this;
}

// ---- frame and containment -------------------------------------------------------

// Starts from the origin, so the origin always lies in a list's frame.
segment geolist::frame() const
{
    segment box;
    ForEachItem(*this, [&](geoitem& view) { box += view.frame(); });
    return box;
}

bool geolist::operator>(const geobject& other) const
{
    for (short i = 0; i < count(); ++i)
        if (!((*this)[i] > other))
            return false;
    return true;
}

bool geolist::operator<(const geobject& other) const
{
    for (short i = 0; i < count(); ++i)
        if (!((*this)[i] < other))
            return false;
    return true;
}

// ---- crossings and clipping ------------------------------------------------------

// The first item asks with its own `%`; the others are asked by the other object.
geolist_ref geolist::operator%(const geobject& other) const
{
    return CollectResults(*this, [&](geoitem& view, bool first) { return first ? view % other : other % view; });
}

geolist_ref geolist::operator<<(const geobject& other)
{
    return CollectResults(*this, [&](geoitem& view, bool) { return view << other; });
}

geolist_ref geolist::operator>>(const geobject& other)
{
    return CollectResults(*this, [&](geoitem& view, bool) { return view >> other; });
}

// ---- booleans and distance -------------------------------------------------------

geolist_ref geolist::operator&&(const geobject& other) const { return CombineLists(*this, other, Boolean::overlap); }
geolist_ref geolist::overlap(const geobject& other) const { return CombineLists(*this, other, Boolean::overlap); }
geolist_ref geolist::operator||(const geobject& other) const { return CombineLists(*this, other, Boolean::unite); }
geolist_ref geolist::operator-(const geobject& other) const { return CombineLists(*this, other, Boolean::subtract); }

double geolist::distance() const
{
    const geolist_pr* b = body();
    if (b != nullptr && b->length == 3 && b->items[0].code == GEO_CIRCLE && b->items[1].code == GEO_CIRCLE
        && b->items[2].code == GEO_KEYWORD_ITEM) {
        const CIRCLE& c1 = CircleOf(b->items[0]);
        const CIRCLE& c2 = CircleOf(b->items[1]);
        if (b->items[2].keyword == kDistanceKeyword)
            return std::fabs(PointDistance(c1.center, c2.center) - c1.radius - c2.radius);
        return static_cast<double>(CircleContainment(c1, c2));
    }
    if (b != nullptr && b->length == 2) {
        geoitem first = (*this)[0];
        geoitem second = (*this)[1];
        return GeoDistance(DistanceOperand(b->items[0], first), DistanceOperand(b->items[1], second));
    }
    GeoError() = GEO_BAD_ARGUMENTS;
    return 0.0;
}

// ---- geolist_ref: the same operations on the shared body ---------------------------

geobject* geolist_ref::offset(double distance)
{
    geolist(*this).offset(distance);
    return this;
}

segment geolist_ref::frame() const { return geolist(*this).frame(); }

geobject* geolist_ref::scale(double fx, double fy)
{
    geolist(*this).scale(fx, fy);
    return this;
}

geobject* geolist_ref::scale(double f)
{
    geolist(*this).scale(f);
    return this;
}

geobject* geolist_ref::move(double distance, const angle& direction) { return move(direction, distance); }

geobject* geolist_ref::move(const angle& direction, double distance)
{
    geolist(*this).move(direction, distance);
    return this;
}

geobject* geolist_ref::move(const point& origin)
{
    geolist(*this).move(origin);
    return this;
}

geobject* geolist_ref::move(double dx, double dy)
{
    geolist(*this).move(dx, dy);
    return this;
}

geobject* geolist_ref::rotate(double radians, const point& centre) { return rotate(centre, radians); }
geobject* geolist_ref::rotate(const angle& a, const point& centre) { return rotate(centre, a); }

geobject* geolist_ref::rotate(const point& centre, double radians)
{
    geolist(*this).rotate(centre, radians);
    return this;
}

geobject* geolist_ref::rotate(const point& centre, const angle& a)
{
    geolist(*this).rotate(centre, a);
    return this;
}

geobject* geolist_ref::mirror(const point& a, const point& b)
{
    geolist(*this).mirror(a, b);
    return this;
}

geobject* geolist_ref::mirror(const line& axis)
{
    geolist(*this).mirror(axis);
    return this;
}

geobject* geolist_ref::mirror(const point& centre)
{
    geolist(*this).mirror(centre);
    return this;
}

bool geolist_ref::operator>(const geobject& other) const { return geolist(*this) > other; }
bool geolist_ref::operator<(const geobject& other) const { return geolist(*this) < other; }
geolist_ref geolist_ref::operator%(const geobject& other) const { return geolist(*this) % other; }
geolist_ref geolist_ref::operator<<(const geobject& other) { return geolist(*this) << other; }
geolist_ref geolist_ref::operator>>(const geobject& other) { return geolist(*this) >> other; }
geolist_ref geolist_ref::operator&&(const geobject& other) const { return geolist(*this) && other; }
geolist_ref geolist_ref::operator||(const geobject& other) const { return geolist(*this) || other; }
geolist_ref geolist_ref::operator-(const geobject& other) const { return geolist(*this) - other; }
