// The Setup rule of the registration dialog over the platform's character types, in the
// user's locale. The Japanese cases run in a prefix whose user locale is Japanese.
#include "ui/CLocaleNameClassifier.h"

#include <gtest/gtest.h>
#include <windows.h>

TEST(LocaleNameRule, LettersEnableSetupAndTheRestDoesNot)
{
    EXPECT_TRUE(CLocaleNameClassifier::NameAllowsSetup("  007 Q"));
    for (const char* name : {"", "1234567890", "-.,;:!?()[]", "\t\r\n 42."})
        EXPECT_FALSE(CLocaleNameClassifier::NameAllowsSetup(name)) << name;
}

TEST(JapaneseNameRule, DoubleByteCharactersCountAsOne)
{
    ASSERT_EQ(GetUserDefaultLCID(), 1041u);
    ASSERT_EQ(GetACP(), 932u);
    CLocaleNameClassifier classifier;
    const char yamada[] = "\x8E\x52\x93\x63"; // Yamada in Shift-JIS: two kanji of two bytes
    EXPECT_EQ(classifier.CharLength(yamada), 2);
    EXPECT_EQ(classifier.CharLength("\x8E"), 1); // a lead byte before the terminator
    EXPECT_TRUE(CLocaleNameClassifier::NameAllowsSetup(yamada));
    // Full-width digits and the ideographic space are no name characters; their trail bytes,
    // taken alone, would read as the letters 'P' and 'Q'.
    EXPECT_FALSE(CLocaleNameClassifier::NameAllowsSetup("\x82\x50\x82\x51\x81\x40"));
    EXPECT_TRUE(CLocaleNameClassifier::NameAllowsSetup("\x82\x50\x83\x41")); // then a katakana
}
