#include "window_manager.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cstdlib>

#include "backend.h"
#include "c_wnd.h"
#include "clock.h"
#include "code_page.h"
#include "thread_queue.h"

namespace {

constexpr COLORREF kCaptionBackground = RGB(0, 0, 128);
constexpr COLORREF kCaptionText = RGB(255, 255, 255);
constexpr COLORREF kWindowBackground = RGB(255, 255, 255);

void SetSource(cairo_t* cr, COLORREF c) {
    cairo_set_source_rgb(cr, GetRValue(c) / 255.0, GetGValue(c) / 255.0, GetBValue(c) / 255.0);
}

void FillRect(cairo_surface_t* surface, const CRect& r, COLORREF c) {
    if (r.IsRectEmpty()) return;
    cairo_t* cr = cairo_create(surface);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    SetSource(cr, c);
    cairo_rectangle(cr, r.left, r.top, r.Width(), r.Height());
    cairo_fill(cr);
    cairo_destroy(cr);
}

bool Visible(const CWnd* w) { return (w->GetStyle() & WS_VISIBLE) != 0; }

}  // namespace

WindowManager& WindowManager::Instance() {
    static WindowManager manager;
    return manager;
}

cairo_surface_t* WindowManager::ScreenSurface() {
    if (m_screen == nullptr) {
        m_screen = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kScreenWidth, kScreenHeight);
        FillRect(m_screen, CRect(0, 0, kScreenWidth, kScreenHeight), kWindowBackground);
        InvalidateScreen(CRect(0, 0, kScreenWidth, kScreenHeight));
    }
    return m_screen;
}

LRESULT WindowManager::Deliver(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!IsWindow(window)) return 0;
    CWnd* w = window;
    const CWnd::Current saved = w->m_current;
    w->m_current = CWnd::Current{message, wParam, lParam};
    const LRESULT result = w->WindowProc(message, wParam, lParam);
    if (IsWindow(window)) w->m_current = saved;  // the window may have gone
    return result;
}

BOOL WindowManager::PreTranslate(MSG* msg) {
    for (CWnd* w = msg->hwnd; w != nullptr && IsWindow(w); w = w->GetParent())
        if (w->PreTranslateMessage(msg)) return TRUE;
    return FALSE;
}

void WindowManager::Register(CWnd* window) {
    RegisterWindowThread(window);
    m_live.push_back(window);
    if (window->GetParent() == nullptr) m_topLevel.push_back(window);
}

void WindowManager::Unregister(CWnd* window) {
    std::erase(m_live, window);
    std::erase(m_topLevel, window);
    if (m_focus == window) m_focus = nullptr;
    if (m_active == window) m_active = nullptr;
    if (m_capture == window) m_capture = nullptr;
    if (m_penTarget == window) m_penTarget = nullptr;
    if (m_lastPressWindow == window) m_hasLastPress = false, m_lastPressWindow = nullptr;
    UnregisterWindowThread(window);
}

bool WindowManager::IsAlive(const CWnd* window) const { return IsWindow(const_cast<CWnd*>(window)); }

void WindowManager::RaiseTopLevel(CWnd* window) {
    const auto it = std::find(m_topLevel.begin(), m_topLevel.end(), window);
    if (it == m_topLevel.end() || it + 1 == m_topLevel.end()) return;
    m_topLevel.erase(it);
    m_topLevel.push_back(window);
    CRect r;
    window->GetWindowRect(&r);
    InvalidateScreen(r);
}

void WindowManager::SetFocusWindow(CWnd* window) { m_focus = window; }

void WindowManager::SetActiveWindow(CWnd* window) {
    if (m_active == window) return;
    CWnd* previous = m_active;
    m_active = window;
    if (previous) previous->SendMessage(WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(window));
    if (window) window->SendMessage(WM_ACTIVATE, WA_ACTIVE, reinterpret_cast<LPARAM>(previous));
    InvalidateScreen(CRect(0, 0, kScreenWidth, kCaptionHeight));
}

void WindowManager::ResetInput() {
    m_penDown = false;
    m_penTarget = nullptr;
    m_capture = nullptr;
    m_control = false;
    m_hasLastPress = false;
    m_lastWasDoubleClick = false;
    m_lastPressWindow = nullptr;
}

