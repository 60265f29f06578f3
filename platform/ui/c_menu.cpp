#include "c_menu.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <set>
#include <vector>

#include "backend.h"
#include "control_wnd.h"
#include "window_dc.h"
#include "window_manager.h"

struct MenuItem {
    UINT id = 0;
    UINT flags = 0;
    CString text;
    MenuData* popup = nullptr;  // owned
};

struct MenuData {
    std::vector<MenuItem> items;
    MenuData* parent = nullptr;
    std::unique_ptr<CMenu> wrapper;

    static MenuData* New();
    static void Free(MenuData* menu);
    static bool IsLive(const MenuData* menu);
};

namespace {

constexpr UINT kStateMask = MF_GRAYED | MF_DISABLED | MF_CHECKED;

struct LiveMenus {
    std::mutex mutex;
    std::set<const MenuData*> menus;
};

LiveMenus& TheLiveMenus()
{
    static LiveMenus live;
    return live;
}

struct Found {
    MenuData* menu = nullptr;
    int index = -1;
};

Found FindByCommand(MenuData* menu, UINT id)
{
    for (size_t i = 0; i < menu->items.size(); ++i) {
        MenuItem& item = menu->items[i];
        if (!(item.flags & (MF_POPUP | MF_SEPARATOR)) && item.id == id) return {menu, static_cast<int>(i)};
        if (item.popup) {
            const Found inner = FindByCommand(item.popup, id);
            if (inner.menu) return inner;
        }
    }
    return {};
}

Found Locate(MenuData* menu, UINT position, UINT flags)
{
    if (!MenuData::IsLive(menu)) return {};
    if (flags & MF_BYPOSITION) {
        if (position >= menu->items.size()) return {};
        return {menu, static_cast<int>(position)};
    }
    return FindByCommand(menu, position);
}

MenuItem MakeItem(UINT flags, UINT_PTR id, LPCTSTR text)
{
    MenuItem item;
    item.flags = flags & (kStateMask | MF_POPUP | MF_SEPARATOR);
    item.text = text ? text : L"";
    if (flags & MF_POPUP) item.popup = reinterpret_cast<MenuData*>(id);
    else item.id = static_cast<UINT>(id);
    return item;
}

// Adopts a submenu; FALSE when it cannot belong here.
bool Adopt(MenuData* menu, MenuItem& item)
{
    if (!(item.flags & MF_POPUP)) return true;
    if (!MenuData::IsLive(item.popup) || item.popup->parent != nullptr || item.popup == menu) return false;
    for (const MenuData* p = menu; p != nullptr; p = p->parent)
        if (p == item.popup) return false;
    item.popup->parent = menu;
    return true;
}

MenuData* BuildFromTemplate(const std::vector<MenuTemplateItem>& items)
{
    MenuData* menu = MenuData::New();
    for (const MenuTemplateItem& entry : items) {
        MenuItem item;
        item.flags = entry.flags & (kStateMask | MF_POPUP | MF_SEPARATOR);
        item.text = entry.text;
        item.id = entry.id;
        if (entry.flags & MF_POPUP) {
            item.popup = BuildFromTemplate(entry.items);
            item.popup->parent = menu;
            item.id = 0;
        }
        menu->items.push_back(item);
    }
    return menu;
}

}  // namespace

MenuData* MenuData::New()
{
    auto* menu = new MenuData;
    LiveMenus& live = TheLiveMenus();
    std::lock_guard lock(live.mutex);
    live.menus.insert(menu);
    return menu;
}

void MenuData::Free(MenuData* menu)
{
    if (!IsLive(menu)) return;
    for (MenuItem& item : menu->items)
        if (item.popup) Free(item.popup);
    {
        LiveMenus& live = TheLiveMenus();
        std::lock_guard lock(live.mutex);
        live.menus.erase(menu);
    }
    delete menu;
}

bool MenuData::IsLive(const MenuData* menu)
{
    if (menu == nullptr) return false;
    LiveMenus& live = TheLiveMenus();
    std::lock_guard lock(live.mutex);
    return live.menus.count(menu) != 0;
}

CMenu::~CMenu()
{
    if (!m_temporary) DestroyMenu();
}

