// The tracker base: membership, status queries, the fixed-node set and the
// solutions that say how its nodes follow it.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "kor_dim_solution.h"
#include "kor_fake_tracker.h"
#include "kor_lin_tracker.h"
#include "kor_node.h"
#include "kor_segment.h"
#include "kor_tracker_solution.h"

namespace {

constexpr KORStatusType kStatus0 = static_cast<KORStatusType>(0);
constexpr KORStatusType kStatus1 = static_cast<KORStatusType>(1);
constexpr KORStatusType kStatus2 = static_cast<KORStatusType>(2);
constexpr KORStatusType kStatus3 = static_cast<KORStatusType>(3);
constexpr KORStatusType kStatus4 = static_cast<KORStatusType>(4);
constexpr KORStatusType kStatus5 = static_cast<KORStatusType>(5);

class KorTrackerTest : public KorTrackerFixture {};

TEST_F(KorTrackerTest, ATrackerIsRegisteredWithItsModel)
{
    KorFakeTracker* t = Line(point(0.0, 0.0), point(1.0, 0.0));
    ASSERT_EQ(mModel.GetTrackers().size(), 1u);
    EXPECT_EQ(mModel.GetTrackers()[0], t);
    EXPECT_EQ(t->GetStatus(), kStatus0);
    EXPECT_EQ(t->GetAlignment(), KOR_EMPTY);
    mTrackers.clear();
    EXPECT_TRUE(mModel.GetTrackers().empty());
}

TEST_F(KorTrackerTest, PivotOfATurningTrackerIsNotFree)
{
    KorNode* p = Node(0.0, 0.0);
    KorNode* q = Node(1.0, 0.0);
    KorFakeTracker* t = Line(point(0.0, 0.0), point(1.0, 0.0));
    t->Hold(kStatus1, p);
    EXPECT_FALSE(t->IsFree(p));
    EXPECT_TRUE(t->IsFree(q));
    t->Hold(kStatus2, nullptr);
    EXPECT_FALSE(t->IsFree(q));
    t->Hold(kStatus3, p);
    EXPECT_TRUE(t->IsFree(p));
}

TEST_F(KorTrackerTest, CircleHeldAtItsCentreIsNotFreeForTheCentre)
{
    KorNode* centre = Node(0.0, 0.0);
    KorNode* rim = Node(2.0, 0.0);
    KorFakeTracker* c = Circle(centre, 2.0);
    c->Hold(kStatus4, nullptr);
    EXPECT_FALSE(c->IsFree(centre));
    EXPECT_TRUE(c->IsFree(rim));
}

TEST_F(KorTrackerTest, RotatableOnlyWhenMovableUnalignedAndNotHeld)
{
    KorFakeTracker* t = Line(point(0.0, 0.0), point(1.0, 0.0));
    EXPECT_TRUE(t->IsRotatable());
    t->Hold(kStatus1, nullptr);
    EXPECT_TRUE(t->IsRotatable());
    t->Hold(kStatus3, nullptr);
    EXPECT_FALSE(t->IsRotatable());
    t->Hold(kStatus0, nullptr);
    t->SetMovable(false);
    EXPECT_FALSE(t->IsRotatable());
}

TEST_F(KorTrackerTest, EmptyTrackerAnswersWithoutReadingPastItsLists)
{
    KorFakeTracker* t = Line(point(0.0, 0.0), point(1.0, 0.0));
    point p(3.0, 4.0);
    EXPECT_EQ(t->GetPrimitive(-1), nullptr);
    EXPECT_EQ(t->GetPrimitive(0), nullptr);
    EXPECT_EQ(t->GetNode(0u), nullptr);
    EXPECT_EQ(t->GetColinear(-1), nullptr);
    EXPECT_EQ(t->GetPrimitive(p), nullptr);
    EXPECT_EQ(t->GetMostDistantNode(p), nullptr);
    EXPECT_EQ(t->GetMinDistanceToPrimitives(p), 3.4028235e38f);
    EXPECT_FALSE(t->IsCloseToPrimitives(p));
}

TEST_F(KorTrackerTest, MostDistantNodeTakesTheEarlierOnTies)
{
    KorFakeTracker* t = Line(point(-1.0, 0.0), point(1.0, 0.0));
    KorNode* near = Node(1.0, 0.0);
    KorNode* east = Node(5.0, 0.0);
    KorNode* west = Node(-5.0, 0.0);
    for (KorNode* n : {near, east, west})
        Attach(n, t);
    point origin(0.0, 0.0);
    EXPECT_EQ(t->GetMostDistantNode(origin), east);
    point p(4.0, 0.0);
    EXPECT_EQ(t->GetNode(p), nullptr);
    point at(5.005, 0.0);
    EXPECT_EQ(t->GetNode(at), east);
}

TEST_F(KorTrackerTest, SetMovableFixesOrFreesTheTracker)
{
    KorFakeTracker* t = Line(point(0.0, 0.0), point(1.0, 0.0));
    t->SetMovable(false);
    EXPECT_EQ(t->GetStatus(), kStatus2);
    EXPECT_FALSE(t->IsMovable());
    t->ResetStatus(true);
    EXPECT_EQ(t->GetStatus(), kStatus2);
    t->SetMovable(true);
    EXPECT_EQ(t->GetStatus(), kStatus0);
}

TEST_F(KorTrackerTest, ResetStatusTellsTheImmovableNodesOnItsGeometry)
{
    KorFakeTracker* t = Line(point(0.0, 0.0), point(1.0, 0.0));
    KorNode* fixedOn = Node(3.0, 0.0);
    KorNode* fixedOff = Node(3.0, 2.0);
    KorNode* free = Node(4.0, 0.0);
    for (KorNode* n : {fixedOn, fixedOff, free})
        Attach(n, t);
    fixedOn->SetMovable(false);
    fixedOff->SetMovable(false);
    t->Hold(kStatus1, free);
    t->ResetStatus(false);
    EXPECT_EQ(t->GetPivot(), nullptr);
    EXPECT_TRUE(t->mStatusCalls.empty());
    t->ResetStatus(true);
    ASSERT_EQ(t->mStatusCalls.size(), 1u);
    EXPECT_EQ(t->mStatusCalls[0].first, fixedOn);
    EXPECT_FALSE(t->mStatusCalls[0].second);
}

TEST_F(KorTrackerTest, SolveWithoutAThirdTrackerIsKind12AndWithOneKind11)
{
    KorFakeTracker* t = Line(point(0.0, 0.0), point(1.0, 0.0));
    KorFakeTracker* cross = Line(point(5.0, -1.0), point(5.0, 1.0));
    KorNode* lone = Node(0.0, 0.0);
    KorNode* corner = Node(5.0, 0.0);
    Attach(lone, t);
    Attach(corner, t);
    Attach(corner, cross);

    std::unique_ptr<KorTrackerSolution> two(t->Solve(nullptr, nullptr, nullptr));
    ASSERT_NE(two, nullptr);
    EXPECT_EQ(two->GetKind(), 12u);
    ASSERT_EQ(two->GetNumOfFollowers(), 2u);
    EXPECT_EQ(two->GetFollower(0), nullptr);
    EXPECT_EQ(two->GetFollower(1), cross);
    EXPECT_EQ(KorNode::mFixedTrackers.count(t), 1u);

    KorFakeTracker* third = Line(point(9.0, 9.0), point(8.0, 9.0));
    std::unique_ptr<KorTrackerSolution> three(t->Solve(nullptr, nullptr, third));
    ASSERT_NE(three, nullptr);
    EXPECT_EQ(three->GetKind(), 11u);
    EXPECT_EQ(KorNode::mFixedTrackers.count(third), 1u);
}

TEST_F(KorTrackerTest, SolveFailsForANodeThatCanNeitherFollowNorHoldTheTracker)
{
    KorFakeTracker* t = Line(point(0.0, 0.0), point(1.0, 0.0));
    KorFakeTracker* cross = Line(point(5.0, -1.0), point(5.0, 1.0));
    KorNode* corner = Node(5.0, 0.0);
    Attach(corner, t);
    Attach(corner, cross);
    corner->SetMovable(false);
    EXPECT_EQ(t->Solve(nullptr, nullptr, nullptr), nullptr);

    t->Hold(kStatus1, corner);  // the node holds the tracker as its pivot
    std::unique_ptr<KorTrackerSolution> held(t->Solve(nullptr, nullptr, nullptr));
    ASSERT_NE(held, nullptr);
    EXPECT_EQ(held->GetFollower(0), nullptr);

    t->Hold(kStatus5, corner);
    std::unique_ptr<KorTrackerSolution> clamped(t->Solve(nullptr, nullptr, nullptr));
    EXPECT_NE(clamped, nullptr);
}

TEST_F(KorTrackerTest, SolveForTwoNodesUsesTheirGivenCarriers)
{
    KorFakeTracker* t = Line(point(0.0, 0.0), point(1.0, 0.0));
    KorFakeTracker* ta = Line(point(0.0, -1.0), point(0.0, 1.0));
    KorFakeTracker* tb = Line(point(5.0, -1.0), point(5.0, 1.0));
    KorNode* a = Node(0.0, 0.0);
    KorNode* b = Node(5.0, 0.0);
    Attach(a, t);
    Attach(a, ta);
    Attach(b, t);
    Attach(b, tb);
    std::unique_ptr<KorTrackerSolution> s(t->Solve(a, ta, b, tb));
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->GetKind(), 15u);
    EXPECT_EQ(s->GetFollower(0), ta);
    EXPECT_EQ(s->GetFollower(1), tb);
    b->SetMovable(false);
    EXPECT_EQ(t->Solve(a, ta, b, tb), nullptr);
}

