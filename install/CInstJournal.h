#pragma once

#include "framework/LList.h"
#include "install/CJournalRecord.h"

#include <cstdint>

class CJournalFile;

// The list of changes made by one installation or collected for one uninstallation, newest
// first, so that undoing takes them in the reverse order of their making. An installation's
// journal is also mirrored in a file (CJournalFile), from which the next start of the
// installer undoes an installation that never came to its commit or rollback.
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
    // A pending change that was not made after all (the name it was to take is in use): the
    // record stays, but nothing acts on it any more.
    static void Drop(CJournalRecord* record);

    // From now on every record and mark is also written to the journal file of an
    // installation of the product (the first word of its folder name) into the destination,
    // in the folder. False when the file cannot be made: the journal then lives in memory only.
    bool Mirror(const char* folder, const LString& product, const LString& destination);
    // The end of a phase: what the file holds so far goes to the disk.
    void Flush();

    // The installation has succeeded: backups of replaced files are deleted and every record
    // is dropped.
    void Commit();
    // The backups that the last commit could not delete, left to the system to delete at the
    // next restart.
    int LeftForRestart() const { return m_leftForRestart; }
    // Undoes every effective change, newest first: created files are deleted, created folders
    // removed when empty, replaced files get their names back. Failures are silent; a file
    // that cannot be deleted or restored stays as it is.
    void RollBack();
    // Drops every record without acting on it; the journal file goes too.
    void Clear();

    // Takes over the journal file of an installation of the product that did not end, the
    // journal being empty. False, with the file left alone, when it is in use or no such file.
    bool Resume(const char* path, const LString& product);
    // Ends the installation taken over: a commit that had begun is finished; otherwise every
    // change, also those that were not marked done before the crash, is rolled back. True
    // when anything was rolled back.
    bool FinishInterrupted();

    bool IsEmpty() const { return m_records.IsEmpty(); }
    int Count() const { return m_records.Count(); }
    const CJournalRecord* Newest() const { return m_records.First(); }
    const CJournalRecord* Older(const CJournalRecord* record) const { return m_records.Next(record); }

private:
    void RemoveFile();

    LListOf<CJournalRecord> m_records;
    uint32_t m_entered = 0;
    CJournalFile* m_file = nullptr;
    bool m_committing = false;
    int m_leftForRestart = 0;
};
