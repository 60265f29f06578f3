// A level that branches, built as the program builds it: rooms entered
// through doors of the rooms before them, going back into a room and out
// through another of its doors. Every room lands on the far side of its
// door, while it is drawn and once it is joined, however often it is left
// and entered again.
#include <string>
#include <vector>

#include "dimension_values.h"
#include "kor_dimension.h"
#include "kor_node.h"
#include "kor_primitive.h"
#include "level_branching_fixture.h"
#include "level_files.h"

// A hall with two rooms off it: the second is entered by going back into the
// hall and out through its other door.
TEST_F(LevelBranchingTest, HallWithTwoRoomsOffIt)
{
    DrawRectangle();
    Room()->ZupFloor::SetName("Hall1");
    ASSERT_NE(AddDoor("Hall1A", FreeWall()), nullptr);
    ASSERT_NE(AddDoor("Hall1B", FreeWall()), nullptr);

    ASSERT_TRUE(LeaveThrough("Hall1A"));
    DrawEnteredRoom();
    EXPECT_EQ(DrawnRoomOverlaps(), 0);
    ASSERT_TRUE(document->CloseRoom());
    ASSERT_EQ(document->m_plan.GetNumOfPartitions(), 2);

    ASSERT_TRUE(LeaveThrough("Hall1A"));
    ASSERT_EQ(Room(), document->GetRoom(0));
    ASSERT_TRUE(LeaveThrough("Hall1B"));
    ASSERT_EQ(document->GetNumOfRooms(), 3);
    DrawEnteredRoom();
    EXPECT_EQ(Room()->GetEntrance()->GetName(), "Hall1B");
    EXPECT_EQ(DrawnRoomOverlaps(), 0);
    ASSERT_TRUE(document->CloseRoom());
    EXPECT_EQ(document->m_plan.GetNumOfPartitions(), 3);
    EXPECT_EQ(plan_checks::OverlapSamples(PlanOutlines()), 0);
}

// A room left and entered again forty times stands where it stood after its
// first join, still joins after a drag, and the saved level opens whole.
TEST_F(LevelBranchingTest, RoomEnteredAgainAndAgainJoinsAsOnce)
{
    DrawRectangle();
    Room()->ZupFloor::SetName("Hall1");
    ASSERT_NE(AddDoor("Hall1A", FreeWall()), nullptr);
    ASSERT_TRUE(LeaveThrough("Hall1A"));
    DrawEnteredRoom();
    ASSERT_TRUE(document->CloseRoom());
    CRoomFloor* den = Room();
    ASSERT_EQ(den, document->GetRoom(1));
    const Outline joined = plan_checks::OutlineOf(document->GetPartitionOfRoom(den));
    std::string first;
    den->Save(first, false);

    for (int i = 0; i < 40; ++i) {
        SCOPED_TRACE(i);
        ASSERT_TRUE(LeaveThrough("Hall1A"));  // back into the hall
        ASSERT_EQ(Room(), document->GetRoom(0));
        ASSERT_TRUE(LeaveThrough("Hall1A"));  // and into the den again
        ASSERT_EQ(Room(), den);
        ASSERT_TRUE(document->CloseRoom());
    }
    ASSERT_NE(den->GetEntrance(), nullptr);
    std::string again;
    den->Save(again, false);
    EXPECT_EQ(again, first);
    const Outline now = plan_checks::OutlineOf(document->GetPartitionOfRoom(den));
    ASSERT_EQ(now.size(), joined.size());
    for (std::size_t i = 0; i < now.size(); ++i) {
        EXPECT_NEAR(now[i].x, joined[i].x, 1e-6);
        EXPECT_NEAR(now[i].y, joined[i].y, 1e-6);
    }

    // Made 40 deeper, the den still joins.
    ASSERT_TRUE(LeaveThrough("Hall1A"));
    ASSERT_TRUE(LeaveThrough("Hall1A"));
    ASSERT_EQ(Room(), den);
    ZupEdge* far = nullptr;
    double farthest = -1.0;
    const point door = den->GetEntrance()->GetGeoCenter();
    for (ZupEdge* e = den->Get1stEdge(); e; e = den->GetNextEdge()) {
        const point c = e->GetGeoCenter();
        const double d = std::hypot(c.x() - door.x(), c.y() - door.y());
        if (d > farthest) {
            farthest = d;
            far = e;
        }
    }
    ASSERT_NE(far, nullptr);
    KorNode* corner = far->GetStart();
    KorNode* side = nullptr;
    for (short i = 0; i < corner->GetNumOfPrimitives(); ++i)
        if (KorNode* other = corner->GetPrimitive(i)->GetOtherNode(corner); other && other != far->GetEnd())
            side = other;
    ASSERT_NE(side, nullptr);
    KorDimension* depth = den->GetDimension(corner, side, false);
    ASSERT_NE(depth, nullptr);
    // Every side wall whose length is held takes the new depth; entered
    // again, the den holds only the lengths given while it was drawn.
    const double deeper = depth->GetValue() + 40.0;
    for (KorDimension* d : std::vector<KorDimension*>(den->GetDimensions()))
        if (d->GetType() == depth->GetType() && d->IsEnabled() &&
            std::fabs(d->GetValue() - depth->GetValue()) < 1e-6 && d != depth) {
            ASSERT_TRUE(FixDimension(d, deeper));
        }
    ASSERT_TRUE(FixDimension(depth, deeper));
    ASSERT_TRUE(den->Resolve());
    ASSERT_TRUE(document->CloseRoom());
    EXPECT_GT(plan_checks::Area(plan_checks::OutlineOf(document->GetPartitionOfRoom(den))),
              plan_checks::Area(joined) + 30.0 * 200.0);
    EXPECT_EQ(document->m_plan.GetNumOfPartitions(), 2);
    EXPECT_EQ(plan_checks::OverlapSamples(PlanOutlines()), 0);

    std::string text;
    document->BuildFileText(text);
    CReplDoc reopened;
    ASSERT_TRUE(reopened.ParseFile(text.data(), static_cast<int>(text.size())));
    ASSERT_EQ(reopened.GetNumOfRooms(), 2);
    if (reopened.m_roomView)
        reopened.OnViewChange();
    EXPECT_NE(reopened.GetPartitionOfRoom(reopened.GetRoom(0)), nullptr);
    EXPECT_NE(reopened.GetPartitionOfRoom(reopened.GetRoom(1)), nullptr);
}
