// A person's session in the real window: the program started under Xvfb
// and driven with the pointer and keys through xdotool, checked by what the
// screen shows and by the files it writes. The test re-runs itself under
// xvfb-run, so it needs no display of its own; the screenshots of each
// step stay in the build folder (window_session/) for a person to look at.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "file_cipher.h"
#include "x_session.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kUnderXvfb = "PELK_WINDOW_SESSION_UNDER_XVFB";
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kPlanFill = 0xFFFF00;  // the current room in the plan
constexpr std::uint32_t kCaptionBlue = 0x000080;
constexpr std::uint32_t kRed = 0xFF0000;             // the entrance arrow
constexpr std::uint32_t kWindowGrey = 0xC0C0C0;  // a window's frame in its wall
constexpr std::uint32_t kDimensionBlue = 0x0000FF;  // dimension lines

// The window's layout in its own pixels: caption, view, command bar.
constexpr int kViewTop = 26;
constexpr int kViewBottom = 294;
constexpr int kBarY = 307;
constexpr int kToolsX = 22;
constexpr int kDoorButtonX = 57;
constexpr int kMeasureButtonX = 80;
constexpr int kExitButtonX = 103;
constexpr int kViewChangeX = 133;
// The session dialogs' OK and Restore, the Tools menu's items.
constexpr int kDialogOkX = 67;
constexpr int kDialogButtonsY = 247;
constexpr int kRestoreX = 172;
constexpr int kMenuLoadY = 241;
constexpr int kMenuSaveY = 259;
constexpr int kMenuExitY = 283;
// A Yes/No question's Yes.
constexpr int kQuestionYesX = 85;
constexpr int kQuestionButtonsY = 178;
// The wall-object sheets: their tab row with OK at its end.
constexpr int kSheetTabsY = 35;
constexpr int kObjectTabX = 78;
constexpr int kSheetOkX = 224;
// The Dimensions page: the edit of its Width row.
constexpr int kWidthEditX = 119;
constexpr int kWidthRowY = 91;
// The command bar's combo box and the last row of its dropped value list.
constexpr int kComboX = 175;
constexpr int kValueListLastRowY = 289;

bool Available(const char* tool) {
    return std::system((std::string("command -v ") + tool + " >/dev/null 2>&1").c_str()) == 0;
}

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The floor-plan file's text, decrypted when it is encrypted.
std::string FloorPlanText(const fs::path& path) {
    std::string text = ReadText(path);
    if (text.empty() || text[0] != CFileCipher::kMarker) return text;
    DWORD error = 0;
    int done = 0, count = 0;
    if (!CFileCipher::Decrypt(text.data(), static_cast<int>(text.size()), error, done, count)) return {};
    return text;
}

// Whether the file at `path`, or one in the folder tree under it, was
// modified after `since`. The journal writes each file in its folder
// "being written" and renames it into place when whole: only files in
// place count.
bool WrittenSince(const fs::path& path, fs::file_time_type since) {
    std::error_code error;
    if (fs::is_regular_file(path, error)) return fs::last_write_time(path, error) > since;
    for (fs::recursive_directory_iterator it(path, error), end; !error && it != end; it.increment(error)) {
        if (it->path().filename() == "being written") {
            it.disable_recursion_pending();
            continue;
        }
        std::error_code gone;  // renamed away meanwhile
        if (it->is_regular_file(gone) && it->last_write_time(gone) > since) return true;
    }
    return false;
}

class Session {
public:
    explicit Session(const fs::path& folder) : m_folder(folder) {
        fs::remove_all(folder);
        fs::create_directories(folder / "documents");
        fs::create_directories(folder / "card");
        fs::create_directories(folder / "home");
        // The toolkit's session-bus and accessibility clients keep memory for
        // the process's life.
        std::ofstream(folder / "lsan.supp") << "leak:libdbus-1\nleak:libatk-bridge\nleak:libgtk-3\nleak:libgdk-3\n"
                                               "leak:libglib-2\nleak:libgobject-2\nleak:libgio-2\nleak:libfontconfig\n";
    }
    XSession& X() { return m_x; }
    fs::path Documents() const { return m_folder / "documents"; }
    fs::path Card() const { return m_folder / "card"; }

