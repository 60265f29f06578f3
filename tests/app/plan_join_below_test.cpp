// A room entered through a door on the hall's bottom wall and drawn below
// it: its wall that holds the entrance runs along the hall's bottom wall,
// over all of it or part of it, past either end, or with the hall's wall
// leaning a few degrees. The plan holds both rooms with their walls and the
// door between them, the rooms found again by walking the plan's walls are
// the same, and the level comes back so when saved and opened.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "dimension_values.h"
#include "distances.h"
#include "kor_dimension.h"
#include "kor_nn_distance.h"
#include "kor_node.h"
#include "level_fixture.h"
#include "zup_opening.h"
#include "zup_partition.h"

namespace {

struct BelowCase {
    const char* name;
    double door;   // the door's centre on the hall's bottom wall (y = 0, x from 0 to 200)
    int width;     // the lower room's walls along the hall's
    int depth;     // its side walls
    double right;  // where its right side wall meets the hall's wall line (0: where it lands)
    double lean;   // degrees the hall's bottom wall leans (its right corner dragged)
};

// The hall's own entrance takes the middle of its bottom wall (82 to 118).
const BelowCase kCases[] = {
    {"overlapping fully, corners meet", 140.0, 200, 150, 200.0, 0.0},
    {"within the wall, right corners meet", 140.0, 160, 240, 200.0, 0.0},
    {"within the wall, left corners meet", 40.0, 160, 120, 160.0, 0.0},
    {"partly, from the left", 40.0, 160, 240, 120.0, 0.0},
    {"partly, from the right", 160.0, 160, 120, 240.0, 0.0},
    {"past both ends", 160.0, 300, 200, 260.0, 0.0},
    {"the hall's wall leaning 3 degrees down", 160.0, 200, 150, 0.0, 3.0},
    {"the hall's wall leaning 3 degrees up", 160.0, 200, 150, 0.0, -3.0},
};

double Area(const std::vector<point>& corners)
{
    double twice = 0.0;
    for (std::size_t i = 0; i < corners.size(); ++i) {
        const point& a = corners[i];
        const point& b = corners[(i + 1) % corners.size()];
        twice += a.x() * b.y() - b.x() * a.y();
    }
    return std::fabs(twice) / 2.0;
}

std::vector<point> Corners(CRoomFloor& room)
{
    std::vector<point> corners;
    for (ZupEdge* wall = room.Get1stEdge(); wall; wall = room.GetNextEdge())
        corners.push_back(wall->GetStart()->GetPoint());
    return corners;
}

ZupEdge* WallFrom(CRoomFloor& room, KorNode* start)
{
    for (ZupEdge* wall = room.Get1stEdge(); wall; wall = room.GetNextEdge())
        if (wall->GetStart() == start)
            return wall;
    return nullptr;
}

// Every corner of the room is a corner of the partition, and the two
// enclose the same area.
void ExpectPartitionHolds(ZupPartition* partition, const std::vector<point>& corners, double tolerance)
{
    ASSERT_NE(partition, nullptr);
    polygon& contour = partition->GetContour();
    for (const point& corner : corners) {
        double nearest = 1e9;
        for (short i = 0; i < contour.count(); ++i)
            nearest = std::min(nearest, GeoDistance(contour[i].get_point(), corner));
        EXPECT_LT(nearest, tolerance) << "corner (" << corner.x() << ", " << corner.y() << ")";
    }
    // A corner off by the tolerance moves the area by at most that much
    // times half the outline's length (under 1,000 here).
    EXPECT_NEAR(std::fabs(contour.area()), Area(corners), 500.0 * tolerance);
}

class PlanJoinBelowTest : public LevelTest {
protected:
    // The hall (the shipped 200 x 300 rectangle) with its bottom wall leant
    // when asked and a door on that wall, closed into the plan; the room
    // below entered through the door, given its lengths and the door's
    // place on its wall as typed lengths, and closed.
    void JoinBelow(const BelowCase& c)
    {
        DrawRectangle();
        hall = Room();
        hall->ZupFloor::SetName("Hall1");
        if (c.lean != 0.0) {
            ASSERT_TRUE(document->SetEditMode(1));
            ASSERT_TRUE(PenDrag(point(200, 0), point(200, -200.0 * std::tan(c.lean * M_PI / 180.0)), 2.0));
            ASSERT_TRUE(document->SetEditMode(2));
        }
        const double doorY = -c.door * std::tan(c.lean * M_PI / 180.0);
        ZupOpening* door = hall->CreateOpening("Hall1A", 1, c.door, doorY);
        ASSERT_NE(door, nullptr);
        ZupEdge* bottom = door->GetEdge();
        bottom->SetObjectsPosition(-1.0f);
        bottom->ModifyLengthDim(-1.0f);
        door->CreateWidthDimension();
        ASSERT_TRUE(hall->Resolve());
        ASSERT_TRUE(document->CloseRoom());

        document->ExitThroughOpening(hall->GetOpening("Hall1A"));
        ASSERT_TRUE(document->InsertShape(0, 0));
        document->PlaceEntrance(nullptr);
        lower = Room();
        ASSERT_NE(lower, hall);
        lower->ZupFloor::SetName("Lower1");
        ZupOpening* entrance = lower->GetEntrance();
        ASSERT_NE(entrance, nullptr);
        // The side wall that leaves the entrance's wall takes the depth, the
        // wall facing the entrance's the width (their parallels follow).
        ZupEdge* side = WallFrom(*lower, entrance->GetEdge()->GetEnd());
        ASSERT_NE(side, nullptr);
        ZupEdge* far = WallFrom(*lower, side->GetEnd());
        ASSERT_NE(far, nullptr);
        ASSERT_TRUE(FixDimension(lower->GetDimension(side->GetStart(), side->GetEnd(), false), c.depth));
        ASSERT_TRUE(FixDimension(lower->GetDimension(far->GetStart(), far->GetEnd(), false), c.width));
        if (c.right != 0.0) {
            // The door's place: from the room's right corner to the door's edge.
            ASSERT_NE(entrance->GetPosDimension(), nullptr);
            ASSERT_TRUE(FixDimension(entrance->GetPosDimension(), c.right - c.door - entrance->GetWidth() / 2.0));
        }
        ASSERT_TRUE(lower->Resolve());
        ASSERT_TRUE(document->CloseRoom()) << "the lower room joins the plan";
    }

