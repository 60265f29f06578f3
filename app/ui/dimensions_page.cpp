#include "dimensions_page.h"

#include "dc.h"
#include "data_exchange.h"
#include "kor_node.h"
#include "length_text.h"
#include "object_sheet_state.h"
#include "object_sheet_templates.h"
#include "object_type_catalog.h"
#include "window_dc.h"
#include "zup_edge.h"
#include "zup_node.h"
#include "zup_opening.h"

namespace {

using namespace ObjectSheetIds;

ObjectSheetState& Sheet() { return g_objectSheet; }

}  // namespace

CDimensionsPage::CDimensionsPage() : CObjectPage(kDimensionsPage)
{
    MapCommand(kFullWall, &CDimensionsPage::OnFullWall);
    MapCommand(kWidthCheck, &CDimensionsPage::OnWidth);
    MapCommand(kLeftCheck, &CDimensionsPage::OnLeft);
    MapCommand(kRightCheck, &CDimensionsPage::OnRight);
    MapCommand(kDepthCheck, &CDimensionsPage::OnDepth);
    MapCommand(kWidthZero, &CDimensionsPage::OnWidthZero);
    MapCommand(kLeftZero, &CDimensionsPage::OnLeftZero);
    MapCommand(kRightZero, &CDimensionsPage::OnRightZero);
}

// Objects on the wall's end nodes do not count.
bool CDimensionsPage::OnlyObjectOnWall() const
{
    ObjectSheetState& s = Sheet();
    ZupEdge* wall = s.edge;
    int count = wall ? wall->GetNumOfObjects() : 0;
    if (s.object)
        --count;
    if (count > 0 && wall) {
        for (KorNode* end : {wall->GetStart(), wall->GetEnd()})
            if (auto* node = dynamic_cast<ZupNode*>(end); node && node->GetWallObject(nullptr))
                --count;
    }
    return count == 0;
}

BOOL CDimensionsPage::OnInitDialog()
{
    ObjectSheetState& s = Sheet();
    undimensioned = s.Has(SheetFlags::kUndimensioned);
    fullWall = s.Has(SheetFlags::kFullWall);
    widthCheck = s.Has(SheetFlags::kWidth);
    leftCheck = s.Has(SheetFlags::kLeft);
    rightCheck = s.Has(SheetFlags::kRight);
    if (!OnlyObjectOnWall())
        EnableControl(kFullWall, false);
    EnableControl(kLeftSpin, leftCheck != 0);
    EnableControl(kRightSpin, rightCheck != 0);
    for (int spin : {kWidthSpin, kLeftSpin, kRightSpin, kDepthSpin})
        SetSpinRange(spin, 0, kLargestValue);
    digitTarget = nullptr;
    replace = true;
    CObjectPage::OnInitDialog();
    return FALSE;
}

BOOL CDimensionsPage::OnSetActive()
{
    CObjectPage::OnSetActive();
    ObjectSheetState& s = Sheet();
    if (s.twin) {
        widthCheck = 1;
        EnableControl(kWidthCheck, false);
        EnableControl(kWidthSpin, false);
        s.width = RoundToInt(s.twin->GetWidth());
    } else if (fullWall) {
        fullWall = 0;
        OnFullWall();
    } else {
        EnableControl(kWidthCheck, true);
        EnableControl(kWidthSpin, widthCheck != 0);
    }
    const bool depthRow =
        s.doorKind == -1 && CObjectTypeCatalog::GetCategoryId(s.objectKind) != SheetCategory::kWindow;
    for (int id : {kDepthCheck, kDepth, kDepthSpin})
        EnableControl(id, depthRow);
    depthCheck = 0;
    if (widthCheck && !s.twin)
        digitTarget = &s.width;
    else if (leftCheck)
        digitTarget = &s.left;
    else if (rightCheck)
        digitTarget = &s.right;
    else
        digitTarget = nullptr;
    ShowData();
    return TRUE;
}

void CDimensionsPage::ExchangePageData(CDataExchange* pDX)
{
    ObjectSheetState& s = Sheet();
    DDX_Check(pDX, kFullWall, fullWall);
    DDX_Check(pDX, kWidthCheck, widthCheck);
    DDX_Check(pDX, kLeftCheck, leftCheck);
    DDX_Check(pDX, kRightCheck, rightCheck);
    DDX_Check(pDX, kDepthCheck, depthCheck);
    DDX_Text(pDX, kWidth, s.width);
    DDX_Text(pDX, kLeft, s.left);
    DDX_Text(pDX, kRight, s.right);
    DDX_Text(pDX, kDepth, s.depth);
}

void CDimensionsPage::EnableSideControls(bool enable)
{
    widthCheck = leftCheck = rightCheck = 0;
    for (int id : {kWidthCheck, kLeftCheck, kLeftZero, kRightCheck, kRightZero})
        EnableControl(id, enable);
    if (!enable)
        for (int id : {kWidthSpin, kLeftSpin, kRightSpin})
            EnableControl(id, false);
}

