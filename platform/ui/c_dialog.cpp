#include "c_dialog.h"

#include <algorithm>

#include "backend.h"
#include "c_button.h"
#include "c_combo_box.h"
#include "c_edit.h"
#include "c_list_box.h"
#include "c_slider_ctrl.h"
#include "c_spin_button_ctrl.h"
#include "c_static.h"
#include "control_wnd.h"
#include "data_exchange.h"
#include "window_dc.h"

namespace {

constexpr WORD DC_HASDEFID = 0x534B;

const CRect kFullScreenDialog(0, kCaptionHeight, kScreenWidth, kScreenHeight);

template <typename Control>
std::unique_ptr<CWnd> MakeControl(const DialogItem& item, CWnd* parent, DWORD style)
{
    auto control = std::make_unique<Control>();
    if (!control->CWnd::Create(nullptr, item.text, style, item.rect, parent, item.id)) return nullptr;
    return control;
}

}  // namespace

std::unique_ptr<CWnd> CreateTemplateControl(const DialogItem& item, CWnd* parent)
{
    const DWORD base = WS_CHILD | (item.hidden ? 0 : WS_VISIBLE) | item.style;
    switch (item.kind) {
    case ControlKind::Static: return MakeControl<CStatic>(item, parent, base | SS_LEFT);
    case ControlKind::Picture: {
        auto picture = MakeControl<CStatic>(item, parent, base | SS_BITMAP);
        if (picture) static_cast<CStatic*>(picture.get())->SetBitmapResource(item.bitmapId);
        return picture;
    }
    case ControlKind::Edit: return MakeControl<CEdit>(item, parent, base | WS_TABSTOP | ES_AUTOHSCROLL);
    case ControlKind::PushButton: return MakeControl<CButton>(item, parent, base | WS_TABSTOP | BS_PUSHBUTTON);
    case ControlKind::DefPushButton: return MakeControl<CButton>(item, parent, base | WS_TABSTOP | BS_DEFPUSHBUTTON);
    case ControlKind::CheckBox: return MakeControl<CButton>(item, parent, base | WS_TABSTOP | BS_AUTOCHECKBOX);
    case ControlKind::RadioButton: return MakeControl<CButton>(item, parent, base | BS_AUTORADIOBUTTON);
    case ControlKind::GroupBox: return MakeControl<CButton>(item, parent, base | BS_GROUPBOX);
    case ControlKind::ListBox: return MakeControl<CListBox>(item, parent, base | WS_TABSTOP | WS_VSCROLL);
    case ControlKind::ComboBox: return MakeControl<CComboBox>(item, parent, base | WS_TABSTOP | CBS_DROPDOWN);
    case ControlKind::DropDownList: return MakeControl<CComboBox>(item, parent, base | WS_TABSTOP | CBS_DROPDOWNLIST);
    case ControlKind::UpDown: return MakeControl<CSpinButtonCtrl>(item, parent, base | UDS_SETBUDDYINT | UDS_AUTOBUDDY | UDS_ARROWKEYS);
    case ControlKind::Slider: return MakeControl<CSliderCtrl>(item, parent, base | WS_TABSTOP);
    }
    return nullptr;
}

