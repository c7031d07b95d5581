#pragma once

#include <windows.h>

#include <functional>

namespace testsupport {

// Polls `condition` every `intervalMs` until it holds; false after the timeout.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000, DWORD intervalMs = 20);

} // namespace testsupport
