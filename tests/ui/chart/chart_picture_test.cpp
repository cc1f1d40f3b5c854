// Charts saved as pictures: the PNG read back, the SVG parsed as XML, the PDF rendered by
// pdftoppm; and a loaded file drawn as the monitoring chart shows it.

#include "chart/ui/chart_picture.h"
#include "chart/ui/file_picture.h"
#include "chart/ui/monitor_chart.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <limits>
#include <qcustomplot.h>

namespace korvanta::chart::ui {
namespace {

const QString kData = QStringLiteral(KORVANTA_TEST_DATA "/files/");
const QColor kRed(230, 0, 0);
const QColor kBlue(0, 0, 230);

// Pixels close to this colour: the series' lines, smoothed at their edges.
int pixelsOf(const QImage& image, const QColor& color) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            const int distance = std::abs(pixel.red() - color.red()) +
                                 std::abs(pixel.green() - color.green()) +
                                 std::abs(pixel.blue() - color.blue());
            count += distance < 60 ? 1 : 0;
        }
    }
    return count;
}

// Pixels that differ from the white background.
int inkPixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += qGray(image.pixel(x, y)) < 250 ? 1 : 0;
        }
    }
    return count;
}

struct RedChart {
    RedChart() {
        plot.resize(300, 200);
        QCPGraph* graph = plot.addGraph();
        graph->setData({0, 1, 2, 3}, {1, 3, 2, 4});
        graph->setPen(QPen(kRed, 3));
        plot.rescaleAxes();
    }
    QCustomPlot plot;
};

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(ChartPicture, TheTypeComesFromTheExtensionInAnyCase) {
    EXPECT_EQ(pictureTypeOf(QStringLiteral("a/wykres.png")), PictureType::Png);
    EXPECT_EQ(pictureTypeOf(QStringLiteral("WYKRES.PNG")), PictureType::Png);
    EXPECT_EQ(pictureTypeOf(QStringLiteral("w.Svg")), PictureType::Svg);
    EXPECT_EQ(pictureTypeOf(QStringLiteral("w.pdf")), PictureType::Pdf);
    EXPECT_FALSE(pictureTypeOf(QStringLiteral("w.jpg")));
    EXPECT_FALSE(pictureTypeOf(QStringLiteral("png")));
    EXPECT_FALSE(pictureTypeOf(QStringLiteral("w.png.txt")));
}

TEST(ChartPicture, PngHasTheAskedSizeOrTheChartsAndShowsTheSeries) {
    QTemporaryDir dir;
    RedChart chart;
    const QString path = dir.filePath(QStringLiteral("wykres.png"));
    ASSERT_TRUE(savePicture(chart.plot, path, QSize(640, 360)));
    const QImage image(path);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(640, 360));
    EXPECT_GT(pixelsOf(image, kRed), 300);

    ASSERT_TRUE(savePicture(chart.plot, path));
    EXPECT_EQ(QImage(path).size(), QSize(300, 200));
}

TEST(ChartPicture, SvgIsWellFormedXmlWithTheSeriesColourAndTheSize) {
    QTemporaryDir dir;
    RedChart chart;
    const QString path = dir.filePath(QStringLiteral("wykres.svg"));
    ASSERT_TRUE(savePicture(chart.plot, path, QSize(500, 250)));
    const QByteArray svg = contents(path);
    QXmlStreamReader xml(svg);
    QString root;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && root.isEmpty()) {
            root = xml.name().toString();
            EXPECT_EQ(xml.attributes().value(QStringLiteral("viewBox")).toString(),
                      QStringLiteral("0 0 500 250"));
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(root, QStringLiteral("svg"));
    EXPECT_TRUE(svg.contains(kRed.name().toLatin1())) << "the series' stroke colour";
}

TEST(ChartPicture, PdfIsOnePageOfTheChartsProportionsThatPdftoppmRenders) {
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (pdftoppm.isEmpty()) {
        GTEST_SKIP() << "pdftoppm is not installed";
    }
    QTemporaryDir dir;
    RedChart chart;
    const QString path = dir.filePath(QStringLiteral("wykres.pdf"));
    ASSERT_TRUE(savePicture(chart.plot, path, QSize(480, 240)));
    QProcess render;
    // At 96 dots per inch the page has as many pixels as the chart.
    render.start(pdftoppm, {QStringLiteral("-r"), QStringLiteral("96"), QStringLiteral("-png"),
                            path, dir.filePath(QStringLiteral("strona"))});
    ASSERT_TRUE(render.waitForFinished(60000));
    ASSERT_EQ(render.exitCode(), 0) << render.readAllStandardError().toStdString();
    const QStringList pages =
        QDir(dir.path()).entryList({QStringLiteral("strona*.png")}, QDir::Files);
    ASSERT_EQ(pages.size(), 1);
    const QImage page(dir.filePath(pages[0]));
    EXPECT_NEAR(page.width(), 480, 2);
    EXPECT_NEAR(page.height(), 240, 2);
    EXPECT_GT(inkPixels(page), 1000);
}

TEST(ChartPicture, FailuresNameTheFileAndLeaveAnEarlierOneWhole) {
    QTemporaryDir dir;
    RedChart chart;
    const QString earlier = dir.filePath(QStringLiteral("wykres.png"));
    ASSERT_TRUE(savePicture(chart.plot, earlier, QSize(100, 100)));
    const QByteArray before = contents(earlier);

    const auto tooLarge = savePicture(chart.plot, earlier, QSize(kMaxPictureSide + 1, 10));
    EXPECT_FALSE(tooLarge);
    EXPECT_TRUE(tooLarge.reason().contains(QStringLiteral("wykres.png")));
    EXPECT_EQ(contents(earlier), before);

    const auto jpeg = savePicture(chart.plot, dir.filePath(QStringLiteral("w.jpg")), {});
    EXPECT_FALSE(jpeg);
    EXPECT_TRUE(jpeg.reason().contains(QStringLiteral("w.jpg")));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("w.jpg"))));

    const auto missing =
        savePicture(chart.plot, dir.filePath(QStringLiteral("brak/w.png")), QSize(50, 50));
    EXPECT_FALSE(missing);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("wykres.png")});
}

