#include "about_dlg.h"

#include "dialog_template.h"
#include "program_version.h"
#include "shell_resources.h"

namespace {

void RegisterAboutTemplate()
{
    if (FindDialogTemplate(CAboutDlg::IDD))
        return;
    DialogTemplate dialog;
    dialog.id = CAboutDlg::IDD;
    dialog.caption = L"About Pelk";
    DialogItem icon{ControlKind::Picture, 0, L"", CRect(8, 8, 24, 24)};
    icon.bitmapId = ShellIds::kMainResource;
    dialog.items = {
        icon,
        {ControlKind::Static, 0, L"Pelk", CRect(32, 8, 232, 24)},
        {ControlKind::Static, 0, L"Floor plans sketched with the pen", CRect(32, 26, 232, 42)},
        {ControlKind::Static, CAboutDlg::IDC_ADDRESS, L"", CRect(8, 52, 232, 68)},
        {ControlKind::Static, 0, L"Total:", CRect(8, 74, 100, 90)},
        {ControlKind::Static, CAboutDlg::IDC_TOTAL_AREA, L"", CRect(104, 74, 170, 90)},
        {ControlKind::Static, 0, L"sq. ft", CRect(174, 74, 232, 90)},
        {ControlKind::Static, 0, L"Measurements:", CRect(8, 94, 100, 110)},
        {ControlKind::Static, CAboutDlg::IDC_MEASUREMENTS, L"", CRect(104, 94, 232, 110)},
        {ControlKind::Static, 0, L"File:", CRect(8, 114, 100, 130)},
        {ControlKind::Static, CAboutDlg::IDC_FILE, L"", CRect(104, 114, 232, 130)},
        {ControlKind::Static, 0, L"Version:", CRect(8, 134, 100, 150)},
        {ControlKind::Static, CAboutDlg::IDC_VERSION, L"", CRect(104, 134, 232, 150)},
        {ControlKind::DefPushButton, IDOK, L"OK", CRect(80, 170, 160, 192)},
    };
    RegisterDialogTemplate(dialog);
}

}  // namespace

CAboutDlg::CAboutDlg() : CDialog(IDD) { RegisterAboutTemplate(); }

BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_VERSION, GetProgramVersion());
    if (!m_address.IsEmpty()) {
        SetDlgItemText(IDC_ADDRESS, m_address);
        SetDlgItemText(IDC_FILE, m_fileName);
        SetDlgItemInt(IDC_TOTAL_AREA, static_cast<UINT>(m_totalArea));
        SetDlgItemInt(IDC_MEASUREMENTS, static_cast<UINT>(m_measurements));
    }
    return TRUE;
}
