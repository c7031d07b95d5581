#pragma once

#include "app/CInstallerWindow.h"
#include "framework/LApplication.h"
#include "package/CBufferedFile.h"
#include "package/CPackageReader.h"

#include <cstdint>

class CInstaller;

// The installer's application: the root of every handler chain. It owns the program's own
// file, the package found at its end, the reader over that package and the installer run.
class CInstallerApp : public LApplication {
public:
    // Opens the program file and finds its package; without one both offsets stay 0 and the
    // reader reports the end at once.
    CInstallerApp(const char* ownPath, CInstallerWindowFactory makeWindow);
    ~CInstallerApp() override;

    LMessage Handle(const LMessage& message) override;

    // Makes the installer run, starts it in the mode its file name asks for and handles
    // events until the run asks to quit.
    void RunInstaller();
    // Makes the run without starting it or the event loop (the run's tests drive it).
    CInstaller* CreateInstaller();

    // Windows ends the user's session: everything is torn down and the process ends.
    void EndSession() override;

    uint32_t PackageStart() const { return m_packageStart; }
    uint32_t PackageEnd() const { return m_packageEnd; }
    CInstaller* Installer() const { return m_installer; }

private:
    LString m_ownPath;
    CInstallerWindowFactory m_makeWindow;
    CBufferedFile m_ownFile;
    uint32_t m_ownSize;
    uint32_t m_packageStart = 0;
    uint32_t m_packageEnd;
    CPackageReader m_reader;
    CInstaller* m_installer = nullptr;
};
