// Text typed into the dialogs goes into files of one code page: a character
// the file cannot keep is pointed out while the person can still change it,
// never turned into '?' behind their back.
#include <string>

#include "app_test_support.h"
#include "exchange_file.h"
#include "headless_driver.h"
#include "new_session_dlg.h"
#include "repl_doc.h"
#include "room_label_dlg.h"
#include "text_utilities.h"

namespace {

struct Typed {
    const wchar_t* text;
    const wchar_t* lost;  // the characters the file cannot keep, or null
};

const Typed kTyped[] = {
    {L"Den", nullptr},
    {L"Caf\u00e9 \u00bd \u20ac \u2122", nullptr},
    {L"Den; (x) = \"y\" # / \\ < > & '\t", nullptr},
    {L"\u5ba2\u5385", L"\u5ba2\u5385"},
    {L"Den \U0001f600", L"\U0001f600"},
    {L"\u0141\u00f3d\u017a \u0141", L"\u0141\u017a"},
};

}  // namespace

using TypedCodePageTest = AppTest;

TEST_F(TypedCodePageTest, CharactersTheFileCannotKeepAreNamed)
{
    for (const Typed& typed : kTyped)
        EXPECT_EQ(CharactersOutsideCodePage(CString(typed.text)),
                  std::wstring(typed.lost ? typed.lost : L""))
            << CString(typed.text).ToNarrow();
}

// The label dialog keeps the person in it until the label can be kept.
TEST_F(TypedCodePageTest, RoomLabelDialogTellsBeforeTheLabelIsLost)
{
    for (const Typed& typed : kTyped) {
        SCOPED_TRACE(CString(typed.text).ToNarrow());
        HeadlessDriver driver;
        bool stayedOpen = false;
        driver.OnDialog(CRoomLabelDlg::IDD, [&](CWnd* dialog, HeadlessDriver& d) {
            dialog->SetDlgItemText(CRoomLabelDlg::IDC_LABEL, typed.text);
            d.TapDlgItem(dialog, IDOK);
            if (!typed.lost)
                return;
            stayedOpen = dialog->IsWindowVisible() != FALSE;
            dialog->SetDlgItemText(CRoomLabelDlg::IDC_LABEL, L"Den");
            d.TapDlgItem(dialog, IDOK);
        });
        CRoomLabelDlg dialog(CString(L""), 0, 0);
        ASSERT_EQ(dialog.DoModal(), IDOK);
        if (!typed.lost) {
            EXPECT_TRUE(driver.MessageBoxes().empty());
            EXPECT_EQ(dialog.m_label, CString(typed.text));
            continue;
        }
        EXPECT_TRUE(stayedOpen);
        ASSERT_EQ(driver.MessageBoxes().size(), 1u);
        EXPECT_GE(driver.MessageBoxes()[0].text.Find(typed.lost), 0);
        EXPECT_EQ(dialog.m_label, CString(L"Den"));
    }
}

// The New Session dialog's address fields, saved into every file's header.
TEST_F(TypedCodePageTest, NewSessionDialogTellsBeforeAnAddressFieldIsLost)
{
    ASSERT_TRUE(InstallDefaultExchangeFile());
    for (const int field : {CNewSessionDlg::IDC_HOUSE, CNewSessionDlg::IDC_STREET,
                            CNewSessionDlg::IDC_ZIP, CNewSessionDlg::IDC_NUMBER,
                            CNewSessionDlg::IDC_JOB_ID}) {
        SCOPED_TRACE(field);
        CReplDoc document;
        ASSERT_TRUE(document.OnNewDocument());
        HeadlessDriver driver;
        driver.OnDialog(CNewSessionDlg::IDD, [&](CWnd* dialog, HeadlessDriver& d) {
            dialog->SetDlgItemText(field, L"12 \u5ba2");
            d.TapDlgItem(dialog, IDOK);
            dialog->SetDlgItemText(field, L"12");
            d.TapDlgItem(dialog, IDOK);
        });
        CNewSessionDlg dialog(&document);
        ASSERT_EQ(dialog.DoModal(), IDOK);
        ASSERT_EQ(driver.MessageBoxes().size(), 1u);
        EXPECT_GE(driver.MessageBoxes()[0].text.Find(L"\u5ba2"), 0);
    }
}
