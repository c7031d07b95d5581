#pragma once

#include <cstdint>

// History of the decoder: the last 2^D bytes produced, kept in one linear buffer with room
// behind them for the bytes being decoded, so that a match is a plain forward copy and a
// request's bytes are handed out in one block. When the room runs out, the history moves back
// to the front of the buffer. The package uses D = 13, N = 4.
class CLzWindow {
public:
    CLzWindow(int distanceBits, int lengthBits);
    CLzWindow(const CLzWindow&) = delete;
    CLzWindow& operator=(const CLzWindow&) = delete;
    ~CLzWindow();

    // False when the buffer could not be allocated; nothing can be decoded then.
    bool IsReady() const { return m_buffer != nullptr; }

    int DistanceBits() const { return m_distanceBits; }
    int LengthBits() const { return m_lengthBits; }
    uint32_t MinimumExtra() const { return m_minimumExtra; }
    // The longest match: 2^N + minimum extra bytes.
    uint32_t MaximumCopy() const { return m_maximumCopy; }
    uint32_t MatchLength(uint32_t lengthField) const { return lengthField + 1 + m_minimumExtra; }

    // The buffer; the next byte goes to At(WriteIndex()), and Room() bytes fit behind it.
    uint8_t* At(uint32_t index) { return m_buffer + index; }
    uint32_t WriteIndex() const { return m_write; }
    void SetWriteIndex(uint32_t index) { m_write = index; }
    uint32_t Room() const { return m_capacity - m_write; }
    // Moves the history (the last 2^D bytes before the write index) to the front of the buffer;
    // returns by how much every index moved down.
    uint32_t Slide();

    // Copies `count` bytes (at most MaximumCopy()) from `distance` bytes before `at` to `at`,
    // forwards, so that a distance shorter than the count repeats the latest bytes. May write up
    // to 24 bytes from `at` whatever the count, which the buffer's slack takes and later bytes
    // overwrite.
    // Inline: the decoder calls it for every match.
    static void CopyMatch(uint8_t* at, uint32_t distance, uint32_t count)
    {
        const uint8_t* from = at - distance;
        if (distance >= 8) {
            // Every block of 8 is read from bytes written before it. Three blocks without
            // counting (the package's longest match takes three), then what a longer one needs.
            __builtin_memcpy(at, from, 8);
            __builtin_memcpy(at + 8, from + 8, 8);
            __builtin_memcpy(at + 16, from + 16, 8);
            for (uint32_t i = 24; i < count; i += 8)
                __builtin_memcpy(at + i, from + i, 8);
            return;
        }
        for (uint32_t i = 0; i < count; ++i)
            at[i] = from[i];
    }

private:
    int m_distanceBits;
    int m_lengthBits;
    uint32_t m_historySize;
    uint32_t m_minimumExtra;
    uint32_t m_maximumCopy;
    uint32_t m_capacity;
    uint32_t m_write;
    uint8_t* m_buffer = nullptr;
};
