#include <cmath>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "angle.h"
#include "circle.h"
#include "kor_globals.h"
#include "kor_lin_tracker.h"
#include "kor_model.h"
#include "kor_node.h"
#include "kor_tracker_solution.h"
#include "settings.h"

namespace {

class LinTrackerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        KorResetGlobals();
        mSnap = GeoSnap();
        mDif = GeoDif();
    }
    void TearDown() override
    {
        mTrackers.clear();
        GeoSnap() = mSnap;
        GeoDif() = mDif;
        KorResetGlobals();
    }

    KorNode* Node(double x, double y)
    {
        mModel.CreateNode(x, y);
        return mModel.GetNodes().back();
    }
    KorLinTracker* Track(KorNode* a, KorNode* b)
    {
        mTrackers.push_back(std::make_unique<KorLinTracker>(&mModel, a, b));
        return mTrackers.back().get();
    }
    KorLinTracker* Track(KorNode* a, KOREntityType alignment)
    {
        mTrackers.push_back(std::make_unique<KorLinTracker>(&mModel, a, alignment));
        return mTrackers.back().get();
    }

    KorModel mModel;
    std::vector<std::unique_ptr<KorLinTracker>> mTrackers;
    double mSnap = 0.0;
    double mDif = 0.0;
};

KORStatusType S(int s) { return static_cast<KORStatusType>(s); }

TEST_F(LinTrackerTest, HardClampsTurnThenFixAndReleaseInReverse)
{
    KorNode* a = Node(0, 0);
    KorNode* b = Node(10, 0);
    KorLinTracker* t = Track(a, b);
    t->UpdateStatus(S(2), a, false);
    EXPECT_EQ(t->GetStatus(), 1);
    EXPECT_EQ(t->GetPivot(), a);
    EXPECT_FALSE(t->IsFree(a));
    EXPECT_TRUE(t->IsFree(b));
    t->UpdateStatus(S(2), b, false);
    EXPECT_EQ(t->GetStatus(), 2);
    t->UpdateStatus(S(0), b, false);
    EXPECT_EQ(t->GetStatus(), 1);
    EXPECT_EQ(t->GetPivot(), a);
    t->UpdateStatus(S(0), a, false);
    EXPECT_EQ(t->GetStatus(), 0);
    EXPECT_EQ(t->GetPivot(), nullptr);
}

TEST_F(LinTrackerTest, SoftClampHoldsDirectionOnlyUnlessAligned)
{
    KorNode* a = Node(0, 0);
    KorLinTracker* t = Track(a, Node(10, 1));
    t->UpdateStatus(S(2), a, true);
    EXPECT_EQ(t->GetStatus(), 3);
    EXPECT_FALSE(t->IsRotatable());
    EXPECT_FALSE(t->WillBeUnmovable(a));

    KorLinTracker* aligned = Track(Node(0, 5), KOR_HORIZONTAL);
    aligned->UpdateStatus(S(2), aligned->GetNode(0u), true);
    EXPECT_EQ(aligned->GetStatus(), 0);
    EXPECT_TRUE(aligned->WillBeUnmovable(nullptr));
}

TEST_F(LinTrackerTest, DimensionClampsFixATurningTrackerAndReleaseToFree)
{
    KorNode* a = Node(0, 0);
    KorLinTracker* t = Track(a, Node(10, 0));
    t->UpdateStatus(S(2), a, false);
    t->UpdateStatus(S(2), static_cast<KorDimension*>(nullptr), true);
    EXPECT_EQ(t->GetStatus(), 2);
    t->UpdateStatus(S(0), a, false);
    // The dimension clamp left alone is soft: the direction stays held.
    EXPECT_EQ(t->GetStatus(), 3);
    t->UpdateStatus(S(0), static_cast<KorDimension*>(nullptr), true);
    EXPECT_EQ(t->GetStatus(), 0);
}

TEST_F(LinTrackerTest, AlignmentWithinAngularPlay)
{
    mModel.AngularPlay() = angle(0.05, 'r');
    struct Case {
        double slope;
        KOREntityType expected;
    };
    // tan(pi/2 - 0.05) is about 19.98.
    const Case cases[] = {{0.04, KOR_HORIZONTAL}, {-0.049, KOR_HORIZONTAL}, {0.06, KOR_EMPTY},
                          {25.0, KOR_VERTICAL},   {-20.1, KOR_VERTICAL},    {19.9, KOR_EMPTY}};
    KorLinTracker* t = Track(Node(0, 0), Node(1, 1));
    for (const Case& c : cases) {
        t->GetLine() = line(c.slope, 0.0);
        EXPECT_EQ(t->FindAlignment(), c.expected) << c.slope;
    }
}

TEST_F(LinTrackerTest, VerticalDevouredByHorizontalIsRefusedWithError10)
{
    KorLinTracker* h = Track(Node(0, 0), KOR_HORIZONTAL);
    KorLinTracker* v = Track(Node(5, 5), KOR_VERTICAL);
    EXPECT_FALSE(h->Devour(v));
    EXPECT_EQ(mModel.GetError(), 10);
    EXPECT_EQ(h->GetAlignment(), KOR_HORIZONTAL);
    EXPECT_EQ(v->GetNumOfNodes(), 1);
}

