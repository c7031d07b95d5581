#include "package/CMemoryStream.h"

#include <cstring>
#include <new>

CMemoryStream::~CMemoryStream() { delete[] m_data; }

bool CMemoryStream::Reserve(uint32_t needed)
{
    if (needed <= m_capacity)
        return true;
    uint64_t capacity = m_capacity ? m_capacity : kInitialSize;
    while (capacity < needed)
        capacity += kGrowStep;
    if (capacity > UINT32_MAX)
        return false;
    uint8_t* data = new (std::nothrow) uint8_t[static_cast<size_t>(capacity)];
    if (!data)
        return false;
    if (m_size)
        std::memcpy(data, m_data, m_size);
    delete[] m_data;
    m_data = data;
    m_capacity = static_cast<uint32_t>(capacity);
    return true;
}

void CMemoryStream::Truncate()
{
    if (Failed())
        return;
    if (m_position < m_size)
        m_size = m_position;
}

void CMemoryStream::Write(const void* bytes, int32_t count)
{
    if (Failed())
        return;
    if (count < 0) {
        SetError(kStreamWriteFailed);
        return;
    }
    uint64_t end = static_cast<uint64_t>(m_position) + static_cast<uint32_t>(count);
    if (end > UINT32_MAX || !Reserve(static_cast<uint32_t>(end))) {
        SetError(kStreamWriteFailed);
        return;
    }
    // A position past the end leaves a gap; it reads as zeros, as in a file.
    if (m_position > m_size)
        std::memset(m_data + m_size, 0, m_position - m_size);
    if (count)
        std::memcpy(m_data + m_position, bytes, static_cast<size_t>(count));
    m_position = static_cast<uint32_t>(end);
    if (m_position > m_size)
        m_size = m_position;
}

void CMemoryStream::Read(void* bytes, uint32_t& count)
{
    if (Failed() || m_position >= m_size) {
        count = 0;
        return;
    }
    uint32_t left = m_size - m_position;
    if (count > left)
        count = left;
    std::memcpy(bytes, m_data + m_position, count);
    m_position += count;
}