    // Waits until a file at or under `path` was written after the latest
    // pointer or key command: the program has answered it.
    bool WaitForWrite(const fs::path& path, int limitMs = 20000) {
        for (int waited = 0; waited <= limitMs; waited += 50) {
            if (WrittenSince(path, m_x.LastInput())) return true;
            m_x.Sleep(50);
        }
        return false;
    }
    // Waits until the journal kept the change the latest input made, so
    // that the next change becomes a snapshot (an undo step) of its own.
    bool WaitForJournal(int limitMs = 20000) { return WaitForWrite(Documents() / "journal", limitMs); }
    // Waits for the files a Save writes: the level's file, then its backup
    // on the card.
    bool WaitForSave(const fs::path& saved) {
        return WaitForWrite(saved) && WaitForWrite(Card() / "Backup" / saved.filename());
    }

    bool Start(const std::vector<std::string>& extra = {}) {
        std::vector<std::string> args = {"--scale", "1", "--documents", Documents().string(), "--card",
                                         (m_folder / "card").string()};
        args.insert(args.end(), extra.begin(), extra.end());
        const std::map<std::string, std::string> env = {
            {"HOME", (m_folder / "home").string()},
            {"XDG_CONFIG_HOME", (m_folder / "home" / "config").string()},
            {"NO_AT_BRIDGE", "1"},
            {"GSETTINGS_BACKEND", "memory"},
            {"LSAN_OPTIONS", "suppressions=" + (m_folder / "lsan.supp").string()},
        };
        // Shown once the caption is painted.
        return m_x.Start(PELK_PATH, args, env, (m_folder / "pelk.log").string()) && m_x.FindWindow("Pelk", 30000) &&
               m_x.WaitForPixel(2, 2, kCaptionBlue, 30000);
    }

    // The screen once it stopped changing, kept as NN-name.png.
    Shot Look(const std::string& name) {
        Shot shot = m_x.Settle();
        char file[128];
        std::snprintf(file, sizeof file, "%02d-%s.png", ++m_shots, name.c_str());
        shot.SavePng((m_folder / file).string());
        return shot;
    }
    std::string Log() const { return ReadText(m_folder / "pelk.log"); }

private:
    fs::path m_folder;
    XSession m_x;
    int m_shots = 0;
};

// Non-white pixels of the view (between the caption and the command bar).
int ViewInk(const Shot& shot) { return shot.CountOther(0, kViewTop, shot.Width(), kViewBottom, kWhite); }

struct CPointish {
    int x, y;
};

// For each black pixel of the view, the length of the longest chain of
// black pixels through it that goes down row by row, at most one pixel
// aside each row: an upright wall, even one leaning after a drag, makes a
// long chain; texts, marks and door leaves make short ones.
class UprightRuns {
public:
    explicit UprightRuns(const Shot& shot) : m_width(shot.Width()), m_runs(Cells(), 0) {
        std::vector<int> above(Cells(), 0), below(Cells(), 0);
        for (int y = kViewTop; y < kViewBottom; ++y)
            for (int x = 0; x < m_width; ++x)
                if (shot.At(x, y) == kBlack) Cell(above, x, y) = 1 + Longest(above, x, y - 1);
        for (int y = kViewBottom - 1; y >= kViewTop; --y)
            for (int x = 0; x < m_width; ++x)
                if (shot.At(x, y) == kBlack) Cell(below, x, y) = 1 + Longest(below, x, y + 1);
        for (int y = kViewTop; y < kViewBottom; ++y)
            for (int x = 0; x < m_width; ++x)
                if (Cell(above, x, y) > 0) Cell(m_runs, x, y) = Cell(above, x, y) + Cell(below, x, y) - 1;
    }
    int At(int x, int y) const { return Inside(x, y) ? m_runs[Index(x, y)] : 0; }

private:
    size_t Cells() const { return static_cast<size_t>(m_width * (kViewBottom - kViewTop)); }
    bool Inside(int x, int y) const { return x >= 0 && x < m_width && y >= kViewTop && y < kViewBottom; }
    size_t Index(int x, int y) const { return static_cast<size_t>((y - kViewTop) * m_width + x); }
    int& Cell(std::vector<int>& cells, int x, int y) const { return cells[Index(x, y)]; }
    int Longest(std::vector<int>& cells, int x, int y) const {
        int most = 0;
        for (int d = -1; d <= 1; ++d)
            if (Inside(x + d, y)) most = std::max(most, Cell(cells, x + d, y));
        return most;
    }
    int m_width;
    std::vector<int> m_runs;
};

