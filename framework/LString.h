#pragma once

#include <cstddef>

// The framework's text value: a one-pointer handle to a shared, immutable, reference-counted
// byte text. The null handle is the empty text and reads as "". Copies share the bytes; the
// last handle to go frees them. Texts are plain bytes in the ANSI code page: no encoding is
// assumed and equality is byte-wise.
class LString {
public:
    LString() = default;
    LString(const char* text);
    LString(const char* text, size_t maxLength);
    LString(const LString& other);
    LString(LString&& other) noexcept;
    ~LString();

    LString& operator=(const LString& other);
    LString& operator=(LString&& other) noexcept;

    // NUL-terminated bytes; "" for the empty text. Valid while this handle lives. Never
    // inlined: in line, each of some 300 uses carried its own test and an address of "" for
    // the loader to relocate, 2 KB of the 32-bit installer.
    [[gnu::noinline]] const char* Text() const;
    size_t Length() const { return m_rep ? m_rep->length : 0; }
    bool IsEmpty() const { return Length() == 0; }

    bool Equals(const char* text) const;
    bool operator==(const LString& other) const;
    bool operator!=(const LString& other) const { return !(*this == other); }

    // Number of handles sharing this text (0 for the empty text); for tests and diagnostics.
    size_t ShareCount() const { return m_rep ? m_rep->refs : 0; }

private:
    struct Rep {
        size_t refs;
        size_t length;
        char text[1];
    };

    void Assign(const char* text, size_t length);
    void Release();

    Rep* m_rep = nullptr;
};
