#pragma once

#include "framework/LString.h"
#include "install/CTextLines.h"

#include <cstddef>

// The texts of the installation description that are chosen by language.
enum DescText {
    kDescInsWin,
    kDescFolder,
    kDescInsTitle,
    kDescInsText,
    kDescInsExist,
    kDescInsDone,
    kDescUniWin,
    kDescUniTitle,
    kDescUniText,
    kDescUniDone,
    kDescRegText,
    kDescTextCount
};

// The line lists of the installation description.
enum DescList {
    kDescRegApps,
    kDescWInfs,
    kDescWRegs,
    kDescWLRegs,  // by language
    kDescWLinks,
    kDescWLLinks, // by language
    kDescListCount
};

// What a section key of the description is.
enum class DescKeyKind {
    kUnknown,      // skipped with its value
    kOneLineText,  // a text of one line, chosen by language
    kText,         // a text of several lines, chosen by language
    kList,         // lines; every section of the key adds its lines
    kLanguageList, // lines of the best-fitting language's section
};

// The settings of an installation description: window titles, page texts and messages in the
// best language for the user, and the lines of registry entries, shortcuts and INF sections.
// A description is a text of sections, each opened by a tag line "<Key>" with an optional
// language number after it.
class CInstDesc {
public:
    CInstDesc() = default;
    CInstDesc(const CInstDesc&) = delete;
    CInstDesc& operator=(const CInstDesc&) = delete;

    // Replaces the settings with those of the description text for a user of the given language (a
    // Windows language id such as 1041). Never fails: unknown or malformed parts are skipped.
    void Parse(const char* text, size_t length, unsigned userLanguage);

    const LString& Text(DescText field) const { return m_texts[field]; }
    const CTextLines& List(DescList list) const { return m_lists[list]; }
    // Which section a text or a language list was taken from, as the offset just past its key
    // in the parsed text; kNoSection when none was. The packer's check asks the parser itself
    // which sections each user gets, so that the two can never read a description differently.
    static constexpr size_t kNoSection = ~size_t(0);
    size_t TextSection(DescText field) const { return m_textSections[field]; }
    size_t ListSection(DescList list) const { return m_listSections[list]; }

    static DescKeyKind KindOfKey(const char* key);
    // The keys the parser knows, by index from 0; null past the last.
    static const char* KeyAt(size_t index);
    // The list a key names; kDescListCount for a key of no list.
    static DescList ListOfKey(const char* key);
    // The language number of a tag's argument: decimal after optional blanks and a minus sign;
    // no digits give 1033 (English, United States).
    static long LanguageNumber(const char* argument);

    // 4 when primary language and sublanguage both match the user's, 3 when the primary
    // language does, 1 for any English section otherwise, 0 for every other language.
    static int LanguageScore(long sectionLanguage, unsigned userLanguage);
    // The language of the user's default locale (GetUserDefaultLCID); 1033 natively.
    static unsigned UserDefaultLanguage();

private:
    LString m_texts[kDescTextCount];
    CTextLines m_lists[kDescListCount];
    size_t m_textSections[kDescTextCount] = {};
    size_t m_listSections[kDescListCount] = {};
};
