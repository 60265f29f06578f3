#include "c_file.h"

#include <sys/stat.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "file_system.h"
#include "paths.h"

namespace {

const wchar_t* CauseText(int cause) {
    switch (cause) {
    case CFileException::genericException: return L"An unexpected error occurred with %s.";
    case CFileException::fileNotFound: return L"The file %s does not exist.";
    case CFileException::badPath: return L"The path of %s is not valid.";
    case CFileException::tooManyOpenFiles: return L"Too many files are open to open %s.";
    case CFileException::accessDenied: return L"%s may not be accessed.";
    case CFileException::invalidFile: return L"%s is not an open file.";
    case CFileException::removeCurrentDir: return L"The current folder cannot be removed.";
    case CFileException::directoryFull: return L"No more files fit into the folder of %s.";
    case CFileException::badSeek: return L"Cannot move to that place in %s.";
    case CFileException::hardIO: return L"A hardware error occurred with %s.";
    case CFileException::sharingViolation: return L"%s is in use.";
    case CFileException::lockViolation: return L"A locked part of %s was accessed.";
    case CFileException::diskFull: return L"The storage is full; %s could not be written.";
    case CFileException::endOfFile: return L"The end of %s was reached.";
    default: return nullptr;
    }
}

[[noreturn]] void ThrowErrno(int error, const CString& path) {
    const auto osError = static_cast<LONG>(ErrorFromErrno(error));
    AfxThrowFileException(CFileException::OsErrorToException(osError), osError, path);
}

FileFault& InstalledFault() {
    static FileFault fault;
    return fault;
}

// Throws the injected error of this step, if any.
void CheckFault(FileStep step, const CString& path) {
    const FileFault& fault = InstalledFault();
    if (!fault) return;
    if (const DWORD error = fault(step, path)) {
        SetLastError(error);
        AfxThrowFileException(CFileException::OsErrorToException(static_cast<LONG>(error)),
                              static_cast<LONG>(error), path);
    }
}

// The folder part of a path with its closing separator; empty without one.
CString FolderPart(const CString& path) {
    const int separator = std::max(path.ReverseFind(L'\\'), path.ReverseFind(L'/'));
    return separator >= 0 ? path.Left(separator + 1) : CString();
}

// The folder entry of a renamed file reaches the storage too; a failing
// sync throws. A file system that cannot sync folders has nothing to put there.
void SyncFolderOf(const std::string& hostPath, const CString& path) {
    const CString folderPath = FolderPart(path);
    CheckFault(FileStep::syncFolder, folderPath);
    const std::filesystem::path folder = std::filesystem::path(hostPath).parent_path();
    const int descriptor = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (descriptor < 0) ThrowErrno(errno, folderPath);
    const int synced = ::fsync(descriptor);
    const int error = errno;
    ::close(descriptor);
    if (synced != 0 && error != EINVAL && error != ENOTSUP) ThrowErrno(error, folderPath);
}

}  // namespace

void SetFileFault(FileFault fault) { InstalledFault() = std::move(fault); }

BOOL CException::GetErrorMessage(LPTSTR buffer, UINT maxLength, UINT* helpContext) const {
    if (helpContext) *helpContext = 0;
    if (buffer && maxLength > 0) buffer[0] = L'\0';
    return FALSE;
}

BOOL CFileException::GetErrorMessage(LPTSTR buffer, UINT maxLength, UINT* helpContext) const {
    if (helpContext) *helpContext = 0;
    // A file larger than the storage (or the process) lets a file be has no
    // cause of its own: its system error says what happened.
    const wchar_t* pattern = static_cast<DWORD>(m_lOsError) == ERROR_FILE_TOO_LARGE
                                 ? L"%s is too large for the storage."
                                 : CauseText(m_cause);
    if (buffer == nullptr || maxLength == 0) return FALSE;
    buffer[0] = L'\0';
    if (pattern == nullptr) return FALSE;
    const std::wstring text = FormatWide(pattern, m_strFileName.IsEmpty() ? CString(L"The file") : m_strFileName);
    const size_t length = std::min(text.size(), static_cast<size_t>(maxLength - 1));
    std::copy_n(text.begin(), length, buffer);
    buffer[length] = L'\0';
    return TRUE;
}

int CFileException::OsErrorToException(LONG osError) {
    switch (static_cast<DWORD>(osError)) {
    case ERROR_SUCCESS: return none;
    case ERROR_FILE_NOT_FOUND: return fileNotFound;
    case ERROR_PATH_NOT_FOUND: return badPath;
    case ERROR_ACCESS_DENIED: return accessDenied;
    case ERROR_INVALID_HANDLE: return invalidFile;
    case ERROR_SHARING_VIOLATION: return sharingViolation;
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL: return diskFull;
    case ERROR_WRITE_FAULT: return hardIO;
    default: return genericException;
    }
}

void AfxThrowFileException(int cause, LONG osError, LPCTSTR fileName) {
    throw new CFileException(cause, osError, fileName);
}

