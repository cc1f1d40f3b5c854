#include "chart/ui/chart_picture.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <qcustomplot.h>

namespace korvanta::chart::ui {
namespace {

// PDF pages are measured in points; at 96 dots per inch a pixel of the chart is three quarters of
// a point, so fonts keep the size they have on the screen.
constexpr int kPdfResolution = 96;
constexpr double kPointsPerPixel = 72.0 / kPdfResolution;

std::optional<QByteArray> pngBytes(QCustomPlot& plot, QSize size) {
    const QImage image = plot.toPixmap(size.width(), size.height()).toImage();
    if (image.isNull()) {
        return std::nullopt;
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        return std::nullopt;
    }
    return bytes;
}

// The chart drawn as vectors on a device that has begun on `painter`.
bool drawVectors(QCustomPlot& plot, QCPPainter& painter, QSize size) {
    if (!painter.isActive()) {
        return false;
    }
    painter.setMode(QCPPainter::pmVectorized);
    painter.setMode(QCPPainter::pmNoCaching);
    plot.toPainter(&painter, size.width(), size.height());
    return painter.end();
}

std::optional<QByteArray> svgBytes(QCustomPlot& plot, QSize size, const QString& title) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setTitle(title);
    QCPPainter painter(&generator);
    if (!drawVectors(plot, painter, size)) {
        return std::nullopt;
    }
    return bytes;
}

std::optional<QByteArray> pdfBytes(QCustomPlot& plot, QSize size, const QString& title) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Korvanta"));
    writer.setResolution(kPdfResolution);
    const QSizeF points(size.width() * kPointsPerPixel, size.height() * kPointsPerPixel);
    writer.setPageLayout(
        QPageLayout(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch),
                    QPageLayout::Portrait, QMarginsF()));
    QCPPainter painter(&writer);
    if (!drawVectors(plot, painter, size)) {
        return std::nullopt;
    }
    return bytes;
}

std::optional<QByteArray> pictureBytes(QCustomPlot& plot, PictureType type, QSize size,
                                       const QString& title) {
    switch (type) {
    case PictureType::Png:
        return pngBytes(plot, size);
    case PictureType::Svg:
        return svgBytes(plot, size, title);
    case PictureType::Pdf:
        return pdfBytes(plot, size, title);
    }
    return std::nullopt;
}

bool sizeInRange(QSize size) {
    return size.width() >= 1 && size.height() >= 1 && size.width() <= kMaxPictureSide &&
           size.height() <= kMaxPictureSide;
}

} // namespace

std::optional<PictureType> pictureTypeOf(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("png")) {
        return PictureType::Png;
    }
    if (suffix == QLatin1String("svg")) {
        return PictureType::Svg;
    }
    if (suffix == QLatin1String("pdf")) {
        return PictureType::Pdf;
    }
    return std::nullopt;
}

common::Result<> savePicture(QCustomPlot& plot, const QString& path, QSize size) {
    const auto type = pictureTypeOf(path);
    if (!type) {
        return common::Result<>::failure(
            common::fileFailure(path, QStringLiteral("not a picture type (.png, .svg or .pdf)")));
    }
    if (size.isEmpty()) {
        size = plot.size();
    }
    if (!sizeInRange(size)) {
        return common::Result<>::failure(common::fileFailure(
            path, QStringLiteral("a picture of %1 x %2 pixels, not 1 to %3 on each side")
                      .arg(size.width())
                      .arg(size.height())
                      .arg(kMaxPictureSide)));
    }
    const auto bytes = pictureBytes(plot, *type, size, QFileInfo(path).completeBaseName());
    if (!bytes) {
        return common::Result<>::failure(
            common::fileFailure(path, QStringLiteral("the chart could not be drawn at that size")));
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(*bytes) != bytes->size() || !file.commit()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return common::Result<>::failure(common::fileFailure(path, reason));
    }
    return {};
}

} // namespace korvanta::chart::ui
