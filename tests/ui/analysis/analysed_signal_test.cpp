// The analysed signal of the "Analiza" tab: the channel choice, moving and calibrating a
// monitoring series from its legend menu, windows, zero, envelope, the histogram, the text
// files and the side panels that follow the page.

#include "analysis/ui/tform8.h"
#include "common/cp1250.h"
#include "ui/analysis/analysis_fixture.h"

namespace korvanta::testing {
namespace {

using AnalysedSignalTest = AnalysisTest;

TEST_F(AnalysedSignalTest, ChannelChoiceTakesTheShownSampleCountOrEveryPoint) {
    window->session().settings().setChannelName(2, QStringLiteral("Siła"));
    analyse({5, 6, 7, 8, 9});
    EXPECT_EQ(values("Series68"), (std::vector<double>{5, 6, 7, 8, 9})); // Label54 "--"
    EXPECT_TRUE(graph("Series68")->visible());
    EXPECT_EQ(edit("LabeledEdit17")->text(), QStringLiteral("Siła"));
    EXPECT_TRUE(memo3().startsWith(QStringLiteral("RAPORT, ")));
    EXPECT_TRUE(memo3().contains(QStringLiteral("Kanał: 2")));

    find<QLabel>("Label54")->setText(QStringLiteral("2"));
    choose(2);
    EXPECT_EQ(values("Series68"), (std::vector<double>{5, 6, 7}));

    chart1()->setSeriesVisible(1, false);
    choose(2);
    EXPECT_EQ(messages.countShown(QStringLiteral("Kanał jest nieaktywny")), 1);
    EXPECT_TRUE(values("Series68").empty());
}

TEST_F(AnalysedSignalTest, MoveToAnalysisTakesTheVisiblePointsOfTheLegendSeries) {
    trigger("Movetoanalysis1");
    EXPECT_EQ(shown(QStringLiteral("Brak serii do analizy"), QStringLiteral("Error")), 1);

    plot(3, {1, 2, 3, 4, 5, 6});
    chart1()->xAxis->setRange(1.5, 4.5); // points 2..4
    clickLegend(3);
    find<QTabWidget>("PageControl2")->setCurrentIndex(0);
    trigger("Movetoanalysis1");

    EXPECT_EQ(values("Series68"), (std::vector<double>{3, 4, 5}));
    EXPECT_EQ(text("Label54"), QStringLiteral("2"));
    EXPECT_EQ(find<QTabWidget>("PageControl2")->currentWidget()->objectName(),
              QStringLiteral("TabSheet6"));
    EXPECT_TRUE(find<QWidget>("Panel24")->isVisibleTo(window.get()));
    EXPECT_FALSE(find<QWidget>("Panel1")->isVisibleTo(window.get()));
    EXPECT_EQ(find<common::ui::UpDown>("UpDown23")->position(), 3);
    EXPECT_TRUE(memo3().contains(QStringLiteral("Kanał: 3")));
    EXPECT_FALSE(graph("Series67")->visible());

    chart1()->setSeriesVisible(2, false);
    trigger("Movetoanalysis1");
    EXPECT_EQ(shown(QStringLiteral("Brak serii do analizy"), QStringLiteral("Error")), 2);
}

TEST_F(AnalysedSignalTest, MoveToAnalysisIsOfferedInServiceModeOnly) {
    EXPECT_TRUE(find<QAction>("Movetoanalysis1")->isVisible());
    window->Button11Click(); // back to operator mode
    EXPECT_FALSE(find<QAction>("Movetoanalysis1")->isVisible());
    EXPECT_FALSE(tabVisible(find<QTabWidget>("PageControl2"), "TabSheet6"));
}

TEST_F(AnalysedSignalTest, CalibrationMultipliesTheVisiblePointsOfTheLegendSeries) {
    plot(4, {1, 2, 3, 4});
    chart1()->xAxis->setRange(0.5, 2.5);
    clickLegend(4, Qt::RightButton);
    analysis::ui::TForm8& dialog = analysis().calibrationDialog();
    trigger("Calibration1");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.isModal());
    dialog.labeledEdit1()->setText(QStringLiteral("2.5"));
    dialog.bitBtn1()->click();
    std::vector<double> after;
    for (int i = 0; i < 4; ++i) {
        after.push_back(chart1()->series(3)->data()->at(i)->value);
    }
    EXPECT_EQ(after, (std::vector<double>{1, 5, 7.5, 4}));
    EXPECT_FALSE(dialog.isVisible());

