#pragma once

#include <windows.h>

namespace testsupport {

// Handles this thread's pending messages (so windows it owns paint and react).
void PumpMessages();
// Pumps messages for about `milliseconds`.
void PumpFor(DWORD milliseconds);

// Waits (pumping messages) until a top-level window of the class and/or title exists;
// null class or title matches any. Returns the window or null after the timeout.
HWND WaitForWindow(const char* className, const char* title, DWORD timeoutMs = 10000);
// Waits until the window is gone; returns false after the timeout.
bool WaitForWindowGone(HWND window, DWORD timeoutMs = 10000);

} // namespace testsupport
