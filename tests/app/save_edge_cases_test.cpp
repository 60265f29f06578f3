// Saving at the edges: a level whose room was never drawn, the temporary
// file a killed save left, a suggested name from an address with a slash,
// and a file larger than the storage takes.
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "file_cipher.h"
#include "floor_plan_test_support.h"
#include "level_files.h"

namespace {

void WriteBytes(const std::filesystem::path& path, const std::string& bytes)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

void MakeHeader(CReplDoc& document)
{
    document.m_street = CString("Anystreet");
    document.m_house = CString("1");
    document.m_level = CString("Main");
    document.MakeFileBase();
}

}  // namespace

using SaveEdgeCasesTest = FloorPlanTest;

// A room that was never drawn cannot be read back: the file leaves it out,
// and a level with nothing drawn is not saved at all (as a level without
// rooms), so every saved file opens.
TEST_F(SaveEdgeCasesTest, RoomsNeverDrawnStayOutOfTheFile)
{
    CFileCipher::EncryptionFlag() = 0;
    {
        HeadlessDriver driver;
        CReplDoc document;
        ASSERT_TRUE(document.OnNewDocument());
        document.ResetLevel();
        ASSERT_EQ(document.GetNumOfRooms(), 1);
        driver.AnswerFileDialog(CString(L"My Documents\\Undrawn1.fpl"));
        EXPECT_FALSE(document.SaveAs(document.GetNextFileName()));
        EXPECT_FALSE(std::filesystem::exists(documents / "Undrawn1.fpl"));
    }
    HeadlessDriver driver;
    VisibleMainWindow window;
    CReplDoc document;
    MakeHeader(document);
    AddRoom(document, "Hall1");
    document.NewRoom();
    ASSERT_EQ(document.GetNumOfRooms(), 2);
    driver.AnswerFileDialog(CString(L"My Documents\\Drawn1.fpl"));
    ASSERT_TRUE(document.SaveAs(document.GetNextFileName()));
    CReplDoc reader;
    ASSERT_TRUE(reader.OnOpenDocument(L"My Documents\\Drawn1.fpl"));
    ASSERT_EQ(reader.GetNumOfRooms(), 1);
    EXPECT_EQ(RoomName(reader, 0), "Hall1");
    EXPECT_TRUE(driver.MessageBoxes().empty()) << driver.MessageBoxes()[0].text.ToNarrow();
}

// The temporary file of a save killed before its rename is removed by the
// next save into that folder and when the program starts; other files that
// merely look alike stay.
TEST_F(SaveEdgeCasesTest, TemporaryFileOfAKilledSaveIsCleanedUp)
{
    CFileCipher::EncryptionFlag() = 0;
    const auto leftover = documents / "Any1Mn1.fpl.saving";
    const auto notOurs = documents / "notes.saving";
    const auto kept = documents / "Any1Mn1.fpl";
    WriteBytes(kept, "the user's file");
    WriteBytes(notOurs, "someone else's");
    {
        WriteBytes(leftover, "half a file");
        CReplDoc document;
        MakeHeader(document);
        AddRoom(document, "Hall1");
        ASSERT_TRUE(document.SaveToFile(CString(L"My Documents\\Any1Mn2.fpl")));
        EXPECT_FALSE(std::filesystem::exists(leftover));
    }
    {
        WriteBytes(leftover, "half a file");
        CReplDoc document;
        ASSERT_TRUE(document.OnNewDocument());
        EXPECT_FALSE(std::filesystem::exists(leftover));
    }
    EXPECT_TRUE(std::filesystem::exists(notOurs));
    EXPECT_TRUE(std::filesystem::exists(kept));
    EXPECT_TRUE(std::filesystem::exists(documents / "Any1Mn2.fpl"));
}

// The suggested file name never holds a character a file name cannot: a
// slash typed in the house number would make it a folder.
TEST_F(SaveEdgeCasesTest, SuggestedNameHoldsNoFolderSeparator)
{
    const struct {
        const char* house;
        const char* unit;
        const char* base;
    } cases[] = {
        {"12/3", "", "Any12_3Mn"},  {"12\\3", "", "Any12_3Mn"}, {"5", "A/B", "Any5A_BMn"},
        {"7:*?", "\"<>|", "Any7_______Mn"}, {"12 B", "", "Any12BMn"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.house);
        CReplDoc document;
        document.m_street = CString("Anystreet");
        document.m_house = CString(c.house);
        document.m_unit = CString(c.unit);
        document.m_level = CString("Main");
        document.MakeFileBase();
        EXPECT_EQ(document.m_fileBase, CString(c.base)) << document.m_fileBase.ToNarrow();
    }
}

// A file larger than the storage lets a file be is reported as too large,
// not as a file that may not be accessed.
TEST_F(SaveEdgeCasesTest, FileTooLargeForTheStorageIsReportedAsSuch)
{
    CFileCipher::EncryptionFlag() = 0;
    HeadlessDriver driver;
    VisibleMainWindow window;
    CReplDoc document;
    MakeHeader(document);
    AddRoom(document, "Hall1");
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{64, 64};
        setrlimit(RLIMIT_FSIZE, &limit);
        const bool saved = document.SaveToFile(CString(L"My Documents\\Any1Mn1.fpl"));
        if (saved || driver.MessageBoxes().size() != 1)
            _exit(1);
        const CString& text = driver.MessageBoxes()[0].text;
        _exit(text.Find(L"too large") >= 0 && text.Find(L"may not be accessed") < 0 ? 0 : 2);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: no single message; 2: the message misnames the fault";
}
