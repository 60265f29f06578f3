// Unsaved work before the level goes: New offers to save it and really saves,
// a cancelled or failed save keeps the level, changing level asks as Load
// does, and a level restored from the journal is saved under its own name.
#include <filesystem>
#include <functional>
#include <string>

#include "c_file.h"
#include "file_cipher.h"
#include "file_system.h"
#include "floor_plan_test_support.h"
#include "level_files.h"
#include "new_session_dlg.h"

namespace {

constexpr const wchar_t* kSaveQuestion = L"Do you want to save 1 Anystreet, Main?";
constexpr const wchar_t* kLossQuestion = L"Unsaved data may be LOST.\nDo You want to continue?";

class UnsavedWorkTest : public FloorPlanTest {
protected:
    void SetUp() override
    {
        FloorPlanTest::SetUp();
        CFileCipher::EncryptionFlag() = 0;
        driver.OnDialog(CNewSessionDlg::IDD, [this](CWnd* shown, HeadlessDriver& d) {
            ++sessionDialogs;
            d.TapDlgItem(shown, sessionButton);
        });
    }
    void TearDown() override
    {
        SetFileFault(nullptr);
        FloorPlanTest::TearDown();
    }

    // A level of the default house with an edit not saved yet.
    void MakeUnsavedLevel(CReplDoc& document)
    {
        ASSERT_TRUE(document.OnNewDocument());
        AddRoom(document, "Hall1", 200, 300);
        AddRoom(document, "Den1", 240, 180);
        document.m_plan.SetModified(true);
    }

    // The journal an earlier run of the program left behind.
    static void LeaveJournal(const std::function<void(CReplDoc&)>& makeLevel)
    {
        CReplDoc earlier;
        ASSERT_TRUE(earlier.OnNewDocument());
        makeLevel(earlier);
        ASSERT_TRUE(earlier.m_journal.Start());
        ASSERT_TRUE(earlier.m_journal.WriteAll());
    }

    // New Session answered with its Restore button.
    void RestoreInto(CReplDoc& document)
    {
        ASSERT_TRUE(document.OnNewDocument());
        sessionButton = IDCANCEL;
        document.OnNew();
    }

    int CountBoxes(const wchar_t* text) const
    {
        int count = 0;
        for (const MessageBoxRecord& box : driver.MessageBoxes())
            count += box.text == CString(text) ? 1 : 0;
        return count;
    }

    HeadlessDriver driver;
    VisibleMainWindow window;
    int sessionDialogs = 0;
    int sessionButton = IDOK;  // IDCANCEL is the dialog's Restore
};

}  // namespace

