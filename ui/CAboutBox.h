#pragma once

#include "framework/LDialog.h"
#include "ui/CModalDialogDef.h"

#include <cstdint>

class LPushButton;

// The Help menu's About box: the icon, the program's name and copyright, and OK, which is
// both the default and the escape button, so Enter, Escape, the close box and OK all end it.
class CAboutBox : private CModalDialogDef, public LDialog {
public:
    CAboutBox(LHandler* owner, LFrame* ownerWindow);

    LMessage Handle(const LMessage& message) override;

    // Waits until the box is dismissed.
    void Run();

    LPushButton* OkButton() const { return m_ok; }
    int32_t CurrentResult() const { return m_result; }

private:
    LPushButton* m_ok = nullptr;
    int32_t m_result = 0;
};
