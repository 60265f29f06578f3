// Shared steps of the list constructions and the crossing and clipping
// operators of segment, ray and circle: matching argument codes, turning a
// crossing buffer into a result list, and viewing a list item as an object.
#pragma once

#include <functional>
#include <initializer_list>
#include <memory>

#include "geobject.h"

struct list_item;

// A result list over no items.
geolist_ref EmptyResult();

// Hands the malloc'd crossing buffer of `n` points to a new result list as
// stored points (code -4) and sets CrossingCapacity to 0. With no point the
// buffer is freed and the list is empty.
geolist_ref PointsResult(G_POINT** buffer, short n);

// Hands the buffer of `m` points (all kept in the store) to a new result list
// whose `pieces` items are the two-point pieces (code -10) starting at points
// first, first + 2, ... Sets CrossingCapacity to 0.
geolist_ref PiecesResult(G_POINT** buffer, short m, short first, short pieces);

// Appends one item to a result body being filled; false with GeoError 2 when
// the item buffer cannot grow.
bool AppendResultItem(geolist_pr* body, int code, G_POINT* stored);

// The object a list item stands for: the item's own object, or a temporary
// one (kept in `holder`) made from a stored ray, vertex run, arc or segment.
// Null for any other item.
const geobject* ItemObject(const geoitem& item, std::unique_ptr<geobject>& holder);
// The same for a list item in place.
const geobject* ItemObject(list_item& item, std::unique_ptr<geobject>& holder);

// The body behind a geolist or geolist_ref (null for an empty handle).
const geolist_pr* ListBodyOf(const geobject& list);

// Runs `cross(object, total)` over the items of a geolist or geolist_ref that
// can cross: objects above a point, and stored rays, vertex runs, arcs and
// pieces through a temporary object. `total` is the sum so far, so that each
// item's results follow the previous ones; returns the sum.
short SumOverItems(const geobject& list, const std::function<short(const geobject&, short)>& cross);

// Whether the list holds exactly these item codes, in this order.
bool ListCodesAre(const geolist& list, std::initializer_list<int> codes);

// Owns one angle array of the crossing state for a scope: starts it empty
// (capacity 0) and frees it on every way out.
class AngleScope {
public:
    AngleScope();
    ~AngleScope();
    AngleScope(const AngleScope&) = delete;
    AngleScope& operator=(const AngleScope&) = delete;
    double** buffer() { return &angles_; }
    double* angles() const { return angles_; }
    // Frees the array now and sets CrossingCapacity to 0.
    void release();

private:
    double* angles_ = nullptr;
};
