// The export commands on the main window: the chart and the text view saved as text with their
// header and companion settings file, the clipboard copies, the spreadsheet hand-off from the
// file list and printing the main chart.

#include "acquisition/settings_file.h"
#include "chart/ui/monitor_chart.h"
#include "files/ui/file_browser_panel.h"
#include "support/read_only_directory.h"
#include "ui/main_window/main_window_fixture.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QToolButton>
#include <memory>

namespace korvanta {
namespace {

using chart::ui::MonitorChart;
using files::ui::FileBrowserPanel;

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Counts the times a widget is hidden and shown.
class VisibilityCounter : public QObject {
public:
    explicit VisibilityCounter(QWidget* widget) { widget->installEventFilter(this); }
    int hides = 0;
    int shows = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        hides += event->type() == QEvent::Hide ? 1 : 0;
        shows += event->type() == QEvent::Show ? 1 : 0;
        return false;
    }
};

class ExportTest : public testing::MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        start();
        ASSERT_TRUE(QDir(path(QString())).mkpath(QStringLiteral("dane")));
        settings().setDataDirectory(path(QStringLiteral("dane")) + QLatin1Char('/'));
        for (int k = 1; k <= acquisition::SettingsRecord::kChannelCount; ++k) {
            settings().setActive(k, false);
            settings().setAddGraph(k, false);
            settings().setChannelNumber(k, k);
        }
        browser()->setDirectory(path(QStringLiteral("dane")));
    }

    acquisition::SettingsRecord& settings() { return window->session().settings(); }
    MonitorChart* chart() { return find<MonitorChart>("Chart1"); }
    FileBrowserPanel* browser() { return find<FileBrowserPanel>("Panel1"); }
    QPlainTextEdit* memo1() { return find<QPlainTextEdit>("Memo1"); }
    QString data(const QString& name) { return path(QStringLiteral("dane/") + name); }
    void click(const char* button) { find<QToolButton>(button)->click(); }
    void trigger(const char* action) { find<QAction>(action)->trigger(); }

    void select(int k, bool active, bool plotted) {
        settings().setActive(k, active);
        settings().setAddGraph(k, plotted);
    }
    // Points at X = 1, 2, 3, ... with the given values and labels.
    void plot(int k, const QList<double>& values, const QStringList& labels) {
        chart::ui::ChartSeries* series = chart()->series(k - 1);
        for (int i = 0; i < values.size(); ++i) {
            series->addData(i + 1, values[i]);
        }
        series->labels().setTexts(std::make_shared<const chart::LabelTexts>(labels));
    }
    void showKeys(double lower, double upper) { chart()->xAxis->setRange(lower, upper); }
};

TEST_F(ExportTest, ChartSavedAsTextHoldsTheHeaderAndTheVisiblePointsOfPlottedChannels) {
    select(1, true, true);
    select(2, true, false); // active, not plotted: neither in the header nor in the lines
    select(3, true, true);
    plot(1, {9, -0.5, 12345.6, 7}, {"a", "b", "c", "d"});
    plot(2, {1, 1, 1, 1}, {"a", "b", "c", "d"});
    plot(3, {1, 2, 3, 4}, {"a", "b", "c", "d"});
    showKeys(1.5, 4.5); // the points with index 1 to 3
    const QString before = settings().dataDirectory();
    ASSERT_TRUE(QDir(path(QString())).mkpath(QStringLiteral("wyniki")));
    const QString target = path(QStringLiteral("wyniki/wykres.txt"));
    dialogs.saveAnswers = {target};
    browser()->setDirectory(path(QStringLiteral("wyniki")));

    click("ToolButton8");

    ASSERT_EQ(dialogs.saveRequests.size(), 1u);
    EXPECT_EQ(QDir::cleanPath(dialogs.saveRequests[0].initialDirectory), QDir::cleanPath(before));
    EXPECT_EQ(dialogs.saveRequests[0].fileName, QStringLiteral("txtFile.txt"));
    EXPECT_EQ(contents(target), QByteArray("opis_pliku k1  k3 \r\n"
                                           "b -0.5000 2.0000\r\n"
                                           "c 12345.6000 3.0000\r\n"
                                           "d 7.0000 4.0000\r\n"));
    const QString stored = path(QStringLiteral("wyniki")) + QLatin1Char('/');
    EXPECT_EQ(settings().dataDirectory(), stored);
    // The companion holds the record as it was after the save, new data directory included.
    acquisition::SettingsRecord companion;
    ASSERT_TRUE(
        acquisition::readSettingsDump(path(QStringLiteral("wyniki/wykres.sett")), companion));
    EXPECT_EQ(companion.dataDirectory(), stored);
    EXPECT_TRUE(browser()->files().contains(QStringLiteral("wykres.txt")));
    EXPECT_TRUE(messages.errors.isEmpty());
}

