#include "ui/CLocaleNameClassifier.h"

CLocaleNameClassifier::CLocaleNameClassifier()
{
    // As a number rather than as digits: no parsing of the text.
    DWORD value = 0;
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                       reinterpret_cast<char*>(&value), sizeof(value)) > 0 && value != 0)
        m_codePage = value;
}

int CLocaleNameClassifier::CharLength(const char* text) const
{
    if (IsDBCSLeadByteEx(m_codePage, BYTE(text[0])) && text[1] != '\0')
        return 2;
    return 1;
}

uint16_t CLocaleNameClassifier::CharType(const char* text, int length) const
{
    WORD types[2] = {};
    if (!GetStringTypeExA(LOCALE_USER_DEFAULT, CT_CTYPE1, text, length, types))
        return 0;
    return types[0];
}

bool CLocaleNameClassifier::NameAllowsSetup(const char* name)
{
    CLocaleNameClassifier classifier;
    return CNameRule::AllowsSetup(name, classifier);
}
