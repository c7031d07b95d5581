#pragma once

#include "framework/LString.h"

#include <cstddef>

// Native path text: ANSI byte strings in which both '\' and ':' are separators. Positions are
// byte offsets that always fall on character boundaries (every scan steps with NextChar).

bool IsSeparator(char c);

// The first separator at or after `from`, or the length of the path.
size_t NextSeparator(const char* path, size_t from);
// From `from`, the first position after the separator run that begins at the next separator;
// the length of the path if nothing follows the run.
size_t SkipSeparators(const char* path, size_t from);
// The text after the last separator run; empty when the path ends with a separator.
LString LastComponent(const char* path);
// Position of the extension's '.' in the last component, or the length of the path when it
// has none. A '.' followed later by a space and more text does not start an extension.
size_t ExtensionPos(const char* path);
// The drive letter without colon: the text before the first separator when that separator is
// ':', otherwise the drive of the current directory (empty if it has none).
LString DrivePart(const char* path);
LString DriveOf(const char* path);      // "C:"
LString DriveRootOf(const char* path);  // "C:\"
// C:\a\b gives C:\a, C:\a gives C:\, C:\ and a bare name give "", C:\a\b\ gives C:\a.
LString ParentPath(const char* path);
// The name alone for an empty folder; otherwise folder, "\" unless the folder already ends
// with a separator, and the name.
LString JoinPath(const char* folder, const char* name);
// The path up to its last component, then the name.
LString ReplaceLastComponent(const char* path, const char* name);
// The path without the separator run at its end: C:\dir\ gives C:\dir, C:\ gives C:.
LString TrimTrailingSeparators(const char* path);

// False for '"', '*', '/', ':', '<', '>', '?', '\', '|' and bytes below 0x20.
bool IsNameChar(unsigned char byte);
// The name with every character that cannot stand in a file name replaced by "_"; an empty
// name or result gives "_". Double-byte characters are kept whole.
LString SanitizeName(const char* name, size_t length);
inline LString SanitizeName(const LString& name) { return SanitizeName(name.Text(), name.Length()); }
