#include "c_win_app.h"

#include <algorithm>
#include <filesystem>
#include <optional>

#include "c_doc_template.h"
#include "c_document.h"
#include "c_wnd.h"
#include "code_page.h"
#include "window_manager.h"
#include "file_dialog.h"
#include "file_system.h"
#include "paths.h"
#include "profile.h"
#include "system_services.h"

namespace {

CWinApp*& TheApp() {
    static CWinApp* app = nullptr;
    return app;
}

constexpr const wchar_t* kRecentSection = L"Recent File List";

}  // namespace

void CCommandLineInfo::ParseParam(LPCTSTR param, BOOL isFlag, BOOL) {
    if (isFlag || !m_strFileName.IsEmpty()) return;
    m_strFileName = param;
    m_nShellCommand = FileOpen;
}

CWinApp::CWinApp(LPCTSTR appName) : m_pszAppName(appName ? appName : L"") {
    if (TheApp() == nullptr) TheApp() = this;
}

CWinApp::~CWinApp() {
    for (auto it = m_templates.rbegin(); it != m_templates.rend(); ++it) delete *it;
    if (TheApp() == this) TheApp() = nullptr;
}

CWinApp* AfxGetApp() { return TheApp(); }

CWnd* AfxGetMainWnd() { return TheApp() ? TheApp()->m_pMainWnd : nullptr; }

int CWinApp::ExitInstance() {
    SaveRecentFiles();
    return 0;
}

int CWinApp::Run() {
    MSG msg;
    while (GetMessage(&msg, nullptr, 0, 0)) {
        SingleInstance::ServiceRequests();
        if (!WindowManager::Instance().PreTranslate(&msg)) DispatchMessage(&msg);
    }
    return static_cast<int>(msg.wParam);
}

BOOL CWinApp::OnCmdMsg(UINT id, UINT code, CCmdUI* ui) {
    for (CDocTemplate* t : m_templates)
        if (t->OnCmdMsg(id, code, ui)) return TRUE;
    if (m_pMainWnd != nullptr && IsWindow(m_pMainWnd) && m_pMainWnd->OnCmdMsg(id, code, ui)) return TRUE;
    return CCmdTarget::OnCmdMsg(id, code, ui);
}

void CWinApp::SetRegistryKey(LPCTSTR key) {
    m_pszRegistryKey = key ? key : L"";
    m_pszProfileName = m_pszAppName;
}

CString CWinApp::ProfileSection(LPCTSTR section) const {
    CString path = L"Software\\";
    path += m_pszRegistryKey.IsEmpty() ? CString(L"Pelk") : m_pszRegistryKey;
    path += L"\\";
    path += m_pszProfileName.IsEmpty() ? (m_pszAppName.IsEmpty() ? CString(L"Pelk") : m_pszAppName)
                                       : m_pszProfileName;
    path += L"\\";
    path += section;
    return path;
}

void CWinApp::LoadStdProfileSettings(UINT maxRecent) {
    m_maxRecent = maxRecent;
    m_recent.clear();
    for (UINT i = 1; i <= maxRecent; ++i) {
        const CString entry = FormatWide(L"File%u", i);
        const CString value = GetProfileString(kRecentSection, entry);
        if (!value.IsEmpty()) m_recent.push_back(value);
    }
}

void CWinApp::AddToRecentFileList(LPCTSTR path) {
    if (m_maxRecent == 0 || path == nullptr || *path == L'\0') return;
    const CString entry(path);
    std::erase_if(m_recent, [&](const CString& p) { return p.CompareNoCase(entry) == 0; });
    m_recent.insert(m_recent.begin(), entry);
    if (m_recent.size() > m_maxRecent) m_recent.resize(m_maxRecent);
    SaveRecentFiles();
}

void CWinApp::SaveRecentFiles() {
    for (UINT i = 1; i <= m_maxRecent; ++i) {
        const CString entry = FormatWide(L"File%u", i);
        if (i <= m_recent.size()) WriteProfileString(kRecentSection, entry, m_recent[i - 1]);
        else ProfileStore::Instance().Remove(ProfileSection(kRecentSection), entry);
    }
}

