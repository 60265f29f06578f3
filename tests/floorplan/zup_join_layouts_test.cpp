// Rooms joined into a plan in the layouts houses have: each join keeps every
// wall and corner of both rooms, lays no room over another and shares the
// door; a join that would cut a room along its entrance wall is refused.
#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "zup_camera.h"
#include "zup_opening.h"
#include "zup_partition.h"
#include "zup_plan_checks.h"
#include "zup_room_fixture.h"

namespace {

using plan_checks::Outline;
using plan_checks::Pt;

struct Door {
    const char* name;
    Pt at;
};

// One room as its own floor: its outline (counter-clockwise), its doors, the
// first door being its entrance.
struct RoomSketch {
    const char* name;
    Outline outline;
    std::vector<Door> doors;
};

struct JoinCase {
    std::string what;
    bool metric;
    std::vector<RoomSketch> rooms;  // the first is copied, the others merged in order
    bool joins;                     // false: the last merge is refused
    // Rooms whose walls the join may move onto a neighbour's wall: only
    // their area and the absence of overlaps are checked, not their corners.
    std::vector<const char*> adjusted;
};

std::unique_ptr<ZupFloor> Build(const RoomSketch& sketch)
{
    auto floor = std::make_unique<ZupFloor>();
    // The sketch is typed, not drawn: no corner may snap to another.
    floor->InputSnap() = 0.5f;
    const Outline& o = sketch.outline;
    for (std::size_t i = 0; i < o.size(); ++i) {
        const Pt& a = o[i];
        const Pt& b = o[(i + 1) % o.size()];
        EXPECT_TRUE(floor->AddLine(a.x, a.y, b.x, b.y)) << sketch.name << " wall " << i;
    }
    EXPECT_TRUE(floor->MakePartitions(false)) << sketch.name;
    floor->InputSnap() = ZupFloor::GetDefaultLinearInputSnap();
    for (std::size_t i = 0; i < sketch.doors.size(); ++i) {
        ZupOpening* door = floor->CreateOpening(sketch.doors[i].name, 1, sketch.doors[i].at.x, sketch.doors[i].at.y);
        EXPECT_NE(door, nullptr) << sketch.name << " door " << sketch.doors[i].name;
        if (door && i == 0)
            floor->SetEntrance(door);
    }
    floor->SetName(sketch.name);
    floor->SetIntersectControl(true);  // Smart Walls, as the program's rooms have
    EXPECT_EQ(floor->GetNodes().size(), o.size()) << sketch.name;
    return floor;
}

Outline Rect(double x0, double y0, double x1, double y1)
{
    return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
}

void AddSideWallCases(std::vector<JoinCase>& cases);

std::vector<JoinCase> Cases()
{
    const Outline hall = Rect(0, 0, 400, 300);
    std::vector<JoinCase> cases;
    // A far wall with a step longer than the shortest wall, shorter than the
    // snap of drawn input.
    const Outline jogged = {{400, 0}, {800, 0}, {800, 150}, {808, 150}, {808, 300}, {400, 300}};
    cases.push_back({"jog 8 cm joined", true,
                     {{"Hall", hall, {{"A", {400, 150}}}}, {"Den", jogged, {{"A", {400, 150}}}}}, true, {}});
    cases.push_back({"jog 8 cm copied", true,
                     {{"Den", jogged, {{"A", {400, 150}}}}, {"Hall", Rect(0, 0, 400, 300), {{"A", {400, 150}}}}},
                     true, {}});
    const Outline jogInches = {{160, 0}, {320, 0}, {320, 60}, {323, 60}, {323, 120}, {160, 120}};
    cases.push_back({"jog 3 in joined", false,
                     {{"Hall", Rect(0, 0, 160, 120), {{"A", {160, 60}}}}, {"Den", jogInches, {{"A", {160, 60}}}}},
                     true, {}});
    cases.push_back({"L room", true,
                     {{"Hall", hall, {{"A", {400, 150}}}},
                      {"Living", {{400, 0}, {800, 0}, {800, 500}, {600, 500}, {600, 300}, {400, 300}},
                       {{"A", {400, 150}}}}},
                     true,
                     {}});
    cases.push_back({"closet behind a door", true,
                     {{"Bed", hall, {{"A", {400, 150}}}}, {"Closet", Rect(400, 100, 460, 200), {{"A", {400, 150}}}}},
                     true,
                     {}});
    cases.push_back({"room off the hall's second door", true,
                     {{"Hall", hall, {{"A", {400, 150}}, {"B", {200, 300}}}},
                      {"Kitchen", Rect(400, 0, 700, 300), {{"A", {400, 150}}}},
                      {"Bed", Rect(0, 300, 400, 600), {{"B", {200, 300}}}}},
                     true,
                     {}});
    AddSideWallCases(cases);
    return cases;
}

// A new room off a wide hall whose east wall runs inside the kitchen beside
// it: the wall goes onto the kitchen's; along the entrance wall it is refused.
void AddSideWallCases(std::vector<JoinCase>& cases)
{
    for (double inside : {10.0, 20.0, 40.0}) {
        cases.push_back({"side wall " + std::to_string(static_cast<int>(inside)) + " cm inside", true,
                         {{"Hall", Rect(0, 0, 800, 300), {{"A", {600, 300}}, {"B", {200, 300}}}},
                          {"Kitchen", Rect(400, 300, 800, 600), {{"A", {600, 300}}}},
                          {"Bed", Rect(0, 300, 400 + inside, 600), {{"B", {200, 300}}}}},
                         true,
                         {"Bed"}});
    }
    cases.push_back({"entrance wall 20 cm inside", true,
                     {{"Hall", Rect(0, 0, 400, 300), {{"A", {400, 150}}, {"B", {200, 300}}}},
                      {"Kitchen", Rect(400, 0, 800, 320), {{"A", {400, 150}}}},
                      {"Bed", Rect(0, 300, 800, 600), {{"B", {200, 300}}}}},
                     false,
                     {}});
}

class ZupJoinLayoutsTest : public ZupTest {};

void CheckJoin(const JoinCase& c)
{
    {
        ZupResetGlobals();
        ZupMetric() = c.metric;
        std::vector<std::unique_ptr<ZupFloor>> rooms;
        for (const RoomSketch& sketch : c.rooms)
            rooms.push_back(Build(sketch));
        ZupFloor plan;
        // A geometry call that failed earlier leaves its error code behind;
        // the joins must not read it as their own.
        GeoError() = 1;
        ASSERT_NE(plan.Create(rooms[0].get()), nullptr);
        bool joined = true;
        for (std::size_t i = 1; i < rooms.size(); ++i) {
            ZupPartition* room = plan.AddPartition(rooms[i].get(), nullptr);
            if (i + 1 < rooms.size())
                ASSERT_NE(room, nullptr) << c.rooms[i].name;
            else
                joined = room != nullptr;
        }
        EXPECT_EQ(joined, c.joins);
        EXPECT_EQ(ZupFloor::mpCurAddition, nullptr);
        if (!c.joins)
            return;

        // Every corner of every room stands in the plan.
        for (const RoomSketch& sketch : c.rooms) {
            if (std::find(c.adjusted.begin(), c.adjusted.end(), sketch.name) != c.adjusted.end())
                continue;
            for (const Pt& corner : sketch.outline)
                EXPECT_LT(plan_checks::NearestNode(plan, corner), 0.05)
                    << sketch.name << " corner " << corner.x << "," << corner.y;
        }
        // The rooms found again from the walls are the rooms joined, none
        // over another.
        ASSERT_TRUE(plan.MakePartitions(false));
        const std::vector<Outline> found = plan_checks::Outlines(plan);
        ASSERT_EQ(found.size(), c.rooms.size());
        std::vector<double> areas, expected;
        for (const Outline& o : found)
            areas.push_back(plan_checks::Area(o));
        for (const RoomSketch& sketch : c.rooms) {
            double area = plan_checks::Area(sketch.outline);
            if (sketch.outline.size() == 4 && c.what.find("side wall") == 0 &&
                std::string(sketch.name) == "Bed")
                area = 400.0 * 300.0;  // its east wall went onto the kitchen's
            expected.push_back(area);
        }
        std::sort(areas.begin(), areas.end());
        std::sort(expected.begin(), expected.end());
        for (std::size_t i = 0; i < areas.size(); ++i)
            EXPECT_NEAR(areas[i], expected[i], expected[i] * 1e-4);
        EXPECT_EQ(plan_checks::OverlapSamples(found), 0);
        // Each door is one opening of the plan, between two rooms.
        for (std::size_t i = 1; i < c.rooms.size(); ++i) {
            ZupOpening* door = plan.GetOpening(c.rooms[i].doors[0].name);
            ASSERT_NE(door, nullptr);
            ASSERT_NE(door->GetEdge(), nullptr);
            EXPECT_EQ(door->GetEdge()->GetType(), ZUP_EDGE_INNER) << c.rooms[i].doors[0].name;
        }
    }
}

TEST_F(ZupJoinLayoutsTest, EveryLayoutJoinsWhole)
{
    std::vector<JoinCase> all = Cases();
    for (const JoinCase& c : all) {
        SCOPED_TRACE(c.what);
        CheckJoin(c);
    }
}

// A plan of one room with a camera, as the program's rooms have: its outside
// door is free to join, and namesakes that land apart are reported.
TEST_F(ZupJoinLayoutsTest, OutsideDoorOfOneRoomPlanIsConnectable)
{
    ZupMetric() = true;
    auto hall = Build({"Hall", Rect(0, 0, 400, 300), {{"A", {400, 100}}, {"B", {400, 250}}}});
    ASSERT_NE(hall->CreateCamera("1", 200.0, 150.0, 90), nullptr);
    ZupFloor plan;
    ASSERT_NE(plan.Create(hall.get()), nullptr);
    ASSERT_NE(plan.GetOpening("A"), nullptr);
    EXPECT_TRUE(plan.GetOpening("A")->IsConnectable(plan.GetOuterShell()));
    // The den's B lies 50 and 250 away from the hall's B.
    auto den = Build({"Den", Rect(400, 0, 700, 200), {{"A", {400, 100}}, {"B", {450, 0}}}});
    EXPECT_EQ(plan.AddPartition(den.get(), nullptr), nullptr);
    const G_POINT offset = ZupFloor::GetCurDiscrepancy();
    EXPECT_NEAR(std::fabs(offset.x) + std::fabs(offset.y), 300.0, 1.0);
}

}  // namespace

