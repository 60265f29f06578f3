// Windows of the in-process window system and their message dispatch. A
// window's messages arrive as calls of virtual handlers named after them
// (OnPaint, OnLButtonDown, OnTimer ...); private messages and notifications
// are mapped in the constructor with MapMessage / MapNotify.
#pragma once

#include <functional>
#include <map>
#include <vector>

#include "c_rect.h"
#include "c_string.h"
#include "cmd_target.h"
#include "messages.h"

class CDC;
class CMenu;
class CScrollBar;

constexpr DWORD WS_OVERLAPPED = 0x00000000;
constexpr DWORD WS_POPUP = 0x80000000;
constexpr DWORD WS_CHILD = 0x40000000;
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr DWORD WS_DISABLED = 0x08000000;
constexpr DWORD WS_CLIPSIBLINGS = 0x04000000;
constexpr DWORD WS_CLIPCHILDREN = 0x02000000;
constexpr DWORD WS_CAPTION = 0x00C00000;
constexpr DWORD WS_BORDER = 0x00800000;
constexpr DWORD WS_VSCROLL = 0x00200000;
constexpr DWORD WS_HSCROLL = 0x00100000;
constexpr DWORD WS_SYSMENU = 0x00080000;
constexpr DWORD WS_GROUP = 0x00020000;
constexpr DWORD WS_TABSTOP = 0x00010000;
constexpr DWORD WS_OVERLAPPEDWINDOW = WS_CAPTION | WS_SYSMENU;

constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOW = 5;
constexpr int SW_RESTORE = 9;

constexpr UINT WA_INACTIVE = 0;
constexpr UINT WA_ACTIVE = 1;
constexpr UINT SIZE_RESTORED = 0;

struct CREATESTRUCT {
    LPVOID lpCreateParams = nullptr;
    HWND hwndParent = nullptr;
    UINT id = 0;
    int cy = 0;
    int cx = 0;
    int y = 0;
    int x = 0;
    DWORD style = 0;
    CString name;
    CString className;
};
using LPCREATESTRUCT = CREATESTRUCT*;

struct PAINTSTRUCT {
    BOOL fErase = FALSE;
    RECT rcPaint{0, 0, 0, 0};  // client coordinates
};
using LPPAINTSTRUCT = PAINTSTRUCT*;

// Header of a WM_NOTIFY (lParam points at it).
struct NMHDR {
    HWND hwndFrom = nullptr;
    UINT_PTR idFrom = 0;
    UINT code = 0;
};

class CWnd : public CCmdTarget {
public:
    CWnd();
    ~CWnd() override;

    HWND m_hWnd = nullptr;  // this while the window exists

    // Rectangle in the parent's client coordinates (screen for top-level).
    virtual BOOL Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect,
                        CWnd* parent, UINT id, LPVOID createParams = nullptr);
    virtual BOOL DestroyWindow();
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    // Last call after destruction; frames and views delete themselves here.
    virtual void PostNcDestroy() {}

    static CWnd* FromHandle(HWND window);
    HWND GetSafeHwnd() const { return m_hWnd; }
    CWnd* GetParent() const { return m_parent; }
    CWnd* GetTopLevelParent() const;
    // Owner of a top-level window (modal dialogs disable their owner).
    CWnd* GetOwner() const { return m_owner; }
    void SetOwner(CWnd* owner) { m_owner = owner; }
    const std::vector<CWnd*>& Children() const { return m_children; }
    int GetDlgCtrlID() const { return static_cast<int>(m_id); }
    int SetDlgCtrlID(int id);
    CWnd* GetDlgItem(int id) const;
    DWORD GetStyle() const { return m_style; }
    BOOL ModifyStyle(DWORD remove, DWORD add);

    // Geometry.
    void GetClientRect(LPRECT rect) const;
    void GetWindowRect(LPRECT rect) const;  // screen coordinates
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
    void MoveWindow(LPCRECT rect, BOOL repaint = TRUE);
    void ClientToScreen(LPPOINT point) const;
    void ClientToScreen(LPRECT rect) const;
    void ScreenToClient(LPPOINT point) const;
    void ScreenToClient(LPRECT rect) const;
    // Screen position of the client origin, and the part of the client area
    // that is visible on the screen (clipped by every ancestor), for drawing.
    CPoint GetClientScreenOrigin() const;
    CRect GetVisibleClientScreenRect() const;
    // Thickness of the non-client frame on each side (default none).
    void SetNonClientInsets(const CRect& insets);

    // Visibility, state, text.
    BOOL ShowWindow(int command);
    BOOL IsWindowVisible() const;  // this and every ancestor visible
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowEnabled() const;
    void SetWindowText(LPCTSTR text);
    void GetWindowText(CString& text) const;
    int GetWindowTextLength() const;
    void SetDlgItemText(int id, LPCTSTR text);
    int GetDlgItemText(int id, CString& text) const;
    void SetDlgItemInt(int id, UINT value, BOOL isSigned = TRUE);
    UINT GetDlgItemInt(int id, BOOL* translated = nullptr, BOOL isSigned = TRUE) const;

    // Painting: invalid parts are painted (WM_PAINT) when the queue is empty.
    void Invalidate(BOOL erase = TRUE);
    void InvalidateRect(LPCRECT rect, BOOL erase = TRUE);  // null: all
    void ValidateRect(LPCRECT rect);
    BOOL GetUpdateRect(LPRECT rect, BOOL erase = FALSE) const;
    void UpdateWindow();
    void BeginPaint(LPPAINTSTRUCT paint);
    void EndPaint(const PAINTSTRUCT* paint);

    // The window's menu (a frame's: its command bar's menu), null when none.
    CMenu* GetMenu() const { return m_pMenu; }
    void SetMenu(CMenu* menu) { m_pMenu = menu; }

    // Focus, activation, capture.
    CWnd* SetFocus();
    static CWnd* GetFocus();
    BOOL SetForegroundWindow();
    static CWnd* GetForegroundWindow();
    CWnd* SetActiveWindow();
    static CWnd* GetActiveWindow();
    CWnd* SetCapture();
    static CWnd* GetCapture();
    static BOOL ReleaseCapture();
    // The top-level window with this title (class name ignored), or null.
    static CWnd* FindWindow(LPCTSTR className, LPCTSTR title);
    void BringWindowToTop();

    // Messages.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    UINT_PTR SetTimer(UINT_PTR id, UINT elapseMs, void* unusedTimerProc = nullptr);
    BOOL KillTimer(UINT_PTR id);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Runs the default handling of the message being dispatched.
    LRESULT Default();
    // Seen by the window and its ancestors before dispatch; TRUE eats it.
    virtual BOOL PreTranslateMessage(MSG* msg);

    // Modal loop: dispatches messages until EndModalLoop; the result is the
    // code given there. An EndModalLoop before the loop starts (a dialog
    // ended while it was being set up) ends it at once. A headless run that
    // runs out of input ends the loop with IDCANCEL.
    virtual int RunModalLoop();
    virtual void EndModalLoop(int result);
    BOOL ContinueModal() const { return m_inModalLoop; }

    // Reflected notifications (WM_NOTIFY sent to the parent, handled here).
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

