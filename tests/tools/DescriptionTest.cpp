// The packer's side of descriptions and names: code page conversion, the description packed
// section by section, and the check's messages on a corpus of faulty descriptions.
#include "install/CInstDesc.h"
#include "tools/codepage/CCodePage.h"
#include "tools/mkinstaller/CDescCheck.h"
#include "tools/mkinstaller/CDescText.h"
#include "tools/mkinstaller/CDiagnostics.h"
#include "tools/mkinstaller/WindowsName.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <random>
#include <iterator>
#include <string>

namespace {

struct Conversion {
    unsigned codePage;
    const char* utf8;
    const char* bytes; // null: no exact form
};

class CodePageTest : public ::testing::TestWithParam<Conversion> {};

TEST_P(CodePageTest, ConvertsExactlyOrRefuses)
{
    const Conversion& c = GetParam();
    const CCodePage codePage(c.codePage);
    ASSERT_TRUE(codePage.IsUsable());
    std::string out, back;
    if (!c.bytes) {
        EXPECT_FALSE(codePage.Encode(c.utf8, CCodePage::kBuildText, out)) << out;
        return;
    }
    ASSERT_TRUE(codePage.Encode(c.utf8, CCodePage::kBuildText, out));
    EXPECT_EQ(out, c.bytes);
    ASSERT_TRUE(codePage.Decode(out, CCodePage::kUtf8, back));
    EXPECT_EQ(back, c.utf8);
}

INSTANTIATE_TEST_SUITE_P(Tables, CodePageTest, ::testing::Values(
    Conversion{1252, "café Ünïcode", "caf\xE9 \xDCn\xEF" "code"},
    Conversion{932, "日本語.txt", "\x93\xFA\x96\x7B\x8C\xEA.txt"},
    Conversion{932, "ソ表", "\x83\x5C\x95\x5C"}, // second bytes that are '\' in ASCII
    Conversion{936, "中文", "\xD6\xD0\xCE\xC4"},
    Conversion{1250, "Łódź", "\xA3\xF3\x64\x9F"},
    Conversion{1252, "日本", nullptr},
    Conversion{932, "café", nullptr},
    Conversion{932, "¥", nullptr},       // iconv's look-alike would be '\'
    Conversion{1252, "\xC3", nullptr})); // not UTF-8

// Names Windows cannot create, names it can, and the capitals two names are compared in.
TEST(WindowsName, RefusesWhatWindowsCannotCreateAndComparesInCapitals)
{
    for (const char* name : {"a:b", "con.txt", "NUL", "com9.log", "LPT1", "trailing.", "blank ", "..", "tab\there"})
        EXPECT_FALSE(IsWindowsName(name)) << name;
    for (const char* name : {"com0", "lpt10.txt", "console", "a.b c", ".hidden"})
        EXPECT_TRUE(IsWindowsName(name)) << name;
    EXPECT_EQ(UpperName("résumé ā ĺ я ς ÿ ａ"), "RÉSUMÉ Ā Ĺ Я Σ Ÿ Ａ");
}

// The problems as the packer prints them, one a line.
std::string Printed(const CDiagnostics& problems)
{
    std::string all;
    for (const Diagnostic& d : problems.All())
        all += (d.path.empty() ? std::to_string(d.line) + ":" + std::to_string(d.column) : d.path) +
               (d.error ? ": error: " : ": warning: ") +
               d.message + "\n";
    return all;
}

std::string Pack(const std::string& text, unsigned codePage, std::string& messages)
{
    CTextPositions positions(text);
    CDiagnostics problems;
    std::string packed;
    CDescText::ToPackage(text, codePage, packed, positions, problems);
    messages = Printed(problems);
    return packed;
}

std::string Messages(const std::string& text, const DescProduct* product = nullptr, unsigned codePage = 1252,
                     std::string* note = nullptr)
{
    CDiagnostics problems;
    std::string packed;
    CDescCheck::Check(text, codePage, product, problems, packed);
    if (note && !problems.All().empty())
        *note = problems.All()[0].note;
    return Printed(problems);
}

TEST(DescriptionText, UtfEightSectionsGoToTheirLanguagesCodePages)
{
    std::string messages;
    const std::string packed =
        Pack("\xEF\xBB\xBF<Folder>\r\n\"Café\"\r\n<InsText>1041\r\n日本語\r\n<InsText>1049\r\nПривет\r\n", 1252, messages);
    EXPECT_EQ(messages, "");
    const std::string own = "\r\n<CodePage>1252\r\n";
    EXPECT_EQ(packed, "<Folder>\r\n\"Caf\xE9\"\r\n<InsText>1041\r\n\x93\xFA\x96\x7B\x8C\xEA\r\n"
                      "<InsText>1049\r\n\xCF\xF0\xE8\xE2\xE5\xF2\r\n" + own);
    EXPECT_EQ(CDescText::RecordedCodePage(packed), 1252u);
    EXPECT_EQ(CDescText::FromPackage(packed, 0), "<Folder>\r\n\"Café\"\r\n<InsText>1041\r\n日本語\r\n"
                                                 "<InsText>1049\r\nПривет\r\n" + own);
    // A description that is not UTF-8 is taken as 8-bit text already, and says so.
    EXPECT_EQ(Pack("<Folder>\n\"Caf\xE9\"\n", 932, messages), "<Folder>\n\"Caf\xE9\"\n\r\n<CodePage>932\r\n");
    EXPECT_EQ(messages, "2:5: warning: byte 0xE9 is not UTF-8: the description is packed unconverted, as text of code "
                        "page 932 (a section tagged with a language: of its code page)\n2:5: warning: byte 0xE9 begins no "
                        "character of code page 932: Windows shows something else in its place\n");
    // Every character without a form in its code page is reported where it stands.
    Pack("<Folder>\n\"X\"\n<InsText>\nPrice: 5 ¥ or 6 ¢\n<InsText>1041\n価格 ½\n", 932, messages);
    EXPECT_EQ(messages, "4:10: error: \"¥\" in the section <InsText> has no form in code page 932\n"
                        "4:17: error: \"¢\" in the section <InsText> has no form in code page 932\n"
                        "6:4: error: \"½\" in the section <InsText>1041 has no form in code page 932\n");
}

const char* const kTextKeys[kDescTextCount] = {"InsWin", "Folder", "InsTitle", "InsText", "InsExist", "InsDone",
                                               "UniWin", "UniTitle", "UniText", "UniDone", "RegText"};

// What the installer reads from the packed bytes, for users of three languages, is what the
// check reports it reads, and at the vendor's line of that section; and the packer's own
// section changes nothing of what the vendor's text gives.
void ExpectOneReading(const std::string& text)
{
    CDiagnostics problems;
    std::string packed;
    std::vector<DescSectionRead> sections;
    CDescCheck::Check(text, 1252, nullptr, problems, packed, &sections);
    std::vector<std::string> lines(1);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') {
            lines.back() += text[i];
            continue;
        }
        i += text.compare(i, 2, "\r\n") == 0 ? 1 : 0;
        lines.emplace_back();
    }
    for (unsigned user : {1033u, 1041u, 1036u}) {
        CInstDesc installer, vendor;
        installer.Parse(packed.data(), packed.size(), user);
        vendor.Parse(text.data(), text.size(), user);
        for (int field = 0; field < kDescTextCount + 2; ++field) {
            const bool list = field >= kDescTextCount;
            const DescList which = field == kDescTextCount ? kDescWLRegs : kDescWLLinks;
            std::string read = list ? "" : installer.Text(DescText(field)).Text(), reported, given;
            for (int i = 0; list && i < installer.List(which).Count(); ++i)
                read += (i ? "\r\n" : "") + std::string(installer.List(which).At(i).Text());
            for (int i = 0; list && i < vendor.List(which).Count(); ++i)
                given += (i ? "\r\n" : "") + std::string(vendor.List(which).At(i).Text());
            const std::string key = list ? (which == kDescWLRegs ? "WLRegs" : "WLLinks") : kTextKeys[field];
            for (const DescSectionRead& section : sections) {
                if (section.key != key || std::find(section.users.begin(), section.users.end(), user) == section.users.end())
                    continue;
                reported = section.value;
                EXPECT_NE(lines[size_t(section.line - 1)].find("<" + key + ">"), std::string::npos) << text;
            }
            EXPECT_EQ(read, reported) << key << " for " << user << " in\n" << text;
            EXPECT_EQ(read, list ? given : vendor.Text(DescText(field)).Text()) << key << " in\n" << text;
        }
    }
}

