// Message boxes drawn by the layer. The backend's script may answer a box
// without showing it; every box, answered or shown, is recorded so tests
// can count them and read their texts.
#pragma once

#include <vector>

#include "c_string.h"
#include "system_services.h"

// The class library's message box: the caption is the application's title
// (the first top-level window's text).
int AfxMessageBox(LPCTSTR text, UINT type = MB_OK, UINT helpId = 0);
// The text from the string table; an unknown id shows an empty text.
int AfxMessageBox(UINT textId, UINT type = MB_OK, UINT helpId = static_cast<UINT>(-1));
int MessageBox(HWND owner, LPCTSTR text, LPCTSTR caption, UINT type);

struct ShownMessageBox {
    CString text;
    CString caption;
    UINT type = 0;
    int result = 0;
    bool scripted = false;  // answered by the backend's script
};

std::vector<ShownMessageBox> MessageBoxHistory();
int MessageBoxCount();
void ResetMessageBoxHistory();
