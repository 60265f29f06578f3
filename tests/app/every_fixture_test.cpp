// A room holding every kind of fixture: tubs, showers, a jacuzzi, toilets,
// sinks, a corner bath, counters with sinks, a stove and closet doors,
// corner objects with attached windows, utility objects, structural
// blocks, fireplaces of every kind, a bay window, a door with its stair and
// free-standing objects. It is drawn in the room view and in the plan, read
// back from its own text and from a saved level, and drawn the same each
// time.
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "dimension_values.h"
#include "kor_node.h"
#include "level_branching_fixture.h"
#include "picture_support.h"
#include "plan_wall_objects.h"
#include "room_floor.h"
#include "zup_edge.h"
#include "zup_node.h"
#include "zup_opening.h"
#include "zup_partition.h"
#include "zup_window.h"

namespace {

enum class Kind { kBath, kCountertop, kUtility, kStructural, kWallFireplace, kWindow };

// One wall object: what it is, where the pen puts it, the way into the room
// from there, its type and depth, and whether it sits in a corner.
struct WallFixture {
    const char* what;
    Kind kind;
    double x, y;
    double inX, inY;
    int type;
    int depth;
    bool corner;
    int attachedPanes = 0;
    int attachedType = 0;
};

// The shipped L made twice as large: 480 wide along the bottom, 600 high on
// the left, its inner corner at (240, 240); the entrance in the middle of
// the bottom wall.
const WallFixture kWallFixtures[] = {
    // Along the bottom wall.
    {"window", Kind::kWindow, 60.0, 0.0, 0, 1, 0, 2, false},
    {"hearth", Kind::kWallFireplace, 150.0, 0.0, 0, 1, 0, 24, false},
    {"fireplace in the room", Kind::kWallFireplace, 330.0, 0.0, 0, 1, 1, 24, false},
    {"bay window", Kind::kWindow, 420.0, 0.0, 0, 1, 1, 3, false},
    // Along the right wall.
    {"bath sink", Kind::kBath, 480.0, 70.0, -1, 0, 5, 20, false},
    {"counter with a sink", Kind::kCountertop, 480.0, 150.0, -1, 0, 1, 24, false},
    // Along the inner wall at the top of the lower arm.
    {"stove", Kind::kCountertop, 300.0, 240.0, 0, -1, 3, 24, false},
    {"counter with two sinks", Kind::kCountertop, 370.0, 240.0, 0, -1, 2, 24, false},
    // Along the inner wall at the right of the upper arm.
    {"toilet", Kind::kBath, 240.0, 330.0, -1, 0, 3, 28, false},
    {"bidet", Kind::kBath, 240.0, 400.0, -1, 0, 4, 24, false},
    {"jacuzzi", Kind::kBath, 240.0, 500.0, -1, 0, 2, 60, false},
    // Along the top wall.
    {"tub", Kind::kBath, 70.0, 600.0, 0, -1, 0, 30, false},
    {"shower", Kind::kBath, 150.0, 600.0, 0, -1, 1, 36, false},
    // Along the left wall.
    {"washer", Kind::kUtility, 0.0, 80.0, 1, 0, 0, 27, false},
    {"water heater", Kind::kUtility, 0.0, 160.0, 1, 0, 2, 24, false},
    {"closet doors", Kind::kCountertop, 0.0, 250.0, 1, 0, 7, 24, false},
    {"structural block", Kind::kStructural, 0.0, 330.0, 1, 0, 0, 12, false},
    {"double-faced fireplace", Kind::kWallFireplace, 0.0, 420.0, 1, 0, 4, 24, false},
    // In the corners.
    {"corner fireplace", Kind::kWallFireplace, 0.0, 0.0, 1, 1, 2, 36, true},
    {"corner toilet under a bay", Kind::kBath, 480.0, 0.0, -1, 1, 3, 28, true, 1, 1},
    {"corner counter between windows", Kind::kCountertop, 480.0, 240.0, -1, -1, 1, 24, true, 2, 0},
    {"corner bath", Kind::kBath, 0.0, 600.0, 1, -1, 0, 60, true},
};

class EveryFixtureTest : public LevelTest {
protected:
    // Its width, and its place along the wall among the wall's objects.
    static void Measure(ZupWallObject* object)
    {
        ZupEdge* wall = object->GetEdge();
        object->CreateWidthDimension();
        if (wall->GetNumOfObjects() > 1)
            wall->SetObjectsPosition(-1.0f);
        else
            object->CreatePosDimension(nullptr, -1.0f);
        wall->ModifyLengthDim(-1.0f);
    }
    ZupWallObject* Place(const WallFixture& f)
    {
        CRoomFloor* room = Room();
        ZupWallObject* made = nullptr;
        switch (f.kind) {
        case Kind::kBath: made = room->CreateBathObjectAt(f.x, f.y, f.corner); break;
        case Kind::kCountertop: made = room->CreateCountertopAt(f.x, f.y, f.corner); break;
        case Kind::kUtility: made = room->CreateUtilityObject(f.x, f.y); break;
        case Kind::kStructural: made = room->CreateStructural(f.x, f.y); break;
        case Kind::kWallFireplace: made = room->CreateFireplace(f.x, f.y, f.type); break;
        case Kind::kWindow: made = room->CreateWallWindow(f.x, f.y); break;
        }
        if (!made)
            return nullptr;
        // As the object sheet measures and finishes a new object.
        if (!made->IsCorner())
            Measure(made);
        if (auto* window = dynamic_cast<ZupWindow*>(made))
            window->SetPanes(f.depth);
        else
            made->SetDepth(f.depth);
        made->SetType(f.type);
        made->SetAttachedWindowPanes(f.attachedPanes);
        if (f.attachedPanes != 0)
            made->SetAttachedWindowType(f.attachedType);
        return made;
    }

