#include "new_room_dlg.h"

#include "c_combo_box.h"
#include "c_list_box.h"
#include "data_exchange.h"
#include "room_label_dlg.h"
#include "room_type.h"
#include "room_type_catalog.h"
#include "text_utilities.h"

namespace {

int g_longList = 0;

const wchar_t* const kWallKinds[] = {L"Default", L"Halfwall", L"Empty", L"Window"};

void RegisterNewRoomTemplate()
{
    if (FindDialogTemplate(CNewRoomDlg::IDD))
        return;
    DialogTemplate dialog;
    dialog.id = CNewRoomDlg::IDD;
    dialog.caption = L"New Room";
    dialog.items = {
        {ControlKind::ListBox, CNewRoomDlg::IDC_TYPES, L"", CRect(4, 4, 150, 200),
         LBS_SORT | LBS_NOTIFY},
        {ControlKind::CheckBox, CNewRoomDlg::IDC_BELOW, L"Below", CRect(156, 4, 236, 20)},
        {ControlKind::CheckBox, CNewRoomDlg::IDC_LONG_LIST, L"Long List", CRect(156, 26, 236, 42)},
        {ControlKind::Static, 0, L"Walls:", CRect(156, 50, 236, 64)},
        {ControlKind::DropDownList, CNewRoomDlg::IDC_WALLS, L"", CRect(156, 66, 236, 84)},
        {ControlKind::PushButton, CNewRoomDlg::IDC_LABEL, L"Label", CRect(156, 96, 236, 118)},
        {ControlKind::PushButton, CNewRoomDlg::IDC_DELETE, L"Delete", CRect(156, 126, 236, 148)},
        {ControlKind::DefPushButton, IDOK, L"OK", CRect(20, 210, 110, 234)},
        {ControlKind::PushButton, IDCANCEL, L"Cancel", CRect(130, 210, 220, 234), WS_DISABLED},
    };
    RegisterDialogTemplate(dialog);
}

CString Wide(const std::string& text)
{
    CString wide;
    ToCString(wide, text.c_str(), false);
    return wide;
}

}  // namespace

int CNewRoomDlg::GetLongList() { return g_longList; }
void CNewRoomDlg::SetLongList(int on) { g_longList = on; }
void ResetNewRoomDialog() { g_longList = 0; }

CNewRoomDlg::CNewRoomDlg(const char* roomName, bool deleteAllowed, bool detach, bool below,
                         const char* label, int labelWidth, int labelDepth)
    : CDialog(IDD),
      m_roomName(roomName ? roomName : ""),
      m_deleteAllowed(deleteAllowed),
      m_detach(detach),
      m_below(below ? 1 : 0),
      m_longList(g_longList),
      m_labelWidth(labelWidth),
      m_labelDepth(labelDepth)
{
    if (label)
        ToCString(m_label, label, false);
    RegisterNewRoomTemplate();
    MapCommand(IDC_LONG_LIST, &CNewRoomDlg::OnLongList);
    MapCommand(IDC_LABEL, &CNewRoomDlg::OnLabel);
    MapCommand(IDC_DELETE, &CNewRoomDlg::OnDelete);
}

BOOL CNewRoomDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetUpDeleteButton();
    if (CWnd* cancel = GetDlgItem(IDCANCEL))
        cancel->EnableWindow(TRUE);
    if (!m_roomName.empty()) {
        if (m_label.IsEmpty())
            SetWindowText(Wide(m_roomName));
        SwitchOnLongListForRoomType();
    }
    if (!m_label.IsEmpty())
        SetWindowText(m_label);
    FillTypeList();
    FillWallKinds();
    return TRUE;
}

void CNewRoomDlg::SetUpDeleteButton()
{
    if (m_deleteAllowed)
        return;
    CWnd* button = GetDlgItem(IDC_DELETE);
    if (!button)
        return;
    if (m_detach)
        button->SetWindowText(L"Detach");
    else
        button->ShowWindow(SW_HIDE);
}

// A room whose type only the long list holds opens with the long list.
void CNewRoomDlg::SwitchOnLongListForRoomType()
{
    if (m_longList)
        return;
    CRoomTypeCatalog* catalog = CRoomTypeCatalog::Instance(false);
    const CRoomType* type = catalog ? catalog->Find(m_roomName.c_str(), true) : nullptr;
    if (!type || type->m_shortList)
        return;
    m_longList = 1;
    CheckDlgButton(IDC_LONG_LIST, 1);
}

void CNewRoomDlg::FillTypeList()
{
    auto* list = dynamic_cast<CListBox*>(GetDlgItem(IDC_TYPES));
    if (!list)
        return;
    list->ResetContent();
    int running = 0;
    if (CRoomTypeCatalog* catalog = CRoomTypeCatalog::Instance(false)) {
        for (CRoomType* type = catalog->First(); type; type = catalog->Next()) {
            if (!type->m_selectable || !(m_longList || type->m_shortList))
                continue;
            const int index = list->AddString(Wide(type->m_name));
            if (index >= 0)
                list->SetItemData(index, static_cast<DWORD_PTR>(running++));
        }
    }
    m_selectedType = list->SelectString(-1, Wide(TrimRoomName(m_roomName.c_str())));
    if (m_selectedType < 0)
        list->SetCurSel(0);
}

void CNewRoomDlg::FillWallKinds()
{
    auto* combo = dynamic_cast<CComboBox*>(GetDlgItem(IDC_WALLS));
    if (!combo)
        return;
    for (const wchar_t* kind : kWallKinds)
        combo->AddString(kind);
    combo->SetCurSel(m_wallKind);
}

void CNewRoomDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_BELOW, m_below);
    DDX_Check(pDX, IDC_LONG_LIST, m_longList);
}

void CNewRoomDlg::OnLongList()
{
    m_longList = m_longList ? 0 : 1;
    FillTypeList();
}

bool CNewRoomDlg::EditLabel()
{
    CRoomLabelDlg dialog(m_label, m_labelWidth, m_labelDepth, this);
    if (dialog.DoModal() != IDOK)
        return false;
    m_label = dialog.m_label;
    m_labelWidth = dialog.m_width;
    m_labelDepth = dialog.m_depth;
    return true;
}

void CNewRoomDlg::OnLabel()
{
    if (EditLabel())
        OnOK();
}

void CNewRoomDlg::OnDelete() { EndDialog(kDeleteResult); }

void CNewRoomDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    const auto* list = dynamic_cast<CListBox*>(GetDlgItem(IDC_TYPES));
    const int selected = list ? list->GetCurSel() : -1;
    m_selectedType = selected >= 0 ? static_cast<int>(list->GetItemData(selected)) : -1;
    const auto* combo = dynamic_cast<CComboBox*>(GetDlgItem(IDC_WALLS));
    m_wallKind = combo ? combo->GetCurSel() : m_wallKind;
    g_longList = m_longList;
    EndDialog(IDOK);
}