namespace {

// A room drawn in its own place, its door on another side than the plan's:
// it is turned and moved so that it lies beyond the door, whichever way.
TEST_F(ZupJoinLayoutsTest, TurnedRoomLandsBeyondTheDoor)
{
    struct Turn {
        Pt hallDoor;
        Outline beyond;  // where the den must land
    };
    const Turn turns[] = {
        {{400, 150}, Rect(400, 50, 700, 250)},   // right wall: a quarter turn
        {{0, 150}, Rect(-300, 50, 0, 250)},      // left wall: the other way
        {{200, 300}, Rect(100, 300, 300, 600)},  // top wall: a half turn
        {{200, 0}, Rect(100, -300, 300, 0)},     // bottom wall: none
    };
    for (const Turn& t : turns) {
        SCOPED_TRACE(t.hallDoor.x + 1000 * t.hallDoor.y);
        ZupResetGlobals();
        ZupMetric() = true;
        auto hall = Build({"Hall", Rect(0, 0, 400, 300), {{"A", t.hallDoor}}});
        // 200 wide, 300 deep, its door in the middle of its top wall.
        auto den = Build({"Den", Rect(1000, 1000, 1200, 1300), {{"A", {1100, 1300}}}});
        ZupFloor plan;
        GeoError() = 1;
        ASSERT_NE(plan.Create(hall.get()), nullptr);
        ASSERT_NE(plan.AddPartition(den.get(), nullptr), nullptr);
        for (const Pt& corner : t.beyond)
            EXPECT_LT(plan_checks::NearestNode(plan, corner), 0.05) << corner.x << "," << corner.y;
        ASSERT_TRUE(plan.MakePartitions(false));
        EXPECT_EQ(plan_checks::OverlapSamples(plan_checks::Outlines(plan)), 0);
    }
}

}  // namespace

