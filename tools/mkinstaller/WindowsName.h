#pragma once

#include <string>

// Whether Windows can create a file or folder of this name (UTF-8 text, one name without
// separators). False with the reason ("holds ':'", "is a device name" ...) for a name that
// is empty, "." or "..", holds <>:"/\|?* or a control character, ends in a full stop or a
// blank (which Windows drops), or is a device name such as CON, NUL, COM1 or LPT1 (also with
// an extension).
bool IsWindowsName(const std::string& name, std::string* reason = nullptr);
// The text with ASCII capitals made small, for comparing names and keys as Windows does for
// the letters every code page shares.
std::string LowerAscii(std::string text);
