// One-shot timers over a fake clock: the sorted list, the expiry pass, the wrap of the tick count.
#include "framework/LMessageNames.h"
#include "framework/LTimer.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

uint32_t g_now = 0;
uint32_t FakeClock() { return g_now; }
int g_arms = 0;
void CountArm() { ++g_arms; }

// Records expiries; restarts `restart` from its own expiry with restartWith unless it is -1.
struct ExpiryLog : LHandler {
    ExpiryLog() : LHandler(nullptr) {}
    LMessage Handle(const LMessage& m) override
    {
        if (!m.Is(LTimer_Expire))
            return LHandler::Handle(m);
        expired.push_back(static_cast<LTimer*>(m.param));
        if (restartWith >= 0 && m.param == restart)
            restart->Start(restartWith);
        return Consumed();
    }
    std::vector<LTimer*> expired;
    LTimer* restart = nullptr;
    int restartWith = -1;
};

using Timers = std::vector<LTimer*>;

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

TEST_F(LTimerTest, TheListStaysSortedByDueTimeAndEveryStartArmsTheIdleTimer)
{
    EXPECT_EQ(LTimer::DelayToFirstDue(), 2147483647);
    LTimer late(&owner), early(&owner), middle(&owner);
    late.Start(300);
    g_now += 50;
    early.Start(100);  // due at 1150
    middle.Start(200); // due at 1250, before late (1300)
    EXPECT_EQ(g_arms, 3);
    EXPECT_EQ(LTimer::FirstRunning(), &early);
    EXPECT_EQ(LTimer::DelayToFirstDue(), 100);
    g_now = 1249;
    LTimer::ExpireDue();
    EXPECT_EQ(owner.expired, (Timers{&early}));
    g_now = 1250; // due exactly now
    LTimer::ExpireDue();
    EXPECT_EQ(owner.expired, (Timers{&early, &middle}));
    EXPECT_FALSE(early.IsRunning());
    EXPECT_EQ(LTimer::DelayToFirstDue(), 50);
}

TEST_F(LTimerTest, TimersDueTogetherExpireInStartOrderAndARestartOrAnEndMovesATimerOut)
{
    LTimer first(&owner), second(&owner), third(&owner), moved(&owner);
    moved.Start(5);
    first.Start(10);
    second.Start(10);
    third.Start(10);
    moved.Start(30); // now behind the others
    moved.Stop();
    moved.Stop();
    {
        LTimer ended(&owner);
        ended.Start(1);
    }
    g_now += 100;
    LTimer::ExpireDue();
    EXPECT_EQ(owner.expired, (Timers{&first, &second, &third}));
}

TEST_F(LTimerTest, DueTimesSurviveTheTickCountWrappingAndARestartWithZeroWaitsForTheNextPass)
{
    g_now = 0xFFFFFFF0u;
    LTimer a(&owner);
    owner.restart = &a;
    owner.restartWith = 0;
    a.Start(0x20); // due after the wrap
    g_now = 0x5;
    LTimer::ExpireDue();
    EXPECT_TRUE(owner.expired.empty());
    EXPECT_EQ(LTimer::DelayToFirstDue(), 0xB);
    g_now = 0x10;
    LTimer::ExpireDue(); // returns although the restarted timer is due at once
    EXPECT_EQ(owner.expired.size(), 1u);
    EXPECT_TRUE(a.IsRunning());
    owner.restartWith = -1;
    LTimer::ExpireDue();
    EXPECT_EQ(owner.expired.size(), 2u);
    EXPECT_FALSE(a.IsRunning());
}
