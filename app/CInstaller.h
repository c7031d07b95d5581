#pragma once

#include "framework/LHandler.h"
#include "framework/LMessageNames.h"
#include "framework/LString.h"
#include "framework/LTimer.h"
#include "install/CInstDesc.h"
#include "install/CPackageEntries.h"
#include "integration/CVariables.h"
#include "app/CBackgroundScan.h"
#include "app/CInstallerWindow.h"

#include <cstdint>

class CPackageReader;
struct CProcedureRun;

L_DECLARE_MESSAGE_NAME(CInstaller_Done);

// The program file that carries the package: where it is and how big, for the uninstaller
// copy that an installation writes and counts.
struct COwnFile {
    LString path;
    uint32_t size = 0;
};

// One run of the installer: it owns the window and the description, keeps the destination and
// the pre-scan's figures, and answers the window's Install and Uninstall buttons by running
// the procedures. When the work is over it sends "CInstaller_Done" to the application.
class CInstaller : public LHandler {
public:
    enum OleState { kOleNotTried = 0, kOleFailed = 1, kOleReady = 2 };

    // Loads the description, starts the pre-scan of an installation on its own thread,
    // initialises OLE (for the shortcuts) and makes the window.
    CInstaller(LHandler* application, CPackageReader& reader, const COwnFile& ownFile,
               CInstallerWindowFactory makeWindow);
    ~CInstaller() override;

    LMessage Handle(const LMessage& message) override;

    // False when the window could not be made; the run then ends at once.
    bool HasWindow() const { return m_window != nullptr; }
    // Chooses install or uninstall mode from the program file's name and opens that page.
    void Start();
    void StartInstall();
    void StartUninstall(const LString& destination);

    const CInstDesc& Description() const { return m_description; }
    const LString& Destination() const { return m_destination; }
    uint32_t EntryCount() const { return m_entryCount; }
    uint32_t TotalBytes() const { return m_totalBytes; }
    OleState Ole() const { return m_oleState; }
    CInstallerWindow* Window() const { return m_window; }

private:
    void LoadDescription();
    // Takes the pre-scan's figures into the run and the window, once. While the thread still
    // counts, `wait` waits for it; otherwise the run looks again shortly.
    void TakeRequirement(bool wait);
    // What both procedures are given of this run.
    void PrepareRun(CProcedureRun& run);
    void Install();
    void Uninstall();
    void Done();

    LHandler* m_application;
    CPackageReader& m_reader;
    CInstallerWindow* m_window = nullptr;
    bool m_descriptionLoaded = false;
    CInstDesc m_description;
    LString m_destination;
    uint32_t m_entryCount = 0;
    uint32_t m_totalBytes = 0;
    bool m_requirementKnown = false;
    OleState m_oleState = kOleNotTried;

    COwnFile m_ownFile;
    // The mode, from the program file's name.
    bool m_uninstaller;
    CBackgroundScan m_scan;
    // Looks, after the window is shown, whether the scan has ended.
    LTimer m_scanWatch{this};
    CPackageEntries m_entries;
    CVariables m_variables;
};
