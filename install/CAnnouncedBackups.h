#pragma once

#include "framework/LPtrArray.h"
#include "framework/LString.h"

struct CJournalRecord;

// The backup names entered in the journal ahead of the renames they are for (JournalSteps): the
// pending records, found again by the URL of the file each is for, and the folders whose files
// have theirs, both in an order of their bytes (ASCII letters folded) that a lookup of many takes
// little time in: a folder whose name differs from a listed one only in the case of another
// letter is listed again. The records belong to the journal, which never acts on them unless taken.
class CAnnouncedBackups {
public:
    CAnnouncedBackups() = default;
    CAnnouncedBackups(const CAnnouncedBackups&) = delete;
    CAnnouncedBackups& operator=(const CAnnouncedBackups&) = delete;
    ~CAnnouncedBackups() { Clear(); }

    bool HasFolder(const char* folder) const;
    bool AddFolder(const LString& folder);
    bool Add(CJournalRecord* record);
    // Orders what was added since, for HasFolder and Take; called once a batch is entered.
    void Sort();
    // The record for the file of that URL, which is no longer announced; null when none is.
    CJournalRecord* Take(const char* url);
    int Count() const { return m_records.Count(); }
    // Whether the destination's tree was walked once already.
    bool TreeWalked() const { return m_treeWalked; }
    void SetTreeWalked() { m_treeWalked = true; }
    void Clear();

private:
    LPtrArray<LString> m_folders; // owned
    LPtrArray<CJournalRecord> m_records;
    bool m_treeWalked = false;
};
