#include "ui/CMessageWait.h"

#include <gtest/gtest.h>

TEST(CMessageWait, DefaultButtonAnswersOneWithOrWithoutCancel)
{
    CMessageWait question(0, true, 100);
    EXPECT_TRUE(question.Finished(1, 100));
    EXPECT_EQ(question.Answer(), 1);

    CMessageWait notice(0, false, 100);
    EXPECT_TRUE(notice.Finished(1, 100));
    EXPECT_EQ(notice.Answer(), 1);
}

TEST(CMessageWait, EscapeAnswersZeroOnlyForAQuestion)
{
    CMessageWait question(0, true, 0);
    EXPECT_TRUE(question.Finished(2, 5));
    EXPECT_EQ(question.Answer(), 0);

    // A notice has only OK: Escape or the close box count as OK.
    CMessageWait notice(0, false, 0);
    EXPECT_TRUE(notice.Finished(2, 5));
    EXPECT_EQ(notice.Answer(), 1);
}

TEST(CMessageWait, WithoutTimeLimitOnlyAButtonEndsTheWait)
{
    CMessageWait wait(0, true, 0);
    EXPECT_FALSE(wait.Finished(0, 1));
    EXPECT_FALSE(wait.Finished(0, 0x7FFFFFFF));
    EXPECT_FALSE(wait.Finished(0, 0xFFFFFFFF));
    CMessageWait negative(-5, true, 0);
    EXPECT_FALSE(negative.Finished(0, 1000000));
}

TEST(CMessageWait, TimeLimitAnswersOneOnceItHasRunOut)
{
    CMessageWait wait(3, true, 1000);
    EXPECT_FALSE(wait.Finished(0, 3999));
    EXPECT_TRUE(wait.Finished(0, 4000));
    EXPECT_EQ(wait.Answer(), 1);
}

TEST(CMessageWait, TimeLimitSurvivesTheTickCounterWrap)
{
    // Started 500 ms before the 32-bit tick counter wraps to 0.
    CMessageWait wait(2, true, 0xFFFFFFFFu - 499);
    EXPECT_FALSE(wait.Finished(0, 100));
    EXPECT_FALSE(wait.Finished(0, 1499));
    EXPECT_TRUE(wait.Finished(0, 1500));
}

TEST(CMessageWait, LongTimeLimitDoesNotWrapToAnImmediateEnd)
{
    // 5000000 seconds: 5e9 ms, which wraps to about 705 million in 32 bits.
    CMessageWait wait(5000000, true, 0);
    EXPECT_FALSE(wait.Finished(0, 705032704u + 1));
    EXPECT_FALSE(wait.Finished(0, 0xFFFFFFFFu));
}
