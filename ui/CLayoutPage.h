#pragma once

#include "framework/LFrame.h"
#include "layout/LLayoutSections.h"

// A page of the installer window: a frame pane that measures itself with its layout's
// sections 0 and 1 every time it is asked, and places its children with section 2 whenever
// its size changes (a pure move keeps them where they are, relative to the page).
class CLayoutPage : public LFrame {
public:
    CLayoutPage(LFrame* window, const char* layoutName);

    int PreferredWidth(int hint) override;
    int PreferredHeight(int hint) override;
    void BoundsChanged(const RECT& old) override;

private:
    LLayoutSections m_layout;
};
