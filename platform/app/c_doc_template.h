// The single-document template: ties the document, frame and view classes
// together under one resource id.
#pragma once

#include "afx_ids.h"
#include "c_runtime_class.h"
#include "c_string.h"
#include "cmd_target.h"

class CDocument;
class CFrameWnd;

class CDocTemplate : public CCmdTarget {
public:
    enum DocStringIndex {
        windowTitle = 0,
        docName = 1,
        fileNewName = 2,
        filterName = 3,
        filterExt = 4,
        regFileTypeId = 5,
        regFileTypeName = 6,
    };

    CDocTemplate(UINT resourceId, const CRuntimeClass* documentClass, const CRuntimeClass* frameClass,
                 const CRuntimeClass* viewClass);
    ~CDocTemplate() override = default;

    // One part of the document string (string table, resource id), parts
    // separated by '\n'. FALSE when the part is empty or missing.
    BOOL GetDocString(CString& text, DocStringIndex index) const;
    virtual POSITION GetFirstDocPosition() const = 0;
    virtual CDocument* GetNextDoc(POSITION& position) const = 0;
    // Null path: a new document. Null result on failure.
    virtual CDocument* OpenDocumentFile(LPCTSTR path, BOOL makeVisible = TRUE) = 0;
    UINT GetResourceId() const { return m_nIDResource; }

protected:
    CDocument* CreateNewDocument();
    CFrameWnd* CreateNewFrame(CDocument* document);

    UINT m_nIDResource;
    const CRuntimeClass* m_pDocClass;
    const CRuntimeClass* m_pFrameClass;
    const CRuntimeClass* m_pViewClass;
};

class CSingleDocTemplate : public CDocTemplate {
public:
    using CDocTemplate::CDocTemplate;
    ~CSingleDocTemplate() override;

    POSITION GetFirstDocPosition() const override;
    CDocument* GetNextDoc(POSITION& position) const override;
    // The one document is made once and reused for later opens.
    CDocument* OpenDocumentFile(LPCTSTR path, BOOL makeVisible = TRUE) override;

private:
    CDocument* m_pOnlyDoc = nullptr;
};
