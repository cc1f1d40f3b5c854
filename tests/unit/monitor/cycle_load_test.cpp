#include "monitor/cycle_load.h"

#include <gtest/gtest.h>

namespace korvanta::monitor {
namespace {

// Ticks of the given own time, each starting `gap` after the previous one.
void run(CycleLoad& load, std::int64_t& clock, int ticks, std::int64_t gap, std::int64_t own) {
    for (int i = 0; i < ticks; ++i) {
        clock += gap;
        load.tickStarted(clock);
        load.tickEnded(clock + own);
    }
}

TEST(CycleLoad, TicksWithinThePeriodAreCalm) {
    CycleLoad load;
    load.start(100);
    std::int64_t clock = 0;
    run(load, clock, 50, 100, 20);
    run(load, clock, 5, 190, 20); // late, but not by a whole period
    EXPECT_TRUE(load.overloadText().isEmpty());
    EXPECT_EQ(load.skippedPeriods(), 0);
}

TEST(CycleLoad, LongTicksAreShownWithTheSkippedPeriodsUntilTheLoadFalls) {
    CycleLoad load;
    load.start(100);
    std::int64_t clock = 0;
    run(load, clock, 3, 100, 20);
    // Ticks of 210 ms: each next one starts when the previous ends, one period lost each time.
    run(load, clock, 6, 210, 210);
    EXPECT_EQ(load.skippedPeriods(), 6);
    EXPECT_EQ(load.overloadText(), "Przeciążenie: cykl 210 ms > okres 100 ms, pominięto 6");

    run(load, clock, CycleLoad::kCalmTicks - 1, 100, 20);
    EXPECT_FALSE(load.overloadText().isEmpty()) << "cleared before the load had fallen for long";
    run(load, clock, 1, 100, 20);
    EXPECT_TRUE(load.overloadText().isEmpty());
    EXPECT_EQ(load.skippedPeriods(), 6) << "kept for the run";

    load.start(100);
    EXPECT_EQ(load.skippedPeriods(), 0);
    EXPECT_TRUE(load.overloadText().isEmpty());
}

TEST(CycleLoad, ATimerFiringLateIsAnOverloadEvenWithShortTicks) {
    CycleLoad load;
    load.start(100);
    std::int64_t clock = 0;
    run(load, clock, 2, 100, 10);
    run(load, clock, 1, 450, 10); // the event loop was busy elsewhere: three periods without a tick
    EXPECT_EQ(load.skippedPeriods(), 3);
    EXPECT_EQ(load.overloadText(), "Przeciążenie: cykl 450 ms > okres 100 ms, pominięto 3");
}

} // namespace
} // namespace korvanta::monitor
