// A view: a child window of the frame that shows its document.
#pragma once

#include "c_wnd.h"

class CDC;
class CDocument;

class CView : public CWnd {
public:
    CView() = default;
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }
    void SetDocument(CDocument* document) { m_pDocument = document; }

    virtual void OnDraw(CDC* dc) = 0;
    // First update after the frame was built; by default an OnUpdate.
    virtual void OnInitialUpdate();
    virtual void OnUpdate(CView* sender, LPARAM hint, CCmdTarget* hintObject);
    // Own commands first, then the document's.
    BOOL OnCmdMsg(UINT id, UINT code, CCmdUI* ui) override;

protected:
    // A paint cycle drawing through OnDraw.
    void OnPaint() override;
    void OnDestroy() override;
    // Views are created by the framework and delete themselves.
    void PostNcDestroy() override { delete this; }

    CDocument* m_pDocument = nullptr;
};
