#include "door_pages.h"

#include <cmath>
#include <string>

#include "c_edit.h"
#include "c_list_box.h"
#include "data_exchange.h"
#include "kor_node.h"
#include "length_text.h"
#include "message_box.h"
#include "object_sheet_state.h"
#include "object_sheet_templates.h"
#include "object_type_catalog.h"
#include "room_floor.h"
#include "room_type.h"
#include "room_type_catalog.h"
#include "text_utilities.h"
#include "wall_object_placement.h"
#include "zup_edge.h"
#include "zup_floor.h"
#include "zup_opening.h"

namespace {

using namespace ObjectSheetIds;

ObjectSheetState& Sheet() { return g_objectSheet; }

constexpr int kGarage = 7;

CString Wide(const std::string& text)
{
    CString wide;
    ToCString(wide, text.c_str(), false);
    return wide;
}

bool IsOnExternalWall(ZupOpening* opening)
{
    ZupEdge* wall = opening->GetEdge();
    return wall && wall->IsExternal();
}

// An opening of the plan the room being edited can take over.
bool IsFreeOpening(ZupOpening* opening)
{
    const std::string name = opening->GetName();
    return IsOnExternalWall(opening) && opening->IsConnectable(nullptr) && !opening->IsExit() &&
           name != "TheEntrance" && !(Sheet().floor && Sheet().floor->GetOpening(name.c_str()));
}

void FillDoorKinds(CListBox* list, int selected)
{
    if (!list)
        return;
    list->ResetContent();
    for (int i = 0; i < CObjectTypeCatalog::GetDoorKindCount(); ++i)
        list->AddString(CObjectTypeCatalog::GetDoorKindName(i));
    list->SetCurSel(selected);
}

bool IsGarage(CRoomFloor* room)
{
    CRoomTypeCatalog* catalog = CRoomTypeCatalog::Instance(true);
    CRoomType* type = catalog && room ? catalog->FindForFloor(room) : nullptr;
    return type && type->m_name == "Garage";
}

// The point of the wall closest to p.
point ClosestOnWall(ZupEdge* wall, const point& p)
{
    const point& a = wall->GetStart()->GetPoint();
    const point& b = wall->GetEnd()->GetPoint();
    const double dx = b.x() - a.x();
    const double dy = b.y() - a.y();
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0.0 ? ((p.x() - a.x()) * dx + (p.y() - a.y()) * dy) / length2 : 0.0;
    t = t < 0.0 ? 0.0 : (t > 1.0 ? 1.0 : t);
    return point(a.x() + t * dx, a.y() + t * dy);
}

}  // namespace

void ExchangeWallThickness(CDataExchange* pDX)
{
    DDX_Text(pDX, kWallThickness, Sheet().wallThickness);
    // Checked in whole units; a number that truncates into the range from
    // outside it (a negative fraction) or does not fit an int counts as out.
    const float thickness = Sheet().wallThickness;
    const int whole = thickness >= 0.0f && thickness < 1001.0f ? static_cast<int>(thickness) : -1;
    DDV_MinMaxInt(pDX, whole, 0, 1000);
}

// ---- The new door ----

CNewDoorPage::CNewDoorPage(ZupFloor* source) : CObjectPage(kNewDoorPage), m_source(source)
{
    if (source)
        for (ZupOpening* opening = source->Get1stOpening(); opening; opening = source->GetNextOpening())
            if (IsFreeOpening(opening))
                m_freeOpenings.push_back(opening);
    MapCommand(kKinds, &CNewDoorPage::OnKindChanged, LBN_SELCHANGE);
    MapCommand(kSmall, &CNewDoorPage::OnSingleDouble);
    MapCommand(kBig, &CNewDoorPage::OnSingleDouble);
}

CListBox* CNewDoorPage::Names() const { return dynamic_cast<CListBox*>(GetDlgItem(kNames)); }

CListBox* CNewDoorPage::Kinds() const { return dynamic_cast<CListBox*>(GetDlgItem(kKinds)); }

BOOL CNewDoorPage::OnInitDialog()
{
    ObjectSheetState& s = Sheet();
    if (CListBox* names = Names()) {
        for (ZupOpening* opening : m_freeOpenings)
            names->AddString(Wide(opening->GetName()));
        const std::string lettered = s.floor ? s.floor->GetLetteredName() : std::string();
        names->SetCurSel(names->AddString(Wide(lettered) + L"(new)"));
    }
    s.doorKind = IsGarage(s.floor) ? kGarage : lastDoorKind;
    FillDoorKinds(Kinds(), s.doorKind);
    SetSpinRange(kWallThicknessSpin, 0, 1000);
    doubleDoor = 1;
    singleDoor = 0;
    CObjectPage::OnInitDialog();
    return FALSE;
}

BOOL CNewDoorPage::OnSetActive()
{
    CObjectPage::OnSetActive();
    ObjectSheetState& s = Sheet();
    if (s.doorKind == -1)
        s.doorKind = 1;
    if (CListBox* kinds = Kinds())
        kinds->SetCurSel(s.doorKind);
    ShowDoubleChoice(s.doorKind == kGarage);
    return TRUE;
}

void CNewDoorPage::ShowDoubleChoice(bool show)
{
    for (int id : {kSmall, kBig}) {
        ShowControl(id, show);
        EnableControl(id, show);
    }
    ShowData();
}

void CNewDoorPage::OnKindChanged()
{
    CListBox* kinds = Kinds();
    ShowDoubleChoice(kinds && kinds->GetCurSel() == kGarage);
}

