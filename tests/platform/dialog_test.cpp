#include "bitmap_resources.h"
#include "c_button.h"
#include "c_combo_box.h"
#include "c_list_box.h"
#include "c_slider_ctrl.h"
#include "c_dialog.h"
#include "c_edit.h"
#include "data_exchange.h"
#include "headless_driver.h"
#include "message_box.h"

#include <gtest/gtest.h>

#include <clocale>
#include <ostream>

void PrintTo(const CString& text, std::ostream* os)
{
    *os << '"' << text.ToNarrow() << '"';
}

namespace {

constexpr UINT kExchangeDialog = 9001;
constexpr int kCountEdit = 101;
constexpr int kRatioEdit = 102;
constexpr int kNameEdit = 103;
constexpr int kCheck = 104;

void RegisterExchangeTemplate()
{
    DialogTemplate dialog;
    dialog.id = kExchangeDialog;
    dialog.caption = L"Exchange";
    dialog.items = {
        {ControlKind::Static, 0xFFFF, L"Count:", CRect(4, 4, 60, 20)},
        {ControlKind::Edit, kCountEdit, L"", CRect(64, 4, 160, 22)},
        {ControlKind::Edit, kRatioEdit, L"", CRect(64, 28, 160, 46)},
        {ControlKind::Edit, kNameEdit, L"", CRect(64, 52, 160, 70)},
        {ControlKind::CheckBox, kCheck, L"Below", CRect(64, 76, 160, 94)},
        {ControlKind::DefPushButton, IDOK, L"OK", CRect(20, 120, 100, 140)},
        {ControlKind::PushButton, IDCANCEL, L"Cancel", CRect(120, 120, 200, 140)},
    };
    ASSERT_TRUE(RegisterDialogTemplate(dialog));
}

class ExchangeDialog : public CDialog {
public:
    ExchangeDialog() : CDialog(kExchangeDialog) {}

    int m_count = 5;
    float m_ratio = 0.5f;
    CString m_name = L"Hall";
    int m_below = 1;
    int m_initCalls = 0;

protected:
    BOOL OnInitDialog() override
    {
        ++m_initCalls;
        return CDialog::OnInitDialog();
    }

    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, kCountEdit, m_count);
        DDV_MinMaxInt(pDX, m_count, 0, 1000);
        DDX_Text(pDX, kRatioEdit, m_ratio);
        DDX_Text(pDX, kNameEdit, m_name);
        DDX_Check(pDX, kCheck, m_below);
    }
};

CString TextOf(CWnd* dialog, int id)
{
    CString text;
    dialog->GetDlgItemText(id, text);
    return text;
}

int CheckOf(CWnd* dialog, int id)
{
    return static_cast<CButton*>(dialog->GetDlgItem(id))->GetCheck();
}

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterExchangeTemplate();
        ResetMessageBoxHistory();
    }

    HeadlessDriver m_driver;
};

