// A room entered through a door on a wall that leans: the room is turned
// onto the door and its entrance wall keeps the door's direction, so the
// door's nodes stand on the room's own wall, and the level saved and opened
// has every wall as drawn. A lean of a fraction of a degree, beyond the
// model's angular play but with the ends of the room's 200-inch walls less
// than the pen's snap apart across, is the hard one: such a wall must not be
// taken for upright.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "level_branching_fixture.h"
#include "room_drag_support.h"
#include "zup_opening.h"

namespace {

using room_drags::Drag;
using room_drags::DragAll;

struct Wall {
    double length;
    double degrees;
};

// A node's place as the room's text writes it: each coordinate to a tenth,
// through single precision.
point AsWritten(const point& p)
{
    const auto tenth = [](double v) {
        char text[64];
        std::snprintf(text, sizeof text, "%.1f", static_cast<double>(static_cast<float>(v)));
        return std::strtod(text, nullptr);
    };
    return point(tenth(p.x()), tenth(p.y()));
}

// Each room's walls as length and direction, the nodes where the file puts
// them when asked.
std::vector<std::vector<Wall>> Geometry(CReplDoc& document, bool asWritten = false)
{
    std::vector<std::vector<Wall>> rooms;
    for (int i = 0; i < document.GetNumOfRooms(); ++i) {
        CRoomFloor& room = *document.GetRoom(i);
        std::vector<Wall> walls;
        for (ZupEdge* e = room.Get1stEdge(); e; e = room.GetNextEdge()) {
            point a = e->GetStart()->GetPoint(), b = e->GetEnd()->GetPoint();
            if (asWritten)
                a = AsWritten(a), b = AsWritten(b);
            walls.push_back({std::hypot(b.x() - a.x(), b.y() - a.y()),
                             std::atan2(b.y() - a.y(), b.x() - a.x()) * 180.0 / M_PI});
        }
        rooms.push_back(walls);
    }
    return rooms;
}

// The distance of a point from the line through a wall.
double OffWall(const point& p, ZupEdge* wall)
{
    const point a = wall->GetStart()->GetPoint(), b = wall->GetEnd()->GetPoint();
    const double length = std::hypot(b.x() - a.x(), b.y() - a.y());
    return std::fabs((b.x() - a.x()) * (p.y() - a.y()) - (b.y() - a.y()) * (p.x() - a.x())) / length;
}

struct LeanCase {
    const char* what;
    double dx;  // the hall's top right corner moved so far right
};

const LeanCase kLeans[] = {
    {"the hall's right wall 0.19 degrees", 1.0},
    {"the hall's right wall 2.9 degrees", 15.0},
    {"the hall's right wall 3.8 degrees", 20.0},
};

class JoinedLeaningRoomTest : public LevelBranchingTest {
protected:
    // The hall's wall that stands farthest right.
    ZupEdge* RightWall()
    {
        ZupEdge* right = nullptr;
        for (ZupEdge* e = Room()->Get1stEdge(); e; e = Room()->GetNextEdge())
            if (!right || e->GetGeoCenter().x() > right->GetGeoCenter().x())
                right = e;
        return right;
    }

    // The hall with its right wall leant, a door on it and a room drawn
    // beyond the door and closed.
    void DrawJoinedRoom(double dx)
    {
        DrawRectangle();
        Room()->ZupFloor::SetName("Hall1");
        ASSERT_TRUE(document->SetEditMode(1));
        DragAll(*document, {Drag{point(200, 300), point(200 + dx, 300)}});
        ASSERT_TRUE(document->SetEditMode(2));
        ASSERT_NE(AddDoor("Door1A", RightWall()), nullptr);
        ASSERT_TRUE(LeaveThrough("Door1A"));
        DrawEnteredRoom();
        Room()->ZupFloor::SetName("Den1");
        ASSERT_TRUE(document->CloseRoom());
    }
};

}  // namespace

TEST_F(JoinedLeaningRoomTest, TheEntranceDoorStandsOnTheJoinedRoomsWall)
{
    for (const LeanCase& c : kLeans) {
        SCOPED_TRACE(c.what);
        TearDown();
        SetUp();
        DrawJoinedRoom(c.dx);
        if (HasFatalFailure())
            return;
        CRoomFloor* room = document->GetRoom(1);
        ZupOpening* entrance = room->GetEntrance();
        ASSERT_NE(entrance, nullptr);
        ASSERT_NE(entrance->GetEdge(), nullptr);
        EXPECT_LT(OffWall(entrance->GetStart()->GetPoint(), entrance->GetEdge()), 0.01);
        EXPECT_LT(OffWall(entrance->GetEnd()->GetPoint(), entrance->GetEdge()), 0.01);
    }
}

TEST_F(JoinedLeaningRoomTest, SavedAndOpenedTheJoinedRoomIsAsDrawn)
{
    for (const LeanCase& c : kLeans) {
        SCOPED_TRACE(c.what);
        TearDown();
        SetUp();
        DrawJoinedRoom(c.dx);
        if (HasFatalFailure())
            return;
        if (document->m_roomView)
            document->OnViewChange();
        const std::vector<std::vector<Wall>> drawn = Geometry(*document, true);
        std::string text;
        document->BuildFileText(text);

        CReplDoc opened;
        ASSERT_TRUE(opened.ParseFile(text.data(), static_cast<int>(text.size())));
        if (opened.m_roomView)
            opened.OnViewChange();
        const std::vector<std::vector<Wall>> got = Geometry(opened);
        ASSERT_EQ(got.size(), drawn.size());
        for (std::size_t r = 0; r < got.size(); ++r) {
            ASSERT_EQ(got[r].size(), drawn[r].size()) << "room " << r;
            for (std::size_t w = 0; w < got[r].size(); ++w) {
                EXPECT_NEAR(got[r][w].length, drawn[r][w].length, 0.01) << "room " << r << " wall " << w;
                double turn = std::fmod(std::fabs(got[r][w].degrees - drawn[r][w].degrees), 360.0);
                turn = std::min(turn, 360.0 - turn);
                EXPECT_LT(turn, 0.01) << "room " << r << " wall " << w;
            }
        }
    }
}
