// The platform clock: the real one in the window, a virtual one in tests that
// moves only when told. Timers, the long press and sleeping follow it.
#pragma once

#include <condition_variable>
#include <mutex>

#include "win_types.h"

class IClock {
public:
    virtual ~IClock() = default;
    // Milliseconds since an arbitrary start; wraps like the tick count.
    virtual DWORD Now() const = 0;
    virtual void SleepFor(DWORD ms) = 0;
};

class RealClock : public IClock {
public:
    DWORD Now() const override;
    void SleepFor(DWORD ms) override;
};

class VirtualClock : public IClock {
public:
    explicit VirtualClock(DWORD start = 0) : m_now(start) {}
    DWORD Now() const override;
    // Blocks until the clock has been advanced by ms (or released).
    void SleepFor(DWORD ms) override;
    void Advance(DWORD ms);
    // Lets every sleeper return at once; later sleeps return immediately.
    void Release();
    // How many threads sleep on this clock now.
    int Sleepers() const;

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    DWORD m_now;
    bool m_released = false;
    int m_sleepers = 0;
};

// The process-wide clock: the real clock unless one is installed. The
// installer keeps ownership and must restore the previous clock.
IClock& PlatformClock();
IClock* SetPlatformClock(IClock* clock);

// Restores the previous clock on every path.
class ScopedClock {
public:
    explicit ScopedClock(IClock& clock) : m_previous(SetPlatformClock(&clock)) {}
    ~ScopedClock() { SetPlatformClock(m_previous); }
    ScopedClock(const ScopedClock&) = delete;
    ScopedClock& operator=(const ScopedClock&) = delete;

private:
    IClock* m_previous;
};

DWORD GetTickCount();
void Sleep(DWORD ms);
