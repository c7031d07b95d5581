#include "framework/LRegion.h"

LRegion LRegion::Adopt(HRGN region)
{
    LRegion result;
    if (region)
        result.m_rep = LShared<Rep>(new (std::nothrow) Rep(region));
    if (region && result.m_rep.IsNull())
        DeleteObject(region);
    return result;
}

LRegion LRegion::Empty()
{
    const RECT none = {0, 0, 0, 0};
    return FromRect(none);
}

LRegion LRegion::FromRect(const RECT& rect)
{
    return Adopt(CreateRectRgnIndirect(&rect));
}

LRegion LRegion::FromRect(int left, int top, int right, int bottom)
{
    RECT r = {left, top, right, bottom};
    return FromRect(r);
}

LRegion LRegion::Combine(const LRegion& other, int mode) const
{
    LRegion result = Empty();
    HRGN a = Handle(), b = other.Handle();
    LRegion emptyA, emptyB;
    if (!a) {
        emptyA = Empty();
        a = emptyA.Handle();
    }
    if (!b) {
        emptyB = Empty();
        b = emptyB.Handle();
    }
    if (result.Handle() && a && b)
        CombineRgn(result.Handle(), a, b, mode);
    return result;
}

LRegion LRegion::Copy() const
{
    LRegion result = Empty();
    if (result.Handle() && Handle())
        CombineRgn(result.Handle(), Handle(), nullptr, RGN_COPY);
    return result;
}

LRegion LRegion::Intersect(const LRegion& other) const { return Combine(other, RGN_AND); }
LRegion LRegion::Union(const LRegion& other) const { return Combine(other, RGN_OR); }
LRegion LRegion::Difference(const LRegion& other) const { return Combine(other, RGN_DIFF); }

LRegion LRegion::Offset(int dx, int dy) const
{
    LRegion result = Copy();
    if (result.Handle())
        OffsetRgn(result.Handle(), dx, dy);
    return result;
}

RECT LRegion::Box() const
{
    RECT box = {0, 0, 0, 0};
    if (Handle() && GetRgnBox(Handle(), &box) == NULLREGION)
        box = RECT{0, 0, 0, 0};
    return box;
}

bool LRegion::IsEmpty() const
{
    RECT box;
    return !Handle() || GetRgnBox(Handle(), &box) == NULLREGION;
}

bool LRegion::Touches(const RECT& rect) const
{
    return Handle() && RectInRegion(Handle(), &rect);
}
