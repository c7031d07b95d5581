#include "install/CInstDesc.h"

#include "install/CDescScanner.h"
#include "platform/CTextBuilder.h"

#include <cstring>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

enum class ValueKind { kOneLine, kSeveralLines };

struct TextKey {
    const char* key;
    DescText field;
    ValueKind kind;
};

const TextKey kTextKeys[] = {
    {"InsWin", kDescInsWin, ValueKind::kOneLine},
    {"Folder", kDescFolder, ValueKind::kOneLine},
    {"InsTitle", kDescInsTitle, ValueKind::kSeveralLines},
    {"InsText", kDescInsText, ValueKind::kSeveralLines},
    {"InsExist", kDescInsExist, ValueKind::kSeveralLines},
    {"InsDone", kDescInsDone, ValueKind::kSeveralLines},
    {"UniWin", kDescUniWin, ValueKind::kOneLine},
    {"UniTitle", kDescUniTitle, ValueKind::kSeveralLines},
    {"UniText", kDescUniText, ValueKind::kSeveralLines},
    {"UniDone", kDescUniDone, ValueKind::kSeveralLines},
    {"RegText", kDescRegText, ValueKind::kSeveralLines},
};

struct ListKey {
    const char* key;
    DescList list;
    bool byLanguage;
};

const ListKey kListKeys[] = {
    {"RegApps", kDescRegApps, false},
    {"WInfs", kDescWInfs, false},
    {"WRegs", kDescWRegs, false},
    {"WLRegs", kDescWLRegs, true},
    {"WLinks", kDescWLinks, false},
    {"WLLinks", kDescWLLinks, true},
};

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

} // namespace

DescKeyKind CInstDesc::KindOfKey(const char* key)
{
    for (const TextKey& textKey : kTextKeys)
        if (std::strcmp(textKey.key, key) == 0)
            return textKey.kind == ValueKind::kOneLine ? DescKeyKind::kOneLineText : DescKeyKind::kText;
    for (const ListKey& listKey : kListKeys)
        if (std::strcmp(listKey.key, key) == 0)
            return listKey.byLanguage ? DescKeyKind::kLanguageList : DescKeyKind::kList;
    return DescKeyKind::kUnknown;
}

const char* CInstDesc::KeyAt(size_t index)
{
    const size_t texts = sizeof kTextKeys / sizeof kTextKeys[0], lists = sizeof kListKeys / sizeof kListKeys[0];
    return index < texts ? kTextKeys[index].key : index < texts + lists ? kListKeys[index - texts].key : nullptr;
}

DescList CInstDesc::ListOfKey(const char* key)
{
    for (const ListKey& listKey : kListKeys)
        if (std::strcmp(listKey.key, key) == 0)
            return listKey.list;
    return kDescListCount;
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

        const TextKey* textKey = nullptr;
        for (const TextKey& candidate : kTextKeys) {
            if (std::strcmp(candidate.key, key.Text()) == 0)
                textKey = &candidate;
        }
        if (textKey) {
            int score = LanguageScore(ReadLanguage(scanner), userLanguage);
            if (score <= textScores[textKey->field])
                continue;
            CTextBuilder value;
            if (textKey->kind == ValueKind::kOneLine)
                scanner.OneLine(value);
            else
                scanner.SeveralLines(value);
            if (!value.IsEmpty() && !value.Failed()) {
                m_texts[textKey->field] = value.ToString();
                m_textSections[textKey->field] = section;
                textScores[textKey->field] = score;
            }
            continue;
        }

        for (const ListKey& listKey : kListKeys) {
            if (std::strcmp(listKey.key, key.Text()) != 0)
                continue;
            CTextLines& lines = m_lists[listKey.list];
            if (listKey.byLanguage) {
                int score = LanguageScore(ReadLanguage(scanner), userLanguage);
                if (score <= listScores[listKey.list])
                    break;
                lines.Clear();
                listScores[listKey.list] = score;
                m_listSections[listKey.list] = section;
            }
            ReadListLines(scanner, lines);
            break;
        }
    }
}
