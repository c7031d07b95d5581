// Registry, shortcut and INF lines as the integration steps read them.
#include "integration/CInfLine.h"
#include "integration/CRegistryLine.h"
#include "integration/CShortcutLine.h"
#include "integration/CVariables.h"
#include "integration/KeyPath.h"

#include <gtest/gtest.h>

namespace {

class DescriptionLines : public ::testing::Test {
protected:
    DescriptionLines()
    {
        m_variables.Set("DEST", "C:\\Program Files\\Sample");
        m_variables.Set("START", "C:\\Start Menu\\Programs");
    }

    CRegistryLine Registry(const char* line) const { return CRegistryLine(m_variables, LString(line)); }
    CShortcutLine Shortcut(const char* line) const { return CShortcutLine(m_variables, LString(line)); }

    CVariables m_variables;
};

} // namespace

TEST_F(DescriptionLines, RegistryLineShapes)
{
    CRegistryLine key = Registry("HKLM \"SOFTWARE\\Sample\\Key\"");
    EXPECT_EQ(key.Root(), RegistryRoot::LocalMachine);
    EXPECT_STREQ(key.Key().Text(), "SOFTWARE\\Sample\\Key");
    EXPECT_TRUE(key.IsKeyLine());

    CRegistryLine byDefault = Registry("HKCU \"SOFTWARE\\Sample\\Key\" \"\" %DEST%\\App.exe");
    EXPECT_EQ(byDefault.Root(), RegistryRoot::CurrentUser);
    EXPECT_TRUE(byDefault.Name().IsEmpty());
    EXPECT_STREQ(byDefault.Data().Text(), "C:\\Program Files\\Sample\\App.exe");
    EXPECT_FALSE(byDefault.IsKeyLine());

    // A shell verb's "%1" is written "%%1".
    CRegistryLine quoted = Registry("HKCR Key Command \"%DEST%\\App.exe\" \"%%1\"  ");
    EXPECT_EQ(quoted.Root(), RegistryRoot::ClassesRoot);
    EXPECT_STREQ(quoted.Name().Text(), "Command");
    EXPECT_STREQ(quoted.Data().Text(), "\"C:\\Program Files\\Sample\\App.exe\" \"%1\"  ");

    CRegistryLine emptyName = Registry("HKLM Key \"\"");
    EXPECT_TRUE(emptyName.IsKeyLine());
}

TEST_F(DescriptionLines, RegistryRootsAreUpperCaseOnly)
{
    EXPECT_TRUE(Registry("HKLM Key").IsUsable());
    EXPECT_FALSE(Registry("hklm Key").IsUsable());
    EXPECT_FALSE(Registry("HKEY_LOCAL_MACHINE Key").IsUsable());
    EXPECT_FALSE(Registry("\"\" Key").IsUsable());
    EXPECT_EQ(CRegistryLine::RootOf(LString("HKU")), RegistryRoot::Unknown);
}

TEST_F(DescriptionLines, ADestinationWithSpacesSplitsUnquotedTokensOnly)
{
    CRegistryLine unquoted = Registry("HKLM %DEST%\\Key Name data");
    EXPECT_STREQ(unquoted.Key().Text(), "C:\\Program");
    EXPECT_STREQ(unquoted.Name().Text(), "Files\\Sample\\Key");
    EXPECT_STREQ(unquoted.Data().Text(), "Name data");

    CRegistryLine quoted = Registry("HKLM \"%DEST%\\Key\" Name data");
    EXPECT_STREQ(quoted.Key().Text(), "C:\\Program Files\\Sample\\Key");
}