CFile::CFile(LPCTSTR path, UINT flags) {
    CFileException error;
    if (!Open(path, flags, &error)) AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

CFile::~CFile() { Abort(); }

BOOL CFile::Open(LPCTSTR path, UINT flags, CFileException* error) {
    Abort();
    m_path = path ? path : L"";
    const auto fail = [&](int cause, DWORD osError) {
        if (error) *error = CFileException(cause, static_cast<LONG>(osError), m_path);
        SetLastError(osError);
        return FALSE;
    };
    const auto host = PlatformPaths::ToHost(m_path);
    if (!host) return fail(CFileException::badPath, ERROR_PATH_NOT_FOUND);
    std::error_code ec;
    if (std::filesystem::is_directory(*host, ec)) return fail(CFileException::accessDenied, ERROR_ACCESS_DENIED);

    const UINT access = flags & 0x3;
    const bool exists = std::filesystem::exists(*host, ec);
    const char* mode = "rb";
    if (flags & modeCreate) {
        if ((flags & modeNoTruncate) && exists) mode = access == modeRead ? "rb" : "r+b";
        else mode = access == modeReadWrite ? "w+b" : "wb";
    } else if (access != modeRead) {
        mode = "r+b";
    }
    m_file = std::fopen(host->c_str(), mode);
    if (m_file == nullptr) {
        const DWORD osError = ErrorFromErrno(errno);
        return fail(CFileException::OsErrorToException(static_cast<LONG>(osError)), osError);
    }
    return TRUE;
}

UINT CFile::Read(void* buffer, UINT count) {
    if (m_file == nullptr) AfxThrowFileException(CFileException::invalidFile, ERROR_INVALID_HANDLE, m_path);
    const size_t read = std::fread(buffer, 1, count, m_file);
    if (read < count && std::ferror(m_file)) ThrowErrno(errno, m_path);
    return static_cast<UINT>(read);
}

void CFile::Write(const void* buffer, UINT count) {
    if (m_file == nullptr) AfxThrowFileException(CFileException::invalidFile, ERROR_INVALID_HANDLE, m_path);
    if (count == 0) return;
    CheckFault(FileStep::write, m_path);
    if (std::fwrite(buffer, 1, count, m_file) != count) ThrowErrno(errno, m_path);
}

void CFile::Flush() {
    if (m_file != nullptr && std::fflush(m_file) != 0) ThrowErrno(errno, m_path);
}

void CFile::Sync() {
    if (m_file == nullptr) AfxThrowFileException(CFileException::invalidFile, ERROR_INVALID_HANDLE, m_path);
    Flush();
    CheckFault(FileStep::sync, m_path);
    if (::fsync(fileno(m_file)) != 0) ThrowErrno(errno, m_path);
}

void CFile::Close() {
    if (m_file == nullptr) return;
    std::FILE* file = m_file;
    m_file = nullptr;
    if (std::fclose(file) != 0) ThrowErrno(errno, m_path);
}

void CFile::Abort() {
    if (m_file == nullptr) return;
    std::fclose(m_file);
    m_file = nullptr;
}

ULONG CFile::GetLength() const {
    if (m_file == nullptr) AfxThrowFileException(CFileException::invalidFile, ERROR_INVALID_HANDLE, m_path);
    std::fflush(m_file);
    struct stat st {};
    if (fstat(fileno(m_file), &st) != 0) ThrowErrno(errno, m_path);
    return static_cast<ULONG>(st.st_size);
}

LONG CFile::Seek(LONG offset, UINT from) {
    if (m_file == nullptr) AfxThrowFileException(CFileException::invalidFile, ERROR_INVALID_HANDLE, m_path);
    const int whence = from == begin ? SEEK_SET : from == current ? SEEK_CUR : SEEK_END;
    if (std::fseek(m_file, offset, whence) != 0)
        AfxThrowFileException(CFileException::badSeek, ErrorFromErrno(errno), m_path);
    return static_cast<LONG>(std::ftell(m_file));
}

CString CFile::GetFileName() const {
    const int split = std::max(m_path.ReverseFind(L'\\'), m_path.ReverseFind(L'/'));
    return m_path.Mid(split + 1);
}

void CFile::Remove(LPCTSTR path) {
    if (!DeleteFile(path))
        AfxThrowFileException(CFileException::OsErrorToException(static_cast<LONG>(GetLastError())),
                              static_cast<LONG>(GetLastError()), path);
}

void CFile::Rename(LPCTSTR oldPath, LPCTSTR newPath) {
    const auto from = PlatformPaths::ToHost(oldPath ? oldPath : L"");
    const auto to = PlatformPaths::ToHost(newPath ? newPath : L"");
    if (!from || !to) AfxThrowFileException(CFileException::badPath, ERROR_PATH_NOT_FOUND, oldPath);
    CheckFault(FileStep::rename, newPath ? newPath : L"");
    if (std::rename(from->c_str(), to->c_str()) != 0) ThrowErrno(errno, oldPath);
    SyncFolderOf(*to, newPath);
}

bool ReadWholeFile(const CString& path, std::string* contents) {
    const auto host = PlatformPaths::ToHost(path);
    std::error_code ec;
    if (!host || std::filesystem::is_directory(*host, ec)) {
        SetLastError(host ? ERROR_ACCESS_DENIED : ERROR_PATH_NOT_FOUND);
        return false;
    }
    std::ifstream in(*host, std::ios::binary);
    if (!in) {
        SetLastError(ErrorFromErrno(errno));
        return false;
    }
    contents->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) {
        SetLastError(ERROR_WRITE_FAULT);
        return false;
    }
    return true;
}
