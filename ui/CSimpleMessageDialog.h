#pragma once

#include "framework/LDialog.h"
#include "framework/LIcon.h"
#include "ui/CModalDialogDef.h"

#include <cstdint>

class LImagePane;
class LPushButton;
class LTextPane;

// A notice or a yes-or-no question: an icon, a wrapped text and the buttons OK and Cancel.
// OK is the default button; the escape button (Escape, the close box) is Cancel while Cancel
// is shown, else OK.
class CSimpleMessageDialog : private CModalDialogDef, public LDialog {
public:
    // The dialog's result during a wait.
    enum Result : int32_t { kWaiting = 0, kDefault = 1, kEscape = 2 };

    CSimpleMessageDialog(LHandler* owner, LFrame* ownerWindow);

    LMessage Handle(const LMessage& message) override;

    void SetIcon(const LIcon& icon);
    // Shows `message` modally: 1 for OK (or the time limit running out), 0 for Cancel. Without
    // a Cancel button every way out counts as 1. A timeout below 1 second means none.
    int32_t Run(const char* message, int32_t timeoutSeconds, bool withCancel);
    // The first part of Run: the buttons for a notice or a question, the message, and the
    // size that follows from it. The dialog is not shown yet.
    void Prepare(const char* message, bool withCancel);

    int32_t CurrentResult() const { return m_result; }
    LPushButton* OkButton() const { return m_ok; }
    LPushButton* CancelButtonPane() const { return m_cancel; }
    LTextPane* MessagePane() const { return m_message; }

    static const char* const kLayoutNames;
    static const char* const kLayoutSize;
    static const char* const kLayoutPlacement;

private:
    void Layout();

    LPushButton* m_ok = nullptr;
    LPushButton* m_cancel = nullptr;
    LTextPane* m_message = nullptr;
    LImagePane* m_icon = nullptr;
    int32_t m_result = kWaiting;
};
