#include <cmath>
#include <functional>

#include "room_floor.h"
#include "scaled_dc.h"
#include "shell_test_support.h"
#include "zoom_window.h"

class ZoomWindowTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        ASSERT_TRUE(Start());
        ShowEmptyPlan();
        // The pad in the lower right corner leaves the rest for rectangles.
        view().ToggleCommandPad(190, 220);
    }
    CReplView& view() { return *View(); }
    void Drag(CPoint from, CPoint to)
    {
        // Apart in time, so that no press becomes a double tap.
        driver->AdvanceTime(1000);
        driver->PenDown(from);
        driver->PenMove(CPoint((from.x + to.x) / 2, (from.y + to.y) / 2));
        driver->PenMove(to);
        driver->PenUp(to);
    }
};

TEST_F(ZoomWindowTest, ARectangle200WideOnA240WideViewGivesScale1point2)
{
    Drag(CPoint(10, 10), CPoint(210, 110));
    CViewZoom* zoom = view().GetZoomWindow();
    ASSERT_NE(zoom, nullptr);
    EXPECT_FALSE(zoom->IsDragged());
    EXPECT_DOUBLE_EQ(zoom->GetScaleX(), 1.2);
    EXPECT_DOUBLE_EQ(zoom->GetScale(), 1.2);
}

TEST_F(ZoomWindowTest, RectanglesOfAtMost50By50AreDropped)
{
    Drag(CPoint(10, 10), CPoint(60, 60));
    EXPECT_EQ(view().GetZoomWindow(), nullptr);
    Drag(CPoint(10, 10), CPoint(61, 20));
    EXPECT_NE(view().GetZoomWindow(), nullptr);
}

TEST_F(ZoomWindowTest, RepeatedZoomsMultiplyAndStopAt100)
{
    Drag(CPoint(10, 10), CPoint(130, 70));  // x 2
    CPoint offset;
    double first = 0.0;
    view().GetZoomWindow()->GetMapping(offset, first);
    Drag(CPoint(10, 10), CPoint(130, 70));
    double second = 0.0;
    view().GetZoomWindow()->GetMapping(offset, second);
    EXPECT_DOUBLE_EQ(second, first * 2.0);
    for (int i = 0; i < 10; ++i)
        Drag(CPoint(10, 10), CPoint(70, 70));
    double last = 0.0;
    view().GetZoomWindow()->GetMapping(offset, last);
    EXPECT_DOUBLE_EQ(last, CViewZoom::kMaxScale);
}

TEST_F(ZoomWindowTest, ARectangleWithoutWidthChangesNothing)
{
    CViewZoom zoom(&view(), CPoint(40, 10));
    zoom.SetEnd(CPoint(40, 200));
    CScaledDC dc(&view());
    view().PrepareMapping(dc);
    zoom.ZoomTo(dc);
    EXPECT_TRUE(zoom.IsDragged());
    CPoint offset;
    double scale = 0.0;
    zoom.GetMapping(offset, scale);
    EXPECT_EQ(offset, CPoint(0, 0));
    EXPECT_DOUBLE_EQ(scale, 1.0);
}

TEST_F(ZoomWindowTest, DraggingThePlanUnderAZoomMovesOnlyTheZoomWindow)
{
    Drag(CPoint(10, 10), CPoint(210, 110));
    CPoint before;
    double scale = 0.0;
    view().GetZoomWindow()->GetMapping(before, scale);
    const CPoint centre = view().GetCommandPad().GetOrigin() + CPoint(48, 48);
    Drag(centre, centre + CPoint(20, 8));
    CPoint after;
    view().GetZoomWindow()->GetMapping(after, scale);
    // The first move starts the pan, the second moves by (10, 4).
    EXPECT_EQ(CPoint(after.x - before.x, after.y - before.y), CPoint(10, 4));
    int x = 0, y = 0;
    Doc()->m_plan.GetPan(x, y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
}

// With a room shown the rectangle's corner comes to the view's corner.
TEST_F(ZoomWindowTest, TheRectanglesCornerLandsOnTheViewsCorner)
{
    Doc()->m_roomView = true;
    ASSERT_TRUE(Doc()->InsertShape(0, 0));
    ASSERT_TRUE(Doc()->SetEditMode(2));
    view().ToggleCommandPad(0, 0);
    view().ToggleCommandPad(200, 230);
    POINT corner{30, 40};
    {
        CScaledDC dc(&view());
        view().PrepareMapping(dc);
        dc.ToModel(corner);
    }
    Drag(CPoint(30, 40), CPoint(150, 130));
    ASSERT_NE(view().GetZoomWindow(), nullptr);
    CScaledDC dc(&view());
    view().PrepareMapping(dc);
    dc.ToScreen(corner);
    EXPECT_NEAR(corner.x, 0, 3);
    EXPECT_NEAR(corner.y, 0, 3);
}

// View All (the menu's command and the status icon) shows everything again
// while a zoom window is in force: the view maps as it did before the zoom.
TEST_F(ZoomWindowTest, ViewAllLeavesAZoomWindow)
{
    Doc()->m_roomView = true;
    ASSERT_TRUE(Doc()->InsertShape(0, 0));
    ASSERT_TRUE(Doc()->SetEditMode(2));
    view().ToggleCommandPad(0, 0);
    view().ToggleCommandPad(200, 230);
    const auto screenOf = [this](POINT p) {
        CScaledDC dc(&view());
        view().PrepareMapping(dc);
        dc.ToScreen(p);
        return CPoint(p.x, p.y);
    };
    const POINT corner{0, 0}, far{200, 300};
    const CPoint cornerBefore = screenOf(corner), farBefore = screenOf(far);
    const auto zoomIn = [this] { Drag(CPoint(30, 40), CPoint(150, 130)); };
    const auto viewAllFromTheMenu = [this] { Frame()->SendMessage(WM_COMMAND, 2153); };
    const auto viewAllFromTheIcon = [this] {
        view().ToggleCommandPad(0, 0);
        driver->AdvanceTime(1000);
        driver->Tap(view().GetIconRect('C').CenterPoint());
    };
    for (const auto& viewAll : {std::function<void()>(viewAllFromTheMenu), std::function<void()>(viewAllFromTheIcon)}) {
        zoomIn();
        ASSERT_NE(view().GetZoomWindow(), nullptr);
        ASSERT_NE(screenOf(far), farBefore);
        viewAll();
        EXPECT_EQ(view().GetZoomWindow(), nullptr);
        EXPECT_EQ(screenOf(corner), cornerBefore);
        EXPECT_EQ(screenOf(far), farBefore);
        if (!view().GetCommandPad().IsShown())
            view().ToggleCommandPad(200, 230);
    }
}
