// The class library's file class and its exception. Failures throw a
// CFileException allocated with new (caught as a pointer and Delete()d),
// carrying a cause code, the system error and a text of its own.
#pragma once

#include <cstdio>
#include <functional>

#include "c_string.h"
#include "win_types.h"

class CException {
public:
    virtual ~CException() = default;
    // Copies the message (at most maxLength - 1 characters and a terminator);
    // FALSE when there is none.
    virtual BOOL GetErrorMessage(LPTSTR buffer, UINT maxLength, UINT* helpContext = nullptr) const;
    void Delete() { delete this; }
};

class CFileException : public CException {
public:
    enum {
        none = 0,
        genericException = 1,
        fileNotFound = 2,
        badPath = 3,
        tooManyOpenFiles = 4,
        accessDenied = 5,
        invalidFile = 6,
        removeCurrentDir = 7,
        directoryFull = 8,
        badSeek = 9,
        hardIO = 10,
        sharingViolation = 11,
        lockViolation = 12,
        diskFull = 13,
        endOfFile = 14,
    };

    CFileException(int cause = none, LONG osError = -1, LPCTSTR fileName = nullptr)
        : m_cause(cause), m_lOsError(osError), m_strFileName(fileName ? fileName : L"") {}
    BOOL GetErrorMessage(LPTSTR buffer, UINT maxLength, UINT* helpContext = nullptr) const override;
    // The cause for a system error code.
    static int OsErrorToException(LONG osError);

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};

[[noreturn]] void AfxThrowFileException(int cause, LONG osError = -1, LPCTSTR fileName = nullptr);

class CFile {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000,
    };
    enum SeekPosition { begin = 0, current = 1, end = 2 };

    CFile() = default;
    // Throws on failure.
    CFile(LPCTSTR path, UINT flags);
    virtual ~CFile();
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // FALSE on failure, filling error when given.
    virtual BOOL Open(LPCTSTR path, UINT flags, CFileException* error = nullptr);
    virtual UINT Read(void* buffer, UINT count);
    virtual void Write(const void* buffer, UINT count);
    virtual void Flush();
    // Flushes and has the system put the bytes on the storage itself, so a
    // rename that follows never exposes a file the crash left empty.
    virtual void Sync();
    // Flushes and closes; a failing flush throws (and the file is closed).
    virtual void Close();
    // Closes without throwing.
    virtual void Abort();
    virtual ULONG GetLength() const;
    virtual LONG Seek(LONG offset, UINT from);
    CString GetFilePath() const { return m_path; }
    CString GetFileName() const;
    BOOL IsOpen() const { return m_file != nullptr; }

    static void Remove(LPCTSTR path);
    // Replaces newPath when it exists, in one step, then puts the folder's
    // entry on the storage: a failing folder sync throws after the rename.
    static void Rename(LPCTSTR oldPath, LPCTSTR newPath);

private:
    std::FILE* m_file = nullptr;
    CString m_path;
};

// The steps of writing a file where a fault can be injected (full storage,
// a failing device): tests install a fault that answers each step with the
// system error to fail it with, 0 to let it run. A folder's sync gets the
// folder's path with its closing separator.
enum class FileStep { write, sync, rename, syncFolder };
using FileFault = std::function<DWORD(FileStep step, const CString& path)>;
// An empty function removes the fault.
void SetFileFault(FileFault fault);

// The whole file as bytes; false when it cannot be read (last error set).
bool ReadWholeFile(const CString& path, std::string* contents);
