#include "c_list_box.h"

#include <algorithm>

#include "window_dc.h"

namespace {

constexpr int kScrollColumn = 11;

}  // namespace

BOOL CListBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create(L"LISTBOX", L"", style | WS_CHILD, rect, parent, id);
}

int CListBox::OnCreate(LPCREATESTRUCT cs)
{
    m_items.SetSorted((cs->style & LBS_SORT) != 0);
    return 0;
}

BOOL CListBox::AdoptState(CControlWnd& previous)
{
    auto* other = dynamic_cast<CListBox*>(&previous);
    if (other == nullptr) return FALSE;
    m_items = other->m_items;
    m_items.SetSorted((GetStyle() & LBS_SORT) != 0);
    m_selected = other->m_selected;
    m_top = other->m_top;
    m_itemHeight = other->m_itemHeight;
    return TRUE;
}

int CListBox::AddString(LPCTSTR text)
{
    const int index = m_items.Add(text ? text : L"");
    if (m_selected >= index) ++m_selected;
    Invalidate();
    return index;
}

int CListBox::InsertString(int index, LPCTSTR text)
{
    const int at = m_items.Insert(index, text ? text : L"");
    if (at < 0) return LB_ERR;
    if (m_selected >= at) ++m_selected;
    Invalidate();
    return at;
}

int CListBox::DeleteString(UINT index)
{
    const int at = static_cast<int>(index);
    const int left = m_items.Delete(at);
    if (left < 0) return LB_ERR;
    if (m_selected == at) m_selected = -1;
    else if (m_selected > at) --m_selected;
    m_top = std::clamp(m_top, 0, std::max(0, GetCount() - 1));
    Invalidate();
    return left;
}

void CListBox::ResetContent()
{
    m_items.Clear();
    m_selected = -1;
    m_top = 0;
    Invalidate();
}

int CListBox::GetText(int index, CString& text) const
{
    return m_items.TextOf(index, text);
}

int CListBox::GetTextLen(int index) const
{
    return m_items.TextLengthOf(index);
}

int CListBox::SetCurSel(int index)
{
    if (!m_items.Valid(index)) {
        if (m_selected != -1) Invalidate();
        m_selected = -1;
        return LB_ERR;
    }
    m_selected = index;
    EnsureVisible(index);
    Invalidate();
    return index;
}

DWORD_PTR CListBox::GetItemData(int index) const
{
    return m_items.DataOf(index);
}

int CListBox::SetItemData(int index, DWORD_PTR data)
{
    return m_items.SetDataOf(index, data);
}

int CListBox::FindString(int start, LPCTSTR prefix) const
{
    return m_items.FindPrefix(start, prefix ? prefix : L"");
}

int CListBox::FindStringExact(int start, LPCTSTR text) const
{
    return m_items.FindExact(start, text ? text : L"");
}

int CListBox::SelectString(int start, LPCTSTR prefix)
{
    const int index = FindString(start, prefix);
    return index < 0 ? LB_ERR : SetCurSel(index);
}

int CListBox::SetTopIndex(int index)
{
    if (!m_items.Valid(index)) return LB_ERR;
    m_top = index;
    Invalidate();
    return LB_OKAY;
}

int CListBox::GetItemHeight(int) const
{
    return m_itemHeight;
}

int CListBox::SetItemHeight(int, UINT height)
{
    if (height == 0 || height > 255) return LB_ERR;
    m_itemHeight = static_cast<int>(height);
    Invalidate();
    return LB_OKAY;
}

int CListBox::VisibleRows() const
{
    CRect client;
    GetClientRect(&client);
    return std::max(1, (client.Height() - 2) / m_itemHeight);
}

bool CListBox::NeedsScrollColumn() const
{
    return GetCount() > VisibleRows();
}

int CListBox::GetItemRect(int index, LPRECT rect) const
{
    if (!m_items.Valid(index) || rect == nullptr) return LB_ERR;
    CRect client;
    GetClientRect(&client);
    const int right = client.right - 1 - (NeedsScrollColumn() ? kScrollColumn : 0);
    const int top = 1 + (index - m_top) * m_itemHeight;
    *rect = CRect(1, top, right, top + m_itemHeight);
    return LB_OKAY;
}

