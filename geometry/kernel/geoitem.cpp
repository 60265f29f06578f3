// The item view: object items forward every slot to their object; stored
// values are transformed in the value store or turned into a temporary
// object of their class; numbers, keywords and controls stay as they are.
#include "geoitem.h"

#include <cmath>
#include <cstring>

#include "angle.h"
#include "angular.h"
#include "arc.h"
#include "geolist.h"
#include "inside_tests.h"
#include "intersections.h"
#include "line.h"
#include "line_constructions.h"
#include "point.h"
#include "polygon.h"
#include "ray.h"
#include "segment.h"
#include "settings.h"

namespace {

bool IsObject(const list_item* item) { return item != nullptr && item->code >= GEO_ANGLE; }
bool IsStored(const list_item* item) { return item != nullptr && item->code < 0; }

int RunCount(const list_item& item) { return static_cast<int>(item.stored[0].x); }

// Applies `f` to every point of a stored value that moves with the value:
// both ends of a piece, every vertex of a run, the centre of an arc, the
// origin of a ray.
template <class Function>
void ForEachStoredPoint(list_item& item, Function f)
{
    switch (item.code) {
    case GEO_STORED_POINT:
    case GEO_STORED_ARC:
    case GEO_STORED_RAY:
        f(item.stored[0]);
        break;
    case GEO_STORED_PIECE:
        f(item.stored[0]);
        f(item.stored[1]);
        break;
    case GEO_STORED_RUN:
        for (int i = 1; i <= RunCount(item); ++i)
            f(item.stored[i]);
        break;
    default:
        break;
    }
}

// The arc record spans three slots; copy it out and back rather than alias.
ARC LoadArc(const list_item& item)
{
    ARC a;
    std::memcpy(&a, item.stored, sizeof(ARC));
    return a;
}

void SaveArc(list_item& item, const ARC& a) { std::memcpy(item.stored, &a, sizeof(ARC)); }

double& RayDirection(list_item& item) { return item.stored[1].x; }

G_POINT Record(const point& p) { return p.rec(); }

void MoveStored(list_item& item, double dx, double dy)
{
    ForEachStoredPoint(item, [=](G_POINT& p) {
        p.x += dx;
        p.y += dy;
    });
}

// An arc record is transformed as a whole, a ray's direction by `directionOp`
// and every other stored point by `pointOp`.
template <class ArcOp, class PointOp, class DirectionOp>
void TransformStored(list_item& item, ArcOp arcOp, PointOp pointOp, DirectionOp directionOp)
{
    if (item.code == GEO_STORED_ARC) {
        ARC a = LoadArc(item);
        arcOp(a);
        SaveArc(item, a);
        return;
    }
    ForEachStoredPoint(item, pointOp);
    if (item.code == GEO_STORED_RAY)
        RayDirection(item) = directionOp(RayDirection(item));
}

void RotateStored(list_item& item, const G_POINT& centre, double radians)
{
    radians = NormalizeAngle(radians);
    TransformStored(
        item, [&](ARC& a) { RotateArc(a, centre, radians); },
        [&](G_POINT& p) { RotatePoint(p, centre, radians); },
        [&](double d) { return NormalizeAngle(d + radians); });
}

void MirrorStored(list_item& item, const G_POINT& centre)
{
    TransformStored(
        item, [&](ARC& a) { MirrorArcAboutPoint(a, centre); },
        [&](G_POINT& p) { MirrorPointAboutPoint(p, centre); },
        [](double d) { return NormalizeAngle(d + GEO_PI); });
}

void MirrorStored(list_item& item, const LINE& axis)
{
    TransformStored(
        item, [&](ARC& a) { MirrorArcAboutLine(a, axis); },
        [&](G_POINT& p) { MirrorPointAboutLine(p, axis); },
        [&](double d) { return NormalizeAngle(2.0 * std::atan(axis.ltan) - d); });
}

// A ray's direction follows the stretched axes; with both factors 0 it stays.
void ScaleStored(list_item& item, double fx, double fy)
{
    TransformStored(
        item, [&](ARC& a) { ScaleArc(a, fx, fy); },
        [=](G_POINT& p) {
            p.x *= fx;
            p.y *= fy;
        },
        [=](double d) {
            return (fx != 0.0 || fy != 0.0) ? std::atan2(fy * std::sin(d), fx * std::cos(d)) : d;
        });
}

// Uniform scaling keeps an arc round: centre and radius times f.
void ScaleStored(list_item& item, double f)
{
    TransformStored(
        item,
        [=](ARC& a) {
            a.center.x *= f;
            a.center.y *= f;
            a.radius *= f;
        },
        [=](G_POINT& p) {
            p.x *= f;
            p.y *= f;
        },
        [](double d) { return d; });
}

void MovePolar(G_POINT& p, double direction, double distance)
{
    G_POINT moved;
    PolarPoint(moved, p, direction, distance);
    p = moved;
}

// A vertex run is offset through a temporary polygon and written back when
// the outline keeps its vertex count (the run cannot grow in the store).
void OffsetRun(list_item& item, double distance)
{
    if (RunCount(item) < 1)
        return;
    geoitem view(&item);
    polygon outline(view);
    outline.offset(distance);
    if (outline.body() == nullptr || outline.count() != RunCount(item))
        return;
    std::memcpy(item.stored + 1, outline.get_vertex(0), sizeof(G_POINT) * static_cast<size_t>(RunCount(item)));
}

void OffsetStored(list_item& item, double distance)
{
    switch (item.code) {
    case GEO_STORED_PIECE: {
        double direction = 0.0;
        if (!DirectionAngle(item.stored[0], item.stored[1], direction))
            return;
        const double towards = NormalizeAngle(direction - GEO_PI_2);
        MovePolar(item.stored[0], towards, distance);
        MovePolar(item.stored[1], towards, distance);
        return;
    }
    case GEO_STORED_RUN:
        OffsetRun(item, distance);
        return;
    case GEO_STORED_ARC: {
        ARC a = LoadArc(item);
        a.radius += distance;
        SaveArc(item, a);
        return;
    }
    case GEO_STORED_RAY:
        MovePolar(item.stored[0], NormalizeAngle(RayDirection(item) - GEO_PI_2), distance);
        return;
    default:
        return;
    }
}

// Runs `f` on a temporary object of the stored value's class; `otherwise`
// for a stored point, any other item or no item.
template <class Result, class Function>
Result WithStoredObject(const geoitem& view, Function f, Result otherwise)
{
    switch (view.type()) {
    case GEO_STORED_RAY: {
        ray r(view);
        return f(static_cast<geobject&>(r));
    }
    case GEO_STORED_RUN: {
        polygon pg(view);
        return f(static_cast<geobject&>(pg));
    }
    case GEO_STORED_ARC: {
        arc a(view);
        return f(static_cast<geobject&>(a));
    }
    case GEO_STORED_PIECE: {
        segment s(view);
        return f(static_cast<geobject&>(s));
    }
    default:
        return otherwise;
    }
}

}  // namespace

