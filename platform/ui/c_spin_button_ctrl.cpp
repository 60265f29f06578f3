#include "c_spin_button_ctrl.h"

#include <algorithm>

#include "window_dc.h"

BOOL CSpinButtonCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create(L"msctls_updown32", L"", style | WS_CHILD, rect, parent, id);
}

int CSpinButtonCtrl::OnCreate(LPCREATESTRUCT cs)
{
    // The automatic buddy is the control created just before this one.
    CWnd* parent = GetParent();
    if ((cs->style & UDS_AUTOBUDDY) && parent) {
        const auto& siblings = parent->Children();
        auto self = std::find(siblings.begin(), siblings.end(), this);
        if (self != siblings.end() && self != siblings.begin()) m_buddy = (*(self - 1))->GetSafeHwnd();
    }
    return 0;
}

BOOL CSpinButtonCtrl::AdoptState(CControlWnd& previous)
{
    auto* other = dynamic_cast<CSpinButtonCtrl*>(&previous);
    if (other == nullptr) return FALSE;
    m_buddy = other->m_buddy;
    m_lower = other->m_lower;
    m_upper = other->m_upper;
    m_position = other->m_position;
    return TRUE;
}

CWnd* CSpinButtonCtrl::SetBuddy(CWnd* buddy)
{
    CWnd* previous = GetBuddy();
    m_buddy = buddy ? buddy->GetSafeHwnd() : nullptr;
    return previous;
}

CWnd* CSpinButtonCtrl::GetBuddy() const
{
    return CWnd::FromHandle(m_buddy);
}

void CSpinButtonCtrl::SetRange32(int lower, int upper)
{
    m_lower = lower;
    m_upper = upper;
    m_position = Clamp(m_position);
}

void CSpinButtonCtrl::GetRange(int& lower, int& upper) const
{
    lower = m_lower;
    upper = m_upper;
}

DWORD CSpinButtonCtrl::GetRange() const
{
    return MAKELONG(static_cast<WORD>(m_upper), static_cast<WORD>(m_lower));
}

int CSpinButtonCtrl::Clamp(int position) const
{
    return std::clamp(position, std::min(m_lower, m_upper), std::max(m_lower, m_upper));
}

bool CSpinButtonCtrl::ReadBuddy(int& value) const
{
    CWnd* buddy = GetBuddy();
    if (!buddy || !(GetStyle() & UDS_SETBUDDYINT)) return false;
    CString text;
    buddy->GetWindowText(text);
    text.Trim();
    const std::wstring& s = text.str();
    if (s.empty()) return false;
    size_t i = s[0] == L'-' ? 1 : 0;
    if (i == s.size()) return false;
    long long number = 0;
    for (; i < s.size(); ++i) {
        if (s[i] < L'0' || s[i] > L'9') return false;
        number = number * 10 + (s[i] - L'0');
        if (number > 0x7FFFFFFFLL) return false;
    }
    value = static_cast<int>(s[0] == L'-' ? -number : number);
    return true;
}

// Plain digits without thousands separators, so the number reads back.
void CSpinButtonCtrl::WriteBuddy() const
{
    CWnd* buddy = GetBuddy();
    if (!buddy || !(GetStyle() & UDS_SETBUDDYINT)) return;
    buddy->SetWindowText(CString(FormatWide(L"%d", m_position)));
}

int CSpinButtonCtrl::SetPos(int position)
{
    const int previous = m_position;
    m_position = Clamp(position);
    WriteBuddy();
    return previous;
}

int CSpinButtonCtrl::GetPos() const
{
    int value = 0;
    return ReadBuddy(value) ? value : m_position;
}

