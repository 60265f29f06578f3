#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app_test_support.h"
#include "distances.h"
#include "document_lock.h"
#include "exchange_file.h"
#include "headless_driver.h"
#include "shell_test_support.h"
#include "kor_node.h"
#include "messages.h"
#include "new_room_dlg.h"
#include "c_list_box.h"
#include "c_property_sheet.h"
#include "object_sheet_templates.h"
#include "zup_edge.h"
#include "repl_doc.h"
#include "room_floor.h"
#include "room_mode.h"
#include "snapshot_journal.h"
#include "xml_element.h"

namespace {

// Long enough that the worker never takes a turn of its own in a test.
constexpr DWORD kQuietPeriodMs = 3600 * 1000;

std::string ReadText(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void WriteText(const std::filesystem::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

bool DrawFirstShape(CRoomFloor& room)
{
    ExchangeTables& tables = GetExchangeTables();
    if (tables.shapes.empty() || tables.shapes[0].empty())
        return false;
    CXMLElement* shape = tables.shapes[0][0];
    const char* body = shape->GetAttribute("body");
    const char* name = shape->GetAttribute("name");
    if (!body || !name || !room.LoadShape(body, &tables.chains[0], true, true))
        return false;
    room.SetShapeName(name);
    return true;
}

class SnapshotJournalTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        ASSERT_TRUE(InstallDefaultExchangeFile());
        document = std::make_unique<CReplDoc>();
        ASSERT_TRUE(document->OnNewDocument());
        document->ResetLevel();
        room = document->GetCurrentRoom();
        ASSERT_NE(room, nullptr);
        ASSERT_TRUE(DrawFirstShape(*room));
        room->ZupFloor::SetName("Hall1");
        journal().SetPeriod(kQuietPeriodMs);
    }
    void TearDown() override
    {
        document.reset();
        AppTest::TearDown();
    }

    CSnapshotJournal& journal() { return document->m_journal; }
    std::filesystem::path JournalFile(const char* name) const { return documents / "journal" / name; }

    // One turn of the worker over the room at the given width.
    void Snapshot(int width)
    {
        room->SetSize(width, 100);
        room->SetModified(true);
        ASSERT_TRUE(journal().TakeTurn());
    }
    static std::string SizeLine(int width) { return "Size=Size(" + std::to_string(width) + ",100)"; }

    std::unique_ptr<CReplDoc> document;
    CRoomFloor* room = nullptr;
};

}  // namespace

TEST_F(SnapshotJournalTest, TheDocumentPutsTheFolderIntoMyDocuments)
{
    EXPECT_EQ(CSnapshotJournal::GetDirectory(), CString(L"My Documents\\journal\\"));
    EXPECT_TRUE(std::filesystem::is_directory(documents / "journal"));
}

TEST_F(SnapshotJournalTest, AFileInTheFoldersPlaceDisablesTheJournal)
{
    std::filesystem::remove_all(documents / "journal");
    WriteText(documents / "journal", "not a folder");
    CSnapshotJournal::SetDirectory(CString(L"My Documents\\"));
    EXPECT_TRUE(CSnapshotJournal::GetDirectory().IsEmpty());
    EXPECT_FALSE(journal().Start());
    EXPECT_FALSE(journal().IsRunning());
}

TEST_F(SnapshotJournalTest, StartAndStopWithoutWaitingForAPeriod)
{
    ASSERT_TRUE(journal().Start());
    EXPECT_TRUE(journal().IsRunning());
    EXPECT_FALSE(journal().Start()) << "already running";
    journal().Stop();
    EXPECT_FALSE(journal().IsRunning());
    ASSERT_TRUE(journal().Start()) << "a stopped journal starts again";
}

TEST_F(SnapshotJournalTest, ElevenSnapshotsKeepTheLastTenAtPositionNine)
{
    ASSERT_TRUE(journal().Start());
    for (int width = 1; width <= 11; ++width)
        Snapshot(width);
    EXPECT_EQ(journal().GetSnapshotCount(), 10);
    EXPECT_EQ(journal().GetPosition(), 9);
    EXPECT_NE(journal().GetSnapshot(0).find(SizeLine(2)), std::string::npos) << "the oldest went";
    EXPECT_NE(journal().GetSnapshot(9).find(SizeLine(11)), std::string::npos);
    EXPECT_FALSE(room->IsModified());
}

