#include "framework/LMessageNames.h"
#include "framework/LTimer.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

uint32_t g_now = 0;
uint32_t FakeClock() { return g_now; }
int g_arms = 0;
void CountArm() { ++g_arms; }

struct ExpiryLog : LHandler {
    ExpiryLog() : LHandler(nullptr) {}
    LMessage Handle(const LMessage& m) override
    {
        if (m.Is(LTimer_Expire)) {
            expired.push_back(static_cast<LTimer*>(m.param));
            if (restartWith >= 0 && m.param == restart)
                restart->Start(restartWith);
            return Consumed();
        }
        return LHandler::Handle(m);
    }
    std::vector<LTimer*> expired;
    LTimer* restart = nullptr;
    int restartWith = -1;
};

class LTimerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_now = 1000;
        g_arms = 0;
        LTimer::SetClock(&FakeClock);
        LTimer::SetArmHook(&CountArm);
    }
    void TearDown() override
    {
        LTimer::SetClock(nullptr);
        LTimer::SetArmHook(nullptr);
    }
    ExpiryLog owner;
};

} // namespace

TEST_F(LTimerTest, WithNoTimerTheDelayIsTheLongestOne)
{
    EXPECT_EQ(LTimer::DelayToFirstDue(), 2147483647);
}

TEST_F(LTimerTest, ListStaysSortedByDueTimeAndStartArmsTheIdleTimer)
{
    LTimer late(&owner), early(&owner), middle(&owner);
    late.Start(300);
    g_now += 50;
    early.Start(100); // due at 1150
    middle.Start(200); // due at 1250, before late (1300)
    EXPECT_EQ(g_arms, 3);
    EXPECT_EQ(LTimer::FirstRunning(), &early);
    EXPECT_EQ(LTimer::DelayToFirstDue(), 100);
    g_now = 1260;
    LTimer::ExpireDue();
    EXPECT_EQ(owner.expired, (std::vector<LTimer*>{&early, &middle}));
    EXPECT_FALSE(early.IsRunning());
    EXPECT_TRUE(late.IsRunning());
    EXPECT_EQ(LTimer::DelayToFirstDue(), 40);
}

TEST_F(LTimerTest, TimersDueTogetherExpireInStartOrder)
{
    LTimer first(&owner), second(&owner), third(&owner);
    first.Start(10);
    second.Start(10);
    third.Start(10);
    g_now += 10;
    LTimer::ExpireDue();
    EXPECT_EQ(owner.expired, (std::vector<LTimer*>{&first, &second, &third}));
}

TEST_F(LTimerTest, RestartMovesTheTimerAndStopOfAStoppedTimerIsHarmless)
{
    LTimer a(&owner), b(&owner);
    a.Start(10);
    b.Start(20);
    a.Start(30); // now behind b
    EXPECT_EQ(LTimer::FirstRunning(), &b);
    a.Stop();
    a.Stop();
    g_now += 100;
    LTimer::ExpireDue();
    EXPECT_EQ(owner.expired, (std::vector<LTimer*>{&b}));
}

TEST_F(LTimerTest, DueTimesSurviveTheTickCounterWrapping)
{
    g_now = 0xFFFFFFF0u;
    LTimer a(&owner);
    a.Start(0x20); // due after the wrap
    g_now = 0x5;
    LTimer::ExpireDue();
    EXPECT_TRUE(owner.expired.empty());
    EXPECT_EQ(LTimer::DelayToFirstDue(), 0xB); // 0x20 - 0x15 elapsed
    g_now = 0x10;
    LTimer::ExpireDue();
    EXPECT_EQ(owner.expired.size(), 1u);
}

TEST_F(LTimerTest, TimerRestartedWithZeroFromItsExpiryWaitsForTheNextPass)
{
    LTimer a(&owner);
    owner.restart = &a;
    owner.restartWith = 0;
    a.Start(5);
    g_now += 5;
    LTimer::ExpireDue(); // must return although the restarted timer is due at once
    EXPECT_EQ(owner.expired.size(), 1u);
    EXPECT_TRUE(a.IsRunning());
    LTimer::ExpireDue();
    EXPECT_EQ(owner.expired.size(), 2u);
    owner.restartWith = -1;
    LTimer::ExpireDue();
    EXPECT_EQ(owner.expired.size(), 3u);
    EXPECT_FALSE(a.IsRunning());
}

TEST_F(LTimerTest, DestroyingARunningTimerTakesItOutOfTheList)
{
    {
        LTimer a(&owner);
        a.Start(1);
    }
    EXPECT_EQ(LTimer::FirstRunning(), nullptr);
}
