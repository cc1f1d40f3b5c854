// The A/B cursors of the monitoring chart: placed, dragged and stepped with real mouse and key
// input, kept on their points while live points arrive, removed with the chart's data, and out
// of the way of the series menu's clicks while switched off.

#include "chart/cursor_readout_text.h"
#include "chart/ui/chart_cursors.h"
#include "chart/ui/chart_panel.h"
#include "chart/ui/cursor_readout.h"
#include "monitor/current_values.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_messages.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <cmath>
#include <gtest/gtest.h>

namespace korvanta::chart::ui {
namespace {

using Cursor = ChartCursors::Cursor;

constexpr double kNow = 45000.25;
// Series k1; k2 holds ten times these.
const double kValues[] = {2, -1, 4, 3, -2, 5};

struct ChartCursorsTest : ::testing::Test {
    ChartCursorsTest() : panel(environment()) {
        for (int c = 1; c <= 2; ++c) {
            settings.setActive(c, true);
            settings.setAddGraph(c, true);
            settings.setChartCoefficient(c, 1);
        }
        panel.resize(900, 700);
        panel.show();
    }
    ChartEnvironment environment() {
        return {&settings,
                [] { return 2; },
                [] { return false; },
                [] { return QStringLiteral("-60"); },
                [] { return QStringLiteral("60"); },
                [](int n) { return QStringLiteral("wejście %1").arg(n); },
                &messages,
                &dialogs};
    }
    // Live points `from`..`to` - 1, one second apart; past the table the values repeat.
    void feed(int from, int to) {
        for (int i = from; i < to; ++i) {
            monitor::CurrentValues v{};
            v[0] = kValues[i % 6];
            v[1] = 10 * kValues[i % 6];
            chart()->addLivePoints(settings, v, kNow + i / 86400.0, false);
        }
        chart()->setFixedLimits(-60, 60);
        chart()->replot();
    }
    MonitorChart* chart() { return panel.chart(); }
    ChartCursors& cursors() { return *panel.cursors(); }
    template <typename T> T* child(const char* name) {
        T* found = panel.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    // The pixel of point `index` of k1, moved `dx` pixels sideways.
    QPoint pixelOf(int index, int dx = 0) {
        const QCPGraphData point = *chart()->series(0)->data()->at(index);
        return {qRound(chart()->xAxis->coordToPixel(point.key)) + dx,
                qRound(chart()->yAxis->coordToPixel(point.value))};
    }
    // Half the distance between two neighbouring points, in pixels, less one.
    int nearlyHalfway() { return static_cast<int>((pixelOf(1).x() - pixelOf(0).x()) / 2) - 1; }
    // The button, then the chart laid out again beside the readout and drawn.
    void pressCursorsButton() {
        child<QToolButton>("CursorsButton")->click();
        QApplication::processEvents();
        chart()->replot();
    }
    QTableWidget* table() { return child<QTableWidget>("CursorTable"); }
    QString cell(int row, int column) {
        const QTableWidgetItem* item = table()->item(row, column);
        return item == nullptr ? QString() : item->text();
    }
    double lineKey(Cursor c) { return cursors().line(c)->point1->coords().x(); }

    acquisition::SettingsRecord settings;
    testing::ScriptedMessages messages;
    testing::ScriptedDialogs dialogs;
    ChartPanel panel;
};

TEST_F(ChartCursorsTest, ButtonSwitchesTheCursorsAndTheirReadout) {
    auto* button = child<QToolButton>("CursorsButton");
    EXPECT_EQ(button->text(), QStringLiteral("Kursory"));
    EXPECT_EQ(button->toolTip(), QStringLiteral("Kursory A/B: pomiar między dwoma punktami"));
    EXPECT_TRUE(button->isCheckable());
    auto* readout = child<CursorReadout>("CursorReadout");
    EXPECT_FALSE(readout->isVisible());

    button->click();
    EXPECT_TRUE(cursors().isOn());
    EXPECT_TRUE(readout->isVisible());
    button->click();
    EXPECT_FALSE(cursors().isOn());
    EXPECT_FALSE(readout->isVisible());
}

TEST_F(ChartCursorsTest, LeftClickPlacesARightClickPlacesBAtTheNearestPoint) {
    feed(0, 6);
    pressCursorsButton();
    const int near = nearlyHalfway();
    QTest::mouseClick(chart(), Qt::LeftButton, Qt::NoModifier, pixelOf(1, near));
    QTest::mouseClick(chart(), Qt::RightButton, Qt::NoModifier, pixelOf(4, -near));
    EXPECT_EQ(cursors().index(Cursor::A), 1);
    EXPECT_EQ(cursors().index(Cursor::B), 4);
    chart()->replot();
    EXPECT_DOUBLE_EQ(lineKey(Cursor::A), chart()->series(0)->data()->at(1)->key);
    EXPECT_TRUE(cursors().line(Cursor::B)->visible());

    // k1 from point 1 to 4: -1, 4, 3, -2; k2 ten times that; three seconds apart.
    ASSERT_EQ(table()->rowCount(), 2);
    const QStringList k1{QStringLiteral("k1"), QStringLiteral("-1"), QStringLiteral("-2"),
                         QStringLiteral("-1"), QStringLiteral("3"),  QStringLiteral("s"),
                         QStringLiteral("4"),  QStringLiteral("-2"), QStringLiteral("4"),
                         QStringLiteral("6"),  QStringLiteral("1"),  readoutNumber(std::sqrt(7.5))};
    for (int c = 0; c < k1.size(); ++c) {
        EXPECT_EQ(cell(0, c), k1[c]) << c;
    }
    EXPECT_EQ(cell(1, 9), QStringLiteral("60"));
    EXPECT_EQ(cell(1, 11), readoutNumber(std::sqrt(750.0)));
    EXPECT_EQ(child<QLabel>("CursorPositions")->text(), QStringLiteral("A: punkt 1   B: punkt 4"));

    child<QPushButton>("CursorCopyButton")->click();
    const QStringList lines = QApplication::clipboard()->text().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 4); // header, k1, k2 and the empty end
    EXPECT_EQ(lines[0], cursorReadoutTitles().join(QLatin1Char('\t')));
    EXPECT_EQ(lines[1], k1.join(QLatin1Char('\t')));
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("k2\t-10\t-20\t-10\t3\ts\t4\t")));
}

