#include "integration/KeyPath.h"

#include "platform/CharStep.h"

namespace {

struct KeySplit {
    size_t parentEnd = 0; // where the parent's path ends
    size_t nameStart = 0; // where the last name begins
};

KeySplit SplitKey(const char* key)
{
    KeySplit split;
    const char* at = key;
    while (*at) {
        if (*at != '\\') {
            at = NextChar(at);
            continue;
        }
        const char* run = at;
        while (*at == '\\')
            ++at; // never a lead byte
        if (*at)
            split.parentEnd = static_cast<size_t>(run - key);
        split.nameStart = static_cast<size_t>(at - key);
    }
    return split;
}

} // namespace

LString ParentKey(const char* key)
{
    return LString(key, SplitKey(key).parentEnd);
}

LString LastKeyName(const char* key)
{
    return LString(key + SplitKey(key).nameStart);
}
