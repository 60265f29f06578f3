#include "file_utilities.h"

#include <climits>
#include <optional>
#include <string>

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