TEST_F(DialogTest, ScriptedModalDialogExchangesIntFloatStringAndCheckBox)
{
    ExchangeDialog dialog;
    bool scriptRan = false;
    m_driver.OnDialog(kExchangeDialog, [&](CWnd* shown, HeadlessDriver& driver) {
        scriptRan = true;
        // The controls show the members.
        EXPECT_EQ(TextOf(shown, kCountEdit), CString(L"5"));
        EXPECT_EQ(TextOf(shown, kRatioEdit), CString(L"0.5"));
        EXPECT_EQ(TextOf(shown, kNameEdit), CString(L"Hall"));
        EXPECT_EQ(CheckOf(shown, kCheck), BST_CHECKED);
        shown->SetDlgItemText(kCountEdit, L"42");
        shown->SetDlgItemText(kRatioEdit, L"2.25");
        shown->SetDlgItemText(kNameEdit, L"Kitchen");
        driver.TapDlgItem(shown, kCheck);
        driver.TapDlgItem(shown, IDOK);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(scriptRan);
    EXPECT_EQ(dialog.m_initCalls, 1);
    EXPECT_EQ(dialog.m_count, 42);
    EXPECT_FLOAT_EQ(dialog.m_ratio, 2.25f);
    EXPECT_EQ(dialog.m_name, CString(L"Kitchen"));
    EXPECT_EQ(dialog.m_below, 0);
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr) << "the window is gone after the run";
    EXPECT_EQ(MessageBoxCount(), 0);
}

TEST_F(DialogTest, RangeCheckShowsItsMessageAndKeepsTheDialogOpen)
{
    ExchangeDialog dialog;
    m_driver.OnDialog(kExchangeDialog, [&](CWnd* shown, HeadlessDriver& driver) {
        shown->SetDlgItemText(kCountEdit, L"5000");
        driver.TapDlgItem(shown, IDOK);
        ASSERT_TRUE(IsWindow(shown)) << "a failed check keeps the dialog";
        EXPECT_EQ(CWnd::GetFocus(), shown->GetDlgItem(kCountEdit));
        int start = -1, end = -1;
        static_cast<CEdit*>(shown->GetDlgItem(kCountEdit))->GetSel(start, end);
        EXPECT_EQ(start, 0);
        EXPECT_EQ(end, 4);
        shown->SetDlgItemText(kCountEdit, L"1000");
        driver.TapDlgItem(shown, IDOK);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_count, 1000);
    ASSERT_EQ(m_driver.MessageBoxes().size(), 1u);
    EXPECT_EQ(m_driver.MessageBoxes()[0].text, CString(L"Enter a whole number from 0 to 1000."));
    EXPECT_EQ(MessageBoxCount(), 1);
    EXPECT_EQ(MessageBoxHistory()[0].type & 0xF0, MB_ICONEXCLAMATION);
}

struct BadInput {
    int control;
    const wchar_t* text;
    const wchar_t* message;
};

TEST_F(DialogTest, TextThatIsNotANumberIsRefusedWithItsMessage)
{
    const BadInput cases[] = {
        {kCountEdit, L"abc", L"Enter a whole number."},
        {kCountEdit, L"12x", L"Enter a whole number."},
        {kCountEdit, L"", L"Enter a whole number."},
        {kCountEdit, L"99999999999", L"Enter a whole number."},
        {kRatioEdit, L"1,5", L"Enter a number."},
        {kRatioEdit, L"nan", L"Enter a number."},
        {kRatioEdit, L"1e60", L"Enter a number."},
    };
    for (const BadInput& bad : cases) {
        ResetMessageBoxHistory();
        ExchangeDialog dialog;
        m_driver.OnDialog(kExchangeDialog, [&](CWnd* shown, HeadlessDriver& driver) {
            shown->SetDlgItemText(bad.control, bad.text);
            driver.TapDlgItem(shown, IDOK);
        });
        EXPECT_EQ(dialog.DoModal(), IDCANCEL) << "left open, then out of input";
        ASSERT_EQ(MessageBoxCount(), 1) << CString(bad.text).ToNarrow();
        EXPECT_EQ(MessageBoxHistory()[0].text, CString(bad.message));
        EXPECT_EQ(dialog.m_count, 5);
        EXPECT_FLOAT_EQ(dialog.m_ratio, 0.5f);
    }
}

TEST_F(DialogTest, NumbersReadTheSameUnderAGermanLocale)
{
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    bool german = false;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "German"}) german = german || std::setlocale(LC_NUMERIC, name);
    if (!german) GTEST_SKIP() << "no German locale here";
    ExchangeDialog dialog;
    dialog.m_ratio = 1.5f;
    m_driver.OnDialog(kExchangeDialog, [&](CWnd* shown, HeadlessDriver& driver) {
        EXPECT_EQ(TextOf(shown, kRatioEdit), CString(L"1.5"));
        shown->SetDlgItemText(kRatioEdit, L"0.25");
        driver.TapDlgItem(shown, IDOK);
    });
    const INT_PTR result = dialog.DoModal();
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_EQ(result, IDOK);
    EXPECT_FLOAT_EQ(dialog.m_ratio, 0.25f);
}

TEST_F(DialogTest, CancelLeavesTheMembersAsTheyWere)
{
    ExchangeDialog dialog;
    m_driver.OnDialog(kExchangeDialog, [&](CWnd* shown, HeadlessDriver& driver) {
        shown->SetDlgItemText(kCountEdit, L"77");
        driver.TapDlgItem(shown, IDCANCEL);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.m_count, 5);
}

TEST_F(DialogTest, EnterIsOkAndEscapeIsCancel)
{
    ExchangeDialog first;
    m_driver.OnDialog(kExchangeDialog, [&](CWnd* shown, HeadlessDriver& driver) {
        shown->SetDlgItemText(kCountEdit, L"8");
        driver.Key(VK_RETURN);
    });
    EXPECT_EQ(first.DoModal(), IDOK);
    EXPECT_EQ(first.m_count, 8);

    ExchangeDialog second;
    m_driver.OnDialog(kExchangeDialog, [&](CWnd*, HeadlessDriver& driver) { driver.Key(VK_ESCAPE); });
    EXPECT_EQ(second.DoModal(), IDCANCEL);
}

TEST_F(DialogTest, UnscriptedHeadlessDialogEndsAsCancelled)
{
    ExchangeDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    ASSERT_FALSE(m_driver.ShownDialogs().empty());
    EXPECT_EQ(m_driver.ShownDialogs().back(), kExchangeDialog);
}

TEST_F(DialogTest, MissingTemplateGivesMinusOne)
{
    CDialog dialog(9999);
    EXPECT_EQ(dialog.DoModal(), -1);
}

class EndingInInit : public CDialog {
public:
    EndingInInit() : CDialog(kExchangeDialog) {}

protected:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        EndDialog(2018);
        return FALSE;
    }
};

