#pragma once

#include "framework/LString.h"

// The texts of one layout: section 0 names the pane ids, 1 computes the preferred size, 2
// places the panes and the optional 3 is the Tab order. Loaded from an RT_TLYO resource of the
// window's name, or given as constant texts. A missing section reads as an empty text.
class LLayoutSections {
public:
    static const int kIds = 0;
    static const int kSize = 1;
    static const int kPlace = 2;
    static const int kTabOrder = 3;

    LLayoutSections() = default;
    LLayoutSections(const char* ids, const char* size, const char* place, const char* tabOrder = nullptr);
    // Through the default resource chain; a layout that is not found has no sections.
    static LLayoutSections FromResource(const char* name);

    int Count() const { return m_count; }
    const char* Section(int index) const;
    bool HasTabOrder() const { return m_count > kTabOrder; }

private:
    static const int kMax = 4;
    LString m_sections[kMax];
    int m_count = 0;
};