TEST_F(SnapshotJournalTest, AnUnchangedRoomOrThePlanTakesNoSnapshot)
{
    ASSERT_TRUE(journal().Start());
    ASSERT_TRUE(journal().TakeTurn()) << "the room as drawn";
    EXPECT_FALSE(journal().TakeTurn()) << "nothing changed since";
    room->SetModified(true);
    document->m_roomView = false;
    EXPECT_FALSE(journal().TakeTurn());
    EXPECT_EQ(journal().GetSnapshotCount(), 1);
}

TEST_F(SnapshotJournalTest, ATurnIsSkippedWhileTheLockIsTaken)
{
    ASSERT_TRUE(journal().Start());
    room->SetModified(true);
    bool taken = true;
    document->m_lock.Lock();
    std::thread worker([&] { taken = journal().TakeTurn(); });
    worker.join();
    document->m_lock.Unlock();
    EXPECT_FALSE(taken);
    EXPECT_TRUE(room->IsModified());
    EXPECT_EQ(journal().GetSnapshotCount(), 0);
}

// Every snapshot goes to the room's file at once, so a crash loses nothing
// the worker took (it was written only at every second snapshot).
TEST_F(SnapshotJournalTest, EverySnapshotRewritesTheRoomFile)
{
    ASSERT_TRUE(journal().Start());
    for (int width = 1; width <= 3; ++width) {
        Snapshot(width);
        const std::string text = ReadText(JournalFile("Hall1"));
        EXPECT_NE(text.find(SizeLine(width)), std::string::npos) << width;
        EXPECT_EQ(text.find(SizeLine(width - 1)), std::string::npos) << "the newest snapshot only";
    }
}

// A room is journalled as it stands when the person leaves it, with the
// edits made since the worker's last turn (the file had the last snapshot).
TEST_F(SnapshotJournalTest, LeavingARoomJournalsItAsItStands)
{
    const struct {
        const char* how;
        void (*leave)(CReplDoc&);
    } ways[] = {
        {"for the plan", [](CReplDoc& d) { d.OnViewChange(); }},
        {"for a new room", [](CReplDoc& d) { d.NewRoom(); }},
    };
    ASSERT_TRUE(journal().Start());
    int width = 100;
    for (const auto& way : ways) {
        SCOPED_TRACE(way.how);
        document->SetCurrentRoom(room);
        document->m_roomView = true;
        Snapshot(++width);
        room->SetSize(++width, 100);
        room->SetModified(true);
        way.leave(*document);
        EXPECT_NE(ReadText(JournalFile("Hall1")).find(SizeLine(width)), std::string::npos);
    }
    document->SetCurrentRoom(room);
    EXPECT_NE(journal().GetSnapshot(journal().GetPosition()).find(SizeLine(width)), std::string::npos)
        << "back in the room, the ring holds it as it was left";
    EXPECT_EQ(journal().GetSnapshotCount(), 1);
}

// What undo or redo shows is what the journal keeps.
TEST_F(SnapshotJournalTest, AnUndoneEditStaysUndoneInTheRoomsFile)
{
    ASSERT_TRUE(journal().Start());
    for (int width = 1; width <= 3; ++width)
        Snapshot(width);
    ASSERT_TRUE(journal().Undo());
    EXPECT_NE(ReadText(JournalFile("Hall1")).find(SizeLine(2)), std::string::npos);
    ASSERT_TRUE(journal().Redo());
    EXPECT_NE(ReadText(JournalFile("Hall1")).find(SizeLine(3)), std::string::npos);
}

TEST_F(SnapshotJournalTest, UndoAndRedoReplayTheNeighbouringSnapshots)
{
    ASSERT_TRUE(journal().Start());
    for (int width = 1; width <= 3; ++width)
        Snapshot(width);
    ASSERT_TRUE(journal().Undo());
    EXPECT_EQ(journal().GetPosition(), 1);
    EXPECT_EQ(room->GetWidth(), 2);
    EXPECT_FALSE(room->IsModified());
    ASSERT_TRUE(journal().Redo());
    EXPECT_EQ(journal().GetPosition(), 2);
    EXPECT_EQ(room->GetWidth(), 3);
    EXPECT_FALSE(journal().Redo()) << "nothing ahead";
    EXPECT_EQ(journal().GetPosition(), 2);
}

TEST_F(SnapshotJournalTest, UndoIsRefusedAtTheOldestSnapshotAndInThePlan)
{
    ASSERT_TRUE(journal().Start());
    Snapshot(1);
    room->SetSize(7, 100);
    EXPECT_FALSE(journal().Undo()) << "position 0";
    EXPECT_EQ(room->GetWidth(), 7);
    Snapshot(2);
    document->m_roomView = false;
    EXPECT_FALSE(journal().Undo());
    EXPECT_EQ(journal().GetPosition(), 1);
    EXPECT_EQ(room->GetWidth(), 2);
}

