#pragma once

#include "framework/LList.h"
#include "install/CJournalRecord.h"

// The list of changes made by one installation or collected for one uninstallation, newest
// first, so that undoing takes them in the reverse order of their making.
class CInstJournal {
public:
    CInstJournal() = default;
    CInstJournal(const CInstJournal&) = delete;
    CInstJournal& operator=(const CInstJournal&) = delete;
    ~CInstJournal() { Clear(); }

    // A new pending record at the front; null when memory ran out.
    CJournalRecord* Enter(JournalKind kind, const LString& url, const LString& backupName = LString());
    // The change of a pending record succeeded.
    static void Done(CJournalRecord* record);

    // The installation has succeeded: backups of replaced files are deleted and every record
    // is dropped.
    void Commit();
    // Undoes every effective change, newest first: created files are deleted, created folders
    // removed when empty, replaced files get their names back. Failures are silent; a file
    // that cannot be deleted or restored stays as it is.
    void RollBack();
    // Drops every record without acting on it.
    void Clear();

    bool IsEmpty() const { return m_records.IsEmpty(); }
    int Count() const { return m_records.Count(); }
    const CJournalRecord* Newest() const { return m_records.First(); }
    const CJournalRecord* Older(const CJournalRecord* record) const { return m_records.Next(record); }

private:
    LListOf<CJournalRecord> m_records;
};
