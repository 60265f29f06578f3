#include <algorithm>
#include <cmath>
#include <sstream>
#include <vector>

#include "bitmap_resources.h"
#include "c_menu.h"
#include "dim_label.h"
#include "edit_mode.h"
#include "keypad_dlg.h"
#include "kor_dimension.h"
#include "room_floor.h"
#include "scaled_dc.h"
#include "shell_resources.h"
#include "shell_test_support.h"

namespace {

const CPoint kDown(100, 120);

// How often the tap-and-hold menu came up, and what it offered.
struct MenuWatch {
    int shown = 0;
};

}  // namespace

class ViewTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        ASSERT_TRUE(Start());
        ShowEmptyPlan();
    }
    // A press held for ms, released at up.
    void Press(CPoint down, DWORD ms, CPoint up)
    {
        driver->PenDown(down);
        driver->AdvanceTime(ms);
        driver->PenUp(up);
    }
    void WatchMenu(MenuWatch& watch)
    {
        driver->OnDialog(kPopupMenuScriptId, [&watch](CWnd* popup, HeadlessDriver& d) {
            ++watch.shown;
            (void)popup;
            d.PenDownScreen(CPoint(239, 319));
            d.PenUpScreen(CPoint(239, 319));
        });
    }
    int PlanPanX()
    {
        int x = 0, y = 0;
        Doc()->m_plan.GetPan(x, y);
        return x;
    }
    CReplView& view() { return *View(); }
};

TEST_F(ViewTest, AQuickTapTheDocumentDoesNotTakeTogglesThePadAtThePenDownPoint)
{
    Press(kDown, 100, kDown + CPoint(2, 2));
    ASSERT_TRUE(view().GetCommandPad().IsShown());
    EXPECT_EQ(view().GetCommandPad().GetOrigin(), CPoint(kDown.x - 48, kDown.y - 48));
    EXPECT_TRUE(ViewControlChecked());
}

TEST_F(ViewTest, TapSlopIsThreeForAQuickPressAndNineForALongOne)
{
    struct Case {
        DWORD held;
        int offset;
        bool tap;
    };
    const Case cases[] = {
        {100, 2, true}, {100, 3, false}, {599, 3, false}, {600, 8, true}, {600, 9, false}, {1500, 8, true},
    };
    for (const Case& c : cases) {
        MenuWatch watch;
        WatchMenu(watch);
        const bool before = view().GetCommandPad().IsShown();
        Press(kDown, c.held, kDown + CPoint(c.offset, 0));
        // A quick tap toggles the pad; a long one opens the tap-and-hold menu.
        const bool tapped = c.held < 600 ? view().GetCommandPad().IsShown() != before : watch.shown == 1;
        EXPECT_EQ(tapped, c.tap) << "held " << c.held << " offset " << c.offset;
        if (view().GetCommandPad().IsShown())
            view().ToggleCommandPad(0, 0);
    }
}

TEST_F(ViewTest, ALongPressOpensTheTapAndHoldMenuOnlyOutsideTheOtherModes)
{
    MenuWatch watch;
    WatchMenu(watch);
    Press(kDown, 600, kDown);
    EXPECT_EQ(watch.shown, 1);
    EXPECT_FALSE(view().GetCommandPad().IsShown());
    for (int mode : {0, 2, 3}) {
        Doc()->m_currentMode = mode;
        Press(kDown, 700, kDown);
        EXPECT_EQ(watch.shown, 1) << "mode " << mode;
    }
}

TEST_F(ViewTest, TheTapAndHoldMenuOpensAtThePenDownPointWithAllButCameraGrayedOnThePlan)
{
    CRect first;
    bool islandStayed = false;
    driver->OnDialog(kPopupMenuScriptId, [&](CWnd* popup, HeadlessDriver& d) {
        first = PopupMenuItemRect(popup, 0);
        const CPoint island = PopupMenuItemRect(popup, 1).CenterPoint();
        d.PenDownScreen(island);
        d.PenUpScreen(island);
        islandStayed = IsWindow(popup) != FALSE;
        d.PenDownScreen(CPoint(239, 319));
        d.PenUpScreen(CPoint(239, 319));
    });
    Press(kDown, 650, kDown);
    CPoint screen = kDown;
    view().ClientToScreen(&screen);
    EXPECT_NEAR(first.left, screen.x, 2);
    EXPECT_NEAR(first.top, screen.y, 2);
    EXPECT_TRUE(islandStayed) << "Island is grayed while the plan is shown";
}

