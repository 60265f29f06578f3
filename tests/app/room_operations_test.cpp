#include <string>

#include "level_fixture.h"
#include "exchange_file.h"
#include "kor_node.h"
#include "kor_primitive.h"
#include "plan_wall_objects.h"
#include "repl_doc.h"
#include "room_floor.h"
#include "settings.h"
#include "zup_floor.h"
#include "zup_object.h"
#include "zup_opening.h"
#include "zup_partition.h"

namespace {

// A level whose first room is the shipped rectangle with its entrance.
using RoomOperationsTest = LevelTest;

const char* kNoMarker =
    "N1=Node(0.0,0.0);N2=Node(200.0,0.0);N3=Node(200.0,300.0);N4=Node(0.0,300.0);"
    "S1=Segment(N1,N2);S2=Segment(N2,N3);S3=Segment(N3,N4);S4=Segment(N4,N1)";

}  // namespace

TEST_F(RoomOperationsTest, StoreyPositionFromTheLevelName)
{
    const struct {
        const char* level;
        int storey;
    } cases[] = {{"Top", 1}, {"top", 2}, {"Upper", 1}, {"Lower", -1}, {"Basement", -1},
                 {"Main", 2}};
    for (const auto& c : cases) {
        document->m_level = CString(c.level);
        EXPECT_EQ(document->GetStoreyPosition(), c.storey) << c.level;
    }
    document->NewRoom();
    document->m_level = CString("Top");
    EXPECT_EQ(document->GetStoreyPosition(), 0);
}

TEST_F(RoomOperationsTest, ShapeMarksItsEntranceWall)
{
    ASSERT_TRUE(document->InsertShape(0, 0));
    EXPECT_EQ(Room()->GetShapeName(), "Rectangle");
    EXPECT_EQ(Room()->GetNumOfNodes(), 5);  // with the marker
    EXPECT_TRUE(Room()->FindEntranceMarker());
    EXPECT_EQ(Room()->GetNumOfNodes(), 4);
    EXPECT_EQ(Room()->GetWallCursor(), 0);
    EXPECT_FALSE(document->InsertShape(9, 0));
}

TEST_F(RoomOperationsTest, BodyWithoutMarkerLeavesTheWallCursor)
{
    ASSERT_TRUE(Room()->LoadShape(kNoMarker, nullptr, true, false));
    Room()->SetWallCursor(2);
    EXPECT_FALSE(Room()->FindEntranceMarker());
    EXPECT_EQ(Room()->GetWallCursor(), 2);
}

TEST_F(RoomOperationsTest, WallIndexStepsRoundWithoutCommitting)
{
    ASSERT_TRUE(Room()->LoadShape(kNoMarker, nullptr, true, false));
    Room()->SetWallCursor(3);
    EXPECT_EQ(Room()->StepWallIndex(true, false), 0);
    EXPECT_EQ(Room()->GetWallCursor(), 3);
    EXPECT_EQ(Room()->StepWallIndex(false, true), 2);
    EXPECT_EQ(Room()->GetWallCursor(), 2);
    const point centre = Room()->GetCurrentWallCenter();
    EXPECT_NEAR(centre.x(), 100.0, 1e-9);
    EXPECT_NEAR(centre.y(), 300.0, 1e-9);
}

TEST_F(RoomOperationsTest, DefaultEntranceIs36WideInImperial)
{
    ZupFloor::DefaultOpeningWidth() = 32.0f;
    ASSERT_TRUE(document->InsertShape(0, 0));
    document->PlaceEntrance(nullptr);
    ZupOpening* entrance = Room()->GetEntrance();
    ASSERT_NE(entrance, nullptr);
    EXPECT_NEAR(entrance->GetWidth(), 36.0, 1e-3);
    EXPECT_FLOAT_EQ(ZupFloor::DefaultOpeningWidth(), 32.0f);
    EXPECT_EQ(entrance->GetName(), "TheEntrance");
    EXPECT_TRUE(entrance->IsExit());
    EXPECT_NE(dynamic_cast<CPlanOpening*>(entrance), nullptr);
    // Storey 2 (a main level) puts no stair on it.
    EXPECT_EQ(entrance->GetType(), 1);
}

TEST_F(RoomOperationsTest, StairOnlyForUpAndDownOutsideAStairRoom)
{
    ASSERT_TRUE(Room()->LoadShape(kNoMarker, nullptr, true, false));
    ZupOpening* a = Room()->CreateOpening("A", 1, 100.0, 0.0);
    ASSERT_NE(a, nullptr);
    Room()->SetEntrance(a, 0);
    EXPECT_EQ(a->GetType(), 1);
    Room()->SetEntrance(a, 1);
    EXPECT_EQ(a->GetType(), 0);  // the stair takes over

    CRoomFloor stairRoom;
    ASSERT_TRUE(stairRoom.LoadShape(kNoMarker, nullptr, true, false));
    stairRoom.ZupFloor::SetName(" Stair ");
    ZupOpening* b = stairRoom.CreateOpening("B", 1, 100.0, 0.0);
    ASSERT_NE(b, nullptr);
    stairRoom.SetEntrance(b, -1);
    EXPECT_EQ(b->GetType(), 1);
}

