#include <filesystem>
#include <fstream>
#include <memory>
#include <ostream>
#include <string>

#include "app_test_support.h"
#include "c_button.h"
#include "c_combo_box.h"
#include "c_list_box.h"
#include "duplicate_room_dlg.h"
#include "exchange_file.h"
#include "headless_driver.h"
#include "level_files.h"
#include "messages.h"
#include "new_room_dlg.h"
#include "new_session_dlg.h"
#include "options_dlg.h"
#include "repl_doc.h"
#include "room_floor.h"
#include "xml_element.h"

void PrintTo(const CString& text, std::ostream* os) { *os << '"' << text.ToNarrow() << '"'; }

namespace {

CString TextOf(const CWnd* dialog, int id)
{
    CString text;
    dialog->GetDlgItemText(id, text);
    return text;
}

CString Caption(const CWnd* dialog)
{
    CString text;
    dialog->GetWindowText(text);
    return text;
}

CListBox* List(const CWnd* dialog, int id) { return dynamic_cast<CListBox*>(dialog->GetDlgItem(id)); }

CString Selected(const CWnd* dialog, int id)
{
    CString text;
    const CListBox* list = List(dialog, id);
    if (list && list->GetCurSel() >= 0)
        list->GetText(list->GetCurSel(), text);
    return text;
}

bool IsChecked(const CWnd* dialog, int id)
{
    return static_cast<const CDialog*>(dialog)->IsDlgButtonChecked(id) == BST_CHECKED;
}

void WriteText(const std::filesystem::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

class SessionDialogsTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        ASSERT_TRUE(InstallDefaultExchangeFile());
    }

    // A journal that holds a level: the header and one room.
    void WriteJournalFiles()
    {
        WriteText(documents / "journal" / "header", "\n<QUENDAR_FPL house=\"9\" path=\"Hall1,\">");
        WriteText(documents / "journal" / "Hall1", "N1=Node(0,0)\n");
    }

    // Confirms the New Session dialog with the given edits.
    void ConfirmSession(const wchar_t* house, const wchar_t* number, const wchar_t* level = nullptr)
    {
        driver.OnDialog(CNewSessionDlg::IDD, [=](CWnd* shown, HeadlessDriver& d) {
            shown->SetDlgItemText(CNewSessionDlg::IDC_HOUSE, house);
            shown->SetDlgItemText(CNewSessionDlg::IDC_NUMBER, number);
            if (level) {
                CListBox* levels = List(shown, CNewSessionDlg::IDC_LEVEL);
                levels->SetCurSel(levels->FindStringExact(-1, level));
            }
            d.TapDlgItem(shown, IDOK);
        });
    }

    HeadlessDriver driver;
};

}  // namespace

// ---- New Session ----

TEST_F(SessionDialogsTest, AFreshSessionShowsTheDefaultsWithoutRestore)
{
    CReplDoc document;
    ASSERT_TRUE(document.LoadExchangeFile(CString(kExchangeFilePath)));
    WriteJournalFiles();
    ASSERT_TRUE(document.m_journal.HasJournal());
    bool shown = false;
    driver.OnDialog(CNewSessionDlg::IDD, [&](CWnd* dialog, HeadlessDriver& d) {
        shown = true;
        EXPECT_EQ(Caption(dialog), CString(L"New Session"));
        EXPECT_EQ(TextOf(dialog, CNewSessionDlg::IDC_STREET), CString(L"Anystreet"));
        EXPECT_EQ(TextOf(dialog, CNewSessionDlg::IDC_HOUSE), CString(L"1"));
        EXPECT_EQ(Selected(dialog, CNewSessionDlg::IDC_LEVEL), CString(L"Main"));
        EXPECT_FALSE(dialog->GetDlgItem(IDCANCEL)->IsWindowEnabled());
        EXPECT_EQ(TextOf(dialog, IDCANCEL), CString(L"Restore"));
        d.TapDlgItem(dialog, IDOK);
    });
    CNewSessionDlg dialog(&document);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(shown);
    EXPECT_EQ(dialog.m_street, CString(L"Anystreet"));
    EXPECT_EQ(dialog.m_level, CString(L"Main"));
}