BOOL CMenu::CreateMenu()
{
    if (m_hMenu) return FALSE;
    m_hMenu = MenuData::New();
    return TRUE;
}

BOOL CMenu::CreatePopupMenu()
{
    return CreateMenu();
}

BOOL CMenu::LoadMenu(UINT resourceId)
{
    if (m_hMenu) return FALSE;
    const std::vector<MenuTemplateItem>* items = FindMenuTemplate(resourceId);
    if (items == nullptr) return FALSE;
    m_hMenu = BuildFromTemplate(*items);
    return TRUE;
}

BOOL CMenu::DestroyMenu()
{
    HMENU menu = m_hMenu;
    m_hMenu = nullptr;
    if (!MenuData::IsLive(menu)) return FALSE;
    if (menu->parent == nullptr) MenuData::Free(menu);
    return TRUE;
}

BOOL CMenu::Attach(HMENU menu)
{
    if (m_hMenu || !MenuData::IsLive(menu)) return FALSE;
    m_hMenu = menu;
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU menu = m_hMenu;
    m_hMenu = nullptr;
    return menu;
}

CMenu* CMenu::FromHandle(HMENU menu)
{
    if (!MenuData::IsLive(menu)) return nullptr;
    if (!menu->wrapper) {
        menu->wrapper = std::make_unique<CMenu>();
        menu->wrapper->m_hMenu = menu;
        menu->wrapper->m_temporary = true;
    }
    return menu->wrapper.get();
}

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR id, LPCTSTR text)
{
    return InsertMenu(static_cast<UINT>(-1), flags | MF_BYPOSITION, id, text);
}

BOOL CMenu::InsertMenu(UINT position, UINT flags, UINT_PTR id, LPCTSTR text)
{
    if (!MenuData::IsLive(m_hMenu)) return FALSE;
    MenuItem item = MakeItem(flags, id, text);
    MenuData* target = m_hMenu;
    size_t at = target->items.size();
    if (flags & MF_BYPOSITION) {
        if (position < at) at = position;
    } else if (const Found found = FindByCommand(m_hMenu, position); found.menu) {
        target = found.menu;
        at = static_cast<size_t>(found.index);
    }
    if (!Adopt(target, item)) return FALSE;
    target->items.insert(target->items.begin() + static_cast<std::ptrdiff_t>(at), item);
    return TRUE;
}

BOOL CMenu::ModifyMenu(UINT position, UINT flags, UINT_PTR id, LPCTSTR text)
{
    const Found found = Locate(m_hMenu, position, flags);
    if (!found.menu) return FALSE;
    MenuItem replacement = MakeItem(flags, id, text);
    MenuItem& item = found.menu->items[static_cast<size_t>(found.index)];
    if (replacement.popup != item.popup) {
        if (!Adopt(found.menu, replacement)) return FALSE;
        if (item.popup) MenuData::Free(item.popup);
    }
    item = replacement;
    return TRUE;
}

BOOL CMenu::RemoveMenu(UINT position, UINT flags)
{
    const Found found = Locate(m_hMenu, position, flags);
    if (!found.menu) return FALSE;
    MenuItem& item = found.menu->items[static_cast<size_t>(found.index)];
    // A removed submenu is let go, not destroyed: its handle stays valid.
    if (item.popup) item.popup->parent = nullptr;
    found.menu->items.erase(found.menu->items.begin() + found.index);
    return TRUE;
}

BOOL CMenu::DeleteMenu(UINT position, UINT flags)
{
    const Found found = Locate(m_hMenu, position, flags);
    if (!found.menu) return FALSE;
    MenuData* popup = found.menu->items[static_cast<size_t>(found.index)].popup;
    found.menu->items.erase(found.menu->items.begin() + found.index);
    if (popup) MenuData::Free(popup);
    return TRUE;
}

UINT CMenu::GetMenuItemCount() const
{
    return MenuData::IsLive(m_hMenu) ? static_cast<UINT>(m_hMenu->items.size()) : static_cast<UINT>(-1);
}

