#include "object_page.h"

#include "c_spin_button_ctrl.h"
#include "data_exchange.h"
#include "c_win_app.h"
#include "object_sheet_apply.h"
#include "object_sheet_state.h"
#include "object_sheet_templates.h"

CObjectPage::CObjectPage(UINT templateId) : CPropertyPage(templateId)
{
    RegisterObjectSheetTemplates();
}

CObjectPage::~CObjectPage()
{
    if (CWnd* main = AfxGetMainWnd(); main && main->GetSafeHwnd())
        main->SetWindowText(g_objectSheet.savedCaption);
}

BOOL CObjectPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    return FALSE;
}

void CObjectPage::ExchangePageData(CDataExchange*) {}

void CObjectPage::DoDataExchange(CDataExchange* pDX)
{
    struct Depth {
        int& count;
        explicit Depth(int& c) : count(c) { ++count; }
        ~Depth() { --count; }
    } depth(m_exchanging);
    CPropertyPage::DoDataExchange(pDX);
    ExchangePageData(pDX);
}

BOOL CObjectPage::OnApply() { return ApplyObjectSheet() != 0 ? TRUE : FALSE; }

void CObjectPage::OnCancel()
{
    if (CPropertySheet* sheet = GetSheet())
        sheet->EndDialog(IDCANCEL);
}

void CObjectPage::ShowControl(int id, bool show)
{
    if (CWnd* control = GetDlgItem(id))
        control->ShowWindow(show ? SW_SHOW : SW_HIDE);
}

void CObjectPage::EnableControl(int id, bool enable)
{
    if (CWnd* control = GetDlgItem(id))
        control->EnableWindow(enable ? TRUE : FALSE);
}

bool CObjectPage::IsControlEnabled(int id) const
{
    CWnd* control = GetDlgItem(id);
    return control && control->IsWindowEnabled();
}

void CObjectPage::SetControlText(int id, LPCTSTR text)
{
    if (CWnd* control = GetDlgItem(id))
        control->SetWindowText(text);
}

void CObjectPage::SetSpinRange(int id, int lower, int upper)
{
    if (auto* spin = dynamic_cast<CSpinButtonCtrl*>(GetDlgItem(id)))
        spin->SetRange32(lower, upper);
}

// ---- The attached window ----

CAttachedWindowPage::CAttachedWindowPage(UINT templateId) : CObjectPage(templateId)
{
    MapCommand(IDC_PANES, &CAttachedWindowPage::OnAttachedPanesChanged, EN_CHANGE);
    MapCommand(IDC_BAY, &CAttachedWindowPage::OnAttachedBay);
    MapCommand(IDC_STRAIGHT, &CAttachedWindowPage::OnAttachedStraight);
}

void CAttachedWindowPage::OnAttachedPanesChanged()
{
    CWnd* panes = GetDlgItem(IDC_PANES);
    if (InExchange() || !panes || !panes->IsWindowVisible())
        return;
    UpdateData(TRUE);
    if (g_objectSheet.attachedPanes == 0) {
        bay = 0;
        straight = 0;
    } else if (!bay && !straight) {
        straight = 1;
    }
    UpdateData(FALSE);
}

void CAttachedWindowPage::OnAttachedBay()
{
    if (bay)
        return;
    bay = 1;
    straight = 0;
    g_objectSheet.attachedPanes = 3;
    UpdateData(FALSE);
}

void CAttachedWindowPage::OnAttachedStraight()
{
    if (straight)
        return;
    straight = 1;
    bay = 0;
    if (g_objectSheet.attachedPanes == 0)
        g_objectSheet.attachedPanes = 1;
    UpdateData(FALSE);
}

void CAttachedWindowPage::NameAttachedGroup(int category, int subtypeId)
{
    if (category == SheetCategory::kCountertop)
        SetControlText(ObjectSheetIds::kAttachedGroup, subtypeId == 7 ? L"Door" : L"Attached Window");
}

void CAttachedWindowPage::ShowWindowShapes(bool attached, int category, int subtypeId)
{
    const bool shape = attached && !(category == SheetCategory::kCountertop && subtypeId == 7);
    for (int id : {IDC_BAY, IDC_STRAIGHT}) {
        ShowControl(id, shape);
        EnableControl(id, shape);
    }
}
