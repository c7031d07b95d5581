#pragma once

#include "framework/LString.h"

#include <cstddef>

class CVariables;

// What one expansion met besides plain text.
struct ExpansionNotes {
    // A named placeholder gave nothing (its variable is unset or empty), so the text around it
    // may now name something else than intended, such as "\Group" for "%START%\Group".
    bool emptyPlaceholder = false;
    // Memory ran out; the expansion is then the empty text.
    bool failed = false;
};

// Replaces every "%NAME%" by the value of the variable NAME ("%%" and a lone '%' at the end
// give one '%'; a name left open at the end of the text still counts). Values are inserted as
// they are and not expanded again. The text ends at its length or at a NUL byte.
LString ExpandPlaceholders(const CVariables& variables, const char* text, size_t length,
                           ExpansionNotes* notes = nullptr);
LString ExpandPlaceholders(const CVariables& variables, const LString& text, ExpansionNotes* notes = nullptr);
