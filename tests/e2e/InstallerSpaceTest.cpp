// The installer pointed at a drive too small for the product: it asks before it starts, and
// when the user goes on anyway and the drive fills up, it says so and leaves the drive as it
// found it. The drive is a size-limited tmpfs that scripts/small-drive maps as R:.
#include "tests/e2e/InstallerSession.h"
#include "tests/install/TreeSnapshot.h"

#include <gtest/gtest.h>

#include <string>

using namespace e2e;
using testsupport::Noise;

namespace {

const char* const kDriveRoot = "R:\\";
const char* const kOtherProgram = "R:\\Apps";
const uint64_t kLargestSmallDrive = 8 << 20;

bool DriveSpace(uint64_t& total, uint64_t& free)
{
    ULARGE_INTEGER available, all, unused;
    if (!GetDiskFreeSpaceExA(kDriveRoot, &available, &all, &unused))
        return false;
    total = all.QuadPart;
    free = available.QuadPart;
    return true;
}

// Why the small drive is not there; empty when it is.
std::string SmallDriveMissing()
{
    uint64_t total = 0, free = 0;
    if (DriveSpace(total, free) && total <= kLargestSmallDrive)
        return std::string();
    std::string status = ReadTestFile(WindowsPath(SMALL_DRIVE_STATUS));
    if (status == "<missing>")
        status = "scripts/small-drive mount did not run";
    while (!status.empty() && (status.back() == '\n' || status.back() == '\r'))
        status.pop_back();
    return "no size-limited drive R: to fill up: " + status;
}

void EmptyDrive()
{
    for (const auto& entry : testsupport::TakeSnapshot("R:")) {
        if (entry.first != "." && entry.first.find('\\') == std::string::npos)
            testsupport::RemoveTreeForTests(std::string(kDriveRoot) + entry.first);
    }
}

class SmallDrive : public ::testing::Test {
protected:
    // Two products that do not compress, for a drive of 2 MiB: one of 0.9 MiB whose files fit
    // but whose uninstaller (the installer again, package included) does not fit beside them,
    // and one of 2.7 MiB whose files do not fit.
    static void SetUpTestSuite()
    {
        const std::string root = std::string(kWork) + "\\product";
        testsupport::RemoveTreeForTests(kWork);
        CreateDirectoryA(kWork, nullptr);
        CreateDirectoryA(root.c_str(), nullptr);
        CreateDirectoryA((root + "\\Data").c_str(), nullptr);
        const std::string description = std::string(kWork) + "\\description.txt";
        bool written = WriteTestFile(root + "\\ReadMe.txt", "Sample Tool, large edition")
            && WriteTestFile(description, "<Folder>\n\"Sample Tool\"\n");
        s_fitting = std::string(kWork) + "\\FittingSetup.exe";
        s_setup = std::string(kWork) + "\\LargeSetup.exe";
        for (uint32_t part = 1; part <= 3; ++part) {
            written = written && WriteTestFile(root + "\\Data\\part" + std::to_string(part) + ".bin", Noise(900 << 10, part));
            if (part == 1)
                written = written && Pack(description, root, s_fitting);
        }
        s_packed = written && Pack(description, root, s_setup);
    }
    static void TearDownTestSuite() { testsupport::RemoveTreeForTests(kWork); }

    void SetUp() override
    {
        std::string missing = SmallDriveMissing();
        if (!missing.empty())
            GTEST_SKIP() << missing;
        ASSERT_TRUE(s_packed) << "the large product could not be packed";
        RemoveSample();
        // The drive as its user keeps it: another program's folder and the user's papers. The
        // product goes beside them, into R:\Sample Tool.
        EmptyDrive();
        ASSERT_TRUE(CreateDirectoryA(kOtherProgram, nullptr));
        ASSERT_TRUE(WriteTestFile(std::string(kOtherProgram) + "\\Other Tool.txt", "another program's notes"));
        ASSERT_TRUE(CreateDirectoryA("R:\\Papers", nullptr));
        ASSERT_TRUE(WriteTestFile("R:\\Papers\\letter.txt", std::string(100 << 10, 'l')));
    }
    void TearDown() override
    {
        if (SmallDriveMissing().empty())
            EmptyDrive();
        RemoveSample();
    }

    // The installer's window once R: is chosen as the parent folder through the chooser; null
    // when the window did not come, the chooser failed or the window did not come back.
    static HWND WindowOnSmallDrive(const Program& installer)
    {
        HWND window = WaitForInstallerWindow(installer.Id());
        if (!window || !ChooseDriveAsParent(installer.Id(), window, 'R') || !WaitUntilVisible(window))
            return nullptr;
        return window;
    }

