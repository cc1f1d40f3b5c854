// The finished-test document, read back with poppler's tools: its texts, its pages and what
// page 1 looks like.
#include "bench/finished_test.h"
#include "bench/test_record.h"
#include "bench/ui/test_report_pdf.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace korvanta::bench::ui {
namespace {

const QStringList& kItemNames = testRecordItemNames();

// Loading in 2.5 kN steps to 50 kN and back, the frame keeping 1.5 mm when unloaded.
std::vector<TestTracePoint> loadLoop() {
    std::vector<TestTracePoint> trace;
    for (int step = 0; step <= 40; ++step) {
        const bool loading = step <= 20;
        const double force = 2.5 * (loading ? step : 40 - step);
        const double displacement =
            loading ? force * 0.3 + force * force * 0.002 : 1.5 + force * (20.0 - 1.5) / 50;
        trace.push_back({step * 15.0, force, displacement});
    }
    return trace;
}

QStringList logOf(int lines) {
    QStringList log;
    for (int i = 1; i <= lines; ++i) {
        log.append(QStringLiteral("Wpis %1: 12:%2:05 krok siły, siła %3 kN, przesunięcie %4 mm")
                       .arg(i, 4, 10, QLatin1Char('0'))
                       .arg(i % 60, 2, 10, QLatin1Char('0'))
                       .arg(i * 0.25, 0, 'f', 2)
                       .arg(i * 0.1, 0, 'f', 2));
    }
    return log;
}

FinishedTest sampleTest(int logLines, bool alarm) {
    FinishedTest test;
    test.reportName = QStringLiteral("rama_R7_zuat");
    test.testTypeText = QStringLiteral("Próba zgodności z normą ZUAT-15/");
    test.startText = QStringLiteral("2026-03-02 08:15:00");
    test.endText = QStringLiteral("2026-03-02 08:25:00");
    test.itemNames = kItemNames;
    for (int i = 0; i < 18; ++i) {
        test.itemValues.append(QStringLiteral("wartość %1").arg(i + 1));
    }
    test.parameters = {{QStringLiteral("Górny zakres obciążenia [kN]"), QStringLiteral("50")},
                       {QStringLiteral("Krok siły [kN]"), QStringLiteral("2,5")},
                       {QStringLiteral("Czas To [min]"), QStringLiteral("15")}};
    test.alarm = alarm;
    test.verdict = alarm ? QStringLiteral("Przekroczono górny zakres przesunięcia")
                         : QStringLiteral("Badanie zakończone");
    test.trace = loadLoop();
    test.log = logOf(logLines);
    return test;
}

QString popplerTool(const char* name) {
    return QStandardPaths::findExecutable(QLatin1String(name));
}

QByteArray run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(60000)) << program.toStdString();
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    return process.readAllStandardOutput();
}

int pageCount(const QString& pdf) {
    const QString info = QString::fromUtf8(run(popplerTool("pdfinfo"), {pdf}));
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption)
            .match(info);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

// The text of pages first to last in reading order row by row, runs of blanks and line ends
// made single blanks.
QString textOf(const QString& pdf, int first, int last) {
    const QByteArray text =
        run(popplerTool("pdftotext"),
            {QStringLiteral("-layout"), QStringLiteral("-f"), QString::number(first),
             QStringLiteral("-l"), QString::number(last), pdf, QStringLiteral("-")});
    return QString::fromUtf8(text).simplified();
}

QImage pageImage(const QString& pdf, int page, const QString& prefix) {
    run(popplerTool("pdftoppm"),
        {QStringLiteral("-r"), QStringLiteral("40"), QStringLiteral("-f"), QString::number(page),
         QStringLiteral("-l"), QString::number(page), QStringLiteral("-png"),
         QStringLiteral("-singlefile"), pdf, prefix});
    return QImage(prefix + QStringLiteral(".png"));
}

int countPixels(const QImage& image, const std::function<bool(QRgb)>& wanted) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += wanted(image.pixel(x, y)) ? 1 : 0;
        }
    }
    return count;
}

