#include "resources/ResourceLanguage.h"

#include <gtest/gtest.h>

namespace {

TEST(ResourceLanguage, ScoreFollowsPrimaryLanguageThenSublanguageThenEnglish)
{
    EXPECT_EQ(ResourceLanguage::Score(0x0411, 0x0411), 4);
    EXPECT_EQ(ResourceLanguage::Score(0x0411, 0x0811), 3); // same primary, other sublanguage
    EXPECT_EQ(ResourceLanguage::Score(0x0409, 0x040C), 1); // English candidate for a French user
    EXPECT_EQ(ResourceLanguage::Score(0x0411, 0x0409), 0);
    EXPECT_EQ(ResourceLanguage::Score(0x0411, 0x00010411), 4); // a sort id does not count
}

TEST(ResourceLanguage, JapaneseWithItsSuffixExactlyForJapaneseUsersOfAnySublanguage)
{
    EXPECT_EQ(ResourceLanguage::Choose(0x0411), ResourceLanguage::kJapanese);
    EXPECT_EQ(ResourceLanguage::Choose(0x0811), ResourceLanguage::kJapanese);
    EXPECT_EQ(ResourceLanguage::Choose(0x0409), 0);
    EXPECT_EQ(ResourceLanguage::Choose(0x0804), 0); // Chinese
    EXPECT_STREQ(ResourceLanguage::NameSuffix(1041), "_J");
    EXPECT_STREQ(ResourceLanguage::NameSuffix(1033), "");
}

} // namespace
