#include "attributes_page.h"

#include <algorithm>

#include "c_combo_box.h"
#include "c_list_box.h"
#include "data_exchange.h"
#include "object_sheet_state.h"
#include "object_sheet_templates.h"
#include "object_type_catalog.h"
#include "plan_wall_objects.h"
#include "room_floor.h"
#include "zup_opening.h"

namespace {

using namespace ObjectSheetIds;

ObjectSheetState& Sheet() { return g_objectSheet; }

const wchar_t* const kStairDirections[] = {L"Up", L"Down"};
const wchar_t* const kStairPositions[] = {L"Inside", L"Outside"};
const wchar_t* const kStairKinds[] = {L"Straight", L"Curved Left", L"Curved Right"};

}  // namespace

CAttributesPage::CAttributesPage() : CObjectPage(kAttributesPage)
{
    MapCommand(kStair, &CAttributesPage::OnStair);
    MapCommand(kCloset, &CAttributesPage::OnCloset);
}

// The base puts the caption back as well; nothing else is kept here.
CAttributesPage::~CAttributesPage() = default;

CListBox* CAttributesPage::List(int id) const { return dynamic_cast<CListBox*>(GetDlgItem(id)); }

void CAttributesPage::FillKeys(int id, const int* keys, int count, int chosen, bool selectFirst,
                               LPCTSTR (*name)(int))
{
    CListBox* list = List(id);
    if (!list)
        return;
    int selected = -1;
    for (int i = 0; i < count; ++i) {
        list->AddString(name(keys[i]));
        if (chosen != 0 && keys[i] == chosen)
            selected = i;
    }
    if (selected < 0 && selectFirst && count > 0)
        selected = 0;
    list->SetCurSel(selected);
    EnableControl(id, !Sheet().twin);
}

void CAttributesPage::FillStairLists()
{
    CListBox* direction = List(kStairDirection);
    if (!direction || direction->GetCount() > 0)
        return;
    for (LPCTSTR text : kStairDirections)
        direction->AddString(text);
    if (CListBox* position = List(kStairPosition))
        for (LPCTSTR text : kStairPositions)
            position->AddString(text);
    auto* kind = dynamic_cast<CComboBox*>(GetDlgItem(kStairKind));
    if (kind)
        for (LPCTSTR text : kStairKinds)
            kind->AddString(text);
    if (ZupOpeningStair* stair = Sheet().stair) {
        direction->SetCurSel(static_cast<int>(stair->GetAction()));
        if (CListBox* position = List(kStairPosition))
            position->SetCurSel(static_cast<int>(stair->GetPosition()));
        if (kind)
            kind->SetCurSel(stair->GetType());
    }
}

void CAttributesPage::EnableStairControls(bool enable)
{
    for (int id : {kStairDirection, kStairPosition, kStairKind})
        EnableControl(id, enable);
}

void CAttributesPage::PrepareExternalAndCloset()
{
    ObjectSheetState& s = Sheet();
    EnableControl(kExternal, true);
    auto* opening = dynamic_cast<ZupOpening*>(s.object);
    if (!opening || opening->IsConnectable(nullptr)) {
        EnableControl(kCloset, true);
        ShowControl(kCloset, true);
        SetControlText(kCloset, s.doorKind == 0 ? L"Bay" : L"Closet");
        closet = HasClosetMark(opening) ? 1 : 0;
    } else {
        ShowControl(kCloset, false);
    }
    if (!opening)
        return;
    if (!s.twin) {
        external = opening->IsConnectable(nullptr) ? 0 : 1;
        if (external)
            EnableControl(kCloset, false);
    } else {
        EnableControl(kExternal, false);
        EnableControl(kCloset, false);
    }
}

// Coming back to the page for the same door kind shows what the person chose
// when leaving it, not the opening's state again.
void CAttributesPage::KeepExternalAndClosetChosen()
{
    ObjectSheetState& s = Sheet();
    if (leftDoorKind != s.doorKind || s.twin)
        return;
    external = s.Has(SheetFlags::kExternal) ? 1 : 0;
    closet = s.Has(SheetFlags::kCloset) ? 1 : 0;
    EnableControl(kExternal, closet == 0);
    if (external)
        EnableControl(kCloset, false);
}