struct Fault {
    const char* text;  // after a <Folder> section, unless whole
    const char* first; // the only message: "line:column: error|warning: ..."; "": none
    const char* note = nullptr;
    unsigned codePage = 1252;
    bool whole = false;
};

class DescriptionCheckTest : public ::testing::TestWithParam<Fault> {};

TEST_P(DescriptionCheckTest, ReportsTheFaultAtItsLine)
{
    const Fault& fault = GetParam();
    const std::string text = std::string(fault.whole ? "" : "<Folder>\n\"Product\"\n") + fault.text;
    std::string note;
    EXPECT_EQ(Messages(text, nullptr, fault.codePage, &note), *fault.first ? std::string(fault.first) + "\n" : "");
    if (fault.note) {
        EXPECT_EQ(note, fault.note);
    }
    if (std::none_of(text.begin(), text.end(), [](char c) { return c & 0x80; }) || !CDescText::IsUtf8(text))
        ExpectOneReading(text);
}

INSTANTIATE_TEST_SUITE_P(Corpus, DescriptionCheckTest, ::testing::Values(
    Fault{"<InsTxt>\nHello\n", "3:1: error: unknown section <InsTxt>: it is not read"},
    Fault{"<InsText>Japanese\nHello\n",
          "3:10: error: \"Japanese\" after <InsText> is not a language number: the section is read as 1033 (English)"},
    Fault{"<InsText>1041 Japanese\nX\n<InsText>\n\n<InsText>\nHello\n", ""}, // read as 1041; empty changes nothing
    Fault{"<InsText>-1041\nX\n",
          "3:1: error: no user ever gets <InsText>-1041: Windows has no language 64495 (the installer reads -1041 so)"},
    Fault{"<InsWin>1301\nX\n", "3:1: error: no user ever gets <InsWin>1301: Windows has no language 1301 (the installer reads 1301 so)"},
    Fault{"<InsWin>99999999999\nX\n",
          "3:1: error: no user ever gets <InsWin>999999999: Windows has no language 51711 (the installer reads 999999999 so)"},
    Fault{"<Folder>1041\n\"X\"\n", "1:1: error: users of language 1033 get no <Folder>: they install into a folder named \"_\"",
          nullptr, 1252, true},
    Fault{"<Folder>\n\"\x83\x5C\"\n", "2:2: warning: byte 0x83 is not UTF-8: the description is packed unconverted, as text "
          "of code page 932 (a section tagged with a language: of its code page)", nullptr, 932, true}, // Shift-JIS
    Fault{"\xEF\xBB\xBF <Folder>\n\"M\xFCller\"\n", "2:3: warning: byte 0xFC is not UTF-8: the description is packed "
          "unconverted, as text of code page 1252 (a section tagged with a language: of its code page)", nullptr, 1252, true},
    Fault{"<WLlinks>\n", "3:1: error: unknown section <WLlinks>: it is not read", "did you mean <WLLinks>?"},
    Fault{"<WRegs>\nHKCR \".smp\"\nHKCR \".smp\" \"\" Sample.Document\n",
          "4:6: warning: uninstalling deletes HKCR\\.smp with everything below it"},
    Fault{"<WRegs>\nHKCR \"Sample.Document\\shell\\open\\command\" \"\" \"%DEST%\\App.exe\" %1\n",
          "4:63: error: unknown placeholder \"%1\" gives nothing: the line is skipped", "a percent sign is written %%: %%1 gives the text %1"},
    Fault{"<WRegs>\nHKLM \"SOFTWARE\\V\" Dir %DEST\n",
          "4:23: warning: the placeholder \"%DEST\" has no closing '%': it is read to the end of the line"},
    Fault{"<WRegs>\nHKLM \"SOFTWARE\\V\" Dir %DEST\\App.exe\n", "4:23: error: the placeholder %DEST has no closing '%': the "
          "installer reads the name \"DEST\\App.exe\", which gives nothing, and skips the line"},
    Fault{"<WRegs>\nHKLM \"SOFTWARE\\V\" Name\n", "4:19: warning: no data after the value name \"Name\": the value is written empty"},
    Fault{"<WRegs>\nHKCU InstallDir \"%DEST%\"\n",
          "4:6: error: the key \"InstallDir\" lies directly under HKCU: a line reads hive, key, value name, then the data"},
    Fault{"<InsText\nHello\n", "3:1: error: the tag <InsText has no '>': the section is not read"},
    Fault{"<>\n<InsText>\nHello\n", "3:1: error: an empty tag ends the description: nothing after it is read"},
    Fault{"<InsText>\nA\n<InsText>1033\nB\n", "5:1: warning: a second <InsText> for language 1033 is never used: the first one wins"},
    Fault{"<InsWin>\nTitle\nmore\n", "5:1: warning: only the first line of <InsWin> is used"},
    Fault{"<WRegs>\nhklm \"SOFTWARE\\V\" A b\n", "4:1: error: unknown hive \"hklm\": the line is skipped", "write HKLM"},
    Fault{"<WRegs>\nHKLM \"\\SOFTWARE\\V\" A b\n", "4:6: error: the key \"\\SOFTWARE\\V\" begins with '\\'"},
    Fault{"<WRegs>\nHKLM \"SOFTWARE\\V/W\" A b\n",
          "4:6: warning: the key \"SOFTWARE\\V/W\" holds '/', which is part of a key's name, not a separator"},
    Fault{"<InsWin>\n\nTitle\n", "5:1: warning: the first line after <InsWin> is empty, so the section is not used"},
    Fault{"<CodePage>932\n", "3:1: error: unknown section <CodePage>: it is not read",
          "the packer writes this section itself; choose the code page with --codepage"},
    Fault{"<WLinks>\n\"%START%\\X.lnk\" \"%DEST%\\X.exe\" more\n", "4:32: warning: text after the target is not read"},
    Fault{"<WInfs>\n%DEST%\\driver.txt Install\n", "4:1: warning: \"%DEST%\\driver.txt\" does not end in \".inf\""},
    Fault{"<WInfs>\n%DEST%\\driver.inf Install nt more\n", "4:30: warning: text after the condition is not read"},
    Fault{"<WRegs>\nHKLM \"SOFTWARE\\V A b\n", "4:6: error: the quote opened here is not closed: the rest of the line becomes one field"},
    Fault{"<WRegs>\nHKLM\n", "4:5: error: no key after the hive"},
    Fault{"<WRegs>\nHKLM \"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\"\n",
          "4:6: error: uninstalling deletes the key \"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\" with everything below it"},
    Fault{"<WRegs>\nHKLM \"SOFTWARE\\V\" A b\n\nHKLM \"SOFTWARE\\V\" C d\n",
          "6:1: error: this line is not read: the list <WRegs> ends at the empty line above it"},
    Fault{"<WRegs>\nHKLM \"SOFTWARE\\V\" Dir %Dest%\n", "4:23: error: unknown placeholder \"%Dest%\" gives nothing: the line is skipped",
          "placeholder names are written in capitals: %Dest% is not %DEST%"},
    Fault{"<WRegs>\nHKLM SOFTWARE\\%DEST% A b\n",
          "4:6: warning: the key is not quoted, but its placeholder may hold blanks (\"C:\\Program Files\\...\"), which would end it there"},
    Fault{"<WLinks>\n\"%START%\\G\\App\" \"%DEST%\\App.exe\"\n", "4:1: error: the shortcut \"%START%\\G\\App\" does not end in \".lnk\""},
    Fault{"<WLinks>\n\"%START%\\G\\App.lnk\"\n", "4:1: error: the shortcut \"%START%\\G\\App.lnk\" has no target: nothing is created"},
    Fault{"<WLinks>\n\"%START%\"\n", "4:1: error: uninstalling deletes \"%START%\" with everything inside it"},
    Fault{"<WLinks>\n\"G\\App.lnk\" \"%DEST%\\App.exe\"\n", "4:1: error: \"G\\App.lnk\" is not a full path"},
    Fault{"<WInfs>\n%DEST%\\driver.inf\n", "4:18: warning: no install section: the INF is registered, but none of its sections is installed"},
    Fault{"<WInfs>\ndriver.inf Install\n", "4:1: error: \"driver.inf\" is not a full path"},
    Fault{"<WInfs>\n%DEST%\\driver.inf Install NT\n", "4:27: warning: \"NT\" is no condition: the line runs on every system"},
    Fault{"<RegApps>\nyes\n", "3:1: warning: <RegApps> asks for a user name, but no <RegText> gives the question's text"}));

