// Saving under failure: a save that cannot finish (full or size-limited
// storage, a device failing after the bytes were written, a killed process)
// leaves the old file and its backup byte for byte as they were, and the
// document still modified.
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "c_file.h"
#include "file_cipher.h"
#include "file_system.h"
#include "floor_plan_test_support.h"
#include "level_files.h"

namespace {

std::string ReadBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The names in a folder.
std::set<std::string> Listing(const std::filesystem::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

class SaveFailureTest : public FloorPlanTest {
protected:
    void SetUp() override
    {
        FloorPlanTest::SetUp();
        card = documents / "card";
        std::filesystem::create_directories(card / "Backup");
        PlatformPaths::SetCardRoot(card.string());
    }
    void TearDown() override
    {
        SetFileFault(nullptr);
        FloorPlanTest::TearDown();
    }

    // A house of real rooms (walls of 120 to 400 inches).
    static void MakeLevel(CReplDoc& document, int rooms)
    {
        document.m_street = CString("Anystreet");
        document.m_house = CString("1");
        document.m_level = CString("Main");
        document.MakeFileBase();
        for (int i = 0; i < rooms; ++i) {
            const std::string name = "Bedroom" + std::to_string(i + 1);
            AddRoom(document, name.c_str(), 120 + 40 * (i % 8), 400 - 30 * (i % 8));
        }
    }

    std::filesystem::path card;
    const CString path = CString(L"My Documents\\Any1Mn1.fpl");
};

}  // namespace

// Every way a save can fail before the new file is whole in place: the old
// file and its backup keep their bytes, the document stays modified, the
// failure is reported and no temporary file is left behind.
TEST_F(SaveFailureTest, FailedSaveKeepsTheOldFileAndItsBackup)
{
    enum class Fault { diskFull, deviceFailsOnSync, renameRefused, fileSizeLimit };
    const struct {
        Fault fault;
        const char* what;
    } cases[] = {
        {Fault::diskFull, "the storage is full"},
        {Fault::deviceFailsOnSync, "the device fails after the bytes were written"},
        {Fault::renameRefused, "the rename over the old file fails"},
        {Fault::fileSizeLimit, "the process may not write files that large"},
    };
    for (const BYTE encrypted : {0, 1}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.what) + (encrypted ? ", encrypted" : ", plain"));
            std::filesystem::remove(documents / "Any1Mn1.fpl");
            std::filesystem::remove(card / "Backup" / "Any1Mn1.fpl");
            CFileCipher::EncryptionFlag() = encrypted;
            HeadlessDriver driver;
            VisibleMainWindow window;
            CReplDoc document;
            MakeLevel(document, 1);
            ASSERT_TRUE(document.SaveToFile(path));
            const std::string oldFile = ReadBytes(documents / "Any1Mn1.fpl");
            const std::string oldBackup = ReadBytes(card / "Backup" / "Any1Mn1.fpl");
            ASSERT_EQ(oldBackup, oldFile);
            const auto before = Listing(documents);

