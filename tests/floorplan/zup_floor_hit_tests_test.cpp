// What a floor finds under the pen: walls and nodes at a point, the closest
// wall and node, and the walks over walls and rooms.
#include <memory>

#include "zup_metric_floor_fixture.h"
#include "zup_partition.h"

using ZupHitTest = ZupMetricFloorTest;

TEST_F(ZupHitTest, CoincidentNodesCycleFirstSecondFirst)
{
    ZupNode* first = Node(*floor, 100, 100);
    ZupNode* second = Node(*floor, 100, 100);
    Node(*floor, 300, 300);
    EXPECT_EQ(floor->GetNode(100, 100, false), first);
    EXPECT_EQ(floor->GetNode(100, 100, false), second);
    EXPECT_EQ(floor->GetNode(100, 100, false), first);
}

TEST_F(ZupHitTest, NodeMatchesWithinTheInputSnapOnBothAxes)
{
    ZupNode* a = Node(*floor, 0, 0);
    ZupNode* b = Node(*floor, 200, 0);
    Wall(*floor, a, b);
    ZupNode* loose = Node(*floor, 500, 500);
    EXPECT_EQ(floor->GetNode(14, -14, true), a);
    EXPECT_EQ(floor->GetNode(15, 0, true), nullptr);  // beyond 14.95 on x
    EXPECT_EQ(floor->GetNode(500, 500, true), nullptr);  // no walls
    EXPECT_EQ(floor->GetNode(500, 500, false), loose);
}

TEST_F(ZupHitTest, NodeCursorSurvivesTheDeletionOfItsNode)
{
    ZupNode* first = Node(*floor, 10, 10);
    ZupNode* second = Node(*floor, 10, 10);
    EXPECT_EQ(floor->GetNode(10, 10, false), first);
    EXPECT_EQ(floor->GetNode(10, 10, false), second);
    KorModel& model = *floor;
    ASSERT_TRUE(model.RemoveObject(model.GetHandle(second)));
    EXPECT_EQ(floor->GetNode(10, 10, false), first);
    EXPECT_EQ(floor->GetNode(10, 10, false), first);
}

TEST_F(ZupHitTest, EdgeWithinTheInputSnapOnly)
{
    ZupSegment* wall = Wall(*floor, Node(*floor, 0, 0), Node(*floor, 400, 0));
    struct Case {
        double y;
        bool hit;
    };
    for (const Case& c : {Case{14.0, true}, Case{14.95, false}, Case{-14.0, true}, Case{0, true},
                          Case{20.0, false}}) {
        ZupEdge* found = floor->GetEdge(200, c.y);
        EXPECT_EQ(found, c.hit ? static_cast<ZupEdge*>(wall) : nullptr) << "y = " << c.y;
    }
}

TEST_F(ZupHitTest, ClosestEdgeFirstWallWinsTies)
{
    ZupSegment* low = Wall(*floor, Node(*floor, 0, 0), Node(*floor, 400, 0));
    ZupSegment* high = Wall(*floor, Node(*floor, 0, 100), Node(*floor, 400, 100));
    point middle(200, 50);
    EXPECT_EQ(floor->GetClosestEdge(middle), static_cast<ZupEdge*>(low));
    point nearHigh(200, 90);
    EXPECT_EQ(floor->GetClosestEdge(nearHigh), static_cast<ZupEdge*>(high));
    ZupFloor empty;
    EXPECT_EQ(empty.GetClosestEdge(middle), nullptr);
    EXPECT_EQ(empty.GetEdge(0, 0), nullptr);
}

TEST_F(ZupHitTest, ClosestNodeWithoutBoundAlwaysFindsOne)
{
    ZupNode* a = Node(*floor, 0, 0);
    ZupNode* b = Node(*floor, 1000, 0);
    point far(5000, 5000);
    EXPECT_EQ(floor->GetClosestNode(far, false, false, 0.0f), b);
    EXPECT_EQ(floor->GetClosestNode(far, false, false, 10.0f), nullptr);
    point nearA(3, 4);
    EXPECT_EQ(floor->GetClosestNode(nearA, false, false, 10.0f), a);
    EXPECT_EQ(floor->GetClosestNode(nearA, false, false, 5.0f), nullptr);  // strictly less
    // Without a bound the first node is the candidate whatever its walls.
    EXPECT_EQ(floor->GetClosestNode(nearA, true, false, 0.0f), a);
    ZupFloor empty;
    EXPECT_EQ(empty.GetClosestNode(nearA, false, false, 0.0f), nullptr);
}

TEST_F(ZupHitTest, ClosestNodeOutsideOnlyNeedsAnOutsideWall)
{
    ZupNode* a = Node(*floor, 0, 0);
    ZupNode* b = Node(*floor, 200, 0);
    Wall(*floor, a, b);
    point p(1, 1);
    EXPECT_EQ(floor->GetClosestNode(p, true, true, 50.0f), nullptr);  // no rooms yet
    EXPECT_EQ(floor->GetClosestNode(p, true, false, 50.0f), a);
}

TEST_F(ZupHitTest, NestedEdgeWalkResumesTheOuterOne)
{
    ZupSegment* w1 = Wall(*floor, Node(*floor, 0, 0), Node(*floor, 100, 0));
    ZupSegment* w2 = Wall(*floor, Node(*floor, 0, 50), Node(*floor, 100, 50));
    ZupSegment* w3 = Wall(*floor, Node(*floor, 0, 90), Node(*floor, 100, 90));
    EXPECT_EQ(floor->Get1stEdge(), static_cast<ZupEdge*>(w1));
    int inner = 0;
    for (ZupEdge* e = floor->Get1stEdge(); e; e = floor->GetNextEdge())
        ++inner;
    EXPECT_EQ(inner, 3);
    EXPECT_EQ(floor->GetNextEdge(), static_cast<ZupEdge*>(w2));
    EXPECT_EQ(floor->GetNextEdge(), static_cast<ZupEdge*>(w3));
    EXPECT_EQ(floor->GetNextEdge(), nullptr);
    EXPECT_EQ(floor->GetNextEdge(), nullptr);  // no walk in progress
}

TEST_F(ZupHitTest, WalksOverAnEmptyFloorFindNothing)
{
    EXPECT_EQ(floor->Get1stEdge(), nullptr);
    EXPECT_EQ(floor->GetNextEdge(), nullptr);
    EXPECT_EQ(floor->Get1stPartition(), nullptr);
    EXPECT_EQ(floor->GetNextPartition(), nullptr);
    point p(0, 0);
    EXPECT_EQ(floor->GetPartition(p), nullptr);
    EXPECT_EQ(floor->GetWall(0, 0), nullptr);
}