TEST_F(KorTrackerTest, AlignNodesCarriesTheOtherNodesAlongAfterTheUpdatedOne)
{
    KorFakeTracker* side = Line(point(11.6, 0.0), point(11.6, 1.0));
    KorFakeTracker* top = Line(point(0.0, 5.7), point(1.0, 5.7));
    KorFakeTracker* bottom = Line(point(0.0, 0.0), point(1.0, 0.0));
    KorNode* moved = Node(11.6, 0.0);
    KorNode* follower = Node(11.6, 5.7);
    Attach(moved, side);
    Attach(moved, bottom);
    Attach(follower, side);
    Attach(follower, top);
    // The solution shifted the side to x = 12 and placed the moved node itself.
    side->SetPosition(12.0, 0.0);
    moved->GetPoint() = point(12.0, 0.0);
    auto* followers = new KorTrackerSolution(KOR_TS_SHIFT, moved, 2);
    followers->AddFollower(bottom);
    followers->AddFollower(top);
    KorDimSolution solution(nullptr, followers, KOR_OP_SHIFT);
    solution.SetUpdatedNode1(moved);
    ASSERT_TRUE(side->AlignNodes(&solution));
    EXPECT_NEAR(follower->x(), 12.0, 1e-9);
    EXPECT_NEAR(follower->y(), 5.7, 1e-9);
    EXPECT_TRUE(KorTracker::IsFixedNode(moved));
    EXPECT_EQ(side->GetRay(), nullptr);
}

