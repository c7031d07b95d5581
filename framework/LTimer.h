#pragma once

#include "framework/LHandler.h"
#include "framework/LList.h"

#include <cstdint>

// One-shot timer. While running it sits in the process-wide list of running timers, which is
// kept sorted by due time (start plus timeout); idle processing sends "LTimer_Expire" (the timer
// as param) to its next, its owner, once it is due. A timer may be restarted from its own
// expiry notice.
class LTimer : public LHandler, public LListNode {
public:
    explicit LTimer(LHandler* owner) : LHandler(owner) {}
    ~LTimer() override;

    void Start(int32_t timeoutMs);
    void Stop();
    bool IsRunning() const { return IsLinked(); }

    uint32_t StartTick() const { return m_start; }
    int32_t Timeout() const { return m_timeout; }

    // Milliseconds from `now` until the timer is due; 0 when it is overdue.
    int32_t RemainingAt(uint32_t now) const;

    // The tick source (milliseconds, wrapping at 2^32). The application sets GetTickCount;
    // tests set a fake one. Without one a steady clock of the process is used.
    using Clock = uint32_t (*)();
    static void SetClock(Clock clock);
    static uint32_t Now();
    // Called whenever a timer starts, so that the thread timer that triggers idle processing
    // can be re-armed for the new first due time.
    using ArmHook = void (*)();
    static void SetArmHook(ArmHook hook);

    // Delay until the first running timer is due, or 2147483647 ms when none runs.
    static int32_t DelayToFirstDue();
    // Sends "LTimer_Expire" for every timer due at one reading of the clock, earliest first,
    // timers of equal due time in the order they were started. A timer started while the pass
    // runs waits for the next pass, so that a timer restarted with timeout 0 from its own
    // expiry cannot hold the thread in the pass forever.
    static void ExpireDue();
    static LTimer* FirstRunning();

private:
    bool IsDueAt(uint32_t now) const;

    uint32_t m_start = 0;
    int32_t m_timeout = 0;
    uint32_t m_pass = 0;
};
