#pragma once

#include "package/CFileStream.h"

// A file stream with one 512-byte buffer that always covers a 512-byte-aligned stretch of the
// file. The decoder pulls the program's own file one byte at a time, so small reads are served
// from the buffer; reads and writes of more than 512 bytes go to the file directly.
class CBufferedFile : public CFileStream {
public:
    static constexpr uint32_t kBufferSize = 512;

    CBufferedFile(const char* path, int mode, unsigned flags) : CFileStream(path, mode, flags) {}
    ~CBufferedFile() override;

    void SetPosition(uint32_t position) override { m_position = position; }
    void Truncate() override;
    void Write(const void* bytes, int32_t count) override;
    void Read(void* bytes, uint32_t& count) override;
    void SeekEnd() override;

    // Writes buffered changes to the file; the position stays.
    void Flush();

private:
    void Refill();
    bool Covers(uint32_t position) const
    {
        return m_valid >= 0 && position >= m_offset && position - m_offset < kBufferSize;
    }

    bool m_dirty = false;
    int32_t m_valid = -1; // bytes of the buffer that hold file data; -1: none
    uint32_t m_offset = 0;
    uint8_t m_buffer[kBufferSize];
};