    // Presses Install, answers the question about the space with OK and expects the
    // installation to end in a notice once the drive is full, with the install page back and
    // the drive as it was.
    static void InstallUntilTheDriveIsFull(const Program& installer, HWND window, const char* shot)
    {
        const testsupport::TreeSnapshot before = testsupport::TakeSnapshot("R:");
        ASSERT_TRUE(Press(window, "Install"));
        HWND asked = WaitForDialog(installer.Id(), "Message");
        ASSERT_TRUE(asked && HasButton(asked, "Cancel")) << "first a question about the space";
        ASSERT_TRUE(Press(asked, "OK"));
        ASSERT_TRUE(WaitUntilHidden(asked));
        HWND failure = WaitForDialog(installer.Id(), "Message", 60000);
        ASSERT_TRUE(failure) << "no message after the drive filled up";
        EXPECT_FALSE(HasButton(failure, "Cancel")) << "the failure is a notice";
        Screenshot(shot, failure);
        ASSERT_TRUE(Press(failure, "OK"));
        ASSERT_TRUE(WaitUntilVisible(window)) << "the install page comes back";
        const testsupport::TreeSnapshot after = testsupport::TakeSnapshot("R:");
        EXPECT_EQ(after, before) << "before:\n" << testsupport::Describe(before) << "after:\n" << testsupport::Describe(after);
    }

    static constexpr const char* kWork = "C:\\e2e-space";
    static std::string s_fitting;
    static std::string s_setup;
    static bool s_packed;
};

std::string SmallDrive::s_fitting;
std::string SmallDrive::s_setup;
bool SmallDrive::s_packed = false;

} // namespace

TEST_F(SmallDrive, TooLittleSpaceIsAskedAndAFullDriveEndsInAnErrorWithEverythingUndone)
{
    uint64_t total = 0, freeBefore = 0;
    ASSERT_TRUE(DriveSpace(total, freeBefore));
    ASSERT_LT(freeBefore, uint64_t(2700) << 10) << "the product must not fit";
    const testsupport::TreeSnapshot before = testsupport::TakeSnapshot("R:");

    Program installer(s_setup);
    HWND window = WindowOnSmallDrive(installer);
    ASSERT_TRUE(window) << "no installer window with R: as the parent folder";
    Screenshot("install-page-on-small-drive", window);

    // Declined: nothing happens, and the install page is back.
    ASSERT_TRUE(Press(window, "Install"));
    HWND question = WaitForDialog(installer.Id(), "Message");
    ASSERT_TRUE(question) << "no question about the space";
    EXPECT_TRUE(HasButton(question, "Cancel")) << "a question, not a notice";
    Screenshot("short-space-question", question);
    ASSERT_TRUE(Press(question, "Cancel"));
    ASSERT_TRUE(WaitUntilVisible(window)) << "the install page comes back";
    EXPECT_EQ(testsupport::TakeSnapshot("R:"), before);

    // Accepted: the installation runs until the drive is full, then undoes itself.
    InstallUntilTheDriveIsFull(installer, window, "drive-full-error");
    uint64_t freeAfter = 0;
    ASSERT_TRUE(DriveSpace(total, freeAfter));
    EXPECT_EQ(freeAfter, freeBefore);
    EXPECT_FALSE(Exists(ProductFolder())) << "nothing went to the suggested folder either";

    CloseByCloseBox(window);
    EXPECT_EQ(installer.WaitForExit(), 0);
}

TEST_F(SmallDrive, AnUninstallerThatDoesNotFitUndoesTheInstallation)
{
    uint64_t total = 0, free = 0;
    ASSERT_TRUE(DriveSpace(total, free));
    WIN32_FILE_ATTRIBUTE_DATA setup = {};
    ASSERT_TRUE(GetFileAttributesExA(s_fitting.c_str(), GetFileExInfoStandard, &setup));
    ASSERT_GT(free, uint64_t(1000) << 10) << "the files must fit";
    ASSERT_LT(free, (uint64_t(900) << 10) + setup.nFileSizeLow) << "the uninstaller must not fit beside them";

    Program installer(s_fitting);
    HWND window = WindowOnSmallDrive(installer);
    ASSERT_TRUE(window) << "no installer window with R: as the parent folder";
    InstallUntilTheDriveIsFull(installer, window, "uninstaller-does-not-fit");
    CloseByCloseBox(window);
    EXPECT_EQ(installer.WaitForExit(), 0);
}
