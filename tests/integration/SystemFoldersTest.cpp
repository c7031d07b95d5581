// The system folders, the destination variables and the registered owner against Wine's registry.
#include "integration/CSystemFolders.h"
#include "integration/CVariables.h"
#include "integration/DestinationVariables.h"
#include "platform/CPlatformInfo.h"
#include "platform/CRegKey.h"
#include "platform/CTextBuilder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

const char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// Sets (or, with null, deletes) a string value for one test and puts back what was there.
class ValueOverride {
public:
    ValueOverride(HKEY root, const char* subKey, const char* name, const char* value)
        : m_key(root, subKey, CRegKey::kCreateOrOpen), m_name(name), m_had(m_key.QueryValue(name, m_old, m_type))
    {
        EXPECT_TRUE(value ? m_key.SetString(name, value) : !m_had || m_key.DeleteValue(name));
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
