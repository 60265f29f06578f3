// Discovery of alignments, colinears, parallels and tangents between walls,
// change tracking, the floor's extra rules and its resolve and drag.
#include <cmath>
#include <vector>

#include "kor_cir_tracker.h"
#include "kor_constraint.h"
#include "kor_dimension.h"
#include "zup_edge.h"
#include "zup_fixture.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

point Polar(double cx, double cy, double r, double degrees)
{
    const double a = degrees * kPi / 180.0;
    return point(cx + r * std::cos(a), cy + r * std::sin(a));
}

}  // namespace

class ZupDiscoveryTest : public ZupTest {
protected:
    // A rectangle sketched by hand: every wall a few units off level or plumb.
    void SketchRectangle()
    {
        corners = {Node(floor, 0, 0), Node(floor, 400, 3), Node(floor, 402, 300),
                   Node(floor, 1, 298)};
        for (int i = 0; i < 4; ++i)
            walls.push_back(Wall(floor, corners[i], corners[(i + 1) % 4]));
    }
    // The rectangle traced while its corner 1 is reported moved and resolved.
    void TraceChangeOfCorner1()
    {
        SketchRectangle();
        floor.SetTraceChanges(true);
        floor.AddChangedNode(corners[1]);
        ASSERT_TRUE(floor.Resolve());
    }
    // The rectangle with its relations found and resolved.
    void AlignedRectangle()
    {
        SketchRectangle();
        floor.FindConstraints();
        ASSERT_TRUE(floor.Resolve());
    }
    ZupArc* Arc(double cx, double cy, const point& start, const point& end)
    {
        ZupNode* c = Node(floor, cx, cy);
        ZupNode* s = Node(floor, start.x(), start.y());
        ZupNode* e = Node(floor, end.x(), end.y());
        auto* wall = new ZupArc(ZUP_EDGE_FREE);
        EXPECT_NE(wall->Create(&floor, c, s, e, nullptr), 0u);
        return wall;
    }
    int CountDimensions(KOREntityType type)
    {
        int n = 0;
        for (KorDimension* d : floor.GetDimensions())
            n += d->GetType() == type;
        return n;
    }
    int CountConstraints(KOREntityType type)
    {
        int n = 0;
        for (KorConstraint* c : floor.GetConstraints())
            n += c->GetType() == type;
        return n;
    }

    ZupFloor floor;
    std::vector<ZupNode*> corners;
    std::vector<ZupSegment*> walls;
};

TEST_F(ZupDiscoveryTest, SketchedRectangleGetsItsFourAlignmentsAndResolvesSquare)
{
    SketchRectangle();
    EXPECT_EQ(floor.FindAlignments(), 4);
    EXPECT_FALSE(floor.IsModified());
    EXPECT_EQ(CountConstraints(KOR_HORIZONTAL), 2);
    EXPECT_EQ(CountConstraints(KOR_VERTICAL), 2);
    ASSERT_TRUE(floor.Resolve());
    EXPECT_EQ(TrackerOf(walls[0])->GetAlignment(), KOR_HORIZONTAL);
    EXPECT_EQ(TrackerOf(walls[1])->GetAlignment(), KOR_VERTICAL);
    for (int i = 0; i < 4; ++i) {
        const point& a = corners[i]->GetPoint();
        const point& b = corners[(i + 1) % 4]->GetPoint();
        if (i % 2 == 0)
            EXPECT_NEAR(a.y(), b.y(), 1e-6) << "wall " << i;
        else
            EXPECT_NEAR(a.x(), b.x(), 1e-6) << "wall " << i;
    }
    // Found again, nothing new: every tracker is aligned already.
    EXPECT_EQ(floor.FindAlignments(), 0);
}

TEST_F(ZupDiscoveryTest, FindConstraintsWithDefaultModesAlignsButMakesNoParallels)
{
    SketchRectangle();
    floor.FindConstraints();
    EXPECT_EQ(CountConstraints(KOR_HORIZONTAL) + CountConstraints(KOR_VERTICAL), 4);
    EXPECT_EQ(CountDimensions(KOR_PARALLEL), 0);
    // Run again: the old relations are removed first, not doubled.
    floor.FindConstraints();
    EXPECT_EQ(floor.GetConstraints().size(), 4u);
}

