// korvanta-cli run as a process on the fixture files, against the window's own core functions on
// the same data: the loader, the spreadsheet copy, the CSV writer, the chart picture and the
// buffer dump; then every kind of bad input with its exit status and its one line.

#include "acquisition/acquisition_link.h"
#include "acquisition/settings_file.h"
#include "analysis/analysis_text_export.h"
#include "analysis/fftrq.h"
#include "analysis/frequency_tools.h"
#include "analysis/histogram.h"
#include "analysis/time_window.h"
#include "common/number_format.h"
#include "common/text_file.h"
#include "files/csv_export.h"
#include "files/file_summary.h"
#include "files/spreadsheet_copy.h"
#include "monitor/buffer_dump.h"
#include "support/fake_acquisition.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>

namespace korvanta {
namespace {

const QString kFixtures = QStringLiteral(KORVANTA_SOURCE_DIR "/tests/data/files/");
const QStringList kFixtureNames = {
    QStringLiteral("chart_two_channels.dan"), QStringLiteral("empty_header.dan"),
    QStringLiteral("exported_k1_k3.txt"), QStringLiteral("mixed_line_ends.dan")};

struct CliRun {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

CliRun runCli(const QStringList& arguments, const QString& directory = QDir::currentPath()) {
    QProcess process;
    process.setWorkingDirectory(directory);
    process.start(QStringLiteral(KORVANTA_CLI_PATH), arguments);
    CliRun run;
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit) {
        ADD_FAILURE() << "korvanta-cli did not end: " << arguments.join(' ').toStdString();
        return run;
    }
    run.status = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

files::LoadedFile loadFixture(const QString& name) {
    auto loaded = files::loadDataFile(kFixtures + name);
    EXPECT_TRUE(loaded.ok()) << loaded.reason().toStdString();
    return loaded.ok() ? loaded.value() : files::LoadedFile{};
}

QByteArray coreCsv(const files::LoadedFile& file) {
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    EXPECT_TRUE(files::writeCsv(file, out));
    return bytes;
}

int inkPixels(const QImage& image) {
    const QRgb background = image.pixel(image.width() / 2, image.height() / 2);
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += image.pixel(x, y) != background ? 1 : 0;
        }
    }
    return count;
}

TEST(KorvantaCli, InfoNamesWhatTheLoaderReads) {
    for (const QString& name : kFixtureNames) {
        const CliRun run = runCli({QStringLiteral("info"), kFixtures + name});
        EXPECT_EQ(run.status, 0) << name.toStdString();
        EXPECT_TRUE(run.err.isEmpty()) << run.err.constData();
        const QStringList expected = files::fileSummary(loadFixture(name));
        EXPECT_EQ(QString::fromUtf8(run.out), expected.join(QLatin1Char('\n')) + QLatin1Char('\n'))
            << name.toStdString();
    }
    const CliRun two = runCli({QStringLiteral("info"), kFixtures + kFixtureNames[0]});
    EXPECT_TRUE(two.out.contains("\nlines: 5\n"));
    EXPECT_TRUE(two.out.contains("\ncolumns: k1 k3\n"));
}

TEST(KorvantaCli, SpreadsheetIsByteForByteTheWindowsCopy) {
    QTemporaryDir dir;
    for (const QString& name : kFixtureNames) {
        const QString core = dir.filePath(QStringLiteral("core.txt"));
        ASSERT_EQ(files::writeSpreadsheetCopy(kFixtures + name, core),
                  files::SpreadsheetCopyOutcome::Written);
        const CliRun run = runCli({QStringLiteral("spreadsheet"), kFixtures + name}, dir.path());
        EXPECT_EQ(run.status, 0) << run.err.constData();
        const QByteArray made = contents(dir.filePath(name + QStringLiteral(".txt")));
        EXPECT_FALSE(made.isEmpty()) << name.toStdString();
        EXPECT_EQ(made, contents(core)) << name.toStdString();
    }
    const QString named = dir.filePath(QStringLiteral("arkusz.csv"));
    const CliRun run = runCli(
        {QStringLiteral("spreadsheet"), kFixtures + kFixtureNames[0], QStringLiteral("-o"), named});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(contents(named), contents(dir.filePath(kFixtureNames[0] + QStringLiteral(".txt"))));
}

TEST(KorvantaCli, CsvHoldsTheLoadedValuesAsFloatsThatReadBack) {
    QTemporaryDir dir;
    for (const QString& name : kFixtureNames) {
        const files::LoadedFile file = loadFixture(name);
        const CliRun run = runCli({QStringLiteral("csv"), kFixtures + name});
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out, coreCsv(file)) << name.toStdString();
        const QString out = dir.filePath(name + QStringLiteral(".csv"));
        EXPECT_EQ(
            runCli({QStringLiteral("csv"), kFixtures + name, QStringLiteral("-o"), out}).status, 0);
        EXPECT_EQ(contents(out), run.out);
    }
    // The exported file written by the chart export: its "#0.0000" values come back as the
    // floats the loader reads, cell by cell.
    const files::LoadedFile file = loadFixture(QStringLiteral("exported_k1_k3.txt"));
    const QList<QByteArray> rows =
        runCli({QStringLiteral("csv"), kFixtures + QStringLiteral("exported_k1_k3.txt")})
            .out.split('\n');
    ASSERT_GE(rows.size(), 3);
    EXPECT_EQ(rows[0], "label,k1,k3\r");
    for (int line = 0; line < 2; ++line) {
        const QList<QByteArray> cells = rows[line + 1].trimmed().split(',');
        ASSERT_EQ(cells.size(), 3);
        EXPECT_EQ(QString::fromUtf8(cells[0]), file.labels->at(line));
        for (int p = 0; p < 2; ++p) {
            float value = 0;
            const QByteArray& cell = cells[p + 1];
            std::from_chars(cell.constData(), cell.constEnd(), value);
            EXPECT_EQ(value, file.columns[static_cast<std::size_t>(p)].values[line]);
        }
    }
    EXPECT_EQ(rows[2], "2026-07-12 14:30:06.000,-0.5,12345.678\r");
}

