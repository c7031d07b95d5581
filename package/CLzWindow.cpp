#include "package/CLzWindow.h"

#include <cstring>
#include <new>

CLzWindow::CLzWindow(int distanceBits, int lengthBits)
    : m_distanceBits(distanceBits),
      m_lengthBits(lengthBits),
      m_windowSize(1u << distanceBits),
      m_minimumExtra(static_cast<uint32_t>(distanceBits + lengthBits + 1) / 9),
      m_maximumCopy((1u << lengthBits) + m_minimumExtra)
{
    m_window = new (std::nothrow) uint8_t[m_windowSize];
    m_copy = new (std::nothrow) uint8_t[m_maximumCopy];
    // A fixed filling: a valid package never reads history it has not produced.
    if (m_window)
        std::memset(m_window, 0, m_windowSize);
}

CLzWindow::~CLzWindow()
{
    delete[] m_window;
    delete[] m_copy;
}

uint32_t CLzWindow::CopyMatch(uint32_t distance, uint32_t lengthField)
{
    if (!IsReady())
        return 0;
    uint32_t count = lengthField + 1 + m_minimumExtra;
    if (count > m_maximumCopy)
        count = m_maximumCopy;
    for (uint32_t i = 0; i < count; ++i) {
        uint8_t b = m_window[(m_writePosition - distance) & (m_windowSize - 1)];
        m_copy[i] = b;
        StoreByte(b);
    }
    return count;
}
