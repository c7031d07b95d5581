#include "platform/CRegKey.h"
#include "platform/CTextBuilder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

const char kTestRoot[] = "Software\\InstallerEngineTests";

bool KeyExists(const std::string& subKey)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, subKey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

} // namespace

TEST(CRegKey, WritesReadsAndDeletesValues)
{
    {
        CRegKey key(HKEY_CURRENT_USER, kTestRoot, CRegKey::kCreateOrOpen);
        ASSERT_TRUE(key.IsOpen());
        EXPECT_TRUE(key.SetString("Owner", "Sample Vendor"));
        DWORD number = 42;
        EXPECT_TRUE(key.SetValue("Count", &number, sizeof number, REG_DWORD));
        const char twoStrings[] = "a\0b\0";
        EXPECT_TRUE(key.SetValue("Multi", twoStrings, sizeof twoStrings, REG_MULTI_SZ));
    }
    CRegKey reader(HKEY_CURRENT_USER, kTestRoot, CRegKey::kOpenForReading);
    ASSERT_TRUE(reader.IsOpen());
    LString text("before");
    EXPECT_TRUE(reader.ReadString("Owner", text));
    EXPECT_STREQ(text.Text(), "Sample Vendor");
    EXPECT_TRUE(reader.ReadString("Multi", text));
    EXPECT_STREQ(text.Text(), "a");
    CTextBuilder data;
    DWORD type = 0;
    ASSERT_TRUE(reader.QueryValue("Count", data, type));
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    ASSERT_EQ(data.Length(), 4u);
    EXPECT_EQ(data.Text()[0], 42);
    text = "kept";
    EXPECT_FALSE(reader.ReadString("Missing", text));
    EXPECT_STREQ(text.Text(), "kept");
    // Opened for reading only: writes are refused by the system.
    EXPECT_FALSE(reader.SetString("Other", "x"));

    CRegKey writer(HKEY_CURRENT_USER, kTestRoot, CRegKey::kCreateOrOpen);
    EXPECT_TRUE(writer.DeleteValue("Owner"));
    EXPECT_FALSE(writer.DeleteValue("Owner"));
    EXPECT_FALSE(writer.ReadString("Owner", text));
    CRegKey parent(HKEY_CURRENT_USER, "Software", CRegKey::kCreateOrOpen);
    EXPECT_TRUE(parent.DeleteKeyTree("InstallerEngineTests"));
}

TEST(CRegKey, DeleteKeyTreeRemovesNestedKeysFirst)
{
    std::string root = std::string(kTestRoot) + "Tree";
    {
        CRegKey deep(HKEY_CURRENT_USER, (root + "\\A\\B\\C").c_str(), CRegKey::kCreateOrOpen);
        ASSERT_TRUE(deep.IsOpen());
        EXPECT_TRUE(deep.SetString("v", "1"));
        CRegKey side(HKEY_CURRENT_USER, (root + "\\A\\D").c_str(), CRegKey::kCreateOrOpen);
        CRegKey other(HKEY_CURRENT_USER, (root + "\\E").c_str(), CRegKey::kCreateOrOpen);
        ASSERT_TRUE(side.IsOpen() && other.IsOpen());
    }
    CRegKey top(HKEY_CURRENT_USER, root.c_str(), CRegKey::kCreateOrOpen);
    EXPECT_TRUE(top.DeleteKeyTree("A"));
    EXPECT_FALSE(KeyExists(root + "\\A"));
    EXPECT_TRUE(KeyExists(root + "\\E"));
    CRegKey software(HKEY_CURRENT_USER, "Software", CRegKey::kCreateOrOpen);
    EXPECT_TRUE(software.DeleteKeyTree("InstallerEngineTestsTree"));
    EXPECT_FALSE(KeyExists(root));
}

TEST(CRegKey, KeyThatDidNotOpenDoesNothing)
{
    CRegKey missing(HKEY_CURRENT_USER, "Software\\InstallerEngineTestsAbsent", CRegKey::kOpenForReading);
    EXPECT_FALSE(missing.IsOpen());
    LString text("same");
    EXPECT_FALSE(missing.ReadString("x", text));
    EXPECT_FALSE(missing.SetString("x", "y"));
    EXPECT_FALSE(missing.DeleteValue("x"));
    EXPECT_FALSE(missing.DeleteKeyTree("x"));
    EXPECT_STREQ(text.Text(), "same");
    CRegKey otherMode(HKEY_CURRENT_USER, "Software", 7);
    EXPECT_FALSE(otherMode.IsOpen());
    EXPECT_FALSE(KeyExists("Software\\InstallerEngineTestsAbsent"));
}