// The room's walls as the screen shows them: the outermost columns and rows
// of the view that hold a long black run.
struct Box {
    int left = -1, top = -1, right = -1, bottom = -1;
    bool Found() const { return left >= 0 && right > left + 40 && top >= 0 && bottom > top + 40; }
    int MidX() const { return (left + right) / 2; }
    int MidY() const { return (top + bottom) / 2; }
};

// A wall dragged a few degrees off stays so: a leaning side wall, spread
// over several columns, counts by the pixels of its upright chain of 70 or
// more (a dozen in a column), and the box reaches the chain's ends.
Box RoomBox(const Shot& shot) {
    Box box;
    const UprightRuns runs(shot);
    std::vector<int> leaning(static_cast<size_t>(shot.Width()), 0);
    int runTop = -1, runBottom = -1;
    for (int y = kViewTop; y < kViewBottom; ++y)
        for (int x = 0; x < shot.Width(); ++x) {
            if (runs.At(x, y) < 70) continue;
            ++leaning[static_cast<size_t>(x)];
            if (runTop < 0) runTop = y;
            runBottom = y;
        }
    for (int x = 0; x < shot.Width(); ++x) {
        if (shot.Count(x, kViewTop, x + 1, kViewBottom, kBlack) < 70 && leaning[static_cast<size_t>(x)] < 12) continue;
        if (box.left < 0) box.left = x;
        box.right = x;
    }
    for (int y = kViewTop; y < kViewBottom; ++y) {
        if (shot.Count(0, y, shot.Width(), y + 1, kBlack) < 60) continue;
        if (box.top < 0) box.top = y;
        box.bottom = y;
    }
    if (runTop >= 0 && (box.top < 0 || runTop < box.top)) box.top = runTop;
    if (runBottom > box.bottom) box.bottom = runBottom;
    return box;
}

// The room's right wall as the line through the rightmost pixel of each
// row that lies on an upright chain of 40 pixels or more, right of the
// room's middle: its column at a row.
struct WallLine {
    double x0 = 0, slope = 0;
    int top = -1, bottom = -1;
    bool Found() const { return top >= 0 && bottom > top; }
    int At(int y) const { return static_cast<int>(std::lround(x0 + slope * y)); }
};

WallLine RightWall(const Shot& shot, const Box& box) {
    const UprightRuns runs(shot);
    WallLine line;
    double n = 0, sy = 0, sx = 0, syy = 0, sxy = 0;
    for (int y = kViewTop; y < kViewBottom; ++y)
        for (int x = shot.Width() - 1; x > box.MidX(); --x) {
            if (runs.At(x, y) < 40) continue;
            n += 1, sy += y, sx += x, syy += double(y) * y, sxy += double(x) * y;
            if (line.top < 0) line.top = y;
            line.bottom = y;
            break;
        }
    const double spread = n * syy - sy * sy;
    if (n < 2 || spread <= 0) return WallLine{};
    line.slope = (n * sxy - sy * sx) / spread;
    line.x0 = (sx - line.slope * sy) / n;
    return line;
}

// The rows of the door drawn just outside the room's right wall (its leaf
// and swing), -1 when there is none. The wall may lean.
struct DoorRows {
    int first = -1, last = -1;
};

DoorRows DoorRowsOnRightWall(const Shot& shot, const WallLine& wall) {
    DoorRows rows;
    for (int y = wall.top + 4; y < wall.bottom - 4; ++y) {
        const int x = wall.At(y);
        if (shot.CountOther(x + 3, y, x + 14, y + 1, kWhite) == 0) continue;
        if (rows.first < 0) rows.first = y;
        rows.last = y;
    }
    return rows;
}

// The point of the right wall at the door's middle row, (-1, -1) when there
// is no door.
CPointish DoorOnRightWall(const Shot& shot, const Box& box) {
    const WallLine wall = RightWall(shot, box);
    if (!wall.Found()) return {-1, -1};
    const DoorRows rows = DoorRowsOnRightWall(shot, wall);
    if (rows.first < 0) return {-1, -1};
    const int row = (rows.first + rows.last) / 2;
    return {wall.At(row), row};
}

// Ink where a dimension label would be cut: on the view's left, right and
// bottom edges (the window's sides and the command bar), and along its top
// (the caption) and under the status icons at its top right.
constexpr int kIconsLeft = 188;
constexpr int kIconsHeight = 16;

