// A room joined to the hall through a door on its top wall, with the joined
// room's side wall meeting that wall before, inside or after a window of the
// hall: every object stays within the wall piece that holds it, and the
// window the person drew is neither lost in the plan nor changed in the hall.
#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <string>

#include "distances.h"
#include "kor_node.h"
#include "plan_join_fixture.h"
#include "plan_wall_objects.h"
#include "zup_structural.h"
#include "zup_utility_object.h"
#include "segment.h"

namespace {

struct OverhangCase {
    const char* name;
    double window;  // the window's centre on the top wall
    double door;    // the door's centre: the joined room spans door - 100 to door + 100
    double joint;   // where the joined room's side wall meets the top wall
};

// The window is 32 wide; the joined room's left side wall meets the top wall
// at x = 50 (door at 150), its right side wall at x = 160 (door at 60).
const OverhangCase kCases[] = {
    {"left wall after the window", 20.0, 150.0, 50.0},
    {"left wall inside, near the window's far end", 40.0, 150.0, 50.0},
    {"left wall through the window's middle", 50.0, 150.0, 50.0},
    {"left wall inside, near the window's near end", 62.0, 150.0, 50.0},
    {"left wall before the window", 80.0, 150.0, 50.0},
    {"right wall after the window", 120.0, 60.0, 160.0},
    {"right wall inside, near the window's far end", 150.0, 60.0, 160.0},
    {"right wall inside, near the window's near end", 170.0, 60.0, 160.0},
    {"right wall before the window", 182.0, 60.0, 160.0},
};

double Low(ZupWallObject* object)
{
    return std::min(object->GetStart()->GetPoint().x(), object->GetEnd()->GetPoint().x());
}

double High(ZupWallObject* object)
{
    return std::max(object->GetStart()->GetPoint().x(), object->GetEnd()->GetPoint().x());
}

class PlanJoinOverhangTest : public PlanJoinTest {
protected:
    // Each case on a fresh level, joined and drawn, then checked.
    void ForEachCase(const std::function<void(const OverhangCase&)>& check)
    {
        for (const OverhangCase& c : kCases) {
            SCOPED_TRACE(c.name);
            document = std::make_unique<CReplDoc>();
            document->ResetLevel();
            JoinAndDraw(c.window, c.door, true);
            if (HasFatalFailure())
                return;
            check(c);
        }
    }

    // The plan's windows.
    std::vector<ZupWallObject*> PlanWindows()
    {
        std::vector<ZupWallObject*> found;
        for (ZupEdge* wall = document->m_plan.Get1stEdge(); wall; wall = document->m_plan.GetNextEdge())
            for (int k = 0; k < wall->GetNumOfObjects(); ++k)
                if (wall->GetWallObject(k)->IsWindow())
                    found.push_back(wall->GetWallObject(k));
        return found;
    }
};

}  // namespace

// Every object of the plan lies within the wall piece that holds it.
void ExpectObjectsWithinTheirPieces(ZupFloor& plan)
{
    for (ZupEdge* wall = plan.Get1stEdge(); wall; wall = plan.GetNextEdge()) {
        const segment piece(wall->GetStart()->GetPoint(), wall->GetEnd()->GetPoint());
        const double slack = 0.01 / GeoDistance(piece.start(), piece.end());
        for (int k = 0; k < wall->GetNumOfObjects(); ++k) {
            ZupWallObject* object = wall->GetWallObject(k);
            for (KorNode* end : {object->GetStart(), object->GetEnd()}) {
                point p = end->GetPoint();
                const double t = p.position(piece);
                EXPECT_TRUE(t > -slack && t < 1.0 + slack)
                    << object->GetTypeName() << " end at (" << p.x() << ", " << p.y()
                    << ") beyond its piece (" << piece.start().x() << ", " << piece.start().y()
                    << ")-(" << piece.end().x() << ", " << piece.end().y() << ")";
            }
        }
    }
}

TEST_F(PlanJoinOverhangTest, EveryObjectStaysWithinItsWallPiece)
{
    ForEachCase([&](const OverhangCase&) { ExpectObjectsWithinTheirPieces(document->m_plan); });
}

// The joined room's own window on the wall it shares with the hall, where the
// hall's right wall meets that wall at x = 200 (door at 150: the joined room
// spans 50 to 250): before, inside and after the window.
TEST_F(PlanJoinOverhangTest, TheJoinedRoomsWindowStaysWithinItsWallPiece)
{
    for (const double secondWindow : {183.0, 190.0, 198.0, 205.0, 230.0}) {
        SCOPED_TRACE(secondWindow);
        document = std::make_unique<CReplDoc>();
        document->ResetLevel();
        JoinAndDraw(22.0, 150.0, true, secondWindow);
        if (HasFatalFailure())
            return;
        ExpectObjectsWithinTheirPieces(document->m_plan);
        EXPECT_EQ(PlanWindows().size(), 2u) << "a window lost in the plan";
    }
}