    dialog.labeledEdit1()->setText(QStringLiteral("x"));
    dialog.bitBtn1()->click();
    EXPECT_EQ(messages.errors.size(), 1);
    EXPECT_EQ(chart1()->series(3)->data()->at(1)->value, 5.0);
}

TEST_F(AnalysedSignalTest, HistogramOfZeroToTenInTenBins) {
    std::vector<double> v;
    for (int i = 0; i <= 10; ++i) {
        v.push_back(i);
    }
    analyse(v);
    edit("LabeledEdit16")->setText(QStringLiteral("0"));
    click("Button6");
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_FALSE(find<QCPBars>("Series75")->visible());

    edit("LabeledEdit16")->setText(QStringLiteral("10"));
    click("Button6");
    EXPECT_EQ(text("Label62"), QStringLiteral("1.000"));
    const auto bars = find<QCPBars>("Series75")->data();
    ASSERT_EQ(bars->size(), 10);
    EXPECT_EQ(bars->at(0)->value, 1);
    EXPECT_EQ(bars->at(8)->value, 1);
    EXPECT_EQ(bars->at(9)->value, 2); // 9 and the largest value 10
    EXPECT_TRUE(find<QCPBars>("Series75")->visible());

    const QString file = path(QStringLiteral("dane/hist.txt"));
    dialogs.saveAnswers = {file};
    click("ToolButton59");
    const QByteArray written = contents(file);
    EXPECT_TRUE(written.startsWith("\r\n0.500 1.0000 \r\n1.500 1.0000 \r\n"));
    EXPECT_TRUE(written.endsWith("9.500 2.0000 \r\n"));
}

TEST_F(AnalysedSignalTest, WindowsAndUndoZeroAndEnvelope) {
    std::vector<double> ones(10, 1.0);
    analyse(ones);
    trigger("Hanningwindow1");
    std::vector<double> windowed = values("Series68");
    EXPECT_NEAR(windowed[0], 0.0, 1e-12);
    EXPECT_NEAR(windowed[9], 0.0, 1e-12);
    EXPECT_NEAR(windowed[3], windowed[6], 1e-12);
    EXPECT_TRUE(graph("Series69")->visible());
    trigger("Hanningwindow1");
    EXPECT_EQ(values("Series69").size(), 20u);
    trigger("Undowindow1");
    EXPECT_EQ(values("Series68"), ones);
    EXPECT_TRUE(values("Series69").empty());

    analyse({1, 2, 3});
    find<QLabel>("Label54")->setText(QStringLiteral("2"));
    click("SpeedButton2");
    EXPECT_EQ(values("Series68"), (std::vector<double>{-1, 0, 1}));

    find<QLabel>("Label54")->setText(QStringLiteral("--"));
    analyse({1, 1, 3, 3, 5});
    edit("LabeledEdit20")->setText(QStringLiteral("0"));
    trigger("obwiednia1");
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(values("Series68").size(), 5u);
    edit("LabeledEdit20")->setText(QStringLiteral("2"));
    trigger("obwiednia1");
    const std::vector<double> rms = values("Series68");
    ASSERT_EQ(rms.size(), 3u);
    EXPECT_DOUBLE_EQ(rms[1], std::sqrt(5.0));
}

TEST_F(AnalysedSignalTest, TextFilesOfTheSpectrumTheDataAndTheReport) {
    analyse({0, 1, 0, -1});
    edit("Edit39")->setText(QStringLiteral("4"));
    click("ToolButton31");
    click("ToolButton42");
    const QString before = window->session().settings().dataDirectory();
    ASSERT_TRUE(QDir(path(QString())).mkpath(QStringLiteral("wyniki")));
    const QString spectrum = path(QStringLiteral("wyniki/widmo.txt"));
    dialogs.saveAnswers = {spectrum};
    click("ToolButton43");
    ASSERT_EQ(dialogs.saveRequests.size(), 1u);
    EXPECT_EQ(QDir::cleanPath(dialogs.saveRequests[0].initialDirectory), QDir::cleanPath(before));
    EXPECT_EQ(dialogs.saveRequests[0].fileName, QStringLiteral("txtFile.txt"));
    EXPECT_EQ(window->session().settings().dataDirectory(),
              path(QStringLiteral("wyniki")) + QLatin1Char('/'));
    // Four samples, no padding: bins 0 and 1 Hz; the sine sits at 1 Hz with amplitude 1.
    EXPECT_EQ(contents(spectrum), QByteArray("f  Real  Imag  XY\r\n"
                                             "  0.00 0.0000 0.0000 0.0000\r\n"
                                             "  1.00 0.0000 -1.0000 1.0000\r\n"));

    const QString data = path(QStringLiteral("wyniki/dane.txt"));
    dialogs.saveAnswers = {data};
    click("ToolButton34");
    EXPECT_EQ(dialogs.saveRequests[1].initialDirectory,
              QDir::current().absoluteFilePath(path(QStringLiteral("wyniki")) + "/"));
    const QList<QByteArray> lines = contents(data).split('\n');
    ASSERT_GE(lines.size(), 5);
    EXPECT_EQ(lines[0], QByteArray("Time  Data  iReal  iImag\r"));
    EXPECT_TRUE(lines[2].startsWith("t1 1.0000 1.0000 "));

    const QString report = path(QStringLiteral("wyniki/raport.txt"));
    dialogs.saveAnswers = {report};
    click("ToolButton61");
    EXPECT_EQ(common::fromCp1250(contents(report)).replace(QStringLiteral("\r\n"), "\n"),
              memo3() + "\n");

    dialogs.saveAnswers = {path(QStringLiteral("brak/plik.txt"))};
    click("ToolButton61");
    EXPECT_EQ(messages.errors.size(), 1);
}

TEST_F(AnalysedSignalTest, MeasurementsTabStopsTheRefreshAndShowsTheFileBrowser) {
    auto* pages = find<QTabWidget>("PageControl2");
    pages->setCurrentIndex(1);
    EXPECT_TRUE(find<QWidget>("Panel24")->isVisibleTo(window.get()));
    EXPECT_FALSE(find<QWidget>("Panel1")->isVisibleTo(window.get()));

    find<QCheckBox>("CheckBox5")->click(); // no period
    EXPECT_EQ(messages.countShown(QStringLiteral("Ustaw częstość odświeżania")), 1);
    EXPECT_FALSE(find<QCheckBox>("CheckBox5")->isChecked());
    edit("LabeledEdit5")->setText(QStringLiteral("0"));
    find<QCheckBox>("CheckBox2")->click();
    EXPECT_EQ(messages.countShown(QStringLiteral("Ustaw częstość odświeżania")), 2);
    EXPECT_FALSE(find<QTimer>("refreshFftTimer")->isActive());
    edit("LabeledEdit5")->setText(QStringLiteral("sto"));
    find<QCheckBox>("CheckBox2")->click();
    EXPECT_EQ(messages.errors.size(), 1);
    EXPECT_FALSE(find<QCheckBox>("CheckBox2")->isChecked());

    edit("LabeledEdit15")->setText(QStringLiteral("100"));
    edit("LabeledEdit5")->setText(QStringLiteral("100"));
    find<QCheckBox>("CheckBox5")->click();
    find<QCheckBox>("CheckBox2")->click();
    EXPECT_TRUE(find<QTimer>("refreshChartTimer")->isActive());
    EXPECT_TRUE(find<QTimer>("refreshFftTimer")->isActive());
    EXPECT_EQ(find<QTimer>("refreshAmplitudeTimer")->interval(), 300);

    pages->setCurrentIndex(0);
    EXPECT_FALSE(find<QCheckBox>("CheckBox5")->isChecked());
    EXPECT_FALSE(find<QCheckBox>("CheckBox2")->isChecked());
    EXPECT_FALSE(find<QTimer>("refreshChartTimer")->isActive());
    EXPECT_FALSE(find<QTimer>("refreshFftTimer")->isActive());
    EXPECT_FALSE(find<QTimer>("refreshAmplitudeTimer")->isActive());
    EXPECT_TRUE(find<QWidget>("Panel1")->isVisibleTo(window.get()));
    EXPECT_FALSE(find<QWidget>("Panel24")->isVisibleTo(window.get()));
}

TEST_F(AnalysedSignalTest, RefreshTickReloadsTheChannelOrAsksForASeries) {
    analyse({1, 2, 3});
    chart1()->series(1)->addData(3, 4);
    edit("LabeledEdit15")->setText(QStringLiteral("50"));
    find<QCheckBox>("CheckBox5")->click();
    QTest::qWait(120);
    EXPECT_EQ(values("Series68"), (std::vector<double>{1, 2, 3, 4})); // no acquisition program
    graph("Series68")->setVisible(false);
    QTest::qWait(120);
    EXPECT_EQ(messages.countShown(QStringLiteral("Ustaw serię do analizy")), 1);
    EXPECT_FALSE(find<QCheckBox>("CheckBox5")->isChecked());
}

TEST_F(AnalysedSignalTest, LegendOfTheSignalChartSwitchesItsSeries) {
    analyse({1, 2, 3});
    auto* chart2 = find<QCustomPlot>("Chart2");
    QCPPlottableLegendItem* entry = chart2->legend->itemWithPlottable(graph("Series68"));
    ASSERT_NE(entry, nullptr);
    QMouseEvent event(QEvent::MouseButtonRelease, QPointF(), QPointF(), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    emit chart2->legendClick(chart2->legend, entry, &event);
    EXPECT_FALSE(graph("Series68")->visible());
    EXPECT_EQ(entry->textColor(), QColor(Qt::gray));
    click("ToolButton31");
    EXPECT_EQ(shown(QStringLiteral("Brak danych do analizy"), QStringLiteral("ERROR")), 1);
    emit chart2->legendClick(chart2->legend, entry, &event);
    EXPECT_TRUE(graph("Series68")->visible());
    EXPECT_EQ(entry->textColor(), QColor(Qt::black));
}

TEST_F(AnalysedSignalTest, ScalingWithoutSeriesLeavesTheAxes) {
    auto* chart2 = find<QCustomPlot>("Chart2");
    chart2->yAxis->setRange(-3, 7);
    click("ToolButton39");
    EXPECT_EQ(chart2->yAxis->range().lower, -3);
    EXPECT_EQ(chart2->yAxis->range().upper, 7);
    analyse({0, 10});
    click("ToolButton39");
    EXPECT_DOUBLE_EQ(chart2->yAxis->range().lower, -0.2);
    EXPECT_DOUBLE_EQ(chart2->yAxis->range().upper, 10.2);
    EXPECT_DOUBLE_EQ(chart2->yAxis2->range().upper, 10.2);
}

} // namespace
} // namespace korvanta::testing
