// Worker threads and locks as the program uses them. Priorities are the
// handheld's numbers (0 highest .. 7 idle, 3 normal, 4 below normal).
#pragma once

#include <memory>
#include <mutex>

#include "win_types.h"

constexpr int THREAD_PRIORITY_TIME_CRITICAL = 0;
constexpr int THREAD_PRIORITY_HIGHEST = 1;
constexpr int THREAD_PRIORITY_ABOVE_NORMAL = 2;
constexpr int THREAD_PRIORITY_NORMAL = 3;
constexpr int THREAD_PRIORITY_BELOW_NORMAL = 4;
constexpr int THREAD_PRIORITY_LOWEST = 5;
constexpr int THREAD_PRIORITY_ABOVE_IDLE = 6;
constexpr int THREAD_PRIORITY_IDLE = 7;

constexpr DWORD CREATE_SUSPENDED = 0x00000004;
constexpr DWORD WAIT_OBJECT_0 = 0;
constexpr DWORD WAIT_TIMEOUT = 258;
constexpr DWORD WAIT_FAILED = 0xFFFFFFFF;

using AFX_THREADPROC = UINT (*)(LPVOID);

struct ThreadState;

// A worker thread. With m_bAutoDelete (the default) the object deletes
// itself when the thread ends; clear it to wait on m_hThread and delete the
// object yourself.
class CWinThread {
public:
    CWinThread(AFX_THREADPROC proc, LPVOID param);
    virtual ~CWinThread();
    CWinThread(const CWinThread&) = delete;
    CWinThread& operator=(const CWinThread&) = delete;

    BOOL CreateThread(DWORD flags = 0, UINT stackSize = 0);
    DWORD ResumeThread();
    BOOL SetThreadPriority(int priority);
    int GetThreadPriority() const;

    HANDLE m_hThread = nullptr;
    DWORD m_nThreadID = 0;
    BOOL m_bAutoDelete = TRUE;

private:
    void Start();
    AFX_THREADPROC m_proc;
    LPVOID m_param;
    std::shared_ptr<ThreadState> m_state;
};

CWinThread* AfxBeginThread(AFX_THREADPROC proc, LPVOID param, int priority = THREAD_PRIORITY_NORMAL,
                           UINT stackSize = 0, DWORD flags = 0, LPVOID unusedSecurity = nullptr);
// Waits for a thread handle; WAIT_OBJECT_0 when it ended, WAIT_TIMEOUT, or
// WAIT_FAILED for an unknown handle. Timeouts follow the platform clock.
DWORD WaitForSingleObject(HANDLE handle, DWORD timeoutMs);
BOOL GetExitCodeThread(HANDLE thread, DWORD* exitCode);
// The calling thread's priority as set through this layer.
int CurrentThreadPriority();

// A recursive lock; the owner may enter again, others wait or, with the
// non-waiting try, are refused.
struct CRITICAL_SECTION {
    std::recursive_mutex mutex;
};
using LPCRITICAL_SECTION = CRITICAL_SECTION*;

void InitializeCriticalSection(LPCRITICAL_SECTION section);
void DeleteCriticalSection(LPCRITICAL_SECTION section);
void EnterCriticalSection(LPCRITICAL_SECTION section);
void LeaveCriticalSection(LPCRITICAL_SECTION section);
BOOL TryEnterCriticalSection(LPCRITICAL_SECTION section);

class CCriticalSection {
public:
    BOOL Lock() { m_section.mutex.lock(); return TRUE; }
    BOOL Unlock() { m_section.mutex.unlock(); return TRUE; }
    operator CRITICAL_SECTION*() { return &m_section; }

private:
    CRITICAL_SECTION m_section;
};
