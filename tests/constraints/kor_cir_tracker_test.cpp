#include <cfloat>
#include <cmath>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "kor_cir_tracker.h"
#include "kor_globals.h"
#include "kor_lin_tracker.h"
#include "kor_model.h"
#include "kor_node.h"
#include "kor_tracker_solution.h"
#include "settings.h"

namespace {

KORStatusType S(int s) { return static_cast<KORStatusType>(s); }

class CirTrackerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        KorResetGlobals();
        mSnap = GeoSnap();
        mDif = GeoDif();
    }
    void TearDown() override
    {
        mLines.clear();
        mCircles.clear();
        GeoSnap() = mSnap;
        GeoDif() = mDif;
        KorResetGlobals();
    }

    KorNode* Node(double x, double y)
    {
        mModel.CreateNode(x, y);
        return mModel.GetNodes().back();
    }
    KorCirTracker* Circle(KorNode* centre, double radius)
    {
        mCircles.push_back(std::make_unique<KorCirTracker>(&mModel, centre, radius));
        return mCircles.back().get();
    }
    static void Rim(KorCirTracker* t, KorNode* n)
    {
        n->AddTracker(t);
        t->AddNode(n);
    }
    KorLinTracker* Line(KorNode* a, KorNode* b)
    {
        mLines.push_back(std::make_unique<KorLinTracker>(&mModel, a, b));
        return mLines.back().get();
    }
    KorLinTracker* Line(KorNode* a)
    {
        mLines.push_back(std::make_unique<KorLinTracker>(&mModel, a));
        return mLines.back().get();
    }

    KorModel mModel;
    std::vector<std::unique_ptr<KorLinTracker>> mLines;
    std::vector<std::unique_ptr<KorCirTracker>> mCircles;
    double mSnap = 0.0;
    double mDif = 0.0;
};

TEST_F(CirTrackerTest, CentreAlignedOnAnEmptyTrackerThenARimNodeFixesIt)
{
    KorNode* c = Node(3, 4);
    KorCirTracker* t = Circle(c, 0.0);
    ASSERT_TRUE(t->Align(c));
    EXPECT_EQ(t->GetStatus(), 4);
    EXPECT_EQ(t->GetCircle().rad(), 0.0);
    EXPECT_EQ(t->GetCircle().center().x(), 3.0);
    KorNode* rim = Node(6, 8);
    ASSERT_TRUE(t->Align(rim));
    EXPECT_EQ(t->GetStatus(), 2);
    EXPECT_NEAR(t->GetCircle().rad(), 5.0, 1e-12);
}

TEST_F(CirTrackerTest, SecondRimNodeAtStatusOneKeepsOrGrowsTheRadius)
{
    struct Case {
        double x;
        double radius;
    };
    // Pivot (5, 0) on a circle of radius 5: a node 6 away keeps 5, one 14
    // away sets half of it.
    const Case cases[] = {{-1.0, 5.0}, {-9.0, 7.0}};
    for (const Case& k : cases) {
        KorNode* c = Node(0, 0);
        KorCirTracker* t = Circle(c, 5.0);
        KorNode* pivot = Node(5, 0);
        ASSERT_TRUE(t->Align(pivot));
        ASSERT_EQ(t->GetStatus(), 1);
        KorNode* second = Node(k.x, 0);
        ASSERT_TRUE(t->Align(second));
        EXPECT_EQ(t->GetStatus(), 5);
        EXPECT_EQ(t->GetClamp(), second);
        EXPECT_NEAR(t->GetCircle().rad(), k.radius, 1e-9) << k.x;
        EXPECT_NEAR(c->x(), t->GetCircle().center().x(), 1e-12);
        EXPECT_NEAR(c->y(), t->GetCircle().center().y(), 1e-12);
    }
}