void CDimensionsPage::OnFullWall()
{
    ObjectSheetState& s = Sheet();
    const int widthBefore = widthCheck;
    fullWall = fullWall ? 0 : 1;
    if (fullWall)
        undimensioned = 0;
    EnableSideControls(!fullWall);
    // The width may still be fixed on a full wall.
    if (!s.twin && !s.wallBound) {
        widthCheck = widthBefore;
        EnableControl(kWidthSpin, true);
        EnableControl(kWidthCheck, true);
    }
    digitTarget = &s.width;
    ShowData();
}

void CDimensionsPage::ToggleSide(int& check, int& other1, int& other2, int spin, int* target,
                                 bool clearsFullWall)
{
    UpdateData(TRUE);
    check = check ? 0 : 1;
    if (check && other1 && other2 && Sheet().wallBound)
        check = 0;
    EnableControl(spin, check != 0);
    if (check) {
        undimensioned = 0;
        if (clearsFullWall)
            fullWall = 0;
        digitTarget = target;
        replace = true;
    }
    ShowData();
}

void CDimensionsPage::OnWidth()
{
    ToggleSide(widthCheck, leftCheck, rightCheck, kWidthSpin, &Sheet().width, false);
}

void CDimensionsPage::OnLeft()
{
    ToggleSide(leftCheck, widthCheck, rightCheck, kLeftSpin, &Sheet().left, true);
}

void CDimensionsPage::OnRight()
{
    ToggleSide(rightCheck, widthCheck, leftCheck, kRightSpin, &Sheet().right, true);
}

void CDimensionsPage::OnWidthZero()
{
    if (!widthCheck)
        OnWidth();
    else
        digitTarget = &Sheet().width;
    Sheet().width = 0;
    ShowData();
}

void CDimensionsPage::OnLeftZero()
{
    if (!leftCheck)
        OnLeft();
    else
        digitTarget = &Sheet().left;
    Sheet().left = 0;
    ShowData();
}

void CDimensionsPage::OnRightZero()
{
    if (!rightCheck)
        OnRight();
    else
        digitTarget = &Sheet().right;
    Sheet().right = 0;
    ShowData();
}

void CDimensionsPage::OnDepth()
{
    depthCheck = 1;
    digitTarget = &Sheet().depth;
    replace = true;
    ShowData();
}

bool CDimensionsPage::OnDigitTap(int x, int y)
{
    if (y < kStripTop || y >= kStripBottom || !digitTarget)
        return false;
    if (x > kStripLeft - 1 && x < kStripRight + 1) {
        const int digit = (x - kStripLeft) / kCellWidth;
        const int before = replace ? 0 : *digitTarget;
        // A digit that would take the value past what its up-down offers
        // is not taken.
        if (before > (kLargestValue - digit) / 10)
            return true;
        replace = false;
        *digitTarget = before * 10 + digit;
        ShowData();
    }
    return true;
}

void CDimensionsPage::OnLButtonUp(UINT flags, CPoint point)
{
    if (!OnDigitTap(point.x, point.y))
        CObjectPage::OnLButtonUp(flags, point);
}

void CDimensionsPage::OnPaint()
{
    CObjectPage::OnPaint();
    CClientDC dc(this);
    for (int digit = 0; digit < 10; ++digit) {
        const int left = kStripLeft + digit * kCellWidth;
        CRect cell(left, kStripTop + 2, left + kCellWidth - 1, kStripBottom);
        dc.FillSolidRect(&cell, RGB(224, 224, 224));
        wchar_t text[2] = {static_cast<wchar_t>(L'0' + digit), 0};
        dc.SetBkMode(TRANSPARENT);
        dc.DrawText(CString(text), &cell, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

BOOL CDimensionsPage::OnKillActive()
{
    if (!UpdateData(TRUE))
        return FALSE;
    ObjectSheetState& s = Sheet();
    if (undimensioned) {
        s.Set(SheetFlags::kUndimensioned, true);
        return CObjectPage::OnKillActive();
    }
    s.Set(SheetFlags::kUndimensioned, false);
    s.Set(SheetFlags::kWidth, widthCheck || s.twin);
    if (fullWall) {
        s.Set(SheetFlags::kFullWall, true);
        s.wallThickness = 0.0f;
    } else {
        s.Set(SheetFlags::kFullWall, false);
        s.Set(SheetFlags::kLeft, leftCheck != 0);
        s.Set(SheetFlags::kRight, rightCheck != 0);
    }
    if (widthCheck || leftCheck || rightCheck || fullWall)
        s.dimensionsChanged = 1;
    return CObjectPage::OnKillActive();
}
