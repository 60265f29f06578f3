// The program killed at random moments of a scripted session (rooms drawn,
// walls dragged, lengths typed and chosen, labels given, rooms left), then
// restored from its journal: the level restored is the level after one of
// the edits made, no older than the last edit the journal had a turn to
// take. A few kills run by default; PELK_JOURNAL_KILLS asks for more and
// PELK_JOURNAL_KILL_SEED for other moments.
//
// The session runs in a child process (this program again, its one test
// selected); it reports on a pipe each edit made with the level it left,
// and each turn of the journal that followed. Nothing waits on the clock:
// the child waits for the journal's own signal that a turn was taken.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app_test_support.h"
#include "distances.h"
#include "document_lock.h"
#include "exchange_file.h"
#include "headless_driver.h"
#include "kor_node.h"
#include "main_frame.h"
#include "measurement_steps.h"
#include "new_room_dlg.h"
#include "new_session_dlg.h"
#include "pelk_app.h"
#include "repl_doc.h"
#include "repl_view.h"
#include "room_floor.h"
#include "room_mode.h"
#include "room_steps.h"
#include "snapshot_journal.h"
#include "system_services.h"
#include "zup_edge.h"
#include "zup_opening.h"

extern char** environ;

namespace {

constexpr const char* kFolderVariable = "PELK_JOURNAL_KILL_FOLDER";
constexpr int kProgressFd = 3;
constexpr int kDefaultKills = 3;
constexpr unsigned kDefaultSeed = 46;
// The child's journal takes its turns this often, so that kills land in
// its writes as well as between them.
constexpr DWORD kChildPeriodMs = 3;
// Only keeps a broken journal from hanging the child; no result depends on it.
constexpr DWORD kTurnLimitMs = 120000;

// ---- What a level holds: each drawn room's name, label and wall lengths ----

struct RoomState {
    std::string name;
    std::string label;
    int openings = 0;
    std::vector<double> walls;  // sorted
};
using LevelState = std::vector<RoomState>;

std::string Describe(CReplDoc& document)
{
    std::ostringstream text;
    for (int i = 0; i < document.GetNumOfRooms(); ++i) {
        CRoomFloor* room = document.GetRoom(i);
        if (room->GetNumOfNodes() == 0)
            continue;
        std::vector<double> walls;
        for (ZupEdge* wall = room->Get1stEdge(); wall; wall = room->GetNextEdge())
            walls.push_back(GeoDistance(wall->GetStart()->GetPoint(), wall->GetEnd()->GetPoint()));
        std::sort(walls.begin(), walls.end());
        text << (room->GetName() ? room->GetName() : "") << '|' << room->GetLabel() << '|'
             << room->GetNumOfOpenings();
        for (double length : walls)
            text << ' ' << length;
        text << '/';
    }
    return text.str();
}

LevelState Parse(const std::string& described)
{
    LevelState level;
    std::istringstream rooms(described);
    for (std::string room; std::getline(rooms, room, '/');) {
        std::istringstream fields(room);
        RoomState state;
        std::string lengths;
        std::getline(fields, state.name, '|');
        std::getline(fields, state.label, '|');
        std::getline(fields, lengths);
        std::istringstream numbers(lengths);
        numbers >> state.openings;
        for (double length; numbers >> length;)
            state.walls.push_back(length);
        level.push_back(state);
    }
    return level;
}

bool Same(const LevelState& a, const LevelState& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].name != b[i].name || a[i].label != b[i].label || a[i].openings != b[i].openings ||
            a[i].walls.size() != b[i].walls.size())
            return false;
        for (std::size_t w = 0; w < a[i].walls.size(); ++w)
            if (std::fabs(a[i].walls[w] - b[i].walls[w]) > 0.05)
                return false;
    }
    return true;
}

// ---- The child: the scripted session ----

class Session {
public:
    explicit Session(const std::filesystem::path& folder)
    {
        PelkResetAppGlobals();
        PlatformPaths::SetDocumentsRoot(folder.string());
        PlatformPaths::SetConfigDirectory((folder / "config").string());
        EXPECT_TRUE(InstallDefaultExchangeFile());
        driver = std::make_unique<HeadlessDriver>();
        app = std::make_unique<CReplApp>();
        driver->OnDialog(CNewSessionDlg::IDD,
                         [](CWnd* dialog, HeadlessDriver& d) { d.TapDlgItem(dialog, IDOK); });
        EXPECT_TRUE(app->InitInstance());
        driver->Pump();
        CSnapshotJournal& journal = Doc()->m_journal;
        journal.Stop();
        journal.SetPeriod(kChildPeriodMs);
        EXPECT_TRUE(journal.Start());
    }

