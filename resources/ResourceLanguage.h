#pragma once

#include <cstdint>

// The choice between the English resources and their Japanese "_J" variants.
namespace ResourceLanguage {

constexpr uint16_t kJapanese = 1041; // 0x0411

// How well a candidate language suits the user's locale: 4 same primary language and
// sublanguage, 3 same primary language, 1 the candidate is English, 0 otherwise. Only the low
// 16 bits of either id are read: primary language in bits 0-9, sublanguage in bits 10-15.
int Score(uint32_t candidate, uint32_t userLocale);

// kJapanese when the user's primary language is Japanese, 0 otherwise.
uint16_t Choose(uint32_t userLocale);

// "_J" for kJapanese, "" for every other language id.
const char* NameSuffix(uint16_t languageId);

} // namespace ResourceLanguage
