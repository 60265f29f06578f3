#include "main_frame.h"

#include "c_view.h"
#include "c_win_app.h"
#include "repl_doc.h"
#include "shell_resources.h"

namespace {

constexpr int kToolTipIds[CMainFrame::kToolTipCount] = {2139, 2140, 2141, 2152};
constexpr int kToolImages = 4;

TBBUTTON Button(int image, int command, BYTE style)
{
    TBBUTTON button;
    button.iBitmap = image;
    button.idCommand = command;
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = style;
    return button;
}

}  // namespace

CMainFrame::CMainFrame()
{
    MapMessage(WM_CHECK_MODE_BUTTON, &CMainFrame::OnCheckModeButton);
    MapMessage(WM_LEVEL_LOADED, &CMainFrame::OnLevelLoaded);
    MapCommand(kComboId, &CMainFrame::OnComboClosed, CBN_CLOSEUP);
}

CMainFrame::~CMainFrame() = default;

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs) { return CFrameWnd::PreCreateWindow(cs); }

int CMainFrame::OnCreate(LPCREATESTRUCT cs)
{
    if (CFrameWnd::OnCreate(cs) == -1)
        return -1;
    if (!CreateCommandBar())
        return -1;
    RecalcLayout();
    return 0;
}

bool CMainFrame::CreateCommandBar()
{
    if (!m_commandBar.Create(this, WS_CHILD | WS_VISIBLE, AFX_IDW_TOOLBAR))
        return false;
    if (!m_commandBar.InsertMenuBar(ShellIds::kMainResource))
        return false;
    for (int i = 0; i < kToolTipCount; ++i)
        if (!m_toolTips[i].LoadString(static_cast<UINT>(kToolTipIds[i])))
            return false;
    if (!m_commandBar.AddToolTips(kToolTipCount, m_toolTips))
        return false;
    if (m_commandBar.AddBitmap(ShellIds::kToolBitmap, kToolImages) == -1)
        return false;
    if (!AddToolButtons())
        return false;
    m_commandBar.SetBarStyle(m_commandBar.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY);
    m_comboBox = m_commandBar.InsertComboBox(kComboWidth, WS_VSCROLL | CBS_DROPDOWN, kComboId, 5);
    if (!m_comboBox)
        return false;
    if (!m_commandBar.AddAdornments(0))
        return false;
    m_comboBox->ShowWindow(SW_HIDE);
    return true;
}

bool CMainFrame::AddToolButtons()
{
    const TBBUTTON buttons[] = {
        Button(0, 2139, TBSTYLE_CHECKGROUP), Button(1, 2140, TBSTYLE_CHECKGROUP),
        Button(2, 2141, TBSTYLE_CHECKGROUP), Button(0, 0, TBSTYLE_SEP),
        Button(3, 2152, TBSTYLE_BUTTON),
    };
    return m_commandBar.AddButtons(5, buttons) != FALSE;
}

LRESULT CMainFrame::OnCheckModeButton(WPARAM commandId, LPARAM)
{
    m_commandBar.PostMessage(TB_CHECKBUTTON, commandId, 1);
    return 0;
}

// A level read from a file or the journal has no edit mode, and the room
// view without one draws nothing: show the level's plan, as View Change does.
LRESULT CMainFrame::OnLevelLoaded(WPARAM, LPARAM document)
{
    auto* doc = reinterpret_cast<CReplDoc*>(document);
    if (doc && doc->m_roomView && !doc->GetEditMode())
        doc->OnViewChange();
    return 0;
}

// The arrow keys are undo, redo and the modes' steps: once a value is chosen
// from the bar's list (or the list is left), they go to the view again.
void CMainFrame::OnComboClosed()
{
    if (CView* view = GetActiveView())
        view->SetFocus();
}

CMainFrame* GetMainFrame() { return dynamic_cast<CMainFrame*>(AfxGetMainWnd()); }
