#include "app/InstallerMode.h"
#include "tests/platform/ScratchFolder.h"

#include <gtest/gtest.h>

using namespace testsupport;

TEST(InstallerMode, NamesBeginningWithUninstallInAnyCaseUninstall)
{
    EXPECT_TRUE(IsUninstallerPath("C:\\Sample Tool\\Uninstall\\Uninstall.exe"));
    EXPECT_TRUE(IsUninstallerPath("C:\\Sample Tool\\Uninstall\\uninstall.exe"));
    EXPECT_TRUE(IsUninstallerPath("C:\\x\\UNINSTALL.EXE"));
    EXPECT_TRUE(IsUninstallerPath("C:\\x\\UnInstaller for Sample.exe"));
    EXPECT_TRUE(IsUninstallerPath("Uninstall"));
}

TEST(InstallerMode, OtherNamesInstall)
{
    EXPECT_FALSE(IsUninstallerPath("C:\\Downloads\\Setup.exe"));
    EXPECT_FALSE(IsUninstallerPath("C:\\Downloads\\Uninstal.exe")); // eight letters and a dot
    EXPECT_FALSE(IsUninstallerPath("C:\\Downloads\\Uninst"));
    EXPECT_FALSE(IsUninstallerPath("C:\\Downloads\\My Uninstall.exe"));
    EXPECT_FALSE(IsUninstallerPath("C:\\Uninstall\\Setup.exe")) << "only the file name counts";
    EXPECT_FALSE(IsUninstallerPath(""));
}

TEST(InstallerMode, TheUninstallerWorksTwoFoldersAboveItself)
{
    ScratchFolder scratch("mode");
    std::string product = scratch / "Sample Tool";
    CreateDirectoryA(product.c_str(), nullptr);
    CreateDirectoryA((product + "\\Uninstall").c_str(), nullptr);
    std::string uninstaller = product + "\\Uninstall\\Uninstall.exe";
    WriteTestFile(uninstaller, "MZ");
    EXPECT_EQ(std::string(UninstallDestination(uninstaller.c_str()).Text()), product);

    // Moved elsewhere, it works on the folder two levels above its new place.
    std::string moved = scratch / "Elsewhere";
    CreateDirectoryA(moved.c_str(), nullptr);
    CreateDirectoryA((moved + "\\Deeper").c_str(), nullptr);
    EXPECT_EQ(std::string(UninstallDestination((moved + "\\Deeper\\Uninstall.exe").c_str()).Text()), moved);
}

TEST(InstallerMode, AStepToAMissingFolderIsNotTaken)
{
    EXPECT_EQ(std::string(UninstallDestination("C:\\Uninstall.exe").Text()), "C:\\");
    // Neither parent exists: the path stays as it was.
    EXPECT_EQ(std::string(UninstallDestination("C:\\no such folder\\nor this\\Uninstall.exe").Text()),
              "C:\\no such folder\\nor this\\Uninstall.exe");
}