TEST_F(CirTrackerTest, RadiusChangeAllowsTwoStuckRimNodesNotThree)
{
    KorNode* c = Node(0, 0);
    KorCirTracker* t = Circle(c, 5.0);
    std::vector<KorNode*> rim = {Node(5, 0), Node(0, 5), Node(-5, 0)};
    for (KorNode* n : rim) {
        Rim(t, n);
        Line(n);
        n->SetMovable(false);
    }
    EXPECT_EQ(t->Solve(), nullptr);
    rim[2]->SetMovable(true);
    Line(rim[2]);
    rim[2]->SetMovable(false);
    // Two stuck nodes still leave the radius free when the third can follow;
    // make the third a single-tracker node instead.
    KorNode* loose = Node(0, -5);
    Rim(t, loose);
    t->RemoveNode(rim[2]);
    std::unique_ptr<KorTrackerSolution> s(t->Solve());
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->GetKind(), 9u);
    t->UpdateStatus(S(2), c, false);
    EXPECT_EQ(t->GetStatus(), 4);
    EXPECT_EQ(t->Solve(), nullptr);
    t->AddNode(rim[2]);
}

TEST_F(CirTrackerTest, StatusBookkeepingByNodesAndRadius)
{
    KorNode* c = Node(0, 0);
    KorNode* a = Node(5, 0);
    KorNode* b = Node(0, 5);
    KorCirTracker* t = Circle(c, 5.0);
    t->UpdateStatus(S(2), a, false);
    EXPECT_EQ(t->GetStatus(), 1);
    EXPECT_EQ(t->GetPivot(), a);
    t->UpdateStatus(S(2), b, false);
    EXPECT_EQ(t->GetStatus(), 5);
    t->UpdateStatus(S(0), b, false);
    EXPECT_EQ(t->GetStatus(), 1);
    t->UpdateStatus(S(2), static_cast<KorDimension*>(nullptr), false);
    EXPECT_EQ(t->GetStatus(), 7);
    t->UpdateStatus(S(0), a, false);
    EXPECT_EQ(t->GetStatus(), 6);
    t->UpdateStatus(S(0), static_cast<KorDimension*>(nullptr), false);
    EXPECT_EQ(t->GetStatus(), 0);
}

TEST_F(CirTrackerTest, FitAgainstAnotherCircleNeverLeavesANonPositiveRadius)
{
    struct Case {
        double r;        // this tracker's radius, centre at the origin
        double cx;       // the other circle's centre (cx, 0)
        double rc;       // and radius
        bool ok;
        double expected;
    };
    const Case cases[] = {
        {3.0, 0.0, 2.0, false, 3.0},  // concentric
        {3.0, 4.0, 2.0, true, 3.0},   // crossing: unchanged
        {1.0, 0.5, 5.0, true, 4.5},   // inside the other: touch it from inside
        {1.0, 10.0, 2.0, true, 8.0},  // apart: touch it from outside
        {5.0, 0.5, 1.0, true, 1.5},   // the other inside, our centre inside it
    };
    for (const Case& k : cases) {
        KorCirTracker* t = Circle(Node(0, 0), k.r);
        circle other(point(k.cx, 0.0), k.rc);
        EXPECT_EQ(t->UpdateCircle4Xme(other), k.ok) << k.cx;
        EXPECT_NEAR(t->GetCircle().rad(), k.expected, 1e-12) << k.cx;
    }
}

TEST_F(CirTrackerTest, AttributeOfAnUnknownNodeIsNone)
{
    KorCirTracker* t = Circle(Node(0, 0), 5.0);
    EXPECT_EQ(t->GetAttribute(Node(1, 1), nullptr), KOR_INTERSECTION_NONE);
}

TEST_F(CirTrackerTest, RadiusFollowsTheFirstNode)
{
    KorNode* c = Node(0, 0);
    KorCirTracker* t = Circle(c, 5.0);
    KorNode* n = Node(5, 0);
    Rim(t, n);
    n->x() = 7.0;
    EXPECT_NEAR(t->GetRadius(), 7.0, 1e-12);
    t->Update();
    EXPECT_NEAR(t->GetCircle().rad(), 7.0, 1e-12);
}

// ---- Placement of circles whose radius is free ----

class UnsizedTest : public CirTrackerTest {};

TEST_F(UnsizedTest, CentreInsideTheBandStays)
{
    KorNode* n = Node(0, 0);
    KorNode* c = Node(2, 1);
    KorCirTracker* t = Circle(c, std::hypot(2, 1));
    std::vector<double> minimum(36, 1.0);
    std::vector<double> maximum(36, 10.0);
    t->MoveCenter2Region(n, minimum.data(), maximum.data());
    EXPECT_EQ(c->x(), 2.0);
    EXPECT_EQ(c->y(), 1.0);
}