// A wall 3 degrees off vertical and one 3 degrees off horizontal, by mode.
TEST_F(ZupDiscoveryTest, AlignmentModeChoosesWhichWallsAreAligned)
{
    struct Case {
        ZupConstraintDetection mode;
        short count;
        KOREntityType plumb;
        KOREntityType level;
    };
    const Case cases[] = {
        {ZUP_DETECT_ALL, 2, KOR_VERTICAL, KOR_HORIZONTAL},
        {ZUP_DETECT_OFF, 0, KOR_EMPTY, KOR_EMPTY},
        {ZUP_DETECT_SHARED, 0, KOR_EMPTY, KOR_EMPTY},
        {ZUP_DETECT_VERTICAL, 1, KOR_VERTICAL, KOR_EMPTY},
        {ZUP_DETECT_HORIZONTAL, 1, KOR_EMPTY, KOR_HORIZONTAL},
    };
    for (const Case& c : cases) {
        ZupFloor f;
        const point up = Polar(0, 0, 300, 87.0);
        const point side = Polar(1000, 0, 300, 3.0);
        ZupSegment* plumb = Wall(f, Node(f, 0, 0), Node(f, up.x(), up.y()));
        ZupSegment* level = Wall(f, Node(f, 1000, 0), Node(f, side.x(), side.y()));
        f.SetAlignmentDiscoveryMode(c.mode);
        EXPECT_EQ(f.FindAlignments(), c.count) << "mode " << c.mode;
        EXPECT_EQ(TrackerOf(plumb)->GetAlignment(), c.plumb) << "mode " << c.mode;
        EXPECT_EQ(TrackerOf(level)->GetAlignment(), c.level) << "mode " << c.mode;
    }
}

TEST_F(ZupDiscoveryTest, WallsBeyondTheAngularInputSnapStayUnaligned)
{
    const point up = Polar(0, 0, 300, 84.0);  // 6 degrees off plumb
    ZupSegment* wall = Wall(floor, Node(floor, 0, 0), Node(floor, up.x(), up.y()));
    EXPECT_EQ(floor.FindAlignments(), 0);
    EXPECT_EQ(TrackerOf(wall)->GetAlignment(), KOR_EMPTY);
}

TEST_F(ZupDiscoveryTest, DiscoveryRestoresTheExactPlays)
{
    SketchRectangle();
    floor.AngularPlay() = angle(0.0123456789);
    floor.LinearPlay() = 0.123456789123;
    const double angular = floor.AngularPlay().rad();
    floor.FindAlignments();
    floor.SetColinearDiscoveryMode(ZUP_DETECT_ALL);
    floor.FindColinears();
    EXPECT_EQ(floor.AngularPlay().rad(), angular);
    EXPECT_EQ(floor.LinearPlay(), 0.123456789123);
}

// Two walls along one line that do not touch.
TEST_F(ZupDiscoveryTest, ColinearModeDecidesAboutWallsThatDoNotTouch)
{
    struct Case {
        ZupConstraintDetection mode;
        int colinears;
    };
    for (const Case c : {Case{ZUP_DETECT_ALL, 1}, Case{ZUP_DETECT_SHARED, 0}}) {
        ZupFloor f;
        ZupSegment* a = Wall(f, Node(f, 0, 0), Node(f, 100, 0));
        ZupSegment* b = Wall(f, Node(f, 200, 5), Node(f, 300, 5));  // within the input snap
        ASSERT_NE(TrackerOf(a), TrackerOf(b));
        f.SetColinearDiscoveryMode(c.mode);
        f.FindColinears();
        int n = 0;
        for (KorConstraint* k : f.GetConstraints())
            n += k->GetType() == KOR_COLINEAR;
        EXPECT_EQ(n, c.colinears) << "mode " << c.mode;
        EXPECT_EQ(TrackerOf(a) == TrackerOf(b), c.colinears == 1) << "mode " << c.mode;
    }
}

TEST_F(ZupDiscoveryTest, NeighboursThatShareANodeBecomeColinearInTheDefaultMode)
{
    ZupNode* m = Node(floor, 100, 0);
    ZupSegment* a = Wall(floor, Node(floor, 0, 0), m);
    ZupSegment* b = Wall(floor, m, Node(floor, 200, 0.05));
    ASSERT_NE(TrackerOf(a), TrackerOf(b));
    floor.FindColinears();
    EXPECT_EQ(CountConstraints(KOR_COLINEAR), 1);
    EXPECT_EQ(TrackerOf(a), TrackerOf(b));
}

