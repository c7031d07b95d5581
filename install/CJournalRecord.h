#pragma once

#include "framework/LList.h"
#include "framework/LString.h"

#include <cstdint>

class CInstJournal;

enum JournalKind : int32_t {
    kJournalReplaced = 0, // an existing file was moved aside under a backup name
    kJournalFile = 1,     // a file was created
    kJournalFolder = 2,   // a folder was created (or found existing)
};

// One change to the file system. It is entered as pending (kind + 3) before the change is
// attempted and becomes effective once the change has succeeded; pending records are never
// acted on, and neither are dropped ones.
struct CJournalRecord : LListNode {
    static constexpr int32_t kPending = 3;
    static constexpr int32_t kDropped = -1;

    int32_t kind = 0;
    LString url;        // file URL of the file or folder concerned
    // kJournalReplaced: the name (only) under which the old file was kept; kJournalFile: the
    // name the contents are written under: a temporary one before the file takes its final
    // name, or the final one itself in a folder the installation made.
    LString backupName;
    CInstJournal* journal = nullptr; // the journal it was entered in
    uint32_t number = 0;             // its place in the order of entering, from 0
    // Read back from the journal file of an installation that was cut off: only a file that
    // still has the size and last-write time its "done" mark gives (`identified`) is acted on,
    // since another program may have put a file of that name there since.
    bool recovered = false;
    bool markWritten = false; // its "done" mark is in the journal file already (Placing)
    bool identified = false;
    uint64_t size = 0;
    uint64_t lastWrite = 0;

    bool IsPending() const { return kind >= kPending; }
};
