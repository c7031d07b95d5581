#pragma once

#include "framework/LString.h"

#include <cstdint>

class CProcedureDialogs;
class LHandler;

// What the installer run needs of its window: the two pages filled from the description, the
// start-up notice, showing and hiding, the About box, and the dialogs of the procedures, which
// belong to the window. The window sends "CInstWin_Install" and "CInstWin_Uninstall", with
// Handler() as param, to the installer that created it.
class CInstallerWindow {
public:
    virtual ~CInstallerWindow() = default;

    // The handler that the window's messages come from.
    virtual LHandler* Handler() = 0;
    virtual CProcedureDialogs& Dialogs() = 0;

    // The notice shown while the package is scanned in install mode.
    virtual void ShowStartupNotice(const LString& text) = 0;
    virtual void CloseStartupNotice() = 0;

    virtual void SetTitle(const LString& title) = 0;
    virtual void SetInstallTexts(const LString& title, const LString& text) = 0;
    virtual void SetParentFolder(const LString& folder) = 0;
    // The parent folder chosen on the install page now.
    virtual LString ParentFolder() = 0;
    virtual void SetRequirement(uint32_t entryCount, uint32_t totalBytes) = 0;
    virtual void SetUninstallTexts(const LString& title, const LString& text, const LString& folder) = 0;

    // Fits the window to its texts and centres it.
    virtual void Layout() = 0;
    virtual void ShowInstallPage() = 0;
    virtual void ShowUninstallPage() = 0;
    virtual void Show() = 0;
    virtual void Hide() = 0;

    virtual void RunAboutBox() = 0;
};

// Makes the run's window with the installer as the owner of its messages; null when it cannot
// be made.
using CInstallerWindowFactory = CInstallerWindow* (*)(LHandler* installer);
