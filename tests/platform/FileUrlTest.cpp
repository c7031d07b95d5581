#include "platform/CUrl.h"
#include "platform/FileUrl.h"
#include "tests/platform/ScratchFolder.h"

#include <gtest/gtest.h>

#include <string>

using namespace testsupport;

namespace {

// The scratch folder's URL as the converter should write it ("C:\etest-x" gives "C:/etest-x").
std::string UrlOf(const ScratchFolder& scratch)
{
    std::string path = scratch.Path();
    return "file:///C:/" + path.substr(3);
}

bool ToPath(const std::string& url, bool create, std::string& path)
{
    LString native;
    bool ok = FileUrlToPath(ParseUrl(url.c_str()), create, native);
    path = native.Text();
    return ok;
}

} // namespace

TEST(PathToFileUrl, EncodesEveryComponentFromTheDriveDown)
{
    ScratchFolder scratch("tourl");
    std::string folder = scratch / "Program Files";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((folder + "\\Sample").c_str(), nullptr));
    EXPECT_EQ(PathToFileUrl((folder + "\\Sample").c_str()).Text(), UrlOf(scratch) + "/Program%20Files/Sample");
    EXPECT_STREQ(PathToFileUrl("C:\\").Text(), "file:///C:");
    // A trailing separator does not turn the drive into a component.
    EXPECT_EQ(PathToFileUrl((folder + "\\").c_str()).Text(), UrlOf(scratch) + "/Program%20Files");
    // The last component need not exist yet (the destination before it is created) ...
    EXPECT_EQ(PathToFileUrl((folder + "\\New").c_str()).Text(), UrlOf(scratch) + "/Program%20Files/New");
    // ... but a missing folder above it gives no URL at all rather than a wrong one.
    EXPECT_STREQ(PathToFileUrl((folder + "\\Missing\\New").c_str()).Text(), "");
}

TEST(FileUrlToPath, CreatesFoldersOnTheWayButNotTheLastSegment)
{
    ScratchFolder scratch("topath");
    std::string path;
    ASSERT_TRUE(ToPath(UrlOf(scratch) + "/a/b/c.txt", true, path));
    EXPECT_EQ(path, scratch / "a\\b\\c.txt");
    EXPECT_TRUE(IsFolderForTests(scratch / "a"));
    EXPECT_TRUE(IsFolderForTests(scratch / "a\\b"));
    EXPECT_FALSE(Exists(scratch / "a\\b\\c.txt"));

    // Without the flag every folder on the way must exist.
    EXPECT_FALSE(ToPath(UrlOf(scratch) + "/x/y.txt", false, path));
    EXPECT_FALSE(Exists(scratch / "x"));
    ASSERT_TRUE(ToPath(UrlOf(scratch) + "/a/b", false, path));
    EXPECT_EQ(path, scratch / "a\\b");
}

TEST(FileUrlToPath, DecodesSanitisesAndClimbs)
{
    ScratchFolder scratch("decode");
    ASSERT_TRUE(CreateDirectoryA((scratch / "read me").c_str(), nullptr));
    std::string path;
    ASSERT_TRUE(ToPath(UrlOf(scratch) + "/read%20me/a%3Ab%2fc%5cd", false, path));
    EXPECT_EQ(path, scratch / "read me\\a_b_c_d");
    ASSERT_TRUE(ToPath(UrlOf(scratch) + "/read%20me/./..//read%20me/x", false, path));
    EXPECT_EQ(path, scratch / "read me\\x");
    ASSERT_TRUE(ToPath("FILE:///c:/", false, path));
    EXPECT_EQ(path, "c:\\");
    // A NUL byte becomes "_" instead of cutting the name.
    ASSERT_TRUE(ToPath(UrlOf(scratch) + "/a%00b", false, path));
    EXPECT_EQ(path, scratch / "a_b");
}

TEST(FileUrlToPath, RejectsOtherSchemesAndBadDrives)
{
    std::string path = "unchanged";
    EXPECT_FALSE(ToPath("http:///C:/Windows", false, path));
    EXPECT_FALSE(ToPath("C:/Windows", false, path));
    EXPECT_FALSE(ToPath("file:///", false, path));
    EXPECT_FALSE(ToPath("file:///Windows/x", false, path));
    EXPECT_FALSE(ToPath("file:///../C:/x", false, path));
    // ".." above the drive root fails rather than going somewhere else.
    EXPECT_FALSE(ToPath("file:///C:/../x", false, path));
}