TEST_F(ExportTest, EmptyChartGivesTheHeaderAloneAndNoActiveChannelTheDescriptionAlone) {
    select(2, true, true);
    dialogs.saveAnswers = {data(QStringLiteral("pusty.txt"))};
    click("ToolButton8");
    EXPECT_EQ(contents(data(QStringLiteral("pusty.txt"))), QByteArray("opis_pliku k2 \r\n"));

    select(2, false, true);
    plot(2, {1, 2}, {"a", "b"});
    find<QLineEdit>("LabeledEdit7Edit")->setText(QStringLiteral("pomiar_A"));
    dialogs.saveAnswers = {data(QStringLiteral("nic.txt"))};
    click("ToolButton8");
    EXPECT_EQ(contents(data(QStringLiteral("nic.txt"))), QByteArray("pomiar_A\r\n"));
}

TEST_F(ExportTest, CancelledSaveWritesNothing) {
    select(1, true, true);
    plot(1, {1}, {"a"});
    memo1()->setPlainText(QStringLiteral("linia"));
    const QString before = settings().dataDirectory();
    dialogs.saveAnswers = {std::nullopt, std::nullopt, std::nullopt};
    click("ToolButton8");
    click("ToolButton20");
    trigger("Saveas1");
    EXPECT_EQ(dialogs.saveRequests.size(), 3u);
    EXPECT_EQ(memo1()->toPlainText(), QStringLiteral("linia"));
    EXPECT_EQ(settings().dataDirectory(), before);
    EXPECT_TRUE(QDir(path(QStringLiteral("dane"))).isEmpty());
}

TEST_F(ExportTest, TextViewSavedWithHeaderKeepsTheHeaderInTheView) {
    select(1, true, false); // active is enough here
    select(3, true, true);
    memo1()->setPlainText(QStringLiteral("12:00:00 1.0 2.0\n12:00:01 1.5 2.5"));
    dialogs.saveAnswers = {data(QStringLiteral("raz.txt")), data(QStringLiteral("dwa.txt"))};

    click("ToolButton20");
    click("ToolButton20");

    const QByteArray header = "opis_pliku k1  k3 \r\n";
    const QByteArray body = "12:00:00 1.0 2.0\r\n12:00:01 1.5 2.5\r\n";
    EXPECT_EQ(contents(data(QStringLiteral("raz.txt"))), header + body);
    EXPECT_EQ(contents(data(QStringLiteral("dwa.txt"))), header + header + body);
    EXPECT_TRUE(memo1()->toPlainText().startsWith(
        QStringLiteral("opis_pliku k1  k3 \nopis_pliku k1  k3 \n12:00:00")));
    EXPECT_TRUE(QFileInfo(data(QStringLiteral("raz.sett"))).isFile());
    EXPECT_TRUE(QFileInfo(data(QStringLiteral("dwa.sett"))).isFile());
    EXPECT_TRUE(browser()->files().contains(QStringLiteral("dwa.txt")));
}

TEST_F(ExportTest, SaveAsWritesTheViewAloneFromTheDataDirectory) {
    select(1, true, true);
    memo1()->setPlainText(QStringLiteral("a b\nc d\n"));
    QDir::setCurrent(path(QString()));
    dialogs.saveAnswers = {data(QStringLiteral("widok.txt"))};
    browser()->refresh();

    trigger("Saveas1");

    EXPECT_EQ(QDir::cleanPath(QDir::currentPath()), QDir::cleanPath(path(QStringLiteral("dane"))));
    EXPECT_EQ(contents(data(QStringLiteral("widok.txt"))), QByteArray("a b\r\nc d\r\n"));
    EXPECT_FALSE(QFileInfo::exists(data(QStringLiteral("widok.sett"))));
    EXPECT_FALSE(browser()->files().contains(QStringLiteral("widok.txt"))); // no refresh
    EXPECT_EQ(memo1()->toPlainText(), QStringLiteral("a b\nc d\n"));
}

