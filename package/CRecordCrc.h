#pragma once

#include <cstddef>
#include <cstdint>

// Running CRC-32 (the common reflected polynomial 0xEDB88320) of a record's body, which the
// packer stores in the record header so that a package can be checked end to end.
class CRecordCrc {
public:
    void Add(const void* bytes, size_t count);
    uint32_t Value() const { return ~m_state; }

    static uint32_t Of(const void* bytes, size_t count);

private:
    uint32_t m_state = 0xFFFFFFFFu;
};