void CNewDoorPage::OnSingleDouble()
{
    doubleDoor = doubleDoor ? 0 : 1;
    singleDoor = singleDoor ? 0 : 1;
    ShowData();
}

void CNewDoorPage::ExchangePageData(CDataExchange* pDX)
{
    ExchangeWallThickness(pDX);
    if (GetDlgItem(kBig)) {
        DDX_Check(pDX, kBig, doubleDoor);
        DDX_Check(pDX, kSmall, singleDoor);
    }
}

void CNewDoorPage::TakeNewOpening()
{
    ObjectSheetState& s = Sheet();
    s.name = Wide(s.floor ? s.floor->GetLetteredName() : std::string());
    s.twin = nullptr;
    s.action = ZupOpening::GetDefaultAction(s.doorKind);
    s.position = ZupOpening::GetDefaultPosition(s.doorKind);
    s.width = ZupOpening::GetDefaultWidth(s.doorKind, doubleDoor != 0);
}

void CNewDoorPage::TakeFreeOpening(const CString& name)
{
    ObjectSheetState& s = Sheet();
    ZupOpening* twin = m_source ? m_source->GetOpening(name.ToNarrow().c_str()) : nullptr;
    s.twin = twin;
    if (!twin)
        return;
    s.doorKind = twin->GetType();
    if (ZupEdge* twinWall = twin->GetEdge())
        s.wallThickness = twinWall->WallThickness();
    s.action = ZupOpening::GetReversed(twin->GetAction());
    s.position = ZupOpening::GetReversed(twin->GetPosition());
    if (s.edge) {
        const point onWall = ClosestOnWall(s.edge, twin->GetGeoCenter());
        s.pointX = static_cast<float>(onWall.x());
        s.pointY = static_cast<float>(onWall.y());
        s.width = RoundToInt(twin->GetWidth());
    }
}

BOOL CNewDoorPage::OnKillActive()
{
    if (!CObjectPage::OnKillActive())
        return FALSE;
    ObjectSheetState& s = Sheet();
    if (CListBox* kinds = Kinds(); kinds && kinds->GetCurSel() >= 0)
        s.doorKind = kinds->GetCurSel();
    if (s.doorKind == -1)
        return TRUE;
    s.subtype = -1;
    s.objectKind = -1;
    CListBox* names = Names();
    const int last = names ? names->GetCount() - 1 : -1;
    const int chosen = names && names->GetCurSel() >= 0 ? names->GetCurSel() : last;
    if (names && chosen >= 0)
        names->GetText(chosen, s.name);
    if (chosen == last || chosen < 0)
        TakeNewOpening();
    else
        TakeFreeOpening(s.name);
    ComputeSheetPlacement();
    return TRUE;
}

// ---- The door edit page ----

CEditDoorPage::CEditDoorPage() : CObjectPage(kEditDoorPage)
{
    MapCommand(kDelete, &CEditDoorPage::OnDelete);
}

BOOL CEditDoorPage::OnInitDialog()
{
    CObjectPage::OnInitDialog();
    ObjectSheetState& s = Sheet();
    FillDoorKinds(dynamic_cast<CListBox*>(GetDlgItem(kKinds)), s.doorKind);
    if (!s.twin) {
        SetSpinRange(kWallThicknessSpin, 0, 1000);
    } else {
        // The wall's thickness is the twin's: shown, not edited.
        EnableControl(kWallThicknessSpin, false);
        if (auto* thickness = dynamic_cast<CEdit*>(GetDlgItem(kWallThickness)))
            thickness->SetReadOnly(TRUE);
    }
    auto* opening = dynamic_cast<ZupOpening*>(s.object);
    if (opening && opening->IsExit())
        EnableControl(kDelete, false);
    ShowData();
    return FALSE;
}

void CEditDoorPage::ExchangePageData(CDataExchange* pDX) { ExchangeWallThickness(pDX); }

BOOL CEditDoorPage::OnKillActive()
{
    if (!UpdateData(TRUE))
        return FALSE;
    ObjectSheetState& s = Sheet();
    auto* kinds = dynamic_cast<CListBox*>(GetDlgItem(kKinds));
    const int selected = kinds ? kinds->GetCurSel() : -1;
    if (selected >= 0 && selected != s.doorKind) {
        s.doorKind = selected;
        s.action = ZupOpening::GetDefaultAction(selected);
        s.position = ZupOpening::GetDefaultPosition(selected);
    }
    return CObjectPage::OnKillActive();
}

void CEditDoorPage::OnDelete()
{
    ObjectSheetState& s = Sheet();
    auto* opening = dynamic_cast<ZupOpening*>(s.object);
    CRoomFloor* room = s.floor;
    if (!opening || !room)
        return;
    if (opening->IsPortal() && room->GetEntrance() == opening) {
        ZupOpening* replacement = nullptr;
        if (room->GetNumOfOpenings() >= 2)
            for (ZupOpening* other = room->Get1stOpening(); other && !replacement;
                 other = room->GetNextOpening())
                if (other != opening && IsOnExternalWall(other) == IsOnExternalWall(opening))
                    replacement = other;
        // Without another opening to take over, the room would be left
        // without an entrance.
        if (!replacement) {
            AfxMessageBox(L"Can not remove the room's entrance");
            return;
        }
        room->SetEntrance(replacement, 0);
    }
    if (room->GetEntrance() == opening)
        room->SetEntrance(nullptr);
    ZupDeleteWallObject(opening);
    s.object = nullptr;
    s.applied = 1;
    if (CPropertySheet* sheet = GetSheet())
        sheet->EndDialog(IDCANCEL);
}
