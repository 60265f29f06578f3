// Internal calls between the message queues, the windows and the backends.
#pragma once

#include "messages.h"

// A window belongs to the thread that created it; its messages and timers
// live in that thread's queue. Unregistering drops both.
void RegisterWindowThread(HWND window);
void UnregisterWindowThread(HWND window);
// Whether the calling thread owns windows (the user-interface thread).
bool IsWindowThread();
// The earliest due time of the calling thread's timers; false when none.
bool NextTimerDue(DWORD* due);
// Puts a message into the queue of the window's thread without checking
// that the window lives (input from the backends, already checked).
void QueueInputMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, POINT screen);
