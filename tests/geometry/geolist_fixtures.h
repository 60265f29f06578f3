// Result lists with stored values, built the way the crossing and clipping
// operators build them, for the list, item and point tests.
#pragma once

#include <cstdlib>
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "geolist.h"

// A result list whose items are stored points, as the crossing operators build it.
inline geolist StoredPoints(const std::vector<G_POINT>& points)
{
    geolist list;
    geolist_pr* body = list.body();
    body->store = static_cast<G_POINT*>(std::malloc(sizeof(G_POINT) * (points.empty() ? 1 : points.size())));
    std::memcpy(body->store, points.data(), sizeof(G_POINT) * points.size());
    body->length = static_cast<int>(points.size());
    EXPECT_TRUE(StoreResultPoints(body));
    return list;
}

struct StoredValue {
    int code;
    std::vector<G_POINT> slots;
};

inline StoredValue StoredArc(const ARC& a)
{
    StoredValue v{GEO_STORED_ARC, std::vector<G_POINT>(3, G_POINT{0, 0})};
    std::memcpy(v.slots.data(), &a, sizeof(ARC));
    return v;
}

inline StoredValue StoredRay(G_POINT origin, double direction)
{
    return {GEO_STORED_RAY, {origin, {direction, 0}}};
}

inline StoredValue StoredRun(const std::vector<G_POINT>& vertices)
{
    StoredValue v{GEO_STORED_RUN, {{static_cast<double>(vertices.size()), 0}}};
    v.slots.insert(v.slots.end(), vertices.begin(), vertices.end());
    return v;
}

inline geolist StoredList(const std::vector<StoredValue>& values)
{
    geolist list;
    geolist_pr* body = list.body();
    size_t slots = 0;
    for (const StoredValue& v : values)
        slots += v.slots.size();
    body->store = static_cast<G_POINT*>(std::malloc(sizeof(G_POINT) * (slots > 0 ? slots : 1)));
    GrowList(body, static_cast<int>(values.size()));
    for (const StoredValue& v : values) {
        G_POINT* at = body->store + body->storeCount;
        std::memcpy(at, v.slots.data(), sizeof(G_POINT) * v.slots.size());
        body->storeCount += static_cast<int>(v.slots.size());
        list_item& item = body->items[body->length++];
        item.code = v.code;
        item.stored = at;
    }
    return list;
}

inline ARC ItemArc(const geolist& list, short i)
{
    ARC a;
    std::memcpy(&a, list.body()->items[i].stored, sizeof(ARC));
    return a;
}
