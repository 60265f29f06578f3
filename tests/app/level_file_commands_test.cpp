// Tools > Load and Save in the running program, as a person meets them: the
// loaded level is shown as a plan, the loss question comes only when work
// would be lost, and a file opened from the command line is saved on under
// its own name and number.
#include <filesystem>
#include <string>
#include <vector>

#include "file_cipher.h"
#include "room_floor.h"
#include "shell_test_support.h"

namespace {

constexpr const wchar_t* kLossQuestion = L"Unsaved data may be LOST.\nDo You want to continue?";
constexpr UINT kLoadCommand = 57601;
constexpr UINT kSaveCommand = 57603;
constexpr COLORREF kPlanFill = RGB(255, 255, 0);

}  // namespace

class LevelFileCommandsTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        CFileCipher::EncryptionFlag() = 0;
    }

    // A level of one closed room, edited a little (the journal holds two
    // snapshots of it, as after a person's first changes), then saved by
    // the program under `name`.
    void SaveALevel(const wchar_t* name)
    {
        ASSERT_TRUE(Doc()->InsertShape(0, 0));
        CRoomFloor* room = Doc()->GetCurrentRoom();
        room->ZupFloor::SetName("Hall1");
        Doc()->m_journal.TakeSnapshotNow();
        room->SetSize(240, 300);
        room->SetChangedSinceSnapshot(true);
        ASSERT_TRUE(Doc()->m_journal.TakeSnapshotNow());
        ASSERT_TRUE(Doc()->m_journal.HasSnapshots());
        Doc()->PlaceEntrance(nullptr);
        ASSERT_TRUE(Doc()->CloseRoom());
        driver->Pump();
        driver->AnswerFileDialog(CString(name));
        Frame()->SendMessage(WM_COMMAND, kSaveCommand);
        driver->Pump();
    }
    // Where a file saved into "My Documents" lies on the host; empty when absent.
    std::filesystem::path SavedPath(const wchar_t* file) const
    {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(documents))
            if (entry.path().filename() == file)
                return entry.path();
        return {};
    }
    // The program ended and started again on the same documents folder.
    void Restart(const std::vector<CString>& arguments)
    {
        if (CWnd* main = AfxGetMainWnd())
            main->DestroyWindow();
        app.reset();
        SingleInstance::Release();
        driver.reset();
        driver = std::make_unique<HeadlessDriver>();
        app = std::make_unique<CReplApp>();
        app->m_arguments = arguments;
        ASSERT_TRUE(Start());
    }
    void Load(const wchar_t* name)
    {
        driver->AnswerFileDialog(CString(name));
        Frame()->SendMessage(WM_COMMAND, kLoadCommand);
        driver->Pump();
    }
    int LossQuestions() const
    {
        int count = 0;
        for (const MessageBoxRecord& box : driver->MessageBoxes())
            count += box.text == CString(kLossQuestion) ? 1 : 0;
        return count;
    }
    // The view's pixels in the current room's fill colour of the plan.
    int PlanFillPixels()
    {
        int count = 0;
        for (int y = kCaptionHeight; y < kScreenHeight; ++y)
            for (int x = 0; x < kScreenWidth; ++x)
                count += driver->PixelAt(x, y) == kPlanFill ? 1 : 0;
        return count;
    }
};

// Load after a Save asks nothing (the level is in its file), shows the
// loaded level as a plan, and a second Load of it asks nothing either.
TEST_F(LevelFileCommandsTest, LoadShowsTheLoadedPlanAndAsksNothingWhenNothingWouldBeLost)
{
    ASSERT_TRUE(Start());
    SaveALevel(L"My Documents\\Any1Mn2.fpl");
    EXPECT_EQ(LossQuestions(), 0);
    Load(L"My Documents\\Any1Mn2.fpl");
    EXPECT_EQ(LossQuestions(), 0) << "asked after a Save";
    EXPECT_EQ(Doc()->GetNumOfRooms(), 1);
    EXPECT_FALSE(Doc()->m_roomView) << "the shape palette instead of the loaded plan";
    EXPECT_GT(PlanFillPixels(), 2000) << "no plan shown";
    Load(L"My Documents\\Any1Mn2.fpl");
    EXPECT_EQ(LossQuestions(), 0) << "asked on Load with nothing edited";
    EXPECT_FALSE(Doc()->m_roomView);
}

// An edit after the Save is work to lose: Load asks.
TEST_F(LevelFileCommandsTest, LoadAsksWhenTheLevelChangedAfterItsSave)
{
    ASSERT_TRUE(Start());
    SaveALevel(L"My Documents\\Any1Mn2.fpl");
    // The room changed in the room view and the journal took it; a
    // snapshot marks the room unmodified, so only the journal knows.
    Doc()->m_roomView = true;
    CRoomFloor* room = Doc()->GetCurrentRoom();
    room->SetSize(260, 300);
    room->SetChangedSinceSnapshot(true);
    ASSERT_TRUE(Doc()->m_journal.TakeSnapshotNow());
    ASSERT_FALSE(Doc()->IsModified());
    driver->AnswerFileDialog(std::nullopt);
    Frame()->SendMessage(WM_COMMAND, kLoadCommand);
    driver->Pump();
    EXPECT_EQ(LossQuestions(), 1);
}

// Opened from the command line, the file's own base and number lead the
// next name Save suggests.
TEST_F(LevelFileCommandsTest, SaveAfterOpeningFromTheCommandLineSuggestsTheFilesOwnNextName)
{
    ASSERT_TRUE(Start());
    SaveALevel(L"My Documents\\Oak7Mn4.fpl");
    const std::filesystem::path saved = SavedPath(L"Oak7Mn4.fpl");
    ASSERT_FALSE(saved.empty());
    Restart({CString(saved.wstring().c_str())});
    ASSERT_EQ(Doc()->GetNumOfRooms(), 1);
    EXPECT_FALSE(Doc()->m_roomView);
    driver->AnswerFileDialog(std::nullopt);
    Frame()->SendMessage(WM_COMMAND, kSaveCommand);
    driver->Pump();
    ASSERT_FALSE(driver->FileDialogs().empty());
    EXPECT_EQ(driver->FileDialogs().back().suggestion.ToNarrow(), "Oak7Mn5");
}
