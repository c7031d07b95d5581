#pragma once

#include "framework/LShared.h"

#include <windows.h>

// Shared GDI palette. Windows get a half-tone palette on palette displays and none otherwise.
class LPalette {
public:
    LPalette() = default;
    static LPalette ForWindow(HWND window);

    HPALETTE Handle() const { return m_rep.IsNull() ? nullptr : m_rep->palette; }
    bool IsNull() const { return Handle() == nullptr; }

private:
    struct Rep : LSharedRep {
        ~Rep() { if (palette) DeleteObject(palette); }
        HPALETTE palette = nullptr;
    };
    LShared<Rep> m_rep;
};
