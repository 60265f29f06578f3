#include "file_utilities.h"

#include <algorithm>
#include <climits>
#include <optional>
#include <string>
#include <vector>

#include "c_file.h"
#include "file_system.h"
#include "kor_filebuf.h"
#include "paths.h"

int ReadTextFile(const CString& path, std::unique_ptr<char[]>& buffer)
{
    buffer.reset();
    const std::optional<std::string> host = PlatformPaths::ToHost(path);
    if (!host)
        return 0;
    const std::size_t length = KorFilebuf::getall(buffer, host->c_str());
    // The callers index the text with int: a larger file is not a floor plan.
    if (length == 0 || length > static_cast<std::size_t>(INT_MAX - 1))
        return 0;
    return static_cast<int>(length);
}

void DeleteFolder(const CString& path)
{
    CString folder = path;
    if (folder.IsEmpty() || folder[folder.GetLength() - 1] != L'\\')
        folder += L"\\";
    WIN32_FIND_DATA found{};
    HANDLE search = FindFirstFile(folder + CString(L"*.*"), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (found.cFileName[0] == L'.')
            continue;
        const CString entry = folder + CString(found.cFileName);
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            DeleteFolder(entry);
        else
            DeleteFile(entry);
    } while (FindNextFile(search, &found));
    FindClose(search);
}

namespace {

constexpr const wchar_t* kTemporarySuffix = L".saving";

// The folder part of a path with its closing backslash; empty without one.
CString FolderOf(const CString& path)
{
    const int separator = std::max(path.ReverseFind(L'\\'), path.ReverseFind(L'/'));
    return separator >= 0 ? path.Left(separator + 1) : CString();
}

}  // namespace

void RemoveSaveLeftovers(const CString& folder)
{
    CString base = folder;
    if (!base.IsEmpty() && base[base.GetLength() - 1] != L'\\')
        base += L"\\";
    // Listed whole before anything in the folder changes.
    std::vector<CString> leftovers;
    WIN32_FIND_DATA found{};
    HANDLE search = FindFirstFile(base + CString(L"*.fpl") + kTemporarySuffix, &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            leftovers.push_back(base + CString(found.cFileName));
    } while (FindNextFile(search, &found));
    FindClose(search);
    for (const CString& leftover : leftovers)
        DeleteFile(leftover);
}

bool WriteFileReplacing(const CString& path, const std::string& bytes, CFileException& error)
{
    // Saves run one at a time: any temporary file in the folder is one a
    // killed save left.
    RemoveSaveLeftovers(FolderOf(path));
    // Beside the file, so that the rename stays within one file system.
    const CString temporary = path + CString(kTemporarySuffix);
    CFile file;
    if (!file.Open(temporary, CFile::modeCreate | CFile::modeWrite, &error))
        return false;
    try {
        file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
        file.Sync();
        file.Close();
        CFile::Rename(temporary, path);
    } catch (CFileException* e) {
        error = *e;
        error.m_strFileName = path;
        e->Delete();
        file.Abort();
        DeleteFile(temporary);
        return false;
    }
    return true;
}
