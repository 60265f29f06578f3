#include "c_property_sheet.h"

#include <algorithm>
#include <vector>

#include "backend.h"
#include "control_wnd.h"
#include "string_table.h"
#include "window_dc.h"

namespace {

constexpr int kTabHeight = 20;
constexpr int kOkWidth = 30;
const CRect kSheetRect(0, kCaptionHeight, kScreenWidth, kScreenHeight);

// The one font height every tab's text fits in (down to 8 pixels), so that
// the tabs read alike.
LONG TabFontHeight(CDC& dc, const std::vector<CString>& texts, int width)
{
    LOGFONTW logFont;
    dc.GetCurrentFont()->GetLogFont(&logFont);
    for (LONG height = std::min<LONG>(logFont.lfHeight, -8); height < -8; ++height) {
        LOGFONTW smaller = logFont;
        smaller.lfHeight = height;
        CFont font;
        font.CreateFontIndirect(&smaller);
        CFont* old = dc.SelectObject(&font);
        bool fits = true;
        for (const CString& text : texts)
            fits = fits && dc.GetTextExtent(text).cx <= width;
        dc.SelectObject(old);
        if (fits) return height;
    }
    return -8;
}

// A tab's text in the tabs' font; what still does not fit is cut at the
// right, so the beginning stays readable.
void DrawTabText(CDC& dc, const CString& text, const CRect& tab, LONG height)
{
    LOGFONTW logFont;
    dc.GetCurrentFont()->GetLogFont(&logFont);
    logFont.lfHeight = height;
    CFont font;
    font.CreateFontIndirect(&logFont);
    CFont* old = dc.SelectObject(&font);
    CRect box(tab.left + 1, tab.top, tab.right - 1, tab.bottom);
    const bool fits = dc.GetTextExtent(text).cx <= box.Width();
    dc.DrawText(text, &box, (fits ? DT_CENTER : DT_LEFT) | DT_VCENTER | DT_SINGLELINE);
    dc.SelectObject(old);
}

}  // namespace

// ---- pages ----------------------------------------------------------------

CPropertyPage::CPropertyPage(UINT templateId, UINT captionId) : CDialog(templateId, nullptr), m_captionId(captionId)
{
}

BOOL CPropertyPage::CreatePage(CPropertySheet* sheet, const CRect& area)
{
    m_sheet = sheet;
    m_firstSetActive = true;
    ResetEnd();
    return BuildFromTemplate(sheet, WS_CHILD, &area);
}