CSize GetDialogBaseUnits()
{
    static const CSize units = [] {
        CDC dc;
        BindMeasuringDC(dc);
        CFont font;
        CFont* old = SelectControlFont(dc, font);
        const CSize letters = dc.GetTextExtent(CString(L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
        TEXTMETRICW metrics;
        dc.GetTextMetrics(&metrics);
        dc.SelectObject(old);
        return CSize((letters.cx / 26 + 1) / 2, metrics.tmHeight);
    }();
    return units;
}

CRect DialogUnitsToPixels(const RECT& rect)
{
    const CSize units = GetDialogBaseUnits();
    auto x = [&](LONG v) { return static_cast<int>(static_cast<long long>(v) * units.cx / 4); };
    auto y = [&](LONG v) { return static_cast<int>(static_cast<long long>(v) * units.cy / 8); };
    return CRect(x(rect.left), y(rect.top), x(rect.right), y(rect.bottom));
}

void CDialog::MapDialogRect(LPRECT rect) const
{
    if (rect) *rect = DialogUnitsToPixels(*rect);
}

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDTemplate(templateId), m_pParentWnd(parent)
{
    MapCommand(IDOK, &CDialog::OnOK);
    MapCommand(IDCANCEL, &CDialog::OnCancel);
}

CDialog::~CDialog()
{
    if (m_hWnd != nullptr) DestroyWindow();
}

void CDialog::ResetEnd()
{
    m_ended = false;
    m_nModalResult = 0;
}

BOOL CDialog::BuildFromTemplate(CWnd* parent, DWORD style, const RECT* rect)
{
    const DialogTemplate* dialogTemplate = FindDialogTemplate(m_nIDTemplate);
    if (dialogTemplate == nullptr || m_hWnd != nullptr) return FALSE;
    CRect area = rect ? CRect(*rect) : dialogTemplate->rect;
    if (!rect && dialogTemplate->dialogUnits) area = DialogUnitsToPixels(area);
    if (area.IsRectEmpty()) area = kFullScreenDialog;
    m_templateControls.clear();
    if (!CWnd::Create(nullptr, dialogTemplate->caption, style, area, parent, 0)) return FALSE;
    m_framed = !(style & WS_CHILD) && area != kFullScreenDialog;
    if (m_framed) SetNonClientInsets(CRect(1, 1, 1, 1));
    for (DialogItem item : dialogTemplate->items) {
        if (dialogTemplate->dialogUnits) item.rect = DialogUnitsToPixels(item.rect);
        if (item.kind == ControlKind::DefPushButton && m_defaultId == 0) m_defaultId = item.id;
        if (auto control = CreateTemplateControl(item, this)) m_templateControls.push_back(std::move(control));
    }
    SendMessage(WM_INITDIALOG, 0, 0);
    if (!IsWindow(m_hWnd)) return FALSE;
    if (!(style & WS_CHILD)) KeepOnScreen();
    return TRUE;
}

void CDialog::KeepOnScreen()
{
    CRect area;
    GetWindowRect(&area);
    const CRect room(0, kCaptionHeight, kScreenWidth, kScreenHeight);
    int x = std::min(area.left, room.right - area.Width());
    int y = std::min(area.top, room.bottom - area.Height());
    x = std::max<int>(x, room.left);
    y = std::max<int>(y, room.top);
    if (x != area.left || y != area.top) MoveWindow(x, y, area.Width(), area.Height(), TRUE);
}

INT_PTR CDialog::DoModal()
{
    if (FindDialogTemplate(m_nIDTemplate) == nullptr || m_hWnd != nullptr) return -1;
    CWnd* owner = m_pParentWnd ? m_pParentWnd->GetTopLevelParent() : CWnd::GetActiveWindow();
    if (owner && !IsWindow(owner->GetSafeHwnd())) owner = nullptr;
    CWnd* focus = CWnd::GetFocus();
    const bool disableOwner = owner && owner->IsWindowEnabled();
    if (disableOwner) owner->EnableWindow(FALSE);
    ResetEnd();

    int result = IDCANCEL;
    if (!BuildFromTemplate(owner, WS_POPUP, nullptr)) {
        result = m_ended ? m_nModalResult : -1;
    } else {
        if (!m_ended) {
            ShowWindow(SW_SHOW);
            CString caption;
            GetWindowText(caption);
            // Without a caption of its own the owner's title stays shown.
            if (caption.IsEmpty()) BringWindowToTop();
            else SetForegroundWindow();
            TakeModalFocus();
            PlatformBackend().DialogShown(m_nIDTemplate, this);
        }
        if (!m_ended && IsWindow(m_hWnd)) {
            const int loopResult = RunModalLoop();
            result = m_ended ? m_nModalResult : loopResult;
        } else {
            result = m_ended ? m_nModalResult : IDCANCEL;
        }
    }
    if (m_hWnd != nullptr) DestroyWindow();
    m_templateControls.clear();
    if (disableOwner && IsWindow(owner)) owner->EnableWindow(TRUE);
    if (owner && IsWindow(owner)) owner->SetForegroundWindow();
    if (focus && IsWindow(focus)) focus->SetFocus();
    return result;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent)
{
    m_nIDTemplate = templateId;
    if (parent) m_pParentWnd = parent;
    ResetEnd();
    if (!BuildFromTemplate(m_pParentWnd ? m_pParentWnd->GetTopLevelParent() : nullptr, WS_POPUP, nullptr))
        return FALSE;
    ShowWindow(SW_SHOW);
    return TRUE;
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::EndDialog(int result)
{
    m_nModalResult = result;
    m_ended = true;
    if (ContinueModal()) EndModalLoop(result);
    else if (m_hWnd != nullptr && !(GetStyle() & WS_CHILD)) ShowWindow(SW_HIDE);
}

BOOL CDialog::UpdateData(BOOL saveAndValidate)
{
    if (m_hWnd == nullptr) return FALSE;
    CDataExchange exchange(this, saveAndValidate);
    try {
        DoDataExchange(&exchange);
    } catch (const CUserException&) {
        return FALSE;
    }
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

void CDialog::OnClose()
{
    SendMessage(WM_COMMAND, IDCANCEL, 0);
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        if (OnInitDialog() && IsWindow(m_hWnd)) FocusFirstControl();
        return TRUE;
    }
    if (message == WM_NCPAINT) {
        if (m_framed) PaintFrame();
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CDialog::PaintFrame()
{
    CWindowDC dc(this);
    CRect frame;
    GetWindowRect(&frame);
    frame.OffsetRect(-frame.left, -frame.top);
    CBrush black(RGB(0, 0, 0));
    dc.FrameRect(&frame, &black);
}

BOOL CDialog::PreTranslateMessage(MSG* msg)
{
    if ((GetStyle() & WS_CHILD) || msg->message != WM_KEYDOWN) return FALSE;
    if (msg->wParam != VK_RETURN && msg->wParam != VK_ESCAPE) return FALSE;
    const int id = msg->wParam == VK_RETURN ? LOWORD(GetDefID()) : IDCANCEL;
    CWnd* button = GetDlgItem(id);
    if (button && !button->IsWindowEnabled()) return TRUE;
    SendMessage(WM_COMMAND, MAKELONG(static_cast<WORD>(id), BN_CLICKED),
                reinterpret_cast<LPARAM>(button ? button->GetSafeHwnd() : nullptr));
    return TRUE;
}

DWORD CDialog::GetDefID() const
{
    return MAKELONG(static_cast<WORD>(m_defaultId ? m_defaultId : IDOK), DC_HASDEFID);
}

std::vector<CWnd*> CDialog::TabStops() const
{
    std::vector<CWnd*> stops;
    for (CWnd* child : Children())
        if ((child->GetStyle() & WS_TABSTOP) && child->IsWindowVisible() && child->IsWindowEnabled())
            stops.push_back(child);
    return stops;
}

void CDialog::FocusFirstControl()
{
    const auto stops = TabStops();
    if (!stops.empty()) stops.front()->SetFocus();
}

void CDialog::GotoDlgCtrl(CWnd* control)
{
    if (control == nullptr) return;
    control->SetFocus();
    if (auto* edit = dynamic_cast<CEdit*>(control)) edit->SetSel(0, -1);
}

void CDialog::NextDlgCtrl()
{
    const auto stops = TabStops();
    if (stops.empty()) return;
    auto current = std::find(stops.begin(), stops.end(), GetFocus());
    GotoDlgCtrl(current == stops.end() || current + 1 == stops.end() ? stops.front() : *(current + 1));
}

void CDialog::PrevDlgCtrl()
{
    const auto stops = TabStops();
    if (stops.empty()) return;
    auto current = std::find(stops.begin(), stops.end(), GetFocus());
    GotoDlgCtrl(current == stops.end() || current == stops.begin() ? stops.back() : *(current - 1));
}

void CDialog::CheckDlgButton(int id, UINT check)
{
    if (auto* button = dynamic_cast<CButton*>(GetDlgItem(id))) button->SetCheck(static_cast<int>(check));
}

UINT CDialog::IsDlgButtonChecked(int id) const
{
    auto* button = dynamic_cast<CButton*>(GetDlgItem(id));
    return button ? static_cast<UINT>(button->GetCheck()) : 0;
}

void CDialog::CheckRadioButton(int firstId, int lastId, int checkId)
{
    for (int id = firstId; id <= lastId; ++id)
        if (auto* button = dynamic_cast<CButton*>(GetDlgItem(id)))
            button->SetCheck(id == checkId ? BST_CHECKED : BST_UNCHECKED);
}

int CDialog::GetCheckedRadioButton(int firstId, int lastId) const
{
    for (int id = firstId; id <= lastId; ++id)
        if (IsDlgButtonChecked(id) == BST_CHECKED) return id;
    return 0;
}
