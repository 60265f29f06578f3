#include "duplicate_room_dlg.h"

#include "text_utilities.h"

namespace {

void RegisterDuplicateRoomTemplate()
{
    if (FindDialogTemplate(CDuplicateRoomDlg::IDD))
        return;
    DialogTemplate dialog;
    dialog.id = CDuplicateRoomDlg::IDD;
    dialog.rect = CRect(10, 100, 230, 200);
    dialog.items = {
        {ControlKind::Static, CDuplicateRoomDlg::IDC_QUESTION, L"", CRect(6, 8, 214, 40)},
        {ControlKind::DefPushButton, IDOK, L"Discard", CRect(16, 56, 100, 80)},
        {ControlKind::PushButton, IDCANCEL, L"Rename", CRect(120, 56, 204, 80)},
    };
    RegisterDialogTemplate(dialog);
}

}  // namespace

CDuplicateRoomDlg::CDuplicateRoomDlg(const CString& caption, const char* roomName)
    : CDialog(IDD), m_caption(caption)
{
    ToCString(m_roomName, roomName ? roomName : "", false);
    RegisterDuplicateRoomTemplate();
}

BOOL CDuplicateRoomDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CString question;
    question.Format(L"Duplicate room %s detected", m_roomName.GetString());
    SetDlgItemText(IDC_QUESTION, question);
    SetWindowText(m_caption);
    return TRUE;
}
