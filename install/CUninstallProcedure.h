#pragma once

#include "framework/LString.h"
#include "install/InstallResult.h"
#include "install/CFilesInUse.h"

class CInstJournal;
class CProcedureDialogs;
struct CProcedureRun;

// What happens when the user presses Uninstall: the package's files and folders are collected
// from the uninstaller's own package and every file that is there is moved aside; only when
// all have moved are the shortcuts and registry entries removed, then the moved files and
// every collected folder that is empty by then; last the uninstaller arranges its own
// removal. It cannot be stopped. A file that another program holds puts every moved file back
// and leaves the product as it was, uninstaller included, so that it can be run again. The
// moves are journalled as an installation's changes are, in the journal file inside the
// destination that the machine-wide mark names, so that an uninstallation cut off halfway is
// put back at the next start.
class CUninstallProcedure {
public:
    CUninstallProcedure(CProcedureRun& run, CProcedureDialogs& dialogs);
    CUninstallProcedure(const CUninstallProcedure&) = delete;
    CUninstallProcedure& operator=(const CUninstallProcedure&) = delete;

    void Run();
    // kInsOK when the product is gone (or goes at the next restart); otherwise nothing of it
    // was removed.
    InstallResult Result() const { return m_code; }

private:
    InstallResult StartJournal(CInstJournal& aside);
    InstallResult MoveFilesAside(const CInstJournal& removals, CInstJournal& aside);
    void RemoveIntegration();
    void RemoveFoldersAtRestart(const CInstJournal& removals);

    CProcedureRun& m_run;
    CProcedureDialogs& m_dialogs;
    InstallResult m_code = kInsOK;
    CFilesInUse m_filesInUse; // in the package's order
};