    CMainFrame* Frame() const { return GetMainFrame(); }
    CReplDoc* Doc() const
    {
        auto* view = Frame() ? dynamic_cast<CReplView*>(Frame()->GetActiveView()) : nullptr;
        return view ? view->GetReplDoc() : nullptr;
    }
    CRoomFloor* Room() const { return Doc()->GetCurrentRoom(); }

    // The palette's first shape placed as the person places it, labelled in
    // the New Room dialog.
    void PlaceShape(const char* label)
    {
        driver->OnDialog(CNewRoomDlg::IDD, [label](CWnd* dialog, HeadlessDriver& d) {
            dynamic_cast<CNewRoomDlg*>(dialog)->m_label = CString(label);
            d.TapDlgItem(dialog, IDOK);
        });
        ASSERT_TRUE(Doc()->SetEditMode(0));
        auto* palette = dynamic_cast<CRoomMode*>(Doc()->GetEditMode());
        ASSERT_NE(palette, nullptr);
        for (int tap = 0; tap < 2 && Room()->GetNumOfNodes() == 0; ++tap) {
            ASSERT_FALSE(palette->m_cells.empty());
            const RECT cell = palette->m_cells[0];
            palette->OnTap((cell.left + cell.right) / 2.0, (cell.top + cell.bottom) / 2.0);
        }
        ASSERT_GT(Room()->GetNumOfNodes(), 0);
    }
    // The room's n-th wall dragged across itself in the Door mode.
    void DragWall(int n, double by)
    {
        ASSERT_TRUE(Doc()->SetEditMode(1));
        ZupEdge* wall = NthWall(n);
        ASSERT_NE(wall, nullptr);
        const point a = wall->GetStart()->GetPoint();
        const point b = wall->GetEnd()->GetPoint();
        const double length = GeoDistance(a, b);
        // A quarter along, clear of the entrance in the middle.
        const point from(a.x() + (b.x() - a.x()) / 4, a.y() + (b.y() - a.y()) / 4);
        const double nx = -(b.y() - a.y()) / length;
        const double ny = (b.x() - a.x()) / length;
        ASSERT_TRUE(Doc()->OnPenDown(from.x(), from.y(), 6));
        for (int step = 1; step <= 4; ++step)
            Doc()->OnPenMove(from.x() + nx * by * step / 4, from.y() + ny * by * step / 4);
        Doc()->OnPenUp();
    }
    void TypeLength(int n, int value) { measurement_steps::TypeLength(*Doc(), *driver, n, value); }
    void ChooseListed(int n, int steps)
    {
        measurement_steps::ChooseListed(*Doc(), *Frame()->GetComboBox(), n, steps);
    }
    // The room dialog's label and size for the room being edited.
    void Relabel(const char* label)
    {
        driver->OnDialog(CNewRoomDlg::IDD, [label](CWnd* dialog, HeadlessDriver& d) {
            auto* room = dynamic_cast<CNewRoomDlg*>(dialog);
            room->m_label = CString(label);
            room->m_labelWidth = 14;
            room->m_labelDepth = 11;
            d.TapDlgItem(dialog, IDOK);
        });
        Doc()->OnRoomDialog();
    }
    // A door on the n-th wall, the room closed and left through it.
    void LeaveThroughNewDoor(int n, const char* name)
    {
        {
            DocumentLock lock(Doc()->m_lock);
            ASSERT_NE(room_steps::PlaceDoor(*Room(), n, name), nullptr);
        }
        ZupOpening* door = Room()->GetOpening(name);
        ASSERT_TRUE(Doc()->CloseRoom());
        CRoomFloor* left = Room();
        Doc()->ExitThroughOpening(door);
        ASSERT_NE(Room(), left);
        ASSERT_EQ(Room()->GetNumOfNodes(), 0) << "a new room to draw";
    }
    void ToPlan()
    {
        ASSERT_TRUE(Doc()->m_roomView);
        Doc()->OnViewChange();
        ASSERT_FALSE(Doc()->m_roomView);
    }
    // The plan's room chosen for editing, as a tap on it chooses it.
    void BackInto(int room)
    {
        ASSERT_FALSE(Doc()->m_roomView);
        Doc()->SetCurrentRoom(Doc()->GetRoom(room));
        Doc()->OnViewChange();
        ASSERT_TRUE(Doc()->m_roomView);
    }

    std::unique_ptr<HeadlessDriver> driver;
    std::unique_ptr<CReplApp> app;

private:
    ZupEdge* NthWall(int n)
    {
        int i = 0;
        for (ZupEdge* wall = Room()->Get1stEdge(); wall; wall = Room()->GetNextEdge())
            if (i++ == n)
                return wall;
        return nullptr;
    }
};

