// Bath, utility, countertop, structural and fireplace objects in walls, and
// corner objects on wall nodes.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "zup_bath_object.h"
#include "zup_countertop.h"
#include "zup_fixture.h"
#include "zup_node_object.h"
#include "zup_structural.h"
#include "zup_utility_object.h"
#include "zup_wall_fireplace.h"

namespace {

class ZupFixtureObjectsTest : public ZupTest {};

TEST_F(ZupFixtureObjectsTest, BathSizesByTypeInBothUnits)
{
    struct Row {
        int type;
        int width[2], depth[2];  // metric, imperial
    };
    const Row rows[] = {
        {0, {72, 29}, {160, 65}}, {1, {80, 32}, {80, 32}}, {2, {180, 72}, {80, 32}},
        {3, {47, 19}, {75, 30}},  {4, {42, 17}, {56, 22}}, {6, {72, 29}, {145, 58}},
        {9, {72, 29}, {145, 58}},
    };
    for (int unit = 0; unit < 2; ++unit) {
        ZupObject::SetMetric(unit == 0);
        for (const Row& r : rows) {
            SCOPED_TRACE(r.type);
            EXPECT_EQ(ZupBathObject::GetDefaultWidth(r.type), r.width[unit]);
            EXPECT_EQ(ZupBathObject::GetDefaultDepth(r.type), r.depth[unit]);
        }
    }
    // Type 5 is sized by the counter's sink and stove space: (22 + 5) metric.
    ZupObject::SetMetric(true);
    EXPECT_EQ(ZupBathObject::GetDefaultWidth(5), 64);  // 27 x 2.4 truncated
    EXPECT_EQ(ZupBathObject::GetDefaultDepth(5), 54);
    EXPECT_EQ(ZupBathObject::GetTubThickness(), 7);
}

TEST_F(ZupFixtureObjectsTest, OtherDefaultsSwitchWithTheUnitSystem)
{
    struct Row {
        bool metric;
        int utility, structural, counterWidth, counterWide, counterNarrow, fireWidth, fireDepth;
    };
    for (const Row& r : {Row{true, 72, 36, 250, 150, 62, 140, 50},
                         Row{false, 30, 15, 100, 60, 25, 60, 30}}) {
        ZupObject::SetMetric(r.metric);
        EXPECT_EQ(ZupUtilityObject::GetDefaultWidth(3), r.utility);
        EXPECT_EQ(ZupUtilityObject::GetDefaultDepth(3), r.utility);
        EXPECT_EQ(ZupStructural::GetDefaultWidth(0), r.structural);
        EXPECT_EQ(ZupCountertop::GetDefaultWidth(), r.counterWidth);
        EXPECT_EQ(ZupCountertop::GetDefaultDepth(true), r.counterWide);
        EXPECT_EQ(ZupCountertop::GetDefaultDepth(false), r.counterNarrow);
        EXPECT_EQ(ZupWallFireplace::GetDefaultWidth(), r.fireWidth);
        EXPECT_EQ(ZupWallFireplace::GetDefaultDepth(), r.fireDepth);
    }
    EXPECT_EQ(ZupNodeObject::GetDefaultWidth(), 100);
}

TEST_F(ZupFixtureObjectsTest, KindCodesAndTypeNames)
{
    ZupFloor floor;
    ZupBathObject bath(&floor);
    ZupUtilityObject utility(&floor);
    ZupCountertop counter(&floor);
    ZupStructural structural(&floor);
    ZupWallFireplace fireplace(&floor);
    ZupNodeObject corner(&floor, 0, -1);
    struct Row {
        ZupObject* object;
        const char* name;
        int kind;
    };
    for (const Row& r : {Row{&bath, "BathObject", 2}, Row{&utility, "Utility", 6},
                         Row{&counter, "Countertop", 3}, Row{&structural, "Structural", 11},
                         Row{&fireplace, "Fireplace", 0}, Row{&corner, "Corner", 5}}) {
        EXPECT_STREQ(r.object->GetTypeName(), r.name);
        EXPECT_EQ(r.object->GetObjectType(), r.kind);
    }
    EXPECT_TRUE(fireplace.IsFireplace());
    EXPECT_TRUE(corner.IsNode());
    EXPECT_EQ(corner.GetDepth(), 100);
}

TEST_F(ZupFixtureObjectsTest, HolesInTheWall)
{
    ZupFloor floor;
    ZupCountertop counter(&floor);
    counter.SetAttachedWindowPanes(1);
    EXPECT_TRUE(counter.NeedOpening(nullptr));
    counter.SetType(7);
    EXPECT_FALSE(counter.NeedOpening(nullptr));
    ZupWallFireplace fireplace(&floor);
    for (int type : {0, 1, 4})
        EXPECT_TRUE((fireplace.SetType(type), fireplace.NeedOpening(nullptr)));
    for (int type : {2, 3})
        EXPECT_FALSE((fireplace.SetType(type), fireplace.NeedOpening(nullptr)));
}

TEST_F(ZupFixtureObjectsTest, StructuralCloneKeepsKindAndSizeOnly)
{
    ZupFloor floor;
    ZupStructural structural(&floor);
    structural.SetType(3);
    structural.SetDepth(40);
    structural.SetAttachedWindowPanes(2);
    std::unique_ptr<ZupWallObject> copy(structural.Clone(&floor));
    EXPECT_EQ(copy->GetType(), 3);
    EXPECT_EQ(copy->GetDepth(), 40);
    EXPECT_EQ(copy->GetAttachedWindowPanes(), 0);
}

class ZupFixtureOnWallsTest : public ZupTest {
protected:
    void SetUp() override
    {
        ZupTest::SetUp();
        ZupObject::SetMetric(true);
        floor = std::make_unique<ZupFloor>();
        a = Node(*floor, 0.0, 0.0);
        b = Node(*floor, 400.0, 0.0);
        c = Node(*floor, 400.0, 300.0);
        Wall(*floor, a, b);
        Wall(*floor, b, c);
    }
    void TearDown() override
    {
        floor.reset();
        ZupTest::TearDown();
    }
    std::unique_ptr<ZupFloor> floor;
    ZupNode* a = nullptr;
    ZupNode* b = nullptr;
    ZupNode* c = nullptr;
};

TEST_F(ZupFixtureOnWallsTest, FireplaceOnACornerBecomesACornerFireplace)
{
    auto* fireplace = new ZupWallFireplace(floor.get());
    point p(398.0, 1.0);
    ASSERT_TRUE(fireplace->Create(floor.get(), p));
    EXPECT_EQ(fireplace->GetType(), 2);
    delete fireplace;
}

TEST_F(ZupFixtureOnWallsTest, CornerFireplaceAwayFromEveryCornerIsRefused)
{
    auto* fireplace = new ZupWallFireplace(floor.get());
    fireplace->SetType(2);
    point p(200.0, 0.0);
    EXPECT_FALSE(fireplace->Create(floor.get(), p));
    delete fireplace;
    auto* plain = new ZupWallFireplace(floor.get());
    EXPECT_TRUE(plain->Create(floor.get(), p));
    angle facing(0.0);
    const point front = plain->GetFrontCenter(facing);
    EXPECT_TRUE(std::isfinite(front.x()) && std::isfinite(front.y()));
    delete plain;
}

TEST_F(ZupFixtureOnWallsTest, OneCornerObjectPerNode)
{
    auto* first = new ZupNodeObject(floor.get(), 1, -1);
    ASSERT_TRUE(first->Create(b));
    EXPECT_EQ(b->GetNodeObject(nullptr), first);
    EXPECT_EQ(first->GetGeoCenter(), point(400.0, 0.0));
    EXPECT_EQ(first->GetStart(), static_cast<KorNode*>(b));
    EXPECT_EQ(first->GetEnd(), static_cast<KorNode*>(b));
    ZupNodeObject second(floor.get(), 1, -1);
    EXPECT_FALSE(second.Create(b));
    // A clone lands on another node with the attached window's panes.
    first->SetAttachedWindowPanes(2);
    ZupNodeObject* copy = first->Clone(a, first);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetAttachedWindowPanes(), 2);
    EXPECT_EQ(copy->GetDepth(), 100);
    EXPECT_EQ(first->Clone(floor.get()), nullptr);
    delete copy;
    delete first;
    EXPECT_EQ(b->GetNodeObject(nullptr), nullptr);
}

}  // namespace
