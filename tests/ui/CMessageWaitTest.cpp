#include "ui/CMessageWait.h"

#include <gtest/gtest.h>

TEST(CMessageWait, TheDefaultButtonAnswersOneAndEscapeZeroOnlyForAQuestion)
{
    const struct {
        bool withCancel;
        int32_t button;
        int32_t answer;
    } cases[] = {{true, 1, 1}, {false, 1, 1}, {true, 2, 0}, {false, 2, 1}};
    for (const auto& c : cases) {
        CMessageWait wait(0, c.withCancel, 100);
        EXPECT_TRUE(wait.Finished(c.button, 100));
        EXPECT_EQ(wait.Answer(), c.answer) << c.withCancel << " " << c.button;
    }
}

TEST(CMessageWait, ATimeLimitAnswersOneOnceItHasRunOutAcrossTheTickCountsWrap)
{
    CMessageWait none(0, true, 0);
    CMessageWait negative(-5, true, 0);
    for (uint32_t now : {1u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
        EXPECT_FALSE(none.Finished(0, now));
        EXPECT_FALSE(negative.Finished(0, now));
    }
    CMessageWait wait(3, true, 1000);
    EXPECT_FALSE(wait.Finished(0, 3999));
    EXPECT_TRUE(wait.Finished(0, 4000));
    EXPECT_EQ(wait.Answer(), 1);
    CMessageWait wrapping(2, true, 0xFFFFFFFFu - 499); // 500 ms before the wrap
    EXPECT_FALSE(wrapping.Finished(0, 1499));
    EXPECT_TRUE(wrapping.Finished(0, 1500));
    // 5e9 ms would wrap to about 705 million in 32 bits and end the wait at once.
    CMessageWait longLimit(5000000, true, 0);
    EXPECT_FALSE(longLimit.Finished(0, 705032704u + 1));
    EXPECT_FALSE(longLimit.Finished(0, 0xFFFFFFFFu));
}
