#include "tools/mkinstaller/CDescCheck.h"

#include "install/CDescScanner.h"
#include "install/CInstDesc.h"
#include "integration/CInfLine.h"
#include "integration/CLineTokenizer.h"
#include "integration/CRegistryLine.h"
#include "integration/CShortcutLine.h"
#include "integration/CVariables.h"
#include "integration/Placeholders.h"
#include "platform/CTextBuilder.h"
#include "tools/codepage/CCodePage.h"
#include "tools/mkinstaller/CDescText.h"
#include "tools/mkinstaller/CDiagnostics.h"
#include "tools/mkinstaller/WindowsName.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <set>

namespace {

// Keys under which a product's own key line would take shared settings away on uninstalling.
const char* const kSharedKeys[] = {
    "SOFTWARE\\Microsoft", "SOFTWARE\\Microsoft\\Windows", "SOFTWARE\\Microsoft\\Windows\\CurrentVersion",
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall", "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run",
    "SOFTWARE\\Classes", "SOFTWARE\\Wow6432Node"};

std::string Text(const LString& text) { return std::string(text.Text(), text.Length()); }

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

// Letters that differ in at most two places: what a typing error gives.
bool LooksLike(const std::string& a, const std::string& b)
{
    std::vector<size_t> row(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        size_t diagonal = row[0];
        row[0] = i;
        for (size_t j = 1; j <= b.size(); ++j) {
            const size_t above = row[j];
            row[j] = std::min(std::min(row[j] + 1, row[j - 1] + 1), diagonal + (a[i - 1] == b[j - 1] ? 0 : 1));
            diagonal = above;
        }
    }
    return row[b.size()] <= 2;
}

// The known key a misspelt one was meant as: one that differs only in letter case first (<WLlinks>
// is <WLLinks>, not <WLinks>, a different list), then one a typing error away; "" for none.
std::string MeantKey(const std::string& key)
{
    for (size_t i = 0; CInstDesc::KeyAt(i); ++i)
        if (LowerAscii(key) == LowerAscii(CInstDesc::KeyAt(i)))
            return CInstDesc::KeyAt(i);
    for (size_t i = 0; CInstDesc::KeyAt(i); ++i)
        if (LooksLike(key, CInstDesc::KeyAt(i)))
            return CInstDesc::KeyAt(i);
    return std::string();
}

// Whether a Windows user's language can have this primary language; all others fit nobody.
bool IsLanguage(unsigned primary) { return primary >= 0x01 && primary <= 0x94; }

unsigned Masked(long language) { return static_cast<unsigned long>(language) & 0xFFFFu; }

// The longest prefix the installer puts before a product's paths on a default installation: the
// program files folder that a 32-bit program is told on 64-bit Windows.
const char kDefaultParent[] = "C:\\Program Files (x86)\\";
// The "A" file functions take paths of at most this many characters.
const size_t kMaxPath = 259;
// The installer writes each file first under a temporary name beside it: "ins" and a number.
const size_t kTemporaryName = 16;

// One token of a list line with where it stands in the line.
struct Token {
    LString text;
    size_t offset = 0; // of its first character, the opening quote included
    bool quoted = false;
    bool closed = true;
};

// One section as the check read it from the packed text.
struct Read {
    std::string key;
    DescKeyKind kind = DescKeyKind::kUnknown;
    size_t tagStart = 0; // offsets in the packed text
    size_t section = 0;  // just past the key: how the parser names the section it took
    long language = 1033;
    bool tagged = false;
    std::string argument;
    size_t valueStart = 0;
    std::string value; // packed bytes
    std::vector<unsigned> users;
};

class CChecker {
public:
    CChecker(const std::string& text, unsigned codePage, const DescProduct* product, CDiagnostics& problems,
             std::string& packed)
        : m_source(text), m_codePage(codePage), m_positions(text), m_problems(problems), m_text(packed),
          m_product(product)
    {
        m_variables.Set("DEST", "C:\\Program Files\\Product");
        m_variables.Set("START", "C:\\Menu\\Programs");
        if (product)
            for (const DescProductEntry& entry : *product)
                m_productPaths.insert(LowerAscii(entry.packed));
    }

