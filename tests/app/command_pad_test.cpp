#include "command_pad.h"
#include "new_room_dlg.h"
#include "shell_test_support.h"
#include "zup_object.h"

namespace {

const CPoint kCentre(120, 134);
constexpr int kCell = 32;  // the buttons' pictures are 32 x 32

}  // namespace

class CommandPadTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        ASSERT_TRUE(Start());
        ShowEmptyPlan();
        view().GetCommandPad().Build();
        view().ToggleCommandPad(kCentre.x, kCentre.y);
        driver->Pump();
    }
    CReplView& view() { return *View(); }
    CCommandPad& pad() { return view().GetCommandPad(); }
    CPoint CellCentre(int column, int row) { return pad().GetOrigin() + CPoint(column * kCell + 16, row * kCell + 16); }
    void TapCell(int column, int row) { driver->Tap(CellCentre(column, row)); }
};

TEST_F(CommandPadTest, ThePadIsThreeButtonsSquareCentredOnThePoint)
{
    EXPECT_EQ(pad().GetWidth(), 96);
    EXPECT_EQ(pad().GetHeight(), 96);
    EXPECT_EQ(pad().GetOrigin(), CPoint(72, 86));
}

TEST_F(CommandPadTest, ButtonsFollowTheDocumentsDisplayState)
{
    // Filter All, zeros shown, decimal lengths, the plan shown, automatic fit.
    EXPECT_EQ(pad().GetCommandAt(0, 0), 2046);
    EXPECT_EQ(pad().GetCommandAt(0, 1), 2045);
    EXPECT_EQ(pad().GetCommandAt(0, 2), 2050);
    EXPECT_EQ(pad().GetCommandAt(1, 0), 2036);
    EXPECT_EQ(pad().GetCommandAt(1, 1), 2040);
    EXPECT_EQ(pad().GetCommandAt(1, 2), 2037);
    EXPECT_EQ(pad().GetCommandAt(2, 0), 2042);
    EXPECT_EQ(pad().GetCommandAt(2, 1), 2048);
    EXPECT_EQ(pad().GetCommandAt(2, 2), 2041);
    pad().SetAutoFit(false);
    pad().Build();
    EXPECT_EQ(pad().GetCommandAt(1, 0), 2039);
    EXPECT_EQ(pad().GetCommandAt(1, 2), 2038);
}

TEST_F(CommandPadTest, TheFilterButtonsOfferTheOtherTwoFilters)
{
    TapCell(0, 0);  // 2046: Active
    EXPECT_TRUE(Doc()->m_dimsActive);
    EXPECT_FALSE(Doc()->m_dimsAll);
    EXPECT_EQ(pad().GetCommandAt(0, 0), 2044);
    EXPECT_EQ(pad().GetCommandAt(0, 1), 2045);
    TapCell(0, 1);  // 2045: Unlocked
    EXPECT_TRUE(Doc()->m_dimsUnlocked);
    EXPECT_FALSE(Doc()->m_dimsActive);
    EXPECT_EQ(pad().GetCommandAt(0, 0), 2046);
    EXPECT_EQ(pad().GetCommandAt(0, 1), 2044);
    TapCell(0, 1);  // 2044: All
    EXPECT_TRUE(Doc()->m_dimsAll);
    EXPECT_FALSE(Doc()->m_dimsUnlocked);
}

TEST_F(CommandPadTest, FeetAndInchesCanBeSwitchedOnOnlyForImperialLengths)
{
    ZupObject::SetMetric(true);
    pad().Build();
    EXPECT_EQ(pad().GetCommandAt(2, 0), 2042);
    TapCell(2, 0);
    EXPECT_FALSE(Doc()->m_halfInches);
    EXPECT_EQ(pad().GetCommandAt(2, 0), 2042);
    ZupObject::SetMetric(false);
    TapCell(2, 0);
    EXPECT_TRUE(Doc()->m_halfInches);
    EXPECT_EQ(pad().GetCommandAt(2, 0), 2043);
    TapCell(2, 0);
    EXPECT_FALSE(Doc()->m_halfInches);
}

TEST_F(CommandPadTest, HideZeroDimensionsOnlyChangesTheFlag)
{
    TapCell(0, 2);
    EXPECT_TRUE(Doc()->m_hideZeroDimensions);
    EXPECT_EQ(pad().GetCommandAt(0, 2), 2049);
    TapCell(0, 2);
    EXPECT_FALSE(Doc()->m_hideZeroDimensions);
}

