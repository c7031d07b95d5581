// Registry lines written into and removed from Wine's registry.
#include "install/CTextLines.h"
#include "integration/CVariables.h"
#include "integration/RegistryLines.h"
#include "platform/CRegKey.h"
#include "platform/CTextBuilder.h"
#include "tests/support/SystemState.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <initializer_list>
#include <string>

namespace {

const std::string kBase = "Software\\InstallerIntegrationTests";
const std::string kKey = kBase + "\\Sample";
const char kGuard[] = "InstallerIntegrationGuard";

using testsupport::KeyExists;

// The value's text with its type, or "<missing>".
std::string ReadValue(const std::string& subKey, const char* name)
{
    CTextBuilder data;
    DWORD type = 0;
    if (!CRegKey(HKEY_CURRENT_USER, subKey.c_str(), CRegKey::kOpenForReading).QueryValue(name, data, type) ||
        data.IsEmpty())
        return "<missing>";
    const std::string text(data.Text(), data.Length() - 1);
    return text + (type == REG_SZ && data.Text()[text.size()] == '\0' ? "" : " <not REG_SZ>");
}

class RegistryLines : public ::testing::Test {
protected:
    RegistryLines()
    {
        DeleteTestKeys();
        m_variables.Set("DEST", "C:\\Program Files\\Sample");
    }
    ~RegistryLines() override { DeleteTestKeys(); }

    static void DeleteTestKeys()
    {
        CRegKey(HKEY_CURRENT_USER, "Software", CRegKey::kOpenForChange).DeleteKeyTree("InstallerIntegrationTests");
        RegDeleteKeyA(HKEY_CURRENT_USER, kGuard);
    }

    // Writes (or removes) the lines given, alone.
    void Write(std::initializer_list<const char*> lines) { Apply(WriteRegistryLines, lines); }
    void Remove(std::initializer_list<const char*> lines) { Apply(RemoveRegistryLines, lines); }
    void Apply(void (*step)(const CVariables&, const CTextLines&), std::initializer_list<const char*> lines)
    {
        CTextLines text;
        for (const char* line : lines)
            ASSERT_TRUE(text.Append(LString(line)));
        step(m_variables, text);
    }

    CVariables m_variables;
};

} // namespace

TEST_F(RegistryLines, WritesItsValuesAndRemovesThemWithoutTheUsers)
{
    ASSERT_TRUE(CRegKey(HKEY_CURRENT_USER, kGuard, CRegKey::kCreateOrOpen).IsOpen());
    const auto lines = {
        "HKCU \"Software\\InstallerIntegrationTests\\Sample\" \"\" %DEST%\\App.exe",
        "HKCU \"Software\\InstallerIntegrationTests\\Sample\" Path %DEST%",
        "HKXX \"Software\\InstallerIntegrationTests\\Sample\" Unknown 1", // a failing line stops nothing
        "HKCU \"\\\\\" Nowhere 2",
        "HKCU \"Software\\InstallerIntegrationTests\\Sample\" Padded two words  ",
        // Removed after the key above it (removal goes backwards), the value creates no key again.
        "HKCU \"Software\\InstallerIntegrationTests\\Sample\\Owned\\Deeper\\Still\" Level 3",
        "HKCU \"Software\\InstallerIntegrationTests\\Sample\\Owned\" \"\"",
        "HKCU \"Software\\InstallerIntegrationTests\\Vendor:Product\"",
        // A line in which a placeholder gave nothing is skipped both ways.
        "HKCU \"%UNSET%Software\\InstallerIntegrationTests\\Sample\" UserSetting x",
        "HKCU \"%UNSET%\\InstallerIntegrationGuard\"",
        "HKCU \"Software\\InstallerIntegrationTests\\\"", // no key name: on removal its parent's keys stay
    };
    Write(lines);
    EXPECT_EQ(ReadValue(kKey, "UserSetting"), "<missing>");
    EXPECT_EQ(ReadValue(kKey, nullptr), "C:\\Program Files\\Sample\\App.exe");
    EXPECT_EQ(ReadValue(kKey, "Path"), "C:\\Program Files\\Sample");
    EXPECT_EQ(ReadValue(kKey, "Unknown"), "<missing>");
    EXPECT_EQ(ReadValue(kKey, "Padded"), "two words  ");
    EXPECT_EQ(ReadValue(kKey + "\\Owned\\Deeper\\Still", "Level"), "3");
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kBase + "\\Vendor:Product"));

    ASSERT_TRUE(CRegKey(HKEY_CURRENT_USER, kKey.c_str(), CRegKey::kOpenForChange).SetString("UserSetting", "kept"));
    Remove(lines);
    // Value lines take their values; a key line takes its key with everything below it.
    EXPECT_EQ(ReadValue(kKey, nullptr), "<missing>");
    EXPECT_EQ(ReadValue(kKey, "Path"), "<missing>");
    EXPECT_EQ(ReadValue(kKey, "Padded"), "<missing>");
    EXPECT_EQ(ReadValue(kKey, "UserSetting"), "kept");
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kKey + "\\Owned"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kBase + "\\Vendor:Product"));
    // Split at the colon as a path is, the parent would be a key named after the current drive.
    char current[MAX_PATH] = {};
    ASSERT_GT(GetCurrentDirectoryA(MAX_PATH, current), 2u);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, std::string(current, 2)));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kGuard));
}
