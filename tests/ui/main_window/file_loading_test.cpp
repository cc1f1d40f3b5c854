// Measurement files onto the window: the double click in the file list, the Open dialog, the
// plotted-channels variant and the companion settings.
#include "acquisition/settings_file.h"
#include "chart/ui/chart_panel.h"
#include "chart/ui/monitor_chart.h"
#include "files/ui/file_browser_panel.h"
#include "ui/main_window/main_window_fixture.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSlider>
#include <QTest>

using namespace korvanta;
using chart::ui::MonitorChart;

namespace {

const QString kFixture = QStringLiteral(KORVANTA_TEST_DATA "/files/chart_two_channels.dan");
const QString kFirstLabel = QStringLiteral("2024-05-06 10:00:00.000");

class FileLoadingTest : public korvanta::testing::MainWindowTest {
protected:
    app::ui::TForm34& startWithData() {
        app::ui::TForm34& w = start();
        w.show();
        EXPECT_TRUE(QDir().mkpath(path("dane")));
        EXPECT_TRUE(QFile::copy(kFixture, path("dane/pomiar.dan")));
        settings().setDataDirectory(path("dane") + QLatin1Char('/'));
        settings().setSeriesColor(1, 0x000000FFu); // red
        settings().setSeriesColor(2, 0x0000FF00u); // green
        browser()->setDirectory(path("dane"));
        messages.shown.clear(); // "Tryb tylko do odczytu" without an acquisition program
        return w;
    }

    acquisition::SettingsRecord& settings() { return window->session().settings(); }
    files::ui::FileBrowserPanel* browser() { return find<files::ui::FileBrowserPanel>("Panel1"); }
    MonitorChart* chart() { return find<MonitorChart>("Chart1"); }
    chart::ui::ChartPanel* chartPanel() { return find<chart::ui::ChartPanel>("Panel3"); }
    QString memoText() { return find<QPlainTextEdit>("Memo1")->toPlainText(); }

    QListWidgetItem* listItem(const QString& name) {
        auto* list = find<QListWidget>("FileListBox1");
        const auto items = list->findItems(name, Qt::MatchExactly);
        EXPECT_EQ(items.size(), 1) << name.toStdString();
        return items.value(0);
    }
    void clickFile(const QString& name, bool twice) {
        auto* list = find<QListWidget>("FileListBox1");
        const QPoint at = list->visualItemRect(listItem(name)).center();
        // A double click is a click followed by the double-click press and its release.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        if (twice) {
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
        }
    }

    static QString fixtureText() {
        QFile file(kFixture);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return QString::fromLatin1(file.readAll()).replace(QStringLiteral("\r\n"), "\n").trimmed();
    }
    double value(int series, int index) {
        return chart()->series(series)->data()->at(index)->value;
    }
};

