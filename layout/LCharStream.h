#pragma once

#include <cstddef>

// A byte stream over text held elsewhere (a section of a layout or a macro body). The script
// reader takes one byte at a time, steps back by one after a number or a name, and the
// repetition construct seeks back to re-read its body. The text is not copied or owned.
class LCharStream {
public:
    LCharStream(const char* data, size_t length) : m_data(data), m_length(length) {}
    explicit LCharStream(const char* text);

    static const int kEnd = -1;

    // The next byte (0 to 255), or kEnd at the end of the text.
    int Read() { return m_position < m_length ? static_cast<unsigned char>(m_data[m_position++]) : kEnd; }
    // Steps back over the byte just read; does nothing at the start.
    void Back()
    {
        if (m_position > 0)
            --m_position;
    }
    size_t Position() const { return m_position; }
    // Positions past the end stay at the end.
    void Seek(size_t position) { m_position = position < m_length ? position : m_length; }

    // The bytes from start for length, for token texts; valid while the text lives.
    const char* At(size_t start) const { return m_data + start; }

private:
    const char* m_data;
    size_t m_length;
    size_t m_position = 0;
};
