#include "stepweave/sequencer/playback/step_clock.h"
#include "tests/support/stepweave/manual_millisecond_clock.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/stepweave/sequencer/playback/playback_test_support.h"

using namespace stepweave;
using namespace stepweave::testing;

namespace {

struct Firing {
    uint32_t time;
    int lagCount;
    bool operator==(const Firing&) const = default;
};

class StepClockOnManualTime : public ::testing::Test {
protected:
    ManualMainThread main;
    ManualMillisecondClock& clock = main.clock;
    ApplicationIdle& idle = main.idle;

    void RunUntil(uint32_t until) { main.RunUntil(until); }

    // A clock that records its firings into `firings`.
    void Record(StepClock& timer, std::vector<Firing>& firings) {
        timer.OnTimer = [this, &firings](StepClock&, int lag) { firings.push_back({clock.Now(), lag}); };
    }
};

}  // namespace

TEST_F(StepClockOnManualTime, FirstFiringComesOneIntervalAfterEnabling) {
    StepClock timer(idle);
    std::vector<Firing> firings;
    Record(timer, firings);
    timer.SetInterval(100);
    clock.Set(5);
    timer.SetEnabled(true);
    RunUntil(330);
    EXPECT_EQ(firings, (std::vector<Firing>{{105, 1}, {205, 1}, {305, 1}}));
}

TEST_F(StepClockOnManualTime, ALatePollFiresOnceWithTheLagAndCountsOnFromThere) {
    StepClock timer(idle);
    std::vector<Firing> firings;
    Record(timer, firings);
    timer.SetInterval(100);
    timer.SetEnabled(true);
    clock.Set(99);
    EXPECT_FALSE(idle.RunIdle()) << "not due yet";
    clock.Set(350);  // the main thread was busy elsewhere
    EXPECT_TRUE(idle.RunIdle());
    RunUntil(460);
    EXPECT_EQ(firings, (std::vector<Firing>{{350, 3}, {450, 1}})) << "a late step is not made up";
}

TEST_F(StepClockOnManualTime, AFiringALittleLateKeepsToTheGrid) {
    StepClock timer(idle);
    std::vector<Firing> firings;
    Record(timer, firings);
    timer.SetInterval(100);
    timer.SetEnabled(true);
    clock.Set(103);  // the main thread woke 3 ms late
    idle.RunIdle();
    EXPECT_EQ(timer.NextFiring(), 200u) << "the next step is due on the grid";
    clock.Set(260);  // 60 ms late: more than half a step
    idle.RunIdle();
    EXPECT_EQ(timer.NextFiring(), 360u) << "counted from the late firing";
    EXPECT_EQ(firings, (std::vector<Firing>{{103, 1}, {260, 1}}));
}

TEST_F(StepClockOnManualTime, ANewIntervalAppliesFromTheLastFiring) {
    StepClock timer(idle);
    std::vector<Firing> firings;
    Record(timer, firings);
    timer.SetInterval(100);
    timer.SetEnabled(true);
    RunUntil(130);
    timer.SetInterval(40);
    RunUntil(230);
    EXPECT_EQ(firings, (std::vector<Firing>{{100, 1}, {140, 1}, {180, 1}, {220, 1}}));
}

TEST_F(StepClockOnManualTime, AZeroIntervalFiresEveryMillisecondWithoutSpinning) {
    StepClock timer(idle);
    std::vector<Firing> firings;
    Record(timer, firings);
    timer.SetInterval(0);
    timer.SetEnabled(true);
    RunUntil(3);
    EXPECT_EQ(firings, (std::vector<Firing>{{1, 1}, {2, 1}, {3, 1}}));
}