TEST_F(LinTrackerTest, DevourTakesTheNodesOfAnotherLine)
{
    KorNode* c = Node(20, 0);
    KorLinTracker* a = Track(Node(0, 0), Node(10, 0));
    mTrackers.push_back(std::make_unique<KorLinTracker>(&mModel, c));
    KorLinTracker* b = mTrackers.back().release();
    mTrackers.pop_back();
    ASSERT_TRUE(a->Devour(b));
    EXPECT_EQ(a->GetNumOfNodes(), 3);
    EXPECT_TRUE(c->BelongTo(a));
    EXPECT_EQ(c->GetNumOfTrackers(), 1u);
}

TEST_F(LinTrackerTest, SetAlignmentConflictReportsError9)
{
    KorLinTracker* t = Track(Node(0, 0), KOR_VERTICAL);
    EXPECT_TRUE(t->SetAlignment(KOR_EMPTY));
    EXPECT_TRUE(t->SetAlignment(KOR_VERTICAL));
    EXPECT_FALSE(t->SetAlignment(KOR_HORIZONTAL));
    EXPECT_EQ(mModel.GetError(), 9);
}

TEST_F(LinTrackerTest, PerpendicularAcrossTheSignOfTheAngle)
{
    // Default play 0.05 degree; 90.03 degrees reads as -89.97 from Geo.
    KorLinTracker* base = Track(Node(0, 0), Node(10, 0));
    KorLinTracker* other = Track(Node(0, 1), Node(1, 2));
    struct Case {
        double degrees;
        bool perpendicular;
    };
    const Case cases[] = {{90.0, true}, {90.03, true}, {89.97, true}, {90.1, false}, {45.0, false}};
    for (const Case& c : cases) {
        other->GetLine() = line(std::tan(c.degrees * 3.14159265358979323846 / 180.0), 0.0);
        EXPECT_EQ(base->IsGeoPerpendicular(other), c.perpendicular) << c.degrees;
    }
}

TEST_F(LinTrackerTest, CoincidentPointsGiveTheMarkedSteepLine)
{
    KorLinTracker* t = Track(Node(3, 4), Node(3, 4));
    EXPECT_EQ(t->GetLine().ltan(), -100001.0);
    EXPECT_EQ(t->GetLine().laxe(), 4.0);
}

TEST_F(LinTrackerTest, AlignOnFreeTrackerKeepsSlopeAndTurnsAboutTheNode)
{
    KorNode* a = Node(0, 0);
    KorLinTracker* t = Track(a, Node(10, 10));
    KorNode* n = Node(0, 5);
    ASSERT_TRUE(t->Align(n));
    EXPECT_EQ(t->GetStatus(), 1);
    EXPECT_EQ(t->GetPivot(), n);
    EXPECT_NEAR(t->GetLine().ltan(), 1.0, 1e-12);
    EXPECT_NEAR(t->GetLine().laxe(), 5.0, 1e-12);
}

TEST_F(LinTrackerTest, UnCollapseMovesTenLinearPlaysAlongTheLine)
{
    KorLinTracker* t = Track(Node(0, 0), Node(10, 0));
    point p(2, 0);
    t->UnCollapse(p, false);
    EXPECT_NEAR(p.x(), 3.0, 1e-9);
    t->UnCollapse(p, true);
    EXPECT_NEAR(p.x(), 2.0, 1e-9);
}

TEST_F(LinTrackerTest, VirtualRaySidesAndReflection)
{
    KorNode* r = Node(0, 0);
    KorNode* ref = Node(5, 0);
    KorNode* behind = Node(-5, 0);
    KorLinTracker* t = Track(r, ref);
    t->GetLine() = line(0.0, 0.0);
    t->AddNode(behind);
    t->SetupVirtualRays(r, ref, true);
    EXPECT_TRUE(t->GetNorthEast(ref));
    EXPECT_FALSE(t->GetNorthEast(behind));
    EXPECT_FALSE(t->GetNorthEast(r));
    t->RemoveNode(behind);
}

TEST_F(LinTrackerTest, CircleThroughAPointTangentToAParallelLineFailsCleanly)
{
    KorLinTracker* t = Track(Node(0, 0), Node(10, 0));
    line reference(0.0, 5.0);
    point p(1, 2);
    circle c(point(7, 7), 3.0);
    EXPECT_FALSE(t->UpdateCircle4Xme(p, &reference, c));
    EXPECT_EQ(c.center().x(), 7.0);
    EXPECT_EQ(c.rad(), 3.0);
}

TEST_F(LinTrackerTest, CircleThroughAPointTangentToThisLine)
{
    // The reference is the x axis; this tracker is x + y = 20.
    KorLinTracker* t = Track(Node(10, 10), Node(20, 0));
    line reference(0.0, 0.0);
    point p(4, 6);
    circle c;
    ASSERT_TRUE(t->UpdateCircle4Xme(p, &reference, c));
    const point centre = c.center();
    EXPECT_NEAR(centre.x(), 4.0, 1e-9);
    EXPECT_NEAR(c.rad(), std::hypot(centre.x() - 4, centre.y() - 6), 1e-9);
    EXPECT_NEAR(c.rad(), std::fabs(centre.x() + centre.y() - 20) / std::sqrt(2.0), 1e-9);
}