TEST(KorvantaCli, ALongLineEndsTheReadingWithAWarningButNoFailure) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("dlugi.dan"));
    writeFile(path,
              "opis a\r\n00:00:01 1\r\n00:00:02 " + QByteArray(1200, '7') + "\r\n00:00:03 3\r\n");
    const CliRun run = runCli({QStringLiteral("info"), path});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.out.contains("\nlines: 2\n")) << run.out.constData();
    EXPECT_TRUE(run.out.contains("last:  00:00:02\n"));
    EXPECT_EQ(run.err.count('\n'), 1) << run.err.constData();
    EXPECT_TRUE(run.err.contains("999")) << run.err.constData();
}

TEST(KorvantaCli, PlotWritesPicturesOfTheAskedSizeAndType) {
    QTemporaryDir dir;
    const QString data = kFixtures + kFixtureNames[0];
    const QString png = dir.filePath(QStringLiteral("wykres.png"));
    CliRun run = runCli({QStringLiteral("plot"), data, QStringLiteral("-o"), png});
    ASSERT_EQ(run.status, 0) << run.err.constData();
    EXPECT_TRUE(run.err.isEmpty()) << run.err.constData();
    const QImage whole(png);
    EXPECT_EQ(whole.size(), QSize(1600, 900));
    EXPECT_GT(inkPixels(whole), 5000);

    run = runCli({QStringLiteral("plot"), data, QStringLiteral("--size"), QStringLiteral("640x360"),
                  QStringLiteral("--columns"), QStringLiteral("2"), QStringLiteral("-o"), png});
    ASSERT_EQ(run.status, 0) << run.err.constData();
    const QImage part(png);
    EXPECT_EQ(part.size(), QSize(640, 360));
    EXPECT_GT(inkPixels(part), 1000);

    const QString svg = dir.filePath(QStringLiteral("wykres.svg"));
    ASSERT_EQ(runCli({QStringLiteral("plot"), data, QStringLiteral("-o"), svg}).status, 0);
    QXmlStreamReader xml(contents(svg));
    int elements = 0;
    while (!xml.atEnd()) {
        elements += xml.readNext() == QXmlStreamReader::StartElement ? 1 : 0;
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_GT(elements, 10);

    const QString pdf = dir.filePath(QStringLiteral("wykres.pdf"));
    ASSERT_EQ(runCli({QStringLiteral("plot"), data, QStringLiteral("-o"), pdf}).status, 0);
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (pdftoppm.isEmpty()) {
        GTEST_SKIP() << "pdftoppm is not installed";
    }
    QProcess render;
    render.start(pdftoppm, {QStringLiteral("-r"), QStringLiteral("48"), QStringLiteral("-png"), pdf,
                            dir.filePath(QStringLiteral("strona"))});
    ASSERT_TRUE(render.waitForFinished(60000));
    ASSERT_EQ(render.exitCode(), 0) << render.readAllStandardError().toStdString();
    const QStringList pages =
        QDir(dir.path()).entryList({QStringLiteral("strona*.png")}, QDir::Files);
    ASSERT_EQ(pages.size(), 1);
    const QImage page(dir.filePath(pages[0]));
    EXPECT_NEAR(page.width(), 800, 2);
    EXPECT_NEAR(page.height(), 450, 2);
    EXPECT_GT(inkPixels(page), 1000);
}

// Pixels close to the colour: the series' lines, smoothed at their edges.
int pixelsNear(const QImage& image, const QColor& color) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            count += std::abs(pixel.red() - color.red()) + std::abs(pixel.green() - color.green()) +
                                 std::abs(pixel.blue() - color.blue()) <
                             60
                         ? 1
                         : 0;
        }
    }
    return count;
}