TEST_F(FileLoadingTest, DoubleClickDrawsTheFileAndShowsItsText) {
    startWithData();
    clickFile(QStringLiteral("pomiar.dan"), true);

    EXPECT_EQ(browser()->fileName(), QStringLiteral("pomiar.dan"));
    ASSERT_EQ(chart()->series(0)->data()->size(), 5);
    ASSERT_EQ(chart()->series(1)->data()->size(), 5);
    EXPECT_DOUBLE_EQ(value(0, 1), 2.5);
    EXPECT_DOUBLE_EQ(value(1, 4), -5.0);
    EXPECT_DOUBLE_EQ(chart()->series(1)->data()->at(4)->key, 4);
    EXPECT_EQ(chart()->seriesTitle(0), QStringLiteral("k1"));
    EXPECT_EQ(chart()->seriesTitle(1), QStringLiteral("k3"));
    EXPECT_EQ(chart()->seriesColor(0), QColor(255, 0, 0));
    EXPECT_EQ(chart()->seriesColor(1), QColor(0, 255, 0));
    EXPECT_TRUE(chart()->seriesVisible(0));
    EXPECT_TRUE(chart()->seriesVisible(1));
    EXPECT_FALSE(chart()->seriesVisible(2));
    EXPECT_EQ(chart()->pointLabel(0, 0), kFirstLabel);
    EXPECT_EQ(chart()->pointLabel(1, 4), QStringLiteral("2024-05-06 10:00:04.000"));
    EXPECT_TRUE(chart()->holdsFile());
    EXPECT_EQ(memoText(), fixtureText());
    EXPECT_EQ(QDir::current(), QDir(path("dane")));
    // "Skalowanie" fitted the axes to the file, then the flag was cleared.
    EXPECT_TRUE(chart()->yAxis->range().contains(-5.0));
    EXPECT_TRUE(chart()->yAxis->range().contains(6.0));
    EXPECT_LT(chart()->yAxis->range().size(), 50);
    EXPECT_FALSE(chartPanel()->autoScaling());

    // With "Odśwież wykres" ticked the typed limits apply instead.
    find<QCheckBox>("CheckBox5")->setChecked(true);
    clickFile(QStringLiteral("pomiar.dan"), true);
    EXPECT_DOUBLE_EQ(chart()->yAxis->range().lower, -100);
    EXPECT_DOUBLE_EQ(chart()->yAxis->range().upper, 100);
    EXPECT_FALSE(chartPanel()->autoScaling());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(FileLoadingTest, BarModeBrowsesTheSamplesOfAFile) {
    startWithData();
    settings().setBarChart(true);
    clickFile(QStringLiteral("pomiar.dan"), true);

    auto* track = find<QSlider>("TrackBar1");
    EXPECT_EQ(track->minimum(), 1);
    EXPECT_EQ(track->maximum(), 5);
    EXPECT_EQ(track->value(), 1);
    EXPECT_EQ(chartPanel()->barCount(), 2);
    QCPBars* bars = chart()->barSeries();
    EXPECT_TRUE(bars->visible());
    ASSERT_EQ(bars->data()->size(), 2);
    EXPECT_DOUBLE_EQ(bars->data()->at(0)->value, 1.5);
    EXPECT_DOUBLE_EQ(bars->data()->at(1)->value, -2.0);
    EXPECT_FALSE(chart()->seriesVisible(0));
    EXPECT_FALSE(chart()->seriesVisible(1));
    EXPECT_EQ(find<QLineEdit>("Edit37")->text(), kFirstLabel);

    track->setValue(5);
    ASSERT_EQ(bars->data()->size(), 2);
    EXPECT_DOUBLE_EQ(bars->data()->at(0)->key, 1);
    EXPECT_DOUBLE_EQ(bars->data()->at(0)->value, 6.0);
    EXPECT_DOUBLE_EQ(bars->data()->at(1)->key, 2);
    EXPECT_DOUBLE_EQ(bars->data()->at(1)->value, -5.0);
    EXPECT_EQ(find<QLineEdit>("Edit37")->text(), QStringLiteral("2024-05-06 10:00:04.000"));
}

TEST_F(FileLoadingTest, OpenLoadsAChosenFileButNoLabViewFile) {
    startWithData();
    clickFile(QStringLiteral("pomiar.dan"), true);
    const QString memoBefore = memoText();
    ASSERT_TRUE(QDir().mkpath(path("inne")));
    QFile lvm(path("inne/sygnal.lvm"));
    ASSERT_TRUE(lvm.open(QIODevice::WriteOnly));
    lvm.write("10:00:00.000 99 99\r\n10:00:01.000 98 98\r\n");
    lvm.close();

    dialogs.openAnswers = {path("inne/sygnal.lvm")};
    find<QAction>("Open1")->trigger();
    ASSERT_EQ(dialogs.openRequests.size(), 1u);
    const platform::FileDialogRequest& request = dialogs.openRequests[0];
    EXPECT_EQ(request.filter, QStringLiteral("*.dan file|*.dan|*.txt file|*.txt|*.* file|*.*"));
    EXPECT_EQ(request.fileName, QStringLiteral("*.dan"));
    EXPECT_EQ(QDir(request.initialDirectory), QDir(path("dane")));
    // The chart and the text stay; the name box and the directories follow the file.
    ASSERT_EQ(chart()->series(0)->data()->size(), 5);
    EXPECT_DOUBLE_EQ(value(0, 0), 1.5);
    EXPECT_EQ(memoText(), memoBefore);
    EXPECT_EQ(browser()->fileName(), QStringLiteral("sygnal.lvm"));
    EXPECT_EQ(settings().fileListDirectory(), path("inne"));
    EXPECT_EQ(settings().dataDirectory(), path("inne") + QLatin1Char('/'));
    EXPECT_EQ(QDir(browser()->directory()), QDir(path("inne")));
    EXPECT_TRUE(chartPanel()->autoScaling()); // "Skalowanie" ran in both cases

    // A cancelled dialog changes nothing.
    dialogs.openAnswers = {std::nullopt};
    find<QAction>("Open1")->trigger();
    EXPECT_EQ(browser()->fileName(), QStringLiteral("sygnal.lvm"));
    EXPECT_TRUE(chartPanel()->autoScaling());

    // Upper case is no LabVIEW file: it is drawn and shown as any other.
    ASSERT_TRUE(QFile::copy(path("inne/sygnal.lvm"), path("inne/duzy.LVM")));
    dialogs.openAnswers = {path("inne/duzy.LVM")};
    find<QAction>("Open1")->trigger();
    ASSERT_EQ(chart()->series(0)->data()->size(), 2);
    EXPECT_DOUBLE_EQ(value(1, 1), 98);
    EXPECT_EQ(chart()->seriesTitle(0), QStringLiteral("k1"));
    EXPECT_EQ(chart()->pointLabel(0, 1), QStringLiteral(" 10:00:01.000"));
    EXPECT_EQ(memoText(), QStringLiteral("10:00:00.000 99 99\n10:00:01.000 98 98"));
    EXPECT_EQ(browser()->fileName(), QStringLiteral("duzy.LVM"));
    EXPECT_FALSE(chartPanel()->autoScaling());
}

TEST_F(FileLoadingTest, TheCompanionSettingsComeWithTheFile) {
    startWithData();
    acquisition::SettingsRecord companion = settings();
    companion.setSeriesColor(1, 0x00563412u);
    companion.setChannelName(5, QStringLiteral("Siła kN"));
    companion.setPanel1Width(5);
    ASSERT_TRUE(acquisition::writeSettingsDump(path("dane/pomiar.sett"), companion));

    clickFile(QStringLiteral("pomiar.dan"), true);
    EXPECT_EQ(settings().seriesColor(1), 0x00563412u);
    EXPECT_EQ(settings().channelName(5), QStringLiteral("Siła kN"));
    // The window applied the geometry and panel sizes of the record it was given.
    EXPECT_EQ(settings().panel1Width(), 22);
    // The plot loader, which runs after, draws with the companion's colours.
    EXPECT_EQ(chart()->seriesColor(0), QColor(0x12, 0x34, 0x56));

    // Without a companion the settings stay as they are.
    ASSERT_TRUE(QFile::copy(kFixture, path("dane/druga.dan")));
    browser()->refresh();
    settings().setSeriesColor(1, 0x000000FFu);
    clickFile(QStringLiteral("druga.dan"), true);
    EXPECT_EQ(settings().seriesColor(1), 0x000000FFu);
    EXPECT_EQ(chart()->seriesColor(0), QColor(255, 0, 0));
}

TEST_F(FileLoadingTest, AFileThatCannotBeReadIsReportedAndEmptiesTheChart) {
    startWithData();
    clickFile(QStringLiteral("pomiar.dan"), true);
    ASSERT_EQ(chart()->series(0)->data()->size(), 5);
    ASSERT_TRUE(QFile::remove(path("dane/pomiar.dan")));

    clickFile(QStringLiteral("pomiar.dan"), true); // the list still shows it
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("pomiar.dan")))
        << messages.shown[0].text.toStdString();
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("Błąd"));
    EXPECT_EQ(memoText(), QString());
    EXPECT_EQ(chart()->pointCount(), 0u);
    for (int p = 0; p < MonitorChart::kSeriesCount; ++p) {
        EXPECT_FALSE(chart()->seriesVisible(p)) << p;
    }
    EXPECT_TRUE(window->statusPanelText(1).contains(QStringLiteral("pomiar.dan")));
}