TEST_F(ExportTest, FailedWritesAreShownAndAnUnwrittenFileGetsNoCompanion) {
    select(1, true, true);
    memo1()->setPlainText(QStringLiteral("linia"));
    // A directory where the text file should go: nothing can be written there.
    ASSERT_TRUE(QDir(path(QStringLiteral("dane"))).mkdir(QStringLiteral("zajety.txt")));
    dialogs.saveAnswers = {data(QStringLiteral("zajety.txt")), data(QStringLiteral("zajety.txt")),
                           data(QStringLiteral("zajety.txt"))};
    click("ToolButton8");
    click("ToolButton20");
    trigger("Saveas1");
    ASSERT_EQ(messages.errors.size(), 3);
    EXPECT_TRUE(messages.errors[0].contains(QStringLiteral("zajety.txt")))
        << messages.errors[0].toStdString();
    EXPECT_FALSE(QFileInfo::exists(data(QStringLiteral("zajety.sett"))));
    EXPECT_EQ(messages.countShown(QStringLiteral("Save error ")), 0);

    // A directory where the companion should go: the text file is written, the companion is not.
    ASSERT_TRUE(QDir(path(QStringLiteral("dane"))).mkdir(QStringLiteral("wolny.sett")));
    dialogs.saveAnswers = {data(QStringLiteral("wolny.txt"))};
    click("ToolButton8");
    EXPECT_EQ(contents(data(QStringLiteral("wolny.txt"))), QByteArray("opis_pliku k1 \r\n"));
    ASSERT_EQ(messages.countShown(QStringLiteral("Save error ")), 1);
    EXPECT_EQ(messages.shown.back().caption, QStringLiteral("DIM"));
}

TEST_F(ExportTest, AFailedRewriteKeepsTheEarlierExportAndItsCompanion) {
    select(1, true, true);
    dialogs.saveAnswers = {data(QStringLiteral("pomiar.txt"))};
    click("ToolButton8");
    const QByteArray text = contents(data(QStringLiteral("pomiar.txt")));
    const QByteArray companion = contents(data(QStringLiteral("pomiar.sett")));
    ASSERT_FALSE(text.isEmpty());
    ASSERT_FALSE(companion.isEmpty());

    settings().setChannelName(1, QStringLiteral("inna"));
    messages.errors.clear();
    {
        testing::ReadOnlyDirectory locked(path(QStringLiteral("dane")));
        if (!locked.holds()) {
            GTEST_SKIP() << "the directory stays writable for this user";
        }
        dialogs.saveAnswers = {data(QStringLiteral("pomiar.txt"))};
        click("ToolButton8");
    }
    ASSERT_EQ(messages.errors.size(), 1);
    EXPECT_TRUE(messages.errors[0].contains(QStringLiteral("pomiar.txt")))
        << messages.errors[0].toStdString();
    EXPECT_EQ(contents(data(QStringLiteral("pomiar.txt"))), text);
    EXPECT_EQ(contents(data(QStringLiteral("pomiar.sett"))), companion);
}

TEST_F(ExportTest, CopiesTheChartAndTheWholeWindowToTheClipboard) {
    QApplication::clipboard()->clear();
    ASSERT_TRUE(QApplication::clipboard()->image().isNull());
    click("ToolButton10");
    EXPECT_FALSE(QApplication::clipboard()->image().isNull());

    window->show();
    QWidget* panel = browser();
    QStatusBar* status = window->statusBar();
    VisibilityCounter panelSeen(panel);
    VisibilityCounter statusSeen(status);
    QApplication::clipboard()->clear();
    EXPECT_EQ(find<QAction>("Copyall1")->text(), QStringLiteral("Copy all "));
    trigger("Copyall1");
    const QImage copied = QApplication::clipboard()->image();
    ASSERT_FALSE(copied.isNull());
    EXPECT_EQ(copied.size() / copied.devicePixelRatio(), window->size());
    EXPECT_EQ(panelSeen.hides, 1);
    EXPECT_EQ(panelSeen.shows, 1);
    EXPECT_EQ(statusSeen.hides, 1);
    EXPECT_EQ(statusSeen.shows, 1);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_TRUE(status->isVisible());
}

