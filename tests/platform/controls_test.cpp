#include "c_combo_box.h"
#include "c_dialog.h"
#include "c_edit.h"
#include "c_list_box.h"
#include "c_slider_ctrl.h"
#include "c_spin_button_ctrl.h"
#include "headless_driver.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr UINT kHost = 9201;
constexpr int kList = 301;
constexpr int kCombo = 302;
constexpr int kBuddy = 303;
constexpr int kSpin = 304;
constexpr int kSlider = 305;
constexpr int kPlainList = 306;

void RegisterHost()
{
    DialogTemplate host;
    host.id = kHost;
    host.caption = L"Controls";
    host.items = {
        {ControlKind::ListBox, kList, L"", CRect(4, 4, 116, 88), LBS_SORT | LBS_NOTIFY},
        {ControlKind::DropDownList, kCombo, L"", CRect(124, 4, 236, 22)},
        {ControlKind::Edit, kBuddy, L"", CRect(124, 30, 200, 48), ES_NUMBER},
        {ControlKind::UpDown, kSpin, L"", CRect(200, 30, 216, 48)},
        {ControlKind::Slider, kSlider, L"", CRect(4, 100, 205, 124)},
        {ControlKind::ListBox, kPlainList, L"", CRect(124, 60, 236, 90)},
    };
    ASSERT_TRUE(RegisterDialogTemplate(host));
}

// A modeless host that records the notifications of its controls.
class HostDialog : public CDialog {
public:
    HostDialog() : CDialog(kHost)
    {
        MapCommand(kList, &HostDialog::OnListChanged, LBN_SELCHANGE);
        MapCommand(kCombo, &HostDialog::OnComboChanged, CBN_SELCHANGE);
    }
    std::vector<std::pair<UINT, UINT>> m_scrolls;  // (code, position)
    int m_listChanges = 0;
    int m_comboChanges = 0;

protected:
    void OnHScroll(UINT code, UINT position, CScrollBar*) override { m_scrolls.emplace_back(code, position); }
    void OnVScroll(UINT code, UINT position, CScrollBar*) override { m_scrolls.emplace_back(code, position); }

private:
    void OnListChanged() { ++m_listChanges; }
    void OnComboChanged() { ++m_comboChanges; }
};

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterHost();
        ASSERT_TRUE(m_host.Create(kHost));
        m_list = dynamic_cast<CListBox*>(m_host.GetDlgItem(kList));
        m_combo = dynamic_cast<CComboBox*>(m_host.GetDlgItem(kCombo));
        m_buddy = dynamic_cast<CEdit*>(m_host.GetDlgItem(kBuddy));
        m_spin = dynamic_cast<CSpinButtonCtrl*>(m_host.GetDlgItem(kSpin));
        m_slider = dynamic_cast<CSliderCtrl*>(m_host.GetDlgItem(kSlider));
        ASSERT_TRUE(m_list && m_combo && m_buddy && m_spin && m_slider);
        m_driver.SetTarget(&m_host);
    }
    void TearDown() override { m_host.DestroyWindow(); }

    // A tap at a control's client point.
    void TapIn(CWnd* control, CPoint point)
    {
        control->ClientToScreen(&point);
        m_driver.PenDownScreen(point);
        m_driver.PenUpScreen(point);
    }

    HeadlessDriver m_driver;
    HostDialog m_host;
    CListBox* m_list = nullptr;
    CComboBox* m_combo = nullptr;
    CEdit* m_buddy = nullptr;
    CSpinButtonCtrl* m_spin = nullptr;
    CSliderCtrl* m_slider = nullptr;
};

TEST_F(ControlsTest, SortedListBoxKeepsItemDataWithItsText)
{
    const wchar_t* added[] = {L"Kitchen", L"bath", L"Attic", L"Bedroom"};
    for (int running = 0; running < 4; ++running) {
        const int index = m_list->AddString(added[running]);
        ASSERT_GE(index, 0);
        EXPECT_EQ(m_list->SetItemData(index, static_cast<DWORD_PTR>(running)), LB_OKAY);
    }
    // Shown sorted with case ignored; each row keeps its running number.
    const wchar_t* order[] = {L"Attic", L"bath", L"Bedroom", L"Kitchen"};
    const DWORD_PTR data[] = {2, 1, 3, 0};
    ASSERT_EQ(m_list->GetCount(), 4);
    for (int row = 0; row < 4; ++row) {
        CString text;
        m_list->GetText(row, text);
        EXPECT_EQ(text, CString(order[row]));
        EXPECT_EQ(m_list->GetItemData(row), data[row]);
    }
}