int InkAtTheViewsEdges(const Shot& shot) {
    const int w = shot.Width();
    return shot.CountOther(0, kViewTop, 2, kViewBottom, kWhite) +
           shot.CountOther(w - 2, kViewTop + kIconsHeight, w, kViewBottom, kWhite) +
           shot.CountOther(2, kViewBottom - 2, w - 2, kViewBottom, kWhite) +
           shot.CountOther(2, kViewTop, kIconsLeft - 2, kViewTop + kIconsHeight + 2, kWhite) +
           shot.CountOther(kIconsLeft - 2, kViewTop + kIconsHeight, w - 2, kViewTop + kIconsHeight + 2, kWhite);
}

// The most black pixels in one column of [x0, x1): a straight vertical wall
// fills one column, a slanted one spreads over several.
int MaxColumnInk(const Shot& shot, int x0, int x1) {
    int most = 0;
    for (int x = std::max(0, x0); x < std::min(shot.Width(), x1); ++x)
        most = std::max(most, shot.Count(x, kViewTop, x + 1, kViewBottom, kBlack));
    return most;
}

// How upright the left wall stands, against the right one (which no drag
// here tilts): near 1 upright, well below when slanted; at any zoom.
double LeftWallUpright(const Shot& shot) {
    const int right = MaxColumnInk(shot, shot.Width() * 2 / 3, shot.Width());
    return right > 0 ? static_cast<double>(MaxColumnInk(shot, 0, shot.Width() / 3)) / right : 0.0;
}

// The centre of the red marks in the view (the entrance arrow of the room
// being drawn); (-1, -1) without any.
CPointish RedCentre(const Shot& shot) {
    long sx = 0, sy = 0, n = 0;
    for (int y = kViewTop; y < kViewBottom; ++y)
        for (int x = 0; x < shot.Width(); ++x)
            if (shot.At(x, y) == kRed) sx += x, sy += y, ++n;
    if (n == 0) return {-1, -1};
    return {static_cast<int>(sx / n), static_cast<int>(sy / n)};
}

// Tools > Save; the toolkit's file chooser takes the suggested name.
void Save(Session& session) {
    XSession& x = session.X();
    x.Tap(kToolsX, kBarY);
    session.Look("tools-menu");
    x.Tap(kToolsX, kMenuSaveY);
    EXPECT_TRUE(x.KeyToWindow("Save", "Return", 20000)) << "no file chooser";
    session.Look("saved");
}

// Short walls: 11 typed into the bar's open value list for the selected
// part (the foot's first part, by the corner) is applied with Return; the
// short parts' labels by the corner stand each on its own, clear of the
// dimension lines (NN-short-walls.png shows them).
void ShortenTheSelectedPart(Session& session, const Shot& before) {
    XSession& x = session.X();
    x.Tap(kComboX, kBarY);
    session.Look("value-list-to-type-in");
    x.Type("11");
    session.Look("typed-in-the-list");
    x.Key("Return");
    const Shot shot = session.Look("short-walls");
    EXPECT_GT(shot.Differing(before, 0, kViewTop, shot.Width(), kViewBottom), 20) << "the typed value was not applied";
    EXPECT_EQ(InkAtTheViewsEdges(shot), 0) << "a label of the short walls is cut at the view's edges";
}

// White pixels inside the extent of the navy ones in a rectangle: light
// text on a highlight.
int LightInkOnNavy(const Shot& shot, int x0, int y0, int x1, int y1) {
    int left = x1, top = y1, right = x0, bottom = y0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (shot.At(x, y) == kCaptionBlue)
                left = std::min(left, x), right = std::max(right, x + 1), top = std::min(top, y),
                bottom = std::max(bottom, y + 1);
    return left < right ? shot.Count(left, top, right, bottom, kWhite) : 0;
}

// A Yes/No question in the program's window: its frame's left side and top
// (a box across the view's middle).
bool QuestionShown(const Shot& shot) {
    int side = 0, top = 0;
    for (int x = 6; x <= 10; ++x) side = std::max(side, shot.Count(x, 125, x + 1, 195, kBlack));
    for (int y = 120; y <= 127; ++y) top = std::max(top, shot.Count(10, y, 230, y + 1, kBlack));
    return side >= 60 && top >= 200;
}

