#include "framework/LPane.h"

#include "framework/LDrawContext.h"
#include "framework/LFrame.h"
#include "framework/LMessageNames.h"

#include <cstring>

LPane::LPane(LHandler* next, LFrame* container)
    : LHandler(next), m_container(container)
{
    Send(LPane_Constructing, this, next);
}

LPane::~LPane()
{
    SetState(kHide);
    Send(LPane_Destructing, this, Next());
}

void LPane::SetState(int code)
{
    static const unsigned char kBitOfPair[6] = {kShown, kEnabled, kDrawable, kActive, 0, kFocused};
    if (code >= 0 && code <= 11 && code != kMoved && code != kNotice) {
        const unsigned bit = kBitOfPair[code / 2];
        const bool set = (code % 2) == 0;
        if (((m_state & bit) != 0) == set)
            return;
        if (set)
            m_state |= bit;
        else
            m_state &= ~bit;
    } else if (code < 0 || code > 14) {
        return;
    }
    StateChanged(code);
}

void LPane::SetBounds(const RECT& rect)
{
    if (std::memcmp(&rect, &m_bounds, sizeof(RECT)) == 0)
        return;
    const RECT old = m_bounds;
    m_bounds = rect;
    BoundsChanged(old);
}

void LPane::GetDrawContext(LDrawContext& context)
{
    if (m_container)
        m_container->GetDrawContext(context);
}

void LPane::InvalidateRegion(const LRegion& region, const LRegion& erase)
{
    if (Has(kShown | kDrawable) && m_container)
        m_container->InvalidateRegion(region, erase);
}

void LPane::InvalidateRect(const RECT& rect)
{
    LRegion region = LRegion::FromRect(rect);
    InvalidateRegion(region, LRegion());
}

void LPane::StateChanged(int code)
{
    if ((code == kShow || code == kHide) && (m_state & kDrawable) && m_container)
        m_container->InvalidateRegion(LRegion::FromRect(m_bounds), LRegion());
    if (code == kTakeFocusForward || code == kTakeFocusBackward)
        Send(LPane_ReqFocus, this, Next());
}

void LPane::BoundsChanged(const RECT& old)
{
    if (Has(kShown | kDrawable) && m_container) {
        RECT both;
        UnionRect(&both, &old, &m_bounds);
        m_container->InvalidateRegion(LRegion::FromRect(both), LRegion());
    }
}

int LPane::PreferredWidth(int)
{
    return Width() > 0 ? Width() : 16;
}

int LPane::PreferredHeight(int)
{
    return Height() > 0 ? Height() : 16;
}

bool LPane::IntersectsRegion(const LRegion& region)
{
    return (m_state & kShown) && region.Touches(m_bounds);
}

LPane* LPane::FocusPane()
{
    return IsLive() ? this : nullptr;
}

LPane* LPane::PaneAt(POINT point)
{
    return IsHittable() && PtInRect(&m_bounds, point) ? this : nullptr;
}

void LPane::Draw(LDrawContext&)
{
}

HWND LPane::NativeWindow()
{
    LDrawContext context;
    GetDrawContext(context);
    return context.Window();
}

void LPane::UpdateNow()
{
    if (HWND window = NativeWindow())
        UpdateWindow(window);
}
