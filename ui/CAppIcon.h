#pragma once

#include "framework/LIcon.h"

// The application icon "APP" of the program's own module, shown by every window and dialog.
class CAppIcon {
public:
    static LIcon Get();
    static constexpr const char* kName = "APP";
};