TEST_F(ViewTest, AMoveBeyondThreePixelsStartsAPan)
{
    driver->PenDown(kDown);
    driver->PenMove(kDown + CPoint(3, 3));
    EXPECT_FALSE(view().IsPanning());
    driver->PenMove(kDown + CPoint(4, 0));
    EXPECT_TRUE(view().IsPanning());
    driver->PenMove(kDown + CPoint(14, 0));
    EXPECT_EQ(PlanPanX(), 10);
    driver->PenUp(kDown + CPoint(14, 0));
    EXPECT_FALSE(view().IsPanning());
    EXPECT_FALSE(view().GetCommandPad().IsShown());
}

TEST_F(ViewTest, OnceMovedAPressCountsAsQuickHoweverLong)
{
    driver->PenDown(kDown);
    driver->PenMove(kDown + CPoint(6, 0));
    driver->PenMove(kDown + CPoint(1, 0));
    driver->AdvanceTime(900);
    driver->PenUp(kDown + CPoint(2, 0));
    EXPECT_TRUE(view().GetCommandPad().IsShown());
}

TEST_F(ViewTest, HoldingRightWithThePadShownPansFasterEveryFifthTick)
{
    view().ToggleCommandPad(120, 134);
    driver->KeyDown(VK_RIGHT);
    ASSERT_TRUE(view().IsRepeating());
    const int start = PlanPanX();
    driver->AdvanceTime(400);
    EXPECT_EQ(PlanPanX() - start, 4 * 2);
    driver->AdvanceTime(100);
    EXPECT_EQ(PlanPanX() - start, 4 * 2 + 3);
    driver->AdvanceTime(500);
    EXPECT_EQ(PlanPanX() - start, 4 * 2 + 5 * 3 + 4);
    driver->KeyUp(VK_RIGHT);
    EXPECT_FALSE(view().IsRepeating());
    driver->AdvanceTime(300);
    EXPECT_EQ(PlanPanX() - start, 27);
}

TEST_F(ViewTest, UpAndDownWithoutARunningTimerAreRedoAndUndo)
{
    const int beeps = BeepCount();
    driver->Key(VK_UP);
    EXPECT_EQ(BeepCount(), beeps + 1) << "nothing to redo";
    driver->Key(VK_DOWN);
    EXPECT_EQ(BeepCount(), beeps + 2) << "nothing to undo";
}

TEST_F(ViewTest, UpAndDownReleasedWhileThePenIsDownZoom)
{
    driver->PenDown(kDown);
    driver->Key(VK_UP);
    EXPECT_FLOAT_EQ(Doc()->m_plan.GetScale(), 1.25f);
    driver->Key(VK_DOWN);
    EXPECT_FLOAT_EQ(Doc()->m_plan.GetScale(), 1.0f);
    driver->PenUp(kDown);
}

TEST_F(ViewTest, ThePaletteIsLaidOutFromTheBottomUp)
{
    int rows = 0, columns = 0;
    std::vector<CRect> cells;
    view().LayoutPalette(5, rows, columns, cells);
    EXPECT_EQ(columns, 2);
    EXPECT_EQ(rows, 3);
    const std::vector<CRect> expected = {CRect(0, 179, 89, 268), CRect(92, 179, 181, 268), CRect(3, 90, 92, 179),
                                         CRect(95, 90, 184, 179), CRect(3, 1, 92, 90)};
    EXPECT_EQ(cells, expected);
    const int columnsFor[][2] = {{1, 1}, {3, 1}, {4, 2}, {6, 2}, {7, 3}, {9, 3}, {10, 4}, {16, 4}, {17, 5}};
    for (const auto& [count, wanted] : columnsFor) {
        view().LayoutPalette(count, rows, columns, cells);
        EXPECT_EQ(columns, wanted) << count;
        EXPECT_EQ(static_cast<int>(cells.size()), count);
    }
    view().LayoutPalette(0, rows, columns, cells);
    EXPECT_TRUE(cells.empty());
    EXPECT_EQ(rows, 0);
}

TEST_F(ViewTest, TheMeasureIconsLieAtTheRightEdgeAndTheirTapsReachTheDocument)
{
    EXPECT_EQ(view().GetIconRect('A'), CRect(224, 0, 240, 16));
    EXPECT_EQ(view().GetIconRect('B'), CRect(206, 0, 222, 16));
    EXPECT_EQ(view().GetIconRect('C'), CRect(188, 0, 204, 16));
    EXPECT_EQ(view().GetIconRect('D'), CRect(224, 0, 240, 16));
    view().ShowMeasureIcons(true);
    Doc()->m_plan.SetScale(2.0f);
    // C (View All) resets the plan's zoom; the tap reaches no pad.
    driver->Tap(CPoint(190, 4));
    EXPECT_FLOAT_EQ(Doc()->m_plan.GetScale(), 1.0f);
    EXPECT_FALSE(view().GetCommandPad().IsShown());
}

