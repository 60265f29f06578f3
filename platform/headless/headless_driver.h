// The headless backend: drives the layer from a test or a script. Pen input
// at client pixels, keys, time on a virtual clock, scripted answers for
// dialogs, message boxes and file dialogs, and the screen as a PNG frame.
// While it lives it is the platform's backend and its clock is the platform
// clock; both are restored when it ends.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "backend.h"
#include "c_rect.h"
#include "clock.h"

class CWnd;

struct MessageBoxRecord {
    CString text;
    CString caption;
    UINT type = 0;
    int answer = 0;
};

class HeadlessDriver : public CBackend {
public:
    using DialogScript = std::function<void(CWnd* dialog, HeadlessDriver& driver)>;

    explicit HeadlessDriver(DWORD startTime = 1000);
    ~HeadlessDriver() override;
    HeadlessDriver(const HeadlessDriver&) = delete;
    HeadlessDriver& operator=(const HeadlessDriver&) = delete;

    VirtualClock& Clock() { return m_clock; }

    // The window whose client pixels pen calls use; by default the main
    // frame's active view, else the active window.
    void SetTarget(CWnd* window) { m_target = window; }
    CWnd* Target() const;

    // Each call delivers its input and dispatches everything that follows.
    void PenDown(CPoint client);
    void PenMove(CPoint client);
    void PenUp(CPoint client);
    void Tap(CPoint client);
    // A tap on a window's centre (a control of a dialog).
    void TapWindow(CWnd* window);
    void TapDlgItem(CWnd* dialog, int id);
    void PenDownScreen(CPoint screen);
    void PenMoveScreen(CPoint screen);
    void PenUpScreen(CPoint screen);
    void KeyDown(UINT virtualKey);
    void KeyUp(UINT virtualKey);
    void Key(UINT virtualKey);
    // Moves the virtual clock, firing due timers in their order on the way.
    void AdvanceTime(DWORD ms);
    // Dispatches every waiting message, paint and due timer.
    int Pump();

    // Scripts: each showing of a dialog built from the template takes the
    // next script queued for that id and runs it once the dialog is up.
    // Without one the dialog ends with IDCANCEL.
    void OnDialog(UINT templateId, DialogScript script);
    // Message box answers in order; without one the default button answers.
    void AnswerMessageBox(int answer);
    const std::vector<MessageBoxRecord>& MessageBoxes() const { return m_messageBoxes; }
    // File dialog answers in order (none: Cancel); without one: Cancel.
    void AnswerFileDialog(std::optional<CString> path);
    const std::vector<FileDialogRequest>& FileDialogs() const { return m_fileDialogs; }
    const std::vector<UINT>& ShownDialogs() const { return m_shownDialogs; }

    int Beeps() const { return m_beeps; }
    bool WaitCursorShown() const { return m_waitCursor; }
    int FrontRequests() const { return m_frontRequests; }

    // The screen after painting everything invalid.
    COLORREF PixelAt(int x, int y);
    bool SaveFramePng(const std::string& path);

    // CBackend
    BOOL WaitForEvents(DWORD timeoutMs) override;
    void Beep(UINT type) override;
    void SetWaitCursor(bool on) override;
    void BringToFront() override;
    void DialogShown(UINT templateId, CWnd* dialog) override;
    std::optional<int> MessageBoxAnswer(const CString& text, const CString& caption, UINT type) override;
    std::optional<std::optional<CString>> FileDialogAnswer(const FileDialogRequest& request) override;

private:
    CPoint ToScreen(CPoint client) const;

    VirtualClock m_clock;
    IClock* m_previousClock;
    CBackend* m_previousBackend;
    CWnd* m_target = nullptr;
    std::map<UINT, std::deque<DialogScript>> m_dialogScripts;
    struct Pending {
        CWnd* dialog;
        DialogScript script;
    };
    std::vector<Pending> m_pending;
    std::deque<int> m_messageBoxAnswers;
    std::vector<MessageBoxRecord> m_messageBoxes;
    std::deque<std::optional<CString>> m_fileAnswers;
    std::vector<FileDialogRequest> m_fileDialogs;
    std::vector<UINT> m_shownDialogs;
    int m_beeps = 0;
    bool m_waitCursor = false;
    int m_frontRequests = 0;
};
