// List boxes: a list of texts with item data, single selection, optionally
// kept sorted; taps select (LBN_SELCHANGE), a scroll column appears when
// the items do not fit.
#pragma once

#include "control_wnd.h"
#include "string_list.h"

constexpr DWORD LBS_NOTIFY = 0x0001;
constexpr DWORD LBS_SORT = 0x0002;
constexpr DWORD LBS_HASSTRINGS = 0x0040;
constexpr DWORD LBS_NOINTEGRALHEIGHT = 0x0100;

constexpr UINT LB_ADDSTRING = 0x0180;
constexpr UINT LB_INSERTSTRING = 0x0181;
constexpr UINT LB_DELETESTRING = 0x0182;
constexpr UINT LB_RESETCONTENT = 0x0184;
constexpr UINT LB_SETCURSEL = 0x0186;
constexpr UINT LB_GETCURSEL = 0x0188;
constexpr UINT LB_GETCOUNT = 0x018B;
constexpr UINT LB_SELECTSTRING = 0x018C;
constexpr UINT LB_FINDSTRING = 0x018F;
constexpr UINT LB_GETITEMDATA = 0x0199;
constexpr UINT LB_SETITEMDATA = 0x019A;
constexpr UINT LB_FINDSTRINGEXACT = 0x01A2;

class CListBox : public CControlWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    using CWnd::Create;

    int AddString(LPCTSTR text);
    int InsertString(int index, LPCTSTR text);
    int DeleteString(UINT index);
    void ResetContent();
    int GetCount() const { return m_items.Count(); }
    int GetText(int index, CString& text) const;
    int GetTextLen(int index) const;
    int GetCurSel() const { return m_selected; }
    // -1 clears the selection; a bad index clears it and gives LB_ERR.
    int SetCurSel(int index);
    DWORD_PTR GetItemData(int index) const;
    int SetItemData(int index, DWORD_PTR data);
    void* GetItemDataPtr(int index) const { return reinterpret_cast<void*>(GetItemData(index)); }
    int SetItemDataPtr(int index, void* data) { return SetItemData(index, reinterpret_cast<DWORD_PTR>(data)); }
    // Prefix search (case ignored) after start, wrapping; -1 searches all.
    int FindString(int start, LPCTSTR prefix) const;
    int FindStringExact(int start, LPCTSTR text) const;
    // Selects the first item found as FindString does; LB_ERR leaves the
    // selection as it was.
    int SelectString(int start, LPCTSTR prefix);
    int GetTopIndex() const { return m_top; }
    int SetTopIndex(int index);
    int GetItemHeight(int index = 0) const;
    int SetItemHeight(int index, UINT height);
    int GetItemRect(int index, LPRECT rect) const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    int OnCreate(LPCREATESTRUCT cs) override;
    void OnPaint() override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    void OnKeyDown(UINT key, UINT repeatCount, UINT flags) override;
    BOOL AdoptState(CControlWnd& previous) override;

private:
    int VisibleRows() const;
    bool NeedsScrollColumn() const;
    void EnsureVisible(int index);
    void SelectByUser(int index);
    int ItemAt(CPoint point) const;

    StringList m_items;
    int m_selected = -1;
    int m_top = 0;
    int m_itemHeight = 14;
};