geoitem::geoitem() : geobject(GEO_ITEM), item_(nullptr) {}
geoitem::geoitem(list_item* item) : geobject(GEO_ITEM), item_(item) {}
geoitem::geoitem(const geoitem& other) : geobject(GEO_ITEM), item_(other.item_) {}

geoitem& geoitem::operator=(const geoitem& other)
{
    item_ = other.item_;
    return *this;
}

geoitem::~geoitem() = default;

int geoitem::type() const { return item_ != nullptr ? item_->code : 0; }

char geoitem::closed() const
{
    if (item_ == nullptr)
        return 0;
    if (item_->code == GEO_POLYGON)
        return static_cast<const polygon*>(item_->object)->closed() ? 1 : 0;
    if (item_->code != GEO_STORED_RUN || RunCount(*item_) < 1)
        return 0;
    const G_POINT& first = item_->stored[1];
    const G_POINT& last = item_->stored[RunCount(*item_)];
    const double snap = GeoSnap();
    return (std::fabs(first.x - last.x) < snap && std::fabs(first.y - last.y) < snap) ? 1 : 0;
}

// ---- transforms ----------------------------------------------------------------

geobject* geoitem::offset(double distance)
{
    if (IsObject(item_))
        return item_->object->offset(distance);
    if (IsStored(item_))
        OffsetStored(*item_, distance);
    return this;
}

geobject* geoitem::scale(double fx, double fy)
{
    if (IsObject(item_))
        return item_->object->scale(fx, fy);
    if (IsStored(item_))
        ScaleStored(*item_, fx, fy);
    return this;
}

geobject* geoitem::scale(double f)
{
    if (IsObject(item_))
        return item_->object->scale(f);
    if (IsStored(item_))
        ScaleStored(*item_, f);
    return this;
}

geobject* geoitem::move(double distance, const angle& direction)
{
    if (IsObject(item_))
        return item_->object->move(distance, direction);
    return move(direction, distance);
}

geobject* geoitem::move(const angle& direction, double distance)
{
    if (IsObject(item_))
        return item_->object->move(direction, distance);
    if (IsStored(item_))
        ForEachStoredPoint(*item_, [&](G_POINT& p) { MovePolar(p, direction.rad(), distance); });
    return this;
}