bool WindowManager::AcceptsInput(const CWnd* window) const {
    for (const CWnd* w = window; w != nullptr; w = w->GetParent())
        if (!w->IsWindowEnabled() || !Visible(w)) return false;
    return true;
}

CWnd* WindowManager::WindowFromPoint(CPoint screen) const {
    for (auto top = m_topLevel.rbegin(); top != m_topLevel.rend(); ++top) {
        CWnd* w = *top;
        CRect r;
        w->GetWindowRect(&r);
        if (!Visible(w) || !r.PtInRect(screen)) continue;
        if (!w->IsWindowEnabled()) return nullptr;  // a modal dialog's owner
        for (bool descended = true; descended;) {
            descended = false;
            const auto& children = w->Children();
            for (auto child = children.rbegin(); child != children.rend(); ++child) {
                CRect cr;
                (*child)->GetWindowRect(&cr);
                if (Visible(*child) && (*child)->IsWindowEnabled() && cr.PtInRect(screen)) {
                    w = *child;
                    descended = true;
                    break;
                }
            }
        }
        return w;
    }
    return nullptr;
}

std::vector<CRect> WindowManager::WindowsAbove(const CWnd* window) const {
    std::vector<CRect> above;
    if (window == nullptr) return above;
    const CWnd* top = window->GetTopLevelParent();
    const auto it = std::find(m_topLevel.begin(), m_topLevel.end(), top);
    if (it == m_topLevel.end()) return above;
    for (auto w = it + 1; w != m_topLevel.end(); ++w) {
        if (!Visible(*w)) continue;
        CRect r;
        (*w)->GetWindowRect(&r);
        if (!r.IsRectEmpty()) above.push_back(r);
    }
    return above;
}

void WindowManager::PostPen(UINT message, CPoint screen, CWnd* target) {
    if (target == nullptr || !IsWindow(target)) return;
    CPoint client = screen;
    target->ScreenToClient(&client);
    WPARAM flags = message == WM_LBUTTONUP ? 0 : MK_LBUTTON;
    if (m_control) flags |= MK_CONTROL;
    QueueInputMessage(target, message, flags, MAKELPARAM(client.x, client.y), screen);
}

void WindowManager::PenDown(CPoint screen) {
    CWnd* target = m_capture ? m_capture : WindowFromPoint(screen);
    m_penDown = true;
    m_penTarget = target;
    if (target == nullptr) return;
    const DWORD now = GetTickCount();
    const bool doubleClick = m_hasLastPress && !m_lastWasDoubleClick && target == m_lastPressWindow &&
                             now - m_lastPressTime < kDoubleClickTime &&
                             std::abs(screen.x - m_lastPressPoint.x) <= kDoubleClickDistance &&
                             std::abs(screen.y - m_lastPressPoint.y) <= kDoubleClickDistance;
    m_hasLastPress = true;
    m_lastWasDoubleClick = doubleClick;
    m_lastPressTime = now;
    m_lastPressPoint = screen;
    m_lastPressWindow = target;
    PostPen(doubleClick ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN, screen, target);
}

void WindowManager::PenMove(CPoint screen) {
    if (!m_penDown) return;  // a stylus does not hover
    PostPen(WM_MOUSEMOVE, screen, m_capture ? m_capture : m_penTarget);
}

void WindowManager::PenUp(CPoint screen) {
    if (!m_penDown) return;
    m_penDown = false;
    PostPen(WM_LBUTTONUP, screen, m_capture ? m_capture : m_penTarget);
    m_penTarget = nullptr;
}

void WindowManager::Key(UINT virtualKey, bool down) {
    if (virtualKey == VK_CONTROL) m_control = down;
    CWnd* target = KeyTarget();
    if (target == nullptr) return;
    const LPARAM flags = down ? 1 : static_cast<LPARAM>(0xC0000001u);
    QueueInputMessage(target, down ? WM_KEYDOWN : WM_KEYUP, virtualKey, flags, POINT{0, 0});
}

CWnd* WindowManager::KeyTarget() const {
    CWnd* target = m_focus ? m_focus : m_active;
    if (target == nullptr && !m_topLevel.empty()) target = m_topLevel.back();
    return target != nullptr && IsWindow(target) ? target : nullptr;
}

void WindowManager::Char(wchar_t ch) {
    CWnd* target = KeyTarget();
    if (target == nullptr) return;
    QueueInputMessage(target, WM_CHAR, static_cast<WPARAM>(ch), 1, POINT{0, 0});
}

