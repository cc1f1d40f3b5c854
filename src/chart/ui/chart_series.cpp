#include "chart/ui/chart_series.h"

#include "chart/ui/column_canvas.h"
#include "common/number_format.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace korvanta::chart::ui {

namespace {

// The shadow is the series' colour pulled towards a dark grey, so even a black series shows one.
QColor shadowColor(const QColor& color) {
    constexpr int kGrey = 70;
    return QColor((color.red() + 2 * kGrey) / 3, (color.green() + 2 * kGrey) / 3,
                  (color.blue() + 2 * kGrey) / 3);
}

// The key and value fields of the points, which the container keeps in one array.
StridedValues keysOf(const QCPGraphDataContainer& data) {
    return {&data.constBegin()->key, sizeof(QCPGraphData) / sizeof(double)};
}

StridedValues valuesOf(const QCPGraphDataContainer& data) {
    return {&data.constBegin()->value, sizeof(QCPGraphData) / sizeof(double)};
}

// The pixel holding a coordinate. A coordinate far outside any picture (a huge value, an
// infinity) is held at a distance no picture reaches, where it is clipped like any other and a
// line to it stays a short walk.
int pixelOf(double coordinate) {
    constexpr double kFar = 1 << 16;
    const double held = std::clamp(coordinate, -kFar, kFar);
    const auto whole = static_cast<int>(held);
    return whole - (held < whole ? 1 : 0);
}

} // namespace

ChartSeries::ChartSeries(QCPAxis* keyAxis, QCPAxis* valueAxis) : QCPGraph(keyAxis, valueAxis) {}

int ChartSeries::penWidth() const {
    return std::max(1, pen().width());
}

void ChartSeries::setPenWidth(int width) {
    QPen p = pen();
    p.setWidth(std::max(1, width));
    setPen(p);
}

QString ChartSeries::pointLabel(int index) const {
    if (index < 0 || index >= data()->size()) {
        return {};
    }
    return m_labels.label(index, data()->at(index)->key);
}

void ChartSeries::addPoint(double key, double value) {
    if (!data()->isEmpty() && key < (data()->constEnd() - 1)->key) {
        pointsReplaced();
    }
    addData(key, value);
}

void ChartSeries::drawGraph(QCPPainter* painter) {
    if (drawnOnCanvas(painter)) {
        return;
    }
    // The pixels of the series before this one go first, so the order of the series holds.
    if (m_canvas != nullptr) {
        m_canvas->flush(painter);
    }
    // A dense series is a band of pixel columns, which antialiasing would only blur, at a high
    // price; drawn point by point or from its summary, it is drawn the same way.
    const bool smooth = antialiased();
    setAntialiased(smooth && !denseInView());
    QCPGraph::draw(painter);
    setAntialiased(smooth);
    m_columnLines = false;
}

void ChartSeries::draw(QCPPainter* painter) {
    drawGraph(painter);
    if (m_marksVisible) {
        if (m_canvas != nullptr) {
            m_canvas->flush(painter);
        }
        drawValueMarks(painter);
    }
}

bool ChartSeries::dense(const QCPGraphDataContainer::const_iterator& begin,
                        const QCPGraphDataContainer::const_iterator& end) const {
    const QCPAxis* keys = keyAxis();
    if (keys == nullptr || end - begin < 2) {
        return false;
    }
    if (m_columnSample) {
        return true;
    }
    // As the library decides: two points or more per pixel on average.
    const double span =
        std::abs(keys->coordToPixel(begin->key) - keys->coordToPixel((end - 1)->key));
    return static_cast<double>(end - begin) >= 2 * span + 2;
}

bool ChartSeries::denseInView() const {
    QCPGraphDataContainer::const_iterator begin;
    QCPGraphDataContainer::const_iterator end;
    getVisibleDataBounds(begin, end, data()->dataRange());
    return dense(begin, end);
}

bool ChartSeries::columnsDrawable(const QCPGraphDataContainer::const_iterator& begin,
                                  const QCPGraphDataContainer::const_iterator& end) const {
    const QCPAxis* keys = keyAxis();
    return adaptiveSampling() && dense(begin, end) && keys->scaleType() == QCPAxis::stLinear &&
           keys->pixelOrientation() > 0 && keys->orientation() == Qt::Horizontal;
}

