#pragma once
// A main window in service mode with helpers to fill the monitoring chart and drive the
// "Analiza" tab.

#include "analysis/ui/analysis_controller.h"
#include "chart/ui/chart_panel.h"
#include "chart/ui/monitor_chart.h"
#include "common/ui/labeled_edit.h"
#include "common/ui/up_down.h"
#include "files/ui/report_panel.h"
#include "ui/main_window/main_window_fixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <numbers>
#include <qcustomplot.h>
#include <vector>

namespace korvanta::testing {

class AnalysisTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        start();
        window->Button11Click(); // service mode shows the tab
        messages.shown.clear();  // "Tryb tylko do odczytu": no acquisition program here
        ASSERT_TRUE(QDir(path(QString())).mkpath(QStringLiteral("dane")));
        window->session().settings().setDataDirectory(path(QStringLiteral("dane")) +
                                                      QLatin1Char('/'));
    }

    analysis::ui::AnalysisController& analysis() { return window->analysis(); }
    chart::ui::MonitorChart* chart1() { return find<chart::ui::MonitorChart>("Chart1"); }
    QCPGraph* graph(const char* name) { return find<QCPGraph>(name); }
    std::vector<double> values(const char* name) {
        std::vector<double> v;
        const auto data = graph(name)->data();
        for (auto it = data->constBegin(); it != data->constEnd(); ++it) {
            v.push_back(it->value);
        }
        return v;
    }
    QString text(const char* label) { return find<QLabel>(label)->text(); }
    QLineEdit* edit(const char* name) {
        if (auto* labeled = window->findChild<common::ui::LabeledEdit*>(QLatin1String(name))) {
            return labeled->edit();
        }
        return find<QLineEdit>(name);
    }
    void click(const char* button) { find<QAbstractButton>(button)->click(); }
    void trigger(const char* action) { find<QAction>(action)->trigger(); }
    QString memo3() { return find<QPlainTextEdit>("Memo3")->toPlainText(); }

    // Channel k of the monitoring chart: points at X = 0, 1, ... with labels "t0", "t1", ...,
    // switched on and all in view.
    void plot(int k, const std::vector<double>& v) {
        chart::ui::ChartSeries* series = chart1()->series(k - 1);
        series->data()->clear();
        QStringList labels;
        for (std::size_t i = 0; i < v.size(); ++i) {
            series->addData(static_cast<double>(i), v[i]);
            labels << QStringLiteral("t%1").arg(i);
        }
        series->labels().setTexts(std::make_shared<const chart::LabelTexts>(labels));
        chart1()->setSeriesVisible(k - 1, true);
        chart1()->xAxis->setRange(0, static_cast<double>(v.size()));
    }
    // The channel chosen with the up-down's arrow, from channel k - 1.
    void choose(int k) {
        auto* upDown = find<common::ui::UpDown>("UpDown23");
        upDown->setPosition(k - 1);
        upDown->stepUp();
    }
    // Channel 2 holding `v`, chosen for analysis.
    void analyse(const std::vector<double>& v) {
        plot(2, v);
        choose(2);
    }
    static std::vector<double> sine(double amplitude, double hz, double fs, int count) {
        std::vector<double> v;
        for (int i = 0; i < count; ++i) {
            v.push_back(amplitude * std::sin(2 * std::numbers::pi * hz * i / fs));
        }
        return v;
    }
    // A click on the legend entry of monitoring series k.
    void clickLegend(int k, Qt::MouseButton button = Qt::LeftButton) {
        chart1()->setLegendVisible(true);
        QCPPlottableLegendItem* item = chart1()->legend->itemWithPlottable(chart1()->series(k - 1));
        ASSERT_NE(item, nullptr);
        QMouseEvent event(QEvent::MouseButtonRelease, QPointF(), QPointF(), button, button,
                          Qt::NoModifier);
        emit chart1()->legendClick(chart1()->legend, item, &event);
    }
    void clickSpectrum(int point, Qt::MouseButton button) {
        QMouseEvent event(QEvent::MouseButtonRelease, QPointF(), QPointF(), button, button,
                          Qt::NoModifier);
        emit find<QCustomPlot>("Chart3")->plottableClick(graph("Series67"), point, &event);
    }
    QByteArray contents(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    int shown(const QString& text, const QString& caption) {
        int n = 0;
        for (const auto& s : messages.shown) {
            n += s.text == text && s.caption == caption ? 1 : 0;
        }
        return n;
    }
};

} // namespace korvanta::testing
