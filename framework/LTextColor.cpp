#include "framework/LTextColor.h"

COLORREF LTextColor::Colour() const
{
    if (!m_set)
        return RGB(0, 0, 0);
    switch (m_kind) {
    case 1: return GetSysColor(COLOR_HIGHLIGHTTEXT);
    case 2: return GetSysColor(COLOR_GRAYTEXT);
    case 3: return RGB(255, 255, 255);
    case 4:
    case 5:
    case 6: return GetSysColor(COLOR_BTNTEXT);
    default: return GetSysColor(COLOR_WINDOWTEXT);
    }
}

COLORREF LTextColor::Apply(HDC dc) const
{
    SetBkMode(dc, TRANSPARENT);
    return SetTextColor(dc, Colour());
}
