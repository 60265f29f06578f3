#include "object_type_catalog.h"

#include <iterator>
#include <memory>
#include <span>

namespace {

struct NamedId {
    int id;
    LPCTSTR name;
};

struct Category {
    LPCTSTR name;  // empty: no name of its own
    std::span<const NamedId> subtypes;
};

constexpr NamedId kActions[] = {{1, L"Inside"}, {2, L"Outside"}, {3, L"Double Action"}, {4, L"Bypass"}};
constexpr NamedId kPositions[] = {{1, L"Left"}, {2, L"Right"}, {3, L"Overhang"}};

constexpr LPCTSTR kDoorKinds[] = {L"Empty",  L"Swinging", L"French",   L"Sliding",
                                  L"Folding", L"BiFold",  L"HalfWall", L"Garage"};

constexpr NamedId kFireplaces[] = {
    {0, L"Flush"}, {1, L"Projected"}, {2, L"Corner"}, {3, L"Inside"}, {4, L"Double Face"}};
constexpr NamedId kWindows[] = {{0, L"Straight"}, {1, L"Bay"}};
constexpr NamedId kBathObjects[] = {{0, L"Tub"},    {1, L"Shower"}, {2, L"Jacuzzi"},
                                    {3, L"Toilet"}, {4, L"Bidet"},  {5, L"Sink"}};
// The identifiers the objects store: 4 is not used, the refrigerator is -5.
constexpr NamedId kCountertops[] = {{0, L"Empty"},       {1, L"Single Sink"}, {2, L"Double Sink"},
                                    {3, L"2 Sinks"},     {5, L"Stove"},       {6, L"Full Height"},
                                    {7, L"Closet"},      {-5, L"Refrigerator"}};
constexpr NamedId kCorners[] = {{0, L"Fillet"}, {1, L"Chamfer"}};
constexpr NamedId kUtilities[] = {{0, L"Washer"},          {1, L"Dryer"},      {2, L"Water Heater"},
                                  {3, L"Air Conditioner"}, {4, L"Furnace"},    {5, L"Refrigerator"},
                                  {6, L"Dishwasher"},      {7, L"Washer/Dryer"}};
constexpr NamedId kIslands[] = {{0, L"Empty"}, {1, L"Single Sink"}, {2, L"Double Sink"}, {3, L"Stove"}};
constexpr NamedId kColumns[] = {{0, L"Round"}, {1, L"Square"}};
constexpr NamedId kUnnamed[] = {{0, L""}};
constexpr NamedId kFaces[] = {{0, L"Single face"}, {1, L"Double face"}};
constexpr NamedId kStructurals[] = {{0, L"Bump-In"}};

// The category's identifier is its index.
constexpr Category kCategories[] = {
    {L"Fireplace", kFireplaces}, {L"Window", kWindows}, {L"BathObject", kBathObjects},
    {L"Countertop", kCountertops}, {L"", {}}, {L"Corner", kCorners},
    {L"Utility", kUtilities}, {L"", kIslands}, {L"", kColumns},
    {L"", kUnnamed}, {L"", kFaces}, {L"Structural", kStructurals}};

constexpr int kActionsSwing[] = {1, 2, 3};
constexpr int kActionsSliding[] = {1, 2, 4};
constexpr int kActionsFolding[] = {1, 2};
constexpr int kPositionsSide[] = {1, 2};
constexpr int kPositionsOverhang[] = {3, 1, 2};

std::unique_ptr<CObjectTypeCatalog> gMarker;

template <typename T>
bool InRange(std::span<const T> table, int index) {
    return index >= 0 && static_cast<size_t>(index) < table.size();
}

const Category* CategoryAt(int index) {
    std::span<const Category> categories(kCategories);
    return InRange(categories, index) ? &categories[static_cast<size_t>(index)] : nullptr;
}

const NamedId* SubtypeAt(int category, int index) {
    const Category* owner = CategoryAt(category);
    if (!owner || !InRange(owner->subtypes, index)) return nullptr;
    return &owner->subtypes[static_cast<size_t>(index)];
}

LPCTSTR NameOfKey(std::span<const NamedId> table, int key) {
    for (const NamedId& entry : table)
        if (entry.id == key) return entry.name;
    return nullptr;
}

template <size_t N>
int Choices(const int (&keys)[N], const int*& table) {
    table = keys;
    return static_cast<int>(N);
}

int NoChoices(const int*& table) {
    table = nullptr;
    return 0;
}

}  // namespace

CObjectTypeCatalog* CObjectTypeCatalog::Load(bool create) {
    if (!gMarker && create) gMarker = std::make_unique<CObjectTypeCatalog>();
    return gMarker.get();
}

int CObjectTypeCatalog::GetDoorKindCount() { return static_cast<int>(std::size(kDoorKinds)); }

LPCTSTR CObjectTypeCatalog::GetDoorKindName(int index) {
    std::span<const LPCTSTR> kinds(kDoorKinds);
    return InRange(kinds, index) ? kinds[static_cast<size_t>(index)] : nullptr;
}

int CObjectTypeCatalog::GetCategoryCount() { return static_cast<int>(std::size(kCategories)); }

int CObjectTypeCatalog::GetCategoryId(int index) { return CategoryAt(index) ? index : 0; }

int CObjectTypeCatalog::FindCategory(int id) { return CategoryAt(id) ? id : 0; }

LPCTSTR CObjectTypeCatalog::GetCategoryName(int index) {
    const Category* category = CategoryAt(index);
    return category && category->name[0] ? category->name : nullptr;
}

int CObjectTypeCatalog::GetSubtypeCount(int category) {
    const Category* owner = CategoryAt(category);
    return owner ? static_cast<int>(owner->subtypes.size()) : 0;
}

LPCTSTR CObjectTypeCatalog::GetSubtypeName(int category, int index) {
    const NamedId* subtype = SubtypeAt(category, index);
    return subtype ? subtype->name : nullptr;
}

int CObjectTypeCatalog::GetSubtypeId(int category, int index) {
    const NamedId* subtype = SubtypeAt(category, index);
    return subtype ? subtype->id : 0;
}

int CObjectTypeCatalog::FindSubtype(int category, int id) {
    const Category* owner = CategoryAt(category);
    if (!owner) return 0;
    for (size_t i = 0; i < owner->subtypes.size(); ++i)
        if (owner->subtypes[i].id == id) return static_cast<int>(i);
    return 0;
}

LPCTSTR CObjectTypeCatalog::GetActionName(int key) { return NameOfKey(kActions, key); }

LPCTSTR CObjectTypeCatalog::GetPositionName(int key) { return NameOfKey(kPositions, key); }

int CObjectTypeCatalog::GetActionChoices(int kind, const int*& table) {
    switch (kind) {
    case 1:
    case 2: return Choices(kActionsSwing, table);
    case 3: return Choices(kActionsSliding, table);
    case 4:
    case 5: return Choices(kActionsFolding, table);
    default: return NoChoices(table);
    }
}

int CObjectTypeCatalog::GetPositionChoices(int kind, const int*& table) {
    switch (kind) {
    case 1:
    case 4: return Choices(kPositionsSide, table);
    case 3: return Choices(kPositionsOverhang, table);
    default: return NoChoices(table);
    }
}

void ResetObjectTypeCatalog() { gMarker.reset(); }
