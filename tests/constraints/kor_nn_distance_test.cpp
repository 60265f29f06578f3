// Distances between two nodes: creation, the carrying tracker, orientation and
// sign, the DF walk, group shifts and the moves their solutions apply.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "kor_dim_solution.h"
#include "kor_dimension_test_support.h"
#include "kor_lin_tracker.h"
#include "kor_model.h"
#include "kor_nn_distance.h"
#include "kor_node.h"
#include "kor_segment.h"
#include "kor_shift_group.h"
#include "kor_tracker_solution.h"
#include "settings.h"

namespace {

class NNDistance : public KorDimensionFixture {
protected:

    KorNode* Node(double x, double y)
    {
        KorHandle h = model->CreateNode(x, y);
        EXPECT_NE(h, 0u);
        return static_cast<KorNode*>(model->GetNamesManager().GetObjectAddress(h));
    }
    KorSegment* Segment(KorNode* a, KorNode* b)
    {
        KorHandle h = model->CreateSegment(a->GetHandle(), b->GetHandle());
        EXPECT_NE(h, 0u);
        return static_cast<KorSegment*>(model->GetNamesManager().GetObjectAddress(h));
    }
    // A registered distance (the model owns it).
    KorNNDistance* Distance(KorNode* a, KorNode* b, double value = -1.0)
    {
        auto* d = new KorNNDistance();
        if (d->Create(model.get(), a, b, true) == 0) {
            delete d;
            return nullptr;
        }
        if (value >= 0) {
            EXPECT_TRUE(d->SetValue(value, KOR_DIM_EQUAL, true));
        }
        return d;
    }

};

TEST_F(NNDistance, EqualNodesAreRefusedWithError3)
{
    KorNode* a = Node(0, 0);
    KorNNDistance d;
    EXPECT_EQ(d.Create(model.get(), a, a, true), 0u);
    EXPECT_EQ(model->GetError(), 3);
    KorNNDistance missing;
    EXPECT_EQ(missing.Create(model.get(), a, nullptr, true), 0u);
}

TEST_F(NNDistance, SecondEqualDistanceIsRefusedWithError13)
{
    KorNode* a = Node(0, 0);
    KorNode* b = Node(4, 0);
    ASSERT_NE(Distance(a, b), nullptr);
    EXPECT_EQ(Distance(b, a), nullptr);
    EXPECT_EQ(model->GetError(), 13);
}

TEST_F(NNDistance, NewDistanceState)
{
    KorNode* a = Node(0, 0);
    KorNode* b = Node(3, 4);
    KorNNDistance* d = Distance(a, b);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->GetType(), KOR_DISTANCE);
    EXPECT_NE(d->GetHandle(), 0u);
    EXPECT_DOUBLE_EQ(d->GetImplementedValue(), 5.0);
    EXPECT_FALSE(d->IsEnabled());
    EXPECT_TRUE(d->IsSecondPass());
    EXPECT_EQ(d->GetOtherNode(a), b);
    EXPECT_EQ(d->GetOtherNode(b), a);
    EXPECT_EQ(d->GetTracker(a), d->GetTracker(b));
    ASSERT_NE(d->GetGroupShiftDF1(), nullptr);
    EXPECT_EQ(d->GetGroupShiftDF1()->mpNode, a);
    EXPECT_EQ(d->GetGroupShiftDF2()->mpNode, b);
    double dx = 0.0;
    double dy = 0.0;
    d->GetOrientation(dx, dy, b);
    EXPECT_DOUBLE_EQ(dx, 3.0);
    EXPECT_DOUBLE_EQ(dy, 4.0);
    d->GetOrientation(dx, dy, a);
    EXPECT_DOUBLE_EQ(dx, -3.0);
    EXPECT_DOUBLE_EQ(dy, -4.0);
}

TEST_F(NNDistance, SharedLineTrackerCarriesTheDistanceAndOutlivesIt)
{
    KorNode* a = Node(0, 0);
    KorNode* b = Node(10, 0);
    KorSegment* s = Segment(a, b);
    std::size_t trackers = model->GetTrackers().size();
    KorNNDistance* d = Distance(a, b);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->GetCarryingTracker(), s->GetTracker());
    EXPECT_EQ(d->GetOwnTracker(), nullptr);
    EXPECT_EQ(model->GetTrackers().size(), trackers);
    ASSERT_TRUE(model->RemoveObject(d->GetHandle()));
    EXPECT_EQ(model->GetTrackers().size(), trackers);
    EXPECT_EQ(s->GetTracker()->GetNumOfNodes(), 2);
}

