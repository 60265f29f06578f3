// Editing reached through the view as a person reaches it: the status icons
// of the Measurement mode, the left key, and the objects the tap-and-hold
// menu places (camera, island, column, spiral stair, fireplace).
#include <string>

#include "c_menu.h"
#include "camera_dlg.h"
#include "column_dlg.h"
#include "command_pad.h"
#include "edit_mode.h"
#include "island_dlg.h"
#include "kor_dimension.h"
#include "kor_node.h"
#include "new_room_dlg.h"
#include "options_dlg.h"
#include "placed_object_dlg.h"
#include "room_floor.h"
#include "room_label_dlg.h"
#include "shell_test_support.h"
#include "zup_room_object.h"

namespace {

class ViewEditingTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        ASSERT_TRUE(Start());
        ASSERT_TRUE(Doc()->InsertShape(0, 0));
        Doc()->PlaceEntrance(nullptr);
        ASSERT_TRUE(Room()->Resolve());
        Doc()->m_roomView = true;
    }
    CRoomFloor* Room() { return Doc()->GetCurrentRoom(); }
    CPoint Middle()
    {
        CRect client;
        View()->GetClientRect(&client);
        return client.CenterPoint();
    }
    void TapAt(CPoint p)
    {
        driver->PenDown(p);
        driver->AdvanceTime(100);
        driver->PenUp(p);
        driver->Pump();
    }
    // A press held until the tap-and-hold menu opens; its entry at the given
    // position is chosen.
    void HoldAndChoose(CPoint p, int entry)
    {
        driver->OnDialog(kPopupMenuScriptId, [entry](CWnd* popup, HeadlessDriver& d) {
            const CPoint item = PopupMenuItemRect(popup, entry).CenterPoint();
            d.PenDownScreen(item);
            d.PenUpScreen(item);
        });
        driver->PenDown(p);
        driver->AdvanceTime(700);
        driver->PenUp(p);
        driver->Pump();
    }
    // Pixels that differ from white in a box of 2r + 1 around p.
    int InkAround(CPoint p, int r)
    {
        CPoint screen = p;
        View()->ClientToScreen(&screen);
        int ink = 0;
        for (int y = screen.y - r; y <= screen.y + r; ++y)
            for (int x = screen.x - r; x <= screen.x + r; ++x)
                ink += driver->PixelAt(x, y) != RGB(255, 255, 255) ? 1 : 0;
        return ink;
    }
};

}  // namespace

// The middle icon frees or gives the selected length; the first checks the
// room's lengths; the third shows the whole room again.
TEST_F(ViewEditingTest, TheStatusIconsActOnTheSelectedLength)
{
    ASSERT_TRUE(Doc()->SetEditMode(2));
    driver->Pump();
    ASSERT_TRUE(View()->AreMeasureIconsShown());
    KorDimension* selected = Doc()->GetSelectedDimension();
    ASSERT_NE(selected, nullptr);
    const bool enabled = selected->IsEnabled();
    TapAt(View()->GetIconRect('B').CenterPoint());
    EXPECT_NE(selected->IsEnabled(), enabled);
    TapAt(View()->GetIconRect('B').CenterPoint());
    EXPECT_EQ(selected->IsEnabled(), enabled);

    // The check gives an open room the lengths its chains need; a
    // consistent room's check releases every length again.
    TapAt(View()->GetIconRect('A').CenterPoint());
    ASSERT_TRUE(Room()->AreChainsConsistent());
    TapAt(View()->GetIconRect('A').CenterPoint());
    for (int i = 0; i < Room()->GetNumOfDimensions(); ++i)
        if (KorDimension* d = Room()->GetDimension(i, nullptr); d->GetLayer() != 3) {
            EXPECT_FALSE(d->IsEnabled()) << i;
        }

    // The third icon undoes the room's zoom.
    Doc()->Zoom(true);
    ASSERT_FLOAT_EQ(Doc()->GetScale(), 1.25f);
    TapAt(View()->GetIconRect('C').CenterPoint());
    EXPECT_FLOAT_EQ(Doc()->GetScale(), 1.0f);
    EXPECT_FALSE(View()->GetCommandPad().IsShown()) << "an icon tap is not a tap on the plan";
}

