#pragma once

#include "framework/LRegion.h"
#include "framework/LShared.h"

#include <windows.h>

// Shared icon with its size and shape region, loaded at the resource's own size. The shape is
// made from the mask when first asked for: drawing never needs it.
class LIcon {
public:
    LIcon() = default;
    // By resource name or MAKEINTRESOURCE id; a missing icon gives a null icon of size 0.
    static LIcon Load(HMODULE module, const char* name);

    bool IsNull() const { return Handle() == nullptr; }
    HICON Handle() const { return m_rep.IsNull() ? nullptr : m_rep->icon; }
    int Width() const { return m_rep.IsNull() ? 0 : m_rep->width; }
    int Height() const { return m_rep.IsNull() ? 0 : m_rep->height; }
    RECT Bounds() const;
    LRegion Shape() const;

    // Draws the icon at the rectangle's top-left corner, at its own size.
    void Draw(HDC dc, const RECT& target) const;

private:
    struct Rep : LSharedRep {
        ~Rep();
        HICON icon = nullptr;
        HBITMAP mask = nullptr;
        HBITMAP colour = nullptr;
        int width = 0;
        int height = 0;
        bool shapeMade = false;
        LRegion shape;
    };
    LShared<Rep> m_rep;
};
