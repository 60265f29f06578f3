#include "room_label_dlg.h"

#include "data_exchange.h"
#include "document_text_ddv.h"
#include "zup_object.h"

void RegisterRoomLabelTemplate()
{
    if (FindDialogTemplate(CRoomLabelDlg::IDD))
        return;
    DialogTemplate dialog;
    dialog.id = CRoomLabelDlg::IDD;
    dialog.caption = L"Enter Room Label";
    dialog.rect = CRect(0, kCaptionHeight, kScreenWidth, 190);
    dialog.items = {
        {ControlKind::Static, 0, L"Label:", CRect(4, 8, 44, 24)},
        {ControlKind::Edit, CRoomLabelDlg::IDC_LABEL, L"", CRect(44, 6, 176, 24)},
        {ControlKind::PushButton, CRoomLabelDlg::IDC_CLEAR, L"Clear", CRect(180, 4, 236, 26)},
        {ControlKind::GroupBox, 0, L"Room Dimensions", CRect(4, 32, 236, 104)},
        {ControlKind::RadioButton, CRoomLabelDlg::IDC_SMALL_UNITS, L"in.", CRect(12, 50, 70, 66),
         WS_GROUP},
        {ControlKind::RadioButton, CRoomLabelDlg::IDC_BIG_UNITS, L"ft.", CRect(80, 50, 140, 66)},
        {ControlKind::Edit, CRoomLabelDlg::IDC_WIDTH, L"", CRect(12, 74, 96, 92), WS_GROUP},
        {ControlKind::Static, 0, L"x", CRect(104, 76, 116, 92)},
        {ControlKind::Edit, CRoomLabelDlg::IDC_DEPTH, L"", CRect(124, 74, 208, 92)},
        {ControlKind::DefPushButton, IDOK, L"OK", CRect(40, 114, 110, 138)},
        {ControlKind::PushButton, IDCANCEL, L"Cancel", CRect(130, 114, 200, 138)},
    };
    RegisterDialogTemplate(dialog);
}

int CRoomLabelDlg::UnitFactor() { return ZupObject::IsMetric() ? 100 : 12; }

CRoomLabelDlg::CRoomLabelDlg(const CString& label, int width, int depth, CWnd* parent)
    : CDialog(IDD, parent), m_label(label), m_width(width), m_depth(depth)
{
    RegisterRoomLabelTemplate();
    MapCommand(IDC_SMALL_UNITS, &CRoomLabelDlg::OnSmallUnits);
    MapCommand(IDC_BIG_UNITS, &CRoomLabelDlg::OnBigUnits);
    MapCommand(IDC_CLEAR, &CRoomLabelDlg::OnClear);
    MapCommand(IDC_LABEL, &CRoomLabelDlg::OnLabelChanged, EN_CHANGE);
}

void CRoomLabelDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_LABEL, m_label);
    DDV_DocumentText(pDX, m_label);
    DDX_Text(pDX, IDC_WIDTH, m_width);
    DDX_Text(pDX, IDC_DEPTH, m_depth);
    DDX_Check(pDX, IDC_SMALL_UNITS, m_smallUnits);
    DDX_Check(pDX, IDC_BIG_UNITS, m_bigUnits);
}

BOOL CRoomLabelDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    EnableClear();
    if (ZupObject::IsMetric()) {
        SetDlgItemText(IDC_SMALL_UNITS, L"sm");
        SetDlgItemText(IDC_BIG_UNITS, L"m");
    }
    GotoDlgCtrl(GetDlgItem(IDC_LABEL));
    // The focus is placed here.
    return FALSE;
}

void CRoomLabelDlg::EnableClear()
{
    if (CWnd* clear = GetDlgItem(IDC_CLEAR))
        clear->EnableWindow(m_label.IsEmpty() ? FALSE : TRUE);
}

bool CRoomLabelDlg::ReadForUnitChange()
{
    const int small = m_smallUnits;
    const int big = m_bigUnits;
    if (UpdateData(TRUE))
        return true;
    m_smallUnits = small;
    m_bigUnits = big;
    CheckDlgButton(IDC_SMALL_UNITS, static_cast<UINT>(small));
    CheckDlgButton(IDC_BIG_UNITS, static_cast<UINT>(big));
    return false;
}

void CRoomLabelDlg::OnSmallUnits()
{
    if (m_smallUnits)
        return;
    if (!ReadForUnitChange())
        return;
    m_smallUnits = 1;
    m_bigUnits = 0;
    m_width *= UnitFactor();
    m_depth *= UnitFactor();
    UpdateData(FALSE);
}

void CRoomLabelDlg::OnBigUnits()
{
    if (m_bigUnits)
        return;
    if (!ReadForUnitChange())
        return;
    m_bigUnits = 1;
    m_smallUnits = 0;
    // Integer division: what is left below one big unit is dropped.
    m_width /= UnitFactor();
    m_depth /= UnitFactor();
    UpdateData(FALSE);
}

void CRoomLabelDlg::OnClear()
{
    m_label.Empty();
    SetDlgItemText(IDC_LABEL, L"");
    EnableClear();
    GotoDlgCtrl(GetDlgItem(IDC_LABEL));
}

// Only the label is read: the sizes may be half typed while the label
// changes, and writing the controls raises this notification too.
void CRoomLabelDlg::OnLabelChanged()
{
    GetDlgItemText(IDC_LABEL, m_label);
    EnableClear();
}

void CRoomLabelDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (m_bigUnits) {
        m_width *= UnitFactor();
        m_depth *= UnitFactor();
    }
    EndDialog(IDOK);
}
