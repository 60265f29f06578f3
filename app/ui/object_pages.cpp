#include "object_pages.h"

#include <cmath>
#include <cstdlib>

#include "c_list_box.h"
#include "data_exchange.h"
#include "object_sheet_state.h"
#include "object_sheet_templates.h"
#include "object_type_catalog.h"
#include "poly_member.h"
#include "polygon.h"
#include "room_floor.h"
#include "settings.h"
#include "wall_object_placement.h"
#include "zup_bath_object.h"
#include "zup_countertop.h"
#include "zup_node_object.h"
#include "zup_structural.h"
#include "zup_utility_object.h"
#include "zup_wall_fireplace.h"
#include "zup_wall_object.h"
#include "zup_window.h"

namespace {

using namespace ObjectSheetIds;

ObjectSheetState& Sheet() { return g_objectSheet; }

bool WidthFixed() { return Sheet().Has(SheetFlags::kWidth); }

int SubtypeIdOf(int subtype) { return CObjectTypeCatalog::GetSubtypeId(Sheet().objectKind, subtype); }

int Category() { return CObjectTypeCatalog::GetCategoryId(Sheet().objectKind); }

// The room's text keeps a depth (a window's panes) in eight bits: a larger
// one is refused here rather than cut when the room is saved.
constexpr int kMostDepth = 255;

void ExchangeDepth(CDataExchange* pDX)
{
    DDX_Text(pDX, kDepth, Sheet().depth);
    DDV_MinMaxInt(pDX, Sheet().depth, 0, kMostDepth);
}

bool HasAttachedWindow(int category, int subtypeId)
{
    return category == SheetCategory::kBathObject || category == SheetCategory::kCorner ||
           category == SheetCategory::kUtility ||
           (category == SheetCategory::kCountertop && subtypeId >= 0);
}

// The angle at vertex i of a closed contour between its two sides.
angle InteriorAngle(polygon& contour, short i)
{
    short last = static_cast<short>(contour.count() - 1);
    if (last > 0 && point(contour[0]) == point(contour[last]))
        --last;
    const short before = i == 0 ? last : static_cast<short>(i - 1);
    const short after = i >= last ? 0 : static_cast<short>(i + 1);
    return angle(point(contour[before]), point(contour[i]), point(contour[after]));
}

CString Wide(LPCTSTR text) { return CString(text ? text : L""); }

}  // namespace

int BathCornerDepth(int width)
{
    ObjectSheetState& s = Sheet();
    if (!s.floor)
        return 0;
    const double saved = GeoSnap();
    GeoSnap() = s.floor->InputSnap();
    polygon& contour = s.floor->GetContour();
    const point p(s.pointX, s.pointY);
    const short index = contour.index(p);
    int depth = 0;
    if (index != -1) {
        // The angle between the corner's two sides: a polygon vertex by
        // itself only gives the direction of its bisector, which would make
        // the depth depend on how the room is turned.
        const angle corner = InteriorAngle(contour, index);
        const double halfTan = std::tan(corner.rad() * 0.5);
        if (halfTan != 0.0)
            depth = static_cast<int>(std::fabs((width / 2) / halfTan));
    }
    GeoSnap() = saved;
    return depth;
}

// ---- The New Wall Object sheet's page ----

CNewObjectPage::CNewObjectPage() : CAttachedWindowPage(kNewObjectPage)
{
    MapCommand(kCategories, &CNewObjectPage::OnCategoryChanged, LBN_SELCHANGE);
    MapCommand(kCategories, &CNewObjectPage::OnCategoryCancel, kListSelectionCancelled);
    MapCommand(kKinds, &CNewObjectPage::OnKindChanged, LBN_SELCHANGE);
    MapCommand(kDepth, &CNewObjectPage::OnWindowSizeChanged, EN_CHANGE);
    MapCommand(kSmall, &CNewObjectPage::OnWindowSizeChanged);
    MapCommand(kBig, &CNewObjectPage::OnWindowSizeChanged);
}

