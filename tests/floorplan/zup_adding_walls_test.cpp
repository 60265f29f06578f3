// Walls sketched into a floor: refusals, alignments, smart continuation of
// a tracker, rooms found after each wall, and level snapping.
#include <cmath>
#include <memory>

#include "kor_lin_tracker.h"
#include "kor_parallel.h"
#include "line.h"
#include "zup_metric_floor_fixture.h"
#include "zup_partition.h"
#include "zup_sketch_file.h"

class ZupAddingWallsTest : public ZupMetricFloorTest {
protected:
    static KorLinTracker* LinTracker(ZupEdge* edge)
    {
        return static_cast<KorLinTracker*>(edge->GetTracker());
    }
};

TEST_F(ZupAddingWallsTest, ShortStrokesAreRefused)
{
    EXPECT_FALSE(floor->AddLine(0, 0, 10, 10));
    EXPECT_FALSE(floor->AddLine(0, 0, 14.9, -14.9));
    EXPECT_EQ(floor->GetNumOfPrimitives(), 0);
}

TEST_F(ZupAddingWallsTest, LevelAndPlumbWallsGetTheirAlignment)
{
    ASSERT_TRUE(floor->AddLine(0, 0, 20, 0));
    ZupEdge* level = floor->GetEdge(10, 0);
    ASSERT_NE(level, nullptr);
    EXPECT_EQ(LinTracker(level)->FindAlignment(), KOR_HORIZONTAL);
    ASSERT_TRUE(floor->AddLine(0, 0, 0, 300));
    ZupEdge* plumb = floor->GetEdge(0, 150);
    ASSERT_NE(plumb, nullptr);
    EXPECT_EQ(LinTracker(plumb)->FindAlignment(), KOR_VERTICAL);
    EXPECT_EQ(floor->GetNumOfNodes(), 3);  // the corner is shared
}

TEST_F(ZupAddingWallsTest, RectangleThenSecondRoomOnSharedTrackers)
{
    ASSERT_TRUE(floor->AddLine(0, 0, 200, 0));
    ASSERT_TRUE(floor->AddLine(200, 0, 200, 300));
    ASSERT_TRUE(floor->AddLine(200, 300, 0, 300));
    ASSERT_TRUE(floor->AddLine(0, 300, 0, 0));
    ASSERT_TRUE(floor->MakePartitions(false));
    ASSERT_EQ(floor->GetNumOfPartitions(), 1);
    ASSERT_TRUE(floor->AddLine(200, 0, 400, 0));
    ASSERT_TRUE(floor->AddLine(400, 0, 400, 300));
    ASSERT_TRUE(floor->AddLine(400, 300, 200, 300));
    ZupEdge* left = floor->GetEdge(100, 0);
    ZupEdge* right = floor->GetEdge(300, 0);
    ASSERT_NE(left, nullptr);
    ASSERT_NE(right, nullptr);
    EXPECT_EQ(left->GetTracker(), right->GetTracker());
    EXPECT_EQ(floor->GetNumOfPrimitives(), 7);
    ASSERT_EQ(floor->GetNumOfPartitions(), 2);
    ZupEdge* middle = floor->GetEdge(200, 150);
    ASSERT_NE(middle, nullptr);
    EXPECT_EQ(middle->GetType(), ZUP_EDGE_INNER);
    EXPECT_EQ(middle->GetThickness(), 4);
    for (ZupEdge* e = floor->Get1stEdge(); e; e = floor->GetNextEdge()) {
        if (e != middle) {
            EXPECT_EQ(e->GetType(), ZUP_EDGE_OUTER);
            EXPECT_EQ(e->GetThickness(), 8);
        }
    }
    point a(100, 150);
    point b(300, 150);
    ASSERT_NE(floor->GetPartition(a), nullptr);
    ASSERT_NE(floor->GetPartition(b), nullptr);
    EXPECT_NE(floor->GetPartition(a), floor->GetPartition(b));
}

TEST_F(ZupAddingWallsTest, DanglingWallKeepsOneRoom)
{
    ASSERT_TRUE(floor->AddLine(0, 0, 400, 0));
    ASSERT_TRUE(floor->AddLine(400, 0, 400, 300));
    ASSERT_TRUE(floor->AddLine(400, 300, 0, 300));
    ASSERT_TRUE(floor->AddLine(0, 300, 0, 0));
    ASSERT_TRUE(floor->MakePartitions(false));
    ASSERT_TRUE(floor->AddLine(400, 300, 300, 200));
    EXPECT_EQ(floor->GetNumOfPartitions(), 1);
}

TEST_F(ZupAddingWallsTest, NearlyLevelInputEndsLevelAtTheMeanHeight)
{
    ZupNode* a = Node(*floor, 0, 0);
    ZupNode* b = Node(*floor, 200, 7);
    line drawn(a->GetPoint(), b->GetPoint());
    ASSERT_TRUE(floor->AddLine(a, b, &drawn, nullptr));
    EXPECT_DOUBLE_EQ(a->GetPoint().y(), 3.5);
    EXPECT_DOUBLE_EQ(b->GetPoint().y(), 3.5);
}

