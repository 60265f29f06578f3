// Argument and result lists: a shared, reference-counted body of items and
// stored values, with the handles geolist and geolist_ref.
#pragma once

#include "geo_types.h"
#include "geobject.h"
#include "geoitem.h"

// One item. The code is a type code: 3 and above an object (by address, not
// owned), 2 a number, 1 a keyword code, 0 a control code, negative a value
// kept in the list's value store (the address of its first slot).
struct list_item {
    int code;
    union {
        geobject* object;
        double number;
        char keyword;
        G_POINT* stored;
    };
};

// Objects a body keeps alive itself (references and item views joined into
// it, objects a result adopted), so that their items never dangle.
struct held_object;

// The shared list body. Item buffer and value store are malloc'd and owned by
// the body (a crossing array handed over as a value store must be malloc'd too).
// The store holds only stored values (negative codes): appending moves it, so
// an object a result owns is given to the body with AdoptObject instead.
struct geolist_pr {
    int length;       // items in use
    int capacity;     // items the buffer holds
    int storeCount;   // slots in use in the value store
    int refCount;     // handles sharing this body
    list_item* items;
    G_POINT* store;
    held_object* held;
};

// Always has a body (type code 14).
class geolist : public geobject {
public:
    geolist();
    geolist(const geolist& other);               // shares
    geolist(const geolist_ref& ref);             // shares; a reference without a body gives an empty list
    explicit geolist(geolist_pr* body);          // shares
    // A geolist shares its body; any other object gives a one-item list.
    explicit geolist(const geobject& object);
    geolist(const geobject& first, const geobject& second);
    geolist(const geobject& object, double number);
    geolist(const geobject& object, const char* keyword);
    geolist(const geobject& object, control code);
    ~geolist() override;

    geolist_pr* body() const { return body_; }

    // Building: each keeps the items in descending code order and returns this list.
    geolist& operator+(const geobject& object);
    geolist& operator+(const geobject* object);
    geolist& operator+(double number);
    geolist& operator+(const char* keyword);
    geolist& operator+(control code);
    geolist& operator+(const geolist_ref& ref);   // appends the referenced list
    geolist& operator&(const geobject& object);
    geolist& operator&(const geobject* object);
    geolist& operator&(double number);
    geolist& operator&(const char* keyword);
    geolist& operator&(control code);
    // Appends, copying stored values. A geolist_ref joined with `&` enters as
    // one object item (code 17), kept alive by this body.
    geolist& operator&(const geolist& other);

    // Copies items and stored values into a body of its own; returns the low
    // byte of the new length.
    char operator=(geolist& other);
    // Slot 1 for constant lists and temporaries: the same copy; true on success.
    bool operator=(const geolist& other) override;
    // Shares a non-empty reference's body (true); an empty one changes nothing.
    char operator=(const geolist_ref& ref);

    short count() const;
    // Absolute value of item i's code; 0 outside the list.
    char type(short i) const;
    // A view of item i; outside the list a view without an item.
    geoitem operator[](short i) const;
    void clear();
    // Removes the first item whose code equals `code` exactly.
    char exclude(short code);

    // List-wide geometry: every item in turn.
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

    // Boolean operations with a polygon or a list, through the stitcher.
    geolist_ref operator&&(const geobject& other) const;
    geolist_ref overlap(const geobject& other) const;
    geolist_ref operator||(const geobject& other) const;
    geolist_ref operator-(const geobject& other) const;

    // Of a circle construction list (two circles, a keyword) or of two items.
    double distance() const;
    using geobject::distance;

private:
    geolist_pr* body_;
};

// A result list handle (type code 17); may have no body.
class geolist_ref : public geobject {
public:
    geolist_ref();
    explicit geolist_ref(geolist_pr* body);      // shares
    geolist_ref(const geolist_ref& other);       // shares
    // Shares the other's body and releases its own; safe on self-assignment.
    geolist_ref& operator=(const geolist_ref& other);
    ~geolist_ref() override;

    geolist_pr* body() const { return body_; }

    short count() const;
    char type(short i) const;
    geoitem operator[](short i) const;

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

    geolist_ref operator&&(const geobject& other) const;
    geolist_ref operator||(const geobject& other) const;
    geolist_ref operator-(const geobject& other) const;

private:
    geolist_pr* body_;
};

// Sets the capacity to length + step and reallocates the item buffer; false
// (and nothing changed) when memory is exhausted.
bool GrowList(geolist_pr* body, int step);

// The code of a keyword, matched in upper case; 0 for unknown words.
char KeywordCode(const char* text);

// Copies the slots of one stored item to `cursor`, advances the cursor and
// returns the number of slots copied.
short CopyStoredValue(const list_item& item, G_POINT*& cursor);

// Turns the first `length` store slots of a freshly filled result body into
// stored points (item i -> slot i). Allocates the item buffer when it is
// missing or short; false with GeoError 2 when that fails.
bool StoreResultPoints(geolist_pr* body);
bool StoreResultPoints(geolist& list);

// Gives `body` ownership of a heap object (made with new) that one of its
// items refers to, such as a whole circle kept as a clipping result. Lists
// that copy or append that item share the object; it is deleted with the last
// of them. False with GeoError 2 (and the object deleted) when memory is out.
bool AdoptObject(geolist_pr* body, geobject* object);

// The coordinates of a point item (code 4) or stored point (-4); anything
// else sets GeoError 3 and gives nullptr.
G_POINT* ItemPoint(const list_item* item);
G_POINT* ItemPoint(const geoitem& item);
