#include "install/CUninstallProcedure.h"

#include "install/CFileInstaller.h"
#include "install/CInstDesc.h"
#include "install/CInstJournal.h"
#include "install/CInstallMarks.h"
#include "install/CInstallRun.h"
#include "install/CInstallProcedure.h"
#include "install/CProcedureDialogs.h"
#include "install/CProcedureRun.h"
#include "install/JournalSteps.h"
#include "install/ProcedureTexts.h"
#include "integration/DestinationVariables.h"
#include "integration/RegistryLines.h"
#include "integration/ShortcutLines.h"
#include "integration/Uninstaller.h"
#include "platform/CUrl.h"
#include "platform/FileSystem.h"
#include "platform/FileUrl.h"

namespace {

bool NativePath(const CJournalRecord& record, LString& path)
{
    return FileUrlToPath(ParseUrl(record.url.Text()), false, path);
}

} // namespace

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

    CInstJournal removals;
    CInstallRun files;
    files.destination = m_run.destination;
    files.entries = m_run.entries;
    files.packageStart = m_run.packageStart;
    m_code = CollectRemovals(files, *progress, removals);
    // The moves are journalled like an installation's, so that an uninstallation cut off
    // halfway is put back at the next start.
    CInstJournal aside;
    if (m_code == kInsOK)
        m_code = StartJournal(aside);
    if (m_code == kInsOK)
        m_code = MoveFilesAside(removals, aside);
    bool restart = false;
    if (m_code == kInsOK) {
        RemoveIntegration();
        // A backup that can neither be deleted nor left for the restart keeps the journal
        // file and the mark: the next start finishes the commit.
        aside.Commit();
        restart = aside.LeftForRestart() > 0;
        if (restart)
            RemoveFoldersAtRestart(removals);
    } else {
        // Nothing is removed: every file moved so far gets its name back (one that cannot is
        // put back by the next start, from the journal file that then stays).
        aside.RollBack();
        removals.Clear();
    }
    // Deletes what is left of the collected files and removes the folders emptied by now.
    removals.RollBack();
    m_dialogs.CloseProgress();

    if (m_code == kInsFileInUse) {
        m_dialogs.Notice(m_filesInUse.Text(kMsgUninstallAgain));
        return;
    }
    if (m_code != kInsOK) {
        m_dialogs.Notice(ErrorText(m_code));
        return;
    }
    if (restart)
        m_dialogs.Notice(MessageText(kMsgRemovedAtRestart));
    else
        m_dialogs.Notice(TextOrMessage(m_run.description->Text(kDescUniDone), kMsgUninstallDone));
    RemoveSelf(m_run.ownPath.Text(), m_run.tempFolder.Text());
}

InstallResult CUninstallProcedure::StartJournal(CInstJournal& aside)
{
    // As for an installation: the machine-wide mark first, then the journal file in the
    // destination, which is not the journal's to remove; without either nothing is moved.
    const LString product = ProductFolderName(*m_run.description);
    CInstallMarks marks(m_run.marksKey, product);
    if (!marks.Set(m_run.destination))
        return kInsNoJournal;
    if (aside.Mirror(m_run.marksKey, product, m_run.destination, false))
        return kInsOK;
    marks.Remove(m_run.destination);
    return kInsNoJournal;
}

InstallResult CUninstallProcedure::MoveFilesAside(const CInstJournal& removals, CInstJournal& aside)
{
    InstallResult code = kInsOK;
    for (const CJournalRecord* record = removals.Newest(); record; record = removals.Older(record)) {
        LString path;
        // A file the user removed already has nothing to move.
        if (record->kind != kJournalFile || !NativePath(*record, path) || KindOfPath(path.Text()) != PathKind::File)
            continue;
        InstallResult moved = MoveAside(aside, path, record->url);
        if (moved == kInsFileInUse) {
            // Every file in use is found, so that the user learns of more than the first.
            m_filesInUse.Add(path);
            code = kInsFileInUse;
        } else if (moved != kInsOK) {
            return aside.MirrorBroken() ? kInsNoJournal : moved;
        }
    }
    aside.Flush();
    return code;
}

void CUninstallProcedure::RemoveIntegration()
{
    const CInstDesc& description = *m_run.description;
    CVariables& variables = *m_run.variables;
    SetDestinationVariables(variables, m_run.destination);
    RemoveShortcutLines(variables, description.List(kDescWLLinks));
    RemoveShortcutLines(variables, description.List(kDescWLinks));
    RemoveRegistryLines(variables, description.List(kDescWLRegs));
    RemoveRegistryLines(variables, description.List(kDescWRegs));
}

void CUninstallProcedure::RemoveFoldersAtRestart(const CInstJournal& removals)
{
    // After the files that go then: inner folders before outer ones, the product's folder
    // last. A folder that is empty already is removed now and its entry does nothing.
    for (const CJournalRecord* record = removals.Newest(); record; record = removals.Older(record)) {
        LString path;
        if (record->kind == kJournalFolder && NativePath(*record, path))
            DeleteAtRestart(path.Text());
    }
    DeleteAtRestart(m_run.destination.Text());
}
