// The plan drawn after a room joins another through a door on a wall that
// holds a window too: the wall's pieces keep their holes and their symbols.
#include <memory>

#include "distances.h"
#include "kor_node.h"
#include "plan_geometry.h"
#include "plan_join_fixture.h"

namespace {

// The window at x = 22 and the door at x = 150; the bathroom spans 50 to 250.
class PlanJoinDrawingTest : public PlanJoinTest {
protected:
    void DrawLevel(bool withBathroom) { JoinAndDraw(22.0, 150.0, withBathroom); }
};

}  // namespace

// Before and after the bathroom joins: the top wall is drawn up to the
// window, between the window and the bathroom and beyond; the window's hole
// stays open with its frame drawn across it.
TEST_F(PlanJoinDrawingTest, TheWallKeepsItsWindowWhenARoomJoinsThroughADoorOnIt)
{
    for (const bool withBathroom : {false, true}) {
        SCOPED_TRACE(withBathroom ? "after the bathroom joined" : "the hall alone");
        document = std::make_unique<CReplDoc>();
        document->ResetLevel();
        DrawLevel(withBathroom);
        EXPECT_EQ(At(3, 300), kBlack) << "the wall before the window";
        EXPECT_EQ(At(44, 300), kBlack) << "the wall between the window and the bathroom";
        EXPECT_EQ(At(100, 300), kBlack) << "the wall between the window and the door";
        EXPECT_NE(At(22, 300), kBlack) << "the window's hole";
        EXPECT_EQ(At(22, 297), kBlack) << "the window's frame inside";
        EXPECT_EQ(At(22, 303), kBlack) << "the window's frame outside";
        EXPECT_NE(At(145, 300), kBlack) << "the door's hole";

        // On every wall of the plan each object starts toward the wall's
        // start, in the wall's order, and no run of wall crosses it.
        for (ZupEdge* wall = document->m_plan.Get1stEdge(); wall; wall = document->m_plan.GetNextEdge()) {
            const point s = wall->GetStart()->GetPoint();
            double reached = -0.01;
            for (int k = 0; k < wall->GetNumOfObjects(); ++k) {
                ZupWallObject* object = wall->GetWallObject(k);
                const double a = GeoDistance(s, object->GetStart()->GetPoint());
                const double b = GeoDistance(s, object->GetEnd()->GetPoint());
                EXPECT_LE(a, b) << object->GetTypeName() << " turned against its wall";
                EXPECT_GE(a, reached) << object->GetTypeName() << " out of its wall's order";
                reached = b - 0.01;
                const point c = object->GetGeoCenter();
                for (const CWallRun& run : CollectWallRuns(*wall)) {
                    const double along = (c.x() - run.from.x) * (run.to.x - run.from.x) +
                                         (c.y() - run.from.y) * (run.to.y - run.from.y);
                    const double length2 = (run.to.x - run.from.x) * (run.to.x - run.from.x) +
                                           (run.to.y - run.from.y) * (run.to.y - run.from.y);
                    EXPECT_FALSE(along > 0.0 && along < length2)
                        << object->GetTypeName() << " under a run of wall";
                }
            }
        }
    }
}
