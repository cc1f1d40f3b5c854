// The spectrum of the "Analiza" tab: the forward transform with its peak readout and report,
// the inverse of a band, the peak of the visible spectrum, padding, the band cut and the
// frequency-range dialog.

#include "analysis/ui/tform7.h"
#include "ui/analysis/analysis_fixture.h"

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QImage>

namespace korvanta::testing {
namespace {

class SpectrumViewTest : public AnalysisTest {
protected:
    void spectrumOfSine() {
        analyse(sine(2.0, 50, 1000, 1000));
        edit("Edit39")->setText(QStringLiteral("1000"));
        click("ToolButton31");
    }
};

TEST_F(SpectrumViewTest, FiftyHertzSinePeaksNearFiftyWithItsAmplitude) {
    spectrumOfSine();

    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(messages.errors.isEmpty());
    EXPECT_EQ(values("Series67").size(), 512u); // 1000 samples padded to 1024
    EXPECT_TRUE(graph("Series67")->visible());
    EXPECT_NEAR(text("Label52").toDouble(), 50.0, 1.0);
    EXPECT_NEAR(text("Label50").toDouble(), 2.0, 0.25);
    EXPECT_TRUE(memo3().contains(QStringLiteral("Max amplitude:  ") + text("Label50")));
    EXPECT_TRUE(memo3().contains(QStringLiteral(" for f=") + text("Label52") + "Hz"));

    // "Amplitude:" over a zoom that leaves the peak out finds the largest point in view.
    find<QCustomPlot>("Chart3")->xAxis->setRange(100, 200);
    click("Button9");
    EXPECT_LT(text("Label50").toDouble(), 0.2);
    EXPECT_GT(text("Label52").trimmed().toDouble(), 97.0);
    EXPECT_TRUE(memo3().contains(QStringLiteral(" in range of frequency from ")));
}

TEST_F(SpectrumViewTest, WithoutDataOrRateNothingIsTaken) {
    click("ToolButton31");
    EXPECT_EQ(shown(QStringLiteral("Brak danych do analizy"), QStringLiteral("ERROR")), 1);

    analyse(sine(1.0, 10, 100, 100));
    click("ToolButton31"); // rate "0", live data: no message, no spectrum
    EXPECT_TRUE(values("Series67").empty());
    EXPECT_EQ(messages.shown.size(), 1u);
    chart1()->setHoldsFile(true);
    click("ToolButton31");
    EXPECT_EQ(messages.countShown(QStringLiteral("Ustaw częstotliwość próbkowania")), 1);
    EXPECT_TRUE(values("Series67").empty());
}

TEST_F(SpectrumViewTest, InverseOfTheFirstHalfGivesBackTheSignal) {
    const std::vector<double> signal = sine(2.0, 50, 1000, 1000);
    spectrumOfSine();
    click("ToolButton42");

    const std::vector<double> real = values("Series70");
    ASSERT_EQ(real.size(), signal.size());
    EXPECT_EQ(values("Series71").size(), signal.size());
    EXPECT_TRUE(graph("Series70")->visible());
    EXPECT_EQ(graph("Series68")->pen().color(), QColor(Qt::black));
    EXPECT_EQ(graph("Series70")->pen().color(), QColor(0, 0, 255));
    EXPECT_EQ(graph("Series71")->pen().color(), QColor(255, 0, 0));
    double worst = 0;
    for (std::size_t i = 50; i < 950; ++i) {
        worst = std::max(worst, std::abs(real[i] - signal[i]));
    }
    EXPECT_LT(worst, 0.05);

    // A band that leaves the peak out gives back next to nothing.
    find<QCustomPlot>("Chart3")->xAxis->setRange(200, 300);
    click("ToolButton42");
    double largest = 0;
    for (const double v : values("Series70")) {
        largest = std::max(largest, std::abs(v));
    }
    EXPECT_LT(largest, 0.2);

    choose(2); // new data are green again
    EXPECT_EQ(graph("Series68")->pen().color(), QColor(0, 128, 0));
    EXPECT_FALSE(graph("Series70")->visible());
}

TEST_F(SpectrumViewTest, InverseOfFewerThanTwoPointsIsRefused) {
    analyse({1.0});
    edit("Edit39")->setText(QStringLiteral("10"));
    click("ToolButton31");
    click("ToolButton42");
    EXPECT_EQ(shown(QStringLiteral("Brak danych do analizy"), QStringLiteral("ERROR")), 1);
    EXPECT_TRUE(values("Series70").empty());
    EXPECT_FALSE(graph("Series70")->visible());
}

TEST_F(SpectrumViewTest, PaddingSizeIsRoundedUpToAPowerOfTwo) {
    analyse(sine(1.0, 50, 1000, 1000));
    edit("Edit39")->setText(QStringLiteral("1000"));
    find<QCheckBox>("CheckBox8")->setChecked(true);
    edit("Edit41")->setText(QStringLiteral("1500"));
    click("ToolButton31");
    EXPECT_EQ(edit("Edit41")->text(), QStringLiteral("2048"));
    EXPECT_EQ(values("Series67").size(), 1024u);

    find<common::ui::UpDown>("UpDown25")->setPosition(11);
    find<common::ui::UpDown>("UpDown25")->stepUp();
    EXPECT_EQ(edit("Edit41")->text(), QStringLiteral("4096"));
    EXPECT_EQ(analysis().fft().requestedSize(), 4096);
}

TEST_F(SpectrumViewTest, BandCutZeroesTheChosenPointsOnly) {
    find<QCheckBox>("CheckBox12")->click(); // no spectrum yet
    EXPECT_EQ(shown(QStringLiteral("Brak danych do analizy"), QStringLiteral("ERROR")), 1);
    EXPECT_FALSE(find<QCheckBox>("CheckBox12")->isChecked());

    spectrumOfSine();
    const std::vector<double> before = values("Series67");
    find<QCheckBox>("CheckBox12")->click();
    EXPECT_FALSE(find<QWidget>("Panel25")->isHidden());
    EXPECT_TRUE(graph("Series74")->visible());
    const double strip = *std::max_element(before.begin(), before.end()) * 1.1;
    EXPECT_DOUBLE_EQ(values("Series74").at(10), strip);

    clickSpectrum(3, Qt::LeftButton);
    clickSpectrum(5, Qt::RightButton);
    EXPECT_EQ(edit("Edit42")->text(), QStringLiteral("  2.93"));
    EXPECT_EQ(edit("Edit43")->text(), QStringLiteral("  4.88"));
    EXPECT_FALSE(find<QAction>("Rectangularwindow1")->isVisible());
    click("Button8");

    const std::vector<double> after = values("Series67");
    EXPECT_EQ(after[2], before[2]);
    EXPECT_EQ(after[3], 0.0);
    EXPECT_EQ(after[4], 0.0);
    EXPECT_EQ(after[5], before[5]);
    EXPECT_EQ(values("Series65")[3], 0.0);
    EXPECT_EQ(values("Series66")[4], 0.0);
    EXPECT_EQ(values("Series74")[4], 0.0);
    EXPECT_EQ(values("Series74")[5], strip);

    find<QCheckBox>("CheckBox12")->click();
    EXPECT_FALSE(graph("Series74")->visible());
    EXPECT_TRUE(find<QAction>("Rectangularwindow1")->isVisible());
    EXPECT_TRUE(find<QWidget>("Panel25")->isHidden());
}

TEST_F(SpectrumViewTest, FrequencyRangeNarrowsTheSpectrumAxis) {
    spectrumOfSine();
    analysis::ui::TForm7& dialog = analysis().rangeDialog();
    find<QAction>("Rectangularwindow1")->trigger();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.isModal());
    dialog.edit1()->setText(QStringLiteral("50"));
    dialog.edit2()->setText(QStringLiteral("100"));
    dialog.bitBtn1()->click();
    const QCPRange range = find<QCustomPlot>("Chart3")->xAxis->range();
    EXPECT_DOUBLE_EQ(range.lower, 51.2);
    EXPECT_DOUBLE_EQ(range.upper, 102.4);
    EXPECT_FALSE(dialog.isVisible());