geobject* geoitem::move(const point& origin)
{
    if (IsObject(item_))
        return item_->object->move(origin);
    return move(-origin.x(), -origin.y());
}

geobject* geoitem::move(double dx, double dy)
{
    if (IsObject(item_))
        return item_->object->move(dx, dy);
    if (IsStored(item_))
        MoveStored(*item_, dx, dy);
    return this;
}

geobject* geoitem::rotate(double radians, const point& centre)
{
    if (IsObject(item_))
        return item_->object->rotate(radians, centre);
    return rotate(centre, radians);
}

geobject* geoitem::rotate(const angle& a, const point& centre)
{
    if (IsObject(item_))
        return item_->object->rotate(a, centre);
    return rotate(centre, a.rad());
}

geobject* geoitem::rotate(const point& centre, double radians)
{
    if (IsObject(item_))
        return item_->object->rotate(centre, radians);
    if (IsStored(item_))
        RotateStored(*item_, Record(centre), radians);
    return this;
}

geobject* geoitem::rotate(const point& centre, const angle& a)
{
    if (IsObject(item_))
        return item_->object->rotate(centre, a);
    return rotate(centre, a.rad());
}

geobject* geoitem::mirror(const point& a, const point& b)
{
    if (IsObject(item_))
        return item_->object->mirror(a, b);
    LINE axis;
    if (IsStored(item_) && LineThroughPoints(Record(a), Record(b), axis))
        MirrorStored(*item_, axis);
    return this;
}

geobject* geoitem::mirror(const line& axis)
{
    if (IsObject(item_))
        return item_->object->mirror(axis);
    if (IsStored(item_))
        MirrorStored(*item_, axis.record());
    return this;
}

geobject* geoitem::mirror(const point& centre)
{
    if (IsObject(item_))
        return item_->object->mirror(centre);
    if (IsStored(item_))
        MirrorStored(*item_, Record(centre));
    return this;
}

// ---- frame, containment, crossings and clipping -----------------------------------

segment geoitem::frame() const
{
    if (IsObject(item_))
        return item_->object->frame();
    if (type() == GEO_STORED_PIECE)
        return segment(*this);
    return WithStoredObject(*this, [](geobject& o) { return o.frame(); }, segment());
}

bool geoitem::operator>(const geobject& other) const
{
    if (IsObject(item_))
        return *item_->object > other;
    return WithStoredObject(*this, [&](geobject& o) { return o > other; }, false);
}

bool geoitem::operator<(const geobject& other) const
{
    if (IsObject(item_))
        return *item_->object < other;
    return WithStoredObject(*this, [&](geobject& o) { return o < other; }, false);
}

geolist_ref geoitem::operator%(const geobject& other) const
{
    if (IsObject(item_))
        return *item_->object % other;
    return WithStoredObject(*this, [&](geobject& o) { return o % other; }, geolist_ref());
}

geolist_ref geoitem::operator<<(const geobject& other)
{
    if (IsObject(item_))
        return *item_->object << other;
    return WithStoredObject(*this, [&](geobject& o) { return o << other; }, geolist_ref());
}

geolist_ref geoitem::operator>>(const geobject& other)
{
    if (IsObject(item_))
        return *item_->object >> other;
    return WithStoredObject(*this, [&](geobject& o) { return o >> other; }, geolist_ref());
}

// ---- boolean operations --------------------------------------------------------

namespace {

enum class Boolean { overlap, unite, subtract };

geolist_ref Combine(geobject& outline, const geobject& other, Boolean op)
{
    if (outline.typecode() == GEO_POLYGON) {
        auto& pg = static_cast<polygon&>(outline);
        return op == Boolean::overlap ? (pg && other) : op == Boolean::unite ? (pg || other) : (pg - other);
    }
    auto& list = static_cast<geolist&>(outline);
    return op == Boolean::overlap ? (list && other) : op == Boolean::unite ? (list || other) : (list - other);
}

geolist_ref CombineItem(const geoitem& view, const geobject& other, Boolean op)
{
    const list_item* item = view.item();
    if (item == nullptr)
        return geolist_ref();
    if (item->code == GEO_POLYGON || item->code == GEO_LIST)
        return Combine(*item->object, other, op);
    if (item->code == GEO_STORED_RUN) {
        polygon pg(view);
        return Combine(pg, other, op);
    }
    return geolist_ref();
}

}  // namespace

geolist_ref geoitem::operator&&(const geobject& other) const { return CombineItem(*this, other, Boolean::overlap); }
geolist_ref geoitem::operator||(const geobject& other) const { return CombineItem(*this, other, Boolean::unite); }
geolist_ref geoitem::operator-(const geobject& other) const { return CombineItem(*this, other, Boolean::subtract); }
