// A room entered through a door on a hall's wall that steps by a few inches
// (the shipped L with the wall between its two top pieces typed short): the
// room's wall that holds the entrance runs along the piece with the door and
// on past the step, a few inches off the other piece. Outside the hall that
// leaves a gap between the rooms; inside it the room's corner goes onto the
// hall's wall and its wall follows the hall's around the step. Either way
// the plan holds both rooms, the rooms found again by walking the plan's
// walls are the same two, and the level comes back so when saved and opened.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "dimension_values.h"
#include "distances.h"
#include "kor_node.h"
#include "level_fixture.h"
#include "zup_opening.h"
#include "zup_partition.h"

namespace {

// The L's corners once its step is typed: (0, 0), (240, 0), (240, 300 - step),
// (120, 300 - step), (120, 300), (0, 300). The joined room is the shipped
// 200 x 300 rectangle, centred on its door.
struct StepCase {
    const char* name;
    double step;  // the wall between the two top pieces
    double door;  // the door's centre: on the high piece (x < 120) or the low one
};

const StepCase kCases[] = {
    {"2-in gap beside the room's wall", 2.0, 60.0},
    {"4-in gap beside the room's wall", 4.0, 60.0},
    {"the room's wall 2 in inside the hall", 2.0, 180.0},
    {"the room's wall 4 in inside the hall", 4.0, 180.0},
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

std::vector<point> Outline(ZupPartition* partition)
{
    std::vector<point> corners;
    polygon& contour = partition->GetContour();
    for (short i = 0; i < contour.count(); ++i) {
        const point p = contour[i].get_point();
        if (corners.empty() || GeoDistance(corners.back(), p) > 1e-6)
            corners.push_back(p);
    }
    if (corners.size() > 1 && GeoDistance(corners.front(), corners.back()) < 1e-6)
        corners.pop_back();
    return corners;
}

double Nearest(const std::vector<point>& corners, const point& p)
{
    double nearest = 1e9;
    for (const point& c : corners)
        nearest = std::min(nearest, GeoDistance(c, p));
    return nearest;
}

class PlanJoinStepTest : public LevelTest {
protected:
    void JoinAcrossStep(const StepCase& c)
    {
        ASSERT_TRUE(document->InsertShape(1, 0));
        document->PlaceEntrance(nullptr);
        hall = Room();
        hall->ZupFloor::SetName("Hall1");
        ZupEdge* riser = nullptr;
        for (ZupEdge* e = hall->Get1stEdge(); e; e = hall->GetNextEdge())
            if (GeoDistance(e->GetStart()->GetPoint(), point(120, 120)) < 0.01)
                riser = e;
        ASSERT_NE(riser, nullptr);
        ASSERT_TRUE(FixDimension(hall->GetDimension(riser->GetStart(), riser->GetEnd(), false), c.step));
        ASSERT_TRUE(hall->Resolve());
        ZupOpening* door = hall->CreateOpening("Hall1A", 1, c.door, c.door < 120.0 ? 300.0 : 300.0 - c.step);
        ASSERT_NE(door, nullptr);
        ZupEdge* top = door->GetEdge();
        top->SetObjectsPosition(-1.0f);
        top->ModifyLengthDim(-1.0f);
        door->CreateWidthDimension();
        ASSERT_TRUE(hall->Resolve());
        ASSERT_TRUE(document->CloseRoom());
        document->ExitThroughOpening(hall->GetOpening("Hall1A"));
        ASSERT_TRUE(document->InsertShape(0, 0));
        document->PlaceEntrance(nullptr);
        joined = Room();
        ASSERT_NE(joined, hall);
        joined->ZupFloor::SetName("Den1");
        ASSERT_TRUE(document->CloseRoom()) << "the room joins the plan";
    }

    // The hall as drawn; the room as drawn less the strip it would lay over
    // the hall; the door between them.
    void ExpectPlanHolds(CReplDoc& level, const StepCase& c, double tolerance)
    {
        ASSERT_EQ(level.GetNumOfRooms(), 2);
        ASSERT_EQ(level.m_plan.GetNumOfPartitions(), 2);
        const double low = 300.0 - c.step;
        const std::vector<point> hallCorners{point(0, 0),     point(240, 0),   point(240, low),
                                             point(120, low), point(120, 300), point(0, 300)};
        const std::vector<point> hallFound = Outline(level.GetPartitionOfRoom(level.GetRoom(0)));
        EXPECT_EQ(hallFound.size(), hallCorners.size());
        for (const point& p : hallCorners)
            EXPECT_LT(Nearest(hallFound, p), tolerance) << "hall corner (" << p.x() << ", " << p.y() << ")";
        EXPECT_NEAR(Area(hallFound), Area(hallCorners), 500.0 * tolerance);

        const bool inside = c.door > 120.0;
        const double bottom = inside ? low : 300.0;
        const double left = c.door - 100.0, right = c.door + 100.0;
        const std::vector<point> denFound = Outline(level.GetPartitionOfRoom(level.GetRoom(1)));
        for (const point& p : {point(right, bottom), point(right, bottom + 300), point(left, bottom + 300)})
            EXPECT_LT(Nearest(denFound, p), tolerance) << "room corner (" << p.x() << ", " << p.y() << ")";
        // The corner that would stand inside the hall stands on its wall.
        EXPECT_LT(Nearest(denFound, point(left, inside ? 300.0 : bottom)), tolerance) << "the room's near corner";
        const double strip = inside ? (120.0 - left) * c.step : 0.0;
        EXPECT_NEAR(Area(denFound), 60000.0 - strip, 500.0 * tolerance);

        ZupOpening* door = level.m_plan.GetOpening("Hall1A");
        ASSERT_NE(door, nullptr);
        ASSERT_NE(door->GetEdge(), nullptr);
        EXPECT_EQ(door->GetEdge()->GetType(), ZUP_EDGE_INNER);
        EXPECT_NEAR(door->GetGeoCenter().x(), c.door, tolerance);
    }

    // The rooms found again by walking the plan's walls: the same two. The
    // walk makes the plan's rooms anew: the level is not used after it.
    static void ExpectWalkFindsBoth(CReplDoc& level, const StepCase& c)
    {
        ASSERT_TRUE(level.m_plan.MakePartitions(false)) << "the walls walked";
        ASSERT_EQ(level.m_plan.GetNumOfPartitions(), 2);
        std::vector<double> found;
        for (int i = 0; i < 2; ++i)
            found.push_back(std::fabs(level.m_plan.GetPartition(i)->GetContour().area()));
        std::sort(found.begin(), found.end());
        const double strip = c.door > 120.0 ? (120.0 - (c.door - 100.0)) * c.step : 0.0;
        std::vector<double> expected{240.0 * 300.0 - 120.0 * c.step, 60000.0 - strip};
        std::sort(expected.begin(), expected.end());
        EXPECT_NEAR(found[0], expected[0], 1.0);
        EXPECT_NEAR(found[1], expected[1], 1.0);
    }

    CRoomFloor* hall = nullptr;
    CRoomFloor* joined = nullptr;
};

}  // namespace

TEST_F(PlanJoinStepTest, ThePlanHoldsBothRoomsAndTheDoor)
{
    for (const StepCase& c : kCases) {
        SCOPED_TRACE(c.name);
        document = std::make_unique<CReplDoc>();
        document->ResetLevel();
        JoinAcrossStep(c);
        if (HasFatalFailure())
            return;
        ExpectPlanHolds(*document, c, 0.01);
        ExpectWalkFindsBoth(*document, c);
    }
}

TEST_F(PlanJoinStepTest, SavedAndOpenedThePlanHoldsBothRoomsAndTheDoor)
{
    for (const StepCase& c : kCases) {
        SCOPED_TRACE(c.name);
        document = std::make_unique<CReplDoc>();
        document->ResetLevel();
        JoinAcrossStep(c);
        if (HasFatalFailure())
            return;
        std::string text;
        document->BuildFileText(text);
        CReplDoc reopened;
        ASSERT_TRUE(reopened.ParseFile(text.c_str(), static_cast<int>(text.size())));
        ASSERT_EQ(reopened.GetNumOfRooms(), 2);
        ASSERT_TRUE(reopened.CloseRoom());
        ExpectPlanHolds(reopened, c, 0.1);
        ExpectWalkFindsBoth(reopened, c);
    }
}
