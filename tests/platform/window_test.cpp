#include <gtest/gtest.h>

#include <cairo.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "c_doc_template.h"
#include "c_document.h"
#include "c_frame_wnd.h"
#include "c_view.h"
#include "c_win_app.h"
#include "c_wnd.h"
#include "headless_driver.h"
#include "string_table.h"
#include "window_manager.h"

namespace {

std::vector<std::string> g_trace;

class Child : public CWnd {
public:
    std::vector<CPoint> downs;

protected:
    void OnLButtonDown(UINT, CPoint p) override { downs.push_back(p); }
};

class Refusing : public CWnd {
protected:
    int OnCreate(LPCREATESTRUCT) override { return -1; }
};

class TraceDoc : public CDocument {
public:
    TraceDoc() {
        MapCommand(2134, &TraceDoc::OnNew);
        MapCommand(57601, &TraceDoc::OnOpen);
        MapCommandRange(2200, 2209, &TraceDoc::OnLevel);
    }
    BOOL OnNewDocument() override {
        g_trace.push_back("doc new");
        return CDocument::OnNewDocument();
    }
    void OnNew() { g_trace.push_back("doc 2134"); }
    void OnOpen() { g_trace.push_back("doc 57601"); }
    void OnLevel(UINT id) { g_trace.push_back("doc level " + std::to_string(id)); }
};

class TraceView : public CView {
public:
    TraceView() {
        MapCommand(2142, &TraceView::OnViewControl);
        MapUpdateCommand(2142, &TraceView::OnUpdateViewControl);
    }
    void OnDraw(CDC*) override { ++draws; }
    void OnInitialUpdate() override {
        CRect client;
        GetClientRect(&client);
        g_trace.push_back("view initial " + std::to_string(client.Width()) + "x" + std::to_string(client.Height()));
        CView::OnInitialUpdate();
    }
    void OnUpdate(CView*, LPARAM hint, CCmdTarget*) override { g_trace.push_back("view update " + std::to_string(hint)); }
    void OnViewControl() { g_trace.push_back("view 2142"); }
    void OnUpdateViewControl(CCmdUI* ui) { ui->SetCheck(1); }
    int draws = 0;
};

class TraceFrame : public CFrameWnd {
public:
    TraceFrame() { MapMessage(WM_USER + 4, &TraceFrame::OnCheckModeButton); }
    LRESULT OnCheckModeButton(WPARAM id, LPARAM) {
        g_trace.push_back("frame mode " + std::to_string(id));
        return 0;
    }
};

class TraceApp : public CWinApp {
public:
    TraceApp() : CWinApp(L"Pelk") {
        MapCommand(57600, &CWinApp::OnFileNew);
        MapCommand(57601, &CWinApp::OnFileOpen);
        MapCommand(57664, &TraceApp::OnAbout);
    }
    void OnAbout() { g_trace.push_back("app 57664"); }
};

class Framework : public ::testing::Test {
protected:
    void SetUp() override {
        g_trace.clear();
        RegisterStrings({{108, L"Pelk\n\nPelk\n\n\nPelk.Document\nPelk Document"}});
        app.AddDocTemplate(new CSingleDocTemplate(108, RUNTIME_CLASS(TraceDoc), RUNTIME_CLASS(TraceFrame),
                                                  RUNTIME_CLASS(TraceView)));
    }
    void TearDown() override {
        if (CWnd* main = AfxGetMainWnd()) main->DestroyWindow();
    }
    CFrameWnd* Frame() { return dynamic_cast<CFrameWnd*>(AfxGetMainWnd()); }

    HeadlessDriver driver;
    TraceApp app;
};

}  // namespace

TEST(Window, CreationPlacesChildrenAndHitsTheTopmost) {
    HeadlessDriver driver;
    CWnd top;
    ASSERT_TRUE(top.Create(nullptr, L"Top", WS_VISIBLE, CRect(0, 26, 240, 320), nullptr, 0));
    Child child;
    ASSERT_TRUE(child.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(10, 20, 110, 70), &top, 5));
    EXPECT_EQ(top.GetDlgItem(5), &child);
    CRect r;
    child.GetWindowRect(&r);
    EXPECT_EQ(r, CRect(10, 46, 110, 96));
    CPoint p(0, 0);
    child.ClientToScreen(&p);
    EXPECT_EQ(p, CPoint(10, 46));
    EXPECT_EQ(WindowManager::Instance().WindowFromPoint(CPoint(50, 50)), &child);
    EXPECT_EQ(WindowManager::Instance().WindowFromPoint(CPoint(150, 50)), &top);
    driver.PenDownScreen(CPoint(15, 50));
    driver.PenUpScreen(CPoint(15, 50));
    ASSERT_EQ(child.downs.size(), 1u);
    EXPECT_EQ(child.downs[0], CPoint(5, 4));
    child.EnableWindow(FALSE);
    EXPECT_EQ(WindowManager::Instance().WindowFromPoint(CPoint(50, 50)), &top);
    top.DestroyWindow();
    EXPECT_FALSE(IsWindow(&child));
}

