#pragma once

#include <windows.h>

class LFrame;
class LLayoutSections;

// Sizes a top-level window or dialog and places its panes from its layout, once its child
// panes exist (created in id order, with their texts, fonts and icons).
namespace LLayoutWindow {

// Reads the Tab order when the layout has one, runs sections 0, 1 and 2, and gives the
// frame's window the content rectangle that section 1 set; with centre, that rectangle is
// first moved so that its centre is the centre of the work area. Returns the rectangle.
RECT Build(LFrame& frame, const LLayoutSections& layout, bool centre);

// The rectangle moved so that its centre is the centre of area (each centre the sum of its two
// edges halved, truncated toward zero).
RECT CentreOn(const RECT& rect, const RECT& area);

} // namespace LLayoutWindow
