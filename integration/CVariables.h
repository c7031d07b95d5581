#pragma once

#include "framework/LPtrArray.h"
#include "framework/LString.h"

// The placeholder variables of one installer run ("DEST", "START"): names compared exactly,
// with letter case; a name that is not set reads as the empty text.
class CVariables {
public:
    CVariables() = default;
    CVariables(const CVariables&) = delete;
    CVariables& operator=(const CVariables&) = delete;
    ~CVariables();

    // Replaces the value of a known name or adds the pair. False when memory ran out; the
    // variables then stay as they were.
    bool Set(const LString& name, const LString& value);
    // The value, or the empty text for a name that is not set.
    const LString& Get(const char* name, size_t nameLength) const;
    const LString& Get(const char* name) const;
    bool IsSet(const char* name) const;

private:
    struct Pair {
        LString name;
        LString value;
    };
    Pair* Find(const char* name, size_t nameLength) const;

    LPtrArray<Pair> m_pairs;
};
