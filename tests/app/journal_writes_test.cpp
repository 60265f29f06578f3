// The journal's files reach the storage before they take a file's place,
// and their folder entries after: a power loss never leaves an empty or
// partial snapshot. A write that fails leaves the file it was to replace.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include "c_file.h"
#include "document_lock.h"
#include "room_floor.h"
#include "room_steps.h"
#include "shell_test_support.h"
#include "snapshot_journal.h"

namespace {

// Long enough that the worker never takes a turn of its own in a test.
constexpr DWORD kQuietPeriodMs = 3600 * 1000;

std::string ReadBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct Step {
    FileStep step;
    std::string path;
    bool operator==(const Step&) const = default;
};

void PrintTo(const Step& step, std::ostream* out)
{
    static const char* const names[] = {"write", "sync", "rename", "syncFolder"};
    *out << names[static_cast<int>(step.step)] << ' ' << step.path;
}

class JournalWritesTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        ASSERT_TRUE(Start());
        journal().Stop();
        journal().SetPeriod(kQuietPeriodMs);
        ASSERT_TRUE(journal().Start());
        room_steps::PlaceShape(*Doc(), *driver, "");
        room = Doc()->GetCurrentRoom();
        tag = room->GetTagName(false);
        ASSERT_FALSE(tag.empty());
    }
    void TearDown() override
    {
        SetFileFault(nullptr);
        ShellTest::TearDown();
    }

    CSnapshotJournal& journal() { return Doc()->m_journal; }
    std::filesystem::path Folder() const { return documents / "journal"; }
    // The room changed as an edit changes it.
    void MoveRoom(double dx)
    {
        DocumentLock lock(Doc()->m_lock);
        room->Move(dx, 0.0);
        room->SetModified(true);
    }
    // The steps of every file operation in the journal's folder.
    void RecordSteps()
    {
        SetFileFault([this](FileStep step, const CString& path) -> DWORD {
            const std::string narrow = path.ToNarrow();
            if (narrow.find("journal") != std::string::npos)
                steps.push_back({step, narrow});
            return 0;
        });
    }

    CRoomFloor* room = nullptr;
    std::string tag;
    std::vector<Step> steps;
};

}  // namespace

// Each file is synced in the side folder, renamed into place, and the
// journal's folder synced after the rename; the header last.
TEST_F(JournalWritesTest, EveryFileReachesTheStorageBeforeAndAfterItsRename)
{
    const std::string folder = "My Documents\\journal\\";
    const std::string writing = folder + "being written\\";
    RecordSteps();
    ASSERT_TRUE(journal().WriteAll());
    const std::vector<Step> expected = {
        {FileStep::write, writing + tag},     {FileStep::sync, writing + tag},
        {FileStep::rename, folder + tag},     {FileStep::syncFolder, folder},
        {FileStep::write, writing + "header"}, {FileStep::sync, writing + "header"},
        {FileStep::rename, folder + "header"}, {FileStep::syncFolder, folder},
    };
    EXPECT_EQ(steps, expected);

    for (const bool byWorker : {true, false}) {
        SCOPED_TRACE(byWorker ? "the worker's turn" : "leaving the room");
        steps.clear();
        MoveRoom(12.0);
        if (byWorker)
            ASSERT_TRUE(journal().TakeTurn());
        else
            journal().Write();
        const std::vector<Step> room = {
            {FileStep::write, writing + tag},
            {FileStep::sync, writing + tag},
            {FileStep::rename, folder + tag},
            {FileStep::syncFolder, folder},
        };
        EXPECT_EQ(steps, room);
    }
}

// A write that fails (a full storage, a device failing on sync, a refused
// rename) is reported and leaves the room's good snapshot in place; a folder
// that cannot be synced after the rename is reported too.
TEST_F(JournalWritesTest, AFailedWriteKeepsTheGoodSnapshotAndIsReported)
{
    const struct {
        FileStep failing;
        DWORD error;
        const char* what;
        bool replaced;
    } cases[] = {
        {FileStep::write, ERROR_DISK_FULL, "the storage is full", false},
        {FileStep::sync, ERROR_WRITE_FAULT, "the device fails on sync", false},
        {FileStep::rename, ERROR_ACCESS_DENIED, "the rename is refused", false},
        {FileStep::syncFolder, ERROR_WRITE_FAULT, "the folder fails on sync", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(journal().WriteAll());
        const std::string good = ReadBytes(Folder() / tag);
        ASSERT_FALSE(good.empty());
        MoveRoom(25.0);
        std::string changed;
        room->Save(changed, false);
        ASSERT_NE(changed, good);
        SetFileFault([&c](FileStep step, const CString&) -> DWORD { return step == c.failing ? c.error : 0; });
        EXPECT_FALSE(journal().WriteAll(false)) << "reported";
        SetFileFault(nullptr);
        EXPECT_EQ(ReadBytes(Folder() / tag), c.replaced ? changed : good);
        EXPECT_TRUE(std::filesystem::is_empty(Folder() / "being written")) << "no half-written file left";
        // The storage back, the next write goes through.
        ASSERT_TRUE(journal().WriteAll(false));
        EXPECT_EQ(ReadBytes(Folder() / tag), changed);
    }
}

// Going to the plan journals the whole level; a file that already holds the
// text is not written again (nor synced), so a switch costs only what changed.
TEST_F(JournalWritesTest, AFileThatHoldsTheTextIsNotWrittenAgain)
{
    ASSERT_TRUE(journal().WriteAll());
    RecordSteps();
    ASSERT_TRUE(journal().WriteAll(false));
    EXPECT_TRUE(steps.empty()) << "nothing changed";
    MoveRoom(40.0);
    ASSERT_TRUE(journal().WriteAll(false));
    ASSERT_FALSE(steps.empty());
    for (const Step& step : steps)
        EXPECT_EQ(step.path.find("header"), std::string::npos) << "the header is as it was";
    std::string text;
    room->Save(text, false);
    EXPECT_EQ(ReadBytes(Folder() / tag), text);
    // An emptied folder is written whole again.
    steps.clear();
    ASSERT_TRUE(journal().WriteAll());
    EXPECT_EQ(ReadBytes(Folder() / tag), text);
    EXPECT_FALSE(ReadBytes(Folder() / "header").empty());
}
