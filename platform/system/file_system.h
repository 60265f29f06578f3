// Files, folders and searches as the program calls them (the handheld's file
// API over the mapped folders of PlatformPaths).
#pragma once

#include "c_string.h"
#include "win_types.h"

constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x01;
constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
constexpr DWORD FILE_ATTRIBUTE_ARCHIVE = 0x20;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;
constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFF;
constexpr int MAX_PATH = 260;

constexpr DWORD ERROR_SUCCESS = 0;
constexpr DWORD ERROR_FILE_NOT_FOUND = 2;
constexpr DWORD ERROR_PATH_NOT_FOUND = 3;
constexpr DWORD ERROR_ACCESS_DENIED = 5;
constexpr DWORD ERROR_INVALID_HANDLE = 6;
constexpr DWORD ERROR_NO_MORE_FILES = 18;
constexpr DWORD ERROR_WRITE_FAULT = 29;
constexpr DWORD ERROR_SHARING_VIOLATION = 32;
constexpr DWORD ERROR_HANDLE_DISK_FULL = 39;
constexpr DWORD ERROR_FILE_EXISTS = 80;
constexpr DWORD ERROR_INVALID_PARAMETER = 87;
constexpr DWORD ERROR_DISK_FULL = 112;
constexpr DWORD ERROR_INSUFFICIENT_BUFFER = 122;
constexpr DWORD ERROR_ALREADY_EXISTS = 183;
constexpr DWORD ERROR_FILE_TOO_LARGE = 223;
constexpr DWORD ERROR_MORE_DATA = 234;
constexpr DWORD ERROR_DIR_NOT_EMPTY = 145;

// The thread's last error, as the file calls leave it.
DWORD GetLastError();
void SetLastError(DWORD error);
// The error for a host errno value.
DWORD ErrorFromErrno(int error);

struct FILETIME {
    DWORD dwLowDateTime = 0;
    DWORD dwHighDateTime = 0;
};

struct SYSTEMTIME {
    WORD wYear = 0;
    WORD wMonth = 0;
    WORD wDayOfWeek = 0;
    WORD wDay = 0;
    WORD wHour = 0;
    WORD wMinute = 0;
    WORD wSecond = 0;
    WORD wMilliseconds = 0;
};

struct WIN32_FIND_DATA {
    DWORD dwFileAttributes = 0;
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    DWORD nFileSizeHigh = 0;
    DWORD nFileSizeLow = 0;
    wchar_t cFileName[MAX_PATH] = {};
};
using LPWIN32_FIND_DATA = WIN32_FIND_DATA*;

struct WIN32_FILE_ATTRIBUTE_DATA {
    DWORD dwFileAttributes = 0;
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    DWORD nFileSizeHigh = 0;
    DWORD nFileSizeLow = 0;
};
enum GET_FILEEX_INFO_LEVELS { GetFileExInfoStandard };

// Searches: the pattern's last component may hold '*' and '?', matched
// without regard to case ("*.*" matches every name). "." and ".." are not
// listed. INVALID_HANDLE_VALUE when nothing matches (last error set).
HANDLE FindFirstFile(LPCTSTR pattern, LPWIN32_FIND_DATA data);
BOOL FindNextFile(HANDLE search, LPWIN32_FIND_DATA data);
BOOL FindClose(HANDLE search);
// Whether a file name matches a search pattern (one component).
bool MatchesWildcard(const CString& name, const CString& pattern);

DWORD GetFileAttributes(LPCTSTR path);
BOOL GetFileAttributesEx(LPCTSTR path, GET_FILEEX_INFO_LEVELS level, LPVOID information);
BOOL CreateDirectory(LPCTSTR path, LPVOID unusedSecurity);
BOOL RemoveDirectory(LPCTSTR path);
BOOL DeleteFile(LPCTSTR path);
BOOL FileTimeToLocalFileTime(const FILETIME* fileTime, FILETIME* localTime);
BOOL FileTimeToSystemTime(const FILETIME* fileTime, SYSTEMTIME* systemTime);
void GetLocalTime(SYSTEMTIME* time);
// The program file's own host path; returns its length (0 on failure).
DWORD GetModuleFileName(HANDLE module, LPTSTR buffer, DWORD size);

// The first storage card: fills the file name with the card's folder name
// ("Storage Card") and returns a search handle, or INVALID_HANDLE_VALUE when
// no card root is configured or it does not exist. Close with FindClose.
HANDLE FindFirstStorageCard(LPWIN32_FIND_DATA data);
BOOL FindNextStorageCard(HANDLE search, LPWIN32_FIND_DATA data);
