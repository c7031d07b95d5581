#include "tests/ui/StackLayoutEngine.h"

#include "framework/LFrame.h"

#include <cstdlib>
#include <vector>

namespace {
const int kMargin = 10;
const int kGap = 8;
}

RECT StackLayoutEngine::Stack(LFrame& container, bool place)
{
    int top = kMargin;
    int widest = 0;
    for (LPane* pane : container.Panes()) {
        const int width = pane->PreferredWidth(0);
        const int height = pane->PreferredHeight(0);
        if (place) {
            RECT rect = {kMargin, top, kMargin + width, top + height};
            pane->SetBounds(rect);
        }
        top += height + kGap;
        if (width > widest)
            widest = width;
    }
    return RECT{40, 40, 40 + widest + 2 * kMargin, 40 + top + kMargin};
}

RECT StackLayoutEngine::Build(LFrame& container, const CLayoutTexts& texts)
{
    ++builds;
    if (texts.HasTabOrder()) {
        std::vector<int> order;
        const char* p = texts.Section(3).Text();
        char* end = nullptr;
        for (long id = std::strtol(p, &end, 10); end != p; id = std::strtol(p, &end, 10)) {
            order.push_back(static_cast<int>(id));
            p = end;
        }
        container.SetFocusOrder(order.data(), static_cast<int>(order.size()));
    }
    return Stack(container, true);
}

RECT StackLayoutEngine::Measure(LFrame& container, const CLayoutTexts&) { return Stack(container, false); }

void StackLayoutEngine::Place(LFrame& container, const CLayoutTexts&, const RECT&) { Stack(container, true); }
