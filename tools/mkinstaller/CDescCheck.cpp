#include "tools/mkinstaller/CDescCheck.h"

#include "install/CInstDesc.h"

#include <cctype>

namespace {

const char* const kKeys[] = {"InsWin", "Folder", "InsTitle", "InsText", "InsExist", "InsDone",
                             "UniWin", "UniTitle", "UniText", "UniDone", "RegText", "RegApps",
                             "WInfs", "WRegs", "WLRegs", "WLinks", "WLLinks"};

bool IsBlank(const std::string& s)
{
    for (unsigned char c : s)
        if (c != ' ' && c != '\t')
            return false;
    return true;
}

// A language number: optional blanks, an optional minus sign, decimal digits, trailing blanks.
bool IsLanguageNumber(const std::string& s)
{
    size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t'))
        ++i;
    if (i == s.size())
        return true;
    if (s[i] == '-')
        ++i;
    const size_t digits = i;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])))
        ++i;
    if (i == digits)
        return false;
    return IsBlank(s.substr(i));
}

} // namespace

bool CDescCheck::IsKnownKey(const std::string& key)
{
    for (const char* k : kKeys)
        if (key == k)
            return true;
    return false;
}

bool CDescCheck::Fail(int line, const std::string& error)
{
    m_line = line;
    m_error = error;
    return false;
}

bool CDescCheck::Check(const char* text, size_t length)
{
    m_error.clear();
    m_line = 0;
    bool inSection = false;
    int line = 1;
    size_t start = 0;
    while (start <= length) {
        size_t end = start;
        while (end < length && text[end] != '\r' && text[end] != '\n')
            ++end;
        const std::string row(text + start, end - start);
        for (char c : row)
            if (c == '\0')
                return Fail(line, "not a text: it holds a zero byte");
        if (!row.empty() && row[0] == '<') {
            const size_t close = row.find('>');
            if (close == std::string::npos)
                return Fail(line, "section tag without '>'");
            const std::string key = row.substr(1, close - 1);
            if (!IsKnownKey(key))
                return Fail(line, "unknown section <" + key + ">");
            if (!IsLanguageNumber(row.substr(close + 1)))
                return Fail(line, "the language after <" + key + "> is not a number");
            inSection = true;
        } else if (!inSection && !IsBlank(row)) {
            return Fail(line, "text before the first section tag");
        }
        if (end >= length)
            break;
        // CR LF is one line break.
        start = end + ((text[end] == '\r' && end + 1 < length && text[end + 1] == '\n') ? 2 : 1);
        ++line;
    }
    CInstDesc desc;
    desc.Parse(text, length, 1033);
    if (desc.Text(kDescFolder).Length() == 0 || IsBlank(desc.Text(kDescFolder).Text()))
        return Fail(0, "no <Folder> section naming the folder to install into");
    return true;
}
