// Command routing: the message-map equivalent for commands. A class maps its
// command ids in its constructor; frames route a command to the active view,
// the view to its document, then the frame itself and the application.
#pragma once

#include <functional>
#include <map>
#include <vector>

#include "c_string.h"
#include "win_types.h"

// Notification codes that WM_COMMAND carries in the high word of wParam.
constexpr UINT BN_CLICKED = 0;
constexpr UINT CBN_SELCHANGE = 1;
constexpr UINT CBN_DBLCLK = 2;
constexpr UINT CBN_SETFOCUS = 3;
constexpr UINT CBN_KILLFOCUS = 4;
constexpr UINT CBN_EDITCHANGE = 5;
constexpr UINT CBN_DROPDOWN = 7;
constexpr UINT CBN_CLOSEUP = 8;
constexpr UINT LBN_SELCHANGE = 1;
constexpr UINT LBN_DBLCLK = 2;
constexpr UINT EN_CHANGE = 0x0300;
constexpr UINT EN_KILLFOCUS = 0x0200;
constexpr UINT EN_SETFOCUS = 0x0100;

// The state of one command's user interface (menu item, button), filled by
// update handlers. Menus and bars derive from it to apply what was set.
class CCmdUI {
public:
    explicit CCmdUI(UINT id = 0) : m_nID(id) {}
    virtual ~CCmdUI() = default;
    virtual void Enable(BOOL on = TRUE) { m_enabled = on; m_enableChanged = true; }
    virtual void SetCheck(int check = 1) { m_check = check; m_checkChanged = true; }
    virtual void SetText(LPCTSTR text) { m_text = text; m_textChanged = true; }

    UINT m_nID;
    BOOL m_enabled = TRUE;
    int m_check = 0;
    CString m_text;
    bool m_enableChanged = false;
    bool m_checkChanged = false;
    bool m_textChanged = false;
    bool m_handled = false;
};

class CCmdTarget {
public:
    CCmdTarget() = default;
    virtual ~CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;

    // Runs the handler of (id, code) or, with ui set, the update handler of
    // id. TRUE when this target (or one it routes to) handled it.
    virtual BOOL OnCmdMsg(UINT id, UINT code, CCmdUI* ui);

    // Busy indication while long operations run (the wait cursor).
    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();

protected:
    template <typename T>
    void MapCommand(UINT id, void (T::*handler)(), UINT code = BN_CLICKED) {
        T* self = static_cast<T*>(this);
        m_commands[Key(id, code)] = [self, handler](UINT) { (self->*handler)(); };
    }
    // A handler that returns FALSE lets the command route on.
    template <typename T>
    void MapCommandEx(UINT id, BOOL (T::*handler)(UINT)) {
        T* self = static_cast<T*>(this);
        m_commandsEx[id] = [self, handler](UINT cmd) { return (self->*handler)(cmd); };
    }
    template <typename T>
    void MapCommandRange(UINT first, UINT last, void (T::*handler)(UINT)) {
        T* self = static_cast<T*>(this);
        m_ranges.push_back({first, last, [self, handler](UINT cmd) { (self->*handler)(cmd); }});
    }
    template <typename T>
    void MapUpdateCommand(UINT id, void (T::*handler)(CCmdUI*)) {
        T* self = static_cast<T*>(this);
        m_updates[id] = [self, handler](CCmdUI* ui) { (self->*handler)(ui); };
    }
    template <typename T>
    void MapUpdateCommandRange(UINT first, UINT last, void (T::*handler)(CCmdUI*)) {
        T* self = static_cast<T*>(this);
        for (UINT id = first; id <= last; ++id)
            m_updates[id] = [self, handler](CCmdUI* ui) { (self->*handler)(ui); };
    }

    // Only this target's own map, without routing.
    BOOL HandleOwnCommand(UINT id, UINT code, CCmdUI* ui);

private:
    static unsigned long long Key(UINT id, UINT code) { return (static_cast<unsigned long long>(code) << 32) | id; }
    struct Range {
        UINT first;
        UINT last;
        std::function<void(UINT)> handler;
    };
    std::map<unsigned long long, std::function<void(UINT)>> m_commands;
    std::map<UINT, std::function<BOOL(UINT)>> m_commandsEx;
    std::vector<Range> m_ranges;
    std::map<UINT, std::function<void(CCmdUI*)>> m_updates;
};