TEST_F(UnsizedTest, CentreBelowTheBandMovesATenthIn)
{
    KorNode* n = Node(0, 0);
    KorNode* c = Node(0.5, 0.0);
    KorCirTracker* t = Circle(c, 0.5);
    std::vector<double> minimum(36, 1.0);
    std::vector<double> maximum(36, 11.0);
    t->MoveCenter2Region(n, minimum.data(), maximum.data());
    EXPECT_NEAR(c->x(), 2.0, 1e-12);
    EXPECT_NEAR(c->y(), 0.0, 1e-12);
    EXPECT_NEAR(t->GetCircle().rad(), 2.0, 1e-12);
}

TEST_F(UnsizedTest, EmptySectorSendsTheCentreToThePreviousOpenDirection)
{
    const double step = 6.28318530718 / 36;
    KorNode* n = Node(0, 0);
    // The centre lies in sector 11; directions 10 to 12 are closed.
    KorNode* c = Node(3 * std::cos(11.5 * step), 3 * std::sin(11.5 * step));
    KorCirTracker* t = Circle(c, 3.0);
    std::vector<double> minimum(36, 2.0);
    std::vector<double> maximum(36, DBL_MAX);
    for (int i : {10, 11, 12})
        minimum[i] = DBL_MAX;
    t->MoveCenter2Region(n, minimum.data(), maximum.data());
    EXPECT_NEAR(c->x(), 2.2 * std::cos(9 * step), 1e-9);
    EXPECT_NEAR(c->y(), 2.2 * std::sin(9 * step), 1e-9);
    EXPECT_NEAR(t->GetCircle().rad(), 2.2, 1e-9);
}

TEST_F(UnsizedTest, FixedRadiusWithThreeHeldNodesIsLeftAlone)
{
    KorNode* c = Node(0, 0);
    KorCirTracker* t = Circle(c, 5.0);
    KorNode* a = Node(5, 0);
    KorNode* b = Node(0, 5);
    KorNode* third = Node(-5, 0);
    for (KorNode* n : {a, b, third})
        Rim(t, n);
    Line(third);
    third->SetMovable(false);
    t->UpdateStatus(S(2), a, false);
    t->UpdateStatus(S(2), b, false);
    ASSERT_EQ(t->GetStatus(), 5);
    t->GetCircle().rad() = 5.0;
    EXPECT_TRUE(t->Update(4.0));
    EXPECT_EQ(t->GetCircle().rad(), 5.0);
    EXPECT_EQ(c->x(), 0.0);
}

TEST_F(UnsizedTest, ChordRangeAgainstALineAbove)
{
    // Circles through (-1, 0) and (1, 0) reach y = 5 from a centre at least
    // 2.4 above the chord, and never from below it.
    KorLinTracker* line = Line(Node(0, 5), Node(10, 5));
    point a(-1, 0);
    point b(1, 0);
    double minimum[2] = {-DBL_MAX, -DBL_MAX};
    double maximum[2] = {DBL_MAX, DBL_MAX};
    ASSERT_TRUE(line->UpdateCenterRegion4XCircle(a, b, minimum, maximum));
    EXPECT_NEAR(minimum[0], 2.4, 1e-9);
    EXPECT_FALSE(minimum[1] < maximum[1]);
}

TEST_F(UnsizedTest, ChordRangeAgainstACircle)
{
    // A circle of radius 1 about (0, 10): circles through (-1, 0) and (1, 0)
    // meet it for centre offsets between (81 - 1) / 18 and (121 - 1) / 22.
    KorCirTracker* other = Circle(Node(0, 10), 1.0);
    point a(-1, 0);
    point b(1, 0);
    double minimum[2] = {-DBL_MAX, -DBL_MAX};
    double maximum[2] = {DBL_MAX, DBL_MAX};
    ASSERT_TRUE(other->UpdateCenterRegion4XCircle(a, b, minimum, maximum));
    EXPECT_NEAR(minimum[0], 80.0 / 18.0, 1e-9);
    EXPECT_NEAR(maximum[0], 120.0 / 22.0, 1e-9);
}

