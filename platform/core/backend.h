// What differs between the headless run and the real window: waiting for
// input, showing the screen, sounds, cursors, and the answers a script gives
// in place of a user. The layer's code is the same with either backend.
#pragma once

#include <optional>

#include "c_string.h"
#include "win_types.h"

class CWnd;

struct FileDialogRequest {
    bool open = true;        // false: Save
    CString suggestion;      // initial file name
    CString filter;          // "FloorPlans (*.fpl)|*.fpl||"
    CString defaultExtension;
    bool overwritePrompt = false;
};

class CBackend {
public:
    virtual ~CBackend() = default;

    // Waits up to timeoutMs (INFINITE: no limit) for outside events (input,
    // wake-ups) and feeds them into the queues. FALSE when no event can
    // arrive any more: a headless run whose script is exhausted.
    virtual BOOL WaitForEvents(DWORD timeoutMs);
    // Another thread posted a message to the user-interface thread.
    virtual void Wake();
    // The screen changed inside this rectangle (screen pixels).
    virtual void Present(const RECT& changed);
    virtual void Beep(UINT type);
    virtual void SetWaitCursor(bool on);
    // A second start asked for the running window.
    virtual void BringToFront();

    // A dialog built from template id is about to run modally; a script may
    // act on it (set controls, press buttons) through messages.
    virtual void DialogShown(UINT templateId, CWnd* dialog);
    // Scripted answer for a message box, if the script has one.
    virtual std::optional<int> MessageBoxAnswer(const CString& text, const CString& caption, UINT type);
    // Scripted answer for a file dialog: the chosen path, or an empty
    // optional inside for Cancel. No value: ask the user.
    virtual std::optional<std::optional<CString>> FileDialogAnswer(const FileDialogRequest& request);
};

constexpr DWORD INFINITE = 0xFFFFFFFF;

// The installed backend (a do-nothing headless one unless set). The installer
// keeps ownership and restores the previous one.
CBackend& PlatformBackend();
CBackend* SetPlatformBackend(CBackend* backend);
