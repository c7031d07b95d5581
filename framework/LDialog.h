#pragma once

#include "framework/LFrame.h"

class LPushButton;

// A frame with a default button (Return, or closing a window without a cancel button) and a
// cancel button (Escape, or closing the window). Their presses become "LDialog_Default" and
// "LDialog_Escape" to the dialog's next.
class LDialog : public LFrame {
public:
    LDialog(LHandler* next, LFrame* container, LWindowDef* definition);

    LMessage Handle(const LMessage& message) override;

    // Moves the default-button look to the new button.
    void SetDefaultButton(LPushButton* button);
    void SetCancelButton(LPushButton* button) { m_cancel = button; }
    LPushButton* DefaultButton() const { return m_default; }
    LPushButton* CancelButton() const { return m_cancel; }

private:
    LMessage Press(LPushButton* button);

    LPushButton* m_default = nullptr;
    LPushButton* m_cancel = nullptr;
};
