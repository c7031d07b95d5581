#include "install/CInstJournal.h"

#include "framework/LPtrArray.h"
#include "install/CInstallMarks.h"
#include "install/JournalPaths.h"
#include "platform/CDeleteFileOp.h"
#include "platform/CRemoveFolderOp.h"
#include "platform/CRenameOp.h"
#include "platform/CTextBuilder.h"
#include "platform/FileSystem.h"
#include "platform/PathText.h"
#include "platform/TextCompare.h"

#include <new>
#include <windows.h>

namespace {

// A file read back from a journal file whose mark gives a size and last-write time that it
// no longer has: another program put it there since.
bool IsChanged(const CJournalRecord& record, const char* path)
{
    CFileIdentity identity;
    return record.recovered && record.identified
        && (!ReadFileIdentity(path, identity) || identity.size != record.size || identity.lastWrite != record.lastWrite);
}

// A file read back from a journal file is deleted only while it is the one the installation
// wrote, as its mark proves. What this run made is its own.
bool IsOurs(const CJournalRecord& record, const char* path)
{
    return !record.recovered || (record.identified && !IsChanged(record, path));
}

bool Gone(FileStatus status)
{
    return status == FileStatus::Ok || status == FileStatus::NotFound;
}

// Deletes the file, read-only or not; false when it is still there (a program holds it, say).
bool DeleteOurs(const char* path)
{
    if (Gone(CDeleteFileOp(path).Status()))
        return true;
    SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
    return Gone(CDeleteFileOp(path).Status());
}

// The running program cannot be deleted, but it can be renamed: the uninstaller copy that an
// interrupted installation wrote moves itself aside under a temporary name, which goes at the
// next restart, and so undoes that installation as any other program of the product would.
bool MoveRunningProgramAside(const LString& path)
{
    char own[MAX_PATH + 1] = {};
    DWORD length = GetModuleFileNameA(nullptr, own, MAX_PATH);
    if (length == 0 || length >= MAX_PATH || !EqualsNoCase(own, path.Text()))
        return false;
    CTextBuilder name;
    name.Append("ins");
    name.AppendNumber(static_cast<long>(GetTickCount()));
    CRenameOp aside(path.Text(), name.Failed() ? "ins" : name.Text(), ConflictMode::Number);
    if (!aside.Succeeded())
        return false;
    DeleteAtRestart(aside.ResultPath().Text());
    return true;
}

bool Failed(const LString& path, LString* failed)
{
    if (failed && failed->IsEmpty())
        *failed = path;
    return false;
}

} // namespace

CInstJournal::~CInstJournal()
{
    DropRecords();
    ForgetFile();
}

void CInstJournal::ForgetFile()
{
    delete m_file;
    m_file = nullptr;
}

CJournalRecord* CInstJournal::Enter(JournalKind kind, const LString& url, const LString& backupName)
{
    return Enter(kind, url, backupName, true);
}

CJournalRecord* CInstJournal::EnterAhead(JournalKind kind, const LString& url, const LString& backupName)
{
    return Enter(kind, url, backupName, false);
}

CJournalRecord* CInstJournal::Enter(JournalKind kind, const LString& url, const LString& backupName, bool now)
{
    if (MirrorBroken())
        return nullptr;
    CJournalRecord* record = new (std::nothrow) CJournalRecord;
    if (!record)
        return nullptr;
    record->kind = kind + CJournalRecord::kPending;
    record->url = url;
    record->backupName = backupName;
    record->journal = this;
    record->number = m_entered++;
    m_records.InsertFront(record);
    if (m_file) {
        m_file->Entered(*record, now);
        // Unrecorded, the change must not be made.
        if (m_file->Broken())
            return nullptr;
    }
    return record;
}

void CInstJournal::Done(CJournalRecord* record, const LString& path, const CFileIdentity* identity)
{
    if (!record || !record->IsPending())
        return;
    record->kind -= CJournalRecord::kPending;
    if (record->journal->m_file && !record->markWritten)
        record->journal->m_file->Done(*record, path, identity);
}

void CInstJournal::Placing(CJournalRecord* record, const LString& temporary, const CFileIdentity* identity)
{
    if (!record || !record->journal->m_file)
        return;
    record->journal->m_file->Done(*record, temporary, identity);
    record->markWritten = true;
}

void CInstJournal::Drop(CJournalRecord* record)
{
    if (!record)
        return;
    record->kind = CJournalRecord::kDropped;
    if (record->journal->m_file)
        record->journal->m_file->Dropped(*record);
}

bool CInstJournal::Mirror(const char* marksKey, const LString& product, const LString& destination,
                          bool destinationMade)
{
    ForgetFile();
    m_file = new (std::nothrow) CJournalFile;
    m_marksKey = LString(marksKey);
    m_product = product;
    m_destination = destination;
    m_destinationMade = destinationMade;
    if (m_file && m_file->Create(destination, product, destinationMade))
        return true;
    ForgetFile();
    return false;
}

void CInstJournal::Flush()
{
    if (m_file)
        m_file->Flush();
}

bool CInstJournal::End(bool complete)
{
    if (!m_file)
        return complete;
    // A step that failed keeps the file and the mark: the next start tries again.
    const bool removed = complete && m_file->Remove();
    ForgetFile();
    if (!removed)
        return false;
    if (m_destinationMade && !m_committing)
        RemoveDirectoryA(m_destination.Text());
    CInstallMarks(m_marksKey.Text(), m_product).Remove(m_destination);
    return true;
}