BOOL CPropertyPage::OnSetActive()
{
    if (m_firstSetActive) m_firstSetActive = false;
    else UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive()
{
    return UpdateData(TRUE);
}

BOOL CPropertyPage::OnApply()
{
    OnOK();
    return TRUE;
}

BOOL CPropertyPage::OnQueryCancel()
{
    return TRUE;
}

void CPropertyPage::OnReset()
{
    OnCancel();
}

void CPropertyPage::OnOK() {}

void CPropertyPage::OnCancel() {}

CString CPropertyPage::GetTabText() const
{
    if (m_captionId != 0)
        if (const wchar_t* text = FindString(m_captionId)) return text;
    const DialogTemplate* dialogTemplate = FindDialogTemplate(m_nIDTemplate);
    return dialogTemplate ? dialogTemplate->caption : CString();
}

// ---- the sheet ------------------------------------------------------------

CPropertySheet::CPropertySheet(LPCTSTR caption, CWnd* parent, UINT selectPage)
    : m_caption(caption ? caption : L""), m_pParentWnd(parent)
{
    m_psh.nStartPage = selectPage;
}

CPropertySheet::CPropertySheet(UINT captionId, CWnd* parent, UINT selectPage)
    : CPropertySheet(FindString(captionId), parent, selectPage)
{
}

CPropertySheet::~CPropertySheet()
{
    if (m_hWnd != nullptr) DestroyWindow();
}

void CPropertySheet::AddPage(CPropertyPage* page)
{
    if (page != nullptr && GetPageIndex(page) < 0) m_pages.push_back(page);
}

void CPropertySheet::RemovePage(int index)
{
    if (index < 0 || index >= GetPageCount()) return;
    CPropertyPage* page = m_pages[static_cast<size_t>(index)];
    if (page->GetSafeHwnd()) page->DestroyWindow();
    m_pages.erase(m_pages.begin() + index);
    if (m_active == index) {
        m_active = -1;
        if (m_hWnd && !m_pages.empty()) ActivatePage(std::min(index, GetPageCount() - 1));
    } else if (m_active > index) {
        --m_active;
    }
    Invalidate();
}

CPropertyPage* CPropertySheet::GetPage(int index) const
{
    return index >= 0 && index < GetPageCount() ? m_pages[static_cast<size_t>(index)] : nullptr;
}

CPropertyPage* CPropertySheet::GetActivePage() const
{
    return GetPage(m_active);
}

int CPropertySheet::GetPageIndex(CPropertyPage* page) const
{
    auto found = std::find(m_pages.begin(), m_pages.end(), page);
    return found == m_pages.end() ? -1 : static_cast<int>(found - m_pages.begin());
}

void CPropertySheet::SetTitle(LPCTSTR title)
{
    m_caption = title ? title : L"";
    if (m_hWnd) SetWindowText(m_caption);
}

CRect CPropertySheet::TabRect(int index) const
{
    CRect client;
    GetClientRect(&client);
    const int count = std::max(1, GetPageCount());
    const int width = (client.Width() - kOkWidth) / count;
    return CRect(index * width, 0, (index + 1) * width, kTabHeight);
}

CRect CPropertySheet::OkRect() const
{
    CRect client;
    GetClientRect(&client);
    return CRect(client.right - kOkWidth, 0, client.right, kTabHeight);
}

CRect CPropertySheet::PageArea() const
{
    CRect client;
    GetClientRect(&client);
    return CRect(0, kTabHeight, client.right, client.bottom);
}

BOOL CPropertySheet::ActivatePage(int index)
{
    CPropertyPage* page = GetPage(index);
    if (page == nullptr) return FALSE;
    if (page->GetSafeHwnd() == nullptr && !page->CreatePage(this, PageArea())) return FALSE;
    if (!page->OnSetActive() && m_active >= 0) return FALSE;
    if (!IsWindow(m_hWnd) || m_ended) return TRUE;
    if (CPropertyPage* previous = GetActivePage(); previous && previous != page && previous->GetSafeHwnd())
        previous->ShowWindow(SW_HIDE);
    m_active = index;
    if (page->GetSafeHwnd()) {
        page->ShowWindow(SW_SHOW);
        page->FocusFirstControl();
    }
    Invalidate();
    return TRUE;
}

BOOL CPropertySheet::SetActivePage(int index)
{
    if (index < 0 || index >= GetPageCount()) return FALSE;
    if (m_hWnd == nullptr) {
        m_psh.nStartPage = static_cast<UINT>(index);
        return TRUE;
    }
    if (index == m_active) return TRUE;
    if (CPropertyPage* current = GetActivePage(); current && !current->OnKillActive()) return FALSE;
    return ActivatePage(index);
}

INT_PTR CPropertySheet::DoModal()
{
    if (m_hWnd != nullptr || m_pages.empty()) return -1;
    CWnd* owner = m_pParentWnd ? m_pParentWnd->GetTopLevelParent() : CWnd::GetActiveWindow();
    if (owner && !IsWindow(owner->GetSafeHwnd())) owner = nullptr;
    CWnd* focus = CWnd::GetFocus();
    const bool disableOwner = owner && owner->IsWindowEnabled();
    if (disableOwner) owner->EnableWindow(FALSE);
    m_ended = false;
    m_result = IDCANCEL;
    m_active = -1;

    INT_PTR result = -1;
    const int start = std::min<int>(static_cast<int>(m_psh.nStartPage), GetPageCount() - 1);
    if (Create(nullptr, m_caption, WS_POPUP, kSheetRect, owner, 0) && ActivatePage(start)) {
        if (!m_ended) {
            ShowWindow(SW_SHOW);
            // Without a caption of its own the owner's title stays shown.
            if (m_caption.IsEmpty()) BringWindowToTop();
            else SetForegroundWindow();
            TakeModalFocus();
            PlatformBackend().DialogShown(m_pages[static_cast<size_t>(start)]->GetTemplateId(), this);
        }
        if (!m_ended && IsWindow(m_hWnd)) RunModalLoop();
        if (!m_ended) {
            // Closed without an answer (a headless run out of input): as Cancel.
            for (CPropertyPage* page : m_pages)
                if (page->GetSafeHwnd()) page->OnReset();
        }
        result = m_ended ? m_result : IDCANCEL;
    }
    for (CPropertyPage* page : m_pages)
        if (page->GetSafeHwnd()) page->DestroyWindow();
    if (m_hWnd != nullptr) DestroyWindow();
    m_active = -1;
    if (disableOwner && IsWindow(owner)) owner->EnableWindow(TRUE);
    if (owner && IsWindow(owner)) owner->SetForegroundWindow();
    if (focus && IsWindow(focus)) focus->SetFocus();
    return result;
}

void CPropertySheet::EndDialog(int result)
{
    m_result = result;
    m_ended = true;
    if (ContinueModal()) EndModalLoop(result);
}

BOOL CPropertySheet::PressButton(int button)
{
    if (m_hWnd == nullptr || m_ended) return FALSE;
    if (button == PSBTN_OK || button == PSBTN_FINISH) ApplyAndClose();
    else if (button == PSBTN_CANCEL) CancelAndClose();
    else return FALSE;
    return TRUE;
}

void CPropertySheet::ApplyAndClose()
{
    if (CPropertyPage* current = GetActivePage(); current && !current->OnKillActive()) return;
    if (m_ended) return;
    // Each page that was built hears the apply, in page order; the first
    // FALSE keeps the sheet open on the current page.
    const std::vector<CPropertyPage*> pages = m_pages;
    for (CPropertyPage* page : pages) {
        if (page->GetSafeHwnd() == nullptr) continue;
        if (!page->OnApply()) return;
        if (m_ended) return;
    }
    EndDialog(IDOK);
}

void CPropertySheet::CancelAndClose()
{
    if (CPropertyPage* current = GetActivePage(); current && !current->OnQueryCancel()) return;
    const std::vector<CPropertyPage*> pages = m_pages;
    for (CPropertyPage* page : pages)
        if (page->GetSafeHwnd()) page->OnReset();
    if (!m_ended) EndDialog(IDCANCEL);
}

BOOL CPropertySheet::PreTranslateMessage(MSG* msg)
{
    if (msg->message != WM_KEYDOWN) return FALSE;
    if (msg->wParam == VK_RETURN) PressButton(PSBTN_OK);
    else if (msg->wParam == VK_ESCAPE) PressButton(PSBTN_CANCEL);
    else return FALSE;
    return TRUE;
}

BOOL CPropertySheet::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    if (id == IDOK) return PressButton(PSBTN_OK), TRUE;
    if (id == IDCANCEL) return PressButton(PSBTN_CANCEL), TRUE;
    return CWnd::OnCommand(wParam, lParam);
}

