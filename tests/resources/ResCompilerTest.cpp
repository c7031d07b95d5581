#include "resources/LStrListCore.h"
#include "tools/rescomp/ResCompiler.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

namespace {

struct Compiled {
    bool ok = false;
    std::string bytes;
    std::string error;
};

Compiled Compile(const std::string& text, bool japanese)
{
    Compiled result;
    result.ok = ResCompiler::CompileText(text, "TSTR/X.txt", japanese, &result.bytes, &result.error);
    return result;
}

std::vector<std::string> Strings(const std::string& bytes)
{
    LStrListCore list;
    list.Attach(bytes.data(), bytes.size());
    std::vector<std::string> strings;
    for (int i = 0; i < list.Count(); ++i)
        strings.push_back(list.Get(i).Text());
    return strings;
}

TEST(ResCompiler, JapaneseTextIsStoredInCodePage932)
{
    const Compiled c = Compile("==\n完了。\n==\nOK\n", true);
    ASSERT_TRUE(c.ok) << c.error;
    EXPECT_EQ(c.bytes, std::string("\x02\x00" "\x8A\xAE\x97\xB9\x81\x42\0" "OK\0", 12));
}

TEST(ResCompiler, ErrorsNameTheFileAndLine)
{
    const Compiled english = Compile("==\nfine\n==\ncaf\xC3\xA9\n", false);
    EXPECT_FALSE(english.ok);
    EXPECT_EQ(english.error.rfind("TSTR/X.txt:4: ", 0), 0u) << english.error;

    // An emoji has no form in code page 932.
    const Compiled emoji = Compile("# c\n==\n\xF0\x9F\x98\x80\n", true);
    EXPECT_FALSE(emoji.ok);
    EXPECT_EQ(emoji.error.rfind("TSTR/X.txt:3: ", 0), 0u) << emoji.error;

    const Compiled broken = Compile("==\n\xE5\xAE\n", true); // UTF-8 cut short
    EXPECT_FALSE(broken.ok);
    EXPECT_EQ(broken.error.rfind("TSTR/X.txt:2: ", 0), 0u) << broken.error;

    const Compiled syntax = Compile("\nno marker yet\n==\nx\n", false);
    EXPECT_FALSE(syntax.ok);
    EXPECT_EQ(syntax.error.rfind("TSTR/X.txt:2: ", 0), 0u) << syntax.error;
}

TEST(ResCompiler, ResourceNamesAreUpperCase)
{
    EXPECT_TRUE(ResCompiler::IsValidName("CSIMPLEMESSAGEDIALOG"));
    EXPECT_TRUE(ResCompiler::IsValidName("ERRINS_J"));
    EXPECT_FALSE(ResCompiler::IsValidName("Errins"));
    EXPECT_FALSE(ResCompiler::IsValidName("9LIVES"));
    EXPECT_FALSE(ResCompiler::IsValidName(""));
    EXPECT_FALSE(ResCompiler::IsValidName("A B"));
}

TEST(ResCompiler, TreeWithABadNameOrTextFailsNamingTheFile)
{
    const std::filesystem::path root = std::filesystem::temp_directory_path() / "rescomp-test-tree";
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root / "TSTR");
    std::ofstream(root / "TSTR" / "lower.txt") << "==\nx\n";
    std::vector<ResCompiler::Resource> resources;
    std::string error;
    EXPECT_FALSE(ResCompiler::CompileTree(root.string(), &resources, &error));
    EXPECT_NE(error.find("lower.txt"), std::string::npos) << error;

    std::filesystem::remove(root / "TSTR" / "lower.txt");
    std::ofstream(root / "TSTR" / "GOOD.txt") << "==\nx\n";
    std::ofstream(root / "TSTR" / "BAD_J.txt") << "==\n\xF0\x9F\x98\x80\n";
    EXPECT_FALSE(ResCompiler::CompileTree(root.string(), &resources, &error));
    EXPECT_NE(error.find("BAD_J.txt:2:"), std::string::npos) << error;
    std::filesystem::remove_all(root);
}

TEST(ResCompiler, ScriptNamesEveryResourceUnderItsTypeInUsEnglish)
{
    std::vector<ResCompiler::Resource> resources = {{"RT_TSTR", "INSTWIN", "x"}, {"RT_TLYO", "INSTWIN", "y"}};
    const std::string script = ResCompiler::ResourceScript(resources, "/out");
    // A statement between the lines: the script language would join a file name with the next
    // line's quoted name into one string.
    EXPECT_NE(script.find("LANGUAGE 0x09, 0x01\n\"INSTWIN\" RT_TSTR \"/out/TSTR_INSTWIN.bin\"\n"
                          "LANGUAGE 0x09, 0x01\n\"INSTWIN\" RT_TLYO \"/out/TLYO_INSTWIN.bin\"\n"),
              std::string::npos);
}

