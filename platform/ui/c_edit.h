// Single-line edit controls. Every change of the text, typed or set,
// reports EN_CHANGE to the parent.
#pragma once

#include "control_wnd.h"

constexpr DWORD ES_LEFT = 0x0000;
constexpr DWORD ES_CENTER = 0x0001;
constexpr DWORD ES_RIGHT = 0x0002;
constexpr DWORD ES_MULTILINE = 0x0004;
constexpr DWORD ES_AUTOHSCROLL = 0x0080;
constexpr DWORD ES_READONLY = 0x0800;
constexpr DWORD ES_NUMBER = 0x2000;

constexpr UINT EM_GETSEL = 0x00B0;
constexpr UINT EM_SETSEL = 0x00B1;
constexpr UINT EM_REPLACESEL = 0x00C2;
constexpr UINT EM_LIMITTEXT = 0x00C5;
constexpr UINT EM_SETREADONLY = 0x00CF;

class CEdit : public CControlWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    using CWnd::Create;

    // Selection from start to end (end -1: to the end of the text).
    void SetSel(int start, int end, BOOL noScroll = FALSE);
    void GetSel(int& start, int& end) const;
    void ReplaceSel(LPCTSTR text, BOOL canUndo = FALSE);
    void Clear() { ReplaceSel(L""); }
    // 0: no limit.
    void SetLimitText(UINT maxChars) { m_limit = maxChars; }
    void LimitText(int maxChars = 0) { m_limit = static_cast<UINT>(maxChars); }
    UINT GetLimitText() const { return m_limit; }
    BOOL SetReadOnly(BOOL readOnly = TRUE);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    // A field whose text is composed elsewhere (a keypad's display) has no
    // place to type at and shows no caret.
    virtual bool DrawsCaret() const { return true; }
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnKeyDown(UINT key, UINT repeatCount, UINT flags) override;
    void OnChar(UINT ch, UINT repeatCount, UINT flags) override;
    void OnSetFocus(CWnd* oldFocus) override;
    void OnKillFocus(CWnd* newFocus) override;
    BOOL AdoptState(CControlWnd& previous) override;

private:
    void ClampSelection();

    int m_selStart = 0;
    int m_selEnd = 0;
    UINT m_limit = 0;
};
