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
// A name (UTF-8) with its letters in capitals as Windows compares names without letter case:
// ASCII, the accented Latin letters, Greek, Cyrillic and the full-width Latin letters of the
// East Asian code pages. Two names of one folder with the same capitals are one name there.
std::string UpperName(const std::string& name);
