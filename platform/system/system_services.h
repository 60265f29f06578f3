// Sounds, the busy cursor, the shell's start-up call and the single running
// copy of the program.
#pragma once

#include <string>

#include "c_string.h"
#include "cmd_target.h"
#include "win_types.h"

class CWnd;

// Message box styles; also the sound types of MessageBeep.
constexpr UINT MB_OK = 0x00000000;
constexpr UINT MB_OKCANCEL = 0x00000001;
constexpr UINT MB_ABORTRETRYIGNORE = 0x00000002;
constexpr UINT MB_YESNOCANCEL = 0x00000003;
constexpr UINT MB_YESNO = 0x00000004;
constexpr UINT MB_RETRYCANCEL = 0x00000005;
constexpr UINT MB_ICONHAND = 0x00000010;
constexpr UINT MB_ICONSTOP = MB_ICONHAND;
constexpr UINT MB_ICONERROR = MB_ICONHAND;
constexpr UINT MB_ICONQUESTION = 0x00000020;
constexpr UINT MB_ICONEXCLAMATION = 0x00000030;
constexpr UINT MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr UINT MB_ICONASTERISK = 0x00000040;
constexpr UINT MB_ICONINFORMATION = MB_ICONASTERISK;
constexpr UINT MB_DEFBUTTON1 = 0x00000000;
constexpr UINT MB_DEFBUTTON2 = 0x00000100;
constexpr UINT MB_SETFOREGROUND = 0x00010000;
constexpr UINT MB_TOPMOST = 0x00040000;

// Sounds through the backend (the window flashes and rings the bell); every
// beep is counted.
BOOL MessageBeep(UINT type);
int BeepCount();
UINT LastBeepType();
void ResetBeepCount();

// Shows the busy cursor for its lifetime.
class CWaitCursor {
public:
    CWaitCursor() { m_target.BeginWaitCursor(); }
    ~CWaitCursor() { m_target.EndWaitCursor(); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
    void Restore() { m_target.RestoreWaitCursor(); }

private:
    CCmdTarget m_target;
};

// The shell's one call at the end of start-up; nothing to do here.
BOOL ShellCompleteStartup();

// One running copy per user: the first start holds a lock file in the
// configuration folder. A later start finds it held, asks the first copy to
// come to the front and ends.
class SingleInstance {
public:
    // TRUE when this process is the only running copy (it now holds the
    // lock); FALSE when another copy holds it (that copy was signalled).
    static BOOL Acquire(const CString& name);
    static void Release();
    // The running copy's handler for "come to the front" requests; the
    // windowed backend installs one.
    using FrontHandler = void (*)();
    static void SetFrontHandler(FrontHandler handler);
    // Called from the message loop: runs the handler when a request came.
    static void ServiceRequests();
};

// A window title not found in this process may belong to the running copy:
// the first search for a title claims it for this process (null result);
// when another copy holds it, a stand-in window is returned whose
// SetForegroundWindow brings that copy to the front.
CWnd* FindRunningCopyWindow(LPCTSTR title);
BOOL SignalRunningCopy(CWnd* window);