void CListBox::EnsureVisible(int index)
{
    if (index < m_top) m_top = index;
    else if (index >= m_top + VisibleRows()) m_top = index - VisibleRows() + 1;
}

int CListBox::ItemAt(CPoint point) const
{
    const int row = (point.y - 1) / m_itemHeight;
    const int index = m_top + row;
    return point.y >= 1 && m_items.Valid(index) ? index : -1;
}

void CListBox::SelectByUser(int index)
{
    if (index < 0 || index == m_selected) return;
    SetCurSel(index);
    NotifyParent(LBN_SELCHANGE);
}

void CListBox::OnLButtonDown(UINT, CPoint point)
{
    if (GetFocus() != this) SetFocus();
    CRect client;
    GetClientRect(&client);
    if (NeedsScrollColumn() && point.x >= client.right - 1 - kScrollColumn) {
        // Upper half scrolls up a row, lower half down.
        const int maxTop = std::max(0, GetCount() - VisibleRows());
        m_top = std::clamp(m_top + (point.y < client.Height() / 2 ? -1 : 1), 0, maxTop);
        Invalidate();
        return;
    }
    SelectByUser(ItemAt(point));
}

void CListBox::OnLButtonDblClk(UINT flags, CPoint point)
{
    const int index = ItemAt(point);
    if (index < 0) {
        OnLButtonDown(flags, point);
        return;
    }
    SelectByUser(index);
    NotifyParent(LBN_DBLCLK);
}

void CListBox::OnKeyDown(UINT key, UINT, UINT)
{
    if (GetCount() == 0) return;
    if (key == VK_UP) SelectByUser(std::max(0, m_selected - 1));
    else if (key == VK_DOWN) SelectByUser(std::min(GetCount() - 1, m_selected + 1));
}

LRESULT CListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const int index = static_cast<int>(static_cast<LPARAM>(wParam));
    auto text = reinterpret_cast<LPCTSTR>(lParam);
    switch (message) {
    case LB_ADDSTRING: return AddString(text);
    case LB_INSERTSTRING: return InsertString(index, text);
    case LB_DELETESTRING: return DeleteString(static_cast<UINT>(wParam));
    case LB_RESETCONTENT: ResetContent(); return 0;
    case LB_SETCURSEL: return SetCurSel(index);
    case LB_GETCURSEL: return GetCurSel();
    case LB_GETCOUNT: return GetCount();
    case LB_SELECTSTRING: return SelectString(index, text);
    case LB_FINDSTRING: return FindString(index, text);
    case LB_FINDSTRINGEXACT: return FindStringExact(index, text);
    case LB_GETITEMDATA: return static_cast<LRESULT>(GetItemData(index));
    case LB_SETITEMDATA: return SetItemData(index, static_cast<DWORD_PTR>(lParam));
    default: return CWnd::WindowProc(message, wParam, lParam);
    }
}

void CListBox::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    PaintFramedBox(dc, client);
    CFont font;
    CFont* old = PrepareDC(dc, font);
    const int last = std::min(GetCount(), m_top + VisibleRows());
    for (int index = m_top; index < last; ++index) {
        CRect row;
        GetItemRect(index, &row);
        const bool selected = index == m_selected;
        if (selected) dc.FillSolidRect(&row, kHighlight);
        dc.SetTextColor(selected ? kHighlightText : (IsEnabledTree() ? kControlText : kControlGrayText));
        CRect textBox(row.left + 2, row.top, row.right - 1, row.bottom);
        dc.DrawText(m_items.At(index).text, &textBox, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    if (NeedsScrollColumn()) {
        const int x = client.right - 1 - kScrollColumn;
        dc.FillSolidRect(x, 1, 1, client.Height() - 2, kControlText);
        // Two arrow heads: up in the upper half, down in the lower.
        const int cx = x + kScrollColumn / 2 + 1;
        const POINT up[] = {{cx - 3, 8}, {cx + 3, 8}, {cx, 4}};
        const POINT down[] = {{cx - 3, client.bottom - 9}, {cx + 3, client.bottom - 9}, {cx, client.bottom - 5}};
        CBrush black(kControlText);
        CBrush* oldBrush = dc.SelectObject(&black);
        dc.Polygon(up, 3);
        dc.Polygon(down, 3);
        dc.SelectObject(oldBrush);
    }
    dc.SelectObject(old);
}