TEST_F(SessionDialogsTest, RestoreIsOfferedWhileTheJournalHoldsALevel)
{
    CReplDoc document;
    ASSERT_TRUE(document.OnNewDocument());
    document.m_unit = L"4B";
    document.m_mls = L"778899";
    WriteJournalFiles();
    driver.OnDialog(CNewSessionDlg::IDD, [&](CWnd* dialog, HeadlessDriver& d) {
        EXPECT_TRUE(dialog->GetDlgItem(IDCANCEL)->IsWindowEnabled());
        EXPECT_EQ(TextOf(dialog, CNewSessionDlg::IDC_NUMBER), CString(L"4B")) << "the unit first";
        const CListBox* orientations = List(dialog, CNewSessionDlg::IDC_ORIENTATION);
        ASSERT_EQ(orientations->GetCount(), 9);
        const wchar_t* expected[] = {L"none", L"N", L"S", L"E", L"W", L"NE", L"NW", L"SE", L"SW"};
        for (int i = 0; i < 9; ++i) {
            CString text;
            orientations->GetText(i, text);
            EXPECT_EQ(text, CString(expected[i]));
        }
        EXPECT_EQ(Selected(dialog, CNewSessionDlg::IDC_ORIENTATION), CString(L"none"));
        d.TapDlgItem(dialog, IDCANCEL);
    });
    CNewSessionDlg dialog(&document);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

TEST_F(SessionDialogsTest, TheNumberIsAUnitUpToFiveCharactersElseTheListingNumber)
{
    const struct {
        const wchar_t* typed;
        const wchar_t* unit;
        const wchar_t* mls;
    } cases[] = {{L"12345", L"12345", L""}, {L"123456", L"", L"123456"}};
    for (const auto& c : cases) {
        CReplDoc document;
        ASSERT_TRUE(document.OnNewDocument());
        ConfirmSession(L"1", c.typed);
        document.OnNew();
        EXPECT_EQ(document.m_unit, CString(c.unit)) << CString(c.typed).ToNarrow();
        EXPECT_EQ(document.m_mls, CString(c.mls)) << CString(c.typed).ToNarrow();
        EXPECT_EQ(document.GetNumOfRooms(), 1);
        EXPECT_EQ(document.m_history.size(), 1u);
        EXPECT_TRUE(document.m_journal.IsRunning());
    }
}

TEST_F(SessionDialogsTest, AnotherHouseForgetsTheLevelFilesAnotherLevelKeepsThem)
{
    CReplDoc document;
    ASSERT_TRUE(document.OnNewDocument());
    LevelFileMap()[CString(L"Main")] = CString(L"My Documents\\Any1Mn1.fpl");
    ConfirmSession(L"1", L"", L"Upper");
    document.OnNew();
    EXPECT_EQ(document.m_level, CString(L"Upper"));
    EXPECT_EQ(document.m_fileBase, CString(L"Any1Ur"));
    EXPECT_EQ(LevelFileMap().size(), 1u);
    ConfirmSession(L"2", L"");
    document.OnNew();
    EXPECT_EQ(document.m_house, CString(L"2"));
    EXPECT_TRUE(LevelFileMap().empty());
}

TEST_F(SessionDialogsTest, NewEmptiesTheJournalFolder)
{
    CReplDoc document;
    ASSERT_TRUE(document.OnNewDocument());
    WriteJournalFiles();
    ConfirmSession(L"1", L"");
    document.OnNew();
    EXPECT_FALSE(document.m_journal.HasJournal());
    EXPECT_FALSE(std::filesystem::exists(documents / "journal" / "Hall1"));
}

TEST_F(SessionDialogsTest, RestoreRebuildsTheLevelFromTheJournal)
{
    {
        CReplDoc earlier;
        ASSERT_TRUE(earlier.OnNewDocument());
        earlier.ResetLevel();
        CRoomFloor* room = earlier.GetCurrentRoom();
        CXMLElement* shape = GetExchangeTables().shapes.at(0).at(0);
        ASSERT_TRUE(room->LoadShape(shape->GetAttribute("body"), &GetExchangeTables().chains[0],
                                    true, true));
        room->SetShapeName(shape->GetAttribute("name"));
        room->ZupFloor::SetName("Kitchen1");
        earlier.m_street = L"Elmstreet";
        ASSERT_TRUE(earlier.m_journal.Start());
        ASSERT_TRUE(earlier.m_journal.WriteAll());
    }
    CReplDoc document;
    ASSERT_TRUE(document.OnNewDocument());
    driver.OnDialog(CNewSessionDlg::IDD, [](CWnd* dialog, HeadlessDriver& d) {
        d.TapDlgItem(dialog, IDCANCEL);
    });
    document.OnNew();
    EXPECT_EQ(document.m_street, CString(L"Elmstreet"));
    ASSERT_EQ(document.GetNumOfRooms(), 1);
    EXPECT_STREQ(document.GetRoom(0)->GetName(), "Kitchen1");
    EXPECT_TRUE(document.m_journal.IsRunning());
}

TEST_F(SessionDialogsTest, RestoreWithoutJournalStillLeavesARoomToDraw)
{
    CReplDoc document;
    ASSERT_TRUE(document.OnNewDocument());
    document.OnNew();  // no script: the dialog ends as Restore would
    EXPECT_EQ(document.GetNumOfRooms(), 1);
}

// ---- New Room ----

class NewRoomDialogTest : public SessionDialogsTest {
protected:
    void SetUp() override
    {
        SessionDialogsTest::SetUp();
        ASSERT_TRUE(document.OnNewDocument());
    }
    CReplDoc document;
};

TEST_F(NewRoomDialogTest, TheLongListShowsEveryTypeAndItsChoiceLasts)
{
    int shortCount = 0;
    int longCount = 0;
    driver.OnDialog(CNewRoomDlg::IDD, [&](CWnd* dialog, HeadlessDriver& d) {
        EXPECT_EQ(Caption(dialog), CString(L"Hall1"));
        shortCount = List(dialog, CNewRoomDlg::IDC_TYPES)->GetCount();
        EXPECT_EQ(Selected(dialog, CNewRoomDlg::IDC_TYPES), CString(L"Hall"));
        EXPECT_FALSE(IsChecked(dialog, CNewRoomDlg::IDC_LONG_LIST));
        d.TapDlgItem(dialog, CNewRoomDlg::IDC_LONG_LIST);
        longCount = List(dialog, CNewRoomDlg::IDC_TYPES)->GetCount();
        d.TapDlgItem(dialog, IDOK);
    });
    CNewRoomDlg dialog("Hall1", true, false, false, nullptr, 0, 0);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(shortCount, 6) << "Hall, Kitchen, Living Room, Bedroom, Bathroom, Garage";
    EXPECT_EQ(longCount, 16);
    EXPECT_EQ(CNewRoomDlg::GetLongList(), 1);

    driver.OnDialog(CNewRoomDlg::IDD, [&](CWnd* dialog, HeadlessDriver& d) {
        EXPECT_TRUE(IsChecked(dialog, CNewRoomDlg::IDC_LONG_LIST));
        EXPECT_EQ(List(dialog, CNewRoomDlg::IDC_TYPES)->GetCount(), 16);
        d.TapDlgItem(dialog, IDCANCEL);
    });
    CNewRoomDlg next("Kitchen1", true, false, false, nullptr, 0, 0);
    EXPECT_EQ(next.DoModal(), IDCANCEL);
}

TEST_F(NewRoomDialogTest, ARoomOfALongListTypeTicksTheLongListByItself)
{
    driver.OnDialog(CNewRoomDlg::IDD, [&](CWnd* dialog, HeadlessDriver& d) {
        EXPECT_TRUE(IsChecked(dialog, CNewRoomDlg::IDC_LONG_LIST));
        EXPECT_EQ(Selected(dialog, CNewRoomDlg::IDC_TYPES), CString(L"Office"));
        d.TapDlgItem(dialog, IDOK);
    });
    CNewRoomDlg dialog("Office 2", true, false, false, nullptr, 0, 0);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(CNewRoomDlg::GetLongList(), 1);
    EXPECT_GE(dialog.m_selectedType, 0);
}

TEST_F(NewRoomDialogTest, OkReadsTheTypeTheWallsAndBelow)
{
    driver.OnDialog(CNewRoomDlg::IDD, [&](CWnd* dialog, HeadlessDriver& d) {
        EXPECT_TRUE(dialog->GetDlgItem(IDCANCEL)->IsWindowEnabled());
        auto* walls = dynamic_cast<CComboBox*>(dialog->GetDlgItem(CNewRoomDlg::IDC_WALLS));
        ASSERT_EQ(walls->GetCount(), 4);
        EXPECT_EQ(walls->GetCurSel(), 0);
        walls->SetCurSel(3);
        d.TapDlgItem(dialog, CNewRoomDlg::IDC_BELOW);
        d.TapDlgItem(dialog, IDOK);
    });
    CNewRoomDlg dialog("Kitchen1", true, false, false, "Den", 0, 0);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_wallKind, 3);
    EXPECT_EQ(dialog.m_below, 1);
    // The short list in name order: Bathroom, Bedroom, Garage, Hall, Kitchen.
    EXPECT_EQ(dialog.m_selectedType, 4);
}

