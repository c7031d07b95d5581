#pragma once

#include "framework/LString.h"
#include "install/CInstallProgress.h"

#include <cstdint>

// The progress dialog as the procedures drive it: besides what the file installation needs,
// they change its message and take the stop button and the bar away when the work can no
// longer be stopped or is being undone.
class CProcedureProgress : public CInstallProgress {
public:
    virtual void SetMessage(const LString& text) = 0;
    virtual void HideBar() = 0;
    virtual void DisableStop() = 0;

protected:
    ~CProcedureProgress() = default;
};

// What the install and uninstall procedures need of the user interface: the progress dialog,
// questions and notices (all with the application icon), the registration dialog and the
// installer window, which is hidden while the work runs. The installer binds it to its
// dialogs; tests bind it to scripted answers.
class CProcedureDialogs {
public:
    // Opens (but does not yet show) the progress dialog with its bar running from 0 to
    // maximum. An empty stop label hides the stop button. Null when it cannot be made; the
    // dialog stays valid until CloseProgress.
    virtual CProcedureProgress* OpenProgress(const LString& message, uint32_t maximum, const LString& stopLabel) = 0;
    virtual void CloseProgress() = 0;
    virtual void HideWindow() = 0;

    // A question with OK and Cancel; true for OK.
    virtual bool Ask(const LString& text) = 0;
    // A notice with OK only.
    virtual void Notice(const LString& text) = 0;
    // Asks for the user's name with the description's registration text, the field filled in
    // with `proposedName`. False for Cancel; otherwise `name` holds what the user entered.
    virtual bool RegisterUser(const LString& text, const LString& proposedName, LString& name) = 0;

protected:
    ~CProcedureDialogs() = default;
};
