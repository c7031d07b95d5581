// Registry lines written into and removed from Wine's registry, read back with the plain API.
#include "install/CTextLines.h"
#include "integration/CVariables.h"
#include "integration/RegistryLines.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <initializer_list>
#include <string>

namespace {

const char kBase[] = "Software\\InstallerIntegrationTests";

bool KeyExists(HKEY root, const std::string& subKey)
{
    HKEY key;
    if (RegOpenKeyExA(root, subKey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// The value's text and type, or "<missing>".
std::string ReadValue(const std::string& subKey, const char* name, DWORD* typeOut = nullptr)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, subKey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return "<missing>";
    char data[1024] = {};
    DWORD size = sizeof data - 1;
    DWORD type = 0;
    LONG result = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS)
        return "<missing>";
    if (typeOut)
        *typeOut = type;
    return std::string(data, size);
}

void DeleteKeyForTests(HKEY root, const std::string& subKey)
{
    HKEY key;
    if (RegOpenKeyExA(root, subKey.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    char child[MAX_PATH];
    for (int guard = 0; guard < 1000 && RegEnumKeyA(key, 0, child, sizeof child) == ERROR_SUCCESS; ++guard)
        DeleteKeyForTests(key, child);
    RegCloseKey(key);
    RegDeleteKeyA(root, subKey.c_str());
}

void DeleteTestKeys()
{
    DeleteKeyForTests(HKEY_CURRENT_USER, kBase);
    DeleteKeyForTests(HKEY_CURRENT_USER, "InstallerIntegrationGuard");
}

class RegistryLines : public ::testing::Test {
protected:
    RegistryLines()
    {
        DeleteTestKeys();
        m_variables.Set("DEST", "C:\\Program Files\\Sample");
    }
    ~RegistryLines() override { DeleteTestKeys(); }

    void Add(std::initializer_list<const char*> lines)
    {
        for (const char* line : lines)
            ASSERT_TRUE(m_lines.Append(LString(line)));
    }

    CVariables m_variables;
    CTextLines m_lines;
};

const std::string kKey = std::string(kBase) + "\\Sample";

} // namespace

TEST_F(RegistryLines, WritesStringValuesAndRemovesThemAgain)
{
    Add({
        "HKCU \"Software\\InstallerIntegrationTests\\Sample\"",
        "HKCU \"Software\\InstallerIntegrationTests\\Sample\" \"\" %DEST%\\App.exe",
        "HKCU \"Software\\InstallerIntegrationTests\\Sample\" Path %DEST%",
        "HKCU \"Software\\InstallerIntegrationTests\\Sample\" UninstallString \"%DEST%\\Uninstall\\Uninstall.exe\"",
        "HKCU \"Software\\InstallerIntegrationTests\\Sample\" Padded two words  ",
        "HKCU \"Software\\InstallerIntegrationTests\\Sample\\Deeper\\Still\" Level 3",
    });
    WriteRegistryLines(m_variables, m_lines);

    DWORD type = 0;
    EXPECT_EQ(ReadValue(kKey, nullptr, &type), std::string("C:\\Program Files\\Sample\\App.exe") + '\0');
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(ReadValue(kKey, "Path"), std::string("C:\\Program Files\\Sample") + '\0');
    EXPECT_EQ(ReadValue(kKey, "UninstallString"),
              std::string("\"C:\\Program Files\\Sample\\Uninstall\\Uninstall.exe\"") + '\0');
    EXPECT_EQ(ReadValue(kKey, "Padded"), std::string("two words  ") + '\0');
    EXPECT_EQ(ReadValue(kKey + "\\Deeper\\Still", "Level"), std::string("3") + '\0');

    RemoveRegistryLines(m_variables, m_lines);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kKey));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kBase));
}

TEST_F(RegistryLines, ValueLinesRemoveOnlyTheirValues)
{
    Add({
        "HKCU \"Software\\InstallerIntegrationTests\\Sample\" Path %DEST%",
        "HKCU \"Software\\InstallerIntegrationTests\\Sample\" \"\" default",
    });
    WriteRegistryLines(m_variables, m_lines);
    {
        HKEY key;
        ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kKey.c_str(), 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
        RegSetValueExA(key, "UserSetting", 0, REG_SZ, reinterpret_cast<const BYTE*>("kept"), 5);
        RegCloseKey(key);
    }
    RemoveRegistryLines(m_variables, m_lines);
    EXPECT_EQ(ReadValue(kKey, "Path"), "<missing>");
    EXPECT_EQ(ReadValue(kKey, nullptr), "<missing>");
    EXPECT_EQ(ReadValue(kKey, "UserSetting"), std::string("kept") + '\0');
}

