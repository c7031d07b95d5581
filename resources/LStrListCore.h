#pragma once

#include "framework/LString.h"

#include <cstddef>
#include <cstdint>

// Reads the strings of a resource container (count, then NUL-terminated strings) by index with
// a cursor that only walks forward: reading in ascending order costs one pass, going back
// restarts at the first string. The bytes are not owned.
//
// The size of the bytes is known (the resource's size), and nothing is read beyond it: a count
// larger than the strings present, or a last string without its terminator, reads as empty
// strings instead of running past the resource.
class LStrListCore {
public:
    LStrListCore() = default;

    // Takes the bytes of one resource; a count below 0 or too few bytes for it give an empty list.
    void Attach(const void* data, size_t size);

    int Count() const { return m_count; }
    const uint8_t* Data() const { return m_data; }
    int CursorIndex() const { return m_cursorIndex; }
    uint32_t CursorOffset() const { return m_cursorOffset; }

    // The string at index (a copy); empty for an index outside 0..count-1.
    LString Get(int index);

private:
    void Rewind();
    // Moves the cursor past one string; false when its terminator is missing.
    bool StepForward();

    const uint8_t* m_data = nullptr;
    size_t m_size = 0;
    int m_count = 0;
    int m_cursorIndex = 0;
    uint32_t m_cursorOffset = 2;
};