TEST_F(LinTrackerTest, PolarRegionAgainstAHorizontalLine)
{
    // Node at the origin, line y = 2: straight up the circle needs a radius
    // of 1; straight down no circle through the node reaches the line.
    KorLinTracker* t = Track(Node(0, 2), Node(10, 2));
    KorNode* n = Node(0, 0);
    std::vector<double> minimum(36, 0.0);
    std::vector<double> maximum(36, 1.7976931348623157e308);
    ASSERT_TRUE(t->UpdateCenterRegion4XCircle(n, minimum.data(), maximum.data(), 36));
    EXPECT_NEAR(minimum[9], 1.0, 1e-9);
    EXPECT_FALSE(minimum[27] < maximum[27]);
    EXPECT_NEAR(minimum[0], 2.0, 1e-9);
}

TEST_F(LinTrackerTest, TurnAboutAHeldNodeOnlyWhenRotatable)
{
    KorNode* a = Node(0, 0);
    KorNode* b = Node(10, 0);
    KorLinTracker* t = Track(a, b);
    std::unique_ptr<KorTrackerSolution> s(t->Solve(a, static_cast<KorTracker*>(nullptr),
                                                   static_cast<KorNode*>(nullptr)));
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->GetKind(), 1u);
    ASSERT_EQ(s->GetNumOfFollowers(), 2u);
    EXPECT_EQ(s->GetFollower(0), nullptr);
    EXPECT_EQ(s->GetFollower(1), nullptr);

    KorLinTracker* aligned = Track(Node(0, 3), KOR_HORIZONTAL);
    EXPECT_EQ(aligned->Solve(aligned->GetNode(0u), static_cast<KorTracker*>(nullptr),
                             static_cast<KorNode*>(nullptr)),
              nullptr);
}

TEST_F(LinTrackerTest, AFixedSecondNodeBlocksATurnAboutTheHeldNode)
{
    // Turning about a would carry the fixed node b off the line.
    KorNode* a = Node(0, 0);
    KorNode* b = Node(10, 0);
    b->SetMovable(false);
    KorLinTracker* t = Track(a, b);
    Track(b, Node(10, 5));  // b's other wall
    std::unique_ptr<KorTrackerSolution> held(
        t->Solve(a, static_cast<KorTracker*>(nullptr), static_cast<KorNode*>(nullptr)));
    EXPECT_EQ(held, nullptr);
    // Without a held node the fixed node itself holds the turn.
    std::unique_ptr<KorTrackerSolution> s(t->Solve(static_cast<KorNode*>(nullptr),
                                                   static_cast<KorTracker*>(nullptr),
                                                   static_cast<KorNode*>(nullptr)));
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->GetNode(), b);
}

TEST_F(LinTrackerTest, AForgottenNodeLeavesTheSideFlagsAndTheRay)
{
    KorNode* a = Node(0, 0);
    KorNode* b = Node(10, 0);
    KorLinTracker* t = Track(a, b);
    t->SetupVirtualRays(a, b, true);
    ASSERT_TRUE(t->GetNorthEast(b));
    t->ForgetNode(b);
    EXPECT_FALSE(t->GetNorthEast(b));
    t->ForgetNode(a);
    EXPECT_EQ(t->GetRay(), nullptr);
}

TEST_F(LinTrackerTest, ShiftTurnsAboutANodeThatCannotFollow)
{
    // b also lies on a second line and cannot move: the shift becomes a turn
    // about b when turning is allowed, and fails otherwise.
    KorNode* a = Node(0, 0);
    KorNode* b = Node(10, 0);
    KorLinTracker* t = Track(a, b);
    Track(b, Node(10, 10));
    b->SetMovable(false);
    std::unique_ptr<KorTrackerSolution> turn(t->Solve(static_cast<KorTracker*>(nullptr), nullptr, true));
    ASSERT_NE(turn, nullptr);
    EXPECT_EQ(turn->GetKind(), 1u);
    EXPECT_EQ(t->GetPivot(), b);
    EXPECT_EQ(t->Solve(static_cast<KorTracker*>(nullptr), nullptr, false), nullptr);
}

TEST_F(LinTrackerTest, AdjustOfATwoNodeTrackerTakesBothNodes)
{
    KorNode* a = Node(0, 0);
    KorNode* b = Node(10, 0);
    KorLinTracker* t = Track(a, b);
    b->y() = 10.0;
    ASSERT_TRUE(t->Adjust(b));
    EXPECT_NEAR(t->GetLine().ltan(), 1.0, 1e-12);
    EXPECT_NEAR(t->GetLine().laxe(), 0.0, 1e-12);
    t->SetStatus(static_cast<KORStatusType>(2));
    b->y() = 20.0;
    EXPECT_FALSE(t->Adjust(b));
}

}  // namespace
