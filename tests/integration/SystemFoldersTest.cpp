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

TEST(CSystemFolders, TempIsAnExistingFolderWithItsTrailingSeparator)
{
    CSystemFolders folders;
    std::string temp = folders.Temp().Text();
    ASSERT_FALSE(temp.empty());
    EXPECT_EQ(temp.back(), '\\');
    DWORD attributes = GetFileAttributesA(temp.c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(CSystemFolders, ProgramFilesComesFromTheRegistryOrStaysEmpty)
{
    const char kVersionKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
    {
        ValueOverride programFiles(HKEY_LOCAL_MACHINE, kVersionKey, "ProgramFilesDir", "D:\\Apps");
        EXPECT_STREQ(CSystemFolders().ProgramFiles().Text(), "D:\\Apps");
    }
    {
        ValueOverride programFiles(HKEY_LOCAL_MACHINE, kVersionKey, "ProgramFilesDir", nullptr);
        EXPECT_TRUE(CSystemFolders().ProgramFiles().IsEmpty());
    }
}

TEST(SetDestinationVariables, SetsDestAndTheStartMenuWhenKnown)
{
    ValueOverride programs(HKEY_CURRENT_USER, kShellFolders, "Programs", "C:\\Menu\\Programs");
    CVariables variables;
    SetDestinationVariables(variables, LString("C:\\Program Files\\Sample"));
    EXPECT_STREQ(variables.Get("DEST").Text(), "C:\\Program Files\\Sample");
    EXPECT_STREQ(variables.Get("START").Text(), "C:\\Menu\\Programs");
}

TEST(SetDestinationVariables, LeavesStartUnsetWithoutAProgramsFolder)
{
    ValueOverride programs(HKEY_CURRENT_USER, kShellFolders, "Programs", nullptr);
    CVariables variables;
    SetDestinationVariables(variables, LString("C:\\Sample"));
    EXPECT_STREQ(variables.Get("DEST").Text(), "C:\\Sample");
    EXPECT_FALSE(variables.IsSet("START"));
}

TEST(RegisteredOwner, ReadsTheKeyOfTheSystemFamily)
{
    CPlatformInfo& platform = CPlatformInfo::Current();
    CPlatformInfo saved = platform;
    ValueOverride nt(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "RegisteredOwner",
                     "NT Owner");
    ValueOverride other(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "RegisteredOwner",
                        "Other Owner");
    platform.platformId = CPlatformInfo::kWindowsNTFamily;
    EXPECT_STREQ(RegisteredOwner().Text(), "NT Owner");
    platform.platformId = CPlatformInfo::kWindows95Family;
    EXPECT_STREQ(RegisteredOwner().Text(), "Other Owner");
    platform = saved;
}

TEST(RegisteredOwner, IsEmptyWithoutTheValue)
{
    CPlatformInfo& platform = CPlatformInfo::Current();
    CPlatformInfo saved = platform;
    platform.platformId = CPlatformInfo::kWindowsNTFamily;
    ValueOverride nt(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "RegisteredOwner", nullptr);
    EXPECT_TRUE(RegisteredOwner().IsEmpty());
    platform = saved;
}
