#include "resources/ResourceContainer.h"

namespace ResourceContainer {

bool Encode(const std::vector<std::string>& strings, std::string* out)
{
    if (strings.size() > static_cast<size_t>(kMaxStrings))
        return false;
    std::string bytes;
    bytes += static_cast<char>(strings.size() & 0xFF);
    bytes += static_cast<char>((strings.size() >> 8) & 0xFF);
    for (const std::string& s : strings) {
        if (s.find('\0') != std::string::npos)
            return false;
        bytes += s;
        bytes += '\0';
    }
    *out = bytes;
    return true;
}

} // namespace ResourceContainer
