#include "tools/codepage/CCodePage.h"

#include <windows.h>

#include <string>

namespace {

UINT SourceCodePage(CCodePage::Encoding encoding) { return encoding == CCodePage::kUtf8 ? CP_UTF8 : CP_ACP; }

bool ToWide(UINT codePage, const std::string& text, std::wstring& wide)
{
    wide.clear();
    if (text.empty())
        return true;
    const int size = static_cast<int>(text.size());
    const int count = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
    if (count <= 0)
        return false;
    wide.resize(static_cast<size_t>(count));
    return MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), size, &wide[0], count) == count;
}

// exact: no best-fit look-alike and no default character; UTF-8 and the other code pages
// without those flags are asked without them.
bool FromWide(UINT codePage, const std::wstring& wide, std::string& out, bool exact)
{
    out.clear();
    if (wide.empty())
        return true;
    const int size = static_cast<int>(wide.size());
    const DWORD flags = exact ? WC_NO_BEST_FIT_CHARS : 0;
    BOOL usedDefault = FALSE;
    BOOL* defaultFlag = exact ? &usedDefault : nullptr;
    const int count = WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, nullptr, defaultFlag);
    if (count <= 0 || usedDefault)
        return false;
    out.resize(static_cast<size_t>(count));
    return WideCharToMultiByte(codePage, flags, wide.data(), size, &out[0], count, nullptr, defaultFlag) == count &&
           !usedDefault;
}

} // namespace

bool CCodePage::IsUsable() const
{
    CPINFO info;
    return m_number != CP_UTF8 && m_number != CP_UTF7 && IsValidCodePage(m_number) &&
           GetCPInfo(m_number, &info) && info.MaxCharSize <= 2;
}

bool CCodePage::Encode(const std::string& text, Encoding from, std::string& out) const
{
    std::wstring wide, back;
    // A mapping that is not one to one would come back different: such text is refused too.
    return ToWide(SourceCodePage(from), text, wide) && FromWide(m_number, wide, out, true) &&
           ToWide(m_number, out, back) && back == wide;
}

bool CCodePage::Decode(const std::string& text, Encoding to, std::string& out) const
{
    std::wstring wide;
    return ToWide(m_number, text, wide) && FromWide(SourceCodePage(to), wide, out, to != kUtf8);
}

bool BuildTextOfName(const std::filesystem::path& name, std::string& out)
{
    // The C++ library gives narrow names in UTF-8 here; the C library's functions take ANSI.
    return FromWide(CP_ACP, name.wstring(), out, true);
}

std::filesystem::path PathOfBuildText(const std::string& text)
{
    std::wstring wide;
    ToWide(CP_ACP, text, wide);
    return std::filesystem::path(wide);
}
