// A level of two rooms joined at a door, written as a floor-plan file and
// read into a fresh document: the rooms come back joined into the plan.
#include <string>

#include "level_fixture.h"
#include "room_type.h"
#include "room_type_catalog.h"
#include "zup_opening.h"

namespace {

class LevelRoundTripTest : public LevelTest {
protected:
    // Hall1 (the rectangle with its entrance and a door Hall1A on its right
    // wall) and a second room entered through that door.
    void DrawTwoRooms()
    {
        DrawRectangle();
        // Named as New Room names it, so that the next room gets the next number.
        Room()->ZupFloor::SetName(CRoomTypeCatalog::Instance(true)->Find("Hall", false)->GetNextName().c_str());
        ASSERT_STREQ(Room()->GetName(), "Hall1");
        ZupOpening* door = Room()->CreateOpening("Hall1A", 1, 200.0, 150.0);
        ASSERT_NE(door, nullptr);
        door->CreateWidthDimension();
        door->CreatePosDimension(nullptr, -1.0f);
        ASSERT_TRUE(document->CloseRoom());
        ZupOpening* portal = document->m_plan.GetOpening("Hall1A");
        ASSERT_NE(portal, nullptr);
        document->m_entrance = portal;
        document->NewRoom();
        ASSERT_TRUE(document->InsertShape(0, 0));
        document->PlaceEntrance(nullptr);
        ASSERT_TRUE(document->CloseRoom());
    }
};

}  // namespace

TEST_F(LevelRoundTripTest, TwoJoinedRoomsComeBackJoined)
{
    DrawTwoRooms();
    ASSERT_EQ(document->GetNumOfRooms(), 2);
    ASSERT_EQ(document->m_plan.GetNumOfPartitions(), 2);
    const std::string secondName =
        document->GetRoom(1)->GetName() ? document->GetRoom(1)->GetName() : "";
    // The second room stands outside the first, beyond the door's wall.
    document->GetRoom(1)->CalculateExtents();
    EXPECT_GE(document->GetRoom(1)->GetMinX(), 200.0 - 0.5);

    std::string text;
    document->BuildFileText(text);
    ASSERT_FALSE(text.empty());

    CReplDoc reopened;
    ASSERT_TRUE(reopened.ParseFile(text.data(), static_cast<int>(text.size())));
    ASSERT_EQ(reopened.GetNumOfRooms(), 2);
    EXPECT_STREQ(reopened.GetRoom(0)->GetName(), "Hall1");
    EXPECT_EQ(std::string(reopened.GetRoom(1)->GetName() ? reopened.GetRoom(1)->GetName() : ""),
              secondName);
    // The last room is open for editing; the plan shows both once it is closed.
    EXPECT_EQ(reopened.GetCurrentRoom(), reopened.GetRoom(1));
    reopened.m_roomView = true;
    reopened.OnViewChange();
    EXPECT_FALSE(reopened.m_roomView);
    EXPECT_EQ(reopened.m_plan.GetNumOfPartitions(), 2);
    EXPECT_NE(reopened.m_plan.GetOpening("Hall1A"), nullptr);
}
