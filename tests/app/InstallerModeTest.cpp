#include "app/InstallerMode.h"

#include <gtest/gtest.h>

#include <string>

TEST(InstallerMode, ProgramsNamedUninstallInAnyCaseUninstallAndFindTheirFolder)
{
    for (const char* path : {"C:\\Sample Tool\\Uninstall\\Uninstall.exe", "C:\\x\\uninstall.exe", "C:\\x\\UNINSTALL.EXE",
                             "C:\\x\\UnInstaller for Sample.exe", "Uninstall"})
        EXPECT_TRUE(IsUninstallerPath(path)) << path;
    // Only the file name counts, and all nine letters of it.
    for (const char* path : {"C:\\Downloads\\Setup.exe", "C:\\Downloads\\Uninstal.exe", "C:\\Downloads\\Uninst",
                             "C:\\Downloads\\My Uninstall.exe", "C:\\Uninstall\\Setup.exe", ""})
        EXPECT_FALSE(IsUninstallerPath(path)) << path;
    // It works two folders up where they exist (the installer run's test sees that), at a drive
    // root on the root.
    EXPECT_EQ(std::string(UninstallDestination("C:\\Uninstall.exe").Text()), "C:\\");
}