TEST_F(CommandPadTest, ZoomButtonsScaleThePlan)
{
    TapCell(1, 0);
    EXPECT_FLOAT_EQ(Doc()->m_plan.GetScale(), 1.25f);
    TapCell(1, 2);
    EXPECT_FLOAT_EQ(Doc()->m_plan.GetScale(), 1.0f);
}

TEST_F(CommandPadTest, TheCentreHidesThePadAndLeavesTheCheckMark)
{
    ASSERT_TRUE(ViewControlChecked());
    TapCell(1, 1);
    EXPECT_FALSE(pad().IsShown());
    EXPECT_TRUE(ViewControlChecked());
}

TEST_F(CommandPadTest, DraggingTheCentrePansAndThePadMovesWithThePlan)
{
    const CPoint origin = pad().GetOrigin();
    const CPoint start = CellCentre(1, 1);
    driver->PenDown(start);
    driver->PenMove(start + CPoint(5, 0));
    driver->PenMove(start + CPoint(25, -10));
    driver->PenUp(start + CPoint(25, -10));
    int x = 0, y = 0;
    Doc()->m_plan.GetPan(x, y);
    EXPECT_EQ(x, 20);
    EXPECT_EQ(y, 10);
    EXPECT_EQ(pad().GetOrigin(), origin + CPoint(20, -10));
    EXPECT_TRUE(pad().IsShown());
}

TEST_F(CommandPadTest, APenDownAThirdOfACellOutsideStillCountsAsTheFirstRowOrColumn)
{
    const CPoint origin = pad().GetOrigin();
    EXPECT_TRUE(pad().HitTestDown(origin + CPoint(-10, -10)));
    EXPECT_FALSE(pad().HitTestDown(origin + CPoint(-33, 5)));
    EXPECT_FALSE(pad().HitTestDown(origin + CPoint(5, 96)));
    EXPECT_TRUE(pad().HitTestDown(origin + CPoint(95, 95)));
}

TEST_F(CommandPadTest, ButtonsAreDrawnOnePixelApart)
{
    driver->Pump();
    const CPoint origin = pad().GetOrigin();
    CPoint screen = origin;
    view().ClientToScreen(&screen);
    const COLORREF edge = driver->PixelAt(screen.x, screen.y);
    EXPECT_EQ(driver->PixelAt(screen.x + 33, screen.y), edge);
    EXPECT_NE(driver->PixelAt(screen.x + 32, screen.y), edge);
    EXPECT_EQ(driver->PixelAt(screen.x, screen.y + 33), edge);
}

// The room dialog's Delete takes the room away and the pad with it.
TEST_F(CommandPadTest, TheRoomDialogsDeleteHidesThePad)
{
    ASSERT_TRUE(Doc()->InsertShape(0, 0));
    Doc()->m_roomView = true;
    ASSERT_TRUE(pad().IsShown());
    driver->OnDialog(CNewRoomDlg::IDD, [](CWnd* dialog, HeadlessDriver& d) {
        d.TapDlgItem(dialog, CNewRoomDlg::IDC_DELETE);
    });
    Doc()->OnRoomDialog();
    driver->Pump();
    EXPECT_FALSE(pad().IsShown());
}

// While the view pans, the room is drawn without its dimensions; they come
// back when the pan ends.
TEST_F(CommandPadTest, DimensionsAreLeftOutWhileTheViewPans)
{
    ASSERT_TRUE(Doc()->InsertShape(0, 0));
    Doc()->PlaceEntrance(nullptr);
    ASSERT_TRUE(Doc()->SetEditMode(2));
    view().HideCommandPad();
    driver->Pump();
    auto dimensionPixels = [this] {
        int count = 0;
        for (int y = kCaptionHeight; y < kCaptionHeight + kClientHeight; ++y)
            for (int x = 0; x < kScreenWidth; ++x) {
                const COLORREF c = driver->PixelAt(x, y);
                if (c == RGB(0, 255, 0) || c == RGB(0, 0, 255))  // the unselected ones
                    ++count;
            }
        return count;
    };
    ASSERT_GT(dimensionPixels(), 50);
    const CPoint start(120, 250);
    driver->PenDown(start);
    driver->PenMove(start + CPoint(10, 0));
    driver->PenMove(start + CPoint(20, 0));
    ASSERT_TRUE(view().IsPanning());
    EXPECT_EQ(dimensionPixels(), 0);
    driver->PenUp(start + CPoint(20, 0));
    EXPECT_GT(dimensionPixels(), 50);
}