TEST(KorvantaCli, PlotTakesTheColoursOfTheCompanionSettingsFile) {
    QTemporaryDir dir;
    const QString data = dir.filePath(QStringLiteral("pomiar.dan"));
    ASSERT_TRUE(QFile::copy(kFixtures + kFixtureNames[0], data));
    const QColor green(0, 200, 0);
    const QColor magenta(200, 0, 200);
    acquisition::SettingsRecord settings;
    settings.setSeriesColor(1, 0x00C800u); // 0x00BBGGRR
    settings.setSeriesColor(2, 0xC800C8u);
    ASSERT_TRUE(
        acquisition::writeSettingsDump(dir.filePath(QStringLiteral("pomiar.sett")), settings));
    const QString png = dir.filePath(QStringLiteral("w.png"));
    ASSERT_EQ(runCli({QStringLiteral("plot"), data, QStringLiteral("-o"), png}).status, 0);
    const QImage image(png);
    EXPECT_GT(pixelsNear(image, green), 200);
    EXPECT_GT(pixelsNear(image, magenta), 200);

    QFile::remove(dir.filePath(QStringLiteral("pomiar.sett")));
    ASSERT_EQ(runCli({QStringLiteral("plot"), data, QStringLiteral("-o"), png}).status, 0);
    EXPECT_EQ(pixelsNear(QImage(png), green), 0) << "without the companion, other colours";
}

// A file of a 50 Hz sine of amplitude 2 at 1000 samples a second in column 1 and a saw in 2.
QString writeSineFile(const QTemporaryDir& dir) {
    QByteArray bytes = "sinus k1 k2\r\n";
    for (int i = 0; i < 1000; ++i) {
        bytes += QStringLiteral("2026-12-09 10:00:%1 %2 %3\r\n")
                     .arg(i / 1000.0, 6, 'f', 3, QLatin1Char('0'))
                     .arg(2 * std::sin(2 * M_PI * 50 * i / 1000.0), 0, 'f', 4)
                     .arg(i % 10)
                     .toLatin1();
    }
    const QString path = dir.filePath(QStringLiteral("sinus.dan"));
    writeFile(path, bytes);
    return path;
}

