#include "window_dc.h"

#include "backend.h"
#include "window_manager.h"

namespace {

// Binds dc to the window's client area; the clip is the visible part of it
// (or the whole screen for a null window), narrowed to limit (client
// coordinates) when given. Returns the visible screen rectangle.
CRect BindClient(CDC& dc, CWnd* window, const RECT* limit)
{
    cairo_surface_t* screen = WindowManager::Instance().ScreenSurface();
    if (!window || !IsWindow(window->GetSafeHwnd())) {
        CRect whole(0, 0, kScreenWidth, kScreenHeight);
        dc.AttachSurface(screen, whole);
        return whole;
    }
    const CPoint origin = window->GetClientScreenOrigin();
    CRect client;
    window->GetClientRect(&client);
    CRect area(origin.x, origin.y, origin.x + client.Width(), origin.y + client.Height());
    CRect visible = window->GetVisibleClientScreenRect();
    if (limit) {
        CRect part(*limit);
        part.OffsetRect(origin.x, origin.y);
        CRect narrowed;
        narrowed.IntersectRect(&visible, &part);
        visible = narrowed;
    }
    dc.AttachSurface(screen, area, &visible);
    dc.SetCoveredParts(WindowManager::Instance().WindowsAbove(window));
    return visible;
}

}  // namespace

CClientDC::CClientDC(CWnd* window) : m_pWnd(window)
{
    BindClient(*this, window, nullptr);
}

CClientDC::~CClientDC()
{
    CRect shown;
    GetClipBox(&shown);
    const CRect area = GetArea();
    shown.OffsetRect(area.left, area.top);
    if (!shown.IsRectEmpty()) PlatformBackend().Present(shown);
}

CPaintDC::CPaintDC(CWnd* window) : m_pWnd(window)
{
    if (window) window->BeginPaint(&m_ps);
    BindClient(*this, window, window ? &m_ps.rcPaint : nullptr);
}

CPaintDC::~CPaintDC()
{
    if (m_pWnd && IsWindow(m_pWnd->GetSafeHwnd())) m_pWnd->EndPaint(&m_ps);
}

CWindowDC::CWindowDC(CWnd* window) : m_pWnd(window)
{
    cairo_surface_t* screen = WindowManager::Instance().ScreenSurface();
    if (!window || !IsWindow(window->GetSafeHwnd())) {
        AttachSurface(screen, CRect(0, 0, kScreenWidth, kScreenHeight));
        return;
    }
    CRect frame;
    window->GetWindowRect(&frame);
    AttachSurface(screen, frame);
    SetCoveredParts(WindowManager::Instance().WindowsAbove(window));
}

CWindowDC::~CWindowDC()
{
    const CRect area = GetArea();
    if (!area.IsRectEmpty()) PlatformBackend().Present(area);
}
