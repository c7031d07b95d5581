#include "install/CInstDesc.h"

#include "install/CDescScanner.h"
#include "platform/CTextBuilder.h"

#include <cstring>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

enum class ValueKind : unsigned char { kOneLine, kSeveralLines };

// The keys are held in the entries rather than pointed at, so the tables take no pointers and
// no strings beside them; an entry's place is its text or list number.
struct TextKey {
    char key[9];
    ValueKind kind;
};

alignas(1) const TextKey kTextKeys[] = {
    {"InsWin", ValueKind::kOneLine},
    {"Folder", ValueKind::kOneLine},
    {"InsTitle", ValueKind::kSeveralLines},
    {"InsText", ValueKind::kSeveralLines},
    {"InsExist", ValueKind::kSeveralLines},
    {"InsDone", ValueKind::kSeveralLines},
    {"UniWin", ValueKind::kOneLine},
    {"UniTitle", ValueKind::kSeveralLines},
    {"UniText", ValueKind::kSeveralLines},
    {"UniDone", ValueKind::kSeveralLines},
    {"RegText", ValueKind::kSeveralLines},
};
static_assert(sizeof kTextKeys / sizeof kTextKeys[0] == kDescTextCount, "one key for every text");

struct ListKey {
    char key[8];
    bool byLanguage;
};

alignas(1) const ListKey kListKeys[] = {
    {"RegApps", false},
    {"WInfs", false},
    {"WRegs", false},
    {"WLRegs", true},
    {"WLinks", false},
    {"WLLinks", true},
};
static_assert(sizeof kListKeys / sizeof kListKeys[0] == kDescListCount, "one key for every list");

const long kUntaggedLanguage = 1033;

// Decimal with leading blanks and an optional minus sign; no digits means English (US).
long ParseLanguage(const char* text)
{
    while (*text == ' ' || *text == '\t')
        ++text;
    bool negative = *text == '-';
    if (negative)
        ++text;
    if (*text < '0' || *text > '9')
        return kUntaggedLanguage;
    long value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        // Anything this large is no language id; keep it from overflowing.
        if (value < 100000000L)
            value = value * 10 + (*text - '0');
    }
    return negative ? -value : value;
}

long ReadLanguage(CDescScanner& scanner)
{
    CTextBuilder argument;
    scanner.Argument(&argument);
    return ParseLanguage(argument.Text());
}

void ReadListLines(CDescScanner& scanner, CTextLines& lines)
{
    for (;;) {
        CTextBuilder line;
        scanner.OneLine(line);
        if (line.IsEmpty())
            return;
        lines.Append(line.ToString());
    }
}

// The text a key names; kDescTextCount for a key of no text.
DescText TextOfKey(const char* key)
{
    int text = 0;
    while (text < kDescTextCount && std::strcmp(kTextKeys[text].key, key) != 0)
        ++text;
    return static_cast<DescText>(text);
}

} // namespace

DescKeyKind CInstDesc::KindOfKey(const char* key)
{
    const DescText text = TextOfKey(key);
    if (text != kDescTextCount)
        return kTextKeys[text].kind == ValueKind::kOneLine ? DescKeyKind::kOneLineText : DescKeyKind::kText;
    const DescList list = ListOfKey(key);
    if (list != kDescListCount)
        return kListKeys[list].byLanguage ? DescKeyKind::kLanguageList : DescKeyKind::kList;
    return DescKeyKind::kUnknown;
}

const char* CInstDesc::KeyAt(size_t index)
{
    const size_t texts = sizeof kTextKeys / sizeof kTextKeys[0], lists = sizeof kListKeys / sizeof kListKeys[0];
    return index < texts ? kTextKeys[index].key : index < texts + lists ? kListKeys[index - texts].key : nullptr;
}

DescList CInstDesc::ListOfKey(const char* key)
{
    int list = 0;
    while (list < kDescListCount && std::strcmp(kListKeys[list].key, key) != 0)
        ++list;
    return static_cast<DescList>(list);
}

long CInstDesc::LanguageNumber(const char* argument) { return ParseLanguage(argument); }

int CInstDesc::LanguageScore(long sectionLanguage, unsigned userLanguage)
{
    unsigned section = static_cast<unsigned long>(sectionLanguage) & 0xFFFFu;
    unsigned user = userLanguage & 0xFFFFu;
    unsigned sectionPrimary = section & 0x3FFu;
    if (sectionPrimary == (user & 0x3FFu))
        return (section >> 10) == (user >> 10) ? 4 : 3;
    return sectionPrimary == 0x09 ? 1 : 0;
}

unsigned CInstDesc::UserDefaultLanguage()
{
#ifdef _WIN32
    return static_cast<unsigned>(GetUserDefaultLCID()) & 0xFFFFu;
#else
    return static_cast<unsigned>(kUntaggedLanguage);
#endif
}

void CInstDesc::Parse(const char* text, size_t length, unsigned userLanguage)
{
    // A description read again (after a failed attempt) must not add its lines a second time.
    for (int i = 0; i < kDescTextCount; ++i) {
        m_texts[i] = LString();
        m_textSections[i] = kNoSection;
    }
    for (int i = 0; i < kDescListCount; ++i) {
        m_lists[i].Clear();
        m_listSections[i] = kNoSection;
    }
    int textScores[kDescTextCount] = {};
    int listScores[kDescListCount] = {};
    if (!text)
        length = 0;
    // The description is text: a NUL byte ends it, so that no value is cut short unseen.
    const void* nul = length ? std::memchr(text, '\0', length) : nullptr;
    if (nul)
        length = static_cast<size_t>(static_cast<const char*>(nul) - text);
    CDescScanner scanner(text ? text : "", length);

    for (;;) {
        CTextBuilder key;
        if (!scanner.NextKey(key) || key.IsEmpty())
            return;
        const size_t section = scanner.Position();

        const DescText field = TextOfKey(key.Text());
        if (field != kDescTextCount) {
            int score = LanguageScore(ReadLanguage(scanner), userLanguage);
            if (score <= textScores[field])
                continue;
            CTextBuilder value;
            if (kTextKeys[field].kind == ValueKind::kOneLine)
                scanner.OneLine(value);
            else
                scanner.SeveralLines(value);
            if (!value.IsEmpty() && !value.Failed()) {
                m_texts[field] = value.ToString();
                m_textSections[field] = section;
                textScores[field] = score;
            }
            continue;
        }

        const DescList list = ListOfKey(key.Text());
        if (list == kDescListCount)
            continue;
        CTextLines& lines = m_lists[list];
        if (kListKeys[list].byLanguage) {
            int score = LanguageScore(ReadLanguage(scanner), userLanguage);
            if (score <= listScores[list])
                continue;
            lines.Clear();
            listScores[list] = score;
            m_listSections[list] = section;
        }
        ReadListLines(scanner, lines);
    }
}
