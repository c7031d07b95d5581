#pragma once

#include "app/CInstallerWindow.h"
#include "install/CProcedureDialogs.h"

class CInstWin;
class CSimpleProgressDialog;
class CStartupNotice;

// The installer run's user interface: the installer window with its pages, the start-up
// notice, the About box and the dialogs the install and uninstall procedures ask through.
// Every dialog belongs to the installer window and sends what it does not handle to the
// installer.
class CInstallerUi : public CInstallerWindow, public CProcedureDialogs {
public:
    explicit CInstallerUi(LHandler* installer);
    ~CInstallerUi() override;
    CInstallerUi(const CInstallerUi&) = delete;
    CInstallerUi& operator=(const CInstallerUi&) = delete;

    // The factory the start-up hands to the installer run; null when the window cannot be made.
    static CInstallerWindow* Make(LHandler* installer);

    // CInstallerWindow
    LHandler* Handler() override;
    CProcedureDialogs& Dialogs() override { return *this; }
    void ShowStartupNotice(const LString& text) override;
    void CloseStartupNotice() override;
    void SetTitle(const LString& title) override;
    void SetInstallTexts(const LString& title, const LString& text) override;
    void SetParentFolder(const LString& folder) override;
    LString ParentFolder() override;
    void SetRequirement(uint32_t entryCount, uint32_t totalBytes) override;
    void SetUninstallTexts(const LString& title, const LString& text, const LString& folder) override;
    void Layout() override;
    void ShowInstallPage() override;
    void ShowUninstallPage() override;
    void Show() override;
    void Hide() override;
    void RunAboutBox() override;

    // CProcedureDialogs
    CProcedureProgress* OpenProgress(const LString& message, uint32_t maximum, const LString& stopLabel) override;
    void CloseProgress() override;
    void HideWindow() override;
    bool Ask(const LString& text) override;
    void Notice(const LString& text) override;
    bool RegisterUser(const LString& text, const LString& proposedName, LString& name) override;

    CInstWin* Window() const { return m_window; }
    CSimpleProgressDialog* Progress() const { return m_progress; }

private:
    int32_t RunMessage(const LString& text, bool withCancel);

    LHandler* m_installer;
    CInstWin* m_window = nullptr;
    CStartupNotice* m_notice = nullptr;
    CSimpleProgressDialog* m_progress = nullptr;
};
