// Buttons: push buttons, check boxes, radio buttons and group frames.
#pragma once

#include "control_wnd.h"

#include <vector>

constexpr DWORD BS_PUSHBUTTON = 0x0000;
constexpr DWORD BS_DEFPUSHBUTTON = 0x0001;
constexpr DWORD BS_CHECKBOX = 0x0002;
constexpr DWORD BS_AUTOCHECKBOX = 0x0003;
constexpr DWORD BS_RADIOBUTTON = 0x0004;
constexpr DWORD BS_3STATE = 0x0005;
constexpr DWORD BS_AUTO3STATE = 0x0006;
constexpr DWORD BS_GROUPBOX = 0x0007;
constexpr DWORD BS_AUTORADIOBUTTON = 0x0009;
constexpr DWORD BS_TYPEMASK = 0x000F;

constexpr int BST_UNCHECKED = 0;
constexpr int BST_CHECKED = 1;
constexpr int BST_INDETERMINATE = 2;
constexpr UINT BST_PUSHED = 0x0004;
constexpr UINT BST_FOCUS = 0x0008;

constexpr UINT BM_GETCHECK = 0x00F0;
constexpr UINT BM_SETCHECK = 0x00F1;
constexpr UINT BM_GETSTATE = 0x00F2;
constexpr UINT BM_SETSTATE = 0x00F3;
constexpr UINT BM_SETSTYLE = 0x00F4;
constexpr UINT BM_CLICK = 0x00F5;

class CButton : public CControlWnd {
public:
    BOOL Create(LPCTSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id);
    using CWnd::Create;

    int GetCheck() const { return m_check; }
    void SetCheck(int check);
    UINT GetState() const;
    void SetState(BOOL pushed);
    UINT GetButtonStyle() const { return GetStyle() & BS_TYPEMASK; }
    void SetButtonStyle(UINT style, BOOL redraw = TRUE);
    // What a tap does: automatic buttons change their check, then the
    // parent hears BN_CLICKED.
    void Click();

    bool IsCheckable() const;
    bool IsRadio() const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnKeyDown(UINT key, UINT repeatCount, UINT flags) override;
    BOOL AdoptState(CControlWnd& previous) override;

private:
    void UncheckGroupSiblings();
    void PaintPush(CDC& dc, const CRect& client);
    void PaintCheck(CDC& dc, const CRect& client, bool radio);
    void PaintGroup(CDC& dc, const CRect& client);

    int m_check = BST_UNCHECKED;
    bool m_pushed = false;
    bool m_tracking = false;
};

// The radio buttons and check boxes of a dialog's group: from the control
// with WS_GROUP (or the first child) up to the next one.
std::vector<CButton*> ButtonGroupOf(CWnd* control);
