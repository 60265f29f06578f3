#include <type_traits>

#include "kor_alignment.h"
#include "zup_fixture.h"
#include "zup_partition.h"

namespace {

class ZupFloorTest : public ZupTest {};

struct UnitDefaults {
    bool metric;
    float inputSnap;
    int windowDepth;
    float openingWidth;
    float windowWidth;
};

class ZupFloorDefaultsTest : public ZupTest,
                             public ::testing::WithParamInterface<UnitDefaults> {};

TEST_P(ZupFloorDefaultsTest, DefaultsOfTheUnits)
{
    const UnitDefaults& d = GetParam();
    ZupMetric() = d.metric;
    ZupFloor floor;
    EXPECT_FLOAT_EQ(floor.InputSnap(), d.inputSnap);
    EXPECT_FLOAT_EQ(ZupFloor::GetDefaultLinearInputSnap(), d.inputSnap);
    EXPECT_EQ(floor.LinearPlay(), static_cast<double>(0.99f));
    EXPECT_FLOAT_EQ(static_cast<float>(floor.LinearPlay()), 0.99f);
    EXPECT_DOUBLE_EQ(floor.MinWallLength(), 4.0 * static_cast<double>(0.99f));
    EXPECT_NEAR(floor.MinWallLength(), 3.96, 1e-6);
    EXPECT_NEAR(static_cast<double>(floor.AngularInputSnap()), 5.1, 1e-9);
    EXPECT_EQ(floor.GetWindowDepth(), d.windowDepth);
    EXPECT_FLOAT_EQ(ZupFloor::DefaultOpeningWidth(), d.openingWidth);
    EXPECT_FLOAT_EQ(ZupFloor::DefaultWindowWidth(), d.windowWidth);
    EXPECT_FLOAT_EQ(floor.DefaultWallThickness(), 0.0f);
    EXPECT_TRUE(floor.GetRulesFlag());
}

INSTANTIATE_TEST_SUITE_P(Units, ZupFloorDefaultsTest,
                         ::testing::Values(UnitDefaults{true, 14.95f, 14, 80.0f, 84.0f},
                                           UnitDefaults{false, 5.95f, 6, 32.0f, 35.0f}));

TEST_F(ZupFloorTest, EveryConstructionResetsTheDefaultWidths)
{
    ZupMetric() = true;
    ZupFloor first;
    ZupFloor::DefaultOpeningWidth() = 90.0f;
    ZupFloor::DefaultWindowWidth() = 100.0f;
    ZupFloor second;
    EXPECT_FLOAT_EQ(ZupFloor::DefaultOpeningWidth(), 80.0f);
    EXPECT_FLOAT_EQ(ZupFloor::DefaultWindowWidth(), 84.0f);
    ZupMetric() = false;
    ZupFloor third;
    EXPECT_FLOAT_EQ(ZupFloor::DefaultOpeningWidth(), 32.0f);
    EXPECT_FLOAT_EQ(ZupFloor::DefaultWindowWidth(), 35.0f);
}

TEST_F(ZupFloorTest, ConstructionClearsImplicitColinears)
{
    KorAlignment::mbSetImplicitColinear = true;
    ZupFloor floor;
    EXPECT_FALSE(KorAlignment::mbSetImplicitColinear);
}

TEST_F(ZupFloorTest, ResetGlobalsRestoresTheProcessWideState)
{
    ZupMetric() = true;
    ZupFloor floor;
    ZupFloor::DefaultOpeningWidth() = 1.0f;
    ZupFloor::mpCurAddition = &floor;
    ZupFloor::GetCurDiscrepancy().x = 5.0;
    ZupResetGlobals();
    EXPECT_FALSE(ZupMetric());
    EXPECT_FLOAT_EQ(ZupFloor::DefaultOpeningWidth(), 32.0f);
    EXPECT_EQ(ZupFloor::mpCurAddition, nullptr);
    EXPECT_EQ(ZupFloor::GetCurDiscrepancy().x, 0.0);
}

TEST_F(ZupFloorTest, InitialStateAndAccessors)
{
    static_assert(!std::is_copy_constructible_v<ZupFloor>);
    static_assert(!std::is_copy_assignable_v<ZupFloor>);
    ZupFloor floor;
    EXPECT_EQ(floor.GetColinearDiscoveryMode(), ZUP_DETECT_SHARED);
    EXPECT_EQ(floor.GetAlignmentDiscoveryMode(), ZUP_DETECT_ALL);
    EXPECT_EQ(floor.GetParallelDiscoveryMode(), ZUP_DETECT_OFF);
    EXPECT_EQ(floor.GetTangentDiscoveryMode(), ZUP_DETECT_ALL);
    EXPECT_EQ(floor.GetMinX(), 0.0);
    EXPECT_EQ(floor.GetMinY(), 0.0);
    EXPECT_EQ(floor.GetMaxX(), 100.0);
    EXPECT_EQ(floor.GetMaxY(), 100.0);
    EXPECT_EQ(floor.GetName(), nullptr);
    floor.SetName("Kitchen");
    EXPECT_STREQ(floor.GetName(), "Kitchen");
    floor.SetName("");
    EXPECT_EQ(floor.GetName(), nullptr);
    EXPECT_FLOAT_EQ(floor.GetScale(), 1.0f);
    EXPECT_TRUE(floor.IsResolvable());
    EXPECT_EQ(floor.GetOuterShell(), nullptr);
    EXPECT_EQ(floor.GetNumOfOpenings(), 0);
    EXPECT_EQ(floor.Get1stOpening(), nullptr);
    EXPECT_EQ(floor.GetNextOpening(), nullptr);
    EXPECT_EQ(floor.GetRoomObject(0), nullptr);
    EXPECT_FALSE(floor.GetIntersectControl());
    floor.SetIntersectControl(true);
    EXPECT_TRUE(floor.GetIntersectControl());
    int x = -1, y = -1;
    floor.SetPan(3, 4);
    floor.GetPan(x, y);
    EXPECT_EQ(x, 3);
    EXPECT_EQ(y, 4);
}

TEST_F(ZupFloorTest, ModifyExtentsSetsWithOneNodeAndGrowsWithMore)
{
    ZupFloor floor;
    Node(floor, 250.0, 300.0);  // notifies: one node sets the extents to it
    EXPECT_EQ(floor.GetMinX(), 250.0);
    EXPECT_EQ(floor.GetMaxX(), 250.0);
    EXPECT_EQ(floor.GetMinY(), 300.0);
    EXPECT_EQ(floor.GetMaxY(), 300.0);
    Node(floor, 400.0, 200.0);
    EXPECT_EQ(floor.GetMinX(), 250.0);
    EXPECT_EQ(floor.GetMaxX(), 400.0);
    EXPECT_EQ(floor.GetMinY(), 200.0);
    EXPECT_EQ(floor.GetMaxY(), 300.0);
    floor.ModifyExtents(300.0, 250.0);  // inside: nothing changes
    double minX, minY, maxX, maxY;
    floor.GetExtents(&minX, &minY, &maxX, &maxY);
    EXPECT_EQ(minX, 250.0);
    EXPECT_EQ(minY, 200.0);
    EXPECT_EQ(maxX, 400.0);
    EXPECT_EQ(maxY, 300.0);
}

TEST_F(ZupFloorTest, ErrorDissipationComparesTheDiscrepancyWithTheInputSnap)
{
    ZupMetric() = true;
    ZupFloor floor;
    ZupFloor::GetCurDiscrepancy() = G_POINT{20.0, 10.0};
    EXPECT_TRUE(floor.NeedHorErrorDissipation());
    EXPECT_FALSE(floor.NeedVertErrorDissipation());
}

TEST_F(ZupFloorTest, CreateSegmentMakesFreeWalls)
{
    ZupFloor floor;
    floor.DefaultWallThickness() = 4.5f;
    const KorHandle a = floor.CreateNode(0.0, 0.0, nullptr);
    const KorHandle b = floor.CreateNode(200.0, 0.0, nullptr);
    ASSERT_NE(a, 0u);
    EXPECT_NE(dynamic_cast<ZupNode*>(floor.GetNodes()[0]), nullptr);
    const KorHandle s = floor.CreateSegment(a, b);
    ASSERT_NE(s, 0u);
    ZupEdge* wall = ZupFloor::CastToEdge(floor.GetPrimitives()[0]);
    ASSERT_NE(wall, nullptr);
    EXPECT_EQ(wall->GetType(), ZUP_EDGE_FREE);
    EXPECT_EQ(wall->GetFloor(), &floor);
    EXPECT_FLOAT_EQ(wall->WallThickness(), 4.5f);
}

TEST_F(ZupFloorTest, CreateSegmentAndArcRefuseBadHandles)
{
    ZupFloor floor;
    const KorHandle a = floor.CreateNode(0.0, 0.0, nullptr);
    EXPECT_EQ(floor.CreateSegment(a, 999), 0u);
    EXPECT_EQ(floor.GetError(), KOR_ERR_NODES);
    ZupFloor other;
    const KorHandle c = other.CreateNode(0.0, 0.0, nullptr);
    const KorHandle s = other.CreateNode(100.0, 0.0, nullptr);
    EXPECT_EQ(other.CreateArc(c, c, s), 0u);
    EXPECT_EQ(other.GetError(), KOR_ERR_NODES);
    EXPECT_EQ(other.GetNumOfPrimitives(), 0);
}

TEST_F(ZupFloorTest, CreateArcGrowsTheExtentsByTheCircle)
{
    ZupFloor floor;
    const KorHandle c = floor.CreateNode(100.0, 100.0, nullptr);
    const KorHandle s = floor.CreateNode(150.0, 100.0, nullptr);
    const KorHandle e = floor.CreateNode(100.0, 150.0, nullptr);
    ASSERT_NE(floor.CreateArc(c, s, e), 0u);
    EXPECT_NE(dynamic_cast<ZupArc*>(floor.GetPrimitives()[0]), nullptr);
    EXPECT_DOUBLE_EQ(floor.GetMinX(), 50.0);
    EXPECT_DOUBLE_EQ(floor.GetMinY(), 50.0);
    EXPECT_DOUBLE_EQ(floor.GetMaxX(), 150.0);
    EXPECT_DOUBLE_EQ(floor.GetMaxY(), 150.0);
}

TEST_F(ZupFloorTest, ClearKeepsNameModesAndSnaps)
{
    ZupMetric() = true;
    ZupFloor floor;
    floor.SetName("Hall");
    floor.SetColinearDiscoveryMode(ZUP_DETECT_ALL);
    floor.DefaultWallThickness() = 3.0f;
    floor.SetScale(2.0f);
    ZupNode* a = Node(floor, 0.0, 0.0);
    ZupNode* b = Node(floor, 300.0, 0.0);
    Wall(floor, a, b);
    floor.ModifyExtents(500.0, 500.0);
    floor.Clear();
    EXPECT_EQ(floor.GetNumOfNodes(), 0);
    EXPECT_EQ(floor.GetNumOfPrimitives(), 0);
    EXPECT_EQ(floor.GetNumOfPartitions(), 0);
    EXPECT_EQ(floor.GetMaxX(), 100.0);
    EXPECT_EQ(floor.GetMinX(), 0.0);
    EXPECT_FLOAT_EQ(floor.GetScale(), 1.0f);
    EXPECT_STREQ(floor.GetName(), "Hall");
    EXPECT_EQ(floor.GetColinearDiscoveryMode(), ZUP_DETECT_ALL);
    EXPECT_FLOAT_EQ(floor.InputSnap(), 14.95f);
    EXPECT_FLOAT_EQ(floor.DefaultWallThickness(), 3.0f);
}

}  // namespace
