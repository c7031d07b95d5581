// Stop pressed at every point of an installation over an earlier one: whatever was written,
// replaced or created up to there is undone, and the user's own files are not touched.
#include "tests/install/UpgradeScenario.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace testsupport;

namespace {

class InstallStop : public UpgradeTest {
protected:
    // Stops the installation at every wait step there is: the one that shows the dialog,
    // one before each entry and the one after the last, and checks each time that nothing
    // is left of it.
    void StopAtEveryStep(const TreeSnapshot& before)
    {
        const std::vector<FakeEntry> entries = UpgradeEntries("2.0");
        const int lastStep = static_cast<int>(entries.size()) + 1;
        for (int step = 0; step <= lastStep; ++step) {
            SCOPED_TRACE("stopped at step " + std::to_string(step));
            Attempt attempt(parent, ownPath, entries);
            attempt.dialogs.stopAtStep = step;
            EXPECT_FALSE(attempt.Run());
            EXPECT_EQ(attempt.code, kInsCanceled);
            // The entry at which Stop was seen was not begun.
            EXPECT_EQ(attempt.package.dataReads, FilesAmong(entries, step > 0 ? size_t(step - 1) : 0));
            EXPECT_EQ(attempt.dialogs.waitSteps, step + 1);

            // The user sees the undoing and then the install page again, without a message.
            EXPECT_TRUE(attempt.dialogs.notices.empty());
            EXPECT_EQ(attempt.dialogs.progressMessage, "Canceling installation...");
            const auto& events = attempt.dialogs.events;
            EXPECT_EQ(std::count(events.begin(), events.end(), "hide bar"), 1);
            EXPECT_EQ(std::count(events.begin(), events.end(), "disable stop"), 0);
            EXPECT_EQ(events.back(), "close");

            TreeSnapshot after = TakeSnapshot(scratch.Path());
            EXPECT_EQ(after, before) << "before:\n" << Describe(before) << "after:\n" << Describe(after);
            EXPECT_EQ(RegistryValue("InstallDir"), "<no key>");
        }
    }
};

} // namespace

TEST_F(InstallStop, AtAnyStepOverAnEarlierInstallationRestoresEveryFileAndKeepsTheUsersOwn)
{
    MakeEarlierInstallation(destination);
    TreeSnapshot before = TakeSnapshot(scratch.Path());
    StopAtEveryStep(before);

    InstallToTheEnd();
    TreeSnapshot after = TakeSnapshot(scratch.Path());
    const std::string product = "Programs\\Sample Tool\\";
    for (const char* own : {"Notes.txt", "Manual\\bookmarks.txt", "My Exports\\export.csv", "Protected.txt"})
        EXPECT_EQ(after[product + own], before[product + own]) << own;
    EXPECT_TRUE(after[product + "Protected.txt"].attributes & FILE_ATTRIBUTE_READONLY);
}

TEST_F(InstallStop, AtAnyStepOfAFreshInstallationLeavesNoProductFolder)
{
    TreeSnapshot before = TakeSnapshot(scratch.Path());
    StopAtEveryStep(before);
    EXPECT_FALSE(Exists(destination));

    InstallToTheEnd();
}