// A room in the Measurement mode: the key steps drive its selected dimension.
class MeasuringViewTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        ASSERT_TRUE(Start());
        ASSERT_TRUE(Doc()->InsertShape(0, 0));
        ASSERT_TRUE(Doc()->SetEditMode(2));
        ASSERT_NE(Doc()->GetSelectedDimension(), nullptr);
    }
};

TEST_F(MeasuringViewTest, HoldingUpForOneSecondStepsOneOneOneOneTwoTwoTwoTwoTwoThree)
{
    KorDimension* dimension = Doc()->GetSelectedDimension();
    const double before = dimension->GetValue();
    driver->KeyDown(VK_UP);
    ASSERT_TRUE(View()->IsRepeating());
    const double sizes[] = {1, 1, 1, 1, 2, 2, 2, 2, 2, 3};
    double expected = std::round(before);
    for (double size : sizes) {
        driver->AdvanceTime(100);
        expected += size;
        EXPECT_NEAR(dimension->GetValue(), expected, 1e-6);
    }
    driver->KeyUp(VK_UP);
    EXPECT_FALSE(View()->IsRepeating());
}

// Typing into the keypad repaints its value field; the plan repainted with
// it stays under the keypad, whose other pixels do not change.
TEST_F(MeasuringViewTest, ThePlanRepaintedWhileTypingInTheKeypadStaysUnderIt)
{
    int checked = 0;
    driver->OnDialog(CKeypadDlg::IDD, [&](CWnd* dialog, HeadlessDriver& d) {
        CRect area;
        dialog->GetWindowRect(&area);
        CRect field;
        dialog->GetDlgItem(CKeypadDlg::IDC_VALUE)->GetWindowRect(&field);
        d.Pump();
        std::vector<COLORREF> before;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                before.push_back(d.PixelAt(x, y));
        for (const wchar_t ch : {L'1', L'2'}) {
            dialog->GetDlgItem(CKeypadDlg::IDC_VALUE)->SendMessage(WM_CHAR, ch, 0);
            d.Pump();
        }
        size_t i = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x, ++i)
                if (!field.PtInRect(CPoint(x, y))) {
                    ASSERT_EQ(d.PixelAt(x, y), before[i]) << x << "," << y;
                    ++checked;
                }
        d.TapDlgItem(dialog, IDCANCEL);
    });
    CKeypadDlg keypad;
    keypad.DoModal();
    EXPECT_GT(checked, 1000);
}

// Zooming from the pad keeps the point under the view's centre where it is,
// out and in, whatever the room's own zoom.
TEST_F(MeasuringViewTest, ZoomingFromThePadKeepsTheViewsCentre)
{
    CReplView& view = *View();
    // A screen point in the model, mapped as the view paints.
    auto ToModel = [&view](CPoint p) {
        CScaledDC dc(&view);
        dc.SetScale(1.0f);
        dc.SetOrigin(0, 0);
        view.OnDraw(&dc);
        POINT point{p.x, p.y};
        dc.ToModel(point);
        return CPoint(point.x, point.y);
    };
    CRect client;
    view.GetClientRect(&client);
    const CPoint middle = client.CenterPoint();
    view.GetCommandPad().Build();
    for (const bool in : {false, false, true}) {
        SCOPED_TRACE(in ? "in" : "out");
        const CPoint before = ToModel(middle);
        view.ZoomView(in);
        driver->Pump();
        const CPoint after = ToModel(middle);
        const int unitsPerPixel = std::abs(ToModel(CPoint(0, 0)).x - ToModel(CPoint(10, 0)).x) / 10 + 1;
        EXPECT_NEAR(after.x, before.x, 2 * unitsPerPixel);
        EXPECT_NEAR(after.y, before.y, 2 * unitsPerPixel);
    }
}