// Tools > Load of `file` (a name in the documents folder). Nothing was
// edited since it was saved or opened, so no loss question may come before
// the file chooser; one that comes anyway is a failure, answered Yes.
// The loaded level comes up as its plan.
Shot LoadLevel(Session& session, const std::string& file) {
    XSession& x = session.X();
    x.Tap(kToolsX, kBarY);
    session.Look("tools-menu");
    x.Tap(kToolsX, kMenuLoadY);
    for (int waited = 0; waited < 60000 && !x.WindowShown("Open"); waited += 200) {
        if (QuestionShown(x.Capture())) {
            session.Look("load-asks");
            ADD_FAILURE() << "Load asks about unsaved data although nothing was edited";
            x.Tap(kQuestionYesX, kQuestionButtonsY);
        }
        x.Sleep(200);
    }
    EXPECT_TRUE(x.KeyToWindow("Open", "ctrl+l", 20000)) << "no file chooser";
    x.Sleep(300);
    x.Type(file);
    x.Key("Return");
    for (int waited = 0; waited < 20000 && x.WindowShown("Open"); waited += 100) x.Sleep(100);
    return session.Look("loaded");
}

}  // namespace

class WindowSession : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::getenv(kUnderXvfb) != nullptr) return;
        if (!Available("xvfb-run") || !Available("xdotool") || !Available("xwininfo"))
            GTEST_SKIP() << "xvfb-run, xdotool or xwininfo missing";
    }
};

