#pragma once

#include <windows.h>

// Text colour by kind: 0 window text, 1 highlight text, 2 grey text, 3 white, 4 to 6 button
// text, anything else window text. Applying it also makes the text background transparent.
class LTextColor {
public:
    LTextColor() = default;
    explicit LTextColor(int kind) : m_kind(kind), m_set(true) {}

    COLORREF Colour() const;
    // Sets the colour and transparent background mode; returns the previous colour.
    COLORREF Apply(HDC dc) const;

private:
    int m_kind = 0;
    bool m_set = false; // no colour object: black
};