UINT CMenu::GetMenuItemID(int position) const
{
    if (!MenuData::IsLive(m_hMenu) || position < 0 || position >= static_cast<int>(m_hMenu->items.size()))
        return static_cast<UINT>(-1);
    const MenuItem& item = m_hMenu->items[static_cast<size_t>(position)];
    if (item.popup) return static_cast<UINT>(-1);
    return (item.flags & MF_SEPARATOR) ? 0 : item.id;
}

UINT CMenu::GetMenuState(UINT id, UINT flags) const
{
    const Found found = Locate(m_hMenu, id, flags);
    if (!found.menu) return static_cast<UINT>(-1);
    const MenuItem& item = found.menu->items[static_cast<size_t>(found.index)];
    UINT state = item.flags;
    if (item.popup) state |= static_cast<UINT>(item.popup->items.size()) << 8;
    return state;
}

int CMenu::GetMenuString(UINT id, CString& text, UINT flags) const
{
    const Found found = Locate(m_hMenu, id, flags);
    if (!found.menu) {
        text.Empty();
        return 0;
    }
    text = found.menu->items[static_cast<size_t>(found.index)].text;
    return text.GetLength();
}

UINT CMenu::CheckMenuItem(UINT id, UINT check)
{
    const Found found = Locate(m_hMenu, id, check);
    if (!found.menu) return static_cast<UINT>(-1);
    MenuItem& item = found.menu->items[static_cast<size_t>(found.index)];
    const UINT previous = item.flags & MF_CHECKED;
    item.flags = (item.flags & ~MF_CHECKED) | (check & MF_CHECKED);
    return previous;
}

UINT CMenu::EnableMenuItem(UINT id, UINT enable)
{
    const Found found = Locate(m_hMenu, id, enable);
    if (!found.menu) return static_cast<UINT>(-1);
    MenuItem& item = found.menu->items[static_cast<size_t>(found.index)];
    const UINT previous = item.flags & (MF_GRAYED | MF_DISABLED);
    item.flags = (item.flags & ~(MF_GRAYED | MF_DISABLED)) | (enable & (MF_GRAYED | MF_DISABLED));
    return previous;
}

CMenu* CMenu::GetSubMenu(int position) const
{
    if (!MenuData::IsLive(m_hMenu) || position < 0 || position >= static_cast<int>(m_hMenu->items.size()))
        return nullptr;
    return FromHandle(m_hMenu->items[static_cast<size_t>(position)].popup);
}

// ---- tracking -------------------------------------------------------------

namespace {

// Applies what the owner's update handlers set to one item.
class MenuItemCmdUI : public CCmdUI {
public:
    MenuItemCmdUI(MenuItem& item) : CCmdUI(item.id), m_item(item) {}
    void Enable(BOOL on) override
    {
        CCmdUI::Enable(on);
        m_item.flags = (m_item.flags & ~(MF_GRAYED | MF_DISABLED)) | (on ? 0 : MF_GRAYED);
    }
    void SetCheck(int check) override
    {
        CCmdUI::SetCheck(check);
        m_item.flags = (m_item.flags & ~MF_CHECKED) | (check ? MF_CHECKED : 0);
    }
    void SetText(LPCTSTR text) override
    {
        CCmdUI::SetText(text);
        m_item.text = text ? text : L"";
    }

private:
    MenuItem& m_item;
};

bool Selectable(const MenuItem& item)
{
    return !(item.flags & (MF_SEPARATOR | MF_GRAYED | MF_DISABLED));
}

CString WithoutPrefix(const CString& text)
{
    CString out;
    const std::wstring& s = text.str();
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == L'&' && i + 1 < s.size()) ++i;
        else if (s[i] == L'&') continue;
        out += s[i];
    }
    return out;
}

void RunUpdateHandlers(MenuData* menu, CWnd* owner);

class CPopupMenuWnd : public CWnd {
public:
    CPopupMenuWnd(MenuData* menu, CWnd* owner) : m_menu(menu), m_owner(owner) {}

