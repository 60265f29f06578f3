// A room read back from its text (a floor-plan file, the journal) is the room
// that was written: whole, and behaving under the pen as it did before.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "floor_plan_test_support.h"
#include "kor_nn_distance.h"
#include "kor_node.h"

namespace {

std::string ReadInput(const char* name)
{
    std::ifstream file(std::string(PELK_TEST_INPUTS) + "/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Every node-to-node distance of the room runs along a tracker its nodes hold.
void ExpectDistancesOnLiveTrackers(CRoomFloor& room)
{
    for (KorNode* node : room.GetNodes())
        for (int i = 0; i < node->GetNumOfDimaints(); ++i) {
            auto* d = dynamic_cast<KorNNDistance*>(node->GetDimaint(i));
            if (!d || !d->GetCarryingTracker())
                continue;
            bool held = false;
            for (unsigned t = 0; t < node->GetNumOfTrackers(); ++t)
                held = held || node->GetTracker(t) == d->GetCarryingTracker();
            EXPECT_TRUE(held);
        }
}

// The room's nodes, walls and dimensions as text, without their names.
std::string Outline(CRoomFloor& room)
{
    std::string text;
    char line[96];
    for (KorNode* node : room.GetNodes()) {
        std::snprintf(line, sizeof line, "(%.3f,%.3f)", node->x(), node->y());
        text += line;
    }
    std::snprintf(line, sizeof line, " walls %d dimensions %zu", room.GetNumOfPrimitives(),
                  room.GetDimensions().size());
    return text + line;
}

}  // namespace

using RoomReadBackTest = FloorPlanTest;

// A room body whose replay collapses a wall that a distance runs along.
TEST_F(RoomReadBackTest, RoomBodyCollapsingAMeasuredWallOpensWhole)
{
    const std::string text = ReadInput("uaf_room_body.fpl");
    ASSERT_FALSE(text.empty());
    CReplDoc reader;
    ASSERT_TRUE(Load(reader, text));
    ASSERT_EQ(reader.GetNumOfRooms(), 1);
    ExpectDistancesOnLiveTrackers(*reader.GetRoom(0));
    // What was read is written and read again unchanged.
    CReplDoc again;
    ASSERT_TRUE(Load(again, FileText(reader)));
    ASSERT_EQ(again.GetNumOfRooms(), 1);
    EXPECT_EQ(Outline(*again.GetRoom(0)), Outline(*reader.GetRoom(0)));
}
