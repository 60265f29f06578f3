// Files whose size once made an open run for tens of seconds: a room with a
// fan of hundreds of walls from one corner, and a level of many rooms of one
// name. Each opens whole; how fast goes in the open benchmark.
#include <cstdio>
#include <fstream>
#include <set>
#include <iterator>
#include <string>

#include "distances.h"
#include "floor_plan_test_support.h"
#include "kor_node.h"
#include "kor_primitive.h"

namespace {

std::string ReadInput(const char* name)
{
    std::ifstream file(std::string(PELK_TEST_INPUTS) + "/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// A level of `count` rectangles, every one named `name`.
std::string LevelOfRoomsNamed(const std::string& name, int count)
{
    std::string path, rooms;
    for (int i = 0; i < count; ++i) {
        path += name + ",";
        rooms += "<" + name + " body=\"Name=" + name +
                 "\nN1=Node(0.0,0.0)\nN2=Node(200.0,0.0)\nN3=Node(200.0,300.0)\nN4=Node(0.0,300.0)"
                 "\nEntrance=Node(100.0,0.0)\nS1=Segment(N1,N2)\nS2=Segment(N2,N3)"
                 "\nS3=Segment(N3,N4)\nS4=Segment(N4,N1)\nShape=Rectangle\n\"/>\n\n";
    }
    return "\n<QUENDAR_FPL version=\"1.0\" house=\"1\" street=\"Anystreet\" unit=\"\" level=\"Main\" "
           "zip=\"\" mls=\"\" jobid=\"\" orient=\"none\" codepage=\"0\"\n path=\"" +
           path + "\">\n<HISTORY></HISTORY>\n" + rooms + "</QUENDAR_FPL>\n";
}

// The room's walls as text: each wall's end points.
std::string Walls(CRoomFloor& room)
{
    std::string text;
    char line[96];
    for (KorPrimitive* wall : room.GetPrimitives()) {
        const point& a = wall->GetStart()->GetPoint();
        const point& b = wall->GetEnd()->GetPoint();
        std::snprintf(line, sizeof line, "(%.3f,%.3f)-(%.3f,%.3f) ", a.x(), a.y(), b.x(), b.y());
        text += line;
    }
    return text;
}

}  // namespace

using OpenLargeFilesTest = FloorPlanTest;

TEST_F(OpenLargeFilesTest, ARoomWithAFanOfFourHundredWallsFromOneCornerOpens)
{
    const std::string text = ReadInput("open_fan_400_walls_slow.fpl");
    ASSERT_FALSE(text.empty());
    CReplDoc reader;
    ASSERT_TRUE(Load(reader, text));
    ASSERT_EQ(reader.GetNumOfRooms(), 1);
    EXPECT_EQ(RoomName(reader, 0), "Hall1");
    // The rectangle stands where the file put it.
    CRoomFloor& room = *reader.GetRoom(0);
    for (const point& corner : {point(0, 0), point(200, 0), point(200, 300), point(0, 300)}) {
        bool found = false;
        for (KorNode* node : room.GetNodes())
            found = found || GeoDistance(node->GetPoint(), corner) < 1e-9;
        EXPECT_TRUE(found) << corner.x() << ", " << corner.y();
    }
    // What was read is written and read again with the same walls.
    CReplDoc again;
    ASSERT_TRUE(Load(again, FileText(reader)));
    ASSERT_EQ(again.GetNumOfRooms(), 1);
    EXPECT_EQ(Walls(*again.GetRoom(0)), Walls(room));
}

// Each room after the first of its name is read under a numbered name.
TEST_F(OpenLargeFilesTest, ManyRoomsOfOneNameOpenUnderNumberedNames)
{
    CReplDoc reader;
    ASSERT_TRUE(Load(reader, LevelOfRoomsNamed("Hall1", 200)));
    ASSERT_EQ(reader.GetNumOfRooms(), 200);
    std::set<std::string> names;
    for (int i = 0; i < reader.GetNumOfRooms(); ++i)
        names.insert(RoomName(reader, i));
    EXPECT_EQ(names.size(), 200u);
    EXPECT_EQ(RoomName(reader, 0), "Hall1");
}
