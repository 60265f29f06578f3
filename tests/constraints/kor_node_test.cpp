// Nodes: degrees of freedom, locks, status, moves and neighbour queries.
#include <gtest/gtest.h>

#include <limits>
#include <tuple>
#include <vector>

#include "kor_fake_tracker.h"
#include "kor_node.h"

namespace {

using DFTriple = std::tuple<KorNode*, KorTracker*, KorTracker*>;

std::vector<DFTriple> DFsOf(KorNode* n)
{
    std::vector<DFTriple> dfs;
    for (short i = 0; i < n->GetNumOfDFs(); ++i) {
        KorDF* df = n->GetDF(static_cast<unsigned>(i));
        dfs.emplace_back(df->GetNode(), df->GetMoved(), df->GetCarrier());
    }
    return dfs;
}

struct MoveRecord {
    int calls = 0;
    KorHandle handle = 0;
    double x = 0.0;
    double y = 0.0;
};
MoveRecord gMoves;

void RecordMove(KorHandle handle, double x, double y)
{
    ++gMoves.calls;
    gMoves.handle = handle;
    gMoves.x = x;
    gMoves.y = y;
}

class KorNodeTest : public KorTrackerFixture {
protected:
    void SetUp() override
    {
        KorTrackerFixture::SetUp();
        gMoves = MoveRecord{};
    }
};

TEST_F(KorNodeTest, CreateRegistersTheNodeWithItsHandle)
{
    KorNode* n = Node(3.0, 4.0);
    EXPECT_NE(n->GetHandle(), 0u);
    EXPECT_EQ(n->GetType(), KOR_NODE);
    EXPECT_DOUBLE_EQ(n->x(), 3.0);
    EXPECT_DOUBLE_EQ(n->y(), 4.0);
    EXPECT_EQ(n->GetStatus(), static_cast<KORStatusType>(0));
    EXPECT_EQ(mModel.GetNumOfNodes(), 1);
}

TEST_F(KorNodeTest, OneLineTrackerGivesTheSingleSlidingDF)
{
    KorNode* n = Node(0.0, 0.0);
    KorFakeTracker* l1 = Line(point(-1.0, 0.0), point(1.0, 0.0));
    Attach(n, l1);
    EXPECT_EQ(DFsOf(n), (std::vector<DFTriple>{{n, nullptr, l1}}));
}

TEST_F(KorNodeTest, SecondTrackerGivesTheThreeDFsAndRemovingItRestoresTheFirstSet)
{
    KorNode* n = Node(0.0, 0.0);
    KorFakeTracker* l1 = Line(point(-1.0, 0.0), point(1.0, 0.0));
    KorFakeTracker* l2 = Line(point(0.0, -1.0), point(0.0, 1.0));
    Attach(n, l1);
    Attach(n, l2);
    EXPECT_EQ(DFsOf(n),
              (std::vector<DFTriple>{{n, nullptr, nullptr}, {n, l2, l1}, {n, l1, l2}}));
    EXPECT_EQ(n->GetLock(l2), 0);

    EXPECT_TRUE(n->RemoveTracker(l2));
    EXPECT_EQ(DFsOf(n), (std::vector<DFTriple>{{n, nullptr, l1}}));
    EXPECT_EQ(n->GetNumOfTrackers(), 1u);
}

TEST_F(KorNodeTest, ThirdTrackerAddsTwoDFsForEachOldTracker)
{
    KorNode* n = Node(0.0, 0.0);
    KorFakeTracker* l1 = Line(point(-1.0, 0.0), point(1.0, 0.0));
    KorFakeTracker* l2 = Line(point(0.0, -1.0), point(0.0, 1.0));
    KorFakeTracker* l3 = Line(point(-1.0, -1.0), point(1.0, 1.0));
    Attach(n, l1);
    Attach(n, l2);
    Attach(n, l3);
    EXPECT_EQ(DFsOf(n), (std::vector<DFTriple>{{n, nullptr, nullptr},
                                               {n, l2, l1},
                                               {n, l1, l2},
                                               {n, l3, l1},
                                               {n, l1, l3},
                                               {n, l3, l2},
                                               {n, l2, l3}}));
}

TEST_F(KorNodeTest, CentreNodeOnCircleTrackerPlusLineHasOnlyTheLineCarrierDF)
{
    KorNode* n = Node(0.0, 0.0);
    KorFakeTracker* c = Circle(n, 5.0);
    Attach(n, c);
    EXPECT_EQ(DFsOf(n), (std::vector<DFTriple>{{n, nullptr, nullptr}}));
    EXPECT_EQ(c->GetNumOfNodes(), 0);

    KorFakeTracker* l = Line(point(-1.0, 0.0), point(1.0, 0.0));
    Attach(n, l);
    EXPECT_EQ(DFsOf(n), (std::vector<DFTriple>{{n, nullptr, nullptr}, {n, c, l}}));
}

TEST_F(KorNodeTest, LastTrackerRemovedLeavesNoDFs)
{
    KorNode* n = Node(0.0, 0.0);
    KorFakeTracker* c = Circle(n, 5.0);
    Attach(n, c);
    EXPECT_TRUE(n->RemoveTracker(c));
    EXPECT_EQ(n->GetNumOfDFs(), 0);
    KorFakeTracker* l = Line(point(-1.0, 0.0), point(1.0, 0.0));
    Attach(n, l);
    EXPECT_EQ(DFsOf(n), (std::vector<DFTriple>{{n, nullptr, l}}));
}

TEST_F(KorNodeTest, AddingATrackerTwiceOrRemovingAForeignOneFails)
{
    KorNode* n = Node(0.0, 0.0);
    KorFakeTracker* l1 = Line(point(-1.0, 0.0), point(1.0, 0.0));
    KorFakeTracker* l2 = Line(point(0.0, -1.0), point(0.0, 1.0));
    Attach(n, l1);
    EXPECT_FALSE(n->AddTracker(l1));
    EXPECT_FALSE(n->RemoveTracker(l2));
    EXPECT_FALSE(n->AddTracker(nullptr));
    EXPECT_EQ(n->GetNumOfDFs(), 1);
}

TEST_F(KorNodeTest, DFCursorStopsOnePastTheEnd)
{
    KorNode* n = Node(0.0, 0.0);
    KorFakeTracker* l1 = Line(point(-1.0, 0.0), point(1.0, 0.0));
    KorFakeTracker* l2 = Line(point(0.0, -1.0), point(0.0, 1.0));
    Attach(n, l1);
    Attach(n, l2);
    KorDF** cursor = nullptr;
    KorDF* first = n->Get1stDF(cursor);
    EXPECT_EQ(first, n->GetDF(0u));
    EXPECT_EQ(n->GetNextDF(cursor), n->GetDF(1u));
    KorDF* last = n->GetNextDF(cursor);
    EXPECT_TRUE(n->IsLastDF(last));
    EXPECT_EQ(n->GetNextDF(cursor), nullptr);
    KorDF** pastEnd = n->GetDFCounter(last) + 1;
    EXPECT_EQ(cursor, pastEnd);
    EXPECT_EQ(n->GetNextDF(cursor), nullptr);
    EXPECT_EQ(cursor, pastEnd);
    EXPECT_EQ(n->GetDFCounter(nullptr), nullptr);
}

TEST_F(KorNodeTest, GetDFMatchesTheMovedTrackerOnly)
{
    KorNode* n = Node(0.0, 0.0);
    KorFakeTracker* l1 = Line(point(-1.0, 0.0), point(1.0, 0.0));
    KorFakeTracker* l2 = Line(point(0.0, -1.0), point(0.0, 1.0));
    Attach(n, l1);
    Attach(n, l2);
    KorDF* df = n->GetDF(l2, l2);
    ASSERT_NE(df, nullptr);
    EXPECT_EQ(df->GetCarrier(), l1);
    // The all-null DF has no carrier, so nothing matches a null moved tracker.
    EXPECT_EQ(n->GetDF(nullptr, l1), nullptr);
}

TEST_F(KorNodeTest, LocksCountPerTrackerNeverBelowZeroAndForeignTrackersAreLocked)
{
    KorNode* n = Node(0.0, 0.0);
    KorFakeTracker* l1 = Line(point(-1.0, 0.0), point(1.0, 0.0));
    KorFakeTracker* foreign = Line(point(0.0, -1.0), point(0.0, 1.0));
    Attach(n, l1);
    n->SetLock(l1, false);
    EXPECT_EQ(n->GetLock(l1), 0);
    n->SetLock(l1, true);
    n->SetLock(l1, true);
    EXPECT_EQ(n->GetLock(l1), 2);
    n->SetLock(l1, false);
    EXPECT_EQ(n->GetLock(l1), 1);

    EXPECT_EQ(n->GetLock(foreign), 1);
    n->SetLock(foreign, true);  // goes to the node's own count
    EXPECT_EQ(n->GetLock(nullptr), 1);
    EXPECT_EQ(n->GetLock(l1), 1);
}

TEST_F(KorNodeTest, ResetStatusOfAnImmovableNodeLocksEverythingAndFixesItsTrackers)
{
    KorNode* n = Node(0.0, 0.0);
    KorFakeTracker* l1 = Line(point(-1.0, 0.0), point(1.0, 0.0));
    Attach(n, l1);
    n->SetMovable(false);
    n->ResetStatus();
    EXPECT_EQ(n->GetStatus(), static_cast<KORStatusType>(2));
    EXPECT_EQ(n->GetLock(l1), 1);
    EXPECT_EQ(n->GetLock(nullptr), 1);
    ASSERT_EQ(l1->mStatusCalls.size(), 1u);
    EXPECT_EQ(l1->mStatusCalls[0].first, n);
    EXPECT_FALSE(l1->mStatusCalls[0].second);

    n->SetMovable(true);
    n->ResetStatus();
    EXPECT_EQ(n->GetStatus(), static_cast<KORStatusType>(0));
    EXPECT_EQ(n->GetLock(l1), 0);
}

TEST_F(KorNodeTest, MoveWithinGeoSnapCallsNoCallbackAndLargerOneDoes)
{
    KorNode* n = Node(0.0, 0.0, RecordMove);
    mModel.SetModified(false);

    n->SetPosition(0.005, -0.009, true, true);
    EXPECT_EQ(gMoves.calls, 0);
    EXPECT_FALSE(mModel.IsModified());

    n->SetPosition(0.01, 0.0, true, true);  // exactly GeoSnap: not beyond it
    EXPECT_EQ(gMoves.calls, 0);

    n->SetPosition(2.5, -1.0, true, true);
    EXPECT_EQ(gMoves.calls, 1);
    EXPECT_EQ(gMoves.handle, n->GetHandle());
    EXPECT_DOUBLE_EQ(gMoves.x, 2.5);
    EXPECT_DOUBLE_EQ(gMoves.y, -1.0);
    EXPECT_TRUE(mModel.IsModified());
    double dx = 1.0;
    double dy = 1.0;
    n->GetShift(&dx, &dy);
    EXPECT_DOUBLE_EQ(dx, 0.0);
    EXPECT_DOUBLE_EQ(dy, 0.0);
}

TEST_F(KorNodeTest, NonFiniteMoveIsRefused)
{
    KorNode* n = Node(1.0, 2.0, RecordMove);
    n->SetPosition(std::numeric_limits<double>::quiet_NaN(), 0.0, true, true);
    n->SetPosition(0.0, std::numeric_limits<double>::infinity(), true, true);
    EXPECT_DOUBLE_EQ(n->x(), 1.0);
    EXPECT_DOUBLE_EQ(n->y(), 2.0);
    EXPECT_EQ(gMoves.calls, 0);
    KorNode* refused = new KorNode();
    EXPECT_EQ(refused->Create(&mModel, std::numeric_limits<double>::infinity(), 0.0, nullptr,
                              true),
              0u);
    delete refused;
}

TEST_F(KorNodeTest, OtherTrackerRules)
{
    KorNode* n = Node(0.0, 0.0);
    KorFakeTracker* l1 = Line(point(-1.0, 0.0), point(1.0, 0.0));
    KorFakeTracker* l2 = Line(point(0.0, -1.0), point(0.0, 1.0));
    EXPECT_EQ(n->GetOtherTracker(nullptr), nullptr);
    Attach(n, l1);
    EXPECT_EQ(n->GetOtherTracker(nullptr), l1);
    EXPECT_EQ(n->GetOtherTracker(l1), nullptr);
    Attach(n, l2);
    EXPECT_EQ(n->GetOtherTracker(l1), l2);
    EXPECT_EQ(n->GetOtherTracker(l2), l1);
    EXPECT_EQ(n->GetTracker(2), nullptr);
    EXPECT_EQ(n->GetTracker(-1), nullptr);
    EXPECT_EQ(n->GetPrimitive(0u), nullptr);
}

TEST_F(KorNodeTest, CommonAndUnmovableTrackers)
{
    KorNode* a = Node(0.0, 0.0);
    KorNode* b = Node(1.0, 0.0);
    KorFakeTracker* shared = Line(point(0.0, 0.0), point(1.0, 0.0));
    KorFakeTracker* own = Line(point(0.0, -1.0), point(0.0, 1.0));
    Attach(a, own);
    Attach(a, shared);
    Attach(b, shared);
    EXPECT_EQ(a->GetCommonTracker(b), shared);
    EXPECT_EQ(a->GetUnmovableTracker(nullptr, nullptr, true), nullptr);
    EXPECT_EQ(a->GetUnmovableTracker(nullptr, nullptr, false), own);
    shared->Hold(static_cast<KORStatusType>(2), nullptr);
    EXPECT_EQ(a->GetUnmovableTracker(nullptr, nullptr, true), shared);
    KorNode::AddFixedTracker(own);
    EXPECT_EQ(a->GetUnmovableTracker(shared, nullptr, true), own);
}

TEST_F(KorNodeTest, SolveChoosesAnUnlockedCarrierPreferringFixedOnes)
{
    KorNode* n = Node(0.0, 0.0);
    KorFakeTracker* moved = Line(point(-1.0, 0.0), point(1.0, 0.0));
    KorFakeTracker* other = Line(point(0.0, -1.0), point(0.0, 1.0));
    Attach(n, moved);
    Attach(n, other);
    EXPECT_EQ(n->Solve(moved, nullptr), other);
    n->SetLock(other, true);
    EXPECT_EQ(n->Solve(moved, nullptr), nullptr);
    EXPECT_EQ(n->Solve(moved, other), other);  // a given carrier is kept
}

TEST_F(KorNodeTest, FixedSetsAreResetByTheGlobalReset)
{
    KorNode* n = Node(0.0, 0.0);
    KorFakeTracker* l1 = Line(point(-1.0, 0.0), point(1.0, 0.0));
    KorNode::SetFixedTrackers(l1, nullptr, nullptr);
    KorTracker::SetFixedNodes(n, nullptr);
    KorNode::mbRepeatAlignment = true;
    KorResetGlobals();
    EXPECT_TRUE(KorNode::mFixedTrackers.empty());
    EXPECT_TRUE(KorTracker::mFixedNodes.empty());
    EXPECT_FALSE(KorNode::mbRepeatAlignment);
}

TEST_F(KorNodeTest, AlignOnTwoFixedTrackersPlacesTheNodeOnTheirCrossing)
{
    KorNode* n = Node(0.3, 0.2, RecordMove);
    KorFakeTracker* h = Line(point(-1.0, 1.0), point(1.0, 1.0));
    KorFakeTracker* v = Line(point(2.0, -1.0), point(2.0, 1.0));
    Attach(n, h);
    Attach(n, v);
    h->Hold(static_cast<KORStatusType>(2), nullptr);
    v->Hold(static_cast<KORStatusType>(2), nullptr);
    ASSERT_TRUE(n->Align(nullptr));
    EXPECT_NEAR(n->x(), 2.0, 1e-9);
    EXPECT_NEAR(n->y(), 1.0, 1e-9);
    EXPECT_EQ(n->GetStatus(), static_cast<KORStatusType>(2));
    EXPECT_EQ(gMoves.calls, 1);
}

TEST_F(KorNodeTest, AlignOnOneFixedTrackerProjectsAMovableNode)
{
    KorNode* n = Node(3.0, 2.0);
    KorFakeTracker* f = Line(point(0.0, 0.0), point(1.0, 0.0));
    Attach(n, f);
    f->Hold(static_cast<KORStatusType>(2), nullptr);
    ASSERT_TRUE(n->Align(nullptr));
    EXPECT_NEAR(n->x(), 3.0, 1e-9);
    EXPECT_NEAR(n->y(), 0.0, 1e-9);
    EXPECT_EQ(n->GetStatus(), static_cast<KORStatusType>(2));
}

TEST_F(KorNodeTest, ImmovableNodeOffTheTrackerThatMovedFailsAndStays)
{
    KorNode* n = Node(3.0, 2.0);
    KorFakeTracker* t = Line(point(0.0, 0.0), point(1.0, 0.0));
    Attach(n, t);
    n->SetMovable(false);
    EXPECT_FALSE(n->Align(t));
    EXPECT_DOUBLE_EQ(n->y(), 2.0);
    EXPECT_EQ(n->GetStatus(), static_cast<KORStatusType>(0));
}

TEST_F(KorNodeTest, RefusingFollowTrackerFailsTheAlignmentAndIsNamed)
{
    KorNode* n = Node(3.0, 2.0, RecordMove);
    KorFakeTracker* f = Line(point(0.0, 0.0), point(1.0, 0.0));
    KorFakeTracker* follower = Line(point(3.0, -1.0), point(3.0, 5.0));
    Attach(n, f);
    Attach(n, follower);
    f->Hold(static_cast<KORStatusType>(2), nullptr);
    follower->mbRefuseAlign = true;
    EXPECT_FALSE(n->Align(nullptr));
    EXPECT_DOUBLE_EQ(n->y(), 2.0);
    EXPECT_EQ(n->GetStatus(), static_cast<KORStatusType>(0));
    EXPECT_EQ(n->GetIntersectionTracker(), follower);
    EXPECT_EQ(gMoves.calls, 0);
}

TEST_F(KorNodeTest, RepeatAlignmentMovesToTheCrossingWithTheOnlyFollower)
{
    KorNode* n = Node(3.0, 2.0);
    KorFakeTracker* f = Line(point(0.0, 0.0), point(1.0, 0.0));
    KorFakeTracker* follower = Line(point(5.0, -1.0), point(5.0, 1.0));
    Attach(n, f);
    Attach(n, follower);
    f->Hold(static_cast<KORStatusType>(2), nullptr);
    KorNode::mbRepeatAlignment = true;
    ASSERT_TRUE(n->Align(nullptr));
    EXPECT_NEAR(n->x(), 5.0, 1e-9);
    EXPECT_NEAR(n->y(), 0.0, 1e-9);
}

TEST_F(KorNodeTest, FixingANodeOnTwoTrackersLocksEachCarrierOnce)
{
    KorNode* n = Node(0.0, 0.0);
    KorFakeTracker* l1 = Line(point(-1.0, 0.0), point(1.0, 0.0));
    KorFakeTracker* l2 = Line(point(0.0, -1.0), point(0.0, 1.0));
    Attach(n, l1);
    Attach(n, l2);
    n->UpdateStatus(static_cast<KORStatusType>(2), nullptr, nullptr);
    EXPECT_EQ(n->GetLock(l1), 1);
    EXPECT_EQ(n->GetLock(l2), 1);
    ASSERT_EQ(l1->mStatusCalls.size(), 1u);
    EXPECT_FALSE(l1->mStatusCalls[0].second);
    n->UpdateStatus(static_cast<KORStatusType>(0), nullptr, nullptr);
    EXPECT_EQ(n->GetLock(l1), 0);
    EXPECT_EQ(n->GetLock(l2), 0);
}

TEST_F(KorNodeTest, FixingANodeOnOneTrackerLocksItAndItsOwnCount)
{
    KorNode* n = Node(0.0, 0.0);
    KorFakeTracker* l1 = Line(point(-1.0, 0.0), point(1.0, 0.0));
    Attach(n, l1);
    n->UpdateStatus(static_cast<KORStatusType>(2), nullptr, nullptr);
    EXPECT_EQ(n->GetLock(l1), 1);
    EXPECT_EQ(n->GetLock(nullptr), 1);
    ASSERT_EQ(l1->mStatusCalls.size(), 1u);
    EXPECT_EQ(l1->mStatusCalls[0].first, n);
}

TEST_F(KorNodeTest, AdjustabilityNeedsAMovableNodeOutsideTheFixedSet)
{
    KorNode* n = Node(0.0, 0.0);
    KorFakeTracker* l1 = Line(point(-1.0, 0.0), point(1.0, 0.0));
    Attach(n, l1);
    EXPECT_TRUE(n->IsAdjustable(l1));
    KorTracker::SetFixedNodes(n, nullptr);
    EXPECT_FALSE(n->IsAdjustable(l1));
    EXPECT_FALSE(n->Adjust(l1));
    KorTracker::SetFixedNodes(nullptr, nullptr);
    n->SetMovable(false);
    EXPECT_FALSE(n->IsAdjustable(l1));
}

TEST_F(KorNodeTest, AdjustOnOneTrackerProjectsAndRegisters)
{
    KorNode* n = Node(2.0, 3.0, RecordMove);
    KorFakeTracker* l1 = Line(point(-1.0, 0.0), point(1.0, 0.0));
    Attach(n, l1);
    ASSERT_TRUE(n->Adjust(l1));
    EXPECT_NEAR(n->y(), 0.0, 1e-9);
    EXPECT_EQ(gMoves.calls, 1);
}

TEST_F(KorNodeTest, DeletedNodeLeavesItsTrackersAndTheFixedSet)
{
    KorNode* n = Node(0.0, 0.0);
    KorFakeTracker* l1 = Line(point(-1.0, 0.0), point(1.0, 0.0));
    Attach(n, l1);
    l1->Hold(static_cast<KORStatusType>(1), n);
    KorTracker::SetFixedNodes(n, nullptr);
    delete n;
    EXPECT_EQ(l1->GetNumOfNodes(), 0);
    EXPECT_EQ(l1->GetPivot(), nullptr);
    EXPECT_TRUE(KorTracker::mFixedNodes.empty());
    EXPECT_EQ(mModel.GetNumOfNodes(), 0);
}

}  // namespace
