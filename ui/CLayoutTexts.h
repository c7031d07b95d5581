#pragma once

#include "framework/LString.h"

// The sections of one layout: 0 names the pane ids, 1 computes the preferred size, 2 places
// the panes, and the optional 3 lists the Tab order. They come from the layout resource of
// the window's name, or from constant texts for the dialogs that carry their own.
class CLayoutTexts {
public:
    static constexpr int kSections = 4;

    CLayoutTexts() = default;
    CLayoutTexts(const char* names, const char* size, const char* placement, const char* tabOrder = nullptr);
    // The RT_TLYO resource `name` in the user's language; a missing resource gives empty
    // sections, which leave the window at an empty rectangle.
    static CLayoutTexts FromResource(const char* name);

    const LString& Section(int index) const;
    bool HasTabOrder() const { return !m_sections[3].IsEmpty(); }

private:
    LString m_sections[kSections];
};
