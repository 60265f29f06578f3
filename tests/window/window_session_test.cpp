// A person's session in the real window: the program started under Xvfb
// and driven with the pointer and keys through xdotool, checked by what the
// screen shows and by the files it writes. The test re-runs itself under
// xvfb-run, so it needs no display of its own; the screenshots of each
// step stay in the build folder (window_session/) for a person to look at.
#include <gtest/gtest.h>

#include <unistd.h>

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
constexpr int kMenuSaveY = 259;
constexpr int kMenuExitY = 283;

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
                                               "leak:libglib-2\nleak:libgobject-2\nleak:libfontconfig\n";
    }
    XSession& X() { return m_x; }
    fs::path Documents() const { return m_folder / "documents"; }

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
        return m_x.Start(PELK_PATH, args, env, (m_folder / "pelk.log").string()) && m_x.FindWindow("Pelk", 30000);
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

// Tools > Save; the toolkit's file chooser takes the suggested name.
void Save(Session& session) {
    XSession& x = session.X();
    x.Tap(kToolsX, kBarY);
    session.Look("tools-menu");
    x.Tap(kToolsX, kMenuSaveY);
    EXPECT_TRUE(x.KeyToWindow("Save", "Return", 20000)) << "no file chooser";
    session.Look("saved");
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
    const int roomInk = ViewInk(shot);
    EXPECT_GT(shot.Count(0, kViewTop, shot.Width(), kViewBottom, kBlack), 400) << "no walls";

    // Plan view, save through the file chooser, exit.
    x.Tap(kViewChangeX, kBarY);
    shot = session.Look("plan");
    EXPECT_GT(shot.Count(0, kViewTop, shot.Width(), kViewBottom, kPlanFill), 5000) << "no plan";
    Save(session);
    const fs::path saved = session.Documents() / "Elm12Mn1.fpl";
    for (int waited = 0; waited < 20000 && !fs::exists(saved); waited += 100) x.Sleep(100);
    x.Sleep(500);
    ASSERT_TRUE(fs::exists(saved)) << "the typed address names the file";
    const std::string text = FloorPlanText(saved);
    EXPECT_NE(text.find("Hall1"), std::string::npos) << text.substr(0, 400);
    x.Tap(kToolsX, kBarY);
    session.Look("tools-menu");
    x.Tap(kToolsX, kMenuExitY);
    EXPECT_EQ(x.WaitExit(30000), 0) << session.Log();

    // The file named on the command line opens, and its level is shown.
    ASSERT_TRUE(session.Start({saved.string()})) << session.Log();
    shot = session.Look("opened-from-command-line");
    EXPECT_GT(shot.Count(0, kViewTop, shot.Width(), kViewBottom, kPlanFill), 5000) << "the level is not shown";

    // Killed, started again, Restore: the level comes back and is shown.
    x.Sleep(2500);
    x.Kill();
    ASSERT_TRUE(session.Start()) << session.Log();
    session.Look("after-kill");
    x.Tap(kRestoreX, kDialogButtonsY);
    shot = session.Look("restored");
    EXPECT_GT(shot.Count(0, kViewTop, shot.Width(), kViewBottom, kPlanFill), 5000) << "the level is not shown";
    (void)roomInk;
    x.Tap(kToolsX, kBarY);
    x.Tap(kToolsX, kMenuExitY);
    EXPECT_EQ(x.WaitExit(30000), 0) << session.Log();
}
