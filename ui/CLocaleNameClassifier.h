#pragma once

#include "ui/CNameRule.h"

#include <windows.h>

// Walks and classifies a name in the user's default locale: double-byte characters of the
// locale's ANSI code page count as one character, and the platform's character types
// decide what each one is.
class CLocaleNameClassifier : public CNameRule::Classifier {
public:
    CLocaleNameClassifier();

    int CharLength(const char* text) const override;
    uint16_t CharType(const char* text, int length) const override;

    // The rule over this classifier: whether `name` enables the Setup button.
    static bool NameAllowsSetup(const char* name);

private:
    UINT m_codePage = CP_ACP;
};
