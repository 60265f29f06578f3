// A floor's command text with its objects: the lines written, their replay
// into a fresh floor, and the fixpoint write - replay - write.
#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "kor_nn_distance.h"
#include "zup_bath_object.h"
#include "zup_camera.h"
#include "zup_column.h"
#include "zup_edge.h"
#include "zup_island.h"
#include "zup_node_object.h"
#include "zup_opening.h"
#include "zup_player.h"
#include "zup_room_fixture.h"
#include "zup_structural.h"
#include "zup_utility_object.h"
#include "zup_wall_object.h"
#include "zup_wall_fireplace.h"
#include "zup_window.h"

namespace {

// A floor whose factory makes every kind, as the program's does.
class FullFloor : public ZupFloor {
public:
    ZupIsland* CreateIsland(double x, double y) override { return Place(new ZupIsland(), x, y); }
    ZupColumn* CreateColumn(double x, double y) override { return Place(new ZupColumn(), x, y); }
    ZupSpiralStair* CreateSpiralStair(double x, double y) override
    {
        return Place(new ZupSpiralStair(), x, y);
    }
    ZupFireplace* CreateFireplace(double x, double y) override
    {
        return Place(new ZupFireplace(), x, y);
    }
    using ZupFloor::CreateFireplace;
    ZupUtilityObject* CreateUtilityObject(int type, ZupNode* a, ZupNode* b, int depth, int panes,
                                          int windowType) override
    {
        auto* object = new ZupUtilityObject(this);
        if (!object->ZupWallObject::Create(a, b, type, depth)) {
            delete object;
            return nullptr;
        }
        object->SetAttachedWindowPanes(panes);
        object->SetAttachedWindowType(windowType);
        return object;
    }
    using ZupFloor::CreateUtilityObject;
    ZupStructural* CreateStructural(int type, ZupNode* a, ZupNode* b, int depth) override
    {
        auto* object = new ZupStructural(this);
        if (!object->ZupWallObject::Create(a, b, type, depth)) {
            delete object;
            return nullptr;
        }
        return object;
    }
    using ZupFloor::CreateStructural;

    // The bath arguments of the last replayed bath line.
    int bathArgs[4] = {-1, -1, -1, -1};
    ZupBathObject* CreateBathObject(int type, ZupNode* a, ZupNode* b, int depth, int panes,
                                    int windowType) override
    {
        bathArgs[0] = type;
        bathArgs[1] = depth;
        bathArgs[2] = panes;
        bathArgs[3] = windowType;
        return ZupFloor::CreateBathObject(type, a, b, depth, panes, windowType);
    }
    using ZupFloor::CreateBathObject;

private:
    template <class T>
    T* Place(T* object, double x, double y)
    {
        if (object->Create(this, x, y, nullptr, true))
            return object;
        delete object;
        return nullptr;
    }
};

class ZupPlayerTest : public ZupTest {
protected:
    void SetUp() override
    {
        ZupTest::SetUp();
        ZupMetric() = true;
    }

