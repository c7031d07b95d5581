// The system folders, the destination variables and the registered owner against Wine's registry.
#include "integration/CSystemFolders.h"
#include "integration/CVariables.h"
#include "integration/DestinationVariables.h"
#include "platform/CPlatformInfo.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

const char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// Sets (or, with null, deletes) a string value for one test and puts back what was there.
class ValueOverride {
public:
    ValueOverride(HKEY root, const char* subKey, const char* name, const char* value) : m_name(name)
    {
        RegCreateKeyExA(root, subKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_key, nullptr);
        char old[1024] = {};
        DWORD size = sizeof old - 1;
        DWORD type = 0;
        m_had = RegQueryValueExA(m_key, name, nullptr, &type, reinterpret_cast<BYTE*>(old), &size) == ERROR_SUCCESS;
        m_type = type;
        m_old.assign(old, size);
        if (value)
            RegSetValueExA(m_key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), DWORD(strlen(value) + 1));
        else
            RegDeleteValueA(m_key, name);
    }
    ~ValueOverride()
    {
        if (m_had)
            RegSetValueExA(m_key, m_name, 0, m_type, reinterpret_cast<const BYTE*>(m_old.data()), DWORD(m_old.size()));
        else
            RegDeleteValueA(m_key, m_name);
        RegCloseKey(m_key);
    }

private:
    HKEY m_key = nullptr;
    const char* m_name;
    bool m_had = false;
    DWORD m_type = 0;
    std::string m_old;
};

} // namespace

// Each value in place and missing: the program-files folder, the start menu's programs folder
// as the START variable, and the registered owner from the key of the system's family.
TEST(SystemFolders, ReadTheirRegistryValuesOrStayEmpty)
{
    const char kVersionKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
    const char kNtVersionKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
    CPlatformInfo& platform = CPlatformInfo::Current();
    const CPlatformInfo saved = platform;
    for (bool present : {true, false}) {
        ValueOverride programFiles(HKEY_LOCAL_MACHINE, kVersionKey, "ProgramFilesDir", present ? "D:\\Apps" : nullptr);
        ValueOverride programs(HKEY_CURRENT_USER, kShellFolders, "Programs", present ? "C:\\Menu\\Programs" : nullptr);
        ValueOverride ntOwner(HKEY_LOCAL_MACHINE, kNtVersionKey, "RegisteredOwner", present ? "NT Owner" : nullptr);
        ValueOverride owner(HKEY_LOCAL_MACHINE, kVersionKey, "RegisteredOwner", "Other Owner");

        EXPECT_STREQ(CSystemFolders().ProgramFiles().Text(), present ? "D:\\Apps" : "");
        CVariables variables;
        SetDestinationVariables(variables, LString("C:\\Program Files\\Sample"));
        EXPECT_STREQ(variables.Get("DEST").Text(), "C:\\Program Files\\Sample");
        EXPECT_EQ(variables.IsSet("START"), present);
        EXPECT_STREQ(variables.Get("START").Text(), present ? "C:\\Menu\\Programs" : "");
        platform.platformId = CPlatformInfo::kWindowsNTFamily;
        EXPECT_STREQ(RegisteredOwner().Text(), present ? "NT Owner" : "");
        platform.platformId = CPlatformInfo::kWindows95Family;
        EXPECT_STREQ(RegisteredOwner().Text(), "Other Owner");
    }
    platform = saved;
}