TEST_F(SnapshotJournalTest, AnEditAfterUndoingContinuesFromTheUndoneSnapshot)
{
    ASSERT_TRUE(journal().Start());
    for (int width = 1; width <= 5; ++width)
        Snapshot(width);
    ASSERT_TRUE(journal().Undo());
    ASSERT_TRUE(journal().Undo());
    ASSERT_EQ(journal().GetPosition(), 2);
    Snapshot(9);
    EXPECT_EQ(journal().GetPosition(), 3) << "one up from where the undos left it";
    EXPECT_FALSE(journal().Redo()) << "the undone snapshots are no longer ahead";
    ASSERT_TRUE(journal().Undo());
    EXPECT_EQ(room->GetWidth(), 3) << "back to the state before the edit";
}

TEST_F(SnapshotJournalTest, AFailedReplayLeavesTheRoomAsItWas)
{
    ASSERT_TRUE(journal().Start());
    const std::string shape = room->GetShapeName();
    Snapshot(1);
    room->SetShapeName("NoSuchShape");
    Snapshot(2);
    room->SetShapeName(shape);
    Snapshot(3);
    const int nodes = room->GetNumOfNodes();
    EXPECT_FALSE(journal().Undo()) << "the snapshot's shape is unknown";
    EXPECT_EQ(journal().GetPosition(), 2);
    EXPECT_EQ(room->GetWidth(), 3);
    EXPECT_EQ(room->GetShapeName(), shape);
    EXPECT_EQ(room->GetNumOfNodes(), nodes);
}

// A replay that fails changed nothing: a plan edit not yet in any file is
// still work to lose after it.
TEST_F(SnapshotJournalTest, AFailedReplayKeepsTheModifiedMarks)
{
    ASSERT_TRUE(journal().Start());
    const std::string shape = room->GetShapeName();
    Snapshot(1);
    room->SetShapeName("NoSuchShape");
    Snapshot(2);
    room->SetShapeName(shape);
    Snapshot(3);
    document->MarkLevelInFile();
    document->m_plan.SetModified(true);
    ASSERT_TRUE(document->HasWorkToLose());
    EXPECT_FALSE(journal().Undo()) << "the snapshot's shape is unknown";
    EXPECT_TRUE(document->m_plan.IsModified());
    EXPECT_TRUE(document->HasWorkToLose());
}

TEST_F(SnapshotJournalTest, SwitchingRoomsKeepsEachRoomsOwnSnapshots)
{
    ASSERT_TRUE(journal().Start());
    Snapshot(1);
    CRoomFloor* hall = room;
    document->NewRoom();
    CRoomFloor* other = document->GetCurrentRoom();
    ASSERT_NE(other, hall);
    EXPECT_NE(ReadText(JournalFile("Hall1")).find(SizeLine(1)), std::string::npos)
        << "the old room's file got its newest snapshot";
    EXPECT_EQ(journal().GetSnapshotCount(), 0) << "the new room has no file";
    EXPECT_EQ(journal().GetPosition(), -1);
    EXPECT_FALSE(journal().Undo());
    document->SetCurrentRoom(hall);
    EXPECT_EQ(journal().GetSnapshotCount(), 1);
    EXPECT_EQ(journal().GetPosition(), 0);
}

TEST_F(SnapshotJournalTest, ARoomFileOfSeveralSnapshotsIsSplitAtTheSeparator)
{
    ASSERT_TRUE(journal().Start());
    CRoomFloor* hall = room;
    document->NewRoom();
    WriteText(JournalFile("Hall1"), "first#second##third#");
    document->SetCurrentRoom(hall);
    ASSERT_EQ(journal().GetSnapshotCount(), 3);
    EXPECT_EQ(journal().GetSnapshot(0), "first");
    EXPECT_EQ(journal().GetSnapshot(2), "third");
    EXPECT_EQ(journal().GetPosition(), 2);
}

TEST_F(SnapshotJournalTest, TwoSnapshotsAreWorkToLose)
{
    HeadlessDriver driver;
    ASSERT_TRUE(journal().Start());
    Snapshot(1);
    EXPECT_FALSE(journal().HasSnapshots());
    EXPECT_FALSE(document->ConfirmLoss());
    Snapshot(2);
    EXPECT_TRUE(journal().HasSnapshots());
    driver.AnswerMessageBox(IDNO);
    EXPECT_TRUE(document->ConfirmLoss());
    ASSERT_EQ(driver.MessageBoxes().size(), 1u);
    EXPECT_EQ(driver.MessageBoxes()[0].text,
              CString(L"Unsaved data may be LOST.\nDo You want to continue?"));
}

