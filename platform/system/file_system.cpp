#include "file_system.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <vector>

#include "code_page.h"
#include "paths.h"

namespace fs = std::filesystem;

namespace {

thread_local DWORD t_lastError = ERROR_SUCCESS;

// Seconds between 1601-01-01 and 1970-01-01.
constexpr long long kEpochDifference = 11644473600LL;
constexpr long long kTicksPerSecond = 10000000LL;

struct Search {
    std::vector<WIN32_FIND_DATA> results;
    size_t next = 0;
};

FILETIME ToFileTime(long long unixSeconds, long long nanoseconds) {
    const long long ticks = (unixSeconds + kEpochDifference) * kTicksPerSecond + nanoseconds / 100;
    FILETIME ft;
    ft.dwLowDateTime = static_cast<DWORD>(ticks & 0xFFFFFFFF);
    ft.dwHighDateTime = static_cast<DWORD>(static_cast<unsigned long long>(ticks) >> 32);
    return ft;
}

long long Ticks(const FILETIME* ft) {
    return static_cast<long long>((static_cast<unsigned long long>(ft->dwHighDateTime) << 32) | ft->dwLowDateTime);
}

DWORD AttributesOf(const std::string& host, const struct stat& st) {
    if (S_ISDIR(st.st_mode)) return FILE_ATTRIBUTE_DIRECTORY;
    DWORD attributes = FILE_ATTRIBUTE_ARCHIVE;
    if (access(host.c_str(), W_OK) != 0) attributes |= FILE_ATTRIBUTE_READONLY;
    return attributes;
}

bool Describe(const std::string& host, DWORD* attributes, FILETIME* written, unsigned long long* size) {
    struct stat st {};
    if (stat(host.c_str(), &st) != 0) {
        SetLastError(ErrorFromErrno(errno));
        return false;
    }
    *attributes = AttributesOf(host, st);
    *written = ToFileTime(st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
    *size = S_ISDIR(st.st_mode) ? 0 : static_cast<unsigned long long>(st.st_size);
    return true;
}

bool FillFindData(const fs::path& host, LPWIN32_FIND_DATA data) {
    *data = WIN32_FIND_DATA{};
    unsigned long long size = 0;
    if (!Describe(host.string(), &data->dwFileAttributes, &data->ftLastWriteTime, &size)) return false;
    data->ftCreationTime = data->ftLastWriteTime;
    data->ftLastAccessTime = data->ftLastWriteTime;
    data->nFileSizeLow = static_cast<DWORD>(size & 0xFFFFFFFF);
    data->nFileSizeHigh = static_cast<DWORD>(size >> 32);
    const std::wstring name = Utf8ToWide(host.filename().string());
    const size_t length = std::min(name.size(), static_cast<size_t>(MAX_PATH - 1));
    std::copy_n(name.begin(), length, data->cFileName);
    data->cFileName[length] = L'\0';
    return true;
}

bool MatchFrom(const std::wstring& name, size_t n, const std::wstring& pattern, size_t p) {
    while (p < pattern.size()) {
        if (pattern[p] == L'*') {
            while (p < pattern.size() && pattern[p] == L'*') ++p;
            if (p == pattern.size()) return true;
            for (size_t k = n; k <= name.size(); ++k)
                if (MatchFrom(name, k, pattern, p)) return true;
            return false;
        }
        if (n == name.size()) return false;
        if (pattern[p] != L'?' && pattern[p] != name[n]) return false;
        ++n;
        ++p;
    }
    return n == name.size();
}

std::optional<std::string> HostOrError(LPCTSTR path) {
    auto host = PlatformPaths::ToHost(path ? path : L"");
    if (!host) SetLastError(ERROR_PATH_NOT_FOUND);
    return host;
}

}  // namespace

DWORD GetLastError() { return t_lastError; }
void SetLastError(DWORD error) { t_lastError = error; }

DWORD ErrorFromErrno(int error) {
    switch (error) {
    case 0: return ERROR_SUCCESS;
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR:
    case ENAMETOOLONG: return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS: return ERROR_ACCESS_DENIED;
    case EEXIST: return ERROR_ALREADY_EXISTS;
    case ENOTEMPTY: return ERROR_DIR_NOT_EMPTY;
    case ENOSPC:
    case EDQUOT: return ERROR_DISK_FULL;
    case EFBIG: return ERROR_FILE_TOO_LARGE;
    case EBUSY:
    case ETXTBSY: return ERROR_SHARING_VIOLATION;
    case EIO: return ERROR_WRITE_FAULT;
    case EINVAL: return ERROR_INVALID_PARAMETER;
    default: return ERROR_ACCESS_DENIED;
    }
}

bool MatchesWildcard(const CString& name, const CString& pattern) {
    CString n = name;
    CString p = pattern;
    n.MakeLower();
    p.MakeLower();
    if (p == L"*.*") return true;  // every name, with or without a dot
    return MatchFrom(n.str(), 0, p.str(), 0);
}

HANDLE FindFirstFile(LPCTSTR pattern, LPWIN32_FIND_DATA data) {
    const CString text(pattern ? pattern : L"");
    const int split = std::max(text.ReverseFind(L'\\'), text.ReverseFind(L'/'));
    const CString folder = split >= 0 ? text.Left(split + 1) : CString(L"\\");
    const CString namePattern = split >= 0 ? text.Mid(split + 1) : text;
    const auto host = HostOrError(folder.GetLength() == 0 ? CString(L"\\") : folder);
    if (!host) return INVALID_HANDLE_VALUE;
    std::error_code error;
    if (!fs::is_directory(*host, error)) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    std::vector<fs::path> matches;
    for (const auto& entry : fs::directory_iterator(*host, error))
        if (MatchesWildcard(Utf8ToWide(entry.path().filename().string()), namePattern))
            matches.push_back(entry.path());
    std::sort(matches.begin(), matches.end());
    auto* search = new Search;
    for (const auto& match : matches) {
        WIN32_FIND_DATA found;
        if (FillFindData(match, &found)) search->results.push_back(found);
    }
    if (search->results.empty()) {
        delete search;
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    *data = search->results[0];
    search->next = 1;
    SetLastError(ERROR_SUCCESS);
    return search;
}

BOOL FindNextFile(HANDLE handle, LPWIN32_FIND_DATA data) {
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    auto* search = static_cast<Search*>(handle);
    if (search->next >= search->results.size()) {
        SetLastError(ERROR_NO_MORE_FILES);
        return FALSE;
    }
    *data = search->results[search->next++];
    return TRUE;
}

BOOL FindClose(HANDLE handle) {
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    delete static_cast<Search*>(handle);
    return TRUE;
}

DWORD GetFileAttributes(LPCTSTR path) {
    const auto host = HostOrError(path);
    if (!host) return INVALID_FILE_ATTRIBUTES;
    DWORD attributes = 0;
    FILETIME written;
    unsigned long long size = 0;
    return Describe(*host, &attributes, &written, &size) ? attributes : INVALID_FILE_ATTRIBUTES;
}

BOOL GetFileAttributesEx(LPCTSTR path, GET_FILEEX_INFO_LEVELS, LPVOID information) {
    const auto host = HostOrError(path);
    if (!host || information == nullptr) return FALSE;
    auto* data = static_cast<WIN32_FILE_ATTRIBUTE_DATA*>(information);
    unsigned long long size = 0;
    if (!Describe(*host, &data->dwFileAttributes, &data->ftLastWriteTime, &size)) return FALSE;
    data->ftCreationTime = data->ftLastWriteTime;
    data->ftLastAccessTime = data->ftLastWriteTime;
    data->nFileSizeLow = static_cast<DWORD>(size & 0xFFFFFFFF);
    data->nFileSizeHigh = static_cast<DWORD>(size >> 32);
    return TRUE;
}

BOOL CreateDirectory(LPCTSTR path, LPVOID) {
    const auto host = HostOrError(path);
    if (!host) return FALSE;
    if (mkdir(host->c_str(), 0777) != 0) {
        SetLastError(ErrorFromErrno(errno));
        return FALSE;
    }
    return TRUE;
}

BOOL RemoveDirectory(LPCTSTR path) {
    const auto host = HostOrError(path);
    if (!host) return FALSE;
    if (rmdir(host->c_str()) != 0) {
        SetLastError(ErrorFromErrno(errno));
        return FALSE;
    }
    return TRUE;
}

BOOL DeleteFile(LPCTSTR path) {
    const auto host = HostOrError(path);
    if (!host) return FALSE;
    std::error_code error;
    if (fs::is_directory(*host, error)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (unlink(host->c_str()) != 0) {
        SetLastError(ErrorFromErrno(errno));
        return FALSE;
    }
    return TRUE;
}

BOOL FileTimeToLocalFileTime(const FILETIME* fileTime, FILETIME* localTime) {
    const long long ticks = Ticks(fileTime);
    const std::time_t seconds = static_cast<std::time_t>(ticks / kTicksPerSecond - kEpochDifference);
    std::tm local{};
    if (localtime_r(&seconds, &local) == nullptr) return FALSE;
    const long long shifted = ticks + static_cast<long long>(local.tm_gmtoff) * kTicksPerSecond;
    localTime->dwLowDateTime = static_cast<DWORD>(shifted & 0xFFFFFFFF);
    localTime->dwHighDateTime = static_cast<DWORD>(static_cast<unsigned long long>(shifted) >> 32);
    return TRUE;
}

BOOL FileTimeToSystemTime(const FILETIME* fileTime, SYSTEMTIME* systemTime) {
    const long long ticks = Ticks(fileTime);
    if (ticks < 0) return FALSE;
    const std::time_t seconds = static_cast<std::time_t>(ticks / kTicksPerSecond - kEpochDifference);
    std::tm utc{};
    if (gmtime_r(&seconds, &utc) == nullptr) return FALSE;
    systemTime->wYear = static_cast<WORD>(utc.tm_year + 1900);
    systemTime->wMonth = static_cast<WORD>(utc.tm_mon + 1);
    systemTime->wDayOfWeek = static_cast<WORD>(utc.tm_wday);
    systemTime->wDay = static_cast<WORD>(utc.tm_mday);
    systemTime->wHour = static_cast<WORD>(utc.tm_hour);
    systemTime->wMinute = static_cast<WORD>(utc.tm_min);
    systemTime->wSecond = static_cast<WORD>(utc.tm_sec);
    systemTime->wMilliseconds = static_cast<WORD>((ticks % kTicksPerSecond) / 10000);
    return TRUE;
}

void GetLocalTime(SYSTEMTIME* time) {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(now).count();
    const FILETIME utc = ToFileTime(ns / 1000000000LL, ns % 1000000000LL);
    FILETIME local;
    FileTimeToLocalFileTime(&utc, &local);
    FileTimeToSystemTime(&local, time);
}

DWORD GetModuleFileName(HANDLE, LPTSTR buffer, DWORD size) {
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    if (error || size == 0) return 0;
    const std::wstring name = Utf8ToWide(self.string());
    const size_t length = std::min(name.size(), static_cast<size_t>(size - 1));
    std::copy_n(name.begin(), length, buffer);
    buffer[length] = L'\0';
    return static_cast<DWORD>(length);
}

HANDLE FindFirstStorageCard(LPWIN32_FIND_DATA data) {
    const auto card = PlatformPaths::CardRoot();
    if (!card) {
        SetLastError(ERROR_NO_MORE_FILES);
        return INVALID_HANDLE_VALUE;
    }
    std::error_code error;
    fs::create_directories(*card, error);
    if (!fs::is_directory(*card, error)) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    *data = WIN32_FIND_DATA{};
    data->dwFileAttributes = FILE_ATTRIBUTE_DIRECTORY;
    const std::wstring name = kStorageCardFolder;
    std::copy(name.begin(), name.end(), data->cFileName);
    return new Search;  // no further cards
}

BOOL FindNextStorageCard(HANDLE search, LPWIN32_FIND_DATA data) { return FindNextFile(search, data); }
