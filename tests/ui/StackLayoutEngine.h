#pragma once

#include "ui/CLayoutRunner.h"

// A stand-in layout engine for tests that run without the script engine: it puts every pane
// at its preferred size in one column, in id order, and takes the Tab order section as it
// stands. Good enough to click buttons and type into fields; not the real layouts.
class StackLayoutEngine : public CLayoutRunner::Engine {
public:
    RECT Build(LFrame& container, const CLayoutTexts& texts) override;
    RECT Measure(LFrame& container, const CLayoutTexts& texts) override;
    void Place(LFrame& container, const CLayoutTexts& texts, const RECT& frame) override;

    int builds = 0;

private:
    RECT Stack(LFrame& container, bool place);
};
