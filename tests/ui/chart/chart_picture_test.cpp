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
#include <cstdlib>
#include <gtest/gtest.h>
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

} // namespace
} // namespace korvanta::chart::ui
