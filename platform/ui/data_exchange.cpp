#include "data_exchange.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "c_button.h"
#include "c_combo_box.h"
#include "c_edit.h"
#include "c_list_box.h"
#include "c_slider_ctrl.h"
#include "message_box.h"

const wchar_t* const kDdxNotAnInteger = L"Enter a whole number.";
const wchar_t* const kDdxNotANumber = L"Enter a number.";
const wchar_t* const kDdxIntegerRange = L"Enter a whole number from %d to %d.";
const wchar_t* const kDdxNumberRange = L"Enter a number from %s to %s.";
const wchar_t* const kDdxTooLong = L"Enter no more than %d characters.";

CDataExchange::CDataExchange(CWnd* dialog, BOOL saveAndValidate)
    : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog)
{
}

CWnd* CDataExchange::PrepareCtrl(int id)
{
    CWnd* control = m_pDlgWnd ? m_pDlgWnd->GetDlgItem(id) : nullptr;
    m_lastControl = control;
    m_lastIsEdit = false;
    return control;
}

CWnd* CDataExchange::PrepareEditCtrl(int id)
{
    CWnd* control = PrepareCtrl(id);
    m_lastIsEdit = dynamic_cast<CEdit*>(control) != nullptr;
    return control;
}

void CDataExchange::Fail()
{
    if (m_bSaveAndValidate && m_lastControl && IsWindow(m_lastControl->GetSafeHwnd())) {
        m_lastControl->SetFocus();
        if (m_lastIsEdit) static_cast<CEdit*>(m_lastControl)->SetSel(0, -1);
    }
    throw CUserException();
}

namespace {

// The control's text as plain ASCII without surrounding blanks; empty
// optional when it holds anything else.
std::optional<std::string> AsciiText(CWnd* control)
{
    CString text;
    control->GetWindowText(text);
    text.Trim();
    std::string ascii;
    for (wchar_t c : text.str()) {
        if (c < 0x20 || c > 0x7E) return std::nullopt;
        ascii += static_cast<char>(c);
    }
    return ascii;
}

template <typename Integer>
std::optional<Integer> ParseWhole(const std::string& text)
{
    if (text.empty()) return std::nullopt;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (*first == '+') ++first;
    Integer value{};
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last) return std::nullopt;
    return value;
}

std::optional<double> ParseReal(const std::string& text)
{
    if (text.empty()) return std::nullopt;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (*first == '+') ++first;
    double value = 0.0;
    const auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
    if (error != std::errc() || end != last || !std::isfinite(value)) return std::nullopt;
    return value;
}

// Writes only a different text, so that change handlers that redisplay
// their dialog do not run again for their own update.
void SetTextIfChanged(CWnd* control, const CString& text)
{
    CString current;
    control->GetWindowText(current);
    if (!(current == text)) control->SetWindowText(text);
}

void Complain(CDataExchange* pDX, const CString& message)
{
    AfxMessageBox(message, MB_ICONEXCLAMATION);
    pDX->Fail();
}

template <typename Integer>
void ExchangeWhole(CDataExchange* pDX, int id, Integer& value, const wchar_t* format)
{
    CWnd* control = pDX->PrepareEditCtrl(id);
    if (control == nullptr) return;
    if (!pDX->m_bSaveAndValidate) {
        SetTextIfChanged(control, CString(FormatWide(format, value)));
        return;
    }
    const auto text = AsciiText(control);
    const auto parsed = text ? ParseWhole<Integer>(*text) : std::nullopt;
    if (!parsed) Complain(pDX, kDdxNotAnInteger);
    value = *parsed;
}

CString RealText(double value, int digits)
{
    return CString(FormatWide(L"%.*g", digits, value));
}

template <typename Real>
void ExchangeReal(CDataExchange* pDX, int id, Real& value, int digits)
{
    CWnd* control = pDX->PrepareEditCtrl(id);
    if (control == nullptr) return;
    if (!pDX->m_bSaveAndValidate) {
        SetTextIfChanged(control, RealText(value, digits));
        return;
    }
    const auto text = AsciiText(control);
    const auto parsed = text ? ParseReal(*text) : std::nullopt;
    if (!parsed || std::fabs(*parsed) > static_cast<double>(std::numeric_limits<Real>::max()))
        Complain(pDX, kDdxNotANumber);
    value = static_cast<Real>(*parsed);
}

}  // namespace

void DDX_Text(CDataExchange* pDX, int id, int& value) { ExchangeWhole(pDX, id, value, L"%d"); }
void DDX_Text(CDataExchange* pDX, int id, UINT& value) { ExchangeWhole(pDX, id, value, L"%u"); }
void DDX_Text(CDataExchange* pDX, int id, long& value) { ExchangeWhole(pDX, id, value, L"%ld"); }
void DDX_Text(CDataExchange* pDX, int id, float& value) { ExchangeReal(pDX, id, value, 6); }
void DDX_Text(CDataExchange* pDX, int id, double& value) { ExchangeReal(pDX, id, value, 15); }

void DDX_Text(CDataExchange* pDX, int id, CString& value)
{
    CWnd* control = pDX->PrepareEditCtrl(id);
    if (control == nullptr) return;
    if (pDX->m_bSaveAndValidate) control->GetWindowText(value);
    else SetTextIfChanged(control, value);
}

void DDX_Check(CDataExchange* pDX, int id, int& value)
{
    auto* button = dynamic_cast<CButton*>(pDX->PrepareCtrl(id));
    if (button == nullptr) return;
    if (pDX->m_bSaveAndValidate) value = button->GetCheck();
    else button->SetCheck(value);
}