    // The room with every fixture, its entrance in the middle of the bottom
    // wall and a door with a stair on the inner wall of its lower arm.
    void FurnishRoom()
    {
        ASSERT_TRUE(document->InsertShape(1, 0));
        Room()->Scale(2.0);
        ASSERT_TRUE(Room()->Resolve());
        Room()->ZupFloor::SetName("Bathroom1");
        document->PlaceEntrance(nullptr);
        ASSERT_NE(Room()->GetEntrance(), nullptr);
        ZupOpening* stairDoor = Room()->CreateOpening("Bathroom1B", 1, 440.0, 240.0);
        ASSERT_NE(stairDoor, nullptr);
        Measure(stairDoor);
        // As the door sheet puts a stair into a door.
        auto* stair = new CPlanStairOpening(Room());
        if (!stair->Create(stairDoor)) {
            delete stair;
            FAIL() << "stair";
        }
        // Each placed and solved in turn, as the object sheet does.
        for (const WallFixture& f : kWallFixtures) {
            ASSERT_NE(Place(f), nullptr) << f.what;
            ASSERT_TRUE(Room()->Resolve()) << f.what;
        }
        ASSERT_NE(Room()->CreateNodeObjectAt(240.0, 600.0), nullptr);
        ASSERT_TRUE(Room()->Resolve());
        ASSERT_NE(Room()->CreateColumn(100.0, 100.0), nullptr);
        ASSERT_NE(Room()->CreateSpiralStair(380.0, 120.0), nullptr);
        ASSERT_NE(Room()->CreateFireplace(120.0, 420.0), nullptr);
        ASSERT_NE(Room()->CreateIsland(200.0, 150.0), nullptr);
        ASSERT_NE(Room()->CreateCamera("1", 120.0, 300.0, 90), nullptr);
        ASSERT_TRUE(Room()->Resolve());
    }

    // The document's view of its current room (the Door mode's drawing) or
    // of its plan, at one fixed scale.
    static Picture Drawn(CReplDoc& doc)
    {
        return TakePicture([&](CScaledDC& dc) { doc.DrawPlan(dc); }, 0.3f, 12, 300);
    }
    static COLORREF Blank() { return RGB(255, 255, 255); }
    // Pixels drawn in a box of 2r + 1 around a model point.
    static int InkAround(const Picture& picture, double x, double y, int r)
    {
        const int cx = 12 + static_cast<int>(std::lround(x * 0.3));
        const int cy = 300 - static_cast<int>(std::lround(y * 0.3));
        int ink = 0;
        for (int py = cy - r; py <= cy + r; ++py)
            for (int px = cx - r; px <= cx + r; ++px)
                if (px >= 0 && py >= 0 && px < picture.width && py < picture.height)
                    ink += picture.At(px, py) != Blank() ? 1 : 0;
        return ink;
    }
    std::string RoomText(CRoomFloor& room)
    {
        std::string text;
        room.Save(text, false);
        return text;
    }
};

}  // namespace

