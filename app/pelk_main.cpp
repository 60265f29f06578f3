// The program's entry point.
//
//   pelk [--scale N] [file.fpl]   the program in a window (needs a display)
//   pelk --headless [--png FILE]  a scripted run without a window: start-up,
//                                 a new level (New Session confirmed), the
//                                 first predefined shape as its first room,
//                                 the room closed into the plan; the screen
//                                 is written as a PNG (default pelk.png) and
//                                 the level is reported as text.
//
// The platform's options (--documents DIR, --card DIR) work in both.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "c_frame_wnd.h"
#include "c_wnd.h"
#include "exchange_file.h"
#include "headless_driver.h"
#include "new_session_dlg.h"
#include "paths.h"
#include "pelk_app.h"
#include "repl_doc.h"
#include "room_floor.h"
#include "system_services.h"
#include "xml_element.h"
#include "zup_object.h"

#ifdef PELK_HAVE_GTK
#include "gtk_backend.h"
#endif

namespace {

constexpr const char* kDefaultPng = "pelk.png";

struct HeadlessOptions {
    bool headless = false;
    std::string png = kDefaultPng;
};

// Takes --headless and --png FILE out of argv; the rest stays for the
// platform and the framework.
HeadlessOptions TakeHeadlessOptions(int& argc, char** argv)
{
    HeadlessOptions options;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--headless") == 0) {
            options.headless = true;
        } else if (std::strcmp(argv[i], "--png") == 0 && i + 1 < argc) {
            options.png = argv[++i];
        } else {
            argv[kept++] = argv[i];
        }
    }
    argc = kept;
    argv[argc] = nullptr;
    return options;
}

bool HasDisplay()
{
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 && *x11) || (wayland && *wayland);
}

bool DrawFirstShape(CRoomFloor& room)
{
    ExchangeTables& tables = GetExchangeTables();
    if (tables.shapes.empty() || tables.shapes[0].empty())
        return false;
    CXMLElement* shape = tables.shapes[0][0];
    const char* body = shape->GetAttribute("body");
    if (!body || !room.LoadShape(body, &tables.chains[0], true, true))
        return false;
    const char* name = shape->GetAttribute("name");
    room.SetShapeName(name ? name : "");
    return true;
}

CReplDoc* MainDocument()
{
    CWnd* frame = AfxGetMainWnd();
    auto* window = dynamic_cast<CFrameWnd*>(frame);
    return window ? dynamic_cast<CReplDoc*>(window->GetActiveDocument()) : nullptr;
}

void ReportLevel(CReplDoc& document, CRoomFloor& room)
{
    const char* unit = ZupObject::IsMetric() ? "m2" : "sq ft";
    std::printf("%s %s, level %s (file base %s): %d room(s)\n", document.m_house.ToNarrow().c_str(),
                document.m_street.ToNarrow().c_str(), document.m_level.ToNarrow().c_str(),
                document.m_fileBase.ToNarrow().c_str(), document.GetNumOfRooms());
    std::printf("first room: shape %s, %d walls, area %.1f %s\n", room.GetShapeName().c_str(),
                room.GetNumOfPrimitives(), room.GetArea(), unit);
}

int RunHeadless(CReplApp& app, int argc, char** argv, const HeadlessOptions& options)
{
    PlatformPaths::Configure(argc, argv);
    if (!InstallDefaultExchangeFile()) {
        std::fprintf(stderr, "pelk: cannot write the exchange file into %s\n",
                     PlatformPaths::DocumentsRoot().c_str());
        return 1;
    }
    HeadlessDriver driver;
    driver.OnDialog(CNewSessionDlg::IDD, [](CWnd* dialog, HeadlessDriver& d) { d.TapDlgItem(dialog, IDOK); });
    if (!app.InitInstance()) {
        std::fprintf(stderr, "pelk: start-up failed\n");
        return 1;
    }
    driver.Pump();
    CReplDoc* document = MainDocument();
    CRoomFloor* room = document ? document->GetCurrentRoom() : nullptr;
    if (!room || !(document->InsertShape(0, 0) || DrawFirstShape(*room))) {
        std::fprintf(stderr, "pelk: the exchange file offers no room shape\n");
        return 1;
    }
    room = document->GetCurrentRoom();
    if (document->CloseRoom() && document->m_roomView)
        document->OnViewChange();
    document->UpdateAllViews(nullptr);
    driver.Pump();
    const bool saved = driver.SaveFramePng(options.png);
    ReportLevel(*document, *room);
    if (saved)
        std::printf("screen written to %s\n", options.png.c_str());
    else
        std::fprintf(stderr, "pelk: cannot write %s\n", options.png.c_str());
    if (CWnd* frame = AfxGetMainWnd())
        frame->DestroyWindow();
    app.ExitInstance();
    SingleInstance::Release();
    return saved ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    // The application object lives for the run and goes before the
    // platform's own process-wide tables do.
    CReplApp app;
    std::vector<char*> arguments(argv, argv + argc);
    arguments.push_back(nullptr);
    int count = argc;
    const HeadlessOptions options = TakeHeadlessOptions(count, arguments.data());
#ifdef PELK_HAVE_GTK
    if (!options.headless && HasDisplay())
        return WindowedMain(count, arguments.data());
#endif
    if (!options.headless)
        std::fprintf(stderr, "pelk: no display; running the headless demonstration\n");
    return RunHeadless(app, count, arguments.data(), options);
}
