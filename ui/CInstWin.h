#pragma once

#include "framework/LFrame.h"
#include "framework/LMessageNames.h"
#include "ui/CInstWinDef.h"

class CHowdyPage;
class CUninsPage;
class LMenuBar;

// Sent to the owner (the window's next) when the page's button is pressed; param the window.
L_DECLARE_MESSAGE_NAME(CInstWin_Install);
L_DECLARE_MESSAGE_NAME(CInstWin_Uninstall);

// The installer's main window: the menu bar and two pages, the install page and the uninstall
// page, of which one is visible. The window is as large as the larger page in each direction,
// so switching pages never changes its size.
class CInstWin : private CInstWinDef, public LFrame {
public:
    explicit CInstWin(LHandler* owner);
    ~CInstWin() override;

    LMessage Handle(const LMessage& message) override;

    // Sizes the window to its pages and centres it on the work area; called once the texts
    // are filled in.
    void Layout();
    void ShowInstallPage();
    void ShowUninstallPage();
    void SetTitle(const char* title);
    void Show();
    void Hide();

    CHowdyPage* InstallPage() const { return m_howdy; }
    CUninsPage* UninstallPage() const { return m_unins; }
    LMenuBar* MenuBar() const { return m_menuBar; }

private:
    void ShowPage(LPane* shown, LPane* hidden);

    LMenuBar* m_menuBar = nullptr;
    CHowdyPage* m_howdy = nullptr;
    CUninsPage* m_unins = nullptr;
};
