#include "stepweave/sound/timing/timer_scheduler.h"
#include "tests/support/stepweave/manual_millisecond_clock.h"

#include <gtest/gtest.h>

#include <memory>

#include "stepweave/sound/timing/headless_main_loop.h"

using namespace stepweave;

TEST(TimerScheduler, FiresEachIntervalAndDoesNotMakeUpALateFiring) {
    ManualMillisecondClock clock;
    TimerScheduler timers(clock);
    std::vector<uint32_t> firings;
    RepeatingTimer sweep(timers, 500, [&] { firings.push_back(clock.Now()); });
    EXPECT_EQ(timers.NextDue(), 500u);

    clock.Set(499);
    EXPECT_EQ(timers.RunDueTimers(), 0);
    clock.Set(500);
    EXPECT_EQ(timers.RunDueTimers(), 1);
    clock.Set(2300);  // three intervals late: one firing, the next due 500 ms on
    EXPECT_EQ(timers.RunDueTimers(), 1);
    EXPECT_EQ(timers.NextDue(), 2800u);
    EXPECT_EQ(firings, (std::vector<uint32_t>{500, 2300}));
}

TEST(TimerScheduler, AHandlerMayStopOrDestroyTimersThatAreDueInTheSameRun) {
    ManualMillisecondClock clock;
    TimerScheduler timers(clock);
    int laterFirings = 0;
    std::unique_ptr<RepeatingTimer> later;
    RepeatingTimer first(timers, 50, [&] { later.reset(); });
    later = std::make_unique<RepeatingTimer>(timers, 100, [&] { ++laterFirings; });
    std::unique_ptr<RepeatingTimer> self;
    int selfFirings = 0;
    self = std::make_unique<RepeatingTimer>(timers, 100, [&] {
        ++selfFirings;
        self.reset();
    });
    clock.Set(100);
    timers.RunDueTimers();
    EXPECT_EQ(laterFirings, 0);
    EXPECT_EQ(selfFirings, 1);
    EXPECT_EQ(self, nullptr);
    EXPECT_EQ(timers.NextDue(), 150u);
}

TEST(TimerScheduler, EnablingAndChangingTheIntervalCountFromNowAndAnnounceTheChange) {
    ManualMillisecondClock clock;
    TimerScheduler timers(clock);
    int changes = 0;
    timers.OnScheduleChanged = [&] { ++changes; };
    RepeatingTimer update(timers, 50, nullptr, false);
    EXPECT_FALSE(timers.NextDue().has_value());
    clock.Set(1000);
    update.SetEnabled(true);
    EXPECT_EQ(timers.NextDue(), 1050u);
    update.SetInterval(20);
    EXPECT_EQ(timers.NextDue(), 1020u);
    update.SetEnabled(false);
    EXPECT_EQ(timers.RunDueTimers(), 0);
    EXPECT_EQ(changes, 4);  // added, enabled, interval, disabled
}

TEST(TimerScheduler, HandlesTheWrapOfTheMillisecondCounter) {
    ManualMillisecondClock clock;
    clock.Set(0xFFFFFF00u);
    TimerScheduler timers(clock);
    int firings = 0;
    RepeatingTimer soon(timers, 0x200, [&] { ++firings; });
    RepeatingTimer later(timers, 0x300, nullptr);
    EXPECT_EQ(timers.NextDue(), 0x100u);
    clock.Set(0xFFFFFFF0u);
    EXPECT_EQ(timers.RunDueTimers(), 0);
    clock.Set(0x100);
    EXPECT_EQ(timers.RunDueTimers(), 1);
}

TEST(HeadlessMainLoop, SleepsUntilEachDueTimerAndStopsWhenTheConditionHolds) {
    ManualMillisecondClock clock;
    TimerScheduler timers(clock);
    HeadlessMainLoop loop(timers);
    std::vector<uint32_t> sweeps;
    std::vector<uint32_t> updates;
    RepeatingTimer sweep(timers, 500, [&] { sweeps.push_back(clock.Now()); });
    RepeatingTimer update(timers, 50, [&] { updates.push_back(clock.Now()); });
    EXPECT_TRUE(loop.RunUntil([&] { return sweeps.size() == 2; }));
    EXPECT_EQ(clock.Now(), 1000u);  // woke exactly when due, never in between
    EXPECT_EQ(sweeps, (std::vector<uint32_t>{500, 1000}));
    EXPECT_EQ(updates.size(), 20u);
    EXPECT_EQ(updates.front(), 50u);
}

TEST(HeadlessMainLoop, GivesUpWhenNothingCouldMakeTheConditionHold) {
    ManualMillisecondClock clock;
    TimerScheduler timers(clock);
    HeadlessMainLoop loop(timers);
    EXPECT_FALSE(loop.RunUntil([] { return false; }));
    int checks = 0;
    EXPECT_TRUE(loop.RunUntil([&] { return ++checks == 4; }, 10));
    EXPECT_EQ(clock.Now(), 30u);
    loop.RunFor(250);
    EXPECT_EQ(clock.Now(), 280u);
    EXPECT_FALSE(timers.NextDue().has_value());
}
