#include "chart/ui/chart_series.h"

#include "common/number_format.h"

#include <algorithm>
#include <limits>

namespace korvanta::chart::ui {

namespace {

// The shadow is the series' colour pulled towards a dark grey, so even a black series shows one.
QColor shadowColor(const QColor& color) {
    constexpr int kGrey = 70;
    return QColor((color.red() + 2 * kGrey) / 3, (color.green() + 2 * kGrey) / 3,
                  (color.blue() + 2 * kGrey) / 3);
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

void ChartSeries::draw(QCPPainter* painter) {
    QCPGraph::draw(painter);
    if (m_marksVisible) {
        drawValueMarks(painter);
    }
}

void ChartSeries::drawDepthShadow(QCPPainter* painter) {
    const QPen own = pen();
    QPen shadow = own;
    shadow.setColor(shadowColor(own.color()));
    shadow.setWidth(own.width() + 1);
    setPen(shadow);
    painter->save();
    painter->translate(m_depthOffset, -m_depthOffset);
    QCPGraph::draw(painter);
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
