// The New Session dialog: the address and job header of a new level, or
// the way back to the work the journal kept ("Restore").
#pragma once

#include "c_dialog.h"
#include "c_string.h"

class CReplDoc;

class CNewSessionDlg : public CDialog {
public:
    static constexpr UINT IDD = 2058;
    static constexpr int IDC_LEVEL = 2102;
    static constexpr int IDC_HOUSE = 2103;
    static constexpr int IDC_STREET = 2104;
    static constexpr int IDC_ZIP = 2105;
    static constexpr int IDC_ORIENTATION = 2106;
    static constexpr int IDC_NUMBER = 2169;
    static constexpr int IDC_JOB_ID = 2170;

    // Filled from the document's header; the number is the unit, else the
    // listing number.
    explicit CNewSessionDlg(CReplDoc* document);

    CString m_street;
    CString m_level;
    CString m_house;
    CString m_zip;
    CString m_orientation;
    CString m_number;
    CString m_jobId;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(CDataExchange* pDX) override;

private:
    void FillLevels();
    void FillOrientations();
    // The selected entry's text, or the text as it was without a selection.
    void ReadSelection(int listId, CString& text) const;
    CReplDoc* m_document;
};

// The compass directions a level may face, "none" first.
extern const wchar_t* const kOrientations[9];