TEST_F(ChartCursorsTest, DraggingMovesACursorAndArrowKeysStepTheActiveOne) {
    feed(0, 6);
    pressCursorsButton();
    QTest::mouseClick(chart(), Qt::LeftButton, Qt::NoModifier, pixelOf(1));
    QTest::mouseClick(chart(), Qt::RightButton, Qt::NoModifier, pixelOf(4));
    chart()->replot();

    // A press on A's line takes A along to the point the mouse is let go over.
    QTest::mousePress(chart(), Qt::LeftButton, Qt::NoModifier, pixelOf(1, 2));
    QTest::mouseMove(chart(), pixelOf(2));
    QTest::mouseMove(chart(), pixelOf(3, 1));
    QTest::mouseRelease(chart(), Qt::LeftButton, Qt::NoModifier, pixelOf(3, 1));
    EXPECT_EQ(cursors().index(Cursor::A), 3);
    EXPECT_EQ(cursors().index(Cursor::B), 4);
    EXPECT_EQ(cell(0, 6), QStringLiteral("2"));

    // The left button on B's line drags B, and B is then the one the keys step.
    chart()->replot();
    QTest::mousePress(chart(), Qt::LeftButton, Qt::NoModifier, pixelOf(4));
    QTest::mouseMove(chart(), pixelOf(5));
    QTest::mouseRelease(chart(), Qt::LeftButton, Qt::NoModifier, pixelOf(5));
    EXPECT_EQ(cursors().index(Cursor::B), 5);
    EXPECT_EQ(cursors().active(), Cursor::B);

    QTest::keyClick(chart(), Qt::Key_Left);
    QTest::keyClick(chart(), Qt::Key_Left);
    EXPECT_EQ(cursors().index(Cursor::B), 3);
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(chart(), Qt::Key_Right);
    }
    EXPECT_EQ(cursors().index(Cursor::B), 5); // the last point
    EXPECT_EQ(cursors().index(Cursor::A), 3);

    QTest::mouseClick(chart(), Qt::LeftButton, Qt::NoModifier, pixelOf(0));
    QTest::keyClick(chart(), Qt::Key_Left);
    EXPECT_EQ(cursors().index(Cursor::A), 0); // the first point
    QTest::keyClick(chart(), Qt::Key_Right);
    EXPECT_EQ(cursors().index(Cursor::A), 1);
}

