#include "install/CJournalFile.h"

#include "framework/LPtrArray.h"
#include "install/CInstJournal.h"
#include "install/EntryPlacement.h"
#include "install/JournalPaths.h"
#include "package/BigEndian.h"
#include "package/Crc32.h"
#include "platform/CUrl.h"
#include "platform/FileUrl.h"
#include "platform/PathText.h"

#include <cstring>
#include <new>

namespace {

const char kMagic[] = "INSTJRNL";
const size_t kMagicSize = 8;
const uint32_t kVersion = 2;
const size_t kFixedSize = 1 + 1 + 4 + 4 + 4 + 4; // op, kind, number, two lengths, check
const DWORD kLargestFile = 64 << 20;

void AppendNumber32(CTextBuilder& out, uint32_t value)
{
    uint8_t bytes[4];
    WriteBigEndian32(value, bytes);
    out.Append(reinterpret_cast<const char*>(bytes), 4);
}

// One record in the file's form, its check continued from `check`.
void AppendRecord(CTextBuilder& out, uint32_t& check, char op, int32_t kind, uint32_t number, const LString& first,
                  const LString& second)
{
    size_t start = out.Length();
    out.AppendChar(op);
    out.AppendChar(static_cast<char>(kind));
    AppendNumber32(out, number);
    AppendNumber32(out, static_cast<uint32_t>(first.Length()));
    out.Append(first);
    AppendNumber32(out, static_cast<uint32_t>(second.Length()));
    out.Append(second);
    if (out.Failed())
        return;
    check = Crc32(check, out.Text() + start, out.Length() - start);
    AppendNumber32(out, check);
}

// The magic and the header: how every journal file of the installation begins. The magic
// stands outside the chain of checks, which the header starts.
void AppendStart(CTextBuilder& out, uint32_t& check, const LString& product, const LString& destination, bool made)
{
    out.Append(kMagic, kMagicSize);
    check = 0;
    AppendRecord(out, check, 'H', made ? 1 : 0, kVersion, product, destination);
}

// A file that holds less than its whole header, or only zeros, was cut off while it was being
// made, before the installation changed anything.
bool IsUnfinishedStart(const uint8_t* bytes, size_t size, const LString& product, const LString& destination)
{
    bool zeros = true;
    for (size_t i = 0; i < size && zeros; ++i)
        zeros = bytes[i] == 0;
    for (int made = 0; made < 2 && !zeros; ++made) {
        CTextBuilder start;
        uint32_t check = 0;
        AppendStart(start, check, product, destination, made == 1);
        if (!start.Failed() && size < start.Length() && std::memcmp(bytes, start.Text(), size) == 0)
            return true;
    }
    return zeros;
}

// One record as read.
struct Record {
    char op = 0;
    int32_t kind = 0;
    uint32_t number = 0;
    LString first;
    LString second;
};

// Walks the records of a journal file's bytes, checking each against the chain of checks.
class RecordReader {
public:
    RecordReader(const uint8_t* bytes, size_t size) : m_at(bytes), m_end(bytes + size) {}

    // False at the end, at a record cut short and at one that fails its check.
    bool Next(Record& record)
    {
        const uint8_t* at = m_at;
        if (static_cast<size_t>(m_end - at) < kFixedSize)
            return false;
        record.op = static_cast<char>(at[0]);
        record.kind = at[1];
        record.number = ReadBigEndian32(at + 2);
        at += 6;
        if (!Text(at, record.first) || !Text(at, record.second) || m_end - at < 4)
            return false;
        uint32_t check = Crc32(m_check, m_at, static_cast<size_t>(at - m_at));
        if (ReadBigEndian32(at) != check)
            return false;
        m_check = check;
        m_at = at + 4;
        return true;
    }

    const uint8_t* Position() const { return m_at; }
    uint32_t Check() const { return m_check; }

private:
    bool Text(const uint8_t*& at, LString& text)
    {
        if (m_end - at < 4)
            return false;
        uint32_t length = ReadBigEndian32(at);
        at += 4;
        if (length > static_cast<size_t>(m_end - at))
            return false;
        text = LString(reinterpret_cast<const char*>(at), length);
        // A NUL inside a text would make it a different text.
        if (text.Length() != length)
            return false;
        at += length;
        return true;
    }

    const uint8_t* m_at;
    const uint8_t* m_end;
    uint32_t m_check = 0;
};

// What an installation into the destination writes, and nothing else: a path below the
// destination with no link on the way, a backup or temporary name of the installer's own form,
// and a file at its own name only in a folder the installation made.
class EntryCheck {
public:
    EntryCheck(const LString& destination, bool destinationMade)
        : m_destination(destination)
        , m_base(ParseUrl(PathToFileUrl(destination.Text()).Text()))
        , m_destinationMade(destinationMade)
    {
    }

    bool Ready() const { return !m_base.IsEmpty(); }

