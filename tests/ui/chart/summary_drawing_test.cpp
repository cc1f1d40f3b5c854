#include "chart/ui/monitor_chart.h"
#include "support/chart_pictures.h"

#include <QImage>
#include <QPixmap>
#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <random>

namespace korvanta::chart::ui {
namespace {

constexpr int kWidth = 1600;
constexpr int kHeight = 900;
constexpr int kPoints = 200000;

// One visible series of kPoints points at X = 0, 1, 2 … with the values f(i), the value axis
// fixed, so both drawings share every axis.
template <typename F> void fill(MonitorChart& chart, int series, F f) {
    ChartSeries* s = chart.series(series);
    for (int i = 0; i < kPoints; ++i) {
        s->addPoint(i, f(i));
    }
    s->setVisible(true);
    chart.setFixedLimits(-12, 12);
    chart.rescaleKeyAxis();
}

TEST(SummaryDrawingTest, LongSeriesLookAsIfEveryPointWereDrawn) {
    std::mt19937 random(3);
    std::normal_distribution<double> noise(0, 2);
    MonitorChart chart;
    fill(chart, 0, [&](int) { return noise(random); });
    fill(chart, 1, [](int i) { return 8 * std::sin(i * 0.0005); });
    fill(chart, 2, [](int i) { return i < kPoints / 3 ? -6.0 : 5.0; });
    for (int shown = 0; shown < 3; ++shown) {
        for (int s = 0; s < 3; ++s) {
            chart.setSeriesVisible(s, s == shown);
        }
        // Drawn the first time, the points are read one by one; drawn again, from their summary.
        EXPECT_LE(benchmarks::summaryPixelDifference(chart, kWidth, kHeight), 0.5)
            << "series " << shown;
        EXPECT_EQ(chart.series(shown)->summaryBytes(), 0U);
        EXPECT_LE(benchmarks::summaryPixelDifference(chart, kWidth, kHeight), 0.5)
            << "series " << shown << " from its summary";
    }
    // The summary is small beside the points.
    EXPECT_GT(chart.series(0)->summaryBytes(), 0U);
    EXPECT_LE(chart.series(0)->summaryBytes(), 6U * kPoints);
}

// The highest row, within the axis rectangle, that holds the series' colour.
int topRowOf(const QImage& picture, const QColor& colour) {
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (picture.pixelColor(x, y) == colour) {
                return y;
            }
        }
    }
    return -1;
}

TEST(SummaryDrawingTest, ASinglePointSpikeStaysVisibleAndAReplacedSeriesIsNotDrawnStale) {
    MonitorChart chart;
    chart.setSeriesColor(0, QColor(200, 0, 0));
    fill(chart, 0, [](int i) { return i == 123457 ? 10.0 : 0.0; });
    const int spikeTop = topRowOf(chart.toPixmap(kWidth, kHeight).toImage(), QColor(200, 0, 0));
    const double spikePixel = chart.series(0)->valueAxis()->coordToPixel(10);
    ASSERT_GE(spikeTop, 0);
    EXPECT_NEAR(spikeTop, spikePixel, 2);

    // The same points written again without the spike: the earlier summary must not be used.
    chart.clearForNewMeasurement();
    fill(chart, 0, [](int) { return 0.0; });
    const int flatTop = topRowOf(chart.toPixmap(kWidth, kHeight).toImage(), QColor(200, 0, 0));
    EXPECT_NEAR(flatTop, chart.series(0)->valueAxis()->coordToPixel(0), 2);
}

// Dense series set their pixels in one image laid over the chart later; a series drawn through
// the painter between them must still lie over the ones before it and under the ones after.
TEST(SummaryDrawingTest, SeriesDrawnDirectlyAndThroughThePainterKeepTheirOrder) {
    MonitorChart chart;
    const std::array<QColor, 3> colours = {QColor(200, 0, 0), QColor(0, 0, 200), QColor(0, 150, 0)};
    for (int s = 0; s < 3; ++s) {
        fill(chart, s, [](int i) { return i % 2 == 0 ? -1.0 : 1.0; });
        chart.setSeriesColor(s, colours[static_cast<std::size_t>(s)]);
    }
    // A thick pen is drawn through the painter.
    chart.setPenWidth(1, 3);
    chart.resize(kWidth, kHeight);
    const auto colourAtZero = [&] {
        const QImage picture = chart.toPixmap(kWidth, kHeight).toImage();
        return picture.pixelColor(static_cast<int>(chart.xAxis->coordToPixel(kPoints / 2.0)),
                                  static_cast<int>(chart.yAxis->coordToPixel(0)));
    };
    EXPECT_EQ(colourAtZero(), colours[2]);
    chart.setSeriesVisible(2, false);
    EXPECT_EQ(colourAtZero(), colours[1]);
    chart.setSeriesVisible(1, false);
    EXPECT_EQ(colourAtZero(), colours[0]);
}

TEST(SummaryDrawingTest, HugeAndInfiniteValuesLeaveTheRestOfTheSeriesDrawn) {
    MonitorChart chart;
    const QColor colour(0, 0, 200);
    fill(chart, 0, [](int i) {
        if (i % 5000 == 1) {
            return i % 2 == 0 ? -std::numeric_limits<double>::infinity() : 1e300;
        }
        return std::sin(i * 0.001);
    });
    chart.setSeriesColor(0, colour);
    chart.resize(kWidth, kHeight);
    const QImage picture = chart.toPixmap(kWidth, kHeight).toImage();
    // The sine between the far values is where it belongs.
    const int x = static_cast<int>(chart.xAxis->coordToPixel(kPoints / 2.0 + 1000));
    int inColumn = 0;
    for (int y = 0; y < picture.height(); ++y) {
        inColumn += picture.pixelColor(x, y) == colour ? 1 : 0;
    }
    EXPECT_GT(inColumn, 0);
    EXPECT_LT(inColumn, picture.height() / 2);
}

} // namespace
} // namespace korvanta::chart::ui
