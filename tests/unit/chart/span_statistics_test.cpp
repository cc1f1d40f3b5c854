#include "chart/cursor_readout_text.h"
#include "chart/span_statistics.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace korvanta::chart {
namespace {

const std::vector<double> kValues{2, -1, 4, 3, -2, 5};

TEST(SpanStatisticsTest, SpanFromTheLeftCursorToTheRightInEitherOrder) {
    // Points 1..4 are -1, 4, 3, -2: sum 4, squares 1 + 16 + 9 + 4 = 30.
    const SpanStatistics s = spanStatistics(kValues, 1, 4);
    ASSERT_TRUE(s.valid);
    EXPECT_EQ(s.indexA, 1);
    EXPECT_EQ(s.indexB, 4);
    EXPECT_DOUBLE_EQ(s.valueA, -1);
    EXPECT_DOUBLE_EQ(s.valueB, -2);
    EXPECT_DOUBLE_EQ(s.difference, -1);
    EXPECT_EQ(s.count, 4);
    EXPECT_DOUBLE_EQ(s.minimum, -2);
    EXPECT_DOUBLE_EQ(s.maximum, 4);
    EXPECT_DOUBLE_EQ(s.peakToPeak, 6);
    EXPECT_DOUBLE_EQ(s.mean, 1);
    EXPECT_DOUBLE_EQ(s.rms, std::sqrt(7.5));
    EXPECT_EQ(s.deltaT.unit, TimeUnit::Points);
    EXPECT_DOUBLE_EQ(s.deltaT.value, 3);

    // A right of B: the same span, the values and differences from A's side.
    const SpanStatistics r = spanStatistics(kValues, 4, 1);
    EXPECT_DOUBLE_EQ(r.valueA, -2);
    EXPECT_DOUBLE_EQ(r.valueB, -1);
    EXPECT_DOUBLE_EQ(r.difference, 1);
    EXPECT_DOUBLE_EQ(r.deltaT.value, -3);
    EXPECT_EQ(r.count, 4);
    EXPECT_DOUBLE_EQ(r.minimum, -2);
    EXPECT_DOUBLE_EQ(r.maximum, 4);
    EXPECT_DOUBLE_EQ(r.mean, 1);
    EXPECT_DOUBLE_EQ(r.rms, std::sqrt(7.5));
}

TEST(SpanStatisticsTest, OnePointSpanClampedIndexesAndAnEmptySeries) {
    const SpanStatistics one = spanStatistics(kValues, 2, 2);
    EXPECT_EQ(one.count, 1);
    EXPECT_DOUBLE_EQ(one.minimum, 4);
    EXPECT_DOUBLE_EQ(one.maximum, 4);
    EXPECT_DOUBLE_EQ(one.peakToPeak, 0);
    EXPECT_DOUBLE_EQ(one.mean, 4);
    EXPECT_DOUBLE_EQ(one.rms, 4);
    EXPECT_DOUBLE_EQ(one.difference, 0);

    // Outside the series the cursors take its first and last points: all six, sum 11,
    // squares 4 + 1 + 16 + 9 + 4 + 25 = 59.
    const SpanStatistics all = spanStatistics(kValues, -3, 99);
    EXPECT_EQ(all.indexA, 0);
    EXPECT_EQ(all.indexB, 5);
    EXPECT_DOUBLE_EQ(all.valueA, 2);
    EXPECT_DOUBLE_EQ(all.valueB, 5);
    EXPECT_EQ(all.count, 6);
    EXPECT_DOUBLE_EQ(all.mean, 11.0 / 6);
    EXPECT_DOUBLE_EQ(all.rms, std::sqrt(59.0 / 6));
    EXPECT_DOUBLE_EQ(all.peakToPeak, 7);

    const SpanStatistics none = spanStatistics({}, 0, 3);
    EXPECT_FALSE(none.valid);
    EXPECT_EQ(none.count, 0);
}

TEST(SpanStatisticsTest, EveryPointBetweenTheCursorsCountsWhetherDrawnOrNot) {
    // A long series is drawn with only some of its points; the span still takes all ten:
    // 0..9 sums to 45, the squares to 285.
    std::vector<double> ramp;
    for (int i = 0; i < 10; ++i) {
        ramp.push_back(i);
    }
    const SpanStatistics s = spanStatistics(ramp, 9, 0);
    EXPECT_EQ(s.count, 10);
    EXPECT_DOUBLE_EQ(s.mean, 4.5);
    EXPECT_DOUBLE_EQ(s.rms, std::sqrt(28.5));
    EXPECT_DOUBLE_EQ(s.minimum, 0);
    EXPECT_DOUBLE_EQ(s.maximum, 9);
}

TEST(SpanStatisticsTest, TimeBetweenTheCursorsFromKeysLabelsOrPoints) {
    const std::vector<double> keys{45000.25, 45000.25 + 0.5 / 86400, 45000.25 + 1.5 / 86400};
    PointTimes live{TimeBasis::DayNumberKeys, [&](int i) { return keys[i]; }, {}};
    const TimeDifference forward = timeDifference(live, 0, 2);
    EXPECT_EQ(forward.unit, TimeUnit::Seconds);
    EXPECT_DOUBLE_EQ(forward.value, 1.5);
    EXPECT_DOUBLE_EQ(timeDifference(live, 2, 1).value, -1.0);

    const QStringList stamps{QStringLiteral("12:00:01.250"),
                             QStringLiteral(" 12:00:03.750"),
                             QStringLiteral("2024-01-31 23:59:59.500"),
                             QStringLiteral("2024-02-01_00:00:00.250"),
                             QStringLiteral("02:03.456"),
                             QStringLiteral("02:05.000"),
                             QStringLiteral("t6")};
    PointTimes labelled{TimeBasis::Labels, {}, [&](int i) {
                            return stamps[i];
                        }};
    EXPECT_DOUBLE_EQ(timeDifference(labelled, 0, 1).value, 2.5);
    EXPECT_EQ(timeDifference(labelled, 0, 1).unit, TimeUnit::Seconds);
    EXPECT_DOUBLE_EQ(timeDifference(labelled, 2, 3).value, 0.75);
    EXPECT_DOUBLE_EQ(timeDifference(labelled, 4, 5).value, 1.544);
    // A label that names no time: the points between.
    const TimeDifference untimed = timeDifference(labelled, 6, 1);
    EXPECT_EQ(untimed.unit, TimeUnit::Points);
    EXPECT_DOUBLE_EQ(untimed.value, -5);

    const TimeDifference points = timeDifference(PointTimes{}, 3, 7);
    EXPECT_EQ(points.unit, TimeUnit::Points);
    EXPECT_DOUBLE_EQ(points.value, 4);

    // The statistics carry the time of their clamped cursors.
    const SpanStatistics s = spanStatistics(std::vector<double>{1, 2, 3}, 0, 9, live);
    EXPECT_DOUBLE_EQ(s.deltaT.value, 1.5);

    EXPECT_DOUBLE_EQ(*labelSeconds(QStringLiteral("10:00:00")), 36000);
    EXPECT_DOUBLE_EQ(*labelSeconds(QStringLiteral("01:02:03,5")), 3723.5);
    EXPECT_FALSE(labelSeconds(QStringLiteral("2024-02-30 10:00:00")));
    EXPECT_FALSE(labelSeconds(QStringLiteral("12,5")));
    EXPECT_FALSE(labelSeconds(QString()));
}

TEST(CursorReadoutTextTest, TabsAndDecimalCommasHeaderFirstInvalidRowsLeftOut) {
    SpanStatistics s;
    s.valid = true;
    s.valueA = 1.5;
    s.valueB = -0.25;
    s.difference = -1.75;
    s.deltaT = {2.5, TimeUnit::Seconds};
    s.count = 3;
    s.minimum = -0.25;
    s.maximum = 1.5;
    s.peakToPeak = 1.75;
    s.mean = 0.5;
    s.rms = 1;
    SpanStatistics counted = s;
    counted.deltaT = {12, TimeUnit::Points};
    const std::vector<SeriesSpan> rows{{QStringLiteral("Kanał 1"), s},
                                       {QStringLiteral("pusta"), SpanStatistics{}},
                                       {QStringLiteral("k2"), counted}};
    const QString expected =
        QStringLiteral("Seria\tA\tB\tB − A\tΔt\tJednostka Δt\tLiczba\tMin\tMax\t"
                       "Międzyszczytowa\tŚrednia\tRMS\n"
                       "Kanał 1\t1,5\t-0,25\t-1,75\t2,5\ts\t3\t-0,25\t1,5\t1,75\t0,5\t1\n"
                       "k2\t1,5\t-0,25\t-1,75\t12\tpkt\t3\t-0,25\t1,5\t1,75\t0,5\t1\n");
    EXPECT_EQ(cursorReadoutText(rows), expected);
    EXPECT_EQ(readoutNumber(-1234.0625), QStringLiteral("-1234,0625"));
    EXPECT_EQ(readoutNumber(2.5e-7), QStringLiteral("2,5E-07"));
}

} // namespace
} // namespace korvanta::chart
