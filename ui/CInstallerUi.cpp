#include "ui/CInstallerUi.h"

#include "framework/LPushButton.h"
#include "ui/CAboutBox.h"
#include "ui/CAppIcon.h"
#include "ui/CHowdyPage.h"
#include "ui/CInstWin.h"
#include "ui/CSimpleMessageDialog.h"
#include "ui/CSimpleProgressDialog.h"
#include "ui/CStartupNotice.h"
#include "ui/CUninsPage.h"
#include "ui/CUserRegDialog.h"

#include <new>

CInstallerUi::CInstallerUi(LHandler* installer)
    : m_installer(installer)
{
    m_window = new (std::nothrow) CInstWin(installer);
    if (!m_window)
        return;
    const LIcon icon = CAppIcon::Get();
    m_window->InstallPage()->SetIcon(icon);
    m_window->UninstallPage()->SetIcon(icon);
}

CInstallerUi::~CInstallerUi()
{
    delete m_notice;
    delete m_progress;
    delete m_window;
}

CInstallerWindow* CInstallerUi::Make(LHandler* installer)
{
    CInstallerUi* ui = new (std::nothrow) CInstallerUi(installer);
    if (ui && (!ui->m_window || !ui->m_window->Window())) {
        delete ui;
        return nullptr;
    }
    return ui;
}

LHandler* CInstallerUi::Handler() { return m_window; }

void CInstallerUi::ShowStartupNotice(const LString& text)
{
    delete m_notice;
    m_notice = new (std::nothrow) CStartupNotice(m_installer, m_window, text.Text());
}

void CInstallerUi::CloseStartupNotice()
{
    delete m_notice;
    m_notice = nullptr;
}

void CInstallerUi::SetTitle(const LString& title) { m_window->SetTitle(title.Text()); }

void CInstallerUi::SetInstallTexts(const LString& title, const LString& text)
{
    m_window->InstallPage()->SetTitle(title.Text());
    m_window->InstallPage()->SetText(text.Text());
}

void CInstallerUi::SetParentFolder(const LString& folder) { m_window->InstallPage()->SetParentFolder(folder); }

LString CInstallerUi::ParentFolder() { return m_window->InstallPage()->ParentFolder(); }

void CInstallerUi::SetRequirement(uint32_t entryCount, uint32_t totalBytes)
{
    m_window->InstallPage()->SetRequirement(entryCount, totalBytes);
}

void CInstallerUi::SetUninstallTexts(const LString& title, const LString& text, const LString& folder)
{
    CUninsPage* page = m_window->UninstallPage();
    page->SetTitle(title.Text());
    page->SetText(text.Text());
    page->SetFolder(folder.Text());
}

void CInstallerUi::Layout() { m_window->Layout(); }
void CInstallerUi::ShowInstallPage() { m_window->ShowInstallPage(); }
void CInstallerUi::ShowUninstallPage() { m_window->ShowUninstallPage(); }
void CInstallerUi::Show() { m_window->Show(); }
void CInstallerUi::Hide() { m_window->Hide(); }
void CInstallerUi::HideWindow() { m_window->Hide(); }

void CInstallerUi::RunAboutBox()
{
    CAboutBox box(m_installer, m_window);
    box.Run();
}

CProcedureProgress* CInstallerUi::OpenProgress(const LString& message, uint32_t maximum, const LString& stopLabel)
{
    CloseProgress();
    m_progress = new (std::nothrow) CSimpleProgressDialog(m_installer, m_window);
    if (!m_progress)
        return nullptr;
    m_progress->SetIcon(CAppIcon::Get());
    if (LPushButton* stop = m_progress->StopButton()) {
        if (stopLabel.IsEmpty())
            stop->SetState(LPane::kHide);
        else
            stop->SetText(stopLabel.Text());
    }
    m_progress->SetMessage(message);
    m_progress->SetMaximum(maximum);
    return m_progress;
}

void CInstallerUi::CloseProgress()
{
    delete m_progress;
    m_progress = nullptr;
}

int32_t CInstallerUi::RunMessage(const LString& text, bool withCancel)
{
    CSimpleMessageDialog dialog(m_installer, m_window);
    dialog.SetIcon(CAppIcon::Get());
    return dialog.Run(text.Text(), 0, withCancel);
}

bool CInstallerUi::Ask(const LString& text) { return RunMessage(text, true) == 1; }

void CInstallerUi::Notice(const LString& text) { RunMessage(text, false); }

bool CInstallerUi::RegisterUser(const LString& text, const LString& proposedName, LString& name)
{
    CUserRegDialog dialog(m_window, m_installer);
    dialog.SetText(text.Text());
    dialog.SetIcon(CAppIcon::Get());
    dialog.SetName(proposedName.Text());
    dialog.Layout();
    if (dialog.Run() != CUserRegDialog::kSetup)
        return false;
    name = dialog.Name();
    return true;
}