bool inked(QRgb pixel) {
    return qRed(pixel) < 200 || qGreen(pixel) < 200 || qBlue(pixel) < 200;
}

bool red(QRgb pixel) {
    return qRed(pixel) > 150 && qGreen(pixel) < 90 && qBlue(pixel) < 90;
}

class TestReportPdfTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString pathOf(const QString& name) const { return dir.filePath(name); }

    QString written(const QString& name, const FinishedTest& test) {
        const QString path = pathOf(name);
        const auto result = writeTestReportPdf(path, test);
        EXPECT_TRUE(result.ok()) << result.reason().toStdString();
        return path;
    }

    QTemporaryDir dir;
};

// The documents are read back with poppler's tools; CI installs them.
class TestReportPdfReadTest : public TestReportPdfTest {
protected:
    void SetUp() override {
        TestReportPdfTest::SetUp();
        if (popplerTool("pdftoppm").isEmpty() || popplerTool("pdfinfo").isEmpty() ||
            popplerTool("pdftotext").isEmpty()) {
            GTEST_SKIP() << "poppler-utils (pdftoppm, pdfinfo, pdftotext) is not installed";
        }
    }
};

TEST_F(TestReportPdfReadTest, DocumentHoldsEveryPartAndNumbersItsPages) {
    FinishedTest test = sampleTest(300, false);
    test.log.append(QString(150, QLatin1Char('=')) + QStringLiteral("KONIEC_DZIENNIKA"));
    const QString pdf = written(QStringLiteral("rama_R7_zuat.pdf"), test);

    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5).startsWith("%PDF-"));

    const int pages = pageCount(pdf);
    ASSERT_GE(pages, 3);
    const QString first = textOf(pdf, 1, 1);
    for (const QString& expected :
         {QStringLiteral("Raport z badania"), test.reportName, test.testTypeText, test.startText,
          test.endText, QStringLiteral("Materiał ramy wartość 9"),
          QStringLiteral("Wymiar H Wymiar I"), QStringLiteral("Krok siły [kN] 2,5"),
          QStringLiteral("Badanie zakończone"), QStringLiteral("Strona 1")}) {
        EXPECT_TRUE(first.contains(expected)) << expected.toStdString();
    }
    const QString all = textOf(pdf, 1, pages);
    for (const QString& expected :
         {QStringLiteral("Przesunięcie [mm]"), QStringLiteral("Siła [kN]"),
          QStringLiteral("Czas [s]"), test.log.first(), test.log[150]}) {
        EXPECT_TRUE(all.contains(expected)) << expected.toStdString();
    }
    // The loop reaches 20 mm and ends at 600 s: round ticks cover each range, above the titles.
    EXPECT_TRUE(all.contains(QStringLiteral("0 5 10 15 20 Przesunięcie [mm]")));
    EXPECT_TRUE(all.contains(QStringLiteral("0 100 200 300 400 500 600 Czas [s]")));
    const QString last = textOf(pdf, pages, pages);
    EXPECT_TRUE(last.contains(QStringLiteral("KONIEC_DZIENNIKA")));
    EXPECT_TRUE(last.contains(QStringLiteral("Strona %1").arg(pages)));
    EXPECT_FALSE(all.contains(QStringLiteral("Strona %1").arg(pages + 1)));

    const QImage page1 = pageImage(pdf, 1, pathOf(QStringLiteral("page1")));
    ASSERT_FALSE(page1.isNull());
    EXPECT_GT(countPixels(page1, inked), page1.width() * page1.height() / 100);
    const QImage page2 = pageImage(pdf, 2, pathOf(QStringLiteral("page2")));
    EXPECT_GT(countPixels(page2, inked), page2.width() * page2.height() / 100);
}

TEST_F(TestReportPdfReadTest, LongerLogsTakeMorePages) {
    const int shortPages = pageCount(written(QStringLiteral("short.pdf"), sampleTest(10, false)));
    const int longPages = pageCount(written(QStringLiteral("long.pdf"), sampleTest(400, false)));
    const int longerPages =
        pageCount(written(QStringLiteral("longer.pdf"), sampleTest(800, false)));
    EXPECT_GE(shortPages, 2);
    EXPECT_GE(longPages, 3);
    EXPECT_GT(longPages, shortPages);
    EXPECT_GT(longerPages, longPages);
}

