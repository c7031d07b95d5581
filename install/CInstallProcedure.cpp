#include "install/CInstallProcedure.h"

#include "install/CFileInstaller.h"
#include "install/CInstDesc.h"
#include "install/CInstJournal.h"
#include "install/CInstallMarks.h"
#include "install/CInstallRun.h"
#include "install/CProcedureDialogs.h"
#include "install/CProcedureRun.h"
#include "install/ProcedureTexts.h"
#include "install/UninstallerCopy.h"
#include "integration/CLineTokenizer.h"
#include "integration/DestinationVariables.h"
#include "integration/InfInstallation.h"
#include "integration/RegistryLines.h"
#include "integration/ShortcutLines.h"
#include "platform/CChildPathOp.h"
#include "platform/CCreateFolderOp.h"
#include "platform/CFileFind.h"
#include "platform/FileUrl.h"

CInstallProcedure::CInstallProcedure(CProcedureRun& run, CProcedureDialogs& dialogs)
    : m_run(run)
    , m_dialogs(dialogs)
{
}

bool CInstallProcedure::Run()
{
    m_progress = m_dialogs.OpenProgress(ProgressMessage(kProgInstalling), m_run.PackageLength(),
                                        ProgressMessage(kProgStopLabel));
    if (!m_progress) {
        m_code = kInsNoMemory;
        m_dialogs.Notice(ErrorText(m_code));
        return false;
    }

    CInstJournal journal;
    m_code = Install(journal);
    if (m_code == kInsOK) {
        // A backup that a running program holds goes at the next restart; one that cannot be
        // left for then either stays with the journal, and the next start deletes it.
        journal.Commit();
    } else {
        m_progress->HideBar();
        m_progress->SetMessage(ProgressMessage(kProgUndoing));
    }
    // After a commit there is nothing left to undo; otherwise every change goes, newest first.
    LString inTheWay;
    bool undone = journal.RollBack(&inTheWay);
    m_dialogs.CloseProgress();
    m_progress = nullptr;

    if (m_code == kInsFileInUse)
        m_dialogs.Notice(m_filesInUse.Text(kMsgInstallAgain));
    else if (m_code != kInsOK && m_code != kInsCanceled)
        m_dialogs.Notice(ErrorText(m_code));
    if (!undone)
        m_dialogs.Notice(MessageAbout(kMsgUndoIncomplete, inTheWay));
    if (m_code != kInsOK)
        return false;
    m_dialogs.Notice(TextOrMessage(m_run.description->Text(kDescInsDone), kMsgInstallDone));
    return true;
}

LString ProductFolderName(const CInstDesc& description)
{
    CLineTokenizer tokens(description.Text(kDescFolder));
    return tokens.NextToken();
}

InstallResult CInstallProcedure::Install(CInstJournal& journal)
{
    InstallResult code = CheckDestination();
    if (code == kInsOK)
        code = CheckFreeSpace();
    if (code == kInsOK)
        code = RegisterUser();
    if (code != kInsOK)
        return code;
    code = StartJournal(journal);
    if (code != kInsOK)
        return code;

    m_dialogs.HideWindow();
    // This step shows the dialog; a stop already asked for here is not dropped.
    if (m_progress->WaitStep())
        return kInsCanceled;

    CInstallRun files;
    files.destination = m_run.destination;
    files.destinationMade = m_destinationMade;
    files.entries = m_run.entries;
    files.packageStart = m_run.packageStart;
    files.filesInUse = &m_filesInUse;
    code = InstallFiles(files, *m_progress, journal);
    // The uninstaller is written like the package's files, and before the registry and
    // shortcut lines, which no rollback undoes.
    if (code == kInsOK)
        code = CopyUninstaller(journal, m_run.destination.Text(), m_run.ownPath.Text(), &m_filesInUse);
    if (code != kInsOK)
        return journal.MirrorBroken() ? kInsNoJournal : code;
    journal.Flush();

    // From here on the installation cannot be stopped; the integration steps skip what fails.
    m_progress->DisableStop();
    ApplyDescriptionLines();
    return kInsOK;
}

InstallResult CInstallProcedure::CheckDestination()
{
    // A folder value of several words names the folder after its first word.
    LString name = ProductFolderName(*m_run.description);
    CChildPathOp destination(m_run.parentFolder.Text(), name.Text(), name.Length());
    if (!destination.Succeeded())
        return kInsNoDestination;

    CFileFind existing(destination.ResultPath().Text(), false);
    if (existing.Found()) {
        if (!m_dialogs.Ask(TextOrMessage(m_run.description->Text(kDescInsExist), kMsgFolderExists)))
            return kInsCanceled;
    }
    m_run.destination = destination.ResultPath();
    return kInsOK;
}

InstallResult CInstallProcedure::CheckFreeSpace()
{
    uint64_t freeBytes = 0;
    if (!m_run.freeSpace(m_run.destination.Text(), freeBytes))
        return kInsNoVolumeAccess;
    // In 64 bits: a total near 4 GiB must not wrap to a requirement of nothing.
    uint64_t freeKiB = freeBytes / 1024;
    uint64_t requiredKiB = (uint64_t(m_run.requiredBytes) + 1023) / 1024;
    if (freeKiB < requiredKiB && !m_dialogs.Ask(MessageText(kMsgNotEnoughSpace)))
        return kInsCanceled;
    return kInsOK;
}

InstallResult CInstallProcedure::RegisterUser()
{
    if (m_run.description->List(kDescRegApps).IsEmpty())
        return kInsOK;
    LString name;
    if (!m_dialogs.RegisterUser(m_run.description->Text(kDescRegText), RegisteredOwner(), name))
        return kInsCanceled;
    return name.IsEmpty() ? kInsCanceled : kInsOK;
}

InstallResult CInstallProcedure::StartJournal(CInstJournal& journal)
{
    // The mark comes before the first change, the journal file before any change but the
    // destination it lives in; without either nothing is changed.
    const LString product = ProductFolderName(*m_run.description);
    CInstallMarks marks(m_run.marksKey, product);
    if (!marks.Set(m_run.destination))
        return kInsNoJournal;
    InstallResult code = CreateDestination();
    if (code == kInsOK && !journal.Mirror(m_run.marksKey, product, m_run.destination, m_destinationMade))
        code = kInsNoJournal;
    if (code != kInsOK) {
        if (m_destinationMade)
            RemoveDirectoryA(m_run.destination.Text());
        marks.Remove(m_run.destination);
    }
    return code;
}

InstallResult CInstallProcedure::CreateDestination()
{
    // A folder that exists already (the user agreed to install into it) is not the
    // installation's to remove on a rollback, even when it is empty.
    {
        CFileFind existing(m_run.destination.Text(), false);
        if (existing.Found() && existing.IsFolder())
            return kInsOK;
    }
    CCreateFolderOp folder(m_run.destination.Text(), ConflictMode::UseExisting);
    if (!folder.Succeeded())
        return kInsCannotCreateFolder;
    m_destinationMade = true;
    return kInsOK;
}

void CInstallProcedure::ApplyDescriptionLines()
{
    const CInstDesc& description = *m_run.description;
    CVariables& variables = *m_run.variables;
    SetDestinationVariables(variables, m_run.destination);
    InstallInfLines(variables, description.List(kDescWInfs));
    WriteRegistryLines(variables, description.List(kDescWRegs));
    WriteRegistryLines(variables, description.List(kDescWLRegs));
    CreateShortcutLines(variables, description.List(kDescWLinks));
    CreateShortcutLines(variables, description.List(kDescWLLinks));
}