// Run without a display: start this very test again under Xvfb.
TEST_F(WindowSession, APersonsSessionFromTheFirstStartToABranchedLevel) {
    if (std::getenv(kUnderXvfb) == nullptr) {
        const std::string log = std::string(WINDOW_ARTIFACTS) + ".log";
        const std::string command = std::string(kUnderXvfb) + "=1 timeout 600 xvfb-run -a -s '-screen 0 1280x1024x24' '" +
                                    SELF_PATH + "' --gtest_filter='WindowSession.*' > '" + log + "' 2>&1";
        const int status = std::system(command.c_str());
        EXPECT_EQ(status, 0) << ReadText(log);
        return;
    }
    Session session(WINDOW_ARTIFACTS);
    XSession& x = session.X();
    ASSERT_TRUE(x.Ready());

    // First start on an empty documents folder: the shipped exchange file is
    // put in place, so the New Session dialog lists its levels.
    ASSERT_TRUE(session.Start()) << session.Log();
    Shot shot = session.Look("new-session");
    EXPECT_TRUE(fs::exists(session.Documents() / "qxr.xml"));
    // The Level list (left, below "Level:") holds "Main", selected.
    EXPECT_GT(shot.CountOther(6, 145, 114, 222, kWhite), 300) << "no levels listed";

    // Typed fields: a tap selects a field's text, so typing replaces it;
    // ctrl+a selects all of it too.
    x.Tap(80, 63);
    // The street's text stands selected: light on the navy highlight.
    shot = session.Look("street-selected");
    EXPECT_GT(shot.Count(62, 56, 238, 72, kCaptionBlue), 100) << "no highlight";
    EXPECT_GT(LightInkOnNavy(shot, 62, 56, 238, 72), 10) << "the selected text is not light on the highlight";
    x.Type("Elm");
    x.Tap(90, 39);
    x.Key("ctrl+a");
    x.Type("12");
    shot = session.Look("typed-address");

    // OK: the Room mode's shape palette comes up at once.
    x.Tap(kDialogOkX, kDialogButtonsY);
    shot = session.Look("palette");
    EXPECT_GT(ViewInk(shot), 1500) << "no shape palette";

    // The plain rectangle (bottom left of the palette), named in the New
    // Room dialog: the room comes up in the Door mode.
    x.Tap(48, 220);
    session.Look("new-room");
    x.Tap(kDialogOkX, kDialogButtonsY);
    shot = session.Look("first-room");
    Box room = RoomBox(shot);
    ASSERT_TRUE(room.Found()) << "no walls";

    // A typed length: in the Measurement mode Right steps from the top wall
    // to the next dimension (the rectangle's left wall), a double tap on the
    // right wall's label selects that one and opens the keypad, and 250
    // typed there makes the room 250 by 200.
    // At the fit the room gets, every dimension's label lies whole in the
    // view, below the caption and the status icons, above the command bar.
    x.Tap(kMeasureButtonX, kBarY);
    shot = session.Look("measurement-first");
    EXPECT_GT(shot.Count(0, kViewTop, shot.Width(), kViewBottom, kDimensionBlue), 200) << "no dimensions shown";
    EXPECT_EQ(InkAtTheViewsEdges(shot), 0) << "a label is cut at the view's edges";
    x.Key("Right");
    session.Look("next-wall-selected");
    x.DoubleTap(room.right + 14, room.MidY());
    session.Look("keypad");
    x.Type("250");
    session.Look("keypad-typed");
    x.Key("Return");
    shot = session.Look("typed-length");
    room = RoomBox(shot);
    ASSERT_TRUE(room.Found());
    const double aspect = static_cast<double>(room.bottom - room.top) / (room.right - room.left);
    EXPECT_NEAR(aspect, 250.0 / 200.0, 0.08) << "the room is not 250 by 200";
    EXPECT_EQ(InkAtTheViewsEdges(shot), 0) << "a label of the 250 by 200 room is cut at the view's edges";
    EXPECT_TRUE(session.WaitForJournal()) << "the typed length is not journalled";
    x.Tap(kDoorButtonX, kBarY);
    shot = session.Look("door-mode");
    room = RoomBox(shot);

    // A door on the right wall and a window on the left one, each through
    // the New Wall Object sheet (the window from its Object page).
    x.Tap(room.right, room.MidY());
    session.Look("door-sheet");
    x.Tap(kSheetOkX, kSheetTabsY);
    shot = session.Look("door");
    EXPECT_GE(DoorOnRightWall(shot, room).y, 0) << "no door on the right wall";

    // The door widened to 60 on its edit sheet's Dimensions page (its width
    // is given there, as the room's lengths are): the door grows about its
    // middle, and the room keeps every wall. The view fits the room anew, so
    // the room is measured by its own height. One undo takes the change
    // back, redo gives it again, and a second undo leaves the door as it was.
    {
        EXPECT_TRUE(session.WaitForJournal()) << "the door is not journalled";  // its own snapshot
        const Box before = RoomBox(shot);
        const DoorRows narrow = DoorRowsOnRightWall(shot, RightWall(shot, before));
        const CPointish door = DoorOnRightWall(shot, before);
        ASSERT_GE(door.y, 0);
        x.Tap(door.x, door.y);
        session.Look("door-edit-sheet");
        x.Tap(kObjectTabX, kSheetTabsY);
        session.Look("door-dimensions");
        x.Tap(kWidthEditX, kWidthRowY);
        x.Type("60");
        session.Look("door-width-typed");
        x.Tap(kSheetOkX, kSheetTabsY);
        shot = session.Look("door-widened");
        const Box after = RoomBox(shot);
        ASSERT_TRUE(after.Found());
        const double scale = static_cast<double>(after.bottom - after.top) / (before.bottom - before.top);
        EXPECT_NEAR(after.right - after.left, (before.right - before.left) * scale, 2)
            << "the room is no longer 250 by 200";
        const DoorRows wide = DoorRowsOnRightWall(shot, RightWall(shot, after));
        ASSERT_GE(wide.first, 0) << "the door is gone";
        const double pixelsPerInch = (after.bottom - after.top) / 250.0;
        EXPECT_NEAR(wide.last - wide.first, (narrow.last - narrow.first) * scale + 28 * pixelsPerInch, 3)
            << "the door is not 28 wider";
        EXPECT_NEAR((wide.first + wide.last) / 2.0 - after.top,
                    ((narrow.first + narrow.last) / 2.0 - before.top) * scale, 2)
            << "the door's middle moved";
        EXPECT_TRUE(session.WaitForJournal()) << "the wider door is not journalled";
        const auto doorHeight = [](const Shot& s) {
            const Box box = RoomBox(s);
            const DoorRows rows = DoorRowsOnRightWall(s, RightWall(s, box));
            return static_cast<double>(rows.last - rows.first) / (box.bottom - box.top);
        };
        const double narrowHeight = (narrow.last - narrow.first) / static_cast<double>(before.bottom - before.top);
        const double wideHeight = doorHeight(shot);
        x.Key("Down");
        EXPECT_NEAR(doorHeight(session.Look("door-width-undone")), narrowHeight, 0.02) << "one undo";
        x.Key("Up");
        EXPECT_NEAR(doorHeight(session.Look("door-width-redone")), wideHeight, 0.02) << "redo";
        x.Key("Down");
        shot = session.Look("door-narrow-again");
        EXPECT_NEAR(doorHeight(shot), narrowHeight, 0.02) << "undo after redo";
        room = RoomBox(shot);
    }
    x.Tap(room.left, room.MidY());
    session.Look("window-sheet");
    x.Tap(kObjectTabX, kSheetTabsY);
    session.Look("window-page");
    x.Tap(kSheetOkX, kSheetTabsY);
    shot = session.Look("window");
    // Each change its own snapshot of the journal.
    EXPECT_TRUE(session.WaitForJournal()) << "the window is not journalled";
    EXPECT_GT(shot.Count(room.left - 4, room.top, room.left + 5, room.bottom, kWindowGrey), 6) << "no window";

    // The top wall dragged down, then the bottom-left corner inwards, by
    // lengths of the room (200 wide) so that the walls move alike at any fit.
    const double pixelsPerInch = (room.right - room.left) / 200.0;
    auto pixels = [pixelsPerInch](double inches) { return static_cast<int>(std::lround(inches * pixelsPerInch)); };
    const Shot beforeDrag = shot;
    x.Drag(room.MidX(), room.top, room.MidX(), room.top + pixels(19));
    shot = session.Look("wall-drag");
    EXPECT_TRUE(session.WaitForJournal()) << "the wall's drag is not journalled";
    EXPECT_GT(shot.Differing(beforeDrag, 0, kViewTop, shot.Width(), kViewBottom), 200) << "the wall stayed";
    room = RoomBox(shot);
    x.Drag(room.left, room.bottom, room.left + pixels(14), room.bottom - pixels(12));
    const Shot dragged = session.Look("corner-drag");
    EXPECT_LT(LeftWallUpright(dragged), 0.6) << "the left wall is still upright";

    // Undo (Down) straightens the left wall again, redo (Up) slants it.
    EXPECT_TRUE(session.WaitForJournal()) << "the corner's drag is not journalled";
    x.Key("Down");
    shot = session.Look("undo");
    EXPECT_GT(LeftWallUpright(shot), 0.75) << "undo did not take the corner back";
    x.Key("Up");
    shot = session.Look("redo");
    EXPECT_LT(LeftWallUpright(shot), 0.6) << "redo did not bring the corner back";

    // Measurement mode: a value chosen from the command bar's list changes
    // the room, and the arrow keys reach the view again.
    x.Tap(kMeasureButtonX, kBarY);
    const Shot measuring = session.Look("measurement");
    EXPECT_EQ(InkAtTheViewsEdges(measuring), 0) << "a label of the edited room is cut at the view's edges";
    x.Tap(kComboX, kBarY);
    session.Look("value-list");
    x.Tap(kComboX - 10, kValueListLastRowY);
    const Shot chosen = session.Look("value-chosen");
    EXPECT_GT(chosen.Differing(measuring, 0, kViewTop, chosen.Width(), kViewBottom), 20) << "the room did not change";
    x.Key("Right");
    shot = session.Look("next-dimension");
    EXPECT_GT(shot.Differing(chosen, 0, kViewTop, shot.Width(), kViewBottom), 20) << "Right did not reach the view";
    ShortenTheSelectedPart(session, shot);

    // Exit mode: out through the right door into a second room.
    x.Tap(kExitButtonX, kBarY);
    shot = session.Look("exit-mode");
    room = RoomBox(shot);
    const CPointish door = DoorOnRightWall(shot, room);
    ASSERT_GE(door.y, 0) << "no door to leave through";
    x.Tap(door.x, door.y);
    // The palette shown for a room entered through a door: its first shape,
    // the room type at that row of the New Room dialog, OK.
    const auto roomFromPalette = [&](const std::string& which, int typeRowY) {
        const Shot palette = session.Look(which + "-palette");
        EXPECT_GT(ViewInk(palette), 1500) << "no palette for the " << which << " room";
        x.Tap(48, 220);
        session.Look(which + "-new-room");
        x.Tap(40, typeRowY);
        x.Tap(kDialogOkX, kDialogButtonsY);
        return session.Look(which + "-room");
    };
    shot = roomFromPalette("second", 95);  // "Kitchen"
    room = RoomBox(shot);
    EXPECT_TRUE(room.Found()) << "no second room";

    // A branch: back into the hall through the kitchen's entrance, a second
    // door on the hall's top wall, and out through it into a third room.
    EXPECT_TRUE(session.WaitForJournal()) << "the second room is not journalled";
    x.Tap(kExitButtonX, kBarY);
    shot = session.Look("second-exit-mode");
    const CPointish entrance = RedCentre(shot);
    ASSERT_GE(entrance.x, 0) << "no entrance marked";
    room = RoomBox(shot);
    x.Tap(std::abs(entrance.x - room.right) < std::abs(entrance.x - room.left) ? room.right : room.left, entrance.y);
    shot = session.Look("back-in-the-hall");
    x.Tap(kDoorButtonX, kBarY);
    const Shot hall = session.Look("hall-door-mode");
    room = RoomBox(hall);
    ASSERT_TRUE(room.Found()) << "the hall is not shown";
    x.Tap(room.MidX() - 20, room.top);
    session.Look("second-door-sheet");
    x.Tap(kSheetOkX, kSheetTabsY);
    const Shot twoDoors = session.Look("second-door");
    EXPECT_GT(twoDoors.Differing(hall, 0, room.top - 12, hall.Width(), room.top + 12), 20) << "no door on the top wall";
    EXPECT_TRUE(session.WaitForJournal()) << "the second door is not journalled";
    x.Tap(kExitButtonX, kBarY);
    shot = session.Look("hall-exit-mode");
    room = RoomBox(shot);
    x.Tap(room.MidX() - 20, room.top);
    shot = roomFromPalette("third", 39);  // "Bathroom"
    EXPECT_TRUE(RoomBox(shot).Found()) << "no third room";

    // Plan view, save through the file chooser, exit.
    x.Tap(kViewChangeX, kBarY);
    const Shot plan = session.Look("plan");
    EXPECT_GT(plan.Count(0, kViewTop, plan.Width(), kViewBottom, kPlanFill), 2000) << "no plan";
    Save(session);
    const fs::path saved = session.Documents() / "Elm12Mn1.fpl";
    ASSERT_TRUE(session.WaitForSave(saved)) << "the typed address names the file";
    const std::string text = FloorPlanText(saved);
    EXPECT_NE(text.find("<Hall1 "), std::string::npos) << text.substr(0, 400);
    EXPECT_NE(text.find("<Kitchen1 "), std::string::npos) << text.substr(0, 400);
    EXPECT_NE(text.find("<Bathroom1 "), std::string::npos) << text.substr(0, 400);

    // Tools > Load of the level just saved: no question, and the plan as it
    // was saved, not the new-room shape palette.
    shot = LoadLevel(session, saved.filename().string());
    EXPECT_GT(shot.Count(0, kViewTop, shot.Width(), kViewBottom, kPlanFill), 2000) << "no plan after Load";
    EXPECT_LT(shot.Differing(plan, 0, kViewTop, shot.Width(), kViewBottom), 50) << "not the plan that was saved";
    x.Tap(kToolsX, kBarY);
    session.Look("tools-menu");
    x.Tap(kToolsX, kMenuExitY);
    EXPECT_EQ(x.WaitExit(30000), 0) << session.Log();

    // The file named on the command line opens, and its level is shown.
    ASSERT_TRUE(session.Start({saved.string()})) << session.Log();
    shot = session.Look("opened-from-command-line");
    EXPECT_LT(shot.Differing(plan, 0, kViewTop, shot.Width(), kViewBottom), 50) << "not the plan that was saved";
    // Saved on under the file's own base and the next number.
    Save(session);
    const fs::path next = session.Documents() / "Elm12Mn2.fpl";
    EXPECT_TRUE(session.WaitForSave(next)) << "Save did not suggest the file's own next name";

    // Killed, started again, Restore: the level comes back and is shown.
    x.Kill();
    ASSERT_TRUE(session.Start()) << session.Log();
    session.Look("after-kill");
    x.Tap(kRestoreX, kDialogButtonsY);
    shot = session.Look("restored");
    const auto restoredShot = shot;
    EXPECT_LT(shot.Differing(plan, 0, kViewTop, shot.Width(), kViewBottom), 50) << "not the plan that was saved";
    // The restored level is in no file yet: Exit asks, and Yes lets it go.
    x.Tap(kToolsX, kBarY);
    x.Tap(kToolsX, kMenuExitY);
    shot = session.Look("exit-asks-for-restored-work");
    EXPECT_GT(shot.Differing(restoredShot, 0, kViewTop, shot.Width(), kViewBottom), 50) << "no question over the plan";
    x.Tap(kQuestionYesX, kQuestionButtonsY);
    EXPECT_EQ(x.WaitExit(30000), 0) << session.Log();
}
