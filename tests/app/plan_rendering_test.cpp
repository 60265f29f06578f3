// The plan drawing: walls broken at their holes, the room being edited with
// its guide lines and markers, room fills and the current node.
#include <memory>
#include <vector>

#include "app_test_support.h"
#include "kor_node.h"
#include "plan_geometry.h"
#include "plan_wall_objects.h"
#include "repl_doc.h"
#include "room_floor.h"
#include "scaled_dc.h"
#include "zup_partition.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kRed = 0x0000FF;

const char* kRectangle =
    "N1=Node(0.0,0.0);N2=Node(200.0,0.0);N3=Node(200.0,300.0);N4=Node(0.0,300.0);"
    "S1=Segment(N1,N2);S2=Segment(N2,N3);S3=Segment(N3,N4);S4=Segment(N4,N1)";

bool Same(POINT p, int x, int y) { return p.x == x && p.y == y; }

class PlanRenderingTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        room = new CRoomFloor();
        ASSERT_TRUE(room->LoadShape(kRectangle, nullptr, true, false));
        document = std::make_unique<CReplDoc>();
        document->m_rooms.push_back(room);
        document->m_currentRoom = room;
        dc.FillSolidRect(0, 0, 240, 240, kWhite);
        dc.SetScale(0.5f);
        dc.SetOrigin(20, 200);
    }

    ZupEdge* BottomWall()
    {
        point below(100.0, 0.0);
        return room->GetClosestEdge(below);
    }

    CPlanOpening* Door(double from, double to)
    {
        auto* door = new CPlanOpening(room, "A", 1);
        point a(from, 0.0), b(to, 0.0);
        if (!door->Create(room, a, b)) {
            delete door;
            return nullptr;
        }
        return door;
    }

    COLORREF At(int modelX, int modelY)
    {
        POINT p{modelX, modelY};
        dc.ToScreen(p);
        return dc.GetPixel(p.x, p.y);
    }

    CRoomFloor* room = nullptr;
    std::unique_ptr<CReplDoc> document;
    CScaledDC dc{nullptr};
};

}  // namespace

TEST_F(PlanRenderingTest, WallWithoutObjectsIsOneRun)
{
    ZupEdge* wall = BottomWall();
    ASSERT_NE(wall, nullptr);
    const std::vector<CWallRun> runs = CollectWallRuns(*wall);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_TRUE(Same(runs[0].from, 0, 0) || Same(runs[0].from, 200, 0));
    EXPECT_TRUE(Same(runs[0].to, 0, 0) || Same(runs[0].to, 200, 0));
}

// A door in the middle: one run up to its hole, one from its hole on.
TEST_F(PlanRenderingTest, WallWithOneDoorIsTwoRuns)
{
    ASSERT_NE(Door(80.0, 120.0), nullptr);
    ZupEdge* wall = BottomWall();
    ASSERT_NE(wall, nullptr);
    const std::vector<CWallRun> runs = CollectWallRuns(*wall);
    ASSERT_EQ(runs.size(), 2u);
    const bool forward = runs[0].from.x == 0;
    EXPECT_TRUE(Same(runs[0].from, forward ? 0 : 200, 0));
    EXPECT_TRUE(Same(runs[0].to, forward ? 80 : 120, 0));
    EXPECT_TRUE(Same(runs[1].from, forward ? 120 : 80, 0));
    EXPECT_TRUE(Same(runs[1].to, forward ? 200 : 0, 0));

    // On the screen the gap stays open.
    document->DrawWall(dc, wall);
    EXPECT_NE(At(40, 0), kWhite);
    EXPECT_EQ(At(100, 0), kWhite);
}

TEST_F(PlanRenderingTest, EditOutlineGuidesAndMarkers)
{
    ASSERT_NE(Door(80.0, 120.0), nullptr);
    const CEditOutline outline = CollectEditOutline(*room);
    ASSERT_EQ(outline.outline.size(), 5u);
    EXPECT_TRUE(Same(outline.outline.front(), outline.outline.back().x, outline.outline.back().y));
    ASSERT_EQ(outline.guides.size(), 2u);
    EXPECT_EQ(outline.guides[0].y, 0);
    EXPECT_EQ(std::abs(outline.guides[0].x - outline.guides[1].x), 40);
    ASSERT_EQ(outline.markers.size(), 1u);
    EXPECT_TRUE(Same(outline.markers[0], 100, 0));
}

TEST_F(PlanRenderingTest, MarkerBoxIsCentredAndAtLeastOneUnitWide)
{
    const struct {
        RECT mapped;
        RECT box;
    } cases[] = {
        {{-6, 6, 6, -6}, {-6, -6, 6, 6}},
        {{10, 14, 16, 8}, {-3, -3, 3, 3}},
        {{0, 0, 0, 0}, {-1, -1, 1, 1}},
    };
    for (const auto& c : cases) {
        const RECT box = CenteredMarkerBox(c.mapped);
        EXPECT_EQ(box.left, c.box.left);
        EXPECT_EQ(box.top, c.box.top);
        EXPECT_EQ(box.right, c.box.right);
        EXPECT_EQ(box.bottom, c.box.bottom);
    }
}

// The plan's first room is filled yellow with Rooms on; with Rooms off only
// a closed current room is filled.
TEST_F(PlanRenderingTest, RoomFillsStartWithYellow)
{
    ZupPartition* partition = document->m_plan.Create(room);
    ASSERT_NE(partition, nullptr);
    document->m_partitionToRoom[partition] = room;
    document->m_roomToPartition[room] = partition;
    document->m_roomView = false;

    document->DrawPlan(dc);
    EXPECT_EQ(At(100, 150), kWhite);

    document->m_showRooms = true;
    document->DrawPlan(dc);
    EXPECT_EQ(At(100, 150), kYellow);

    dc.FillSolidRect(0, 0, 240, 240, kWhite);
    document->m_showRooms = false;
    room->mbClosed = true;
    document->DrawPlan(dc);
    EXPECT_EQ(At(100, 150), kYellow);
}

TEST_F(PlanRenderingTest, CurrentNodeIsARedCircle)
{
    room->SetNodeCursor(0);
    KorNode* node = room->GetCurrentNode();
    ASSERT_NE(node, nullptr);
    document->DrawCurrentNode(dc);
    int red = 0;
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 240; ++x)
            red += dc.GetPixel(x, y) == kRed;
    EXPECT_GT(red, 8);
    // Imperial: ten units about the node, so the node itself stays clear.
    EXPECT_EQ(At(node->ix(), node->iy()), kWhite);
}

TEST_F(PlanRenderingTest, FailedRoomShowsItsOutlineInRed)
{
    document->m_roomView = false;
    document->m_failedRoom = room;
    document->m_failedNodePoints = {{0, 0}, {200, 0}, {200, 300}, {0, 300}, {0, 0}};
    document->DrawPlan(dc);
    EXPECT_EQ(At(100, 0), kRed);
    EXPECT_EQ(At(100, 150), kWhite);
    document->m_failedRoom = nullptr;
}