struct Edit {
    const char* what;
    void (*make)(Session&);
    bool changesTheLevel = true;
};

const Edit kScript[] = {
    {"hall placed", [](Session& s) { s.PlaceShape("Front hall"); }},
    {"hall wall dragged", [](Session& s) { s.DragWall(0, 18); }},
    {"hall length typed", [](Session& s) { s.TypeLength(1, 236); }},
    {"hall length chosen", [](Session& s) { s.ChooseListed(1, 3); }},
    {"hall relabelled", [](Session& s) { s.Relabel("Study nook"); }},
    {"hall left by a new door", [](Session& s) { s.LeaveThroughNewDoor(2, "D7"); }},
    {"second room placed", [](Session& s) { s.PlaceShape("Den"); }},
    {"second room length typed", [](Session& s) { s.TypeLength(1, 260); }},
    {"second room wall dragged", [](Session& s) { s.DragWall(1, -12); }},
    {"second room left for the plan", [](Session& s) { s.ToPlan(); }, false},
    {"hall entered from the plan", [](Session& s) { s.BackInto(0); }, false},
    {"hall relabelled again", [](Session& s) { s.Relabel("Sunny side"); }},
    {"hall left for the plan", [](Session& s) { s.ToPlan(); }, false},
    {"second room entered from the plan", [](Session& s) { s.BackInto(1); }, false},
    {"second room relabelled", [](Session& s) { s.Relabel("Den corner"); }},
};
constexpr int kEdits = static_cast<int>(std::size(kScript));

void Report(const std::string& line)
{
    const std::string text = line + "\n";
    // One write per line, so a kill never leaves half a line.
    ASSERT_EQ(::write(kProgressFd, text.data(), text.size()), static_cast<ssize_t>(text.size()));
}

// ---- The parent: kills, restores and compares ----

struct ChildRun {
    std::vector<std::string> states;  // "made" lines, by edit number - 1
    int made = 0;
    int journalled = 0;
    bool killed = false;
    bool finished = false;
};

std::vector<char*> ChildEnvironment(const std::string& folder, std::vector<std::string>& keep)
{
    for (char** e = environ; *e; ++e)
        keep.emplace_back(*e);
    keep.push_back(std::string(kFolderVariable) + "=" + folder);
    std::vector<char*> pointers;
    for (std::string& each : keep)
        pointers.push_back(each.data());
    pointers.push_back(nullptr);
    return pointers;
}

std::string ReadLog(const std::string& path)
{
    std::ifstream file(path);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// Runs the session in a child over the folder; kills it once `killAfter`
// progress lines were read (never when negative) and `delayUs` later.
ChildRun RunChild(const std::filesystem::path& folder, int killAfter, int delayUs)
{
    ChildRun run;
    std::filesystem::create_directories(folder);
    const std::string log = (folder / "session.log").string();
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) {
        ADD_FAILURE() << "no pipe";
        return run;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    // The read end may hold the progress descriptor's number: closed first.
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], kProgressFd);
    // The session's own output, kept for a look when it fails.
    posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    std::string filter = "--gtest_filter=JournalKillSession.ScriptedSession";
    char* argv[] = {self.data(), filter.data(), nullptr};
    std::vector<std::string> keep;
    std::vector<char*> env = ChildEnvironment(folder.string(), keep);
    pid_t child = 0;
    const int spawned = posix_spawn(&child, self.c_str(), &actions, nullptr, argv, env.data());
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    if (spawned != 0) {
        ::close(pipeFds[0]);
        ADD_FAILURE() << "the session did not start";
        return run;
    }
    FILE* progress = ::fdopen(pipeFds[0], "r");
    char line[65536];
    int lines = 0;
    while (std::fgets(line, sizeof line, progress)) {
        std::string text(line);
        if (!text.empty() && text.back() == '\n')
            text.pop_back();
        std::istringstream words(text);
        std::string kind;
        int number = 0;
        words >> kind >> number;
        if (kind == "made") {
            std::string state;
            std::getline(words, state);
            run.states.push_back(state.empty() ? state : state.substr(1));
            run.made = number;
        } else if (kind == "journalled") {
            run.journalled = number;
        } else if (kind == "done") {
            run.finished = true;
        }
        if (++lines == killAfter && !run.killed) {
            std::this_thread::sleep_for(std::chrono::microseconds(delayUs));
            ::kill(child, SIGKILL);
            run.killed = true;
        }
    }
    std::fclose(progress);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!run.killed || !WIFSIGNALED(status)) {
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0 && run.finished)
            << "the session failed on its own (status " << status << "):\n" << ReadLog(log);
    }
    return run;
}

