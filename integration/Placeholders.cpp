#include "integration/Placeholders.h"

#include "integration/CVariables.h"
#include "platform/CTextBuilder.h"

LString ExpandPlaceholders(const CVariables& variables, const char* text, size_t length, bool* complete)
{
    bool gaveNothing = false;
    CTextBuilder out;
    const char* at = text;
    const char* end = text + length;
    while (at != end && *at) {
        const char* plain = at;
        while (at != end && *at && *at != '%')
            ++at;
        out.Append(plain, static_cast<size_t>(at - plain));
        if (at == end || !*at)
            break;
        const char* name = ++at;
        while (at != end && *at && *at != '%')
            ++at;
        size_t nameLength = static_cast<size_t>(at - name);
        if (at != end && *at == '%')
            ++at;
        if (nameLength == 0) {
            out.AppendChar('%');
            continue;
        }
        const LString& value = variables.Get(name, nameLength);
        if (value.IsEmpty())
            gaveNothing = true;
        out.Append(value);
    }
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
