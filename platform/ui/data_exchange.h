// Dialog data exchange: DDX_ moves values between members and controls in
// the direction of UpdateData; DDV_ checks a value read back and, when it is
// out of bounds, shows its message and fails the exchange. Numbers are
// written and parsed independently of the process locale.
#pragma once

#include "c_string.h"
#include "c_wnd.h"

// Thrown by a failed exchange; UpdateData catches it.
class CUserException {};

class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate);

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;

    // The control of the id (null when missing); remembered as the control
    // to focus when the exchange fails.
    CWnd* PrepareCtrl(int id);
    CWnd* PrepareEditCtrl(int id);
    // Focuses the remembered control (selecting an edit's text) and throws.
    [[noreturn]] void Fail();

private:
    CWnd* m_lastControl = nullptr;
    bool m_lastIsEdit = false;
};

void DDX_Text(CDataExchange* pDX, int id, int& value);
void DDX_Text(CDataExchange* pDX, int id, UINT& value);
void DDX_Text(CDataExchange* pDX, int id, long& value);
void DDX_Text(CDataExchange* pDX, int id, float& value);
void DDX_Text(CDataExchange* pDX, int id, double& value);
void DDX_Text(CDataExchange* pDX, int id, CString& value);
void DDX_Check(CDataExchange* pDX, int id, int& value);
// The index of the checked button of the group that starts at id, or -1.
void DDX_Radio(CDataExchange* pDX, int id, int& value);
void DDX_LBIndex(CDataExchange* pDX, int id, int& index);
void DDX_LBString(CDataExchange* pDX, int id, CString& value);
void DDX_LBStringExact(CDataExchange* pDX, int id, CString& value);
void DDX_CBIndex(CDataExchange* pDX, int id, int& index);
void DDX_CBString(CDataExchange* pDX, int id, CString& value);
void DDX_CBStringExact(CDataExchange* pDX, int id, CString& value);
void DDX_Slider(CDataExchange* pDX, int id, int& value);
// Binds a control object to the dialog's control of the id (subclassing).
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minimum, int maximum);
void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minimum, UINT maximum);
void DDV_MinMaxLong(CDataExchange* pDX, long value, long minimum, long maximum);
void DDV_MinMaxFloat(CDataExchange* pDX, const float& value, float minimum, float maximum);
void DDV_MinMaxDouble(CDataExchange* pDX, const double& value, double minimum, double maximum);
void DDV_MaxChars(CDataExchange* pDX, const CString& value, int maxChars);

// The messages of failed checks (the %d/%s parts filled in).
extern const wchar_t* const kDdxNotAnInteger;
extern const wchar_t* const kDdxNotANumber;
extern const wchar_t* const kDdxIntegerRange;
extern const wchar_t* const kDdxNumberRange;
extern const wchar_t* const kDdxTooLong;
