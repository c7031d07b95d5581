#include "framework/LTextBlock.h"

void LTextBlock::Draw(HDC dc) const
{
    if (!dc)
        return;
    RECT box = rect;
    UINT flags = alignment | DT_NOPREFIX;
    HGDIOBJ oldFont = font.Select(dc);
    if (kind == 0) {
        flags |= vertical | DT_SINGLELINE;
    } else if (kind == 3) {
        TEXTMETRICA metrics;
        if (GetTextMetricsA(dc, &metrics))
            box.top -= metrics.tmAscent;
        flags |= DT_NOCLIP | vertical | DT_SINGLELINE;
    } else if (kind == 2) {
        flags |= DT_WORDBREAK;
    }
    // The mode before, as setting it reports it; the colour sets it again.
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = colour.Apply(dc);
    DrawTextA(dc, text.Text(), -1, &box, flags);
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
    SelectObject(dc, oldFont);
}

int LTextBlock::HeightForWidth(HDC dc, int width) const
{
    if (!dc)
        return 0;
    RECT box = {0, 0, width, 100};
    UINT flags = alignment | DT_CALCRECT | DT_NOPREFIX;
    if (kind == 0 || kind == 3)
        flags |= DT_SINGLELINE;
    else if (kind == 2)
        flags |= DT_WORDBREAK;
    HGDIOBJ old = font.Select(dc);
    const int height = DrawTextA(dc, text.Text(), -1, &box, flags);
    SelectObject(dc, old);
    return height;
}

int LTextBlock::WidestLine(HDC dc) const
{
    const char* s = text.Text();
    int widest = 0;
    for (;;) {
        const char* end = s;
        while (*end && *end != '\n' && *end != '\r')
            ++end;
        const int width = font.TextWidth(dc, s, static_cast<int>(end - s));
        if (width > widest)
            widest = width;
        if (!*end)
            return widest;
        if (end[0] == '\r' && end[1] == '\n')
            ++end;
        s = end + 1;
    }
}

int LTextBlock::LineCount() const
{
    const char* s = text.Text();
    int lines = 1;
    for (; *s; ++s) {
        if (*s == '\r' && s[1] == '\n')
            ++s;
        if (*s == '\n' || *s == '\r')
            ++lines;
    }
    return lines;
}
