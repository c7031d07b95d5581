#pragma once

#include <cstddef>
#include <cstdint>

// Running CRC-32 of a record's body, which the packer stores in the record header (big-endian)
// so that a package can be checked end to end.
class CRecordCrc {
public:
    void Add(const void* bytes, size_t count);
    uint32_t Value() const { return m_crc; }

    static uint32_t Of(const void* bytes, size_t count);

private:
    uint32_t m_crc = 0;
};
