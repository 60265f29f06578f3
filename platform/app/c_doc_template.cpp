#include "c_doc_template.h"

#include "c_document.h"
#include "c_frame_wnd.h"
#include "c_win_app.h"
#include "string_table.h"

CDocTemplate::CDocTemplate(UINT resourceId, const CRuntimeClass* documentClass, const CRuntimeClass* frameClass,
                           const CRuntimeClass* viewClass)
    : m_nIDResource(resourceId), m_pDocClass(documentClass), m_pFrameClass(frameClass), m_pViewClass(viewClass) {}

BOOL CDocTemplate::GetDocString(CString& text, DocStringIndex index) const {
    text.Empty();
    const wchar_t* all = FindString(m_nIDResource);
    if (all == nullptr) return FALSE;
    const CString source(all);
    int start = 0;
    for (int i = 0; i < index; ++i) {
        start = source.Find(L'\n', start);
        if (start < 0) return FALSE;
        ++start;
    }
    const int end = source.Find(L'\n', start);
    text = end < 0 ? source.Mid(start) : source.Mid(start, end - start);
    return text.IsEmpty() ? FALSE : TRUE;
}

CDocument* CDocTemplate::CreateNewDocument() {
    CCmdTarget* object = m_pDocClass->CreateObject();
    auto* document = dynamic_cast<CDocument*>(object);
    if (document == nullptr) {
        delete object;
        return nullptr;
    }
    document->SetDocTemplate(this);
    return document;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* document) {
    CCmdTarget* object = m_pFrameClass->CreateObject();
    auto* frame = dynamic_cast<CFrameWnd*>(object);
    if (frame == nullptr) {
        delete object;
        return nullptr;
    }
    CCreateContext context;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pCurrentDoc = document;
    context.m_pNewDocTemplate = this;
    if (!frame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW, nullptr, &context)) {
        if (!IsWindow(frame)) delete frame;  // never created: no self-deletion ran
        return nullptr;
    }
    return frame;
}

CSingleDocTemplate::~CSingleDocTemplate() { delete m_pOnlyDoc; }

POSITION CSingleDocTemplate::GetFirstDocPosition() const {
    return m_pOnlyDoc ? reinterpret_cast<POSITION>(static_cast<std::uintptr_t>(1)) : nullptr;
}

CDocument* CSingleDocTemplate::GetNextDoc(POSITION& position) const {
    CDocument* document = position ? m_pOnlyDoc : nullptr;
    position = nullptr;
    return document;
}

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCTSTR path, BOOL makeVisible) {
    CWinApp* app = AfxGetApp();
    if (m_pOnlyDoc != nullptr) {
        const BOOL ok = path ? m_pOnlyDoc->OnOpenDocument(path) : m_pOnlyDoc->OnNewDocument();
        if (ok && path) m_pOnlyDoc->SetPathName(path);
        return ok ? m_pOnlyDoc : nullptr;
    }
    CDocument* document = CreateNewDocument();
    if (document == nullptr) return nullptr;
    m_pOnlyDoc = document;
    CFrameWnd* frame = CreateNewFrame(document);
    if (frame == nullptr) {
        m_pOnlyDoc = nullptr;
        delete document;
        return nullptr;
    }
    if (app && app->m_pMainWnd == nullptr) app->m_pMainWnd = frame;
    const BOOL ok = path ? document->OnOpenDocument(path) : document->OnNewDocument();
    if (!ok) {
        if (app && app->m_pMainWnd == frame) app->m_pMainWnd = nullptr;
        frame->DestroyWindow();
        m_pOnlyDoc = nullptr;
        delete document;
        return nullptr;
    }
    if (path) document->SetPathName(path);
    frame->InitialUpdateFrame(document, makeVisible);
    return document;
}
