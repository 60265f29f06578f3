// The "Enter Room Label" dialog: a room's label and its size. While the
// dialog is open the size may be shown in small units (inches, or
// centimetres when metric) or in big ones (feet or metres); the caller
// always gives and receives small units.
#pragma once

#include "c_dialog.h"
#include "c_string.h"

class CRoomLabelDlg : public CDialog {
public:
    static constexpr UINT IDD = 2210;
    static constexpr int IDC_LABEL = 2072;
    static constexpr int IDC_CLEAR = 2133;
    static constexpr int IDC_SMALL_UNITS = 2090;
    static constexpr int IDC_BIG_UNITS = 2091;
    static constexpr int IDC_WIDTH = 2082;
    static constexpr int IDC_DEPTH = 2084;

    // width and depth in small units.
    CRoomLabelDlg(const CString& label, int width, int depth, CWnd* parent = nullptr);

    // Small units per big unit: 100 when metric, else 12.
    static int UnitFactor();

    CString m_label;
    int m_width;
    int m_depth;
    int m_bigUnits = 0;
    int m_smallUnits = 1;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnSmallUnits();
    void OnBigUnits();
    void OnClear();
    void OnLabelChanged();

private:
    void EnableClear();
    // Reads the sizes; on a failed read the unit buttons show the units
    // the sizes are still in.
    bool ReadForUnitChange();
};

void RegisterRoomLabelTemplate();