    // Without a rate the band cannot be placed: a message, and the dialog stays open.
    edit("Edit39")->setText(QStringLiteral("0"));
    dialog.show();
    dialog.bitBtn1()->click();
    EXPECT_EQ(messages.countShown(QStringLiteral("Ustaw częstotliwość próbkowania")), 1);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(find<QCustomPlot>("Chart3")->xAxis->range().lower, 51.2);
    dialog.hide();
}

TEST_F(SpectrumViewTest, ShownFrequenciesKeepTheirOwnBins) {
    analyse(sine(2.0, 15, 1000, 1000));
    edit("Edit39")->setText(QStringLiteral("1000"));
    find<QCheckBox>("CheckBox7")->setChecked(true);
    edit("Edit40")->setText(QString()); // no lower bound
    edit("Edit44")->setText(QStringLiteral("20"));
    click("ToolButton31");
    EXPECT_EQ(values("Series67").size(), 22u); // 0 Hz up to 20.51 Hz, the first above "do"

    edit("Edit40")->setText(QStringLiteral("10"));
    click("ToolButton31");
    const std::vector<double> band = values("Series67");
    ASSERT_EQ(band.size(), 11u); // 10.74 Hz to 20.51 Hz
    EXPECT_NEAR(text("Label52").toDouble(), 15.0, 1.0);

    // Integration divides each point by its own frequency, the first one too.
    click("ToolButton62");
    const double df = 1000.0 / 1024;
    EXPECT_NEAR(values("Series67")[0], band[0] / (6.28 * 11 * df), 1e-12);

    // The inverse puts each point back at its own bin: a 15 Hz signal again.
    click("ToolButton31");
    click("ToolButton42");
    const std::vector<double> real = values("Series70");
    const std::vector<double> signal = sine(2.0, 15, 1000, 1000);
    double worst = 0;
    for (std::size_t i = 100; i < 900; ++i) {
        worst = std::max(worst, std::abs(real[i] - signal[i]));
    }
    EXPECT_LT(worst, 0.3);
}

TEST_F(SpectrumViewTest, AreaPointsPerPagePrintAndCopy) {
    spectrumOfSine();
    find<QCheckBox>("CheckBox15")->setChecked(true);
    EXPECT_NE(graph("Series67")->brush().style(), Qt::NoBrush);
    find<QCheckBox>("CheckBox15")->setChecked(false);
    EXPECT_EQ(graph("Series67")->brush().style(), Qt::NoBrush);

    auto* axis = find<QCustomPlot>("Chart3")->xAxis;
    click("ToolButton36"); // 9015 halved to 4507 points
    EXPECT_DOUBLE_EQ(axis->range().upper - axis->range().lower, 4506);
    click("ToolButton38");
    click("ToolButton38");
    EXPECT_DOUBLE_EQ(axis->range().upper - axis->range().lower, 18027); // 4507 doubled twice

    for (const char* button : {"ToolButton54", "ToolButton56", "ToolButton58"}) {
        const QString pdf = path(QString::fromLatin1(button) + ".pdf");
        dialogs.printAnswer = pdf;
        click(button);
        EXPECT_GT(QFileInfo(pdf).size(), 0) << button;
    }
    EXPECT_EQ(dialogs.printRequests.size(), 3u);

    // Each chart saved as a picture: at its own size on a click, at a chosen size from the menu.
    for (const char* button : {"PictureButton2", "PictureButton3", "PictureButton4"}) {
        const QString png = path(QString::fromLatin1(button) + ".png");
        dialogs.saveAnswers = {png};
        click(button);
        EXPECT_FALSE(QImage(png).isNull()) << button;
    }
    const QString large = path(QStringLiteral("wykres"));
    dialogs.saveAnswers = {large};
    find<QToolButton>("PictureButton3")->findChild<QAction*>("Picture1280x720")->trigger();
    EXPECT_EQ(QImage(large + ".png").size(), QSize(1280, 720));

    QApplication::clipboard()->clear();
    click("ToolButton47");
    EXPECT_FALSE(QApplication::clipboard()->pixmap().isNull());
}

TEST_F(SpectrumViewTest, IntegrationDividesByTheFrequencyAndZeroesZeroHertz) {
    spectrumOfSine();
    const std::vector<double> spectrum = values("Series67");
    click("ToolButton62");
    const std::vector<double> once = values("Series67");
    EXPECT_EQ(once[0], 0.0);
    const double f10 = 10 * 1000.0 / 1024;
    EXPECT_NEAR(once[10], spectrum[10] / (6.28 * f10), 1e-12);
    click("ToolButton63");
    EXPECT_NEAR(values("Series67")[10], spectrum[10] / (6.28 * f10) / (6.28 * f10), 1e-12);
}

} // namespace
} // namespace korvanta::testing
