#include "platform/TextCompare.h"

namespace {

unsigned char FoldAscii(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

} // namespace

int CompareAsciiNoCase(const char* left, const char* right)
{
    const unsigned char* l = reinterpret_cast<const unsigned char*>(left);
    const unsigned char* r = reinterpret_cast<const unsigned char*>(right);
    while (*l && FoldAscii(*l) == FoldAscii(*r)) {
        ++l;
        ++r;
    }
    return static_cast<int>(FoldAscii(*l)) - static_cast<int>(FoldAscii(*r));
}

#ifdef _WIN32
#include <windows.h>

#include <cstring>

int CompareTextNoCase(const char* left, const char* right)
{
    int result = CompareStringA(GetUserDefaultLCID(), NORM_IGNORECASE, left, -1, right, -1);
    if (result == 0) {
        // The locale cannot compare these texts; fall back to plain byte order.
        return std::strcmp(left, right);
    }
    return result - CSTR_EQUAL;
}

#else

int CompareTextNoCase(const char* left, const char* right) { return CompareAsciiNoCase(left, right); }

#endif