CListBox* CNewObjectPage::Categories() const { return dynamic_cast<CListBox*>(GetDlgItem(kCategories)); }

CListBox* CNewObjectPage::Kinds() const { return dynamic_cast<CListBox*>(GetDlgItem(kKinds)); }

BOOL CNewObjectPage::OnInitDialog()
{
    ObjectSheetState& s = Sheet();
    if (CListBox* list = Categories()) {
        int selected = -1;
        for (int i = 0; i < CObjectTypeCatalog::GetCategoryCount(); ++i) {
            LPCTSTR name = CObjectTypeCatalog::GetCategoryName(i);
            if (!name || (i == SheetCategory::kCorner && !s.atNode))
                continue;
            const int entry = list->AddString(name);
            list->SetItemData(entry, static_cast<DWORD_PTR>(i));
            if (i == s.objectKind)
                selected = entry;
        }
        list->SetCurSel(selected >= 0 ? selected : 1);
    }
    SetSpinRange(kDepthSpin, 1, 10000);
    SetSpinRange(kPanesSpin, 0, 4);
    CAttachedWindowPage::OnInitDialog();
    initialized = 1;
    return FALSE;
}

BOOL CNewObjectPage::OnSetActive()
{
    ObjectSheetState& s = Sheet();
    if (s.objectKind == -1 || (s.objectKind == SheetCategory::kCorner && !s.atNode)) {
        s.subtype = 0;
        FillKindList(SheetCategory::kWindow);
    } else {
        const bool returning = s.objectKind == leftCategory && s.subtype == leftSubtype;
        const int depth = s.depth;
        const int width = s.width;
        const int corner = s.corner;
        FillKindList(s.objectKind);
        if (returning)
            KeepChoiceOnReturn(depth, width, corner);
    }
    if (CListBox* list = Categories())
        for (int i = 0; i < list->GetCount(); ++i)
            if (static_cast<int>(list->GetItemData(i)) == s.objectKind)
                list->SetCurSel(i);
    ShowData();
    return CAttachedWindowPage::OnSetActive();
}

// The kind's defaults are for a kind newly chosen: back on the kind the page
// was left with, the depth, width and Corner the person left stay.
void CNewObjectPage::KeepChoiceOnReturn(int depth, int width, int corner)
{
    ObjectSheetState& s = Sheet();
    s.depth = depth;
    s.width = width;
    s.corner = corner;
    s.subtype = leftSubtype;
    if (CListBox* list = Kinds())
        list->SetCurSel(s.subtype);
    if (Category() == SheetCategory::kFireplace)
        SetControlText(kDepthCaption, s.subtype == 2 ? L"Width:" : L"Depth:");
}

void CNewObjectPage::FillKindList(int category)
{
    ObjectSheetState& s = Sheet();
    s.objectKind = category;
    EnableControl(kKinds, true);
    EnableControl(kDepth, true);
    EnableControl(kDepthSpin, true);
    CListBox* list = Kinds();
    if (list) {
        list->ResetContent();
        for (int i = 0; i < CObjectTypeCatalog::GetSubtypeCount(category); ++i)
            list->AddString(Wide(CObjectTypeCatalog::GetSubtypeName(category, i)));
    }
    ApplyKindDefaults(true);
    if (list)
        list->SetCurSel(s.subtype);
}

void CNewObjectPage::PrepareCornerCheck(int category)
{
    ObjectSheetState& s = Sheet();
    const bool offered = category == SheetCategory::kFireplace ||
                         category == SheetCategory::kBathObject ||
                         category == SheetCategory::kCountertop || category == SheetCategory::kCorner;
    if (!offered) {
        ShowControl(kCorner, false);
        EnableControl(kCorner, false);
    } else if (s.atNode) {
        ShowControl(kCorner, true);
        EnableControl(kCorner, category != SheetCategory::kCorner);
        s.corner = 1;
    }
}