TEST(Window, ACreateHandlerThatRefusesLeavesNoWindow) {
    HeadlessDriver driver;
    Refusing w;
    EXPECT_FALSE(w.Create(nullptr, L"No", WS_VISIBLE, CRect(0, 0, 10, 10), nullptr, 0));
    EXPECT_EQ(w.m_hWnd, nullptr);
    CWnd orphan;
    EXPECT_FALSE(orphan.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 1, 1), nullptr, 0));
}

TEST(Window, DialogItemIntegersParseStrictly) {
    HeadlessDriver driver;
    CWnd top;
    ASSERT_TRUE(top.Create(nullptr, L"Top", 0, CRect(0, 26, 240, 320), nullptr, 0));
    CWnd edit;
    ASSERT_TRUE(edit.Create(nullptr, L"", WS_CHILD, CRect(0, 0, 50, 20), &top, 1001));
    BOOL ok = FALSE;
    top.SetDlgItemInt(1001, static_cast<UINT>(-12));
    EXPECT_EQ(static_cast<int>(top.GetDlgItemInt(1001, &ok)), -12);
    EXPECT_TRUE(ok);
    top.SetDlgItemText(1001, L" 12x");
    EXPECT_EQ(top.GetDlgItemInt(1001, &ok), 0u);
    EXPECT_FALSE(ok);
    top.SetDlgItemText(1001, L"-5");
    EXPECT_EQ(top.GetDlgItemInt(1001, &ok, FALSE), 0u);
    EXPECT_FALSE(ok);
    top.DestroyWindow();
}

TEST(Window, AModalLoopEndedBeforeItRunsReturnsAtOnce) {
    HeadlessDriver driver;
    CWnd dialog;
    ASSERT_TRUE(dialog.Create(nullptr, L"Dialog", WS_VISIBLE, CRect(0, 26, 240, 320), nullptr, 0));
    dialog.EndModalLoop(IDOK);
    EXPECT_EQ(dialog.RunModalLoop(), IDOK);
    // Nothing scripted and no input: the loop ends as cancelled.
    EXPECT_EQ(dialog.RunModalLoop(), IDCANCEL);
    dialog.PostMessage(WM_NULL);
    dialog.DestroyWindow();
}

TEST(Window, TheCaptionShowsTheActiveWindowsTitleAndPaintingCoversTheScreen) {
    HeadlessDriver driver;
    CWnd top;
    ASSERT_TRUE(top.Create(nullptr, L"Pelk", WS_VISIBLE, CRect(0, 26, 240, 320), nullptr, 0));
    top.SetActiveWindow();
    EXPECT_EQ(driver.PixelAt(239, 0), RGB(0, 0, 128));
    EXPECT_EQ(driver.PixelAt(120, 200), RGB(255, 255, 255));
    bool captionText = false;
    for (int x = 0; x < 60 && !captionText; ++x)
        for (int y = 0; y < kCaptionHeight; ++y)
            if (driver.PixelAt(x, y) == RGB(255, 255, 255)) captionText = true;
    EXPECT_TRUE(captionText);
    top.DestroyWindow();
}

TEST_F(Framework, StartUpBuildsFrameAndViewAndRunsTheFirstUpdateBeforeShowing) {
    CCommandLineInfo info;
    app.ParseCommandLine(info);
    ASSERT_TRUE(app.ProcessShellCommand(info));
    ASSERT_NE(Frame(), nullptr);
    CRect frame;
    Frame()->GetWindowRect(&frame);
    EXPECT_EQ(frame, CRect(0, kCaptionHeight, kScreenWidth, kScreenHeight));
    CString title;
    Frame()->GetWindowText(title);
    EXPECT_EQ(title, CString(L"Pelk"));
    EXPECT_EQ(g_trace, (std::vector<std::string>{"doc new", "view initial 240x294", "view update 0"}));
    EXPECT_TRUE(Frame()->IsWindowVisible());
    POSITION pos = app.GetFirstDocTemplatePosition();
    CDocTemplate* docTemplate = app.GetNextDocTemplate(pos);
    CString documentName;
    EXPECT_TRUE(docTemplate->GetDocString(documentName, CDocTemplate::regFileTypeName));
    EXPECT_EQ(documentName, CString(L"Pelk Document"));
}

