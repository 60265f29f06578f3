// The About box: the program version and, for an open level, its address,
// suggested file name, total area and number of measurements.
#pragma once

#include "c_dialog.h"
#include "c_string.h"

class CAboutDlg : public CDialog {
public:
    static constexpr UINT IDD = 100;
    static constexpr int IDC_ADDRESS = 1077;
    static constexpr int IDC_TOTAL_AREA = 1078;
    static constexpr int IDC_MEASUREMENTS = 1079;
    static constexpr int IDC_FILE = 1080;
    static constexpr int IDC_VERSION = 1082;

    CAboutDlg();
    BOOL OnInitDialog() override;

    CString m_address;
    CString m_fileName;
    int m_totalArea = 0;
    int m_measurements = 0;
};
