#include "layout/LLayoutWindow.h"

#include "framework/LFrame.h"
#include "framework/LWindow.h"
#include "layout/LLayoutRun.h"

RECT LLayoutWindow::CentreOn(const RECT& rect, const RECT& area)
{
    LONG dx = (area.left + area.right) / 2 - (rect.left + rect.right) / 2;
    LONG dy = (area.top + area.bottom) / 2 - (rect.top + rect.bottom) / 2;
    RECT moved = {rect.left + dx, rect.top + dy, rect.right + dx, rect.bottom + dy};
    return moved;
}

RECT LLayoutWindow::Build(LFrame& frame, const LLayoutSections& layout, bool centre)
{
    RECT rect = LLayoutRun::Build(frame, layout);
    if (centre) {
        RECT area = {0, 0, 0, 0};
        if (SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0))
            rect = CentreOn(rect, area);
    }
    if (LWindow* window = frame.Window())
        window->SetContentRect(rect);
    return rect;
}
