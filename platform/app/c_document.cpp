#include "c_document.h"

#include <algorithm>

#include "c_view.h"
#include "c_win_app.h"

CDocument::~CDocument() {
    for (CView* view : m_views) view->SetDocument(nullptr);
}

void CDocument::UpdateAllViews(CView* sender, LPARAM hint, CCmdTarget* hintObject) {
    const std::vector<CView*> views = m_views;  // a view may close meanwhile
    for (CView* view : views)
        if (view != sender && std::find(m_views.begin(), m_views.end(), view) != m_views.end())
            view->OnUpdate(sender, hint, hintObject);
}

POSITION CDocument::GetFirstViewPosition() const { return FirstPosition(m_views); }

CView* CDocument::GetNextView(POSITION& position) const { return NextAtPosition(m_views, position); }

void CDocument::AddView(CView* view) {
    if (std::find(m_views.begin(), m_views.end(), view) != m_views.end()) return;
    m_views.push_back(view);
    view->SetDocument(this);
}

void CDocument::RemoveView(CView* view) {
    std::erase(m_views, view);
    if (view->GetDocument() == this) view->SetDocument(nullptr);
}

BOOL CDocument::OnNewDocument() {
    DeleteContents();
    m_path.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCTSTR path) {
    DeleteContents();
    SetPathName(path);
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(LPCTSTR) {
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::OnCloseDocument() { DeleteContents(); }

void CDocument::SetPathName(LPCTSTR path, BOOL addToRecent) {
    m_path = path ? path : L"";
    if (addToRecent && !m_path.IsEmpty() && AfxGetApp()) AfxGetApp()->AddToRecentFileList(m_path);
}
