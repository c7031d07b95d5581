#pragma once

#include "framework/LString.h"

#include <cstddef>

class CVariables;

// One placeholder as the expansion reads it: a '%', its name up to the next '%' or the end of
// the text, and that '%' when there is one. An empty name stands for a '%' of its own.
struct PlaceholderSpan {
    size_t start = 0;      // of the '%'
    size_t nameLength = 0; // the name begins at start + 1
    bool closed = false;   // ended by a '%' (part of the span)
    size_t End() const { return start + 1 + nameLength + (closed ? 1 : 0); }
};

// The first placeholder at or after `from` in text[0, length); false when there is none. The
// expansion reads placeholders with it, and so does the packer's check.
bool FindPlaceholder(const char* text, size_t length, size_t from, PlaceholderSpan& span);

// Replaces every "%NAME%" by the value of the variable NAME ("%%" and a lone '%' at the end
// give one '%'; a name left open at the end of the text still counts). Values are inserted as
// they are and not expanded again. The text ends at its length or at a NUL byte.
// `complete`, when given, tells whether every placeholder gave a value: one that gave nothing
// (its variable unset or empty) leaves a text that may name something else than intended,
// "\Group" for "%START%\Group". An expansion that ran out of memory is the empty text and not
// complete either.
LString ExpandPlaceholders(const CVariables& variables, const char* text, size_t length, bool* complete = nullptr);
LString ExpandPlaceholders(const CVariables& variables, const LString& text, bool* complete = nullptr);
