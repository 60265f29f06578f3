#include "backend.h"

#include <atomic>

BOOL CBackend::WaitForEvents(DWORD) { return FALSE; }
void CBackend::Wake() {}
void CBackend::Present(const RECT&) {}
void CBackend::Beep(UINT) {}
void CBackend::SetWaitCursor(bool) {}
void CBackend::BringToFront() {}
void CBackend::DialogShown(UINT, CWnd*) {}
std::optional<int> CBackend::MessageBoxAnswer(const CString&, const CString&, UINT) { return std::nullopt; }
std::optional<std::optional<CString>> CBackend::FileDialogAnswer(const FileDialogRequest&) { return std::nullopt; }

namespace {

CBackend& DefaultBackend() {
    static CBackend backend;
    return backend;
}

std::atomic<CBackend*>& Installed() {
    static std::atomic<CBackend*> backend{nullptr};
    return backend;
}

}  // namespace

CBackend& PlatformBackend() {
    CBackend* backend = Installed().load();
    return backend ? *backend : DefaultBackend();
}

CBackend* SetPlatformBackend(CBackend* backend) { return Installed().exchange(backend); }