TEST_F(SnapshotJournalTest, AHeaderAloneIsNoJournal)
{
    const auto folder = documents / "journal";
    EXPECT_FALSE(journal().HasJournal());
    WriteText(folder / "header", "<QUENDAR_FPL path=\"\">");
    EXPECT_FALSE(journal().HasJournal());
    std::filesystem::create_directory(folder / "sub");
    EXPECT_FALSE(journal().HasJournal()) << "folders do not count";
    WriteText(folder / "Hall1", "N1=Node(0,0)\n");
    EXPECT_TRUE(journal().HasJournal());
}

TEST_F(SnapshotJournalTest, ClearingTheFolderKeepsItsFolders)
{
    const auto folder = documents / "journal";
    std::filesystem::create_directory(folder / "sub");
    WriteText(folder / "header", "x");
    WriteText(folder / "sub" / "Hall1", "y");
    journal().ClearFolder();
    EXPECT_TRUE(std::filesystem::is_directory(folder / "sub"));
    EXPECT_TRUE(std::filesystem::is_empty(folder / "sub"));
    EXPECT_FALSE(std::filesystem::exists(folder / "header"));
}

TEST_F(SnapshotJournalTest, WriteAllMirrorsTheLevelAndRecoverRebuildsIt)
{
    document->m_street = L"Elmstreet";
    ASSERT_TRUE(journal().Start());
    ASSERT_TRUE(journal().WriteAll());
    EXPECT_TRUE(journal().HasJournal());
    const std::string header = ReadText(JournalFile("header"));
    EXPECT_EQ(header.rfind("\n<QUENDAR_FPL ", 0), 0u);
    EXPECT_NE(header.find("street=\"Elmstreet\""), std::string::npos);
    std::string text;
    room->Save(text, false);
    EXPECT_EQ(ReadText(JournalFile("Hall1")), text);

    CReplDoc other;
    ASSERT_TRUE(other.OnNewDocument());
    ASSERT_TRUE(other.m_journal.Recover());
    EXPECT_EQ(other.m_street, CString(L"Elmstreet"));
    ASSERT_EQ(other.GetNumOfRooms(), 1);
    EXPECT_STREQ(other.GetRoom(0)->GetName(), "Hall1");
    EXPECT_EQ(other.GetRoom(0)->GetNumOfNodes(), room->GetNumOfNodes());
}

TEST_F(SnapshotJournalTest, RecoverWithoutHeaderLeavesTheLevel)
{
    EXPECT_FALSE(journal().Recover());
    EXPECT_EQ(document->GetNumOfRooms(), 1);
}

// A journal that rebuilds no room is refused whole: the level, its header
// included, stays as it was.
TEST_F(SnapshotJournalTest, RecoverWithoutALoadableRoomKeepsTheLevel)
{
    document->m_street = L"Elmstreet";
    ASSERT_TRUE(journal().Start());
    ASSERT_TRUE(journal().WriteAll());
    journal().Stop();
    std::filesystem::remove(JournalFile("Hall1"));
    EXPECT_FALSE(journal().HasJournal());
    document->m_street = L"Oakstreet";
    std::string text;
    room->Save(text, false);
    ASSERT_GT(room->GetNumOfNodes(), 0);
    for (const char* body : {"", "N1=Segment(N7)\n"}) {
        SCOPED_TRACE(body);
        if (*body)
            WriteText(JournalFile("Hall1"), body);
        EXPECT_FALSE(journal().Recover());
        EXPECT_EQ(document->m_street, CString(L"Oakstreet"));
        ASSERT_EQ(document->GetNumOfRooms(), 1);
        EXPECT_EQ(document->GetCurrentRoom(), room);
        std::string after;
        room->Save(after, false);
        EXPECT_EQ(after, text);
    }
}

TEST_F(SnapshotJournalTest, RecoverLeavesOutFilesThatWouldBreakTheLevelText)
{
    ASSERT_TRUE(journal().Start());
    ASSERT_TRUE(journal().WriteAll());
    WriteText(JournalFile("notes"), "a \"quoted\" text");
    WriteText(JournalFile("a=b"), "N1=Node(0,0)\n");
    CReplDoc other;
    ASSERT_TRUE(other.OnNewDocument());
    ASSERT_TRUE(other.m_journal.Recover());
    ASSERT_EQ(other.GetNumOfRooms(), 1);
    EXPECT_STREQ(other.GetRoom(0)->GetName(), "Hall1");
}