namespace {

// An opening that spans its whole wall, as a room's archway does once its
// position and the rest of its wall are typed as 0.
class FullWallOpening : public ZupOpening {
public:
    using ZupOpening::ZupOpening;
    bool IsFullEdge() override { return true; }
};

// The den's archway B spans its top wall; the hall's door B, on the wall the
// archway meets, is stretched over that whole wall.
TEST_F(ZupJoinLayoutsTest, FullWallOpeningStretchesItsNamesake)
{
    ZupMetric() = true;
    auto hall = Build({"Hall", Rect(0, 0, 400, 300), {{"A", {400, 100}}, {"B", {400, 250}}}});
    auto den = Build({"Den", Rect(400, 0, 700, 200), {{"A", {400, 100}}}});
    auto* arch = new FullWallOpening(den.get(), "B", 1);
    point top(550.0, 200.0);
    ASSERT_TRUE(arch->Create(den.get(), top, nullptr, true));
    ZupFloor plan;
    ASSERT_NE(plan.Create(hall.get()), nullptr);
    ZupOpening* door = plan.GetOpening("B");
    ASSERT_NE(door, nullptr);
    EXPECT_NEAR(door->GetWidth(), 80.0, 0.5);
    ASSERT_NE(plan.AddPartition(den.get(), nullptr), nullptr);
    ASSERT_EQ(plan.GetOpening("B"), door);
    // The hall's wall above the den runs from (400, 200) to (400, 300).
    EXPECT_NEAR(door->GetWidth(), 100.0, 0.01);
    EXPECT_NEAR(door->GetGeoCenter().x(), 400.0, 0.01);
    EXPECT_NEAR(door->GetGeoCenter().y(), 250.0, 0.01);
}

}  // namespace
