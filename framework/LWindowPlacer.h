#pragma once

#include "framework/LHandler.h"

#include <windows.h>

class LWindow;

// Carries size limits between the window procedure and the frames: the window's client size
// (or, while sizing, the proposed window size) and the client-size limits as a rectangle
// (minimum width, minimum height, maximum width, maximum height).
class LWindowPlacer : public LHandler {
public:
    explicit LWindowPlacer(LWindow* window);

    LWindow* Window() const { return m_window; }
    SIZE size = {0, 0};
    RECT limits = {0, 0, 0, 0};
    RECT client = {0, 0, 0, 0};

    // Each value becomes the smaller of the given one and the current maximum of its axis.
    void SetLimits(const RECT& wanted);

private:
    LWindow* m_window;
};
