#pragma once

#include "framework/LFont.h"
#include "framework/LString.h"
#include "framework/LTextColor.h"

#include <windows.h>

// A text to draw or measure: text, font, colour, alignment and a kind:
// 0 single line, 1 several lines, 2 word-wrapped, 3 single line whose rectangle top is the
// baseline.
class LTextBlock {
public:
    LString text;
    LFont font;
    LTextColor colour;
    UINT alignment = DT_LEFT;
    UINT vertical = DT_TOP;
    RECT rect = {0, 0, 0, 0};
    int kind = 0;

    void Draw(HDC dc) const;

    // Height of the block laid out at `width`, as the platform's text drawing reports it.
    int HeightForWidth(HDC dc, int width) const;
    // Width of the whole text on one line, and of its widest line (lines end at LF, CR or both).
    int WholeWidth(HDC dc) const { return font.TextWidth(dc, text.Text()); }
    int WidestLine(HDC dc) const;
    // Number of lines as the widest-line rule splits them (at least 1).
    int LineCount() const;
};
