// A room dragged a few degrees out of square is the same room everywhere the
// level keeps it: in the plan, in its file and in the journal. Reading it
// back never changes a wall's length or angle.
#include <cmath>
#include <string>
#include <vector>

#include "floor_plan_test_support.h"
#include "room_drag_support.h"
#include "snapshot_journal.h"
#include "zup_edge.h"
#include "zup_opening.h"
#include "zup_partition.h"

namespace {

using namespace room_drags;

// A corner of the plan's outline within the tolerance of every corner.
void ExpectOutlineHolds(ZupPartition* partition, const std::vector<point>& corners, double tolerance)
{
    ASSERT_NE(partition, nullptr);
    polygon& contour = partition->GetContour();
    for (const point& corner : corners) {
        double nearest = 1e9;
        for (short i = 0; i < contour.count(); ++i)
            nearest = std::min(nearest, GeoDistance(contour[i].get_point(), corner));
        EXPECT_LT(nearest, tolerance) << "(" << corner.x() << ", " << corner.y() << ")";
    }
}

struct LeanCase {
    const char* what;
    Drag drag;
};

// Corners of the 200 x 300 rectangle dragged in the Door mode, each leaning
// a wall by less than the floor's snap of about 5.1 degrees, and one beyond.
const LeanCase kLeans[] = {
    {"the right wall 3.8 degrees", {point(200, 300), point(220, 300)}},
    {"the right wall 1.9 degrees", {point(200, 300), point(210, 300)}},
    {"the left wall 4.8 degrees", {point(0, 300), point(-25, 300)}},
    {"the top wall 2.9 degrees", {point(200, 300), point(200, 310)}},
    {"the bottom wall 4.3 degrees", {point(200, 0), point(200, -15)}},
    {"the right wall 7.6 degrees", {point(200, 300), point(240, 300)}},
};

class LeaningRoomTest : public FloorPlanTest {
protected:
    // The first room, leant by the drag and left in the Measurement mode;
    // closed into the plan when asked.
    static std::vector<point> DrawLeaning(CReplDoc& document, const Drag& drag, bool close)
    {
        DrawLevel(document, 0);
        DragAll(document, {drag});
        EXPECT_TRUE(document.SetEditMode(2));
        const std::vector<point> corners = Corners(*document.GetRoom(0));
        if (close) {
            EXPECT_TRUE(document.CloseRoom());
        }
        return corners;
    }
};

constexpr double kTolerance = 0.01;

std::string RoomText(CReplDoc& document)
{
    std::string text;
    document.GetRoom(0)->Save(text, false);
    return text;
}

}  // namespace

TEST_F(LeaningRoomTest, ThePlanHoldsTheRoomAsDrawn)
{
    for (const LeanCase& c : kLeans) {
        SCOPED_TRACE(c.what);
        CReplDoc document;
        const std::vector<point> drawn = DrawLeaning(document, c.drag, true);
        ExpectSameCorners(Corners(*document.GetRoom(0)), drawn, kTolerance);
        ExpectOutlineHolds(document.m_plan.Get1stPartition(), drawn, kTolerance);
    }
}

TEST_F(LeaningRoomTest, SavedAndOpenedTheRoomIsAsDrawn)
{
    for (const LeanCase& c : kLeans) {
        SCOPED_TRACE(c.what);
        CReplDoc drawn;
        const std::vector<point> corners = DrawLeaning(drawn, c.drag, true);
        const std::string file = FileText(drawn);
        CReplDoc reopened;
        ASSERT_TRUE(Load(reopened, file)) << file;
        ASSERT_EQ(reopened.GetNumOfRooms(), 1);
        ExpectSameCorners(Corners(*reopened.GetRoom(0)), corners, kTolerance);
        EXPECT_EQ(RoomText(reopened), RoomText(drawn));
        // The level's last room comes back being edited; closed again, the
        // plan holds it as drawn.
        ASSERT_TRUE(reopened.CloseRoom());
        ExpectSameCorners(Corners(*reopened.GetRoom(0)), corners, kTolerance);
        ExpectOutlineHolds(reopened.m_plan.Get1stPartition(), corners, kTolerance);
        EXPECT_EQ(RoomText(reopened), RoomText(drawn));
    }
}

TEST_F(LeaningRoomTest, RestoredFromTheJournalTheRoomIsAsDrawn)
{
    CSnapshotJournal::SetDirectory(CString(L"My Documents\\"));
    for (const LeanCase& c : kLeans) {
        SCOPED_TRACE(c.what);
        CReplDoc drawn;
        drawn.m_journal.SetPeriod(3600 * 1000);
        const std::vector<point> corners = DrawLeaning(drawn, c.drag, true);
        ASSERT_TRUE(drawn.m_journal.Start());
        drawn.GetCurrentRoom()->SetModified(true);
        ASSERT_TRUE(drawn.m_journal.TakeSnapshotNow());
        ASSERT_TRUE(drawn.m_journal.WriteAll());
        drawn.m_journal.Stop();
        CReplDoc recovered;
        ASSERT_TRUE(recovered.m_journal.Recover());
        ASSERT_EQ(recovered.GetNumOfRooms(), 1);
        ExpectSameCorners(Corners(*recovered.GetRoom(0)), corners, kTolerance);
        EXPECT_EQ(RoomText(recovered), RoomText(drawn));
        ASSERT_TRUE(recovered.CloseRoom());
        ExpectSameCorners(Corners(*recovered.GetRoom(0)), corners, kTolerance);
        ExpectOutlineHolds(recovered.m_plan.Get1stPartition(), corners, kTolerance);
    }
}