TEST_F(NewRoomDialogTest, TheDeleteButtonDeletesDetachesOrIsAbsent)
{
    const struct {
        bool deleteAllowed;
        bool detach;
        const wchar_t* text;
        bool visible;
    } cases[] = {{true, false, L"Delete", true}, {false, true, L"Detach", true}, {false, false, L"Delete", false}};
    for (const auto& c : cases) {
        driver.OnDialog(CNewRoomDlg::IDD, [&](CWnd* dialog, HeadlessDriver& d) {
            CWnd* button = dialog->GetDlgItem(CNewRoomDlg::IDC_DELETE);
            EXPECT_EQ(TextOf(dialog, CNewRoomDlg::IDC_DELETE), CString(c.text));
            EXPECT_EQ(button->IsWindowVisible() != FALSE, c.visible);
            if (c.visible)
                d.TapDlgItem(dialog, CNewRoomDlg::IDC_DELETE);
            else
                d.TapDlgItem(dialog, IDCANCEL);
        });
        CNewRoomDlg dialog("Hall1", c.deleteAllowed, c.detach, false, "Den", 0, 0);
        EXPECT_EQ(dialog.DoModal(), c.visible ? CNewRoomDlg::kDeleteResult : IDCANCEL);
    }
}

TEST_F(NewRoomDialogTest, ALabelBecomesTheCaption)
{
    CString caption;
    driver.OnDialog(CNewRoomDlg::IDD, [&](CWnd* dialog, HeadlessDriver& d) {
        caption = Caption(dialog);
        d.TapDlgItem(dialog, IDCANCEL);
    });
    CNewRoomDlg dialog("Hall1", true, false, false, "Den", 0, 0);
    dialog.DoModal();
    EXPECT_EQ(caption, CString(L"Den"));
}