TEST_F(ControlsTest, SelectStringFindsTheFirstPrefixMatch)
{
    for (const wchar_t* name : {L"Main", L"Basement", L"Attic", L"Bath"}) m_list->AddString(name);
    EXPECT_EQ(m_list->SelectString(-1, L"ba"), 1);  // Basement before Bath
    EXPECT_EQ(m_list->GetCurSel(), 1);
    EXPECT_EQ(m_list->SelectString(1, L"ba"), 2) << "searches after the start";
    EXPECT_EQ(m_list->SelectString(-1, L"Garage"), LB_ERR);
    EXPECT_EQ(m_list->GetCurSel(), 2) << "a failed search keeps the selection";
    EXPECT_EQ(m_list->FindStringExact(-1, L"main"), 3);
    EXPECT_EQ(m_list->FindStringExact(-1, L"Mai"), LB_ERR);
    EXPECT_EQ(m_list->SelectString(3, L"a"), 0) << "wraps around";
}

TEST_F(ControlsTest, ListSelectionFollowsDeletionsAndBadIndexes)
{
    for (const wchar_t* name : {L"a", L"b", L"c"}) m_list->AddString(name);
    m_list->SetCurSel(2);
    EXPECT_EQ(m_list->DeleteString(0), 2);
    EXPECT_EQ(m_list->GetCurSel(), 1);
    EXPECT_EQ(m_list->DeleteString(5), LB_ERR);
    EXPECT_EQ(m_list->SetCurSel(7), LB_ERR);
    EXPECT_EQ(m_list->GetCurSel(), -1);
    EXPECT_EQ(m_list->GetItemData(9), static_cast<DWORD_PTR>(LB_ERR));
    m_list->ResetContent();
    EXPECT_EQ(m_list->GetCount(), 0);
}

TEST_F(ControlsTest, UnsortedListKeepsInsertionOrder)
{
    auto* plain = dynamic_cast<CListBox*>(m_host.GetDlgItem(kPlainList));
    ASSERT_NE(plain, nullptr);
    for (const wchar_t* name : {L"none", L"N", L"S", L"E"}) plain->AddString(name);
    CString text;
    plain->GetText(1, text);
    EXPECT_EQ(text, CString(L"N"));
    EXPECT_EQ(plain->InsertString(0, L"first"), 0);
    EXPECT_EQ(plain->InsertString(9, L"bad"), LB_ERR);
}

TEST_F(ControlsTest, TappingARowSelectsItAndNotifiesTheDialog)
{
    for (const wchar_t* name : {L"Attic", L"Bath", L"Hall"}) m_list->AddString(name);
    CRect row;
    ASSERT_EQ(m_list->GetItemRect(1, &row), LB_OKAY);
    TapIn(m_list, row.CenterPoint());
    EXPECT_EQ(m_list->GetCurSel(), 1);
    EXPECT_EQ(m_host.m_listChanges, 1);
    m_list->SetCurSel(2);
    EXPECT_EQ(m_host.m_listChanges, 1) << "a selection by the program is not announced";
}

TEST_F(ControlsTest, ComboBoxSelectsShowsAndDropsItsList)
{
    for (const wchar_t* kind : {L"Default", L"Halfwall", L"Empty", L"Window"}) m_combo->AddString(kind);
    EXPECT_EQ(m_combo->GetCurSel(), CB_ERR);
    EXPECT_EQ(m_combo->SetCurSel(1), 1);
    CString shown;
    m_combo->GetWindowText(shown);
    EXPECT_EQ(shown, CString(L"Halfwall"));
    EXPECT_EQ(m_combo->SelectString(-1, L"wi"), 3);
    m_combo->SetItemData(3, 77);
    EXPECT_EQ(m_combo->GetItemData(3), 77u);
    CString text;
    m_combo->GetLBText(2, text);
    EXPECT_EQ(text, CString(L"Empty"));

    // A tap drops the list; a tap on its first row chooses it.
    TapIn(m_combo, CPoint(10, 5));
    ASSERT_TRUE(m_combo->GetDroppedState());
    CRect field;
    m_combo->GetWindowRect(&field);
    const CPoint firstRow(field.left + 10, field.bottom + 1 + 7);
    m_driver.PenDownScreen(firstRow);
    m_driver.PenUpScreen(firstRow);
    EXPECT_FALSE(m_combo->GetDroppedState());
    EXPECT_EQ(m_combo->GetCurSel(), 0);
    EXPECT_EQ(m_host.m_comboChanges, 1);

    // A tap outside the dropped list closes it without a change.
    m_combo->ShowDropDown(TRUE);
    m_driver.PenDownScreen(CPoint(5, 300));
    m_driver.PenUpScreen(CPoint(5, 300));
    EXPECT_FALSE(m_combo->GetDroppedState());
    EXPECT_EQ(m_combo->GetCurSel(), 0);
    EXPECT_EQ(m_host.m_comboChanges, 1);
}

