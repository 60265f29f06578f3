// The window system behind CWnd: the list of live windows, the z-order of
// top-level windows, focus, capture, the screen surface that every window
// paints into, the caption band, and the routing of pen and key input.
#pragma once

#include <cairo.h>

#include <mutex>
#include <vector>

#include "c_rect.h"
#include "messages.h"

class CWnd;

// Fills part of the screen (screen pixels) with a colour, clipped to it.
void FillScreenRect(const RECT& rect, COLORREF colour);

class WindowManager {
public:
    static WindowManager& Instance();

    // The logical screen (240 x 320, RGB24). Windows paint into it through
    // device contexts clipped to their visible client area.
    cairo_surface_t* ScreenSurface();

    // Pen input at screen pixels, as the backends deliver it. The window
    // under the pen at pen down receives the press and everything up to pen
    // up. A second press within the double-click time and distance arrives
    // as WM_LBUTTONDBLCLK.
    void PenDown(CPoint screen);
    void PenMove(CPoint screen);
    void PenUp(CPoint screen);
    // Keys go to the focus window (else the active one). The control
    // modifier is reported in the pen messages' flags.
    void Key(UINT virtualKey, bool down);
    // A typed character (WM_CHAR) for the focus window.
    void Char(wchar_t ch);
    void SetControlKey(bool down) { m_control = down; }
    bool ControlKey() const { return m_control; }
    bool PenIsDown() const { return m_penDown; }

    // The topmost enabled, visible window at a screen point.
    CWnd* WindowFromPoint(CPoint screen) const;
    const std::vector<CWnd*>& TopLevelWindows() const { return m_topLevel; }
    // Screen rectangles of the visible top-level windows stacked above the
    // window's own top-level window: what the window may not paint over.
    std::vector<CRect> WindowsAbove(const CWnd* window) const;

    // Paints every invalid window now (children after their parents, lower
    // windows first) and the caption; TRUE when anything was painted.
    BOOL PaintInvalid();
    BOOL HasInvalid() const;
    void InvalidateScreen(const CRect& screenRect);

    // Runs the window procedure of a live window (the message being handled
    // is remembered for CWnd::Default).
    LRESULT Deliver(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Offers a message to its window and that window's ancestors; TRUE when
    // one of them took it.
    BOOL PreTranslate(MSG* msg);

    // Internal bookkeeping for CWnd.
    void Register(CWnd* window);
    void Unregister(CWnd* window);
    bool IsAlive(const CWnd* window) const;
    void RaiseTopLevel(CWnd* window);
    CWnd* Focus() const { return m_focus; }
    void SetFocusWindow(CWnd* window);
    CWnd* Active() const { return m_active; }
    void SetActiveWindow(CWnd* window);
    CWnd* Capture() const { return m_capture; }
    void SetCaptureWindow(CWnd* window) { m_capture = window; }
    unsigned long long NextSerial() { return ++m_serial; }

    // Forgets all input state (tests start from a clean screen).
    void ResetInput();

private:
    WindowManager() = default;
    void PostPen(UINT message, CPoint screen, CWnd* target);
    CWnd* KeyTarget() const;
    void PaintTree(CWnd* window, const CRect& dirty);
    void PaintCaption();
    bool AcceptsInput(const CWnd* window) const;

    cairo_surface_t* m_screen = nullptr;
    std::vector<CWnd*> m_live;
    std::vector<CWnd*> m_topLevel;  // bottom first
    CWnd* m_focus = nullptr;
    CWnd* m_active = nullptr;
    CWnd* m_capture = nullptr;
    CWnd* m_penTarget = nullptr;
    bool m_penDown = false;
    bool m_control = false;
    CRect m_dirty;  // other threads may invalidate too
    mutable std::mutex m_dirtyMutex;
    // Last press, for double clicks.
    bool m_hasLastPress = false;
    bool m_lastWasDoubleClick = false;
    DWORD m_lastPressTime = 0;
    CPoint m_lastPressPoint;
    CWnd* m_lastPressWindow = nullptr;
    unsigned long long m_serial = 0;
};