TEST_F(ExportTest, HandOffConvertsDataFilesAndOpensTheSpreadsheet) {
    const QString dir = path(QStringLiteral("dane"));
    writeFile(data(QStringLiteral("pomiar.dan")), "2024-01-02 10:00:00  1.25   .5\r\n");
    writeFile(data(QStringLiteral("wynik.txt")), "a 1.5\r\n");
    writeFile(data(QStringLiteral("DUZE.DAN")), "a 1.5\r\n");
    const std::size_t shownBefore = messages.shown.size();
    const auto handOff = [&](const QString& name, const char* item) {
        browser()->setFileName(name);
        launcher.spreadsheetOpens.clear();
        trigger(item);
    };
    const auto opened = [&] {
        return launcher.spreadsheetOpens.size() == 1 ? launcher.spreadsheetOpens[0].document
                                                     : QStringLiteral("<none>");
    };

    handOff(QStringLiteral("pomiar.dan"), "WstawdoMSExcel1");
    EXPECT_EQ(opened(), QStringLiteral("pomiar.dan.txt"));
    EXPECT_EQ(QDir::cleanPath(launcher.spreadsheetOpens[0].workingDirectory), dir);
    EXPECT_EQ(contents(data(QStringLiteral("pomiar.dan.txt"))),
              QByteArray("2024-01-02\t10:00:00\t1,25\t,5\n"));
    EXPECT_TRUE(browser()->files().contains(QStringLiteral("pomiar.dan.txt")));

    handOff(QStringLiteral("wynik.txt"), "WstawdoMSExcel1");
    EXPECT_EQ(opened(), QStringLiteral("wynik.txt"));
    EXPECT_FALSE(QFileInfo::exists(data(QStringLiteral("wynik.txt.txt"))));
    handOff(QStringLiteral("wynik.txt"), "WstawdoOpenOffice1");
    EXPECT_EQ(opened(), QStringLiteral("wynik.txt.txt"));
    EXPECT_EQ(contents(data(QStringLiteral("wynik.txt.txt"))), QByteArray("a\t1,5\n"));

    handOff(QStringLiteral("DUZE.DAN"), "WstawdoOpenOffice1");
    EXPECT_EQ(opened(), QStringLiteral("DUZE.DAN"));
    EXPECT_FALSE(QFileInfo::exists(data(QStringLiteral("DUZE.DAN.txt"))));
    EXPECT_EQ(messages.shown.size(), shownBefore);

    handOff(QStringLiteral("brak.dan"), "WstawdoOpenOffice1");
    EXPECT_TRUE(launcher.spreadsheetOpens.empty());
    ASSERT_EQ(messages.shown.size(), shownBefore + 1);
    EXPECT_EQ(messages.shown.back().text, QStringLiteral("Błąd otwarcia pliku.."));
    EXPECT_EQ(messages.shown.back().caption, QStringLiteral("Błąd"));

    // The copy still open in the spreadsheet program: here a directory in its place.
    QFile::remove(data(QStringLiteral("pomiar.dan.txt")));
    ASSERT_TRUE(QDir(dir).mkdir(QStringLiteral("pomiar.dan.txt")));
    handOff(QStringLiteral("pomiar.dan"), "WstawdoMSExcel1");
    EXPECT_TRUE(launcher.spreadsheetOpens.empty());
    ASSERT_EQ(messages.shown.size(), shownBefore + 2);
    EXPECT_EQ(messages.shown.back().text,
              QStringLiteral("Błąd konwersji, Zmiń nazwę lub zamknij plik w Excelu"));
    EXPECT_EQ(messages.shown.back().caption, QStringLiteral("Błąd"));
}

TEST_F(ExportTest, ExplorerOpensTheDataDirectoryAndReportsARefusal) {
    trigger("MSExplorer1");
    ASSERT_EQ(launcher.folderOpens.size(), 1);
    EXPECT_EQ(QDir::cleanPath(launcher.folderOpens[0]), path(QStringLiteral("dane")));
    EXPECT_EQ(messages.countShown(QStringLiteral("Dostęp zabroniony!")), 0);

    launcher.result = false;
    trigger("MSExplorer1");
    ASSERT_EQ(messages.countShown(QStringLiteral("Dostęp zabroniony!")), 1);
    EXPECT_EQ(messages.shown.back().caption, QStringLiteral("Uwaga!"));
}

TEST_F(ExportTest, PrintCommandsAskForThePrinterAndPrintTheMainChart) {
    plot(1, {1, 2, 3}, {"a", "b", "c"});
    dialogs.printAnswer = std::nullopt;
    trigger("Printchart1");
    ASSERT_EQ(dialogs.printRequests.size(), 1u);
    EXPECT_TRUE(dialogs.printRequests[0].pageNumbers);
    EXPECT_TRUE(dialogs.printRequests[0].selection);
    EXPECT_TRUE(dialogs.printRequests[0].warning);

    const QString menuPdf = path(QStringLiteral("menu.pdf"));
    const QString buttonPdf = path(QStringLiteral("button.pdf"));
    dialogs.printAnswer = menuPdf;
    trigger("Printchart1");
    dialogs.printAnswer = buttonPdf;
    click("ToolButton51");
    EXPECT_EQ(dialogs.printRequests.size(), 3u);
    EXPECT_TRUE(contents(menuPdf).startsWith("%PDF"));
    EXPECT_TRUE(contents(buttonPdf).startsWith("%PDF"));
    EXPECT_TRUE(messages.errors.isEmpty());
}

} // namespace
} // namespace korvanta
