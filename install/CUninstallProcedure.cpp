#include "install/CUninstallProcedure.h"

#include "install/CFileInstaller.h"
#include "install/CInstDesc.h"
#include "install/CInstJournal.h"
#include "install/CInstallRun.h"
#include "install/CProcedureDialogs.h"
#include "install/CProcedureRun.h"
#include "install/ProcedureTexts.h"
#include "integration/DestinationVariables.h"
#include "integration/RegistryLines.h"
#include "integration/ShortcutLines.h"
#include "integration/Uninstaller.h"

CUninstallProcedure::CUninstallProcedure(CProcedureRun& run, CProcedureDialogs& dialogs)
    : m_run(run)
    , m_dialogs(dialogs)
{
}

void CUninstallProcedure::Run()
{
    // No stop label: an uninstallation cannot be cancelled.
    CProcedureProgress* progress
        = m_dialogs.OpenProgress(ProgressMessage(kProgUninstalling), m_run.PackageLength(), LString());
    if (!progress) {
        m_code = kInsNoMemory;
        m_dialogs.Notice(ErrorText(m_code));
        return;
    }
    m_dialogs.HideWindow();
    progress->WaitStep();

    CInstJournal journal;
    CInstallRun files;
    files.destination = m_run.destination;
    files.entries = m_run.entries;
    files.packageStart = m_run.packageStart;
    m_code = CollectRemovals(files, *progress, journal);
    if (m_code == kInsOK) {
        const CInstDesc& description = *m_run.description;
        CVariables& variables = *m_run.variables;
        SetDestinationVariables(variables, m_run.destination);
        RemoveShortcutLines(variables, description.List(kDescWLLinks));
        RemoveShortcutLines(variables, description.List(kDescWLinks));
        RemoveRegistryLines(variables, description.List(kDescWLRegs));
        RemoveRegistryLines(variables, description.List(kDescWRegs));
    } else {
        // A package that cannot be read whole removes nothing at all.
        journal.Clear();
    }
    journal.RollBack();
    m_dialogs.CloseProgress();

    if (m_code != kInsOK) {
        m_dialogs.Notice(ErrorText(m_code));
        return;
    }
    LString done = m_run.description->Text(kDescUniDone);
    m_dialogs.Notice(done.IsEmpty() ? MessageText(kMsgUninstallDone) : done);
    RemoveSelf(m_run.ownPath.Text(), m_run.tempFolder.Text());
}
