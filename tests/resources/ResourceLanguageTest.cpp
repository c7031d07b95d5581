#include "resources/ResourceLanguage.h"

#include <gtest/gtest.h>

namespace {

TEST(ResourceLanguage, JapaneseWithItsSuffixExactlyForJapaneseUsersOfAnySublanguage)
{
    EXPECT_EQ(ResourceLanguage::Choose(0x0411), ResourceLanguage::kJapanese);
    EXPECT_EQ(ResourceLanguage::Choose(0x0811), ResourceLanguage::kJapanese);
    EXPECT_EQ(ResourceLanguage::Choose(0x00010411), ResourceLanguage::kJapanese); // a sort id does not count
    EXPECT_EQ(ResourceLanguage::Choose(0x0409), 0);
    EXPECT_EQ(ResourceLanguage::Choose(0x0804), 0); // Chinese
    EXPECT_STREQ(ResourceLanguage::NameSuffix(1041), "_J");
    EXPECT_STREQ(ResourceLanguage::NameSuffix(1033), "");
}

} // namespace
