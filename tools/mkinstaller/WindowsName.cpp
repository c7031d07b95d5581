#include "tools/mkinstaller/WindowsName.h"

#include "platform/PathText.h"

namespace {

bool Refuse(std::string* reason, const std::string& text)
{
    if (reason)
        *reason = text;
    return false;
}

// CON, PRN, AUX, NUL, COM1 to COM9 and LPT1 to LPT9 name devices, whatever follows a full stop.
bool IsDeviceName(const std::string& name)
{
    std::string base = name.substr(0, name.find('.'));
    while (!base.empty() && base.back() == ' ')
        base.pop_back();
    base = LowerAscii(base);
    if (base == "con" || base == "prn" || base == "aux" || base == "nul")
        return true;
    return base.size() == 4 && (base.compare(0, 3, "com") == 0 || base.compare(0, 3, "lpt") == 0) &&
           base[3] >= '1' && base[3] <= '9';
}

// The capital of a small letter; the character itself when it has none here.
char32_t Upper(char32_t c)
{
    if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7) || (c >= 0x3B1 && c <= 0x3CB && c != 0x3C2) ||
        (c >= 0x430 && c <= 0x44F) || (c >= 0xFF41 && c <= 0xFF5A))
        return c - 0x20;
    if (c == 0xFF)
        return 0x178;
    if (c == 0x3C2) // final sigma
        return 0x3A3;
    if (c >= 0x450 && c <= 0x45F)
        return c - 0x50;
    // Latin Extended-A and the Cyrillic extensions pair capital and small letter side by side.
    const bool evenPairs = (c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177) || (c >= 0x460 && c <= 0x4BF) ||
                           (c >= 0x4D0 && c <= 0x52F);
    const bool oddPairs = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E) || (c >= 0x4C1 && c <= 0x4CE);
    if ((evenPairs && (c & 1)) || (oddPairs && !(c & 1)))
        return c - 1;
    return c;
}

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

std::string UpperName(const std::string& name)
{
    std::string out;
    for (size_t i = 0; i < name.size();) {
        const unsigned char lead = static_cast<unsigned char>(name[i]);
        const size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        for (size_t k = 1; k < length && i + k < name.size(); ++k)
            c = (c << 6) | (static_cast<unsigned char>(name[i + k]) & 0x3F);
        AppendUtf8(out, Upper(c));
        i += length;
    }
    return out;
}

bool IsWindowsName(const std::string& name, std::string* reason)
{
    if (name.empty())
        return Refuse(reason, "is empty");
    if (name == "." || name == "..")
        return Refuse(reason, "is \"" + name + "\"");
    for (unsigned char c : name) {
        if (c < 0x20 || c == 0x7F)
            return Refuse(reason, "holds a control character");
        if (!IsNameChar(c))
            return Refuse(reason, std::string("holds '") + static_cast<char>(c) + "', which Windows does not allow in a name");
    }
    if (name.back() == '.' || name.back() == ' ')
        return Refuse(reason, name.back() == '.' ? "ends in a full stop, which Windows drops"
                                                 : "ends in a blank, which Windows drops");
    if (IsDeviceName(name))
        return Refuse(reason, "is a device name on Windows (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9)");
    return true;
}

std::string LowerAscii(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}
