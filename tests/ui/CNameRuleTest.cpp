#include "ui/CNameRule.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A classifier over ASCII with C1 types, where the byte 0x81 opens a two-byte character whose
// second byte picks its type: 'a' a letter, '0' a digit, ' ' a wide blank.
class FakeClassifier : public CNameRule::Classifier {
public:
    int CharLength(const char* text) const override
    {
        return static_cast<unsigned char>(text[0]) == 0x81 ? 2 : 1;
    }

    uint16_t CharType(const char* text, int length) const override
    {
        seen.push_back(std::string(text, size_t(length)));
        if (length == 1 && static_cast<unsigned char>(text[0]) == 0x81)
            return 0x20; // a lone lead byte
        char c = length == 2 ? text[1] : text[0];
        if (c >= '0' && c <= '9')
            return 0x04 | 0x80;
        if (c == ' ')
            return 0x08 | 0x40;
        if (c == '\t')
            return 0x08 | 0x20 | 0x40;
        if (c == '.' || c == '-' || c == '!')
            return 0x10;
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))
            return 0x100 | (c <= 'Z' ? 0x01 : 0x02);
        if (c == '\x7f')
            return 0x20;
        return 0; // unclassified characters count as name characters
    }

    mutable std::vector<std::string> seen;
};

bool Allows(const char* name)
{
    FakeClassifier classifier;
    return CNameRule::AllowsSetup(name, classifier);
}

} // namespace

TEST(CNameRule, EmptyAndMissingNamesKeepSetupDisabled)
{
    EXPECT_FALSE(Allows(""));
    EXPECT_FALSE(Allows(nullptr));
}

TEST(CNameRule, BlanksDigitsPunctuationAndControlsAloneKeepSetupDisabled)
{
    EXPECT_FALSE(Allows("   "));
    EXPECT_FALSE(Allows("2026"));
    EXPECT_FALSE(Allows("--- . !"));
    EXPECT_FALSE(Allows("\t\x7f 12"));
}

TEST(CNameRule, OneLetterAnywhereEnablesSetup)
{
    EXPECT_TRUE(Allows("a"));
    EXPECT_TRUE(Allows("  123 x"));
    EXPECT_TRUE(Allows("Q..."));
    EXPECT_TRUE(Allows("12\x01")); // a character the locale does not classify
}

TEST(CNameRule, DoubleByteCharactersAreClassifiedAsOne)
{
    EXPECT_TRUE(Allows("12\x81" "a"));
    EXPECT_FALSE(Allows("\x81" "0\x81 "));

    FakeClassifier classifier;
    EXPECT_FALSE(CNameRule::AllowsSetup("1\x81" "0 ", classifier));
    ASSERT_EQ(classifier.seen.size(), 3u);
    EXPECT_EQ(classifier.seen[1], "\x81" "0");
}

TEST(CNameRule, TheWalkStopsAtTheFirstNameCharacter)
{
    FakeClassifier classifier;
    EXPECT_TRUE(CNameRule::AllowsSetup("1b22", classifier));
    EXPECT_EQ(classifier.seen.size(), 2u);
}

TEST(CNameRule, ALeadByteBeforeTheTerminatorIsNotReadPastTheEnd)
{
    FakeClassifier classifier;
    EXPECT_FALSE(CNameRule::AllowsSetup("1\x81", classifier));
    ASSERT_EQ(classifier.seen.size(), 2u);
    EXPECT_EQ(classifier.seen[1], "\x81");
}