TEST_F(RoomOperationsTest, ClosingTheFirstRoomMakesTheFirstPartition)
{
    ASSERT_TRUE(document->InsertShape(0, 0));
    document->PlaceEntrance(nullptr);
    document->m_plan.SetScale(3.0f);
    document->m_plan.SetPan(7, 9);
    ASSERT_TRUE(document->CloseRoom());
    EXPECT_TRUE(Room()->mbClosed);
    ZupPartition* partition = document->m_plan.Get1stPartition();
    ASSERT_NE(partition, nullptr);
    EXPECT_EQ(document->GetPartitionOfRoom(Room()), partition);
    EXPECT_EQ(document->GetRoomOfPartition(partition), Room());
    EXPECT_FLOAT_EQ(document->m_plan.GetScale(), 1.0f);
    int x = -1, y = -1;
    document->m_plan.GetPan(x, y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(document->m_failedRoom, nullptr);
}

TEST_F(RoomOperationsTest, AlignWithoutPortalMovesNothing)
{
    ASSERT_TRUE(document->InsertShape(0, 0));
    document->PlaceEntrance(nullptr);
    const point before = Room()->GetNodes()[0]->GetPoint();
    EXPECT_FALSE(Room()->AlignToPlan(document->m_plan));
    EXPECT_EQ(Room()->GetNodes()[0]->GetPoint(), before);
}

TEST_F(RoomOperationsTest, SmartWallsSwitchThePlansSnaps)
{
    document->EnableRules(false);
    EXPECT_FALSE(document->m_smartWalls);
    EXPECT_FLOAT_EQ(document->m_plan.InputSnap(), static_cast<float>(GeoSnap()));
    EXPECT_FALSE(Room()->GetRulesFlag());
    document->EnableRules(true);
    EXPECT_FLOAT_EQ(document->m_plan.InputSnap(), ZupFloor::GetDefaultLinearInputSnap());
    EXPECT_NEAR(document->m_plan.AngularInputSnap().deg(), 5.1, 1e-9);
    EXPECT_TRUE(Room()->GetRulesFlag());
}

// The main road: a second room entered through a door of the first joins
// the plan as a second partition.
TEST_F(RoomOperationsTest, SecondRoomJoinsThroughADoor)
{
    ASSERT_TRUE(document->InsertShape(0, 0));
    document->PlaceEntrance(nullptr);
    Room()->ZupFloor::SetName("Hall1");
    ZupOpening* door = Room()->CreateOpening("Hall1A", 1, 200.0, 150.0);
    ASSERT_NE(door, nullptr);
    door->CreateWidthDimension();
    door->CreatePosDimension(nullptr, -1.0f);
    ASSERT_TRUE(document->CloseRoom());
    ZupOpening* portal = document->m_plan.GetOpening("Hall1A");
    ASSERT_NE(portal, nullptr);

    document->m_entrance = portal;
    document->NewRoom();
    CRoomFloor* second = Room();
    ASSERT_NE(second, document->GetRoom(0));
    ASSERT_TRUE(document->InsertShape(0, 0));
    document->PlaceEntrance(nullptr);
    ZupOpening* entrance = second->GetEntrance();
    ASSERT_NE(entrance, nullptr);
    EXPECT_EQ(entrance->GetName(), "Hall1A");
    EXPECT_NEAR(entrance->GetWidth(), portal->GetWidth(), 0.5);
    ASSERT_TRUE(document->CloseRoom()) << "failed room " << (document->m_failedRoom != nullptr);
    EXPECT_EQ(document->m_plan.GetNumOfPartitions(), 2);
    EXPECT_NE(document->GetPartitionOfRoom(second), nullptr);
}

// With Bottom Entrance on, entering a room through a side door of the first
// turns the plan so that the door runs across the view, with the new room's
// entrance on it.
TEST_F(RoomOperationsTest, WithBottomEntranceANewRoomIsAlignedToThePlan)
{
    document->m_bottomEntrance = true;
    document->m_alignRooms = true;
    ASSERT_TRUE(document->InsertShape(0, 0));
    document->PlaceEntrance(nullptr);
    Room()->ZupFloor::SetName("Hall1");
    ZupOpening* door = Room()->CreateOpening("Hall1A", 1, 200.0, 150.0);
    ASSERT_NE(door, nullptr);
    door->CreateWidthDimension();
    door->CreatePosDimension(nullptr, -1.0f);
    ASSERT_TRUE(document->CloseRoom());
    ZupOpening* portal = document->m_plan.GetOpening("Hall1A");
    ASSERT_NE(portal, nullptr);

    document->m_entrance = portal;
    document->NewRoom();
    CRoomFloor* second = Room();
    ASSERT_TRUE(document->InsertShape(0, 0));
    document->PlaceEntrance(nullptr);
    ZupOpening* entrance = second->GetEntrance();
    ASSERT_NE(entrance, nullptr);
    const point a = entrance->GetStart()->GetPoint();
    const point b = entrance->GetEnd()->GetPoint();
    EXPECT_NEAR(a.y(), b.y(), 0.5) << "the entrance runs across";
    // The first room turned with the plan: its door runs across too, and
    // the new room's entrance lies on it.
    const point c = door->GetStart()->GetPoint();
    const point d = door->GetEnd()->GetPoint();
    EXPECT_NEAR(c.y(), d.y(), 0.5);
    EXPECT_NEAR((a.x() + b.x()) / 2, (c.x() + d.x()) / 2, 0.5);
    EXPECT_NEAR(a.y(), c.y(), 0.5);
}
