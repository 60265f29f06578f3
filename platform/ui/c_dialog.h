// Dialogs built from the resource templates and drawn by the layer; run
// modally with DoModal, with data exchange through UpdateData.
#pragma once

#include <memory>
#include <vector>

#include "c_wnd.h"
#include "dialog_template.h"

class CDataExchange;

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId = 0, CWnd* parent = nullptr);
    ~CDialog() override;

    // Builds the dialog, initialises it, lets the backend's script act on
    // it and runs it until it ends. The result is EndDialog's code; -1 when
    // the template is missing; IDCANCEL when a headless run runs out of
    // input.
    virtual INT_PTR DoModal();
    // A modeless dialog.
    BOOL Create(UINT templateId, CWnd* parent = nullptr);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    void EndDialog(int result);

    // FALSE when a check failed (its message shown, its control focused).
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    UINT GetTemplateId() const { return m_nIDTemplate; }
    void CheckDlgButton(int id, UINT check);
    UINT IsDlgButtonChecked(int id) const;
    void CheckRadioButton(int firstId, int lastId, int checkId);
    int GetCheckedRadioButton(int firstId, int lastId) const;
    void GotoDlgCtrl(CWnd* control);
    void NextDlgCtrl();
    void PrevDlgCtrl();
    DWORD GetDefID() const;
    void SetDefID(UINT id) { m_defaultId = id; }
    // Dialog units to pixels, in place.
    void MapDialogRect(LPRECT rect) const;

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    BOOL PreTranslateMessage(MSG* msg) override;
    void OnClose() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Creates the window and the template's controls, then initialises
    // (WM_INITDIALOG). rect null: the template's rectangle.
    BOOL BuildFromTemplate(CWnd* parent, DWORD style, const RECT* rect);
    bool HasEnded() const { return m_ended; }
    int EndResult() const { return m_nModalResult; }
    void ResetEnd();
    void FocusFirstControl();
    void PaintFrame();
    // Moves a dialog that reaches off the screen (or under the title bar)
    // back onto it, keeping its size.
    void KeepOnScreen();

private:
    std::vector<CWnd*> TabStops() const;

    int m_nModalResult = 0;
    bool m_ended = false;
    UINT m_defaultId = 0;
    bool m_framed = false;
    std::vector<std::unique_ptr<CWnd>> m_templateControls;
};

// The dialog font's base units: average character width and height.
CSize GetDialogBaseUnits();
CRect DialogUnitsToPixels(const RECT& rect);

// One control of a template, created as a child of parent (owned by the
// caller).
std::unique_ptr<CWnd> CreateTemplateControl(const DialogItem& item, CWnd* parent);
