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

} // namespace

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
