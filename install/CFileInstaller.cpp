#include "install/CFileInstaller.h"

#include "install/CEntrySource.h"
#include "install/CFilesInUse.h"
#include "install/CInstJournal.h"
#include "install/CInstallProgress.h"
#include "install/CInstallRun.h"
#include "install/EntryPlacement.h"
#include "install/JournalSteps.h"
#include "package/EntryTimes.h"
#include "platform/CTempFile.h"
#include "platform/FileUrl.h"
#include "platform/PathText.h"

namespace {

const uint32_t kTimeBytes = 8;

} // namespace

CFileInstaller::CFileInstaller(const CInstallRun& run, CInstallProgress& progress, CInstJournal& journal)
    : m_run(run)
    , m_entries(*run.entries)
    , m_progress(progress)
    , m_journal(journal)
{
}

void CFileInstaller::ShowProgress()
{
    m_progress.SetPosition(m_entries.SourcePosition() - m_run.packageStart);
}

InstallResult CFileInstaller::ReadEntry(CUrl& url)
{
    if (!m_entries.ReadEntry(m_base, url))
        return kInsBroken;
    // An entry that names anything outside the destination is treated like a damaged one.
    if (!IsWithinDestination(url, m_base))
        return kInsBroken;
    return kInsOK;
}

InstallResult CFileInstaller::InstallFiles()
{
    m_base = ParseUrl(PathToFileUrl(m_run.destination.Text()).Text());
    if (m_base.IsEmpty())
        return kInsCannotWrite;
    if (m_run.destinationMade)
        m_ownFolder = m_base;
    InstallResult code = kInsOK;
    while (code == kInsOK) {
        ShowProgress();
        const int tag = m_entries.LastTag();
        const bool entry = tag == CEntrySource::kTagFile || tag == CEntrySource::kTagFolder;
        if (m_progress.WaitStep(!entry))
            return kInsCanceled;
        if (tag == CEntrySource::kTagFile)
            code = InstallFile();
        else if (tag == CEntrySource::kTagFolder)
            code = InstallFolder();
        else
            break;
        m_entries.NextTag();
    }
    return code;
}

InstallResult CFileInstaller::InstallFile()
{
    CUrl url;
    InstallResult code = ReadEntry(url);
    if (code != kInsOK)
        return code;
    uint8_t times[kTimeBytes];
    if (m_entries.ReadBytes(times, kTimeBytes) != kTimeBytes)
        return kInsBroken;
    LString path;
    if (!FileUrlToPath(url, true, path, &m_knownFolder))
        return kInsCannotWrite;
    LString urlText = ComposeUrl(url);

    CTempFile temp;
    CJournalRecord* record = nullptr;
    code = StartNewFile(m_journal, path, urlText, IsWithinDestination(url, m_ownFolder), temp, record);
    if (code == kInsFileInUse && m_run.filesInUse)
        m_run.filesInUse->Add(path);
    if (code != kInsOK)
        return code;
    // Data and times go through the handle that created the temporary file: one open per file.
    m_entries.ReadDataInto(temp.Contents());
    if (temp.Contents().Failed())
        return kInsCannotWrite;
    if (!m_entries.RecordIntact())
        return kInsBroken;
    // A failure to set the times is not reported: the contents are what matters.
    ApplyEntryTimes(temp.Contents(), times);
    return PlaceNewFile(temp, path, record);
}

InstallResult CFileInstaller::InstallFolder()
{
    CUrl url;
    InstallResult code = ReadEntry(url);
    if (code != kInsOK)
        return code;
    if (!m_entries.RecordIntact())
        return kInsBroken;
    LString path;
    if (!FileUrlToPath(url, true, path))
        return kInsCannotWrite;
    const LString urlText = ComposeUrl(url);
    bool made = false;
    code = CreateFolder(m_journal, path, urlText, &made);
    if (made && !IsWithinDestination(url, m_ownFolder))
        m_ownFolder = url;
    return code;
}

InstallResult CFileInstaller::CollectRemovals()
{
    m_base = ParseUrl(PathToFileUrl(m_run.destination.Text()).Text());
    if (m_base.IsEmpty())
        return kInsBroken;
    InstallResult code = kInsOK;
    while (code == kInsOK) {
        // An uninstallation cannot be stopped; the wait step only keeps the window alive.
        ShowProgress();
        m_progress.WaitStep();
        int tag = m_entries.LastTag();
        CUrl url;
        JournalKind kind;
        if (tag == CEntrySource::kTagFolder) {
            code = ReadEntry(url);
            kind = kJournalFolder;
        } else if (tag == CEntrySource::kTagFile) {
            code = ReadEntry(url);
            uint8_t times[kTimeBytes];
            if (code == kInsOK && m_entries.ReadBytes(times, kTimeBytes) != kTimeBytes)
                code = kInsBroken;
            if (code == kInsOK)
                m_entries.SkipData();
            kind = kJournalFile;
        } else {
            break;
        }
        if (code == kInsOK && !m_entries.RecordIntact())
            code = kInsBroken;
        if (code != kInsOK)
            break;
        CJournalRecord* record = m_journal.Enter(kind, ComposeUrl(url));
        if (!record) {
            code = kInsNoMemory;
            break;
        }
        CInstJournal::Done(record);
        m_entries.NextTag();
    }
    // Nothing of a package that cannot be read to its end is removed, whatever the caller does
    // with the journal afterwards.
    if (code != kInsOK)
        m_journal.Clear();
    return code;
}

InstallResult InstallFiles(const CInstallRun& run, CInstallProgress& progress, CInstJournal& journal)
{
    CFileInstaller installer(run, progress, journal);
    return installer.InstallFiles();
}

InstallResult CollectRemovals(const CInstallRun& run, CInstallProgress& progress, CInstJournal& journal)
{
    CFileInstaller installer(run, progress, journal);
    return installer.CollectRemovals();
}