void CNewObjectPage::ApplyKindDefaults(bool reset)
{
    ObjectSheetState& s = Sheet();
    const int subtypeId = SubtypeIdOf(s.subtype);
    const int category = Category();
    PrepareCornerCheck(category);
    if (category != SheetCategory::kWindow && category != SheetCategory::kCorner)
        SetControlText(kDepthCaption, L"Depth");
    ApplyCategoryDefaults(category, subtypeId, reset);
    ShowKindControls(category, SubtypeIdOf(s.subtype));
    if (CWnd* panes = GetDlgItem(kPanes); panes && panes->IsWindowVisible())
        NameAttachedGroup(category, subtypeId);
    ClampWidthToGap();
}

void CNewObjectPage::ApplyCategoryDefaults(int category, int subtypeId, bool reset)
{
    ObjectSheetState& s = Sheet();
    const bool widthFree = !WidthFixed();
    switch (category) {
    case SheetCategory::kFireplace:
        if (s.subtype == 2 || (reset && s.corner)) {
            if (reset && s.corner)
                s.subtype = 2;
            SetControlText(kDepthCaption, L"Width:");
        } else {
            SetControlText(kDepthCaption, L"Depth:");
        }
        if (reset)
            s.depth = ZupWallFireplace::GetDefaultDepth();
        if (widthFree)
            s.width = ZupWallFireplace::GetDefaultWidth();
        break;
    case SheetCategory::kWindow:
        SetControlText(kDepthCaption, L"Panes");
        s.depth = ZupWindow::GetDefaultPanes(subtypeId);
        if (widthFree)
            s.width = ZupWindow::GetDefaultWidth(subtypeId, big != 0) * s.depth;
        break;
    case SheetCategory::kBathObject:
        if (widthFree)
            s.width = ZupBathObject::GetDefaultWidth(subtypeId);
        s.depth = ZupBathObject::GetDefaultDepth(subtypeId);
        if (reset && s.corner && s.depth < s.width)
            s.depth = BathCornerDepth(s.width);
        break;
    case SheetCategory::kCountertop:
        if (reset)
            s.depth = subtypeId < 0 ? ZupUtilityObject::GetDefaultDepth(0)
                                    : ZupCountertop::GetDefaultDepth(s.corner != 0);
        if (widthFree)
            s.width = subtypeId < 0 ? ZupUtilityObject::GetDefaultWidth(std::abs(subtypeId))
                                    : ZupCountertop::GetDefaultWidth();
        break;
    case SheetCategory::kCorner:
        SetControlText(kDepthCaption, L"Width");
        if (reset)
            s.depth = ZupNodeObject::GetDefaultWidth();
        break;
    case SheetCategory::kUtility:
        s.depth = ZupUtilityObject::GetDefaultDepth(subtypeId);
        if (widthFree)
            s.width = ZupUtilityObject::GetDefaultWidth(subtypeId);
        break;
    case SheetCategory::kStructural:
        s.depth = ZupStructural::GetDefaultDepth(subtypeId);
        if (widthFree)
            s.width = ZupUtilityObject::GetDefaultWidth(subtypeId);
        break;
    default: break;
    }
}

void CNewObjectPage::ClampWidthToGap()
{
    ObjectSheetState& s = Sheet();
    if (s.gapLength > 0.0f && s.width > s.gapLength)
        s.width = static_cast<int>(s.gapLength);
}

void CNewObjectPage::ShowKindControls(int category, int subtypeId)
{
    small = big ? 0 : 1;
    const bool window = category == SheetCategory::kWindow;
    for (int id : {kBig, kSmall}) {
        ShowControl(id, window);
        EnableControl(id, window);
    }
    const bool attached = HasAttachedWindow(category, subtypeId);
    for (int id : {kAttachedGroup, kPanesCaption, kPanes, kPanesSpin})
        ShowControl(id, attached);
    EnableControl(kPanes, attached);
    EnableControl(kPanesSpin, attached);
    ShowWindowShapes(attached, category, subtypeId);
}