    bool IsSound(const Record& record, const LPtrArray<CJournalRecord>& entered) const
    {
        if (record.kind < kJournalReplaced || record.kind > kJournalFolder)
            return false;
        CUrl url = ParseUrl(record.first.Text());
        if (!IsWithinDestination(url, m_base))
            return false;
        // A path that cannot be found names nothing that could be acted on.
        LString path;
        if (FileUrlToPath(url, false, path) && !IsConfinedPath(path, m_destination))
            return false;
        switch (record.kind) {
        case kJournalReplaced:
            return IsInstallerName(record.second, "tmp");
        case kJournalFile:
            return IsInstallerName(record.second, "ins")
                || (record.second == LastComponent(path.Text()) && !path.IsEmpty() && InMadeFolder(record.first, entered));
        default:
            return record.second.IsEmpty();
        }
    }

private:
    bool InMadeFolder(const LString& url, const LPtrArray<CJournalRecord>& entered) const
    {
        if (m_destinationMade)
            return true;
        for (int i = 0; i < entered.Count(); ++i) {
            const CJournalRecord* folder = entered.At(i);
            const LString& folderUrl = folder->url;
            if ((folder->kind == kJournalFolder || folder->kind == kJournalFolder + CJournalRecord::kPending)
                && url.Length() > folderUrl.Length() + 1 && url.Text()[folderUrl.Length()] == '/'
                && std::memcmp(url.Text(), folderUrl.Text(), folderUrl.Length()) == 0)
                return true;
        }
        return false;
    }

    LString m_destination;
    CUrl m_base;
    bool m_destinationMade;
};

// The "done" mark of a file: what it looked like then.
bool MarkDone(CJournalRecord* record, const LString& identityText)
{
    CFileIdentity identity;
    if (!identityText.IsEmpty()) {
        if (!ParseIdentity(identityText, identity))
            return false;
        record->identified = true;
        record->size = identity.size;
        record->lastWrite = identity.lastWrite;
    }
    CInstJournal::Done(record);
    return true;
}

// Enters the records that follow the header; false when one of them is not what this
// program writes.
bool EnterRecords(RecordReader& reader, const EntryCheck& check, CInstJournal& journal, bool& committing)
{
    LPtrArray<CJournalRecord> entered;
    Record record;
    while (reader.Next(record)) {
        if (record.op == 'E') {
            CJournalRecord* made = check.IsSound(record, entered)
                ? journal.Enter(static_cast<JournalKind>(record.kind), record.first, record.second) : nullptr;
            if (!made || !entered.Append(made))
                return false;
            made->recovered = true;
        } else if (record.op == 'D' || record.op == 'X') {
            CJournalRecord* marked
                = record.number < static_cast<uint32_t>(entered.Count()) ? entered.At(static_cast<int>(record.number)) : nullptr;
            if (!marked || !record.second.IsEmpty())
                return false;
            if (record.op == 'X')
                CInstJournal::Drop(marked);
            else if (!MarkDone(marked, record.first))
                return false;
        } else if (record.op == 'C') {
            committing = true;
        } else {
            return false;
        }
    }
    return true;
}

// Reads a journal file's bytes into the empty journal when they are a journal of the product
// into the destination; `used` and `check` tell where the records read end and the check
// they end with.
bool ReadJournal(const uint8_t* bytes, size_t size, const LString& product, const LString& destination,
                 CInstJournal& journal, bool& committing, bool& destinationMade, size_t& used, uint32_t& check)
{
    if (size < kMagicSize || std::memcmp(bytes, kMagic, kMagicSize) != 0)
        return false;
    RecordReader reader(bytes + kMagicSize, size - kMagicSize);
    Record header;
    if (!reader.Next(header) || header.op != 'H' || header.number != kVersion || header.first != product
        || header.second != destination || header.kind < 0 || header.kind > 1)
        return false;
    destinationMade = header.kind == 1;
    EntryCheck entries(destination, destinationMade);
    if (!entries.Ready() || !EnterRecords(reader, entries, journal, committing))
        return false;
    used = static_cast<size_t>(reader.Position() - bytes);
    check = reader.Check();
    return true;
}

} // namespace

CJournalFile::~CJournalFile() { Close(); }

void CJournalFile::Close()
{
    if (m_file != INVALID_HANDLE_VALUE)
        CloseHandle(m_file);
    m_file = INVALID_HANDLE_VALUE;
}

const char CJournalFile::kJournalName[] = "Installing.journal";

LString CJournalFile::PathIn(const LString& destination) { return JoinPath(destination.Text(), kJournalName); }

