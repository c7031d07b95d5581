#pragma once

#include <cstdint>

// Decides whether a user name is good enough for the registration dialog's Setup button:
// it must hold at least one character that is not a digit, space, punctuation, control or
// blank. The character set belongs to the user's locale, so the walk and the classification
// are left to a classifier.
class CNameRule {
public:
    class Classifier {
    public:
        virtual ~Classifier() = default;
        // Bytes taken by the character at `text` (1 or 2; never past the terminator).
        virtual int CharLength(const char* text) const = 0;
        // The character's type bits (C1_ flags) for the `length` bytes at `text`.
        virtual uint16_t CharType(const char* text, int length) const = 0;
    };

    // The type bits that do not count as a name character: digit, space, punctuation,
    // control, blank.
    static constexpr uint16_t kNotNameMask = 0x7C;

    static bool AllowsSetup(const char* name, const Classifier& classifier);
};
