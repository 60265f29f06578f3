#include "c_wnd.h"

#include <algorithm>

#include "backend.h"
#include "clock.h"
#include "system_services.h"
#include "thread_queue.h"
#include "window_manager.h"

namespace {

WindowManager& Manager() { return WindowManager::Instance(); }

}  // namespace

CWnd::CWnd() : m_serial(Manager().NextSerial()) {}

CWnd::~CWnd() {
    // Only the base parts run now; derived handlers are already gone.
    if (m_hWnd != nullptr) DestroyTree();
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT&) { return TRUE; }

BOOL CWnd::Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                  LPVOID createParams) {
    if (m_hWnd != nullptr) return FALSE;
    if ((style & WS_CHILD) && (parent == nullptr || parent->m_hWnd == nullptr)) return FALSE;
    CREATESTRUCT cs;
    cs.lpCreateParams = createParams;
    cs.hwndParent = parent ? parent->m_hWnd : nullptr;
    cs.id = id;
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.right - rect.left;
    cs.cy = rect.bottom - rect.top;
    cs.style = style;
    cs.name = windowName ? windowName : L"";
    cs.className = className ? className : L"";
    if (!PreCreateWindow(cs)) return FALSE;

    m_style = cs.style;
    m_rect = CRect(cs.x, cs.y, cs.x + cs.cx, cs.y + cs.cy);
    m_id = cs.id;
    m_text = cs.name;
    if (m_style & WS_CHILD) {
        m_parent = parent;
        parent->m_children.push_back(this);
    } else {
        m_owner = parent;
    }
    m_hWnd = this;
    Manager().Register(this);
    if (WindowManager::Instance().Deliver(this, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        DestroyWindow();
        return FALSE;
    }
    if (!IsWindow(this)) return FALSE;
    CRect client;
    GetClientRect(&client);
    SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.Width(), client.Height()));
    if (m_style & WS_VISIBLE) Invalidate();
    return TRUE;
}

void CWnd::DestroyTree() {
    CRect area = ScreenRect();
    const std::vector<CWnd*> children = m_children;
    for (auto it = children.rbegin(); it != children.rend(); ++it)
        if (IsWindow(*it)) (*it)->DestroyWindow();
    if (m_parent) std::erase(m_parent->m_children, this);
    Manager().Unregister(this);
    Manager().InvalidateScreen(area);
    m_hWnd = nullptr;
    m_parent = nullptr;
    if (m_inModalLoop) {
        m_inModalLoop = false;
        m_modalEnded = true;
        if (m_modalResult == 0) m_modalResult = IDCANCEL;
    }
}

BOOL CWnd::DestroyWindow() {
    if (m_hWnd == nullptr) return FALSE;
    SendMessage(WM_DESTROY);
    DestroyTree();
    PostNcDestroy();  // may delete this
    return TRUE;
}

CWnd* CWnd::FromHandle(HWND window) { return IsWindow(window) ? window : nullptr; }

CWnd* CWnd::GetTopLevelParent() const {
    const CWnd* w = this;
    while (w->m_parent) w = w->m_parent;
    return const_cast<CWnd*>(w);
}

int CWnd::SetDlgCtrlID(int id) {
    const int old = static_cast<int>(m_id);
    m_id = static_cast<UINT>(id);
    return old;
}

CWnd* CWnd::GetDlgItem(int id) const {
    for (CWnd* child : m_children)
        if (child->m_id == static_cast<UINT>(id)) return child;
    return nullptr;
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add) {
    const DWORD old = m_style;
    m_style = (m_style & ~remove) | add;
    if (old != m_style) Invalidate();
    return old != m_style;
}

CRect CWnd::ScreenRect() const {
    CRect r = m_rect;
    if (m_parent) r.OffsetRect(m_parent->GetClientScreenOrigin());
    return r;
}

void CWnd::GetClientRect(LPRECT rect) const {
    *rect = CRect(0, 0, std::max(0, m_rect.Width() - m_insets.left - m_insets.right),
                  std::max(0, m_rect.Height() - m_insets.top - m_insets.bottom));
}

void CWnd::GetWindowRect(LPRECT rect) const { *rect = ScreenRect(); }

