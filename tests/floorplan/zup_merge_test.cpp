// Rooms copied and merged into a plan at their shared opening, and floors
// loaded from command files and floor XML.
#include <cmath>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "kor_dimension.h"
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
