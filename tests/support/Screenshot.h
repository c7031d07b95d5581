#pragma once

#include <windows.h>

#include <string>

namespace testsupport {

// Paints what is still to be painted, then writes the window's rectangle of the screen (the
// whole screen for null) as <artefacts>\<name>.png, where the artefacts are the folder that
// INSTALLER_ARTIFACTS names, else the current one. Returns the path, or "" when the file could
// not be written or the picture has one colour only: the display did not show the window, so
// every test that asserts on a screenshot also proves that the display works.
std::string SaveScreenshot(const std::string& name, HWND window = nullptr);

} // namespace testsupport
