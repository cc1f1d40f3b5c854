#include "chart/ui/column_canvas.h"

#include <algorithm>
#include <cstdlib>

namespace korvanta::chart::ui {

ColumnCanvas::ColumnCanvas(QCustomPlot* plot) : QCPLayerable(plot) {}

namespace {

// The chart's painter is shifted by half a pixel, so that thin lines fall on pixel centres; a
// shift below one pixel leaves every whole-pixel rectangle on the pixels of its coordinates.
bool shiftWithinAPixel(double shift) {
    return shift >= 0 && shift < 1;
}

} // namespace

bool ColumnCanvas::serves(const QPainter& painter) {
    const QPaintEngine* engine = painter.paintEngine();
    const QPaintDevice* device = painter.device();
    const QTransform& transform = painter.transform();
    return engine != nullptr && engine->type() == QPaintEngine::Raster && device != nullptr &&
           device->devicePixelRatio() == 1 && transform.type() <= QTransform::TxTranslate &&
           shiftWithinAPixel(transform.dx()) && shiftWithinAPixel(transform.dy()) &&
           painter.opacity() == 1 &&
           painter.compositionMode() == QPainter::CompositionMode_SourceOver;
}

void ColumnCanvas::begin(QPainter* painter, const QRect& area) {
    if (m_open && area == m_area) {
        return;
    }
    flush(painter);
    m_area = area;
    if (m_image.size() != area.size()) {
        m_image = QImage(area.size(), QImage::Format_ARGB32_Premultiplied);
    }
    m_columns.assign(static_cast<std::size_t>(std::max(0, area.width())) *
                         static_cast<std::size_t>(std::max(0, area.height())),
                     0);
    m_open = true;
}

void ColumnCanvas::column(int x, int top, int bottom, QRgb color) {
    if (x < m_area.left() || x > m_area.right()) {
        return;
    }
    const int from = std::max(std::min(top, bottom), m_area.top());
    const int to = std::min(std::max(top, bottom), m_area.bottom());
    if (from <= to) {
        QRgb* start = columnStart(x) + (from - m_area.top());
        std::fill(start, start + (to - from + 1), color);
    }
}

void ColumnCanvas::line(QPoint from, QPoint to, QRgb color) {
    // Bresenham's walk: one pixel per step along the longer direction. The pixels of one column
    // are set together, as one stretch: a join between two pixel columns is nearly upright.
    const int dx = std::abs(to.x() - from.x());
    const int dy = -std::abs(to.y() - from.y());
    const int stepX = from.x() < to.x() ? 1 : -1;
    const int stepY = from.y() < to.y() ? 1 : -1;
    int error = dx + dy;
    int x = from.x();
    int y = from.y();
    int runStart = y;
    while (x != to.x() || y != to.y()) {
        const int twice = 2 * error;
        if (twice >= dy) {
            column(x, runStart, y, color);
            error += dy;
            x += stepX;
            if (twice <= dx) {
                error += dx;
                y += stepY;
            }
            runStart = y;
        } else {
            error += dx;
            y += stepY;
        }
    }
    column(x, runStart, y, color);
}

// Columns into rows, a square of pixels at a time so that both sides stay in the cache.
void ColumnCanvas::fillImage() {
    constexpr int kTile = 32;
    const int width = m_area.width();
    const int height = m_area.height();
    const auto stride = static_cast<std::size_t>(m_image.bytesPerLine()) / sizeof(QRgb);
    auto* rows = reinterpret_cast<QRgb*>(m_image.bits());
    for (int y0 = 0; y0 < height; y0 += kTile) {
        const int y1 = std::min(height, y0 + kTile);
        for (int x0 = 0; x0 < width; x0 += kTile) {
            const int x1 = std::min(width, x0 + kTile);
            for (int x = x0; x < x1; ++x) {
                const QRgb* column = m_columns.data() + static_cast<std::size_t>(x) * height;
                for (int y = y0; y < y1; ++y) {
                    rows[static_cast<std::size_t>(y) * stride + x] = column[y];
                }
            }
        }
    }
}

void ColumnCanvas::flush(QPainter* painter) {
    if (!m_open) {
        return;
    }
    m_open = false;
    fillImage();
    painter->save();
    painter->resetTransform();
    painter->drawImage(m_area.topLeft(), m_image);
    painter->restore();
}

void ColumnCanvas::applyDefaultAntialiasingHint(QCPPainter* painter) const {
    painter->setAntialiasing(false);
}

void ColumnCanvas::draw(QCPPainter* painter) {
    flush(painter);
}

} // namespace korvanta::chart::ui
