#pragma once

#include "package/CFileStream.h"

// A file stream with one buffer that always covers an aligned stretch of the file. The decoder
// pulls the program's own file in small pieces, so small reads are served from the buffer, and
// the buffer is large enough that a whole package is read in a few hundred system calls; reads
// larger than the buffer go to the file directly. It only reads (nothing in the installer or the
// packer writes through it): writing and truncating are refused whatever the mode.
class CBufferedFile : public CFileStream {
public:
    // The stretch a refill reads. Nothing depends on its size; tests use it to read across a
    // stretch's edge.
    static constexpr uint32_t kBufferSize = 64 * 1024;

    CBufferedFile(const char* path, int mode, unsigned flags);
    ~CBufferedFile() override;

    void SetPosition(uint32_t position) override { m_position = position; }
    void Truncate() override { SetError(kStreamNotWritable); }
    void Write(const void*, int32_t) override { SetError(kStreamNotWritable); }
    void Read(void* bytes, uint32_t& count) override;

private:
    void Refill();
    bool Covers(uint32_t position) const
    {
        return m_valid >= 0 && position >= m_offset && position - m_offset < m_capacity;
    }

    int32_t m_valid = -1; // bytes of the buffer that hold file data; -1: none
    uint32_t m_offset = 0;
    // Without memory for the buffer (capacity 0) every read goes to the file.
    uint8_t* m_buffer;
    uint32_t m_capacity;
};
