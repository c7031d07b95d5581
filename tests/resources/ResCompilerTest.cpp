// The resource compiler: texts in their code page, errors that name file and line; and the
// shipped resources themselves.
#include "tools/rescomp/ResCompiler.h"

#include "install/InstallResult.h"
#include "resources/LStrListCore.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

namespace {

std::string CompileError(const std::string& text, bool japanese)
{
    std::string bytes, error;
    EXPECT_FALSE(ResCompiler::CompileText(text, "TSTR/X.txt", japanese, &bytes, &error)) << text;
    return error;
}

TEST(ResCompiler, JapaneseTextIsStoredInCodePage932)
{
    std::string bytes, error;
    ASSERT_TRUE(ResCompiler::CompileText("==\n完了。\n==\nOK\n", "TSTR/X_J.txt", true, &bytes, &error)) << error;
    EXPECT_EQ(bytes, std::string("\x02\x00" "\x8A\xAE\x97\xB9\x81\x42\0" "OK\0", 12));
}

TEST(ResCompiler, ErrorsNameTheFileAndLine)
{
    EXPECT_EQ(CompileError("==\nfine\n==\ncaf\xC3\xA9\n", false).rfind("TSTR/X.txt:4: ", 0), 0u); // English is ASCII
    EXPECT_EQ(CompileError("# c\n==\n\xF0\x9F\x98\x80\n", true).rfind("TSTR/X.txt:3: ", 0), 0u); // no form in 932
    EXPECT_EQ(CompileError("==\n\xE5\xAE\n", true).rfind("TSTR/X.txt:2: ", 0), 0u); // UTF-8 cut short
    EXPECT_EQ(CompileError("\nno marker yet\n==\nx\n", false).rfind("TSTR/X.txt:2: ", 0), 0u);
}

TEST(ResCompiler, ATreeWithABadNameOrTextFailsNamingTheFile)
{
    EXPECT_TRUE(ResCompiler::IsValidName("ERRINS_J"));
    for (const char* bad : {"Errins", "9LIVES", "", "A B"})
        EXPECT_FALSE(ResCompiler::IsValidName(bad)) << bad;
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

// A translation that lost a string would show an empty text where the program reads it.
TEST(ShippedResources, CompileAndEveryJapaneseVariantHasItsEnglishOnesStrings)
{
    std::vector<ResCompiler::Resource> resources;
    std::string error;
    ASSERT_TRUE(ResCompiler::CompileTree(INSTALLER_RESOURCES_DIR, &resources, &error)) << error;
    std::map<std::string, int> counts;
    for (const auto& r : resources) {
        LStrListCore list;
        list.Attach(r.bytes.data(), r.bytes.size());
        counts[r.type + "/" + r.name] = list.Count();
    }
    int variants = 0;
    for (const auto& [key, count] : counts) {
        if (key.size() > 2 && key.compare(key.size() - 2, 2, "_J") == 0) {
            const auto english = counts.find(key.substr(0, key.size() - 2));
            EXPECT_EQ(count, english == counts.end() ? -1 : english->second) << key;
            ++variants;
        }
    }
    EXPECT_GT(variants, 0);
    // Every install result has its error text.
    EXPECT_EQ(counts["RT_TSTR/ERRINS"], kInsFileInUse + 1);
}

} // namespace