TEST_F(ZupAddingWallsTest, SameWallTwiceIsOneWall)
{
    ASSERT_TRUE(floor->AddLine(0, 0, 300, 0));
    ASSERT_TRUE(floor->AddLine(0, 0, 300, 0));
    EXPECT_EQ(floor->GetNumOfPrimitives(), 1);
}

TEST_F(ZupAddingWallsTest, NonFiniteInputIsRefused)
{
    EXPECT_FALSE(floor->AddLine(0, 0, std::nan(""), 100));
    EXPECT_EQ(floor->GetNumOfNodes(), 0);
}

TEST_F(ZupAddingWallsTest, WallThreeDegreesOffATrackerContinuesIt)
{
    ASSERT_TRUE(floor->AddLine(0, 0, 200, 0));
    ASSERT_TRUE(floor->AddLine(0, 0, 0, 200));
    ZupNode* corner = floor->GetNode(0, 0, true);
    ASSERT_NE(corner, nullptr);
    ASSERT_EQ(corner->GetNumOfTrackers(), 2u);
    const double slope = std::tan(3.0 * M_PI / 180.0);
    ZupNode* end = Node(*floor, 300, -300 * slope);
    ZupNode* start = corner;
    line drawn(start->GetPoint(), end->GetPoint());
    ASSERT_TRUE(floor->AddLine(start, end, &drawn, nullptr));
    EXPECT_NEAR(end->GetPoint().y(), 0.0, 1e-9);
    ZupEdge* near = floor->GetEdge(100, 0);
    ZupEdge* far = floor->GetEdge(250, 0);
    ASSERT_NE(near, nullptr);
    ASSERT_NE(far, nullptr);
    EXPECT_EQ(near->GetTracker(), far->GetTracker());
}

TEST_F(ZupAddingWallsTest, RestoresGeoSnapExactly)
{
    const double before = GeoSnap();
    ASSERT_TRUE(floor->AddLine(0, 0, 400, 0));
    ASSERT_TRUE(floor->AddLine(400, 0, 400, 300));
    point p(200, 1);
    floor->GetClosestEdge(p);
    EXPECT_EQ(GeoSnap(), before);
}

TEST_F(ZupAddingWallsTest, CombineEdgesJoinsTwoColinearWalls)
{
    ZupNode* a = Node(*floor, 0, 0);
    ZupNode* m = Node(*floor, 200, 0);
    ZupNode* c = Node(*floor, 400, 0);
    ZupSegment* first = Wall(*floor, a, m);
    ZupSegment* second = Wall(*floor, m, c);
    floor->CombineEdges(m, TrackerOf(first), TrackerOf(second));
    ASSERT_EQ(floor->GetNumOfPrimitives(), 1);
    KorPrimitive* left = floor->GetPrimitive(0);
    EXPECT_EQ(left->GetOtherNode(a), c);
    EXPECT_EQ(floor->GetNumOfNodes(), 2);
}

TEST_F(ZupAddingWallsTest, ValidateNodesDropsTrailingLooseNodesOffTheWalls)
{
    ASSERT_TRUE(floor->AddLine(0, 0, 400, 0));
    Node(*floor, 200, 0.5);  // on the wall: kept
    Node(*floor, 900, 900);  // nowhere: dropped
    const double before = GeoSnap();
    floor->ValidateNodes();
    EXPECT_EQ(GeoSnap(), before);
    EXPECT_EQ(floor->GetNumOfNodes(), 3);
    EXPECT_EQ(floor->GetNode(900, 900, false), nullptr);
    EXPECT_NE(floor->GetNode(200, 0.5, false), nullptr);
}

TEST_F(ZupAddingWallsTest, ArcWallAndItsRefusals)
{
    EXPECT_FALSE(floor->AddArc(0, 0, 0, 0, 100, 0, std::nan(""), 100));
    ASSERT_TRUE(floor->AddArc(0, 0, 0, 0, 100, 0, 0, 100));
    ASSERT_EQ(floor->GetNumOfPrimitives(), 1);
    EXPECT_NE(ZupFloor::CastToEdge(floor->GetPrimitive(0)), nullptr);
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    floor->GetExtents(&minX, &minY, &maxX, &maxY);
    EXPECT_LE(minX, -100.0);
    EXPECT_GE(maxY, 100.0);
}

TEST_F(ZupAddingWallsTest, ArcCrossingAWallSplitsIt)
{
    ASSERT_TRUE(floor->AddLine(-300, 50, 300, 50));
    ASSERT_TRUE(floor->AddArc(0, 0, 0, 0, 200, 0, -200, 0));
    EXPECT_EQ(floor->GetNumOfPrimitives(), 6);  // line and arc in three each
    EXPECT_NE(floor->GetNode(std::sqrt(200.0 * 200.0 - 50.0 * 50.0), 50, true), nullptr);
}