// The level restored from the folder's journal, as the New Session
// dialog's Restore gives it.
std::string RestoreFrom(const std::filesystem::path& folder)
{
    PelkResetAppGlobals();
    PlatformPaths::SetDocumentsRoot(folder.string());
    CReplDoc document;
    EXPECT_TRUE(document.OnNewDocument());
    document.RestoreFromJournal();
    std::string described = Describe(document);
    PelkResetAppGlobals();
    return described;
}

int FromEnvironment(const char* name, int fallback)
{
    const char* value = std::getenv(name);
    return value && *value ? std::atoi(value) : fallback;
}

class JournalKillTest : public AppTest {};

}  // namespace

// The child's part: skipped unless the parent started this program for it.
TEST(JournalKillSession, ScriptedSession)
{
    const char* folder = std::getenv(kFolderVariable);
    if (!folder)
        GTEST_SKIP() << "run by JournalKillTest in a child process";
    Session session(folder);
    CSnapshotJournal& journal = session.Doc()->m_journal;
    for (int k = 1; k <= kEdits; ++k) {
        SCOPED_TRACE(kScript[k - 1].what);
        kScript[k - 1].make(session);
        ASSERT_FALSE(::testing::Test::HasFatalFailure());
        const std::uint64_t started = journal.GetTurnsStarted();
        Report("made " + std::to_string(k) + " " + Describe(*session.Doc()));
        ASSERT_TRUE(journal.WaitForTurnAfter(started, kTurnLimitMs)) << "the journal took no turn";
        Report("journalled " + std::to_string(k));
    }
    Report("done");
    journal.Stop();
    if (CWnd* main = AfxGetMainWnd())
        main->DestroyWindow();
    session.app.reset();
    SingleInstance::Release();
    session.driver.reset();
    PelkResetAppGlobals();
}

TEST_F(JournalKillTest, RestoreGivesBackEveryEditTheJournalHadATurnFor)
{
    // The session once through: the level after each edit.
    const ChildRun whole = RunChild(documents / "whole", -1, 0);
    ASSERT_TRUE(whole.finished);
    ASSERT_EQ(whole.made, kEdits);
    std::vector<LevelState> after{LevelState{}};
    for (const std::string& state : whole.states)
        after.push_back(Parse(state));
    for (int k = 1; k <= kEdits; ++k) {
        if (kScript[k - 1].changesTheLevel) {
            EXPECT_FALSE(Same(after[k], after[k - 1])) << kScript[k - 1].what;
        }
    }
    ASSERT_EQ(Parse(RestoreFrom(documents / "whole")).size(), after.back().size());

    const int kills = FromEnvironment("PELK_JOURNAL_KILLS", kDefaultKills);
    std::mt19937 random(static_cast<unsigned>(FromEnvironment("PELK_JOURNAL_KILL_SEED", kDefaultSeed)));
    std::uniform_int_distribution<int> line(1, 2 * kEdits);
    std::uniform_int_distribution<int> delay(0, 3000);
    int expected = 0;
    int restored = 0;
    for (int kill = 0; kill < kills; ++kill) {
        const auto folder = documents / ("kill" + std::to_string(kill));
        const int killAfter = line(random);
        const int delayUs = delay(random);
        SCOPED_TRACE("kill " + std::to_string(kill) + " after line " + std::to_string(killAfter) +
                     " and " + std::to_string(delayUs) + " us");
        const ChildRun run = RunChild(folder, killAfter, delayUs);
        for (int k = 1; k <= run.made; ++k)
            ASSERT_TRUE(Same(Parse(run.states[k - 1]), after[k])) << "the session is the same";
        const LevelState back = Parse(RestoreFrom(folder));
        // The edit under way when the kill came may be back too.
        const int newest = std::min(run.made + 1, kEdits);
        int found = -1;
        for (int k = newest; k >= run.journalled && found < 0; --k)
            found = Same(back, after[k]) ? k : -1;
        EXPECT_GE(found, 0) << "restored: " << RestoreFrom(folder) << "\nedits made " << run.made
                            << ", journalled " << run.journalled;
        expected += run.journalled;
        restored += std::max(found, 0);
        std::cout << "kill " << kill << ": edits made " << run.made << ", journalled "
                  << run.journalled << ", restored " << found << "\n";
    }
    std::cout << "kills " << kills << ", edits expected " << expected << ", edits restored "
              << restored << "\n";
    RecordProperty("kills", kills);
    RecordProperty("edits_expected", expected);
    RecordProperty("edits_restored", restored);
}
