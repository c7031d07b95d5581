#include "platform/PathText.h"

#include "platform/CTextBuilder.h"
#include "platform/CharStep.h"

#include <cstring>

#ifdef _WIN32
#include <windows.h>
#endif

bool IsSeparator(char c)
{
    return c == '\\' || c == ':';
}

namespace {

size_t Step(const char* path, size_t at)
{
    return static_cast<size_t>(NextChar(path + at) - path);
}

// Start of the last character, or the length when the text is empty.
size_t LastCharPos(const char* path)
{
    size_t last = std::strlen(path);
    for (size_t at = 0; path[at]; at = Step(path, at))
        last = at;
    return last;
}

// Start of the last component: the position after the last separator run.
size_t LastComponentPos(const char* path)
{
    size_t start = 0;
    for (size_t at = 0; path[at];) {
        if (IsSeparator(path[at])) {
            while (path[at] && IsSeparator(path[at]))
                at = Step(path, at);
            start = at;
        } else {
            at = Step(path, at);
        }
    }
    return start;
}

} // namespace

size_t NextSeparator(const char* path, size_t from)
{
    size_t at = from;
    while (path[at] && !IsSeparator(path[at]))
        at = Step(path, at);
    return at;
}

size_t SkipSeparators(const char* path, size_t from)
{
    size_t at = NextSeparator(path, from);
    while (path[at] && IsSeparator(path[at]))
        at = Step(path, at);
    return at;
}

LString LastComponent(const char* path)
{
    return LString(path + LastComponentPos(path));
}

size_t ExtensionPos(const char* path)
{
    size_t length = std::strlen(path);
    size_t dot = length;
    bool spaceSeen = false;
    for (size_t at = LastComponentPos(path); path[at]; at = Step(path, at)) {
        if (path[at] == '.') {
            dot = at;
            spaceSeen = false;
        } else if (dot != length && spaceSeen) {
            // A space and a further character after the '.': not an extension.
            dot = length;
        } else if (path[at] == ' ' && dot != length) {
            spaceSeen = true;
        }
    }
    return dot;
}

LString DrivePart(const char* path)
{
    size_t first = NextSeparator(path, 0);
    if (path[first] == ':')
        return LString(path, first);
#ifdef _WIN32
    char current[MAX_PATH + 1] = {};
    DWORD length = GetCurrentDirectoryA(MAX_PATH, current);
    if (length == 0 || length >= MAX_PATH)
        return LString();
    size_t currentFirst = NextSeparator(current, 0);
    if (current[currentFirst] == ':')
        return LString(current, currentFirst);
#endif
    return LString();
}

LString DriveOf(const char* path)
{
    CTextBuilder text;
    text.Append(DrivePart(path));
    text.AppendChar(':');
    return text.ToString();
}

LString DriveRootOf(const char* path)
{
    CTextBuilder text;
    text.Append(DrivePart(path));
    text.Append(":\\");
    return text.ToString();
}

LString ParentPath(const char* path)
{
    const size_t none = static_cast<size_t>(-1);
    size_t lastRun = none;
    for (size_t at = 0; path[at];) {
        if (IsSeparator(path[at])) {
            size_t run = at;
            while (path[at] && IsSeparator(path[at]))
                at = Step(path, at);
            if (path[at])
                lastRun = run;
        } else {
            at = Step(path, at);
        }
    }
    if (lastRun == none)
        return LString();
    if (path[lastRun] == ':')
        return DriveRootOf(path);
    return LString(path, lastRun);
}

LString JoinPath(const char* folder, const char* name)
{
    if (!folder[0])
        return LString(name);
    CTextBuilder text;
    text.Append(folder);
    if (!IsSeparator(folder[LastCharPos(folder)]))
        text.AppendChar('\\');
    text.Append(name);
    return text.ToString();
}

LString ReplaceLastComponent(const char* path, const char* name)
{
    CTextBuilder text;
    text.Append(path, LastComponentPos(path));
    text.Append(name);
    return text.ToString();
}

LString TrimTrailingSeparators(const char* path)
{
    // Found from the front: a trail byte at the end may look like '\'.
    size_t end = 0;
    for (size_t at = 0; path[at];) {
        bool separator = IsSeparator(path[at]);
        at = Step(path, at);
        if (!separator)
            end = at;
    }
    return LString(path, end);
}

bool IsNameChar(unsigned char byte)
{
    static const char kReserved[] = "\"*/:<>?\\|";
    if (byte < 0x20)
        return false;
    return std::memchr(kReserved, byte, sizeof(kReserved) - 1) == nullptr;
}

namespace {

// The second byte of a double-byte character is 0x40 or above. A lead byte followed by
// anything lower (':', '/', '?' ...) is no character, and the system would read that byte as
// itself, so the pair must not stand in a name.
bool HasValidSecondByte(const char* character, size_t length)
{
    return length < 2 || static_cast<unsigned char>(character[1]) >= 0x40;
}

// Whether a character (one or two bytes) may stand in a file name as far as its character
// type goes: it must have a type and not be a control character.
bool HasPrintableType(const char* character, size_t length)
{
    if (!HasValidSecondByte(character, length))
        return false;
#ifdef _WIN32
    WORD types[2] = {0, 0};
    if (!GetStringTypeExA(LOCALE_SYSTEM_DEFAULT, CT_CTYPE1, character, static_cast<int>(length), types))
        return false;
    return types[0] != 0 && (types[0] & C1_CNTRL) == 0;
#else
    if (length > 1) {
        // Shift-JIS second bytes run from 0x40 to 0xFC without 0x7F.
        unsigned char second = static_cast<unsigned char>(character[1]);
        return second != 0x7F && second <= 0xFC;
    }
    unsigned char byte = static_cast<unsigned char>(character[0]);
    return byte >= 0x20 && byte != 0x7F;
#endif
}

} // namespace

LString SanitizeName(const char* name, size_t length)
{
    CTextBuilder text;
    // Embedded NUL bytes (from a decoded "%00") are characters that cannot stand in a name.
    for (size_t at = 0; at < length;) {
        size_t next = name[at] ? static_cast<size_t>(NextChar(name + at) - name) : at + 1;
        if (next > length)
            next = length;
        size_t size = next - at;
        bool keep = name[at] && IsNameChar(static_cast<unsigned char>(name[at]))
            && HasPrintableType(name + at, size);
        if (keep)
            text.Append(name + at, size);
        else
            text.AppendChar('_');
        at = next;
    }
    if (text.IsEmpty())
        return LString("_");
    return text.ToString();
}
