#pragma once

#include <cstdint>

// History of the decoder: the last 2^D bytes produced, and a copy buffer that holds the bytes
// of the current match until they are handed out. The package uses D = 13, N = 4.
class CLzWindow {
public:
    CLzWindow(int distanceBits, int lengthBits);
    CLzWindow(const CLzWindow&) = delete;
    CLzWindow& operator=(const CLzWindow&) = delete;
    ~CLzWindow();

    // False when the buffers could not be allocated; matches then yield nothing.
    bool IsReady() const { return m_window && m_copy; }

    void StoreByte(uint8_t b)
    {
        if (!m_window)
            return;
        m_window[m_writePosition] = b;
        m_writePosition = (m_writePosition + 1) & (m_windowSize - 1);
    }
    // Copies lengthField + 1 + minimum extra bytes from distance bytes back into the copy
    // buffer (and the window) and returns the count.
    uint32_t CopyMatch(uint32_t distance, uint32_t lengthField);

    int DistanceBits() const { return m_distanceBits; }
    int LengthBits() const { return m_lengthBits; }
    const uint8_t* CopyBuffer() const { return m_copy; }
    uint32_t MinimumExtra() const { return m_minimumExtra; }
    uint32_t MaximumCopy() const { return m_maximumCopy; }

private:
    int m_distanceBits;
    int m_lengthBits;
    uint32_t m_windowSize;
    uint32_t m_minimumExtra;
    uint32_t m_maximumCopy;
    uint32_t m_writePosition = 0;
    uint8_t* m_window = nullptr;
    uint8_t* m_copy = nullptr;
};
