#include "package/CLzWindow.h"

#include "package/ShortCopy.h"

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
    const uint32_t mask = m_windowSize - 1;
    const uint32_t from = (m_writePosition - distance) & mask;
    // Neither end wraps and the source lies wholly behind what is written: one block copy.
    if (distance >= count && from + count <= m_windowSize && m_writePosition + count <= m_windowSize) {
        CopyShort(m_copy, m_window + from, count);
        CopyShort(m_window + m_writePosition, m_copy, count);
        m_writePosition = (m_writePosition + count) & mask;
        return count;
    }
    for (uint32_t i = 0; i < count; ++i) {
        uint8_t b = m_window[(m_writePosition - distance) & mask];
        m_copy[i] = b;
        StoreByte(b);
    }
    return count;
}
