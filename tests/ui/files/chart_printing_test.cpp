// A chart printed into a PDF file fills the page between the margins, stretched: the page is
// rendered by pdftoppm and the chart's ink measured on it.

#include "files/ui/chart_printing.h"

#include <QDir>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <qcustomplot.h>

namespace korvanta::files::ui {
namespace {

// The bounding box of the pixels that are not near white.
QRect inkBounds(const QImage& page) {
    QRect bounds;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            if (qGray(page.pixel(x, y)) < 200) {
                bounds |= QRect(x, y, 1, 1);
            }
        }
    }
    return bounds;
}

TEST(ChartPrinting, FillsTheWidthAndTheHeightBetweenTheTopAndBottomMargins) {
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (pdftoppm.isEmpty()) {
        GTEST_SKIP() << "pdftoppm is not installed";
    }
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // A wide chart on a tall page: only stretching fills both directions. A dark background
    // makes the whole chart ink.
    QCustomPlot chart;
    chart.resize(600, 200);
    chart.setBackground(QBrush(QColor(40, 40, 40)));
    chart.addGraph()->setData({1, 2, 3}, {1, 3, 2});
    chart.rescaleAxes();

    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("wykres.pdf")));
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    ASSERT_TRUE(printChart(chart, printer));

    QProcess render;
    render.start(pdftoppm, {QStringLiteral("-r"), QStringLiteral("50"), QStringLiteral("-png"),
                            dir.filePath(QStringLiteral("wykres.pdf")),
                            dir.filePath(QStringLiteral("strona"))});
    ASSERT_TRUE(render.waitForFinished(60000));
    ASSERT_EQ(render.exitCode(), 0) << render.readAllStandardError().toStdString();
    const QStringList pages =
        QDir(dir.path()).entryList({QStringLiteral("strona*.png")}, QDir::Files);
    ASSERT_EQ(pages.size(), 1) << "one page";
    const QImage page(dir.filePath(pages[0]));
    ASSERT_FALSE(page.isNull());

    const QRect ink = inkBounds(page);
    const double w = page.width();
    const double h = page.height();
    EXPECT_LE(ink.left(), 0.01 * w);
    EXPECT_GE(ink.right(), 0.99 * w - 1);
    EXPECT_NEAR(ink.top(), 0.04 * h, 0.01 * h);
    EXPECT_NEAR(ink.bottom() + 1, 0.98 * h, 0.01 * h);
}

} // namespace
} // namespace korvanta::files::ui
