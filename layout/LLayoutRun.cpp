#include "layout/LLayoutRun.h"

#include "layout/LLayout.h"
#include "layout/LLayoutSections.h"

RECT LLayoutRun::Build(LFrame& container, const LLayoutSections& layout)
{
    LLayout engine(container);
    if (layout.HasTabOrder())
        engine.ReadTabOrder(layout.Section(LLayoutSections::kTabOrder));
    engine.RunSection(layout.Section(LLayoutSections::kIds));
    engine.RunSection(layout.Section(LLayoutSections::kSize));
    engine.RunSection(layout.Section(LLayoutSections::kPlace));
    return engine.WindowRect();
}

RECT LLayoutRun::Measure(LFrame& container, const LLayoutSections& layout)
{
    LLayout engine(container);
    engine.RunSection(layout.Section(LLayoutSections::kIds));
    engine.RunSection(layout.Section(LLayoutSections::kSize));
    return engine.WindowRect();
}

void LLayoutRun::Place(LFrame& container, const LLayoutSections& layout, const RECT& frame)
{
    LLayout engine(container);
    engine.RunSection(layout.Section(LLayoutSections::kIds));
    engine.SetWindowRect(frame);
    engine.RunSection(layout.Section(LLayoutSections::kPlace));
}
