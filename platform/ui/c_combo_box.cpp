#include "c_combo_box.h"

#include <algorithm>

#include "window_dc.h"

// The dropped list: a top-level window under (or above) the combo box that
// holds the pen until a row is chosen or the pen lands outside.
class CComboDropList : public CWnd {
public:
    explicit CComboDropList(CComboBox& owner) : m_owner(owner) {}

    BOOL Open()
    {
        CRect field;
        m_owner.GetWindowRect(&field);
        const int rowHeight = m_owner.RowHeight();
        // Every value where the screen has room for it, below the field or
        // else above it; a longer list scrolls.
        const int below = (kScreenHeight - field.bottom - 2) / rowHeight;
        const int above = (field.top - 2) / rowHeight;
        const int fit = std::max(1, std::max(below, above));
        m_rows = std::clamp(m_owner.GetCount(), 1, fit);
        const int height = m_rows * rowHeight + 2;
        CRect rect(field.left, field.bottom, field.right, field.bottom + height);
        if (m_rows > below) rect.OffsetRect(0, field.top - height - field.bottom);
        m_top = std::clamp(m_owner.GetCurSel() - m_rows / 2, 0, LastTop());
        if (!Create(nullptr, L"", WS_POPUP | WS_VISIBLE, rect, m_owner.GetTopLevelParent(), 0)) return FALSE;
        SetCapture();
        return TRUE;
    }

protected:
    void OnLButtonDown(UINT, CPoint point) override
    {
        CRect client;
        GetClientRect(&client);
        if (!client.PtInRect(point)) Close(-1);
    }

    void OnLButtonUp(UINT, CPoint point) override
    {
        CRect client;
        GetClientRect(&client);
        if (!client.PtInRect(point)) return;
        if (Scrolls() && point.x >= client.right - kBarWidth) {
            // The bar's upper half pages up, its lower half down.
            const int page = point.y < client.Height() / 2 ? -m_rows : m_rows;
            m_top = std::clamp(m_top + page, 0, LastTop());
            Invalidate();
            return;
        }
        const int index = m_top + (point.y - 1) / m_owner.RowHeight();
        Close(index < m_owner.GetCount() ? index : -1);
    }

    void OnPaint() override
    {
        CPaintDC dc(this);
        CRect client;
        GetClientRect(&client);
        PaintFramedBox(dc, client);
        CFont font;
        CFont* old = SelectControlFont(dc, font);
        dc.SetBkMode(TRANSPARENT);
        const int rowHeight = m_owner.RowHeight();
        const int textRight = client.right - 1 - (Scrolls() ? kBarWidth : 0);
        for (int row = 0; row < m_rows && m_top + row < m_owner.GetCount(); ++row) {
            const int index = m_top + row;
            CRect box(1, 1 + row * rowHeight, textRight, 1 + (row + 1) * rowHeight);
            const bool selected = index == m_owner.GetCurSel();
            if (selected) dc.FillSolidRect(&box, kHighlight);
            dc.SetTextColor(selected ? kHighlightText : kControlText);
            box.left += 2;
            dc.DrawText(m_owner.m_items.At(index).text, &box, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        }
        if (Scrolls()) PaintScrollBar(dc, client);
        dc.SelectObject(old);
    }

private:
    static constexpr int kBarWidth = 10;

    bool Scrolls() const { return m_owner.GetCount() > m_rows; }
    int LastTop() const { return std::max(0, m_owner.GetCount() - m_rows); }

    // A trough along the right side with a thumb as long as the shown share.
    void PaintScrollBar(CDC& dc, const CRect& client)
    {
        const CRect trough(client.right - 1 - kBarWidth, 1, client.right - 1, client.bottom - 1);
        dc.FillSolidRect(&trough, kControlGrayText);
        const int count = m_owner.GetCount();
        const int length = std::max(6, trough.Height() * m_rows / count);
        const int top = trough.top + (trough.Height() - length) * m_top / std::max(1, LastTop());
        dc.FillSolidRect(trough.left + 1, top, kBarWidth - 2, length, kControlText);
    }

    void Close(int chosen)
    {
        if (GetCapture() == this) ReleaseCapture();
        m_owner.ChooseFromList(chosen);  // destroys this window
    }

    CComboBox& m_owner;
    int m_top = 0;
    int m_rows = 1;
};

CComboBox::CComboBox() = default;

CComboBox::~CComboBox()
{
    if (m_dropList && m_dropList->GetSafeHwnd()) m_dropList->DestroyWindow();
}

BOOL CComboBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create(L"COMBOBOX", L"", style | WS_CHILD, rect, parent, id);
}