// The window stays whole where the side wall misses it and keeps, up to the
// side wall, the side that holds its centre where the wall meets it; the hall
// keeps the window as it was drawn. In the picture the kept part is a hole
// with its frame, and the wall is drawn on beyond the joint.
TEST_F(PlanJoinOverhangTest, TheWindowIsKeptUpToTheJointAndWholeInTheHall)
{
    ForEachCase([&](const OverhangCase& c) {
        const double drawnFrom = Low(window), drawnTo = High(window);
        EXPECT_NEAR(drawnTo - drawnFrom, 32.0, 0.01) << "the hall's window changed";
        const auto windows = PlanWindows();
        ASSERT_EQ(windows.size(), 1u) << "the window lost in the plan";
        ZupWallObject* kept = windows.front();
        const bool inside = drawnFrom < c.joint && c.joint < drawnTo;
        // A window centred on the joint may stay on either side of it.
        const bool after = c.window > c.joint || (c.window == c.joint && Low(kept) > c.joint - 1.0);
        const double keptFrom = inside && after ? c.joint : drawnFrom;
        const double keptTo = inside && !after ? c.joint : drawnTo;
        EXPECT_NEAR(Low(kept), keptFrom, 0.01);
        EXPECT_NEAR(High(kept), keptTo, 0.01);
        EXPECT_NEAR(kept->GetStart()->GetPoint().y(), kTop, 0.01);
        EXPECT_NEAR(kept->GetEnd()->GetPoint().y(), kTop, 0.01);

        const double middle = (keptFrom + keptTo) / 2.0;
        EXPECT_NE(At(middle, kTop), kBlack) << "the window's hole";
        EXPECT_EQ(At(middle, kTop - 3.0), kBlack) << "the window's frame inside";
        EXPECT_EQ(At(middle, kTop + 3.0), kBlack) << "the window's frame outside";
        if (!inside)
            return;
        // The part cut off lies beyond the joint: solid wall there.
        const double beyond = after ? (drawnFrom + c.joint) / 2.0 - 1.0 : (c.joint + drawnTo) / 2.0 + 1.0;
        EXPECT_EQ(At(beyond, kTop), kBlack) << "the wall beyond the joint";
        // Past the side wall the window's frame reaches no further: the
        // joined room's floor (or the outside) there carries no line.
        const double cut = after ? (drawnFrom + c.joint) / 2.0 : (c.joint + drawnTo) / 2.0;
        if (std::fabs(cut - c.joint) > 4.0) {
            EXPECT_NE(At(cut, kTop + 3.0), kBlack) << "the frame beyond the joint";
        }
    });
}

// A fixture on the hall's top wall, where the joined room's side wall meets
// that wall before, inside or after it: in the plan the fixture lies on the
// piece under its centre, within it, fitted up to the joint like a window.
TEST_F(PlanJoinOverhangTest, AFixtureIsFittedToTheWallPieceThatHoldsIt)
{
    enum Kind { kBath, kCounter, kUtility, kStructural };
    const struct {
        Kind kind;
        double at;    // the fixture's centre on the top wall
        double door;  // the joined room spans door - 100 to door + 100
    } cases[] = {{kBath, 40.0, 150.0},       {kBath, 60.0, 150.0},      {kBath, 20.0, 150.0},
                 {kCounter, 45.0, 150.0},    {kCounter, 165.0, 60.0},   {kCounter, 120.0, 60.0},
                 {kUtility, 58.0, 150.0},    {kUtility, 155.0, 60.0},   {kStructural, 44.0, 150.0},
                 {kStructural, 170.0, 60.0}, {kBath, 152.0, 60.0},      {kCounter, 80.0, 150.0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.kind) + " at " + std::to_string(c.at));
        document = std::make_unique<CReplDoc>();
        document->ResetLevel();
        DrawRectangle();
        CRoomFloor* hall = Room();
        hall->ZupFloor::SetName("Hall1");
        ZupWallObject* fixture = nullptr;
        switch (c.kind) {
        case kBath: fixture = hall->CreateBathObjectAt(c.at, kTop, false); break;
        case kCounter: fixture = hall->CreateCountertopAt(c.at, kTop, false); break;
        case kUtility: fixture = hall->CreateUtilityObject(c.at, kTop); break;
        case kStructural: fixture = hall->CreateStructural(c.at, kTop); break;
        }
        ASSERT_NE(fixture, nullptr);
        const double from = Low(fixture), to = High(fixture);
        ZupOpening* door = hall->CreateOpening("Hall1A", 1, c.door, kTop);
        ASSERT_NE(door, nullptr);
        ZupEdge* top = door->GetEdge();
        top->SetObjectsPosition(-1.0f);
        top->ModifyLengthDim(-1.0f);
        door->CreateWidthDimension();
        fixture->CreateWidthDimension();
        ASSERT_TRUE(hall->Resolve());
        ASSERT_TRUE(document->CloseRoom());
        document->ExitThroughOpening(hall->GetOpening("Hall1A"));
        ASSERT_TRUE(document->InsertShape(0, 0));
        document->PlaceEntrance(nullptr);
        ASSERT_TRUE(document->CloseRoom());
        ASSERT_EQ(document->m_plan.GetNumOfPartitions(), 2);

        EXPECT_NEAR(High(fixture) - Low(fixture), to - from, 0.01) << "the hall's fixture changed";
        ExpectObjectsWithinTheirPieces(document->m_plan);
        // Each fixture of the plan on its piece's line.
        int fixtures = 0;
        for (ZupEdge* wall = document->m_plan.Get1stEdge(); wall; wall = document->m_plan.GetNextEdge())
            for (int k = 0; k < wall->GetNumOfObjects(); ++k) {
                ZupWallObject* object = wall->GetWallObject(k);
                if (object->GetObjectType() != fixture->GetObjectType())
                    continue;
                ++fixtures;
                EXPECT_NEAR(object->GetStart()->GetPoint().y(), kTop, 0.01);
                EXPECT_NEAR(object->GetEnd()->GetPoint().y(), kTop, 0.01);
                const double joint = c.door < 100.0 ? c.door + 100.0 : c.door - 100.0;
                const bool inside = from < joint && joint < to;
                const bool after = c.at > joint;
                EXPECT_NEAR(Low(object), inside && after ? joint : from, 0.01);
                EXPECT_NEAR(High(object), inside && !after ? joint : to, 0.01);
            }
        EXPECT_EQ(fixtures, 1) << "the fixture in the plan";
    }
}
