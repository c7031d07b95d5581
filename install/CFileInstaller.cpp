#include "install/CFileInstaller.h"

#include "install/CEntrySource.h"
#include "install/CInstJournal.h"
#include "install/CInstallProgress.h"
#include "install/CInstallRun.h"
#include "install/EntryPlacement.h"
#include "platform/CCreateFolderOp.h"
#include "platform/CFileFind.h"
#include "platform/CFileOp.h"
#include "platform/CRenameOp.h"
#include "platform/CTempFile.h"
#include "platform/CTextBuilder.h"
#include "platform/FileUrl.h"
#include "platform/PathText.h"

#include <windows.h>

namespace {

const uint32_t kTimeBytes = 8;

// Takes a fresh name beside an entry: the prefix ("tmp" for a backup, "ins" for a temporary
// file) with the tick count, then with 2, 3 ... appended while the name is in use. Each name
// is entered in the journal before `take` tries it, so that whatever a crash leaves under it
// is known; a name that could not be taken is dropped again, so that nothing ever acts on a
// file of that name that is not the installation's own.
template <class Take>
InstallResult TakeFreshName(CInstJournal& journal, JournalKind kind, const LString& urlText, const char* prefix,
                            Take take, CJournalRecord*& record)
{
    CTextBuilder first;
    first.Append(prefix);
    first.AppendNumber(static_cast<long>(GetTickCount()));
    if (first.Failed())
        return kInsNoMemory;
    for (long number = 1;; ++number) {
        LString name = number == 1 ? first.ToString() : CFileOp::NumberedPath(first.Text(), number);
        record = name.IsEmpty() ? nullptr : journal.Enter(kind, urlText, name);
        if (!record)
            return kInsNoMemory;
        FileStatus status = take(name);
        if (status == FileStatus::Ok)
            return kInsOK;
        CInstJournal::Drop(record);
        if (status != FileStatus::Conflict)
            return kInsCannotWrite;
    }
}

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
    InstallResult code = kInsOK;
    while (code == kInsOK) {
        ShowProgress();
        if (m_progress.WaitStep())
            return kInsCanceled;
        int tag = m_entries.LastTag();
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

InstallResult CFileInstaller::MoveAside(const LString& path, const LString& urlText)
{
    CJournalRecord* record = nullptr;
    InstallResult code = TakeFreshName(m_journal, kJournalReplaced, urlText, "tmp", [&](const LString& name) {
        return CRenameOp(path.Text(), name.Text(), ConflictMode::UseExisting).Status();
    }, record);
    if (code == kInsOK)
        CInstJournal::Done(record);
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
    if (!FileUrlToPath(url, true, path))
        return kInsCannotWrite;
    LString urlText = ComposeUrl(url);

    {
        CFileFind existing(path.Text(), false);
        if (existing.Found()) {
            if (existing.IsFolder())
                return kInsFolderInTheWay;
            code = MoveAside(path, urlText);
            if (code != kInsOK)
                return code;
        }
    }

    // The new contents go to a temporary file beside the entry's name, which the record names.
    const LString folder = ParentPath(path.Text());
    CTempFile temp;
    CJournalRecord* record = nullptr;
    code = TakeFreshName(m_journal, kJournalFile, urlText, "ins", [&](const LString& name) {
        return temp.Create(JoinPath(folder.Text(), name.Text()).Text());
    }, record);
    if (code != kInsOK)
        return code;
    if (!m_entries.ReadDataInto(temp.Path().Text()))
        return kInsCannotWrite;
    if (!m_entries.RecordIntact())
        return kInsBroken;
    CRenameOp rename(temp.Path().Text(), LastComponent(path.Text()).Text(), ConflictMode::UseExisting);
    if (!rename.Succeeded())
        return kInsCannotWrite;
    temp.Keep();
    m_entries.ApplyTimes(path.Text(), times);
    CInstJournal::Done(record);
    return kInsOK;
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
    LString urlText = ComposeUrl(url);

    {
        CFileFind existing(path.Text(), false);
        // A folder that was there before gets no record: a rollback must leave it, even empty.
        if (existing.Found() && existing.IsFolder())
            return kInsOK;
        // A plain file where the folder goes is moved aside like a replaced file, so that a
        // rollback brings it back.
        if (existing.Found()) {
            code = MoveAside(path, urlText);
            if (code != kInsOK)
                return code;
        }
    }

    CJournalRecord* record = m_journal.Enter(kJournalFolder, urlText);
    if (!record)
        return kInsNoMemory;
    CCreateFolderOp create(path.Text(), ConflictMode::UseExisting);
    if (!create.Succeeded())
        return kInsCannotWrite;
    CInstJournal::Done(record);
    return kInsOK;
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
