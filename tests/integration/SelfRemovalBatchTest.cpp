#include "integration/SelfRemovalBatch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The batch's lines without their CR LF; a line without it stays "<no CR LF>".
std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back("<no CR LF>");
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

// The delete and remove commands of the batch, in order.
std::vector<std::string> Commands(const std::vector<std::string>& lines)
{
    std::vector<std::string> commands;
    for (const std::string& line : lines)
        if (line.compare(0, 4, "del ") == 0 || line.compare(0, 3, "rd ") == 0)
            commands.push_back(line);
    return commands;
}

} // namespace

TEST(SelfRemovalBatch, DeletesTheFourThingsInOrder)
{
    std::string text = SelfRemovalBatchText("C:\\Program Files\\Sample\\Uninstall\\Uninstall.exe",
                                            "C:\\Program Files\\Sample\\Uninstall", "C:\\Program Files\\Sample",
                                            "C:\\Temp\\unins1234567.bat")
                           .Text();
    std::vector<std::string> lines = Lines(text);
    std::vector<std::string> expected = {
        "del \"C:\\Program Files\\Sample\\Uninstall\\Uninstall.exe\"",
        "rd \"C:\\Program Files\\Sample\\Uninstall\"",
        "rd \"C:\\Program Files\\Sample\"",
        "del \"C:\\Temp\\unins1234567.bat\"",
    };
    EXPECT_EQ(Commands(lines), expected);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), expected.back());
}

TEST(SelfRemovalBatch, RetriesTheFirstDeleteABoundedNumberOfTimes)
{
    std::string text = SelfRemovalBatchText("C:\\D\\Uninstall\\Uninstall.exe", "C:\\D\\Uninstall", "C:\\D",
                                            "C:\\T\\u.bat")
                           .Text();
    std::vector<std::string> lines = Lines(text);
    auto at = [&](const std::string& line) {
        for (size_t i = 0; i < lines.size(); ++i)
            if (lines[i] == line)
                return static_cast<int>(i);
        return -1;
    };
    int retry = at(":retry");
    int firstDelete = at("del \"C:\\D\\Uninstall\\Uninstall.exe\"");
    int check = at("if not exist \"C:\\D\\Uninstall\\Uninstall.exe\" goto removed");
    int loop = at("goto retry");
    int removed = at(":removed");
    int firstRd = at("rd \"C:\\D\\Uninstall\"");
    ASSERT_GE(retry, 0);
    EXPECT_LT(retry, firstDelete);
    EXPECT_LT(firstDelete, check);
    EXPECT_LT(check, loop);
    EXPECT_LT(loop, removed);
    EXPECT_EQ(removed + 1, firstRd);
    std::string limit = "if \"%tries%\"==\"" + std::string(kSelfRemovalTries, 'x') + "\" goto removed";
    int bound = at(limit);
    EXPECT_GT(bound, check);
    EXPECT_LT(bound, loop);
    EXPECT_GE(at("set tries=%tries%x"), 0);
}

TEST(SelfRemovalBatch, PercentSignsInPathsAreWrittenTwice)
{
    std::string text = SelfRemovalBatchText("C:\\100% Tool\\Uninstall\\Uninstall.exe", "C:\\100% Tool\\Uninstall",
                                            "C:\\100% Tool", "C:\\T\\u.bat")
                           .Text();
    EXPECT_NE(text.find("rd \"C:\\100%% Tool\"\r\n"), std::string::npos);
    EXPECT_EQ(text.find("100% Tool"), std::string::npos);
}
