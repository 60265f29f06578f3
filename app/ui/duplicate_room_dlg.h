// The question asked while a level is read and a room name comes twice:
// drop the room read last ("Discard") or keep it under a numbered name
// ("Rename").
#pragma once

#include <string>

#include "c_dialog.h"
#include "c_string.h"

class CDuplicateRoomDlg : public CDialog {
public:
    static constexpr UINT IDD = 2156;
    static constexpr int IDC_QUESTION = 2157;

    // The caption is the level's name.
    CDuplicateRoomDlg(const CString& caption, const char* roomName);

    CString m_roomName;
    CString m_caption;

protected:
    BOOL OnInitDialog() override;
};