void CPropertySheet::OnClose()
{
    PressButton(PSBTN_CANCEL);
}

void CPropertySheet::OnLButtonDown(UINT, CPoint point)
{
    if (OkRect().PtInRect(point)) {
        PressButton(PSBTN_OK);
        return;
    }
    for (int index = 0; index < GetPageCount(); ++index)
        if (TabRect(index).PtInRect(point)) {
            SetActivePage(index);
            return;
        }
}

void CPropertySheet::OnPaint()
{
    CPaintDC dc(this);
    CFont font;
    CFont* old = SelectControlFont(dc, font);
    dc.SetBkMode(TRANSPARENT);
    CBrush black(RGB(0, 0, 0));
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(0, 0, client.Width(), kTabHeight, RGB(192, 192, 192));
    dc.FillSolidRect(0, kTabHeight - 1, client.Width(), 1, RGB(0, 0, 0));
    std::vector<CString> texts;
    for (int index = 0; index < GetPageCount(); ++index)
        texts.push_back(m_pages[static_cast<size_t>(index)]->GetTabText());
    const LONG height = TabFontHeight(dc, texts, TabRect(0).Width() - 2);
    for (int index = 0; index < GetPageCount(); ++index) {
        CRect tab = TabRect(index);
        const bool active = index == m_active;
        if (active) dc.FillSolidRect(tab.left, tab.top, tab.Width(), tab.Height(), RGB(255, 255, 255));
        dc.FrameRect(CRect(tab.left, tab.top, tab.right + 1, active ? tab.bottom : tab.bottom), &black);
        DrawTabText(dc, texts[static_cast<size_t>(index)], tab, height);
    }
    CRect ok = OkRect();
    dc.FillSolidRect(&ok, RGB(255, 255, 255));
    dc.FrameRect(&ok, &black);
    dc.DrawText(CString(L"OK"), &ok, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    dc.SelectObject(old);
}