// ---- Duplicate room ----

TEST_F(SessionDialogsTest, TheDuplicateQuestionNamesTheRoomUnderTheLevelsCaption)
{
    const struct {
        int button;
        int result;
    } answers[] = {{IDOK, IDOK}, {IDCANCEL, IDCANCEL}};
    for (const auto& answer : answers) {
        driver.OnDialog(CDuplicateRoomDlg::IDD, [&](CWnd* dialog, HeadlessDriver& d) {
            EXPECT_EQ(Caption(dialog), CString(L"Upper"));
            EXPECT_EQ(TextOf(dialog, CDuplicateRoomDlg::IDC_QUESTION),
                      CString(L"Duplicate room Bath2 detected"));
            EXPECT_EQ(TextOf(dialog, IDOK), CString(L"Discard"));
            EXPECT_EQ(TextOf(dialog, IDCANCEL), CString(L"Rename"));
            d.TapDlgItem(dialog, answer.button);
        });
        CDuplicateRoomDlg dialog(CString(L"Upper"), "Bath2");
        EXPECT_EQ(dialog.DoModal(), answer.result);
    }
}

// ---- Options ----

TEST_F(SessionDialogsTest, OptionsShowTheDocumentsSwitchesAndCancelChangesNothing)
{
    CReplDoc document;
    document.m_showAreas = true;
    driver.OnDialog(COptionsDlg::IDD, [&](CWnd* dialog, HeadlessDriver& d) {
        EXPECT_EQ(Caption(dialog), CString(L"Options"));
        EXPECT_TRUE(IsChecked(dialog, COptionsDlg::IDC_AREAS));
        EXPECT_FALSE(IsChecked(dialog, COptionsDlg::IDC_ROOMS));
        EXPECT_TRUE(IsChecked(dialog, COptionsDlg::IDC_DIMS_ALL));
        EXPECT_TRUE(IsChecked(dialog, COptionsDlg::IDC_SMART_WALLS));
        EXPECT_FALSE(dialog->GetDlgItem(COptionsDlg::IDC_WALL_THICKNESS)->IsWindowEnabled());
        d.TapDlgItem(dialog, COptionsDlg::IDC_ROOMS);
        d.TapDlgItem(dialog, COptionsDlg::IDC_SMART_WALLS);
        d.TapDlgItem(dialog, IDCANCEL);
    });
    document.OnOptions();
    EXPECT_TRUE(document.m_showAreas);
    EXPECT_FALSE(document.m_showRooms);
    EXPECT_TRUE(document.m_smartWalls);
}

