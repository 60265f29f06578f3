#include "bitmap_resources.h"
#include "c_command_bar.h"
#include "c_menu.h"
#include "headless_driver.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr UINT kToolsMenu = 9301;
constexpr UINT kButtonsBitmap = 9302;

void RegisterToolsMenu()
{
    RegisterMenuTemplate(kToolsMenu, {
        {0, L"Tools", MF_POPUP, {
            {57664, L"&About Pelk...", MF_STRING, {}},
            {0, L"", MF_SEPARATOR, {}},
            {2131, L"Unlock Angles", MF_STRING, {}},
            {0, L"Levels", MF_POPUP, {{2199, L"Change Level...", MF_GRAYED, {}}}},
            {2142, L"View Control", MF_STRING, {}},
            {57665, L"E&xit", MF_STRING, {}},
        }},
    });
}

// A top-level window that records the commands it receives.
class OwnerWnd : public CWnd {
public:
    OwnerWnd()
    {
        Create(nullptr, L"Pelk", WS_POPUP | WS_VISIBLE, CRect(0, kCaptionHeight, kScreenWidth, kScreenHeight), nullptr, 0);
        MapUpdateCommand(2131, &OwnerWnd::OnUpdateLock);
    }
    ~OwnerWnd() override { DestroyWindow(); }
    std::vector<UINT> m_commands;
    bool m_locked = false;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM) override
    {
        m_commands.push_back(LOWORD(wParam));
        return TRUE;
    }

private:
    void OnUpdateLock(CCmdUI* ui) { ui->SetText(m_locked ? L"Unlock Angles" : L"Lock Angles"); }
};

void TapScreen(HeadlessDriver& driver, CPoint point)
{
    driver.PenDownScreen(point);
    driver.PenUpScreen(point);
}

TEST(Menu, PopupBuiltByPositionWithGrayedItems)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    const UINT ids[] = {2151, 2194, 2213, 2221, 2223};
    const wchar_t* texts[] = {L"Camera", L"Island", L"Column", L"Spiral Stair", L"Fireplace"};
    for (UINT i = 0; i < 5; ++i) {
        const UINT grayed = i == 0 ? 0 : MF_GRAYED;
        ASSERT_TRUE(menu.InsertMenu(i, MF_BYPOSITION | MF_STRING | grayed, ids[i], texts[i]));
    }
    EXPECT_EQ(menu.GetMenuItemCount(), 5u);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(menu.GetMenuItemID(i), ids[i]);
    EXPECT_EQ(menu.GetMenuState(2151, MF_BYCOMMAND) & MF_GRAYED, 0u);
    EXPECT_EQ(menu.GetMenuState(2223, MF_BYCOMMAND) & MF_GRAYED, MF_GRAYED);
    EXPECT_EQ(menu.GetMenuState(9999, MF_BYCOMMAND), static_cast<UINT>(-1));
    ASSERT_TRUE(menu.InsertMenu(0, MF_BYPOSITION, 1, L"First"));
    EXPECT_EQ(menu.GetMenuItemID(0), 1u);
    EXPECT_EQ(menu.GetMenuItemID(9), static_cast<UINT>(-1));
    CString text;
    menu.GetMenuString(3, text, MF_BYPOSITION);
    EXPECT_EQ(text, CString(L"Column"));
    EXPECT_TRUE(menu.DestroyMenu());
    EXPECT_FALSE(menu.DestroyMenu());
}

TEST(Menu, CheckMarkTogglesByCommandInsideSubmenus)
{
    RegisterToolsMenu();
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(kToolsMenu));
    EXPECT_FALSE(CMenu().LoadMenu(4242));
    // Toggle as the application's menu-check helper does.
    for (UINT expected : {MF_CHECKED, MF_UNCHECKED}) {
        const UINT state = menu.GetMenuState(2142, MF_BYCOMMAND);
        ASSERT_NE(state, static_cast<UINT>(-1));
        menu.CheckMenuItem(2142, (state & MF_CHECKED) ? MF_UNCHECKED : MF_CHECKED);
        EXPECT_EQ(menu.GetMenuState(2142, MF_BYCOMMAND) & MF_CHECKED, expected);
    }
    CMenu* tools = menu.GetSubMenu(0);
    ASSERT_NE(tools, nullptr);
    CMenu* levels = tools->GetSubMenu(3);
    ASSERT_NE(levels, nullptr);
    EXPECT_EQ(levels->GetMenuState(2199, MF_BYCOMMAND) & MF_GRAYED, MF_GRAYED);
    ASSERT_TRUE(levels->AppendMenu(MF_STRING, 2200, L"Main"));
    EXPECT_EQ(menu.GetMenuState(2200, MF_BYCOMMAND), MF_STRING) << "found from the top by command";
    EXPECT_EQ(tools->GetMenuItemID(3), static_cast<UINT>(-1)) << "a submenu has no id";
    EXPECT_EQ(tools->EnableMenuItem(2131, MF_GRAYED), MF_ENABLED);
    EXPECT_TRUE(tools->DeleteMenu(3, MF_BYPOSITION));
    EXPECT_EQ(menu.GetMenuState(2200, MF_BYCOMMAND), static_cast<UINT>(-1));
}

