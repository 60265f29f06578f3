// A view of one list item that answers the geometry slots as an object.
#pragma once

#include "geobject.h"

struct list_item;

// Owns nothing: valid while the list it views is alive and unchanged.
// A view without an item acts as an item of no kind: type() 0, every
// operation does nothing and results are empty.
class geoitem : public geobject {
public:
    geoitem();
    explicit geoitem(list_item* item);
    geoitem(const geoitem& other);
    geoitem& operator=(const geoitem& other);
    ~geoitem() override;

    list_item* item() const { return item_; }

    // The raw code of the item: negative for stored values, 0 without an item.
    int type() const;
    // The item is a closed outline (a closed polygon or vertex run).
    char closed() const;

    geobject* offset(double distance) override;
    segment frame() const override;
    geobject* scale(double fx, double fy) override;
    geobject* scale(double f) override;
    geobject* move(double distance, const angle& direction) override;
    geobject* move(const angle& direction, double distance) override;
    geobject* move(const point& origin) override;
    geobject* move(double dx, double dy) override;
    geobject* rotate(double radians, const point& centre) override;
    geobject* rotate(const angle& a, const point& centre) override;
    geobject* rotate(const point& centre, double radians) override;
    geobject* rotate(const point& centre, const angle& a) override;
    geobject* mirror(const point& a, const point& b) override;
    geobject* mirror(const line& axis) override;
    geobject* mirror(const point& centre) override;
    bool operator>(const geobject& other) const override;
    bool operator<(const geobject& other) const override;
    geolist_ref operator%(const geobject& other) const override;
    geolist_ref operator<<(const geobject& other) override;
    geolist_ref operator>>(const geobject& other) override;

    // Boolean operations of an outline item with another outline.
    geolist_ref operator&&(const geobject& other) const;
    geolist_ref operator||(const geobject& other) const;
    geolist_ref operator-(const geobject& other) const;

private:
    list_item* item_;
};
