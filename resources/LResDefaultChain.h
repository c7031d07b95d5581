#pragma once

#include <windows.h>

class LResSourceChain;

// The process-wide resource chain set up at start-up: the executable itself, then the
// application instance in the user's language. It also becomes the menus' loader.
namespace LResDefaultChain {

// Chooses the language from the user's default locale. Returns the chain (also the default),
// or null when memory ran out.
LResSourceChain* Create(HINSTANCE instance);
// Same with a given locale id, for tests.
LResSourceChain* CreateForLocale(HINSTANCE instance, LCID userLocale);
void Destroy();

// 1041 when the Japanese texts are in use, 0 otherwise (also 0 without a default chain).
WORD LanguageId();

} // namespace LResDefaultChain
