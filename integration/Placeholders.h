#pragma once

#include "framework/LString.h"

#include <cstddef>

class CVariables;

// Replaces every "%NAME%" by the value of the variable NAME ("%%" and a lone '%' at the end
// give one '%'; a name left open at the end of the text still counts). Values are inserted as
// they are and not expanded again. The text ends at its length or at a NUL byte.
// `complete`, when given, tells whether every placeholder gave a value: one that gave nothing
// (its variable unset or empty) leaves a text that may name something else than intended,
// "\Group" for "%START%\Group". An expansion that ran out of memory is the empty text and not
// complete either.
LString ExpandPlaceholders(const CVariables& variables, const char* text, size_t length, bool* complete = nullptr);
LString ExpandPlaceholders(const CVariables& variables, const LString& text, bool* complete = nullptr);
