#include "install/CJournalFile.h"

#include "framework/LPtrArray.h"
#include "install/CInstJournal.h"
#include "install/EntryPlacement.h"
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
const uint32_t kVersion = 1;
const size_t kFixedSize = 1 + 1 + 4 + 4 + 4 + 4; // op, kind, number, two lengths, check
const DWORD kLargestFile = 64 << 20;

void AppendHex(CTextBuilder& text, uint32_t value)
{
    static const char kDigits[] = "0123456789ABCDEF";
    for (int shift = 28; shift >= 0; shift -= 4)
        text.AppendChar(kDigits[(value >> shift) & 15]);
}

uint32_t CheckOf(const LString& text) { return Crc32(0, text.Text(), text.Length()); }

LString NameStart(const char* folder, const LString& product)
{
    CTextBuilder name;
    name.Append("Install-");
    AppendHex(name, CheckOf(product));
    name.AppendChar('-');
    return JoinPath(folder, name.Text());
}

void AppendNumber32(CTextBuilder& out, uint32_t value)
{
    uint8_t bytes[4];
    WriteBigEndian32(value, bytes);
    out.Append(reinterpret_cast<const char*>(bytes), 4);
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

// A name within the folder of the record's path, and nothing else.
bool IsPlainName(const LString& name)
{
    return !name.IsEmpty() && SanitizeName(name) == name && !name.Equals(".") && !name.Equals("..");
}

bool IsSoundEntry(const Record& record, const CUrl& base)
{
    if (record.kind < kJournalReplaced || record.kind > kJournalFolder)
        return false;
    if (!IsWithinDestination(ParseUrl(record.first.Text()), base))
        return false;
    if (record.kind == kJournalReplaced || !record.second.IsEmpty())
        return IsPlainName(record.second);
    return true;
}

// Enters the records that follow the header; false when one of them is not what this
// program writes.
bool EnterRecords(RecordReader& reader, const CUrl& base, CInstJournal& journal, bool& committing)
{
    LPtrArray<CJournalRecord> entered;
    Record record;
    while (reader.Next(record)) {
        if (record.op == 'E') {
            CJournalRecord* made = IsSoundEntry(record, base)
                ? journal.Enter(static_cast<JournalKind>(record.kind), record.first, record.second) : nullptr;
            if (!made || !entered.Append(made))
                return false;
        } else if (record.op == 'D' || record.op == 'X') {
            CJournalRecord* marked
                = record.number < static_cast<uint32_t>(entered.Count()) ? entered.At(static_cast<int>(record.number)) : nullptr;
            if (!marked)
                return false;
            if (record.op == 'D')
                CInstJournal::Done(marked);
            else
                CInstJournal::Drop(marked);
        } else if (record.op == 'C') {
            committing = true;
        } else {
            return false;
        }
    }
    return true;
}

// Reads a journal file's bytes into the empty journal when they are a journal of the product;
// `used` and `check` tell where the records read end and the check they end with.
bool ReadJournal(const uint8_t* bytes, size_t size, const LString& product, CInstJournal& journal, bool& committing,
                 size_t& used, uint32_t& check)
{
    if (size < kMagicSize || std::memcmp(bytes, kMagic, kMagicSize) != 0)
        return false;
    RecordReader reader(bytes + kMagicSize, size - kMagicSize);
    Record header;
    if (!reader.Next(header) || header.op != 'H' || header.number != kVersion || header.first != product)
        return false;
    CUrl base = ParseUrl(PathToFileUrl(header.second.Text()).Text());
    if (base.IsEmpty() || !EnterRecords(reader, base, journal, committing))
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

LString CJournalFile::PathFor(const char* folder, const LString& product, const LString& destination)
{
    CTextBuilder path;
    path.Append(NameStart(folder, product));
    AppendHex(path, CheckOf(destination));
    path.Append(".journal");
    return path.Failed() ? LString() : path.ToString();
}

LString CJournalFile::PatternFor(const char* folder, const LString& product)
{
    CTextBuilder pattern;
    pattern.Append(NameStart(folder, product));
    pattern.Append("*.journal");
    return pattern.Failed() ? LString() : pattern.ToString();
}

bool CJournalFile::Create(const char* path, const LString& product, const LString& destination)
{
    Close();
    m_file = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (m_file == INVALID_HANDLE_VALUE)
        return false;
    m_path = LString(path);
    m_unwritten.Clear();
    m_unwritten.Append(kMagic, kMagicSize);
    // The magic stands outside the chain of checks, which the header starts.
    m_check = 0;
    Put('H', 0, kVersion, product, destination);
    WriteOut();
    return m_file != INVALID_HANDLE_VALUE;
}

bool CJournalFile::Resume(const char* path, const LString& product, CInstJournal& journal, bool& committing)
{
    Close();
    committing = false;
    // Alone: while the installation that writes it runs, it cannot be opened so.
    m_file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (m_file == INVALID_HANDLE_VALUE)
        return false;
    DWORD size = GetFileSize(m_file, nullptr);
    uint8_t* bytes = size != INVALID_FILE_SIZE && size <= kLargestFile ? new (std::nothrow) uint8_t[size + 1] : nullptr;
    DWORD read = 0;
    size_t used = 0;
    bool ours = bytes && ReadFile(m_file, bytes, size, &read, nullptr) && read == size
        && ReadJournal(bytes, size, product, journal, committing, used, m_check);
    delete[] bytes;
    // Further marks go right behind what was read: a record the crash tore is cut off.
    if (ours) {
        LONG end = static_cast<LONG>(used);
        ours = SetFilePointer(m_file, end, nullptr, FILE_BEGIN) == static_cast<DWORD>(end) && SetEndOfFile(m_file);
    }
    if (!ours) {
        journal.Clear();
        Close();
        return false;
    }
    m_path = LString(path);
    m_unwritten.Clear();
    return true;
}

void CJournalFile::Put(char op, int32_t kind, uint32_t number, const LString& first, const LString& second)
{
    // A mirror that ended (a write failed) keeps nothing more.
    if (m_file == INVALID_HANDLE_VALUE)
        return;
    size_t start = m_unwritten.Length();
    m_unwritten.AppendChar(op);
    m_unwritten.AppendChar(static_cast<char>(kind));
    AppendNumber32(m_unwritten, number);
    AppendNumber32(m_unwritten, static_cast<uint32_t>(first.Length()));
    m_unwritten.Append(first);
    AppendNumber32(m_unwritten, static_cast<uint32_t>(second.Length()));
    m_unwritten.Append(second);
    if (m_unwritten.Failed())
        return;
    m_check = Crc32(m_check, m_unwritten.Text() + start, m_unwritten.Length() - start);
    AppendNumber32(m_unwritten, m_check);
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
    m_unwritten.Clear();
}

void CJournalFile::Entered(const CJournalRecord& record)
{
    Put('E', record.kind - CJournalRecord::kPending, 0, record.url, record.backupName);
    WriteOut();
}

void CJournalFile::Done(const CJournalRecord& record) { Put('D', 0, record.number, LString(), LString()); }

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
    if (m_file != INVALID_HANDLE_VALUE)
        FlushFileBuffers(m_file);
}

void CJournalFile::Remove()
{
    Close();
    if (!m_path.IsEmpty())
        DeleteFileA(m_path.Text());
    m_path = LString();
    m_unwritten.Clear();
}
