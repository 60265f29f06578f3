// The Options dialog: the document's display and behaviour switches as
// check boxes. The caller reads the eleven members back whatever the end.
#pragma once

#include "c_dialog.h"

class COptionsDlg : public CDialog {
public:
    static constexpr UINT IDD = 2035;
    static constexpr int IDC_ROOMS = 2135;
    static constexpr int IDC_NAMES = 2147;
    static constexpr int IDC_AREAS = 2136;
    static constexpr int IDC_OBJECTS = 2108;
    static constexpr int IDC_DIMS_ALL = 2068;
    static constexpr int IDC_DIMS_ACTIVE = 2066;
    static constexpr int IDC_DIMS_UNLOCKED = 2067;
    static constexpr int IDC_HIDE_ZERO = 2071;
    static constexpr int IDC_IMPERIAL = 2073;
    static constexpr int IDC_SMART_WALLS = 2130;
    static constexpr int IDC_BOTTOM_ENTRANCE = 2165;
    static constexpr int IDC_WALL_THICKNESS = 2072;

    COptionsDlg(bool areas, bool names, bool rooms, bool objects, bool dimsAll, bool dimsActive,
                bool dimsUnlocked, bool hideZeroDimensions, bool imperialDimensions,
                bool smartWalls, bool bottomEntrance);

    int m_areas;
    int m_names;
    int m_rooms;
    int m_objects;
    int m_dimsAll;
    int m_dimsActive;
    int m_dimsUnlocked;
    int m_hideZeroDimensions;
    int m_imperialDimensions;
    int m_smartWalls;
    int m_bottomEntrance;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