TEST_F(DialogTest, DialogEndedDuringInitialisationDoesNotRun)
{
    EndingInInit dialog;
    bool scriptRan = false;
    m_driver.OnDialog(kExchangeDialog, [&](CWnd*, HeadlessDriver&) { scriptRan = true; });
    EXPECT_EQ(dialog.DoModal(), 2018);
    EXPECT_FALSE(scriptRan);
}

class ButtonDialog : public CDialog {
public:
    ButtonDialog() : CDialog(kExchangeDialog) { MapCommand(kCheck, &ButtonDialog::OnBelow); }
    int m_clicks = 0;

private:
    void OnBelow()
    {
        ++m_clicks;
        EndDialog(kCheck);
    }
};

TEST_F(DialogTest, ButtonCommandsReachTheDialogsHandlers)
{
    ButtonDialog dialog;
    m_driver.OnDialog(kExchangeDialog, [&](CWnd* shown, HeadlessDriver& driver) { driver.TapDlgItem(shown, kCheck); });
    EXPECT_EQ(dialog.DoModal(), kCheck);
    EXPECT_EQ(dialog.m_clicks, 1);
}

TEST_F(DialogTest, DialogIsReusable)
{
    ExchangeDialog dialog;
    for (int run = 0; run < 2; ++run) {
        m_driver.OnDialog(kExchangeDialog, [&](CWnd* shown, HeadlessDriver& driver) { driver.TapDlgItem(shown, IDOK); });
        EXPECT_EQ(dialog.DoModal(), IDOK);
    }
    EXPECT_EQ(dialog.m_initCalls, 2);
}

constexpr UINT kChoiceDialog = 9003;
constexpr int kInches = 401;
constexpr int kFeet = 402;
constexpr int kLevels = 403;
constexpr int kWalls = 404;
constexpr int kDirection = 405;
constexpr int kLabel = 406;
constexpr int kWidth = 407;
constexpr int kPicture = 408;
constexpr UINT kPictureBitmap = 9004;

void RegisterChoiceTemplate()
{
    ASSERT_TRUE(RegisterBitmapArt(kPictureBitmap, {"kk", "kk"}, {"k=000000"}));
    DialogTemplate dialog;
    dialog.id = kChoiceDialog;
    dialog.caption = L"Choices";
    dialog.items = {
        {ControlKind::RadioButton, kInches, L"in.", CRect(4, 4, 60, 20), WS_GROUP},
        {ControlKind::RadioButton, kFeet, L"ft.", CRect(64, 4, 120, 20)},
        {ControlKind::ListBox, kLevels, L"", CRect(4, 24, 116, 80), WS_GROUP | LBS_SORT},
        {ControlKind::DropDownList, kWalls, L"", CRect(124, 24, 236, 42)},
        {ControlKind::Slider, kDirection, L"", CRect(4, 90, 236, 110)},
        {ControlKind::Edit, kLabel, L"", CRect(4, 120, 116, 138)},
        {ControlKind::Edit, kWidth, L"", CRect(124, 120, 236, 138)},
        {ControlKind::Picture, kPicture, L"", CRect(200, 200, 202, 202), 0, kPictureBitmap},
        {ControlKind::DefPushButton, IDOK, L"OK", CRect(20, 150, 100, 170)},
    };
    ASSERT_TRUE(RegisterDialogTemplate(dialog));
}

class ChoiceDialog : public CDialog {
public:
    ChoiceDialog() : CDialog(kChoiceDialog) {}
    int m_units = 1;
    CString m_level = L"Upper";
    int m_wallKind = 2;
    int m_direction = 90;
    CString m_label = L"Den";
    double m_width = 12.5;

protected:
    BOOL OnInitDialog() override
    {
        for (const wchar_t* level : {L"Main", L"Upper", L"Basement"})
            static_cast<CListBox*>(GetDlgItem(kLevels))->AddString(level);
        for (const wchar_t* kind : {L"Default", L"Halfwall", L"Empty", L"Window"})
            static_cast<CComboBox*>(GetDlgItem(kWalls))->AddString(kind);
        static_cast<CSliderCtrl*>(GetDlgItem(kDirection))->SetRange(0, 360);
        return CDialog::OnInitDialog();
    }

    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Radio(pDX, kInches, m_units);
        DDX_LBString(pDX, kLevels, m_level);
        DDX_CBIndex(pDX, kWalls, m_wallKind);
        DDX_Slider(pDX, kDirection, m_direction);
        DDX_Text(pDX, kLabel, m_label);
        DDV_MaxChars(pDX, m_label, 8);
        DDX_Text(pDX, kWidth, m_width);
        DDV_MinMaxDouble(pDX, m_width, 0.0, 1000.0);
    }
};

