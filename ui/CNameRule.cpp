#include "ui/CNameRule.h"

bool CNameRule::AllowsSetup(const char* name, const Classifier& classifier)
{
    if (!name)
        return false;
    const char* p = name;
    while (*p) {
        int length = classifier.CharLength(p);
        // A classifier that reports a character longer than what is left, or none at all,
        // must not walk the loop past the terminator or stall it.
        if (length < 1)
            length = 1;
        if (length > 1 && p[1] == '\0')
            length = 1;
        if ((classifier.CharType(p, length) & kNotNameMask) == 0)
            return true;
        p += length;
    }
    return false;
}
