#include "clock.h"

#include <atomic>
#include <chrono>
#include <thread>

DWORD RealClock::Now() const {
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<DWORD>(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

void RealClock::SleepFor(DWORD ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

DWORD VirtualClock::Now() const {
    std::lock_guard lock(m_mutex);
    return m_now;
}

void VirtualClock::SleepFor(DWORD ms) {
    std::unique_lock lock(m_mutex);
    const DWORD start = m_now;
    ++m_sleepers;
    m_changed.wait(lock, [&] { return m_released || static_cast<DWORD>(m_now - start) >= ms; });
    --m_sleepers;
}

int VirtualClock::Sleepers() const {
    std::lock_guard lock(m_mutex);
    return m_sleepers;
}

void VirtualClock::Advance(DWORD ms) {
    {
        std::lock_guard lock(m_mutex);
        m_now += ms;
    }
    m_changed.notify_all();
}

void VirtualClock::Release() {
    {
        std::lock_guard lock(m_mutex);
        m_released = true;
    }
    m_changed.notify_all();
}

namespace {

RealClock& TheRealClock() {
    static RealClock clock;
    return clock;
}

std::atomic<IClock*>& Installed() {
    static std::atomic<IClock*> clock{nullptr};
    return clock;
}

}  // namespace

IClock& PlatformClock() {
    IClock* clock = Installed().load();
    return clock ? *clock : TheRealClock();
}

IClock* SetPlatformClock(IClock* clock) { return Installed().exchange(clock); }

DWORD GetTickCount() { return PlatformClock().Now(); }

void Sleep(DWORD ms) { PlatformClock().SleepFor(ms); }
