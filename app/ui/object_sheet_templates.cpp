#include "object_sheet_templates.h"

#include "c_button.h"
#include "c_list_box.h"
#include "dialog_template.h"

namespace {

using namespace ObjectSheetIds;

// A radio-style button whose state the page sets itself.
DialogItem PlainRadio(int id, LPCTSTR text, CRect rect, DWORD style = 0)
{
    return {ControlKind::PushButton, static_cast<UINT>(id), text, rect, BS_RADIOBUTTON | style};
}

DialogTemplate Page(UINT id, LPCTSTR caption, std::vector<DialogItem> items)
{
    DialogTemplate page;
    page.id = id;
    page.caption = caption;
    page.items = std::move(items);
    return page;
}

const DialogItem kCancel{ControlKind::PushButton, IDCANCEL, L"Cancel", CRect(160, 240, 230, 262)};

std::vector<DialogItem> DoorItems(bool newDoor)
{
    std::vector<DialogItem> items;
    int top = 4;
    if (newDoor) {
        items.push_back({ControlKind::Static, 0, L"Name:", CRect(6, top, 120, top + 14)});
        items.push_back({ControlKind::ListBox, static_cast<UINT>(kNames), L"",
                         CRect(6, top + 16, 234, top + 86), LBS_NOTIFY});
        top += 92;
    }
    items.push_back({ControlKind::Static, 0, L"Type:", CRect(6, top, 120, top + 14)});
    items.push_back({ControlKind::ListBox, static_cast<UINT>(kKinds), L"",
                     CRect(6, top + 16, 150, top + 100), LBS_NOTIFY});
    items.push_back({ControlKind::Static, 0, L"Wall Thickness:", CRect(6, top + 106, 110, top + 120)});
    items.push_back({ControlKind::Edit, static_cast<UINT>(kWallThickness), L"",
                     CRect(112, top + 104, 170, top + 122)});
    items.push_back({ControlKind::UpDown, static_cast<UINT>(kWallThicknessSpin), L"",
                     CRect(170, top + 104, 186, top + 122)});
    if (newDoor) {
        items.push_back(PlainRadio(kSmall, L"Single", CRect(158, top + 20, 234, top + 36),
                                   WS_DISABLED | WS_GROUP));
        items.back().hidden = true;
        items.push_back(PlainRadio(kBig, L"Double", CRect(158, top + 40, 234, top + 56), WS_DISABLED));
        items.back().hidden = true;
    } else {
        items.push_back({ControlKind::PushButton, static_cast<UINT>(kDelete), L"Delete",
                         CRect(6, 240, 76, 262)});
    }
    items.push_back(kCancel);
    return items;
}

std::vector<DialogItem> ObjectItems(bool newObject)
{
    std::vector<DialogItem> items;
    if (newObject)
        items.push_back({ControlKind::ListBox, static_cast<UINT>(kCategories), L"",
                         CRect(6, 4, 116, 110), LBS_NOTIFY});
    items.push_back({ControlKind::ListBox, static_cast<UINT>(kKinds), L"",
                     CRect(newObject ? 122 : 6, 4, 234, 110), LBS_NOTIFY | (newObject ? WS_DISABLED : 0)});
    items.push_back({ControlKind::Static, static_cast<UINT>(kDepthCaption), L"Depth:", CRect(6, 118, 60, 132)});
    items.push_back({ControlKind::Edit, static_cast<UINT>(kDepth), L"", CRect(62, 116, 112, 134)});
    items.push_back({ControlKind::UpDown, static_cast<UINT>(kDepthSpin), L"", CRect(112, 116, 128, 134)});
    if (newObject) {
        items.push_back({ControlKind::RadioButton, static_cast<UINT>(kBig), L"Big",
                         CRect(136, 116, 184, 132), WS_GROUP});
        items.push_back({ControlKind::RadioButton, static_cast<UINT>(kSmall), L"Small",
                         CRect(186, 116, 234, 132)});
        items.push_back({ControlKind::CheckBox, static_cast<UINT>(kCorner), L"Corner",
                         CRect(136, 136, 234, 152), WS_GROUP});
    }
    items.push_back({ControlKind::GroupBox, static_cast<UINT>(kAttachedGroup), L"Attached Window",
                     CRect(4, 158, 236, 232)});
    items.push_back({ControlKind::Static, static_cast<UINT>(kPanesCaption), L"Panes", CRect(12, 178, 60, 192)});
    items.push_back({ControlKind::Edit, static_cast<UINT>(kPanes), L"", CRect(62, 176, 100, 194)});
    items.push_back({ControlKind::UpDown, static_cast<UINT>(kPanesSpin), L"", CRect(100, 176, 116, 194)});
    items.push_back({ControlKind::RadioButton, static_cast<UINT>(kStraight), L"Straight",
                     CRect(12, 204, 100, 220), WS_GROUP});
    items.push_back({ControlKind::RadioButton, static_cast<UINT>(kBay), L"Bay", CRect(110, 204, 180, 220)});
    if (!newObject)
        items.push_back({ControlKind::PushButton, static_cast<UINT>(kDelete), L"Delete",
                         CRect(6, 240, 76, 262), WS_GROUP});
    items.push_back(kCancel);
    return items;
}

// One row: the check, the value, its up-down and the zero button.
void DimensionRow(std::vector<DialogItem>& items, int top, int check, LPCTSTR text, int edit,
                  int spin, int zero, DWORD extra = 0)
{
    items.push_back(PlainRadio(check, text, CRect(12, top, 84, top + 18), extra));
    items.push_back({ControlKind::Edit, static_cast<UINT>(edit), L"", CRect(88, top, 150, top + 18), extra});
    items.push_back({ControlKind::UpDown, static_cast<UINT>(spin), L"", CRect(150, top, 166, top + 18)});
    if (zero)
        items.push_back({ControlKind::PushButton, static_cast<UINT>(zero), L"0",
                         CRect(172, top, 200, top + 18)});
}

std::vector<DialogItem> DimensionItems()
{
    std::vector<DialogItem> items;
    items.push_back({ControlKind::GroupBox, 0, L"", CRect(4, 2, 236, 150)});
    items.push_back({ControlKind::CheckBox, static_cast<UINT>(kFullWall), L"Full Wall", CRect(12, 10, 120, 26)});
    DimensionRow(items, 32, kWidthCheck, L"Width", kWidth, kWidthSpin, kWidthZero);
    DimensionRow(items, 60, kLeftCheck, L"Left", kLeft, kLeftSpin, kLeftZero);
    DimensionRow(items, 88, kRightCheck, L"Right", kRight, kRightSpin, kRightZero);
    DimensionRow(items, 116, kDepthCheck, L"Depth", kDepth, kDepthSpin, 0, WS_DISABLED);
    return items;
}

std::vector<DialogItem> AttributeItems()
{
    return {
        {ControlKind::CheckBox, static_cast<UINT>(kExternal), L"External", CRect(6, 4, 110, 20)},
        {ControlKind::CheckBox, static_cast<UINT>(kCloset), L"Closet", CRect(120, 4, 234, 20), WS_DISABLED},
        {ControlKind::ListBox, static_cast<UINT>(kDoorActions), L"", CRect(6, 26, 118, 96), LBS_NOTIFY},
        {ControlKind::ListBox, static_cast<UINT>(kDoorPositions), L"", CRect(122, 26, 234, 96), LBS_NOTIFY},
        {ControlKind::GroupBox, 0, L"", CRect(4, 102, 236, 232)},
        {ControlKind::CheckBox, static_cast<UINT>(kStair), L"Stair", CRect(12, 110, 80, 126)},
        {ControlKind::Static, 0, L"Steps:", CRect(90, 110, 134, 126)},
        {ControlKind::Edit, static_cast<UINT>(kSteps), L"", CRect(136, 108, 180, 126)},
        {ControlKind::UpDown, static_cast<UINT>(kStepsSpin), L"", CRect(180, 108, 196, 126)},
        {ControlKind::ListBox, static_cast<UINT>(kStairDirection), L"", CRect(12, 132, 116, 170),
         LBS_NOTIFY | WS_DISABLED},
        {ControlKind::ListBox, static_cast<UINT>(kStairPosition), L"", CRect(124, 132, 228, 170),
         LBS_NOTIFY | WS_DISABLED},
        {ControlKind::DropDownList, static_cast<UINT>(kStairKind), L"", CRect(12, 178, 160, 196), WS_DISABLED},
    };
}

}  // namespace

void RegisterObjectSheetTemplates()
{
    if (FindDialogTemplate(kAttributesPage))
        return;
    RegisterDialogTemplate(Page(kNewDoorPage, L"Door", DoorItems(true)));
    RegisterDialogTemplate(Page(kEditDoorPage, L"Door", DoorItems(false)));
    RegisterDialogTemplate(Page(kNewObjectPage, L"Object", ObjectItems(true)));
    RegisterDialogTemplate(Page(kEditObjectPage, L"Object", ObjectItems(false)));
    RegisterDialogTemplate(Page(kDimensionsPage, L"Dimensions", DimensionItems()));
    RegisterDialogTemplate(Page(kAttributesPage, L"Attributes", AttributeItems()));
}
