// The numeric keypad: a dimension value entered with the pen on a drawn
// keypad or typed, in plain numbers or in feet and inches.
#pragma once

#include "c_dialog.h"
#include "c_edit.h"

class CKeypadDlg;

// The value edit of the keypad: digits go to the keypad, anything else is
// dropped before the edit sees it.
class CKeypadEdit : public CEdit {
protected:
    void OnChar(UINT ch, UINT repeatCount, UINT flags) override;
    // The pad composes the value: there is no place in it to type at.
    bool DrawsCaret() const override { return false; }
};

class CKeypadDlg : public CDialog {
public:
    static constexpr UINT IDD = 2059;
    static constexpr int IDC_VALUE = 2072;
    static constexpr int IDC_CLEAR = 2133;
    static constexpr int IDC_FEET_MARK = 2121;
    static constexpr UINT IDB_KEYS_123 = 2061;
    static constexpr UINT IDB_KEYS_456 = 2062;
    static constexpr UINT IDB_KEYS_789 = 2063;
    static constexpr UINT IDB_KEY_0 = 2064;

    CKeypadDlg();

    // The digit under a tap in the dialog's client pixels, -1 off the keys.
    static int DigitAt(CPoint point);

    void AddDigit(int digit);
    void OnClear();
    void OnFeetMark();

    // -1 while nothing was entered; inches once the feet mark was used.
    int m_value = -1;
    // The value is in inches and digits now go to the inches.
    bool m_feet = false;
    CKeypadEdit m_edit;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
};
