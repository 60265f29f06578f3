// Combo boxes: a selection field with a list that drops down on a tap.
// CBS_DROPDOWNLIST shows only list texts; CBS_DROPDOWN keeps an editable
// text (the window text).
#pragma once

#include <memory>

#include "control_wnd.h"
#include "string_list.h"

constexpr DWORD CBS_SIMPLE = 0x0001;
constexpr DWORD CBS_DROPDOWN = 0x0002;
constexpr DWORD CBS_DROPDOWNLIST = 0x0003;
constexpr DWORD CBS_TYPEMASK = 0x0003;
constexpr DWORD CBS_AUTOHSCROLL = 0x0040;
constexpr DWORD CBS_SORT = 0x0100;

constexpr UINT CB_ADDSTRING = 0x0143;
constexpr UINT CB_DELETESTRING = 0x0144;
constexpr UINT CB_GETCOUNT = 0x0146;
constexpr UINT CB_GETCURSEL = 0x0147;
constexpr UINT CB_INSERTSTRING = 0x014A;
constexpr UINT CB_RESETCONTENT = 0x014B;
constexpr UINT CB_FINDSTRING = 0x014C;
constexpr UINT CB_SELECTSTRING = 0x014D;
constexpr UINT CB_SETCURSEL = 0x014E;
constexpr UINT CB_SHOWDROPDOWN = 0x014F;
constexpr UINT CB_GETITEMDATA = 0x0150;
constexpr UINT CB_SETITEMDATA = 0x0151;
constexpr UINT CB_FINDSTRINGEXACT = 0x0158;

class CComboDropList;

class CComboBox : public CControlWnd {
public:
    CComboBox();
    ~CComboBox() override;

    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    using CWnd::Create;

    int AddString(LPCTSTR text);
    int InsertString(int index, LPCTSTR text);
    int DeleteString(UINT index);
    void ResetContent();
    int GetCount() const { return m_items.Count(); }
    int GetLBText(int index, CString& text) const;
    int GetLBTextLen(int index) const;
    int GetCurSel() const { return m_selected; }
    int SetCurSel(int index);
    DWORD_PTR GetItemData(int index) const;
    int SetItemData(int index, DWORD_PTR data);
    int FindString(int start, LPCTSTR prefix) const;
    int FindStringExact(int start, LPCTSTR text) const;
    int SelectString(int start, LPCTSTR prefix);
    // index -1: the selection field; others: the list's rows. A height of
    // 0 keeps the default row height.
    int SetItemHeight(int index, UINT height);
    int GetItemHeight(int index) const;
    void ShowDropDown(BOOL show = TRUE);
    BOOL GetDroppedState() const;

    // The drop list's choice (called by the list).
    void ChooseFromList(int index);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    int OnCreate(LPCREATESTRUCT cs) override;
    void OnDestroy() override;
    void OnPaint() override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnKeyDown(UINT key, UINT repeatCount, UINT flags) override;
    // Typing edits the text of a CBS_DROPDOWN box.
    void OnChar(UINT ch, UINT repeatCount, UINT flags) override;
    BOOL AdoptState(CControlWnd& previous) override;

private:
    friend class CComboDropList;
    void ShowSelectionText();
    void TakeTypedText();
    int RowHeight() const { return m_rowHeight > 0 ? m_rowHeight : 14; }

    StringList m_items;
    int m_selected = -1;
    int m_rowHeight = 0;
    // Set when the list drops: the text counts as selected for typing.
    bool m_replaceOnType = false;
    std::unique_ptr<CComboDropList> m_dropList;
};
