#pragma once

#include "framework/LDialog.h"
#include "framework/LIcon.h"
#include "install/CProcedureDialogs.h"
#include "ui/CModalDialogDef.h"

#include <cstdint>

class LImagePane;
class LProgressBar;
class LPushButton;
class LTextPane;

// A one-line message, a progress bar and a Stop button while files are installed or removed;
// also the "starting up" notice. Stop is the default and the escape button, so a click,
// Enter, Escape and the close box all stop. The size is fixed before the dialog is first
// shown: later messages are drawn in the same one-line box.
class CSimpleProgressDialog : private CModalDialogDef, public LDialog, public CProcedureProgress {
public:
    CSimpleProgressDialog(LHandler* owner, LFrame* ownerWindow);

    LMessage Handle(const LMessage& message) override;

    void SetTitle(const char* title);
    void SetIcon(const LIcon& icon);
    // Before the dialog is first shown the message also decides its size.
    void SetMessage(const char* message);
    void SetMessage(const LString& message) override { SetMessage(message.Text()); }

    // Shows the dialog if needed and handles one pending message without waiting for one:
    // 1 once Stop has been used, else 0.
    int32_t WaitStepResult();

    // The bar's range in the unit of the work (bytes of the package); any 32-bit amount.
    void SetMaximum(uint32_t maximum);
    // CInstallProgress: the bar's position, and one wait step that tells whether to stop.
    // Looking at the queue costs more than writing a small file, so the steps of the work look
    // at it only every kLookIntervalMs (the first step and those asked to always), then handle
    // what is pending; Stop is still seen within that time after the current entry.
    void SetPosition(uint32_t position) override;
    bool WaitStep(bool always = false) override;
    static constexpr uint32_t kLookIntervalMs = 20;

    // The installation's steps: the file phase with its message and range, the end of the
    // file phase (Stop no longer available), and the undoing after a stop or a failure.
    void BeginFiles(uint32_t total, bool uninstalling);
    void EndFiles();
    void ShowCanceling();
    // CProcedureProgress: the same steps with the procedures' own texts.
    void HideBar() override;
    void DisableStop() override { EndFiles(); }

    LPushButton* StopButton() const { return m_stop; }
    LTextPane* MessagePane() const { return m_message; }
    LProgressBar* Bar() const { return m_bar; }
    LImagePane* IconPane() const { return m_icon; }
    bool IsVisible() const;

    static const char* const kLayoutNames;
    static const char* const kLayoutSize;
    static const char* const kLayoutPlacement;

private:
    void Layout();

    LPushButton* m_stop = nullptr;
    LTextPane* m_message = nullptr;
    LProgressBar* m_bar = nullptr;
    LImagePane* m_icon = nullptr;
    int32_t m_result = 0;
    bool m_looked = false;
    uint32_t m_lastLook = 0; // tick count of the last look at the queue
    // The bar holds signed 32-bit values; larger ranges are halved, position with them.
    int m_shift = 0;
    // The bar's filled width in pixels as last shown; -1 before the first position.
    int32_t m_shownWidth = -1;
    uint32_t m_lastShown = 0; // tick count of the last change of the bar
};