namespace {

// A level of two rooms: the first, a 200 x 300 rectangle, with door "B" on
// its right wall; the second, the rectangle entered through it (from
// (200, 50) to (500, 250)), leant by the drag and closed into the plan.
std::vector<point> DrawSecondLeaning(CReplDoc& document, const Drag& drag)
{
    DrawLevel(document, 0);
    CRoomFloor* first = document.GetCurrentRoom();
    ZupOpening* door = first->CreateOpening("B", 1, 200.0, 150.0);
    EXPECT_NE(door, nullptr);
    if (!door)
        return {};
    door->CreateWidthDimension();
    door->CreatePosDimension(nullptr, -1.0f);
    EXPECT_TRUE(document.CloseRoom());
    document.ExitThroughOpening(door);
    document.GetCurrentRoom()->ZupFloor::SetName("Hall2");
    EXPECT_TRUE(document.InsertShape(0, 0));
    document.PlaceEntrance(nullptr);
    EXPECT_TRUE(document.SetEditMode(1));
    DragAll(document, {drag});
    EXPECT_TRUE(document.SetEditMode(2));
    const std::vector<point> corners = Corners(*document.GetRoom(1));
    EXPECT_TRUE(document.CloseRoom());
    return corners;
}

// The second room's corners dragged: its far walls lean by less than the
// snap, and by more.
const LeanCase kSecondLeans[] = {
    {"the far wall 3.8 degrees", {point(500, 250), point(500, 270)}},
    {"the far wall 1.9 degrees", {point(500, 250), point(500, 260)}},
    {"the top wall 3.8 degrees", {point(500, 250), point(520, 250)}},
    {"the far wall 7.6 degrees", {point(500, 250), point(500, 290)}},
};

}  // namespace

TEST_F(LeaningRoomTest, AJoinedRoomIsInThePlanAsDrawn)
{
    for (const LeanCase& c : kSecondLeans) {
        SCOPED_TRACE(c.what);
        CReplDoc document;
        const std::vector<point> drawn = DrawSecondLeaning(document, c.drag);
        ASSERT_EQ(document.GetNumOfRooms(), 2);
        ExpectSameCorners(Corners(*document.GetRoom(1)), drawn, kTolerance);
        ExpectOutlineHolds(document.GetPartitionOfRoom(document.GetRoom(1)), drawn, kTolerance);

        CReplDoc reopened;
        ASSERT_TRUE(Load(reopened, FileText(document)));
        ASSERT_EQ(reopened.GetNumOfRooms(), 2);
        ASSERT_TRUE(reopened.CloseRoom());
        ExpectSameCorners(Corners(*reopened.GetRoom(1)), drawn, kTolerance);
        ExpectOutlineHolds(reopened.GetPartitionOfRoom(reopened.GetRoom(1)), drawn, kTolerance);
    }
}

// A room entered through a door on a leaning wall stands turned by the
// lean; reopened, its entrance meets the door within the file's tenth of an
// inch, and the room turned that little way keeps its own walls' lean.
TEST_F(LeaningRoomTest, ARoomBehindALeaningWallComesBackAsDrawn)
{
    const Drag leans[] = {
        {point(200, 300), point(220, 300)},
        {point(200, 300), point(213, 300)},
        {point(200, 0), point(216, 0)},
    };
    for (const Drag& lean : leans) {
        SCOPED_TRACE(lean.to.x());
        CReplDoc document;
        DrawLevel(document, 0);
        DragAll(document, {lean});
        ASSERT_TRUE(document.SetEditMode(2));
        CRoomFloor* first = document.GetCurrentRoom();
        ZupEdge* right = nullptr;
        for (ZupEdge* e = first->Get1stEdge(); e; e = first->GetNextEdge())
            if (e->GetGeoCenter().x() > 150)
                right = e;
        ASSERT_NE(right, nullptr);
        const point middle = right->GetGeoCenter();
        ZupOpening* door = first->CreateOpening("B", 1, middle.x(), middle.y());
        ASSERT_NE(door, nullptr);
        door->CreateWidthDimension();
        door->CreatePosDimension(nullptr, -1.0f);
        right->ModifyLengthDim(-1.0f);
        ASSERT_TRUE(document.CloseRoom());
        document.ExitThroughOpening(door);
        document.GetCurrentRoom()->ZupFloor::SetName("Hall2");
        ASSERT_TRUE(document.InsertShape(0, 0));
        document.PlaceEntrance(nullptr);
        ASSERT_TRUE(document.SetEditMode(1));
        // The second room's corner farthest from the door, dragged a little.
        std::vector<point> corners = Corners(*document.GetRoom(1));
        point farthest = corners.front();
        for (const point& c : corners)
            if (GeoDistance(c, middle) > GeoDistance(farthest, middle))
                farthest = c;
        DragAll(document, {{farthest, point(farthest.x() + 6, farthest.y() + 14)}});
        ASSERT_TRUE(document.SetEditMode(2));
        const std::vector<point> drawn = Corners(*document.GetRoom(1));
        ASSERT_TRUE(document.CloseRoom());

        CReplDoc reopened;
        ASSERT_TRUE(Load(reopened, FileText(document)));
        ASSERT_EQ(reopened.GetNumOfRooms(), 2);
        ASSERT_TRUE(reopened.CloseRoom());
        // Within the tenth of an inch the file keeps of each corner.
        ExpectSameCorners(Corners(*reopened.GetRoom(1)), drawn, 0.1);
        ExpectOutlineHolds(reopened.GetPartitionOfRoom(reopened.GetRoom(1)), drawn, 0.1);
    }
}
