#pragma once

#include "package/CStream.h"

// A stream over a growable block of memory: it starts with 4096 bytes and grows in steps of
// 1024 bytes. The description record is read into one. A failed allocation is a write error.
class CMemoryStream : public CStream {
public:
    CMemoryStream() = default;
    CMemoryStream(const CMemoryStream&) = delete;
    CMemoryStream& operator=(const CMemoryStream&) = delete;
    ~CMemoryStream() override;

    void SetPosition(uint32_t position) override { m_position = position; }
    void Truncate() override;
    void Write(const void* bytes, int32_t count) override;
    void Read(void* bytes, uint32_t& count) override;
    void SeekEnd() override { m_position = m_size; }

    // The bytes written so far (null before the first write).
    const uint8_t* Data() const { return m_data; }
    uint32_t Size() const { return m_size; }
    uint32_t Capacity() const { return m_capacity; }

    static constexpr uint32_t kInitialSize = 4096;
    static constexpr uint32_t kGrowStep = 1024;

private:
    bool Reserve(uint32_t needed);

    uint8_t* m_data = nullptr;
    uint32_t m_size = 0;
    uint32_t m_capacity = 0;
};
