#pragma once

#include "framework/LString.h"
#include "platform/CTextBuilder.h"

#include <windows.h>

#include <cstdint>

struct CFileIdentity;

class CInstJournal;
struct CJournalRecord;

// The journal of a running installation, mirrored in a file inside its destination
// (kJournalName), so that the next start of the installer can undo an installation that a
// crash, a forced log-off or a power loss cut off. The destination is named by the
// installation's mark under HKEY_LOCAL_MACHINE (CInstallMarks), never by the file itself.
//
// Format, version 2. The file begins with the 8 bytes "INSTJRNL" and then holds records one
// after another:
//
//   op      1 byte   'H' the header (first and once), 'E' a record entered, 'D' its change
//                    made, 'X' its change not made after all (the name was in use), 'C' the
//                    commit begins
//   kind    1 byte   H: 1 when the installation made the destination, else 0; E: the record's
//                    kind (0 replaced file, 1 file, 2 folder); otherwise 0
//   number  4 bytes  H: the version, 2; D, X: the E record meant, counted 0, 1, 2 ... in the
//                    order of the file; otherwise 0
//   text    4 bytes of length, then its bytes: H: the product's folder name; E: the file URL;
//                    D: for a file, its size and last-write time when the change was made
//                    (16 + 16 hexadecimal digits: the backup of a replaced file, a new file
//                    at its name); otherwise empty
//   text    4 bytes of length, then its bytes: H: the destination folder; E: the backup name
//                    of a replaced file, or the name a new file is written under (temporary,
//                    or its own in a folder the installation made)
//   check   4 bytes  CRC-32 of the record's bytes above, continued from the check of the
//                    record before it (from 0 for the header)
//
// Numbers are big-endian. Every record is written before the next change, except the backup
// names of a folder's files, entered ahead together, and a backup's D mark, which wait for the
// next write. The record of a backup name reaches the disk before a file is renamed to it; the
// rest goes to the disk at the end of each phase and before a commit deletes anything. Reading stops at a record cut
// short or failing its check (a torn write, or the zeros or garbage a power cut leaves).
// A file whose header does not check, of another version, product or destination, or with any
// record that names anything but what this program makes below its destination, is refused
// whole and not acted on at all.
class CJournalFile {
public:
    static const char kJournalName[];

    CJournalFile() = default;
    CJournalFile(const CJournalFile&) = delete;
    CJournalFile& operator=(const CJournalFile&) = delete;
    // Closes the file; it stays on the disk.
    ~CJournalFile();

    static LString PathIn(const LString& destination);

    // Makes the journal file in the destination with its header and puts it on the disk; false
    // when it cannot be made. Whatever stood at its name (a link someone left there included)
    // goes first: the file is always new. Others may read it while it is open, none may write
    // or delete it.
    bool Create(const LString& destination, const LString& product, bool destinationMade);
    // Opens the journal file that an installation of the product into the destination left
    // behind and enters its records in the empty journal, marked as the file marks them.
    // kInUse or kRefused, with the file left as it was, when it is open elsewhere or not such
    // a journal. A file cut off before its header was whole (nothing was changed yet) is
    // deleted: kMissing. Otherwise the file is cut behind the last record read and stays open
    // for the journal's further marks.
    enum ResumeResult { kResumed, kMissing, kInUse, kRefused };
    ResumeResult Resume(const LString& destination, const LString& product, CInstJournal& journal, bool& committing,
                        bool& destinationMade);

    // `now`: the record is written at once; otherwise it waits for the next write or flush.
    void Entered(const CJournalRecord& record, bool now = true);
    // `path`: where the file stands whose identity the mark keeps, when not at the record's own.
    // `identity`: the file's, where the caller has read it already.
    void Done(const CJournalRecord& record, const LString& path = LString(), const CFileIdentity* identity = nullptr);
    void Dropped(const CJournalRecord& record);
    void Committing();
    // What was written reaches the disk.
    void Flush();
    // How many of the file's bytes are on the disk for certain: what a power cut keeps.
    uint64_t DurableBytes() const { return m_durable; }
    // A write failed: nothing more is kept, and nothing more may be changed.
    bool Broken() const { return m_file == INVALID_HANDLE_VALUE; }
    // Closes the file and deletes it; false when it stays.
    bool Remove();

private:
    void Put(char op, int32_t kind, uint32_t number, const LString& first, const LString& second);
    void WriteOut();
    void Close();

    HANDLE m_file = INVALID_HANDLE_VALUE;
    LString m_path;
    CTextBuilder m_unwritten;
    uint32_t m_check = 0;
    uint64_t m_written = 0;
    uint64_t m_durable = 0;
};
