// Rooms copied and merged into a plan at their shared opening, and floors
// loaded from command files and floor XML.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "kor_dimension.h"
#include "kor_node.h"
#include "kor_primitive.h"
#include "zup_camera.h"
#include "zup_opening.h"
#include "zup_partition.h"
#include "zup_room_fixture.h"
#include "zup_wall_fireplace.h"

namespace {

class ZupMergeTest : public ZupTest {
protected:
    void SetUp() override
    {
        ZupTest::SetUp();
        ZupMetric() = true;
    }

    // A w x h room at the origin with door A on its bottom wall at x = door.
    static std::unique_ptr<ZupFloor> Room(double w, double h, double door, const char* name)
    {
        auto floor = std::make_unique<ZupFloor>();
        SketchRectangle(*floor, w, h);
        ZupOpening* a = floor->CreateOpening("A", 1, door, 0.0);
        EXPECT_NE(a, nullptr);
        floor->SetEntrance(a);
        floor->SetName(name);
        return floor;
    }
    static std::string Text(ZupFloor& floor)
    {
        std::string text;
        floor.Save(text, false);
        return text;
    }
    static std::string TempPath(const char* name)
    {
        return std::string("/tmp/zup_merge_") + std::to_string(getpid()) + "_" + name;
    }
    static void ExpectNoMergeState()
    {
        EXPECT_EQ(ZupFloor::mpCurAddition, nullptr);
        EXPECT_EQ(ZupFloor::mpCurPartition, nullptr);
    }
};

TEST_F(ZupMergeTest, SecondRoomJoinsAtItsEntrance)
{
    auto first = Room(400, 300, 200, "Kitchen");
    auto second = Room(300, 200, 150, "Hall");
    ZupFloor plan;
    ZupPartition* kitchen = plan.Create(first.get());
    ASSERT_NE(kitchen, nullptr);
    ExpectNoMergeState();
    ASSERT_NE(plan.GetOpening("A"), nullptr);
    ZupPartition* hall = plan.AddPartition(second.get(), nullptr);
    ASSERT_NE(hall, nullptr);
    ExpectNoMergeState();
    ASSERT_TRUE(plan.MakePartitions(false));
    EXPECT_EQ(plan.GetNumOfPartitions(), 2);
    ZupOpening* door = plan.GetOpening("A");
    ASSERT_NE(door, nullptr);
    ASSERT_NE(door->GetEdge(), nullptr);
    EXPECT_EQ(EdgeType(door->GetEdge()), ZUP_EDGE_INNER);
}

// Fireplaces on the two faces of the shared wall become one two-faced
// fireplace; the merged room's copy goes and nothing touches it after.
TEST_F(ZupMergeTest, BackToBackFireplacesJoin)
{
    auto first = Room(400, 300, 100, "Living");
    ASSERT_NE(first->CreateFireplace(300.0, 0.0, 0), nullptr);
    auto second = Room(300, 200, 250, "Den");
    ASSERT_NE(second->CreateFireplace(50.0, 0.0, 0), nullptr);
    ZupFloor plan;
    ASSERT_NE(plan.Create(first.get()), nullptr);
    ASSERT_NE(plan.AddPartition(second.get(), nullptr), nullptr);
    int fireplaces = 0;
    for (int i = 0; i < plan.GetNumOfPrimitives(); ++i)
        if (ZupEdge* wall = ZupFloor::CastToEdge(plan.GetPrimitive(i)))
            for (int j = 0; j < wall->GetNumOfObjects(); ++j)
                if (auto* f = dynamic_cast<ZupWallFireplace*>(wall->GetWallObject(j))) {
                    ++fireplaces;
                    EXPECT_EQ(f->GetType(), 4);
                    EXPECT_EQ(f->GetDepth(), -100);
                }
    EXPECT_EQ(fireplaces, 1);
}

TEST_F(ZupMergeTest, NamesakesTooFarApartStopTheMerge)
{
    auto first = Room(400, 300, 200, "Kitchen");
    ASSERT_NE(first->CreateOpening("B", 1, 400.0, 150.0), nullptr);
    auto second = Room(300, 200, 150, "Hall");
    ASSERT_NE(second->CreateOpening("B", 1, 0.0, 100.0), nullptr);
    ZupFloor plan;
    ASSERT_NE(plan.Create(first.get()), nullptr);
    EXPECT_EQ(plan.AddPartition(second.get(), nullptr), nullptr);
    ExpectNoMergeState();
    // The room that could not join is out of the list, not left dangling.
    EXPECT_EQ(plan.GetNumOfPartitions(), 1);
    const G_POINT offset = ZupFloor::GetCurDiscrepancy();
    EXPECT_TRUE(std::fabs(offset.x) > plan.InputSnap() || std::fabs(offset.y) > plan.InputSnap());
}

TEST_F(ZupMergeTest, CommandFileLoadsTheRoomAgain)
{
    auto room = Room(400, 300, 200, "Kitchen");
    ZupOpening* door = room->GetOpening("A");
    door->SetAction(ZupOpening::ACTION(2));
    door->SetPosition(ZupOpening::POSITION(1));
    ASSERT_NE(room->CreateCamera("1", 200.0, 150.0, 90), nullptr);
    const std::string text = Text(*room);
    const std::string path = TempPath("room.vcr");
    std::ofstream(path) << text;
    ZupResetGlobals();
    ZupMetric() = true;
    ZupFloor copy;
    ASSERT_TRUE(copy.Load(path.c_str()));
    std::remove(path.c_str());
    ASSERT_TRUE(copy.MakePartitions(false));
    EXPECT_EQ(copy.GetNumOfPartitions(), 1);
    ASSERT_NE(copy.GetOpening("A"), nullptr);
    EXPECT_EQ(copy.GetEntrance(), copy.GetOpening("A"));
    EXPECT_NE(copy.GetCamera("1"), nullptr);
    EXPECT_EQ(copy.GetNodes().size(), room->GetNodes().size());
    EXPECT_EQ(Text(copy), text);
    EXPECT_FALSE(copy.Load(TempPath("missing.vcr").c_str()));
}

std::string FloorXml(const std::string& rooms)
{
    return "<?xml version=\"1.0\"?>\n<!-- plan -->\n<FLOOR_PLAN>" + rooms + "</FLOOR_PLAN>\n";
}

const char* const kRoomBody =
    "Nod1=Node(0.0,0.0);Nod2=Node(400.0,0.0);Nod3=Node(400.0,300.0);Nod4=Node(0.0,300.0);"
    "Nod5=Node(200.0,0.0);"
    "Seg1=Segment(Nod1,Nod2);Seg2=Segment(Nod2,Nod3);Seg3=Segment(Nod3,Nod4);"
    "Seg4=Segment(Nod4,Nod1);Hor1=Horizontal(Seg1);D1=Distance(Nod1,Nod2);D1=Value(400.00)";

TEST_F(ZupMergeTest, FloorXmlBuildsTheRoomWithItsOpening)
{
    const std::string xml = FloorXml(std::string("<PARTITION><SHAPE body=\"") + kRoomBody +
                                     "\"/><OPENING name=\"A\" position=\"Nod5\"/></PARTITION>");
    const std::string path = TempPath("plan.v2.xml");
    std::ofstream(path) << xml;
    ZupFloor floor;
    ASSERT_TRUE(floor.Load(path.c_str()));
    std::remove(path.c_str());
    EXPECT_EQ(floor.GetNumOfPartitions(), 1);
    ZupOpening* a = floor.GetOpening("A");
    ASSERT_NE(a, nullptr);
    EXPECT_NEAR(a->GetGeoCenter().x(), 200.0, floor.InputSnap());
    EXPECT_NEAR(a->GetGeoCenter().y(), 0.0, 1e-6);
    // The distance went; the alignment stayed.
    for (KorDimension* d : floor.GetDimensions())
        EXPECT_NE(d->GetType(), KOR_DISTANCE);
}

TEST_F(ZupMergeTest, FloorXmlMergesTheSecondRoomAtTheSharedOpening)
{
    const char* hall =
        "Nod1=Node(0.0,0.0);Nod2=Node(300.0,0.0);Nod3=Node(300.0,200.0);Nod4=Node(0.0,200.0);"
        "Nod5=Node(150.0,0.0);"
        "Seg1=Segment(Nod1,Nod2);Seg2=Segment(Nod2,Nod3);Seg3=Segment(Nod3,Nod4);"
        "Seg4=Segment(Nod4,Nod1)";
    const std::string xml = FloorXml(
        std::string("<PARTITION><SHAPE body=\"") + kRoomBody +
        "\"/><OPENING name=\"A\" position=\"Nod5\"/></PARTITION>" + "<PARTITION><SHAPE body=\"" +
        hall + "\"/><OPENING name=\"A\" position=\"Nod5\"/></PARTITION>");
    const std::string path = TempPath("two.xml");
    std::ofstream(path) << xml;
    ZupFloor floor;
    EXPECT_TRUE(floor.Load(path.c_str()));
    std::remove(path.c_str());
    EXPECT_EQ(floor.GetNumOfPartitions(), 2);
    ExpectNoMergeState();
}

TEST_F(ZupMergeTest, FloorXmlRefusals)
{
    const std::string room = std::string("<PARTITION><SHAPE body=\"") + kRoomBody + "\"/></PARTITION>";
    struct Case {
        const char* what;
        std::string xml;
        bool ok;
    };
    const Case cases[] = {
        {"no plan", "<OTHER/>", false},
        {"cut off", "<FLOOR_PLAN><PARTITION>", false},
        {"room without shape", FloorXml("<PARTITION><X/></PARTITION>"), false},
        {"empty body", FloorXml("<PARTITION><SHAPE body=\"\"/></PARTITION>"), true},
        {"second room without opening", FloorXml(room + room), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = TempPath("case.xml");
        std::ofstream(path) << c.xml;
        ZupFloor floor;
        EXPECT_EQ(floor.Load(path.c_str()), c.ok);
        std::remove(path.c_str());
        if (std::string(c.what) == "second room without opening") {
            EXPECT_EQ(floor.GetNumOfPartitions(), 1);  // the first room stays
        }
        ExpectNoMergeState();
    }
}

TEST_F(ZupMergeTest, ADottedFolderStillPlaysACommandFile)
{
    const std::string folder = TempPath("dir.xml");
    ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
    const std::string path = folder + "/room.vcr";
    std::ofstream(path) << "Nod1=Node(0.0,0.0)\nNod2=Node(100.0,0.0)\nSeg1=Segment(Nod1,Nod2)\n";
    ZupFloor floor;
    EXPECT_TRUE(floor.Load(path.c_str()));
    EXPECT_EQ(floor.GetNumOfPrimitives(), 1);
    std::remove(path.c_str());
    rmdir(folder.c_str());
}

}  // namespace

namespace {

// A 400 x 300 room whose walls come in the order and direction its text
// gives them, door "A" at (250, 0) its entrance.
std::unique_ptr<ZupFloor> RoomFromText(const std::string& walls)
{
    auto floor = std::make_unique<ZupFloor>();
    const std::string body =
        "Nod1=Node(0.0,0.0)\nNod2=Node(400.0,0.0)\nNod3=Node(400.0,300.0)\nNod4=Node(0.0,300.0)\n"
        "Nod5=Node(150.0,0.0)\n" + walls;
    EXPECT_TRUE(floor->playbackStartFromString(body)) << body;
    ZupOpening* door = floor->CreateOpening("A", 1, 250.0, 0.0);
    EXPECT_NE(door, nullptr);
    floor->SetEntrance(door);
    floor->SetName("Den");
    return floor;
}

struct WallOrderCase {
    const char* what;
    const char* walls;
};

// The same room with its walls listed as a user's exchange file or a later
// division of a wall may leave them.
const WallOrderCase kWallOrders[] = {
    {"head to tail", "Seg1=Segment(Nod1,Nod2)\nSeg2=Segment(Nod2,Nod3)\nSeg3=Segment(Nod3,Nod4)\n"
                     "Seg4=Segment(Nod4,Nod1)\n"},
    {"a wall written from its far end",
     "Seg1=Segment(Nod1,Nod2)\nSeg2=Segment(Nod3,Nod2)\nSeg3=Segment(Nod3,Nod4)\nSeg4=Segment(Nod4,Nod1)\n"},
    {"the first wall written from its far end",
     "Seg1=Segment(Nod2,Nod1)\nSeg2=Segment(Nod2,Nod3)\nSeg3=Segment(Nod3,Nod4)\nSeg4=Segment(Nod4,Nod1)\n"},
    {"walls listed out of order",
     "Seg1=Segment(Nod1,Nod2)\nSeg3=Segment(Nod3,Nod4)\nSeg2=Segment(Nod2,Nod3)\nSeg4=Segment(Nod4,Nod1)\n"},
    {"a wall divided later", "Seg1=Segment(Nod1,Nod5)\nSeg2=Segment(Nod2,Nod3)\nSeg3=Segment(Nod3,Nod4)\n"
                             "Seg4=Segment(Nod4,Nod1)\nSeg5=Segment(Nod5,Nod2)\n"},
};

struct Span {
    point a, b;
};

std::vector<Span> WallSpans(ZupFloor& floor)
{
    std::vector<Span> spans;
    for (KorPrimitive* p : floor.GetPrimitives())
        if (ZupFloor::CastToEdge(p))
            spans.push_back({p->GetStart()->GetPoint(), p->GetEnd()->GetPoint()});
    return spans;
}

bool SameSpan(const Span& s, const Span& t)
{
    const auto near = [](const point& p, const point& q) {
        return std::fabs(p.x() - q.x()) < 1e-6 && std::fabs(p.y() - q.y()) < 1e-6;
    };
    return (near(s.a, t.a) && near(s.b, t.b)) || (near(s.a, t.b) && near(s.b, t.a));
}

// No wall of the plan hangs loose: every corner joins two walls or more.
void ExpectEveryNodeJoinsTwoWalls(ZupFloor& plan)
{
    for (KorNode* node : plan.GetNodes()) {
        int walls = 0;
        for (short i = 0; i < node->GetNumOfPrimitives(); ++i)
            walls += ZupFloor::CastToEdge(node->GetPrimitive(i)) ? 1 : 0;
        if (walls > 0) {
            EXPECT_GE(walls, 2) << "(" << node->x() << ", " << node->y() << ")";
        }
    }
}

}  // namespace

// Each wall of the plan runs between the plan nodes made for its own two
// ends, whatever the order and direction of the room's walls.
TEST_F(ZupMergeTest, TheFirstRoomIsCopiedWallForWallInAnyOrder)
{
    for (const WallOrderCase& c : kWallOrders) {
        SCOPED_TRACE(c.what);
        auto room = RoomFromText(c.walls);
        ZupFloor plan;
        ZupPartition* copy = plan.Create(room.get());
        EXPECT_NE(copy, nullptr);
        if (!copy)
            continue;
        EXPECT_NEAR(std::fabs(copy->GetContour().area()), 400.0 * 300.0, 1e-3);
        const std::vector<Span> walls = WallSpans(*room), copied = WallSpans(plan);
        EXPECT_EQ(copied.size(), walls.size());
        for (const Span& wall : walls)
            EXPECT_TRUE(std::any_of(copied.begin(), copied.end(), [&](const Span& s) { return SameSpan(s, wall); }))
                << "(" << wall.a.x() << ", " << wall.a.y() << ") - (" << wall.b.x() << ", " << wall.b.y() << ")";
        ExpectEveryNodeJoinsTwoWalls(plan);
    }
}

TEST_F(ZupMergeTest, ARoomIsMergedWallForWallInAnyOrder)
{
    for (const WallOrderCase& c : kWallOrders) {
        SCOPED_TRACE(c.what);
        auto first = Room(400, 300, 200, "Kitchen");
        auto room = RoomFromText(c.walls);
        ZupFloor plan;
        ASSERT_NE(plan.Create(first.get()), nullptr);
        ZupPartition* merged = plan.AddPartition(room.get(), nullptr);
        EXPECT_NE(merged, nullptr);
        if (!merged)
            continue;
        EXPECT_NEAR(std::fabs(merged->GetContour().area()), 400.0 * 300.0, 1e-3);
        ExpectEveryNodeJoinsTwoWalls(plan);
    }
}
