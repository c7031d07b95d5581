#pragma once

#include "framework/LWindowDef.h"

// Creates the installer's top-level window of the class "CAPPDEF_INSTALLER" (also the name by
// which a second start finds a running installer), registered once per process with the
// application icon in its large and small size.
class CInstWinDef : public LWindowDef {
public:
    CInstWinDef() : LWindowDef(1) {}
    HWND Create(HWND parent) override;

    static constexpr const char* kClassName = "CAPPDEF_INSTALLER";

private:
    static bool Register();
};
