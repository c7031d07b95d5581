#include "framework/LBrush.h"

namespace {

const BYTE kGreyLevels[5] = {0, 64, 128, 192, 255};

int SystemColourIndex(int kind)
{
    switch (kind) {
    case 0: return COLOR_WINDOW;
    case 1:
    case 2: return COLOR_BTNFACE;
    case 3: return COLOR_HIGHLIGHT;
    case 4: return COLOR_3DDKSHADOW;
    default: return COLOR_WINDOW;
    }
}

} // namespace

COLORREF LBrush::GreyColour(int level)
{
    if (level < 0)
        level = 0;
    if (level > 4)
        level = 4;
    const BYTE v = kGreyLevels[level];
    return RGB(v, v, v);
}

LBrush LBrush::Grey(int level)
{
    LBrush result;
    Rep* rep = new (std::nothrow) Rep;
    if (!rep)
        return result;
    rep->colour = 0x02000000 | GreyColour(level);
    rep->brush = CreateSolidBrush(rep->colour);
    result.m_rep = LShared<Rep>(rep);
    return result;
}

LBrush LBrush::System(int kind)
{
    LBrush result;
    Rep* rep = new (std::nothrow) Rep;
    if (!rep)
        return result;
    rep->systemIndex = SystemColourIndex(kind);
    rep->colour = GetSysColor(rep->systemIndex);
    rep->brush = CreateSolidBrush(rep->colour);
    result.m_rep = LShared<Rep>(rep);
    return result;
}

HBRUSH LBrush::Handle() const
{
    Rep* rep = m_rep.Get();
    if (!rep)
        return nullptr;
    if (rep->systemIndex >= 0) {
        const COLORREF now = GetSysColor(rep->systemIndex);
        if (now != rep->colour || !rep->brush) {
            HBRUSH fresh = CreateSolidBrush(now);
            if (fresh) {
                if (rep->brush)
                    DeleteObject(rep->brush);
                rep->brush = fresh;
                rep->colour = now;
            }
        }
    }
    return rep->brush;
}

HGDIOBJ LBrush::Select(HDC dc) const
{
    HBRUSH brush = Handle();
    return SelectObject(dc, brush ? static_cast<HGDIOBJ>(brush) : GetStockObject(BLACK_BRUSH));
}

void LBrush::Fill(HDC dc, const RECT& rect) const
{
    if (HBRUSH brush = Handle())
        FillRect(dc, &rect, brush);
}