TEST_F(SessionDialogsTest, OptionsConfirmedAreApplied)
{
    CReplDoc document;
    driver.OnDialog(COptionsDlg::IDD, [&](CWnd* dialog, HeadlessDriver& d) {
        d.TapDlgItem(dialog, COptionsDlg::IDC_ROOMS);
        d.TapDlgItem(dialog, COptionsDlg::IDC_NAMES);
        d.TapDlgItem(dialog, COptionsDlg::IDC_DIMS_ACTIVE);
        d.TapDlgItem(dialog, COptionsDlg::IDC_IMPERIAL);
        d.TapDlgItem(dialog, COptionsDlg::IDC_SMART_WALLS);
        d.TapDlgItem(dialog, IDOK);
    });
    document.OnOptions();
    EXPECT_TRUE(document.m_showRooms);
    EXPECT_TRUE(document.m_showNames);
    EXPECT_FALSE(document.m_dimsAll);
    EXPECT_TRUE(document.m_dimsActive);
    EXPECT_TRUE(document.m_halfInches);
    EXPECT_FALSE(document.m_smartWalls);
}

TEST_F(SessionDialogsTest, BottomEntranceWhileEditingARoomStaysInTheRoom)
{
    CReplDoc document;
    ASSERT_TRUE(document.OnNewDocument());
    document.ResetLevel();
    driver.OnDialog(COptionsDlg::IDD, [&](CWnd* dialog, HeadlessDriver& d) {
        d.TapDlgItem(dialog, COptionsDlg::IDC_BOTTOM_ENTRANCE);
        d.TapDlgItem(dialog, IDOK);
    });
    document.OnOptions();
    EXPECT_TRUE(document.m_bottomEntrance);
    EXPECT_TRUE(document.m_roomView);
}
