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
    delete[] m_buffer;
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
        CFileStream::Read(bytes, count);
        return;
    }
    uint8_t* out = static_cast<uint8_t*>(bytes);
    uint32_t done = 0;
    while (done < count && !Failed()) {
        if (!Covers(m_position)) {
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
