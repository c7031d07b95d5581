#include "ui/CLayoutPage.h"

#include "layout/LLayoutRun.h"

CLayoutPage::CLayoutPage(LFrame* window, const char* layoutName)
    : LFrame(window, window), m_layout(LLayoutSections::FromResource(layoutName))
{
}

int CLayoutPage::PreferredWidth(int)
{
    const RECT size = LLayoutRun::Measure(*this, m_layout);
    return size.right - size.left;
}

int CLayoutPage::PreferredHeight(int)
{
    const RECT size = LLayoutRun::Measure(*this, m_layout);
    return size.bottom - size.top;
}

void CLayoutPage::BoundsChanged(const RECT& old)
{
    LFrame::BoundsChanged(old);
    if (Width() == old.right - old.left && Height() == old.bottom - old.top)
        return;
    LLayoutRun::Place(*this, m_layout, Bounds());
}
