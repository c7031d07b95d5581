#include "platform/PathText.h"

#include "platform/CharStep.h"
#include "platform/TextCompare.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

// The double-byte cases need a Shift-JIS ANSI code page; the native stepper always has one.
bool ShiftJisActive()
{
#ifdef _WIN32
    return GetACP() == 932;
#else
    return true;
#endif
}

} // namespace

// Both '\' and ':' separate; runs of them count as one.
TEST(PathText, SplitsAndJoinsAtSeparators)
{
    const char* path = "C:\\\\dir:\\x";
    EXPECT_EQ(NextSeparator(path, 4), 7u);
    EXPECT_EQ(NextSeparator("name", 0), 4u);
    EXPECT_EQ(SkipSeparators(path, 0), 4u);
    EXPECT_EQ(SkipSeparators(path, 4), 9u);
    EXPECT_EQ(SkipSeparators("abc", 0), 3u);
    EXPECT_STREQ(TrimTrailingSeparators("C:\\dir\\:\\").Text(), "C:\\dir");

    EXPECT_STREQ(LastComponent("C:\\dir\\").Text(), "");
    EXPECT_STREQ(LastComponent("C:name").Text(), "name");
    EXPECT_EQ(ExtensionPos("C:\\dir\\a.tar.gz"), 12u);
    EXPECT_EQ(ExtensionPos("a.b c.txt"), 5u);
    EXPECT_EQ(ExtensionPos("archive.tar gz"), std::strlen("archive.tar gz"));
    EXPECT_EQ(ExtensionPos("trailing. "), 8u); // a space with nothing after it
    EXPECT_EQ(ExtensionPos("C:\\my.dir\\readme"), std::strlen("C:\\my.dir\\readme"));

    const struct {
        const char* path;
        const char* parent;
    } parents[] = {{"C:\\a\\b", "C:\\a"}, {"C:\\a", "C:\\"}, {"D:\\", ""}, {"name", ""},
                   {"C:\\a\\b\\", "C:\\a"}, {"C:\\a\\\\b", "C:\\a"}};
    for (const auto& c : parents)
        EXPECT_STREQ(ParentPath(c.path).Text(), c.parent) << c.path;

    EXPECT_STREQ(DriveOf("D:\\x\\y").Text(), "D:");
    EXPECT_STREQ(DriveRootOf("E:").Text(), "E:\\");
#ifdef _WIN32
    // Without a drive the current directory's drive is taken.
    char current[MAX_PATH] = {};
    ASSERT_GT(GetCurrentDirectoryA(MAX_PATH, current), 0u);
    EXPECT_EQ(DrivePart("\\x").Text()[0], current[0]);
#endif
    EXPECT_STREQ(JoinPath("C:\\", "a.txt").Text(), "C:\\a.txt");
    EXPECT_STREQ(JoinPath("C:\\dir", "a.txt").Text(), "C:\\dir\\a.txt");
    EXPECT_STREQ(JoinPath("C:", "a.txt").Text(), "C:a.txt");
    EXPECT_STREQ(JoinPath("", "a.txt").Text(), "a.txt");
    EXPECT_STREQ(ReplaceLastComponent("C:\\dir\\old.txt", "new.txt").Text(), "C:\\dir\\new.txt");
    EXPECT_STREQ(ReplaceLastComponent("old", "new").Text(), "new");
}

TEST(PathText, DoubleByteCharactersHideTheirSecondByte)
{
    if (!ShiftJisActive())
        GTEST_SKIP() << "ANSI code page is not Shift-JIS";
    // 0x95 0x5C is one character whose second byte looks like '\'.
    const char* folder = "C:\\\x95\x5c";
    EXPECT_EQ(NextChar(folder + 3), folder + 5);
    EXPECT_STREQ(LastComponent(folder).Text(), "\x95\x5c");
    EXPECT_STREQ(JoinPath(folder, "a").Text(), "C:\\\x95\x5c\\a");
    EXPECT_STREQ(ParentPath("C:\\\x95\x5c\\b").Text(), "C:\\\x95\x5c");
    EXPECT_EQ(NextSeparator("\x95\x5c:", 0), 2u);
    EXPECT_STREQ(TrimTrailingSeparators("C:\\\x95\x5c\\").Text(), folder);
    // A lead byte before the NUL does not step over the end.
    const char* truncated = "a\x95";
    EXPECT_EQ(NextChar(truncated + 1), truncated + 2);
    EXPECT_EQ(NextChar(truncated + 2), truncated + 2);
}

TEST(PathText, SanitizeName)
{
    EXPECT_STREQ(SanitizeName(LString("\"*/:<>?\\|\x1f\xa1\xff ok.txt")).Text(), "__________\xa1\xff ok.txt");
    EXPECT_STREQ(SanitizeName(LString("")).Text(), "_");
    EXPECT_STREQ(SanitizeName(LString("tab\there")).Text(), "tab_here");
    EXPECT_STREQ(SanitizeName("a\0b", 3).Text(), "a_b");
    EXPECT_STREQ(SanitizeName(LString("..\\x")).Text(), ".._x");
    if (ShiftJisActive()) {
        EXPECT_STREQ(SanitizeName(LString("\x95\x5c.txt")).Text(), "\x95\x5c.txt");
        // A lead byte with a second byte that no character has is not kept.
        EXPECT_STREQ(SanitizeName(LString("a\x95:b")).Text(), "a_b");
    }
}

TEST(TextCompare, IgnoresAsciiLetterCase)
{
    EXPECT_TRUE(EqualsNoCase("C:\\Program Files", "c:\\PROGRAM FILES"));
    EXPECT_FALSE(EqualsNoCase("abc", "ab"));
    EXPECT_LT(CompareTextNoCase("abc", "ABD"), 0);
    EXPECT_GT(CompareTextNoCase("b", "A"), 0);
}
