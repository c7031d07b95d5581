#include "layout/ScriptBlanks.h"

#include "layout/LScriptChars.h"

std::string WithoutSpareBlanks(const std::string& script)
{
    std::string kept;
    kept.reserve(script.size());
    size_t at = 0;
    while (at < script.size()) {
        const char c = script[at];
        if (c != ' ' && c != '\t') {
            kept += c;
            ++at;
            continue;
        }
        const size_t next = script.find_first_not_of(" \t", at);
        if (next == std::string::npos)
            break;
        if (!kept.empty() && IsScriptWordByte(static_cast<unsigned char>(kept.back())) &&
            IsScriptWordByte(static_cast<unsigned char>(script[next])))
            kept += ' ';
        at = next;
    }
    return kept;
}
