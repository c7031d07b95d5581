#include "framework/LPalette.h"

LPalette LPalette::ForWindow(HWND window)
{
    LPalette result;
    HDC dc = GetDC(window);
    if (!dc)
        return result;
    if (GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE) {
        HPALETTE palette = CreateHalftonePalette(dc);
        if (palette) {
            Rep* rep = new (std::nothrow) Rep;
            if (rep) {
                rep->palette = palette;
                result.m_rep = LShared<Rep>(rep);
            } else {
                DeleteObject(palette);
            }
        }
    }
    ReleaseDC(window, dc);
    return result;
}
