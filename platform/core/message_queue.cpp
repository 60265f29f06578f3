#include <algorithm>
#include <condition_variable>
#include <deque>
#include <future>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include "backend.h"
#include "c_wnd.h"
#include "clock.h"
#include "thread_queue.h"
#include "window_manager.h"

namespace {

struct QueuedMessage {
    MSG msg;
    std::shared_ptr<std::promise<LRESULT>> reply;  // set for a send from another thread
};

struct Timer {
    HWND window;
    UINT_PTR id;
    DWORD period;
    DWORD due;
};

struct ThreadQueue {
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<QueuedMessage> messages;
    std::vector<Timer> timers;  // in the order they were set
    bool quit = false;
    int exitCode = 0;
    int windows = 0;
};

std::mutex& RegistryMutex() {
    static std::mutex mutex;
    return mutex;
}

std::map<HWND, std::shared_ptr<ThreadQueue>>& WindowQueues() {
    static std::map<HWND, std::shared_ptr<ThreadQueue>> queues;
    return queues;
}

std::shared_ptr<ThreadQueue>& CurrentQueue() {
    thread_local std::shared_ptr<ThreadQueue> queue = std::make_shared<ThreadQueue>();
    return queue;
}

std::shared_ptr<ThreadQueue> QueueOf(HWND window) {
    std::lock_guard lock(RegistryMutex());
    const auto it = WindowQueues().find(window);
    return it == WindowQueues().end() ? nullptr : it->second;
}

bool InRange(UINT message, UINT first, UINT last) {
    return (first == 0 && last == 0) || (message >= first && message <= last);
}

bool Matches(const MSG& msg, HWND window, UINT first, UINT last) {
    return (window == nullptr || msg.hwnd == window) && InRange(msg.message, first, last);
}

bool Due(DWORD now, DWORD due) { return static_cast<std::int32_t>(now - due) >= 0; }

void Enqueue(const std::shared_ptr<ThreadQueue>& queue, QueuedMessage item) {
    {
        std::lock_guard lock(queue->mutex);
        queue->messages.push_back(std::move(item));
    }
    queue->changed.notify_all();
    if (queue != CurrentQueue()) PlatformBackend().Wake();
}

// Sends from other threads are answered first, whatever the filter.
bool AnswerOneSend(ThreadQueue& queue) {
    QueuedMessage item;
    {
        std::lock_guard lock(queue.mutex);
        const auto it = std::find_if(queue.messages.begin(), queue.messages.end(),
                                     [](const QueuedMessage& m) { return m.reply != nullptr; });
        if (it == queue.messages.end()) return false;
        item = std::move(*it);
        queue.messages.erase(it);
    }
    item.reply->set_value(IsWindow(item.msg.hwnd) ? WindowManager::Instance().Deliver(
                                                         item.msg.hwnd, item.msg.message, item.msg.wParam,
                                                         item.msg.lParam)
                                                   : 0);
    return true;
}

bool TakePosted(ThreadQueue& queue, LPMSG msg, HWND window, UINT first, UINT last, bool remove) {
    std::lock_guard lock(queue.mutex);
    const auto it = std::find_if(queue.messages.begin(), queue.messages.end(),
                                 [&](const QueuedMessage& m) {
                                     return m.reply == nullptr && Matches(m.msg, window, first, last);
                                 });
    if (it == queue.messages.end()) return false;
    *msg = it->msg;
    if (remove) queue.messages.erase(it);
    return true;
}

bool TakePaint(LPMSG msg, HWND window, UINT first, UINT last) {
    if (window != nullptr || !InRange(WM_PAINT, first, last) || !IsWindowThread()) return false;
    if (!WindowManager::Instance().HasInvalid()) return false;
    *msg = MSG{};
    msg->message = WM_PAINT;  // a null window paints every invalid one
    msg->time = GetTickCount();
    return true;
}

bool TakeTimer(ThreadQueue& queue, LPMSG msg, HWND window, UINT first, UINT last, bool remove) {
    if (!InRange(WM_TIMER, first, last)) return false;
    const DWORD now = GetTickCount();
    std::lock_guard lock(queue.mutex);
    Timer* earliest = nullptr;
    for (Timer& t : queue.timers) {
        if ((window != nullptr && t.window != window) || !Due(now, t.due)) continue;
        if (earliest == nullptr || static_cast<std::int32_t>(t.due - earliest->due) < 0) earliest = &t;
    }
    if (earliest == nullptr) return false;
    *msg = MSG{earliest->window, WM_TIMER, earliest->id, 0, now, {0, 0}};
    if (remove) earliest->due = now + earliest->period;
    return true;
}

}  // namespace

void RegisterWindowThread(HWND window) {
    std::lock_guard lock(RegistryMutex());
    WindowQueues()[window] = CurrentQueue();
    ++CurrentQueue()->windows;
}

void UnregisterWindowThread(HWND window) {
    std::shared_ptr<ThreadQueue> queue;
    {
        std::lock_guard lock(RegistryMutex());
        const auto it = WindowQueues().find(window);
        if (it == WindowQueues().end()) return;
        queue = it->second;
        WindowQueues().erase(it);
    }
    std::deque<QueuedMessage> dropped;
    {
        std::lock_guard lock(queue->mutex);
        --queue->windows;
        std::erase_if(queue->timers, [&](const Timer& t) { return t.window == window; });
        for (auto it = queue->messages.begin(); it != queue->messages.end();) {
            if (it->msg.hwnd == window) {
                dropped.push_back(std::move(*it));
                it = queue->messages.erase(it);
            } else {
                ++it;
            }
        }
    }
    for (auto& item : dropped)
        if (item.reply) item.reply->set_value(0);
}

