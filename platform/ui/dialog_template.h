// Resource tables of dialogs and menus: dialog templates are lists of
// controls with rectangles in screen pixels, menus are item trees. The
// resources/ tables register them at start-up; dialogs and menus load them
// by id.
#pragma once

#include <vector>

#include "c_rect.h"
#include "c_string.h"

enum class ControlKind {
    Static,
    Picture,      // a bitmap resource (bitmapId)
    Edit,
    PushButton,
    DefPushButton,
    CheckBox,     // toggles itself
    RadioButton,  // checks itself and clears the others of its group
    GroupBox,
    ListBox,
    ComboBox,     // drop-down with an edit part
    DropDownList, // drop-down list without an edit part
    UpDown,
    Slider,
};

struct DialogItem {
    ControlKind kind = ControlKind::Static;
    UINT id = 0;
    CString text;
    CRect rect;          // in the dialog's client pixels
    DWORD style = 0;     // extra styles: WS_DISABLED, WS_GROUP, ES_NUMBER, LBS_SORT ...
    UINT bitmapId = 0;   // Picture only
    bool hidden = false;
};

struct DialogTemplate {
    UINT id = 0;
    CString caption;
    // Screen pixels; empty: the whole screen below the caption band.
    CRect rect;
    std::vector<DialogItem> items;
    // The rectangles are in dialog units (a quarter of the dialog font's
    // average character width, an eighth of its height), as resource
    // scripts give them; they are turned into pixels when the dialog is
    // built.
    bool dialogUnits = false;
};

// Registers (or replaces) a template; FALSE when two controls share a
// nonzero id.
BOOL RegisterDialogTemplate(DialogTemplate dialogTemplate);
// Null for an unknown id.
const DialogTemplate* FindDialogTemplate(UINT id);

// Menu item flags (also the CMenu flags).
constexpr UINT MF_STRING = 0x0000;
constexpr UINT MF_ENABLED = 0x0000;
constexpr UINT MF_UNCHECKED = 0x0000;
constexpr UINT MF_BYCOMMAND = 0x0000;
constexpr UINT MF_GRAYED = 0x0001;
constexpr UINT MF_DISABLED = 0x0002;
constexpr UINT MF_CHECKED = 0x0008;
constexpr UINT MF_POPUP = 0x0010;
constexpr UINT MF_BYPOSITION = 0x0400;
constexpr UINT MF_SEPARATOR = 0x0800;

struct MenuTemplateItem {
    UINT id = 0;
    CString text;
    UINT flags = MF_STRING;
    std::vector<MenuTemplateItem> items;  // MF_POPUP only
};

void RegisterMenuTemplate(UINT id, std::vector<MenuTemplateItem> items);
// Null for an unknown id.
const std::vector<MenuTemplateItem>* FindMenuTemplate(UINT id);
