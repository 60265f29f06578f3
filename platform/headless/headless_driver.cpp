#include "headless_driver.h"

#include <cairo.h>

#include "c_frame_wnd.h"
#include "c_view.h"
#include "c_win_app.h"
#include "c_wnd.h"
#include "system_services.h"
#include "thread_queue.h"
#include "window_manager.h"

namespace {

// The button a message box style offers first.
int DefaultAnswer(UINT type) {
    switch (type & 0x0F) {
    case MB_OKCANCEL: return (type & MB_DEFBUTTON2) ? IDCANCEL : IDOK;
    case MB_ABORTRETRYIGNORE: return IDABORT;
    case MB_YESNOCANCEL:
    case MB_YESNO: return (type & MB_DEFBUTTON2) ? IDNO : IDYES;
    case MB_RETRYCANCEL: return IDRETRY;
    default: return IDOK;
    }
}

}  // namespace

HeadlessDriver::HeadlessDriver(DWORD startTime)
    : m_clock(startTime), m_previousClock(SetPlatformClock(&m_clock)), m_previousBackend(SetPlatformBackend(this)) {
    WindowManager::Instance().ResetInput();
}

HeadlessDriver::~HeadlessDriver() {
    m_clock.Release();  // sleepers on this clock must not wait for ever
    SetPlatformBackend(m_previousBackend);
    SetPlatformClock(m_previousClock);
}

CWnd* HeadlessDriver::Target() const {
    if (m_target != nullptr && IsWindow(m_target)) return m_target;
    if (auto* frame = dynamic_cast<CFrameWnd*>(AfxGetMainWnd()); frame != nullptr && IsWindow(frame)) {
        if (CView* view = frame->GetActiveView(); view != nullptr && IsWindow(view)) return view;
        return frame;
    }
    if (CWnd* active = CWnd::GetActiveWindow(); active != nullptr && IsWindow(active)) return active;
    const auto& windows = WindowManager::Instance().TopLevelWindows();
    return windows.empty() ? nullptr : windows.back();
}

CPoint HeadlessDriver::ToScreen(CPoint client) const {
    if (CWnd* target = Target()) target->ClientToScreen(&client);
    return client;
}

void HeadlessDriver::PenDown(CPoint client) { PenDownScreen(ToScreen(client)); }
void HeadlessDriver::PenMove(CPoint client) { PenMoveScreen(ToScreen(client)); }
void HeadlessDriver::PenUp(CPoint client) { PenUpScreen(ToScreen(client)); }

void HeadlessDriver::Tap(CPoint client) {
    const CPoint screen = ToScreen(client);
    PenDownScreen(screen);
    PenUpScreen(screen);
}

void HeadlessDriver::TapWindow(CWnd* window) {
    if (window == nullptr || !IsWindow(window)) return;
    CRect area;
    window->GetWindowRect(&area);
    const CPoint centre = area.CenterPoint();
    PenDownScreen(centre);
    PenUpScreen(centre);
}

void HeadlessDriver::TapDlgItem(CWnd* dialog, int id) {
    if (dialog != nullptr && IsWindow(dialog)) TapWindow(dialog->GetDlgItem(id));
}

void HeadlessDriver::PenDownScreen(CPoint screen) {
    WindowManager::Instance().PenDown(screen);
    Pump();
}

void HeadlessDriver::PenMoveScreen(CPoint screen) {
    WindowManager::Instance().PenMove(screen);
    Pump();
}

void HeadlessDriver::PenUpScreen(CPoint screen) {
    WindowManager::Instance().PenUp(screen);
    Pump();
}

void HeadlessDriver::KeyDown(UINT virtualKey) {
    WindowManager::Instance().Key(virtualKey, true);
    Pump();
}

void HeadlessDriver::KeyUp(UINT virtualKey) {
    WindowManager::Instance().Key(virtualKey, false);
    Pump();
}