TEST_F(ChartCursorsTest, LivePointsLeaveTheCursorsOnTheirPoints) {
    feed(0, 6);
    pressCursorsButton();
    QTest::mouseClick(chart(), Qt::LeftButton, Qt::NoModifier, pixelOf(1));
    QTest::mouseClick(chart(), Qt::RightButton, Qt::NoModifier, pixelOf(2));
    const double keyA = chart()->series(0)->data()->at(1)->key;
    const double keyB = chart()->series(0)->data()->at(2)->key;
    const QCPRange before = chart()->xAxis->range();

    feed(6, 30);
    EXPECT_NE(chart()->xAxis->range(), before); // the axis moved with the new points
    EXPECT_EQ(cursors().index(Cursor::A), 1);
    EXPECT_EQ(cursors().index(Cursor::B), 2);
    EXPECT_DOUBLE_EQ(lineKey(Cursor::A), keyA);
    EXPECT_DOUBLE_EQ(lineKey(Cursor::B), keyB);
    EXPECT_EQ(cell(0, 6), QStringLiteral("2"));

    // The readout follows the chart's replot: a series switched off leaves it.
    chart()->setSeriesVisible(0, false);
    chart()->replot();
    ASSERT_EQ(table()->rowCount(), 1);
    EXPECT_EQ(cell(0, 0), QStringLiteral("k2"));
}

TEST_F(ChartCursorsTest, ClearingTheChartOrShowingAFileRemovesTheCursors) {
    feed(0, 6);
    pressCursorsButton();
    QTest::mouseClick(chart(), Qt::LeftButton, Qt::NoModifier, pixelOf(1));
    chart()->clearForNewMeasurement();
    EXPECT_FALSE(cursors().isOn());
    EXPECT_FALSE(cursors().index(Cursor::A));
    EXPECT_FALSE(child<QToolButton>("CursorsButton")->isChecked());
    EXPECT_FALSE(child<CursorReadout>("CursorReadout")->isVisible());
    EXPECT_FALSE(cursors().line(Cursor::A)->visible());

    feed(0, 6);
    pressCursorsButton();
    QTest::mouseClick(chart(), Qt::RightButton, Qt::NoModifier, pixelOf(2));
    files::LoadedFile file;
    file.names[0] = QStringLiteral("k1");
    file.columns.resize(1);
    file.columns[0].values = {1, 2, 3};
    file.labels = std::make_shared<LabelTexts>(
        QStringList{QStringLiteral("2024-05-06 10:00:00.000"),
                    QStringLiteral("2024-05-06 10:00:01.500"), QStringLiteral("x")});
    file.dataLines = 3;
    chart()->showFile(std::move(file), settings, FileSeries::All);
    EXPECT_FALSE(cursors().isOn());
    EXPECT_FALSE(cursors().index(Cursor::B));

    // The file's labels give the time between its points.
    chart()->setFixedLimits(-5, 5);
    chart()->replot();
    pressCursorsButton();
    QTest::mouseClick(chart(), Qt::LeftButton, Qt::NoModifier, pixelOf(0));
    QTest::mouseClick(chart(), Qt::RightButton, Qt::NoModifier, pixelOf(1));
    EXPECT_EQ(cell(0, 4), QStringLiteral("1,5"));
    EXPECT_EQ(cell(0, 5), QStringLiteral("s"));
    QTest::mouseClick(chart(), Qt::RightButton, Qt::NoModifier, pixelOf(2));
    EXPECT_EQ(cell(0, 4), QStringLiteral("2"));
    EXPECT_EQ(cell(0, 5), QStringLiteral("pkt"));
}

TEST_F(ChartCursorsTest, SeriesMenuClicksWorkOnlyWhileTheCursorsAreOff) {
    feed(0, 6);
    child<QAction>("YValue1")->trigger();
    auto* label33 = child<QLabel>("Label33");

    pressCursorsButton();
    QTest::mouseClick(chart(), Qt::LeftButton, Qt::NoModifier, pixelOf(2));
    EXPECT_TRUE(label33->text().trimmed().isEmpty());
    EXPECT_EQ(cursors().index(Cursor::A), 2);

    pressCursorsButton(); // off again
    QTest::mouseClick(chart(), Qt::LeftButton, Qt::NoModifier, pixelOf(2));
    EXPECT_EQ(label33->text(), QString(16, QLatin1Char(' ')) + QStringLiteral("k1  Y=4.0000"));
    EXPECT_FALSE(cursors().index(Cursor::A));
}

} // namespace
} // namespace korvanta::chart::ui