    // The metric room (0,0)-(400,0)-(400,300)-(0,300), its rooms found.
    static void Sketch(ZupFloor& floor) { SketchRectangle(floor, 400, 300); }
    // The room with door "A" (type 1, action 2, position 1) as its entrance,
    // its wall 4.5 thick, and camera "1" at the centre facing 90 degrees.
    static ZupOpening* Furnish(ZupFloor& floor)
    {
        ZupOpening* door = floor.CreateOpening("A", 1, 200.0, 0.0);
        EXPECT_NE(door, nullptr);
        door->SetAction(ZupOpening::ACTION(2));
        door->SetPosition(ZupOpening::POSITION(1));
        door->GetEdge()->WallThickness() = 4.5f;
        floor.SetEntrance(door);
        EXPECT_NE(floor.CreateCamera("1", 200.0, 150.0, 90), nullptr);
        return door;
    }
    static std::string Text(ZupFloor& floor)
    {
        std::string text;
        floor.Save(text, false);
        return text;
    }
    static bool Replay(ZupFloor& floor, const std::string& text)
    {
        ZupPlayer player(&floor);
        if (!player.init_string(text))
            return false;
        player.play();
        return player.close();
    }
    static std::string NodeName(ZupFloor& floor, KorNode* node)
    {
        const char* name = floor.GetNamesManager().GetName(floor.GetHandle(node), KOR_NODE);
        return name ? name : "";
    }
};

TEST_F(ZupPlayerTest, DoorThicknessEntranceAndCameraLines)
{
    FullFloor floor;
    Sketch(floor);
    ZupOpening* door = Furnish(floor);
    ASSERT_NE(door, nullptr);
    const std::string text = Text(floor);
    const std::string doorLine = "A=Opening(" + NodeName(floor, door->GetStart()) + "," +
                                 NodeName(floor, door->GetEnd()) + ",289)\n";
    const std::size_t atDoor = text.find(doorLine);
    ASSERT_NE(atDoor, std::string::npos) << doorLine << text;
    EXPECT_EQ(text.find("A=Thickness(4.500000)\n"), atDoor + doorLine.size());
    const std::size_t atEntrance = text.find("Entrance=A\n");
    const std::size_t atCamera = text.find("1=Camera(200.0,150.0,90)\n");
    ASSERT_NE(atEntrance, std::string::npos);
    ASSERT_NE(atCamera, std::string::npos);
    EXPECT_LT(atDoor, atEntrance);
    EXPECT_LT(atEntrance, atCamera);

    door->GetEdge()->WallThickness() = 0.0f;
    EXPECT_EQ(Text(floor).find("Thickness"), std::string::npos);
}

TEST_F(ZupPlayerTest, ReplayGivesTheSameFloorAndTheSameText)
{
    FullFloor floor;
    Sketch(floor);
    ZupOpening* door = Furnish(floor);
    ASSERT_NE(door, nullptr);
    const std::string first = Text(floor);

    ZupResetGlobals();
    ZupMetric() = true;
    FullFloor copy;
    ASSERT_TRUE(Replay(copy, first));
    ASSERT_TRUE(copy.MakePartitions(false));
    EXPECT_EQ(copy.GetNumOfPartitions(), 1);
    ZupOpening* replayed = copy.GetOpening("A");
    ASSERT_NE(replayed, nullptr);
    EXPECT_EQ(replayed->GetType(), 1);
    EXPECT_EQ(replayed->GetAction(), 2);
    EXPECT_EQ(replayed->GetPosition(), 1);
    EXPECT_FLOAT_EQ(replayed->GetWidth(), door->GetWidth());
    EXPECT_FLOAT_EQ(replayed->GetEdge()->WallThickness(), 4.5f);
    EXPECT_EQ(copy.GetEntrance(), replayed);
    ZupCamera* camera = copy.GetCamera("1");
    ASSERT_NE(camera, nullptr);
    EXPECT_NEAR(camera->GetDirection().deg(), 90.0, 1e-9);
    EXPECT_EQ(copy.GetNodes().size(), floor.GetNodes().size());
    EXPECT_EQ(Text(copy), first);
}

TEST_F(ZupPlayerTest, IslandWordFacing270)
{
    FullFloor floor;
    Sketch(floor);
    ASSERT_TRUE(Replay(floor, "Obj==Island(36.0,48.0,2273559968)"));
    ASSERT_EQ(floor.GetNumOfObjects(), 1);
    auto* island = dynamic_cast<ZupIsland*>(floor.GetRoomObject(0));
    ASSERT_NE(island, nullptr);
    EXPECT_NEAR(island->GetDirection().deg(), 270.0, 1e-9);
    EXPECT_EQ(island->GetDepth(), 60);
    EXPECT_FLOAT_EQ(island->GetWidth(), 120.0f);
    // Written back: 90 in bits 4-11 with bit 31 set.
    const unsigned word = island->GetAttributeWord();
    EXPECT_EQ((word >> 4) & 0xFF, 90u);
    EXPECT_NE(word & 0x80000000u, 0u);
    EXPECT_EQ(word, 2273559968u);
}

TEST_F(ZupPlayerTest, BathLineReachesTheFactoryWithItsFields)
{
    FullFloor floor;
    Sketch(floor);
    KorPrimitive* wall = floor.GetPrimitive(0);
    const std::string line = "Obj=BathObject(" + NodeName(floor, wall->GetStart()) + "," +
                             NodeName(floor, wall->GetEnd()) + ",19202050)";
    Replay(floor, line);
    EXPECT_EQ(floor.bathArgs[0], 2);
    EXPECT_EQ(floor.bathArgs[1], 80);
    EXPECT_EQ(floor.bathArgs[2], 2);
    EXPECT_EQ(floor.bathArgs[3], 1);
}

TEST_F(ZupPlayerTest, OpeningWithoutWordAndUnknownEntrance)
{
    FullFloor floor;
    Sketch(floor);
    KorPrimitive* wall = floor.GetPrimitive(0);
    const std::string a = NodeName(floor, wall->GetStart());
    const std::string b = NodeName(floor, wall->GetEnd());
    ASSERT_TRUE(Replay(floor, "X=Opening(" + a + "," + b + ");Entrance=Nope"));
    ZupOpening* opening = floor.GetOpening("X");
    ASSERT_NE(opening, nullptr);
    EXPECT_EQ(opening->GetType(), 0);
    EXPECT_EQ(floor.GetEntrance(), nullptr);
}

// An opening's word: words written before External and the closet mark had
// bits read as a connectable opening without a mark, as they always did; the
// two bits come back and are written again as read.
TEST_F(ZupPlayerTest, OpeningWordKeepsExternalAndTheClosetMark)
{
    const struct {
        unsigned word;
        bool connectable;
        bool closet;
    } cases[] = {
        {273u, true, false},                  // an entrance's word as earlier files hold it
        {1u, true, false},                    // a plain door
        {273u + (1u << 28), false, false},    // External
        {1u + (1u << 29), true, true},        // Closet
        {0u + (1u << 29), true, true},        // Bay, on an empty opening
        {289u + (3u << 28), false, true},     // both
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.word);
        FullFloor floor;
        Sketch(floor);
        KorPrimitive* wall = floor.GetPrimitive(0);
        const std::string a = NodeName(floor, wall->GetStart());
        const std::string b = NodeName(floor, wall->GetEnd());
        ASSERT_TRUE(Replay(floor, "X=Opening(" + a + "," + b + "," + std::to_string(c.word) + ")"));
        ZupOpening* opening = floor.GetOpening("X");
        ASSERT_NE(opening, nullptr);
        EXPECT_EQ(opening->GetType(), static_cast<int>(c.word & 0xF));
        EXPECT_EQ(static_cast<unsigned>(opening->GetAction()), (c.word >> 4) & 0xF);
        EXPECT_EQ(static_cast<unsigned>(opening->GetPosition()), (c.word >> 8) & 0xF);
        EXPECT_EQ(opening->IsConnectable(nullptr), c.connectable);
        EXPECT_EQ(opening->IsCloset(), c.closet);
        EXPECT_EQ(opening->GetAttributeWord(), c.word);
    }
}

