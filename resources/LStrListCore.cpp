#include "resources/LStrListCore.h"

#include <cstring>

void LStrListCore::Attach(const void* data, size_t size)
{
    m_data = nullptr;
    m_size = 0;
    m_count = 0;
    Rewind();
    if (!data || size < 2)
        return;
    m_data = static_cast<const uint8_t*>(data);
    m_size = size;
    const int16_t count = static_cast<int16_t>(m_data[0] | (m_data[1] << 8));
    m_count = count > 0 ? count : 0;
}

void LStrListCore::Rewind()
{
    m_cursorIndex = 0;
    m_cursorOffset = 2;
}

bool LStrListCore::StepForward()
{
    if (m_cursorOffset >= m_size)
        return false;
    const void* end = std::memchr(m_data + m_cursorOffset, 0, m_size - m_cursorOffset);
    if (!end)
        return false;
    m_cursorOffset = static_cast<uint32_t>(static_cast<const uint8_t*>(end) - m_data) + 1;
    ++m_cursorIndex;
    return true;
}

LString LStrListCore::Get(int index)
{
    if (index < 0 || index >= m_count)
        return LString();
    if (index < m_cursorIndex)
        Rewind();
    while (m_cursorIndex < index) {
        if (!StepForward())
            return LString();
    }
    if (m_cursorOffset >= m_size)
        return LString();
    const char* text = reinterpret_cast<const char*>(m_data + m_cursorOffset);
    const size_t room = m_size - m_cursorOffset;
    if (!std::memchr(text, 0, room))
        return LString();
    return LString(text);
}