TEST_F(UnsizedTest, TwoHeldNodesMoveTheCentreIntoTheChordRange)
{
    KorNode* c = Node(0, 0);
    KorCirTracker* t = Circle(c, 1.0);
    KorNode* a = Node(-1, 0);
    KorNode* b = Node(1, 0);
    Rim(t, a);
    Rim(t, b);
    t->UpdateStatus(S(2), a, false);
    t->UpdateStatus(S(2), b, false);
    // A third rim node slides on the horizontal line y = 5.
    KorNode* slider = Node(0, 5);
    Rim(t, slider);
    KorLinTracker* rail = Line(slider, Node(10, 5));
    rail->SetMovable(false);
    ASSERT_TRUE(t->Update(0.0));
    const point centre = t->GetCircle().center();
    EXPECT_TRUE(std::isfinite(centre.x()) && std::isfinite(t->GetCircle().rad()));
    EXPECT_NEAR(centre.x(), 0.0, 1e-9);
    EXPECT_GE(centre.y(), 2.4);
    EXPECT_NEAR(c->y(), centre.y(), 1e-12);
    EXPECT_NEAR(t->GetCircle().rad(), std::hypot(1.0, centre.y()), 1e-9);
}

TEST_F(UnsizedTest, ParallelClampLinesGiveNoNaN)
{
    // Fitting a circle through the other centre against a line parallel to
    // the reference would divide by zero: the step fails, the circle stays.
    struct Case {
        double y1;
        double y2;
    };
    const Case cases[] = {{3.0, -5.0}, {3.0, 7.0}};
    for (const Case& k : cases) {
        KorCirTracker* t = Circle(Node(20, 20), 1.0);
        KorCirTracker* other = Circle(Node(0, 0), 1.0);
        std::vector<KorTracker*> lines = {Line(Node(0, k.y1), Node(10, k.y1)),
                                          Line(Node(0, k.y2), Node(10, k.y2))};
        std::vector<KorTracker*> circles = {other};
        EXPECT_FALSE(t->UpdateUnsized1Cir(lines, circles)) << k.y2;
        EXPECT_EQ(t->GetCircle().center().x(), 20.0);
        EXPECT_EQ(t->GetCircle().center().y(), 20.0);
        EXPECT_EQ(t->GetCircle().rad(), 1.0);
    }
}

TEST_F(UnsizedTest, CircleThroughTheOtherCentreTouchesTheFartherLine)
{
    // Reference y = 0 (farthest from the other centre (2, 3) is x = 10).
    KorCirTracker* t = Circle(Node(20, 20), 1.0);
    KorCirTracker* other = Circle(Node(2, 3), 1.0);
    std::vector<KorTracker*> lines = {Line(Node(0, 0), Node(10, 0)), Line(Node(10, 0), Node(10, 10))};
    std::vector<KorTracker*> circles = {other};
    ASSERT_TRUE(t->UpdateUnsized1Cir(lines, circles));
    const circle& c = t->GetCircle();
    EXPECT_NEAR(c.rad(), std::hypot(c.center().x() - 2, c.center().y() - 3), 1e-9);
    EXPECT_NEAR(c.rad(), std::fabs(c.center().y()), 1e-9);
    EXPECT_NEAR(c.center().x(), 5.0, 1e-9);
}

}  // namespace

// ---- The circle laid through a held node and two nodes sliding on it
// (two chords from the held node given at once) ----

// Rim nodes: the held node, the two nodes the chords reach, and a fourth rim
// node that shares a wall with one of them and so follows that wall.
TEST_F(CirTrackerTest, ChordSolutionLeavesTheGivenNodesAndLetsAWallNeighbourFollowItsWall)
{
    KorNode* c = Node(0, 0);
    KorCirTracker* t = Circle(c, 100.0);
    KorNode* held = Node(100, 0);
    KorNode* p = Node(0, 100);
    KorNode* q = Node(-100, 0);
    KorNode* m = Node(0, -100);
    for (KorNode* n : {held, p, q, m})
        Rim(t, n);
    KorLinTracker* wall = Line(m, p);
    KorDF toP(p, t, nullptr);
    KorDF toQ(q, t, nullptr);
    std::unique_ptr<KorTrackerSolution> s(t->Solve(held, &toP, &toQ));
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->GetKind(), KOR_TS_SHIFT);
    ASSERT_EQ(s->GetNumOfFollowers(), 4u);
    // The given nodes are placed by the chords themselves; m slides on its wall.
    EXPECT_EQ(s->GetFollower(0), nullptr);
    EXPECT_EQ(s->GetFollower(1), nullptr);
    EXPECT_EQ(s->GetFollower(2), nullptr);
    EXPECT_EQ(s->GetFollower(3), wall);
}

