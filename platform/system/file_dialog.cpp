#include "file_dialog.h"

#include <algorithm>
#include <cwchar>

#include "backend.h"
#include "file_system.h"

namespace {

// The Win32 filter list ("text\0pattern\0...\0") as "text|pattern|...||".
CString FilterText(LPCTSTR filter) {
    CString text;
    if (filter == nullptr) return text;
    for (const wchar_t* p = filter; *p != L'\0'; p += std::wcslen(p) + 1) {
        text += p;
        text += L'|';
    }
    text += L'|';
    return text;
}

BOOL RunFileDialog(LPOPENFILENAME ofn, bool open) {
    if (ofn == nullptr || ofn->lpstrFile == nullptr || ofn->nMaxFile == 0) return FALSE;
    FileDialogRequest request;
    request.open = open;
    request.suggestion = ofn->lpstrFile;
    request.filter = FilterText(ofn->lpstrFilter);
    request.defaultExtension = ofn->lpstrDefExt ? ofn->lpstrDefExt : L"";
    request.overwritePrompt = (ofn->Flags & OFN_OVERWRITEPROMPT) != 0;
    const auto answer = PlatformBackend().FileDialogAnswer(request);
    if (!answer || !*answer) return FALSE;  // no one to ask, or Cancel
    CString path = **answer;
    const int slash = path.ReverseFind(L'\\');
    if (!request.defaultExtension.IsEmpty() && path.Find(L'.', slash + 1) < 0)
        path += CString(L".") + request.defaultExtension;
    if (open && (ofn->Flags & OFN_FILEMUSTEXIST) && GetFileAttributes(path) == INVALID_FILE_ATTRIBUTES) return FALSE;
    if (static_cast<DWORD>(path.GetLength()) >= ofn->nMaxFile) return FALSE;
    std::copy_n(path.GetString(), path.GetLength() + 1, ofn->lpstrFile);
    return TRUE;
}

}  // namespace

BOOL GetOpenFileName(LPOPENFILENAME ofn) { return RunFileDialog(ofn, true); }
BOOL GetSaveFileName(LPOPENFILENAME ofn) { return RunFileDialog(ofn, false); }
