#pragma once

// Paths and file names are compared ignoring letter case in the user's default locale
// (CompareStringA with NORM_IGNORECASE on Windows; ASCII folding in the native build).
// Returns a negative number, zero or a positive number like strcmp.
int CompareTextNoCase(const char* left, const char* right);

// Byte order with the ASCII letters folded: a fast order for texts that are ASCII or compared
// for identity, such as URLs, whose other bytes are percent-encoded.
int CompareAsciiNoCase(const char* left, const char* right);

inline bool EqualsNoCase(const char* left, const char* right)
{
    return CompareTextNoCase(left, right) == 0;
}
