// A level that branches, built as the program builds it: rooms entered
// through doors of the rooms before them, going back into a room and out
// through another of its doors. Every room lands on the far side of its
// door, while it is drawn and once it is joined.
#include <string>
#include <vector>

#include "../floorplan/zup_plan_checks.h"
#include "level_fixture.h"
#include "zup_opening.h"
#include "zup_partition.h"

namespace {

using plan_checks::Outline;

class LevelBranchingTest : public LevelTest {
protected:
    // A door at the middle of a wall of the current room.
    ZupOpening* AddDoor(const char* name, ZupEdge* wall)
    {
        if (!wall)
            return nullptr;
        const point centre = wall->GetGeoCenter();
        ZupOpening* door = Room()->CreateOpening(name, 1, centre.x(), centre.y());
        if (door) {
            door->CreateWidthDimension();
            door->CreatePosDimension(nullptr, -1.0f);
        }
        return door;
    }
    // The Exit mode's tap on a door: the room closes, the pen goes through.
    bool LeaveThrough(const char* name)
    {
        ZupOpening* door = Room()->GetOpening(name);
        if (!door || !document->CloseRoom())
            return false;
        document->ExitThroughOpening(door);
        return true;
    }
    // The room just entered, drawn from the first shape with its entrance.
    void DrawEnteredRoom()
    {
        ASSERT_TRUE(document->InsertShape(0, 0));
        document->PlaceEntrance(nullptr);
        ASSERT_NE(Room()->GetEntrance(), nullptr);
    }
    std::vector<Outline> PlanOutlines()
    {
        std::vector<Outline> outlines;
        for (int i = 0; i < document->GetNumOfRooms(); ++i)
            if (ZupPartition* partition = document->GetPartitionOfRoom(document->GetRoom(i)))
                outlines.push_back(plan_checks::OutlineOf(partition));
        return outlines;
    }
    // The room being drawn, where it stands, against the rooms of the plan.
    int DrawnRoomOverlaps()
    {
        std::vector<Outline> outlines;
        for (int i = 0; i < document->GetNumOfRooms(); ++i) {
            CRoomFloor* room = document->GetRoom(i);
            if (room == Room())
                continue;
            if (ZupPartition* partition = document->GetPartitionOfRoom(room))
                outlines.push_back(plan_checks::OutlineOf(partition));
        }
        Outline drawn;
        polygon& contour = Room()->GetOuterContour();
        for (short i = 0; i < contour.count(); ++i)
            drawn.push_back({contour[i].get_point().x(), contour[i].get_point().y()});
        int overlaps = 0;
        for (const Outline& o : outlines)
            overlaps += plan_checks::OverlapSamples({o, drawn});
        return overlaps;
    }
};

}  // namespace

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
