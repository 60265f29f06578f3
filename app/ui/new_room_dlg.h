// The New Room dialog: the type, wall kind, level and label of a room being
// started or edited, with Delete (or Detach) for the room itself.
#pragma once

#include <string>

#include "c_dialog.h"
#include "c_string.h"

class CNewRoomDlg : public CDialog {
public:
    static constexpr UINT IDD = 2028;
    static constexpr int IDC_TYPES = 2016;
    static constexpr int IDC_DELETE = 2018;
    static constexpr int IDC_BELOW = 2127;
    static constexpr int IDC_LONG_LIST = 2164;
    static constexpr int IDC_WALLS = 2189;
    static constexpr int IDC_LABEL = 2209;
    // The dialog's result when the room is to be deleted or detached.
    static constexpr int kDeleteResult = IDC_DELETE;

    CNewRoomDlg(const char* roomName, bool deleteAllowed, bool detach, bool below,
                const char* label, int labelWidth, int labelDepth);

    // The Long List choice lasts for the program's run.
    static int GetLongList();
    static void SetLongList(int on);

    // The running number of the chosen type among the listed ones, -1 none.
    int m_selectedType = -1;
    // 0 "Default", 1 "Halfwall", 2 "Empty", 3 "Window".
    int m_wallKind = 0;
    std::string m_roomName;
    bool m_deleteAllowed;
    bool m_detach;
    int m_below;
    int m_longList;
    CString m_label;
    int m_labelWidth;
    int m_labelDepth;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(CDataExchange* pDX) override;
    // The room label dialog on the label and its size; true when confirmed.
    virtual bool EditLabel();

private:
    void OnLongList();
    void OnLabel();
    void OnDelete();
    void SetUpDeleteButton();
    void FillTypeList();
    void FillWallKinds();
    void SwitchOnLongListForRoomType();
};

// Forgets the Long List choice.
void ResetNewRoomDialog();