int CComboBox::OnCreate(LPCREATESTRUCT cs)
{
    m_items.SetSorted((cs->style & CBS_SORT) != 0);
    return 0;
}

void CComboBox::OnDestroy()
{
    if (m_dropList && m_dropList->GetSafeHwnd()) m_dropList->DestroyWindow();
}

BOOL CComboBox::AdoptState(CControlWnd& previous)
{
    auto* other = dynamic_cast<CComboBox*>(&previous);
    if (other == nullptr) return FALSE;
    m_items = other->m_items;
    m_items.SetSorted((GetStyle() & CBS_SORT) != 0);
    m_selected = other->m_selected;
    m_rowHeight = other->m_rowHeight;
    return TRUE;
}

void CComboBox::ShowSelectionText()
{
    // Sets the text directly: a selection is not an edit change.
    CWnd::WindowProc(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(m_items.Valid(m_selected) ? static_cast<LPCTSTR>(m_items.At(m_selected).text) : L""));
    Invalidate();
}

int CComboBox::AddString(LPCTSTR text)
{
    const int index = m_items.Add(text ? text : L"");
    if (m_selected >= index) ++m_selected;
    return index;
}

int CComboBox::InsertString(int index, LPCTSTR text)
{
    const int at = m_items.Insert(index, text ? text : L"");
    if (at < 0) return CB_ERR;
    if (m_selected >= at) ++m_selected;
    return at;
}

int CComboBox::DeleteString(UINT index)
{
    const int at = static_cast<int>(index);
    const int left = m_items.Delete(at);
    if (left < 0) return CB_ERR;
    if (m_selected == at) {
        m_selected = -1;
        ShowSelectionText();
    } else if (m_selected > at) {
        --m_selected;
    }
    return left;
}

void CComboBox::ResetContent()
{
    m_items.Clear();
    m_selected = -1;
    ShowSelectionText();
}

int CComboBox::GetLBText(int index, CString& text) const
{
    return m_items.TextOf(index, text);
}

int CComboBox::GetLBTextLen(int index) const
{
    return m_items.TextLengthOf(index);
}

int CComboBox::SetCurSel(int index)
{
    m_selected = m_items.Valid(index) ? index : -1;
    ShowSelectionText();
    return m_selected >= 0 ? m_selected : CB_ERR;
}

DWORD_PTR CComboBox::GetItemData(int index) const
{
    return m_items.DataOf(index);
}

int CComboBox::SetItemData(int index, DWORD_PTR data)
{
    return m_items.SetDataOf(index, data);
}

int CComboBox::FindString(int start, LPCTSTR prefix) const
{
    return m_items.FindPrefix(start, prefix ? prefix : L"");
}

int CComboBox::FindStringExact(int start, LPCTSTR text) const
{
    return m_items.FindExact(start, text ? text : L"");
}

int CComboBox::SelectString(int start, LPCTSTR prefix)
{
    const int index = FindString(start, prefix);
    return index < 0 ? CB_ERR : SetCurSel(index);
}

int CComboBox::SetItemHeight(int index, UINT height)
{
    if (height > 255) return CB_ERR;
    if (index >= 0) m_rowHeight = static_cast<int>(height);
    return CB_OKAY;
}

int CComboBox::GetItemHeight(int index) const
{
    if (index < 0) {
        CRect client;
        GetClientRect(&client);
        return client.Height();
    }
    return RowHeight();
}

void CComboBox::ShowDropDown(BOOL show)
{
    if (show && !GetDroppedState() && m_hWnd) {
        m_dropList = std::make_unique<CComboDropList>(*this);
        if (!m_dropList->Open()) {
            m_dropList.reset();
            return;
        }
        // The shown text stands selected: what is typed next replaces it.
        m_replaceOnType = true;
        NotifyParent(CBN_DROPDOWN);
    } else if (!show && GetDroppedState()) {
        ChooseFromList(-1);
    }
}

BOOL CComboBox::GetDroppedState() const
{
    return m_dropList && m_dropList->GetSafeHwnd() ? TRUE : FALSE;
}

void CComboBox::ChooseFromList(int index)
{
    if (m_dropList && m_dropList->GetSafeHwnd()) m_dropList->DestroyWindow();
    const bool changed = index >= 0 && index != m_selected;
    if (changed) SetCurSel(index);
    NotifyParent(CBN_CLOSEUP);
    if (changed) NotifyParent(CBN_SELCHANGE);
}