// The Room mode's palette: its sheet behind, the hatch in the shapes, and
// every shape's outline inside its own cell, for the groups and for the
// six shapes of the closets group.
TEST_F(ViewTest, ThePaletteDrawsEveryShapeInsideItsCellOnItsSheet)
{
    ASSERT_TRUE(Doc()->SetEditMode(0));
    driver->Pump();
    ASSERT_EQ(Doc()->GetEditMode()->GetCommandId(), 2138);
    auto check = [this](int count) -> std::vector<CRect> {
        int rows = 0, columns = 0;
        std::vector<CRect> cells;
        view().LayoutPalette(count, rows, columns, cells);
        std::vector<int> ink(cells.size(), 0);
        int hatch = 0;
        int outside = 0;
        for (int y = 0; y < kClientHeight; ++y)
            for (int x = 0; x < kScreenWidth; ++x) {
                const COLORREF c = driver->PixelAt(x, y + kCaptionHeight);
                if (c == RGB(176, 196, 232))
                    ++hatch;
                if (c != RGB(0, 0, 0))
                    continue;
                bool inside = false;
                for (size_t i = 0; i < cells.size(); ++i)
                    if (cells[i].PtInRect(CPoint(x, y))) {
                        inside = true;
                        ++ink[i];
                    }
                if (!inside && outside++ == 0)
                    ADD_FAILURE() << "outline pixel outside every cell at " << x << "," << y;
            }
        EXPECT_EQ(outside, 0);
        for (size_t i = 0; i < cells.size(); ++i)
            EXPECT_GT(ink[i], 20) << "cell " << i << " shows its shape";
        EXPECT_GT(hatch, 100) << "the shapes are hatched";
        const CRect& first = cells[0];
        EXPECT_NE(driver->PixelAt(first.right + 1, first.top + first.Height() / 2 + kCaptionHeight),
                  RGB(255, 255, 255))
            << "the sheet lies behind the cells";
        return cells;
    };
    const std::vector<CRect> groups = check(8);
    ASSERT_EQ(groups.size(), 8u);
    driver->Tap(groups[7].CenterPoint());
    check(6);
}

// A room of each palette group in the Measurement mode, at the fit it gets.
class LabelledRoomViewTest : public ShellTest, public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        ASSERT_TRUE(Start());
        ASSERT_TRUE(Doc()->InsertShape(GetParam(), 0));
        ASSERT_TRUE(Doc()->SetEditMode(2));
        driver->Pump();
    }
};

// Every shown dimension's text box and lines lie inside the view and clear
// of the status icons, in inches and in feet and inches (the wider texts);
// no two of the texts as drawn cover each other.
TEST_P(LabelledRoomViewTest, AtTheDefaultFitEveryDimensionLabelLiesInsideTheView)
{
    CReplView& view = *View();
    CRect client;
    view.GetClientRect(&client);
    const CRect icons = view.GetIconRect('A') | view.GetIconRect('C');
    CRoomFloor* room = Doc()->GetCurrentRoom();
    CScaledDC dc(&view);
    dc.SetScale(1.0f);
    dc.SetOrigin(0, 0);
    view.OnDraw(&dc);
    for (const bool imperial : {false, true}) {
        SCOPED_TRACE(imperial ? "feet and inches" : "inches");
        std::vector<CRect> texts;
        for (int i = 0; i < room->GetNumOfDimensions(); ++i) {
            if (!Doc()->IsDimensionVisible(i))
                continue;
            CDimLabel label(room->GetDimension(i, nullptr), dc, imperial);
            if (label.GetLines().GetCount() == 0)
                continue;
            const CString& text = label.GetText().GetText();
            CRect box(0, 0, 0, 0);
            dc.DrawText(text, &box, DT_CALCRECT | DT_NOCLIP);
            const POINT anchor{label.GetText().GetX(), label.GetText().GetY()};
            const CRect placed(label.GetText().PlaceBox(anchor, box.Width(), box.Height()), box.Size());
            std::ostringstream where;
            where << "label " << i << " \"" << text.ToNarrow() << "\" at " << placed.left << "," << placed.top << "-"
                  << placed.right << "," << placed.bottom;
            EXPECT_EQ(placed & client, placed) << where.str();
            EXPECT_TRUE((placed & icons).IsRectEmpty()) << where.str() << " lies under the status icons";
            for (int k = 0; k < label.GetLines().GetCount(); ++k) {
                const CPoint p = label.GetLines().GetPoint(k);
                EXPECT_TRUE(client.PtInRect(p) && !icons.PtInRect(p)) << where.str() << ", line point " << k;
            }
            if (imperial == Doc()->m_halfInches) {
                for (const CRect& other : texts)
                    EXPECT_TRUE((placed & other).IsRectEmpty()) << where.str() << " covers another label";
            }
            texts.push_back(placed);
        }
        EXPECT_GE(texts.size(), 4u);
    }
}

