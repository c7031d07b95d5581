#pragma once

#include "framework/LWindowDef.h"

// Creates dialog windows of the class "LDIALOGDEFDATA" from an in-memory template with no
// controls; the layout gives the real size and position afterwards. The class is registered
// while at least one dialog definition exists.
class LDialogDef : public LWindowDef {
public:
    explicit LDialogDef(int kind);
    ~LDialogDef() override;
    HWND Create(HWND parent) override;

    static const char* ClassName() { return "LDIALOGDEFDATA"; }
};
