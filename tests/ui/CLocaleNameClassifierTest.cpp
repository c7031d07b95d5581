// The Setup rule of the registration dialog over the platform's character types, in the
// user's locale. The Japanese cases run in a prefix whose user locale is Japanese.
#include "ui/CLocaleNameClassifier.h"

#include <gtest/gtest.h>
#include <windows.h>

TEST(LocaleNameRule, LettersEnableSetupAndTheRestDoesNot)
{
    EXPECT_TRUE(CLocaleNameClassifier::NameAllowsSetup("Jane Doe"));
    EXPECT_TRUE(CLocaleNameClassifier::NameAllowsSetup("  007 Q"));
    EXPECT_FALSE(CLocaleNameClassifier::NameAllowsSetup(""));
    EXPECT_FALSE(CLocaleNameClassifier::NameAllowsSetup("   "));
    EXPECT_FALSE(CLocaleNameClassifier::NameAllowsSetup("1234567890"));
    EXPECT_FALSE(CLocaleNameClassifier::NameAllowsSetup("-.,;:!?()[]"));
    EXPECT_FALSE(CLocaleNameClassifier::NameAllowsSetup("\t\r\n 42."));
}

TEST(LocaleNameRule, ClassifiesOneCharacterAtATime)
{
    CLocaleNameClassifier classifier;
    EXPECT_EQ(classifier.CharLength("ab"), 1);
    EXPECT_NE(classifier.CharType("7", 1) & C1_DIGIT, 0);
    EXPECT_NE(classifier.CharType("x", 1) & C1_ALPHA, 0);
    EXPECT_NE(classifier.CharType(" ", 1) & C1_SPACE, 0);
}

TEST(JapaneseNameRule, TheUserLocaleIsJapanese)
{
    EXPECT_EQ(GetUserDefaultLCID(), 1041u);
    EXPECT_EQ(GetACP(), 932u);
}

TEST(JapaneseNameRule, DoubleByteCharactersCountAsOne)
{
    CLocaleNameClassifier classifier;
    // Yamada in Shift-JIS: two kanji of two bytes each.
    const char yamada[] = "\x8E\x52\x93\x63";
    EXPECT_EQ(classifier.CharLength(yamada), 2);
    EXPECT_EQ(classifier.CharLength(yamada + 2), 2);
    // A lead byte just before the terminator is a character of its own.
    EXPECT_EQ(classifier.CharLength("\x8E"), 1);

    EXPECT_TRUE(CLocaleNameClassifier::NameAllowsSetup(yamada));
    // Full-width digits and the ideographic space are no name characters.
    EXPECT_FALSE(CLocaleNameClassifier::NameAllowsSetup("\x82\x50\x82\x51\x81\x40"));
    // Their trail bytes, taken alone, would read as letters ('P', 'Q'): the walk must not
    // split the characters.
    EXPECT_FALSE(CLocaleNameClassifier::NameAllowsSetup("\x82\x50\x82\x51"));
    // Katakana after full-width digits enables Setup.
    EXPECT_TRUE(CLocaleNameClassifier::NameAllowsSetup("\x82\x50\x83\x41"));
}
