#include "tools/mkinstaller/CProgressBar.h"

#ifdef _WIN32
#include <io.h>
#define PROGRESS_ISATTY _isatty
#define PROGRESS_FILENO _fileno
#else
#include <unistd.h>
#define PROGRESS_ISATTY isatty
#define PROGRESS_FILENO fileno
#endif

CProgressBar::CProgressBar(std::FILE* terminal, uint64_t total)
    : m_out(terminal), m_enabled(PROGRESS_ISATTY(PROGRESS_FILENO(terminal)) != 0), m_total(total),
      m_start(std::chrono::steady_clock::now()), m_lastDraw(m_start)
{
}

CProgressBar::~CProgressBar()
{
    if (m_enabled) {
        Draw(true);
        std::fputc('\n', m_out);
    }
}

void CProgressBar::Advance(uint64_t bytes)
{
    m_done += bytes;
    if (!m_enabled)
        return;
    const auto now = std::chrono::steady_clock::now();
    if (now - m_lastDraw >= std::chrono::milliseconds(100)) {
        m_lastDraw = now;
        Draw(false);
    }
}

void CProgressBar::Draw(bool)
{
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
    const double rate = seconds > 0 ? double(m_done) / seconds / 1e6 : 0.0;
    const int width = 30;
    const int filled = m_total ? int(double(width) * double(m_done) / double(m_total)) : width;
    char bar[width + 1];
    for (int i = 0; i < width; ++i)
        bar[i] = i < filled ? '#' : '-';
    bar[width] = 0;
    std::fprintf(m_out, "\r[%s] %llu/%llu bytes %.1f MB/s", bar, (unsigned long long)m_done,
                 (unsigned long long)m_total, rate);
    std::fflush(m_out);
}
