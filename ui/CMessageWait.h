#pragma once

#include <cstdint>

// The answer rule of the simple message dialog's wait loop, apart from the window that shows
// it. After every handled message the dialog hands its result here: the default button
// answers 1 at once, the escape button leaves the wait, and an optional time limit answers 1
// when it has run out. Without a Cancel button every way out counts as OK.
class CMessageWait {
public:
    // `timeoutSeconds` below 1 means no time limit.
    CMessageWait(int32_t timeoutSeconds, bool withCancel, uint32_t startTick);

    // Called after each modal step with the dialog's result (0 waiting, 1 default, 2 escape)
    // and the current millisecond tick; true when the wait is over.
    bool Finished(int32_t result, uint32_t nowTick);

    // 1 (go on) or 0 (stop); valid once Finished returned true.
    int32_t Answer() const { return m_answer; }

private:
    uint64_t m_limitMs;
    bool m_withCancel;
    uint32_t m_startTick;
    int32_t m_answer = 0;
};