void CNewObjectPage::OnCategoryChanged()
{
    CListBox* list = Categories();
    const int entry = list ? list->GetCurSel() : -1;
    if (entry < 0)
        return;
    const int category = static_cast<int>(list->GetItemData(entry));
    if (category == Sheet().objectKind)
        return;
    Sheet().subtype = 0;
    FillKindList(category);
    ShowData();
}

void CNewObjectPage::OnCategoryCancel()
{
    if (CListBox* list = Kinds())
        list->ResetContent();
    EnableControl(kKinds, false);
    Sheet().subtype = 0;
}

void CNewObjectPage::OnKindChanged()
{
    ObjectSheetState& s = Sheet();
    UpdateData(TRUE);
    CListBox* list = Kinds();
    const int selected = list ? list->GetCurSel() : -1;
    if (selected >= 0 && selected != s.subtype) {
        s.subtype = selected;
        ApplyKindDefaults(SubtypeIdOf(selected) < 0);
    }
    ShowData();
}

void CNewObjectPage::OnWindowSizeChanged()
{
    ObjectSheetState& s = Sheet();
    if (InExchange() || !initialized || Category() != SheetCategory::kWindow || WidthFixed())
        return;
    UpdateData(TRUE);
    s.width = ZupWindow::GetDefaultWidth(SubtypeIdOf(s.subtype), big != 0) * s.depth;
    ClampWidthToGap();
}

void CNewObjectPage::ExchangePageData(CDataExchange* pDX)
{
    if (!initialized)
        return;
    ObjectSheetState& s = Sheet();
    ExchangeDepth(pDX);
    if (Category() == SheetCategory::kWindow) {
        DDX_Check(pDX, kBig, big);
        DDX_Check(pDX, kSmall, small);
    } else {
        DDX_Text(pDX, kPanes, s.attachedPanes);
        DDX_Check(pDX, kBay, bay);
        DDX_Check(pDX, kStraight, straight);
        DDX_Check(pDX, kCorner, s.corner);
    }
}

BOOL CNewObjectPage::OnKillActive()
{
    // The controls are read first, so that the adjustments below are what
    // the sheet keeps.
    if (!CAttachedWindowPage::OnKillActive())
        return FALSE;
    ObjectSheetState& s = Sheet();
    if (s.objectKind == -1)
        return TRUE;
    if (CListBox* list = Kinds(); list && list->GetCurSel() >= 0)
        s.subtype = list->GetCurSel();
    s.doorKind = -1;
    leftCategory = s.objectKind;
    leftSubtype = s.subtype;
    if (s.attachedPanes != 0) {
        if (bay && s.attachedPanes < 3)
            s.attachedPanes = 3;
        s.attachedType = bay ? 1 : 0;
    }
    ComputeSheetPlacement();
    return TRUE;
}

// ---- The object edit sheet's page ----

CEditObjectPage::CEditObjectPage() : CAttachedWindowPage(kEditObjectPage)
{
    MapCommand(kDelete, &CEditObjectPage::OnDelete);
    MapCommand(kKinds, &CEditObjectPage::OnKindChanged, LBN_SELCHANGE);
}

CListBox* CEditObjectPage::Kinds() const { return dynamic_cast<CListBox*>(GetDlgItem(kKinds)); }

BOOL CEditObjectPage::OnInitDialog()
{
    CAttachedWindowPage::OnInitDialog();
    SetSpinRange(kDepthSpin, 1, 10000);
    SetSpinRange(kPanesSpin, 0, 4);
    return FALSE;
}

void CEditObjectPage::ShowAttachedControls(bool show)
{
    for (int id : {kAttachedGroup, kPanesCaption, kPanes, kPanesSpin, kBay, kStraight})
        ShowControl(id, show);
}

