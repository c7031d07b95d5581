#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

// An 8-bit RGB picture, rows top to bottom.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;

    uint32_t Pixel(int x, int y) const
    {
        const uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
        return (uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 8) | p[2];
    }
};

// The screen (Wine's virtual desktop under the test launcher) as it is displayed now.
RgbImage CaptureScreen();

// Paints what is still to be painted, then writes the window's rectangle of the screen (the
// whole screen for null) as <artefacts>\<name>.png, where the artefacts are the folder that
// INSTALLER_ARTIFACTS names, else the current one. Returns the path, or "" on failure.
std::string SaveScreenshot(const std::string& name, HWND window = nullptr);

} // namespace testsupport
