#include "framework/LTimer.h"

#include "framework/LMessageNames.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <chrono>
#endif

namespace {

LListOf<LTimer>& Running()
{
    static LListOf<LTimer> list;
    return list;
}

// Milliseconds on a clock that never goes back; only differences are used, so wrapping is fine.
uint32_t SteadyClock()
{
#if defined(_WIN32)
    return GetTickCount();
#else
    using namespace std::chrono;
    return static_cast<uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
#endif
}

// Null means the steady clock: no initialised data in the image for a pointer.
LTimer::Clock g_clock = nullptr;
LTimer::ArmHook g_armHook = nullptr;
// Serial of the idle pass in progress; timers remember the serial under which they started.
uint32_t g_pass = 0;

uint32_t DueTick(const LTimer* timer)
{
    return timer->StartTick() + static_cast<uint32_t>(timer->Timeout());
}

} // namespace

LTimer::~LTimer()
{
    Stop();
}

void LTimer::SetClock(Clock clock)
{
    g_clock = clock;
}

uint32_t LTimer::Now()
{
    return g_clock ? g_clock() : SteadyClock();
}

void LTimer::SetArmHook(ArmHook hook)
{
    g_armHook = hook;
}

void LTimer::Start(int32_t timeoutMs)
{
    Stop();
    m_start = Now();
    m_timeout = timeoutMs;
    m_pass = g_pass;
    // Behind every running timer due at the same time or earlier.
    const uint32_t due = DueTick(this);
    LTimer* after = nullptr;
    for (LTimer* timer : Running()) {
        if (static_cast<int32_t>(DueTick(timer) - due) > 0)
            break;
        after = timer;
    }
    Running().InsertAfter(after, this);
    if (g_armHook)
        g_armHook();
}

void LTimer::Stop()
{
    Running().Remove(this);
}

bool LTimer::IsDueAt(uint32_t now) const
{
    return static_cast<int32_t>(now - m_start) >= m_timeout;
}

int32_t LTimer::RemainingAt(uint32_t now) const
{
    const int32_t remaining = m_timeout - static_cast<int32_t>(now - m_start);
    return remaining > 0 ? remaining : 0;
}

LTimer* LTimer::FirstRunning()
{
    return Running().First();
}

int32_t LTimer::DelayToFirstDue()
{
    LTimer* first = Running().First();
    return first ? first->RemainingAt(Now()) : 2147483647;
}

void LTimer::ExpireDue()
{
    const uint32_t pass = ++g_pass;
    const uint32_t now = Now();
    for (;;) {
        LTimer* first = Running().First();
        if (!first || first->m_pass == pass || !first->IsDueAt(now))
            return;
        Running().Remove(first);
        Send(LTimer_Expire, first, first->Next());
    }
}
