// The fixed names and choice tables of the object sheets.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "object_type_catalog.h"

namespace {

using Catalog = CObjectTypeCatalog;

std::wstring Text(LPCTSTR name) { return name ? name : L"(null)"; }

std::vector<int> Keys(int count, const int* table) {
    return table ? std::vector<int>(table, table + count) : std::vector<int>();
}

class ObjectTypeCatalogTest : public ::testing::Test {
protected:
    void SetUp() override { ResetObjectTypeCatalog(); }
    void TearDown() override { ResetObjectTypeCatalog(); }
};

TEST_F(ObjectTypeCatalogTest, MarkerIsMadeOnce) {
    EXPECT_EQ(Catalog::Load(false), nullptr);
    CObjectTypeCatalog* marker = Catalog::Load(true);
    ASSERT_NE(marker, nullptr);
    EXPECT_EQ(Catalog::Load(true), marker);
    EXPECT_EQ(Catalog::Load(false), marker);
}

TEST_F(ObjectTypeCatalogTest, DoorKinds) {
    const wchar_t* names[] = {L"Empty", L"Swinging", L"French", L"Sliding",
                              L"Folding", L"BiFold", L"HalfWall", L"Garage"};
    ASSERT_EQ(Catalog::GetDoorKindCount(), 8);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(Text(Catalog::GetDoorKindName(i)), names[i]);
}

TEST_F(ObjectTypeCatalogTest, ActionsAndPositionsByKey) {
    struct Case {
        int key;
        const wchar_t* action;
        const wchar_t* position;
    } cases[] = {
        {1, L"Inside", L"Left"},      {2, L"Outside", L"Right"}, {3, L"Double Action", L"Overhang"},
        {4, L"Bypass", L"(null)"},    {5, L"(null)", L"(null)"}, {0, L"(null)", L"(null)"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Text(Catalog::GetActionName(c.key)), c.action) << c.key;
        EXPECT_EQ(Text(Catalog::GetPositionName(c.key)), c.position) << c.key;
    }
}

TEST_F(ObjectTypeCatalogTest, Categories) {
    const wchar_t* names[] = {L"Fireplace", L"Window",  L"BathObject", L"Countertop",
                              L"(null)",    L"Corner",  L"Utility",    L"(null)",
                              L"(null)",    L"(null)",  L"(null)",     L"Structural"};
    const int subtypeCounts[] = {5, 2, 6, 8, 0, 2, 8, 4, 2, 1, 2, 1};
    ASSERT_EQ(Catalog::GetCategoryCount(), 12);
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(Text(Catalog::GetCategoryName(i)), names[i]) << i;
        EXPECT_EQ(Catalog::GetCategoryId(i), i);
        EXPECT_EQ(Catalog::FindCategory(i), i);
        EXPECT_EQ(Catalog::GetSubtypeCount(i), subtypeCounts[i]) << i;
    }
    EXPECT_EQ(Catalog::FindCategory(-1), 0);
    EXPECT_EQ(Catalog::FindCategory(12), 0);
}

TEST_F(ObjectTypeCatalogTest, CountertopIdentifiersSkipFourAndEndWithMinusFive) {
    const int ids[] = {0, 1, 2, 3, 5, 6, 7, -5};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(Catalog::GetSubtypeId(3, i), ids[i]);
    EXPECT_EQ(Text(Catalog::GetSubtypeName(3, 7)), L"Refrigerator");
    EXPECT_EQ(Text(Catalog::GetSubtypeName(3, 4)), L"Stove");
    EXPECT_EQ(Catalog::FindSubtype(3, -5), 7);
    EXPECT_EQ(Catalog::FindSubtype(3, 5), 4);
    EXPECT_EQ(Catalog::FindSubtype(3, 4), 0);
}

TEST_F(ObjectTypeCatalogTest, SubtypeNames) {
    struct Case {
        int category;
        int index;
        const wchar_t* name;
    } cases[] = {
        {0, 4, L"Double Face"}, {1, 1, L"Bay"},         {2, 3, L"Toilet"},      {5, 1, L"Chamfer"},
        {6, 7, L"Washer/Dryer"}, {7, 3, L"Stove"},      {8, 0, L"Round"},       {9, 0, L""},
        {10, 1, L"Double face"}, {11, 0, L"Bump-In"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Text(Catalog::GetSubtypeName(c.category, c.index)), c.name) << c.category << "/" << c.index;
}

TEST_F(ObjectTypeCatalogTest, IndexesOutsideTheTablesAnswerZeroOrNull) {
    EXPECT_EQ(Catalog::GetDoorKindName(8), nullptr);
    EXPECT_EQ(Catalog::GetDoorKindName(-1), nullptr);
    EXPECT_EQ(Catalog::GetCategoryName(12), nullptr);
    EXPECT_EQ(Catalog::GetCategoryName(-1), nullptr);
    EXPECT_EQ(Catalog::GetCategoryId(12), 0);
    EXPECT_EQ(Catalog::GetSubtypeCount(12), 0);
    EXPECT_EQ(Catalog::GetSubtypeCount(-3), 0);
    EXPECT_EQ(Catalog::GetSubtypeName(4, 0), nullptr);
    EXPECT_EQ(Catalog::GetSubtypeName(1, 2), nullptr);
    EXPECT_EQ(Catalog::GetSubtypeName(1, -1), nullptr);
    EXPECT_EQ(Catalog::GetSubtypeName(40, 0), nullptr);
    EXPECT_EQ(Catalog::GetSubtypeId(3, 8), 0);
    EXPECT_EQ(Catalog::GetSubtypeId(-1, 0), 0);
    EXPECT_EQ(Catalog::FindSubtype(4, 0), 0);
    EXPECT_EQ(Catalog::FindSubtype(99, 1), 0);
}

TEST_F(ObjectTypeCatalogTest, ChoicesByOpeningKind) {
    struct Case {
        int kind;
        std::vector<int> actions;
        std::vector<int> positions;
    } cases[] = {
        {0, {}, {}},           {1, {1, 2, 3}, {1, 2}}, {2, {1, 2, 3}, {}}, {3, {1, 2, 4}, {3, 1, 2}},
        {4, {1, 2}, {1, 2}},   {5, {1, 2}, {}},        {6, {}, {}},        {-1, {}, {}},
    };
    for (const Case& c : cases) {
        static const int stale = 0;
        const int* table = &stale;  // must be overwritten
        int count = Catalog::GetActionChoices(c.kind, table);
        EXPECT_EQ(Keys(count, table), c.actions) << c.kind;
        EXPECT_EQ(table == nullptr, c.actions.empty()) << c.kind;
        count = Catalog::GetPositionChoices(c.kind, table);
        EXPECT_EQ(Keys(count, table), c.positions) << c.kind;
        EXPECT_EQ(table == nullptr, c.positions.empty()) << c.kind;
    }
}

}  // namespace
