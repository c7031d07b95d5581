#pragma once

#include "app/CInstallerWindow.h"

#include <windows.h>

// The whole run of the program: platform information, the single-instance test, the
// process-wide objects in their fixed order, the installer application's run, and the
// tear-down. Always 0: the program reports nothing through its exit code.
int RunInstallerProcess(HINSTANCE instance, CInstallerWindowFactory makeWindow);

// Deletes the process-wide objects in the reverse order of their making, the application
// first; each only while it exists, so a second call does nothing.
void ShutDownInstaller();

// The class name of the installer window's native window, by which a second start finds the
// running installer or uninstaller.
constexpr const char* kInstallerWindowClass = "CAPPDEF_INSTALLER"; // a literal: one copy with the window's own