struct FilePictureTest : ::testing::Test {
    FilePictureTest() {
        settings.setSeriesColor(1, MonitorChart::colorToRecord(kRed));
        settings.setSeriesColor(2, MonitorChart::colorToRecord(kBlue));
        auto loaded = files::loadDataFile(kData + QStringLiteral("chart_two_channels.dan"));
        EXPECT_TRUE(loaded.ok());
        file = loaded.value();
    }
    QImage draw(const std::vector<int>& columns) {
        const QString path = dir.filePath(QStringLiteral("plik.png"));
        const auto saved = saveFilePicture(file, settings, columns, path, QSize(800, 450));
        EXPECT_TRUE(saved) << saved.reason().toStdString();
        return QImage(path);
    }
    QTemporaryDir dir;
    acquisition::SettingsRecord settings;
    files::LoadedFile file;
};

TEST_F(FilePictureTest, EveryColumnInTheColourOfItsChannel) {
    const QImage image = draw({});
    EXPECT_EQ(image.size(), QSize(800, 450));
    EXPECT_GT(pixelsOf(image, kRed), 100);
    EXPECT_GT(pixelsOf(image, kBlue), 100);
}

TEST_F(FilePictureTest, OnlyTheChosenColumnsAreDrawn) {
    const QImage second = draw({2});
    EXPECT_EQ(pixelsOf(second, kRed), 0);
    EXPECT_GT(pixelsOf(second, kBlue), 100);
    const QImage first = draw({1});
    EXPECT_GT(pixelsOf(first, kRed), 100);
    EXPECT_EQ(pixelsOf(first, kBlue), 0);
}

// A long file drawn from its pixel columns' points must be the picture of all its points.
files::LoadedFile longFile() {
    files::LoadedFile file;
    file.description = QStringLiteral("Pomiar");
    constexpr int kLines = 200000;
    std::srand(7);
    files::LoadedColumn noise;
    files::LoadedColumn sine;
    files::LoadedColumn step;
    for (int i = 0; i < kLines; ++i) {
        noise.values.push_back(static_cast<float>(std::rand() % 1000) / 100.0f);
        sine.values.push_back(static_cast<float>(5 + 4 * std::sin(i * 0.0003)));
        step.values.push_back(i < kLines / 3 ? 2.0f : 8.0f);
    }
    // A shorter column ends before the others, and a single spike must stay in sight.
    step.values.resize(kLines / 2);
    step.values[kLines / 4] = 9.5f;
    file.columns = {std::move(noise), std::move(sine), std::move(step)};
    for (int p = 0; p < 3; ++p) {
        file.names[static_cast<std::size_t>(p)] = QStringLiteral("k%1").arg(p + 1);
    }
    return file;
}

QImage everyPoint(const files::LoadedFile& file, const acquisition::SettingsRecord& settings,
                  QSize size) {
    MonitorChart chart;
    chart.resize(size);
    chart.showFile(file, settings, FileSeries::All);
    chart.scaleToData(settings, false);
    chart.rescaleKeyAxis();
    chart.setLegendVisible(true);
    return chart.toPixmap(size.width(), size.height()).toImage();
}

QImage sampled(const files::LoadedFile& file, const acquisition::SettingsRecord& settings,
               QSize size) {
    MonitorChart chart;
    chart.resize(size);
    chart.showFileForPicture(file, settings, {}, size);
    return chart.toPixmap(size.width(), size.height()).toImage();
}

int differingPixels(const QImage& a, const QImage& b) {
    EXPECT_EQ(a.size(), b.size());
    int count = 0;
    for (int y = 0; y < std::min(a.height(), b.height()); ++y) {
        for (int x = 0; x < std::min(a.width(), b.width()); ++x) {
            count += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
        }
    }
    return count;
}

TEST_F(FilePictureTest, ALongFileDrawnFromItsPixelColumnsIsThePictureOfAllItsPoints) {
    const files::LoadedFile file = longFile();
    for (const QSize size : {QSize(1600, 900), QSize(801, 333)}) {
        const QImage all = everyPoint(file, settings, size);
        const QImage few = sampled(file, settings, size);
        EXPECT_GT(inkPixels(few), size.width() * 10);
        EXPECT_EQ(differingPixels(all, few), 0) << size.width() << "x" << size.height();
        MonitorChart chart;
        chart.showFileForPicture(file, settings, {}, size);
        EXPECT_LT(chart.pointCount(), 4u * 3u * static_cast<std::size_t>(size.width()));
    }
}

TEST_F(FilePictureTest, AColumnWithAGapKeepsEveryPointAndItsGap) {
    files::LoadedFile file = longFile();
    const std::size_t sineCount = file.columns[1].values.size();
    for (std::size_t i = sineCount / 2; i < sineCount / 2 + 20000; ++i) {
        file.columns[1].values[i] = std::numeric_limits<float>::quiet_NaN();
    }
    const QSize size(900, 500);
    EXPECT_EQ(differingPixels(everyPoint(file, settings, size), sampled(file, settings, size)), 0);
    MonitorChart chart;
    chart.showFileForPicture(file, settings, {}, size);
    EXPECT_EQ(chart.series(1)->data()->size(), static_cast<int>(sineCount));
}

} // namespace
} // namespace korvanta::chart::ui