    // Both rooms in the plan as drawn, the door between them.
    static void ExpectPlanHolds(CReplDoc& level, const std::vector<point>& hallCorners,
                                const std::vector<point>& lowerCorners, double tolerance)
    {
        ASSERT_EQ(level.GetNumOfRooms(), 2);
        ASSERT_EQ(level.m_plan.GetNumOfPartitions(), 2);
        ZupPartition* first = level.GetPartitionOfRoom(level.GetRoom(0));
        ZupPartition* second = level.GetPartitionOfRoom(level.GetRoom(1));
        {
            SCOPED_TRACE("the hall");
            ExpectPartitionHolds(first, hallCorners, tolerance);
        }
        {
            SCOPED_TRACE("the lower room");
            ExpectPartitionHolds(second, lowerCorners, tolerance);
        }
        ZupOpening* door = level.m_plan.GetOpening("Hall1A");
        ASSERT_NE(door, nullptr);
        ASSERT_NE(door->GetEdge(), nullptr);
        EXPECT_EQ(door->GetEdge()->GetType(), ZUP_EDGE_INNER);
        EXPECT_TRUE(first->Contain(door->GetEdge()) && second->Contain(door->GetEdge()))
            << "the door leads from the hall into the lower room";
    }

    // The rooms found again by walking the plan's walls enclose the areas
    // of the two rooms. The walk makes the plan's rooms anew: the level is
    // not used after it.
    static void ExpectWalkFindsBoth(CReplDoc& level, double hallArea, double lowerArea)
    {
        ASSERT_TRUE(level.m_plan.MakePartitions(false));
        ASSERT_EQ(level.m_plan.GetNumOfPartitions(), 2);
        std::vector<double> found;
        for (int i = 0; i < 2; ++i)
            found.push_back(std::fabs(level.m_plan.GetPartition(i)->GetContour().area()));
        std::sort(found.begin(), found.end());
        std::vector<double> expected{hallArea, lowerArea};
        std::sort(expected.begin(), expected.end());
        EXPECT_NEAR(found[0], expected[0], expected[0] * 1e-3);
        EXPECT_NEAR(found[1], expected[1], expected[1] * 1e-3);
    }

    CRoomFloor* hall = nullptr;
    CRoomFloor* lower = nullptr;
};

}  // namespace

TEST_F(PlanJoinBelowTest, ThePlanHoldsBothRoomsAndTheDoor)
{
    for (const BelowCase& c : kCases) {
        SCOPED_TRACE(c.name);
        document = std::make_unique<CReplDoc>();
        document->ResetLevel();
        JoinBelow(c);
        if (HasFatalFailure())
            return;
        const std::vector<point> lowerCorners = Corners(*lower);
        // The lower room lies below the hall's wall, its right side where it
        // was put.
        double lowest = 0.0, rightmost = -1e9;
        for (const point& p : lowerCorners) {
            lowest = std::min(lowest, p.y());
            rightmost = std::max(rightmost, p.x());
        }
        EXPECT_LT(lowest, -100.0);
        if (c.right != 0.0) {
            EXPECT_NEAR(rightmost, c.right, 0.01);
        }
        EXPECT_NEAR(Area(lowerCorners), static_cast<double>(c.width) * c.depth, 0.5);
        ExpectPlanHolds(*document, Corners(*hall), lowerCorners, 0.01);
        ExpectWalkFindsBoth(*document, Area(Corners(*hall)), Area(lowerCorners));
    }
}

TEST_F(PlanJoinBelowTest, SavedAndOpenedThePlanHoldsBothRoomsAndTheDoor)
{
    for (const BelowCase& c : kCases) {
        SCOPED_TRACE(c.name);
        document = std::make_unique<CReplDoc>();
        document->ResetLevel();
        JoinBelow(c);
        if (HasFatalFailure())
            return;
        const std::vector<point> hallCorners = Corners(*hall);
        const std::vector<point> lowerCorners = Corners(*lower);
        std::string text;
        document->BuildFileText(text);
        CReplDoc reopened;
        ASSERT_TRUE(reopened.ParseFile(text.c_str(), static_cast<int>(text.size())));
        ASSERT_EQ(reopened.GetNumOfRooms(), 2);
        // The level's last room comes back being edited: closed again, it
        // joins the plan.
        ASSERT_TRUE(reopened.CloseRoom());
        // Within the tenth of an inch the file keeps of each corner.
        ExpectPlanHolds(reopened, hallCorners, lowerCorners, 0.1);
        ExpectWalkFindsBoth(reopened, Area(hallCorners), Area(lowerCorners));
    }
}
