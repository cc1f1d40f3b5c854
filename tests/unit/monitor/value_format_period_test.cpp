#include "common/number_format.h"
#include "monitor/period.h"
#include "monitor/value_format.h"

#include <gtest/gtest.h>

namespace korvanta::monitor {
namespace {

TEST(Formatuj, PatternsByDecimals) {
    common::setDecimalSeparator(QLatin1Char('.'));
    QString text = QStringLiteral("x=");
    EXPECT_TRUE(Formatuj(text, 0, 2.5));
    EXPECT_EQ(text, QStringLiteral("x=3"));
    EXPECT_EQ(formatChannelValue(0, -2.5), QStringLiteral("-3"));
    EXPECT_EQ(formatChannelValue(1, 0.05), QStringLiteral("0.1"));
    EXPECT_EQ(formatChannelValue(2, 1234.5), QStringLiteral("1234.50"));
    EXPECT_EQ(formatChannelValue(3, -0.0004), QStringLiteral("0.000"));
    EXPECT_EQ(formatChannelValue(3, 0.25), QStringLiteral("0.250"));
    EXPECT_FALSE(Formatuj(text, 4, 1.0));
    EXPECT_FALSE(Formatuj(text, -1, 1.0));
    EXPECT_EQ(text, QStringLiteral("x=3"));
    EXPECT_FALSE(formatChannelValue(4, 1.0).has_value());
}

TEST(Period, SecondsAtFixedPositions) {
    EXPECT_DOUBLE_EQ(konwersjaDoSekExecute(QStringLiteral("00:00:01.000")), 1.0);
    EXPECT_DOUBLE_EQ(konwersjaDoSekExecute(QStringLiteral("01:02:03.456")), 3723.456);
    EXPECT_DOUBLE_EQ(konwersjaDoSekExecute(QStringLiteral("00:00:01.000 and more")), 1.0);
    // No separators are checked; missing positions count as 0.
    EXPECT_DOUBLE_EQ(konwersjaDoSekExecute(QStringLiteral("00-01-02-500")), 62.5);
    EXPECT_DOUBLE_EQ(konwersjaDoSekExecute(QStringLiteral("12:34")), 45240.0);
    EXPECT_DOUBLE_EQ(konwersjaDoSekExecute(QString()), 0.0);
    // 'a' is 49 above '0', 'b' 50: hours 540; 'c', 'd' give minutes 562.
    EXPECT_DOUBLE_EQ(konwersjaDoSekExecute(QStringLiteral("ab:cd")), 540 * 3600.0 + 562 * 60.0);
}

TEST(Period, TimerIntervals) {
    EXPECT_EQ(timerIntervalFromPeriod(0.3), 299); // 1 / 0.3 rounded, then the extended quotient
    EXPECT_EQ(timerIntervalFromPeriod(1.0), 1000);
    EXPECT_EQ(timerIntervalFromPeriod(0.0), 0);
    EXPECT_EQ(timerIntervalFromPeriod(-2.0), 0);
    EXPECT_EQ(monitoringInterval(QStringLiteral("00:00:01.000")), 1000);
    EXPECT_EQ(monitoringInterval(QStringLiteral("00:00:00.300")), 299);
    EXPECT_EQ(monitoringInterval(QStringLiteral("00:01:00.000")), 60000);
    EXPECT_FALSE(monitoringInterval(QStringLiteral("00:00:00.000")));
    EXPECT_FALSE(monitoringInterval(QString()));
    EXPECT_FALSE(monitoringInterval(QStringLiteral("ab:cd")));
    EXPECT_FALSE(monitoringInterval(QStringLiteral("00:00:01,000")));
    EXPECT_FALSE(monitoringInterval(QStringLiteral("00:00:01.0")));
}

} // namespace
} // namespace korvanta::monitor