BOOL CEditObjectPage::OnSetActive()
{
    CAttachedWindowPage::OnSetActive();
    ObjectSheetState& s = Sheet();
    CObjectTypeCatalog::Load(true);
    if (CListBox* list = Kinds()) {
        list->ResetContent();
        for (int i = 0; i < CObjectTypeCatalog::GetSubtypeCount(s.objectKind); ++i)
            if (CObjectTypeCatalog::GetSubtypeId(s.objectKind, i) >= 0)
                list->AddString(Wide(CObjectTypeCatalog::GetSubtypeName(s.objectKind, i)));
        list->SetCurSel(s.subtype);
    }
    EnableControl(kDepth, true);
    EnableControl(kDepthSpin, true);
    const int category = Category();
    if (category == SheetCategory::kWindow) {
        SetControlText(kDepthCaption, L"Panes");
        ShowAttachedControls(false);
    } else if (category == SheetCategory::kBathObject || category == SheetCategory::kCountertop ||
               category == SheetCategory::kCorner || category == SheetCategory::kUtility) {
        ShowAttachedControls(true);
        if (s.attachedPanes > 0 && s.object) {
            bay = s.object->GetAttachedWindowType() == 1 ? 1 : 0;
            straight = s.object->GetAttachedWindowType() == 0 ? 1 : 0;
        }
        ShowWindowShapes(true, category, SubtypeIdOf(s.subtype));
        NameAttachedGroup(category, SubtypeIdOf(s.subtype));
    } else {
        ShowAttachedControls(false);
    }
    if (category == SheetCategory::kFireplace)
        SetControlText(kDepthCaption, s.subtype == 2 ? L"Width:" : L"Depth:");
    ShowData();
    return TRUE;
}

void CEditObjectPage::OnKindChanged()
{
    ObjectSheetState& s = Sheet();
    CListBox* list = Kinds();
    const int selected = list ? list->GetCurSel() : -1;
    if (selected < 0 || selected == s.subtype)
        return;
    const int oldId = SubtypeIdOf(s.subtype);
    s.subtype = selected;
    const int newId = SubtypeIdOf(selected);
    switch (Category()) {
    case SheetCategory::kWindow: s.depth = ZupWindow::GetDefaultPanes(newId); break;
    case SheetCategory::kFireplace:
        SetControlText(kDepthCaption, selected == 2 ? L"Width:" : L"Depth:");
        break;
    case SheetCategory::kCountertop:
        NameAttachedGroup(SheetCategory::kCountertop, newId);
        ShowWindowShapes(true, SheetCategory::kCountertop, newId);
        break;
    case SheetCategory::kBathObject:
        // Sizes the user has not changed follow the kind.
        if (s.depth == ZupBathObject::GetDefaultDepth(oldId) &&
            s.width == ZupBathObject::GetDefaultWidth(oldId)) {
            s.depth = ZupBathObject::GetDefaultDepth(newId);
            s.width = ZupBathObject::GetDefaultWidth(newId);
        }
        break;
    default: break;
    }
    ShowData();
}

void CEditObjectPage::ExchangePageData(CDataExchange* pDX)
{
    ObjectSheetState& s = Sheet();
    ExchangeDepth(pDX);
    DDX_Text(pDX, kPanes, s.attachedPanes);
    DDX_Check(pDX, kBay, bay);
    DDX_Check(pDX, kStraight, straight);
}

BOOL CEditObjectPage::OnKillActive()
{
    if (!CAttachedWindowPage::OnKillActive())
        return FALSE;
    ObjectSheetState& s = Sheet();
    s.attachedType = bay ? 1 : 0;
    if (CListBox* list = Kinds(); list && list->GetCurSel() >= 0)
        s.subtype = list->GetCurSel();
    return TRUE;
}

void CEditObjectPage::OnDelete()
{
    ObjectSheetState& s = Sheet();
    if (s.object)
        ZupDeleteWallObject(s.object);
    s.object = nullptr;
    s.applied = 1;
    if (CPropertySheet* sheet = GetSheet())
        sheet->EndDialog(IDOK);
}