TEST_F(ZupDiscoveryTest, ParallelWallsGetOneParallelAndAlignedOnesNone)
{
    const point u = Polar(0, 0, 300, 30.0);
    Wall(floor, Node(floor, 0, 0), Node(floor, u.x(), u.y()));
    Wall(floor, Node(floor, 0, 200), Node(floor, u.x(), 200 + u.y()));
    Wall(floor, Node(floor, 500, 0), Node(floor, 500, 300));
    Wall(floor, Node(floor, 600, 0), Node(floor, 600, 300));
    floor.FindAlignments();  // the two plumb walls
    floor.FindParallels();
    EXPECT_EQ(CountDimensions(KOR_PARALLEL), 1);
    floor.FindParallels();  // already tied
    EXPECT_EQ(CountDimensions(KOR_PARALLEL), 1);
}

TEST_F(ZupDiscoveryTest, RemoveConstraintsLeavesOnlyOtherDimensions)
{
    const point u = Polar(0, 0, 300, 30.0);
    Wall(floor, Node(floor, 0, 0), Node(floor, u.x(), u.y()));
    Wall(floor, Node(floor, 0, 200), Node(floor, u.x(), 200 + u.y()));
    SketchRectangle();
    floor.FindAlignments();
    floor.FindParallels();
    ASSERT_GT(floor.GetConstraints().size(), 0u);
    ASSERT_EQ(CountDimensions(KOR_PARALLEL), 1);
    floor.RemoveConstraints();
    EXPECT_TRUE(floor.GetConstraints().empty());
    EXPECT_EQ(CountDimensions(KOR_PARALLEL), 0);
}

TEST_F(ZupDiscoveryTest, RemoveAlignmentsKeepsColinearsAndClearsModified)
{
    ZupNode* m = Node(floor, 100, 0);
    Wall(floor, Node(floor, 0, 0), m);
    Wall(floor, m, Node(floor, 200, 0.05));
    floor.FindColinears();
    Wall(floor, Node(floor, 500, 0), Node(floor, 500, 300));
    floor.FindAlignments();
    ASSERT_EQ(CountConstraints(KOR_COLINEAR), 1);
    ASSERT_GT(CountConstraints(KOR_HORIZONTAL) + CountConstraints(KOR_VERTICAL), 0);
    floor.SetModified(true);
    floor.RemoveAlignments();
    EXPECT_EQ(CountConstraints(KOR_HORIZONTAL) + CountConstraints(KOR_VERTICAL), 0);
    EXPECT_EQ(CountConstraints(KOR_COLINEAR), 1);
    EXPECT_FALSE(floor.IsModified());
}

// Radii 10 and 4, centres 6.0 apart: internal tangency, each arc spanning the
// direction toward the other's centre.
TEST_F(ZupDiscoveryTest, InternallyTouchingArcsGetATangencyInModeZeroOnly)
{
    for (const ZupConstraintDetection mode : {ZUP_DETECT_ALL, ZUP_DETECT_SHARED}) {
        ZupFloor f;
        auto make = [&f](double cx, double cy, const point& s, const point& e) {
            auto* wall = new ZupArc(ZUP_EDGE_FREE);
            EXPECT_NE(wall->Create(&f, Node(f, cx, cy), Node(f, s.x(), s.y()),
                                   Node(f, e.x(), e.y()), nullptr),
                      0u);
        };
        make(0, 0, Polar(0, 0, 10, -90), Polar(0, 0, 10, 90));
        make(6, 0, Polar(6, 0, 4, 90), Polar(6, 0, 4, 270));
        f.SetTangentDiscoveryMode(mode);
        f.FindTangents();
        int n = 0;
        for (KorDimension* d : f.GetDimensions())
            n += d->GetType() == KOR_TANGENT;
        EXPECT_EQ(n, mode == ZUP_DETECT_ALL ? 1 : 0) << "mode " << mode;
    }
}

TEST_F(ZupDiscoveryTest, ArcsFacingAwayFromEachOtherGetNoTangency)
{
    Arc(0, 0, Polar(0, 0, 10, 90), Polar(0, 0, 10, 270));  // spans 180, away from the other
    Arc(6, 0, Polar(6, 0, 4, 90), Polar(6, 0, 4, 270));
    floor.FindTangents();
    EXPECT_EQ(CountDimensions(KOR_TANGENT), 0);
}

