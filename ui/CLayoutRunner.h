#pragma once

#include "ui/CLayoutTexts.h"

#include <windows.h>

class LFrame;

// Runs the sections of a layout over the child panes of a frame, through the layout engine.
// Every window, dialog and page of the installer sizes and places its children this way; no
// coordinates are written anywhere else.
class CLayoutRunner {
public:
    // What the windows need of a layout engine. One engine is built for every single use and
    // dropped after it; nothing is kept between uses.
    class Engine {
    public:
        virtual ~Engine() = default;
        // Tab order (section 3, when there is one), then sections 0, 1 and 2; the window
        // rectangle the scripts set.
        virtual RECT Build(LFrame& container, const CLayoutTexts& texts) = 0;
        // Sections 0 and 1; the window rectangle that section 1 set.
        virtual RECT Measure(LFrame& container, const CLayoutTexts& texts) = 0;
        // Section 0, then section 2 with the window rectangle set to `frame`.
        virtual void Place(LFrame& container, const CLayoutTexts& texts, const RECT& frame) = 0;
    };

    static RECT Build(LFrame& container, const CLayoutTexts& texts);
    static RECT Measure(LFrame& container, const CLayoutTexts& texts);
    static void Place(LFrame& container, const CLayoutTexts& texts, const RECT& frame);

    // The engine in use; null restores the program's own. Tests put a stand-in here.
    static void SetEngine(Engine* engine);
    static Engine* CurrentEngine();
};
