#pragma once

#include "framework/LFrame.h"
#include "layout/LLayoutSections.h"

// A pane made of panes that a layout sizes and places (the installer's pages, the target
// folder frame). Its preferred size is what the layout's sections 0 and 1 compute, asked
// afresh every time; when its size changes, section 2 places the children again. The derived
// class creates the children, in id order, after this constructor.
class LLayoutPane : public LFrame {
public:
    LLayoutPane(LHandler* next, LFrame* container, const LLayoutSections& layout);

    int PreferredWidth(int hint) override;
    int PreferredHeight(int hint) override;
    void BoundsChanged(const RECT& old) override;

    // For a pane whose size stays fixed: runs the whole layout once, takes the size it computes
    // as its frame and from then on answers size questions from that frame.
    void FixSize();
    bool IsFixed() const { return m_fixed; }

private:
    LLayoutSections m_layout;
    bool m_fixed = false;
    bool m_fixing = false;
};