bool ChartSeries::summaryDrawable(const QCPGraphDataContainer::const_iterator& begin,
                                  const QCPGraphDataContainer::const_iterator& end) const {
    if (!columnsDrawable(begin, end)) {
        return false;
    }
    m_summary.extend(valuesOf(*data()), static_cast<std::size_t>(data()->size()));
    // A NaN breaks the line, which only the library's own point walk draws.
    return !m_summary.holdsNaN();
}

// Points drawn for the first time are read point by point: the dynamic drawing replaces all of
// them every tick, and a summary built for one drawing would cost more than it saves. Points drawn
// again are drawn from the summary, extended as points are appended.
bool ChartSeries::columnRuns(const QCPGraphDataContainer::const_iterator& begin,
                             const QCPGraphDataContainer::const_iterator& end, KeyToPixel toPixel) {
    const auto first = static_cast<std::size_t>(begin - data()->constBegin());
    const auto stop = static_cast<std::size_t>(end - data()->constBegin());
    m_runs.clear();
    if (!m_drawnBefore) {
        m_drawnBefore = true;
        // A NaN breaks the line, which only the library's own point walk draws.
        return columnsDrawable(begin, end) &&
               scanColumnRuns(keysOf(*data()), valuesOf(*data()), first, stop, toPixel, m_runs);
    }
    if (!summaryDrawable(begin, end)) {
        return false;
    }
    sampleColumnRuns(keysOf(*data()), valuesOf(*data()), m_summary, first, stop, toPixel, m_runs);
    return true;
}

bool ChartSeries::thinOpaqueLine() const {
    return lineStyle() == lsLine && scatterStyle().isNone() && brush().style() == Qt::NoBrush &&
           pen().widthF() <= 1 && pen().style() == Qt::SolidLine && pen().color().alpha() == 255 &&
           !selected();
}

// A dense series of thin solid lines on a raster device: each pixel column from its lowest to its
// highest point and the join from one column's last point to the next column's first, set as the
// painter would set them without antialiasing.
bool ChartSeries::drawnOnCanvas(QCPPainter* painter) {
    const QCPAxis* keys = keyAxis();
    const QCPAxis* values = valueAxis();
    if (m_canvas == nullptr || !ColumnCanvas::serves(*painter) || keys == nullptr ||
        values == nullptr || !thinOpaqueLine() || values->scaleType() != QCPAxis::stLinear ||
        values->orientation() != Qt::Vertical) {
        return false;
    }
    QCPGraphDataContainer::const_iterator begin;
    QCPGraphDataContainer::const_iterator end;
    getVisibleDataBounds(begin, end, data()->dataRange());
    const double keyOrigin = keys->coordToPixel(0);
    const KeyToPixel toPixel{keyOrigin, keys->coordToPixel(1) - keyOrigin};
    if (begin == end || !columnRuns(begin, end, toPixel)) {
        return false;
    }
    const double valueOrigin = values->coordToPixel(0);
    const double valueScale = values->coordToPixel(1) - valueOrigin;
    const auto x = [&](double key) {
        return pixelOf(toPixel.offset + key * toPixel.scale);
    };
    const auto y = [&](double value) {
        return pixelOf(valueOrigin + value * valueScale);
    };
    m_canvas->begin(painter, painter->hasClipping() ? painter->clipBoundingRect().toAlignedRect()
                                                    : clipRect());
    const QRgb color = pen().color().rgba();
    QPoint previous;
    bool joined = false;
    for (const ColumnRun& run : m_runs) {
        const int column = x(run.firstKey);
        const QPoint first(column, y(run.firstValue));
        if (joined) {
            m_canvas->line(previous, first, color);
        }
        m_canvas->column(column, y(run.lowestValue), y(run.highestValue), color);
        previous = QPoint(x(run.lastKey), y(run.lastValue));
        joined = true;
    }
    return true;
}

