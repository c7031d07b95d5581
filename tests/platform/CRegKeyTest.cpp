#include "platform/CRegKey.h"
#include "tests/support/SystemState.h"

#include <gtest/gtest.h>

#include <string>

using testsupport::KeyExists;

const char kTestRoot[] = "Software\\InstallerEngineTests";

TEST(CRegKey, WritesReadsAndDeletesValuesAndKeys)
{
    const std::string root = kTestRoot;
    {
        CRegKey key(HKEY_CURRENT_USER, (root + "\\A\\B\\C").c_str(), CRegKey::kCreateOrOpen);
        EXPECT_TRUE(key.SetString("Owner", "Sample Vendor"));
        DWORD number = 42;
        EXPECT_TRUE(key.SetValue("Count", &number, sizeof number, REG_DWORD));
        EXPECT_TRUE(key.SetValue("Multi", "a\0b\0", 5, REG_MULTI_SZ));
        EXPECT_TRUE(CRegKey(HKEY_CURRENT_USER, (root + "\\A\\D").c_str(), CRegKey::kCreateOrOpen).IsOpen());
        EXPECT_TRUE(CRegKey(HKEY_CURRENT_USER, (root + "\\E").c_str(), CRegKey::kCreateOrOpen).IsOpen());
    }
    CRegKey reader(HKEY_CURRENT_USER, (root + "\\A\\B\\C").c_str(), CRegKey::kOpenForReading);
    LString text;
    EXPECT_TRUE(reader.ReadString("Owner", text));
    EXPECT_STREQ(text.Text(), "Sample Vendor");
    EXPECT_TRUE(reader.ReadString("Multi", text));
    EXPECT_STREQ(text.Text(), "a");
    EXPECT_TRUE(reader.ReadString("Count", text)); // of any type, up to its first NUL
    EXPECT_STREQ(text.Text(), "*");
    EXPECT_FALSE(reader.ReadString("Missing", text));
    EXPECT_STREQ(text.Text(), "*");
    EXPECT_FALSE(reader.SetString("Other", "x")); // opened for reading only

    CRegKey writer(HKEY_CURRENT_USER, (root + "\\A\\B\\C").c_str(), CRegKey::kOpenForChange);
    EXPECT_TRUE(writer.DeleteValue("Owner"));
    EXPECT_FALSE(writer.DeleteValue("Owner"));
    EXPECT_FALSE(reader.ReadString("Owner", text));
    // Innermost keys first, the sibling stays. (That removal never creates a key is seen with the
    // registry lines.)
    EXPECT_TRUE(CRegKey(HKEY_CURRENT_USER, kTestRoot, CRegKey::kOpenForChange).DeleteKeyTree("A"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, root + "\\A"));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, root + "\\E"));
    EXPECT_TRUE(CRegKey(HKEY_CURRENT_USER, "Software", CRegKey::kOpenForChange).DeleteKeyTree("InstallerEngineTests"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, root));
}
