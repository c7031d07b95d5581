#include "ui/CMessageWait.h"

CMessageWait::CMessageWait(int32_t timeoutSeconds, bool withCancel, uint32_t startTick)
    // The limit is kept in 64 bits: a limit of more than 24 days would wrap in 32-bit
    // milliseconds and end the wait at once.
    : m_limitMs(timeoutSeconds >= 1 ? uint64_t(timeoutSeconds) * 1000 : 0),
      m_withCancel(withCancel),
      m_startTick(startTick)
{
}

bool CMessageWait::Finished(int32_t result, uint32_t nowTick)
{
    if (result == 1) {
        m_answer = 1;
        return true;
    }
    if (result == 2) {
        m_answer = m_withCancel ? 0 : 1;
        return true;
    }
    // Unsigned difference: correct across the wrap of the tick counter.
    uint32_t elapsed = nowTick - m_startTick;
    if (m_limitMs != 0 && elapsed >= m_limitMs) {
        m_answer = 1;
        return true;
    }
    return false;
}