std::vector<double> loadedColumn(const QString& path, int column) {
    const files::LoadedFile file = files::loadDataFile(path).value();
    const std::vector<float>& values = file.columns[static_cast<std::size_t>(column - 1)].values;
    return {values.begin(), values.end()};
}

TEST(KorvantaCli, SpectrumAndHistogramAreTheAnalysisPagesFiles) {
    QTemporaryDir dir;
    const QString data = writeSineFile(dir);

    std::vector<double> signal = loadedColumn(data, 1);
    analysis::applyWindow(analysis::TimeWindow::Hanning, signal, {0, signal.size() - 1});
    analysis::FFTRQ fft;
    analysis::SpectrumParameters parameters;
    parameters.samplingRate = 1000;
    auto spectrum = analysis::forwardSpectrum(fft, signal, parameters);
    ASSERT_TRUE(spectrum.ok());
    analysis::integrate(spectrum.value().points);
    const QString expected = dir.filePath(QStringLiteral("expected.txt"));
    ASSERT_TRUE(
        common::writeLines(expected, analysis::spectrumTextLines(spectrum.value().points, {})));

    const QString out = dir.filePath(QStringLiteral("widmo.txt"));
    const CliRun run =
        runCli({QStringLiteral("spectrum"), data, QStringLiteral("--column"), QStringLiteral("1"),
                QStringLiteral("--rate"), QStringLiteral("1000"), QStringLiteral("--window"),
                QStringLiteral("hanning"), QStringLiteral("--integrate"), QStringLiteral("1"),
                QStringLiteral("-o"), out});
    EXPECT_EQ(run.status, 0) << run.err.constData();
    EXPECT_EQ(contents(out), contents(expected));
    EXPECT_TRUE(contents(out).startsWith("f  Real  Imag  XY\r\n"));
    // The peak of the transform before integration: the sine's 50 Hz, half its amplitude under
    // the Hanning window.
    const QList<QByteArray> peak = run.out.split('\n');
    ASSERT_GE(peak.size(), 2);
    EXPECT_TRUE(peak[0].startsWith("Max amplitude:  0.9")) << run.out.constData();
    EXPECT_EQ(peak[1], " for f=49.8Hz");

    const CliRun toScreen =
        runCli({QStringLiteral("spectrum"), data, QStringLiteral("--column"), QStringLiteral("1"),
                QStringLiteral("--rate"), QStringLiteral("1000"), QStringLiteral("--from"),
                QStringLiteral("40"), QStringLiteral("--to"), QStringLiteral("60")});
    EXPECT_EQ(toScreen.status, 0);
    EXPECT_TRUE(toScreen.out.startsWith("f  Real  Imag  XY\r\n  40.04 "))
        << toScreen.out.constData();
    EXPECT_TRUE(toScreen.err.contains(" for f=49.8Hz"));

    const std::vector<double> saw = loadedColumn(data, 2);
    const auto bars = analysis::histogram(saw, saw, 10);
    ASSERT_TRUE(bars.ok());
    QStringList labels;
    std::vector<double> heights;
    for (const analysis::HistogramBar& bar : bars.value().bars) {
        labels << bar.label;
        heights.push_back(bar.count);
    }
    ASSERT_TRUE(common::writeLines(expected, analysis::histogramTextLines(labels, heights)));
    const CliRun histogram =
        runCli({QStringLiteral("histogram"), data, QStringLiteral("--column"), QStringLiteral("2"),
                QStringLiteral("--bins"), QStringLiteral("10")});
    EXPECT_EQ(histogram.status, 0);
    EXPECT_EQ(histogram.out, contents(expected));
    EXPECT_TRUE(histogram.out.contains("\r\n0.450 100.0000 \r\n"));
}