CPoint CWnd::GetClientScreenOrigin() const {
    const CRect r = ScreenRect();
    return CPoint(r.left + m_insets.left, r.top + m_insets.top);
}

CRect CWnd::GetVisibleClientScreenRect() const {
    CRect client;
    GetClientRect(&client);
    client.OffsetRect(GetClientScreenOrigin());
    client = client & CRect(0, 0, kScreenWidth, kScreenHeight);
    for (const CWnd* p = m_parent; p != nullptr && !client.IsRectEmpty(); p = p->m_parent) {
        CRect parentClient;
        p->GetClientRect(&parentClient);
        parentClient.OffsetRect(p->GetClientScreenOrigin());
        client = client & parentClient;
    }
    return client;
}

void CWnd::SetNonClientInsets(const CRect& insets) {
    m_insets = insets;
    Invalidate();
}

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint) {
    const CRect before = ScreenRect();
    const CSize oldSize = m_rect.Size();
    m_rect = CRect(x, y, x + width, y + height);
    if (m_hWnd == nullptr) return;
    if (repaint) {
        Manager().InvalidateScreen(before);
        Manager().InvalidateScreen(ScreenRect());
    }
    if (oldSize != m_rect.Size()) {
        CRect client;
        GetClientRect(&client);
        SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.Width(), client.Height()));
    }
}

void CWnd::MoveWindow(LPCRECT rect, BOOL repaint) {
    MoveWindow(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, repaint);
}

void CWnd::ClientToScreen(LPPOINT point) const {
    const CPoint origin = GetClientScreenOrigin();
    point->x += origin.x;
    point->y += origin.y;
}

void CWnd::ClientToScreen(LPRECT rect) const {
    const CPoint origin = GetClientScreenOrigin();
    static_cast<CRect*>(rect)->OffsetRect(origin);
}

void CWnd::ScreenToClient(LPPOINT point) const {
    const CPoint origin = GetClientScreenOrigin();
    point->x -= origin.x;
    point->y -= origin.y;
}

void CWnd::ScreenToClient(LPRECT rect) const {
    const CPoint origin = GetClientScreenOrigin();
    static_cast<CRect*>(rect)->OffsetRect(-origin.x, -origin.y);
}

BOOL CWnd::ShowWindow(int command) {
    const BOOL wasVisible = (m_style & WS_VISIBLE) ? TRUE : FALSE;
    const bool show = command != SW_HIDE;
    if (show == static_cast<bool>(wasVisible)) return wasVisible;
    if (show) m_style |= WS_VISIBLE;
    else m_style &= ~WS_VISIBLE;
    if (m_hWnd == nullptr) return wasVisible;
    Manager().InvalidateScreen(ScreenRect());
    if (!m_parent) Manager().InvalidateScreen(CRect(0, 0, kScreenWidth, kCaptionHeight));
    SendMessage(WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
    if (!show) {
        for (CWnd* f = Manager().Focus(); f != nullptr; f = f->m_parent)
            if (f == this) {
                Manager().SetFocusWindow(m_parent);
                break;
            }
    }
    return wasVisible;
}

BOOL CWnd::IsWindowVisible() const {
    for (const CWnd* w = this; w != nullptr; w = w->m_parent)
        if (!(w->m_style & WS_VISIBLE)) return FALSE;
    return m_hWnd != nullptr;
}

BOOL CWnd::EnableWindow(BOOL enable) {
    const BOOL wasDisabled = (m_style & WS_DISABLED) ? TRUE : FALSE;
    if (static_cast<bool>(enable) != static_cast<bool>(wasDisabled)) return wasDisabled;
    if (enable) m_style &= ~WS_DISABLED;
    else m_style |= WS_DISABLED;
    if (m_hWnd) {
        SendMessage(WM_ENABLE, enable ? TRUE : FALSE, 0);
        Invalidate();
    }
    return wasDisabled;
}

BOOL CWnd::IsWindowEnabled() const { return (m_style & WS_DISABLED) ? FALSE : TRUE; }

void CWnd::SetWindowText(LPCTSTR text) {
    if (m_hWnd) SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : L""));
    else m_text = text ? text : L"";
}