TEST_F(ZupPlayerTest, BrokenObjectLinesCreateNothing)
{
    FullFloor floor;
    Sketch(floor);
    const std::size_t nodes = floor.GetNodes().size();
    const char* lines[] = {
        "Obj=Window(NoSuch,Other,1)", "Obj=Fireplace(NoSuch,Other,5)", "Obj=Corner(NoSuch,3)",
        "Obj==Island(abc,1,5)",       "1=Camera(1,2)",                 "A=Thickness(4)",
        "Obj==Column(1e999,5,3)",     "Str=Stair(X,Y,3)",
    };
    for (const char* line : lines) {
        Replay(floor, line);
        EXPECT_EQ(floor.GetNumOfObjects(), 0) << line;
    }
    EXPECT_EQ(floor.GetNodes().size(), nodes);
}

TEST_F(ZupPlayerTest, CamerasAreNumberedFromOneAndSkipTakenNames)
{
    FullFloor floor;
    Sketch(floor);
    ZupCamera* first = floor.CreateCamera(100.0, 100.0);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetName(), "1");
    ZupCamera* clash = floor.CreateCamera("1", 300.0, 100.0, 0);
    ASSERT_NE(clash, nullptr);
    EXPECT_EQ(clash->GetName(), "2");
}

TEST_F(ZupPlayerTest, EveryKindOfObjectSurvivesWriteReplayWrite)
{
    FullFloor floor;
    Sketch(floor);
    ASSERT_NE(floor.CreateOpening("A", 1, 200.0, 0.0), nullptr);
    ZupOpening* door = floor.GetOpening("A");
    auto* stair = new ZupOpeningStair(&floor);
    ASSERT_TRUE(stair->Create(door));
    stair->SetSteps(3);
    floor.SetEntrance(door);
    ASSERT_NE(floor.CreateWallWindow(200.0, 300.0), nullptr);
    ASSERT_NE(floor.CreateBathObject(400.0, 150.0), nullptr);
    ASSERT_NE(floor.CreateCountertop(0.0, 100.0), nullptr);
    ASSERT_NE(floor.CreateFireplace(0.0, 220.0, 0), nullptr);
    ZupNode* corner = floor.GetNode(400, 300, true);
    ASSERT_NE(floor.CreateNodeObject(1, corner, -1, 0), nullptr);
    ASSERT_NE(floor.CreateCamera("1", 200.0, 150.0, 45), nullptr);
    ASSERT_NE(floor.CreateIsland(150.0, 150.0), nullptr);
    ASSERT_NE(floor.CreateColumn(300.0, 200.0), nullptr);
    ASSERT_NE(floor.CreateSpiralStair(100.0, 220.0), nullptr);
    ASSERT_NE(floor.CreateFireplace(250.0, 80.0), nullptr);
    const std::string first = Text(floor);

    ZupResetGlobals();
    ZupMetric() = true;
    FullFloor copy;
    ASSERT_TRUE(Replay(copy, first));
    EXPECT_EQ(copy.GetNodes().size(), floor.GetNodes().size());
    EXPECT_EQ(copy.GetNumOfObjects(), floor.GetNumOfObjects());
    EXPECT_EQ(Text(copy), first);
}

}  // namespace

