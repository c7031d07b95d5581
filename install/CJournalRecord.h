#pragma once

#include "framework/LList.h"
#include "framework/LString.h"

#include <cstdint>

enum JournalKind : int32_t {
    kJournalReplaced = 0, // an existing file was moved aside under a backup name
    kJournalFile = 1,     // a file was created
    kJournalFolder = 2,   // a folder was created (or found existing)
};

// One change to the file system. It is entered as pending (kind + 3) before the change is
// attempted and becomes effective once the change has succeeded; pending records are never
// acted on.
struct CJournalRecord : LListNode {
    static constexpr int32_t kPending = 3;

    int32_t kind = 0;
    LString url;        // file URL of the file or folder concerned
    LString backupName; // kJournalReplaced: the name (only) under which the old file was kept

    bool IsPending() const { return kind >= kPending; }
};
