// A room whose walls are held parallel or at right angles by alignments
// keeps them when it joins the level's plan: the plan makes the same
// alignments between its own copies of those walls, and they hold there.
#include <cmath>
#include <vector>

#include "kor_lin_tracker.h"
#include "kor_node.h"
#include "kor_parallel.h"
#include "kor_perpendicular.h"
#include "kor_primitive.h"
#include "level_branching_fixture.h"

namespace {

class JoinedAlignmentsTest : public LevelBranchingTest {
protected:
    static std::vector<ZupEdge*> Walls(ZupFloor& floor)
    {
        std::vector<ZupEdge*> walls;
        for (ZupEdge* e = floor.Get1stEdge(); e; e = floor.GetNextEdge())
            walls.push_back(e);
        return walls;
    }
    static KorLinTracker* TrackerOf(ZupEdge* wall)
    {
        return dynamic_cast<KorLinTracker*>(wall->GetPrimitive()->GetTracker());
    }
    // The plan's tracker of the plan wall that joins the same two points as
    // a wall of the room.
    KorLinTracker* PlanTrackerOf(ZupEdge* roomWall)
    {
        const point a = roomWall->GetStart()->GetPoint();
        const point b = roomWall->GetEnd()->GetPoint();
        for (ZupEdge* e : Walls(document->m_plan)) {
            const point s = e->GetStart()->GetPoint();
            const point t = e->GetEnd()->GetPoint();
            if ((Near(s, a) && Near(t, b)) || (Near(s, b) && Near(t, a)))
                return TrackerOf(e);
        }
        return nullptr;
    }
    static bool Near(const point& p, const point& q) { return std::hypot(p.x() - q.x(), p.y() - q.y()) < 1e-3; }
    // The plan's dimension of the given type between two trackers.
    KorDimension* PlanAlignment(KOREntityType type, KorLinTracker* t1, KorLinTracker* t2)
    {
        for (KorDimension* d : document->m_plan.GetDimensions())
            if (d->GetType() == type && ((d->GetStart() == t1 && d->GetEnd() == t2) ||
                                         (d->GetStart() == t2 && d->GetEnd() == t1)))
                return d;
        return nullptr;
    }
};

}  // namespace

// The den behind the hall's door holds its side walls parallel and its
// entrance wall square to one of them; joined, the plan holds the same.
TEST_F(JoinedAlignmentsTest, ParallelsAndPerpendicularsAreMadeAgainInThePlan)
{
    DrawRectangle();
    Room()->ZupFloor::SetName("Hall1");
    ASSERT_NE(AddDoor("Hall1A", FreeWall()), nullptr);
    ASSERT_TRUE(LeaveThrough("Hall1A"));
    DrawEnteredRoom();
    Room()->RemoveAlignments();
    const std::vector<ZupEdge*> walls = Walls(*Room());
    ASSERT_EQ(walls.size(), 4u);
    auto* parallel = new KorParallel();
    ASSERT_NE(parallel->Create(Room(), TrackerOf(walls[1]), TrackerOf(walls[3])), 0);
    auto* perpendicular = new KorPerpendicular();
    ASSERT_NE(perpendicular->Create(Room(), TrackerOf(walls[0]), TrackerOf(walls[1])), 0);
    ASSERT_TRUE(Room()->Resolve());
    ASSERT_TRUE(document->CloseRoom());
    ASSERT_EQ(document->m_plan.GetNumOfPartitions(), 2);

    KorLinTracker* side1 = PlanTrackerOf(walls[1]);
    KorLinTracker* side3 = PlanTrackerOf(walls[3]);
    KorLinTracker* front = PlanTrackerOf(walls[0]);
    ASSERT_NE(side1, nullptr);
    ASSERT_NE(side3, nullptr);
    ASSERT_NE(front, nullptr);
    EXPECT_NE(PlanAlignment(KOR_PARALLEL, side1, side3), nullptr);
    EXPECT_NE(PlanAlignment(KOR_PERPENDICULAR, front, side1), nullptr);
    // They hold when the plan is solved again.
    document->m_plan.RemoveSolution();
    ASSERT_TRUE(document->m_plan.KorModel::Resolve());
    const double across = std::fabs(std::remainder(angle(side1->GetLine(), side3->GetLine()).deg(), 180.0));
    EXPECT_LT(across, 1e-6);
    const double square = std::fabs(std::fabs(std::remainder(angle(front->GetLine(), side1->GetLine()).deg(), 180.0)) - 90.0);
    EXPECT_LT(square, 1e-6);
}
