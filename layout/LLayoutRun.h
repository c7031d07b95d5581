#pragma once

#include <windows.h>

class LFrame;
class LLayoutSections;

// The three ways a layout is run over a container's children, each on a fresh engine that is
// dropped at once: nothing is kept between uses.
namespace LLayoutRun {

// Building a window: the Tab order (when the layout has one), then sections 0, 1 and 2.
// Returns the window rectangle that section 1 set.
RECT Build(LFrame& container, const LLayoutSections& layout);
// A size question: sections 0 and 1; the window rectangle that section 1 set.
RECT Measure(LFrame& container, const LLayoutSections& layout);
// Re-placing the children: section 0, then section 2 with the window rectangle set to frame.
void Place(LFrame& container, const LLayoutSections& layout, const RECT& frame);

} // namespace LLayoutRun