// Journal folders left by a stopped program, damaged: each input is the
// header's text, a NUL, then a room file's name and text, each ended by a
// NUL. The level is restored and every room's snapshots undone and redone
// as the user would; the sanitizer build shows any fault.
class DamagedJournalTest : public SnapshotJournalTest,
                           public ::testing::WithParamInterface<const char*> {
protected:
    void LayOutFolder(const std::string& input)
    {
        const auto folder = documents / "journal";
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        std::vector<std::string> parts;
        std::istringstream stream(input);
        for (std::string part; std::getline(stream, part, '\0');)
            parts.push_back(part);
        ASSERT_FALSE(parts.empty());
        WriteText(folder / "header", parts[0]);
        for (std::size_t i = 1; i + 1 < parts.size(); i += 2)
            WriteText(folder / parts[i], parts[i + 1]);
    }
};

TEST_P(DamagedJournalTest, RestoresAndWalksEveryRoomsSnapshots)
{
    const std::string input = ReadText(std::string(PELK_TEST_INPUTS) + "/" + GetParam());
    ASSERT_FALSE(input.empty());
    LayOutFolder(input);
    document->RestoreFromJournal();
    EXPECT_GT(document->GetNumOfRooms(), 0) << "the user is left a room to draw";
    const std::vector<CRoomFloor*> rooms = document->m_rooms;
    for (CRoomFloor* each : rooms) {
        document->SetCurrentRoom(each);
        while (journal().Undo()) {
        }
        while (journal().Redo()) {
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Inputs, DamagedJournalTest,
                         ::testing::Values("journal_wall_removed_while_closing.bin",
                                           "journal_coincidence_removed_while_solving.bin",
                                           "journal_font_cache_leak.bin",
                                           "journal_wall_end_node_deleted.bin"));

TEST_F(SnapshotJournalTest, TheWorkerTakesSnapshotsOnItsOwn)
{
    journal().SetPeriod(1);
    // Only the change made below may be snapshotted: the room starts unchanged.
    room->SetModified(false);
    room->SetChangedSinceSnapshot(false);
    ASSERT_TRUE(journal().Start());
    document->m_lock.Lock();
    room->SetModified(true);
    document->m_lock.Unlock();
    // Waits for the worker's turn; the bound only keeps a broken worker
    // from hanging the test.
    for (int i = 0; i < 10000 && journal().GetSnapshotCount() == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_EQ(journal().GetSnapshotCount(), 1);
    journal().Stop();
    document->m_lock.Lock();
    EXPECT_FALSE(room->IsModified());
    document->m_lock.Unlock();
}

// Bookkeeping that marks the room saved must not hide an edit from the
// journal: the edit made just before it is the next snapshot.
TEST_F(SnapshotJournalTest, AnEditFollowedByAModeChangeIsSnapshotted)
{
    const struct {
        const char* step;
        void (*run)(CReplDoc&);
    } steps[] = {
        {"entering the Door mode", [](CReplDoc& d) { ASSERT_TRUE(d.SetEditMode(1)); }},
        {"rechecking the dimensions", [](CReplDoc& d) { d.RecheckDimensions(); }},
        {"releasing the dimensions", [](CReplDoc& d) { d.GetCurrentRoom()->ReleaseDimensions(); }},
    };
    ASSERT_TRUE(journal().Start());
    int width = 150;
    for (const auto& step : steps) {
        SCOPED_TRACE(step.step);
        Snapshot(width);
        room->SetSize(++width, 100);
        room->SetModified(true);
        step.run(*document);
        ASSERT_TRUE(journal().TakeTurn());
        EXPECT_NE(journal().GetSnapshot(journal().GetPosition()).find(SizeLine(width)),
                  std::string::npos);
        ++width;
    }
}

// The program as started, its journal running without a worker turn of its
// own during the test.
class RunningJournalTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        ASSERT_TRUE(Start());
        journal().Stop();
        journal().SetPeriod(kQuietPeriodMs);
        ASSERT_TRUE(journal().Start());
    }
    CSnapshotJournal& journal() { return Doc()->m_journal; }
    // The palette's first shape placed as the user places it, the New Room
    // dialog filled by `fill` before its OK.
    CRoomFloor* PlaceFirstShape(void (*fill)(CNewRoomDlg&) = nullptr)
    {
        driver->OnDialog(CNewRoomDlg::IDD, [fill](CWnd* dialog, HeadlessDriver& d) {
            if (fill)
                fill(*dynamic_cast<CNewRoomDlg*>(dialog));
            d.TapDlgItem(dialog, IDOK);
        });
        EXPECT_TRUE(Doc()->SetEditMode(0));
        auto* palette = dynamic_cast<CRoomMode*>(Doc()->GetEditMode());
        CRoomFloor* room = Doc()->GetCurrentRoom();
        for (int tap = 0; palette && tap < 2 && room->GetNumOfNodes() == 0; ++tap) {
            if (palette->m_cells.empty())
                break;
            const RECT cell = palette->m_cells[0];
            palette->OnTap((cell.left + cell.right) / 2.0, (cell.top + cell.bottom) / 2.0);
        }
        EXPECT_GT(room->GetNumOfNodes(), 0);
        return room;
    }
    // Whether the journal's worker could take a snapshot right now.
    bool WorkerGetsTheRoom()
    {
        bool taken = false;
        std::thread worker([&] { taken = journal().TakeTurn(); });
        worker.join();
        return taken;
    }
};

// The room as placed from the palette is the first state undo goes back to.
TEST_F(RunningJournalTest, TheFirstChangeAfterPlacingAShapeIsUndone)
{
    CRoomFloor* room = PlaceFirstShape();
    ASSERT_GT(room->GetNumOfNodes(), 0);
    const point placed = room->GetNodes().front()->GetPoint();
    const int nodes = room->GetNumOfNodes();
    room->Move(30.0, 0.0);
    ASSERT_TRUE(journal().TakeTurn());
    ASSERT_TRUE(journal().Undo());
    EXPECT_EQ(room->GetNodes().front()->GetPoint(), placed);
    EXPECT_EQ(room->GetNumOfNodes(), nodes);
}

// While the New Wall Object sheet changes the room, the worker stays out.
TEST_F(RunningJournalTest, TheNewWallObjectSheetHoldsTheDocumentsLock)
{
    CRoomFloor* room = PlaceFirstShape();
    ASSERT_TRUE(Doc()->SetEditMode(1));
    ZupEdge* wall = room->Get1stEdge();
    ASSERT_NE(wall, nullptr);
    const point a = wall->GetStart()->GetPoint();
    const point b = wall->GetEnd()->GetPoint();
    bool shown = false;
    bool workerGotIn = true;
    driver->OnDialog(ObjectSheetIds::kNewDoorPage, [&](CWnd* window, HeadlessDriver&) {
        shown = true;
        room->SetSize(room->GetWidth() + 1, 100);  // a change the worker would snapshot
        room->SetModified(true);
        workerGotIn = WorkerGetsTheRoom();
        dynamic_cast<CPropertySheet*>(window)->PressButton(PSBTN_CANCEL);
    });
    // A quarter along the wall, clear of the entrance in its middle.
    Doc()->NewWallObject(wall, a.x() + (b.x() - a.x()) / 4, a.y() + (b.y() - a.y()) / 4);
    ASSERT_TRUE(shown);
    EXPECT_FALSE(workerGotIn);
}

// View changes and closing the room race the worker at its quickest: every
// change of the room happens under the document's lock (the thread
// sanitizer build shows any that does not).
TEST_F(RunningJournalTest, ViewChangesShareTheRoomWithTheWorker)
{
    PlaceFirstShape();
    ASSERT_TRUE(Doc()->SetEditMode(1));
    journal().Stop();
    journal().SetPeriod(1);
    ASSERT_TRUE(journal().Start());
    for (int i = 0; i < 12; ++i) {
        Doc()->OnViewChange();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    journal().Stop();
    EXPECT_TRUE(Doc()->m_roomView);
}

// A label with markup characters is written escaped into the room's name
// line; undo, redo and a level rebuilt from the journal give it back as it
// was typed, a double quote included.
TEST_F(SnapshotJournalTest, LabelsWithMarkupCharactersComeBackThroughUndoAndRedo)
{
    const struct {
        const char* typed;
        const char* nameLine;
        const char* back;
    } labels[] = {
        {"Joe's", "Name=Joe&apos;s\n", "Joe's"},
        {"Den \"Blue\"", "Name=Den &amp;quot;Blue&amp;quot;\n", "Den \"Blue\""},
        {"Bed & Bath", "Name=Bed &amp; Bath\n", "Bed & Bath"},
        {"<Attic>", "Name=&lt;Attic&gt;\n", "<Attic>"},
        {"Den&lt5", "Name=Den&amp;lt5\n", "Den&lt5"},
    };
    ASSERT_TRUE(journal().Start());
    for (const auto& label : labels) {
        SCOPED_TRACE(label.typed);
        room->SetLabel(CString(label.typed));
        // A snapshot of a shape the exchange file does not know: undo refuses it.
        const std::string shape = room->GetShapeName();
        room->SetShapeName("NoSuchShape");
        room->SetModified(true);
        ASSERT_TRUE(journal().TakeTurn());
        room->SetShapeName(shape);
        room->SetSize(240, 180);
        room->SetModified(true);
        ASSERT_TRUE(journal().TakeTurn());
        room->SetSize(312, 180);
        room->SetModified(true);
        ASSERT_TRUE(journal().TakeTurn());
        const int newest = journal().GetSnapshotCount() - 1;
        EXPECT_NE(journal().GetSnapshot(newest).find(label.nameLine), std::string::npos);

        ASSERT_TRUE(journal().Undo());
        EXPECT_EQ(room->GetWidth(), 240);
        EXPECT_EQ(room->GetLabel(), label.back);
        EXPECT_STREQ(room->GetName(), "Hall1");
        ASSERT_TRUE(journal().Redo());
        EXPECT_EQ(room->GetWidth(), 312);
        EXPECT_EQ(room->GetLabel(), label.back);
        // A refused undo puts back the room as it stood.
        ASSERT_TRUE(journal().Undo());
        EXPECT_FALSE(journal().Undo());
        EXPECT_EQ(room->GetWidth(), 240);
        EXPECT_EQ(room->GetLabel(), label.back);
        ASSERT_TRUE(journal().Redo());

        ASSERT_TRUE(journal().WriteAll());
        CReplDoc other;
        ASSERT_TRUE(other.OnNewDocument());
        ASSERT_TRUE(other.m_journal.Recover());
        ASSERT_EQ(other.GetNumOfRooms(), 1);
        EXPECT_EQ(other.GetRoom(0)->GetLabel(), label.back);
        EXPECT_EQ(other.GetRoom(0)->GetWidth(), 312);
    }
}

// A room placed from the palette is in the journal at once, its file and the
// header that lists it: a crash right after loses nothing of it.
TEST_F(RunningJournalTest, APlacedRoomIsJournalledAtOnce)
{
    CRoomFloor* room = PlaceFirstShape();
    const std::string tag = room->GetTagName(false);
    EXPECT_TRUE(std::filesystem::exists(documents / "journal" / tag));
    CReplDoc other;
    ASSERT_TRUE(other.OnNewDocument());
    ASSERT_TRUE(other.m_journal.Recover());
    ASSERT_EQ(other.GetNumOfRooms(), 1);
    EXPECT_STREQ(other.GetRoom(0)->GetName(), room->GetName());
    EXPECT_EQ(other.GetRoom(0)->GetNumOfNodes(), room->GetNumOfNodes());
}

// A room drawn on a new level and changed is back after a kill that came
// before any full write of the folder, with its name, label and walls:
// whether a type was chosen for it in the New Room dialog or none.
TEST_F(RunningJournalTest, ANewRoomIsRestoredAfterAKillBeforeAnyFullWrite)
{
    const struct {
        const char* what;
        void (*fill)(CNewRoomDlg&);
    } placings[] = {
        {"the type offered", nullptr},
        {"a label typed", [](CNewRoomDlg& d) { d.m_label = L"Front hall"; }},
        {"another type chosen",
         [](CNewRoomDlg& d) {
             auto* list = dynamic_cast<CListBox*>(d.GetDlgItem(CNewRoomDlg::IDC_TYPES));
             list->SetCurSel(list->GetCount() - 1);
         }},
        {"no type selected in the list",
         [](CNewRoomDlg& d) {
             dynamic_cast<CListBox*>(d.GetDlgItem(CNewRoomDlg::IDC_TYPES))->SetCurSel(-1);
         }},
    };
    for (const auto& placing : placings) {
        SCOPED_TRACE(placing.what);
        // The program's first level, then new ones as the New Session dialog
        // begins them.
        if (&placing != &placings[0]) {
            driver->OnDialog(CNewSessionDlg::IDD,
                             [](CWnd* dialog, HeadlessDriver& d) { d.TapDlgItem(dialog, IDOK); });
            Doc()->OnNew();
        }
        ASSERT_TRUE(journal().IsRunning());
        ASSERT_EQ(Doc()->GetNumOfRooms(), 1);
        CRoomFloor* room = PlaceFirstShape(placing.fill);
        ASSERT_GT(room->GetNumOfNodes(), 0);
        // An edit the worker journals on its turn.
        {
            DocumentLock lock(Doc()->m_lock);
            room->Move(30.0, 0.0);
            room->SetSize(157, 131);
            room->SetModified(true);
        }
        bool taken = false;
        std::thread worker([&] { taken = journal().TakeTurn(); });
        worker.join();
        ASSERT_TRUE(taken) << "the worker's turn journals the edit";
        // Killed: nothing more reaches the folder.
        journal().Stop();
        CReplDoc restored;
        ASSERT_TRUE(restored.OnNewDocument());
        ASSERT_TRUE(restored.m_journal.HasJournal()) << "the New Session dialog offers Restore";
        restored.RestoreFromJournal();
        restored.m_journal.Stop();
        ASSERT_EQ(restored.GetNumOfRooms(), 1);
        CRoomFloor* back = restored.GetRoom(0);
        EXPECT_STREQ(back->GetName() ? back->GetName() : "", room->GetName() ? room->GetName() : "");
        EXPECT_EQ(back->GetLabel(), room->GetLabel());
        EXPECT_EQ(back->GetWidth(), room->GetWidth());
        ASSERT_EQ(back->GetNumOfNodes(), room->GetNumOfNodes());
        for (int i = 0; i < room->GetNumOfNodes(); ++i)
            EXPECT_LT(GeoDistance(back->GetNodes()[i]->GetPoint(), room->GetNodes()[i]->GetPoint()), 0.01);
        ASSERT_TRUE(journal().Start());
    }
}

// The room dialog's changes of an existing room (label, size, type) are
// unsaved work that the journal keeps.
TEST_F(RunningJournalTest, RoomDialogChangesAreUnsavedWorkTheJournalKeeps)
{
    const struct {
        const char* what;
        void (*change)(CNewRoomDlg&);
        const char* inText;
    } changes[] = {
        {"label", [](CNewRoomDlg& d) { d.m_label = L"Sunny corner"; }, "Sunny corner"},
        {"size", [](CNewRoomDlg& d) { d.m_labelWidth = 157; d.m_labelDepth = 131; }, "Size=Size(157,131)"},
        {"type",
         [](CNewRoomDlg& d) {
             auto* list = dynamic_cast<CListBox*>(d.GetDlgItem(CNewRoomDlg::IDC_TYPES));
             list->SetCurSel((list->GetCurSel() + 1) % list->GetCount());
         },
         nullptr},
    };
    CRoomFloor* room = PlaceFirstShape();
    for (const auto& c : changes) {
        SCOPED_TRACE(c.what);
        room->SetModified(false);  // as saved
        const std::string oldName = room->GetName();
        driver->OnDialog(CNewRoomDlg::IDD, [&c](CWnd* dialog, HeadlessDriver& d) {
            c.change(*dynamic_cast<CNewRoomDlg*>(dialog));
            d.TapDlgItem(dialog, IDOK);
        });
        Doc()->OnRoomDialog();
        EXPECT_TRUE(room->IsModified()) << "Exit asks before it goes";
        const std::string text = ReadText(documents / "journal" / room->GetTagName(false));
        if (c.inText)
            EXPECT_NE(text.find(c.inText), std::string::npos) << text;
        else
            EXPECT_NE(oldName, room->GetName());
        CReplDoc other;
        ASSERT_TRUE(other.OnNewDocument());
        ASSERT_TRUE(other.m_journal.Recover());
        ASSERT_EQ(other.GetNumOfRooms(), 1);
        EXPECT_STREQ(other.GetRoom(0)->GetName(), room->GetName());
        EXPECT_EQ(other.GetRoom(0)->GetLabel(), room->GetLabel());
        EXPECT_EQ(other.GetRoom(0)->GetWidth(), room->GetWidth());
    }
}

// A room the level lists that the journal cannot give back is reported,
// not left out without a word.
TEST_F(RunningJournalTest, RestoreReportsARoomItCannotRead)
{
    const struct {
        const char* what;
        bool file;
    } cases[] = {{"no file", false}, {"an empty file", true}};
    CRoomFloor* room = PlaceFirstShape();
    const std::string kept = room->GetName();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(journal().WriteAll());
        const auto folder = documents / "journal";
        std::string header = ReadText(folder / "header");
        const std::size_t path = header.find("path=\"");
        ASSERT_NE(path, std::string::npos);
        header.insert(path + 6, "Den7,");
        WriteText(folder / "header", header);
        std::filesystem::remove(folder / "Den7");
        if (c.file)
            WriteText(folder / "Den7", "");
        const std::size_t boxes = driver->MessageBoxes().size();
        Doc()->RestoreFromJournal();
        ASSERT_EQ(Doc()->GetNumOfRooms(), 1);
        EXPECT_STREQ(Doc()->GetRoom(0)->GetName(), kept.c_str());
        ASSERT_EQ(driver->MessageBoxes().size(), boxes + 1);
        EXPECT_NE(driver->MessageBoxes().back().text.Find(L"Den7"), -1);
    }
}