// The left key steps the Measurement mode's selection back, the right key
// forward again.
TEST_F(ViewEditingTest, TheLeftKeyStepsTheSelectionBack)
{
    ASSERT_TRUE(Doc()->SetEditMode(2));
    driver->Pump();
    const int first = Doc()->GetEditMode()->GetSelection();
    driver->Key(VK_LEFT);
    driver->Pump();
    const int back = Doc()->GetEditMode()->GetSelection();
    EXPECT_NE(back, first);
    EXPECT_TRUE(Doc()->IsDimensionVisible(back));
    driver->Key(VK_RIGHT);
    driver->Pump();
    EXPECT_EQ(Doc()->GetEditMode()->GetSelection(), first);
}

// Each object of the tap-and-hold menu lands in the room where the pen was
// held, and the view draws it there.
TEST_F(ViewEditingTest, TheTapAndHoldMenuPlacesEachObjectWhereThePenWas)
{
    const struct {
        int entry;
        UINT dialog;
        int objectType;
    } cases[] = {
        {0, CCameraDlg::IDD, 9},
        {1, CIslandDlg::IDD, 7},
        {2, CColumnDlg::IDD, 8},
        {3, CSpiralStairDlg::IDD, 4},
        {4, CFireplaceDlg::IDD, 10},
    };
    ASSERT_TRUE(Doc()->SetEditMode(1));
    driver->Pump();
    const CPoint at = Middle();
    const int blank = InkAround(at, 6);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry);
        const int before = Room()->GetNumOfObjects();
        driver->OnDialog(c.dialog, [](CWnd* dialog, HeadlessDriver& d) { d.TapDlgItem(dialog, IDOK); });
        HoldAndChoose(at, c.entry);
        ASSERT_EQ(Room()->GetNumOfObjects(), before + 1);
        ZupRoomObject* placed = Room()->GetRoomObject(before);
        EXPECT_EQ(placed->GetObjectType(), c.objectType);
        const point p = placed->GetPoint();
        Room()->CalculateExtents();
        EXPECT_GT(p.x(), Room()->GetMinX());
        EXPECT_LT(p.x(), Room()->GetMaxX());
        EXPECT_GT(p.y(), Room()->GetMinY());
        EXPECT_LT(p.y(), Room()->GetMaxY());
        Doc()->m_showObjects = true;
        View()->Invalidate();
        driver->Pump();
        EXPECT_GT(InkAround(at, 6), blank) << "the object is drawn where the pen was";
        Doc()->DeleteRoomObject(placed);
        View()->Invalidate();
        driver->Pump();
    }
}

// The pad's corner key opens the room dialog while a room is edited and the
// Options while the plan is shown; the room dialog's label is applied.
TEST_F(ViewEditingTest, ThePadsCornerKeyOpensTheRoomDialogOrTheOptions)
{
    ASSERT_TRUE(Doc()->SetEditMode(1));
    driver->Pump();
    CCommandPad& pad = View()->GetCommandPad();
    pad.Build();
    View()->ToggleCommandPad(120, 134);
    driver->Pump();
    ASSERT_TRUE(pad.IsShown());
    // The cells are 32 wide, one pixel apart; the corner key is the last.
    const CPoint corner = pad.GetOrigin() + CPoint(2 * 32 + 16, 2 * 32 + 16);
    driver->OnDialog(CRoomLabelDlg::IDD, [](CWnd* dialog, HeadlessDriver& d) {
        dialog->SetDlgItemText(CRoomLabelDlg::IDC_LABEL, CString("Library"));
        d.TapDlgItem(dialog, IDOK);
    });
    driver->OnDialog(CNewRoomDlg::IDD, [](CWnd* dialog, HeadlessDriver& d) {
        d.TapDlgItem(dialog, CNewRoomDlg::IDC_LABEL);
    });
    driver->Tap(corner);
    driver->Pump();
    EXPECT_EQ(Room()->GetLabel(), "Library");

    Doc()->m_roomView = false;
    Doc()->m_currentMode = -1;
    pad.Build();
    if (!pad.IsShown())
        View()->ToggleCommandPad(120, 134);
    driver->Pump();
    ASSERT_TRUE(pad.IsShown());
    const std::size_t shown = driver->ShownDialogs().size();
    driver->OnDialog(COptionsDlg::IDD, [](CWnd* dialog, HeadlessDriver& d) { d.TapDlgItem(dialog, IDCANCEL); });
    driver->Tap(pad.GetOrigin() + CPoint(2 * 32 + 16, 2 * 32 + 16));
    driver->Pump();
    ASSERT_GT(driver->ShownDialogs().size(), shown);
    EXPECT_EQ(driver->ShownDialogs().back(), COptionsDlg::IDD);
}
