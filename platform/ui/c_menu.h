// Menus: item lists with command ids, check marks, grayed items and pop-up
// submenus, built in code or loaded from the resource tables, and tracked
// as pop-up windows drawn by the layer.
#pragma once

#include "c_wnd.h"
#include "dialog_template.h"

struct MenuData;
using HMENU = MenuData*;

constexpr UINT TPM_LEFTALIGN = 0x0000;
constexpr UINT TPM_CENTERALIGN = 0x0004;
constexpr UINT TPM_RIGHTALIGN = 0x0008;
constexpr UINT TPM_TOPALIGN = 0x0000;
constexpr UINT TPM_VCENTERALIGN = 0x0010;
constexpr UINT TPM_BOTTOMALIGN = 0x0020;
constexpr UINT TPM_NONOTIFY = 0x0080;
constexpr UINT TPM_RETURNCMD = 0x0100;

// Pop-up menus report themselves to the backend's script under this id.
constexpr UINT kPopupMenuScriptId = 0;
// Height of one row of a pop-up menu, in pixels.
constexpr int kMenuRowHeight = 18;

class CMenu {
public:
    CMenu() = default;
    // A menu this object created or attached is destroyed with it.
    virtual ~CMenu();
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    HMENU m_hMenu = nullptr;

    BOOL CreateMenu();
    BOOL CreatePopupMenu();
    // From the menu tables; FALSE for an unknown id.
    BOOL LoadMenu(UINT resourceId);
    // A submenu that belongs to another menu is only let go, not destroyed.
    BOOL DestroyMenu();
    BOOL Attach(HMENU menu);
    HMENU Detach();
    HMENU GetSafeHmenu() const { return m_hMenu; }
    operator HMENU() const { return m_hMenu; }
    // The menu's own wrapper (lives as long as the menu); null for a stale
    // handle.
    static CMenu* FromHandle(HMENU menu);

    // With MF_POPUP the id is the submenu's handle; the submenu then
    // belongs to this menu. MF_BYPOSITION: position is an index (-1 or past
    // the end: append); else the command id of the item to insert before
    // (appended when there is none).
    BOOL AppendMenu(UINT flags, UINT_PTR id = 0, LPCTSTR text = nullptr);
    BOOL InsertMenu(UINT position, UINT flags, UINT_PTR id = 0, LPCTSTR text = nullptr);
    BOOL ModifyMenu(UINT position, UINT flags, UINT_PTR id = 0, LPCTSTR text = nullptr);
    BOOL RemoveMenu(UINT position, UINT flags);
    BOOL DeleteMenu(UINT position, UINT flags);

    UINT GetMenuItemCount() const;
    // 0 for a separator, -1 for a submenu or a bad position.
    UINT GetMenuItemID(int position) const;
    // MF_CHECKED, MF_GRAYED, MF_DISABLED, MF_SEPARATOR, MF_POPUP bits;
    // -1 when the item is missing. By command, submenus are searched too.
    UINT GetMenuState(UINT id, UINT flags) const;
    int GetMenuString(UINT id, CString& text, UINT flags) const;
    // The previous check state (MF_CHECKED or MF_UNCHECKED), -1 if missing.
    UINT CheckMenuItem(UINT id, UINT check);
    // The previous enabled state (MF_ENABLED, MF_GRAYED ...), -1 if missing.
    UINT EnableMenuItem(UINT id, UINT enable);
    CMenu* GetSubMenu(int position) const;

    // Shows the menu at a screen point and tracks the pen until an item is
    // chosen or the pen lands outside. With TPM_RETURNCMD the chosen id (0:
    // none) is returned; otherwise the owner gets WM_COMMAND with it.
    BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, LPCRECT rect = nullptr);

private:
    friend struct MenuData;
    bool m_temporary = false;
};

// A row of a pop-up menu window that is up (screen pixels), for scripts.
CRect PopupMenuItemRect(CWnd* popup, int position);
