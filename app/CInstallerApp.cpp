#include "app/CInstallerApp.h"

#include "app/CInstaller.h"
#include "app/StartUp.h"
#include "framework/LMenuBar.h"
#include "framework/LMenuItem.h"
#include "framework/LMessageNames.h"
#include "framework/LThreadWindows.h"
#include "package/PackageTrailer.h"

#include <new>

namespace {

uint32_t SizeOf(CStream& file)
{
    file.SeekEnd();
    return file.Failed() ? 0 : file.Position();
}

uint32_t FindPackageEnd(CStream& file, uint32_t& start)
{
    uint32_t end = 0;
    FindPackage(file, start, end);
    return end;
}

} // namespace

CInstallerApp::CInstallerApp(const char* ownPath, CInstallerWindowFactory makeWindow)
    : m_ownPath(ownPath)
    , m_makeWindow(makeWindow)
    , m_ownFile(ownPath, CFileStream::kModeRead, 0)
    , m_ownSize(SizeOf(m_ownFile))
    , m_packageEnd(FindPackageEnd(m_ownFile, m_packageStart))
    , m_reader(m_ownFile, m_packageStart, m_packageEnd)
{
}

CInstallerApp::~CInstallerApp()
{
    delete m_installer;
    m_installer = nullptr;
}

CInstaller* CInstallerApp::CreateInstaller()
{
    if (m_installer)
        return m_installer;
    COwnFile own;
    own.path = m_ownPath;
    own.size = m_ownSize;
    m_installer = new (std::nothrow) CInstaller(this, m_reader, own, m_makeWindow);
    if (m_installer && !m_installer->HasWindow()) {
        // Without a window there is nothing to show and nothing to do.
        delete m_installer;
        m_installer = nullptr;
    }
    return m_installer;
}

void CInstallerApp::RunInstaller()
{
    if (!CreateInstaller())
        return;
    m_installer->Start();
    while (PumpOne() != 0) {
    }
}

LMessage CInstallerApp::Handle(const LMessage& message)
{
    if (message.Is(LMenuBar_Ready) && message.param) {
        // While a modal dialog is open its own buttons are the only way on.
        if (!LThreadWindows::FirstVisible(3)) {
            LMenuBar* bar = static_cast<LMenuBar*>(message.param);
            bar->EnableCommand(LStdCmd_About);
            bar->EnableCommand(LStdCmd_Quit);
        }
        return LApplication::Handle(message);
    }
    if (message.Is(LMenuItem_Selected) && message.param) {
        LMenuItem* item = static_cast<LMenuItem*>(message.param);
        if (item->AnswersTo(LStdCmd_Quit)) {
            Quit();
            return Consumed();
        }
        if (item->AnswersTo(LStdCmd_About)) {
            if (m_installer && m_installer->Window())
                m_installer->Window()->RunAboutBox();
            return Consumed();
        }
    }
    if (message.Is(CInstaller_Done) && message.param && message.param == m_installer) {
        PostQuitMessage(0);
        return Consumed();
    }
    if (message.Is(LFrame_Close)) {
        Quit();
        return Consumed();
    }
    return LApplication::Handle(message);
}

void CInstallerApp::EndSession()
{
    // The tear-down deletes this object; nothing of the event loop may run after it.
    ShutDownInstaller();
    ExitProcess(0);
}