TEST_F(NNDistance, FreeNodesGetAnOwnTrackerFreedWithTheDistance)
{
    KorNode* a = Node(0, 0);
    KorNode* b = Node(3, 7);
    std::size_t trackers = model->GetTrackers().size();
    KorNNDistance* d = Distance(a, b);
    ASSERT_NE(d, nullptr);
    ASSERT_NE(d->GetOwnTracker(), nullptr);
    EXPECT_EQ(d->GetCarryingTracker(), d->GetOwnTracker());
    EXPECT_TRUE(a->BelongTo(d->GetOwnTracker()));
    EXPECT_TRUE(b->BelongTo(d->GetOwnTracker()));
    ASSERT_TRUE(model->RemoveObject(d->GetHandle()));
    EXPECT_EQ(model->GetTrackers().size(), trackers);
    EXPECT_EQ(a->GetNumOfTrackers(), 0u);
}

TEST_F(NNDistance, ReversedNodesGiveANegativeValue)
{
    KorNode* a = Node(0, 0);
    KorNode* b = Node(10, 0.5);
    KorSegment* s = Segment(a, b);
    auto* d = new KorNNDistance();  // unregistered: its nodes delete it
    ASSERT_TRUE(d->Create(model.get(), s));
    EXPECT_EQ(d->GetOrientation().GetCode(), 2u);
    EXPECT_NEAR(d->GetImplementedValue(), std::hypot(10.0, 0.5), 1e-12);
    b->SetPosition(-10.0, 0.5, false, false);
    EXPECT_NEAR(d->GetImplementedValue(), -std::hypot(10.0, 0.5), 1e-12);
}

TEST_F(NNDistance, CoincidentNodesTakeTheDirectionOfTheWallAtNode1)
{
    KorNode* a = Node(0, 0);
    KorNode* wallEnd = Node(0, 6);
    Segment(a, wallEnd);
    KorNode* b = Node(0, 0);
    KorNNDistance* d = Distance(a, b);
    ASSERT_NE(d, nullptr);
    if (d->GetCarryingTracker()->GetPrimitive(a) == nullptr)
        GTEST_SKIP() << "the model found no wall tracker at the point";
    EXPECT_EQ(d->GetOrientation().GetCode(), 1u);  // up, toward the wall's other end
    double dx = 0.0;
    double dy = 0.0;
    d->GetOrientation(dx, dy, b);
    EXPECT_DOUBLE_EQ(dx, 0.0);
    EXPECT_DOUBLE_EQ(dy, 6.0);
}

TEST_F(NNDistance, GroupShiftDF2GivesNothing)
{
    KorNode* a = Node(0, 0);
    KorNode* b = Node(4, 0);
    KorNNDistance* d = Distance(a, b, 4.0);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->Solve(d->GetGroupShiftDF2()), nullptr);
}

TEST_F(NNDistance, FirstSolveClearsThePassFlag)
{
    KorNode* a = Node(0, 0);
    KorNode* b = Node(4, 0);
    KorNNDistance* d = Distance(a, b, 6.0);
    ASSERT_NE(d, nullptr);
    ASSERT_TRUE(d->IsSecondPass());
    std::unique_ptr<KorDimSolution> solution(d->Solve(nullptr));
    ASSERT_NE(solution, nullptr);
    // Two free nodes on the distance's own tracker slide along it.
    EXPECT_EQ(solution->GetOpCode(), KOR_OP_SLIDE);
    EXPECT_FALSE(d->IsSecondPass());
    EXPECT_EQ(solution->GetDF()->mpCarrier, d->GetCarryingTracker());
}

TEST_F(NNDistance, SlideMovesTheNodeToTheDistance)
{
    KorNode* a = Node(0, 0);
    KorNode* b = Node(4, 0);
    KorNNDistance* d = Distance(a, b, 6.0);
    ASSERT_NE(d, nullptr);
    std::unique_ptr<KorDimSolution> solution(d->Solve(nullptr));
    ASSERT_NE(solution, nullptr);
    ASSERT_TRUE(solution->Adjust(d));
    EXPECT_NEAR(d->GetImplementedValue(), 6.0, 1e-9);
    EXPECT_TRUE(d->IsImplemented());
    EXPECT_EQ(solution->GetUpdatedNode1(), solution->GetDF()->mpNode);
}

