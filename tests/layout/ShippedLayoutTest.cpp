// The layout library and every shipped layout over stand-in panes. A misspelt macro, constant
// or pane name would not fail at run time (unknown names read 0), so the texts are checked
// here, then run.
#include "layout/LScript.h"
#include "layout/LScriptReader.h"
#include "layout/ScriptBlanks.h"
#include "resources/ResourceSourceText.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <ostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The strings of a resource source file; a file that cannot be read or parsed fails the test.
std::vector<std::string> LoadResourceSource(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    std::vector<std::string> strings;
    ResourceTextError error;
    if (!file || !ParseResourceSourceText(text.str(), &strings, &error))
        ADD_FAILURE() << path << ":" << error.line << ": " << error.message;
    return strings;
}

struct Box {
    int32_t l = 0, t = 0, r = 0, b = 0;
    bool operator==(const Box& o) const { return l == o.l && t == o.t && r == o.r && b == o.b; }
};

std::ostream& operator<<(std::ostream& out, const Box& box)
{
    return out << box.l << " " << box.t << " " << box.r << " " << box.b;
}

struct FakePane {
    int32_t width = 0, height = 0, base = 0; // what the pane prefers, its text base
    Box rect;
};

// Answers pp, wp, hp, l, t, r, b, w and h over stand-in panes (id 0 is the window), with the
// library loaded. Asked for its whole text a pane is three times as wide, for one line half
// as high; its inset is 2.
class FakePaneScript : public LScript {
public:
    FakePaneScript()
    {
        RegisterFunction("pp", static_cast<Function>(&FakePaneScript::Pp));
        RegisterFunction("wp", static_cast<Function>(&FakePaneScript::Wp));
        RegisterFunction("hp", static_cast<Function>(&FakePaneScript::Hp));
        RegisterFunction("l", static_cast<Function>(&FakePaneScript::L));
        RegisterFunction("t", static_cast<Function>(&FakePaneScript::T));
        RegisterFunction("r", static_cast<Function>(&FakePaneScript::R));
        RegisterFunction("b", static_cast<Function>(&FakePaneScript::B));
        RegisterFunction("w", static_cast<Function>(&FakePaneScript::W));
        RegisterFunction("h", static_cast<Function>(&FakePaneScript::H));
        const std::vector<std::string> library = LoadResourceSource(INSTALLER_STDLAYOUT_SOURCE);
        EXPECT_EQ(library.size(), 1u);
        Run(library.empty() ? "" : library[0].c_str());
    }

    std::vector<FakePane> panes = std::vector<FakePane>(1);

private:
    FakePane& Pane()
    {
        static FakePane none;
        const int32_t id = Argument(0);
        return id >= 0 && id < int32_t(panes.size()) ? panes[size_t(id)] : none = FakePane();
    }
    int32_t Pp()
    {
        Pane().rect = Box{Argument(1), Argument(2), Argument(3), Argument(4)};
        return 0;
    }
    int32_t Wp() { return Argument(1) == -11 ? 2 : Argument(1) == -2 ? Pane().width * 3 : Pane().width; }
    int32_t Hp() { return Argument(1) == -10 ? Pane().base : Argument(1) == -1 ? Pane().height / 2 : Pane().height; }
    int32_t L() { return Pane().rect.l; }
    int32_t T() { return Pane().rect.t; }
    int32_t R() { return Pane().rect.r; }
    int32_t B() { return Pane().rect.b; }
    int32_t W() { return Pane().rect.r - Pane().rect.l; }
    int32_t H() { return Pane().rect.b - Pane().rect.t; }
};

// The library macros the installer's layouts use, over a 400 by 300 window with a 30 by 10
// label (base 8), a 50 by 20 field (base 15), a text 100 wide and 32 high and a 32 pixel icon.
TEST(StdLayout, PlacementMacrosPlaceThePanes)
{
    FakePaneScript layout;
    layout.panes.insert(layout.panes.end(), {{30, 10, 8, {}}, {50, 20, 15, {}}, {100, 32, 0, {}}, {32, 32, 0, {}}});
    layout.Run("pp(0, 0, 0, 400, 300)");
    const struct {
        const char* script;
        int pane;
        Box rect;
    } cases[] = {
        {"PlaceStdIcon(4)", 4, {18, 12, 50, 44}},
        {"PlaceOneButton(2, 5)", 2, {333, 268, 383, 288}},
        {"PlaceTwoButton(1, 2, 0)", 2, {338, 268, 388, 288}},
        {"PlaceTwoButton(1, 2, 0)", 1, {276, 278, 326, 288}}, // as wide as the wider, a space apart
        {"PlaceTextBoxLTR(3, 68, 12, 388)", 3, {68, 12, 388, 44}},
        {"PlaceLT(2, 7, 9)", 2, {7, 9, 57, 29}},
        {"PlaceLT(2, 100, 40); AlignBaseR(1, 2, 80)", 1, {50, 47, 80, 57}}, // both bases at 55
    };
    for (const auto& c : cases) {
        layout.Run(c.script);
        EXPECT_EQ(c.rect, layout.panes[size_t(c.pane)].rect) << c.script;
    }
}

