#pragma once

#include "framework/LString.h"
#include "platform/CTextBuilder.h"

#include <windows.h>

#include <cstdint>

class CInstJournal;
struct CJournalRecord;

// The journal of a running installation, mirrored in a small file of its own in the temporary
// folder, so that the next start of the installer can undo an installation that a crash, a
// forced log-off or a power loss cut off.
//
// Format, version 1. The file begins with the 8 bytes "INSTJRNL" and then holds records one
// after another:
//
//   op      1 byte   'H' the header (first and once), 'E' a record entered, 'D' its change
//                    made, 'X' its change not made after all (the name was in use), 'C' the
//                    commit begins
//   kind    1 byte   E: the record's kind (0 replaced file, 1 file, 2 folder); otherwise 0
//   number  4 bytes  H: the version, 1; D, X: the E record meant, counted 0, 1, 2 ... in the
//                    order of the file; otherwise 0
//   text    4 bytes of length, then its bytes: H: the product's folder name; E: the file URL
//   text    4 bytes of length, then its bytes: H: the destination folder; E: the backup name
//                    of a replaced file, or the name a new file is written under (temporary,
//                    or its own in a folder the installation made)
//   check   4 bytes  CRC-32 of the record's bytes above, continued from the check of the
//                    record before it (from 0 for the header)
//
// Numbers are big-endian. Every E, X and C record is written before the change that follows
// it; a D record waits for the next write (a crash counts unmarked changes as made anyway).
// A rollback writes nothing: undoing again what was undone already changes nothing, except
// for a file made in place of a replaced one, which stays once the replaced one is back.
// The file goes to the disk at the end of each phase and before a commit deletes anything.
// Reading stops at a record cut short or failing its check: the write that the crash cut off.
// A file whose header does not check, of another version or product, or with a record that
// names anything outside its destination is not acted on at all.
class CJournalFile {
public:
    CJournalFile() = default;
    CJournalFile(const CJournalFile&) = delete;
    CJournalFile& operator=(const CJournalFile&) = delete;
    // Closes the file; it stays on the disk.
    ~CJournalFile();

    // Where the journal of an installation of the product (its folder name) into the
    // destination lives, and the pattern that finds those of all its destinations.
    static LString PathFor(const char* folder, const LString& product, const LString& destination);
    static LString PatternFor(const char* folder, const LString& product);

    // Makes the journal file (replacing one of the same name) with its header; false when it
    // cannot be made. Other programs may read it while it is open, none may write or delete it.
    bool Create(const char* path, const LString& product, const LString& destination);
    // Opens a journal file that an installation of the product left behind and enters its
    // records in the empty journal, marked as the file marks them. False, with the file left
    // as it was, when it is in use or not such a journal. Otherwise the file is cut behind the
    // last record read and stays open for the journal's further marks.
    bool Resume(const char* path, const LString& product, CInstJournal& journal, bool& committing);

    void Entered(const CJournalRecord& record);
    void Done(const CJournalRecord& record);
    void Dropped(const CJournalRecord& record);
    void Committing();
    // What was written reaches the disk.
    void Flush();
    // Closes the file and deletes it.
    void Remove();

private:
    void Put(char op, int32_t kind, uint32_t number, const LString& first, const LString& second);
    void WriteOut();
    void Close();

    HANDLE m_file = INVALID_HANDLE_VALUE;
    LString m_path;
    CTextBuilder m_unwritten;
    uint32_t m_check = 0;
};