    // The chosen id, 0 for none.
    UINT Run(UINT flags, int x, int y)
    {
        const CSize size = Measure();
        if (flags & TPM_RIGHTALIGN) x -= size.cx;
        else if (flags & TPM_CENTERALIGN) x -= size.cx / 2;
        if (flags & TPM_BOTTOMALIGN) y -= size.cy;
        else if (flags & TPM_VCENTERALIGN) y -= size.cy / 2;
        x = std::clamp(x, 0, std::max(0, kScreenWidth - size.cx));
        y = std::clamp(y, kCaptionHeight, std::max(kCaptionHeight, kScreenHeight - size.cy));
        CWnd* top = m_owner ? m_owner->GetTopLevelParent() : nullptr;
        if (!Create(nullptr, L"", WS_POPUP | WS_VISIBLE, CRect(x, y, x + size.cx, y + size.cy), top, 0)) return 0;
        CWnd* previousCapture = SetCapture();
        CWnd* previousFocus = SetFocus();
        PlatformBackend().DialogShown(kPopupMenuScriptId, this);
        if (!m_done) RunModalLoop();
        if (GetCapture() == this) {
            if (previousCapture && IsWindow(previousCapture)) previousCapture->SetCapture();
            else ReleaseCapture();
        }
        DestroyWindow();
        if (previousFocus && IsWindow(previousFocus)) previousFocus->SetFocus();
        return m_result;
    }

    CRect RowRect(int position) const
    {
        int top = 1;
        for (int i = 0; i < position && i < static_cast<int>(m_menu->items.size()); ++i) top += RowHeight(i);
        CRect client;
        GetClientRect(&client);
        return CRect(1, top, client.right - 1, top + RowHeight(position));
    }

protected:
    void OnLButtonDown(UINT, CPoint point) override
    {
        CRect client;
        GetClientRect(&client);
        if (!client.PtInRect(point)) {
            Finish(0);
            return;
        }
        Highlight(RowAt(point));
    }

    void OnMouseMove(UINT, CPoint point) override { Highlight(RowAt(point)); }

    void OnLButtonUp(UINT, CPoint point) override { Choose(RowAt(point)); }

    BOOL PreTranslateMessage(MSG* msg) override
    {
        if (msg->message != WM_KEYDOWN) return FALSE;
        switch (msg->wParam) {
        case VK_ESCAPE: Finish(0); break;
        case VK_RETURN: Choose(m_highlight); break;
        case VK_UP: Step(-1); break;
        case VK_DOWN: Step(1); break;
        default: return FALSE;
        }
        return TRUE;
    }

    void OnPaint() override
    {
        CPaintDC dc(this);
        CRect client;
        GetClientRect(&client);
        dc.FillSolidRect(&client, kControlFace);
        CBrush black(kControlText);
        dc.FrameRect(&client, &black);
        CFont font;
        CFont* old = SelectControlFont(dc, font);
        dc.SetBkMode(TRANSPARENT);
        for (int i = 0; i < static_cast<int>(m_menu->items.size()); ++i) PaintRow(dc, i);
        dc.SelectObject(old);
    }

private:
    int RowHeight(int position) const
    {
        return (m_menu->items[static_cast<size_t>(position)].flags & MF_SEPARATOR) ? 7 : kMenuRowHeight;
    }

    CSize Measure()
    {
        CDC dc;
        BindMeasuringDC(dc);
        CFont font;
        CFont* old = SelectControlFont(dc, font);
        int width = 60;
        int height = 2;
        for (int i = 0; i < static_cast<int>(m_menu->items.size()); ++i) {
            width = std::max(width, static_cast<int>(dc.GetTextExtent(WithoutPrefix(m_menu->items[static_cast<size_t>(i)].text)).cx) + 34);
            height += RowHeight(i);
        }
        dc.SelectObject(old);
        return CSize(std::min(width, kScreenWidth), height);
    }

    int RowAt(CPoint point) const
    {
        CRect client;
        GetClientRect(&client);
        if (!client.PtInRect(point)) return -1;
        for (int i = 0; i < static_cast<int>(m_menu->items.size()); ++i)
            if (RowRect(i).PtInRect(point)) return i;
        return -1;
    }

    void Highlight(int position)
    {
        if (position >= 0 && !Selectable(m_menu->items[static_cast<size_t>(position)])) position = -1;
        if (position == m_highlight) return;
        m_highlight = position;
        Invalidate();
    }

