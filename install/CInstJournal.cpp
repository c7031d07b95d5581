#include "install/CInstJournal.h"

#include "framework/LPtrArray.h"
#include "install/CJournalFile.h"
#include "platform/CDeleteFileOp.h"
#include "platform/CRemoveFolderOp.h"
#include "platform/CRenameOp.h"
#include "platform/CUrl.h"
#include "platform/FileSystem.h"
#include "platform/FileUrl.h"
#include "platform/PathText.h"

#include <new>
#include <windows.h>

namespace {

// Where a replaced file waits, or a new one is written: a name in the folder of the record's
// path.
LString BackupPath(const LString& path, const LString& backupName)
{
    return JoinPath(ParentPath(path.Text()).Text(), backupName.Text());
}

bool NativePathOf(const CJournalRecord& record, LString& path)
{
    return FileUrlToPath(ParseUrl(record.url.Text()), false, path);
}

} // namespace

CJournalRecord* CInstJournal::Enter(JournalKind kind, const LString& url, const LString& backupName)
{
    CJournalRecord* record = new (std::nothrow) CJournalRecord;
    if (!record)
        return nullptr;
    record->kind = kind + CJournalRecord::kPending;
    record->url = url;
    record->backupName = backupName;
    record->journal = this;
    record->number = m_entered++;
    m_records.InsertFront(record);
    if (m_file)
        m_file->Entered(*record);
    return record;
}

void CInstJournal::Done(CJournalRecord* record)
{
    if (!record || !record->IsPending())
        return;
    record->kind -= CJournalRecord::kPending;
    if (record->journal->m_file)
        record->journal->m_file->Done(*record);
}

void CInstJournal::Drop(CJournalRecord* record)
{
    if (!record)
        return;
    record->kind = CJournalRecord::kDropped;
    if (record->journal->m_file)
        record->journal->m_file->Dropped(*record);
}

bool CInstJournal::Mirror(const char* folder, const LString& product, const LString& destination)
{
    delete m_file;
    m_file = new (std::nothrow) CJournalFile;
    LString path = CJournalFile::PathFor(folder, product, destination);
    if (m_file && !path.IsEmpty() && m_file->Create(path.Text(), product, destination))
        return true;
    delete m_file;
    m_file = nullptr;
    return false;
}

void CInstJournal::Flush()
{
    if (m_file)
        m_file->Flush();
}

void CInstJournal::RemoveFile()
{
    if (m_file)
        m_file->Remove();
    delete m_file;
    m_file = nullptr;
}

void CInstJournal::Commit()
{
    // Once the first backup is gone there is no way back: a crash from here on finishes the
    // commit at the next start.
    if (m_file)
        m_file->Committing();
    m_leftForRestart = 0;
    while (CJournalRecord* record = m_records.PopFront()) {
        LString path;
        if (record->kind == kJournalReplaced && !record->backupName.IsEmpty() && NativePathOf(*record, path)) {
            LString backup = BackupPath(path, record->backupName);
            // The old file may have been read-only; its backup is ours to remove all the same.
            // One that a running program holds goes at the next restart.
            FileStatus status = CDeleteFileOp(backup.Text()).Status();
            if (status != FileStatus::Ok && status != FileStatus::NotFound) {
                SetFileAttributesA(backup.Text(), FILE_ATTRIBUTE_NORMAL);
                if (!CDeleteFileOp(backup.Text()).Succeeded() && DeleteAtRestart(backup.Text()))
                    ++m_leftForRestart;
            }
        }
        delete record;
    }
    RemoveFile();
}

void CInstJournal::RollBack()
{
    while (CJournalRecord* record = m_records.PopFront()) {
        LString path;
        if (!record->IsPending() && NativePathOf(*record, path)) {
            switch (record->kind) {
            case kJournalFile:
                CDeleteFileOp(path.Text());
                break;
            case kJournalFolder:
                CRemoveFolderOp(path.Text());
                break;
            case kJournalReplaced:
                // UseExisting: the old name is restored exactly or not at all.
                CRenameOp(BackupPath(path, record->backupName).Text(), LastComponent(path.Text()).Text(),
                          ConflictMode::UseExisting);
                break;
            default:
                break;
            }
        }
        delete record;
    }
    RemoveFile();
}

void CInstJournal::Clear()
{
    while (CJournalRecord* record = m_records.PopFront())
        delete record;
    RemoveFile();
}

bool CInstJournal::Resume(const char* path, const LString& product)
{
    Clear();
    CJournalFile* file = new (std::nothrow) CJournalFile;
    if (!file || !file->Resume(path, product, *this, m_committing)) {
        delete file;
        return false;
    }
    m_file = file;
    return true;
}

bool CInstJournal::FinishInterrupted()
{
    if (m_committing) {
        Commit();
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
        // The crash may have come between a change and its mark: the change counts as made,
        // and a file that was still being written goes with its temporary file.
        LString path;
        bool located = NativePathOf(*record, path);
        if (record->IsPending()) {
            record->kind -= CJournalRecord::kPending;
            if (located && record->kind == kJournalFile && !record->backupName.IsEmpty())
                CDeleteFileOp(BackupPath(path, record->backupName).Text());
        }
        if (located && record->kind == kJournalReplaced
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
    RollBack();
    return undoing;
}