TEST(KorvantaCli, BadInputEndsWithStatusTwoAndOneLine) {
    QTemporaryDir dir;
    const QString data = kFixtures + kFixtureNames[0];
    const QString png = dir.filePath(QStringLiteral("w.png"));
    const QList<QStringList> cases = {
        {},
        {QStringLiteral("nonsense")},
        {QStringLiteral("info")},
        {QStringLiteral("info"), dir.filePath(QStringLiteral("brak.dan"))},
        {QStringLiteral("csv"), dir.path()},
        {QStringLiteral("spreadsheet"), dir.filePath(QStringLiteral("brak.dan"))},
        {QStringLiteral("csv"), QStringLiteral("--bogus"), data},
        {QStringLiteral("info"), data, data},
        {QStringLiteral("plot"), data},
        {QStringLiteral("plot"), data, QStringLiteral("-o"), dir.filePath(QStringLiteral("w.jpg"))},
        {QStringLiteral("plot"), data, QStringLiteral("--size"), QStringLiteral("800"),
         QStringLiteral("-o"), png},
        {QStringLiteral("plot"), data, QStringLiteral("--size"), QStringLiteral("0x10"),
         QStringLiteral("-o"), png},
        {QStringLiteral("plot"), data, QStringLiteral("--columns"), QStringLiteral("1,x"),
         QStringLiteral("-o"), png},
        {QStringLiteral("plot"), data, QStringLiteral("--columns"), QStringLiteral("3"),
         QStringLiteral("-o"), png},
        {QStringLiteral("plot"), dir.path(), QStringLiteral("-o"), png},
        {QStringLiteral("spectrum"), data, QStringLiteral("--column"), QStringLiteral("1")},
        {QStringLiteral("spectrum"), data, QStringLiteral("--column"), QStringLiteral("1"),
         QStringLiteral("--rate"), QStringLiteral("0")},
        {QStringLiteral("spectrum"), data, QStringLiteral("--column"), QStringLiteral("9"),
         QStringLiteral("--rate"), QStringLiteral("100")},
        {QStringLiteral("spectrum"), data, QStringLiteral("--column"), QStringLiteral("1"),
         QStringLiteral("--rate"), QStringLiteral("100"), QStringLiteral("--window"),
         QStringLiteral("kaiser")},
        {QStringLiteral("histogram"), data, QStringLiteral("--column"), QStringLiteral("1"),
         QStringLiteral("--bins"), QStringLiteral("0")},
    };
    for (const QStringList& arguments : cases) {
        const CliRun run = runCli(arguments, dir.path());
        const std::string named = arguments.join(' ').toStdString();
        EXPECT_EQ(run.status, 2) << named;
        const QByteArray line = run.err.mid(run.err.lastIndexOf("korvanta-cli: "));
        EXPECT_EQ(line.count('\n'), 1) << named << ": " << run.err.constData();
        EXPECT_GT(line.size(), 20) << named;
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::NoDotAndDotDot), QStringList())
        << "nothing written";
}

TEST(KorvantaCli, AWriteFailureEndsWithStatusOneAndLeavesNoFile) {
    QTemporaryDir dir;
    const QString data = kFixtures + kFixtureNames[0];
    const QString missing = dir.filePath(QStringLiteral("brak/"));
    for (const auto& [command, out] :
         {std::pair{QStringLiteral("csv"), QStringLiteral("w.csv")},
          std::pair{QStringLiteral("spreadsheet"), QStringLiteral("w.txt")},
          std::pair{QStringLiteral("plot"), QStringLiteral("w.png")}}) {
        const CliRun run = runCli({command, data, QStringLiteral("-o"), missing + out}, dir.path());
        EXPECT_EQ(run.status, 1) << command.toStdString() << ": " << run.err.constData();
        EXPECT_EQ(run.err.count('\n'), 1) << run.err.constData();
    }
    EXPECT_FALSE(QDir(missing).exists());
}

