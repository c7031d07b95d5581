#pragma once

// Steps over one character of ANSI text. Native paths and names may be in a double-byte code
// page, so every scan that looks for '\', ':' or '.' steps with this and never lands inside a
// double-byte character. On Windows it is CharNextA (the system's ANSI code page); natively it
// treats Shift-JIS lead bytes as starting two-byte characters. It never steps past the NUL.
const char* NextChar(const char* text);
