// Every shipped layout against the library: a misspelt macro, constant or pane name would not
// fail at run time (unknown names read 0), so the texts are checked here, then run over
// stand-in panes.
#include "layout/LScriptReader.h"
#include "tests/layout/FakePaneScript.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace {

struct Token {
    int kind;
    std::string text;
};

std::vector<Token> Tokens(const std::string& text)
{
    std::vector<Token> tokens;
    LCharStream input(text.data(), text.size());
    LScriptReader reader;
    for (reader.Next(input); reader.Kind() != LScriptReader::kEnd; reader.Next(input))
        tokens.push_back({reader.Kind(), reader.Kind() == LScriptReader::kName ? reader.Text().Text() : ""});
    return tokens;
}

struct Library {
    std::set<std::string> macros;
    std::set<std::string> constants;
};

Library ReadLibrary(const std::string& text)
{
    Library library;
    std::vector<Token> tokens = Tokens(text);
    for (size_t i = 0; i + 1 < tokens.size(); ++i) {
        if (tokens[i].kind != LScriptReader::kName)
            continue;
        if (tokens[i + 1].kind == LScriptReader::kBody)
            library.macros.insert(tokens[i].text);
        else if (tokens[i + 1].kind == '=')
            library.constants.insert(tokens[i].text);
    }
    return library;
}

const std::set<std::string> kFunctions = {"sqrt", "min", "max", "sys", "pp", "wp", "hp", "w", "h", "l", "t", "r", "b"};

std::vector<std::filesystem::path> ShippedLayouts()
{
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(INSTALLER_LAYOUT_SOURCES))
        if (entry.path().extension() == ".txt" && entry.path().stem() != "STDLAYOUT")
            files.push_back(entry.path());
    return files;
}

TEST(ShippedLayouts, CallOnlyLibraryMacrosAndReadOnlyKnownNames)
{
    Library library = ReadLibrary(LoadStdLayout());
    std::vector<std::filesystem::path> files = ShippedLayouts();
    ASSERT_FALSE(files.empty());
    for (const auto& file : files) {
        std::vector<std::string> sections = LoadResourceSource(file.string());
        ASSERT_GE(sections.size(), 3u) << file;
        std::set<std::string> assigned = library.constants;
        for (size_t s = 0; s < 3; ++s) {
            std::vector<Token> tokens = Tokens(sections[s]);
            for (size_t i = 0; i < tokens.size(); ++i) {
                if (tokens[i].kind != LScriptReader::kName)
                    continue;
                int next = i + 1 < tokens.size() ? tokens[i + 1].kind : LScriptReader::kEnd;
                const std::string& name = tokens[i].text;
                if (next == '(')
                    EXPECT_TRUE(library.macros.count(name) || kFunctions.count(name))
                        << file.filename() << " section " << s << " calls unknown " << name;
                else if (next == '=')
                    assigned.insert(name);
                else
                    EXPECT_TRUE(assigned.count(name)) << file.filename() << " section " << s << " reads unset " << name;
            }
        }
    }
}

TEST(ShippedLayouts, TabOrdersNameExistingPanes)
{
    for (const auto& file : ShippedLayouts()) {
        std::vector<std::string> sections = LoadResourceSource(file.string());
        if (sections.size() < 4)
            continue;
        int ids = 0;
        for (const Token& token : Tokens(sections[0]))
            ids += token.kind == '=';
        int entries = 0;
        LCharStream input(sections[3].data(), sections[3].size());
        LScriptReader reader;
        for (reader.Next(input); reader.Kind() != LScriptReader::kEnd; reader.Next(input)) {
            if (reader.Kind() == ';')
                continue; // line ends between the ids
            ASSERT_EQ(LScriptReader::kNumber, reader.Kind()) << file.filename();
            EXPECT_GE(reader.Number(), 1) << file.filename();
            EXPECT_LE(reader.Number(), ids) << file.filename();
            ++entries;
        }
        EXPECT_GT(entries, 0) << file.filename();
    }
}

TEST(ShippedLayouts, SizeAndPlaceEveryPaneOverStandInPanes)
{
    std::string library = LoadStdLayout();
    for (const auto& file : ShippedLayouts()) {
        std::vector<std::string> sections = LoadResourceSource(file.string());
        ASSERT_GE(sections.size(), 3u) << file;
        FakePaneScript script;
        script.Run(library.c_str());
        int ids = 0;
        for (const Token& token : Tokens(sections[0]))
            ids += token.kind == '=';
        for (int id = 1; id <= ids; ++id) {
            FakePane pane;
            pane.width = 40 + 10 * id;
            pane.height = 20 + id;
            pane.base = 15;
            script.panes.push_back(pane);
        }
        for (size_t s = 0; s < 3; ++s) {
            script.Run(sections[s].c_str());
            EXPECT_FALSE(script.WasStopped()) << file.filename() << " section " << s;
        }
        const FakePane& window = script.panes[0];
        EXPECT_GT(window.r - window.l, 0) << file.filename();
        EXPECT_GT(window.b - window.t, 0) << file.filename();
        for (int id = 1; id <= ids; ++id) {
            const FakePane& pane = script.panes[id];
            EXPECT_GT(pane.r - pane.l, 0) << file.filename() << " pane " << id << " not placed";
            EXPECT_GT(pane.b - pane.t, 0) << file.filename() << " pane " << id << " not placed";
        }
    }
}

} // namespace
