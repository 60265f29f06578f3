#include "result_lists.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "../curves/arc.h"
#include "../curves/polygon.h"
#include "geolist.h"
#include "intersections.h"
#include "ray.h"
#include "segment.h"
#include "settings.h"

geolist_ref EmptyResult()
{
    geolist list;
    return geolist_ref(list.body());
}

namespace {

// Hands the crossing buffer to `body` as its value store of `slots` points
// and sets CrossingCapacity to 0; with nothing to hand over the buffer is
// freed and false returned.
bool HandOverBuffer(geolist_pr* body, G_POINT** buffer, short slots, bool any)
{
    if (!any || body == nullptr || *buffer == nullptr) {
        FreeCrossings(buffer);
        return false;
    }
    body->store = *buffer;
    body->storeCount = slots;
    *buffer = nullptr;
    CrossingCapacity() = 0;
    return true;
}

} // namespace

geolist_ref PointsResult(G_POINT** buffer, short n)
{
    geolist list;
    geolist_pr* body = list.body();
    if (!HandOverBuffer(body, buffer, n, n > 0)) return geolist_ref(body);
    body->length = n;
    if (!StoreResultPoints(body)) {
        // No items: the store goes back with the body.
        body->length = 0;
    }
    return geolist_ref(body);
}

bool AppendResultItem(geolist_pr* body, int code, G_POINT* stored)
{
    if (body->length >= body->capacity && !GrowList(body, 2)) {
        GeoError() = GEO_NO_MEMORY;
        return false;
    }
    list_item& item = body->items[body->length++];
    item.code = code;
    item.stored = stored;
    return true;
}

geolist_ref PiecesResult(G_POINT** buffer, short m, short first, short pieces)
{
    geolist list;
    geolist_pr* body = list.body();
    if (!HandOverBuffer(body, buffer, m, pieces > 0)) return geolist_ref(body);
    for (short i = 0; i < pieces; ++i)
        if (!AppendResultItem(body, GEO_STORED_PIECE, body->store + first + 2 * i))
            break;
    return geolist_ref(body);
}

namespace {

geobject* StoredObject(const list_item& item)
{
    const G_POINT* slots = item.stored;
    switch (item.code) {
    case GEO_STORED_RAY:
        return new ray(slots[0], slots[1].x);
    case GEO_STORED_PIECE:
        return new segment(slots[0], slots[1]);
    case GEO_STORED_ARC: {
        ARC record;
        std::memcpy(&record, slots, sizeof record);
        return new arc(record);
    }
    case GEO_STORED_RUN: {
        POLY run{static_cast<short>(slots[0].x), static_cast<short>(slots[0].x),
                 const_cast<G_POINT*>(slots + 1), 1};
        return new polygon(run);
    }
    default:
        return nullptr;
    }
}

} // namespace

const geobject* ItemObject(list_item& item, std::unique_ptr<geobject>& holder)
{
    if (item.code >= GEO_ANGLE)
        return item.object;
    if (item.code >= GEO_STORED_POINT || item.stored == nullptr)
        return nullptr;
    try {
        holder.reset(StoredObject(item));
    } catch (const std::bad_alloc&) {
        GeoError() = GEO_NO_MEMORY;
        holder.reset();
    }
    return holder.get();
}

const geobject* ItemObject(const geoitem& item, std::unique_ptr<geobject>& holder)
{
    if (item.item() == nullptr)
        return nullptr;
    return ItemObject(*item.item(), holder);
}

const geolist_pr* ListBodyOf(const geobject& list)
{
    return list.typecode() == GEO_LIST ? static_cast<const geolist&>(list).body()
                                       : static_cast<const geolist_ref&>(list).body();
}

short SumOverItems(const geobject& list, const std::function<short(const geobject&, short)>& cross)
{
    const geolist_pr* body = ListBodyOf(list);
    if (body == nullptr) return 0;
    short total = 0;
    for (int i = 0; i < body->length; ++i) {
        const int code = body->items[i].code;
        if (code <= GEO_POINT && code >= GEO_STORED_POINT) continue;
        std::unique_ptr<geobject> holder;
        const geobject* item = ItemObject(body->items[i], holder);
        if (item != nullptr) total = static_cast<short>(total + cross(*item, total));
    }
    return total;
}

bool ListCodesAre(const geolist& list, std::initializer_list<int> codes)
{
    const geolist_pr* body = list.body();
    if (body == nullptr || static_cast<int>(codes.size()) != list.count()) return false;
    int i = 0;
    for (int c : codes)
        if (body->items[i++].code != c) return false;
    return true;
}

AngleScope::AngleScope() { CrossingCapacity() = 0; }

AngleScope::~AngleScope() { release(); }

void AngleScope::release()
{
    std::free(angles_);
    angles_ = nullptr;
    CrossingCapacity() = 0;
}
