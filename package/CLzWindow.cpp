#include "package/CLzWindow.h"

#include <cstring>
#include <new>

namespace {

// Room for new bytes behind the history: a slide moves 2^D bytes once per this many.
const uint32_t kRoom = 64 * 1024;
// Behind the room: what a match copied in blocks of 8 may write beyond its end (at most 24
// bytes from its start).
const uint32_t kSlack = 32;

} // namespace

CLzWindow::CLzWindow(int distanceBits, int lengthBits)
    : m_distanceBits(distanceBits),
      m_lengthBits(lengthBits),
      m_historySize(1u << distanceBits),
      m_minimumExtra(static_cast<uint32_t>(distanceBits + lengthBits + 1) / 9),
      m_maximumCopy((1u << lengthBits) + m_minimumExtra),
      m_capacity(m_historySize + kRoom),
      m_write(m_historySize)
{
    m_buffer = new (std::nothrow) uint8_t[m_capacity + kSlack];
    // A fixed filling: a valid package never reads history it has not produced.
    if (m_buffer)
        std::memset(m_buffer, 0, m_historySize);
}

CLzWindow::~CLzWindow() { delete[] m_buffer; }

uint32_t CLzWindow::Slide()
{
    const uint32_t shift = m_write - m_historySize;
    std::memmove(m_buffer, m_buffer + shift, m_historySize);
    m_write = m_historySize;
    return shift;
}

