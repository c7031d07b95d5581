#include "ui/CWorkAreaCentre.h"

namespace {

// The edges are summed in 64 bits: rectangles near the ends of the coordinate range must
// not wrap into a centre on the other side of the screen. One copy: the 32-bit division of a
// 64-bit sum is long, and four centres in line in each of two callers took 300 bytes.
[[gnu::noinline]] LONG Centre(LONG low, LONG high)
{
    return LONG((static_cast<long long>(low) + high) / 2);
}

} // namespace

RECT CWorkAreaCentre::Centred(const RECT& rect, const RECT& area)
{
    LONG dx = Centre(area.left, area.right) - Centre(rect.left, rect.right);
    LONG dy = Centre(area.top, area.bottom) - Centre(rect.top, rect.bottom);
    RECT moved = rect;
    OffsetRect(&moved, dx, dy);
    return moved;
}