    void Run();
    void Report(std::vector<DescSectionRead>& sections) const;

private:
    void Add(size_t offset, bool error, const std::string& message, const std::string& note)
    {
        m_problems.Add(m_positions, m_from[std::min(offset, m_from.size() - 1)], error, message, note);
    }
    void Error(size_t offset, const std::string& message, const std::string& note = std::string())
    {
        Add(offset, true, message, note);
    }
    void Warning(size_t offset, const std::string& message, const std::string& note = std::string())
    {
        Add(offset, false, message, note);
    }
    void AddPair(size_t offset, size_t earlier, bool error, const std::string& message, const std::string& note);
    // The packed bytes [from, to) as the vendor wrote them, in the build machine's text.
    std::string Shown(size_t from, size_t to) const;
    std::string Shown(const Token& token) const;
    // A text made from the packed one (an expansion), in the build machine's text.
    std::string Shown(const LString& expanded) const;
    // The first character that is not white space in [from, to), or to.
    size_t FirstText(size_t from, size_t to) const;
    void Section(CDescScanner& scanner, const CTextBuilder& key, size_t tagStart);
    void CheckLanguages();
    void CheckFolder(const LString& line, size_t lineStart);
    void CheckPathLengths();
    void CheckListLine(DescList list, const LString& line, size_t lineStart);
    void CheckRegistryLine(const LString& line, size_t lineStart);
    void CheckShortcutLine(const LString& line, size_t lineStart);
    void CheckInfLine(const LString& line, size_t lineStart);
    std::vector<Token> Tokens(const LString& line, size_t lineStart, size_t count);
    // False when a placeholder is unknown: the installer then skips the whole line.
    bool CheckPlaceholders(const char* text, size_t length, size_t offset);
    void CheckSplitByPlaceholder(const Token& token, const char* field);
    bool IsFullPath(const LString& expanded) const;
    void CheckInProduct(const Token& token, const LString& expanded, const char* what);

