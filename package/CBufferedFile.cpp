#include "package/CBufferedFile.h"

#include <cstring>
#include <new>

CBufferedFile::CBufferedFile(const char* path, int mode, unsigned flags)
    : CFileStream(path, mode, flags)
    , m_buffer(new (std::nothrow) uint8_t[kBufferSize])
    , m_capacity(m_buffer ? kBufferSize : 0)
{
}

CBufferedFile::~CBufferedFile()
{
    Flush();
    delete[] m_buffer;
}

void CBufferedFile::Flush()
{
    if (!m_dirty)
        return;
    uint32_t position = m_position;
    CFileStream::SetPosition(m_offset);
    CFileStream::Write(m_buffer, m_valid);
    m_position = position;
    m_dirty = false;
}

void CBufferedFile::Refill()
{
    m_offset = m_position - m_position % m_capacity;
    uint32_t position = m_position;
    uint32_t count = m_capacity;
    CFileStream::SetPosition(m_offset);
    CFileStream::Read(m_buffer, count);
    m_position = position;
    m_valid = static_cast<int32_t>(count);
}

void CBufferedFile::Read(void* bytes, uint32_t& count)
{
    if (count > m_capacity) {
        Flush();
        CFileStream::Read(bytes, count);
        return;
    }
    uint8_t* out = static_cast<uint8_t*>(bytes);
    uint32_t done = 0;
    while (done < count && !Failed()) {
        if (!Covers(m_position)) {
            Flush();
            Refill();
            continue;
        }
        uint32_t at = m_position - m_offset;
        if (static_cast<int32_t>(at) >= m_valid)
            break; // end of file
        uint32_t take = static_cast<uint32_t>(m_valid) - at;
        if (take > count - done)
            take = count - done;
        std::memcpy(out + done, m_buffer + at, take);
        done += take;
        m_position += take;
    }
    count = done;
}

void CBufferedFile::Write(const void* bytes, int32_t count)
{
    if (count < 0 || static_cast<uint32_t>(count) > m_capacity) {
        Flush();
        CFileStream::Write(bytes, count);
        // The direct write may have changed bytes the (already flushed) buffer holds.
        m_valid = -1;
        return;
    }
    if (Failed())
        return;
    if (!IsWritable()) {
        SetError(kStreamNotWritable);
        return;
    }
    const uint8_t* in = static_cast<const uint8_t*>(bytes);
    int32_t done = 0;
    while (done < count && !Failed()) {
        if (!Covers(m_position)) {
            Flush();
            Refill();
            continue;
        }
        int32_t at = static_cast<int32_t>(m_position - m_offset);
        // A position past the valid bytes leaves a gap; it is written as zeros rather than
        // whatever the buffer held before.
        if (at > m_valid)
            std::memset(m_buffer + m_valid, 0, static_cast<size_t>(at - m_valid));
        int32_t take = static_cast<int32_t>(m_capacity) - at;
        if (take > count - done)
            take = count - done;
        std::memcpy(m_buffer + at, in + done, static_cast<size_t>(take));
        done += take;
        m_position += static_cast<uint32_t>(take);
        if (at + take > m_valid)
            m_valid = at + take;
        m_dirty = true;
    }
}

void CBufferedFile::Truncate()
{
    Flush();
    m_valid = -1;
    CFileStream::Truncate();
}

void CBufferedFile::SeekEnd()
{
    Flush();
    CFileStream::SeekEnd();
}
