#include "resources/ResourceSourceText.h"

namespace {

bool Fail(ResourceTextError* error, int line, const char* message)
{
    if (error) {
        error->line = line;
        error->message = message;
    }
    return false;
}

bool IsBlank(const std::string& line)
{
    return line.find_first_not_of(" \t") == std::string::npos;
}

} // namespace

bool ParseResourceSourceText(const std::string& text, std::vector<std::string>* strings,
                             ResourceTextError* error)
{
    strings->clear();
    bool inString = false;
    bool stringHasLine = false;
    int lineNumber = 0;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.find('\0') != std::string::npos)
            return Fail(error, lineNumber, "NUL byte in text");

        if (line.compare(0, 2, "==") == 0) {
            strings->emplace_back();
            inString = true;
            stringHasLine = false;
            continue;
        }
        if (!inString) {
            if (line.empty() || line[0] == '#' || IsBlank(line))
                continue;
            return Fail(error, lineNumber, "text before the first \"==\" line");
        }
        std::string& current = strings->back();
        if (stringHasLine)
            current += '\n';
        current += line;
        stringHasLine = true;
    }
    return true;
}
