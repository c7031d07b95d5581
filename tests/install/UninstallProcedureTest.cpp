#include "install/CInstDesc.h"
#include "install/CInstallProcedure.h"
#include "install/CProcedureRun.h"
#include "platform/CRegKey.h"
#include "install/CUninstallProcedure.h"
#include "integration/CVariables.h"
#include "tests/install/FakeDialogs.h"
#include "tests/install/FakePackage.h"
#include "tests/install/ProcedureSuite.h"
#include "tests/install/TreeSnapshot.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace testsupport;

namespace {

const char* const kRegistryKey = "Software\\etest-uninstall-procedure";

void DeleteTestKey()
{
    CRegKey software(HKEY_CURRENT_USER, "Software", CRegKey::kCreateOrOpen);
    software.DeleteKeyTree(kRegistryKey + 9);
}

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

const std::string kDescription = "<Folder>\n\"Sample Tool\"\n\n"
                                 "<WRegs>\n"
                                 "HKCU \"Software\\etest-uninstall-procedure\"\n"
                                 "HKCU \"Software\\etest-uninstall-procedure\" InstallDir %DEST%\n\n"
                                 "<WLinks>\n"
                                 "\"%DEST%\\Links\"\n"
                                 "\"%DEST%\\Links\\Read Me.lnk\" \"%DEST%\\ReadMe.txt\"\n";

bool KeyExists()
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kRegistryKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

bool GoneWithin(const std::string& path, int seconds)
{
    for (int i = 0; i < seconds * 10; ++i) {
        if (!Exists(path))
            return true;
        Sleep(100);
    }
    return false;
}

// The installer's and the uninstaller's view of one product: the same description and package.
struct ProductRun {
    CInstDesc description;
    CVariables variables;
    FakePackage package{ProductEntries()};
    FakeDialogs dialogs;
    CProcedureRun run;

    explicit ProductRun(std::vector<FakeEntry> entries = ProductEntries())
        : package(std::move(entries))
    {
        description.Parse(kDescription.data(), kDescription.size(), 1033);
        run.entries = &package;
        run.packageStart = FakePackage::kStart;
        run.packageEnd = FakePackage::kStart + 6 * FakePackage::kEntrySize;
        run.description = &description;
        run.variables = &variables;
    }
};

class UninstallProcedure : public ProcedureSuite {
protected:
    void SetUp() override
    {
        DeleteTestKey();
        CreateDirectoryA((scratch / "Programs").c_str(), nullptr);
        CreateDirectoryA((scratch / "Temp").c_str(), nullptr);
        std::string installer = scratch / "Installer.exe";
        WriteTestFile(installer, "MZ the installer and its package");

        ProductRun install;
        install.run.parentFolder = LString((scratch / "Programs").c_str());
        install.run.ownPath = LString(installer.c_str());
        CInstallProcedure procedure(install.run, install.dialogs);
        ASSERT_TRUE(procedure.Run());
        destination = install.run.destination.Text();
        uninstaller = destination + "\\Uninstall\\Uninstall.exe";
        ASSERT_TRUE(Exists(uninstaller));
        ASSERT_TRUE(Exists(destination + "\\Links\\Read Me.lnk"));
        ASSERT_TRUE(KeyExists());
    }
    void TearDown() override { DeleteTestKey(); }

    void Uninstall(ProductRun& uninstall)
    {
        uninstall.run.destination = LString(destination.c_str());
        uninstall.run.ownPath = LString(uninstaller.c_str());
        uninstall.run.tempFolder = LString((scratch / "Temp\\").c_str());
        CUninstallProcedure procedure(uninstall.run, uninstall.dialogs);
        procedure.Run();
        code = procedure.Result();
    }

    ScratchFolder scratch{"unproc"};
    std::string destination;
    std::string uninstaller;
    InstallResult code = kInsOK;
};

} // namespace

TEST_F(UninstallProcedure, RemovesTheProductAndThenItself)
{
    ProductRun uninstall;
    Uninstall(uninstall);
    EXPECT_EQ(code, kInsOK);
    EXPECT_FALSE(Exists(destination + "\\ReadMe.txt"));
    EXPECT_FALSE(Exists(destination + "\\Manual"));
    EXPECT_FALSE(Exists(destination + "\\Links"));
    EXPECT_FALSE(KeyExists());

    FakeDialogs& dialogs = uninstall.dialogs;
    EXPECT_EQ(dialogs.events, (std::vector<std::string>{"open", "hide window", "close", "notice"}));
    EXPECT_EQ(dialogs.progressMessage, "Uninstalling files...");
    EXPECT_EQ(dialogs.stopLabelShown, "") << "an uninstallation cannot be stopped";
    EXPECT_EQ(dialogs.notices, std::vector<std::string>{" Uninstallation has been completed successfully."});

    // The batch file takes the uninstaller, its folder and the emptied destination.
    EXPECT_TRUE(GoneWithin(destination, 60));
    EXPECT_TRUE(IsFolderForTests(scratch / "Programs"));
}

TEST_F(UninstallProcedure, FilesTheUserAddedStayWithTheirFolders)
{
    WriteTestFile(destination + "\\Manual\\my notes.txt", "mine");
    WriteTestFile(destination + "\\Manual\\en\\index.html", "edited by the user, still the product's file");
    ProductRun uninstall;
    Uninstall(uninstall);
    EXPECT_EQ(code, kInsOK);
    EXPECT_EQ(ReadTestFile(destination + "\\Manual\\my notes.txt"), "mine");
    EXPECT_FALSE(Exists(destination + "\\Manual\\en"));
    EXPECT_FALSE(Exists(destination + "\\Manual\\style.css"));
    EXPECT_FALSE(Exists(destination + "\\ReadMe.txt"));
    EXPECT_TRUE(GoneWithin(uninstaller, 60));
    EXPECT_TRUE(IsFolderForTests(destination + "\\Manual"));
}

TEST_F(UninstallProcedure, ADamagedPackageRemovesNothing)
{
    std::vector<FakeEntry> entries = ProductEntries();
    entries[4].cutHeader = true;
    ProductRun uninstall(entries);
    TreeSnapshot before = TakeSnapshot(scratch.Path());
    Uninstall(uninstall);
    EXPECT_EQ(code, kInsBroken);
    EXPECT_EQ(uninstall.dialogs.notices, std::vector<std::string>{" This installer is broken."});
    // Nothing is removed: not the files, not the shortcuts, not the registry entries, and the
    // uninstaller stays to be run again.
    Sleep(1500);
    EXPECT_EQ(TakeSnapshot(scratch.Path()), before);
    EXPECT_TRUE(KeyExists());
}
