#include "chart/ui/monitor_chart.h"
#include "monitor/current_values.h"

#include <QImage>
#include <gtest/gtest.h>
#include <vector>

namespace korvanta::chart::ui {
namespace {

using acquisition::SettingsRecord;
using acquisition::Tabela;

constexpr double kNow = 45000 + (10 * 3600 + 20 * 60 + 30.25) / 86400.0; // 10:20:30.250

monitor::CurrentValues valuesFrom(std::initializer_list<double> first) {
    monitor::CurrentValues values{};
    std::copy(first.begin(), first.end(), values.begin());
    return values;
}

TEST(MonitorChartTest, LivePointsOnLinesUseTheCoefficientAndTheVisibilityRule) {
    MonitorChart chart;
    SettingsRecord s;
    for (int c : {1, 2, 3, 4}) {
        s.setActive(c, true);
        s.setAddGraph(c, c != 2);
        s.setChartCoefficient(c, 1);
    }
    s.setChartCoefficient(1, 3);
    chart.setSeriesState(3, SeriesState::Deleted);
    chart.addLivePoints(s, valuesFrom({2.5, 7, -4, 9, 100}), kNow, false);

    ASSERT_EQ(chart.series(0)->data()->size(), 1);
    EXPECT_DOUBLE_EQ(chart.series(0)->data()->at(0)->key, kNow);
    EXPECT_DOUBLE_EQ(chart.series(0)->data()->at(0)->value, 7.5); // 3 × 2.5
    EXPECT_DOUBLE_EQ(chart.series(2)->data()->at(0)->value, -4);
    EXPECT_TRUE(chart.seriesVisible(0));
    EXPECT_FALSE(chart.seriesVisible(1)); // not on the chart, but fed
    EXPECT_EQ(chart.series(1)->data()->size(), 1);
    EXPECT_FALSE(chart.seriesVisible(3));          // deleted
    EXPECT_EQ(chart.series(4)->data()->size(), 0); // inactive channel untouched
    EXPECT_FALSE(chart.barSeries()->visible());
    EXPECT_EQ(chart.pointLabel(0, 0), QStringLiteral("10:20:30.250"));
    EXPECT_EQ(chart.pointLabel(0, 1), QString());

    // "Widoczne serie pogrubione": only thick series stay visible, whatever their flags.
    chart.setSeriesState(1, SeriesState::Thick);
    chart.addLivePoints(s, valuesFrom({1, 1, 1, 1}), kNow + 1.0 / 86400, true);
    EXPECT_FALSE(chart.seriesVisible(0));
    EXPECT_TRUE(chart.seriesVisible(1));
    EXPECT_FALSE(chart.seriesVisible(2));
    EXPECT_EQ(chart.series(0)->data()->size(), 2);
    EXPECT_EQ(chart.pointLabel(0, 1), QStringLiteral("10:20:31.250"));
}

TEST(MonitorChartTest, LivePointsOnTheBarChartAreOneBarPerActiveChannel) {
    MonitorChart chart;
    SettingsRecord s;
    s.setBarChart(true);
    s.setActive(2, true);
    s.setActive(5, true);
    s.setChartCoefficient(2, 10);
    chart.addLivePoints(s, valuesFrom({1, 2, 3, 4, 5}), kNow, false);
    chart.addLivePoints(s, valuesFrom({1, 6, 3, 4, 8}), kNow, false);
    QCPBars* bars = chart.barSeries();
    EXPECT_TRUE(bars->visible());
    ASSERT_EQ(bars->data()->size(), 2); // cleared before each step
    EXPECT_DOUBLE_EQ(bars->data()->at(0)->key, 2);
    EXPECT_DOUBLE_EQ(bars->data()->at(0)->value, 6); // no coefficient on bars
    EXPECT_DOUBLE_EQ(bars->data()->at(1)->key, 5);
    EXPECT_DOUBLE_EQ(bars->data()->at(1)->value, 8);
    EXPECT_EQ(chart.pointCount(), 0u);
}

TEST(MonitorChartTest, ScalingConsidersActiveOrVisibleSeriesAndAlwaysZero) {
    MonitorChart chart;
    SettingsRecord s;
    for (int c : {1, 2}) {
        s.setActive(c, true);
        s.setAddGraph(c, true);
        s.setChartCoefficient(c, 1);
    }
    s.setActive(3, true);
    s.setChartCoefficient(3, 1); // active but not drawn
    chart.addLivePoints(s, valuesFrom({10, 50, 200}), kNow, false);
    chart.addLivePoints(s, valuesFrom({20, 30, 200}), kNow + 0.001, false);

    chart.scaleToData(s, false); // visible series: 10..50, with 0: 0..50, margin 1
    EXPECT_DOUBLE_EQ(chart.valueLimits().lower, -1);
    EXPECT_DOUBLE_EQ(chart.valueLimits().upper, 51);
    EXPECT_DOUBLE_EQ(chart.yAxis->range().lower, -1);
    EXPECT_DOUBLE_EQ(chart.yAxis2->range().upper, 51);

    chart.scaleToData(s, true); // running: every active series, 0..200, margin 4
    EXPECT_DOUBLE_EQ(chart.valueLimits().lower, -4);
    EXPECT_DOUBLE_EQ(chart.valueLimits().upper, 204);
    EXPECT_DOUBLE_EQ(chart.yAxis2->range().lower, -4);

    MonitorChart zero;
    zero.addLivePoints(s, valuesFrom({0, 0, 0}), kNow, false);
    zero.scaleToData(s, true);
    EXPECT_EQ(zero.valueLimits().lower, 0);
    EXPECT_EQ(zero.valueLimits().upper, 0);
    EXPECT_DOUBLE_EQ(zero.yAxis->range().lower, -1); // an empty range is shown as ±1
    EXPECT_DOUBLE_EQ(zero.yAxis->range().upper, 1);
}

TEST(MonitorChartTest, FixedLimitsSetBothAxes) {
    MonitorChart chart;
    chart.setFixedLimits(-30, 30);
    EXPECT_DOUBLE_EQ(chart.yAxis->range().lower, -30);
    EXPECT_DOUBLE_EQ(chart.yAxis->range().upper, 30);
    EXPECT_DOUBLE_EQ(chart.yAxis2->range().lower, -30);
    EXPECT_DOUBLE_EQ(chart.yAxis2->range().upper, 30);
    chart.setFixedLimits(50, 10); // typed the wrong way round: shown sorted
    EXPECT_DOUBLE_EQ(chart.yAxis->range().lower, 10);
    EXPECT_DOUBLE_EQ(chart.yAxis2->range().upper, 50);
}

// Six records; record r has time stamp 12:00:r.100 and input k = 10 r + k.
struct DynamicTable {
    DynamicTable() : records(6) {
        for (int r = 0; r < 6; ++r) {
            records[r].timeStamp = 45000.5 + (r + 0.1) / 86400.0;
            for (int k = 1; k <= Tabela::kInputCount; ++k) {
                records[r].values[k - 1] = static_cast<float>(10 * r + k);
            }
        }
    }
    acquisition::TickView view(int current) {
        return {acquisition::ControlBlock(control.data()),
                acquisition::DataTable(records.data(), static_cast<int>(records.size())), current,
                0};
    }
    std::array<unsigned char, acquisition::ControlBlock::kSize> control{};
    std::vector<Tabela> records;
};

TEST(MonitorChartTest, DynamicDrawingRedrawsEligibleSeriesFromTheTable) {
    MonitorChart chart;
    SettingsRecord s;
    for (int c : {1, 2, 3, 4}) {
        s.setActive(c, true);
        s.setAddGraph(c, true);
    }
    s.setInputNumber(1, 2);
    s.setFunctionIndex(2, 1); // not a mean: stays empty
    s.setInputNumber(3, 40);  // no such input in a record
    s.setInputNumber(4, 3);   // reads the vector input
    s.setAddGraph(5, false);
    s.setActive(5, true);
    DynamicTable table;
    chart.series(1)->addData(1, 1);
    chart.rysowanieD(table.view(4), s, VectorChannel{3, 1, 2});

    const int records[] = {4, 5, 0, 1, 2};
    ASSERT_EQ(chart.series(0)->data()->size(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_DOUBLE_EQ(chart.series(0)->data()->at(i)->key, i);
        EXPECT_FLOAT_EQ(chart.series(0)->data()->at(i)->value, 10 * records[i] + 2);
        const double a = 10 * records[i] + 1;
        const double b = 10 * records[i] + 2;
        EXPECT_FLOAT_EQ(chart.series(3)->data()->at(i)->value,
                        static_cast<float>(std::sqrt(a * a + b * b)));
    }
    EXPECT_EQ(chart.pointLabel(0, 0), QStringLiteral("00:04.100"));
    EXPECT_EQ(chart.pointLabel(3, 2), QStringLiteral("00:00.100"));
    EXPECT_FLOAT_EQ(table.records[3].values[2], 33); // record 3 is not walked
    EXPECT_TRUE(chart.seriesVisible(0));
    EXPECT_FALSE(chart.seriesVisible(1));
    EXPECT_EQ(chart.series(1)->data()->size(), 0);
    EXPECT_TRUE(chart.seriesVisible(2)); // eligible, but its input has no values
    EXPECT_EQ(chart.series(2)->data()->size(), 0);
    EXPECT_FALSE(chart.seriesVisible(4));

    // The next tick replaces the points in place; the table's values changed meanwhile.
    table.records[4].values[1] = -7;
    chart.rysowanieD(table.view(4), s, std::nullopt);
    ASSERT_EQ(chart.series(0)->data()->size(), 5);
    EXPECT_FLOAT_EQ(chart.series(0)->data()->at(0)->value, -7);
    // Two points of labels per tick are shared: 16 bytes of point and at most 8 of label.
    EXPECT_LE(chart.pointStorageBytes(), chart.pointCount() * 24);
}

TEST(MonitorChartTest, DynamicDrawingWithBadVectorNumbersWritesNothing) {
    MonitorChart chart;
    SettingsRecord s;
    s.setActive(1, true);
    s.setAddGraph(1, true);
    s.setInputNumber(1, 32);
    for (const VectorChannel bad :
         {VectorChannel{33, 1, 2}, VectorChannel{1, 0, 2}, VectorChannel{1, 2, 64}}) {
        DynamicTable table;
        const std::vector<Tabela> before = table.records;
        chart.rysowanieD(table.view(0), s, bad);
        EXPECT_EQ(std::memcmp(before.data(), table.records.data(), before.size() * sizeof(Tabela)),
                  0);
        EXPECT_EQ(chart.series(0)->data()->size(), 5);
        EXPECT_FLOAT_EQ(chart.series(0)->data()->at(4)->value, 10 * 4 + 32);
    }
}

TEST(MonitorChartTest, NewMeasurementAndStartResetTheSeries) {
    MonitorChart chart;
    SettingsRecord s;
    s.setActive(5, true);
    s.setAddGraph(5, true);
    s.setChartCoefficient(5, 7);
    s.setChannelName(1, QStringLiteral("U1 [V]"));
    chart.addLivePoints(s, valuesFrom({0, 0, 0, 0, 1}), kNow, false);
    chart.setPenWidth(4, 5);
    chart.setSeriesState(4, SeriesState::Thick);
    chart.clearForNewMeasurement();
    EXPECT_EQ(chart.series(4)->data()->size(), 0);
    EXPECT_FALSE(chart.seriesVisible(4));
    EXPECT_EQ(chart.penWidth(4), 1);
    EXPECT_EQ(chart.seriesState(4), SeriesState::Normal);

    chart.setSeriesState(2, SeriesState::Deleted);
    chart.resetForStart(s);
    EXPECT_EQ(s.chartCoefficient(5), 1);
    EXPECT_EQ(s.chartCoefficient(64), 1);
    EXPECT_EQ(chart.seriesState(2), SeriesState::Normal);
    EXPECT_EQ(chart.seriesTitle(0), QStringLiteral("U1 [V]"));
    EXPECT_EQ(chart.seriesTitle(4), QStringLiteral("k5"));
}

TEST(MonitorChartTest, ColoursWidthsAndTitles) {
    EXPECT_EQ(MonitorChart::colorFromRecord(0x00332211u), QColor(0x11, 0x22, 0x33));
    EXPECT_EQ(MonitorChart::colorToRecord(QColor(0x11, 0x22, 0x33)), 0x00332211u);
    MonitorChart chart;
    SettingsRecord s;
    s.setSeriesColor(64, 0x000000FFu);
    chart.applySeriesColors(s);
    EXPECT_EQ(chart.seriesColor(63), QColor(255, 0, 0));
    chart.setLineWidth(0);
    EXPECT_EQ(chart.penWidth(10), 1);
    chart.setLineWidth(3);
    EXPECT_EQ(chart.penWidth(63), 3);
    EXPECT_EQ(chart.series(63)->pen().color(), QColor(255, 0, 0)); // width keeps the colour
    chart.setSeriesTitle(6, QString());
    EXPECT_EQ(chart.seriesTitle(6), QStringLiteral("k7"));
    chart.setAxisTitles(QStringLiteral("lewa"), QStringLiteral("prawa"));
    EXPECT_EQ(chart.yAxis->label(), QStringLiteral("lewa"));
    EXPECT_EQ(chart.yAxis2->label(), QStringLiteral("prawa"));
    chart.setSubtitle(QStringLiteral("Próba"));
    EXPECT_EQ(chart.subtitle(), QStringLiteral("Próba"));
    EXPECT_EQ(chart.series(64), nullptr);
    EXPECT_EQ(chart.pointLabel(-1, 0), QString());
}

// Renders the chart with three rising series into an image.
QImage render(MonitorChart& chart) {
    return chart.toPixmap(600, 400).toImage();
}

TEST(MonitorChartTest, ValueMarksAndTheDepthViewChangeThePicture) {
    MonitorChart chart;
    SettingsRecord s;
    for (int c : {1, 2, 3}) {
        s.setActive(c, true);
        s.setAddGraph(c, true);
        s.setChartCoefficient(c, 1);
        s.setSeriesColor(c, 0x000000FFu << (8 * (c - 1)));
    }
    chart.applySeriesColors(s);
    for (int i = 0; i < 20; ++i) {
        chart.addLivePoints(s, valuesFrom({1.0 * i, 2.0 * i, 3.0 * i}), kNow + i / 86400.0, false);
    }
    chart.setFixedLimits(-5, 65);
    const QImage plain = render(chart);
    chart.setMarksVisible(1, true);
    const QImage marked = render(chart);
    EXPECT_NE(plain, marked);
    chart.setMarksVisible(1, false);
    EXPECT_EQ(render(chart), plain);
    chart.setDepthView(true);
    const QImage deep = render(chart);
    EXPECT_NE(deep, plain);
    chart.setDepthView(false);
    EXPECT_EQ(render(chart), plain);
    chart.setLegendVisible(true);
    EXPECT_NE(render(chart), plain);
    EXPECT_EQ(chart.legend->itemCount(), 3); // only the visible series are listed
    chart.setLegendVisible(false);
    EXPECT_EQ(render(chart), plain);
}

// A loaded file as the loader gives it: two full columns and a third that only line 1 had.
files::LoadedFile threeColumnFile() {
    files::LoadedFile file;
    file.names[0] = QStringLiteral("k1");
    file.names[1] = QStringLiteral("k3");
    file.names[2] = QString();
    file.columns.resize(3);
    file.columns[0].values = {1.5f, 2.5f, 3.5f};
    file.columns[1].values = {-1, -2, -3};
    file.columns[2].values = {42};
    file.columns[2].lines = {1};
    file.labels = std::make_shared<LabelTexts>(
        QStringList{QStringLiteral("2024-05-06 10:00:00.000"),
                    QStringLiteral("2024-05-06 10:00:01.000"), QStringLiteral(" 7")});
    file.lastValueCount = 2;
    file.dataLines = 3;
    return file;
}

TEST(MonitorChartTest, AFileFillsItsSeriesWithSharedLabels) {
    MonitorChart chart;
    SettingsRecord s;
    s.setSeriesColor(1, 0x0000FF00u);
    s.setSeriesColor(2, 0x00FF0000u);
    s.setSeriesColor(3, 0x000000FFu);
    // What the chart held before goes: points, visibility, thick pens, the bars.
    chart.series(5)->addData(0, 9);
    chart.setSeriesVisible(5, true);
    chart.setPenWidth(0, 4);
    chart.barSeries()->addData(1, 3);
    chart.barSeries()->setVisible(true);

    chart.showFile(threeColumnFile(), s, FileSeries::All);
    EXPECT_EQ(chart.series(5)->data()->size(), 0);
    EXPECT_FALSE(chart.seriesVisible(5));
    EXPECT_EQ(chart.barSeries()->data()->size(), 0);
    EXPECT_FALSE(chart.barSeries()->visible());
    ASSERT_EQ(chart.series(0)->data()->size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_DOUBLE_EQ(chart.series(0)->data()->at(i)->key, i);
        EXPECT_DOUBLE_EQ(chart.series(1)->data()->at(i)->value, -(i + 1));
    }
    EXPECT_DOUBLE_EQ(chart.series(0)->data()->at(2)->value, 3.5);
    EXPECT_EQ(chart.penWidth(0), 1);
    EXPECT_EQ(chart.seriesTitle(0), QStringLiteral("k1"));
    EXPECT_EQ(chart.seriesTitle(1), QStringLiteral("k3"));
    EXPECT_EQ(chart.seriesTitle(2), QString()); // an empty name stays empty
    EXPECT_EQ(chart.seriesColor(0), QColor(0, 255, 0));
    EXPECT_EQ(chart.seriesColor(1), QColor(0, 0, 255));
    EXPECT_EQ(chart.seriesColor(2), QColor(255, 0, 0));
    for (int p = 0; p < 3; ++p) {
        EXPECT_TRUE(chart.seriesVisible(p)) << p;
    }
    EXPECT_FALSE(chart.seriesVisible(3));
    EXPECT_EQ(chart.pointLabel(0, 0), QStringLiteral("2024-05-06 10:00:00.000"));
    EXPECT_EQ(chart.pointLabel(1, 2), QStringLiteral(" 7"));
    // The third column's only point is at X = 0 and carries the label of its line.
    ASSERT_EQ(chart.series(2)->data()->size(), 1);
    EXPECT_DOUBLE_EQ(chart.series(2)->data()->at(0)->key, 0);
    EXPECT_EQ(chart.pointLabel(2, 0), QStringLiteral("2024-05-06 10:00:01.000"));
    // One block of labels for all series.
    EXPECT_EQ(chart.series(0)->labels().sharedStore(), chart.series(2)->labels().sharedStore());
    EXPECT_LE(chart.pointStorageBytes(), chart.pointCount() * sizeof(QCPGraphData) + 128);

    // Only the plotted channels are shown; all get their points and titles.
    s.setAddGraph(2, true);
    chart.showFile(threeColumnFile(), s, FileSeries::Plotted);
    EXPECT_FALSE(chart.seriesVisible(0));
    EXPECT_TRUE(chart.seriesVisible(1));
    EXPECT_FALSE(chart.seriesVisible(2));
    EXPECT_EQ(chart.series(0)->data()->size(), 3);
    EXPECT_EQ(chart.seriesTitle(0), QStringLiteral("k1"));

    // A file without data lines leaves every series empty and hidden.
    chart.showFile(files::LoadedFile{}, s, FileSeries::All);
    EXPECT_EQ(chart.pointCount(), 0u);
    for (int p = 0; p < MonitorChart::kSeriesCount; ++p) {
        EXPECT_FALSE(chart.seriesVisible(p));
    }
}

TEST(MonitorChartTest, LivePointsStayWithinTwentyFourBytes) {
    MonitorChart chart;
    SettingsRecord s;
    for (int c = 1; c <= 64; ++c) {
        s.setActive(c, true);
        s.setAddGraph(c, true);
    }
    monitor::CurrentValues values{};
    for (int i = 0; i < 100; ++i) {
        chart.addLivePoints(s, values, kNow + i / 86400.0, false);
    }
    EXPECT_EQ(chart.pointCount(), 6400u);
    EXPECT_LE(chart.pointStorageBytes(), chart.pointCount() * 24);
}

TEST(MonitorChartTest, BottomAxisStartShowsOnlyTheNewestPartOfTheData) {
    MonitorChart chart;
    SettingsRecord s;
    s.setActive(1, true);
    s.setAddGraph(1, true);
    s.setChartCoefficient(1, 1);
    const double minute = 60.0 / 86400;
    for (int i = 0; i <= 4; ++i) {
        chart.addLivePoints(s, valuesFrom({1.0 * i}), kNow + i * minute, false);
    }
    EXPECT_NEAR(chart.xAxis->range().lower, kNow, 1e-9);
    // The axis starting at -100 % is twice the chart's width: its right half is in view.
    chart.setBottomAxisStart(-100);
    EXPECT_NEAR(chart.xAxis->range().lower, kNow + 2 * minute, 1e-9);
    EXPECT_NEAR(chart.xAxis->range().upper, kNow + 4 * minute, 1e-9);
    // It holds for the points that come after, until it is back at 0.
    chart.addLivePoints(s, valuesFrom({5}), kNow + 6 * minute, false);
    EXPECT_NEAR(chart.xAxis->range().lower, kNow + 3 * minute, 1e-9);
    chart.setBottomAxisStart(0);
    EXPECT_NEAR(chart.xAxis->range().lower, kNow, 1e-9);
    EXPECT_NEAR(chart.xAxis->range().upper, kNow + 6 * minute, 1e-9);
}

} // namespace
} // namespace korvanta::chart::ui