TEST_F(DialogTest, RadioListComboAndSliderExchange)
{
    RegisterChoiceTemplate();
    ChoiceDialog dialog;
    m_driver.OnDialog(kChoiceDialog, [&](CWnd* shown, HeadlessDriver& driver) {
        EXPECT_EQ(CheckOf(shown, kFeet), BST_CHECKED);
        EXPECT_EQ(CheckOf(shown, kInches), BST_UNCHECKED);
        EXPECT_EQ(static_cast<CListBox*>(shown->GetDlgItem(kLevels))->GetCurSel(), 2) << "sorted: Basement, Main, Upper";
        EXPECT_EQ(static_cast<CComboBox*>(shown->GetDlgItem(kWalls))->GetCurSel(), 2);
        EXPECT_EQ(static_cast<CSliderCtrl*>(shown->GetDlgItem(kDirection))->GetPos(), 90);
        EXPECT_EQ(TextOf(shown, kWidth), CString(L"12.5"));
        EXPECT_EQ(driver.PixelAt(201 + 0, kCaptionHeight + 201), RGB(0, 0, 0)) << "the picture is drawn";
        driver.TapDlgItem(shown, kInches);
        EXPECT_EQ(CheckOf(shown, kFeet), BST_UNCHECKED) << "one radio of the group";
        static_cast<CListBox*>(shown->GetDlgItem(kLevels))->SetCurSel(0);
        static_cast<CComboBox*>(shown->GetDlgItem(kWalls))->SetCurSel(3);
        static_cast<CSliderCtrl*>(shown->GetDlgItem(kDirection))->SetPos(270);
        shown->SetDlgItemText(kLabel, L"Bedroom 2");
        driver.TapDlgItem(shown, IDOK);
        ASSERT_TRUE(IsWindow(shown)) << "nine characters are too many";
        shown->SetDlgItemText(kLabel, L"Bedroom");
        shown->SetDlgItemText(kWidth, L"1000.5");
        driver.TapDlgItem(shown, IDOK);
        ASSERT_TRUE(IsWindow(shown));
        shown->SetDlgItemText(kWidth, L"  7.25 ");
        driver.TapDlgItem(shown, IDOK);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_units, 0);
    EXPECT_EQ(dialog.m_level, CString(L"Basement"));
    EXPECT_EQ(dialog.m_wallKind, 3);
    EXPECT_EQ(dialog.m_direction, 270);
    EXPECT_EQ(dialog.m_label, CString(L"Bedroom"));
    EXPECT_DOUBLE_EQ(dialog.m_width, 7.25);
    ASSERT_EQ(MessageBoxCount(), 2);
    EXPECT_EQ(MessageBoxHistory()[0].text, CString(L"Enter no more than 8 characters."));
    EXPECT_EQ(MessageBoxHistory()[1].text, CString(L"Enter a number from 0 to 1000."));
}

TEST(DialogUnits, AreQuartersOfTheAverageWidthAndEighthsOfTheHeight)
{
    const CSize units = GetDialogBaseUnits();
    EXPECT_GT(units.cx, 3);
    EXPECT_GT(units.cy, 8);
    const CRect pixels = DialogUnitsToPixels(CRect(0, 0, 111, 138));
    EXPECT_EQ(pixels.Width(), 111 * units.cx / 4);
    EXPECT_EQ(pixels.Height(), 138 * units.cy / 8);
    EXPECT_LE(pixels.Width(), kScreenWidth) << "a page of 111 x 138 units fits the screen";
    EXPECT_LE(pixels.Height(), kClientHeight);
}

TEST(DialogTemplates, DuplicateControlIdsAreRefused)
{
    DialogTemplate dialog;
    dialog.id = 9002;
    dialog.items = {{ControlKind::Edit, 5, L"", CRect(0, 0, 10, 10)}, {ControlKind::Edit, 5, L"", CRect(0, 20, 10, 30)}};
    EXPECT_FALSE(RegisterDialogTemplate(dialog));
    EXPECT_EQ(FindDialogTemplate(9002), nullptr);
}

}  // namespace
