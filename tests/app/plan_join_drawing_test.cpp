// The plan drawn after a room joins another through a door on a wall that
// holds a window too: the wall's pieces keep their holes and their symbols.
#include <memory>

#include "distances.h"
#include "kor_node.h"
#include "level_fixture.h"
#include "plan_geometry.h"
#include "scaled_dc.h"
#include "zup_opening.h"
#include "zup_window.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

class PlanJoinDrawingTest : public LevelTest {
protected:
    // A 200 x 300 hall with a window at x = 22 and a door at x = 150 on its
    // top wall (y = 300), closed into the plan; with the bathroom, a second
    // 200 x 300 room entered through the door, drawn and closed above it
    // (x = 50 to 250).
    void DrawLevel(bool withBathroom)
    {
        DrawRectangle();
        CRoomFloor* hall = Room();
        hall->ZupFloor::SetName("Hall1");
        ZupWindow* window = hall->CreateWallWindow(22.0, 300.0);
        ASSERT_NE(window, nullptr);
        ZupOpening* door = hall->CreateOpening("Hall1A", 1, 150.0, 300.0);
        ASSERT_NE(door, nullptr);
        ZupEdge* top = door->GetEdge();
        top->SetObjectsPosition(-1.0f);
        top->ModifyLengthDim(-1.0f);
        door->CreateWidthDimension();
        window->CreateWidthDimension();
        ASSERT_TRUE(hall->Resolve());
        ASSERT_TRUE(document->CloseRoom());
        if (withBathroom) {
            document->ExitThroughOpening(hall->GetOpening("Hall1A"));
            ASSERT_TRUE(document->InsertShape(0, 0));
            document->PlaceEntrance(nullptr);
            ASSERT_TRUE(document->CloseRoom());
            ASSERT_EQ(document->m_plan.GetNumOfPartitions(), 2);
        }
        document->m_roomView = false;
        document->m_showObjects = true;
        document->m_showRooms = false;
        document->m_showAreas = false;
        document->m_showNames = false;
        dc.FillSolidRect(0, 0, 240, 240, kWhite);
        dc.SetScale(1.0f);
        dc.SetOrigin(20, 400);
        document->DrawPlan(dc);
    }

    COLORREF At(int modelX, int modelY)
    {
        POINT p{modelX, modelY};
        dc.ToScreen(p);
        return dc.GetPixel(p.x, p.y);
    }

    CScaledDC dc{nullptr};
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
