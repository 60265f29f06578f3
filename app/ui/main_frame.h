// The main window: owns the command bar (the Tools menu, the buttons of
// three edit modes and View Change, and the combo box the modes fill) and
// presses the button of the mode that became active.
#pragma once

#include "c_command_bar.h"
#include "c_frame_wnd.h"
#include "c_string.h"

class CComboBox;

// Sent by an edit mode when it is activated; wParam is its command id.
constexpr UINT WM_CHECK_MODE_BUTTON = WM_USER + 4;
// Sent by the document when a level was read (a file or the journal);
// lParam is the document.
constexpr UINT WM_LEVEL_LOADED = WM_USER + 2;

class CMainFrame : public CFrameWnd {
public:
    static constexpr UINT kComboId = 2148;
    static constexpr int kComboWidth = 60;
    static constexpr int kToolTipCount = 4;

    CMainFrame();
    ~CMainFrame() override;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    LRESULT OnCheckModeButton(WPARAM commandId, LPARAM unused);
    LRESULT OnLevelLoaded(WPARAM unused, LPARAM document);
    void OnComboClosed();

    CComboBox* GetComboBox() const { return m_comboBox; }
    CCeCommandBar& GetCommandBar() { return m_commandBar; }
    const CString& GetToolTip(int index) const { return m_toolTips[index]; }

protected:
    int OnCreate(LPCREATESTRUCT cs) override;

private:
    bool CreateCommandBar();
    bool AddToolButtons();

    CComboBox* m_comboBox = nullptr;
    CCeCommandBar m_commandBar;
    CString m_toolTips[kToolTipCount];
};

// The application's main window, or null while there is none.
CMainFrame* GetMainFrame();
