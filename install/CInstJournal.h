#pragma once

#include "framework/LList.h"
#include "framework/LPtrArray.h"
#include "install/CAnnouncedBackups.h"
#include "install/CJournalFile.h"
#include "install/CJournalRecord.h"

#include <cstdint>

// The list of changes made by one installation or collected for one uninstallation, newest
// first, so that undoing takes them in the reverse order of their making. An installation's
// journal is also mirrored in a file inside its destination (CJournalFile), which the
// installation's mark under HKEY_LOCAL_MACHINE (CInstallMarks) names, and from which the next
// start of the installer undoes an installation that never came to its commit or rollback.
class CInstJournal {
public:
    CInstJournal() = default;
    CInstJournal(const CInstJournal&) = delete;
    CInstJournal& operator=(const CInstJournal&) = delete;
    ~CInstJournal();

    // A new pending record at the front; null when memory ran out or the journal file could
    // not take it (then nothing may be changed).
    CJournalRecord* Enter(JournalKind kind, const LString& url, const LString& backupName = LString());
    // The same for a change that waits for a Flush before it is made: its record is written with
    // the next.
    CJournalRecord* EnterAhead(JournalKind kind, const LString& url, const LString& backupName);
    // The change of a pending record succeeded. `path`, where given, is where the file stands
    // whose identity its mark keeps (the backup, or the new file), which spares finding it
    // from the record's URL; `identity`, where given, is that identity, read already.
    static void Done(CJournalRecord* record, const LString& path = LString(), const CFileIdentity* identity = nullptr);
    // A new file written under a temporary name is about to take its name: its "done" mark,
    // with the identity of the file at `temporary`, goes to the journal file first, so that a
    // crash right after the rename leaves the file proven the installation's. The record stays
    // pending until Done.
    static void Placing(CJournalRecord* record, const LString& temporary, const CFileIdentity* identity = nullptr);
    // A pending change that was not made after all (the name it was to take is in use): the
    // record stays, but nothing acts on it any more.
    static void Drop(CJournalRecord* record);

    // From now on every record and mark is also written to the journal file in the destination
    // of an installation of the product (the first word of its folder name), whose mark under
    // `marksKey` is set already. `destinationMade`: the installation made the destination, and
    // its rollback removes it again. False when the file cannot be made.
    bool Mirror(const char* marksKey, const LString& product, const LString& destination, bool destinationMade);
    // The end of a phase, or a rename that must not come before its record: what the file holds
    // so far goes to the disk.
    void Flush();
    uint64_t DurableBytes() const { return m_file ? m_file->DurableBytes() : 0; }
    // The journal file could not be made or written.
    bool MirrorBroken() const { return m_file && m_file->Broken(); }

    // The installation has succeeded: backups of replaced files are deleted and every record
    // is dropped. A backup that cannot be deleted now (a running program holds it) is left to
    // the system to delete at the next restart (LeftForRestart). The journal file and the mark
    // go when every backup went or will go then; otherwise false, `failed` names the first file
    // that stayed, and the next start tries again.
    bool Commit(LString* failed = nullptr);
    // The backups that the last commit left to the system to delete at the next restart.
    int LeftForRestart() const { return m_leftForRestart; }
    // Undoes every effective change, newest first: created files are deleted, created folders
    // removed when empty, replaced files get their names back. A read-only file is deleted all
    // the same. When a file cannot be deleted or restored the others are undone still, but the
    // journal file and the mark stay for the next start to try again: false, and `failed`
    // names the first such file.
    bool RollBack(LString* failed = nullptr);
    // Drops every record without acting on it; the journal file stays.
    void Clear();

    // Takes over the journal file of an interrupted installation of the product into the
    // destination that its mark under `marksKey` names, the journal being empty.
    CJournalFile::ResumeResult Resume(const char* marksKey, const LString& product, const LString& destination);
    // Ends the installation taken over: a commit that had begun is finished; otherwise every
    // change, also those that were not marked done before the crash, is rolled back, as far
    // as the files are still the ones the installation wrote. Returns whether anything was
    // rolled back; `complete` tells whether every step succeeded (see RollBack).
    bool FinishInterrupted(bool& complete, LString* failed = nullptr);

    // Backup names entered ahead, so that moving many files aside takes one flush rather than
    // one for each file (JournalSteps).
    CAnnouncedBackups& Announced() { return m_announced; }
    const LString& Destination() const { return m_destination; }

    bool IsEmpty() const { return m_records.IsEmpty(); }
    int Count() const { return m_records.Count(); }
    const CJournalRecord* Newest() const { return m_records.First(); }
    const CJournalRecord* Older(const CJournalRecord* record) const { return m_records.Next(record); }

private:
    CJournalRecord* Enter(JournalKind kind, const LString& url, const LString& backupName, bool now);
    bool Undo(CJournalRecord& record, LString* failed);
    bool End(bool complete);
    void DropRecords();
    // Closes the mirror file without removing it, and lets go of it.
    void ForgetFile();

    LListOf<CJournalRecord> m_records;
    uint32_t m_entered = 0;
    CJournalFile* m_file = nullptr;
    LString m_marksKey;
    LString m_product;
    LString m_destination;
    bool m_destinationMade = false;
    bool m_committing = false;
    CAnnouncedBackups m_announced;
    int m_leftForRestart = 0;
};
