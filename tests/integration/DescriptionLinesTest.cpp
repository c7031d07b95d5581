// Registry, shortcut and INF lines as the integration steps read them: the tokenizer, the
// placeholders, and the fields of each kind of line.
#include "integration/CInfLine.h"
#include "integration/CLineTokenizer.h"
#include "integration/CRegistryLine.h"
#include "integration/CShortcutLine.h"
#include "integration/CVariables.h"
#include "integration/KeyPath.h"
#include "integration/Placeholders.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class DescriptionLines : public ::testing::Test {
protected:
    DescriptionLines()
    {
        m_variables.Set("DEST", "C:\\Program Files\\Sample");
        m_variables.Set("START", "C:\\Start Menu\\Programs");
        m_variables.Set("EMPTY", "");
        m_variables.Set("LOOP", "%DEST%");
    }

    CVariables m_variables;
};

} // namespace

TEST(CLineTokenizer, ReadsTokensToTheLineEnd)
{
    const struct {
        const char* line;
        std::vector<std::string> tokens;
        const char* rest; // after the tokens and the blanks behind them
    } cases[] = {
        {"  word\t\"two words\" 'it\"s' \"a'b\"  last", {"word", "two words", "it\"s", "a'b", "last"}, ""},
        {"HKLM Key \"\" data", {"HKLM", "Key", ""}, "data"},
        {"a b  \"quoted\" text \t \r\n", {"a", "b"}, "\"quoted\" text \t "},
        {"\"open quote\r\nnext line", {"open quote"}, ""},
        {"first\nsecond", {"first"}, ""},
        {"\va\fb", {"a", "b"}, ""},
        // Shift-JIS trail bytes lie above the quote and blank characters, so they never end a token.
        {"\"\x83\x54\x83\x93 \x83\x63\x81\x5b\" x", {"\x83\x54\x83\x93 \x83\x63\x81\x5b"}, "x"},
    };
    for (const auto& c : cases) {
        LString line(c.line);
        CLineTokenizer reader(line);
        for (const std::string& token : c.tokens)
            EXPECT_EQ(reader.NextToken().Text(), token) << c.line;
        reader.SkipBlanks();
        EXPECT_STREQ(reader.RestOfLine().Text(), c.rest) << c.line;
        EXPECT_TRUE(reader.NextToken().IsEmpty()) << c.line;
    }
}

TEST_F(DescriptionLines, PlaceholdersAreExpandedOnceAndTellWhetherAllGaveAValue)
{
    const struct {
        const char* text;
        const char* expanded;
        bool complete;
    } cases[] = {
        {"\"%DEST%\\App.exe\" %DEST%", "\"C:\\Program Files\\Sample\\App.exe\" C:\\Program Files\\Sample", true},
        {"100%% and 50%", "100% and 50%", true},
        {"Path %DEST", "Path C:\\Program Files\\Sample", true},
        {"<%LOOP%>", "<%DEST%>", true},
        {"%START%\\Group", "C:\\Start Menu\\Programs\\Group", true},
        {"%UNSET%\\Group", "\\Group", false},
        {"%dest%x", "x", false},
        {"%EMPTY%", "", false},
        {"", "", true},
    };
    for (const auto& c : cases) {
        bool complete = !c.complete;
        EXPECT_STREQ(ExpandPlaceholders(m_variables, LString(c.text), &complete).Text(), c.expanded) << c.text;
        EXPECT_EQ(complete, c.complete) << c.text;
    }
    const char withNul[] = "%DEST%\0%DEST%";
    EXPECT_STREQ(ExpandPlaceholders(m_variables, withNul, sizeof withNul - 1).Text(), "C:\\Program Files\\Sample");
}