void CWnd::GetWindowText(CString& text) const { text = m_text; }

int CWnd::GetWindowTextLength() const { return m_text.GetLength(); }

void CWnd::SetDlgItemText(int id, LPCTSTR text) {
    if (CWnd* item = GetDlgItem(id)) item->SetWindowText(text);
}

int CWnd::GetDlgItemText(int id, CString& text) const {
    text.Empty();
    if (CWnd* item = GetDlgItem(id)) item->GetWindowText(text);
    return text.GetLength();
}

void CWnd::SetDlgItemInt(int id, UINT value, BOOL isSigned) {
    const CString text = isSigned ? CString(FormatWide(L"%d", static_cast<int>(value)))
                                  : CString(FormatWide(L"%u", value));
    SetDlgItemText(id, text);
}

UINT CWnd::GetDlgItemInt(int id, BOOL* translated, BOOL isSigned) const {
    if (translated) *translated = FALSE;
    CString text;
    if (GetDlgItem(id) == nullptr) return 0;
    GetDlgItemText(id, text);
    text.Trim();
    const std::wstring& s = text.str();
    size_t i = (isSigned && !s.empty() && s[0] == L'-') ? 1 : 0;
    if (i == s.size()) return 0;
    long long value = 0;
    for (size_t k = i; k < s.size(); ++k) {
        if (s[k] < L'0' || s[k] > L'9') return 0;
        value = value * 10 + (s[k] - L'0');
        if (value > 0xFFFFFFFFLL) return 0;
    }
    if (i == 1) {
        if (value > 0x80000000LL) return 0;
        value = -value;
    } else if (isSigned && value > 0x7FFFFFFFLL) {
        return 0;
    }
    if (translated) *translated = TRUE;
    return static_cast<UINT>(value);
}

void CWnd::Invalidate(BOOL erase) { InvalidateRect(nullptr, erase); }

void CWnd::InvalidateRect(LPCRECT rect, BOOL) {
    if (m_hWnd == nullptr) return;
    CRect client;
    GetClientRect(&client);
    CRect part = rect ? (client & *rect) : client;
    if (part.IsRectEmpty()) return;
    part.OffsetRect(GetClientScreenOrigin());
    Manager().InvalidateScreen(part);
}

void CWnd::ValidateRect(LPCRECT rect) {
    if (rect == nullptr) m_invalid.SetRectEmpty();
    else if (CRect(rect) == (m_invalid & *rect)) m_invalid.SetRectEmpty();
}

BOOL CWnd::GetUpdateRect(LPRECT rect, BOOL) const {
    CRect update = m_invalid;
    if (update.IsRectEmpty() && Manager().HasInvalid()) {
        update = GetVisibleClientScreenRect();
        ScreenToClient(&update);
    }
    if (rect) *rect = update;
    return update.IsRectEmpty() ? FALSE : TRUE;
}

void CWnd::UpdateWindow() {
    if (m_hWnd && Manager().HasInvalid()) Manager().PaintInvalid();
}

void CWnd::BeginPaint(LPPAINTSTRUCT paint) {
    CRect client;
    GetClientRect(&client);
    paint->rcPaint = m_invalid.IsRectEmpty() ? client : m_invalid;
    paint->fErase = m_erase ? TRUE : FALSE;
}

void CWnd::EndPaint(const PAINTSTRUCT*) {
    m_invalid.SetRectEmpty();
    m_erase = false;
}

