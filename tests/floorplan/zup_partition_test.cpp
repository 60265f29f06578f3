#include <memory>
#include <type_traits>

#include "zup_chain.h"
#include "zup_fixture.h"
#include "zup_partition.h"
#include "zup_partition_solution.h"
#include "zup_wall_surface.h"

namespace {

// A metric floor with the walk (200,0), (400,0), (400,300), (0,300), (0,0)
// whose first and last walls share a tracker.
class ZupRoomTest : public ZupTest {
protected:
    void SetUp() override
    {
        ZupTest::SetUp();
        ZupMetric() = true;
        mFloor = std::make_unique<ZupFloor>();
        const double xy[5][2] = {{200, 0}, {400, 0}, {400, 300}, {0, 300}, {0, 0}};
        for (const auto& p : xy)
            mNodes.push_back(Node(*mFloor, p[0], p[1]));
        mWalls.push_back(Wall(*mFloor, mNodes[0], mNodes[1]));
        for (int i = 1; i < 4; ++i)
            mWalls.push_back(Wall(*mFloor, mNodes[i], mNodes[i + 1]));
        mWalls.push_back(Wall(*mFloor, mNodes[4], mNodes[0], TrackerOf(mWalls[0])));
        mWalk = &mFloor->GetPartitionSolution();
        for (ZupNode* node : mNodes) {
            node->SetUsability();
            mWalk->AddNode(node, angle());
        }
    }
    void TearDown() override
    {
        mRooms.clear();
        mFloor.reset();
        ZupTest::TearDown();
    }
    ZupPartition* NewRoom()
    {
        mRooms.push_back(std::make_unique<ZupPartition>(false));
        return mRooms.back().get();
    }