void CWinApp::AddDocTemplate(CDocTemplate* docTemplate) { m_templates.push_back(docTemplate); }

POSITION CWinApp::GetFirstDocTemplatePosition() const { return FirstPosition(m_templates); }

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& position) const {
    return NextAtPosition(m_templates, position);
}

namespace {

// A file the user named from the shell: relative to the working folder,
// and "/..." is a path here, not a switch, when that file exists.
std::optional<CString> HostFileArgument(const CString& arg) {
    std::error_code error;
    const std::filesystem::path path(WideToUtf8(arg.str()));
    if (arg.IsEmpty() || arg[0] == L'-' || !std::filesystem::is_regular_file(path, error)) return std::nullopt;
    return CString(Utf8ToWide(std::filesystem::absolute(path, error).lexically_normal().string()));
}

}  // namespace

void CWinApp::ParseCommandLine(CCommandLineInfo& info) {
    for (size_t i = 0; i < m_arguments.size(); ++i) {
        const CString& arg = m_arguments[i];
        const bool last = i + 1 == m_arguments.size();
        if (const auto file = HostFileArgument(arg)) {
            info.ParseParam(*file, FALSE, last);
            continue;
        }
        const bool flag = arg.GetLength() > 1 && (arg[0] == L'-' || arg[0] == L'/');
        info.ParseParam(flag ? arg.Mid(1) : arg, flag ? TRUE : FALSE, last);
    }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& info) {
    switch (info.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        if (!OnCmdMsg(ID_FILE_NEW, 0, nullptr)) OnFileNew();
        return m_pMainWnd != nullptr;
    case CCommandLineInfo::FileOpen:
        return OpenDocumentFile(info.m_strFileName) != nullptr;
    case CCommandLineInfo::FileNothing:
        return TRUE;
    default:
        return FALSE;
    }
}

CDocument* CWinApp::OpenDocumentFile(LPCTSTR path) {
    if (m_templates.empty()) return nullptr;
    return m_templates.front()->OpenDocumentFile(path, TRUE);
}

void CWinApp::OnFileNew() {
    if (!m_templates.empty()) m_templates.front()->OpenDocumentFile(nullptr, TRUE);
}

void CWinApp::OnFileOpen() {
    wchar_t name[MAX_PATH] = {};
    OPENFILENAME ofn;
    ofn.lpstrFile = name;
    ofn.nMaxFile = MAX_PATH;
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
    if (GetOpenFileName(&ofn)) OpenDocumentFile(name);
}

void CWinApp::OnAppExit() {
    if (m_pMainWnd != nullptr) m_pMainWnd->SendMessage(WM_CLOSE);
    else PostQuitMessage(0);
}

CString CWinApp::GetProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR defaultValue) {
    const auto value = ProfileStore::Instance().Get(ProfileSection(section), entry);
    return value ? *value : CString(defaultValue ? defaultValue : L"");
}

BOOL CWinApp::WriteProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR value) {
    if (value == nullptr) return ProfileStore::Instance().Remove(ProfileSection(section), entry);
    return ProfileStore::Instance().Set(ProfileSection(section), entry, value);
}

UINT CWinApp::GetProfileInt(LPCTSTR section, LPCTSTR entry, int defaultValue) {
    const auto value = ProfileStore::Instance().Get(ProfileSection(section), entry);
    return static_cast<UINT>(value ? ParseInt(value->str()) : defaultValue);
}

BOOL CWinApp::WriteProfileInt(LPCTSTR section, LPCTSTR entry, int value) {
    return WriteProfileString(section, entry, CString(FormatWide(L"%d", value)));
}

int AfxWinMain(int argc, char** argv) {
    PlatformPaths::Configure(argc, argv);
    CWinApp* app = AfxGetApp();
    if (app == nullptr) return 1;
    for (int i = 1; i < argc; ++i) app->m_arguments.emplace_back(Utf8ToWide(argv[i]));
    int result = 0;
    if (app->InitInstance()) result = app->Run();
    const int exitCode = app->ExitInstance();
    SingleInstance::Release();
    return result != 0 ? result : exitCode;
}
