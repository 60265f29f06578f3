// The application object: starts the program (profile, document template,
// one running copy, the first document, the main window, the backup folder
// on the storage card) and shows the About box.
#pragma once

#include "c_win_app.h"

class CReplApp : public CWinApp {
public:
    static constexpr UINT kDocumentResource = 108;

    CReplApp();

    BOOL InitInstance() override;
    void OnAppAbout();
    // Turns the check mark of the main window's menu item the other way.
    static void ToggleMenuCheck(UINT commandId);

private:
    bool BringRunningCopyToFront();
    void PrepareExchangeFile();
    void PrepareBackupFolder();
};
