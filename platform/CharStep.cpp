#include "platform/CharStep.h"

#ifdef _WIN32
#include <windows.h>

// Kept out of line: scans call it from a dozen places, and in line each would carry its own
// call through the import table, with a relocation for the loader.
[[gnu::noinline]] const char* NextChar(const char* text)
{
    return CharNextA(text);
}

#else

namespace {

bool IsShiftJisLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

} // namespace

const char* NextChar(const char* text)
{
    if (*text == '\0')
        return text;
    // A lead byte at the very end (a truncated character) stands alone.
    if (IsShiftJisLeadByte(static_cast<unsigned char>(*text)) && text[1] != '\0')
        return text + 2;
    return text + 1;
}

#endif