// Without a sense to keep, a slide ends on the side where the tracker has a wall.
TEST_F(NNDistance, SlidePrefersTheSideWithAWall)
{
    KorNode* o = Node(0, 0);
    KorNode* w = Node(-10, 0);
    KorSegment* wall = Segment(o, w);
    KorNode* n = Node(0, 0);
    KorNode* m = Node(0, 5);
    Segment(n, m);  // both nodes have walls: no orientation is derived
    KorNNDistance* d = Distance(n, o, 4.0);
    ASSERT_NE(d, nullptr);
    ASSERT_FALSE(d->GetOrientation().IsSet());
    KorDF df(n, nullptr, wall->GetTracker());
    if (d->GetCarryingTracker() != wall->GetTracker())
        GTEST_SKIP() << "the distance is not carried by the wall's tracker";
    KorDimSolution solution(&df, nullptr, KOR_OP_SLIDE);
    ASSERT_TRUE(solution.Adjust(d));
    EXPECT_NEAR(n->x(), -4.0, 1e-9);
    EXPECT_NEAR(n->y(), 0.0, 1e-9);
}

// A zero distance applied by a shift of the distance's own tracker puts both
// nodes on one point.
TEST_F(NNDistance, ZeroDistanceShiftPutsBothNodesOnOnePoint)
{
    KorNode* n = Node(0, 0);
    KorNode* o = Node(5, 0);
    KorSegment* own = Segment(n, o);  // tracker T: y = 0
    KorNode* p = Node(6, 6);
    KorSegment* carrier = Segment(n, p);  // B: y = x
    KorNode* q = Node(5, 9);
    KorSegment* subject = Segment(o, q);  // S: x = 5
    KorNNDistance* d = Distance(n, o, 0.0);
    ASSERT_NE(d, nullptr);
    KorTracker* t = own->GetTracker();
    ASSERT_EQ(d->GetCarryingTracker(), t);
    KorDF df(n, t, carrier->GetTracker());
    auto* ts = new KorTrackerSolution(KOR_TS_SHIFT, n, 2);
    for (int i = 0; i < t->GetNumOfNodes(); ++i)
        ts->AddFollower(t->GetNode(static_cast<unsigned>(i)) == o ? subject->GetTracker()
                                                                  : nullptr);
    KorDimSolution solution(&df, ts, KOR_OP_SHIFT);
    ASSERT_TRUE(solution.Adjust(d));
    EXPECT_NEAR(n->x(), 5.0, 1e-9);
    EXPECT_NEAR(n->y(), 5.0, 1e-9);
    EXPECT_NEAR(o->x(), n->x(), 1e-9);
    EXPECT_NEAR(o->y(), n->y(), 1e-9);
    EXPECT_EQ(solution.GetUpdatedNode1(), n);
    EXPECT_EQ(solution.GetUpdatedNode2(), o);
}

TEST_F(NNDistance, ShiftGroupGathersTheNodesAroundTheStart)
{
    KorNode* a = Node(0, 0);
    KorNode* b = Node(10, 0);
    KorNode* c = Node(0, 5);
    KorSegment* ac = Segment(a, c);
    KorNNDistance* d = Distance(a, b, 12.0);
    ASSERT_NE(d, nullptr);
    KorShiftGroup group(a, b, d->GetCarryingTracker(), d);
    ASSERT_TRUE(group.Collect());
    EXPECT_EQ(group.GetNodes().size(), 2u);
    EXPECT_EQ(group.GetNodes().count(a), 1u);
    EXPECT_EQ(group.GetNodes().count(c), 1u);
    EXPECT_EQ(group.GetTrackers().count(ac->GetTracker()), 1u);
    group.Shift(-2.0, 1.0);
    EXPECT_DOUBLE_EQ(a->x(), -2.0);
    EXPECT_DOUBLE_EQ(c->y(), 6.0);
    EXPECT_DOUBLE_EQ(b->x(), 10.0);
}