// The shipped resources compile and hold the texts the rest of the program reads by index.
class ShippedResources : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::vector<ResCompiler::Resource> resources;
        std::string error;
        ASSERT_TRUE(ResCompiler::CompileTree(INSTALLER_RESOURCES_DIR, &resources, &error)) << error;
        for (const auto& r : resources)
            m_strings[r.type + "/" + r.name] = Strings(r.bytes);
    }
    const std::vector<std::string>& Get(const std::string& key) { return m_strings[key]; }
    std::map<std::string, std::vector<std::string>> m_strings;
};

TEST_F(ShippedResources, StringListsHaveTheirCountsInBothLanguages)
{
    const std::map<std::string, size_t> counts = {
        {"ERRINS", 9}, {"INSTMSG", 5}, {"PROGMSG", 4}, {"INSTWIN", 1}, {"HOWDY", 1}, {"UNINS", 1},
        {"TGTFRM", 4}, {"ABOUT", 3}, {"CSIMPLEMESSAGEDIALOG", 3}, {"CSIMPLEPROGRESSDIALOG", 2}};
    for (const auto& [name, count] : counts) {
        EXPECT_EQ(Get("RT_TSTR/" + name).size(), count) << name;
        EXPECT_EQ(Get("RT_TSTR/" + name + "_J").size(), count) << name;
    }
    EXPECT_EQ(Get("RT_TSTR/USERREG").size(), 3u);
    EXPECT_EQ(m_strings.count("RT_TSTR/USERREG_J"), 0u);
    EXPECT_EQ(m_strings.count("RT_TMNB/APP_J"), 0u);
}

TEST_F(ShippedResources, TextsKeepTheirBlanksAndLineFeeds)
{
    EXPECT_EQ(Get("RT_TSTR/ERRINS")[0], "OK.");
    EXPECT_EQ(Get("RT_TSTR/ERRINS")[8], " Cannot create destination folder.");
    EXPECT_EQ(Get("RT_TSTR/INSTMSG")[0],
              " The folder already exists. Some files will be overwritten.\nDo you install anyway?");
    EXPECT_EQ(Get("RT_TSTR/TGTFRM")[1], "Required space: ");
    EXPECT_EQ(Get("RT_TSTR/TGTFRM")[3], "Install to: ");
    // "インストール先：" in code page 932.
    EXPECT_EQ(Get("RT_TSTR/TGTFRM_J")[3],
              "\x83\x43\x83\x93\x83\x58\x83\x67\x81\x5B\x83\x8B\x90\xE6\x81\x46");
    const std::string& about = Get("RT_TSTR/ABOUT")[2];
    EXPECT_EQ(about.rfind("Installer\n\n", 0), 0u);
    EXPECT_EQ(about.back(), '\n');
    EXPECT_EQ(Get("RT_TSTR/ABOUT_J")[2], about);
}

TEST_F(ShippedResources, MenusAndMenuBar)
{
    EXPECT_EQ(Get("RT_TMNB/APP"), (std::vector<std::string>{"FILE", "EDIT", "HELP"}));
    EXPECT_EQ(Get("RT_TMNU/FILE"), (std::vector<std::string>{"FILE\n&File\n", "LStdCmd_Quit\nE&xit\n"}));
    EXPECT_EQ(Get("RT_TMNU/HELP")[1], "LStdCmd_About\n&About Installer...\n");
    const auto& edit = Get("RT_TMNU/EDIT");
    ASSERT_EQ(edit.size(), 7u);
    EXPECT_EQ(edit[0], "EDIT\n&Edit");
    EXPECT_EQ(edit[1], "LStdCmd_Undo\n&Undo\ncZ");
    EXPECT_EQ(edit[2], "");
    EXPECT_EQ(edit[6], "LStdCmd_Clear\nC&lear");
    EXPECT_EQ(Get("RT_TMNU/EDIT_J").size(), 7u);
    EXPECT_EQ(Get("RT_TMNU/EDIT_J")[1].rfind("LStdCmd_Undo\n", 0), 0u);
}

TEST_F(ShippedResources, LayoutsAreOneLineSections)
{
    const std::map<std::string, size_t> sections = {
        {"INSTWIN", 3}, {"HOWDY", 3}, {"UNINS", 3}, {"TGTFRM", 3}, {"ABOUT", 3}, {"USERREG", 4}};
    for (const auto& [name, count] : sections) {
        const auto& layout = Get("RT_TLYO/" + name);
        ASSERT_EQ(layout.size(), count) << name;
        for (const std::string& section : layout)
            EXPECT_EQ(section.find('\n'), std::string::npos) << name;
    }
    EXPECT_EQ(Get("RT_TLYO/INSTWIN")[0], "howdy = 1;unins = 2;");
    EXPECT_EQ(Get("RT_TLYO/USERREG")[3], "3");
}

} // namespace
