#pragma once

#include "install/InstallResult.h"

class CProcedureDialogs;
struct CProcedureRun;

// What happens when the user presses Uninstall: the package's files and folders are collected
// from the uninstaller's own package, the shortcuts and registry entries are removed, then the
// collected files and every collected folder that is empty by then; last the uninstaller
// arranges its own removal. It cannot be stopped.
class CUninstallProcedure {
public:
    CUninstallProcedure(CProcedureRun& run, CProcedureDialogs& dialogs);
    CUninstallProcedure(const CUninstallProcedure&) = delete;
    CUninstallProcedure& operator=(const CUninstallProcedure&) = delete;

    void Run();
    InstallResult Result() const { return m_code; }

private:
    CProcedureRun& m_run;
    CProcedureDialogs& m_dialogs;
    InstallResult m_code = kInsOK;
};
