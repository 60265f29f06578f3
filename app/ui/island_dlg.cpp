#include "island_dlg.h"

#include "c_list_box.h"
#include "c_edit.h"
#include "data_exchange.h"
#include "object_type_catalog.h"
#include "zup_floor.h"
#include "zup_island.h"

void RegisterIslandTemplate()
{
    if (FindDialogTemplate(CIslandDlg::IDD))
        return;
    DialogTemplate dialog;
    dialog.id = CIslandDlg::IDD;
    dialog.caption = L"Island";
    dialog.rect = CRect(0, 0, 200, 148);
    dialog.items = {
        {ControlKind::ListBox, CIslandDlg::IDC_KINDS, L"", CRect(4, 4, 96, 84), WS_DISABLED},
        {ControlKind::Static, 0, L"Width:", CRect(102, 6, 144, 22)},
        {ControlKind::Edit, CIslandDlg::IDC_WIDTH, L"", CRect(144, 4, 180, 22), ES_NUMBER},
        {ControlKind::UpDown, CIslandDlg::IDC_WIDTH_UPDOWN, L"", CRect(180, 4, 196, 22)},
        {ControlKind::Static, 0, L"Depth:", CRect(102, 32, 144, 48)},
        {ControlKind::Edit, CIslandDlg::IDC_DEPTH, L"", CRect(144, 30, 180, 48), ES_NUMBER},
        {ControlKind::UpDown, CIslandDlg::IDC_DEPTH_UPDOWN, L"", CRect(180, 30, 196, 48)},
        {ControlKind::Slider, CPlacedObjectDlg::IDC_DIRECTION, L"", CRect(4, 90, 196, 112)},
        {ControlKind::DefPushButton, IDOK, L"OK", CRect(20, 118, 90, 142)},
        {ControlKind::PushButton, CPlacedObjectDlg::IDC_DELETE, L"Delete", CRect(110, 118, 180, 142)},
    };
    RegisterDialogTemplate(dialog);
}

// ---- Island ----

CIslandDlg::CIslandDlg(CReplView* view, ZupRoomObject* object)
    : CIslandDlg(view, object, kIslandCategory)
{
}

CIslandDlg::CIslandDlg(CReplView* view, ZupFloor* floor, CPoint screenPoint)
    : CIslandDlg(view, floor, screenPoint, kIslandCategory, ZupIsland::GetDefaultWidth(),
                 ZupIsland::GetDefaultDepth())
{
}

CIslandDlg::CIslandDlg(CReplView* view, ZupRoomObject* object, int category)
    : CPlacedObjectDlg(view, object, IDD),
      m_width(object ? static_cast<int>(object->GetWidth()) : 0),
      m_depth(object ? object->GetDepth() : 0),
      m_category(category)
{
    RegisterIslandTemplate();
}

CIslandDlg::CIslandDlg(CReplView* view, ZupFloor* floor, CPoint screenPoint, int category,
                       int width, int depth)
    : CPlacedObjectDlg(view, floor, screenPoint, IDD),
      m_width(width),
      m_depth(depth),
      m_category(category)
{
    RegisterIslandTemplate();
}

ZupRoomObject* CIslandDlg::CreateObject(ZupFloor& floor, const point& p)
{
    return floor.CreateIsland(p.x(), p.y());
}

BOOL CIslandDlg::OnInitDialog()
{
    FillKinds();
    if (IsNew()) {
        TakeNewObject(m_floor ? CreateObject(*m_floor, m_modelPoint) : nullptr);
        if (!m_object)
            return FALSE;
    }
    SetUpDownRange(IDC_WIDTH_UPDOWN, kSizeMin, kSizeMax);
    SetUpDownRange(IDC_DEPTH_UPDOWN, kSizeMin, kSizeMax);
    return CPlacedObjectDlg::OnInitDialog();
}

void CIslandDlg::FillKinds()
{
    auto* list = dynamic_cast<CListBox*>(GetDlgItem(IDC_KINDS));
    if (!list)
        return;
    list->EnableWindow(TRUE);
    list->ResetContent();
    CObjectTypeCatalog::Load(true);
    const int category = CObjectTypeCatalog::FindCategory(m_category);
    const int count = CObjectTypeCatalog::GetSubtypeCount(category);
    for (int i = 0; i < count; ++i)
        list->AddString(CObjectTypeCatalog::GetSubtypeName(category, i));
    const int type = m_object ? static_cast<ZupObject*>(m_object)->GetType() : 0;
    list->SetCurSel(m_object ? CObjectTypeCatalog::FindSubtype(category, type) : 0);
}

int CIslandDlg::SelectedKind() const
{
    const auto* list = dynamic_cast<const CListBox*>(GetDlgItem(IDC_KINDS));
    const int selected = list ? list->GetCurSel() : -1;
    const int category = CObjectTypeCatalog::FindCategory(m_category);
    if (selected < 0 || selected >= CObjectTypeCatalog::GetSubtypeCount(category))
        return m_object ? static_cast<ZupObject*>(m_object)->GetType() : 0;
    return CObjectTypeCatalog::GetSubtypeId(category, selected);
}

void CIslandDlg::DoDataExchange(CDataExchange* pDX)
{
    CPlacedObjectDlg::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_WIDTH, m_width);
    DDX_Text(pDX, IDC_DEPTH, m_depth);
}

void CIslandDlg::OnOK()
{
    if (m_object) {
        if (!UpdateData(TRUE))
            return;
        m_object->SetDepth(m_depth);
        if (auto* island = dynamic_cast<ZupIsland*>(m_object))
            island->SetWidth(m_width);
        static_cast<ZupObject*>(m_object)->SetType(SelectedKind());
    }
    CPlacedObjectDlg::OnOK();
}

// ---- Fireplace ----

CFireplaceDlg::CFireplaceDlg(CReplView* view, ZupRoomObject* object)
    : CIslandDlg(view, object, kFireplaceCategory)
{
}

CFireplaceDlg::CFireplaceDlg(CReplView* view, ZupFloor* floor, CPoint screenPoint)
    : CIslandDlg(view, floor, screenPoint, kFireplaceCategory, ZupFireplace::GetDefaultWidth(),
                 ZupFireplace::GetDefaultDepth())
{
}

ZupRoomObject* CFireplaceDlg::CreateObject(ZupFloor& floor, const point& p)
{
    return floor.CreateFireplace(p.x(), p.y());
}

BOOL CFireplaceDlg::OnInitDialog()
{
    SetWindowText(L"Fireplace");
    return CIslandDlg::OnInitDialog();
}
