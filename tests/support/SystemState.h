#pragma once

// What Windows-side tests look up and change on the machine: registry keys and values (changed
// for a test and put back after it), the temporary folder.

#include "platform/CRegKey.h"
#include "platform/CTextBuilder.h"

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

// Sets (or, with null, deletes) a string value for one test and puts back what was there.
// Whether it took shows in what the test then reads.
class ValueOverride {
public:
    ValueOverride(HKEY root, const char* subKey, const char* name, const char* value)
        : m_key(root, subKey, CRegKey::kCreateOrOpen), m_name(name), m_had(m_key.QueryValue(name, m_old, m_type))
    {
        if (value)
            m_key.SetString(name, value);
        else
            m_key.DeleteValue(name);
    }
    ~ValueOverride()
    {
        if (m_had)
            m_key.SetValue(m_name, m_old.Text(), DWORD(m_old.Length()), m_type);
        else
            m_key.DeleteValue(m_name);
    }

private:
    CRegKey m_key;
    const char* m_name;
    CTextBuilder m_old;
    DWORD m_type = 0;
    bool m_had;
};

// The user's temporary folder, without a trailing separator.
inline std::string TempFolder()
{
    char temp[MAX_PATH] = {};
    const DWORD length = GetTempPathA(sizeof temp, temp);
    return std::string(temp, length > 0 && temp[length - 1] == '\\' ? length - 1 : length);
}

} // namespace testsupport
