#include "tests/install/ProcedureAttempt.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace testsupport;

namespace {

std::vector<FakeEntry> ProductEntries()
{
    return {
        Folder("."),
        Folder("Manual"),
        Folder("Manual/en"),
        File("ReadMe.txt", "read me"),
        File("Manual/en/index.html", "<html></html>"),
        File("Manual/style.css", "body {}"),
    };
}

class UninstallProcedure : public ProcedureTest {
protected:
    void SetUp() override
    {
        ProcedureTest::SetUp();
        Attempt install(parent, ownPath, ProductEntries());
        ASSERT_TRUE(install.Run());
        ASSERT_TRUE(Exists(destination + "\\Read Me.lnk"));
        ASSERT_EQ(RegistryValue("InstallDir"), destination);
    }
};

} // namespace

TEST_F(UninstallProcedure, RemovesTheProductButNotTheUsersFilesAndThenItself)
{
    WriteTestFile(destination + "\\Manual\\my notes.txt", "mine");
    WriteTestFile(destination + "\\Manual\\en\\index.html", "edited by the user, still the product's file");
    Attempt uninstall(parent, ownPath, ProductEntries());
    uninstall.Uninstall(destination);
    EXPECT_EQ(uninstall.code, kInsOK);
    TreeSnapshot after = TakeSnapshot(destination);
    for (const char* gone : {"ReadMe.txt", "Manual\\en", "Manual\\style.css", "Read Me.lnk"})
        EXPECT_FALSE(after.count(gone)) << gone;
    EXPECT_EQ(after["Manual\\my notes.txt"].contents, "mine");
    EXPECT_EQ(RegistryValue("InstallDir"), "<no key>");

    FakeDialogs& dialogs = uninstall.dialogs;
    EXPECT_EQ(dialogs.events, (std::vector<std::string>{"open", "hide window", "close", "notice"}));
    EXPECT_EQ(dialogs.progressMessage, "Uninstalling files...");
    EXPECT_EQ(dialogs.stopLabelShown, "") << "an uninstallation cannot be stopped";
    EXPECT_EQ(dialogs.notices, std::vector<std::string>{" Uninstallation has been completed successfully."});

    // The batch file takes the uninstaller and its folder, not the folder with the user's file.
    EXPECT_TRUE(GoneWithin(destination + "\\Uninstall", 60000));
    EXPECT_TRUE(IsFolderForTests(destination + "\\Manual"));
}

TEST_F(UninstallProcedure, ADamagedPackageRemovesNothing)
{
    std::vector<FakeEntry> entries = ProductEntries();
    entries[4].cutHeader = true;
    Attempt uninstall(parent, ownPath, entries);
    TreeSnapshot before = TakeSnapshot(scratch.Path());
    uninstall.Uninstall(destination);
    EXPECT_EQ(uninstall.code, kInsBroken);
    EXPECT_EQ(uninstall.dialogs.notices, std::vector<std::string>{" This installer is broken."});
    // Nothing is removed: not the files, not the shortcuts, not the registry entries; and no
    // batch file was written that could still remove the uninstaller.
    EXPECT_EQ(TakeSnapshot(scratch.Path()), before);
    EXPECT_EQ(RegistryValue("InstallDir"), destination);
}
