#pragma once

#include <cstdint>

// First error of a stream; it stays, later errors are ignored, and once it is set every
// operation of the stream does nothing.
enum StreamError : int {
    kStreamOk = 0,
    kStreamCannotOpen = 1,  // the file cannot be opened
    kStreamNotWritable = 2, // write or truncate on a stream not opened for writing
    kStreamReadFailed = 3,  // read or seek failed
    kStreamWriteFailed = 4, // write or truncate failed
};

// Byte stream with a 32-bit absolute position and a sticky first error. The file stream over a
// Windows (or, in the native tools, POSIX) file is one implementation; memory and counting
// streams are others. Virtual operations keep the file stream's slot order.
class CStream {
public:
    virtual ~CStream() = default;

    virtual void SetPosition(uint32_t position) = 0;
    // Cuts the stream at the current position.
    virtual void Truncate() = 0;
    // Writes count bytes at the position and advances it.
    virtual void Write(const void* bytes, int32_t count) = 0;
    // Reads up to count bytes at the position; count returns the number read.
    virtual void Read(void* bytes, uint32_t& count) = 0;
    // Moves the position to the end, so that it equals the stream's size.
    virtual void SeekEnd() = 0;

    uint32_t Position() const { return m_position; }
    StreamError Error() const { return m_error; }
    bool Failed() const { return m_error != kStreamOk; }

protected:
    void SetError(StreamError error)
    {
        if (m_error == kStreamOk)
            m_error = error;
    }

    uint32_t m_position = 0;
    StreamError m_error = kStreamOk;
};