TEST_F(TestReportPdfReadTest, AlarmVerdictIsMarkedInRed) {
    const QString alarmPdf = written(QStringLiteral("alarm.pdf"), sampleTest(5, true));
    const QString finishedPdf = written(QStringLiteral("finished.pdf"), sampleTest(5, false));
    EXPECT_TRUE(
        textOf(alarmPdf, 1, 1).contains(QStringLiteral("Przekroczono górny zakres przesunięcia")));

    const QImage alarm = pageImage(alarmPdf, 1, pathOf(QStringLiteral("alarm")));
    const QImage finished = pageImage(finishedPdf, 1, pathOf(QStringLiteral("finished")));
    EXPECT_GT(countPixels(alarm, red), 50);
    EXPECT_EQ(countPixels(finished, red), 0);
}

TEST_F(TestReportPdfReadTest, EmptySingleAndConstantTracesStillGiveCharts) {
    FinishedTest empty = sampleTest(3, false);
    empty.trace.clear();
    FinishedTest single = sampleTest(3, false);
    single.trace = {{12.0, 7.5, 3.0}};
    FinishedTest constant = sampleTest(3, false);
    constant.trace = {{0, 5, 2}, {10, 5, 2}, {20, 5, 2}};

    for (const FinishedTest* test : {&empty, &single, &constant}) {
        const QString pdf = written(QStringLiteral("degenerate.pdf"), *test);
        const QString all = textOf(pdf, 1, pageCount(pdf));
        EXPECT_TRUE(all.contains(QStringLiteral("Czas [s]")));
        EXPECT_TRUE(all.contains(QStringLiteral("Przesunięcie [mm]")));
    }
    // The constant force of 5 kN is drawn on an axis widened around it, with 5,0 among its ticks.
    const QString pdf = written(QStringLiteral("constant.pdf"), constant);
    const QString all = textOf(pdf, 1, pageCount(pdf));
    EXPECT_TRUE(all.contains(QStringLiteral("5,0")));
    EXPECT_FALSE(all.contains(QStringLiteral("nan"), Qt::CaseInsensitive));
    EXPECT_FALSE(all.contains(QStringLiteral("inf"), Qt::CaseInsensitive));
}

TEST_F(TestReportPdfTest, UnwritablePathFailsNamingTheFileAndLeavesNothing) {
    const QString missing = pathOf(QStringLiteral("brak/raport_brak.pdf"));
    const auto noDirectory = writeTestReportPdf(missing, sampleTest(5, false));
    EXPECT_FALSE(noDirectory.ok());
    EXPECT_TRUE(noDirectory.reason().contains(QStringLiteral("raport_brak.pdf")))
        << noDirectory.reason().toStdString();
    EXPECT_FALSE(QFileInfo::exists(pathOf(QStringLiteral("brak"))));

    QFile blocker(pathOf(QStringLiteral("plik")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.write("tekst");
    blocker.close();
    const auto fileInTheWay =
        writeTestReportPdf(pathOf(QStringLiteral("plik/raport_plik.pdf")), sampleTest(5, false));
    EXPECT_FALSE(fileInTheWay.ok());
    EXPECT_TRUE(fileInTheWay.reason().contains(QStringLiteral("raport_plik.pdf")));
    ASSERT_TRUE(blocker.open(QIODevice::ReadOnly));
    EXPECT_EQ(blocker.readAll(), QByteArray("tekst"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("plik")});
}

TEST_F(TestReportPdfReadTest, WritingAgainReplacesTheDocumentWhole) {
    const QString pdf = written(QStringLiteral("raport.pdf"), sampleTest(600, false));
    const int before = pageCount(pdf);
    written(QStringLiteral("raport.pdf"), sampleTest(5, true));
    EXPECT_LT(pageCount(pdf), before);
    EXPECT_TRUE(textOf(pdf, 1, 1).contains(QStringLiteral("Przekroczono")));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("raport.pdf")});
}

} // namespace
} // namespace korvanta::bench::ui