TEST_F(KorTrackerTest, FixedNodesHoldOneOrTwoNodes)
{
    KorNode* a = Node(0.0, 0.0);
    KorNode* b = Node(1.0, 0.0);
    KorTracker::SetFixedNodes(a, b);
    EXPECT_EQ(KorTracker::mFixedNodes.size(), 2u);
    KorTracker::SetFixedNodes(nullptr, b);
    EXPECT_TRUE(KorTracker::mFixedNodes.empty());
    KorTracker::SetFixedNodes(b, nullptr);
    EXPECT_TRUE(KorTracker::IsFixedNode(b));
    EXPECT_FALSE(KorTracker::IsFixedNode(a));
}

TEST_F(KorTrackerTest, AttachNodesHandsEveryNodeOver)
{
    KorFakeTracker* from = Line(point(0.0, 0.0), point(1.0, 0.0));
    KorFakeTracker* to = Line(point(0.0, 0.0), point(2.0, 0.0));
    KorNode* a = Node(0.0, 0.0);
    KorNode* b = Node(3.0, 0.0);
    Attach(a, from);
    Attach(b, from);
    from->AttachNodes(to);
    EXPECT_EQ(from->GetNumOfNodes(), 0);
    EXPECT_EQ(to->GetNumOfNodes(), 2);
    EXPECT_FALSE(a->BelongTo(from));
    EXPECT_TRUE(a->BelongTo(to));
    EXPECT_EQ(to->GetNode(0u), b);  // handed over from the last
}

