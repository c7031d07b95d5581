#pragma once

// The bytes that make up numbers and names in a layout script: two of them next to each
// other belong to one token, every other pair of bytes meets at a token boundary.
inline bool IsScriptDigit(int c) { return c >= '0' && c <= '9'; }
inline bool IsScriptLetter(int c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
inline bool IsScriptWordByte(int c) { return IsScriptDigit(c) || IsScriptLetter(c); }