CWnd* CWnd::SetFocus() {
    CWnd* previous = Manager().Focus();
    if (previous == this || m_hWnd == nullptr) return previous;
    Manager().SetFocusWindow(this);
    if (previous && IsWindow(previous)) previous->SendMessage(WM_KILLFOCUS, reinterpret_cast<WPARAM>(this), 0);
    if (IsWindow(this)) SendMessage(WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
    return previous;
}

CWnd* CWnd::GetFocus() { return Manager().Focus(); }

BOOL CWnd::SetForegroundWindow() {
    if (m_hWnd == nullptr) return SignalRunningCopy(this);
    CWnd* top = GetTopLevelParent();
    Manager().RaiseTopLevel(top);
    Manager().SetActiveWindow(top);
    return TRUE;
}

CWnd* CWnd::GetForegroundWindow() { return Manager().Active(); }

CWnd* CWnd::SetActiveWindow() {
    CWnd* previous = Manager().Active();
    if (m_hWnd) Manager().SetActiveWindow(GetTopLevelParent());
    return previous;
}

CWnd* CWnd::GetActiveWindow() { return Manager().Active(); }

CWnd* CWnd::SetCapture() {
    CWnd* previous = Manager().Capture();
    Manager().SetCaptureWindow(m_hWnd ? this : nullptr);
    return previous;
}

CWnd* CWnd::GetCapture() { return Manager().Capture(); }

BOOL CWnd::ReleaseCapture() {
    Manager().SetCaptureWindow(nullptr);
    return TRUE;
}

CWnd* CWnd::FindWindow(LPCTSTR, LPCTSTR title) {
    for (CWnd* w : Manager().TopLevelWindows())
        if (title == nullptr || w->m_text == title) return w;
    return FindRunningCopyWindow(title);
}

void CWnd::BringWindowToTop() {
    if (m_hWnd) Manager().RaiseTopLevel(GetTopLevelParent());
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::SendMessage(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::PostMessage(m_hWnd, message, wParam, lParam);
}

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapseMs, void*) {
    return m_hWnd ? ::SetTimer(m_hWnd, id, elapseMs) : 0;
}

BOOL CWnd::KillTimer(UINT_PTR id) { return m_hWnd ? ::KillTimer(m_hWnd, id) : FALSE; }

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (const auto it = m_messageMap.find(message); it != m_messageMap.end()) return it->second(wParam, lParam);
    return DispatchToHandler(message, wParam, lParam);
}

LRESULT CWnd::Default() { return DefWindowProc(m_current.message, m_current.wParam, m_current.lParam); }

LRESULT CWnd::DefWindowProc(UINT message, WPARAM, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        DestroyWindow();
        return 0;
    case WM_SETTEXT:
        m_text = reinterpret_cast<LPCTSTR>(lParam);
        Invalidate();
        if (!m_parent) Manager().InvalidateScreen(CRect(0, 0, kScreenWidth, kCaptionHeight));
        return TRUE;
    case WM_ERASEBKGND: {
        CRect area = m_invalid;
        area.OffsetRect(GetClientScreenOrigin());
        FillScreenRect(area & GetVisibleClientScreenRect(), RGB(255, 255, 255));
        return TRUE;
    }
    default:
        return 0;
    }
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

int CWnd::RunModalLoop() {
    const HWND self = m_hWnd;
    m_inModalLoop = !m_modalEnded;
    TakeModalFocus();
    while (m_inModalLoop && IsWindow(self)) {
        MSG msg;
        if (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(msg.wParam));  // for the outer loop
                m_modalResult = IDCANCEL;
                break;
            }
            if (!Manager().PreTranslate(&msg)) DispatchMessage(&msg);
            continue;
        }
        DWORD due = 0;
        const DWORD timeout = NextTimerDue(&due) ? due - GetTickCount() : INFINITE;
        if (!PlatformBackend().WaitForEvents(timeout) && IsWindow(self) && m_inModalLoop) {
            m_modalResult = IDCANCEL;  // no input can come any more
            break;
        }
    }
    const int result = m_modalResult;
    if (IsWindow(self)) {
        m_inModalLoop = false;
        m_modalEnded = false;
    }
    return result;
}

// The keys go to the focus window: while a modal window runs they must reach
// it (Return, Escape), not the window behind it that had the focus. Whoever
// shows the modal window gives the focus back when it ends.
void CWnd::TakeModalFocus() {
    if (m_hWnd == nullptr) return;
    for (CWnd* f = GetFocus(); f != nullptr; f = f->m_parent)
        if (f == this) return;
    SetFocus();
}

