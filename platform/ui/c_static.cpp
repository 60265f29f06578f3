#include "c_static.h"

#include "window_dc.h"

BOOL CStatic::Create(LPCTSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create(L"STATIC", text, style | WS_CHILD, rect, parent, id);
}

void CStatic::SetBitmapResource(UINT bitmapId)
{
    m_bitmapId = bitmapId;
    Invalidate();
}

BOOL CStatic::AdoptState(CControlWnd& previous)
{
    auto* other = dynamic_cast<CStatic*>(&previous);
    if (other == nullptr) return FALSE;
    m_bitmapId = other->m_bitmapId;
    return TRUE;
}

LRESULT CStatic::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = CWnd::WindowProc(message, wParam, lParam);
    if (message == WM_SETTEXT) Invalidate();
    return result;
}

void CStatic::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    if ((GetStyle() & SS_TYPEMASK) == SS_BITMAP) {
        CBitmap bitmap;
        if (!bitmap.LoadBitmap(m_bitmapId)) return;
        CDC memory;
        memory.CreateCompatibleDC(&dc);
        CBitmap* old = memory.SelectObject(&bitmap);
        const CSize size = bitmap.GetBitmapDimension();
        dc.BitBlt(0, 0, size.cx, size.cy, &memory, 0, 0, SRCCOPY);
        memory.SelectObject(old);
        return;
    }
    CFont font;
    CFont* old = PrepareDC(dc, font);
    CString text;
    GetWindowText(text);
    UINT format = DT_WORDBREAK;
    if ((GetStyle() & SS_TYPEMASK) == SS_CENTER) format |= DT_CENTER;
    else if ((GetStyle() & SS_TYPEMASK) == SS_RIGHT) format |= DT_RIGHT;
    dc.DrawText(text, &client, format);
    dc.SelectObject(old);
}

// Without SS_NOTIFY a static is transparent to the pen.
void CStatic::OnLButtonDown(UINT flags, CPoint point)
{
    if (!(GetStyle() & SS_NOTIFY)) ForwardPenToParent(WM_LBUTTONDOWN, flags, point);
}

void CStatic::OnLButtonUp(UINT flags, CPoint point)
{
    if (GetStyle() & SS_NOTIFY) NotifyParent(BN_CLICKED);
    else ForwardPenToParent(WM_LBUTTONUP, flags, point);
}

void CStatic::OnLButtonDblClk(UINT flags, CPoint point)
{
    if (!(GetStyle() & SS_NOTIFY)) ForwardPenToParent(WM_LBUTTONDBLCLK, flags, point);
}

void CStatic::OnMouseMove(UINT flags, CPoint point)
{
    if (!(GetStyle() & SS_NOTIFY)) ForwardPenToParent(WM_MOUSEMOVE, flags, point);
}
