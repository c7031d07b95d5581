// The installer pointed at a drive too small for the product: it asks before it starts, and
// when the user goes on anyway and the drive fills up, it says so and leaves the drive as it
// found it. The drive is a size-limited tmpfs that scripts/small-drive maps as R:, made the
// machine's program folder for the test, so that the suggested folder lies on it.
#include "platform/CRegKey.h"
#include "tests/e2e/InstallerSession.h"
#include "tests/install/TreeSnapshot.h"
#include "tests/support/Screenshot.h"
#include "tests/ui/UiDriver.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace e2e;
using testsupport::TakeSnapshot;

namespace {

const char* const kWork = "C:\\e2e-space";
const char* const kPrograms = "R:\\Apps";
const char* const kVersionKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

uint64_t FreeOnDrive()
{
    ULARGE_INTEGER available = {}, total = {};
    return GetDiskFreeSpaceExA("R:\\", &available, &total, nullptr) && total.QuadPart <= (8u << 20) ? available.QuadPart
                                                                                                   : 0;
}

void EmptyDrive()
{
    for (const auto& entry : TakeSnapshot("R:")) {
        if (entry.first != "." && entry.first.find('\\') == std::string::npos)
            testsupport::RemoveTreeForTests("R:\\" + entry.first);
    }
}

// Products that do not compress, for a drive of 2 MiB, by their number of 900 KiB parts: with
// one part the files fit but the uninstaller (the installer again, package included) does not
// fit beside them; with three the files do not fit.
class SmallDrive : public ::testing::TestWithParam<int> {
protected:
    static void SetUpTestSuite()
    {
        testsupport::RemoveTreeForTests(kWork);
        ProductFiles files = {{"ReadMe.txt", "Sample Tool, large edition"}};
        for (uint32_t part = 1; part <= 3; ++part) {
            files.emplace_back("Data\\part" + std::to_string(part) + ".bin", testsupport::Noise(900 << 10, part));
            const std::string name = std::to_string(part) + "-parts.exe";
            s_setups[part] = PackProduct(kWork, name.c_str(), files, "<Folder>\n\"Sample Tool\"\n");
        }
    }
    static void TearDownTestSuite() { testsupport::RemoveTreeForTests(kWork); }

    void SetUp() override
    {
        EmptyDrive();
        if (!FreeOnDrive()) {
            std::string status = ReadTestFile(WindowsPath(SMALL_DRIVE_STATUS));
            GTEST_SKIP() << "no size-limited drive R: to fill up: "
                         << (status == "<missing>" ? "scripts/small-drive mount did not run" : status);
        }
        ASSERT_NE(s_setups[GetParam()], "") << "the product could not be packed";
        // The drive as its user keeps it: the program folder with another program in it, and the
        // user's papers. The product goes beside the other program, into R:\Apps\Sample Tool.
        if (ProgramFilesFolder() == kPrograms) // left by a killed run
            CRegKey(HKEY_LOCAL_MACHINE, kVersionKey, CRegKey::kOpenForChange).SetString("ProgramFilesDir", "C:\\Program Files");
        m_programs.reset(new testsupport::ValueOverride(HKEY_LOCAL_MACHINE, kVersionKey, "ProgramFilesDir", kPrograms));
        ASSERT_TRUE(WriteFiles("R:", {{"Apps\\Other Tool.txt", "another program's notes"},
                                      {"Papers\\letter.txt", std::string(100 << 10, 'l')}}));
    }
    void TearDown() override
    {
        m_programs.reset();
        EmptyDrive();
    }

    std::unique_ptr<testsupport::ValueOverride> m_programs;
    static std::string s_setups[4];
};

std::string SmallDrive::s_setups[4];

// The question comes first (declining it is procedure_tests' ShortOfSpaceDeclined); accepted,
// the installation runs until the drive is full, says so and undoes itself.
TEST_P(SmallDrive, TooLittleSpaceIsAskedAndAFullDriveEndsInAnErrorWithEverythingUndone)
{
    const uint64_t freeBefore = FreeOnDrive();
    WIN32_FILE_ATTRIBUTE_DATA setup = {};
    ASSERT_TRUE(GetFileAttributesExA(s_setups[GetParam()].c_str(), GetFileExInfoStandard, &setup));
    ASSERT_LT(freeBefore, (uint64_t(900) << 10) * GetParam() + setup.nFileSizeLow) << "the product must not fit";
    const testsupport::TreeSnapshot before = TakeSnapshot("R:");

    Program installer(s_setups[GetParam()]);
    HWND window = WaitForInstallerWindow(installer.Id());
    ASSERT_TRUE(window);
    ASSERT_TRUE(Press(window, kInstallButton));
    HWND question = WaitForDialog(installer.Id(), kMessageTitle);
    ASSERT_TRUE(question && HasButton(question, kCancelButton)) << "first a question about the space";
    ASSERT_TRUE(Press(question, kOkButton));
    ASSERT_TRUE(WaitUntilHidden(question));
    HWND failure = WaitForDialog(installer.Id(), kMessageTitle, 60000);
    ASSERT_TRUE(failure) << "no message after the drive filled up";
    EXPECT_FALSE(HasButton(failure, kCancelButton)) << "the failure is a notice";
    EXPECT_NE(testsupport::SaveScreenshot("drive-full-" + std::to_string(GetParam()), failure), "");
    ASSERT_TRUE(Press(failure, kOkButton));
    ASSERT_TRUE(WaitUntilVisible(window)) << "the install page comes back";
    testsupport::ExpectTreeUnchanged("R:", before);
    EXPECT_EQ(FreeOnDrive(), freeBefore);
    uidriver::CloseBox(window);
    EXPECT_EQ(installer.WaitForExit(), 0);
}

INSTANTIATE_TEST_SUITE_P(Parts, SmallDrive, ::testing::Values(1, 3));

} // namespace
