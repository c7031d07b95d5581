#pragma once

#include "framework/LShared.h"

#include <windows.h>

// Shared handle to a GDI region; the null handle is the empty region. Every operation makes a
// new region and leaves its operands alone.
class LRegion {
public:
    LRegion() = default;
    // Adopts a region handle (deleted with the last copy).
    static LRegion Adopt(HRGN region);
    static LRegion Empty();
    static LRegion FromRect(const RECT& rect);
    static LRegion FromRect(int left, int top, int right, int bottom);
    // Runs of set bits of a monochrome bitmap, one rectangle per run with identical
    // consecutive rows merged; an invalid or empty bitmap gives the empty region.
    static LRegion FromBitmap(HBITMAP bitmap);

    HRGN Handle() const { return m_rep.IsNull() ? nullptr : m_rep->region; }
    bool IsNull() const { return Handle() == nullptr; }

    LRegion Copy() const;
    LRegion Intersect(const LRegion& other) const;
    LRegion Union(const LRegion& other) const;
    LRegion Difference(const LRegion& other) const;
    LRegion Offset(int dx, int dy) const;
    RECT Box() const;
    bool IsEmpty() const;
    bool Touches(const RECT& rect) const;
    // The region laid from `from` onto `to`: an offset for equal sizes, else scaled by the ratio
    // of the widths and of the heights (0 for an empty source) and moved to to's corner.
    LRegion Map(const RECT& from, const RECT& to) const;

private:
    struct Rep : LSharedRep {
        explicit Rep(HRGN r) : region(r) {}
        ~Rep() { if (region) DeleteObject(region); }
        HRGN region;
    };
    LRegion Combine(const LRegion& other, int mode) const;
    LShared<Rep> m_rep;
};