// Parallels further off than three angular input snaps (15.3 degrees) go.
TEST_F(ZupAddingWallsTest, ValidateConstraintsDropsFarOffParallels)
{
    struct Case {
        double rise;  // of the second wall over 200
        bool kept;
    };
    for (const Case& c : {Case{40.0, true}, Case{80.0, false}}) {
        ZupFloor plan;
        ZupSegment* w1 = Wall(plan, Node(plan, 0, 0), Node(plan, 200, 0));
        ZupSegment* w2 = Wall(plan, Node(plan, 0, 100), Node(plan, 200, 100 + c.rise));
        auto* parallel = new KorParallel();
        if (parallel->Create(&plan, TrackerOf(w1), TrackerOf(w2)) == 0) {
            delete parallel;
            FAIL() << "parallel refused";
        }
        const int before = plan.GetNumOfDimensions();
        plan.ValidateConstraints();
        EXPECT_EQ(plan.GetNumOfDimensions(), c.kept ? before : before - 1) << c.rise;
    }
}

// Redrawing the top line along two walls that share a node reuses both: no
// two walls join the same pair of nodes, and the room stays.
TEST_F(ZupAddingWallsTest, RedrawAlongTwoWallsLeavesNoDuplicate)
{
    const zup_test::Sketch sketch = zup_test::ReadSketch("dup6.txt");
    ASSERT_EQ(sketch.size(), 6u);
    EXPECT_TRUE(zup_test::DrawSketch(*floor, sketch));
    EXPECT_EQ(floor->GetNumOfPrimitives(), 5);
    for (int i = 0; i < floor->GetNumOfPrimitives(); ++i)
        for (int j = i + 1; j < floor->GetNumOfPrimitives(); ++j) {
            KorPrimitive* p = floor->GetPrimitive(i);
            KorPrimitive* q = floor->GetPrimitive(j);
            const bool same = (p->GetStart() == q->GetStart() && p->GetEnd() == q->GetEnd()) ||
                              (p->GetStart() == q->GetEnd() && p->GetEnd() == q->GetStart());
            EXPECT_FALSE(same) << "walls " << i << " and " << j;
        }
    ASSERT_EQ(floor->GetNumOfPartitions(), 1);
    EXPECT_NEAR(floor->GetPartition(0)->GetContour().area(), 250.0 * 500.0, 1e-6);
}

// How far the node farthest from every drawn end lies from the nearest one.
static double FarthestFromDrawnEnds(ZupFloor& plan, const std::vector<zup_test::Wall2>& drawn)
{
    double farthest = 0.0;
    for (KorNode* node : plan.GetNodes()) {
        const point& p = node->GetPoint();
        double nearest = 1e300;
        for (const zup_test::Wall2& s : drawn)
            nearest = std::min({nearest, std::hypot(p.x() - s.ax, p.y() - s.ay),
                                std::hypot(p.x() - s.bx, p.y() - s.by)});
        farthest = std::max(farthest, nearest);
    }
    return farthest;
}

// A plan turned 0.4 degrees off plumb: a stroke colinear with an earlier wall
// continues that wall's line without moving its ends off the drawn line, and
// the room keeps the drawn area.
TEST_F(ZupAddingWallsTest, TurnedPlanKeepsItsDrawnLines)
{
    const zup_test::Sketch sketch = zup_test::ReadSketch("rot9.txt");
    ASSERT_EQ(sketch.size(), 9u);
    EXPECT_TRUE(zup_test::DrawSketch(*floor, sketch));
    EXPECT_LT(FarthestFromDrawnEnds(*floor, sketch), GeoSnap());
    ASSERT_EQ(floor->GetNumOfPartitions(), 1);
    EXPECT_NEAR(floor->GetPartition(0)->GetContour().area(), 55000.0, 55000.0 * 1e-6);
}

// Two colinear strokes 0.4 degrees off plumb share one line in either order,
// and their ends stay where they were drawn.
TEST_F(ZupAddingWallsTest, ColinearStrokesOffPlumbShareOneLine)
{
    const zup_test::Wall2 low{0, 0, 2, 300};
    const zup_test::Wall2 high{3, 450, 4, 600};
    for (const auto& [first, second] : {std::pair(low, high), std::pair(high, low)}) {
        ZupFloor plan;
        ASSERT_TRUE(plan.AddLine(first.ax, first.ay, first.bx, first.by));
        ASSERT_TRUE(plan.AddLine(second.ax, second.ay, second.bx, second.by));
        ASSERT_EQ(plan.GetNumOfPrimitives(), 2);
        EXPECT_EQ(plan.GetPrimitive(0)->GetTracker(), plan.GetPrimitive(1)->GetTracker())
            << "first " << first.ay;
        EXPECT_LT(FarthestFromDrawnEnds(plan, {low, high}), GeoSnap());
    }
}