// Two arcs of radius 10 whose centres are 12 apart cross each other; neither
// the sum (20) nor the difference (0) of the radii is near 12.
TEST_F(ZupDiscoveryTest, CrossingArcsAreNotMadeTangent)
{
    Arc(0, 0, Polar(0, 0, 10, -90), Polar(0, 0, 10, 90));
    Arc(12, 0, Polar(12, 0, 10, 90), Polar(12, 0, 10, 270));
    floor.FindTangents();
    EXPECT_EQ(CountDimensions(KOR_TANGENT), 0);
}

TEST_F(ZupDiscoveryTest, ArcsTouchingOutsideGetATangency)
{
    Arc(0, 0, Polar(0, 0, 10, -90), Polar(0, 0, 10, 90));
    Arc(25, 0, Polar(25, 0, 10, 90), Polar(25, 0, 10, 270));  // 5 apart, within the snap
    floor.FindTangents();
    EXPECT_EQ(CountDimensions(KOR_TANGENT), 1);
}

TEST_F(ZupDiscoveryTest, StraightWallTouchingACurvedWallGetsATangency)
{
    Arc(0, 0, Polar(0, 0, 100, -90), Polar(0, 0, 100, 90));
    Wall(floor, Node(floor, 104, -50), Node(floor, 104, 50));
    Wall(floor, Node(floor, 300, -50), Node(floor, 300, 50));  // far off
    floor.FindTangents();
    EXPECT_EQ(CountDimensions(KOR_TANGENT), 1);
}

// ---- Change tracking ----

TEST_F(ZupDiscoveryTest, ChangedNodeGivesItsWallsOnceEach)
{
    TraceChangeOfCorner1();
    EXPECT_EQ(floor.GetNumOfChangedPrimitives(), 2);
    std::vector<ZupEdge*> seen;
    for (ZupEdge* e = floor.Get1stChangedEdge(); e; e = floor.GetNextChangedEdge())
        seen.push_back(e);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_NE(seen[0], seen[1]);
    for (ZupEdge* e : seen)
        EXPECT_TRUE(e == walls[0] || e == walls[1]);
    EXPECT_EQ(floor.GetNextChangedEdge(), nullptr);
    floor.SetTraceChanges(false);
    EXPECT_EQ(floor.GetNumOfChangedPrimitives(), 0);
    EXPECT_EQ(floor.Get1stChangedPrimitive(), nullptr);
}

TEST_F(ZupDiscoveryTest, NodesAreNotTracedWhileTracingIsOff)
{
    SketchRectangle();
    floor.AddChangedNode(corners[1]);
    floor.SetTraceChanges(true);
    ASSERT_TRUE(floor.Resolve());
    EXPECT_EQ(floor.GetNumOfChangedPrimitives(), 0);
}

TEST_F(ZupDiscoveryTest, ChangedPrimitiveThatIsNotAWallGivesNoEdge)
{
    const KorHandle centre = floor.CreateNode(0, 0, nullptr);
    const KorHandle rim = floor.CreateNode(10, 0, nullptr);
    const KorHandle circle = floor.CreateCircle(centre, rim);
    ASSERT_NE(circle, 0u);
    floor.SetTraceChanges(true);
    floor.AddChangedNode(static_cast<KorNode*>(floor.GetKorObject(floor.GetEntityName(rim))));
    ASSERT_TRUE(floor.Resolve());
    ASSERT_EQ(floor.GetNumOfChangedPrimitives(), 1);
    EXPECT_NE(floor.Get1stChangedPrimitive(), nullptr);
    EXPECT_EQ(floor.Get1stChangedEdge(), nullptr);
    // Deleted, it leaves the set: no stale entry for later look-ups.
    ASSERT_TRUE(floor.KorModel::RemoveObject(circle));
    EXPECT_EQ(floor.GetNumOfChangedPrimitives(), 0);
    EXPECT_EQ(floor.Get1stChangedPrimitive(), nullptr);
}

TEST_F(ZupDiscoveryTest, DeletedWallLeavesTheChangedSet)
{
    TraceChangeOfCorner1();
    ASSERT_EQ(floor.GetNumOfChangedPrimitives(), 2);
    delete walls[0];
    EXPECT_EQ(floor.GetNumOfChangedPrimitives(), 1);
    EXPECT_EQ(floor.Get1stChangedEdge(), walls[1]);
}

// ---- Solve cycle ----

