#include "platform/CUrl.h"

#include "platform/CTextBuilder.h"
#include "platform/TextCompare.h"

#include <cstring>
#include <new>

bool CUrl::IsEmpty() const
{
    return scheme.IsEmpty() && netLocation.IsEmpty() && path.IsEmpty() && parameters.IsEmpty()
        && query.IsEmpty() && fragment.IsEmpty();
}

namespace {

bool IsSchemeChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '+'
        || c == '-' || c == '.';
}

// Position of the first `c` in [begin, end), or end.
const char* Find(const char* begin, const char* end, char c)
{
    const void* found = std::memchr(begin, c, static_cast<size_t>(end - begin));
    return found ? static_cast<const char*>(found) : end;
}

LString Slice(const char* begin, const char* end)
{
    return LString(begin, static_cast<size_t>(end - begin));
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

CUrl ParseUrl(const char* text)
{
    CUrl url;
    if (!text)
        return url;
    // The parts are cut from the outside in: what is cut is gone from `rest`.
    const char* rest = text;
    const char* end = text + std::strlen(text);

    const char* hash = Find(rest, end, '#');
    if (hash != end)
        url.fragment = Slice(hash + 1, end);
    end = hash;

    const char* scan = rest;
    while (scan != end && IsSchemeChar(*scan))
        ++scan;
    if (scan != end && *scan == ':' && scan != rest) {
        url.scheme = Slice(rest, scan);
        rest = scan + 1;
    }

    if (end - rest >= 2 && rest[0] == '/' && rest[1] == '/') {
        const char* slash = Find(rest + 2, end, '/');
        url.netLocation = Slice(rest + 2, slash);
        rest = slash;
    }

    const char* question = Find(rest, end, '?');
    if (question != end)
        url.query = Slice(question + 1, end);
    end = question;

    const char* semicolon = Find(rest, end, ';');
    if (semicolon != end)
        url.parameters = Slice(semicolon + 1, end);
    end = semicolon;

    url.path = Slice(rest, end);
    return url;
}

LString ComposeUrl(const CUrl& url)
{
    CTextBuilder text;
    // A relative reference has neither scheme nor net location: writing "://" and a leading
    // '/' in front of it would turn it into a different (absolute) reference.
    bool absolute = !url.scheme.IsEmpty() || !url.netLocation.IsEmpty();
    if (absolute) {
        if (!url.scheme.IsEmpty()) {
            text.Append(url.scheme);
            text.AppendChar(':');
        }
        text.Append("//");
        text.Append(url.netLocation);
        if (url.path.Text()[0] != '/')
            text.AppendChar('/');
    } else if (url.path.Text()[0] == '/' && url.path.Text()[1] == '/') {
        // An empty net location keeps a path that begins with "//" from being read as one.
        text.Append("//");
    }
    text.Append(url.path);
    if (!url.parameters.IsEmpty()) {
        text.AppendChar(';');
        text.Append(url.parameters);
    }
    if (!url.query.IsEmpty()) {
        text.AppendChar('?');
        text.Append(url.query);
    }
    if (!url.fragment.IsEmpty()) {
        text.AppendChar('#');
        text.Append(url.fragment);
    }
    return text.ToString();
}

namespace {

struct Segment {
    const char* text;
    size_t length;

    bool Is(const char* word) const
    {
        return std::strlen(word) == length && std::memcmp(text, word, length) == 0;
    }
};

// Joins prefix "/" path, splits it at '/', drops empty and "." segments, lets ".." take the
// segment before it, and writes "/" segment for every one that remains.
LString MergePaths(const char* prefix, size_t prefixLength, const LString& path)
{
    CTextBuilder merged;
    merged.Append(prefix, prefixLength);
    merged.AppendChar('/');
    merged.Append(path);
    if (merged.Failed())
        return LString();

    const char* text = merged.Text();
    const char* end = text + merged.Length();
    // Every segment needs at least one byte and one '/', so half the length bounds the count.
    size_t capacity = merged.Length() / 2 + 1;
    Segment* kept = new (std::nothrow) Segment[capacity];
    if (!kept)
        return LString();
    size_t count = 0;
    for (const char* begin = text; begin < end;) {
        const char* stop = Find(begin, end, '/');
        Segment segment{begin, static_cast<size_t>(stop - begin)};
        begin = stop + 1;
        if (segment.length == 0 || segment.Is("."))
            continue;
        if (segment.Is("..")) {
            if (count > 0)
                --count;
            continue;
        }
        kept[count++] = segment;
    }

    CTextBuilder result;
    for (size_t i = 0; i < count; ++i) {
        result.AppendChar('/');
        result.Append(kept[i].text, kept[i].length);
    }
    delete[] kept;
    return result.ToString();
}

} // namespace

void Resolve(CUrl& relative, const CUrl& base, bool baseIsFolder)
{
    if (base.IsEmpty())
        return;
    if (relative.IsEmpty()) {
        relative = base;
        return;
    }
    if (!relative.scheme.IsEmpty())
        return;
    relative.scheme = base.scheme;
    if (!relative.netLocation.IsEmpty())
        return;
    relative.netLocation = base.netLocation;
    if (relative.path.Text()[0] == '/')
        return;
    if (relative.path.IsEmpty()) {
        relative.path = base.path;
        if (!relative.parameters.IsEmpty())
            return;
        relative.parameters = base.parameters;
        if (!relative.query.IsEmpty())
            return;
        relative.query = base.query;
        return;
    }
    const char* basePath = base.path.Text();
    size_t prefixLength = base.path.Length();
    if (!baseIsFolder) {
        const char* lastSlash = std::strrchr(basePath, '/');
        prefixLength = lastSlash ? static_cast<size_t>(lastSlash - basePath) : 0;
    }
    relative.path = MergePaths(basePath, prefixLength, relative.path);
}

bool IsFileUrl(const CUrl& url)
{
    return EqualsNoCase(url.scheme.Text(), "file");
}

void AppendEncodedSegment(CTextBuilder& out, const char* segment, size_t length)
{
    if (length == 1 && segment[0] == '.') {
        out.Append("%2e");
        return;
    }
    if (length == 2 && segment[0] == '.' && segment[1] == '.') {
        out.Append("%2e%2e");
        return;
    }
    static const char kHex[] = "0123456789abcdef";
    static const char kMarks[] = "!$'()*+,-._";
    for (size_t i = 0; i < length; ++i) {
        char c = segment[i];
        bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')
            || std::memchr(kMarks, c, sizeof(kMarks) - 1) != nullptr;
        if (plain) {
            out.AppendChar(c);
        } else {
            unsigned char byte = static_cast<unsigned char>(c);
            char escape[3] = {'%', kHex[byte >> 4], kHex[byte & 0x0F]};
            out.Append(escape, 3);
        }
    }
}

void AppendDecodedSegment(CTextBuilder& out, const char* segment, size_t length)
{
    for (size_t i = 0; i < length; ++i) {
        if (segment[i] == '%' && i + 2 < length && HexValue(segment[i + 1]) >= 0
            && HexValue(segment[i + 2]) >= 0) {
            out.AppendChar(static_cast<char>(HexValue(segment[i + 1]) * 16 + HexValue(segment[i + 2])));
            i += 2;
        } else {
            out.AppendChar(segment[i]);
        }
    }
}