TEST_F(DescriptionLines, RegistryLines)
{
    const RegistryRoot LM = RegistryRoot::LocalMachine, CU = RegistryRoot::CurrentUser,
                       CR = RegistryRoot::ClassesRoot, None = RegistryRoot::Unknown;
    const struct {
        const char* line;
        RegistryRoot root;
        const char* key;
        const char* name;
        const char* data;
        bool usable;
    } cases[] = {
        {"HKLM \"SOFTWARE\\Sample\\Key\"", LM, "SOFTWARE\\Sample\\Key", "", "", true},
        {"HKLM Key \"\"", LM, "Key", "", "", true},
        {"HKCU \"Key\" \"\" %DEST%\\App.exe", CU, "Key", "", "C:\\Program Files\\Sample\\App.exe", true},
        // The data is the rest of the line as it stands; a shell verb's "%1" is written "%%1".
        {"HKCR Key Command \"%DEST%\\App.exe\" \"%%1\"  ", CR, "Key", "Command",
         "\"C:\\Program Files\\Sample\\App.exe\" \"%1\"  ", true},
        // Placeholders are expanded before the line is split.
        {"HKLM %DEST%\\Key Name data", LM, "C:\\Program", "Files\\Sample\\Key", "Name data", true},
        {"HKLM \"%DEST%\\Key\" Name data", LM, "C:\\Program Files\\Sample\\Key", "Name", "data", true},
        {"hklm Key", None, "Key", "", "", false},
        {"HKEY_LOCAL_MACHINE Key", None, "Key", "", "", false},
        {"HKU Key", None, "Key", "", "", false},
        {"HKCU \"%UNSET%\\Sample\"", CU, "\\Sample", "", "", false},
        {"HKCU \"Software\\%UNSET%Sample\" Path x", CU, "Software\\Sample", "Path", "x", false},
        {"HKCU Key Path %UNSET%", CU, "Key", "Path", "", false},
    };
    for (const auto& c : cases) {
        CRegistryLine line(m_variables, LString(c.line));
        EXPECT_EQ(line.Root(), c.root) << c.line;
        EXPECT_STREQ(line.Key().Text(), c.key) << c.line;
        EXPECT_STREQ(line.Name().Text(), c.name) << c.line;
        EXPECT_STREQ(line.Data().Text(), c.data) << c.line;
        EXPECT_EQ(line.IsUsable(), c.usable) << c.line;
    }
}

TEST(KeyPath, SplitsAtBackslashesOnly)
{
    const struct {
        const char* key;
        const char* parent;
        const char* name;
    } cases[] = {
        {"Software\\Sample\\Key", "Software\\Sample", "Key"},
        {"Sample", "", "Sample"},
        {"Software\\Vendor:Product", "Software", "Vendor:Product"},
        {"C:\\Sample", "C:", "Sample"},
        {"Software\\Sample\\", "Software", ""},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_STREQ(ParentKey(c.key).Text(), c.parent) << c.key;
        EXPECT_STREQ(LastKeyName(c.key).Text(), c.name) << c.key;
    }
}

TEST_F(DescriptionLines, ShortcutLines)
{
    const struct {
        const char* line;
        const char* shortcut;
        const char* target;
        bool creates;
        bool mayRemove;
    } cases[] = {
        {"\"%START%\\Group\\Sample.lnk\" \"%DEST%\\App.exe\" ignored", "C:\\Start Menu\\Programs\\Group\\Sample.lnk",
         "C:\\Program Files\\Sample\\App.exe", true, true},
        {"\"%START%\\Group\"", "C:\\Start Menu\\Programs\\Group", "", false, true},
        {"", "", "", false, false},
        // Removal never reaches a drive root or a path that is not inside some folder.
        {"C:\\", "C:\\", "", false, false},
        {"\\Group", "\\Group", "", false, false},
        {"Group", "Group", "", false, false},
        // A line in which a placeholder gave nothing is skipped both ways.
        {"\"%UNSET%\\Vendor\\Product\"", "\\Vendor\\Product", "", false, false},
        {"\"%START%\\Sample.lnk\" \"%UNSET%\\App.exe\"", "C:\\Start Menu\\Programs\\Sample.lnk", "\\App.exe", false,
         false},
    };
    for (const auto& c : cases) {
        CShortcutLine line(m_variables, LString(c.line));
        EXPECT_STREQ(line.Shortcut().Text(), c.shortcut) << c.line;
        EXPECT_STREQ(line.Target().Text(), c.target) << c.line;
        EXPECT_EQ(line.CreatesShortcut(), c.creates) << c.line;
        EXPECT_EQ(line.MayRemove(), c.mayRemove) << c.line;
    }
}

TEST_F(DescriptionLines, InfLines)
{
    const struct {
        const char* line;
        const char* path;
        const char* section;
        bool onNt, onWindows, complete;
    } cases[] = {
        // The path's placeholders are expanded after the line has been split.
        {"%DEST%\\driver.inf Driver.Install nt", "C:\\Program Files\\Sample\\driver.inf", "Driver.Install", true, false,
         true},
        {"\"%DEST%\\driver.inf\"", "C:\\Program Files\\Sample\\driver.inf", "", true, true, true},
        {"a.inf S win", "a.inf", "S", false, true, true},
        {"a.inf S NT", "a.inf", "S", true, true, true}, // conditions are exact lower case
        {"a.inf S other", "a.inf", "S", true, true, true},
        {"%UNSET%\\driver.inf Install", "\\driver.inf", "Install", true, true, false},
    };
    for (const auto& c : cases) {
        CInfLine line(m_variables, LString(c.line));
        EXPECT_STREQ(line.InfPath().Text(), c.path) << c.line;
        EXPECT_STREQ(line.Section().Text(), c.section) << c.line;
        EXPECT_EQ(line.AppliesTo(true), c.onNt) << c.line;
        EXPECT_EQ(line.AppliesTo(false), c.onWindows) << c.line;
        EXPECT_EQ(line.IsComplete(), c.complete) << c.line;
    }
}