TEST_F(RegistryLines, LowerCaseRootsAreIgnoredBothWays)
{
    Add({"hkcu \"Software\\InstallerIntegrationTests\\Sample\" Path x"});
    WriteRegistryLines(m_variables, m_lines);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kKey));

    m_lines.Clear();
    Add({"HKCU \"Software\\InstallerIntegrationTests\\Sample\" Path x"});
    WriteRegistryLines(m_variables, m_lines);
    m_lines.Clear();
    Add({"hkcu \"Software\\InstallerIntegrationTests\\Sample\""});
    RemoveRegistryLines(m_variables, m_lines);
    EXPECT_EQ(ReadValue(kKey, "Path"), std::string("x") + '\0');
}

TEST_F(RegistryLines, AKeyLineWithEmptyQuotedNameDeletesTheWholeTree)
{
    Add({
        "HKCU \"Software\\InstallerIntegrationTests\\Sample\" \"\"",
        "HKCU \"Software\\InstallerIntegrationTests\\Sample\\A\\B\" Deep value",
        "HKCU \"Software\\InstallerIntegrationTests\\Sample\\C\" Other value",
    });
    WriteRegistryLines(m_variables, m_lines);
    ASSERT_TRUE(KeyExists(HKEY_CURRENT_USER, kKey + "\\A\\B"));
    m_lines.Clear();
    Add({"HKCU \"Software\\InstallerIntegrationTests\\Sample\" \"\""});
    RemoveRegistryLines(m_variables, m_lines);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kKey));
}

TEST_F(RegistryLines, ALineWithAPlaceholderThatGaveNothingIsSkippedBothWays)
{
    const char kTopKey[] = "InstallerIntegrationGuard";
    HKEY top;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kTopKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &top, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(top);
    Add({"HKCU \"%UNSET%Software\\InstallerIntegrationTests\\Sample\" Path x"});
    WriteRegistryLines(m_variables, m_lines);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kKey));

    m_lines.Clear();
    Add({"HKCU \"Software\\InstallerIntegrationTests\\Sample\" Path x"});
    WriteRegistryLines(m_variables, m_lines);
    m_lines.Clear();
    Add({
        "HKCU \"%UNSET%Software\\InstallerIntegrationTests\\Sample\" Path x",
        "HKCU \"%UNSET%\\InstallerIntegrationGuard\"",
        // Not a placeholder, but no key below its parent either: the parent's keys stay.
        "HKCU \"Software\\InstallerIntegrationTests\\\"",
    });
    RemoveRegistryLines(m_variables, m_lines);
    EXPECT_EQ(ReadValue(kKey, "Path"), std::string("x") + '\0');
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kTopKey));
}

TEST_F(RegistryLines, RemovalCreatesNoKeyAndKeepsColonsInKeyNames)
{
    const std::string colonKey = std::string(kBase) + "\\Vendor:Product";
    Add({"HKCU \"Software\\InstallerIntegrationTests\\Vendor:Product\""});
    WriteRegistryLines(m_variables, m_lines);
    ASSERT_TRUE(KeyExists(HKEY_CURRENT_USER, colonKey));
    // The value line's key is gone already.
    Add({"HKCU \"Software\\InstallerIntegrationTests\\Sample\" Path x"});
    RemoveRegistryLines(m_variables, m_lines);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kKey));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, colonKey));
    // Split at the colon as a path is, the parent would be a key named after the current drive.
    char current[MAX_PATH] = {};
    ASSERT_GT(GetCurrentDirectoryA(MAX_PATH, current), 2u);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, std::string(current, 2)));
}

TEST_F(RegistryLines, AFailingLineDoesNotStopTheOthers)
{
    Add({
        "HKXX \"Software\\InstallerIntegrationTests\\Sample\" A 1",
        "HKCU \"\\\\\" B 2",
        "HKCU \"Software\\InstallerIntegrationTests\\Sample\" C 3",
    });
    WriteRegistryLines(m_variables, m_lines);
    EXPECT_EQ(ReadValue(kKey, "A"), "<missing>");
    EXPECT_EQ(ReadValue(kKey, "C"), std::string("3") + '\0');
}