void ChartSeries::getOptimizedLineData(QVector<QCPGraphData>* lineData,
                                       const QCPGraphDataContainer::const_iterator& begin,
                                       const QCPGraphDataContainer::const_iterator& end) const {
    m_columnLines = lineData != nullptr && begin != end && summaryDrawable(begin, end);
    if (!m_columnLines) {
        QCPGraph::getOptimizedLineData(lineData, begin, end);
        return;
    }
    const QCPAxis* keys = keyAxis();
    const double origin = keys->coordToPixel(0);
    const KeyToPixel toPixel{origin, keys->coordToPixel(1) - origin};
    const auto first = static_cast<std::size_t>(begin - data()->constBegin());
    const auto stop = static_cast<std::size_t>(end - data()->constBegin());
    m_sampled.clear();
    sampleColumns(keysOf(*data()), valuesOf(*data()), m_summary, first, stop, toPixel, m_sampled);
    lineData->clear();
    lineData->reserve(static_cast<qsizetype>(m_sampled.size()));
    const QCPGraphDataContainer::const_iterator points = data()->constBegin();
    for (const std::size_t index : m_sampled) {
        lineData->append(*(points + static_cast<qsizetype>(index)));
    }
}

void ChartSeries::drawLinePlot(QCPPainter* painter, const QVector<QPointF>& lines) const {
    if (m_columnLines && lineStyle() == lsLine) {
        drawColumns(painter, lines);
    } else {
        QCPGraph::drawLinePlot(painter, lines);
    }
}

// Each pixel column is filled from its lowest to its highest point, and the lines from one
// column's last point to the next column's first are drawn as they are: the pixels a line through
// all the points would set.
void ChartSeries::drawColumns(QCPPainter* painter, const QVector<QPointF>& lines) const {
    applyDefaultAntialiasingHint(painter);
    const int width = std::max(1, pen().width());
    const int widen = (width - 1) / 2;
    const qsizetype count = lines.size();
    m_columns.clear();
    m_joins.clear();
    qsizetype i = 0;
    while (i < count) {
        const double column = std::floor(lines[i].x());
        double top = lines[i].y();
        double bottom = top;
        qsizetype next = i + 1;
        while (next < count && std::floor(lines[next].x()) == column) {
            top = std::min(top, lines[next].y());
            bottom = std::max(bottom, lines[next].y());
            ++next;
        }
        if (next < count) {
            m_joins.append(QLineF(lines[next - 1], lines[next]));
        }
        const int y = pixelOf(top) - widen;
        const int height = pixelOf(bottom) + widen - y + 1;
        m_columns.append(QRect(pixelOf(column) - widen, y, width, height));
        i = next;
    }
    painter->setPen(Qt::NoPen);
    painter->setBrush(pen().color());
    painter->drawRects(m_columns.constData(), static_cast<int>(m_columns.size()));
    painter->setPen(pen());
    painter->setBrush(Qt::NoBrush);
    painter->drawLines(m_joins.constData(), static_cast<int>(m_joins.size()));
}

void ChartSeries::drawDepthShadow(QCPPainter* painter) {
    const QPen own = pen();
    QPen shadow = own;
    shadow.setColor(shadowColor(own.color()));
    shadow.setWidth(own.width() + 1);
    setPen(shadow);
    painter->save();
    painter->translate(m_depthOffset, -m_depthOffset);
    drawGraph(painter);
    painter->restore();
    setPen(own);
}

void ChartSeries::drawValueMarks(QCPPainter* painter) const {
    QCPAxis* keys = keyAxis();
    QCPAxis* values = valueAxis();
    if (keys == nullptr || values == nullptr || data()->isEmpty()) {
        return;
    }
    const QCPRange visible = keys->range();
    auto it = data()->findBegin(visible.lower, false);
    const auto end = data()->findEnd(visible.upper, false);
    painter->save();
    painter->setPen(QPen(pen().color()));
    painter->setBrush(Qt::NoBrush);
    QFont font = painter->font();
    font.setPointSize(7);
    painter->setFont(font);
    const QFontMetrics metrics(font);
    while (it != end) {
        const double x = keys->coordToPixel(it->key);
        const double y = values->coordToPixel(it->value);
        const QString text = common::formatFloat(QStringLiteral("##0.0###"), it->value);
        const QRectF box(x - 1, y - metrics.height() - 3, metrics.horizontalAdvance(text) + 4,
                         metrics.height() + 2);
        painter->fillRect(box, QColor(255, 255, 225));
        painter->drawRect(box);
        painter->drawText(box, Qt::AlignCenter, text);
        // Jump to the first point at least one mark spacing further right.
        const double nextKey = keys->pixelToCoord(x + kMarkSpacingPx);
        auto next = data()->findBegin(nextKey, false);
        it = next > it ? next : it + 1;
    }
    painter->restore();
}

} // namespace korvanta::chart::ui
