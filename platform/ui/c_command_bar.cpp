#include "c_command_bar.h"

#include <algorithm>

#include "c_frame_wnd.h"
#include "control_wnd.h"
#include "window_dc.h"
#include "window_manager.h"

namespace {

constexpr int kToolButtonWidth = 24;
constexpr int kSeparatorWidth = 6;
constexpr int kCloseWidth = 22;
constexpr int kMenuPadding = 12;
constexpr COLORREF kBarFace = RGB(192, 192, 192);

}  // namespace

CCeCommandBar::CCeCommandBar() = default;

CCeCommandBar::~CCeCommandBar()
{
    if (m_combo && m_combo->GetSafeHwnd()) m_combo->DestroyWindow();
    if (auto* frame = dynamic_cast<CFrameWnd*>(GetParent()); frame && frame->GetMenu() == &m_menu) frame->SetMenu(nullptr);
}

BOOL CCeCommandBar::Create(CWnd* parent, DWORD style, UINT id)
{
    if (parent == nullptr) return FALSE;
    CRect client;
    parent->GetClientRect(&client);
    const CRect rect(0, client.bottom - kCommandBarHeight, client.right, client.bottom);
    return CWnd::Create(L"CommandBar", L"", style | WS_CHILD, rect, parent, id);
}

CMenu* CCeCommandBar::InsertMenuBar(UINT menuId, int)
{
    m_menu.DestroyMenu();
    if (!m_menu.LoadMenu(menuId)) return nullptr;
    if (auto* frame = dynamic_cast<CFrameWnd*>(GetParent())) frame->SetMenu(&m_menu);
    Layout();
    return &m_menu;
}

int CCeCommandBar::AddBitmap(UINT bitmapId, int imageCount)
{
    CBitmap bitmap;
    if (imageCount <= 0 || !bitmap.LoadBitmap(bitmapId)) return -1;
    m_bitmapId = bitmapId;
    const int first = m_imageCount;
    m_imageCount = imageCount;
    return first;
}

BOOL CCeCommandBar::AddButtons(UINT count, const TBBUTTON* buttons)
{
    if (buttons == nullptr) return FALSE;
    m_buttons.insert(m_buttons.end(), buttons, buttons + count);
    Layout();
    return TRUE;
}

BOOL CCeCommandBar::AddToolTips(UINT count, const CString* texts)
{
    if (texts == nullptr) return FALSE;
    m_toolTips.assign(texts, texts + count);
    return TRUE;
}

BOOL CCeCommandBar::AddToolTips(UINT count, LPCTSTR* texts)
{
    if (texts == nullptr) return FALSE;
    m_toolTips.clear();
    for (UINT i = 0; i < count; ++i) m_toolTips.emplace_back(texts[i]);
    return TRUE;
}

// Tooltips belong to the buttons that are not separators, in order.
const CString* CCeCommandBar::GetToolTip(int buttonIndex) const
{
    int tip = 0;
    for (int i = 0; i < buttonIndex && i < static_cast<int>(m_buttons.size()); ++i)
        if (!(m_buttons[static_cast<size_t>(i)].fsStyle & TBSTYLE_SEP)) ++tip;
    return tip < static_cast<int>(m_toolTips.size()) ? &m_toolTips[static_cast<size_t>(tip)] : nullptr;
}

BOOL CCeCommandBar::AddAdornments(DWORD)
{
    m_adornments = true;
    Layout();
    return TRUE;
}

CComboBox* CCeCommandBar::InsertComboBox(int width, UINT style, WORD comboId, WORD button)
{
    if (m_hWnd == nullptr || m_combo || width <= 0) return nullptr;
    m_comboWidth = width;
    m_comboAfter = std::min<size_t>(button, m_buttons.size());
    m_combo = std::make_unique<CComboBox>();
    if (!m_combo->Create(style | WS_VISIBLE, CRect(0, 3, width, kCommandBarHeight - 3), this, comboId)) {
        m_combo.reset();
        return nullptr;
    }
    Layout();
    return m_combo.get();
}

