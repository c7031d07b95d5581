#pragma once

#include "framework/LString.h"
#include "resources/LResSource.h"

// A source that prefers the variant of a resource in its language: NAME + "_J" for Japanese
// (1041), falling back to NAME.
class LLocalResSource : public LResSource {
public:
    LLocalResSource(HMODULE module, WORD languageId);

    bool Load(const char* name, LStrList* list) override;
    WORD LanguageId() const override { return m_languageId; }
    const LString& Suffix() const { return m_suffix; }

private:
    WORD m_languageId;
    LString m_suffix;
};
