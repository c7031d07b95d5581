#include "ui/CNameRule.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A classifier over ASCII with C1 types, where the byte 0x81 opens a two-byte character whose
// second byte picks its type: 'a' a letter, '0' a digit, ' ' a wide blank. It notes every
// character it is asked about.
class FakeClassifier : public CNameRule::Classifier {
public:
    int CharLength(const char* text) const override
    {
        return static_cast<unsigned char>(text[0]) == 0x81 ? 2 : 1;
    }

    uint16_t CharType(const char* text, int length) const override
    {
        seen.push_back(std::string(text, size_t(length)));
        const char c = length == 2 ? text[1] : text[0];
        if ((length == 1 && static_cast<unsigned char>(c) == 0x81) || c == '\x7f')
            return 0x20; // a control, or a lone lead byte
        if (c >= '0' && c <= '9')
            return 0x04 | 0x80;
        if (c == ' ' || c == '\t')
            return 0x08 | 0x40;
        if (c == '.' || c == '-' || c == '!')
            return 0x10;
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))
            return 0x100 | (c <= 'Z' ? 0x01 : 0x02);
        return 0; // unclassified characters count as name characters
    }

    mutable std::vector<std::string> seen;
};

} // namespace

TEST(CNameRule, OneCharacterThatIsNoDigitBlankPunctuationOrControlEnablesSetup)
{
    const struct {
        const char* name;
        bool allows;
    } cases[] = {
        {"", false},
        {"   ", false},
        {"2026", false},
        {"--- . !", false},
        {"\t\x7f 12", false},
        {"a", true},
        {"  123 x", true},
        {"Q...", true},
        {"12\x01", true},
        {"12\x81\x61", true},
        {"\x81\x30\x81 ", false}, // two-byte characters are classified as one
    };
    for (const auto& c : cases) {
        FakeClassifier classifier;
        EXPECT_EQ(CNameRule::AllowsSetup(c.name, classifier), c.allows) << "case " << &c - cases; // raw bytes
    }
    EXPECT_FALSE(CNameRule::AllowsSetup(nullptr, FakeClassifier()));
}

TEST(CNameRule, TheWalkStopsAtTheFirstNameCharacterAndNeverPassesTheEnd)
{
    FakeClassifier stops;
    EXPECT_TRUE(CNameRule::AllowsSetup("1b22", stops));
    EXPECT_EQ(stops.seen, (std::vector<std::string>{"1", "b"}));
    FakeClassifier pairs;
    EXPECT_FALSE(CNameRule::AllowsSetup("1\x81" "0 ", pairs));
    EXPECT_EQ(pairs.seen, (std::vector<std::string>{"1", "\x81" "0", " "}));
    FakeClassifier cut; // a lead byte just before the terminator
    EXPECT_FALSE(CNameRule::AllowsSetup("1\x81", cut));
    EXPECT_EQ(cut.seen, (std::vector<std::string>{"1", "\x81"}));
}
