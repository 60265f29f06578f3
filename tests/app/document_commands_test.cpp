#include <cmath>
#include <string>

#include "dimension_values.h"
#include "distances.h"
#include "kor_nn_distance.h"
#include "kor_node.h"
#include "kor_primitive.h"
#include "exchange_file.h"
#include "level_fixture.h"
#include "object_sheet_state.h"
#include "program_version.h"
#include "zup_floor.h"
#include "zup_opening.h"

using DocumentCommandsTest = LevelTest;

TEST_F(DocumentCommandsTest, PlanZoomStepsByAQuarter)
{
    document->m_roomView = false;
    for (int i = 0; i < 3; ++i)
        document->Zoom(true);
    EXPECT_FLOAT_EQ(document->GetScale(), 1.953125f);
    document->ResetZoom();
    document->Zoom(true);
    document->Zoom(false);
    EXPECT_FLOAT_EQ(document->GetScale(), 1.0f);
}

TEST_F(DocumentCommandsTest, VersionTextOfTheLastDayOf1999)
{
    SYSTEMTIME date{};
    date.wYear = 1999;
    date.wMonth = 12;
    date.wDay = 31;
    EXPECT_EQ(ProgramVersionFor(date), CString("999.12.31"));
}

TEST_F(DocumentCommandsTest, RemovingTheOnlyRoomStartsTheLevelOver)
{
    DrawRectangle();
    CRoomFloor* only = Room();
    document->RemoveRoom(only, false);
    ASSERT_EQ(document->GetNumOfRooms(), 1);
    EXPECT_NE(Room(), nullptr);
    EXPECT_EQ(Room()->GetNumOfPrimitives(), 0);
}

TEST_F(DocumentCommandsTest, DetachingFromALevelOfOneRoomDoesNothing)
{
    DrawRectangle();
    document->DetachRooms(Room());
    EXPECT_EQ(document->GetNumOfRooms(), 1);
    EXPECT_EQ(Room()->GetNumOfPrimitives(), 4);
}

TEST_F(DocumentCommandsTest, LockAnglesTogglesTheEntranceCorners)
{
    DrawRectangle();
    // An angle at the corner where the entrance wall starts (walls held
    // horizontal and vertical carry no angle).
    Room()->RemoveAlignments();
    const int wall = Room()->GetWallCursor();
    const int previous = (wall + Room()->GetNumOfPrimitives() - 1) % Room()->GetNumOfPrimitives();
    const KorHandle entranceWall = Room()->GetHandle(Room()->GetPrimitive(wall));
    const KorHandle before = Room()->GetHandle(Room()->GetPrimitive(previous));
    ASSERT_TRUE(Room()->CreateAngular(entranceWall, before, 0, 0, 0) != 0 ||
                Room()->CreateAngular(before, entranceWall, 0, 0, 0) != 0);
    ASSERT_TRUE(Room()->HasEntranceAngle());
    const bool fixed = Room()->IsEntranceAngleFixed();
    document->OnLockAngles();
    EXPECT_NE(Room()->IsEntranceAngleFixed(), fixed);
    document->OnLockAngles();
    EXPECT_EQ(Room()->IsEntranceAngleFixed(), fixed);
}

// An edited room that kept its direction within the angular play is only
// moved back onto its entrance point.
TEST_F(DocumentCommandsTest, RoomWithinTheAngularPlayIsOnlyMoved)
{
    DrawRectangle();
    ZupOpening* entrance = Room()->GetEntrance();
    ASSERT_NE(entrance, nullptr);
    Room()->SetTransformed(true);
    Room()->StoreEntranceDirection(entrance);
    const point anchor = Room()->mEntrancePoint;
    // Shift the room and turn the stored direction by 0.1 degree.
    Room()->Move(25.0, -10.0);
    Room()->mEntranceDirection = Room()->mEntranceDirection + 0.1;
    const point shifted = Room()->GetNodes()[1]->GetPoint();
    Room()->KeepOrientation();
    const point centre = entrance->GetGeoCenter();
    EXPECT_NEAR(centre.x(), anchor.x(), 1e-6);
    EXPECT_NEAR(centre.y(), anchor.y(), 1e-6);
    const point back = Room()->GetNodes()[1]->GetPoint();
    // A pure move: every node went back by the same amount.
    EXPECT_NEAR(back.x() - shifted.x(), -25.0, 1e-6);
    EXPECT_NEAR(back.y() - shifted.y(), 10.0, 1e-6);
}


// A door marked for a closet, on an outside wall of the plan, gets a closet
// room behind it: 28 deep behind a door that is not an empty opening.
TEST_F(DocumentCommandsTest, ClosetBehindADoorIs28Deep)
{
    DrawRectangle();
    Room()->ZupFloor::SetName("Hall1");
    ZupOpening* door = Room()->CreateOpening("Hall1A", 1, 200.0, 150.0);
    ASSERT_NE(door, nullptr);
    door->CreateWidthDimension();
    door->CreatePosDimension(nullptr, -1.0f);
    ASSERT_TRUE(document->CloseRoom());
    SetClosetMark(door, true);
    document->CreateClosets();
    ASSERT_EQ(document->GetNumOfRooms(), 2);
    CRoomFloor* closet = document->GetRoom(1);
    EXPECT_TRUE(closet->mbClosed);
    EXPECT_NE(document->GetPartitionOfRoom(closet), nullptr);
    EXPECT_FALSE(HasClosetMark(door));
    // Behind the door on the wall x = 200: the closet reaches 28 beyond it.
    closet->CalculateExtents();
    EXPECT_NEAR(closet->GetMinX(), 200.0, 0.5);
    EXPECT_NEAR(closet->GetMaxX(), 228.0, 0.5);
    EXPECT_EQ(Room(), document->GetRoom(0));
}

