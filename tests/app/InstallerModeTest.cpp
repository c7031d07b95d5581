#include "app/InstallerMode.h"
#include "tests/platform/ScratchFolder.h"

#include <gtest/gtest.h>

using namespace testsupport;

TEST(InstallerMode, ProgramsWhoseNamesBeginWithUninstallInAnyCaseUninstall)
{
    for (const char* path : {"C:\\Sample Tool\\Uninstall\\Uninstall.exe", "C:\\x\\uninstall.exe", "C:\\x\\UNINSTALL.EXE",
                             "C:\\x\\UnInstaller for Sample.exe", "Uninstall"})
        EXPECT_TRUE(IsUninstallerPath(path)) << path;
    // Only the file name counts, and all nine letters of it.
    for (const char* path : {"C:\\Downloads\\Setup.exe", "C:\\Downloads\\Uninstal.exe", "C:\\Downloads\\Uninst",
                             "C:\\Downloads\\My Uninstall.exe", "C:\\Uninstall\\Setup.exe", ""})
        EXPECT_FALSE(IsUninstallerPath(path)) << path;
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
