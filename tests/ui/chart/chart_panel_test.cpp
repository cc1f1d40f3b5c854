#include "chart/ui/chart_panel.h"
#include "monitor/current_values.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_messages.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace korvanta::chart::ui {
namespace {

constexpr double kNow = 45000.25;

struct ChartPanelTest : ::testing::Test {
    ChartPanelTest() : panel(environment()) {
        for (int c = 1; c <= 4; ++c) {
            settings.setActive(c, true);
            settings.setAddGraph(c, true);
            settings.setChartCoefficient(c, 1);
        }
    }
    ChartEnvironment environment() {
        return {&settings,
                [this] { return channelCount; },
                [this] { return running; },
                [this] { return lower; },
                [this] { return upper; },
                [](int n) { return QStringLiteral("wejście %1").arg(n); },
                &messages,
                &dialogs};
    }
    // Three live points per series; point i of series n is (n + 1) × (i + 1) + 0.123456.
    void feed() {
        for (int i = 0; i < 3; ++i) {
            monitor::CurrentValues v{};
            for (int n = 0; n < 4; ++n) {
                v[n] = (n + 1) * (i + 1) + 0.123456;
            }
            chart()->addLivePoints(settings, v, kNow + i / 86400.0, false);
        }
    }
    MonitorChart* chart() { return panel.chart(); }
    template <typename T> T* child(const char* name) {
        T* found = panel.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void trigger(const char* action) { child<QAction>(action)->trigger(); }
    void clickPoint(int series, int index, Qt::MouseButton button) {
        QMouseEvent event(QEvent::MouseButtonRelease, QPointF(1, 1), QPointF(1, 1), button,
                          Qt::NoButton, Qt::NoModifier);
        emit chart()->plottableClick(chart()->series(series), index, &event);
    }
    QString label33() { return child<QLabel>("Label33")->text(); }

    acquisition::SettingsRecord settings;
    int channelCount = 4;
    bool running = false;
    QString lower = QStringLiteral("-30");
    QString upper = QStringLiteral("30");
    testing::ScriptedMessages messages;
    testing::ScriptedDialogs dialogs;
    ChartPanel panel;
};

TEST_F(ChartPanelTest, ToolBarHoldsEveryButtonWithItsHintAndMenus) {
    const std::pair<const char*, const char*> hints[] = {
        {"ToolButton8", "Zapisz wykres jako tekst"},
        {"ToolButton10", "Kopiuj"},
        {"ToolButton14", "Widok 3D"},
        {"ToolButton22", "Skalowanie"},
        {"ToolButton26", "Pokaż legendę"},
        {"ToolButton12", "Pomoc i aktualizacja"},
        {"ToolButton17", "Cały lub część wykresu"},
        {"ToolButton29", "Opcje serii danych"},
        {"ToolButton27", "Zamknij i wyjdź"},
    };
    for (const auto& [name, hint] : hints) {
        EXPECT_EQ(child<QToolButton>(name)->toolTip(), QString::fromUtf8(hint)) << name;
    }
    EXPECT_NE(child<QToolButton>("ToolButton51"), nullptr);
    EXPECT_NE(child<QToolButton>("ToolButton24"), nullptr);
    EXPECT_EQ(child<QAction>("Scalingofdiagram1")->text(),
              QStringLiteral("Skaluj granice wykresu"));
    EXPECT_EQ(child<QAction>("Closeandexit1")->text(), QStringLiteral("Wyjdź i zamknij"));
    EXPECT_EQ(child<QAction>("Marked1")->text(), QStringLiteral("Wartości Y dla całej serii"));
    EXPECT_FALSE(child<QAction>("Movetoanalysis1")->isVisible());
    EXPECT_EQ(child<QAction>("Calibration1")->text(), QStringLiteral("Kalibracja"));
    EXPECT_EQ(chart()->objectName(), QStringLiteral("Chart1"));
    EXPECT_TRUE(child<QWidget>("Panel16")->isHidden());
    EXPECT_TRUE(child<QWidget>("Memo2")->isHidden());
}

TEST_F(ChartPanelTest, ButtonsAndMenusRaiseTheWindowsRequests) {
    QSignalSpy about(&panel, &ChartPanel::aboutRequested);
    QSignalSpy close(&panel, &ChartPanel::closeRequested);
    QSignalSpy exit(&panel, &ChartPanel::closeAndExitRequested);
    QSignalSpy save(&panel, &ChartPanel::saveAsTextRequested);
    QSignalSpy print(&panel, &ChartPanel::printRequested);
    child<QToolButton>("ToolButton12")->click();
    trigger("Close1");
    trigger("Closeandexit1");
    child<QToolButton>("ToolButton27")->click();
    child<QToolButton>("ToolButton8")->click();
    child<QToolButton>("ToolButton51")->click();
    EXPECT_EQ(about.count(), 1);
    EXPECT_EQ(close.count(), 1);
    EXPECT_EQ(exit.count(), 2);
    EXPECT_EQ(save.count(), 1);
    EXPECT_EQ(print.count(), 1);

    for (int i = 0; i < 13; ++i) {
        child<QToolButton>("ToolButton17")->click();
    }
    EXPECT_EQ(panel.partViewCounter(), 3); // 0 after 9

    feed();
    child<QToolButton>("ToolButton10")->click();
    EXPECT_FALSE(QApplication::clipboard()->image().isNull());
}

TEST_F(ChartPanelTest, ScalingButtonTogglesTheFlagAndFitsTheAxes) {
    feed(); // largest value 4 × 3 + 0.123456
    auto* button = child<QToolButton>("ToolButton22");
    button->click();
    EXPECT_TRUE(panel.autoScaling());
    EXPECT_TRUE(button->isChecked());
    const double max = 12.123456;
    EXPECT_DOUBLE_EQ(chart()->valueLimits().upper, max * 1.02);
    EXPECT_DOUBLE_EQ(chart()->valueLimits().lower, -max * 0.02);
    button->click();
    EXPECT_FALSE(panel.autoScaling());
    EXPECT_FALSE(button->isChecked());

    trigger("Setlimitofdiagram1");
    EXPECT_DOUBLE_EQ(chart()->yAxis->range().lower, -30);
    EXPECT_DOUBLE_EQ(chart()->yAxis2->range().upper, 30);
    upper = QStringLiteral("3o");
    trigger("Setlimitofdiagram1");
    EXPECT_EQ(messages.errors.size(), 1);
    EXPECT_DOUBLE_EQ(chart()->yAxis->range().upper, 30);
    trigger("Scalingofdiagram1");
    EXPECT_DOUBLE_EQ(chart()->yAxis->range().upper, max * 1.02);
}

TEST_F(ChartPanelTest, SeriesMenuIsOneExclusiveMode) {
    const char* items[] = {"YValue1", "Visible1", "Thickline1", "Deleteseries1", "Marked1"};
    const auto checked = [&] {
        QString which;
        for (const char* item : items) {
            which += child<QAction>(item)->isChecked() ? QLatin1Char('1') : QLatin1Char('0');
        }
        return which;
    };
    trigger("YValue1");
    EXPECT_EQ(checked(), QStringLiteral("10000"));
    trigger("Deleteseries1");
    EXPECT_EQ(checked(), QStringLiteral("00010"));
    trigger("Marked1");
    trigger("Marked1");
    EXPECT_EQ(checked(), QStringLiteral("00001"));
    trigger("Thickline1");
    trigger("Thickline1");
    EXPECT_EQ(checked(), QStringLiteral("00000"));
    EXPECT_EQ(panel.seriesClickMode(), SeriesClickMode::None);

    // "Gruba linia" twice: a click on a series does nothing.
    feed();
    clickPoint(0, 1, Qt::LeftButton);
    EXPECT_EQ(chart()->penWidth(0), 1);
    EXPECT_EQ(chart()->seriesState(0), SeriesState::Normal);

    // "Widoczne serie pogrubione" shows the thick series only.
    chart()->setSeriesState(2, SeriesState::Thick);
    trigger("Visible1");
    EXPECT_EQ(checked(), QStringLiteral("01000"));
    EXPECT_TRUE(panel.visible1Checked());
    EXPECT_FALSE(chart()->seriesVisible(0));
    EXPECT_TRUE(chart()->seriesVisible(2));
    EXPECT_FALSE(chart()->seriesVisible(40));

    panel.prepareForMonitoringStart();
    EXPECT_EQ(checked(), QStringLiteral("00000"));
    EXPECT_EQ(label33(), QStringLiteral(" "));
}

TEST_F(ChartPanelTest, PointClicksActByMode) {
    feed();
    trigger("YValue1");
    clickPoint(1, 2, Qt::LeftButton); // series k2, point 2: 2 × 3 + 0.123456
    EXPECT_EQ(label33(), QString(16, QLatin1Char(' ')) + QStringLiteral("k2  Y=6.1235"));
    clickPoint(1, 0, Qt::RightButton);
    EXPECT_EQ(label33(), QString(16, QLatin1Char(' ')) + QStringLiteral("k2  Y=2.1235"));
    clickPoint(1, 3, Qt::LeftButton); // no such point: nothing
    EXPECT_EQ(label33(), QString(16, QLatin1Char(' ')) + QStringLiteral("k2  Y=2.1235"));

    trigger("Thickline1");
    clickPoint(0, 0, Qt::LeftButton);
    clickPoint(0, 1, Qt::LeftButton);
    EXPECT_EQ(chart()->penWidth(0), 3);
    EXPECT_EQ(chart()->seriesState(0), SeriesState::Thick);
    clickPoint(0, 1, Qt::RightButton);
    EXPECT_EQ(chart()->penWidth(0), 1);
    EXPECT_EQ(chart()->seriesState(0), SeriesState::Normal);

    trigger("Deleteseries1");
    clickPoint(2, 0, Qt::RightButton);
    EXPECT_EQ(chart()->seriesState(2), SeriesState::Normal);
    running = true;
    clickPoint(2, 0, Qt::LeftButton);
    EXPECT_EQ(chart()->seriesState(2), SeriesState::Deleted);
    EXPECT_TRUE(chart()->seriesVisible(2)); // stays on while monitoring runs
    running = false;
    clickPoint(3, 0, Qt::LeftButton);
    EXPECT_FALSE(chart()->seriesVisible(3));

    trigger("Marked1");
    clickPoint(1, 0, Qt::LeftButton);
    EXPECT_TRUE(chart()->marksVisible(1));
    EXPECT_FALSE(chart()->marksVisible(0));
    clickPoint(1, 0, Qt::RightButton);
    EXPECT_FALSE(chart()->marksVisible(1));
}

TEST_F(ChartPanelTest, RealMouseClickOnAPointPassesItsIndex) {
    feed();
    panel.resize(900, 600);
    panel.show();
    chart()->setFixedLimits(0, 15);
    chart()->replot();
    trigger("YValue1");
    // Point 1 of series k4: 4 × 2 + 0.123456.
    const QCPGraphData point = *chart()->series(3)->data()->at(1);
    const QPoint pixel(qRound(chart()->xAxis->coordToPixel(point.key)),
                       qRound(chart()->yAxis->coordToPixel(point.value)));
    QTest::mouseClick(chart(), Qt::LeftButton, Qt::NoModifier, pixel);
    EXPECT_EQ(label33(), QString(16, QLatin1Char(' ')) + QStringLiteral("k4  Y=8.1235"));
}

TEST_F(ChartPanelTest, LegendClickRemembersTheSeriesForTheLegendMenu) {
    feed();
    chart()->setSeriesVisible(0, false); // the legend now starts with k2
    panel.resize(900, 600);
    panel.show();
    child<QToolButton>("ToolButton26")->click();
    EXPECT_TRUE(chart()->legendVisible());
    EXPECT_TRUE(child<QToolButton>("ToolButton26")->isChecked());
    chart()->replot();
    ASSERT_EQ(chart()->legend->itemCount(), 3);
    const QRect second = chart()->legend->item(1)->outerRect();
    QTest::mouseClick(chart(), Qt::LeftButton, Qt::NoModifier, second.center());
    EXPECT_EQ(panel.legendSeriesIndex(), 2); // k3, the second entry
    trigger("Deleteseries2");
    EXPECT_FALSE(chart()->seriesVisible(2));
    EXPECT_TRUE(chart()->seriesVisible(1));
}

TEST_F(ChartPanelTest, SeriesResetWithoutAFile) {
    feed();
    settings.setActive(3, false);
    settings.setActive(6, true);
    channelCount = 5;
    for (int i : {0, 2, 5}) {
        chart()->setSeriesState(i, SeriesState::Thick);
        chart()->setPenWidth(i, 4);
        chart()->setMarksVisible(i, true);
        chart()->setSeriesVisible(i, false);
    }
    QSignalSpy redraw(&panel, &ChartPanel::redrawFileRequested);
    child<QToolButton>("ToolButton29")->click();
    EXPECT_EQ(redraw.count(), 0);
    EXPECT_TRUE(chart()->seriesVisible(0));
    EXPECT_EQ(chart()->penWidth(0), 1);
    EXPECT_EQ(chart()->seriesState(0), SeriesState::Normal);
    EXPECT_FALSE(chart()->marksVisible(0));
    EXPECT_EQ(label33(), QStringLiteral(" "));
    // Channel 3 is inactive, channel 6 lies beyond the channel count: both untouched.
    for (int i : {2, 5}) {
        EXPECT_FALSE(chart()->seriesVisible(i));
        EXPECT_EQ(chart()->seriesState(i), SeriesState::Thick);
        EXPECT_TRUE(chart()->marksVisible(i));
    }
}

TEST_F(ChartPanelTest, SeriesResetWithAFileAsksForTheFileAgain) {
    feed();
    chart()->setHoldsFile(true);
    for (int i : {0, 50}) {
        chart()->setSeriesState(i, SeriesState::Deleted);
        chart()->setMarksVisible(i, true);
    }
    chart()->setPenWidth(0, 3);
    QSignalSpy redraw(&panel, &ChartPanel::redrawFileRequested);
    child<QToolButton>("ToolButton29")->click();
    EXPECT_EQ(redraw.count(), 1);
    EXPECT_EQ(chart()->seriesState(0), SeriesState::Normal);
    EXPECT_EQ(chart()->seriesState(50), SeriesState::Normal);
    EXPECT_FALSE(chart()->marksVisible(50));
    EXPECT_EQ(chart()->penWidth(0), 3); // the file's drawing decides
    EXPECT_EQ(label33(), QStringLiteral(" "));
}

TEST_F(ChartPanelTest, BarViewShowsOneSampleOfEveryFileChannel) {
    // A loaded file: 3 channels of 5 samples, labelled by the file's time texts.
    QStringList times;
    for (int i = 0; i < 5; ++i) {
        times << QStringLiteral(" 10:00:0%1.000").arg(i);
    }
    const auto texts = std::make_shared<LabelTexts>(times);
    for (int j = 0; j < 3; ++j) {
        for (int i = 0; i < 5; ++i) {
            chart()->series(j)->addData(i, 10 * (j + 1) + i);
        }
        chart()->series(j)->labels().setTexts(texts);
    }
    panel.setBarViewVisible(true);
    EXPECT_FALSE(child<QWidget>("Panel16")->isHidden());
    panel.setBarCount(3);
    QSlider* track = child<QSlider>("TrackBar1");
    track->setRange(1, 5);
    track->setValue(1);
    track->setValue(2);
    track->setValue(1); // without a file, position 1 does nothing
    QCPBars* bars = chart()->barSeries();
    ASSERT_EQ(bars->data()->size(), 3);
    EXPECT_DOUBLE_EQ(bars->data()->at(0)->value, 11); // the position-2 sample stays

    chart()->setHoldsFile(true);
    track->setValue(5);
    ASSERT_EQ(bars->data()->size(), 3);
    for (int j = 0; j < 3; ++j) {
        EXPECT_DOUBLE_EQ(bars->data()->at(j)->key, j + 1);
        EXPECT_DOUBLE_EQ(bars->data()->at(j)->value, 10 * (j + 1) + 4);
        EXPECT_FALSE(chart()->seriesVisible(j));
    }
    EXPECT_TRUE(bars->visible());
    EXPECT_EQ(child<QLineEdit>("Edit37")->text(), QStringLiteral(" 10:00:04.000"));
    track->setValue(1);
    EXPECT_DOUBLE_EQ(bars->data()->at(2)->value, 30);
    EXPECT_EQ(child<QLineEdit>("Edit37")->text(), QStringLiteral(" 10:00:00.000"));
}

TEST_F(ChartPanelTest, AFileSnapshotShowsTheFirstSampleAndSetsTheTrackRange) {
    QStringList times;
    for (int i = 0; i < 5; ++i) {
        times << QStringLiteral("2024-05-06 10:00:0%1.000").arg(i);
    }
    const auto texts = std::make_shared<LabelTexts>(times);
    for (int j = 0; j < 4; ++j) {
        for (int i = 0; i < 5; ++i) {
            chart()->series(j)->addData(i, 100 * (j + 1) + i);
        }
        chart()->series(j)->labels().setTexts(texts);
        chart()->setSeriesVisible(j, true);
    }
    QSlider* track = child<QSlider>("TrackBar1");
    track->setRange(1, 9);
    track->setValue(7);
    // Neither moving the track nor the chart's earlier file draws a snapshot of its own.
    chart()->setHoldsFile(true);
    panel.showFileSnapshot(3, 5);
    EXPECT_EQ(panel.barCount(), 3);
    EXPECT_EQ(track->minimum(), 1);
    EXPECT_EQ(track->maximum(), 5);
    EXPECT_EQ(track->value(), 1);
    QCPBars* bars = chart()->barSeries();
    EXPECT_TRUE(bars->visible());
    ASSERT_EQ(bars->data()->size(), 3);
    for (int j = 0; j < 3; ++j) {
        EXPECT_DOUBLE_EQ(bars->data()->at(j)->key, j + 1);
        EXPECT_DOUBLE_EQ(bars->data()->at(j)->value, 100 * (j + 1));
        EXPECT_FALSE(chart()->seriesVisible(j));
    }
    EXPECT_TRUE(chart()->seriesVisible(3)); // beyond the file's channels
    EXPECT_EQ(child<QLineEdit>("Edit37")->text(), QStringLiteral("2024-05-06 10:00:00.000"));

    // No data lines: the track stays at 1 and there are no bars.
    for (int j = 0; j < 4; ++j) {
        chart()->series(j)->data()->clear();
    }
    panel.showFileSnapshot(1, 0);
    EXPECT_EQ(track->maximum(), 1);
    EXPECT_EQ(bars->data()->size(), 0);
    EXPECT_EQ(child<QLineEdit>("Edit37")->text(), QString());
}

TEST_F(ChartPanelTest, SavePictureAtTheChartsSizeOrAChosenOne) {
    QTemporaryDir dir;
    feed();
    chart()->series(0)->setVisible(true);
    panel.resize(700, 500);
    settings.setDataDirectory(dir.path() + QLatin1Char('/'));
    const QString named = dir.filePath(QStringLiteral("wykres"));
    dialogs.saveAnswers = {named, dir.filePath(QStringLiteral("duzy.svg")), std::nullopt,
                           dir.filePath(QStringLiteral("brak/w.png"))};

    auto* button = child<QToolButton>("PictureButton");
    EXPECT_EQ(button->toolTip(), QStringLiteral("Zapisz wykres jako obraz"));
    button->click();
    ASSERT_EQ(dialogs.saveRequests.size(), 1u);
    EXPECT_EQ(dialogs.saveRequests[0].initialDirectory, dir.path() + QLatin1Char('/'));
    const QImage own(named + QStringLiteral(".png"));
    EXPECT_EQ(own.size(), chart()->size()) << "a name without a picture type is saved as PNG";

    trigger("Picture1920x1080");
    QFile svg(dir.filePath(QStringLiteral("duzy.svg")));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    EXPECT_TRUE(svg.readAll().contains("viewBox=\"0 0 1920 1080\""));

    trigger("PictureChartSize"); // cancelled
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);
    EXPECT_TRUE(messages.shown.empty());

    button->click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("Błąd"));
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("w.png")));
}

} // namespace
} // namespace korvanta::chart::ui
