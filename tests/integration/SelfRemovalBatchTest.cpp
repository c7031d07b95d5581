// The self-removal batch's text; the uninstaller tests run it for real.
#include "integration/SelfRemovalBatch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// The deletion of the uninstaller is retried a bounded number of times, as it may still be
// running; then its folder, the destination and the batch itself go. A '%' in a path would
// start a batch variable, so it is written twice.
TEST(SelfRemovalBatch, RetriesTheUninstallerBoundedlyThenRemovesTheRest)
{
    const std::string text = SelfRemovalBatchText("C:\\100% Tool\\Uninstall\\Uninstall.exe", "C:\\100% Tool\\Uninstall",
                                                  "C:\\100% Tool", "C:\\T\\u.bat")
                                 .Text();
    const std::vector<std::string> order = {
        ":retry\r\n",
        "del \"C:\\100%% Tool\\Uninstall\\Uninstall.exe\"\r\n",
        "if not exist \"C:\\100%% Tool\\Uninstall\\Uninstall.exe\" goto removed\r\n",
        "set tries=%tries%x\r\n",
        "if \"%tries%\"==\"" + std::string(kSelfRemovalTries, 'x') + "\" goto removed\r\n",
        "goto retry\r\n:removed\r\n",
        "rd \"C:\\100%% Tool\\Uninstall\"\r\n",
        "rd \"C:\\100%% Tool\"\r\n",
        "del \"C:\\T\\u.bat\"\r\n",
    };
    size_t at = 0;
    for (const std::string& line : order) {
        const size_t found = text.find(line, at);
        ASSERT_NE(found, std::string::npos) << line << " after byte " << at << " of\n" << text;
        at = found + line.size();
    }
    EXPECT_EQ(at, text.size()); // deleting the batch is its last line
    EXPECT_EQ(text.find("100% Tool"), std::string::npos);
}
