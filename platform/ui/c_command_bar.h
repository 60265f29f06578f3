// The command bar at the bottom of the main frame: the menu bar (one
// button per top-level pop-up of its menu), bitmap tool buttons (push,
// check and check-group), a combo box and the close adornment.
#pragma once

#include <memory>
#include <vector>

#include "afx_ids.h"
#include "c_combo_box.h"
#include "c_menu.h"

constexpr BYTE TBSTATE_CHECKED = 0x01;
constexpr BYTE TBSTATE_PRESSED = 0x02;
constexpr BYTE TBSTATE_ENABLED = 0x04;
constexpr BYTE TBSTATE_HIDDEN = 0x08;

constexpr BYTE TBSTYLE_BUTTON = 0x00;
constexpr BYTE TBSTYLE_SEP = 0x01;
constexpr BYTE TBSTYLE_CHECK = 0x02;
constexpr BYTE TBSTYLE_GROUP = 0x04;
constexpr BYTE TBSTYLE_CHECKGROUP = TBSTYLE_GROUP | TBSTYLE_CHECK;

constexpr DWORD CBRS_TOOLTIPS = 0x0010;
constexpr DWORD CBRS_FLYBY = 0x8000;

constexpr UINT TB_ENABLEBUTTON = WM_USER + 1;
constexpr UINT TB_CHECKBUTTON = WM_USER + 2;
constexpr UINT TB_PRESSBUTTON = WM_USER + 3;
constexpr UINT TB_ISBUTTONENABLED = WM_USER + 9;
constexpr UINT TB_ISBUTTONCHECKED = WM_USER + 10;

struct TBBUTTON {
    int iBitmap = 0;
    int idCommand = 0;
    BYTE fsState = 0;
    BYTE fsStyle = 0;
    UINT_PTR dwData = 0;
    INT_PTR iString = 0;
};

class CCeCommandBar : public CWnd {
public:
    CCeCommandBar();
    ~CCeCommandBar() override;

    // A child of the frame; the frame's layout keeps it at the bottom.
    BOOL Create(CWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE, UINT id = AFX_IDW_TOOLBAR);
    using CWnd::Create;

    // Loads the menu resource as the bar's menu (also the frame's menu);
    // null when the id is unknown.
    CMenu* InsertMenuBar(UINT menuId, int button = 0);
    CMenu* GetMenu() { return m_menu.GetSafeHmenu() ? &m_menu : nullptr; }
    // Images side by side in one bitmap resource; the index of the first,
    // or -1 when the bitmap is missing.
    int AddBitmap(UINT bitmapId, int imageCount);
    BOOL AddButtons(UINT count, const TBBUTTON* buttons);
    BOOL AddToolTips(UINT count, const CString* texts);
    BOOL AddToolTips(UINT count, LPCTSTR* texts);
    const CString* GetToolTip(int buttonIndex) const;
    BOOL AddAdornments(DWORD flags = 0);
    // A combo box of the given width after button index `button` (the end
    // when past it); owned by the bar.
    CComboBox* InsertComboBox(int width, UINT style, WORD comboId, WORD button);
    DWORD GetBarStyle() const { return m_barStyle; }
    void SetBarStyle(DWORD style) { m_barStyle = style; }

    BOOL CheckButton(int id, BOOL check = TRUE);
    BOOL IsButtonChecked(int id) const;
    BOOL EnableButton(int id, BOOL enable = TRUE);
    BOOL IsButtonEnabled(int id) const;
    // The place of a tool button (bar client pixels), for scripts.
    CRect GetButtonRect(int id) const;
    CRect GetMenuButtonRect(int index) const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnSize(UINT type, int cx, int cy) override;

private:
    struct Slot {
        enum class Kind { Menu, Button, Separator, Combo, Close } kind;
        CRect rect;
        int index = -1;  // menu popup position or button index
    };
    void Layout();
    const Slot* SlotAt(CPoint point) const;
    int ButtonIndex(int id) const;
    void PressButton(int index);
    void OpenMenu(int position);
    void PaintButton(CDC& dc, const Slot& slot);

    CMenu m_menu;
    UINT m_bitmapId = 0;
    int m_imageCount = 0;
    std::vector<TBBUTTON> m_buttons;
    std::vector<CString> m_toolTips;
    std::unique_ptr<CComboBox> m_combo;
    int m_comboWidth = 0;
    size_t m_comboAfter = 0;
    bool m_adornments = false;
    DWORD m_barStyle = 0;
    std::vector<Slot> m_slots;
    int m_pressed = -1;  // slot being pressed
};