void CSpinButtonCtrl::Step(int direction)
{
    int current = m_position;
    if (ReadBuddy(current)) current = Clamp(current);
    const int delta = (m_upper >= m_lower ? 1 : -1) * (direction > 0 ? 1 : -1);
    int next = current + delta;
    const int low = std::min(m_lower, m_upper);
    const int high = std::max(m_lower, m_upper);
    if (next < low || next > high) next = (GetStyle() & UDS_WRAP) ? (next < low ? high : low) : current;

    if (CWnd* parent = GetParent()) {
        NMUPDOWN change;
        change.hdr.hwndFrom = m_hWnd;
        change.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
        change.hdr.code = UDN_DELTAPOS;
        change.iPos = current;
        change.iDelta = next - current;
        if (parent->SendMessage(WM_NOTIFY, change.hdr.idFrom, reinterpret_cast<LPARAM>(&change)) != 0) return;
    }
    m_position = next;
    WriteBuddy();
    if (CWnd* parent = GetParent()) {
        const UINT message = (GetStyle() & UDS_HORZ) ? WM_HSCROLL : WM_VSCROLL;
        parent->SendMessage(message, MAKELONG(SB_THUMBPOSITION, static_cast<WORD>(m_position)),
                            reinterpret_cast<LPARAM>(m_hWnd));
        if (IsWindow(m_hWnd))
            parent->SendMessage(message, MAKELONG(SB_ENDSCROLL, static_cast<WORD>(m_position)),
                                reinterpret_cast<LPARAM>(m_hWnd));
    }
}

void CSpinButtonCtrl::OnLButtonDown(UINT, CPoint point)
{
    CRect client;
    GetClientRect(&client);
    const bool up = (GetStyle() & UDS_HORZ) ? point.x >= client.Width() / 2 : point.y < client.Height() / 2;
    Step(up ? 1 : -1);
}

LRESULT CSpinButtonCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case UDM_SETRANGE: SetRange32(static_cast<short>(HIWORD(static_cast<std::uintptr_t>(lParam))), static_cast<short>(LOWORD(static_cast<std::uintptr_t>(lParam)))); return 0;
    case UDM_SETRANGE32: SetRange32(static_cast<int>(static_cast<LPARAM>(wParam)), static_cast<int>(lParam)); return 0;
    case UDM_GETRANGE: return static_cast<LRESULT>(GetRange());
    case UDM_SETPOS: return SetPos(static_cast<short>(LOWORD(static_cast<std::uintptr_t>(lParam))));
    case UDM_GETPOS: return GetPos();
    case UDM_SETBUDDY: return reinterpret_cast<LRESULT>(SetBuddy(CWnd::FromHandle(reinterpret_cast<HWND>(wParam))));
    case UDM_GETBUDDY: return reinterpret_cast<LRESULT>(m_buddy);
    default: return CWnd::WindowProc(message, wParam, lParam);
    }
}

void CSpinButtonCtrl::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    PaintFramedBox(dc, client);
    CBrush black(IsEnabledTree() ? kControlText : kControlGrayText);
    CBrush* oldBrush = dc.SelectObject(&black);
    dc.SelectStockObject(NULL_PEN);
    const int cx = client.Width() / 2;
    const int cy = client.Height() / 2;
    if (GetStyle() & UDS_HORZ) {
        dc.FillSolidRect(cx, 0, 1, client.Height(), kControlText);
        const POINT left[] = {{cx / 2 + 2, cy - 3}, {cx / 2 + 2, cy + 4}, {cx / 2 - 2, cy}};
        const POINT right[] = {{cx + cx / 2 - 1, cy - 3}, {cx + cx / 2 - 1, cy + 4}, {cx + cx / 2 + 3, cy}};
        dc.Polygon(left, 3);
        dc.Polygon(right, 3);
    } else {
        dc.FillSolidRect(0, cy, client.Width(), 1, kControlText);
        const POINT up[] = {{cx - 3, cy / 2 + 2}, {cx + 4, cy / 2 + 2}, {cx, cy / 2 - 2}};
        const POINT down[] = {{cx - 3, cy + cy / 2 - 1}, {cx + 4, cy + cy / 2 - 1}, {cx, cy + cy / 2 + 3}};
        dc.Polygon(up, 3);
        dc.Polygon(down, 3);
    }
    dc.SelectObject(oldBrush);
}
