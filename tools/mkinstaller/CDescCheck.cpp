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
#include "tools/mkinstaller/CDescText.h"
#include "tools/mkinstaller/CDiagnostics.h"
#include "tools/mkinstaller/WindowsName.h"

#include <map>
#include <set>

namespace {

const char* const kKnownKeys[] = {"InsWin", "Folder", "InsTitle", "InsText", "InsExist", "InsDone",
                                  "UniWin", "UniTitle", "UniText", "UniDone", "RegText", "RegApps",
                                  "WInfs", "WRegs", "WLRegs", "WLinks", "WLLinks"};

// Keys under which a product's own key line would take shared settings away on uninstalling.
const char* const kSharedKeys[] = {
    "SOFTWARE\\Microsoft", "SOFTWARE\\Microsoft\\Windows", "SOFTWARE\\Microsoft\\Windows\\CurrentVersion",
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall", "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run",
    "SOFTWARE\\Classes", "SOFTWARE\\Wow6432Node"};

std::string Text(const LString& text) { return std::string(text.Text(), text.Length()); }

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

// Letters that differ in at most two places, or only in case: what a typing error gives.
bool LooksLike(const std::string& a, const std::string& b)
{
    if (LowerAscii(a) == LowerAscii(b))
        return true;
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

// Blanks, then an optional minus sign and digits, then blanks; or nothing at all.
bool IsLanguageArgument(const std::string& argument)
{
    size_t i = 0;
    while (i < argument.size() && (argument[i] == ' ' || argument[i] == '\t'))
        ++i;
    if (i == argument.size())
        return true;
    if (argument[i] == '-')
        ++i;
    const size_t digits = i;
    while (i < argument.size() && argument[i] >= '0' && argument[i] <= '9')
        ++i;
    if (i == digits)
        return false;
    while (i < argument.size() && (argument[i] == ' ' || argument[i] == '\t'))
        ++i;
    return i == argument.size();
}

// One token of a list line with where it stands in the line.
struct Token {
    LString text;
    size_t offset = 0; // of its first character, the opening quote included
    bool quoted = false;
    bool closed = true;
};

class CChecker {
public:
    CChecker(const std::string& text, const std::vector<std::string>* product, CDiagnostics& problems)
        : m_text(text), m_positions(text), m_problems(problems)
    {
        m_variables.Set("DEST", "C:\\Program Files\\Product");
        m_variables.Set("START", "C:\\Menu\\Programs");
        if (product)
            for (const std::string& path : *product)
                m_product.insert(LowerAscii(path));
        m_haveProduct = product != nullptr;
    }

    void Run();

private:
    void Error(size_t offset, const std::string& message, const std::string& note = std::string())
    {
        m_problems.Add(m_positions, offset, true, message, note);
    }
    void Warning(size_t offset, const std::string& message, const std::string& note = std::string())
    {
        m_problems.Add(m_positions, offset, false, message, note);
    }
    // The first character that is not white space in [from, to), or to.
    size_t FirstText(size_t from, size_t to) const;
    void Section(CDescScanner& scanner, const CTextBuilder& key, size_t tagStart);
    void CheckFolder(const LString& line, size_t lineStart);
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

    const std::string& m_text;
    size_t m_length = 0;
    CTextPositions m_positions;
    CDiagnostics& m_problems;
    CVariables m_variables;
    std::set<std::string> m_product;
    bool m_haveProduct = false;
    std::map<std::string, size_t> m_firstSection; // key and language: offset of the first tag
    // Text after a value that the installer does not read, up to the next tag.
    size_t m_ignoredFrom = std::string::npos;
    std::string m_ignoredMessage;
    bool m_ignoredIsError = false;
    bool m_folder = false;
    size_t m_regApps = std::string::npos;
    bool m_regText = false;
};

size_t CChecker::FirstText(size_t from, size_t to) const
{
    while (from < to && IsBlank(m_text[from]))
        ++from;
    return from;
}

void CChecker::Run()
{
    m_length = m_text.size();
    const size_t nul = m_text.find('\0');
    if (nul != std::string::npos) {
        Error(nul, "the description holds a zero byte: the installer reads nothing after it",
              "a description is text; save it as UTF-8 or in the code page of its language");
        m_length = nul;
    }
    const size_t bodyStart = m_text.compare(0, 3, CDescText::kByteOrderMark) == 0 ? 3 : 0;
    CDescScanner scanner(m_text.data(), m_length);
    bool first = true;
    for (;;) {
        CTextBuilder key;
        const bool found = scanner.NextKey(key);
        const size_t tagStart = found ? CDescText::TagStart(scanner, key) : m_length;
        if (first) {
            const size_t stray = FirstText(bodyStart, tagStart);
            if (stray < tagStart)
                Error(stray, "text before the first section is not read",
                      "a section begins with a tag line such as <InsText>");
            first = false;
        }
        if (m_ignoredFrom != std::string::npos && m_ignoredFrom < tagStart) {
            const size_t stray = FirstText(m_ignoredFrom, tagStart);
            if (stray < tagStart)
                m_problems.Add(m_positions, stray, m_ignoredIsError, m_ignoredMessage);
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
    if (!m_folder)
        Error(bodyStart, "no <Folder> section: the installer needs the name of the folder it creates",
              "add a section such as <Folder> followed by the line \"Product Name\"");
    if (m_regApps != std::string::npos && !m_regText)
        Warning(m_regApps, "<RegApps> asks for a user name, but no <RegText> gives the question's text");
}

void CChecker::Section(CDescScanner& scanner, const CTextBuilder& keyText, size_t tagStart)
{
    const std::string key(keyText.Text(), keyText.Length());
    const std::string tag = "<" + key + ">";
    if (scanner.CurrentState() != CDescScanner::kArgument) {
        Error(tagStart, "the tag <" + key + " has no '>': the section is not read");
        return;
    }
    const DescKeyKind kind = CInstDesc::KindOfKey(key.c_str());
    if (kind == DescKeyKind::kUnknown) {
        std::string note;
        if (key == CDescText::kCodePageKey)
            note = "the packer writes this section itself; choose the code page with --codepage";
        for (const char* known : kKnownKeys)
            if (note.empty() && LooksLike(key, known))
                note = std::string("did you mean <") + known + ">?";
        Error(tagStart, "unknown section " + tag + ": it is not read", note);
        return;
    }
    CTextBuilder argumentText;
    scanner.Argument(&argumentText);
    const std::string argument(argumentText.Text(), argumentText.Length());
    const long language = CInstDesc::LanguageNumber(argument.c_str());
    if (!IsLanguageArgument(argument)) {
        Error(tagStart + tag.size(), "\"" + argument + "\" after " + tag + " is not a language number",
              "write a Windows language number such as 1041 (Japanese), or nothing for the untagged section");
    }
    if (kind != DescKeyKind::kList) {
        const std::string id = key + "/" + std::to_string(language);
        const auto earlier = m_firstSection.find(id);
        if (earlier == m_firstSection.end()) {
            m_firstSection[id] = tagStart;
        } else {
            Diagnostic twice;
            m_positions.At(tagStart, twice.line, twice.column);
            twice.error = false;
            twice.message = "a second " + tag + " for language " + std::to_string(language) +
                            " is never used: the first one wins";
            twice.note = "the first one";
            m_positions.At(earlier->second, twice.noteLine, twice.noteColumn);
            m_problems.Add(twice);
        }
    }

    if (kind == DescKeyKind::kText) {
        CTextBuilder value;
        scanner.SeveralLines(value);
        if (key == "RegText")
            m_regText = true;
        return;
    }
    if (kind == DescKeyKind::kOneLineText) {
        CTextBuilder value;
        scanner.OneLine(value);
        const LString line = value.ToString();
        const size_t end = scanner.Position() - (scanner.CurrentState() == CDescScanner::kText ? 0 : 1);
        m_ignoredFrom = scanner.CurrentState() == CDescScanner::kName ? std::string::npos : scanner.Position();
        m_ignoredIsError = false;
        m_ignoredMessage = line.IsEmpty() ? "the first line after " + tag + " is empty, so the section is not used"
                                          : "only the first line of " + tag + " is used";
        if (key == "Folder")
            CheckFolder(line, end - line.Length());
        return;
    }
    // A list: its lines up to the first empty line.
    int count = 0;
    for (;;) {
        CTextBuilder value;
        scanner.OneLine(value);
        if (value.IsEmpty())
            break;
        const LString line = value.ToString();
        const size_t end = scanner.Position() - (scanner.CurrentState() == CDescScanner::kText ? 0 : 1);
        ++count;
        const std::string list = key;
        DescList which = list == "RegApps" ? kDescRegApps
                         : list == "WInfs" ? kDescWInfs
                         : list == "WRegs" ? kDescWRegs
                         : list == "WLRegs" ? kDescWLRegs
                         : list == "WLinks" ? kDescWLinks
                                            : kDescWLLinks;
        CheckListLine(which, line, end - line.Length());
    }
    if (key == "RegApps" && count > 0 && m_regApps == std::string::npos)
        m_regApps = tagStart;
    m_ignoredFrom = scanner.CurrentState() == CDescScanner::kName ? std::string::npos : scanner.Position();
    m_ignoredIsError = true;
    m_ignoredMessage = "this line is not read: the list " + tag + " ends at the empty line above it";
}

void CChecker::CheckFolder(const LString& line, size_t lineStart)
{
    if (line.IsEmpty()) {
        Error(lineStart, "<Folder> names no folder on its first line");
        return;
    }
    m_folder = true;
    const std::vector<Token> tokens = Tokens(line, lineStart, 2);
    const Token& name = tokens[0];
    std::string reason;
    if (!IsWindowsName(Text(name.text), &reason))
        Error(name.offset, "the folder name \"" + Text(name.text) + "\" " + reason,
              "<Folder> names one folder, created inside the folder the user chooses");
    if (!name.quoted && !tokens[1].text.IsEmpty()) {
        CLineTokenizer rest(line);
        Warning(name.offset, "only \"" + Text(name.text) + "\" is used as the folder name",
                "write \"" + Text(rest.RestOfLine()) + "\" in double quotes to keep its blanks");
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
    // Finds each %NAME% as the expansion does and asks the expansion whether it knows it.
    bool known = true;
    for (size_t i = 0; i < length; ++i) {
        if (text[i] != '%')
            continue;
        size_t close = i + 1;
        while (close < length && text[close] != '%')
            ++close;
        const std::string placeholder(text + i, (close < length ? close + 1 : close) - i);
        if (placeholder.size() > 2 && placeholder != "%") {
            bool complete = true;
            ExpandPlaceholders(m_variables, placeholder.data(), placeholder.size(), &complete);
            if (!complete) {
                known = false;
                const std::string name = placeholder.substr(1, close < length ? placeholder.size() - 2 : std::string::npos);
                std::string note = "the installer knows %DEST% (the product's folder) and %START% (the start menu's "
                                   "programs folder); write %% for a percent sign";
                if (LowerAscii(name) == "dest" || LowerAscii(name) == "start")
                    note = "placeholder names are written in capitals: %" + LowerAscii(name) + "% is not %" +
                           (LowerAscii(name) == "dest" ? "DEST" : "START") + "%";
                Error(offset + i, "unknown placeholder \"" + placeholder + "\" gives nothing: the line is skipped", note);
            }
        }
        i = close;
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
    if (!m_haveProduct || path.compare(0, dest.size(), dest) != 0)
        return;
    if (m_product.count(LowerAscii(path.substr(dest.size()))) == 0)
        Warning(token.offset, std::string(what) + " \"" + Text(token.text) + "\" is not in the product");
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
        const std::string hive = Text(tokens[0].text);
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
    if (key.empty()) {
        Error(keyToken.offset, "no key after the hive", "write the key in double quotes, such as \"SOFTWARE\\Vendor\\Product\"");
        return;
    }
    if (key[0] == '\\')
        Error(keyToken.offset, "the key \"" + key + "\" begins with '\\'", "a key is written from below the hive: \"SOFTWARE\\Vendor\"");
    if (key.find('/') != std::string::npos)
        Warning(keyToken.offset, "the key \"" + key + "\" holds '/', which is part of a key's name, not a separator",
                "keys are separated by '\\'");
    CheckSplitByPlaceholder(keyToken, "key");
    CheckSplitByPlaceholder(tokens[2], "value name");
    if (line.IsKeyLine()) {
        std::string bare = LowerAscii(key);
        while (!bare.empty() && bare.back() == '\\')
            bare.pop_back();
        bool shared = bare.find('\\') == std::string::npos;
        for (const char* common : kSharedKeys)
            shared = shared || bare == LowerAscii(common);
        if (shared)
            Error(keyToken.offset, "uninstalling deletes the key \"" + key + "\" with everything below it",
                  "name the product's own key, such as \"SOFTWARE\\Vendor\\Product\"");
    }
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
        Error(shortcut.offset, "\"" + Text(shortcut.text) + "\" is not a full path",
              "begin it with %START% (the start menu's programs) or %DEST% (the product's folder)");
    if (line.Target().IsEmpty()) {
        if (lnk)
            Error(shortcut.offset, "the shortcut \"" + Text(shortcut.text) + "\" has no target: nothing is created",
                  "write the file it opens after it, such as \"%DEST%\\Product.exe\"");
        else if (!line.MayRemove() || line.Shortcut() == m_variables.Get("START") ||
                 line.Shortcut() == m_variables.Get("DEST"))
            Error(shortcut.offset, "uninstalling deletes \"" + Text(shortcut.text) + "\" with everything inside it",
                  "a line that names a folder names the product's own group, such as \"%START%\\Product\"");
        return;
    }
    if (!lnk)
        Error(shortcut.offset, "the shortcut \"" + Text(shortcut.text) + "\" does not end in \".lnk\"",
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
        Error(path.offset, "\"" + Text(path.text) + "\" is not a full path", "begin it with %DEST%, the product's folder");
    const std::string lower = LowerAscii(Text(line.InfPath()));
    if (lower.size() < 4 || lower.compare(lower.size() - 4, 4, ".inf") != 0)
        Warning(path.offset, "\"" + Text(path.text) + "\" does not end in \".inf\"");
    CheckInProduct(path, line.InfPath(), "the INF file");
    if (line.Section().IsEmpty())
        Warning(path.offset + path.text.Length(), "no install section: the INF is registered, but none of its sections is installed",
                "write the section's name after the path");
    const std::string condition = Text(line.Condition());
    if (!condition.empty() && condition != "nt" && condition != "win")
        Warning(tokens[2].offset, "\"" + condition + "\" is no condition: the line runs on every system",
                "the conditions are \"nt\" and \"win\", in small letters");
    if (!tokens[3].text.IsEmpty())
        Warning(tokens[3].offset, "text after the condition is not read");
}

} // namespace

void CDescCheck::Check(const std::string& text, const std::vector<std::string>* product, CDiagnostics& problems)
{
    CChecker checker(text, product, problems);
    checker.Run();
}
