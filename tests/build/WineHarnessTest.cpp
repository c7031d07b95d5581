// The Windows side of the test harness: these run under Wine in the prefix that the
// "wine" fixture prepares, and check what every other Windows test relies on.
#include "tests/support/TestArtifacts.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

TEST(WineHarness, RunsInAPrivatePrefixWithTheUsualFolders)
{
    char temp[MAX_PATH];
    DWORD n = GetTempPathA(sizeof temp, temp);
    ASSERT_GT(n, 0u);
    EXPECT_EQ(temp[n - 1], '\\');
    EXPECT_NE(GetFileAttributesA(temp), INVALID_FILE_ATTRIBUTES);

    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", 0,
                            KEY_QUERY_VALUE, &key),
              ERROR_SUCCESS);
    char value[MAX_PATH];
    DWORD size = sizeof value;
    DWORD type = 0;
    LONG rc = RegQueryValueExA(key, "ProgramFilesDir", nullptr, &type,
                               reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(key);
    ASSERT_EQ(rc, ERROR_SUCCESS);
    EXPECT_EQ(std::string(value).substr(1), ":\\Program Files");
}

TEST(WineHarness, ArtifactsFolderIsWritable)
{
    std::string path = testsupport::ArtifactPath("harness.txt");
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(file, "ok\r\n", 4, &written, nullptr));
    CloseHandle(file);
    EXPECT_EQ(written, 4u);
}
