// The behaviour the view and the document get from the current edit mode
// (Room, Door, Measurement, Exit). Each mode works on its document.
#pragma once

class CReplDoc;

class CEditMode {
public:
    explicit CEditMode(CReplDoc* document) : m_document(document) {}
    virtual ~CEditMode() = default;
    CEditMode(const CEditMode&) = delete;
    CEditMode& operator=(const CEditMode&) = delete;

    CReplDoc* GetDocument() const { return m_document; }

protected:
    CReplDoc* m_document;
};