TEST_F(DescriptionLines, ALineInWhichAPlaceholderGaveNothingIsSkippedWhole)
{
    for (const char* line : {"HKCU \"%UNSET%\\Sample\"", "HKCU \"Software\\%UNSET%Sample\" Path x", "HKCU Key Path %UNSET%"})
        EXPECT_FALSE(Registry(line).IsUsable()) << line;
    EXPECT_TRUE(Registry("HKCU \"%DEST%\" Path 100%%").IsUsable());
    EXPECT_FALSE(CInfLine(m_variables, LString("%UNSET%\\driver.inf Install")).IsComplete());
    EXPECT_TRUE(CInfLine(m_variables, LString("%DEST%\\driver.inf Install")).IsComplete());
    // "%START%\Vendor\Product" with START unset.
    for (const char* line : {"\"%UNSET%\\Vendor\\Product\"", "\"%START%\\Sample.lnk\" \"%UNSET%\\App.exe\""}) {
        EXPECT_FALSE(Shortcut(line).CreatesShortcut()) << line;
        EXPECT_FALSE(Shortcut(line).MayRemove()) << line;
    }
}

TEST(KeyPath, SplitsAtBackslashesOnly)
{
    struct Case {
        const char* key;
        const char* parent;
        const char* name;
    };
    const Case cases[] = {
        {"Software\\Sample\\Key", "Software\\Sample", "Key"},
        {"Sample", "", "Sample"},
        {"Software\\Vendor:Product", "Software", "Vendor:Product"},
        {"C:\\Sample", "C:", "Sample"},
        {"Software\\Sample\\", "Software", ""},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(ParentKey(c.key).Text(), c.parent) << c.key;
        EXPECT_STREQ(LastKeyName(c.key).Text(), c.name) << c.key;
    }
}

TEST_F(DescriptionLines, ShortcutLines)
{
    CShortcutLine link = Shortcut("\"%START%\\Sample Group\\Sample.lnk\" \"%DEST%\\App.exe\" ignored");
    EXPECT_STREQ(link.Shortcut().Text(), "C:\\Start Menu\\Programs\\Sample Group\\Sample.lnk");
    EXPECT_STREQ(link.Target().Text(), "C:\\Program Files\\Sample\\App.exe");
    EXPECT_TRUE(link.CreatesShortcut());

    CShortcutLine folder = Shortcut("\"%START%\\Sample Group\"");
    EXPECT_FALSE(folder.CreatesShortcut());
    EXPECT_TRUE(folder.MayRemove());
    EXPECT_FALSE(Shortcut("").CreatesShortcut());
    // Removal never reaches a drive root or a path that is not inside some folder.
    for (const char* line : {"C:\\", "\\Group", "Group", ""})
        EXPECT_FALSE(Shortcut(line).MayRemove()) << line;
}

TEST_F(DescriptionLines, InfLinesExpandThePathAfterSplitting)
{
    CInfLine line(m_variables, LString("%DEST%\\driver.inf Driver.Install nt"));
    EXPECT_STREQ(line.InfPath().Text(), "C:\\Program Files\\Sample\\driver.inf");
    EXPECT_STREQ(line.Section().Text(), "Driver.Install");
    EXPECT_TRUE(line.AppliesTo(true));
    EXPECT_FALSE(line.AppliesTo(false));

    CInfLine quoted(m_variables, LString("\"%DEST%\\driver.inf\""));
    EXPECT_STREQ(quoted.InfPath().Text(), "C:\\Program Files\\Sample\\driver.inf");
    EXPECT_TRUE(quoted.Section().IsEmpty());
}

TEST_F(DescriptionLines, InfConditionsAreExactLowerCase)
{
    EXPECT_FALSE(CInfLine(m_variables, LString("a.inf S win")).AppliesTo(true));
    EXPECT_TRUE(CInfLine(m_variables, LString("a.inf S win")).AppliesTo(false));
    EXPECT_TRUE(CInfLine(m_variables, LString("a.inf S NT")).AppliesTo(false));
    EXPECT_TRUE(CInfLine(m_variables, LString("a.inf S other")).AppliesTo(true));
    EXPECT_TRUE(CInfLine(m_variables, LString("a.inf S")).AppliesTo(false));
}