TEST(Menu, SubmenuBelongsToItsParent)
{
    CMenu parent;
    parent.CreateMenu();
    {
        CMenu child;
        child.CreatePopupMenu();
        child.AppendMenu(MF_STRING, 7, L"Seven");
        ASSERT_TRUE(parent.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(child.GetSafeHmenu()), L"Sub"));
        EXPECT_FALSE(parent.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(child.GetSafeHmenu()), L"Again"));
    }  // the child wrapper goes; the submenu stays with its parent
    ASSERT_NE(parent.GetSubMenu(0), nullptr);
    EXPECT_EQ(parent.GetSubMenu(0)->GetMenuItemID(0), 7u);
    EXPECT_FALSE(parent.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(parent.GetSafeHmenu()), L"Self"));
}

class TrackingTest : public ::testing::Test {
protected:
    HeadlessDriver m_driver;
    OwnerWnd m_owner;
};

TEST_F(TrackingTest, ChosenItemIsSentToTheOwner)
{
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, 2151, L"Camera");
    menu.AppendMenu(MF_STRING | MF_GRAYED, 2194, L"Island");
    menu.AppendMenu(MF_STRING, 2213, L"Column");
    m_driver.OnDialog(kPopupMenuScriptId, [](CWnd* popup, HeadlessDriver& driver) {
        TapScreen(driver, PopupMenuItemRect(popup, 1).CenterPoint());  // grayed: nothing
        ASSERT_TRUE(IsWindow(popup));
        TapScreen(driver, PopupMenuItemRect(popup, 2).CenterPoint());
    });
    EXPECT_TRUE(menu.TrackPopupMenu(0, 100, 150, &m_owner));
    m_driver.Pump();
    EXPECT_EQ(m_owner.m_commands, std::vector<UINT>{2213});
}

TEST_F(TrackingTest, ReturnCommandAndDismissal)
{
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, 2151, L"Camera");
    m_driver.OnDialog(kPopupMenuScriptId, [](CWnd* popup, HeadlessDriver& driver) {
        TapScreen(driver, PopupMenuItemRect(popup, 0).CenterPoint());
    });
    EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 10, 40, &m_owner), 2151);
    m_driver.OnDialog(kPopupMenuScriptId, [](CWnd*, HeadlessDriver& driver) { TapScreen(driver, CPoint(230, 310)); });
    EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 10, 40, &m_owner), 0);
    EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 10, 40, &m_owner), 0) << "no script: dismissed";
    m_driver.Pump();
    EXPECT_TRUE(m_owner.m_commands.empty());
}

TEST_F(TrackingTest, UpdateHandlersRunBeforeTheMenuShows)
{
    RegisterToolsMenu();
    CMenu menu;
    menu.LoadMenu(kToolsMenu);
    CString shown;
    m_driver.OnDialog(kPopupMenuScriptId, [&](CWnd*, HeadlessDriver&) { menu.GetMenuString(2131, shown, MF_BYCOMMAND); });
    menu.GetSubMenu(0)->TrackPopupMenu(0, 0, 300, &m_owner);
    EXPECT_EQ(shown, CString(L"Lock Angles"));
}

TEST_F(TrackingTest, SubmenuChoiceEndsTheWholeMenu)
{
    RegisterToolsMenu();
    CMenu menu;
    menu.LoadMenu(kToolsMenu);
    CMenu* tools = menu.GetSubMenu(0);
    tools->GetSubMenu(3)->AppendMenu(MF_STRING, 2201, L"Upper");
    int popups = 0;
    auto tapRow = [&](int row) {
        return [&, row](CWnd* popup, HeadlessDriver& driver) {
            ++popups;
            TapScreen(driver, PopupMenuItemRect(popup, row).CenterPoint());
        };
    };
    m_driver.OnDialog(kPopupMenuScriptId, tapRow(3));  // "Levels"
    m_driver.OnDialog(kPopupMenuScriptId, tapRow(1));  // "Upper"
    EXPECT_EQ(tools->TrackPopupMenu(TPM_RETURNCMD, 0, 40, &m_owner), 2201);
    EXPECT_EQ(popups, 2);
}

class CommandBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterToolsMenu();
        std::vector<std::string> rows(16, std::string(64, 'w'));
        for (int image = 0; image < 4; ++image) rows[8][static_cast<size_t>(image * 16 + 8)] = 'k';
        ASSERT_TRUE(RegisterBitmapArt(kButtonsBitmap, rows, {"w=FFFFFF", "k=000000"}));
        ASSERT_TRUE(m_bar.Create(&m_owner));
        ASSERT_NE(m_bar.InsertMenuBar(kToolsMenu), nullptr);
        CString tips[4] = {L"Select Portal/Adjust Shape", L"Measurements", L"Exit Partition", L"View Change"};
        m_bar.AddToolTips(4, tips);
        ASSERT_EQ(m_bar.AddBitmap(kButtonsBitmap, 4), 0);
        TBBUTTON buttons[5];
        const int ids[5] = {2139, 2140, 2141, 0, 2152};
        for (int i = 0; i < 5; ++i) {
            buttons[i].idCommand = ids[i];
            buttons[i].iBitmap = i < 3 ? i : i - 1;
            buttons[i].fsState = TBSTATE_ENABLED;
            buttons[i].fsStyle = i < 3 ? TBSTYLE_CHECKGROUP : (i == 3 ? TBSTYLE_SEP : TBSTYLE_BUTTON);
        }
        ASSERT_TRUE(m_bar.AddButtons(5, buttons));
        m_bar.SetBarStyle(m_bar.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY);
        m_combo = m_bar.InsertComboBox(60, CBS_DROPDOWN | WS_VSCROLL, 2148, 5);
        ASSERT_NE(m_combo, nullptr);
        m_bar.AddAdornments(0);
        m_combo->ShowWindow(SW_HIDE);
    }

    void TapButton(int id)
    {
        CRect rect = m_bar.GetButtonRect(id);
        ASSERT_FALSE(rect.IsRectEmpty());
        m_bar.ClientToScreen(&rect);
        TapScreen(m_driver, rect.CenterPoint());
    }

    HeadlessDriver m_driver;
    OwnerWnd m_owner;
    CCeCommandBar m_bar;
    CComboBox* m_combo = nullptr;
};

TEST_F(CommandBarTest, CheckButtonMessagePressesTheModesButton)
{
    m_bar.SendMessage(WM_USER + 2, 2140, 1);
    EXPECT_TRUE(m_bar.IsButtonChecked(2140));
    m_bar.SendMessage(WM_USER + 2, 2141, 1);
    EXPECT_TRUE(m_bar.IsButtonChecked(2141));
    EXPECT_FALSE(m_bar.IsButtonChecked(2140)) << "one button of the group at a time";
    EXPECT_FALSE(m_bar.SendMessage(WM_USER + 2, 2138, 1)) << "2138 has no button";
}

TEST_F(CommandBarTest, TappedButtonsSendTheirCommands)
{
    TapButton(2139);
    TapButton(2152);
    EXPECT_EQ(m_owner.m_commands, (std::vector<UINT>{2139, 2152}));
    EXPECT_TRUE(m_bar.IsButtonChecked(2139));
    EXPECT_FALSE(m_bar.IsButtonChecked(2152)) << "a push button does not stay pressed";
    m_bar.EnableButton(2140, FALSE);
    TapButton(2140);
    EXPECT_EQ(m_owner.m_commands.size(), 2u);
}

TEST_F(CommandBarTest, MenuButtonOpensTheToolsMenu)
{
    m_driver.OnDialog(kPopupMenuScriptId, [](CWnd* popup, HeadlessDriver& driver) {
        TapScreen(driver, PopupMenuItemRect(popup, 4).CenterPoint());  // "View Control"
    });
    CRect tools = m_bar.GetMenuButtonRect(0);
    ASSERT_FALSE(tools.IsRectEmpty());
    m_bar.ClientToScreen(&tools);
    TapScreen(m_driver, tools.CenterPoint());
    m_driver.Pump();
    EXPECT_EQ(m_owner.m_commands, std::vector<UINT>{2142});
}

TEST_F(CommandBarTest, ComboToolTipsAndLayout)
{
    EXPECT_EQ(m_combo->GetDlgCtrlID(), 2148);
    EXPECT_FALSE(m_combo->IsWindowVisible());
    ASSERT_NE(m_bar.GetToolTip(4), nullptr);
    EXPECT_EQ(*m_bar.GetToolTip(4), CString(L"View Change")) << "the separator has no tooltip";
    CRect combo;
    m_combo->GetWindowRect(&combo);
    CRect last = m_bar.GetButtonRect(2152);
    m_bar.ClientToScreen(&last);
    EXPECT_GE(combo.left, last.right) << "after the last button";
    EXPECT_EQ(combo.Width(), 60);
    EXPECT_TRUE(m_bar.GetBarStyle() & CBRS_TOOLTIPS);
}

TEST_F(CommandBarTest, ButtonImagesComeFromTheBitmap)
{
    CRect rect = m_bar.GetButtonRect(2141);
    m_bar.ClientToScreen(&rect);
    // Each 16-pixel image has one black pixel in its middle row.
    bool black = false;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x) black = black || m_driver.PixelAt(x, y) == RGB(0, 0, 0);
    EXPECT_TRUE(black);
}

}  // namespace