bool IsWindowThread() { return CurrentQueue()->windows > 0; }

bool NextTimerDue(DWORD* due) {
    ThreadQueue& queue = *CurrentQueue();
    std::lock_guard lock(queue.mutex);
    if (queue.timers.empty()) return false;
    const DWORD now = GetTickCount();
    DWORD best = queue.timers.front().due;
    for (const Timer& t : queue.timers)
        if (static_cast<std::int32_t>(t.due - best) < 0) best = t.due;
    *due = Due(now, best) ? now : best;
    return true;
}

void QueueInputMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, POINT screen) {
    const auto queue = QueueOf(window);
    if (queue) Enqueue(queue, QueuedMessage{MSG{window, message, wParam, lParam, GetTickCount(), screen}, nullptr});
}

BOOL IsWindow(HWND window) {
    if (window == nullptr) return FALSE;
    std::lock_guard lock(RegistryMutex());
    return WindowQueues().count(window) ? TRUE : FALSE;
}

BOOL PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto queue = QueueOf(window);
    if (!queue) return FALSE;
    Enqueue(queue, QueuedMessage{MSG{window, message, wParam, lParam, GetTickCount(), {0, 0}}, nullptr});
    return TRUE;
}

LRESULT SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto queue = QueueOf(window);
    if (!queue) return 0;
    if (queue == CurrentQueue()) return WindowManager::Instance().Deliver(window, message, wParam, lParam);
    auto reply = std::make_shared<std::promise<LRESULT>>();
    auto answer = reply->get_future();
    Enqueue(queue, QueuedMessage{MSG{window, message, wParam, lParam, GetTickCount(), {0, 0}}, reply});
    // Answer sends aimed at this thread meanwhile, so two threads sending to
    // each other do not wait forever.
    while (answer.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready)
        while (AnswerOneSend(*CurrentQueue())) {}
    return answer.get();
}

BOOL PeekMessage(LPMSG msg, HWND window, UINT first, UINT last, UINT removeFlags) {
    ThreadQueue& queue = *CurrentQueue();
    while (AnswerOneSend(queue)) {}
    const bool remove = (removeFlags & PM_REMOVE) != 0;
    {
        std::lock_guard lock(queue.mutex);
        if (queue.quit && InRange(WM_QUIT, first, last)) {
            *msg = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(queue.exitCode), 0, GetTickCount(), {0, 0}};
            if (remove) queue.quit = false;
            return TRUE;
        }
    }
    if (TakePosted(queue, msg, window, first, last, remove)) return TRUE;
    if (TakePaint(msg, window, first, last)) return TRUE;
    return TakeTimer(queue, msg, window, first, last, remove) ? TRUE : FALSE;
}

BOOL GetMessage(LPMSG msg, HWND window, UINT first, UINT last) {
    ThreadQueue& queue = *CurrentQueue();
    for (;;) {
        if (PeekMessage(msg, window, first, last, PM_REMOVE)) return msg->message == WM_QUIT ? FALSE : TRUE;
        DWORD due = 0;
        DWORD timeout = INFINITE;
        if (NextTimerDue(&due)) timeout = due - GetTickCount();
        if (IsWindowThread()) {
            if (!PlatformBackend().WaitForEvents(timeout)) {
                *msg = MSG{nullptr, WM_QUIT, 0, 0, GetTickCount(), {0, 0}};
                return FALSE;
            }
        } else {
            std::unique_lock lock(queue.mutex);
            queue.changed.wait_for(lock, std::chrono::milliseconds(std::min<DWORD>(timeout, 50)));
        }
    }
}

LRESULT DispatchMessage(const MSG* msg) {
    if (msg->message == WM_PAINT && msg->hwnd == nullptr) {
        WindowManager::Instance().PaintInvalid();
        return 0;
    }
    if (!IsWindow(msg->hwnd)) return 0;
    return WindowManager::Instance().Deliver(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

void PostQuitMessage(int exitCode) {
    ThreadQueue& queue = *CurrentQueue();
    {
        std::lock_guard lock(queue.mutex);
        queue.quit = true;
        queue.exitCode = exitCode;
    }
    queue.changed.notify_all();
}

int PumpWaitingMessages() {
    int count = 0;
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));  // leave it for the loop that owns it
            break;
        }
        if (!WindowManager::Instance().PreTranslate(&msg)) DispatchMessage(&msg);
        ++count;
    }
    return count;
}

UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapseMs, void*) {
    std::shared_ptr<ThreadQueue> queue = window ? QueueOf(window) : CurrentQueue();
    if (!queue) return 0;
    const DWORD period = std::max<UINT>(elapseMs, 1);
    std::lock_guard lock(queue->mutex);
    if (window == nullptr) {
        UINT_PTR next = 1;
        for (const Timer& t : queue->timers)
            if (t.window == nullptr) next = std::max(next, t.id + 1);
        id = next;
    }
    const DWORD due = GetTickCount() + period;
    for (Timer& t : queue->timers) {
        if (t.window == window && t.id == id) {
            t.period = period;
            t.due = due;
            return id;
        }
    }
    queue->timers.push_back(Timer{window, id, period, due});
    return id;
}

BOOL KillTimer(HWND window, UINT_PTR id) {
    std::shared_ptr<ThreadQueue> queue = window ? QueueOf(window) : CurrentQueue();
    if (!queue) return FALSE;
    std::lock_guard lock(queue->mutex);
    const auto removed = std::erase_if(queue->timers, [&](const Timer& t) { return t.window == window && t.id == id; });
    // A WM_TIMER already taken but not yet dispatched is harmless; queued
    // ones do not exist (timers are produced on demand).
    return removed > 0 ? TRUE : FALSE;
}