    void Step(int direction)
    {
        const int count = static_cast<int>(m_menu->items.size());
        for (int step = 1; step <= count; ++step) {
            const int position = ((m_highlight < 0 ? (direction > 0 ? -1 : 0) : m_highlight) + direction * step + count) % count;
            if (Selectable(m_menu->items[static_cast<size_t>(position)])) {
                Highlight(position);
                return;
            }
        }
    }

    void Choose(int position)
    {
        if (position < 0 || !Selectable(m_menu->items[static_cast<size_t>(position)])) return;
        MenuItem& item = m_menu->items[static_cast<size_t>(position)];
        if (!item.popup) {
            Finish(item.id);
            return;
        }
        // A submenu opens beside its row; its choice is this menu's choice.
        CRect row = RowRect(position);
        ClientToScreen(&row);
        RunUpdateHandlers(item.popup, m_owner);
        CPopupMenuWnd submenu(item.popup, m_owner);
        const UINT chosen = submenu.Run(TPM_LEFTALIGN, row.right, row.top);
        if (chosen != 0) Finish(chosen);
        else if (IsWindow(m_hWnd)) SetCapture();
    }

    void Finish(UINT result)
    {
        m_result = result;
        m_done = true;
        if (ContinueModal()) EndModalLoop(static_cast<int>(result));
    }

    void PaintRow(CDC& dc, int position)
    {
        const MenuItem& item = m_menu->items[static_cast<size_t>(position)];
        const CRect row = RowRect(position);
        if (item.flags & MF_SEPARATOR) {
            dc.FillSolidRect(row.left + 2, row.top + 3, row.Width() - 4, 1, kControlGrayText);
            return;
        }
        const bool highlighted = position == m_highlight;
        if (highlighted) dc.FillSolidRect(&row, kHighlight);
        dc.SetTextColor(!Selectable(item) ? kControlGrayText : (highlighted ? kHighlightText : kControlText));
        CRect text(row.left + 14, row.top, row.right - 12, row.bottom);
        dc.DrawText(item.text, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
        if (item.flags & MF_CHECKED) {
            CRect mark(row.left + 2, row.top, row.left + 14, row.bottom);
            dc.DrawText(CString(L"\u2713"), &mark, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        }
        if (item.popup) {
            CRect arrow(row.right - 12, row.top, row.right, row.bottom);
            dc.DrawText(CString(L"\u25B8"), &arrow, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        }
    }

    MenuData* m_menu;
    CWnd* m_owner;
    int m_highlight = -1;
    UINT m_result = 0;
    bool m_done = false;
};

void RunUpdateHandlers(MenuData* menu, CWnd* owner)
{
    if (owner == nullptr) return;
    for (MenuItem& item : menu->items) {
        if (item.flags & (MF_SEPARATOR | MF_POPUP)) continue;
        MenuItemCmdUI ui(item);
        owner->OnCmdMsg(item.id, 0, &ui);
    }
}

}  // namespace

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, LPCRECT)
{
    if (!MenuData::IsLive(m_hMenu) || m_hMenu->items.empty()) return FALSE;
    if (owner && !IsWindow(owner->GetSafeHwnd())) owner = nullptr;
    if (owner && !(flags & TPM_NONOTIFY)) owner->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(m_hMenu), 0);
    RunUpdateHandlers(m_hMenu, owner);
    CPopupMenuWnd popup(m_hMenu, owner);
    const UINT chosen = popup.Run(flags, x, y);
    if (flags & TPM_RETURNCMD) return static_cast<BOOL>(chosen);
    if (chosen != 0 && owner && IsWindow(owner->GetSafeHwnd())) owner->PostMessage(WM_COMMAND, chosen, 0);
    return TRUE;
}

CRect PopupMenuItemRect(CWnd* popup, int position)
{
    auto* menu = dynamic_cast<CPopupMenuWnd*>(popup);
    if (menu == nullptr || !IsWindow(popup->GetSafeHwnd())) return CRect();
    CRect row = menu->RowRect(position);
    popup->ClientToScreen(&row);
    return row;
}
