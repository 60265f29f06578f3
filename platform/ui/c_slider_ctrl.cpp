#include "c_slider_ctrl.h"

#include <algorithm>

#include "window_dc.h"

namespace {

constexpr int kThumbHalf = 4;

}  // namespace

BOOL CSliderCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create(L"msctls_trackbar32", L"", style | WS_CHILD, rect, parent, id);
}

BOOL CSliderCtrl::AdoptState(CControlWnd& previous)
{
    auto* other = dynamic_cast<CSliderCtrl*>(&previous);
    if (other == nullptr) return FALSE;
    m_min = other->m_min;
    m_max = other->m_max;
    m_position = other->m_position;
    m_lineSize = other->m_lineSize;
    m_pageSize = other->m_pageSize;
    m_ticFrequency = other->m_ticFrequency;
    return TRUE;
}

void CSliderCtrl::SetRange(int minimum, int maximum, BOOL redraw)
{
    m_min = minimum;
    m_max = std::max(minimum, maximum);
    m_position = std::clamp(m_position, m_min, m_max);
    if (redraw) Invalidate();
}

void CSliderCtrl::GetRange(int& minimum, int& maximum) const
{
    minimum = m_min;
    maximum = m_max;
}

void CSliderCtrl::SetRangeMin(int minimum, BOOL redraw)
{
    SetRange(minimum, std::max(minimum, m_max), redraw);
}

void CSliderCtrl::SetRangeMax(int maximum, BOOL redraw)
{
    SetRange(std::min(m_min, maximum), maximum, redraw);
}

void CSliderCtrl::SetPos(int position)
{
    const int clamped = std::clamp(position, m_min, m_max);
    if (clamped == m_position) return;
    m_position = clamped;
    Invalidate();
}

int CSliderCtrl::SetLineSize(int size)
{
    const int previous = m_lineSize;
    m_lineSize = size;
    return previous;
}

int CSliderCtrl::SetPageSize(int size)
{
    const int previous = m_pageSize;
    m_pageSize = size;
    return previous;
}

int CSliderCtrl::PositionToX(int position) const
{
    CRect client;
    GetClientRect(&client);
    const int span = std::max(1, client.Width() - 2 * kThumbHalf - 1);
    if (m_max == m_min) return kThumbHalf;
    const long long offset = static_cast<long long>(position - m_min) * span / (m_max - m_min);
    return kThumbHalf + static_cast<int>(offset);
}

int CSliderCtrl::XToPosition(int x) const
{
    CRect client;
    GetClientRect(&client);
    const int span = std::max(1, client.Width() - 2 * kThumbHalf - 1);
    const long long pixels = std::clamp(x - kThumbHalf, 0, span);
    // Rounded to the nearest position.
    const long long range = m_max - m_min;
    return m_min + static_cast<int>((pixels * range * 2 + span) / (2 * span));
}

void CSliderCtrl::Notify(UINT code)
{
    CWnd* parent = GetParent();
    if (parent == nullptr) return;
    const UINT message = (GetStyle() & TBS_VERT) ? WM_VSCROLL : WM_HSCROLL;
    parent->SendMessage(message, MAKELONG(static_cast<WORD>(code), static_cast<WORD>(m_position)),
                        reinterpret_cast<LPARAM>(m_hWnd));
}

void CSliderCtrl::MoveByUser(int position, UINT code)
{
    SetPos(position);
    Notify(code);
}

void CSliderCtrl::OnLButtonDown(UINT, CPoint point)
{
    if (GetFocus() != this) SetFocus();
    m_dragging = true;
    SetCapture();
    MoveByUser(XToPosition(point.x), TB_THUMBTRACK);
}

void CSliderCtrl::OnMouseMove(UINT, CPoint point)
{
    if (!m_dragging) return;
    const int position = XToPosition(point.x);
    if (position != m_position) MoveByUser(position, TB_THUMBTRACK);
}

void CSliderCtrl::OnLButtonUp(UINT, CPoint point)
{
    if (!m_dragging) return;
    m_dragging = false;
    if (GetCapture() == this) ReleaseCapture();
    MoveByUser(XToPosition(point.x), TB_THUMBPOSITION);
    if (IsWindow(m_hWnd)) Notify(TB_ENDTRACK);
}

void CSliderCtrl::OnKeyDown(UINT key, UINT, UINT)
{
    if (key == VK_LEFT || key == VK_UP) MoveByUser(m_position - m_lineSize, TB_LINEUP);
    else if (key == VK_RIGHT || key == VK_DOWN) MoveByUser(m_position + m_lineSize, TB_LINEDOWN);
    else return;
    if (IsWindow(m_hWnd)) Notify(TB_ENDTRACK);
}

LRESULT CSliderCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case TBM_GETPOS: return m_position;
    case TBM_GETRANGEMIN: return m_min;
    case TBM_GETRANGEMAX: return m_max;
    case TBM_SETPOS: SetPos(static_cast<int>(lParam)); return 0;
    case TBM_SETRANGE:
        SetRange(static_cast<short>(LOWORD(static_cast<std::uintptr_t>(lParam))), static_cast<short>(HIWORD(static_cast<std::uintptr_t>(lParam))), static_cast<BOOL>(wParam));
        return 0;
    case TBM_SETRANGEMIN: SetRangeMin(static_cast<int>(lParam), static_cast<BOOL>(wParam)); return 0;
    case TBM_SETRANGEMAX: SetRangeMax(static_cast<int>(lParam), static_cast<BOOL>(wParam)); return 0;
    case TBM_SETPAGESIZE: return SetPageSize(static_cast<int>(lParam));
    case TBM_SETLINESIZE: return SetLineSize(static_cast<int>(lParam));
    default: return CWnd::WindowProc(message, wParam, lParam);
    }
}

void CSliderCtrl::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, kControlFace);
    const int channelY = client.Height() / 2;
    CRect channel(kThumbHalf, channelY - 2, client.Width() - kThumbHalf, channelY + 2);
    dc.Draw3dRect(&channel, kControlGrayText, kControlShade);
    const int x = PositionToX(m_position);
    CRect thumb(x - kThumbHalf, 2, x + kThumbHalf + 1, client.Height() - 2);
    const bool enabled = IsEnabledTree();
    dc.FillSolidRect(&thumb, enabled ? kControlShade : kControlFace);
    CBrush frame(enabled ? kControlText : kControlGrayText);
    dc.FrameRect(&thumb, &frame);
}
