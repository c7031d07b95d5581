#include "tools/codepage/CCodePage.h"

#include <iconv.h>

#include <cerrno>
#include <string>

// The build machine's own text is UTF-8 on the systems this version runs on.
namespace {

bool IsUnicodeCodePage(unsigned number)
{
    return number == 1200 || number == 1201 || number == 12000 || number == 12001 || number == 65000 ||
           number == 65001;
}

std::string IconvName(unsigned number) { return "CP" + std::to_string(number); }

// The whole text through one conversion; false on any character it cannot take.
bool Convert(const char* to, const char* from, const std::string& text, std::string& out)
{
    out.clear();
    iconv_t handle = iconv_open(to, from);
    if (handle == reinterpret_cast<iconv_t>(-1))
        return false;
    char* in = const_cast<char*>(text.data());
    size_t inLeft = text.size();
    char buffer[1024];
    bool ok = true;
    for (bool flushing = false;;) {
        char* at = buffer;
        size_t room = sizeof buffer;
        const size_t done = flushing ? iconv(handle, nullptr, nullptr, &at, &room) : iconv(handle, &in, &inLeft, &at, &room);
        out.append(buffer, static_cast<size_t>(at - buffer));
        if (done == static_cast<size_t>(-1)) {
            if (errno == E2BIG)
                continue;
            ok = false;
            break;
        }
        if (flushing)
            break;
        flushing = true;
    }
    iconv_close(handle);
    return ok;
}

} // namespace

bool CCodePage::IsUsable() const
{
    if (IsUnicodeCodePage(m_number))
        return false;
    iconv_t handle = iconv_open(IconvName(m_number).c_str(), "UTF-8");
    if (handle == reinterpret_cast<iconv_t>(-1))
        return false;
    iconv_close(handle);
    return true;
}

bool CCodePage::Encode(const std::string& text, Encoding, std::string& out) const
{
    // A mapping that is not one to one would come back different: such text is refused too.
    std::string back;
    return Convert(IconvName(m_number).c_str(), "UTF-8", text, out) &&
           Convert("UTF-8", IconvName(m_number).c_str(), out, back) && back == text;
}

bool CCodePage::Decode(const std::string& text, Encoding, std::string& out) const
{
    return Convert("UTF-8", IconvName(m_number).c_str(), text, out);
}

bool BuildTextOfName(const std::filesystem::path& name, std::string& out)
{
    out = name.string();
    return true;
}

std::filesystem::path PathOfBuildText(const std::string& text) { return std::filesystem::path(text); }
