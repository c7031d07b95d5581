#pragma once

#include "ui/CLayoutRunner.h"

// The layout engine of the program: the framework's layout script interpreter bound to the
// frame's panes, a fresh engine for every use.
class CScriptLayoutEngine : public CLayoutRunner::Engine {
public:
    static CScriptLayoutEngine* Instance();

    RECT Build(LFrame& container, const CLayoutTexts& texts) override;
    RECT Measure(LFrame& container, const CLayoutTexts& texts) override;
    void Place(LFrame& container, const CLayoutTexts& texts, const RECT& frame) override;
};