void CCeCommandBar::Layout()
{
    m_slots.clear();
    if (m_hWnd == nullptr) return;
    CRect client;
    GetClientRect(&client);
    const int height = client.Height();
    int x = 0;
    if (m_menu.GetSafeHmenu()) {
        CDC dc;
        BindMeasuringDC(dc);
        CFont font;
        CFont* old = SelectControlFont(dc, font, FW_BOLD);
        for (int i = 0; i < static_cast<int>(m_menu.GetMenuItemCount()); ++i) {
            CString text;
            m_menu.GetMenuString(static_cast<UINT>(i), text, MF_BYPOSITION);
            text.Remove(L'&');
            const int width = dc.GetTextExtent(text).cx + kMenuPadding;
            m_slots.push_back({Slot::Kind::Menu, CRect(x, 1, x + width, height), i});
            x += width;
        }
        dc.SelectObject(old);
    }
    auto placeCombo = [&]() {
        if (!m_combo) return;
        m_slots.push_back({Slot::Kind::Combo, CRect(x + 2, 3, x + 2 + m_comboWidth, height - 3), -1});
        m_combo->MoveWindow(x + 2, 3, m_comboWidth, height - 6);
        x += m_comboWidth + 4;
    };
    for (size_t i = 0; i < m_buttons.size(); ++i) {
        if (m_combo && m_comboAfter == i) placeCombo();
        const TBBUTTON& button = m_buttons[i];
        if (button.fsState & TBSTATE_HIDDEN) continue;
        const bool separator = button.fsStyle & TBSTYLE_SEP;
        const int width = separator ? kSeparatorWidth : kToolButtonWidth;
        m_slots.push_back({separator ? Slot::Kind::Separator : Slot::Kind::Button, CRect(x, 1, x + width, height),
                           static_cast<int>(i)});
        x += width;
    }
    if (m_combo && m_comboAfter >= m_buttons.size()) placeCombo();
    if (m_adornments)
        m_slots.push_back({Slot::Kind::Close, CRect(client.right - kCloseWidth, 1, client.right, height), -1});
    Invalidate();
}

void CCeCommandBar::OnSize(UINT, int, int)
{
    Layout();
}

const CCeCommandBar::Slot* CCeCommandBar::SlotAt(CPoint point) const
{
    for (const Slot& slot : m_slots)
        if (slot.rect.PtInRect(point)) return &slot;
    return nullptr;
}

int CCeCommandBar::ButtonIndex(int id) const
{
    for (size_t i = 0; i < m_buttons.size(); ++i)
        if (!(m_buttons[i].fsStyle & TBSTYLE_SEP) && m_buttons[i].idCommand == id) return static_cast<int>(i);
    return -1;
}

CRect CCeCommandBar::GetButtonRect(int id) const
{
    const int index = ButtonIndex(id);
    for (const Slot& slot : m_slots)
        if (slot.kind == Slot::Kind::Button && slot.index == index) return slot.rect;
    return CRect();
}

CRect CCeCommandBar::GetMenuButtonRect(int index) const
{
    for (const Slot& slot : m_slots)
        if (slot.kind == Slot::Kind::Menu && slot.index == index) return slot.rect;
    return CRect();
}

BOOL CCeCommandBar::CheckButton(int id, BOOL check)
{
    const int index = ButtonIndex(id);
    if (index < 0) return FALSE;
    TBBUTTON& button = m_buttons[static_cast<size_t>(index)];
    if (check && (button.fsStyle & TBSTYLE_CHECKGROUP) == TBSTYLE_CHECKGROUP) {
        // The other buttons of the group let go.
        for (int i = index - 1; i >= 0 && (m_buttons[static_cast<size_t>(i)].fsStyle & TBSTYLE_CHECKGROUP) == TBSTYLE_CHECKGROUP; --i)
            m_buttons[static_cast<size_t>(i)].fsState &= static_cast<BYTE>(~TBSTATE_CHECKED);
        for (size_t i = static_cast<size_t>(index) + 1; i < m_buttons.size() && (m_buttons[i].fsStyle & TBSTYLE_CHECKGROUP) == TBSTYLE_CHECKGROUP; ++i)
            m_buttons[i].fsState &= static_cast<BYTE>(~TBSTATE_CHECKED);
    }
    if (check) button.fsState |= TBSTATE_CHECKED;
    else button.fsState &= static_cast<BYTE>(~TBSTATE_CHECKED);
    Invalidate();
    return TRUE;
}