BOOL CAttributesPage::OnSetActive()
{
    ObjectSheetState& s = Sheet();
    if (s.doorKind == -1)
        return FALSE;
    CObjectPage::OnSetActive();
    for (int id : {kDoorActions, kDoorPositions})
        if (CListBox* list = List(id))
            list->ResetContent();
    actionKeys = positionKeys = nullptr;
    actionCount = positionCount = 0;
    if (s.doorKind != 0) {
        CObjectTypeCatalog::Load(true);
        actionCount = CObjectTypeCatalog::GetActionChoices(s.doorKind, actionKeys);
        FillKeys(kDoorActions, actionKeys, actionCount, s.action, true,
                 &CObjectTypeCatalog::GetActionName);
        positionCount = CObjectTypeCatalog::GetPositionChoices(s.doorKind, positionKeys);
        FillKeys(kDoorPositions, positionKeys, positionCount, s.position, s.position != 0,
                 &CObjectTypeCatalog::GetPositionName);
    }
    for (int id : {kDoorActions, kDoorPositions})
        if (CListBox* list = List(id); list && list->GetCount() == 0)
            EnableControl(id, false);
    steps = kDefaultSteps;
    SetSpinRange(kStepsSpin, 0, kMostSteps);
    stairCheck = 0;
    external = 0;
    EnableControl(kStair, true);
    if (s.stair) {
        stairCheck = 1;
        steps = s.stair->GetSteps();
    }
    EnableStairControls(stairCheck != 0);
    FillStairLists();
    PrepareExternalAndCloset();
    KeepExternalAndClosetChosen();
    EnableControl(kStepsSpin, stairCheck != 0);
    ShowData();
    return TRUE;
}

void CAttributesPage::ExchangePageData(CDataExchange* pDX)
{
    DDX_Check(pDX, kStair, stairCheck);
    DDX_Text(pDX, kSteps, steps);
    // The stair's attribute word holds what the up-down offers.
    if (stairCheck)
        DDV_MinMaxInt(pDX, steps, 0, kMostSteps);
    DDX_Check(pDX, kExternal, external);
    DDX_Check(pDX, kCloset, closet);
}

void CAttributesPage::OnStair()
{
    stairCheck = stairCheck ? 0 : 1;
    EnableStairControls(stairCheck != 0);
    EnableControl(kStepsSpin, stairCheck != 0);
    CListBox* direction = List(kStairDirection);
    CListBox* position = List(kStairPosition);
    auto* kind = dynamic_cast<CComboBox*>(GetDlgItem(kStairKind));
    // Up, Outside, Straight; nothing chosen when the stair goes.
    const int up = stairCheck ? 0 : -1;
    const int outside = stairCheck ? 1 : -1;
    if (direction)
        direction->SetCurSel(up);
    if (position)
        position->SetCurSel(outside);
    if (kind)
        kind->SetCurSel(up);
    ShowData();
}

void CAttributesPage::OnCloset()
{
    closet = closet ? 0 : 1;
    if (closet)
        external = 0;
    EnableControl(kExternal, closet == 0);
    ShowData();
}

int CAttributesPage::SelectedKey(int id, const int* keys, int count, int fallback) const
{
    CListBox* list = List(id);
    const int selected = list ? list->GetCurSel() : -1;
    if (!keys || selected < 0 || selected >= count)
        return fallback;
    return keys[selected];
}

void CAttributesPage::UpdateStair()
{
    ObjectSheetState& s = Sheet();
    if (!stairCheck) {
        if (s.stair)
            ZupDeleteWallObject(s.stair);
        s.stair = nullptr;
        return;
    }
    if (!s.stair)
        s.stair = new CPlanStairOpening(s.floor);
    CListBox* direction = List(kStairDirection);
    CListBox* position = List(kStairPosition);
    auto* kind = dynamic_cast<CComboBox*>(GetDlgItem(kStairKind));
    s.stair->SetAction(ZupOpeningStair::ACTION(direction ? std::max(0, direction->GetCurSel()) : 0));
    s.stair->SetPosition(ZupOpeningStair::POSITION(position ? std::max(0, position->GetCurSel()) : 0));
    s.stair->SetType(kind ? std::max(0, kind->GetCurSel()) : 0);
    s.stair->SetSteps(steps);
}

BOOL CAttributesPage::OnKillActive()
{
    ObjectSheetState& s = Sheet();
    if (s.doorKind == -1)
        return TRUE;
    if (!UpdateData(TRUE))
        return FALSE;
    if (IsControlEnabled(kDoorActions))
        s.action = ZupOpening::ACTION(SelectedKey(kDoorActions, actionKeys, actionCount,
                                                  ZupOpening::GetDefaultAction(s.doorKind)));
    if (IsControlEnabled(kDoorPositions))
        s.position = ZupOpening::POSITION(SelectedKey(
            kDoorPositions, positionKeys, positionCount, ZupOpening::GetDefaultPosition(s.doorKind)));
    UpdateStair();
    s.Set(SheetFlags::kExternal, external != 0);
    s.Set(SheetFlags::kCloset, closet != 0);
    leftDoorKind = s.doorKind;
    return CObjectPage::OnKillActive();
}
