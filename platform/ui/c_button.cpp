#include "c_button.h"

#include "window_dc.h"

#include <algorithm>

BOOL CButton::Create(LPCTSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create(L"BUTTON", caption, style | WS_CHILD, rect, parent, id);
}

bool CButton::IsCheckable() const
{
    switch (GetButtonStyle()) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: return true;
    default: return false;
    }
}

bool CButton::IsRadio() const
{
    return GetButtonStyle() == BS_RADIOBUTTON || GetButtonStyle() == BS_AUTORADIOBUTTON;
}

void CButton::SetCheck(int check)
{
    if (!IsCheckable()) return;
    if (check != BST_CHECKED && check != BST_INDETERMINATE) check = BST_UNCHECKED;
    if (m_check == check) return;
    m_check = check;
    Invalidate();
}

UINT CButton::GetState() const
{
    UINT state = static_cast<UINT>(m_check) & 0x3;
    if (m_pushed) state |= BST_PUSHED;
    if (GetFocus() == this) state |= BST_FOCUS;
    return state;
}

void CButton::SetState(BOOL pushed)
{
    if (m_pushed == static_cast<bool>(pushed)) return;
    m_pushed = pushed;
    Invalidate();
}

void CButton::SetButtonStyle(UINT style, BOOL redraw)
{
    ModifyStyle(BS_TYPEMASK, style & BS_TYPEMASK);
    if (redraw) Invalidate();
}

BOOL CButton::AdoptState(CControlWnd& previous)
{
    auto* other = dynamic_cast<CButton*>(&previous);
    if (other == nullptr) return FALSE;
    m_check = other->m_check;
    return TRUE;
}

std::vector<CButton*> ButtonGroupOf(CWnd* control)
{
    std::vector<CButton*> group;
    CWnd* parent = control ? control->GetParent() : nullptr;
    if (parent == nullptr) return group;
    const std::vector<CWnd*>& siblings = parent->Children();
    auto self = std::find(siblings.begin(), siblings.end(), control);
    if (self == siblings.end()) return group;
    auto first = self;
    while (first != siblings.begin() && !((*first)->GetStyle() & WS_GROUP)) --first;
    for (auto it = first; it != siblings.end(); ++it) {
        if (it != first && ((*it)->GetStyle() & WS_GROUP)) break;
        if (auto* button = dynamic_cast<CButton*>(*it)) group.push_back(button);
    }
    return group;
}

void CButton::UncheckGroupSiblings()
{
    for (CButton* other : ButtonGroupOf(this))
        if (other != this && other->IsRadio()) other->SetCheck(BST_UNCHECKED);
}

void CButton::Click()
{
    if (m_hWnd == nullptr || !IsWindowEnabled()) return;
    switch (GetButtonStyle()) {
    case BS_AUTOCHECKBOX: SetCheck(m_check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED); break;
    case BS_AUTO3STATE: SetCheck((m_check + 1) % 3); break;
    case BS_AUTORADIOBUTTON:
        UncheckGroupSiblings();
        SetCheck(BST_CHECKED);
        break;
    default: break;
    }
    NotifyParent(BN_CLICKED);
}

LRESULT CButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case BM_GETCHECK: return m_check;
    case BM_SETCHECK: SetCheck(static_cast<int>(wParam)); return 0;
    case BM_GETSTATE: return GetState();
    case BM_SETSTATE: SetState(static_cast<BOOL>(wParam)); return 0;
    case BM_SETSTYLE: SetButtonStyle(static_cast<UINT>(wParam), static_cast<BOOL>(lParam)); return 0;
    case BM_CLICK: Click(); return 0;
    default: break;
    }
    const LRESULT result = CWnd::WindowProc(message, wParam, lParam);
    if (message == WM_SETTEXT) Invalidate();
    return result;
}

void CButton::OnLButtonDown(UINT flags, CPoint point)
{
    if (GetButtonStyle() == BS_GROUPBOX) {
        ForwardPenToParent(WM_LBUTTONDOWN, flags, point);
        return;
    }
    m_tracking = true;
    SetCapture();
    SetState(TRUE);
}

