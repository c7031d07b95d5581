#include "platform/CUrl.h"
#include "platform/FileUrl.h"
#include "tests/platform/ScratchFolder.h"

#include <gtest/gtest.h>

#include <string>

using namespace testsupport;

TEST(FileUrl, PathToUrlEncodesEveryComponentFromTheDriveDown)
{
    ScratchFolder scratch("tourl");
    const std::string folder = scratch / "Program Files";
    const std::string url = "file:///C:/" + scratch.Path().substr(3) + "/Program%20Files";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((folder + "\\Sample").c_str(), nullptr));
    EXPECT_EQ(PathToFileUrl((folder + "\\Sample").c_str()).Text(), url + "/Sample");
    EXPECT_STREQ(PathToFileUrl("C:\\").Text(), "file:///C:");
    // A trailing separator does not turn the drive into a component.
    EXPECT_EQ(PathToFileUrl((folder + "\\").c_str()).Text(), url);
    // The last component need not exist yet (the destination before it is created) ...
    EXPECT_EQ(PathToFileUrl((folder + "\\New").c_str()).Text(), url + "/New");
    // ... but a missing folder above it gives no URL at all rather than a wrong one.
    EXPECT_STREQ(PathToFileUrl((folder + "\\Missing\\New").c_str()).Text(), "");
}

TEST(FileUrl, UrlToPathDecodesSanitisesClimbsAndCreatesTheFoldersOnTheWay)
{
    ScratchFolder scratch("topath");
    ASSERT_TRUE(CreateDirectoryA((scratch / "read me").c_str(), nullptr));
    const std::string base = "file:///C:/" + scratch.Path().substr(3);
    const struct {
        std::string url;
        bool create;
        std::string path; // "": refused
    } cases[] = {
        {base + "/a/b/c.txt", true, scratch / "a\\b\\c.txt"},
        {base + "/x/y.txt", false, ""}, // without the flag every folder on the way must exist
        {base + "/a/b", false, scratch / "a\\b"},
        {base + "/read%20me/a%3Ab%2fc%5cd", false, scratch / "read me\\a_b_c_d"},
        {base + "/read%20me/./..//read%20me/x", false, scratch / "read me\\x"},
        {base + "/a%00b", false, scratch / "a_b"}, // a NUL does not cut the name
        {"FILE:///c:/", false, "c:\\"},
        {"http:///C:/Windows", false, ""},
        {"C:/Windows", false, ""},
        {"file:///", false, ""},
        {"file:///Windows/x", false, ""},
        {"file:///../C:/x", false, ""},
        {"file:///C:/../x", false, ""}, // ".." above the drive root fails rather than going elsewhere
    };
    for (const auto& c : cases) {
        LString path;
        const bool made = FileUrlToPath(ParseUrl(c.url.c_str()), c.create, path);
        EXPECT_EQ(made ? std::string(path.Text()) : "", c.path) << c.url;
    }
    // The folders on the way are made, the last segment is not.
    EXPECT_TRUE(IsFolderForTests(scratch / "a\\b"));
    EXPECT_FALSE(Exists(scratch / "a\\b\\c.txt"));
    EXPECT_FALSE(Exists(scratch / "x"));
}
