#include "install/CInstJournal.h"

#include "platform/CDeleteFileOp.h"
#include "platform/CRemoveFolderOp.h"
#include "platform/CRenameOp.h"
#include "platform/CUrl.h"
#include "platform/FileUrl.h"
#include "platform/PathText.h"

#include <new>
#include <windows.h>

namespace {

// Where a replaced file waits: its backup name in the folder of the record's path.
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
    m_records.InsertFront(record);
    return record;
}

void CInstJournal::Done(CJournalRecord* record)
{
    if (record && record->IsPending())
        record->kind -= CJournalRecord::kPending;
}

void CInstJournal::Commit()
{
    while (CJournalRecord* record = m_records.PopFront()) {
        LString path;
        if (record->kind == kJournalReplaced && !record->backupName.IsEmpty() && NativePathOf(*record, path)) {
            LString backup = BackupPath(path, record->backupName);
            // The old file may have been read-only; its backup is ours to remove all the same.
            if (CDeleteFileOp(backup.Text()).Status() == FileStatus::Failed) {
                SetFileAttributesA(backup.Text(), FILE_ATTRIBUTE_NORMAL);
                CDeleteFileOp(backup.Text());
            }
        }
        delete record;
    }
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
}

void CInstJournal::Clear()
{
    while (CJournalRecord* record = m_records.PopFront())
        delete record;
}
