#pragma once

#include "framework/LStdCtl.h"

// A native push button. A click answers "LStdCtl_Selected" (the button as param) to its next.
class LPushButton : public LStdCtl {
public:
    LPushButton(LFrame* parent, const char* label, const LFont& font);

    LMessage Handle(const LMessage& message) override;
    int PreferredWidth(int hint) override;
    int PreferredHeight(int hint) override;

    void SetPushedLook(bool pushed);
    void SetDefaultLook(bool isDefault);

private:
    static LStdCtlSpec Spec(const LFont& font);
};
