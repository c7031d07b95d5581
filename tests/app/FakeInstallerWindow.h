#pragma once

// The installer window played by a test: it records what the run tells it, in order, keeps the
// parent folder the user would have chosen, and presses its buttons by sending the messages a
// real window sends.

#include "app/CInstallerWindow.h"
#include "framework/LHandler.h"
#include "framework/LMessage.h"
#include "tests/install/FakeDialogs.h"

#include <string>
#include <vector>

namespace testsupport {

class FakeInstallerWindow : public LHandler, public CInstallerWindow {
public:
    explicit FakeInstallerWindow(LHandler* installer) : LHandler(installer) {}

    LHandler* Handler() override { return this; }
    CProcedureDialogs& Dialogs() override { return dialogs; }
    void ShowStartupNotice(const LString& text) override
    {
        events.push_back("notice shown");
        startupNotice = text.Text();
    }
    void CloseStartupNotice() override { events.push_back("notice closed"); }
    void SetTitle(const LString& text) override { title = text.Text(); }
    void SetInstallTexts(const LString& aTitle, const LString& text) override
    {
        pageTitle = aTitle.Text();
        pageText = text.Text();
    }
    void SetParentFolder(const LString& folder) override { parentFolder = folder.Text(); }
    LString ParentFolder() override { return LString(parentFolder.c_str()); }
    void SetRequirement(uint32_t count, uint32_t bytes) override
    {
        entryCount = count;
        totalBytes = bytes;
    }
    void SetUninstallTexts(const LString& aTitle, const LString& text, const LString& folder) override
    {
        pageTitle = aTitle.Text();
        pageText = text.Text();
        uninstallFolder = folder.Text();
    }
    void Layout() override { events.push_back("layout"); }
    void ShowInstallPage() override { events.push_back("install page"); }
    void ShowUninstallPage() override { events.push_back("uninstall page"); }
    void Show() override { events.push_back("show"); }
    void Hide() override { events.push_back("hide"); }
    void RunAboutBox() override { events.push_back("about"); }

    void PressInstall() { Send(LMessage("CInstWin_Install", this, Next())); }
    void PressUninstall() { Send(LMessage("CInstWin_Uninstall", this, Next())); }

    FakeDialogs dialogs;
    std::vector<std::string> events;
    std::string startupNotice;
    std::string title;
    std::string pageTitle;
    std::string pageText;
    std::string parentFolder;
    std::string uninstallFolder;
    uint32_t entryCount = 0;
    uint32_t totalBytes = 0;
};

} // namespace testsupport
