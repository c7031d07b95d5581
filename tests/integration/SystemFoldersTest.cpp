// The system folders, the destination variables and the registered owner against Wine's registry.
#include "integration/CSystemFolders.h"
#include "integration/CVariables.h"
#include "integration/DestinationVariables.h"
#include "platform/CPlatformInfo.h"
#include "tests/support/SystemState.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

const char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

using testsupport::ValueOverride;

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
