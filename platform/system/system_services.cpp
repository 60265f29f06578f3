#include "system_services.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <filesystem>
#include <map>
#include <mutex>

#include "backend.h"
#include "c_wnd.h"
#include "code_page.h"
#include "paths.h"

namespace {

std::atomic<int> g_beeps{0};
std::atomic<UINT> g_lastBeep{0};
std::atomic<bool> g_frontRequested{false};
std::atomic<SingleInstance::FrontHandler> g_frontHandler{nullptr};

struct HeldLock {
    int fd = -1;
    pid_t owner = 0;  // a forked child inherits the map but is another copy
};

std::mutex& LocksMutex() {
    static std::mutex mutex;
    return mutex;
}

std::map<std::wstring, HeldLock>& Locks() {
    static std::map<std::wstring, HeldLock> locks;
    return locks;
}

std::string LockPath(const CString& name) {
    std::string safe;
    for (char c : WideToUtf8(name.str())) safe += (c == '/' || c == '\\') ? '_' : c;
    return PlatformPaths::ConfigDirectory() + "/" + safe + ".lock";
}

void OnFrontSignal(int) { g_frontRequested = true; }

// Stands for the main window of the copy that holds the lock.
class RunningCopyWindow : public CWnd {
public:
    pid_t pid = 0;
};

RunningCopyWindow& RunningCopy() {
    static RunningCopyWindow window;
    return window;
}

}  // namespace

BOOL MessageBeep(UINT type) {
    ++g_beeps;
    g_lastBeep = type;
    PlatformBackend().Beep(type);
    return TRUE;
}

int BeepCount() { return g_beeps; }
UINT LastBeepType() { return g_lastBeep; }
void ResetBeepCount() {
    g_beeps = 0;
    g_lastBeep = 0;
}

BOOL ShellCompleteStartup() { return TRUE; }

BOOL SingleInstance::Acquire(const CString& name) {
    std::lock_guard lock(LocksMutex());
    if (const auto it = Locks().find(name.str()); it != Locks().end()) {
        if (it->second.owner == getpid()) return TRUE;
        close(it->second.fd);
        Locks().erase(it);
    }
    std::error_code error;
    std::filesystem::create_directories(PlatformPaths::ConfigDirectory(), error);
    const std::string path = LockPath(name);
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return TRUE;  // no lock possible: run rather than refuse
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        char buffer[32] = {};
        const ssize_t n = pread(fd, buffer, sizeof buffer - 1, 0);
        close(fd);
        const pid_t pid = n > 0 ? static_cast<pid_t>(std::atol(buffer)) : 0;
        RunningCopy().pid = pid;
        return FALSE;
    }
    const std::string pid = std::to_string(getpid());
    if (ftruncate(fd, 0) == 0 && pwrite(fd, pid.data(), pid.size(), 0) < 0) {
        // The pid only serves the signal; the lock holds without it.
    }
    Locks()[name.str()] = HeldLock{fd, getpid()};
    std::signal(SIGUSR1, OnFrontSignal);
    return TRUE;
}

void SingleInstance::Release() {
    std::lock_guard lock(LocksMutex());
    for (auto& [name, held] : Locks()) {
        if (held.owner == getpid()) {
            std::error_code error;
            std::filesystem::remove(LockPath(name), error);
        }
        close(held.fd);
    }
    Locks().clear();
}

void SingleInstance::SetFrontHandler(FrontHandler handler) { g_frontHandler = handler; }

void SingleInstance::ServiceRequests() {
    if (!g_frontRequested.exchange(false)) return;
    if (FrontHandler handler = g_frontHandler.load()) handler();
    else PlatformBackend().BringToFront();
}

CWnd* FindRunningCopyWindow(LPCTSTR title) {
    if (title == nullptr || *title == L'\0') return nullptr;
    return SingleInstance::Acquire(title) ? nullptr : &RunningCopy();
}

BOOL SignalRunningCopy(CWnd* window) {
    if (window != &RunningCopy() || RunningCopy().pid <= 0) return FALSE;
    return kill(RunningCopy().pid, SIGUSR1) == 0 ? TRUE : FALSE;
}