void CWnd::EndModalLoop(int result) {
    m_modalResult = result;
    m_modalEnded = true;
    m_inModalLoop = false;
    PlatformBackend().Wake();
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM, LPARAM lParam, LRESULT* result) {
    if (message != WM_NOTIFY) return FALSE;
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    const auto it = m_reflectMap.find(header->code);
    if (it == m_reflectMap.end()) return FALSE;
    LRESULT ignored = 0;
    it->second(header, result ? result : &ignored);
    return TRUE;
}

LRESULT CWnd::DispatchToHandler(UINT message, WPARAM wParam, LPARAM lParam) {
    const CPoint point(lParam);
    const auto flags = static_cast<UINT>(wParam);
    switch (message) {
    case WM_CREATE: return OnCreate(reinterpret_cast<LPCREATESTRUCT>(lParam));
    case WM_DESTROY: OnDestroy(); return 0;
    case WM_PAINT: OnPaint(); return 0;
    case WM_ERASEBKGND: return OnEraseBkgnd(nullptr);
    case WM_TIMER: OnTimer(wParam); return 0;
    case WM_LBUTTONDOWN: OnLButtonDown(flags, point); return 0;
    case WM_LBUTTONUP: OnLButtonUp(flags, point); return 0;
    case WM_LBUTTONDBLCLK: OnLButtonDblClk(flags, point); return 0;
    case WM_MOUSEMOVE: OnMouseMove(flags, point); return 0;
    case WM_KEYDOWN: OnKeyDown(flags, LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_KEYUP: OnKeyUp(flags, LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_CHAR: OnChar(flags, LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_SIZE: OnSize(flags, LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_ACTIVATE:
        OnActivate(LOWORD(wParam), FromHandle(reinterpret_cast<HWND>(lParam)), HIWORD(wParam));
        return 0;
    case WM_SETFOCUS: OnSetFocus(FromHandle(reinterpret_cast<HWND>(wParam))); return 0;
    case WM_KILLFOCUS: OnKillFocus(FromHandle(reinterpret_cast<HWND>(wParam))); return 0;
    case WM_CLOSE: OnClose(); return 0;
    case WM_SHOWWINDOW: OnShowWindow(static_cast<BOOL>(wParam), static_cast<UINT>(lParam)); return 0;
    case WM_ENABLE: OnEnable(static_cast<BOOL>(wParam)); return 0;
    case WM_HSCROLL:
        OnHScroll(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<CScrollBar*>(FromHandle(reinterpret_cast<HWND>(lParam))));
        return 0;
    case WM_VSCROLL:
        OnVScroll(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<CScrollBar*>(FromHandle(reinterpret_cast<HWND>(lParam))));
        return 0;
    case WM_CONTEXTMENU: OnContextMenu(FromHandle(reinterpret_cast<HWND>(wParam)), point); return 0;
    case WM_COMMAND: return OnCommand(wParam, lParam) ? 0 : Default();
    case WM_NOTIFY: {
        LRESULT result = 0;
        return OnNotify(wParam, lParam, &result) ? result : Default();
    }
    default: return DefWindowProc(message, wParam, lParam);
    }
}

int CWnd::OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnPaint() {
    // Nothing to draw: the background is already erased.
    PAINTSTRUCT paint;
    BeginPaint(&paint);
    EndPaint(&paint);
}
BOOL CWnd::OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
// Windows that do not take double clicks see a second press instead.
void CWnd::OnLButtonDblClk(UINT flags, CPoint point) { OnLButtonDown(flags, point); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnEnable(BOOL) { Default(); }
void CWnd::OnHScroll(UINT, UINT, CScrollBar*) { Default(); }
void CWnd::OnVScroll(UINT, UINT, CScrollBar*) { Default(); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    auto* control = reinterpret_cast<HWND>(lParam);
    if (control != nullptr && IsWindow(control) && control->OnChildNotify(WM_COMMAND, wParam, lParam, nullptr))
        return TRUE;
    return OnCmdMsg(id, code, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* result) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header == nullptr) return FALSE;
    if (IsWindow(header->hwndFrom) && header->hwndFrom->OnChildNotify(WM_NOTIFY, 0, lParam, result)) return TRUE;
    const auto it = m_notifyMap.find({header->code, header->idFrom});
    if (it == m_notifyMap.end()) return FALSE;
    it->second(header, result);
    return TRUE;
}