void CComboBox::OnLButtonDown(UINT, CPoint)
{
    if (GetFocus() != this) SetFocus();
    ShowDropDown(!GetDroppedState());
}

void CComboBox::OnKeyDown(UINT key, UINT, UINT)
{
    if (GetCount() == 0) return;
    int index = m_selected;
    if (key == VK_UP) index = std::max(0, m_selected - 1);
    else if (key == VK_DOWN) index = std::min(GetCount() - 1, m_selected + 1);
    else return;
    if (index == m_selected) return;
    SetCurSel(index);
    NotifyParent(CBN_SELCHANGE);
}

void CComboBox::OnChar(UINT ch, UINT, UINT)
{
    if ((GetStyle() & CBS_TYPEMASK) != CBS_DROPDOWN) return;
    if (ch == VK_RETURN) {
        TakeTypedText();
        return;
    }
    CString text;
    GetWindowText(text);
    if (m_replaceOnType && (ch == VK_BACK || ch >= 0x20)) text.Empty();
    m_replaceOnType = false;
    if (ch == VK_BACK) text = text.Left(text.GetLength() - 1);
    else if (ch >= 0x20) text += static_cast<wchar_t>(ch);
    else return;
    SetWindowText(text);
}

// Return takes the typed text as a chosen value: the list closes, a value it
// holds becomes the selection, and the owner hears of the change.
void CComboBox::TakeTypedText()
{
    CString text;
    GetWindowText(text);
    if (m_dropList && m_dropList->GetSafeHwnd()) m_dropList->DestroyWindow();
    const int index = FindStringExact(-1, text);
    if (index >= 0) m_selected = index;
    NotifyParent(CBN_CLOSEUP);
    NotifyParent(CBN_SELCHANGE);
}

LRESULT CComboBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const int index = static_cast<int>(static_cast<LPARAM>(wParam));
    auto text = reinterpret_cast<LPCTSTR>(lParam);
    switch (message) {
    case CB_ADDSTRING: return AddString(text);
    case CB_INSERTSTRING: return InsertString(index, text);
    case CB_DELETESTRING: return DeleteString(static_cast<UINT>(wParam));
    case CB_RESETCONTENT: ResetContent(); return 0;
    case CB_SETCURSEL: return SetCurSel(index);
    case CB_GETCURSEL: return GetCurSel();
    case CB_GETCOUNT: return GetCount();
    case CB_SELECTSTRING: return SelectString(index, text);
    case CB_FINDSTRING: return FindString(index, text);
    case CB_FINDSTRINGEXACT: return FindStringExact(index, text);
    case CB_GETITEMDATA: return static_cast<LRESULT>(GetItemData(index));
    case CB_SETITEMDATA: return SetItemData(index, static_cast<DWORD_PTR>(lParam));
    case CB_SHOWDROPDOWN: ShowDropDown(static_cast<BOOL>(wParam)); return TRUE;
    default: break;
    }
    const LRESULT result = CWnd::WindowProc(message, wParam, lParam);
    if (message == WM_SETTEXT) {
        Invalidate();
        if ((GetStyle() & CBS_TYPEMASK) == CBS_DROPDOWN) NotifyParent(CBN_EDITCHANGE);
    }
    return result;
}

void CComboBox::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    PaintFramedBox(dc, client);
    const int arrowWidth = std::min<int>(13, client.Width() / 2);
    const int arrowLeft = client.right - arrowWidth;
    dc.FillSolidRect(arrowLeft, 0, 1, client.Height(), kControlText);
    const int cx = arrowLeft + arrowWidth / 2;
    const int cy = client.Height() / 2;
    const POINT arrow[] = {{cx - 3, cy - 2}, {cx + 4, cy - 2}, {cx, cy + 2}};
    CBrush black(IsEnabledTree() ? kControlText : kControlGrayText);
    CBrush* oldBrush = dc.SelectObject(&black);
    dc.SelectStockObject(NULL_PEN);
    dc.Polygon(arrow, 3);
    dc.SelectObject(oldBrush);
    CFont font;
    CFont* old = PrepareDC(dc, font);
    CString text;
    GetWindowText(text);
    CRect box(3, 1, arrowLeft - 2, client.bottom - 1);
    dc.DrawText(text, &box, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    dc.SelectObject(old);
}