// No text is drawn across a dimension line, its own or another's: every
// pixel of every shown dimension line keeps a dimension colour (blue, green
// when enabled, red when selected).
TEST_P(LabelledRoomViewTest, NoLabelIsDrawnAcrossADimensionLine)
{
    CReplView& view = *View();
    view.Invalidate();
    CRoomFloor* room = Doc()->GetCurrentRoom();
    CScaledDC dc(&view);
    view.OnDraw(&dc);
    const auto dimensionColour = [](COLORREF c) {
        return c == RGB(0, 0, 255) || c == RGB(0, 255, 0) || c == RGB(255, 0, 0);
    };
    int lines = 0;
    for (int i = 0; i < room->GetNumOfDimensions(); ++i) {
        if (!Doc()->IsDimensionVisible(i))
            continue;
        CDimLabel label(room->GetDimension(i, nullptr), dc, Doc()->m_halfInches);
        if (label.GetLines().GetCount() == 0)
            continue;
        ++lines;
        const CPoint a = label.GetLines().GetPoint(2), b = label.GetLines().GetPoint(3);
        const int steps = std::max(std::abs(b.x - a.x), std::abs(b.y - a.y));
        int covered = 0;
        for (int k = 1; k < steps; ++k) {
            const int x = a.x + (b.x - a.x) * k / steps, y = a.y + (b.y - a.y) * k / steps;
            covered += dimensionColour(driver->PixelAt(x, y + kCaptionHeight)) ? 0 : 1;
        }
        EXPECT_EQ(covered, 0) << "label " << i << " \"" << label.GetText().GetText().ToNarrow() << "\": "
                              << covered << " pixels of its line covered";
    }
    EXPECT_GE(lines, 4);
}

// The rectangle, L, U, closet, square, corridor and T shapes.
INSTANTIATE_TEST_SUITE_P(PaletteGroups, LabelledRoomViewTest, ::testing::Range(0, 7));

// Each status icon shows its label whole inside its frame: the frame is
// unbroken and a ring of paper stays between it and the label ("OK" at the
// double size ran into the frame on both sides).
TEST_F(ViewTest, EveryStatusIconShowsItsLabelWholeInsideItsFrame)
{
    for (const UINT id : {ShellIds::kConsistentIcon, ShellIds::kInconsistentIcon, ShellIds::kDimensionOnIcon,
                          ShellIds::kDimensionOffIcon, ShellIds::kViewAllIcon, ShellIds::kCameraIcon}) {
        const BitmapResource* icon = FindBitmapResource(id);
        ASSERT_NE(icon, nullptr) << id;
        const auto at = [icon](int x, int y) { return icon->pixels[static_cast<size_t>(y * icon->width + x)]; };
        const COLORREF frame = at(0, 0);
        const COLORREF paper = RGB(255, 255, 255);
        int label = 0;
        for (int y = 0; y < icon->height; ++y)
            for (int x = 0; x < icon->width; ++x) {
                const bool edge = x == 0 || y == 0 || x == icon->width - 1 || y == icon->height - 1;
                const bool ring = !edge && (x == 1 || y == 1 || x == icon->width - 2 || y == icon->height - 2);
                if (edge)
                    EXPECT_EQ(at(x, y), frame) << id << " frame at " << x << "," << y;
                else if (ring)
                    EXPECT_EQ(at(x, y), paper) << id << " label touches the frame at " << x << "," << y;
                else
                    label += at(x, y) != paper ? 1 : 0;
            }
        EXPECT_GT(label, 8) << id << " shows no label";
    }
}

// The plan fills the view from its middle: as much room above it as below,
// and as much left as right, with its longer side across the view.
TEST_F(MeasuringViewTest, ThePlanIsFittedIntoTheMiddleOfTheView)
{
    Doc()->PlaceEntrance(nullptr);
    ASSERT_TRUE(Doc()->CloseRoom());
    Doc()->OnViewChange();
    ASSERT_FALSE(Doc()->m_roomView);
    View()->Invalidate();
    CRect view;
    View()->GetClientRect(&view);
    View()->ClientToScreen(&view);
    CRect ink(view.right, view.bottom, view.left, view.top);
    for (int y = view.top; y < view.bottom; ++y)
        for (int x = view.left; x < view.right; ++x)
            if (driver->PixelAt(x, y) != RGB(255, 255, 255)) {
                ink.left = std::min<int>(ink.left, x), ink.right = std::max<int>(ink.right, x + 1);
                ink.top = std::min<int>(ink.top, y), ink.bottom = std::max<int>(ink.bottom, y + 1);
            }
    ASSERT_LT(ink.left, ink.right) << "no plan drawn";
    const int above = ink.top - view.top, below = view.bottom - ink.bottom;
    const int left = ink.left - view.left, right = view.right - ink.right;
    EXPECT_LE(std::abs(above - below), 4) << "above " << above << ", below " << below;
    EXPECT_LE(std::abs(left - right), 4) << "left " << left << ", right " << right;
    EXPECT_GT(ink.Height(), view.Height() * 3 / 4) << "the plan does not fill the view";
}
