#include "c_frame_wnd.h"

#include "c_document.h"
#include "c_view.h"
#include "c_win_app.h"
#include "string_table.h"

// A frame still open at destruction is taken down by the window base
// without PostNcDestroy, which would delete it a second time.
CFrameWnd::~CFrameWnd() = default;

BOOL CFrameWnd::LoadFrame(UINT resourceId, DWORD style, CWnd* parent, CCreateContext* context) {
    m_nIDHelp = resourceId;
    CString title;
    if (const wchar_t* text = FindString(resourceId)) {
        title = text;
        const int end = title.Find(L'\n');
        if (end >= 0) title = title.Left(end);
    }
    const CRect area(0, kCaptionHeight, kScreenWidth, kScreenHeight);
    return Create(nullptr, title, style & ~WS_VISIBLE, area, parent, 0, context);
}

int CFrameWnd::OnCreate(LPCREATESTRUCT cs) {
    auto* context = static_cast<CCreateContext*>(cs->lpCreateParams);
    if (context != nullptr && context->m_pNewViewClass != nullptr && CreateView(context) == nullptr) return -1;
    return 0;
}

CWnd* CFrameWnd::CreateView(CCreateContext* context, UINT id) {
    CCmdTarget* object = context->m_pNewViewClass->CreateObject();
    auto* view = dynamic_cast<CView*>(object);
    if (view == nullptr) {
        delete object;
        return nullptr;
    }
    if (context->m_pCurrentDoc) context->m_pCurrentDoc->AddView(view);
    CRect client;
    GetClientRect(&client);
    if (!view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, client, this, id, context)) {
        // A failed creation leaves no window, so PostNcDestroy did not run.
        if (view->GetDocument()) view->GetDocument()->RemoveView(view);
        delete view;
        return nullptr;
    }
    if (m_pActiveView == nullptr) m_pActiveView = view;
    return view;
}

void CFrameWnd::SetActiveView(CView* view, BOOL) {
    m_pActiveView = view;
    if (view) view->SetFocus();
}

CDocument* CFrameWnd::GetActiveDocument() const {
    return m_pActiveView ? m_pActiveView->GetDocument() : nullptr;
}

void CFrameWnd::InitialUpdateFrame(CDocument*, BOOL makeVisible) {
    RecalcLayout();
    if (m_pActiveView) {
        m_pActiveView->OnInitialUpdate();
        if (IsWindow(this) && m_pActiveView) m_pActiveView->SetFocus();
    }
    if (makeVisible && IsWindow(this)) {
        ShowWindow(SW_SHOW);
        SetActiveWindow();
    }
}

void CFrameWnd::RecalcLayout(BOOL) {
    CRect client;
    GetClientRect(&client);
    int bottom = client.bottom;
    if (CWnd* bar = GetDlgItem(AFX_IDW_TOOLBAR); bar != nullptr && (bar->GetStyle() & WS_VISIBLE)) {
        bar->MoveWindow(0, client.bottom - kCommandBarHeight, client.Width(), kCommandBarHeight);
        bottom -= kCommandBarHeight;
    }
    if (m_pActiveView) m_pActiveView->MoveWindow(0, 0, client.Width(), bottom - client.top);
}

void CFrameWnd::OnSize(UINT, int, int) { RecalcLayout(); }

void CFrameWnd::OnSetFocus(CWnd*) {
    if (m_pActiveView && IsWindow(m_pActiveView)) m_pActiveView->SetFocus();
}

BOOL CFrameWnd::OnCmdMsg(UINT id, UINT code, CCmdUI* ui) {
    if (m_pActiveView && IsWindow(m_pActiveView) && m_pActiveView->OnCmdMsg(id, code, ui)) return TRUE;
    if (CWnd::OnCmdMsg(id, code, ui)) return TRUE;
    CWinApp* app = AfxGetApp();
    return app != nullptr && app->CCmdTarget::OnCmdMsg(id, code, ui);
}

void CFrameWnd::OnClose() {
    CWinApp* app = AfxGetApp();
    if (CDocument* document = GetActiveDocument()) document->OnCloseDocument();
    if (!IsWindow(this)) return;
    const bool mainWindow = app != nullptr && app->m_pMainWnd == this;
    DestroyWindow();
    if (mainWindow) PostQuitMessage(0);
}

void CFrameWnd::OnDestroy() {
    m_pActiveView = nullptr;
    CWinApp* app = AfxGetApp();
    if (app != nullptr && app->m_pMainWnd == this) app->m_pMainWnd = nullptr;
    CWnd::OnDestroy();
}