// A group that leads back to the other node through any chain is not made.
TEST_F(NNDistance, ShiftGroupReachingTheOtherNodeIsNotBuilt)
{
    KorNode* a = Node(0, 0);
    KorNode* b = Node(10, 0);
    KorNode* c = Node(0, 5);
    Segment(a, c);
    KorNode* e = Node(10, 5);
    Segment(e, b);
    KorNNDistance* d = Distance(a, b, 12.0);
    ASSERT_NE(d, nullptr);
    ASSERT_NE(Distance(c, e, 10.0), nullptr);  // c - e closes the chain a-c-e-b
    KorShiftGroup fromA(a, b, d->GetCarryingTracker(), d);
    EXPECT_FALSE(fromA.Collect());
    KorShiftGroup fromB(b, a, d->GetCarryingTracker(), d);
    EXPECT_FALSE(fromB.Collect());
    EXPECT_EQ(model->SetupShiftGroup(a, b, d->GetCarryingTracker(), d), nullptr);
    EXPECT_EQ(d->Solve(KorDimension::mpStopDF), nullptr);
}

TEST_F(NNDistance, ShiftGroupStopsAtUnmovableNodes)
{
    KorNode* a = Node(0, 0);
    KorNode* b = Node(10, 0);
    KorNode* c = Node(0, 5);
    Segment(a, c);
    c->SetMovable(false);
    KorNNDistance* d = Distance(a, b, 12.0);
    ASSERT_NE(d, nullptr);
    KorShiftGroup group(a, b, d->GetCarryingTracker(), d);
    EXPECT_FALSE(group.Collect());
}

TEST_F(NNDistance, StopDFTriesTheGroupShift)
{
    KorNode* a = Node(0, 0);
    KorNode* b = Node(10, 0);
    KorNNDistance* d = Distance(a, b, 12.0);
    ASSERT_NE(d, nullptr);
    std::unique_ptr<KorDimSolution> solution(d->Solve(KorDimension::mpStopDF));
    ASSERT_NE(solution, nullptr);
    EXPECT_EQ(solution->GetOpCode(), KOR_OP_GROUP_SHIFT);
    EXPECT_EQ(solution->GetDF(), d->GetGroupShiftDF1());
    ASSERT_NE(d->GetShiftGroup(), nullptr);
    ASSERT_TRUE(solution->Adjust(d));
    EXPECT_NEAR(d->GetImplementedValue(), 12.0, 1e-9);
    EXPECT_NEAR(a->x(), -2.0, 1e-9);
}

TEST_F(NNDistance, NodeCoincidenceKeepsZeroAndFallsBackOnNothingToDo)
{
    KorNode* a = Node(0, 0);
    KorNode* b = Node(3, 0);
    a->SetMovable(false);
    b->SetMovable(false);
    auto* c = new KorNodeCoincident();
    ASSERT_NE(c->Create(model.get(), a, b), 0u);
    EXPECT_EQ(c->GetType(), KOR_NODE_COINCIDENT);
    EXPECT_TRUE(c->IsEnabled());
    EXPECT_EQ(c->GetPrimaryType(), KOR_DIM_EQUAL);
    EXPECT_FALSE(c->SetValue(5.0, KOR_DIM_EQUAL, true));
    EXPECT_DOUBLE_EQ(c->GetValue(), 0.0);
    std::unique_ptr<KorDimSolution> solution(c->Solve(nullptr));
    ASSERT_NE(solution, nullptr);
    EXPECT_EQ(solution->GetOpCode(), KOR_OP_NOTHING);
    EXPECT_EQ(solution->GetDF(), KorDimension::mpStopDF);
    EXPECT_EQ(solution->GetTrackerSolution(), nullptr);
}

TEST_F(NNDistance, StatusFromMovability)
{
    KorNode* a = Node(0, 0);
    KorNode* b = Node(3, 0);
    KorNNDistance* d = Distance(a, b);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->CalculateStatus(), 0);
    a->SetMovable(false);
    EXPECT_EQ(d->CalculateStatus(), 0);  // own tracker free
    b->SetMovable(false);
    EXPECT_EQ(d->CalculateStatus(), 2);
}