// Every fixture is drawn in the room view where it stands; the room read
// back from its own text writes the same text and is drawn the same.
TEST_F(EveryFixtureTest, TheRoomReadBackFromItsTextIsDrawnTheSame)
{
    FurnishRoom();
    ASSERT_TRUE(document->SetEditMode(1));
    document->m_roomView = true;
    const Picture drawn = Drawn(*document);
    // An empty room of the same walls, for what the fixtures add.
    CReplDoc bare;
    bare.ResetLevel();
    ASSERT_TRUE(bare.InsertShape(1, 0));
    bare.GetCurrentRoom()->Scale(2.0);
    ASSERT_TRUE(bare.GetCurrentRoom()->Resolve());
    ASSERT_TRUE(bare.SetEditMode(1));
    bare.m_roomView = true;
    const Picture walls = Drawn(bare);
    for (const WallFixture& f : kWallFixtures) {
        // Half a fixture's depth into the room.
        const double in = f.kind == Kind::kWindow ? 4.0 : f.depth / 2.0;
        const double x = f.x + in * f.inX;
        const double y = f.y + in * f.inY;
        EXPECT_GT(InkAround(drawn, x, y, 6), InkAround(walls, x, y, 6)) << f.what;
    }

    const std::string text = RoomText(*Room());
    CReplDoc reread;
    reread.ResetLevel();
    ASSERT_TRUE(reread.GetCurrentRoom()->PlaySavedText(text));
    EXPECT_EQ(RoomText(*reread.GetCurrentRoom()), text);
    ASSERT_TRUE(reread.SetEditMode(1));
    reread.m_roomView = true;
    EXPECT_EQ(Drawn(reread).Differences(drawn), 0);
}

// Joined into the plan, the room's fixtures are drawn there; the level saved
// and opened again draws the same plan and the same room.
TEST_F(EveryFixtureTest, ThePlanIsDrawnTheSameAfterSavingAndOpening)
{
    FurnishRoom();
    ASSERT_TRUE(document->CloseRoom());
    document->m_roomView = false;
    document->m_showObjects = true;
    document->m_showRooms = true;
    const Picture plan = Drawn(*document);
    for (const WallFixture& f : kWallFixtures) {
        const double in = f.kind == Kind::kWindow ? 4.0 : f.depth / 2.0;
        const double x = f.x + in * f.inX;
        const double y = f.y + in * f.inY;
        EXPECT_GT(InkAround(plan, x, y, 6), 0) << f.what;
    }
    document->m_roomView = true;
    ASSERT_TRUE(document->SetEditMode(1));
    const Picture room = Drawn(*document);
    const std::string text = RoomText(*Room());

    const std::filesystem::path file = documents / "Bath1Mn1.fpl";
    ASSERT_TRUE(document->SaveToFile(CString(file.string().c_str())));
    CReplDoc reopened;
    ASSERT_TRUE(reopened.OnOpenDocument(CString(file.string().c_str())));
    ASSERT_EQ(reopened.GetNumOfRooms(), 1);
    EXPECT_EQ(RoomText(*reopened.GetRoom(0)), text);
    // The opened level shows its last room; the V key shows the plan.
    ASSERT_EQ(reopened.GetCurrentRoom(), reopened.GetRoom(0));
    if (reopened.m_roomView)
        reopened.OnViewChange();
    ASSERT_FALSE(reopened.m_roomView);
    reopened.m_showObjects = true;
    reopened.m_showRooms = true;
    EXPECT_EQ(Drawn(reopened).Differences(plan), 0);
    reopened.SetCurrentRoom(reopened.GetRoom(0));
    reopened.m_roomView = true;
    ASSERT_TRUE(reopened.SetEditMode(1));
    EXPECT_EQ(Drawn(reopened).Differences(room), 0);
}