void WindowManager::InvalidateScreen(const CRect& screenRect) {
    CRect clipped;
    const CRect screen(0, 0, kScreenWidth, kScreenHeight);
    if (!clipped.IntersectRect(&screenRect, &screen)) return;
    {
        std::lock_guard lock(m_dirtyMutex);
        m_dirty.UnionRect(&m_dirty, &clipped);
    }
    PlatformBackend().Wake();
}

BOOL WindowManager::HasInvalid() const {
    std::lock_guard lock(m_dirtyMutex);
    return !m_dirty.IsRectEmpty();
}

BOOL WindowManager::PaintInvalid() {
    ScreenSurface();
    CRect dirty;
    {
        std::lock_guard lock(m_dirtyMutex);
        dirty = m_dirty;
        m_dirty.SetRectEmpty();
    }
    if (dirty.IsRectEmpty()) return FALSE;
    FillRect(m_screen, CRect(0, kCaptionHeight, kScreenWidth, kScreenHeight) & dirty, kWindowBackground);
    const std::vector<CWnd*> order = m_topLevel;  // painting may open or close windows
    for (CWnd* w : order)
        if (IsWindow(w) && Visible(w)) PaintTree(w, dirty);
    PaintCaption();
    cairo_surface_flush(m_screen);
    PlatformBackend().Present(dirty);
    return TRUE;
}

void WindowManager::PaintTree(CWnd* window, const CRect& dirty) {
    CRect area;
    window->GetWindowRect(&area);
    CRect hit;
    if (!hit.IntersectRect(&area, &dirty)) return;
    const CRect visible = window->GetVisibleClientScreenRect();
    CRect part;
    if (part.IntersectRect(&visible, &dirty)) {
        CRect client = part;
        window->ScreenToClient(&client);
        window->m_invalid = client;
        window->m_erase = true;
        Deliver(window, WM_NCPAINT, 0, 0);
        if (IsWindow(window) && Deliver(window, WM_ERASEBKGND, 0, 0) != 0 && IsWindow(window))
            window->m_erase = false;
        if (IsWindow(window)) Deliver(window, WM_PAINT, 0, 0);
        if (!IsWindow(window)) return;
        window->m_invalid.SetRectEmpty();
    } else {
        Deliver(window, WM_NCPAINT, 0, 0);
        if (!IsWindow(window)) return;
    }
    const std::vector<CWnd*> children = window->Children();
    for (CWnd* child : children)
        if (IsWindow(child) && Visible(child)) PaintTree(child, dirty);
}

void WindowManager::PaintCaption() {
    CWnd* titled = m_active;
    if (titled == nullptr || !Visible(titled)) {
        titled = nullptr;
        for (auto it = m_topLevel.rbegin(); it != m_topLevel.rend() && titled == nullptr; ++it)
            if (Visible(*it)) titled = *it;
    }
    const CRect band(0, 0, kScreenWidth, kCaptionHeight);
    FillRect(m_screen, band, kCaptionBackground);
    if (titled == nullptr) return;
    CString title;
    titled->GetWindowText(title);
    cairo_t* cr = cairo_create(m_screen);
    PangoLayout* layout = pango_cairo_create_layout(cr);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_NONE);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_FULL);
    pango_cairo_context_set_font_options(pango_layout_get_context(layout), options);
    pango_layout_context_changed(layout);
    PangoFontDescription* font = pango_font_description_from_string("DejaVu Sans Bold");
    pango_font_description_set_absolute_size(font, 12 * PANGO_SCALE);
    pango_layout_set_font_description(layout, font);
    const std::string text = WideToUtf8(title.str());
    pango_layout_set_text(layout, text.c_str(), static_cast<int>(text.size()));
    int width = 0;
    int height = 0;
    pango_layout_get_pixel_size(layout, &width, &height);
    SetSource(cr, kCaptionText);
    cairo_move_to(cr, 6, (kCaptionHeight - height) / 2);
    pango_cairo_show_layout(cr, layout);
    pango_font_description_free(font);
    cairo_font_options_destroy(options);
    g_object_unref(layout);
    cairo_destroy(cr);
}

void FillScreenRect(const RECT& rect, COLORREF colour) {
    FillRect(WindowManager::Instance().ScreenSurface(), CRect(rect), colour);
}
