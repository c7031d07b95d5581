#pragma once

#include <windows.h>

// Saves a shell link at `shortcut` that points to `target`, with an optional description,
// through the shell's link object. Needs COM initialised. Gives the result of the last step
// taken; a shortcut path that cannot be converted to UTF-16 is a failure, not a success.
HRESULT CreateShellLink(const char* target, const char* shortcut, const char* description);