TEST(KorvantaCli, HelpForTheToolAndEveryCommand) {
    const CliRun tool = runCli({QStringLiteral("--help")});
    EXPECT_EQ(tool.status, 0);
    for (const char* command :
         {"info", "spreadsheet", "csv", "spectrum", "histogram", "plot", "dump-buffer"}) {
        EXPECT_TRUE(tool.out.contains(command)) << command;
        const CliRun help = runCli({QString::fromLatin1(command), QStringLiteral("--help")});
        EXPECT_EQ(help.status, 0) << command;
        EXPECT_TRUE(help.out.startsWith("Usage: korvanta-cli " + QByteArray(command)))
            << help.out.constData();
    }
    EXPECT_TRUE(
        runCli({QStringLiteral("plot"), QStringLiteral("--help")}).out.contains("--columns"));
}

TEST(KorvantaCli, DumpBufferWithoutSharedBlocksEndsWithStatusTwo) {
    testing::FakeAcquisition none;
    QTemporaryDir dir;
    const CliRun run = runCli({QStringLiteral("dump-buffer")}, dir.path());
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.err.contains("Ustawienia")) << run.err.constData();
    EXPECT_FALSE(QDir(dir.filePath(QStringLiteral("dynamic"))).exists());
}

TEST(KorvantaCli, DumpBufferWritesTheWindowsDumpOfTheSharedTable) {
    testing::FakeAcquisition blocks(40, 3);
    blocks.fill(45000.5, [](int k, int i) { return k * 10.0 + i * 0.25 - 3.125; });
    blocks.control().setCurrentIndex(7);
    QTemporaryDir dir;
    const CliRun run =
        runCli({QStringLiteral("dump-buffer"), QStringLiteral("--dir"), QStringLiteral("zrzuty")},
               dir.path());
    ASSERT_EQ(run.status, 0) << run.err.constData();
    const QString path = QString::fromLocal8Bit(run.out.trimmed());
    EXPECT_TRUE(QRegularExpression(QStringLiteral("/zrzuty/buf\\d{8}_\\d{6}0\\.txt$"))
                    .match(path)
                    .hasMatch())
        << path.toStdString();
    const QByteArray dumped = contents(path);

    // The window's dump of the same blocks, in a directory of its own.
    acquisition::AcquisitionLink link;
    ASSERT_TRUE(link.attachControlBlock());
    ASSERT_TRUE(link.attachDataTable());
    QTemporaryDir windowDir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(windowDir.path());
    acquisition::SettingsRecord settings;
    settings.applyMissingFileDefaults();
    common::setDecimalSeparator(QLatin1Char('.'));
    const auto window = monitor::ZapiszBuforJakoPlikTekstowy(
        link.tick(), settings, {45000.5, QStringLiteral("zrzuty/"), '\0', 0, {}});
    QDir::setCurrent(previous);
    ASSERT_FALSE(window.failed()) << window.failure.toStdString();
    const QByteArray expected = contents(window.path);

    // Equal but for the time of the dump in the header line.
    const qsizetype headerEnd = expected.indexOf("\r\n");
    ASSERT_GT(headerEnd, 0);
    EXPECT_EQ(dumped.mid(dumped.indexOf("\r\n")), expected.mid(headerEnd));
    EXPECT_EQ(dumped.count("\r\n"), 41);
    const QRegularExpression header(
        QStringLiteral("^BUF_\\d{4}-\\d\\d-\\d\\d_\\d\\d:\\d\\d:\\d\\d___$"));
    EXPECT_TRUE(header.match(QString::fromLatin1(dumped.left(dumped.indexOf("\r\n")))).hasMatch())
        << dumped.left(60).constData();
}

} // namespace
} // namespace korvanta
