#include "resources/ResourceLanguage.h"

#include <gtest/gtest.h>

namespace {

TEST(ResourceLanguage, ScoreFollowsPrimaryLanguageThenSublanguageThenEnglish)
{
    EXPECT_EQ(ResourceLanguage::Score(0x0411, 0x0411), 4);
    EXPECT_EQ(ResourceLanguage::Score(0x0411, 0x0811), 3); // same primary, other sublanguage
    EXPECT_EQ(ResourceLanguage::Score(0x0409, 0x0809), 3);
    EXPECT_EQ(ResourceLanguage::Score(0x0409, 0x040C), 1); // English candidate for a French user
    EXPECT_EQ(ResourceLanguage::Score(0x0411, 0x0409), 0);
    // A full LCID carries a sort id above the language; it does not count.
    EXPECT_EQ(ResourceLanguage::Score(0x0411, 0x00010411), 4);
}

TEST(ResourceLanguage, JapaneseExactlyForJapaneseUsersOfAnySublanguage)
{
    EXPECT_EQ(ResourceLanguage::Choose(0x0411), ResourceLanguage::kJapanese);
    EXPECT_EQ(ResourceLanguage::Choose(0x0811), ResourceLanguage::kJapanese);
    EXPECT_EQ(ResourceLanguage::Choose(0x0409), 0);
    EXPECT_EQ(ResourceLanguage::Choose(0x0804), 0); // Chinese
    EXPECT_EQ(ResourceLanguage::Choose(0x0412), 0); // Korean
    EXPECT_EQ(ResourceLanguage::Choose(0), 0);
}

TEST(ResourceLanguage, SuffixOnlyForJapanese)
{
    EXPECT_STREQ(ResourceLanguage::NameSuffix(1041), "_J");
    EXPECT_STREQ(ResourceLanguage::NameSuffix(0), "");
    EXPECT_STREQ(ResourceLanguage::NameSuffix(1033), "");
}

} // namespace
