// The A/B cursors of the analysed signal's chart Chart2: its tool bar button, mouse placement
// that keeps the right button from the chart's menu, the readout in points, and new data for
// analysis taking the cursors away.

#include "analysis/ui/analysis_page.h"
#include "chart/cursor_readout_text.h"
#include "chart/ui/chart_cursors.h"
#include "ui/analysis/analysis_fixture.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QSignalSpy>
#include <QTableWidget>
#include <QToolButton>
#include <cmath>

namespace korvanta::testing {
namespace {

using Cursor = chart::ui::ChartCursors::Cursor;

struct Chart2CursorsTest : ::testing::Test {
    Chart2CursorsTest() {
        chart2()->setContextMenuPolicy(Qt::CustomContextMenu);
        QCPGraph* graph = chart2()->addGraph();
        graph->setName(QStringLiteral("Data"));
        for (int i = 0; i < 4; ++i) {
            graph->addData(i, 2 * i + 1); // 1, 3, 5, 7
        }
        chart2()->xAxis->setRange(-0.5, 3.5);
        chart2()->yAxis->setRange(0, 10);
        page.resize(1000, 800);
        page.show();
        chart2()->replot();
    }
    QCustomPlot* chart2() { return page.chart2(); }
    QPoint pixelOf(int index) {
        return {qRound(chart2()->xAxis->coordToPixel(index)),
                qRound(chart2()->yAxis->coordToPixel(2 * index + 1))};
    }
    // A right click as the window gives it: the button, then the context menu event.
    void rightClick(QPoint at) {
        QTest::mouseClick(chart2(), Qt::RightButton, Qt::NoModifier, at);
        QContextMenuEvent menu(QContextMenuEvent::Mouse, at, chart2()->mapToGlobal(at));
        QApplication::sendEvent(chart2(), &menu);
    }
    QString cell(int column) {
        const auto* table = page.findChild<QTableWidget*>(QStringLiteral("CursorTable"));
        const QTableWidgetItem* item = table->item(0, column);
        return item == nullptr ? QString() : item->text();
    }

    analysis::ui::AnalysisPage page;
};

TEST_F(Chart2CursorsTest, CursorsTakeTheClicksAndReadThePointsBetween) {
    auto* button = page.findChild<QToolButton*>(QStringLiteral("CursorsButton2"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), QStringLiteral("Kursory"));
    EXPECT_EQ(button->toolTip(), QStringLiteral("Kursory A/B: pomiar między dwoma punktami"));
    QSignalSpy menus(chart2(), &QWidget::customContextMenuRequested);

    // Off: the right button opens the chart's menu.
    rightClick(pixelOf(2));
    EXPECT_EQ(menus.count(), 1);

    button->click();
    QApplication::processEvents();
    chart2()->replot();
    QTest::mouseClick(chart2(), Qt::LeftButton, Qt::NoModifier, pixelOf(0));
    rightClick(pixelOf(3));
    EXPECT_EQ(menus.count(), 1);
    EXPECT_EQ(page.cursors2()->index(Cursor::A), 0);
    EXPECT_EQ(page.cursors2()->index(Cursor::B), 3);
    // 1, 3, 5, 7: mean 4, squares 84, three points apart.
    EXPECT_EQ(cell(0), QStringLiteral("Data"));
    EXPECT_EQ(cell(3), QStringLiteral("6"));
    EXPECT_EQ(cell(4), QStringLiteral("3"));
    EXPECT_EQ(cell(5), QStringLiteral("pkt"));
    EXPECT_EQ(cell(10), QStringLiteral("4"));
    EXPECT_EQ(cell(11), chart::readoutNumber(std::sqrt(21.0)));

    QTest::keyClick(chart2(), Qt::Key_Left);
    EXPECT_EQ(page.cursors2()->index(Cursor::B), 2);
    EXPECT_EQ(cell(6), QStringLiteral("3"));
}

using AnalysisCursorsTest = AnalysisTest;

TEST_F(AnalysisCursorsTest, NewDataForAnalysisTakesTheCursorsAway) {
    analyse({5, 6, 7, 8, 9});
    auto* button = find<QToolButton>("CursorsButton2");
    button->click();
    auto* cursors = find<analysis::ui::AnalysisPage>("TabSheet6")->cursors2();
    ASSERT_TRUE(cursors->isOn());
    choose(2);
    EXPECT_FALSE(cursors->isOn());
    EXPECT_FALSE(button->isChecked());
}

} // namespace
} // namespace korvanta::testing
