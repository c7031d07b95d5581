#include "layout/LLayoutPane.h"

#include "layout/LLayout.h"
#include "layout/LLayoutRun.h"

LLayoutPane::LLayoutPane(LHandler* next, LFrame* container, const LLayoutSections& layout)
    : LFrame(next, container), m_layout(layout)
{
}

int LLayoutPane::PreferredWidth(int hint)
{
    if (m_fixed)
        return LFrame::PreferredWidth(hint);
    RECT rect = LLayoutRun::Measure(*this, m_layout);
    return rect.right - rect.left;
}

int LLayoutPane::PreferredHeight(int hint)
{
    if (m_fixed)
        return LFrame::PreferredHeight(hint);
    RECT rect = LLayoutRun::Measure(*this, m_layout);
    return rect.bottom - rect.top;
}

void LLayoutPane::BoundsChanged(const RECT& old)
{
    LFrame::BoundsChanged(old);
    // A pure move keeps the children, whose frames are relative to this pane.
    if (m_fixing || (Width() == old.right - old.left && Height() == old.bottom - old.top))
        return;
    // The children live in this pane's own coordinates, so the layout sees the frame from the
    // origin wherever the pane lies in its container.
    RECT own = {0, 0, Width(), Height()};
    LLayoutRun::Place(*this, m_layout, own);
}

void LLayoutPane::FixSize()
{
    LLayout engine(*this);
    engine.RunSection(m_layout.Section(LLayoutSections::kIds));
    engine.RunSection(m_layout.Section(LLayoutSections::kSize));
    engine.RunSection(m_layout.Section(LLayoutSections::kPlace));
    // Already placed from the computed rectangle: taking it as the frame must not place again.
    m_fixing = true;
    SetBounds(engine.WindowRect());
    m_fixing = false;
    m_fixed = true;
}
