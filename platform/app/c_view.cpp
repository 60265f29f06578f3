#include "c_view.h"

#include "c_document.h"
#include "window_dc.h"

CView::~CView() {
    if (m_pDocument) m_pDocument->RemoveView(this);
}

void CView::OnInitialUpdate() { OnUpdate(nullptr, 0, nullptr); }

void CView::OnUpdate(CView*, LPARAM, CCmdTarget*) { Invalidate(); }

BOOL CView::OnCmdMsg(UINT id, UINT code, CCmdUI* ui) {
    if (CWnd::OnCmdMsg(id, code, ui)) return TRUE;
    return m_pDocument != nullptr && m_pDocument->OnCmdMsg(id, code, ui);
}

void CView::OnPaint() {
    CPaintDC dc(this);
    OnDraw(&dc);
}

void CView::OnDestroy() {
    if (m_pDocument) m_pDocument->RemoveView(this);
    CWnd::OnDestroy();
}
