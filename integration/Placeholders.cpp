#include "integration/Placeholders.h"

#include "integration/CVariables.h"
#include "platform/CTextBuilder.h"

#include <cstring>

bool FindPlaceholder(const char* text, size_t length, size_t from, PlaceholderSpan& span)
{
    const void* percent = from < length ? std::memchr(text + from, '%', length - from) : nullptr;
    if (!percent)
        return false;
    span.start = static_cast<size_t>(static_cast<const char*>(percent) - text);
    const void* close = std::memchr(text + span.start + 1, '%', length - span.start - 1);
    span.closed = close != nullptr;
    span.nameLength = (span.closed ? static_cast<size_t>(static_cast<const char*>(close) - text) : length) - span.start - 1;
    return true;
}

LString ExpandPlaceholders(const CVariables& variables, const char* text, size_t length, bool* complete)
{
    // The text ends at a NUL byte too.
    const void* nul = std::memchr(text, '\0', length);
    if (nul)
        length = static_cast<size_t>(static_cast<const char*>(nul) - text);
    bool gaveNothing = false;
    CTextBuilder out;
    PlaceholderSpan span;
    size_t at = 0;
    for (; FindPlaceholder(text, length, at, span); at = span.End()) {
        out.Append(text + at, span.start - at);
        if (span.nameLength == 0) {
            out.AppendChar('%');
            continue;
        }
        const LString& value = variables.Get(text + span.start + 1, span.nameLength);
        if (value.IsEmpty())
            gaveNothing = true;
        out.Append(value);
    }
    out.Append(text + at, length - at);
    // A text with a piece dropped could name another path or key than the one described, so
    // an expansion that ran out of memory gives nothing at all.
    if (complete)
        *complete = !gaveNothing && !out.Failed();
    return out.Failed() ? LString() : out.ToString();
}

LString ExpandPlaceholders(const CVariables& variables, const LString& text, bool* complete)
{
    return ExpandPlaceholders(variables, text.Text(), text.Length(), complete);
}
