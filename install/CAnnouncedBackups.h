#pragma once

#include "framework/LPtrArray.h"
#include "framework/LString.h"

struct CJournalRecord;

// The backup names entered in the journal ahead of the renames they are for (JournalSteps): the
// pending records, found again by the URL of the file each is for, in an order of their bytes
// (ASCII letters folded) that a lookup among many takes little time in. The records belong to
// the journal, which never acts on them unless taken.
class CAnnouncedBackups {
public:
    bool Add(CJournalRecord* record) { return m_records.Append(record); }
    // Orders what was added since, for Take; called once a batch is entered.
    void Sort();
    // The record for the file of that URL, which is no longer announced; null when none is.
    CJournalRecord* Take(const char* url);
    void Clear();

    // Whether every file below the destination was announced already, and the folder outside it
    // whose files were announced last.
    bool treeWalked = false;
    LString folderAlone;

private:
    LPtrArray<CJournalRecord> m_records;
};