protected:
    // A modal window shown: the focus moves onto it unless it already lies
    // on it or one of its controls.
    void TakeModalFocus();

    virtual int OnCreate(LPCREATESTRUCT cs);
    virtual void OnDestroy();
    virtual void OnPaint();
    virtual BOOL OnEraseBkgnd(CDC* dc);
    virtual void OnTimer(UINT_PTR id);
    virtual void OnLButtonDown(UINT flags, CPoint point);
    virtual void OnLButtonUp(UINT flags, CPoint point);
    virtual void OnLButtonDblClk(UINT flags, CPoint point);
    virtual void OnMouseMove(UINT flags, CPoint point);
    virtual void OnKeyDown(UINT key, UINT repeatCount, UINT flags);
    virtual void OnKeyUp(UINT key, UINT repeatCount, UINT flags);
    virtual void OnChar(UINT ch, UINT repeatCount, UINT flags);
    virtual void OnSize(UINT type, int cx, int cy);
    virtual void OnActivate(UINT state, CWnd* other, BOOL minimized);
    virtual void OnSetFocus(CWnd* oldFocus);
    virtual void OnKillFocus(CWnd* newFocus);
    virtual void OnClose();
    virtual void OnShowWindow(BOOL show, UINT status);
    virtual void OnEnable(BOOL enable);
    virtual void OnHScroll(UINT code, UINT position, CScrollBar* bar);
    virtual void OnVScroll(UINT code, UINT position, CScrollBar* bar);
    virtual void OnContextMenu(CWnd* window, CPoint point);
    // WM_COMMAND: routes (id, code) through OnCmdMsg.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);

    // Private messages: handler(wParam, lParam) -> result.
    template <typename T>
    void MapMessage(UINT message, LRESULT (T::*handler)(WPARAM, LPARAM)) {
        T* self = static_cast<T*>(this);
        m_messageMap[message] = [self, handler](WPARAM w, LPARAM l) { return (self->*handler)(w, l); };
    }
    // Notifications this window receives from its children (WM_NOTIFY).
    template <typename T>
    void MapNotify(UINT code, UINT_PTR fromId, void (T::*handler)(NMHDR*, LRESULT*)) {
        T* self = static_cast<T*>(this);
        m_notifyMap[{code, fromId}] = [self, handler](NMHDR* h, LRESULT* r) { (self->*handler)(h, r); };
    }
    // Notifications this window sent to its parent and handles itself.
    template <typename T>
    void MapNotifyReflect(UINT code, void (T::*handler)(NMHDR*, LRESULT*)) {
        T* self = static_cast<T*>(this);
        m_reflectMap[code] = [self, handler](NMHDR* h, LRESULT* r) { (self->*handler)(h, r); };
    }

private:
    friend class WindowManager;
    LRESULT DispatchToHandler(UINT message, WPARAM wParam, LPARAM lParam);
    void DestroyTree();
    CRect ScreenRect() const;

    CWnd* m_parent = nullptr;
    CWnd* m_owner = nullptr;
    std::vector<CWnd*> m_children;
    UINT m_id = 0;
    DWORD m_style = 0;
    CRect m_rect;           // parent client coordinates
    CRect m_insets;         // non-client thickness
    CString m_text;
    CMenu* m_pMenu = nullptr;
    CRect m_invalid;        // client coordinates; empty = valid
    bool m_erase = false;
    bool m_inModalLoop = false;
    bool m_modalEnded = false;
    int m_modalResult = 0;
    unsigned long long m_serial = 0;
    struct Current {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    Current m_current{0, 0, 0};
    std::map<UINT, std::function<LRESULT(WPARAM, LPARAM)>> m_messageMap;
    std::map<std::pair<UINT, UINT_PTR>, std::function<void(NMHDR*, LRESULT*)>> m_notifyMap;
    std::map<UINT, std::function<void(NMHDR*, LRESULT*)>> m_reflectMap;
};