            // More rooms: the new file is larger than the old one.
            MakeLevel(document, 4);
            document.m_plan.SetModified(true);
            if (c.fault == Fault::fileSizeLimit) {
                // The limit applies to the whole process: only a child takes it.
                const pid_t child = fork();
                ASSERT_GE(child, 0);
                if (child == 0) {
                    signal(SIGXFSZ, SIG_IGN);
                    const rlimit limit{oldFile.size() + 16, oldFile.size() + 16};
                    setrlimit(RLIMIT_FSIZE, &limit);
                    const bool saved = document.SaveToFile(path);
                    _exit(!saved && document.IsModified() ? 0 : 1);
                }
                int status = 0;
                ASSERT_EQ(waitpid(child, &status, 0), child);
                ASSERT_TRUE(WIFEXITED(status));
                EXPECT_EQ(WEXITSTATUS(status), 0) << "the save reported failure, document modified";
            } else {
                const FileStep failing = c.fault == Fault::diskFull            ? FileStep::write
                                         : c.fault == Fault::deviceFailsOnSync ? FileStep::sync
                                                                               : FileStep::rename;
                const DWORD error = c.fault == Fault::diskFull ? ERROR_DISK_FULL : ERROR_WRITE_FAULT;
                SetFileFault([&](FileStep step, const CString&) -> DWORD {
                    return step == failing ? error : 0;
                });
                EXPECT_FALSE(document.SaveToFile(path));
                SetFileFault(nullptr);
                EXPECT_TRUE(document.IsModified());
                ASSERT_EQ(driver.MessageBoxes().size(), 1u);
                EXPECT_EQ(driver.MessageBoxes()[0].text.Find(L"Can not save to My Documents\\Any1Mn1.fpl. "), 0)
                    << driver.MessageBoxes()[0].text.ToNarrow();
            }
            EXPECT_EQ(ReadBytes(documents / "Any1Mn1.fpl"), oldFile);
            EXPECT_EQ(ReadBytes(card / "Backup" / "Any1Mn1.fpl"), oldBackup);
            EXPECT_EQ(Listing(documents), before);
        }
    }
}

// A failed save is no save: the Save command answers false and neither the
// counter nor the Levels menu records the file.
TEST_F(SaveFailureTest, FailedSaveAsRecordsNothing)
{
    CFileCipher::EncryptionFlag() = 0;
    HeadlessDriver driver;
    CReplDoc document;
    MakeLevel(document, 1);
    SetFileFault([](FileStep step, const CString&) -> DWORD {
        return step == FileStep::write ? ERROR_DISK_FULL : 0;
    });
    driver.AnswerFileDialog(CString(L"My Documents\\Any1Mn4.fpl"));
    EXPECT_FALSE(document.SaveAs(document.GetNextFileName()));
    EXPECT_EQ(document.m_fileNumber, 0);
    EXPECT_TRUE(LevelFileMap().empty());
    EXPECT_FALSE(std::filesystem::exists(documents / "Any1Mn4.fpl"));
}

// A process killed at any moment of a save leaves the file and its backup
// each whole: the old bytes or the new ones, never a part or nothing.
TEST_F(SaveFailureTest, KilledSaveLeavesAWholeFile)
{
    CFileCipher::EncryptionFlag() = 0;
    std::vector<std::string> versions;
    for (const int rooms : {6, 9}) {
        CReplDoc level;
        MakeLevel(level, rooms);
        std::string text;
        level.BuildFileText(text);
        versions.push_back(text);
    }
    std::mt19937 random(41);
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE("kill " + std::to_string(round));
        std::filesystem::remove(documents / "Any1Mn1.fpl");
        std::filesystem::remove(card / "Backup" / "Any1Mn1.fpl");
        int ready[2];
        ASSERT_EQ(pipe(ready), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(ready[0]);
            CReplDoc small, large;
            MakeLevel(small, 6);
            MakeLevel(large, 9);
            small.SaveToFile(path);
            const char go = 1;
            if (write(ready[1], &go, 1) != 1)
                _exit(2);
            for (int i = 0;; ++i)
                (i % 2 ? small : large).SaveToFile(path);
        }
        close(ready[1]);
        char go = 0;
        ASSERT_EQ(read(ready[0], &go, 1), 1);
        close(ready[0]);
        usleep(std::uniform_int_distribution<int>(0, 20000)(random));
        kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        const std::string file = ReadBytes(documents / "Any1Mn1.fpl");
        const std::string backup = ReadBytes(card / "Backup" / "Any1Mn1.fpl");
        EXPECT_TRUE(file == versions[0] || file == versions[1]) << file.size() << " bytes";
        EXPECT_TRUE(backup == versions[0] || backup == versions[1]) << backup.size() << " bytes";
    }
}