TEST_F(StepClockOnManualTime, OneIdleSlotForBothClocks) {
    StepClock first(idle);
    StepClock second(idle);
    std::vector<Firing> firstFirings;
    std::vector<Firing> secondFirings;
    Record(first, firstFirings);
    Record(second, secondFirings);
    first.SetInterval(10);
    second.SetInterval(25);

    first.SetEnabled(true);
    RunUntil(20);
    second.SetEnabled(true);  // takes the slot from the first clock
    RunUntil(100);
    EXPECT_EQ(firstFirings, (std::vector<Firing>{{10, 1}, {20, 1}}));
    EXPECT_EQ(secondFirings, (std::vector<Firing>{{45, 1}, {70, 1}, {95, 1}}));
    EXPECT_TRUE(first.Enabled()) << "still enabled, though no longer polled";

    second.SetEnabled(false);
    EXPECT_EQ(idle.Installed(), nullptr) << "stopping the clock empties the slot";
    RunUntil(200);
    EXPECT_EQ(firstFirings.size(), 2u);
}

TEST_F(StepClockOnManualTime, DisablingAStoppedClockLeavesTheOtherRunning) {
    StepClock first(idle);
    StepClock second(idle);
    std::vector<Firing> firings;
    Record(first, firings);
    first.SetInterval(10);
    first.SetEnabled(true);
    second.SetEnabled(false);
    RunUntil(30);
    EXPECT_EQ(firings.size(), 3u);
}

TEST_F(StepClockOnManualTime, DeactivationPausesAndReactivationResumesOneIntervalLater) {
    StepClock timer(idle);
    std::vector<Firing> firings;
    Record(timer, firings);
    timer.SetInterval(100);
    timer.SetEnabled(true);
    RunUntil(150);
    idle.SetActive(false);
    EXPECT_EQ(idle.Installed(), nullptr);
    RunUntil(1000);
    idle.SetActive(true);
    RunUntil(1250);
    EXPECT_EQ(firings, (std::vector<Firing>{{100, 1}, {1100, 1}, {1200, 1}}));
}

TEST_F(StepClockOnManualTime, AClockNotActiveOnlyGoesOnWhileTheApplicationIsInactive) {
    StepClock timer(idle);
    std::vector<Firing> firings;
    Record(timer, firings);
    timer.SetActiveOnly(false);
    timer.SetInterval(100);
    idle.SetActive(false);
    timer.SetEnabled(true);
    RunUntil(250);
    EXPECT_EQ(firings.size(), 2u);

    timer.SetActiveOnly(true);
    RunUntil(500);
    EXPECT_EQ(firings.size(), 2u) << "paused once it only runs while active";
}

TEST_F(StepClockOnManualTime, EnablingWhileInactiveWaitsForActivation) {
    StepClock timer(idle);
    std::vector<Firing> firings;
    Record(timer, firings);
    timer.SetInterval(50);
    idle.SetActive(false);
    timer.SetEnabled(true);
    RunUntil(300);
    EXPECT_TRUE(firings.empty());
    idle.SetActive(true);
    RunUntil(360);
    EXPECT_EQ(firings, (std::vector<Firing>{{350, 1}}));
}

TEST_F(StepClockOnManualTime, TheMainThreadsTimersWakeForTheInstalledClock) {
    StepClock timer(idle);
    EXPECT_EQ(main.timers.NextDue(), std::nullopt) << "nothing to wake for";
    clock.Set(7);
    timer.SetEnabled(true);
    EXPECT_EQ(main.timers.NextDue(), 1007u);
    timer.SetInterval(10);
    EXPECT_EQ(main.timers.NextDue(), 17u);
    timer.SetEnabled(false);
    EXPECT_EQ(main.timers.NextDue(), std::nullopt);
}

TEST_F(StepClockOnManualTime, ADestroyedClockLeavesTheSlot) {
    {
        StepClock timer(idle);
        timer.SetEnabled(true);
        EXPECT_NE(idle.Installed(), nullptr);
    }
    EXPECT_EQ(idle.Installed(), nullptr);
    idle.SetActive(false);  // no watcher left behind
    idle.SetActive(true);
}
