// A level opened keeps the values its text gives: the file keeps nodes to a
// tenth of an inch, so a room read back stands a little off its given
// lengths until it is solved; the lengths the plan holds for a joined room
// must not be taken from that geometry and then be found at odds with the
// given ones.
#include <fstream>
#include <iterator>
#include <string>

#include "floor_plan_test_support.h"
#include "given_values.h"
#include "kor_dimension.h"
#include "kor_node.h"
#include "zup_opening.h"

namespace {

std::string ReadInput(const char* name)
{
    std::ifstream file(std::string(PELK_TEST_INPUTS) + "/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace

using ReopenedGivenValuesTest = FloorPlanTest;

// A hall and a leaning room behind its door, the door's width given: the
// room's nodes as written put the door 32.02 wide.
TEST_F(ReopenedGivenValuesTest, ALeaningRoomKeepsItsGivenDoorWidth)
{
    const std::string saved = ReadInput("reopen_leaning_room_given_width.fpl");
    ASSERT_FALSE(saved.empty());
    const std::vector<std::string> given = GivenValues(saved);
    ASSERT_FALSE(given.empty());
    CReplDoc opened;
    ASSERT_TRUE(Load(opened, saved));
    ASSERT_EQ(opened.GetNumOfRooms(), 2);
    EXPECT_EQ(GivenValues(FileText(opened)), given);
    // The door's width is given as it was.
    CRoomFloor& room = *opened.GetRoom(1);
    ZupOpening* door = room.GetEntrance();
    ASSERT_NE(door, nullptr);
    KorDimension* width = room.GetDimension(door->GetStart(), door->GetEnd(), false);
    ASSERT_NE(width, nullptr);
    EXPECT_TRUE(width->IsEnabled());
    EXPECT_EQ(width->GetValueString(), "32.00");
}
