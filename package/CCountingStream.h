#pragma once

#include "package/CStream.h"

// A stream that keeps nothing and counts what is written: measures a data run without a
// place to put it.
class CCountingStream : public CStream {
public:
    void SetPosition(uint32_t position) override { m_position = position; }
    void Truncate() override {}
    void Write(const void*, int32_t count) override
    {
        // Saturates, so that a run too long to count never reads as a small one.
        if (count > 0)
            m_total = (UINT32_MAX - m_total < static_cast<uint32_t>(count)) ? UINT32_MAX
                                                                          : m_total + static_cast<uint32_t>(count);
    }
    void Read(void*, uint32_t& count) override { count = 0; }
    void SeekEnd() override { m_position = m_total; }

    uint32_t Total() const { return m_total; }

private:
    uint32_t m_total = 0;
};