// A circle about a fixed centre cannot be laid through other nodes.
TEST_F(CirTrackerTest, ChordSolutionRefusedAboutAFixedCentre)
{
    KorNode* c = Node(0, 0);
    KorCirTracker* t = Circle(c, 50.0);
    KorNode* held = Node(50, 0);
    KorNode* p = Node(0, 50);
    KorNode* q = Node(-50, 0);
    for (KorNode* n : {held, p, q})
        Rim(t, n);
    c->SetMovable(false);
    KorDF toP(p, t, nullptr);
    KorDF toQ(q, t, nullptr);
    EXPECT_EQ(t->Solve(held, &toP, &toQ), nullptr);
}

// ---- An unsized circle whose rim nodes slide on two fixed circles ----

namespace {

struct TwoCircleCase {
    double lineY;          // a level line clamping the circle too
    bool replaced;         // whether the circle is laid about the two circles' middle
};

TEST_F(CirTrackerTest, UnsizedCircleBetweenTwoCirclesIsLaidAboutTheirMiddle)
{
    // Circles of radius 10 about (0, 0) and 30 about (100, 0): their middle,
    // moved by half the difference of the radii toward the first, is (60, 0);
    // the circle laid there has radius (100 - 10 + 30) / 2 = 60. A line
    // nearer the middle than half the enclosing span (70) but beyond that
    // radius leaves the circle as it was.
    const TwoCircleCase cases[] = {{5.0, true}, {-40.0, true}, {65.0, false}};
    for (const TwoCircleCase& k : cases) {
        KorCirTracker* t = Circle(Node(50, 200), 20.0);
        std::vector<KorTracker*> circles = {Circle(Node(0, 0), 10.0), Circle(Node(100, 0), 30.0)};
        std::vector<KorTracker*> others = {Line(Node(-50, k.lineY), Node(150, k.lineY))};
        ASSERT_TRUE(t->UpdateUnsized2Cir(others, circles)) << k.lineY;
        const circle& c = t->GetCircle();
        if (k.replaced) {
            EXPECT_NEAR(c.center().x(), 60.0, 1e-9) << k.lineY;
            EXPECT_NEAR(c.center().y(), 0.0, 1e-9) << k.lineY;
            EXPECT_NEAR(c.rad(), 60.0, 1e-9) << k.lineY;
        } else {
            EXPECT_EQ(c.center().x(), 50.0) << k.lineY;
            EXPECT_EQ(c.center().y(), 200.0) << k.lineY;
            EXPECT_EQ(c.rad(), 20.0) << k.lineY;
        }
    }
}

TEST_F(CirTrackerTest, UnsizedCircleNeedsTwoCirclesAndStaysFinite)
{
    KorCirTracker* t = Circle(Node(50, 200), 20.0);
    std::vector<KorTracker*> one = {Circle(Node(0, 0), 10.0)};
    std::vector<KorTracker*> none;
    EXPECT_FALSE(t->UpdateUnsized2Cir(none, one));
    // With no other clamp the centre is only moved into the region between
    // the two circles' centres: the circle stays finite and keeps a size.
    std::vector<KorTracker*> two = {Circle(Node(0, 0), 10.0), Circle(Node(100, 0), 30.0)};
    ASSERT_TRUE(t->UpdateUnsized2Cir(none, two));
    const circle& c = t->GetCircle();
    EXPECT_TRUE(std::isfinite(c.center().x()) && std::isfinite(c.center().y()));
    EXPECT_TRUE(std::isfinite(c.rad()) && c.rad() > 0.0);
}

}  // namespace
