#include "threads.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <condition_variable>
#include <map>
#include <thread>

#include "clock.h"

struct ThreadState {
    std::mutex mutex;
    std::condition_variable changed;
    bool resumed = false;
    bool done = false;
    DWORD exitCode = 0;
    int priority = THREAD_PRIORITY_NORMAL;
};

namespace {

thread_local int t_priority = THREAD_PRIORITY_NORMAL;

std::mutex& HandlesMutex() {
    static std::mutex mutex;
    return mutex;
}

std::map<HANDLE, std::shared_ptr<ThreadState>>& Handles() {
    static std::map<HANDLE, std::shared_ptr<ThreadState>> handles;
    return handles;
}

std::shared_ptr<ThreadState> StateOf(HANDLE handle) {
    std::lock_guard lock(HandlesMutex());
    const auto it = Handles().find(handle);
    return it == Handles().end() ? nullptr : it->second;
}

// The handheld's priorities as nice values; raising above normal needs
// rights this process may lack, which is not an error.
void ApplyPriority(int priority) {
    t_priority = priority;
    const int nice = (priority - THREAD_PRIORITY_NORMAL) * 5;
    setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), nice);
}

}  // namespace

CWinThread::CWinThread(AFX_THREADPROC proc, LPVOID param)
    : m_proc(proc), m_param(param), m_state(std::make_shared<ThreadState>()) {}

CWinThread::~CWinThread() {
    std::lock_guard lock(HandlesMutex());
    Handles().erase(m_hThread);
}

BOOL CWinThread::CreateThread(DWORD flags, UINT) {
    if (m_hThread != nullptr || m_proc == nullptr) return FALSE;
    m_hThread = m_state.get();
    {
        std::lock_guard lock(HandlesMutex());
        Handles()[m_hThread] = m_state;
    }
    if (!(flags & CREATE_SUSPENDED)) m_state->resumed = true;
    static std::atomic<DWORD> nextId{1};
    m_nThreadID = nextId++;
    try {
        std::thread([this, state = m_state] {
            {
                std::unique_lock lock(state->mutex);
                state->changed.wait(lock, [&] { return state->resumed; });
            }
            ApplyPriority(state->priority);
            const bool autoDelete = m_bAutoDelete;
            const DWORD code = m_proc(m_param);
            if (autoDelete) delete this;
            std::lock_guard lock(state->mutex);
            state->exitCode = code;
            state->done = true;
            state->changed.notify_all();
        }).detach();
    } catch (const std::system_error&) {
        std::lock_guard lock(HandlesMutex());
        Handles().erase(m_hThread);
        m_hThread = nullptr;
        return FALSE;
    }
    return TRUE;
}

DWORD CWinThread::ResumeThread() {
    std::lock_guard lock(m_state->mutex);
    const DWORD previous = m_state->resumed ? 0 : 1;
    m_state->resumed = true;
    m_state->changed.notify_all();
    return previous;
}

BOOL CWinThread::SetThreadPriority(int priority) {
    if (priority < THREAD_PRIORITY_TIME_CRITICAL || priority > THREAD_PRIORITY_IDLE) return FALSE;
    std::lock_guard lock(m_state->mutex);
    m_state->priority = priority;
    return TRUE;
}

int CWinThread::GetThreadPriority() const {
    std::lock_guard lock(m_state->mutex);
    return m_state->priority;
}

CWinThread* AfxBeginThread(AFX_THREADPROC proc, LPVOID param, int priority, UINT stackSize, DWORD flags, LPVOID) {
    auto* thread = new CWinThread(proc, param);
    thread->SetThreadPriority(priority);
    if (!thread->CreateThread(flags | CREATE_SUSPENDED, stackSize)) {
        delete thread;
        return nullptr;
    }
    if (!(flags & CREATE_SUSPENDED)) thread->ResumeThread();
    return thread;
}

DWORD WaitForSingleObject(HANDLE handle, DWORD timeoutMs) {
    const auto state = StateOf(handle);
    if (!state) return WAIT_FAILED;
    if (timeoutMs == 0xFFFFFFFF) {
        std::unique_lock lock(state->mutex);
        state->changed.wait(lock, [&] { return state->done; });
        return WAIT_OBJECT_0;
    }
    const DWORD start = GetTickCount();
    for (;;) {
        {
            std::unique_lock lock(state->mutex);
            if (state->changed.wait_for(lock, std::chrono::milliseconds(1), [&] { return state->done; }))
                return WAIT_OBJECT_0;
        }
        if (GetTickCount() - start >= timeoutMs) return WAIT_TIMEOUT;
    }
}

BOOL GetExitCodeThread(HANDLE thread, DWORD* exitCode) {
    const auto state = StateOf(thread);
    if (!state || exitCode == nullptr) return FALSE;
    std::lock_guard lock(state->mutex);
    *exitCode = state->done ? state->exitCode : 259;  // still active
    return TRUE;
}

int CurrentThreadPriority() { return t_priority; }

void InitializeCriticalSection(LPCRITICAL_SECTION) {}
void DeleteCriticalSection(LPCRITICAL_SECTION) {}
void EnterCriticalSection(LPCRITICAL_SECTION section) { section->mutex.lock(); }
void LeaveCriticalSection(LPCRITICAL_SECTION section) { section->mutex.unlock(); }
BOOL TryEnterCriticalSection(LPCRITICAL_SECTION section) { return section->mutex.try_lock() ? TRUE : FALSE; }
