#pragma once

// One installation or uninstallation attempt as the installer makes it, with scripted dialogs:
// a package standing on its first entry, the parent folder chosen on the install page and the
// pre-scan's total. The fixture gives every test a parent folder, an installer file of its own
// and a clean test registry key; the procedures read their texts from the program's resources
// (English) and make shortcuts through OLE, both set up once for the suite.

#include "install/CInstDesc.h"
#include "install/CInstallProcedure.h"
#include "install/CProcedureRun.h"
#include "install/CUninstallProcedure.h"
#include "integration/CVariables.h"
#include "platform/CRegKey.h"
#include "resources/LResDefaultChain.h"
#include "tests/install/FakeDialogs.h"
#include "tests/install/FakePackage.h"
#include "tests/install/TreeSnapshot.h"
#include "tests/support/SystemState.h"

#include <gtest/gtest.h>
#include <ole2.h>

#include <string>
#include <vector>

namespace testsupport {

const char* const kRegistryKey = "Software\\etest-install-procedure";

const char* const kMarksKey = "SOFTWARE\\Installer tests\\procedures";

// The product's registry values, and the marks that an earlier run may have left.
inline void DeleteTestKey()
{
    CRegKey software(HKEY_CURRENT_USER, "Software", CRegKey::kCreateOrOpen);
    software.DeleteKeyTree(kRegistryKey + 9);
    CRegKey tests(HKEY_LOCAL_MACHINE, "SOFTWARE\\Installer tests", CRegKey::kCreateOrOpen);
    tests.DeleteKeyTree("procedures");
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Installer tests"); // once install_tests' key is gone too
}

// A description that writes two registry values and one shortcut inside the destination.
inline std::string Description(const std::string& extra = std::string())
{
    return "<Folder>\n\"Sample Tool\"\n\n"
           "<WRegs>\n"
           "HKCU \"Software\\etest-install-procedure\"\n"
           "HKCU \"Software\\etest-install-procedure\" InstallDir %DEST%\n\n"
           "<WLinks>\n"
           "\"%DEST%\\Read Me.lnk\" \"%DEST%\\ReadMe.txt\"\n\n"
        + extra;
}

// Version 2.0 of a small product: folders and files, some replacing files of version 1.0.
inline std::vector<FakeEntry> ProductEntries()
{
    return {
        Folder("."),
        Folder("Manual"),
        File("ReadMe.txt", "read me 2.0"),
        File("Manual/index.html", "<html>2.0</html>"),
        File("Manual/style.css", "body { margin: 0 }"),
        Folder("Tools"),
        Folder("Tools/Data"),
        File("Tools/convert.exe", "MZ converter 2.0"),
        File("Tools/Data/table.dat", std::string(5000, 't')),
        File("SampleTool.ini", "[Settings]\r\nVersion=2.0"),
        File("License.txt", "licence 2.0"),
    };
}

struct Attempt {
    CInstDesc description;
    CVariables variables;
    FakePackage package;
    FakeDialogs dialogs;
    CProcedureRun run;
    InstallResult code = kInsOK;

    Attempt(const std::string& parent, const std::string& ownPath, std::vector<FakeEntry> entries,
            const std::string& descriptionText = Description())
        : package(entries)
    {
        description.Parse(descriptionText.data(), descriptionText.size(), 1033);
        run.entries = &package;
        run.packageStart = FakePackage::kStart;
        run.packageEnd = FakePackage::kStart + static_cast<uint32_t>(entries.size()) * FakePackage::kEntrySize;
        run.description = &description;
        run.variables = &variables;
        run.parentFolder = LString(parent.c_str());
        run.requiredBytes = 4096;
        run.ownPath = LString(ownPath.c_str());
        run.tempFolder = LString(ownPath.substr(0, ownPath.rfind('\\')).c_str());
        run.marksKey = kMarksKey;
    }

    bool Run()
    {
        CInstallProcedure procedure(run, dialogs);
        const bool done = procedure.Run();
        code = procedure.Result();
        return done;
    }

    // The uninstaller of the same product, run from its copy in the destination.
    void Uninstall(const std::string& destination)
    {
        run.destination = LString(destination.c_str());
        run.ownPath = LString((destination + "\\Uninstall\\Uninstall.exe").c_str());
        CUninstallProcedure procedure(run, dialogs);
        procedure.Run();
        code = procedure.Result();
    }
};

class ProcedureTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        OleInitialize(nullptr);
        LResDefaultChain::CreateForLocale(GetModuleHandleA(nullptr), 0x0409);
    }
    static void TearDownTestSuite()
    {
        LResDefaultChain::Destroy();
        OleUninitialize();
    }
    void SetUp() override
    {
        DeleteTestKey();
        parent = scratch.Path() + "\\Programs";
        CreateDirectoryA(parent.c_str(), nullptr);
        CreateDirectoryA((scratch / "program").c_str(), nullptr);
        ownPath = scratch / "program\\Installer.exe";
        WriteTestFile(ownPath, std::string("MZ the installer with its package ") + std::string(3000, 'p'));
        destination = parent + "\\Sample Tool";
    }
    void TearDown() override { DeleteTestKey(); }

    ScratchFolder scratch{"proc"};
    std::string parent;
    std::string ownPath;
    std::string destination;
};

} // namespace testsupport
