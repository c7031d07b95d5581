#pragma once

// What Windows-side tests look up on the machine: registry keys and values, the temporary folder.

#include "platform/CRegKey.h"

#include <windows.h>

#include <string>

namespace testsupport {

inline bool KeyExists(HKEY root, const std::string& key)
{
    return CRegKey(root, key.c_str(), CRegKey::kOpenForReading).IsOpen();
}

// The value's text; empty when the key or the value is not there.
inline std::string RegistryValue(HKEY root, const std::string& key, const char* name)
{
    LString value;
    return CRegKey(root, key.c_str(), CRegKey::kOpenForReading).ReadString(name, value) ? value.Text() : "";
}

// The user's temporary folder, without a trailing separator.
inline std::string TempFolder()
{
    char temp[MAX_PATH] = {};
    std::string path(temp, GetTempPathA(sizeof temp, temp));
    while (!path.empty() && path.back() == '\\')
        path.pop_back();
    return path;
}

} // namespace testsupport
