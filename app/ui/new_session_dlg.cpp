#include "new_session_dlg.h"

#include "c_edit.h"
#include "c_list_box.h"
#include "data_exchange.h"
#include "document_text_ddv.h"
#include "repl_doc.h"
#include "room_type_catalog.h"

const wchar_t* const kOrientations[9] = {L"none", L"N", L"S", L"E", L"W", L"NE", L"NW", L"SE", L"SW"};

namespace {

void RegisterSessionTemplate()
{
    if (FindDialogTemplate(CNewSessionDlg::IDD))
        return;
    DialogTemplate dialog;
    dialog.id = CNewSessionDlg::IDD;
    dialog.caption = L"New Session";
    dialog.items = {
        {ControlKind::Static, 0, L"House:", CRect(4, 6, 60, 20)},
        {ControlKind::Edit, CNewSessionDlg::IDC_HOUSE, L"", CRect(62, 4, 122, 22)},
        {ControlKind::Static, 0, L"#:", CRect(126, 6, 140, 20)},
        {ControlKind::Edit, CNewSessionDlg::IDC_NUMBER, L"", CRect(142, 4, 236, 22)},
        {ControlKind::Static, 0, L"Street:", CRect(4, 30, 60, 44)},
        {ControlKind::Edit, CNewSessionDlg::IDC_STREET, L"", CRect(62, 28, 236, 46)},
        {ControlKind::Static, 0, L"ZIP:", CRect(4, 54, 60, 68)},
        {ControlKind::Edit, CNewSessionDlg::IDC_ZIP, L"", CRect(62, 52, 122, 70), ES_NUMBER},
        {ControlKind::Static, 0, L"Job ID:", CRect(4, 78, 60, 92)},
        {ControlKind::Edit, CNewSessionDlg::IDC_JOB_ID, L"", CRect(62, 76, 236, 94)},
        {ControlKind::Static, 0, L"Level:", CRect(4, 100, 116, 114)},
        {ControlKind::ListBox, CNewSessionDlg::IDC_LEVEL, L"", CRect(4, 116, 116, 200)},
        {ControlKind::Static, 0, L"Orientation:", CRect(124, 100, 236, 114)},
        {ControlKind::ListBox, CNewSessionDlg::IDC_ORIENTATION, L"", CRect(124, 116, 236, 200)},
        {ControlKind::DefPushButton, IDOK, L"OK", CRect(20, 210, 110, 234)},
        {ControlKind::PushButton, IDCANCEL, L"Restore", CRect(130, 210, 220, 234)},
    };
    RegisterDialogTemplate(dialog);
}

CListBox* ListOf(const CWnd* dialog, int id) { return dynamic_cast<CListBox*>(dialog->GetDlgItem(id)); }

}  // namespace

CNewSessionDlg::CNewSessionDlg(CReplDoc* document)
    : CDialog(IDD),
      m_street(document->m_street),
      m_level(document->m_level),
      m_house(document->m_house),
      m_zip(document->m_zip),
      m_orientation(document->m_orientation),
      m_number(document->m_unit.IsEmpty() ? document->m_mls : document->m_unit),
      m_jobId(document->m_jobId),
      m_document(document)
{
    RegisterSessionTemplate();
}

BOOL CNewSessionDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    BOOL canRestore = m_document->m_journal.HasJournal() ? TRUE : FALSE;
    // A document without a house has no work of its own to come back to.
    if (m_house.IsEmpty()) {
        m_street = L"Anystreet";
        m_house = L"1";
        m_level = L"Main";
        canRestore = FALSE;
    }
    if (CWnd* restore = GetDlgItem(IDCANCEL))
        restore->EnableWindow(canRestore);
    FillLevels();
    FillOrientations();
    UpdateData(FALSE);
    return TRUE;
}

void CNewSessionDlg::FillLevels()
{
    CListBox* list = ListOf(this, IDC_LEVEL);
    if (!list)
        return;
    for (const CString& level : LevelList())
        list->AddString(level);
    list->SelectString(-1, m_level);
}

void CNewSessionDlg::FillOrientations()
{
    CListBox* list = ListOf(this, IDC_ORIENTATION);
    if (!list)
        return;
    for (const wchar_t* orientation : kOrientations)
        list->AddString(orientation);
    list->SelectString(-1, m_orientation);
}

void CNewSessionDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    // Each field goes into the file's header.
    const struct {
        int id;
        CString* value;
    } fields[] = {{IDC_HOUSE, &m_house}, {IDC_STREET, &m_street}, {IDC_ZIP, &m_zip},
                  {IDC_NUMBER, &m_number}, {IDC_JOB_ID, &m_jobId}};
    for (const auto& field : fields) {
        DDX_Text(pDX, field.id, *field.value);
        DDV_DocumentText(pDX, *field.value);
    }
}

void CNewSessionDlg::ReadSelection(int listId, CString& text) const
{
    const CListBox* list = ListOf(this, listId);
    if (list && list->GetCurSel() >= 0)
        list->GetText(list->GetCurSel(), text);
}

void CNewSessionDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    ReadSelection(IDC_LEVEL, m_level);
    ReadSelection(IDC_ORIENTATION, m_orientation);
    EndDialog(IDOK);
}
