#include "common/day_time.h"

#include <gtest/gtest.h>

using namespace korvanta::common;

TEST(DayTime, EpochAndRoundTrip) {
    EXPECT_DOUBLE_EQ(toDayNumber(QDateTime(QDate(1899, 12, 30), QTime(0, 0))), 0.0);
    EXPECT_DOUBLE_EQ(toDayNumber(QDateTime(QDate(1900, 1, 1), QTime(12, 0))), 2.5);
    const QDateTime t(QDate(2026, 7, 12), QTime(14, 30, 5, 250));
    EXPECT_EQ(fromDayNumber(toDayNumber(t)), t);
}

TEST(DayTime, PatternsTheProgramWrites) {
    const double t = toDayNumber(QDateTime(QDate(2026, 7, 12), QTime(14, 30, 5, 7)));
    EXPECT_EQ(formatDayTime("yyyy-mm-dd hh:mm:ss.zzz", t), "2026-07-12 14:30:05.007");
    EXPECT_EQ(formatDayTime("hh:mm:ss.zzz", t), "14:30:05.007");
    EXPECT_EQ(formatDayTime("nn:ss.zzz", t), "30:05.007");
    EXPECT_EQ(formatDayTime("yyyymm", t), "202607");
    EXPECT_EQ(formatDayTime("yyyymmdd_hhnnss", t), "20260712_143005");
    EXPECT_EQ(formatDayTime("yyyy-mm-dd_hh:nn:ss", t), "2026-07-12_14:30:05");
    EXPECT_EQ(formatDayTime("sss.zzz", 61.5 / kSecondsPerDay), "01.500");
}

TEST(DayTime, ElapsedTimeDropsWholeDaysAndRoundsToMilliseconds) {
    EXPECT_EQ(formatDayTime("hh:mm:ss.zzz", 1.0 + 3661.0 / kSecondsPerDay), "01:01:01.000");
    EXPECT_EQ(formatDayTime("hh:mm:ss.zzz", 0.9999999 / kSecondsPerDay), "00:00:01.000");
}
