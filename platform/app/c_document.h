// The document: data of the program, shown by its views.
#pragma once

#include <vector>

#include "afx_ids.h"
#include "c_string.h"
#include "cmd_target.h"

class CView;
class CDocTemplate;

class CDocument : public CCmdTarget {
public:
    CDocument() = default;
    ~CDocument() override;

    // Tells every view but the sender to update (CView::OnUpdate).
    void UpdateAllViews(CView* sender, LPARAM hint = 0, CCmdTarget* hintObject = nullptr);
    POSITION GetFirstViewPosition() const;
    CView* GetNextView(POSITION& position) const;
    void AddView(CView* view);
    void RemoveView(CView* view);

    virtual BOOL OnNewDocument();
    virtual BOOL OnOpenDocument(LPCTSTR path);
    virtual BOOL OnSaveDocument(LPCTSTR path);
    virtual void OnCloseDocument();
    virtual void DeleteContents() {}
    virtual void SetModifiedFlag(BOOL modified = TRUE) { m_modified = modified; }
    virtual BOOL IsModified() const { return m_modified; }
    virtual void SetTitle(LPCTSTR title) { m_title = title; }
    const CString& GetTitle() const { return m_title; }
    virtual void SetPathName(LPCTSTR path, BOOL addToRecent = TRUE);
    const CString& GetPathName() const { return m_path; }
    CDocTemplate* GetDocTemplate() const { return m_template; }
    void SetDocTemplate(CDocTemplate* docTemplate) { m_template = docTemplate; }

private:
    std::vector<CView*> m_views;
    CString m_title;
    CString m_path;
    BOOL m_modified = FALSE;
    CDocTemplate* m_template = nullptr;
};
