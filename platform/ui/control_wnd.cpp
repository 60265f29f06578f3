#include "control_wnd.h"

#include "dc.h"
#include "window_manager.h"

BOOL CControlWnd::SubclassDlgItem(UINT id, CWnd* parent)
{
    if (m_hWnd != nullptr || parent == nullptr) return FALSE;
    auto* previous = dynamic_cast<CControlWnd*>(parent->GetDlgItem(static_cast<int>(id)));
    if (previous == nullptr || previous == this) return FALSE;
    CRect rect;
    previous->GetWindowRect(&rect);
    parent->ScreenToClient(&rect);
    CString text;
    previous->GetWindowText(text);
    const DWORD style = previous->GetStyle();
    // The old control gives up its id first, so the new one is found by it.
    previous->SetDlgCtrlID(0);
    if (!Create(nullptr, text, style, rect, parent, id)) {
        previous->SetDlgCtrlID(static_cast<int>(id));
        return FALSE;
    }
    if (!AdoptState(*previous)) {
        DestroyWindow();
        previous->SetDlgCtrlID(static_cast<int>(id));
        return FALSE;
    }
    const bool hadFocus = GetFocus() == previous;
    previous->DestroyWindow();
    if (hadFocus) SetFocus();
    Invalidate();
    return TRUE;
}

BOOL CControlWnd::AdoptState(CControlWnd&)
{
    return TRUE;
}

void CControlWnd::NotifyParent(UINT code)
{
    CWnd* parent = GetParent();
    if (parent == nullptr || m_hWnd == nullptr) return;
    parent->SendMessage(WM_COMMAND, MAKELONG(static_cast<WORD>(GetDlgCtrlID()), static_cast<WORD>(code)),
                        reinterpret_cast<LPARAM>(m_hWnd));
}

CFont* SelectControlFont(CDC& dc, CFont& font, LONG weight)
{
    LOGFONTW logFont;
    if (CFont* current = dc.GetCurrentFont()) current->GetLogFont(&logFont);
    logFont.lfHeight = kControlFontHeight;
    logFont.lfWeight = weight;
    font.CreateFontIndirect(&logFont);
    return dc.SelectObject(&font);
}

void BindMeasuringDC(CDC& dc)
{
    dc.AttachSurface(WindowManager::Instance().ScreenSurface(), CRect(0, 0, 1, 1));
}

void PaintFramedBox(CDC& dc, const RECT& box)
{
    dc.FillSolidRect(&box, kControlFace);
    CBrush frame(kControlText);
    dc.FrameRect(&box, &frame);
}

CFont* CControlWnd::PrepareDC(CDC& dc, CFont& font) const
{
    dc.SetTextColor(IsEnabledTree() ? kControlText : kControlGrayText);
    dc.SetBkMode(TRANSPARENT);
    return SelectControlFont(dc, font);
}

bool CControlWnd::IsEnabledTree() const
{
    for (const CWnd* w = this; w != nullptr; w = w->GetParent())
        if (!w->IsWindowEnabled()) return false;
    return true;
}

void CControlWnd::ForwardPenToParent(UINT message, UINT flags, CPoint point)
{
    CWnd* parent = GetParent();
    if (parent == nullptr) return;
    ClientToScreen(&point);
    parent->ScreenToClient(&point);
    parent->SendMessage(message, flags, MAKELPARAM(point.x, point.y));
}