TEST_F(Framework, TheCommandBarTakesTheBottomAndTheViewKeeps268Rows) {
    app.OnFileNew();
    CWnd bar;
    ASSERT_TRUE(bar.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 240, 10), Frame(), AFX_IDW_TOOLBAR));
    Frame()->RecalcLayout();
    CRect view;
    Frame()->GetActiveView()->GetWindowRect(&view);
    EXPECT_EQ(view, CRect(0, kCaptionHeight, kScreenWidth, kCaptionHeight + kClientHeight));
    CRect barRect;
    bar.GetWindowRect(&barRect);
    EXPECT_EQ(barRect, CRect(0, kScreenHeight - kCommandBarHeight, kScreenWidth, kScreenHeight));
}

TEST_F(Framework, CommandsRouteViewThenDocumentThenFrameThenApplication) {
    app.OnFileNew();
    g_trace.clear();
    CFrameWnd* frame = Frame();
    frame->SendMessage(WM_COMMAND, 2142);
    frame->SendMessage(WM_COMMAND, 2134);
    frame->SendMessage(WM_COMMAND, 57601);  // the document's entry wins over the application's
    frame->SendMessage(WM_COMMAND, 2203);
    frame->SendMessage(WM_COMMAND, 57664);
    frame->PostMessage(WM_USER + 4, 2140);
    driver.Pump();
    EXPECT_EQ(g_trace, (std::vector<std::string>{"view 2142", "doc 2134", "doc 57601", "doc level 2203",
                                                 "app 57664", "frame mode 2140"}));
    CCmdUI ui(2142);
    EXPECT_TRUE(frame->OnCmdMsg(2142, 0, &ui));
    EXPECT_EQ(ui.m_check, 1);
    CCmdUI unknown(2199);
    EXPECT_FALSE(frame->OnCmdMsg(2199, 0, &unknown));
}

TEST_F(Framework, UpdateAllViewsSkipsTheSender) {
    app.OnFileNew();
    CDocument* document = Frame()->GetActiveDocument();
    ASSERT_NE(document, nullptr);
    g_trace.clear();
    document->UpdateAllViews(nullptr, 7);
    POSITION pos = document->GetFirstViewPosition();
    CView* view = document->GetNextView(pos);
    EXPECT_EQ(pos, nullptr);
    document->UpdateAllViews(view, 8);
    EXPECT_EQ(g_trace, std::vector<std::string>{"view update 7"});
}

TEST_F(Framework, ClosingTheMainFrameEndsTheMessageLoop) {
    app.OnFileNew();
    Frame()->PostMessage(WM_CLOSE);
    driver.Pump();
    EXPECT_EQ(AfxGetMainWnd(), nullptr);
    MSG msg;
    EXPECT_FALSE(GetMessage(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_QUIT);
}

namespace {

// A bare modal window: a tap on its child ends it with the child's id.
class TapToEnd : public CWnd {
protected:
    void OnLButtonUp(UINT, CPoint) override { GetParent()->EndModalLoop(GetDlgCtrlID()); }
};

int RunScriptedModal(HeadlessDriver& driver, UINT templateId) {
    CWnd dialog;
    EXPECT_TRUE(dialog.Create(nullptr, L"Dialog", WS_VISIBLE, CRect(0, 26, 240, 320), nullptr, 0));
    TapToEnd ok;
    EXPECT_TRUE(ok.Create(nullptr, L"OK", WS_CHILD | WS_VISIBLE, CRect(10, 10, 60, 30), &dialog, IDOK));
    PlatformBackend().DialogShown(templateId, &dialog);
    const int result = dialog.RunModalLoop();
    dialog.DestroyWindow();
    (void)driver;
    return result;
}

}  // namespace

TEST(Headless, EachShowingOfADialogRunsTheNextScriptForItsTemplate) {
    HeadlessDriver driver;
    int runs = 0;
    driver.OnDialog(500, [&](CWnd* dialog, HeadlessDriver& d) {
        ++runs;
        d.AdvanceTime(50);
        d.TapDlgItem(dialog, IDOK);
    });
    EXPECT_EQ(RunScriptedModal(driver, 500), IDOK);
    EXPECT_EQ(RunScriptedModal(driver, 500), IDCANCEL);  // no second script
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(driver.ShownDialogs(), (std::vector<UINT>{500, 500}));
}

TEST(Headless, TheFrameIsSavedAsAPngOfTheLogicalScreen) {
    HeadlessDriver driver;
    CWnd top;
    ASSERT_TRUE(top.Create(nullptr, L"Pelk", WS_VISIBLE, CRect(0, 26, 240, 320), nullptr, 0));
    const std::string path = ::testing::TempDir() + "pelk-frame-" + std::to_string(::getpid()) + ".png";
    ASSERT_TRUE(driver.SaveFramePng(path));
    cairo_surface_t* image = cairo_image_surface_create_from_png(path.c_str());
    ASSERT_EQ(cairo_surface_status(image), CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(cairo_image_surface_get_width(image), 240);
    EXPECT_EQ(cairo_image_surface_get_height(image), 320);
    cairo_surface_destroy(image);
    std::remove(path.c_str());
    top.DestroyWindow();
}