bool CJournalFile::Create(const LString& destination, const LString& product, bool destinationMade)
{
    Close();
    LString path = PathIn(destination);
    // A name that a link or someone's file holds is freed, never written through.
    DeleteFileA(path.Text());
    m_file = CreateFileA(path.Text(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                         FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (m_file == INVALID_HANDLE_VALUE)
        return false;
    m_path = path;
    m_unwritten.Clear();
    m_written = m_durable = 0;
    AppendStart(m_unwritten, m_check, product, destination, destinationMade);
    Flush();
    if (Broken()) {
        DeleteFileA(path.Text());
        return false;
    }
    return true;
}

CJournalFile::ResumeResult CJournalFile::Resume(const LString& destination, const LString& product,
                                                CInstJournal& journal, bool& committing, bool& destinationMade)
{
    Close();
    committing = false;
    LString path = PathIn(destination);
    // Alone: while the installation that writes it runs, it cannot be opened so. A link at its
    // name is opened as the link, and refused below.
    m_file = CreateFileA(path.Text(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (m_file == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? kMissing : kInUse;
    }
    BY_HANDLE_FILE_INFORMATION information;
    bool plain = GetFileInformationByHandle(m_file, &information)
        && !(information.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY))
        && information.nFileSizeHigh == 0 && information.nFileSizeLow <= kLargestFile;
    DWORD size = plain ? information.nFileSizeLow : 0;
    uint8_t* bytes = plain ? new (std::nothrow) uint8_t[size + 1] : nullptr;
    DWORD read = 0;
    size_t used = 0;
    bool ours = bytes && ReadFile(m_file, bytes, size, &read, nullptr) && read == size
        && ReadJournal(bytes, size, product, destination, journal, committing, destinationMade, used, m_check);
    bool unfinished = !ours && bytes && read == size && IsUnfinishedStart(bytes, size, product, destination);
    delete[] bytes;
    if (unfinished) {
        Close();
        DeleteFileA(path.Text());
        return kMissing;
    }
    // Further marks go right behind what was read: a record the crash tore is cut off.
    if (ours) {
        LONG end = static_cast<LONG>(used);
        ours = SetFilePointer(m_file, end, nullptr, FILE_BEGIN) == static_cast<DWORD>(end) && SetEndOfFile(m_file);
    }
    if (!ours) {
        journal.Clear();
        Close();
        return kRefused;
    }
    m_path = path;
    m_unwritten.Clear();
    m_written = m_durable = used;
    return kResumed;
}

void CJournalFile::Put(char op, int32_t kind, uint32_t number, const LString& first, const LString& second)
{
    // A mirror that ended (a write failed) keeps nothing more.
    if (m_file != INVALID_HANDLE_VALUE)
        AppendRecord(m_unwritten, m_check, op, kind, number, first, second);
}

void CJournalFile::WriteOut()
{
    if (m_file == INVALID_HANDLE_VALUE || m_unwritten.IsEmpty())
        return;
    DWORD length = static_cast<DWORD>(m_unwritten.Length());
    DWORD written = 0;
    // A record the file does not hold whole would break the chain for every later one: the
    // mirror ends here, and what it holds so far stays valid.
    if (m_unwritten.Failed() || !WriteFile(m_file, m_unwritten.Text(), length, &written, nullptr) || written != length)
        Close();
    m_written += written;
    m_unwritten.Clear();
}

void CJournalFile::Entered(const CJournalRecord& record, bool now)
{
    Put('E', record.kind - CJournalRecord::kPending, 0, record.url, record.backupName);
    if (now)
        WriteOut();
}

void CJournalFile::Done(const CJournalRecord& record, const LString& at, const CFileIdentity* known)
{
    // A file's mark says what it looked like, so that a recovery touches it only while it
    // still does. A new file's is written at once, since until it is there the file counts as
    // not proven ours; a backup without its mark is moved back all the same.
    CFileIdentity found;
    if (!known) {
        LString path = at.IsEmpty() ? IdentifiedPath(record) : at;
        if (!path.IsEmpty() && ReadFileIdentity(path.Text(), found))
            known = &found;
    }
    Put('D', 0, record.number, known ? FormatIdentity(*known) : LString(), LString());
    if (record.kind == kJournalFile || record.kind == kJournalFile + CJournalRecord::kPending)
        WriteOut();
}

void CJournalFile::Dropped(const CJournalRecord& record)
{
    Put('X', 0, record.number, LString(), LString());
    WriteOut();
}

void CJournalFile::Committing()
{
    Put('C', 0, 0, LString(), LString());
    Flush();
}

void CJournalFile::Flush()
{
    WriteOut();
    if (m_file != INVALID_HANDLE_VALUE && !FlushFileBuffers(m_file))
        Close();
    if (m_file != INVALID_HANDLE_VALUE)
        m_durable = m_written;
}

bool CJournalFile::Remove()
{
    Close();
    bool removed = m_path.IsEmpty() || DeleteFileA(m_path.Text()) || GetLastError() == ERROR_FILE_NOT_FOUND;
    m_path = LString();
    m_unwritten.Clear();
    return removed;
}
