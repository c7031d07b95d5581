#pragma once

#include "framework/LDialog.h"
#include "framework/LIcon.h"
#include "framework/LString.h"
#include "ui/CModalDialogDef.h"

#include <cstdint>

class LEditText;
class LImagePane;
class LPushButton;
class LTextPane;

// Asks for the user's name before an installation that registers applications: an icon, the
// description's registration text, a one-line name field and the buttons Setup and Cancel.
// Setup is available only while the name holds a character that is not a digit, blank,
// space, punctuation or control character. Cancel is the escape button; there is no default
// button, so Enter chooses nothing.
class CUserRegDialog : private CModalDialogDef, public LDialog {
public:
    enum Result : int32_t { kWaiting = 0, kSetup = 1, kCancel = 2 };

    explicit CUserRegDialog(LFrame* ownerWindow, LHandler* owner = nullptr);

    LMessage Handle(const LMessage& message) override;

    void SetText(const char* text);
    void SetIcon(const LIcon& icon);
    void SetName(const char* name);
    // Builds the layout (Tab order included), sizes the dialog and updates Setup.
    void Layout();
    // Waits until Setup or Cancel is chosen; the result.
    int32_t Run();

    LString Name() const;
    int32_t CurrentResult() const { return m_result; }
    LPushButton* SetupButton() const { return m_setup; }
    LPushButton* CancelButtonPane() const { return m_cancel; }
    LEditText* NameField() const { return m_name; }

private:
    void UpdateSetup();

    LPushButton* m_setup = nullptr;
    LPushButton* m_cancel = nullptr;
    LEditText* m_name = nullptr;
    LTextPane* m_text = nullptr;
    LImagePane* m_icon = nullptr;
    int32_t m_result = kWaiting;
};