TEST_F(NNDistance, DFUsability)
{
    KorNode* a = Node(0, 0);
    KorNode* b = Node(3, 0);
    KorSegment* s = Segment(a, b);
    KorTracker* t = s->GetTracker();
    KorDF slide(a, nullptr, t);
    EXPECT_TRUE(KorDFIsUsable(&slide));
    EXPECT_TRUE(KorDFUsesTracker(&slide, t));
    KorDF noCarrier(a, nullptr, nullptr);
    EXPECT_FALSE(KorDFIsUsable(&noCarrier));
    KorDF foreign(a, nullptr, nullptr);
    EXPECT_FALSE(KorDFUsesTracker(&foreign, t));
    a->SetLock(t, true);
    EXPECT_FALSE(KorDFIsUsable(&slide));
    a->SetLock(t, false);
    a->SetMovable(false);
    EXPECT_FALSE(KorDFIsUsable(&slide));
}

// The tracker search between two distinct points narrows GeoSnap for one call
// and puts the exact value back.
TEST_F(NNDistance, TrackerSearchRestoresGeoSnapExactly)
{
    GeoSnap() = 0.0123456789;
    KorNode* a = Node(0, 0);
    KorNode* b = Node(7, 3);
    KorNode* c = Node(20, 0);
    Segment(a, c);
    ASSERT_NE(Distance(a, b), nullptr);
    EXPECT_EQ(GeoSnap(), 0.0123456789);
}

// The walk resumes after the DF of the previous answer: node 1's slide, then
// node 2's, then (after a rewind to the first answer) node 2's again.
TEST_F(NNDistance, WalkResumesAfterThePreviousDF)
{
    KorNode* a = Node(0, 0);
    KorNode* b = Node(4, 0);
    KorNNDistance* d = Distance(a, b, 6.0);
    ASSERT_NE(d, nullptr);
    std::unique_ptr<KorDimSolution> first(d->Solve(nullptr));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetDF()->mpNode, a);
    std::unique_ptr<KorDimSolution> second(d->Solve(first->GetDF()));
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->GetDF()->mpNode, b);
    d->RestoreDFState(first.get());
    std::unique_ptr<KorDimSolution> again(d->Solve(first->GetDF()));
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->GetDF(), second->GetDF());
}

TEST_F(NNDistance, UpdateFollowsAMergedNode)
{
    KorNode* a = Node(0, 0);
    KorNode* b = Node(4, 0);
    KorNode* c = Node(9, 9);
    KorNNDistance* d = Distance(a, b, 6.0);
    ASSERT_NE(d, nullptr);
    d->ReplaceEntity(b, c);
    EXPECT_EQ(d->GetEnd(), c);
    EXPECT_EQ(d->GetGroupShiftDF2()->mpNode, c);
    EXPECT_EQ(d->GetOtherNode(a), c);
    EXPECT_EQ(c->GetDimaint(KOR_DISTANCE, nullptr), d);
    EXPECT_EQ(b->GetDimaint(KOR_DISTANCE, nullptr), nullptr);
}

// A lower bound taken away again leaves no condition behind that a later
// resolve would try to implement.
TEST_F(NNDistance, ResolveAfterClearingALowerBound)
{
    KorNode* a = Node(0, 0);
    KorNode* b = Node(4, 0);
    KorNNDistance* d = Distance(a, b);
    ASSERT_NE(d, nullptr);
    ASSERT_TRUE(d->SetValue(std::string(">5")));
    ASSERT_TRUE(d->SetValue(std::string("//")));
    EXPECT_TRUE(model->GetConditions().empty());
    EXPECT_TRUE(model->Resolve());
    EXPECT_NE(model->GetError(), 16);
    EXPECT_FALSE(d->IsEnabled());
    EXPECT_EQ(d->GetPrimaryType(), KOR_DIM_NONE);
    EXPECT_NEAR(d->GetImplementedValue(), 4.0, 1e-9);
}

TEST_F(NNDistance, ResolveImplementsAnExactValue)
{
    KorNode* a = Node(0, 0);
    KorNode* b = Node(4, 0);
    KorNNDistance* d = Distance(a, b, 6.0);
    ASSERT_NE(d, nullptr);
    ASSERT_TRUE(model->Resolve());
    EXPECT_NEAR(d->GetImplementedValue(), 6.0, 1e-6);
}

}  // namespace