TEST_F(FileLoadingTest, OpenAccordingToTheSettingsShowsOnlyPlottedChannels) {
    startWithData();
    settings().setAddGraph(1, false);
    settings().setAddGraph(2, true);
    settings().setBarChart(true);
    // The file is taken from the current directory, not from the data directory.
    settings().setDataDirectory(path("gdzie-indziej/"));
    QDir::setCurrent(path("dane"));
    clickFile(QStringLiteral("pomiar.dan"), false);
    EXPECT_EQ(browser()->fileName(), QStringLiteral("pomiar.dan"));
    find<QAction>("Openaccordingwithsets1")->trigger();

    EXPECT_FALSE(chart()->seriesVisible(0));
    EXPECT_TRUE(chart()->seriesVisible(1));
    EXPECT_EQ(chart()->series(0)->data()->size(), 5);
    EXPECT_EQ(chart()->series(1)->data()->size(), 5);
    EXPECT_EQ(chart()->seriesTitle(0), QStringLiteral("k1"));
    EXPECT_EQ(chart()->seriesColor(1), QColor(0, 255, 0));
    EXPECT_FALSE(chart()->barSeries()->visible()); // no bars in this variant
    EXPECT_EQ(chart()->barSeries()->data()->size(), 0);
    EXPECT_TRUE(chart()->holdsFile());
    EXPECT_EQ(QDir::current(), QDir(path("dane")));
    EXPECT_FALSE(QDir(path("gdzie-indziej")).exists());
}

TEST_F(FileLoadingTest, ALongLineEndsTheReadAndSaysSo) {
    startWithData();
    QFile file(path("dane/dlugi.dan"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Opis k1 k2\r\n10:00:00.000 1 2\r\n10:00:01.000 3 4\r\n");
    file.write("10:00:02.000 7 8" + QByteArray(1100, ' ') + "9\r\n");
    file.write("10:00:03.000 5 6\r\n");
    file.close();
    browser()->refresh();
    clickFile(QStringLiteral("dlugi.dan"), true);

    ASSERT_EQ(chart()->series(0)->data()->size(), 3);
    EXPECT_DOUBLE_EQ(value(0, 2), 7);
    const QString status = window->statusPanelText(1);
    EXPECT_TRUE(status.contains(QStringLiteral("dlugi.dan"))) << status.toStdString();
    EXPECT_TRUE(status.contains(QStringLiteral("wiersz 4 dłuższy niż 999 znaków")))
        << status.toStdString();
    // The text view shows the whole file.
    EXPECT_TRUE(memoText().endsWith(QStringLiteral("10:00:03.000 5 6")));
}

} // namespace
