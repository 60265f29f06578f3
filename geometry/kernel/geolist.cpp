// List bodies, the geolist and geolist_ref handles, item insertion and the
// helpers that turn result items into points.
#include "geolist.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

#include "angle.h"
#include "arc.h"
#include "circle.h"
#include "line.h"
#include "point.h"
#include "polygon.h"
#include "segment.h"
#include "poly_member.h"
#include "settings.h"

// One object kept alive by a body: a copy of a geolist_ref or geoitem that
// was joined into the list, or an object a result adopted. Bodies that copy
// such an item share the object, so it lives as long as the last of them.
struct held_object {
    std::shared_ptr<geobject> object;
    held_object* next;
};

namespace {

geolist_pr* NewBody()
{
    auto* body = static_cast<geolist_pr*>(std::calloc(1, sizeof(geolist_pr)));
    if (body != nullptr)
        body->refCount = 1;
    else
        GeoError() = GEO_NO_MEMORY;
    return body;
}

void FreeContents(geolist_pr* body)
{
    std::free(body->items);
    std::free(body->store);
    held_object* held = body->held;
    while (held != nullptr) {
        held_object* next = held->next;
        delete held;
        held = next;
    }
    body->items = nullptr;
    body->store = nullptr;
    body->held = nullptr;
    body->length = 0;
    body->capacity = 0;
    body->storeCount = 0;
}

void Retain(geolist_pr* body)
{
    if (body != nullptr)
        ++body->refCount;
}

void Release(geolist_pr* body)
{
    if (body == nullptr || --body->refCount > 0)
        return;
    FreeContents(body);
    std::free(body);
}

bool Hold(geolist_pr* body, std::shared_ptr<geobject> object)
{
    auto* node = new (std::nothrow) held_object{std::move(object), body->held};
    if (node == nullptr) {
        GeoError() = GEO_NO_MEMORY;
        return false;
    }
    body->held = node;
    return true;
}

// The shared handle of an object that `body` keeps alive, or none.
std::shared_ptr<geobject> HeldBy(const geolist_pr* body, const geobject* object)
{
    for (const held_object* h = body != nullptr ? body->held : nullptr; h != nullptr; h = h->next)
        if (h->object.get() == object)
            return h->object;
    return nullptr;
}

template <class Object>
std::shared_ptr<geobject> CopyOf(const geobject& object)
{
    try {
        return std::make_shared<Object>(static_cast<const Object&>(object));
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

// The object an item of code 16 or 17 refers to, owned by the body. A
// reference to the body itself stays the caller's, so that no cycle forms.
geobject* HoldCopy(geolist_pr* body, const geobject& object)
{
    std::shared_ptr<geobject> copy;
    if (object.typecode() == GEO_LIST_REF) {
        if (static_cast<const geolist_ref&>(object).body() == body)
            return const_cast<geobject*>(&object);
        copy = CopyOf<geolist_ref>(object);
    } else {
        copy = CopyOf<geoitem>(object);
    }
    if (copy == nullptr) {
        GeoError() = GEO_NO_MEMORY;
        return nullptr;
    }
    geobject* address = copy.get();
    return Hold(body, std::move(copy)) ? address : nullptr;
}

// Makes an item that is about to enter `body` (from the body `source`, if
// any) safe to keep there: references and views are held by the body, and
// objects that the source keeps alive are shared with it.
bool AdoptItem(geolist_pr* body, list_item& item, const geolist_pr* source = nullptr)
{
    if (item.code < GEO_ANGLE)
        return true;
    if (std::shared_ptr<geobject> shared = HeldBy(source, item.object))
        return HeldBy(body, item.object) != nullptr || Hold(body, std::move(shared));
    if (item.code != GEO_ITEM && item.code != GEO_LIST_REF)
        return true;
    item.object = HoldCopy(body, *item.object);
    return item.object != nullptr;
}

bool EnsureRoom(geolist_pr* body)
{
    if (body->length < body->capacity)
        return true;
    if (GrowList(body, 2))
        return true;
    GeoError() = GEO_NO_MEMORY;
    return false;
}

// Items stay in descending code order; equal codes keep their order of
// arrival. Controls and stored values (codes below 1) go to the end.
void InsertItem(geolist_pr* body, list_item item)
{
    if (body == nullptr || !EnsureRoom(body) || !AdoptItem(body, item))
        return;
    int at = body->length;
    if (item.code >= 1) {
        at = 0;
        while (at < body->length && body->items[at].code >= item.code)
            ++at;
    }
    std::memmove(body->items + at + 1, body->items + at,
                 sizeof(list_item) * static_cast<size_t>(body->length - at));
    body->items[at] = item;
    ++body->length;
}

list_item ObjectItem(const geobject& object)
{
    list_item item{};
    item.code = object.typecode();
    item.object = const_cast<geobject*>(&object);
    return item;
}

// How a geoitem enters a list: copied whole (one object, `+`) or, in the
// two-object list, as its object or else as the view itself.
enum class ItemRule { copy_view, object_or_view };

// False when there is nothing to insert (a view without an item).
bool MakeItem(const geobject& object, ItemRule rule, list_item& item)
{
    if (object.typecode() == GEO_POLY_MEMBER) {
        const auto& member = static_cast<const poly_member&>(object);
        item.code = GEO_POINT;
        item.object = const_cast<point*>(&member.get_point());
        return true;
    }
    if (object.typecode() == GEO_ITEM) {
        const list_item* viewed = static_cast<const geoitem&>(object).item();
        if (rule == ItemRule::copy_view) {
            if (viewed == nullptr)
                return false;
            item = *viewed;
            return true;
        }
        item = (viewed != nullptr && viewed->code >= GEO_ANGLE) ? *viewed : ObjectItem(object);
        return true;
    }
    item = ObjectItem(object);
    return true;
}

void InsertObject(geolist_pr* body, const geobject& object, ItemRule rule)
{
    list_item item{};
    if (MakeItem(object, rule, item))
        InsertItem(body, item);
}

void InsertNumber(geolist_pr* body, double number)
{
    list_item item{};
    item.code = GEO_NUMBER_ITEM;
    item.number = number;
    InsertItem(body, item);
}

void InsertKeyword(geolist_pr* body, const char* keyword)
{
    if (keyword == nullptr || keyword[0] == '\0') {
        GeoError() = GEO_BAD_ARGUMENTS;
        return;
    }
    list_item item{};
    item.code = GEO_KEYWORD_ITEM;
    item.keyword = KeywordCode(keyword);
    InsertItem(body, item);
}

void InsertControl(geolist_pr* body, control code)
{
    list_item item{};
    item.code = GEO_CONTROL_ITEM;
    item.keyword = code.code();
    InsertItem(body, item);
}

geolist_pr* NewBodyWithRoom(int capacity)
{
    geolist_pr* body = NewBody();
    if (body != nullptr && !GrowList(body, capacity)) {
        GeoError() = GEO_NO_MEMORY;
    }
    return body;
}

int StoredSlots(const list_item& item)
{
    switch (item.code) {
    case GEO_STORED_RUN: {
        const double count = item.stored[0].x;
        return count > 0.0 ? static_cast<int>(count) + 1 : 1;  // the header alone
    }
    case GEO_STORED_ARC: return 3;
    case GEO_STORED_POINT: return 1;
    default: return 2;
    }
}

// Slots needed to hold every stored value of the items.
int SlotsInUse(const geolist_pr* body)
{
    int slots = 0;
    for (int i = 0; i < body->length; ++i)
        if (body->items[i].code < 0)
            slots += StoredSlots(body->items[i]);
    return slots;
}

// Room for a copy of the body's stored values: never less than its store holds.
int SlotsToCopy(const geolist_pr* body) { return std::max(SlotsInUse(body), body->storeCount); }

// Appends the other body's items behind this body's, in their order; stored
// values get their slots copied to `cursor` onwards (the caller has made
// room) and point at the copies. False when an object cannot be kept.
bool CopyItemsBehind(geolist_pr* body, const geolist_pr* other, G_POINT* cursor)
{
    for (int i = 0; i < other->length; ++i) {
        list_item item = other->items[i];
        if (item.code < 0) {
            G_POINT* at = cursor;
            body->storeCount += CopyStoredValue(item, cursor);
            item.stored = at;
        } else if (!AdoptItem(body, item, other)) {
            return false;
        }
        body->items[body->length++] = item;
    }
    return true;
}

// Copies the other body's items into an emptied `body`; false on exhausted memory.
bool CopyBodyInto(geolist_pr* body, const geolist_pr* other)
{
    if (other == nullptr || other->length == 0)
        return true;
    const int slots = SlotsToCopy(other);
    body->items = static_cast<list_item*>(std::malloc(sizeof(list_item) * static_cast<size_t>(other->length)));
    if (slots > 0)
        body->store = static_cast<G_POINT*>(std::malloc(sizeof(G_POINT) * static_cast<size_t>(slots)));
    if (body->items == nullptr || (slots > 0 && body->store == nullptr))
        return false;
    body->capacity = other->length;
    return CopyItemsBehind(body, other, body->store);
}

// Moves this body's stored values into a new store with room for `extra`
// more slots, in item order; false (nothing changed) on exhausted memory.
bool RestoreWithRoom(geolist_pr* body, int extra)
{
    const int size = SlotsToCopy(body) + extra;
    auto* store = static_cast<G_POINT*>(std::malloc(sizeof(G_POINT) * static_cast<size_t>(size)));
    if (store == nullptr)
        return false;
    G_POINT* cursor = store;
    for (int i = 0; i < body->length; ++i) {
        list_item& item = body->items[i];
        if (item.code < 0) {
            G_POINT* at = cursor;
            CopyStoredValue(item, cursor);
            item.stored = at;
        }
    }
    std::free(body->store);
    body->store = store;
    body->storeCount = static_cast<int>(cursor - store);
    return true;
}

void AppendBody(geolist_pr* body, const geolist_pr* other)
{
    if (body == nullptr || other == nullptr || other->length == 0)
        return;
    const int total = body->length + other->length;
    if (body->capacity < total) {
        auto* items = static_cast<list_item*>(std::realloc(body->items, sizeof(list_item) * static_cast<size_t>(total)));
        if (items == nullptr) {
            GeoError() = GEO_NO_MEMORY;
            return;
        }
        body->items = items;
        body->capacity = total;
    }
    int extra = SlotsInUse(other);
    if (extra > 0 && !RestoreWithRoom(body, extra)) {
        GeoError() = GEO_NO_MEMORY;
        return;
    }
    CopyItemsBehind(body, other, body->store + body->storeCount);
    body->capacity = body->length;
}

// Access shared by both handles; a missing body reads as an empty list.
short BodyCount(const geolist_pr* body) { return body != nullptr ? static_cast<short>(body->length) : 0; }

bool HasIndex(const geolist_pr* body, short i) { return body != nullptr && i >= 0 && i < body->length; }

char BodyType(const geolist_pr* body, short i)
{
    return HasIndex(body, i) ? static_cast<char>(std::abs(body->items[i].code)) : 0;
}

geoitem BodyView(const geolist_pr* body, short i) { return HasIndex(body, i) ? geoitem(body->items + i) : geoitem(); }

}  // namespace

// ---- geolist construction --------------------------------------------------

geolist::geolist() : geobject(GEO_LIST), body_(NewBody()) {}

geolist::geolist(const geolist& other) : geobject(GEO_LIST), body_(other.body_)
{
    Retain(body_);
}

geolist::geolist(const geolist_ref& ref) : geolist(ref.body()) {}

geolist::geolist(geolist_pr* body) : geobject(GEO_LIST), body_(body)
{
    if (body_ != nullptr)
        Retain(body_);
    else
        body_ = NewBody();
}

geolist::geolist(const geobject& object) : geobject(GEO_LIST), body_(nullptr)
{
    if (object.typecode() == GEO_LIST) {
        body_ = static_cast<const geolist&>(object).body_;
        Retain(body_);
        return;
    }
    body_ = NewBodyWithRoom(2);
    InsertObject(body_, object, ItemRule::copy_view);
}

geolist::geolist(const geobject& first, const geobject& second)
    : geobject(GEO_LIST), body_(NewBodyWithRoom(3))
{
    InsertObject(body_, first, ItemRule::object_or_view);
    InsertObject(body_, second, ItemRule::object_or_view);
}

geolist::geolist(const geobject& object, double number) : geobject(GEO_LIST), body_(NewBodyWithRoom(3))
{
    InsertObject(body_, object, ItemRule::copy_view);
    InsertNumber(body_, number);
}

geolist::geolist(const geobject& object, const char* keyword)
    : geobject(GEO_LIST), body_(NewBodyWithRoom(3))
{
    if (keyword == nullptr || keyword[0] == '\0') {
        GeoError() = GEO_NO_MEMORY;  // this constructor's documented code
        return;
    }
    InsertObject(body_, object, ItemRule::copy_view);
    InsertKeyword(body_, keyword);
}

geolist::geolist(const geobject& object, control code) : geobject(GEO_LIST), body_(NewBodyWithRoom(3))
{
    InsertObject(body_, object, ItemRule::copy_view);
    InsertControl(body_, code);
}

geolist::~geolist() { Release(body_); }

// ---- building ---------------------------------------------------------------

geolist& geolist::operator+(const geobject& object)
{
    InsertObject(body_, object, ItemRule::copy_view);
    return *this;
}

geolist& geolist::operator+(const geobject* object)
{
    if (object != nullptr)
        InsertObject(body_, *object, ItemRule::copy_view);
    return *this;
}

geolist& geolist::operator+(double number)
{
    InsertNumber(body_, number);
    return *this;
}

geolist& geolist::operator+(const char* keyword)
{
    InsertKeyword(body_, keyword);
    return *this;
}

geolist& geolist::operator+(control code)
{
    InsertControl(body_, code);
    return *this;
}

geolist& geolist::operator+(const geolist_ref& ref)
{
    return *this & geolist(ref);
}

geolist& geolist::operator&(const geobject& object) { return *this + object; }
geolist& geolist::operator&(const geobject* object) { return *this + object; }
geolist& geolist::operator&(double number) { return *this + number; }
geolist& geolist::operator&(const char* keyword) { return *this + keyword; }
geolist& geolist::operator&(control code) { return *this + code; }

geolist& geolist::operator&(const geolist& other)
{
    if (other.body_ == body_ && body_ != nullptr && body_->length > 0) {
        // Appending a list to itself: append a private copy.
        geolist copy;
        copy = other;
        AppendBody(body_, copy.body_);
        return *this;
    }
    AppendBody(body_, other.body_);
    return *this;
}

// ---- assignment and access ----------------------------------------------------

char geolist::operator=(geolist& other)
{
    const bool copied = (*this = static_cast<const geolist&>(other));
    return copied ? static_cast<char>(count()) : 0;
}

bool geolist::operator=(const geolist& other)
{
    if (other.body_ == body_)
        return true;
    if (body_ != nullptr && body_->refCount > 1) {
        Release(body_);
        body_ = NewBody();
    } else if (body_ != nullptr) {
        FreeContents(body_);
    } else {
        body_ = NewBody();
    }
    if (body_ == nullptr)
        return false;
    if (!CopyBodyInto(body_, other.body_)) {
        FreeContents(body_);
        GeoError() = GEO_NO_MEMORY;
        return false;
    }
    return true;
}

char geolist::operator=(const geolist_ref& ref)
{
    geolist_pr* shared = ref.body();
    if (shared == nullptr || shared->length == 0)
        return 0;
    if (shared != body_) {
        Retain(shared);
        Release(body_);
        body_ = shared;
    }
    return 1;
}

short geolist::count() const { return BodyCount(body_); }
char geolist::type(short i) const { return BodyType(body_, i); }
geoitem geolist::operator[](short i) const { return BodyView(body_, i); }

void geolist::clear()
{
    if (body_ != nullptr && body_->refCount == 1) {
        FreeContents(body_);
        return;
    }
    Release(body_);
    body_ = NewBody();
}

char geolist::exclude(short code)
{
    if (body_ == nullptr)
        return 0;
    for (int i = 0; i < body_->length; ++i) {
        if (body_->items[i].code != code)
            continue;
        std::memmove(body_->items + i, body_->items + i + 1,
                     sizeof(list_item) * static_cast<size_t>(body_->length - i - 1));
        --body_->length;
        return 1;
    }
    return 0;
}

// ---- geolist_ref ----------------------------------------------------------------

geolist_ref::geolist_ref() : geobject(GEO_LIST_REF), body_(nullptr) {}

geolist_ref::geolist_ref(geolist_pr* body) : geobject(GEO_LIST_REF), body_(body)
{
    Retain(body_);
}

geolist_ref::geolist_ref(const geolist_ref& other) : geobject(GEO_LIST_REF), body_(other.body_)
{
    Retain(body_);
}

geolist_ref& geolist_ref::operator=(const geolist_ref& other)
{
    geolist_pr* old = body_;
    Retain(other.body_);
    body_ = other.body_;
    Release(old);
    return *this;
}

geolist_ref::~geolist_ref() { Release(body_); }

short geolist_ref::count() const { return BodyCount(body_); }
char geolist_ref::type(short i) const { return BodyType(body_, i); }
geoitem geolist_ref::operator[](short i) const { return BodyView(body_, i); }

// ---- functions for the other classes -------------------------------------------

bool GrowList(geolist_pr* body, int step)
{
    if (body == nullptr)
        return false;
    const int capacity = body->length + step;
    auto* items = static_cast<list_item*>(std::realloc(body->items, sizeof(list_item) * static_cast<size_t>(capacity)));
    if (items == nullptr)
        return false;
    body->items = items;
    body->capacity = capacity;
    return true;
}

char KeywordCode(const char* text)
{
    struct keyword {
        const char* text;
        char code;
    };
    static const keyword table[] = {
        {"INTERNAL", 11}, {"EXTERNAL", 10}, {"RIGHT", 8},      {"LEFT", 9},      {"BIG", 1},
        {"SMALL", 0},     {"RADIUS", 7},    {"CHORD", 6},      {"INSIDE", 11},   {"FIT", 11},
        {"OUTSIDE", 10},  {"END", 4},       {"START", 5},      {"MIDPOINT", 3},  {"MIDDLE", 3},
        {"TANGENT", 2},   {"DISTANCE", 15}, {"CENTER", 16},    {"UNDEFINED", 0}, {"ENVELOPS", 18},
        {"CENTER_1ST", 19},
    };
    if (text == nullptr)
        return 0;
    for (const keyword& entry : table) {
        size_t i = 0;
        while (entry.text[i] != '\0'
               && std::toupper(static_cast<unsigned char>(text[i])) == static_cast<unsigned char>(entry.text[i]))
            ++i;
        if (entry.text[i] == '\0' && text[i] == '\0')
            return entry.code;
    }
    return 0;
}

short CopyStoredValue(const list_item& item, G_POINT*& cursor)
{
    const int slots = StoredSlots(item);
    std::memcpy(cursor, item.stored, sizeof(G_POINT) * static_cast<size_t>(slots));
    cursor += slots;
    return static_cast<short>(slots);
}

bool StoreResultPoints(geolist_pr* body)
{
    if (body == nullptr)
        return false;
    if (body->capacity < body->length || body->items == nullptr) {
        auto* items = static_cast<list_item*>(std::realloc(body->items, sizeof(list_item) * static_cast<size_t>(body->length > 0 ? body->length : 1)));
        if (items == nullptr) {
            GeoError() = GEO_NO_MEMORY;
            return false;
        }
        body->items = items;
    }
    for (int i = 0; i < body->length; ++i) {
        body->items[i].code = GEO_STORED_POINT;
        body->items[i].stored = body->store + i;
    }
    body->capacity = body->length;
    body->storeCount = body->length;
    return true;
}

bool StoreResultPoints(geolist& list) { return StoreResultPoints(list.body()); }

bool AdoptObject(geolist_pr* body, geobject* object)
{
    if (object == nullptr)
        return false;
    std::shared_ptr<geobject> owned;
    try {
        owned.reset(object);
    } catch (const std::bad_alloc&) {
        // reset() has deleted the object already.
        GeoError() = GEO_NO_MEMORY;
        return false;
    }
    if (body == nullptr) {
        GeoError() = GEO_NO_MEMORY;
        return false;
    }
    return Hold(body, std::move(owned));
}

G_POINT* ItemPoint(const list_item* item)
{
    if (item != nullptr && item->code == GEO_POINT)
        return &static_cast<point*>(item->object)->rec();
    if (item != nullptr && item->code == GEO_STORED_POINT)
        return item->stored;
    GeoError() = GEO_BAD_ARGUMENTS;
    return nullptr;
}

G_POINT* ItemPoint(const geoitem& item) { return ItemPoint(item.item()); }

// ---- starting a list from any object ---------------------------------------------

geolist geobject::operator&(const geobject& other) const { return geolist(*this, other); }

geolist geobject::operator&(const geobject* other) const
{
    if (other == nullptr)
        return geolist(*this);
    return geolist(*this, *other);
}

namespace {

// A list on the left takes the value itself; any other object starts a list.
template <class Value>
geolist StartList(const geobject& first, Value value)
{
    if (first.typecode() != GEO_LIST)
        return geolist(first, value);
    geolist list(first);
    return list + value;
}

}  // namespace

geolist geobject::operator&(double number) const { return StartList(*this, number); }
geolist geobject::operator&(const char* keyword) const { return StartList(*this, keyword); }
geolist geobject::operator&(control code) const { return StartList(*this, code); }

// The body keeps its own copy of the reference, so the item outlives the argument.
geolist geobject::operator&(const geolist_ref& ref) const { return geolist(*this, ref); }

// ---- a list over an array of objects ----------------------------------------------

namespace {

template <class Value>
geolist ArrayList(const geobject& first, short n)
{
    geolist list;
    geolist_pr* body = list.body();
    if (body == nullptr || !GrowList(body, n)) {
        GeoError() = GEO_NO_MEMORY;
        return list;
    }
    const auto* values = static_cast<const Value*>(&first);
    for (short i = 0; i < n; ++i) {
        list_item& item = body->items[body->length++];
        item.code = first.typecode();
        item.object = const_cast<Value*>(values + i);
    }
    return list;
}

}  // namespace

// Item i points at the i-th element of an array of this object's class. Other
// classes have no array form: an empty list and GeoError 3.
geolist geobject::operator()(short n) const
{
    if (n <= 0)
        return geolist();
    switch (typecode()) {
    case GEO_ANGLE: return ArrayList<angle>(*this, n);
    case GEO_POINT: return ArrayList<point>(*this, n);
    case GEO_LINE: return ArrayList<line>(*this, n);
    case GEO_CIRCLE: return ArrayList<circle>(*this, n);
    case GEO_SEGMENT: return ArrayList<segment>(*this, n);
    case GEO_ARC: return ArrayList<arc>(*this, n);
    case GEO_POLYGON: return ArrayList<polygon>(*this, n);
    default:
        GeoError() = GEO_BAD_ARGUMENTS;
        return geolist();
    }
}