TEST_F(KorTrackerTest, ReplaceNodeSwapsTheFirstOccurrenceOrTheCentre)
{
    KorNode* centre = Node(0.0, 0.0);
    KorNode* other = Node(0.0, 0.0);
    KorNode* rim = Node(1.0, 0.0);
    KorNode* rim2 = Node(0.0, 1.0);
    KorFakeTracker* c = Circle(centre, 1.0);
    Attach(centre, c);
    Attach(rim, c);
    c->ReplaceNode(rim, rim2);
    EXPECT_EQ(c->GetNode(0u), rim2);
    c->ReplaceNode(centre, other);
    EXPECT_EQ(c->GetCenter(), other);
    EXPECT_EQ(c->GetNumOfNodes(), 1);
    // Back to the true centre, so the tracker can let the node go.
    c->ReplaceNode(other, centre);
    c->AddNode(rim);
    ASSERT_EQ(c->GetNumOfNodes(), 2);
    c->ReplaceNode(rim, rim2);  // rim2 listed already: not listed twice
    EXPECT_EQ(c->GetNumOfNodes(), 1);
    EXPECT_EQ(c->GetNode(0u), rim2);
}

TEST_F(KorTrackerTest, CircularContactsAreTheCirclesThroughItsNodes)
{
    KorNode* centre = Node(0.0, 0.0);
    KorNode* touch = Node(2.0, 0.0);
    KorFakeTracker* c = Circle(centre, 2.0);
    KorFakeTracker* line = Line(point(2.0, -1.0), point(2.0, 1.0));
    KorFakeTracker* through = Line(point(0.0, -1.0), point(0.0, 1.0));
    Attach(touch, c);
    Attach(touch, line);
    Attach(centre, c);
    Attach(centre, through);
    KorTrackerSet contacts;
    EXPECT_EQ(line->GetCirContacts(contacts), 1);
    EXPECT_EQ(contacts.count(c), 1u);
    EXPECT_EQ(through->GetCirContacts(contacts), 0);  // the centre is no contact
}

TEST_F(KorTrackerTest, PrimitivesAreCarriedOnceAndFoundAtAPoint)
{
    KorNode* a = Node(0.0, 0.0);
    KorNode* b = Node(10.0, 0.0);
    KorNode* c = Node(20.0, 0.0);
    auto* ab = new KorSegment();
    ASSERT_NE(ab->Create(&mModel, a, b, nullptr), 0u);
    auto* t = static_cast<KorLinTracker*>(ab->GetTracker());
    auto* bc = new KorSegment();
    ASSERT_NE(bc->Create(&mModel, b, c, t), 0u);
    EXPECT_FALSE(t->AddPrimitive(ab));
    EXPECT_EQ(t->GetNumOfPrimitives(), 2);
    EXPECT_EQ(t->GetNumOfNodes(), 3);
    point inBc(15.0, 0.0);
    EXPECT_EQ(t->GetPrimitive(inBc), bc);
    point beyond(25.0, 0.0);
    EXPECT_EQ(t->GetPrimitive(beyond), nullptr);
    EXPECT_EQ(t->GetPrimitive(c), bc);
    EXPECT_EQ(t->GetMinDistanceToPrimitives(beyond), 5.0f);
    EXPECT_TRUE(t->IsCloseToPrimitives(inBc));
    EXPECT_TRUE(t->IsConsistent());
    EXPECT_TRUE(t->RemovePrimitive(bc));
    EXPECT_FALSE(t->RemovePrimitive(bc));
    t->AddPrimitive(bc);
}

}  // namespace
