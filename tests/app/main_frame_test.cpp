#include <cmath>
#include <string>
#include <filesystem>
#include <fstream>

#include "about_dlg.h"
#include "edit_mode.h"
#include "kor_dimension.h"
#include "room_floor.h"
#include "history_record.h"
#include "shell_test_support.h"

namespace {

constexpr const wchar_t* kNoCard =
    L"No Storage Card detected!\nWe strongly recommend to insert a Storage Card to avoid data loss";

}  // namespace

TEST_F(ShellTest, StartUpBuildsTheFrameWithItsCommandBar)
{
    ASSERT_TRUE(Start());
    ASSERT_NE(Frame(), nullptr);
    ASSERT_NE(View(), nullptr);
    EXPECT_TRUE(Frame()->IsWindowVisible());
    CString title;
    Frame()->GetWindowText(title);
    EXPECT_EQ(title, CString(L"Pelk"));
    EXPECT_EQ(ApplicationEdition(), CString(L"PELK"));

    CCeCommandBar& bar = Frame()->GetCommandBar();
    for (int id : {2139, 2140, 2141, 2152})
        EXPECT_TRUE(bar.IsButtonEnabled(id)) << id;
    const wchar_t* tips[] = {L"Select Portal/Adjust Shape", L"Measurements", L"Exit Partition", L"View Change"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(Frame()->GetToolTip(i), CString(tips[i]));
    ASSERT_NE(Frame()->GetComboBox(), nullptr);
    EXPECT_EQ(Frame()->GetComboBox()->GetDlgCtrlID(), 2148);

    CMenu* menu = Frame()->GetMenu();
    ASSERT_NE(menu, nullptr);
    CString text;
    menu->GetMenuString(57664, text, MF_BYCOMMAND);
    EXPECT_EQ(text, CString(L"&About Pelk..."));
    EXPECT_NE(menu->GetMenuState(2199, MF_BYCOMMAND) & MF_GRAYED, 0u);
    EXPECT_EQ(View()->GetClientHeight(), 268);
    EXPECT_EQ(View()->GetClientWidth(), 240);
}

TEST_F(ShellTest, AnActivatedModePressesItsButtonAndTheRoomModeNone)
{
    ASSERT_TRUE(Start());
    CCeCommandBar& bar = Frame()->GetCommandBar();
    Frame()->PostMessage(WM_CHECK_MODE_BUTTON, 2140);
    driver->Pump();
    EXPECT_TRUE(bar.IsButtonChecked(2140));
    Frame()->PostMessage(WM_CHECK_MODE_BUTTON, 2141);
    driver->Pump();
    EXPECT_TRUE(bar.IsButtonChecked(2141));
    EXPECT_FALSE(bar.IsButtonChecked(2140));
    Frame()->PostMessage(WM_CHECK_MODE_BUTTON, 2138);
    driver->Pump();
    EXPECT_TRUE(bar.IsButtonChecked(2141));
}

TEST_F(ShellTest, WithoutAStorageCardTheWarningComesOnceAndTheProgramRuns)
{
    ASSERT_TRUE(Start());
    int warnings = 0;
    for (const MessageBoxRecord& box : driver->MessageBoxes())
        warnings += box.text == CString(kNoCard);
    EXPECT_EQ(warnings, 1);
}

TEST_F(ShellTest, WithAStorageCardTheBackupFolderIsMade)
{
    const auto card = documents / "card";
    PlatformPaths::SetCardRoot(card.string());
    ASSERT_TRUE(Start());
    for (const MessageBoxRecord& box : driver->MessageBoxes())
        EXPECT_NE(box.text, CString(kNoCard));
    EXPECT_TRUE(std::filesystem::is_directory(card / "Backup"));
}

TEST_F(ShellTest, ASecondStartBringsTheRunningWindowForwardAndEnds)
{
    CWnd running;
    ASSERT_TRUE(running.Create(nullptr, L"Pelk", WS_VISIBLE, CRect(0, 26, 240, 320), nullptr, 0));
    EXPECT_FALSE(app->InitInstance());
    EXPECT_EQ(AfxGetMainWnd(), nullptr);
    EXPECT_EQ(CWnd::GetForegroundWindow(), &running);
    running.DestroyWindow();
}

TEST_F(ShellTest, TheAboutBoxWithoutALevelShowsOnlyTheVersion)
{
    CString version, address, measurements;
    driver->OnDialog(CAboutDlg::IDD, [&](CWnd* dialog, HeadlessDriver& d) {
        dialog->GetDlgItemText(CAboutDlg::IDC_VERSION, version);
        dialog->GetDlgItemText(CAboutDlg::IDC_ADDRESS, address);
        dialog->GetDlgItemText(CAboutDlg::IDC_MEASUREMENTS, measurements);
        d.TapDlgItem(dialog, IDOK);
    });
    app->OnAppAbout();
    EXPECT_FALSE(version.IsEmpty());
    EXPECT_TRUE(address.IsEmpty());
    EXPECT_TRUE(measurements.IsEmpty());
}

TEST_F(ShellTest, TheAboutBoxOfALevelShowsItsAddressAndCounts)
{
    ASSERT_TRUE(Start());
    CString address, measurements, area;
    driver->OnDialog(CAboutDlg::IDD, [&](CWnd* dialog, HeadlessDriver& d) {
        dialog->GetDlgItemText(CAboutDlg::IDC_ADDRESS, address);
        dialog->GetDlgItemText(CAboutDlg::IDC_MEASUREMENTS, measurements);
        dialog->GetDlgItemText(CAboutDlg::IDC_TOTAL_AREA, area);
        d.TapDlgItem(dialog, IDOK);
    });
    Frame()->SendMessage(WM_COMMAND, 57664);
    EXPECT_EQ(address, CString(L"1 Anystreet"));
    EXPECT_EQ(measurements, CString(L"0"));
    EXPECT_EQ(area, CString(L"0"));
}

TEST_F(ShellTest, ViewControlIsCheckedExactlyWhileThePadIsShown)
{
    ASSERT_TRUE(Start());
    EXPECT_FALSE(ViewControlChecked());
    Frame()->SendMessage(WM_COMMAND, 2142);
    EXPECT_TRUE(View()->GetCommandPad().IsShown());
    EXPECT_TRUE(ViewControlChecked());
    const CPoint origin = View()->GetCommandPad().GetOrigin();
    EXPECT_EQ(origin, CPoint(120 - 48, 134 - 48));
    Frame()->SendMessage(WM_COMMAND, 2142);
    EXPECT_FALSE(View()->GetCommandPad().IsShown());
    EXPECT_FALSE(ViewControlChecked());
}

// The first start on an empty documents folder: the shipped exchange file is
// put in place, and the first room opens in the Room mode with its palette.
TEST_F(ShellTest, TheFirstStartInstallsTheExchangeFileAndShowsTheShapePalette)
{
    std::filesystem::remove(documents / "qxr.xml");
    ASSERT_TRUE(Start());
    EXPECT_TRUE(std::filesystem::exists(documents / "qxr.xml"));
    EXPECT_FALSE(GetExchangeTables().shapes.empty());
    ASSERT_NE(Doc()->GetEditMode(), nullptr) << "no mode: the view stays empty";
    EXPECT_EQ(Doc()->GetEditMode()->GetCommandId(), 2138);
    EXPECT_TRUE(Doc()->m_roomView);
}

// An exchange file that cannot be read is reported before the session
// starts without its levels and shapes.
TEST_F(ShellTest, AnUnreadableExchangeFileIsReported)
{
    struct Case {
        const char* text;
        const wchar_t* message;
    };
    const Case cases[] = {
        {"", L"My Documents\\qxr.xml does not exist or corrupted"},
        {"<NOT_QXR/>", L"Incorrect syntax in My Documents\\qxr.xml"},
    };
    for (const Case& c : cases) {
        std::ofstream(documents / "qxr.xml", std::ios::binary | std::ios::trunc) << c.text;
        ASSERT_TRUE(Start());
        int reported = 0;
        for (const MessageBoxRecord& box : driver->MessageBoxes())
            reported += box.text == CString(c.message);
        EXPECT_EQ(reported, 1) << c.text;
        TearDown();
        SetUp();
    }
}

// A value chosen from the command bar's list in the Measurement mode is
// applied to the room as the keypad applies it, and the arrow keys reach
// the view again afterwards (Right steps to the next dimension).
TEST_F(ShellTest, AValueChosenFromTheBarsListIsAppliedAndTheKeysReturnToTheView)
{
    ASSERT_TRUE(Start());
    CReplDoc* doc = Doc();
    ASSERT_TRUE(doc->InsertShape(0, 0));
    ASSERT_TRUE(doc->SetEditMode(2));
    CEditMode* mode = doc->GetEditMode();
    KorDimension* dimension = doc->GetCurrentRoom()->GetDimension(mode->GetSelection(), nullptr);
    ASSERT_NE(dimension, nullptr);
    const long before = std::lround(dimension->GetImplementedValue());
    ASSERT_GE(before, 5);
    CComboBox* combo = Frame()->GetComboBox();
    CRect field;
    combo->GetWindowRect(&field);
    driver->PenDownScreen(field.CenterPoint());
    driver->PenUpScreen(field.CenterPoint());
    ASSERT_TRUE(combo->GetDroppedState());
    // The list opens above the bar with all eleven of its values, the
    // measured one sixth: the last row holds that value + 5.
    const CPoint lastRow(field.left + 10, field.top - 4);
    driver->PenDownScreen(lastRow);
    driver->PenUpScreen(lastRow);
    EXPECT_EQ(std::lround(dimension->GetImplementedValue()), before + 5);
    EXPECT_EQ(CWnd::GetFocus(), View());
    const int selection = mode->GetSelection();
    driver->Key(VK_RIGHT);
    EXPECT_NE(mode->GetSelection(), selection);
}

// A value typed while the bar's list is open is applied with Return, as a
// chosen one is, also one the list does not hold.
TEST_F(ShellTest, AValueTypedInTheBarsOpenListIsApplied)
{
    ASSERT_TRUE(Start());
    CReplDoc* doc = Doc();
    ASSERT_TRUE(doc->InsertShape(0, 0));
    ASSERT_TRUE(doc->SetEditMode(2));
    CEditMode* mode = doc->GetEditMode();
    KorDimension* dimension = doc->GetCurrentRoom()->GetDimension(mode->GetSelection(), nullptr);
    ASSERT_NE(dimension, nullptr);
    const long before = std::lround(dimension->GetImplementedValue());
    CComboBox* combo = Frame()->GetComboBox();
    for (const long typed : {before + 3, before + 37}) {
        CRect field;
        combo->GetWindowRect(&field);
        driver->PenDownScreen(field.CenterPoint());
        driver->PenUpScreen(field.CenterPoint());
        ASSERT_TRUE(combo->GetDroppedState());
        combo->SetWindowText(L"");
        for (const char digit : std::to_string(typed))
            combo->SendMessage(WM_CHAR, static_cast<WPARAM>(digit), 1);
        combo->SendMessage(WM_CHAR, VK_RETURN, 1);
        driver->Pump();
        EXPECT_FALSE(combo->GetDroppedState());
        EXPECT_EQ(std::lround(dimension->GetImplementedValue()), typed);
    }
}