struct Token {
    int kind;
    std::string name;
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

// Every token with its text or value, macro bodies read in turn.
std::string Flattened(const std::string& text)
{
    std::string flat;
    LCharStream input(text.data(), text.size());
    for (LScriptReader reader; reader.Next(input), reader.Kind() != LScriptReader::kEnd;)
        flat += char(reader.Kind()) + (reader.Kind() == LScriptReader::kNumber ? std::to_string(reader.Number()) + " "
                                       : reader.Kind() == LScriptReader::kName ? std::string(reader.Text().Text()) + " "
                                       : reader.Kind() == LScriptReader::kBody ? Flattened(reader.Text().Text()) + "#" : "");
    return flat;
}

TEST(ScriptBlanks, OnlyBlanksBetweenNamesOrNumbersStayAndEveryShippedScriptReadsTheSame)
{
    EXPECT_EQ(WithoutSpareBlanks("a = b  +\t1, c\nd - -6 ; x \t y 1  2 x 3 "), "a=b+1,c\nd--6;x y 1 2 x 3");
    for (const auto& entry : std::filesystem::directory_iterator(INSTALLER_LAYOUT_SOURCES))
        for (const std::string& text : LoadResourceSource(entry.path().string()))
            EXPECT_EQ(Flattened(WithoutSpareBlanks(text)), Flattened(text)) << entry.path();
}

// Names followed by a body are the library's macros, followed by "=" its constants.
std::set<std::string> LibraryNames(int kind)
{
    const std::vector<Token> tokens = Tokens(LoadResourceSource(INSTALLER_STDLAYOUT_SOURCE).at(0));
    std::set<std::string> names;
    for (size_t i = 0; i + 1 < tokens.size(); ++i)
        if (tokens[i].kind == LScriptReader::kName && tokens[i + 1].kind == kind)
            names.insert(tokens[i].name);
    return names;
}

std::vector<std::string> ShippedLayouts()
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(INSTALLER_LAYOUT_SOURCES))
        if (entry.path().extension() == ".txt" && entry.path().stem() != "STDLAYOUT")
            names.push_back(entry.path().stem().string());
    return names;
}

class ShippedLayout : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override
    {
        sections = LoadResourceSource(std::string(INSTALLER_LAYOUT_SOURCES) + "/" + GetParam() + ".txt");
        ASSERT_GE(sections.size(), 3u);
        for (const Token& token : Tokens(sections[0]))
            paneCount += token.kind == '=';
    }
    std::vector<std::string> sections;
    int paneCount = 0;
};

TEST_P(ShippedLayout, CallsOnlyLibraryMacrosAndReadsOnlyNamesSetBefore)
{
    const std::set<std::string> macros = LibraryNames(LScriptReader::kBody);
    const std::set<std::string> functions = {"sqrt", "min", "max", "sys", "pp", "wp", "hp",
                                             "w", "h", "l", "t", "r", "b"};
    std::set<std::string> assigned = LibraryNames('=');
    for (size_t s = 0; s < 3; ++s) {
        const std::vector<Token> tokens = Tokens(sections[s]);
        for (size_t i = 0; i < tokens.size(); ++i) {
            const int next = i + 1 < tokens.size() ? tokens[i + 1].kind : LScriptReader::kEnd;
            const std::string& name = tokens[i].name;
            if (tokens[i].kind != LScriptReader::kName)
                continue;
            if (next == '(')
                EXPECT_TRUE(macros.count(name) || functions.count(name)) << "section " << s << " calls " << name;
            else if (next == '=')
                assigned.insert(name);
            else
                EXPECT_TRUE(assigned.count(name)) << "section " << s << " reads unset " << name;
        }
    }
}

TEST_P(ShippedLayout, SizesTheWindowAndPlacesEveryPane)
{
    FakePaneScript script;
    for (int id = 1; id <= paneCount; ++id)
        script.panes.push_back({40 + 10 * id, 20 + id, 15, {}});
    for (size_t s = 0; s < 3; ++s) {
        script.Run(sections[s].c_str());
        EXPECT_FALSE(script.WasStopped()) << "section " << s;
    }
    for (int id = 0; id <= paneCount; ++id) {
        const Box& rect = script.panes[size_t(id)].rect;
        EXPECT_GT(rect.r - rect.l, 0) << "pane " << id;
        EXPECT_GT(rect.b - rect.t, 0) << "pane " << id;
    }
}

INSTANTIATE_TEST_SUITE_P(Resources, ShippedLayout, ::testing::ValuesIn(ShippedLayouts()),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

} // namespace