void DDX_Radio(CDataExchange* pDX, int id, int& value)
{
    CWnd* first = pDX->PrepareCtrl(id);
    if (first == nullptr) return;
    std::vector<CButton*> radios;
    for (CButton* button : ButtonGroupOf(first))
        if (button->IsRadio()) radios.push_back(button);
    if (pDX->m_bSaveAndValidate) {
        value = -1;
        for (size_t i = 0; i < radios.size(); ++i)
            if (radios[i]->GetCheck() == BST_CHECKED) value = static_cast<int>(i);
        return;
    }
    for (size_t i = 0; i < radios.size(); ++i)
        radios[i]->SetCheck(static_cast<int>(i) == value ? BST_CHECKED : BST_UNCHECKED);
}

void DDX_LBIndex(CDataExchange* pDX, int id, int& index)
{
    auto* list = dynamic_cast<CListBox*>(pDX->PrepareCtrl(id));
    if (list == nullptr) return;
    if (pDX->m_bSaveAndValidate) index = list->GetCurSel();
    else list->SetCurSel(index);
}

namespace {

void ExchangeListString(CDataExchange* pDX, int id, CString& value, bool exact)
{
    auto* list = dynamic_cast<CListBox*>(pDX->PrepareCtrl(id));
    if (list == nullptr) return;
    if (pDX->m_bSaveAndValidate) {
        value.Empty();
        if (list->GetCurSel() >= 0) list->GetText(list->GetCurSel(), value);
        return;
    }
    const int index = exact ? list->FindStringExact(-1, value) : list->FindString(-1, value);
    list->SetCurSel(index);
}

void ExchangeComboString(CDataExchange* pDX, int id, CString& value, bool exact)
{
    auto* combo = dynamic_cast<CComboBox*>(pDX->PrepareCtrl(id));
    if (combo == nullptr) return;
    const bool editable = (combo->GetStyle() & CBS_TYPEMASK) == CBS_DROPDOWN;
    if (pDX->m_bSaveAndValidate) {
        value.Empty();
        if (editable) combo->GetWindowText(value);
        else if (combo->GetCurSel() >= 0) combo->GetLBText(combo->GetCurSel(), value);
        return;
    }
    const int index = exact ? combo->FindStringExact(-1, value) : combo->FindString(-1, value);
    if (index >= 0) combo->SetCurSel(index);
    else if (editable) SetTextIfChanged(combo, value);
    else combo->SetCurSel(-1);
}

}  // namespace

void DDX_LBString(CDataExchange* pDX, int id, CString& value) { ExchangeListString(pDX, id, value, false); }
void DDX_LBStringExact(CDataExchange* pDX, int id, CString& value) { ExchangeListString(pDX, id, value, true); }

void DDX_CBIndex(CDataExchange* pDX, int id, int& index)
{
    auto* combo = dynamic_cast<CComboBox*>(pDX->PrepareCtrl(id));
    if (combo == nullptr) return;
    if (pDX->m_bSaveAndValidate) index = combo->GetCurSel();
    else combo->SetCurSel(index);
}

void DDX_CBString(CDataExchange* pDX, int id, CString& value) { ExchangeComboString(pDX, id, value, false); }
void DDX_CBStringExact(CDataExchange* pDX, int id, CString& value) { ExchangeComboString(pDX, id, value, true); }

void DDX_Slider(CDataExchange* pDX, int id, int& value)
{
    auto* slider = dynamic_cast<CSliderCtrl*>(pDX->PrepareCtrl(id));
    if (slider == nullptr) return;
    if (pDX->m_bSaveAndValidate) value = slider->GetPos();
    else slider->SetPos(value);
}

void DDX_Control(CDataExchange* pDX, int id, CWnd& control)
{
    if (control.GetSafeHwnd() != nullptr) return;
    auto* wrapped = dynamic_cast<CControlWnd*>(&control);
    if (wrapped) wrapped->SubclassDlgItem(static_cast<UINT>(id), pDX->m_pDlgWnd);
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minimum, int maximum)
{
    if (!pDX->m_bSaveAndValidate || (value >= minimum && value <= maximum)) return;
    Complain(pDX, CString(FormatWide(kDdxIntegerRange, minimum, maximum)));
}

void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minimum, UINT maximum)
{
    if (!pDX->m_bSaveAndValidate || (value >= minimum && value <= maximum)) return;
    Complain(pDX, CString(FormatWide(L"Enter a whole number from %u to %u.", minimum, maximum)));
}

void DDV_MinMaxLong(CDataExchange* pDX, long value, long minimum, long maximum)
{
    if (!pDX->m_bSaveAndValidate || (value >= minimum && value <= maximum)) return;
    Complain(pDX, CString(FormatWide(L"Enter a whole number from %ld to %ld.", minimum, maximum)));
}

void DDV_MinMaxFloat(CDataExchange* pDX, const float& value, float minimum, float maximum)
{
    if (!pDX->m_bSaveAndValidate || (value >= minimum && value <= maximum)) return;
    Complain(pDX, CString(FormatWide(kDdxNumberRange, RealText(minimum, 6), RealText(maximum, 6))));
}

void DDV_MinMaxDouble(CDataExchange* pDX, const double& value, double minimum, double maximum)
{
    if (!pDX->m_bSaveAndValidate || (value >= minimum && value <= maximum)) return;
    Complain(pDX, CString(FormatWide(kDdxNumberRange, RealText(minimum, 15), RealText(maximum, 15))));
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int maxChars)
{
    if (!pDX->m_bSaveAndValidate || value.GetLength() <= maxChars) return;
    Complain(pDX, CString(FormatWide(kDdxTooLong, maxChars)));
}
