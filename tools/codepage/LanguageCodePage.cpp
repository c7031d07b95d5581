#include "tools/codepage/CCodePage.h"

namespace {

struct LanguageCodePage {
    unsigned primary; // primary language (low 10 bits of the language number)
    unsigned codePage;
};

// Primary languages whose every variant uses one code page. Chinese depends on the variant.
const LanguageCodePage kTable[] = {
    {0x11, 932},  // Japanese
    {0x12, 949},  // Korean
    {0x1E, 874},  // Thai
    {0x19, 1251}, {0x22, 1251}, {0x02, 1251}, {0x23, 1251}, {0x2F, 1251}, // Russian, Ukrainian, Bulgarian, Belarusian, Macedonian
    {0x05, 1250}, {0x15, 1250}, {0x0E, 1250}, {0x1B, 1250}, {0x24, 1250}, {0x18, 1250}, {0x1C, 1250}, // Czech, Polish, Hungarian, Slovak, Slovenian, Romanian, Albanian
    {0x08, 1253}, // Greek
    {0x1F, 1254}, // Turkish
    {0x0D, 1255}, // Hebrew
    {0x01, 1256}, {0x29, 1256}, {0x20, 1256}, // Arabic, Persian, Urdu
    {0x25, 1257}, {0x26, 1257}, {0x27, 1257}, // Estonian, Latvian, Lithuanian
    {0x2A, 1258}, // Vietnamese
};

} // namespace

unsigned AnsiCodePageOfLanguage(long language)
{
    const unsigned number = static_cast<unsigned long>(language) & 0xFFFFu;
    const unsigned primary = number & 0x3FFu;
    if (primary == 0x04) // Chinese: simplified for China and Singapore, traditional elsewhere
        return number == 2052 || number == 4100 ? 936 : 950;
    for (const LanguageCodePage& entry : kTable)
        if (entry.primary == primary)
            return entry.codePage;
    return 1252;
}
