// Property sheets drawn by the layer: a row of tabs over the active page
// and an "OK" button; there is no Apply button. Leaving a page runs its
// kill-active check; OK runs it and then each created page's apply, and a
// FALSE keeps the sheet open. A page may end its sheet.
#pragma once

#include <memory>
#include <vector>

#include "c_dialog.h"

class CPropertySheet;

constexpr DWORD PSH_NOAPPLYNOW = 0x00000080;

constexpr int PSBTN_BACK = 0;
constexpr int PSBTN_NEXT = 1;
constexpr int PSBTN_FINISH = 2;
constexpr int PSBTN_OK = 3;
constexpr int PSBTN_APPLYNOW = 4;
constexpr int PSBTN_CANCEL = 5;

class CPropertyPage : public CDialog {
public:
    explicit CPropertyPage(UINT templateId, UINT captionId = 0);

    // Activation; the base shows the members again after the first time.
    virtual BOOL OnSetActive();
    // Leaving the page; the base reads the controls back (FALSE keeps the
    // page when a check fails).
    virtual BOOL OnKillActive();
    // OK on the sheet, once per created page; FALSE keeps the sheet open.
    // The base runs OnOK and gives TRUE.
    virtual BOOL OnApply();
    // Cancel on the sheet: TRUE lets it close.
    virtual BOOL OnQueryCancel();
    // The sheet closes without OK; the base runs OnCancel.
    virtual void OnReset();
    void OnOK() override;
    void OnCancel() override;
    void SetModified(BOOL changed = TRUE) { m_modified = changed; }
    BOOL IsModified() const { return m_modified; }

    // The tab's text: the caption string, else the template's caption.
    CString GetTabText() const;
    CPropertySheet* GetSheet() const { return m_sheet; }

private:
    friend class CPropertySheet;
    BOOL CreatePage(CPropertySheet* sheet, const CRect& area);

    UINT m_captionId;
    CPropertySheet* m_sheet = nullptr;
    bool m_firstSetActive = true;
    BOOL m_modified = FALSE;
};

struct PROPSHEETHEADER {
    DWORD dwFlags = 0;
    UINT nStartPage = 0;
};

class CPropertySheet : public CWnd {
public:
    explicit CPropertySheet(LPCTSTR caption = nullptr, CWnd* parent = nullptr, UINT selectPage = 0);
    explicit CPropertySheet(UINT captionId, CWnd* parent = nullptr, UINT selectPage = 0);
    ~CPropertySheet() override;

    void AddPage(CPropertyPage* page);
    void RemovePage(int index);
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    CPropertyPage* GetPage(int index) const;
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const { return m_active; }
    int GetPageIndex(CPropertyPage* page) const;
    // Leaves the active page (its kill-active check may refuse) and
    // activates the other one; FALSE when it stays.
    BOOL SetActivePage(int index);
    BOOL SetActivePage(CPropertyPage* page) { return SetActivePage(GetPageIndex(page)); }
    void SetTitle(LPCTSTR title);

    // The sheet's result is IDOK or IDCANCEL (or what EndDialog gave); -1
    // when a page cannot be built.
    virtual INT_PTR DoModal();
    // Ends the sheet at once, without applying.
    void EndDialog(int result);
    // As a tap on the sheet's buttons: PSBTN_OK or PSBTN_CANCEL.
    BOOL PressButton(int button);

    PROPSHEETHEADER m_psh;

protected:
    void OnPaint() override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnClose() override;

private:
    CRect TabRect(int index) const;
    CRect OkRect() const;
    CRect PageArea() const;
    BOOL ActivatePage(int index);
    void ApplyAndClose();
    void CancelAndClose();

    CString m_caption;
    CWnd* m_pParentWnd;
    std::vector<CPropertyPage*> m_pages;
    int m_active = -1;
    bool m_ended = false;
    int m_result = IDCANCEL;
};
