// A combo box's dropped list at the bottom of the screen, as the command
// bar's value list is: every value is shown where it fits, a longer list
// scrolls so the pen reaches each value, and a value typed while the list is
// open is taken with Return as a chosen one is.
#include "c_combo_box.h"
#include "c_dialog.h"
#include "headless_driver.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr UINT kHost = 9203;
constexpr UINT kValues = 501;
constexpr int kRowHeight = 15;

void RegisterHost()
{
    DialogTemplate host;
    host.id = kHost;
    host.caption = L"Values";
    host.rect = CRect(0, 0, kScreenWidth, kScreenHeight);
    ASSERT_TRUE(RegisterDialogTemplate(host));
}

class ValuesHost : public CDialog {
public:
    ValuesHost() : CDialog(kHost) { MapCommand(kValues, &ValuesHost::OnChanged, CBN_SELCHANGE); }
    int m_changes = 0;

private:
    void OnChanged() { ++m_changes; }
};

class ComboListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterHost();
        ASSERT_TRUE(m_host.Create(kHost));
        CRect field(170, 0, 230, 20);
        // At the foot of the screen, as on the command bar.
        CRect hostRect;
        m_host.GetWindowRect(&hostRect);
        field.OffsetRect(0, kScreenHeight - 22 - hostRect.top);
        ASSERT_TRUE(m_combo.Create(CBS_DROPDOWN | WS_VSCROLL | WS_VISIBLE, field, &m_host, kValues));
        m_combo.SetItemHeight(0, kRowHeight);
        m_driver.SetTarget(&m_host);
    }
    void TearDown() override
    {
        m_combo.DestroyWindow();
        m_host.DestroyWindow();
    }
    void Fill(int count)
    {
        for (int i = 0; i < count; ++i)
            m_combo.AddString(CString(std::to_wstring(100 + i).c_str()));
    }
    void TapScreen(CPoint p)
    {
        m_driver.PenDownScreen(p);
        m_driver.PenUpScreen(p);
    }
    CRect Field()
    {
        CRect field;
        m_combo.GetWindowRect(&field);
        return field;
    }
    // Drops the list with a tap on the field.
    void Drop()
    {
        TapScreen(Field().CenterPoint());
        ASSERT_TRUE(m_combo.GetDroppedState());
    }
    // The list stands above the field: its row r from the top, for n rows.
    CPoint Row(int r, int n) { return CPoint(Field().left + 10, Field().top - n * kRowHeight - 2 + 1 + r * kRowHeight + 7); }

    HeadlessDriver m_driver;
    ValuesHost m_host;
    CComboBox m_combo;
};

}  // namespace

// Eleven values all show: a tap on each row chooses its value.
TEST_F(ComboListTest, EveryValueThatFitsIsShownAndReachedByThePen)
{
    Fill(11);
    m_combo.SetCurSel(5);
    for (int r = 0; r < 11; ++r) {
        Drop();
        TapScreen(Row(r, 11));
        EXPECT_FALSE(m_combo.GetDroppedState());
        EXPECT_EQ(m_combo.GetCurSel(), r) << "row " << r;
    }
}

// More values than fit on the screen: the list scrolls, and the pen reaches
// the first and the last value.
TEST_F(ComboListTest, ALongerListScrollsToItsEnds)
{
    Fill(40);
    m_combo.SetCurSel(20);
    Drop();
    CRect list(0, 0, 0, 0);
    for (int y = Field().top - 1; y >= 0 && m_driver.PixelAt(Field().left, y) != RGB(255, 255, 255); --y)
        list.top = y;
    const int rows = (Field().top - list.top - 2) / kRowHeight;
    ASSERT_GT(rows, 8);
    ASSERT_LT(rows, 40);
    // The scroll bar along the list's right side: its foot pages down.
    const CPoint barFoot(Field().right - 4, Field().top - 6);
    for (int i = 0; i < 10; ++i)
        TapScreen(barFoot);
    ASSERT_TRUE(m_combo.GetDroppedState()) << "a tap on the scroll bar chooses nothing";
    TapScreen(Row(rows - 1, rows));
    EXPECT_EQ(m_combo.GetCurSel(), 39);
    Drop();
    const CPoint barHead(Field().right - 4, Field().top - rows * kRowHeight + 4);
    for (int i = 0; i < 10; ++i)
        TapScreen(barHead);
    TapScreen(Row(0, rows));
    EXPECT_EQ(m_combo.GetCurSel(), 0);
}

// Typed while the list is open, a value is taken with Return: the list
// closes and the owner hears of the change once, as for a chosen value;
// a typed value that the list holds selects it.
TEST_F(ComboListTest, AValueTypedInTheOpenListIsTakenWithReturn)
{
    Fill(11);
    m_combo.SetCurSel(5);
    const struct {
        const wchar_t* typed;
        int selected;
    } cases[] = {{L"108", 8}, {L"123", 8}};  // a value not listed keeps the selection
    int changes = 0;
    for (const auto& c : cases) {
        // Typed straight after the tap: the shown value is replaced.
        Drop();
        for (const wchar_t* p = c.typed; *p; ++p)
            m_combo.SendMessage(WM_CHAR, *p, 1);
        m_combo.SendMessage(WM_CHAR, VK_RETURN, 1);
        EXPECT_FALSE(m_combo.GetDroppedState()) << c.typed;
        EXPECT_EQ(m_host.m_changes, ++changes) << c.typed;
        CString text;
        m_combo.GetWindowText(text);
        EXPECT_EQ(text, CString(c.typed));
        EXPECT_EQ(m_combo.GetCurSel(), c.selected) << c.typed;
    }
}
