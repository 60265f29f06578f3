// The common Open and Save dialogs. The headless backend answers them from
// its script; the window asks the user.
#pragma once

#include "c_string.h"
#include "win_types.h"

constexpr DWORD OFN_READONLY = 0x00000001;
constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
constexpr DWORD OFN_NOCHANGEDIR = 0x00000008;
constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800;
constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;

struct OPENFILENAME {
    DWORD lStructSize = sizeof(OPENFILENAME);
    HWND hwndOwner = nullptr;
    // Pairs of description and pattern, each ending in NUL, the list in a
    // second NUL: "FloorPlans (*.fpl)\0*.fpl\0".
    LPCTSTR lpstrFilter = nullptr;
    // In: the suggestion; out: the chosen path (truncated to nMaxFile - 1).
    LPTSTR lpstrFile = nullptr;
    DWORD nMaxFile = 0;
    LPCTSTR lpstrInitialDir = nullptr;
    LPCTSTR lpstrTitle = nullptr;
    DWORD Flags = 0;
    LPCTSTR lpstrDefExt = nullptr;
};
using LPOPENFILENAME = OPENFILENAME*;

// FALSE for Cancel or a chosen path that does not fit the buffer.
BOOL GetOpenFileName(LPOPENFILENAME ofn);
BOOL GetSaveFileName(LPOPENFILENAME ofn);
