#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>

// Bytes done of a total, with the rate, redrawn in place on a terminal; silent otherwise, so
// that logs of scripted builds stay clean.
class CProgressBar {
public:
    CProgressBar(std::FILE* terminal, uint64_t total);
    ~CProgressBar();

    void Advance(uint64_t bytes);

private:
    void Draw(bool last);

    std::FILE* m_out;
    bool m_enabled;
    uint64_t m_total;
    uint64_t m_done = 0;
    std::chrono::steady_clock::time_point m_start;
    std::chrono::steady_clock::time_point m_lastDraw;
};
