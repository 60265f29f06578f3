#include "options_dlg.h"

#include "data_exchange.h"

namespace {

void RegisterOptionsTemplate()
{
    if (FindDialogTemplate(COptionsDlg::IDD))
        return;
    DialogTemplate dialog;
    dialog.id = COptionsDlg::IDD;
    dialog.caption = L"Options";
    dialog.items = {
        {ControlKind::GroupBox, 0, L"Show", CRect(4, 4, 116, 100)},
        {ControlKind::CheckBox, COptionsDlg::IDC_ROOMS, L"Rooms", CRect(10, 20, 110, 36)},
        {ControlKind::CheckBox, COptionsDlg::IDC_NAMES, L"Names", CRect(10, 40, 110, 56)},
        {ControlKind::CheckBox, COptionsDlg::IDC_AREAS, L"Areas", CRect(10, 60, 110, 76)},
        {ControlKind::CheckBox, COptionsDlg::IDC_OBJECTS, L"Objects", CRect(10, 80, 110, 96)},
        {ControlKind::GroupBox, 0, L"Dimensions", CRect(122, 4, 236, 80)},
        {ControlKind::RadioButton, COptionsDlg::IDC_DIMS_ALL, L"All", CRect(128, 20, 230, 36),
         WS_GROUP},
        {ControlKind::RadioButton, COptionsDlg::IDC_DIMS_ACTIVE, L"Active", CRect(128, 40, 230, 56)},
        {ControlKind::RadioButton, COptionsDlg::IDC_DIMS_UNLOCKED, L"Unlocked",
         CRect(128, 60, 230, 76)},
        {ControlKind::CheckBox, COptionsDlg::IDC_HIDE_ZERO, L"Hide Zero Dimensions",
         CRect(10, 108, 230, 124), WS_GROUP},
        {ControlKind::CheckBox, COptionsDlg::IDC_IMPERIAL, L"Imperial Dimensions",
         CRect(10, 128, 230, 144)},
        {ControlKind::CheckBox, COptionsDlg::IDC_SMART_WALLS, L"Smart Walls", CRect(10, 148, 230, 164)},
        {ControlKind::CheckBox, COptionsDlg::IDC_BOTTOM_ENTRANCE, L"Bottom Entrance",
         CRect(10, 168, 230, 184)},
        {ControlKind::Static, 0, L"Default Wall Thickness:", CRect(10, 192, 150, 208)},
        {ControlKind::Edit, COptionsDlg::IDC_WALL_THICKNESS, L"", CRect(154, 190, 230, 208),
         WS_DISABLED},
        {ControlKind::DefPushButton, IDOK, L"OK", CRect(20, 216, 110, 238)},
        {ControlKind::PushButton, IDCANCEL, L"Cancel", CRect(130, 216, 220, 238)},
    };
    RegisterDialogTemplate(dialog);
}

}  // namespace

COptionsDlg::COptionsDlg(bool areas, bool names, bool rooms, bool objects, bool dimsAll,
                         bool dimsActive, bool dimsUnlocked, bool hideZeroDimensions,
                         bool imperialDimensions, bool smartWalls, bool bottomEntrance)
    : CDialog(IDD),
      m_areas(areas),
      m_names(names),
      m_rooms(rooms),
      m_objects(objects),
      m_dimsAll(dimsAll),
      m_dimsActive(dimsActive),
      m_dimsUnlocked(dimsUnlocked),
      m_hideZeroDimensions(hideZeroDimensions),
      m_imperialDimensions(imperialDimensions),
      m_smartWalls(smartWalls),
      m_bottomEntrance(bottomEntrance)
{
    RegisterOptionsTemplate();
}

void COptionsDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_ROOMS, m_rooms);
    DDX_Check(pDX, IDC_NAMES, m_names);
    DDX_Check(pDX, IDC_AREAS, m_areas);
    DDX_Check(pDX, IDC_OBJECTS, m_objects);
    DDX_Check(pDX, IDC_DIMS_ALL, m_dimsAll);
    DDX_Check(pDX, IDC_DIMS_ACTIVE, m_dimsActive);
    DDX_Check(pDX, IDC_DIMS_UNLOCKED, m_dimsUnlocked);
    DDX_Check(pDX, IDC_HIDE_ZERO, m_hideZeroDimensions);
    DDX_Check(pDX, IDC_IMPERIAL, m_imperialDimensions);
    DDX_Check(pDX, IDC_SMART_WALLS, m_smartWalls);
    DDX_Check(pDX, IDC_BOTTOM_ENTRANCE, m_bottomEntrance);
}
