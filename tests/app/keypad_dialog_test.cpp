#include <climits>
#include <ostream>

#include "app_test_support.h"
#include "headless_driver.h"
#include "keypad_dlg.h"
#include "length_text.h"
#include "messages.h"

void PrintTo(const CString& text, std::ostream* os) { *os << '"' << text.ToNarrow() << '"'; }

namespace {

CString ValueText(const CWnd* dialog)
{
    CString text;
    dialog->GetDlgItemText(CKeypadDlg::IDC_VALUE, text);
    return text;
}

class KeypadDialogTest : public AppTest {
protected:
    HeadlessDriver driver;
};

}  // namespace

TEST_F(KeypadDialogTest, TapsOnThePictureGiveTheDigitsUnderThem)
{
    const struct {
        int x, y, digit;
    } taps[] = {
        {79, 40, 3},  {12, 40, 1},  {33, 40, 1},  {34, 40, 2},  {40, 58, 2},  {40, 59, 5},
        {40, 79, 5},  {40, 80, 8},  {40, 98, 8},  {56, 98, 9},  {12, 99, 0},  {79, 99, 0},
        {50, 119, 0}, {11, 40, -1}, {80, 40, -1}, {40, 36, -1}, {40, 120, -1},
    };
    for (const auto& tap : taps)
        EXPECT_EQ(CKeypadDlg::DigitAt(CPoint(tap.x, tap.y)), tap.digit) << tap.x << "," << tap.y;
}

TEST_F(KeypadDialogTest, OneTwoFeetSixGivesTwelveFeetSixInches)
{
    CString shown;
    driver.OnDialog(CKeypadDlg::IDD, [&](CWnd* dialog, HeadlessDriver& d) {
        d.SetTarget(dialog);
        d.Tap(CPoint(20, 45));  // 1
        d.Tap(CPoint(40, 45));  // 2
        EXPECT_EQ(ValueText(dialog), CString(L"12"));
        d.TapDlgItem(dialog, CKeypadDlg::IDC_FEET_MARK);
        d.Tap(CPoint(70, 65));  // 6
        shown = ValueText(dialog);
        d.TapDlgItem(dialog, IDOK);
    });
    CKeypadDlg keypad;
    EXPECT_EQ(keypad.DoModal(), IDOK);
    EXPECT_EQ(keypad.m_value, 150);
    EXPECT_TRUE(keypad.m_feet);
    EXPECT_EQ(shown, FormatFeetInchesHalf(150.0f));
}

TEST_F(KeypadDialogTest, TheFeetMarkWithNothingEnteredStartsTheInches)
{
    CKeypadDlg keypad;
    keypad.OnFeetMark();
    EXPECT_EQ(keypad.m_value, 0);
    EXPECT_TRUE(keypad.m_feet);
    keypad.AddDigit(5);
    EXPECT_EQ(keypad.m_value, 5);
    keypad.OnFeetMark();
    EXPECT_EQ(keypad.m_value, 5) << "a second press does nothing";
}

TEST_F(KeypadDialogTest, AThirdInchDigitSpillsIntoTheFeet)
{
    CKeypadDlg keypad;
    keypad.AddDigit(1);
    keypad.OnFeetMark();
    keypad.AddDigit(1);
    keypad.AddDigit(3);
    // 1 ft and 13 in: the inches are not held to 11.
    EXPECT_EQ(keypad.m_value, 25);
}

TEST_F(KeypadDialogTest, ClearThenOkLeavesNothingEntered)
{
    driver.OnDialog(CKeypadDlg::IDD, [&](CWnd* dialog, HeadlessDriver& d) {
        d.SetTarget(dialog);
        d.Tap(CPoint(20, 45));
        d.TapDlgItem(dialog, CKeypadDlg::IDC_CLEAR);
        EXPECT_EQ(ValueText(dialog), CString(L""));
        d.TapDlgItem(dialog, IDOK);
    });
    CKeypadDlg keypad;
    EXPECT_EQ(keypad.DoModal(), IDOK);
    EXPECT_EQ(keypad.m_value, -1);
    EXPECT_FALSE(keypad.m_feet);
}

TEST_F(KeypadDialogTest, OnlyDigitsCanBeTyped)
{
    driver.OnDialog(CKeypadDlg::IDD, [&](CWnd* dialog, HeadlessDriver& d) {
        CWnd* edit = dialog->GetDlgItem(CKeypadDlg::IDC_VALUE);
        EXPECT_EQ(CWnd::GetFocus(), edit) << "the value edit has the focus";
        for (const wchar_t ch : {L'4', L'a', L'-', L'2'})
            edit->SendMessage(WM_CHAR, ch, 0);
        EXPECT_EQ(ValueText(dialog), CString(L"42"));
        d.TapDlgItem(dialog, IDOK);
    });
    CKeypadDlg keypad;
    EXPECT_EQ(keypad.DoModal(), IDOK);
    EXPECT_EQ(keypad.m_value, 42);
}

TEST_F(KeypadDialogTest, ADigitBeyondWhatTheValueHoldsIsNotTaken)
{
    CKeypadDlg keypad;
    for (int i = 0; i < 12; ++i)
        keypad.AddDigit(9);
    EXPECT_EQ(keypad.m_value, 999999999);
    EXPECT_GE(keypad.m_value, 0);
}

// The value field shows the digits the pad composes and no caret: nothing
// is edited at a place in it (a caret stood beside the digits).
TEST_F(KeypadDialogTest, TheValueFieldDrawsNoCaret)
{
    int caretColumns = -1;
    driver.OnDialog(CKeypadDlg::IDD, [&](CWnd* dialog, HeadlessDriver& d) {
        d.SetTarget(dialog);
        d.Tap(CPoint(40, 45));  // 2
        d.Tap(CPoint(40, 65));  // 5
        d.Tap(CPoint(12, 99));  // 0
        CRect field;
        dialog->GetDlgItem(CKeypadDlg::IDC_VALUE)->GetWindowRect(&field);
        field.DeflateRect(2, 2);
        // A caret is a column of ink nearly as tall as the field; digits are
        // shorter.
        caretColumns = 0;
        for (int x = field.left; x < field.right; ++x) {
            int ink = 0;
            for (int y = field.top; y < field.bottom; ++y)
                ink += d.PixelAt(x, y) != RGB(255, 255, 255) ? 1 : 0;
            caretColumns += ink >= field.Height() - 4 ? 1 : 0;
        }
        d.TapDlgItem(dialog, IDOK);
    });
    CKeypadDlg keypad;
    EXPECT_EQ(keypad.DoModal(), IDOK);
    EXPECT_EQ(keypad.m_value, 250);
    EXPECT_EQ(caretColumns, 0);
}
