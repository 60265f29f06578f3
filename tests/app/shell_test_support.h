// The whole program started headless for the shell's tests: the
// application object, its frame, view and document, with the New Session
// dialog confirmed and a configuration folder of the test's own.
#pragma once

#include <memory>

#include "app_test_support.h"
#include "c_menu.h"
#include "exchange_file.h"
#include "headless_driver.h"
#include "main_frame.h"
#include "new_session_dlg.h"
#include "pelk_app.h"
#include "repl_doc.h"
#include "repl_view.h"
#include "system_services.h"

class ShellTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        PlatformPaths::SetConfigDirectory((documents / "config").string());
        ASSERT_TRUE(InstallDefaultExchangeFile());
        driver = std::make_unique<HeadlessDriver>();
        app = std::make_unique<CReplApp>();
    }
    void TearDown() override
    {
        if (CWnd* main = AfxGetMainWnd())
            main->DestroyWindow();
        app.reset();
        SingleInstance::Release();
        driver.reset();
        AppTest::TearDown();
    }

    bool Start()
    {
        driver->OnDialog(CNewSessionDlg::IDD, [](CWnd* dialog, HeadlessDriver& d) { d.TapDlgItem(dialog, IDOK); });
        const bool started = app->InitInstance() != FALSE;
        driver->Pump();
        return started;
    }
    CMainFrame* Frame() const { return GetMainFrame(); }
    CReplView* View() const { return Frame() ? dynamic_cast<CReplView*>(Frame()->GetActiveView()) : nullptr; }
    CReplDoc* Doc() const { return View() ? View()->GetReplDoc() : nullptr; }
    // The plan shown with nothing on it and no edit mode: the view's own
    // handling decides what a gesture does.
    void ShowEmptyPlan()
    {
        Doc()->m_roomView = false;
        Doc()->m_currentMode = -1;
    }
    bool ViewControlChecked() const
    {
        CMenu* menu = Frame()->GetMenu();
        return menu && (menu->GetMenuState(2142, MF_BYCOMMAND) & MF_CHECKED) != 0;
    }

    std::unique_ptr<HeadlessDriver> driver;
    std::unique_ptr<CReplApp> app;
};
