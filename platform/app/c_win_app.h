// The application object: start-up, the document templates, the profile
// with its recent-file list, the message loop.
#pragma once

#include <vector>

#include "afx_ids.h"
#include "c_string.h"
#include "cmd_target.h"

class CDocTemplate;
class CDocument;
class CWnd;

class CCommandLineInfo {
public:
    enum { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppUnregister, FileNothing = -1 };
    virtual ~CCommandLineInfo() = default;
    // One argument: the first that is not an option names a file to open.
    virtual void ParseParam(LPCTSTR param, BOOL isFlag, BOOL isLast);

    int m_nShellCommand = FileNew;
    CString m_strFileName;
};

class CWinApp : public CCmdTarget {
public:
    explicit CWinApp(LPCTSTR appName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitInstance() { return TRUE; }
    virtual int ExitInstance();
    // The message loop; returns the exit code of WM_QUIT.
    virtual int Run();
    // Every template, the main window, then the application.
    BOOL OnCmdMsg(UINT id, UINT code, CCmdUI* ui) override;

    void SetRegistryKey(LPCTSTR key);
    // Reads the recent-file list (at most maxRecent entries).
    void LoadStdProfileSettings(UINT maxRecent = 4);
    void AddDocTemplate(CDocTemplate* docTemplate);
    POSITION GetFirstDocTemplatePosition() const;
    CDocTemplate* GetNextDocTemplate(POSITION& position) const;
    void ParseCommandLine(CCommandLineInfo& info);
    BOOL ProcessShellCommand(CCommandLineInfo& info);
    virtual CDocument* OpenDocumentFile(LPCTSTR path);
    virtual void AddToRecentFileList(LPCTSTR path);
    const std::vector<CString>& RecentFiles() const { return m_recent; }

    CString GetProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR defaultValue = nullptr);
    BOOL WriteProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR value);
    UINT GetProfileInt(LPCTSTR section, LPCTSTR entry, int defaultValue);
    BOOL WriteProfileInt(LPCTSTR section, LPCTSTR entry, int value);

    // The framework's handlers that applications map to their commands.
    void OnFileNew();
    void OnFileOpen();
    void OnAppExit();

    CString m_pszAppName;
    CString m_pszRegistryKey;
    CString m_pszProfileName;
    CWnd* m_pMainWnd = nullptr;
    int m_nCmdShow = 5;
    std::vector<CString> m_arguments;  // command line, options removed

private:
    CString ProfileSection(LPCTSTR section) const;
    void SaveRecentFiles();

    std::vector<CDocTemplate*> m_templates;
    std::vector<CString> m_recent;
    UINT m_maxRecent = 0;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
// The framework's entry: reads the layer's options (--documents, --card),
// runs InitInstance, the message loop and ExitInstance of the one
// application object.
int AfxWinMain(int argc, char** argv);