TEST(DescriptionCheck, FaultsOfTheWholeText)
{
    EXPECT_EQ(Messages("Setup\n<InsWin>\nTitle\n"), "1:1: error: text before the first section is not read\n"
                                                   "1:1: error: no <Folder> section: the installer needs the name of the folder it creates\n");
    EXPECT_EQ(Messages("<Folder>\nSample Tool\n"), "2:1: warning: only \"Sample\" is used as the folder name\n");
    EXPECT_EQ(Messages("<Folder>\n\"M\xFCller \x81\"\n", nullptr, 932),
              "2:3: warning: byte 0xFC is not UTF-8: the description is packed unconverted, as text of code page 932 (a section "
              "tagged with a language: of its code page)\n2:3: warning: byte 0xFC begins no character of code page 932: Windows "
              "shows something else in its place\n2:9: warning: byte 0x81 begins no character of code page 932: Windows shows "
              "something else in its place\n");
    EXPECT_EQ(Messages("<Folder>\n"), "2:1: error: <Folder> names no folder on its first line\n"
                                       "1:1: error: users of language 1033 get no <Folder>: they install into a folder named \"_\"\n");
    EXPECT_EQ(Messages("<Folder>\n\"Sample:Tool\"\n"),
              "2:1: error: the folder name \"Sample:Tool\" holds ':', which Windows does not allow in a name\n");
    const char zero[] = "<Folder>\n\"X\"\n<InsText>\nA\0B\n";
    EXPECT_EQ(Messages(std::string(zero, sizeof zero - 1)),
              "4:2: error: the description holds a zero byte: the installer reads nothing after it\n");
    const DescProduct product = {{"App.exe", "a/App.exe"}, {"Manual", "a/Manual", true}, {"Manual\\index.html", "a/Manual/index.html"},
                                 {std::string(200, 'x') + "\\" + std::string(40, 'y'), "a/x/y"}, {std::string(220, 'z') + "\\a", "a/z/a"}};
    EXPECT_EQ(Messages("<Folder>\n\"X\"\n<WLinks>\n\"%START%\\X.lnk\" \"%DEST%\\manual\\INDEX.html\"\n"
                       "\"%START%\\Y.lnk\" \"%DEST%\\Ap.exe\"\n", &product),
              "5:17: warning: the target \"%DEST%\\Ap.exe\" is not in the product\na/x/y: error: with the product's folder under \"C:\\Program Files (x86)\\\" its path is 266 characters "
                  "long, more than the 259 that the installer's file functions take\na/z/a: error: with the product's folder under "
                  "\"C:\\Program Files (x86)\\\" its path is 262 characters long (with the installer's temporary name), "
                  "more than the 259 that the installer's file functions take\n");
}

