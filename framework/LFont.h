#pragma once

#include "framework/LList.h"
#include "framework/LShared.h"
#include "framework/LString.h"

#include <windows.h>

// Shared, cached font derived from the system's message font. Requests with equal attributes
// share one font (the live fonts are kept in one process-wide list); the native font is made on
// first use.
//   base   -1 a named face, 3 fixed pitch, other values the message font's face
//   weight 1 normal, 2 bold, other the message font's
//   italic 1 upright, 2 italic, other the message font's
//   size   a percentage of the message font's size when 0 or more; negative keeps the size
class LFont {
public:
    LFont() = default;
    static LFont Get(int base, int weight, int italic, int size, const LString& face = LString());
    static LFont MessageFont() { return Get(0, 0, 0, -1); }

    bool IsNull() const { return m_rep.IsNull(); }
    bool SameAs(const LFont& other) const { return m_rep.SameAs(other.m_rep); }
    HFONT Handle() const;
    LOGFONTA LogFont() const;
    // Selects the font (the stock system font when there is none); returns the previous one.
    HGDIOBJ Select(HDC dc) const;

    // Measures in this font on `dc`.
    int LineHeight(HDC dc) const;
    int Ascent(HDC dc) const;
    int TextWidth(HDC dc, const char* text, int length = -1) const;

    // The message font of the non-client metrics (read once).
    static LOGFONTA SystemMessageFont();
    static int ScaleSize(int value, int percentage) { return (value * percentage + 50) / 100; }

private:
    struct Rep : LSharedRep, LListNode {
        ~Rep();
        int base = 0, weight = 0, italic = 0, size = 0;
        LString face;
        HFONT font = nullptr;
        bool tried = false;
    };
    LShared<Rep> m_rep;
};