TEST_F(ControlsTest, DropDownComboTakesTypedText)
{
    CComboBox editable;
    ASSERT_TRUE(editable.Create(CBS_DROPDOWN | WS_VISIBLE, CRect(4, 140, 100, 158), &m_host, 320));
    for (wchar_t c : std::wstring(L"Den")) editable.SendMessage(WM_CHAR, c, 1);
    editable.SendMessage(WM_CHAR, VK_BACK, 1);
    CString text;
    editable.GetWindowText(text);
    EXPECT_EQ(text, CString(L"De"));
    m_combo->SendMessage(WM_CHAR, L'x', 1);
    m_combo->GetWindowText(text);
    EXPECT_TRUE(text.IsEmpty()) << "a drop-down list takes no typing";
    editable.DestroyWindow();
}

TEST_F(ControlsTest, UpDownStepsItsBuddyWithinTheRange)
{
    EXPECT_EQ(m_spin->GetBuddy(), m_buddy) << "the control before it is the automatic buddy";
    int lower = 0, upper = 0;
    m_spin->GetRange(lower, upper);
    EXPECT_EQ(lower, 100);
    EXPECT_EQ(upper, 0);
    m_spin->SetRange(0, 10);
    m_spin->SetPos(9);
    CString text;
    m_buddy->GetWindowText(text);
    EXPECT_EQ(text, CString(L"9"));

    TapIn(m_spin, CPoint(8, 2));  // the upper arrow
    EXPECT_EQ(m_spin->GetPos(), 10);
    TapIn(m_spin, CPoint(8, 2));
    EXPECT_EQ(m_spin->GetPos(), 10) << "held at the top of the range";
    m_buddy->GetWindowText(text);
    EXPECT_EQ(text, CString(L"10"));

    m_buddy->SetWindowText(L"5");  // typed by the user
    TapIn(m_spin, CPoint(8, 15));  // the lower arrow
    EXPECT_EQ(m_spin->GetPos(), 4);
    ASSERT_FALSE(m_host.m_scrolls.empty());
    EXPECT_EQ(m_host.m_scrolls.front(), std::make_pair(SB_THUMBPOSITION, 10u));

    m_spin->SetPos(20);
    EXPECT_EQ(m_spin->GetPos(), 10);
    m_spin->SetPos(-3);
    EXPECT_EQ(m_spin->GetPos(), 0);
}

TEST_F(ControlsTest, UpDownWritesLargeNumbersWithoutSeparators)
{
    // The buddy's text must read back as a whole number.
    m_spin->SetRange32(1, 10000);
    m_spin->SetPos(10000);
    CString text;
    m_buddy->GetWindowText(text);
    EXPECT_EQ(text, CString(L"10000"));
    m_spin->Step(-1);
    EXPECT_EQ(m_spin->GetPos(), 9999);
}

TEST_F(ControlsTest, UpDownWithAReversedRangeCountsDown)
{
    m_spin->SetRange(10, 0);
    m_spin->SetPos(5);
    m_spin->Step(1);
    EXPECT_EQ(m_spin->GetPos(), 4);
}

