// The packer's side of descriptions and names: code page conversion, the description packed
// section by section, and the check's messages on a corpus of faulty descriptions.
#include "install/CInstDesc.h"
#include "tools/codepage/CCodePage.h"
#include "tools/mkinstaller/CDescCheck.h"
#include "tools/mkinstaller/CDescText.h"
#include "tools/mkinstaller/CDiagnostics.h"

#include <gtest/gtest.h>

#include <fstream>
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

// The problems as the packer prints them, one a line.
std::string Printed(const CDiagnostics& problems)
{
    std::string all;
    for (const Diagnostic& d : problems.All())
        all += std::to_string(d.line) + ":" + std::to_string(d.column) + (d.error ? ": error: " : ": warning: ") +
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

std::string Messages(const std::string& text, const std::vector<std::string>* product = nullptr)
{
    CDiagnostics problems;
    CDescCheck::Check(text, product, problems);
    return Printed(problems);
}

TEST(DescriptionText, UtfEightSectionsGoToTheirLanguagesCodePages)
{
    std::string messages;
    const std::string packed =
        Pack("\xEF\xBB\xBF<Folder>\r\n\"Café\"\r\n<InsText>1041\r\n日本語\r\n<InsText>1049\r\nПривет\r\n", 1252, messages);
    EXPECT_EQ(messages, "");
    EXPECT_EQ(packed, "<CodePage>1252\r\n<Folder>\r\n\"Caf\xE9\"\r\n<InsText>1041\r\n\x93\xFA\x96\x7B\x8C\xEA\r\n"
                      "<InsText>1049\r\n\xCF\xF0\xE8\xE2\xE5\xF2\r\n");
    EXPECT_EQ(CDescText::RecordedCodePage(packed), 1252u);
    EXPECT_EQ(CDescText::FromPackage(packed, 0), packed.substr(0, 16) + "<Folder>\r\n\"Café\"\r\n<InsText>1041\r\n日本語\r\n"
                                                                  "<InsText>1049\r\nПривет\r\n");
    // A description that is not UTF-8 is taken as 8-bit text already.
    EXPECT_EQ(Pack("<Folder>\n\"Caf\xE9\"\n", 932, messages), "<CodePage>932\r\n<Folder>\n\"Caf\xE9\"\n");
    // Text without a form in its code page is reported where it stands, counted in characters.
    Pack("<Folder>\n\"X\"\n<InsText>\nPrice: 5 ¥\n<InsText>1041\n価格 ½\n", 932, messages);
    EXPECT_EQ(messages, "4:10: error: \"¥\" in the section <InsText> has no form in code page 932\n"
                        "6:4: error: \"½\" in the section <InsText>1041 has no form in code page 932\n");
}

TEST(DescriptionText, TheRecordedCodePageChangesNothingTheInstallerReads)
{
    const std::string text = "<InsWin>\nTitle\n<Folder>\n\"Product\"\n<WRegs>\nHKLM \"SOFTWARE\\V\" A b\n"
                             "<WLLinks>1041\n\"%START%\\G\"\n";
    std::string messages;
    const std::string packed = Pack(text, 932, messages);
    for (unsigned user : {1033u, 1041u}) {
        CInstDesc plain, recorded;
        plain.Parse(text.data(), text.size(), user);
        recorded.Parse(packed.data(), packed.size(), user);
        for (int field = 0; field < kDescTextCount; ++field)
            EXPECT_EQ(std::string(recorded.Text(DescText(field)).Text()), plain.Text(DescText(field)).Text());
        for (int list = 0; list < kDescListCount; ++list) {
            ASSERT_EQ(recorded.List(DescList(list)).Count(), plain.List(DescList(list)).Count());
            for (int i = 0; i < plain.List(DescList(list)).Count(); ++i)
                EXPECT_EQ(std::string(recorded.List(DescList(list)).At(i).Text()), plain.List(DescList(list)).At(i).Text());
        }
    }
}

struct Fault {
    const char* text;
    const char* first; // the first message: "line:column: error|warning: ..."
};

class DescriptionCheckTest : public ::testing::TestWithParam<Fault> {};

TEST_P(DescriptionCheckTest, ReportsTheFaultAtItsLine)
{
    const std::string text = std::string("<Folder>\n\"Product\"\n") + GetParam().text;
    EXPECT_EQ(Messages(text), std::string(GetParam().first) + "\n");
}

INSTANTIATE_TEST_SUITE_P(Corpus, DescriptionCheckTest, ::testing::Values(
    Fault{"<InsTxt>\nHello\n", "3:1: error: unknown section <InsTxt>: it is not read"},
    Fault{"<InsText>1041a\nHello\n", "3:10: error: \"1041a\" after <InsText> is not a language number"},
    Fault{"<InsText\nHello\n", "3:1: error: the tag <InsText has no '>': the section is not read"},
    Fault{"<>\n<InsText>\nHello\n", "3:1: error: an empty tag ends the description: nothing after it is read"},
    Fault{"<InsText>\nA\n<InsText>1033\nB\n", "5:1: warning: a second <InsText> for language 1033 is never used: the first one wins"},
    Fault{"<InsWin>\nTitle\nmore\n", "5:1: warning: only the first line of <InsWin> is used"},
    Fault{"<WRegs>\nhklm \"SOFTWARE\\V\" A b\n", "4:1: error: unknown hive \"hklm\": the line is skipped"},
    Fault{"<WRegs>\nHKLM \"SOFTWARE\\V A b\n", "4:6: error: the quote opened here is not closed: the rest of the line becomes one field"},
    Fault{"<WRegs>\nHKLM\n", "4:5: error: no key after the hive"},
    Fault{"<WRegs>\nHKLM \"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\"\n",
          "4:6: error: uninstalling deletes the key \"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\" with everything below it"},
    Fault{"<WRegs>\nHKLM \"SOFTWARE\\V\" A b\n\nHKLM \"SOFTWARE\\V\" C d\n",
          "6:1: error: this line is not read: the list <WRegs> ends at the empty line above it"},
    Fault{"<WRegs>\nHKLM \"SOFTWARE\\V\" Dir %Dest%\n", "4:23: error: unknown placeholder \"%Dest%\" gives nothing: the line is skipped"},
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
    EXPECT_EQ(Messages("<Folder>\n\"Sample:Tool\"\n"),
              "2:1: error: the folder name \"Sample:Tool\" holds ':', which Windows does not allow in a name\n");
    const char zero[] = "<Folder>\n\"X\"\n<InsText>\nA\0B\n";
    EXPECT_EQ(Messages(std::string(zero, sizeof zero - 1)),
              "4:2: error: the description holds a zero byte: the installer reads nothing after it\n");
    const std::vector<std::string> product = {"App.exe", "Manual", "Manual\\index.html"};
    EXPECT_EQ(Messages("<Folder>\n\"X\"\n<WLinks>\n\"%START%\\X.lnk\" \"%DEST%\\manual\\INDEX.html\"\n"
                       "\"%START%\\Y.lnk\" \"%DEST%\\Ap.exe\"\n", &product),
              "5:17: warning: the target \"%DEST%\\Ap.exe\" is not in the product\n");
}

TEST(DescriptionCheck, TheSampleDescriptionIsClean)
{
    std::ifstream in(SAMPLE_DESCRIPTION, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(Messages(text), "");
    std::string messages;
    Pack(text, 1252, messages);
    EXPECT_EQ(messages, "");
}

} // namespace