// Yes to "Do you want to save ...?" saves the level before New clears it;
// a save that is cancelled or fails stops the New and keeps the level.
TEST_F(UnsavedWorkTest, NewSavesUnsavedWorkOrStops)
{
    enum class Save { chosen, cancelled, fails };
    const struct {
        Save save;
        const char* what;
    } cases[] = {
        {Save::chosen, "a file is chosen"},
        {Save::cancelled, "the Save dialog is cancelled"},
        {Save::fails, "the storage is full"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(documents / "Any1Mn1.fpl");
        sessionDialogs = 0;
        CReplDoc document;
        MakeUnsavedLevel(document);
        const std::string level = FileText(document);
        const int questions = CountBoxes(kSaveQuestion);
        driver.AnswerMessageBox(IDYES);
        if (c.save != Save::cancelled)
            driver.AnswerFileDialog(CString(L"My Documents\\Any1Mn1.fpl"));
        if (c.save == Save::fails)
            SetFileFault([](FileStep step, const CString&) -> DWORD {
                return step == FileStep::write ? ERROR_DISK_FULL : 0;
            });
        document.OnNew();
        SetFileFault(nullptr);
        EXPECT_EQ(CountBoxes(kSaveQuestion), questions + 1);
        if (c.save == Save::chosen) {
            std::string saved;
            ASSERT_TRUE(ReadWholeFile(CString(L"My Documents\\Any1Mn1.fpl"), &saved));
            EXPECT_EQ(saved, level);
            EXPECT_EQ(sessionDialogs, 1) << "the New goes on";
            EXPECT_EQ(document.GetNumOfRooms(), 1) << "a fresh level";
        } else {
            EXPECT_FALSE(std::filesystem::exists(documents / "Any1Mn1.fpl"));
            EXPECT_EQ(sessionDialogs, 0) << "the New stops";
            EXPECT_EQ(FileText(document), level);
            EXPECT_TRUE(document.IsModified());
        }
    }
}

// Once the level is saved there is nothing to ask about.
TEST_F(UnsavedWorkTest, NewAfterASaveDoesNotAsk)
{
    CReplDoc document;
    MakeUnsavedLevel(document);
    driver.AnswerFileDialog(CString(L"My Documents\\Any1Mn1.fpl"));
    document.OnFileSave();
    ASSERT_FALSE(document.IsModified());
    document.OnNew();
    EXPECT_EQ(CountBoxes(kSaveQuestion), 0);
    EXPECT_EQ(sessionDialogs, 1);
}

// Changing level asks before unsaved edits go, as Load does.
TEST_F(UnsavedWorkTest, ChangingLevelAsksBeforeUnsavedEditsGo)
{
    CReplDoc document;
    MakeUnsavedLevel(document);
    driver.AnswerFileDialog(CString(L"My Documents\\Any1Mn1.fpl"));
    ASSERT_TRUE(document.SaveAs(document.GetNextFileName()));
    // Upper is edited and not saved.
    document.m_level = CString(L"Upper");
    document.MakeFileBase();
    document.m_plan.SetModified(true);
    const std::string upper = FileText(document);

    driver.AnswerMessageBox(IDNO);
    document.OnChangeLevel(2200);  // Main
    EXPECT_EQ(CountBoxes(kLossQuestion), 1);
    EXPECT_EQ(document.m_level, CString(L"Upper"));
    EXPECT_EQ(FileText(document), upper);

    driver.AnswerMessageBox(IDYES);
    document.OnChangeLevel(2200);
    EXPECT_EQ(CountBoxes(kLossQuestion), 2);
    EXPECT_EQ(document.m_level, CString(L"Main"));
    EXPECT_FALSE(document.IsModified());
    document.OnChangeLevel(2202);  // Lower has no file: nothing to open, nothing to ask
    EXPECT_EQ(CountBoxes(kLossQuestion), 2);
}

// A level restored from the journal is suggested under its own house,
// street and level.
TEST_F(UnsavedWorkTest, RestoredLevelIsSavedUnderItsOwnName)
{
    LeaveJournal([](CReplDoc& earlier) {
        earlier.m_street = L"Elm Road";
        earlier.m_house = L"12";
        earlier.m_level = L"Upper";
        AddRoom(earlier, "Hall1", 200, 300);
    });
    CReplDoc document;
    RestoreInto(document);
    ASSERT_EQ(document.m_street, CString(L"Elm Road"));
    EXPECT_EQ(document.GetNextFileName(), CString(L"Elm12Ur1"));
    document.OnFileSave();
    ASSERT_FALSE(driver.FileDialogs().empty());
    EXPECT_EQ(driver.FileDialogs().back().suggestion, CString(L"Elm12Ur1"));
}

// A level restored from the journal is in no file yet: New and Exit ask
// before it goes, and New answered No keeps it (and the journal that holds it).
TEST_F(UnsavedWorkTest, RestoredWorkIsAskedForBeforeItGoes)
{
    LeaveJournal([](CReplDoc& earlier) {
        AddRoom(earlier, "Hall1", 200, 300);
        AddRoom(earlier, "Den1", 240, 180);
    });
    CReplDoc document;
    RestoreInto(document);
    ASSERT_EQ(document.GetNumOfRooms(), 2);
    const std::string restored = FileText(document);
    EXPECT_TRUE(document.IsModified());

    driver.AnswerMessageBox(IDNO);
    document.OnExit();
    EXPECT_EQ(CountBoxes(kLossQuestion), 1);

    sessionButton = IDOK;
    sessionDialogs = 0;
    driver.AnswerMessageBox(IDNO);  // not saved...
    driver.AnswerMessageBox(IDNO);  // ...and not let go either
    document.OnNew();
    EXPECT_EQ(CountBoxes(kSaveQuestion), 1);
    EXPECT_EQ(sessionDialogs, 0) << "the New stops";
    EXPECT_EQ(FileText(document), restored);
    EXPECT_TRUE(document.m_journal.HasJournal());
}