void CButton::OnMouseMove(UINT flags, CPoint point)
{
    if (GetButtonStyle() == BS_GROUPBOX) {
        ForwardPenToParent(WM_MOUSEMOVE, flags, point);
        return;
    }
    if (!m_tracking) return;
    CRect client;
    GetClientRect(&client);
    SetState(client.PtInRect(point));
}

void CButton::OnLButtonUp(UINT flags, CPoint point)
{
    if (GetButtonStyle() == BS_GROUPBOX) {
        ForwardPenToParent(WM_LBUTTONUP, flags, point);
        return;
    }
    if (!m_tracking) return;
    m_tracking = false;
    if (GetCapture() == this) ReleaseCapture();
    SetState(FALSE);
    CRect client;
    GetClientRect(&client);
    if (client.PtInRect(point)) Click();
}

void CButton::OnKeyDown(UINT key, UINT, UINT)
{
    if (key == VK_SPACE) Click();
}

void CButton::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CFont font;
    CFont* old = PrepareDC(dc, font);
    switch (GetButtonStyle()) {
    case BS_GROUPBOX: PaintGroup(dc, client); break;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE: PaintCheck(dc, client, false); break;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: PaintCheck(dc, client, true); break;
    default: PaintPush(dc, client); break;
    }
    dc.SelectObject(old);
}

void CButton::PaintPush(CDC& dc, const CRect& client)
{
    const bool pushed = m_pushed || m_check == BST_CHECKED;
    dc.FillSolidRect(&client, pushed ? kControlText : kControlFace);
    CBrush frame(kControlText);
    dc.FrameRect(&client, &frame);
    if (GetButtonStyle() == BS_DEFPUSHBUTTON) {
        CRect inner = client;
        inner.DeflateRect(1, 1);
        dc.FrameRect(&inner, &frame);
    }
    if (pushed) dc.SetTextColor(kControlFace);
    CString text;
    GetWindowText(text);
    CRect box = client;
    dc.DrawText(text, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void CButton::PaintCheck(CDC& dc, const CRect& client, bool radio)
{
    constexpr int kBox = 11;
    const int top = (client.Height() - kBox) / 2;
    CRect box(0, top, kBox, top + kBox);
    CPen pen(PS_SOLID, 0, kControlText);
    CPen* oldPen = dc.SelectObject(&pen);
    CBrush white(kControlFace);
    CBrush* oldBrush = dc.SelectObject(&white);
    if (radio) dc.Ellipse(&box);
    else dc.Rectangle(&box);
    if (m_check == BST_CHECKED && radio) {
        CBrush dot(kControlText);
        dc.SelectObject(&dot);
        dc.Ellipse(box.left + 3, box.top + 3, box.right - 3, box.bottom - 3);
        dc.SelectObject(&white);
    } else if (m_check == BST_CHECKED) {
        // A tick mark.
        dc.MoveTo(box.left + 2, box.top + 5);
        dc.LineTo(box.left + 4, box.top + 8);
        dc.LineTo(box.left + 9, box.top + 2);
        dc.MoveTo(box.left + 2, box.top + 6);
        dc.LineTo(box.left + 4, box.top + 9);
        dc.LineTo(box.left + 9, box.top + 3);
    } else if (m_check == BST_INDETERMINATE) {
        dc.FillSolidRect(box.left + 3, box.top + 3, kBox - 6, kBox - 6, kControlShade);
    }
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen);
    CString text;
    GetWindowText(text);
    CRect label(kBox + 4, 0, client.right, client.bottom);
    dc.DrawText(text, &label, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    if (m_pushed) dc.DrawFocusRect(&box);
}

void CButton::PaintGroup(CDC& dc, const CRect& client)
{
    CString text;
    GetWindowText(text);
    const CSize extent = text.IsEmpty() ? CSize(0, 12) : dc.GetTextExtent(text);
    const int middle = extent.cy / 2;
    CBrush frame(kControlShade);
    CRect box(client.left, client.top + middle, client.right, client.bottom);
    dc.FrameRect(&box, &frame);
    if (!text.IsEmpty()) {
        dc.FillSolidRect(6, 0, extent.cx + 4, extent.cy, kControlFace);
        dc.TextOut(8, 0, text);
    }
}