BOOL CCeCommandBar::IsButtonChecked(int id) const
{
    const int index = ButtonIndex(id);
    return index >= 0 && (m_buttons[static_cast<size_t>(index)].fsState & TBSTATE_CHECKED) ? TRUE : FALSE;
}

BOOL CCeCommandBar::EnableButton(int id, BOOL enable)
{
    const int index = ButtonIndex(id);
    if (index < 0) return FALSE;
    TBBUTTON& button = m_buttons[static_cast<size_t>(index)];
    if (enable) button.fsState |= TBSTATE_ENABLED;
    else button.fsState &= static_cast<BYTE>(~TBSTATE_ENABLED);
    Invalidate();
    return TRUE;
}

BOOL CCeCommandBar::IsButtonEnabled(int id) const
{
    const int index = ButtonIndex(id);
    return index >= 0 && (m_buttons[static_cast<size_t>(index)].fsState & TBSTATE_ENABLED) ? TRUE : FALSE;
}

LRESULT CCeCommandBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const int id = static_cast<int>(wParam);
    switch (message) {
    case TB_CHECKBUTTON: return CheckButton(id, LOWORD(static_cast<std::uintptr_t>(lParam)) != 0);
    case TB_ENABLEBUTTON: return EnableButton(id, LOWORD(static_cast<std::uintptr_t>(lParam)) != 0);
    case TB_ISBUTTONCHECKED: return IsButtonChecked(id);
    case TB_ISBUTTONENABLED: return IsButtonEnabled(id);
    default: return CWnd::WindowProc(message, wParam, lParam);
    }
}

// The bar's own controls (its combo box) notify the bar; their commands
// belong to the frame, which routes them to the view and the document.
BOOL CCeCommandBar::OnCommand(WPARAM wParam, LPARAM lParam)
{
    CWnd* parent = GetParent();
    if (parent == nullptr) return CWnd::OnCommand(wParam, lParam);
    parent->SendMessage(WM_COMMAND, wParam, lParam);
    return TRUE;
}

void CCeCommandBar::PressButton(int index)
{
    TBBUTTON& button = m_buttons[static_cast<size_t>(index)];
    if (!(button.fsState & TBSTATE_ENABLED)) return;
    if ((button.fsStyle & TBSTYLE_CHECKGROUP) == TBSTYLE_CHECKGROUP) CheckButton(button.idCommand, TRUE);
    else if (button.fsStyle & TBSTYLE_CHECK) CheckButton(button.idCommand, !(button.fsState & TBSTATE_CHECKED));
    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_COMMAND, MAKELONG(static_cast<WORD>(button.idCommand), BN_CLICKED),
                            reinterpret_cast<LPARAM>(m_hWnd));
}

void CCeCommandBar::OpenMenu(int position)
{
    CWnd* owner = GetParent();
    CMenu* popup = m_menu.GetSubMenu(position);
    if (popup == nullptr) {
        // A plain command on the bar.
        const UINT id = m_menu.GetMenuItemID(position);
        if (owner && id != 0 && id != static_cast<UINT>(-1)) owner->SendMessage(WM_COMMAND, id, 0);
        return;
    }
    CRect slot = GetMenuButtonRect(position);
    ClientToScreen(&slot);
    popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_BOTTOMALIGN, slot.left, slot.top, owner);
}

void CCeCommandBar::OnLButtonDown(UINT, CPoint point)
{
    const Slot* slot = SlotAt(point);
    m_pressed = slot ? static_cast<int>(slot - m_slots.data()) : -1;
    if (m_pressed >= 0) {
        SetCapture();
        Invalidate();
    }
}

