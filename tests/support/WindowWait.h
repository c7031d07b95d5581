#pragma once

#include <windows.h>

#include <functional>

namespace testsupport {

// Handles this thread's pending messages (so that windows it owns paint and react).
void PumpMessages();

// Polls `condition` until it holds; false after the timeout.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000);

} // namespace testsupport