// Behind an empty opening ("Bay") the new room's front wall is the opening
// itself and its back wall half as wide; it joins the plan outside the room
// it opens from and is named after that room's type.
TEST_F(DocumentCommandsTest, BayBehindAnEmptyOpeningFrontsTheOpening)
{
    for (const double width : {30.0, 36.0, 48.0, 72.0, 96.0}) {
        SCOPED_TRACE(width);
        document.reset();
        document = std::make_unique<CReplDoc>();
        document->ResetLevel();
        DrawRectangle();
        Room()->ZupFloor::SetName("Hall1");
        // On the wall x = 200 of the 200 x 300 room.
        ZupOpening* opening = Room()->CreateOpening("Hall1A", 0, 200.0, 150.0);
        ASSERT_NE(opening, nullptr);
        ASSERT_EQ(opening->GetType(), 0);
        opening->CreateWidthDimension();
        opening->CreatePosDimension(nullptr, -1.0f);
        ASSERT_TRUE(FixDimension(opening->GetWidthDimension(), width));
        ASSERT_TRUE(Room()->Resolve());
        ASSERT_NEAR(opening->GetWidth(), width, 1e-6);
        const point a = opening->GetStart()->GetPoint();
        const point b = opening->GetEnd()->GetPoint();
        ASSERT_TRUE(document->CloseRoom());
        SetClosetMark(opening, true);
        document->CreateClosets();

        ASSERT_EQ(document->GetNumOfRooms(), 2);
        CRoomFloor* bay = document->GetRoom(1);
        EXPECT_EQ(std::string(bay->GetName()).rfind("Hall", 0), 0u) << "named after the room it opens from";
        EXPECT_TRUE(bay->mbClosed);
        EXPECT_NE(document->GetPartitionOfRoom(bay), nullptr);
        EXPECT_FALSE(HasClosetMark(opening));
        ASSERT_EQ(bay->GetNumOfPrimitives(), 4);

        ZupOpening* entrance = bay->GetEntrance();
        ASSERT_NE(entrance, nullptr);
        ZupEdge* front = entrance->GetEdge();
        ASSERT_NE(front, nullptr);
        const point s = front->GetStart()->GetPoint();
        const point e = front->GetEnd()->GetPoint();
        auto near = [](const point& p, const point& q) { return GeoDistance(p, q) < 0.01; };
        EXPECT_TRUE((near(s, a) && near(e, b)) || (near(s, b) && near(e, a)))
            << "front (" << s.x() << ", " << s.y() << ") - (" << e.x() << ", " << e.y() << ")";

        // The back wall touches neither end of the front.
        ZupEdge* back = nullptr;
        for (ZupEdge* wall = bay->Get1stEdge(); wall; wall = bay->GetNextEdge())
            if (wall->GetStart() != front->GetStart() && wall->GetStart() != front->GetEnd() &&
                wall->GetEnd() != front->GetStart() && wall->GetEnd() != front->GetEnd())
                back = wall;
        ASSERT_NE(back, nullptr);
        EXPECT_NEAR(GeoDistance(back->GetStart()->GetPoint(), back->GetEnd()->GetPoint()), width / 2.0, 0.01);

        // Outside the room: beyond the wall x = 200, with some depth.
        bay->CalculateExtents();
        EXPECT_NEAR(bay->GetMinX(), 200.0, 0.01);
        EXPECT_GT(bay->GetMaxX(), 200.0 + 1.0);
        EXPECT_TRUE(bay->Resolve()) << "settled as it stands";
    }
}

// An L-shaped first room with its entrance in the middle of its bottom wall
// mirrors about the line through the entrance at right angles to that wall.
TEST_F(DocumentCommandsTest, MirrorTurnsTheRoomOverAtItsEntrance)
{
    const int row = FindPartitionIndex("L-Shape");
    ASSERT_GE(row, 0);
    ASSERT_TRUE(document->InsertShape(row, 0));
    document->PlaceEntrance(nullptr);
    ASSERT_TRUE(Room()->Resolve());
    ZupOpening* entrance = Room()->GetEntrance();
    ASSERT_NE(entrance, nullptr);
    if (std::fabs(entrance->GetGeoCenter().x() - 120.0) > 1e-6) {
        entrance->SetPosition(120.0, 0.0);
        ASSERT_TRUE(Room()->Resolve());
    }
    ASSERT_NEAR(entrance->GetGeoCenter().x(), 120.0, 1e-6);
    ASSERT_NEAR(entrance->GetGeoCenter().y(), 0.0, 1e-6);
    std::vector<point> before;
    for (KorNode* node : Room()->GetNodes())
        before.push_back(node->GetPoint());
    const float area = Room()->GetArea();

    document->OnMirror();

    ASSERT_EQ(Room()->GetNodes().size(), before.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
        const point& now = Room()->GetNodes()[i]->GetPoint();
        EXPECT_NEAR(now.x(), 240.0 - before[i].x(), 1e-6) << i;
        EXPECT_NEAR(now.y(), before[i].y(), 1e-6) << i;
    }
    EXPECT_TRUE(Room()->mbClosed) << "the mirrored room closes";
    EXPECT_EQ(document->m_plan.GetNumOfPartitions(), 1);
    EXPECT_NEAR(Room()->GetArea(), area, 0.01);
}
