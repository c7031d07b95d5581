#pragma once

#include "framework/LString.h"

#include <cstddef>

// Growable byte text used to compose paths, URLs and description lines. The first 64 bytes
// live inside the object; longer texts move to the heap. An allocation failure sets the error
// flag and drops that one append, so a caller can compose a whole text and check once.
class CTextBuilder {
public:
    // Out of line: sources built for speed and for size would otherwise each keep a copy.
    CTextBuilder();
    CTextBuilder(const CTextBuilder&) = delete;
    CTextBuilder& operator=(const CTextBuilder&) = delete;
    ~CTextBuilder();

    void Append(const char* bytes, size_t count);
    void Append(const char* text);
    void Append(const LString& text) { Append(text.Text(), text.Length()); }
    void AppendChar(char c) { Append(&c, 1); }
    // Appends a signed decimal number ("%ld" style).
    void AppendNumber(long value);

    // NUL-terminated text, "" when empty; valid until the next change. Never inlined, as
    // LString::Text(): each use in line carried its own test and relocated address of "".
    [[gnu::noinline]] const char* Text() const;
    size_t Length() const { return m_length; }
    bool IsEmpty() const { return m_length == 0; }
    bool Failed() const { return m_failed; }

    // Empties the text and clears the error flag; heap storage is kept for reuse.
    void Clear();
    // Shortens the text to `length` bytes (no effect when it is already shorter).
    void Truncate(size_t length);

    LString ToString() const { return LString(Text(), m_length); }

    static constexpr size_t kInlineSize = 64;

private:
    bool Reserve(size_t needed);

    char m_inline[kInlineSize] = {};
    char* m_data = m_inline;
    size_t m_length = 0;
    size_t m_capacity = kInlineSize;
    bool m_failed = false;
};
