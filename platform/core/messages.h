// Window messages, their parameters and the per-thread message queue calls.
#pragma once

#include "c_rect.h"
#include "win_types.h"

constexpr UINT WM_NULL = 0x0000;
constexpr UINT WM_CREATE = 0x0001;
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_MOVE = 0x0003;
constexpr UINT WM_SIZE = 0x0005;
constexpr UINT WM_ACTIVATE = 0x0006;
constexpr UINT WM_SETFOCUS = 0x0007;
constexpr UINT WM_KILLFOCUS = 0x0008;
constexpr UINT WM_ENABLE = 0x000A;
constexpr UINT WM_SETTEXT = 0x000C;
constexpr UINT WM_GETTEXT = 0x000D;
constexpr UINT WM_PAINT = 0x000F;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_QUIT = 0x0012;
constexpr UINT WM_ERASEBKGND = 0x0014;
constexpr UINT WM_SHOWWINDOW = 0x0018;
constexpr UINT WM_NOTIFY = 0x004E;
constexpr UINT WM_NCPAINT = 0x0085;
constexpr UINT WM_CONTEXTMENU = 0x007B;
constexpr UINT WM_KEYFIRST = 0x0100;
constexpr UINT WM_KEYDOWN = 0x0100;
constexpr UINT WM_KEYUP = 0x0101;
constexpr UINT WM_CHAR = 0x0102;
constexpr UINT WM_KEYLAST = 0x0108;
constexpr UINT WM_INITDIALOG = 0x0110;
constexpr UINT WM_COMMAND = 0x0111;
constexpr UINT WM_TIMER = 0x0113;
constexpr UINT WM_HSCROLL = 0x0114;
constexpr UINT WM_VSCROLL = 0x0115;
constexpr UINT WM_INITMENUPOPUP = 0x0117;
constexpr UINT WM_MOUSEFIRST = 0x0200;
constexpr UINT WM_MOUSEMOVE = 0x0200;
constexpr UINT WM_LBUTTONDOWN = 0x0201;
constexpr UINT WM_LBUTTONUP = 0x0202;
constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
constexpr UINT WM_MOUSELAST = 0x0209;
constexpr UINT WM_USER = 0x0400;
constexpr UINT WM_APP = 0x8000;

// Key and button state flags carried in wParam of pen messages.
constexpr UINT MK_LBUTTON = 0x0001;
constexpr UINT MK_SHIFT = 0x0004;
constexpr UINT MK_CONTROL = 0x0008;

// Virtual keys (the handheld's hardware keys arrive as the arrows).
constexpr UINT VK_BACK = 0x08;
constexpr UINT VK_TAB = 0x09;
constexpr UINT VK_RETURN = 0x0D;
constexpr UINT VK_SHIFT = 0x10;
constexpr UINT VK_CONTROL = 0x11;
constexpr UINT VK_ESCAPE = 0x1B;
constexpr UINT VK_SPACE = 0x20;
constexpr UINT VK_LEFT = 0x25;
constexpr UINT VK_UP = 0x26;
constexpr UINT VK_RIGHT = 0x27;
constexpr UINT VK_DOWN = 0x28;
constexpr UINT VK_DELETE = 0x2E;

// Dialog and message box results; also the OK and Cancel command ids.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

constexpr UINT PM_NOREMOVE = 0x0000;
constexpr UINT PM_REMOVE = 0x0001;

// Pen message timing: a second press within this time and distance of the
// first becomes a double click (down, up, double click, up).
constexpr DWORD kDoubleClickTime = 500;
constexpr int kDoubleClickDistance = 4;

struct MSG {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    DWORD time = 0;
    POINT pt{0, 0};
};
using LPMSG = MSG*;

// Queue calls. Each thread has its own queue; a window's messages go to the
// queue of the thread that created it. Posting to a window that no longer
// exists fails with FALSE.
BOOL PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Same thread: the window procedure runs at once. Another thread: the
// message is queued for the window's thread and the caller waits for it.
LRESULT SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Takes the first queued message whose number lies in [first, last] (both 0:
// any) for the window (null: any window of this thread). Paint and timer
// messages are produced when nothing queued matches.
BOOL PeekMessage(LPMSG msg, HWND window, UINT first, UINT last, UINT removeFlags);
// Waits for a message; FALSE for WM_QUIT, and FALSE also when the backend
// reports that no message can ever arrive (a headless run out of input).
BOOL GetMessage(LPMSG msg, HWND window, UINT first, UINT last);
LRESULT DispatchMessage(const MSG* msg);
void PostQuitMessage(int exitCode);
// Dispatches every waiting message, paint and due timer; returns how many.
int PumpWaitingMessages();

// Timers post WM_TIMER (wParam = id) to their window when the platform clock
// reaches their due time; a timer fires once per due period however late.
UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapseMs, void* unusedTimerProc = nullptr);
BOOL KillTimer(HWND window, UINT_PTR id);

BOOL IsWindow(HWND window);