void CCeCommandBar::OnLButtonUp(UINT, CPoint point)
{
    if (GetCapture() == this) ReleaseCapture();
    const int pressed = m_pressed;
    m_pressed = -1;
    if (pressed < 0) return;
    Invalidate();
    const Slot slot = m_slots[static_cast<size_t>(pressed)];
    if (!slot.rect.PtInRect(point)) return;
    switch (slot.kind) {
    case Slot::Kind::Menu: OpenMenu(slot.index); break;
    case Slot::Kind::Button: PressButton(slot.index); break;
    case Slot::Kind::Close:
        if (CWnd* parent = GetParent()) parent->PostMessage(WM_CLOSE);
        break;
    default: break;
    }
}

void CCeCommandBar::PaintButton(CDC& dc, const Slot& slot)
{
    const TBBUTTON& button = m_buttons[static_cast<size_t>(slot.index)];
    const bool checked = button.fsState & TBSTATE_CHECKED;
    const bool pressed = m_pressed >= 0 && &m_slots[static_cast<size_t>(m_pressed)] == &slot;
    CRect box(slot.rect.left + 1, slot.rect.top + 2, slot.rect.right - 1, slot.rect.bottom - 2);
    if (checked || pressed) {
        dc.FillSolidRect(&box, checked ? kControlFace : kControlGrayText);
        dc.Draw3dRect(&box, kControlText, kControlFace);
    }
    CBitmap bitmap;
    if (m_imageCount <= 0 || !bitmap.LoadBitmap(m_bitmapId)) return;
    const CSize size = bitmap.GetBitmapDimension();
    const int imageWidth = size.cx / m_imageCount;
    CDC memory;
    memory.CreateCompatibleDC(&dc);
    CBitmap* old = memory.SelectObject(&bitmap);
    const int x = box.left + (box.Width() - imageWidth) / 2;
    const int y = box.top + (box.Height() - size.cy) / 2;
    dc.BitBlt(x, y, imageWidth, size.cy, &memory, button.iBitmap * imageWidth, 0, SRCCOPY);
    memory.SelectObject(old);
}

void CCeCommandBar::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, kBarFace);
    dc.FillSolidRect(0, 0, client.Width(), 1, kControlText);
    CFont font;
    CFont* old = SelectControlFont(dc, font, FW_BOLD);
    dc.SetBkMode(TRANSPARENT);
    for (const Slot& slot : m_slots) {
        const bool pressed = m_pressed >= 0 && &m_slots[static_cast<size_t>(m_pressed)] == &slot;
        switch (slot.kind) {
        case Slot::Kind::Menu: {
            CString text;
            m_menu.GetMenuString(static_cast<UINT>(slot.index), text, MF_BYPOSITION);
            if (pressed) dc.FillSolidRect(&slot.rect, kHighlight);
            dc.SetTextColor(pressed ? kHighlightText : kControlText);
            CRect box = slot.rect;
            dc.DrawText(text, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            break;
        }
        case Slot::Kind::Button: PaintButton(dc, slot); break;
        case Slot::Kind::Separator:
            dc.FillSolidRect(slot.rect.left + slot.rect.Width() / 2, slot.rect.top + 3, 1, slot.rect.Height() - 6, kControlGrayText);
            break;
        case Slot::Kind::Close: {
            CPen pen(PS_SOLID, 2, kControlText);
            CPen* oldPen = dc.SelectObject(&pen);
            const CPoint c = slot.rect.CenterPoint();
            dc.MoveTo(c.x - 4, c.y - 4);
            dc.LineTo(c.x + 4, c.y + 4);
            dc.MoveTo(c.x + 4, c.y - 4);
            dc.LineTo(c.x - 4, c.y + 4);
            dc.SelectObject(oldPen);
            break;
        }
        default: break;
        }
    }
    dc.SelectObject(old);
}