TEST(DescriptionCheck, TheSampleDescriptionIsClean)
{
    std::ifstream in(SAMPLE_DESCRIPTION, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(Messages(text), "");
}

TEST(DescriptionCheck, ReadsWhatTheInstallerReads)
{
    // Descriptions made of random pieces of the grammar (the corpus runs through it above).
    const char* const keys[] = {"InsWin", "Folder", "InsText", "InsExist", "UniDone", "WLRegs", "WLLinks", "WRegs", "Foo", "folder"};
    const char* const arguments[] = {"", "1041", "1033", "2057", " 1041 Japanese", "-1041", "x", " "};
    const char* const values[] = {"", "Title", "\"Sample Tool\"", "HKLM \"SOFTWARE\\V\" A b", "a <b> c", "<", " x"};
    const char* const breaks[] = {"\r", "\n", "\r\n", "\n\r"};
    const char* const starts[] = {"", "  ", "\xEF\xBB\xBF", "\xEF\xBB\xBF \t", "text\n"};
    std::mt19937 random(28);
    for (int round = 0; round < 400; ++round) {
        std::string text = starts[random() % 5];
        for (int section = int(random() % 6); section > 0; --section) {
            text += std::string("<") + keys[random() % 10] + ">" + arguments[random() % 8] + breaks[random() % 4];
            for (int line = int(random() % 4); line > 0; --line)
                text += std::string(values[random() % 7]) + breaks[random() % 4];
        }
        ExpectOneReading(text);
    }
}

} // namespace