TEST_F(ZupDiscoveryTest, DragOfACornerKeepsTheRectangleAndUpdatesTheExtents)
{
    AlignedRectangle();
    const KorHandle corner = floor.GetHandle(corners[2]);
    floor.SetDrag(true);
    ASSERT_TRUE(floor.SetNodePosition(corner, 452, 340));
    ASSERT_TRUE(floor.Resolve());
    EXPECT_TRUE(floor.IsInDrag());
    floor.SetDrag(false);
    const point& p1 = corners[1]->GetPoint();
    const point& p2 = corners[2]->GetPoint();
    const point& p3 = corners[3]->GetPoint();
    EXPECT_NEAR(p2.x(), 452.0, 1e-6);  // where the pen left it
    EXPECT_NEAR(p2.y(), 340.0, 1e-6);
    EXPECT_NEAR(p1.x(), p2.x(), 1e-6);
    EXPECT_NEAR(p2.y(), p3.y(), 1e-6);
    EXPECT_NEAR(corners[0]->GetPoint().y(), p1.y(), 1e-6);
    EXPECT_NEAR(corners[0]->GetPoint().x(), p3.x(), 1e-6);
    // Outside a drag, a resolve sets the extents from the nodes.
    ASSERT_TRUE(floor.Resolve());
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    floor.GetExtents(&minX, &minY, &maxX, &maxY);
    EXPECT_NEAR(maxX, p2.x(), 1e-6);
    EXPECT_NEAR(maxY, p2.y(), 1e-6);
}

TEST_F(ZupDiscoveryTest, ResolveInDragLeavesTheExtents)
{
    AlignedRectangle();
    double before[4];
    floor.GetExtents(&before[0], &before[1], &before[2], &before[3]);
    floor.SetDrag(true);
    ASSERT_TRUE(floor.SetNodePosition(floor.GetHandle(corners[2]), 452, 340));
    ASSERT_TRUE(floor.Resolve());
    double during[4];
    floor.GetExtents(&during[0], &during[1], &during[2], &during[3]);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(during[i], before[i]);
    floor.SetDrag(false);
}

// ---- Extra rules ----

TEST_F(ZupDiscoveryTest, SoundWallsNeedNoRule)
{
    SketchRectangle();
    bool more = true;
    KorDimension* named = reinterpret_cast<KorDimension*>(&more);
    EXPECT_TRUE(floor.ResolveRules(&more, &named));
    EXPECT_EQ(named, nullptr);
    EXPECT_TRUE(floor.GetExtraRules().empty());
}

TEST_F(ZupDiscoveryTest, RulePassesEndAfterTen)
{
    SketchRectangle();
    floor.ResolveCounter() = 10;
    bool more = true;
    KorDimension* named = nullptr;
    EXPECT_FALSE(floor.ResolveRules(&more, &named));
    EXPECT_FALSE(more);
}

// A wall shorter than the minimum wall length asks for its rule, which the
// caller is to search (the rules answer false with more); the resolve then
// solves it in its next round, and the linear snap is the exact value it was.
TEST_F(ZupDiscoveryTest, ShortWallHandsItsRuleToTheSearchAndRestoresTheSnapExactly)
{
    ZupSegment* wall = Wall(floor, Node(floor, 0, 0), Node(floor, 2, 0));
    floor.LinearPlay() = 0.987654321987;
    bool more = false;
    KorDimension* named = nullptr;
    EXPECT_FALSE(floor.ResolveRules(&more, &named));
    EXPECT_TRUE(more);
    EXPECT_EQ(floor.ResolveCounter(), 1u);
    EXPECT_EQ(floor.LinearPlay(), 0.987654321987);
    floor.DeleteExtraRules();
    EXPECT_TRUE(floor.Resolve()) << "error " << floor.GetError();
    EXPECT_NEAR(wall->GetLength(), floor.MinWallLength(), 0.01);
    EXPECT_EQ(floor.LinearPlay(), 0.987654321987);
}

TEST_F(ZupDiscoveryTest, EveryWallOfAnAlignedTrackerGetsItsAlignment)
{
    ZupNode* m = Node(floor, 100, 0);
    ZupSegment* a = Wall(floor, Node(floor, 0, 0), m);
    ZupSegment* b = Wall(floor, m, Node(floor, 200, 0.05));
    floor.FindColinears();
    ASSERT_EQ(TrackerOf(a), TrackerOf(b));
    EXPECT_EQ(floor.FindAlignments(), 2);
    EXPECT_EQ(CountConstraints(KOR_HORIZONTAL), 2);
    ASSERT_TRUE(floor.Resolve());
    EXPECT_EQ(TrackerOf(a)->GetAlignment(), KOR_HORIZONTAL);
}