bool CInstJournal::Commit(LString* failed)
{
    m_announced.Clear();
    // Once the first backup is gone there is no way back: a crash from here on finishes the
    // commit at the next start.
    m_committing = true;
    if (m_file)
        m_file->Committing();
    bool complete = true;
    m_leftForRestart = 0;
    LString knownFolder;
    while (CJournalRecord* record = m_records.PopFront()) {
        LString backup = record->kind == kJournalReplaced ? IdentifiedPath(*record, &knownFolder) : LString();
        // The old file may have been read-only; its backup is ours to remove all the same. One
        // that a running program holds goes at the next restart, which is no failure.
        if (!backup.IsEmpty() && IsOurs(*record, backup.Text()) && !DeleteOurs(backup.Text())) {
            if (DeleteAtRestart(backup.Text()))
                ++m_leftForRestart;
            else
                complete = Failed(backup, failed);
        }
        delete record;
    }
    return End(complete);
}

bool CInstJournal::Undo(CJournalRecord& record, LString* failed)
{
    LString path;
    if (record.IsPending() || record.kind == CJournalRecord::kDropped || !NativePathOf(record, path))
        return true;
    switch (record.kind) {
    case kJournalFile:
        // Marked before its rename, a file may still stand under its temporary name.
        if (record.recovered && record.backupName != LastComponent(path.Text())) {
            LString temporary = BackupPath(path, record.backupName);
            if (IsOurs(record, temporary.Text()) && !DeleteOurs(temporary.Text()))
                return Failed(temporary, failed);
        }
        return !IsOurs(record, path.Text()) || DeleteOurs(path.Text()) || MoveRunningProgramAside(path)
            || Failed(path, failed);
    case kJournalFolder:
        CRemoveFolderOp(path.Text());
        return true;
    case kJournalReplaced: {
        // Moved back even without its mark, which a power cut may have taken: the name is the
        // installer's own, and nothing is deleted.
        LString backup = BackupPath(path, record.backupName);
        if (IsChanged(record, backup.Text()))
            return true;
        // UseExisting: the old name is restored exactly or not at all; a backup that is gone
        // was restored before.
        FileStatus status = CRenameOp(backup.Text(), LastComponent(path.Text()).Text(), ConflictMode::UseExisting).Status();
        return status == FileStatus::Ok || status == FileStatus::NotFound || Failed(path, failed);
    }
    default:
        return true;
    }
}

bool CInstJournal::RollBack(LString* failed)
{
    m_announced.Clear();
    bool complete = true;
    while (CJournalRecord* record = m_records.PopFront()) {
        if (!Undo(*record, failed))
            complete = false;
        delete record;
    }
    return End(complete);
}

void CInstJournal::DropRecords()
{
    m_announced.Clear();
    while (CJournalRecord* record = m_records.PopFront())
        delete record;
}

void CInstJournal::Clear()
{
    DropRecords();
    ForgetFile();
}

CJournalFile::ResumeResult CInstJournal::Resume(const char* marksKey, const LString& product,
                                                const LString& destination)
{
    Clear();
    CJournalFile* file = new (std::nothrow) CJournalFile;
    if (!file)
        return CJournalFile::kInUse;
    CJournalFile::ResumeResult result = file->Resume(destination, product, *this, m_committing, m_destinationMade);
    if (result != CJournalFile::kResumed) {
        delete file;
        return result;
    }
    m_file = file;
    m_marksKey = LString(marksKey);
    m_product = product;
    m_destination = destination;
    return result;
}

bool CInstJournal::FinishInterrupted(bool& complete, LString* failed)
{
    if (m_committing) {
        complete = Commit(failed);
        return false;
    }
    bool undoing = false;
    // Replaced files whose backups are gone are back at their names already: a rollback that
    // was itself cut off restored them.
    LPtrArray<CJournalRecord> restored;
    for (CJournalRecord* record : m_records) {
        if (record->kind == CJournalRecord::kDropped)
            continue;
        undoing = true;
        LString path;
        bool located = NativePathOf(*record, path);
        const bool marked = !record->IsPending();
        // The crash may have come between a change and its mark: the change counts as made.
        // A file still being written under a temporary name goes with that name, which only
        // this program gives; one written at its own name lies in a folder the installation
        // made, where nothing else was. A new file at its final name without its mark is not
        // proven the installation's and stays.
        if (record->IsPending()) {
            record->kind -= CJournalRecord::kPending;
            if (record->kind == kJournalFile && record->backupName != LastComponent(path.Text())) {
                if (located)
                    DeleteOurs(BackupPath(path, record->backupName).Text());
                record->kind = CJournalRecord::kDropped;
            } else if (record->kind == kJournalFile) {
                record->recovered = false;
            }
        }
        // A backup name entered ahead, or one whose rename never came, restored nothing.
        if (located && marked && record->kind == kJournalReplaced
            && GetFileAttributesA(BackupPath(path, record->backupName).Text()) == INVALID_FILE_ATTRIBUTES)
            restored.Append(record);
    }
    // What stands at such a name is the earlier file, not the one the installation made.
    for (CJournalRecord* record : m_records) {
        for (int i = 0; record->kind == kJournalFile && i < restored.Count(); ++i) {
            if (restored.At(i)->url == record->url)
                record->kind = CJournalRecord::kDropped;
        }
    }
    complete = RollBack(failed);
    return undoing;
}