void HeadlessDriver::Key(UINT virtualKey) {
    KeyDown(virtualKey);
    KeyUp(virtualKey);
}

void HeadlessDriver::AdvanceTime(DWORD ms) {
    Pump();
    DWORD remaining = ms;
    while (remaining > 0) {
        DWORD due = 0;
        const DWORD now = m_clock.Now();
        DWORD step = remaining;
        if (NextTimerDue(&due) && due - now <= remaining) step = due - now;
        m_clock.Advance(step);
        remaining -= step;
        const int dispatched = Pump();
        if (step == 0 && dispatched == 0) {
            m_clock.Advance(1);  // a timer of another thread; keep time moving
            --remaining;
        }
    }
}

int HeadlessDriver::Pump() { return PumpWaitingMessages(); }

void HeadlessDriver::OnDialog(UINT templateId, DialogScript script) {
    m_dialogScripts[templateId].push_back(std::move(script));
}

void HeadlessDriver::AnswerMessageBox(int answer) { m_messageBoxAnswers.push_back(answer); }

void HeadlessDriver::AnswerFileDialog(std::optional<CString> path) { m_fileAnswers.push_back(std::move(path)); }

COLORREF HeadlessDriver::PixelAt(int x, int y) {
    WindowManager& manager = WindowManager::Instance();
    cairo_surface_t* screen = manager.ScreenSurface();
    manager.PaintInvalid();
    if (x < 0 || y < 0 || x >= kScreenWidth || y >= kScreenHeight) return 0;
    cairo_surface_flush(screen);
    const unsigned char* data = cairo_image_surface_get_data(screen);
    const int stride = cairo_image_surface_get_stride(screen);
    const auto pixel = *reinterpret_cast<const std::uint32_t*>(data + y * stride + x * 4);
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

bool HeadlessDriver::SaveFramePng(const std::string& path) {
    WindowManager& manager = WindowManager::Instance();
    cairo_surface_t* screen = manager.ScreenSurface();
    manager.PaintInvalid();
    return cairo_surface_write_to_png(screen, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

BOOL HeadlessDriver::WaitForEvents(DWORD) {
    // The newest dialog that is up and has not had its script yet.
    for (auto it = m_pending.rbegin(); it != m_pending.rend(); ++it) {
        if (!it->script) continue;
        Pending step = std::move(*it);
        it->script = nullptr;
        if (IsWindow(step.dialog)) {
            step.script(step.dialog, *this);
            return TRUE;
        }
    }
    std::erase_if(m_pending, [](const Pending& p) { return !p.script; });
    return FALSE;  // nothing more will come: the open dialog ends
}

void HeadlessDriver::Beep(UINT) { ++m_beeps; }

void HeadlessDriver::SetWaitCursor(bool on) { m_waitCursor = on; }

void HeadlessDriver::BringToFront() { ++m_frontRequests; }

void HeadlessDriver::DialogShown(UINT templateId, CWnd* dialog) {
    m_shownDialogs.push_back(templateId);
    auto& scripts = m_dialogScripts[templateId];
    if (scripts.empty()) return;
    m_pending.push_back(Pending{dialog, std::move(scripts.front())});
    scripts.pop_front();
}

std::optional<int> HeadlessDriver::MessageBoxAnswer(const CString& text, const CString& caption, UINT type) {
    int answer = DefaultAnswer(type);
    if (!m_messageBoxAnswers.empty()) {
        answer = m_messageBoxAnswers.front();
        m_messageBoxAnswers.pop_front();
    }
    m_messageBoxes.push_back(MessageBoxRecord{text, caption, type, answer});
    return answer;
}

std::optional<std::optional<CString>> HeadlessDriver::FileDialogAnswer(const FileDialogRequest& request) {
    m_fileDialogs.push_back(request);
    if (m_fileAnswers.empty()) return std::optional<CString>{};
    auto answer = std::move(m_fileAnswers.front());
    m_fileAnswers.pop_front();
    return answer;
}
