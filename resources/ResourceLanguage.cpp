#include "resources/ResourceLanguage.h"

namespace ResourceLanguage {

namespace {
constexpr uint32_t kPrimaryEnglish = 0x09;
uint32_t Primary(uint32_t id) { return id & 0x3FF; }
uint32_t Sub(uint32_t id) { return (id & 0xFFFF) >> 10; }
} // namespace

int Score(uint32_t candidate, uint32_t userLocale)
{
    if (Primary(candidate) == Primary(userLocale))
        return Sub(candidate) == Sub(userLocale) ? 4 : 3;
    return Primary(candidate) == kPrimaryEnglish ? 1 : 0;
}

uint16_t Choose(uint32_t userLocale)
{
    return Score(kJapanese, userLocale) >= 2 ? kJapanese : 0;
}

const char* NameSuffix(uint16_t languageId)
{
    return languageId == kJapanese ? "_J" : "";
}

} // namespace ResourceLanguage
