#pragma once

#include <cstdio>
#include <string>

// Prints an error of the packer on stderr and gives the exit status for it.
inline int ToolError(const std::string& message)
{
    std::fprintf(stderr, "mkinstaller: %s\n", message.c_str());
    return 1;
}