namespace {

std::string ReadInput(const char* name)
{
    std::ifstream file(std::string(PELK_TEST_INPUTS) + "/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace

// Texts whose replay once made the wall tidying delete a wall that a
// distance still measured: the distance used the freed wall afterwards.
TEST_F(ZupPlayerTest, TidyingAfterReplayNeverLeavesADistanceOnAGoneWall)
{
    for (const char* name : {"zup_floor_player_uaf.bin", "zup_floor_player_uaf_original.bin",
                             "zup_floor_player_tracker_gone.bin", "zup_floor_player_tracker_gone_2.bin"}) {
        SCOPED_TRACE(name);
        const std::string input = ReadInput(name);
        ASSERT_GT(input.size(), 1u);
        ZupResetGlobals();
        ZupMetric() = true;
        std::string written;
        {
            FullFloor floor;
            Sketch(floor);
            ASSERT_NE(floor.CreateOpening("A", 1, 200.0, 0.0), nullptr);
            ASSERT_NE(floor.CreateCamera("1", 200.0, 150.0, 90), nullptr);
            Replay(floor, input.substr(1));
            // Every distance runs along a tracker its node still holds.
            for (KorNode* node : floor.GetNodes())
                for (int i = 0; i < node->GetNumOfDimaints(); ++i) {
                    auto* d = dynamic_cast<KorNNDistance*>(node->GetDimaint(i));
                    if (!d || !d->GetCarryingTracker())
                        continue;
                    bool held = false;
                    for (unsigned t = 0; t < node->GetNumOfTrackers(); ++t)
                        held = held || node->GetTracker(t) == d->GetCarryingTracker();
                    EXPECT_TRUE(held);
                }
            written = Text(floor);
        }
        FullFloor copy;
        Replay(copy, written);
        EXPECT_EQ(Text(copy), written);
    }
}

namespace {

// Replays an input of the floor player's fuzz target as the target does: the
// text after the first byte on the room with door "A" and camera "1".
class ZupPlayerInputTest : public ZupPlayerTest {
protected:
    static void Furnished(ZupFloor& floor)
    {
        Sketch(floor);
        ASSERT_NE(floor.CreateOpening("A", 1, 200.0, 0.0), nullptr);
        ASSERT_NE(floor.CreateCamera("1", 200.0, 150.0, 90), nullptr);
    }
    static int WallObjects(ZupFloor& floor)
    {
        int count = 0;
        for (KorPrimitive* primitive : floor.GetPrimitives())
            if (ZupEdge* edge = ZupFloor::CastToEdge(primitive))
                count += edge->GetNumOfObjects();
        return count;
    }
    // Every wall object stands on nodes the floor still holds.
    static void ExpectObjectsOnLiveNodes(ZupFloor& floor)
    {
        const std::vector<KorNode*>& nodes = floor.GetNodes();
        auto live = [&nodes](KorNode* node) {
            return !node || std::find(nodes.begin(), nodes.end(), node) != nodes.end();
        };
        for (KorPrimitive* primitive : floor.GetPrimitives()) {
            ZupEdge* edge = ZupFloor::CastToEdge(primitive);
            for (int i = 0; edge && i < edge->GetNumOfObjects(); ++i) {
                ZupWallObject* object = edge->GetWallObject(i);
                EXPECT_TRUE(live(object->KorSegment::GetStart()));
                EXPECT_TRUE(live(object->KorSegment::GetEnd()));
            }
        }
    }
};

}  // namespace

// Script nodes that wall objects stand on: shared by two objects, taken twice
// by one, or deleted by name under the object. Each node is deleted exactly
// once, and no object keeps one that is gone.
TEST_F(ZupPlayerInputTest, ScriptNodesUnderWallObjectsAreDeletedOnce)
{
    for (const char* name :
         {"zup_floor_player_two_windows_one_node.bin", "zup_floor_player_windows_share_a_node.bin",
          "zup_floor_player_window_on_one_node.bin", "zup_floor_player_window_node_deleted.bin"}) {
        SCOPED_TRACE(name);
        const std::string input = ReadInput(name);
        ASSERT_GT(input.size(), 1u);
        ZupResetGlobals();
        ZupMetric() = true;
        std::string written;
        {
            ZupFloor floor;
            Furnished(floor);
            Replay(floor, input.substr(1));
            ExpectObjectsOnLiveNodes(floor);
            EXPECT_GE(WallObjects(floor), 2) << "door A and a window";
            written = Text(floor);
        }
        ZupFloor copy;
        Replay(copy, written);
        ExpectObjectsOnLiveNodes(copy);
    }
}