    std::unique_ptr<ZupFloor> mFloor;
    std::vector<std::unique_ptr<ZupPartition>> mRooms;
    std::vector<ZupNode*> mNodes;
    std::vector<ZupSegment*> mWalls;
    ZupPartitionSolution* mWalk = nullptr;  // the floor's own walk state
};

TEST_F(ZupRoomTest, ARoomFromAWalkJoinsTheWallsOfOneTracker)
{
    ZupPartition* room = NewRoom();
    ASSERT_TRUE(room->Create(mWalk, ZUP_EDGE_OUTER));
    EXPECT_EQ(room->GetNumOfWalls(), 4);
    EXPECT_EQ(room->GetNumOfNodes(), 5);
    EXPECT_EQ(room->GetContour().count(), 5);
    EXPECT_TRUE(room->GetContour().closed());
    EXPECT_NEAR(room->GetCenter().x(), 200.0, 1e-9);
    EXPECT_NEAR(room->GetCenter().y(), 150.0, 1e-9);
    // The joined surface runs from (0,0) over both bottom walls to (400,0).
    ZupWallSurface* bottom = room->GetWall(0);
    EXPECT_EQ(bottom->GetNumOfEdges(), 2);
    EXPECT_EQ(bottom->GetStart(), mNodes[4]);
    EXPECT_EQ(bottom->GetEnd(), mNodes[1]);
    EXPECT_EQ(bottom->GetEdge(0), mWalls[4]);
    EXPECT_EQ(bottom->GetEdge(1), mWalls[0]);
    for (ZupSegment* wall : mWalls) {
        EXPECT_EQ(EdgeType(wall), ZUP_EDGE_OUTER);
        EXPECT_EQ(wall->GetPartition(0), room);
        EXPECT_TRUE(room->Contain(wall));
    }
    EXPECT_EQ(mWalls[4]->GetWhiteSurface(), bottom);
    for (ZupNode* node : mNodes)
        EXPECT_EQ(node->GetUsability(), 1);
    EXPECT_TRUE(room->IsSimilar(*mWalk));
}

TEST_F(ZupRoomTest, RoomQueries)
{
    ZupPartition* room = NewRoom();
    ASSERT_TRUE(room->Create(mWalk, ZUP_EDGE_INNER));
    point inside(100.0, 100.0), outside(500.0, 100.0), onWall(400.0, 100.0);
    EXPECT_TRUE(room->IsHit(inside));
    EXPECT_TRUE(room->IsHit(onWall));
    EXPECT_FALSE(room->IsHit(outside));
    point nearCorner(390.0, 290.0);
    EXPECT_EQ(room->GetClosestVertex(nearCorner), mNodes[2]);
    segment probe(point(100.0, -50.0), point(100.0, 50.0));
    EXPECT_EQ(room->GetIntersectedEdge(probe), mWalls[4]);
    segment away(point(1000.0, 0.0), point(1100.0, 0.0));
    EXPECT_EQ(room->GetIntersectedEdge(away), nullptr);
    EXPECT_EQ(room->GetName(), nullptr);
    EXPECT_EQ(room->GetLabel(), nullptr);
    room->SetName("Den");
    room->SetName(nullptr);
    EXPECT_STREQ(room->GetName(), "Den");
    room->SetLabel("12 m2");
    EXPECT_STREQ(room->GetLabel(), "12 m2");
    EXPECT_FALSE(room->IsOuterShell());
    room->SetUnmovable();
    EXPECT_FALSE(mWalls[0]->GetTracker()->IsMovable());
}

TEST_F(ZupRoomTest, AdjacentRoomsShareAnEdge)
{
    ZupPartition* room = NewRoom();
    ASSERT_TRUE(room->Create(mWalk, ZUP_EDGE_INNER));
    ZupPartition* other = NewRoom();
    other->AddEdge(mWalls[1], mNodes[2]);
    EXPECT_EQ(room->GetCommonEdge(other), mWalls[1]);
    EXPECT_TRUE(room->IsAdjucent(other));
    ZupPartition* far = NewRoom();
    EXPECT_FALSE(room->IsAdjucent(far));
    EXPECT_EQ(mWalls[1]->GetOtherPartition(room), other);
}

TEST_F(ZupRoomTest, ATwoSurfaceRingHasNoContour)
{
    ZupNode* c = Node(*mFloor, 300.0, 500.0);
    ZupNode* s = Node(*mFloor, 400.0, 500.0);
    ZupNode* e = Node(*mFloor, 200.0, 500.0);
    ZupSegment* chord = Wall(*mFloor, e, s);
    auto* arc = new ZupArc(ZUP_EDGE_FREE);
    ASSERT_NE(arc->Create(mFloor.get(), c, s, e, nullptr), 0u);
    ZupPartition* ring = NewRoom();
    ring->AddEdge(chord, e);
    ring->AddEdge(arc, s);
    EXPECT_EQ(ring->GetNumOfWalls(), 2);
    EXPECT_FALSE(ring->MakeWallContour());
    EXPECT_EQ(ring->GetContour().count(), 0);
}

TEST_F(ZupRoomTest, ADegenerateFourSidedRingHasNoContour)
{
    // There and back along two trackers: (0,0) -> (100,0) -> (100,100) and back.
    ZupNode* a = Node(*mFloor, 0.0, 600.0);
    ZupNode* b = Node(*mFloor, 100.0, 600.0);
    ZupNode* c = Node(*mFloor, 100.0, 700.0);
    ZupSegment* ab = Wall(*mFloor, a, b);
    ZupSegment* bc = Wall(*mFloor, b, c);
    ZupSegment* cb = Wall(*mFloor, c, b);
    ZupSegment* ba = Wall(*mFloor, b, a);
    ZupPartition* ring = NewRoom();
    ring->AddEdge(ab, a);
    ring->AddEdge(bc, b);
    ring->AddEdge(cb, c);
    ring->AddEdge(ba, b);
    ASSERT_EQ(ring->GetNumOfWalls(), 4);
    EXPECT_FALSE(ring->MakeWallContour());
}

TEST_F(ZupRoomTest, AddSurfaceTakesTheWallsBetweenNodesOnOneTracker)
{
    ZupPartition* room = NewRoom();
    EXPECT_TRUE(room->AddSurface(mNodes[4], mNodes[1]));
    ASSERT_EQ(room->GetNumOfWalls(), 1);
    ZupWallSurface* bottom = room->GetWall(0);
    EXPECT_EQ(bottom->GetNumOfEdges(), 2);
    EXPECT_EQ(bottom->GetStart(), mNodes[4]);
    EXPECT_EQ(bottom->GetEnd(), mNodes[1]);
    EXPECT_EQ(EdgeType(mWalls[4]), ZUP_EDGE_OUTER);
    EXPECT_TRUE(room->AddSurface(mNodes[1], mNodes[2]));
    EXPECT_TRUE(room->AddSurface(mNodes[2], mNodes[3]));
    EXPECT_TRUE(room->AddSurface(mNodes[3], mNodes[4]));
    EXPECT_TRUE(room->MakeWallContour());
    EXPECT_EQ(room->GetContour().count(), 5);
    // No wall joins opposite corners: the surface is dropped.
    EXPECT_FALSE(room->AddSurface(mNodes[4], mNodes[2]));
    EXPECT_EQ(room->GetNumOfWalls(), 4);
}

TEST_F(ZupRoomTest, ADeletedNodeLeavesTheWalk)
{
    KorNode* gone = mNodes[1];
    ASSERT_TRUE(mNodes[2]->Merge(gone));
    EXPECT_EQ(mWalk->GetLength(), 0);
    EXPECT_EQ(mNodes[3]->GetLogStatus(), ZUP_NODE_FREE);
}

TEST_F(ZupRoomTest, MergingANodeAcrossAWallRemovesItsFaces)
{
    ZupPartition* room = NewRoom();
    ASSERT_TRUE(room->Create(mWalk, ZUP_EDGE_OUTER));
    ZupSegment* collapsing = mWalls[1];  // (400,0) - (400,300)
    KorNode* gone = mNodes[1];
    ASSERT_TRUE(mNodes[2]->Merge(gone));
    EXPECT_EQ(gone, nullptr);
    EXPECT_EQ(mFloor->GetNumOfPrimitives(), 4);
    EXPECT_EQ(room->GetNumOfWalls(), 3);
    for (int i = 0; i < room->GetNumOfWalls(); ++i) {
        ZupWallSurface* s = room->GetWall(i);
        EXPECT_NE(s->GetStart(), nullptr);
        EXPECT_NE(s->GetEnd(), nullptr);
        for (int j = 0; j < s->GetNumOfEdges(); ++j)
            EXPECT_NE(static_cast<void*>(s->GetEdge(j)), static_cast<void*>(collapsing));
    }
    // The bottom surface now ends where the merged node went.
    EXPECT_EQ(room->GetWall(0)->GetEnd(), mNodes[2]);
    EXPECT_EQ(mWalls[0]->GetEnd(), mNodes[2]);
    EXPECT_EQ(mWalls[0]->GetPartition(0), room);
}

TEST_F(ZupRoomTest, MergeRefusesNoNodeAndItself)
{
    ZupNode* none = nullptr;
    EXPECT_FALSE(mNodes[0]->Merge(none));
    ZupNode* self = mNodes[0];
    EXPECT_FALSE(mNodes[0]->Merge(self));
    EXPECT_EQ(self, mNodes[0]);
}

TEST_F(ZupRoomTest, NodeQueriesAtTheWalls)
{
    ZupPartition* room = NewRoom();
    ASSERT_TRUE(room->Create(mWalk, ZUP_EDGE_OUTER));
    ZupNode* corner = mNodes[1];  // (400,0): walls 0 and 1
    EXPECT_EQ(corner->GetEdge(room), mWalls[0]);
    EXPECT_EQ(corner->GetOtherEdge(mWalls[0], room), mWalls[1]);
    EXPECT_EQ(corner->GetEdge(room->GetWall(1)), mWalls[1]);
    EXPECT_EQ(corner->GetOtherEdge(room->GetWall(0), room), mWalls[1]);
    EXPECT_EQ(corner->GetOutsideEdge(), mWalls[0]);
    EXPECT_EQ(corner->GetExteriorEdge(mNodes[0], nullptr, nullptr), mWalls[1]);
    EXPECT_EQ(corner->GetExteriorEdge(mNodes[0], nullptr, room), nullptr);
    ZupPartition* stranger = NewRoom();
    EXPECT_EQ(corner->GetEdge(stranger), nullptr);
    EXPECT_EQ(corner->GetOtherConnectedNode(mNodes[0], nullptr), mNodes[2]);
    EXPECT_EQ(corner->GetOtherConnectedNode(mNodes[0], mWalls[0]->GetTracker()), nullptr);
}

TEST_F(ZupRoomTest, LockedLinksAndLogStatus)
{
    ZupNode* corner = mNodes[1];
    EXPECT_TRUE(corner->IsOpenLink(mNodes[0]));
    corner->LockLink(mNodes[0]);
    EXPECT_FALSE(corner->IsOpenLink(mNodes[0]));
    EXPECT_TRUE(corner->IsOpenLink(mNodes[2]));
    EXPECT_FALSE(corner->IsOpenLink(mNodes[3]));  // no wall joins them
    corner->SetLogStatus(ZUP_NODE_EXCLUDED);
    corner->LogReset(false);
    EXPECT_EQ(corner->GetLogStatus(), ZUP_NODE_EXCLUDED);
    EXPECT_TRUE(corner->IsOpenLink(mNodes[0]));
    corner->LogReset(true);
    EXPECT_EQ(corner->GetLogStatus(), ZUP_NODE_FREE);
}

TEST_F(ZupRoomTest, TheWalkState)
{
    EXPECT_EQ(mWalk->GetStartNode(), mNodes[0]);
    EXPECT_EQ(mNodes[3]->GetLogStatus(), ZUP_NODE_ON_PATH);
    ZupNode* node = nullptr;
    ZupNode* next = nullptr;
    ASSERT_TRUE(mWalk->GetStep(4, node, next));
    EXPECT_EQ(node, mNodes[4]);
    EXPECT_EQ(next, mNodes[0]);
    EXPECT_FALSE(mWalk->GetStep(5, node, next));
    polygon p;
    mWalk->GetPolygon(p);
    EXPECT_EQ(p.count(), 6);
    EXPECT_TRUE(p.closed());
    mWalk->Reset();
    EXPECT_EQ(mWalk->GetStartNode(), nullptr);
    EXPECT_EQ(mNodes[3]->GetLogStatus(), ZUP_NODE_FREE);
}

TEST_F(ZupRoomTest, BacktrackLocksTheLinkTakenAndCutsThePath)
{
    mWalk->Reset();
    mWalk->AddNode(mNodes[0], angle());
    mWalk->AddNode(mNodes[1], angle());
    mWalk->AddBranch(1);
    mWalk->AddBranch(5);  // the last record already stands for this node
    mWalk->AddNode(mNodes[2], angle(90.0));
    mWalk->AddNode(mNodes[3], angle(180.0));
    EXPECT_EQ(mWalk->Backtrack(), mNodes[1]);
    EXPECT_EQ(mWalk->GetLength(), 2);
    EXPECT_FALSE(mNodes[1]->IsOpenLink(mNodes[2]));
    EXPECT_EQ(mNodes[2]->GetLogStatus(), ZUP_NODE_FREE);
    EXPECT_EQ(mNodes[3]->GetLogStatus(), ZUP_NODE_FREE);
    EXPECT_EQ(mWalk->Backtrack(), nullptr);  // its only alternative is spent
}

TEST_F(ZupRoomTest, TakeOpenBranchFollowsAnOpenWallFromABranch)
{
    mWalk->Reset();
    mWalk->AddNode(mNodes[4], angle());
    mWalk->AddNode(mNodes[0], angle());
    mWalk->AddNode(mNodes[1], angle());
    mWalk->AddBranch(2);
    mWalk->AddNode(mNodes[2], angle(90.0));
    std::vector<ZupEdge*> walls{mWalls[3]};  // (0,300) - (0,0): no path node but the first
    EXPECT_EQ(mWalk->TakeOpenBranch(walls), nullptr);
    std::vector<ZupEdge*> back{mWalls[0]};  // (200,0) - (400,0) from the branch at (400,0)
    EXPECT_EQ(mWalk->TakeOpenBranch(back), mNodes[0]);
    EXPECT_FALSE(mNodes[1]->IsOpenLink(mNodes[2]));
    EXPECT_EQ(mWalk->GetLength(), 4);
    EXPECT_EQ(mWalk->GetNode(3), mNodes[0]);
}

TEST(ZupChainTest, OwnsItsLinksAndWalksThem)
{
    static_assert(!std::is_copy_constructible_v<ZupChain>);
    static_assert(!std::is_copy_constructible_v<ZupPartition>);
    static_assert(!std::is_copy_assignable_v<ZupPartition>);
    ZupChain chain;
    EXPECT_EQ(chain.Get1stLink(), nullptr);
    EXPECT_EQ(chain.GetNextLink(), nullptr);
    chain.Clean();
    EXPECT_EQ(chain.GetNumOfLinks(), 0);
}

}  // namespace
