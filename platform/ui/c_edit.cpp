#include "c_edit.h"

#include <algorithm>

#include "system_services.h"
#include "window_dc.h"
#include "window_manager.h"

BOOL CEdit::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create(L"EDIT", L"", style | WS_CHILD, rect, parent, id);
}

BOOL CEdit::AdoptState(CControlWnd& previous)
{
    auto* other = dynamic_cast<CEdit*>(&previous);
    if (other == nullptr) return FALSE;
    m_selStart = other->m_selStart;
    m_selEnd = other->m_selEnd;
    m_limit = other->m_limit;
    return TRUE;
}

void CEdit::ClampSelection()
{
    const int length = GetWindowTextLength();
    m_selStart = std::clamp(m_selStart, 0, length);
    m_selEnd = std::clamp(m_selEnd, 0, length);
    if (m_selStart > m_selEnd) std::swap(m_selStart, m_selEnd);
}

void CEdit::SetSel(int start, int end, BOOL)
{
    const int length = GetWindowTextLength();
    m_selStart = start < 0 ? length : start;
    m_selEnd = end < 0 ? length : end;
    ClampSelection();
    Invalidate();
}

void CEdit::GetSel(int& start, int& end) const
{
    start = m_selStart;
    end = m_selEnd;
}

void CEdit::ReplaceSel(LPCTSTR text, BOOL)
{
    ClampSelection();
    CString current;
    GetWindowText(current);
    CString inserted = text ? text : L"";
    if (m_limit > 0) {
        const int room = static_cast<int>(m_limit) - (current.GetLength() - (m_selEnd - m_selStart));
        if (room <= 0) return;
        inserted = inserted.Left(room);
    }
    const CString updated = current.Left(m_selStart) + inserted + current.Mid(m_selEnd);
    const int caret = m_selStart + inserted.GetLength();
    SetWindowText(updated);
    m_selStart = m_selEnd = caret;
}

BOOL CEdit::SetReadOnly(BOOL readOnly)
{
    ModifyStyle(readOnly ? 0 : ES_READONLY, readOnly ? ES_READONLY : 0);
    return TRUE;
}

LRESULT CEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case EM_GETSEL: return MAKELONG(static_cast<WORD>(m_selStart), static_cast<WORD>(m_selEnd));
    case EM_SETSEL: SetSel(static_cast<int>(static_cast<LPARAM>(wParam)), static_cast<int>(lParam)); return 0;
    case EM_REPLACESEL: ReplaceSel(reinterpret_cast<LPCTSTR>(lParam)); return 0;
    case EM_LIMITTEXT: m_limit = static_cast<UINT>(wParam); return 0;
    case EM_SETREADONLY: SetReadOnly(static_cast<BOOL>(wParam)); return TRUE;
    default: break;
    }
    const LRESULT result = CWnd::WindowProc(message, wParam, lParam);
    if (message == WM_SETTEXT) {
        // A new text puts the caret at its end.
        m_selStart = m_selEnd = GetWindowTextLength();
        Invalidate();
        NotifyParent(EN_CHANGE);
    }
    return result;
}

// A tap selects the whole text: on a pen-driven screen a field is mostly
// filled anew, and typing then replaces it.
void CEdit::OnLButtonDown(UINT, CPoint)
{
    if (GetFocus() != this) SetFocus();
    m_selStart = 0;
    m_selEnd = GetWindowTextLength();
    Invalidate();
}

void CEdit::OnKeyDown(UINT key, UINT repeatCount, UINT flags)
{
    if (key == 'A' && WindowManager::Instance().ControlKey()) {
        SetSel(0, -1);
        return;
    }
    CControlWnd::OnKeyDown(key, repeatCount, flags);
}

void CEdit::OnChar(UINT ch, UINT, UINT)
{
    if (GetStyle() & ES_READONLY) return;
    if (ch == VK_BACK) {
        ClampSelection();
        if (m_selStart == m_selEnd && m_selStart > 0) --m_selStart;
        ReplaceSel(L"");
        return;
    }
    if (ch < 0x20) return;
    if ((GetStyle() & ES_NUMBER) && (ch < L'0' || ch > L'9')) {
        MessageBeep(0);
        return;
    }
    const wchar_t text[2] = {static_cast<wchar_t>(ch), 0};
    ReplaceSel(text);
}

void CEdit::OnSetFocus(CWnd*)
{
    Invalidate();
    NotifyParent(EN_SETFOCUS);
}

void CEdit::OnKillFocus(CWnd*)
{
    Invalidate();
    NotifyParent(EN_KILLFOCUS);
}

void CEdit::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    const bool enabled = IsEnabledTree() && !(GetStyle() & ES_READONLY);
    dc.FillSolidRect(&client, enabled ? kControlFace : RGB(236, 236, 236));
    CBrush frame(kControlText);
    dc.FrameRect(&client, &frame);
    CFont font;
    CFont* old = PrepareDC(dc, font);
    CString text;
    GetWindowText(text);
    CRect box(client.left + 3, client.top + 1, client.right - 3, client.bottom - 1);
    UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
    if ((GetStyle() & 0x3) == ES_CENTER) format |= DT_CENTER;
    else if ((GetStyle() & 0x3) == ES_RIGHT) format |= DT_RIGHT;
    const bool focused = GetFocus() == this;
    dc.DrawText(text, &box, format);
    // Where the text starts as aligned: selection and caret are placed from there.
    const int textWidth = dc.GetTextExtent(text).cx;
    int start = box.left;
    if (format & DT_RIGHT) start = box.right - textWidth;
    else if (format & DT_CENTER) start = box.left + (box.Width() - textWidth) / 2;
    if (focused && m_selStart != m_selEnd) {
        // The selection, light on the highlight.
        const CString selection = text.Mid(m_selStart, m_selEnd - m_selStart);
        const int before = dc.GetTextExtent(text.Left(m_selStart)).cx;
        const CSize selected = dc.GetTextExtent(selection);
        const int top = box.top + (box.Height() - selected.cy) / 2;
        CRect highlight(start + before, top, start + before + selected.cx, top + selected.cy);
        highlight.IntersectRect(highlight, box);
        dc.FillSolidRect(&highlight, kHighlight);
        const COLORREF oldText = dc.SetTextColor(kHighlightText);
        CRect selectedBox(start + before, box.top, box.right, box.bottom);
        dc.DrawText(selection, &selectedBox, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        dc.SetTextColor(oldText);
    }
    if (focused && DrawsCaret()) {
        const int before = dc.GetTextExtent(text.Left(m_selEnd)).cx;
        const int x = std::clamp<int>(start + before, box.left, box.right - 1);
        dc.FillSolidRect(x, box.top + 2, 1, box.Height() - 4, kControlText);
    }
    dc.SelectObject(old);
}
