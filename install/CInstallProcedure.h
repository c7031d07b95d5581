#pragma once

#include "framework/LString.h"
#include "install/CFilesInUse.h"
#include "install/InstallResult.h"

class CInstDesc;
class CInstJournal;
class CProcedureDialogs;
class CProcedureProgress;
struct CProcedureRun;

// What happens when the user presses Install: the destination is checked and confirmed, the
// package's files and the uninstaller copy are installed under a journal, the description's
// INF, registry and shortcut lines are applied, and the installation either completes or is
// undone completely. Ends with one message at most, and one more naming a file that stood in
// the way of the undo (the journal then stays for the next start).
class CInstallProcedure {
public:
    CInstallProcedure(CProcedureRun& run, CProcedureDialogs& dialogs);
    CInstallProcedure(const CInstallProcedure&) = delete;
    CInstallProcedure& operator=(const CInstallProcedure&) = delete;

    // True when the installation is done; false when it was declined, stopped or failed, and
    // the disk is as it was.
    bool Run();
    // The outcome of the last run.
    InstallResult Result() const { return m_code; }

private:
    InstallResult Install(CInstJournal& journal);
    InstallResult CheckDestination();
    InstallResult CheckFreeSpace();
    InstallResult RegisterUser();
    InstallResult StartJournal(CInstJournal& journal);
    InstallResult CreateDestination();
    void ApplyDescriptionLines();

    CProcedureRun& m_run;
    CProcedureDialogs& m_dialogs;
    CProcedureProgress* m_progress = nullptr;
    InstallResult m_code = kInsOK;
    bool m_destinationMade = false;
    CFilesInUse m_filesInUse; // the earlier file that another program held
};

// The name of the product's folder: the first word of the description's folder value. It
// also tells the marks of the product's installations in progress from those of others.
LString ProductFolderName(const CInstDesc& description);