    const std::string& m_source;
    unsigned m_codePage;
    CTextPositions m_positions;
    CDiagnostics& m_problems;
    std::string& m_text; // the packed description
    std::vector<size_t> m_from; // for each packed byte, its offset in the vendor's file
    size_t m_length = 0;        // of what the installer reads
    size_t m_vendorEnd = 0;     // where the packer's own section begins
    const DescProduct* m_product;
    CVariables m_variables;
    std::set<std::string> m_productPaths;
    std::vector<Read> m_sections;
    std::set<std::string> m_folders; // the folder names of the <Folder> sections, packed
    // Text after a value that the installer does not read, up to the next tag.
    size_t m_ignoredFrom = std::string::npos;
    std::string m_ignoredMessage;
    bool m_ignoredIsError = false;
    size_t m_regApps = std::string::npos;
    bool m_regText = false;
};

void CChecker::Report(std::vector<DescSectionRead>& sections) const
{
    for (const Read& read : m_sections) {
        DescSectionRead out;
        out.key = read.key;
        out.language = read.language;
        int column = 0;
        m_positions.At(m_from[read.tagStart], out.line, column);
        out.value = read.value;
        out.users = read.users;
        sections.push_back(out);
    }
}

void CChecker::AddPair(size_t offset, size_t earlier, bool error, const std::string& message, const std::string& note)
{
    Diagnostic pair;
    m_positions.At(m_from[offset], pair.line, pair.column);
    pair.error = error;
    pair.message = message;
    pair.note = note;
    m_positions.At(m_from[earlier], pair.noteLine, pair.noteColumn);
    m_problems.Add(pair);
}

std::string CChecker::Shown(size_t from, size_t to) const
{
    if (CDescText::IsUtf8(m_source) && m_from[from] <= m_from[to])
        return m_source.substr(m_from[from], m_from[to] - m_from[from]);
    std::string shown;
    const std::string piece = m_text.substr(from, to - from);
    return CCodePage(m_codePage).Decode(piece, CCodePage::kBuildText, shown) ? shown : piece;
}

std::string CChecker::Shown(const Token& token) const
{
    const size_t from = token.offset + (token.quoted ? 1 : 0);
    return Shown(from, from + token.text.Length());
}

std::string CChecker::Shown(const LString& expanded) const
{
    std::string shown;
    const std::string bytes = Text(expanded);
    return CCodePage(m_codePage).Decode(bytes, CCodePage::kBuildText, shown) ? shown : bytes;
}

size_t CChecker::FirstText(size_t from, size_t to) const
{
    while (from < to && IsBlank(m_text[from]))
        ++from;
    return from;
}

void CChecker::Run()
{
    CDescText::ToPackage(m_source, m_codePage, m_text, m_positions, m_problems, &m_from);
    m_vendorEnd = m_text.size();
    while (m_vendorEnd > 0 && m_from[m_vendorEnd - 1] == m_source.size())
        --m_vendorEnd;
    m_length = m_text.size();
    const size_t nul = m_text.find('\0');
    if (nul != std::string::npos) {
        Error(nul, "the description holds a zero byte: the installer reads nothing after it",
              "a description is text; save it as UTF-8 or in the code page of its language");
        m_length = nul;
    }
    // A mark before the first tag is read as the blanks are: as nothing.
    const size_t bodyStart = m_text.compare(0, 3, CDescText::kByteOrderMark) == 0 ? 3 : 0;
    CDescScanner scanner(m_text.data(), m_length);
    bool first = true;
    for (;;) {
        CTextBuilder key;
        bool found = scanner.NextKey(key);
        const size_t tagStart = found ? CDescText::TagStart(scanner, key) : m_length;
        found = found && tagStart < m_vendorEnd;
        const size_t end = std::min(tagStart, m_vendorEnd);
        if (first) {
            const size_t stray = FirstText(bodyStart, end);
            if (stray < end)
                Error(stray, "text before the first section is not read",
                      "a section begins with a tag line such as <InsText>");
            first = false;
        }
        if (m_ignoredFrom != std::string::npos && m_ignoredFrom < end) {
            const size_t stray = FirstText(m_ignoredFrom, end);
            if (stray < end)
                Add(stray, m_ignoredIsError, m_ignoredMessage, std::string());
        }
        m_ignoredFrom = std::string::npos;
        if (!found)
            break;
        if (key.IsEmpty()) {
            Error(tagStart, "an empty tag ends the description: nothing after it is read",
                  "a line that begins with '<' is a section tag");
            break;
        }
        Section(scanner, key, tagStart);
    }
    CheckLanguages();
    if (m_regApps != std::string::npos && !m_regText)
        Warning(m_regApps, "<RegApps> asks for a user name, but no <RegText> gives the question's text");
    CheckPathLengths();
}

void CChecker::Section(CDescScanner& scanner, const CTextBuilder& keyText, size_t tagStart)
{
    const std::string key(keyText.Text(), keyText.Length());
    const std::string tag = "<" + Shown(tagStart + 1, tagStart + 1 + key.size()) + ">";
    const size_t section = scanner.Position();
    if (scanner.CurrentState() != CDescScanner::kArgument) {
        Error(tagStart, "the tag " + tag.substr(0, tag.size() - 1) + " has no '>': the section is not read");
        return;
    }
    const DescKeyKind kind = CInstDesc::KindOfKey(key.c_str());
    if (kind == DescKeyKind::kUnknown) {
        std::string note;
        const std::string meant = MeantKey(key);
        if (key == CDescText::kCodePageKey)
            note = "the packer writes this section itself; choose the code page with --codepage";
        else if (!meant.empty())
            note = "did you mean <" + meant + ">?";
        Error(tagStart, "unknown section " + tag + ": it is not read", note);
        return;
    }
    CTextBuilder argumentText;
    scanner.Argument(&argumentText);
    Read read;
    read.key = key;
    read.kind = kind;
    read.tagStart = tagStart;
    read.section = section;
    read.argument.assign(argumentText.Text(), argumentText.Length());
    read.language = CInstDesc::LanguageNumber(read.argument.c_str());
    const size_t text = read.argument.find_first_not_of(" \t");
    const size_t digit = text == std::string::npos ? text : text + (read.argument[text] == '-' ? 1 : 0);
    read.tagged = digit < read.argument.size() && read.argument[digit] >= '0' && read.argument[digit] <= '9';
    if (text != std::string::npos && !read.tagged)
        Error(section, "\"" + Shown(section, section + read.argument.size()) + "\" after " + tag +
                           " is not a language number: the section is read as 1033 (English)",
              "write a Windows language number such as 1041 (Japanese), or nothing for the untagged section");

    if (kind == DescKeyKind::kText) {
        CTextBuilder value;
        scanner.SeveralLines(value);
        read.value.assign(value.Text(), value.Length());
        if (key == "RegText")
            m_regText = true;
        m_sections.push_back(read);
        return;
    }
    if (kind == DescKeyKind::kOneLineText) {
        CTextBuilder value;
        scanner.OneLine(value);
        const LString line = value.ToString();
        const size_t end = scanner.Position() - (scanner.CurrentState() == CDescScanner::kText ? 0 : 1);
        read.value.assign(value.Text(), value.Length());
        read.valueStart = end - line.Length();
        m_sections.push_back(read);
        m_ignoredFrom = scanner.CurrentState() == CDescScanner::kName ? std::string::npos : scanner.Position();
        m_ignoredIsError = false;
        m_ignoredMessage = line.IsEmpty() ? "the first line after " + tag + " is empty, so the section is not used"
                                          : "only the first line of " + tag + " is used";
        if (key == "Folder")
            CheckFolder(line, read.valueStart);
        return;
    }
    // A list: its lines up to the first empty line.
    int count = 0;
    const DescList which = CInstDesc::ListOfKey(key.c_str());
    for (;;) {
        CTextBuilder value;
        scanner.OneLine(value);
        if (value.IsEmpty())
            break;
        const LString line = value.ToString();
        const size_t end = scanner.Position() - (scanner.CurrentState() == CDescScanner::kText ? 0 : 1);
        read.value += (count ? "\r\n" : "") + Text(line);
        ++count;
        CheckListLine(which, line, end - line.Length());
    }
    if (kind == DescKeyKind::kLanguageList)
        m_sections.push_back(read);
    if (key == "RegApps" && count > 0 && m_regApps == std::string::npos)
        m_regApps = tagStart;
    m_ignoredFrom = scanner.CurrentState() == CDescScanner::kName ? std::string::npos : scanner.Position();
    m_ignoredIsError = true;
    m_ignoredMessage = "this line is not read: the list " + tag + " ends at the empty line above it";
}

void CChecker::CheckLanguages()
{
    // Users of every kind the sections tell apart: each section's own language, another variant
    // of its primary language, English and Japanese users, and users of some other language.
    std::vector<unsigned> users = {1033, 1041, 0x040C};
    for (const Read& read : m_sections) {
        const unsigned language = Masked(read.language);
        if (IsLanguage(language & 0x3FFu))
            for (unsigned user : {language, (language & 0x3FFu) | (0x3Fu << 10)})
                if (std::find(users.begin(), users.end(), user) == users.end())
                    users.push_back(user);
    }
    const DescText kFolder = kDescFolder;
    unsigned homeless = 0;
    for (unsigned user : users) {
        CInstDesc desc;
        desc.Parse(m_text.data(), m_length, user);
        for (Read& read : m_sections) {
            const DescKeyKind kind = read.kind;
            size_t taken = CInstDesc::kNoSection;
            for (int field = 0; field < kDescTextCount && kind != DescKeyKind::kLanguageList; ++field)
                if (desc.TextSection(DescText(field)) == read.section)
                    taken = read.section;
            for (DescList list : {kDescWLRegs, kDescWLLinks})
                if (kind == DescKeyKind::kLanguageList && desc.ListSection(list) == read.section)
                    taken = read.section;
            if (taken != CInstDesc::kNoSection)
                read.users.push_back(user);
        }
        CLineTokenizer folder(desc.Text(kFolder));
        if (folder.NextToken().IsEmpty() && homeless == 0)
            homeless = user;
    }
    size_t folderSection = std::string::npos;
    std::map<std::string, size_t> firstOf; // key and language: the first section
    for (const Read& read : m_sections) {
        if (read.key == "Folder" && folderSection == std::string::npos)
            folderSection = read.tagStart;
        const std::string id = read.key + "/" + std::to_string(Masked(read.language));
        const auto earlier = firstOf.emplace(id, read.tagStart).first;
        if (!read.users.empty() || (read.value.empty() && read.kind != DescKeyKind::kLanguageList))
            continue;
        const std::string tag = "<" + read.key + ">" + (read.tagged ? std::to_string(read.language) : "");
        if (!IsLanguage(Masked(read.language) & 0x3FFu))
            Error(read.tagStart, "no user ever gets " + tag + ": Windows has no language " +
                                     std::to_string(Masked(read.language)) + " (the installer reads " +
                                     std::to_string(read.language) + " so)",
                  "write a Windows language number such as 1041 (Japanese), or nothing for the untagged section");
        else // its own language's users score it best: only an earlier section of that language hides it
            AddPair(read.tagStart, earlier->second, false,
                    "a second <" + read.key + "> for language " + std::to_string(Masked(read.language)) +
                        " is never used: the first one wins",
                    "the first one");
    }
    if (folderSection == std::string::npos)
        Error(0, "no <Folder> section: the installer needs the name of the folder it creates",
              "add a section such as <Folder> followed by the line \"Product Name\"");
    else if (homeless != 0)
        Error(folderSection, "users of language " + std::to_string(homeless) +
                     " get no <Folder>: they install into a folder named \"_\"",
              "give an untagged <Folder> section, which every user without a section of their own gets");
}

void CChecker::CheckFolder(const LString& line, size_t lineStart)
{
    if (line.IsEmpty()) {
        Error(lineStart, "<Folder> names no folder on its first line");
        return;
    }
    const std::vector<Token> tokens = Tokens(line, lineStart, 2);
    const Token& name = tokens[0];
    const std::string shown = Shown(name);
    std::string reason;
    if (!IsWindowsName(shown, &reason))
        Error(name.offset, "the folder name \"" + shown + "\" " + reason,
              "<Folder> names one folder, created inside the folder the user chooses");
    m_folders.insert(Text(name.text));
    if (!name.quoted && !tokens[1].text.IsEmpty()) {
        CLineTokenizer rest(line);
        const size_t from = name.offset;
        Warning(name.offset, "only \"" + shown + "\" is used as the folder name",
                "write \"" + Shown(from, lineStart + line.Length()) + "\" in double quotes to keep its blanks");
    }
}

void CChecker::CheckPathLengths()
{
    if (!m_product)
        return;
    size_t folder = 0;
    for (const std::string& name : m_folders)
        folder = std::max(folder, name.size());
    const size_t prefix = std::strlen(kDefaultParent) + folder + 1;
    for (const DescProductEntry& entry : *m_product) {
        const size_t slash = entry.packed.rfind('\\');
        const size_t parent = slash == std::string::npos ? 0 : slash + 1;
        const size_t own = prefix + entry.packed.size();
        const size_t longest = std::max(own, entry.folder ? 0 : prefix + parent + kTemporaryName);
        if (longest > kMaxPath)
            m_problems.AddPath(entry.path, true,
                               "with the product's folder under \"" + std::string(kDefaultParent) + "\" its path is " +
                                   std::to_string(longest) + " characters long" +
                                   (longest > own ? " (with the installer's temporary name)" : "") + ", more than the " +
                                   std::to_string(kMaxPath) + " that the installer's file functions take",
                               "shorten the names of its folders, or its own");
    }
}

std::vector<Token> CChecker::Tokens(const LString& line, size_t lineStart, size_t count)
{
    std::vector<Token> tokens;
    CLineTokenizer reader(line);
    for (size_t i = 0; i < count; ++i) {
        reader.SkipBlanks();
        Token token;
        const char* at = reader.Position();
        token.offset = lineStart + static_cast<size_t>(at - line.Text());
        token.quoted = *at == '"' || *at == '\'';
        token.text = reader.NextToken();
        // A closed quote is one character past the token's text.
        token.closed = !token.quoted || reader.Position() == at + token.text.Length() + 2;
        if (!token.closed)
            Error(token.offset, std::string("the quote opened here is not closed: the rest of the line becomes one field"),
                  std::string("close it with ") + *at);
        tokens.push_back(token);
    }
    return tokens;
}

bool CChecker::CheckPlaceholders(const char* text, size_t length, size_t offset)
{
    bool known = true;
    PlaceholderSpan span;
    for (size_t from = 0; FindPlaceholder(text, length, from, span); from = span.End()) {
        const bool closed = span.closed;
        const std::string name(text + span.start + 1, span.nameLength);
        const size_t at = offset + span.start;
        const std::string shown = Shown(at, offset + span.End());
        // Known are the names the installer sets, which the check has set too.
        if (!m_variables.Get(name.data(), name.size()).IsEmpty()) {
            if (!closed)
                Warning(at, "the placeholder \"%" + name + "\" has no closing '%': it is read to the end of the line",
                        "write %" + name + "%");
        } else if (!name.empty()) {
            known = false;
            std::string note = "the installer knows %DEST% (the product's folder) and %START% (the start menu's "
                               "programs folder); write %% for a percent sign";
            if (LowerAscii(name) == "dest" || LowerAscii(name) == "start")
                note = "placeholder names are written in capitals: %" + name + "% is not %" +
                       (LowerAscii(name) == "dest" ? "DEST" : "START") + "%";
            else if (name[0] >= '0' && name[0] <= '9')
                note = "a percent sign is written %%: %%" + name + " gives the text %" + name;
            if (!closed && (name.compare(0, 4, "DEST") == 0 || name.compare(0, 5, "START") == 0)) {
                const std::string meant = name.compare(0, 4, "DEST") == 0 ? "DEST" : "START";
                Error(at, "the placeholder %" + meant + " has no closing '%': the installer reads the name \"" +
                              shown.substr(1) + "\", which gives nothing, and skips the line",
                      "write %" + meant + "%");
            } else {
                Error(at, "unknown placeholder \"" + shown + "\" gives nothing: the line is skipped", note);
            }
        }
    }
    return known;
}

void CChecker::CheckSplitByPlaceholder(const Token& token, const char* field)
{
    const std::string text = Text(token.text);
    if (token.quoted || (text.find("%DEST%") == std::string::npos && text.find("%START%") == std::string::npos))
        return;
    Warning(token.offset, std::string("the ") + field + " is not quoted, but its placeholder may hold blanks "
                          "(\"C:\\Program Files\\...\"), which would end it there",
            "write the " + std::string(field) + " in double quotes");
}

bool CChecker::IsFullPath(const LString& expanded) const
{
    const char* path = expanded.Text();
    const bool drive = ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')) &&
                       path[1] == ':' && path[2] == '\\';
    return drive || (path[0] == '\\' && path[1] == '\\');
}

void CChecker::CheckInProduct(const Token& token, const LString& expanded, const char* what)
{
    const std::string dest = Text(m_variables.Get("DEST")) + "\\";
    const std::string path = Text(expanded);
    if (!m_product || path.compare(0, dest.size(), dest) != 0)
        return;
    if (m_productPaths.count(LowerAscii(path.substr(dest.size()))) == 0)
        Warning(token.offset, std::string(what) + " \"" + Shown(token) + "\" is not in the product");
}

void CChecker::CheckListLine(DescList list, const LString& line, size_t lineStart)
{
    switch (list) {
    case kDescRegApps:
        return;
    case kDescWInfs:
        return CheckInfLine(line, lineStart);
    case kDescWRegs:
    case kDescWLRegs:
        if (CheckPlaceholders(line.Text(), line.Length(), lineStart))
            CheckRegistryLine(line, lineStart);
        return;
    default:
        if (CheckPlaceholders(line.Text(), line.Length(), lineStart))
            CheckShortcutLine(line, lineStart);
        return;
    }
}

void CChecker::CheckRegistryLine(const LString& text, size_t lineStart)
{
    const std::vector<Token> tokens = Tokens(text, lineStart, 3);
    const CRegistryLine line(m_variables, text);
    if (line.Root() == RegistryRoot::Unknown) {
        const std::string hive = Shown(tokens[0]);
        const std::string lower = LowerAscii(hive);
        std::string note = "the installer knows HKLM, HKCU and HKCR, in capitals";
        if (lower == "hklm" || lower == "hkey_local_machine")
            note = "write HKLM";
        else if (lower == "hkcu" || lower == "hkey_current_user")
            note = "write HKCU";
        else if (lower == "hkcr" || lower == "hkey_classes_root")
            note = "write HKCR";
        Error(tokens[0].offset, "unknown hive \"" + hive + "\": the line is skipped", note);
        return;
    }
    const Token& keyToken = tokens[1];
    const std::string key = Text(line.Key());
    const std::string shownKey = Shown(line.Key());
    const std::string hive = Text(tokens[0].text);
    if (key.empty()) {
        Error(keyToken.offset, "no key after the hive", "write the key in double quotes, such as \"SOFTWARE\\Vendor\\Product\"");
        return;
    }
    if (key[0] == '\\')
        Error(keyToken.offset, "the key \"" + shownKey + "\" begins with '\\'", "a key is written from below the hive: \"SOFTWARE\\Vendor\"");
    if (key.find('/') != std::string::npos)
        Warning(keyToken.offset, "the key \"" + shownKey + "\" holds '/', which is part of a key's name, not a separator",
                "keys are separated by '\\'");
    CheckSplitByPlaceholder(keyToken, "key");
    CheckSplitByPlaceholder(tokens[2], "value name");
    std::string bare = LowerAscii(key);
    while (!bare.empty() && bare.back() == '\\')
        bare.pop_back();
    const bool onePart = bare.find('\\') == std::string::npos;
    if (line.Root() == RegistryRoot::ClassesRoot) {
        // A file type's keys (".smp", "Sample.Document") lie directly under HKCR.
        if (onePart && line.IsKeyLine())
            Warning(keyToken.offset, "uninstalling deletes HKCR\\" + shownKey + " with everything below it",
                    "right for the product's own file type; a type that other programs share keeps its key "
                    "when the line names a value in it instead");
    } else if (onePart && !line.IsKeyLine()) {
        Error(keyToken.offset, "the key \"" + shownKey + "\" lies directly under " + hive +
                                   ": a line reads hive, key, value name, then the data",
              "such as " + hive + " \"Software\\Vendor\\Product\" InstallDir %DEST%");
        return;
    } else if (line.IsKeyLine()) {
        bool shared = onePart;
        for (const char* common : kSharedKeys)
            shared = shared || bare == LowerAscii(common);
        if (shared)
            Error(keyToken.offset, "uninstalling deletes the key \"" + shownKey + "\" with everything below it",
                  "name the product's own key, such as \"SOFTWARE\\Vendor\\Product\"");
    }
    if (!line.Name().IsEmpty() && line.Data().IsEmpty())
        Warning(tokens[2].offset, "no data after the value name \"" + Shown(tokens[2]) + "\": the value is written empty",
                "write the value's text after its name; a line of hive and key alone names the key");
}

void CChecker::CheckShortcutLine(const LString& text, size_t lineStart)
{
    const std::vector<Token> tokens = Tokens(text, lineStart, 3);
    const CShortcutLine line(m_variables, text);
    const Token& shortcut = tokens[0];
    const std::string path = LowerAscii(Text(line.Shortcut()));
    const bool lnk = path.size() > 4 && path.compare(path.size() - 4, 4, ".lnk") == 0;
    CheckSplitByPlaceholder(shortcut, "shortcut path");
    if (!IsFullPath(line.Shortcut()))
        Error(shortcut.offset, "\"" + Shown(shortcut) + "\" is not a full path",
              "begin it with %START% (the start menu's programs) or %DEST% (the product's folder)");
    if (line.Target().IsEmpty()) {
        if (lnk)
            Error(shortcut.offset, "the shortcut \"" + Shown(shortcut) + "\" has no target: nothing is created",
                  "write the file it opens after it, such as \"%DEST%\\Product.exe\"");
        else if (!line.MayRemove() || line.Shortcut() == m_variables.Get("START") ||
                 line.Shortcut() == m_variables.Get("DEST"))
            Error(shortcut.offset, "uninstalling deletes \"" + Shown(shortcut) + "\" with everything inside it",
                  "a line that names a folder names the product's own group, such as \"%START%\\Product\"");
        return;
    }
    if (!lnk)
        Error(shortcut.offset, "the shortcut \"" + Shown(shortcut) + "\" does not end in \".lnk\"",
              "a line of one path names a folder; a shortcut line names the .lnk file, then its target");
    const Token& target = tokens[1];
    CheckSplitByPlaceholder(target, "target");
    CheckInProduct(target, line.Target(), "the target");
    if (!tokens[2].text.IsEmpty())
        Warning(tokens[2].offset, "text after the target is not read");
}

void CChecker::CheckInfLine(const LString& text, size_t lineStart)
{
    const std::vector<Token> tokens = Tokens(text, lineStart, 4);
    const CInfLine line(m_variables, text);
    const Token& path = tokens[0];
    if (!CheckPlaceholders(path.text.Text(), path.text.Length(), path.offset + (path.quoted ? 1 : 0)))
        return;
    if (!IsFullPath(line.InfPath()))
        Error(path.offset, "\"" + Shown(path) + "\" is not a full path", "begin it with %DEST%, the product's folder");
    const std::string lower = LowerAscii(Text(line.InfPath()));
    if (lower.size() < 4 || lower.compare(lower.size() - 4, 4, ".inf") != 0)
        Warning(path.offset, "\"" + Shown(path) + "\" does not end in \".inf\"");
    CheckInProduct(path, line.InfPath(), "the INF file");
    if (line.Section().IsEmpty())
        Warning(path.offset + path.text.Length(), "no install section: the INF is registered, but none of its sections is installed",
                "write the section's name after the path");
    const std::string condition = Shown(tokens[2]);
    if (!condition.empty() && condition != "nt" && condition != "win")
        Warning(tokens[2].offset, "\"" + condition + "\" is no condition: the line runs on every system",
                "the conditions are \"nt\" and \"win\", in small letters");
    if (!tokens[3].text.IsEmpty())
        Warning(tokens[3].offset, "text after the condition is not read");
}

} // namespace

void CDescCheck::Check(const std::string& text, unsigned codePage, const DescProduct* product, CDiagnostics& problems,
                       std::string& packed, std::vector<DescSectionRead>* sections)
{
    CChecker checker(text, codePage, product, problems, packed);
    checker.Run();
    if (sections)
        checker.Report(*sections);
}
