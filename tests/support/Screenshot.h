#pragma once

#include "tests/support/PngWriter.h"

#include <windows.h>
#include <string>

namespace testsupport {

// Captures the screen (the Wine virtual desktop under the test launcher), or one window's
// rectangle on it, as it is displayed now.
RgbImage CaptureScreen();
RgbImage CaptureWindow(HWND window);

// Paints what is still to be painted, then captures and writes <artefacts>\<name>.png;
// returns the path, or "" on failure.
std::string SaveScreenshot(const std::string& name, HWND window = nullptr);

} // namespace testsupport
