// The main frame: a top-level window below the caption band that holds the
// command bar (bottom) and the one view (the rest, 240 x 268).
#pragma once

#include "afx_ids.h"
#include "c_runtime_class.h"
#include "c_wnd.h"

class CDocument;
class CDocTemplate;
class CView;

struct CCreateContext {
    const CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
    CDocTemplate* m_pNewDocTemplate = nullptr;
};

class CFrameWnd : public CWnd {
public:
    CFrameWnd() = default;
    ~CFrameWnd() override;

    // Creates the frame at the screen's fixed place with the title from the
    // string table (its first part); the view comes from the context.
    virtual BOOL LoadFrame(UINT resourceId, DWORD style = WS_OVERLAPPEDWINDOW, CWnd* parent = nullptr,
                           CCreateContext* context = nullptr);
    CView* GetActiveView() const { return m_pActiveView; }
    void SetActiveView(CView* view, BOOL notify = TRUE);
    CDocument* GetActiveDocument() const;
    void InitialUpdateFrame(CDocument* document, BOOL makeVisible);
    // Places the command bar (id AFX_IDW_TOOLBAR) at the bottom and the view
    // in the rest of the client area.
    virtual void RecalcLayout(BOOL notify = TRUE);

    // Active view (and its document), then the frame, then the application.
    BOOL OnCmdMsg(UINT id, UINT code, CCmdUI* ui) override;

protected:
    int OnCreate(LPCREATESTRUCT cs) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnSetFocus(CWnd* oldFocus) override;
    void OnClose() override;
    void OnDestroy() override;
    void PostNcDestroy() override { delete this; }
    virtual CWnd* CreateView(CCreateContext* context, UINT id = AFX_IDW_PANE_FIRST);

    CView* m_pActiveView = nullptr;
    UINT m_nIDHelp = 0;
};