TEST_F(ControlsTest, TrackbarFollowsThePenAndTheKeys)
{
    // The direction slider of an object pointing at -30 degrees.
    m_slider->SetRange(150, 510);
    m_slider->SetLineSize(3);
    m_slider->SetPos(330);
    EXPECT_EQ(m_slider->GetPos(), 330);
    m_slider->SetPos(600);
    EXPECT_EQ(m_slider->GetPos(), 510);
    m_slider->SetPos(330);

    const int x = m_slider->PositionToX(420);
    EXPECT_EQ(m_slider->XToPosition(x), 420);
    TapIn(m_slider, CPoint(x, 10));
    EXPECT_EQ(m_slider->GetPos(), 420);
    ASSERT_GE(m_host.m_scrolls.size(), 3u);
    EXPECT_EQ(m_host.m_scrolls[0], std::make_pair(TB_THUMBTRACK, 420u));
    EXPECT_EQ(m_host.m_scrolls[1], std::make_pair(TB_THUMBPOSITION, 420u));
    EXPECT_EQ(m_host.m_scrolls[2].first, TB_ENDTRACK);

    m_slider->SetFocus();
    m_driver.Key(VK_RIGHT);
    EXPECT_EQ(m_slider->GetPos(), 423);
    m_driver.Key(VK_LEFT);
    m_driver.Key(VK_LEFT);
    EXPECT_EQ(m_slider->GetPos(), 417);

    // The ends of the channel are the ends of the range.
    TapIn(m_slider, CPoint(0, 10));
    EXPECT_EQ(m_slider->GetPos(), 150);
    CRect client;
    m_slider->GetClientRect(&client);
    TapIn(m_slider, CPoint(client.right - 1, 10));
    EXPECT_EQ(m_slider->GetPos(), 510);
}

TEST_F(ControlsTest, NumberEditTakesOnlyDigits)
{
    m_buddy->SetFocus();
    m_buddy->SetWindowText(L"");
    for (wchar_t c : std::wstring(L"1a2")) m_buddy->SendMessage(WM_CHAR, c, 1);
    CString text;
    m_buddy->GetWindowText(text);
    EXPECT_EQ(text, CString(L"12"));
    m_buddy->SendMessage(WM_CHAR, VK_BACK, 1);
    m_buddy->GetWindowText(text);
    EXPECT_EQ(text, CString(L"1"));
}

// A tap into a field selects its whole text, so what is typed next
// replaces it; ctrl+a selects all of it again after the caret moved.
TEST_F(ControlsTest, ATapSelectsTheFieldsTextAndCtrlASelectsAll)
{
    m_buddy->SetWindowText(L"4711");
    TapIn(m_buddy, CPoint(10, 5));
    ASSERT_EQ(CWnd::GetFocus(), m_buddy);
    int start = -1, end = -1;
    m_buddy->GetSel(start, end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 4);
    m_buddy->SendMessage(WM_CHAR, L'9', 1);
    CString text;
    m_buddy->GetWindowText(text);
    EXPECT_EQ(text, CString(L"9"));

    m_buddy->SetWindowText(L"123");
    m_buddy->SetSel(1, 1);
    m_driver.KeyDown(VK_CONTROL);
    m_driver.Key('A');
    m_driver.KeyUp(VK_CONTROL);
    m_buddy->GetSel(start, end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 3);
    m_buddy->SetSel(1, 1);
    m_driver.Key('A');
    m_buddy->GetSel(start, end);
    EXPECT_EQ(end - start, 0) << "a plain A selects nothing";
}

// An edit subclassed onto the dialog's control keeps its text and id.
class FilteringEdit : public CEdit {
public:
    int m_chars = 0;

protected:
    void OnChar(UINT ch, UINT repeat, UINT flags) override
    {
        ++m_chars;
        CEdit::OnChar(ch, repeat, flags);
    }
};

TEST_F(ControlsTest, SubclassedControlTakesOverTheDialogsControl)
{
    m_buddy->SetWindowText(L"42");
    FilteringEdit edit;
    ASSERT_TRUE(edit.SubclassDlgItem(kBuddy, &m_host));
    EXPECT_EQ(m_host.GetDlgItem(kBuddy), &edit);
    CString text;
    edit.GetWindowText(text);
    EXPECT_EQ(text, CString(L"42"));
    edit.SendMessage(WM_CHAR, L'7', 1);
    EXPECT_EQ(edit.m_chars, 1);
    FilteringEdit second;
    EXPECT_FALSE(second.SubclassDlgItem(kList, &m_host)) << "a list box is no edit";
    EXPECT_FALSE(second.SubclassDlgItem(4242, &m_host));
    edit.DestroyWindow();
}

}  // namespace