// The room's outline as the plan fills it runs out around the bay window
// and around the rounded corner, not straight along the walls.
TEST_F(EveryFixtureTest, TheDisplayContourGoesAroundTheBayAndTheCornerObjects)
{
    FurnishRoom();
    ASSERT_TRUE(document->CloseRoom());
    ZupPartition* partition = document->GetPartitionOfRoom(Room());
    ASSERT_NE(partition, nullptr);
    polygon contour = partition->GetDisplayContour();
    bool outAtTheBay = false;
    bool atTheRoundedCorner = false;
    for (short i = 0; i < contour.count(); ++i) {
        const point p = contour[i].get_point();
        outAtTheBay |= p.y() < -4.0 && p.x() > 380.0 && p.x() < 460.0;
        atTheRoundedCorner |= std::hypot(p.x() - 240.0, p.y() - 600.0) < 1e-6;
    }
    EXPECT_TRUE(outAtTheBay);
    EXPECT_FALSE(atTheRoundedCorner);

    // Filled, the bay's floor is coloured like the room's.
    document->m_roomView = false;
    document->m_showRooms = true;
    // Model (420, -5), in the bay, lands at (120, 205); (420, 60) inside.
    const Picture plan = TakePicture([&](CScaledDC& dc) { document->DrawPlan(dc); }, 1.0f, -300, 200);
    EXPECT_NE(plan.At(120, 205), Blank());
    EXPECT_EQ(plan.At(120, 205), plan.At(120, 140));
}

// A stair going through a door into a room named "Stair" is cut to that
// room: in a room 80 deep its 12 steps of 10 become 8.
class StairRoomTest : public LevelBranchingTest {
protected:
    // A hall whose door on its right wall holds a stair, and the room behind
    // that door, `depth` deep, under the given name; the plan shown.
    void BuildLevel(const char* name, double depth)
    {
        DrawRectangle();
        Room()->ZupFloor::SetName("Hall1");
        ZupOpening* door = AddDoor("Hall1A", Room()->GetEdge(200.0, 150.0));
        ASSERT_NE(door, nullptr);
        auto* stair = new CPlanStairOpening(Room());
        if (!stair->Create(door)) {
            delete stair;
            FAIL() << "stair";
        }
        stair->SetSteps(12);
        ASSERT_TRUE(LeaveThrough("Hall1A"));
        DrawEnteredRoom();
        Room()->ZupFloor::SetName(name);
        // The wall that leaves the entrance's wall gets the depth (its
        // parallel follows).
        ZupEdge* entranceWall = Room()->GetEntrance()->GetEdge();
        ZupEdge* side = nullptr;
        for (ZupEdge* e = Room()->Get1stEdge(); e; e = Room()->GetNextEdge())
            if (e->GetStart() == entranceWall->GetEnd())
                side = e;
        ASSERT_NE(side, nullptr);
        ASSERT_TRUE(FixDimension(Room()->GetDimension(side->GetStart(), side->GetEnd(), false), depth));
        ASSERT_TRUE(Room()->Resolve());
        ASSERT_TRUE(document->CloseRoom());
        document->m_roomView = false;
        document->m_showObjects = true;
    }
    Picture Plan() { return TakePicture([&](CScaledDC& dc) { document->DrawPlan(dc); }, 1.0f, -120, 240); }
};

TEST_F(StairRoomTest, AStairIsCutToTheStairRoomItLeadsInto)
{
    BuildLevel("Stair1", 80.0);
    const Picture cut = Plan();
    document.reset();
    document = std::make_unique<CReplDoc>();
    document->ResetLevel();
    BuildLevel("Den1", 80.0);
    const Picture whole = Plan();
    // The far wall of the room behind the door stands at x = 280: the cut
    // run of 80 ends there, its break line some 20 beyond; the whole run of
    // 120 reaches 320 and its break line beyond (model x 306 to 335 about
    // the door's line y = 150).
    auto inkBeyond = [](const Picture& p) {
        int ink = 0;
        for (int y = 75; y <= 105; ++y)
            for (int x = 186; x <= 215; ++x)
                ink += p.At(x, y) != RGB(255, 255, 255) ? 1 : 0;
        return ink;
    };
    EXPECT_GT(inkBeyond(whole), 0);
    EXPECT_EQ(inkBeyond(cut), 0);
    // In the room both draw their treads.
    auto inkWithin = [](const Picture& p) {
        int ink = 0;
        for (int y = 75; y <= 105; ++y)
            for (int x = 90; x <= 150; ++x)
                ink += p.At(x, y) != p.At(155, 150) ? 1 : 0;
        return ink;
    };
    EXPECT_GT(inkWithin(cut), 0);
    EXPECT_GT(inkWithin(whole), 0);
}
