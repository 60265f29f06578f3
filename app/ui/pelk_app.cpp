#include "pelk_app.h"

#include <memory>
#include <optional>
#include <string>

#include "about_dlg.h"
#include "c_doc_template.h"
#include "c_menu.h"
#include "exchange_file.h"
#include "file_system.h"
#include "history_record.h"
#include "kor_filebuf.h"
#include "main_frame.h"
#include "message_box.h"
#include "paths.h"
#include "xml_element.h"
#include "repl_doc.h"
#include "repl_view.h"
#include "shell_resources.h"
#include "system_services.h"

namespace {

constexpr const wchar_t* kTitle = L"Pelk";
constexpr const wchar_t* kRegistryKey = L"Quendar PELK";
constexpr const wchar_t* kApplicationTag = L"PELK";
constexpr UINT kRecentFiles = 4;
// The show command the running copy gets when it is disabled.
constexpr int kShowDisabledCopy = 13;
constexpr const wchar_t* kNoCardWarning =
    L"No Storage Card detected!\nWe strongly recommend to insert a Storage Card to avoid data loss";

CReplDoc* FirstDocument()
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return nullptr;
    POSITION templates = app->GetFirstDocTemplatePosition();
    CDocTemplate* docTemplate = templates ? app->GetNextDocTemplate(templates) : nullptr;
    if (!docTemplate)
        return nullptr;
    POSITION documents = docTemplate->GetFirstDocPosition();
    return documents ? dynamic_cast<CReplDoc*>(docTemplate->GetNextDoc(documents)) : nullptr;
}

// What is wrong with the exchange file, in the document's own words; empty
// when it can be read.
CString ExchangeFileProblem()
{
    const CString path(kExchangeFilePath);
    const std::optional<std::string> host = PlatformPaths::ToHost(path);
    std::unique_ptr<char[]> text;
    const std::size_t length = host ? KorFilebuf::getall(text, host->c_str()) : 0;
    if (length == 0 || !text)
        return path + CString(" does not exist or corrupted");
    std::unique_ptr<CXMLElement> data(FindElement(text.get(), static_cast<int>(length), "QXR_DATA"));
    if (!data)
        return CString("Incorrect syntax in ") + path;
    return CString();
}

}  // namespace

CReplApp::CReplApp() : CWinApp(kTitle)
{
    MapCommand(ID_APP_ABOUT, &CReplApp::OnAppAbout);
    MapCommand(ID_FILE_NEW, &CWinApp::OnFileNew);
    MapCommand(ID_FILE_OPEN, &CWinApp::OnFileOpen);
}

BOOL CReplApp::InitInstance()
{
    RegisterShellResources();
    SetRegistryKey(kRegistryKey);
    LoadStdProfileSettings(kRecentFiles);
    ApplicationEdition() = kApplicationTag;
    AddDocTemplate(new CSingleDocTemplate(kDocumentResource, RUNTIME_CLASS(CReplDoc), RUNTIME_CLASS(CMainFrame),
                                          RUNTIME_CLASS(CReplView)));
    if (BringRunningCopyToFront())
        return FALSE;
    PrepareExchangeFile();
    CCommandLineInfo info;
    ParseCommandLine(info);
    if (!ProcessShellCommand(info) || !m_pMainWnd)
        return FALSE;
    m_pMainWnd->ShowWindow(SW_SHOW);
    m_pMainWnd->UpdateWindow();
    PrepareBackupFolder();
    ShellCompleteStartup();
    return TRUE;
}

bool CReplApp::BringRunningCopyToFront()
{
    CWnd* running = CWnd::FindWindow(nullptr, kTitle);
    if (!running)
        running = FindRunningCopyWindow(kTitle);
    if (!running)
        return false;
    if (running->GetSafeHwnd() && !running->IsWindowEnabled())
        running->ShowWindow(kShowDisabledCopy);
    running->SetForegroundWindow();
    return true;
}

// The levels, room names and shapes all come from the exchange file: a
// fresh documents folder gets the shipped one, and a file that cannot be
// read is reported before the session starts without them (the document
// reads it silently while the window is not shown yet).
void CReplApp::PrepareExchangeFile()
{
    InstallDefaultExchangeFile();
    const CString problem = ExchangeFileProblem();
    if (!problem.IsEmpty())
        AfxMessageBox(problem);
}

void CReplApp::PrepareBackupFolder()
{
    WIN32_FIND_DATA card{};
    HANDLE search = FindFirstStorageCard(&card);
    if (search == INVALID_HANDLE_VALUE) {
        AfxMessageBox(kNoCardWarning, MB_OK);
        return;
    }
    CString folder;
    folder.Format(L"%s\\Backup", card.cFileName);
    // An existing folder is what we want.
    CreateDirectory(folder, nullptr);
    FindClose(search);
}

void CReplApp::OnAppAbout()
{
    CAboutDlg dialog;
    if (CReplDoc* document = FirstDocument()) {
        dialog.m_address.Format(L"%s %s", document->m_house.GetString(), document->m_street.GetString());
        float nonGarage = 0.0f;
        dialog.m_totalArea = static_cast<int>(document->GetTotalArea(nonGarage));
        dialog.m_measurements = document->CountEnabledDimensions();
        dialog.m_fileName = document->GetNextFileName();
    }
    dialog.DoModal();
}

void CReplApp::ToggleMenuCheck(UINT commandId)
{
    CWnd* main = AfxGetMainWnd();
    CMenu* menu = main ? main->GetMenu() : nullptr;
    if (!menu || menu->GetMenuItemCount() == 0)
        return;
    const UINT state = menu->GetMenuState(commandId, MF_BYCOMMAND);
    if (state == static_cast<UINT>(-1))
        return;
    menu->CheckMenuItem(commandId, MF_BYCOMMAND | ((state & MF_CHECKED) ? MF_UNCHECKED : MF_CHECKED));
}
