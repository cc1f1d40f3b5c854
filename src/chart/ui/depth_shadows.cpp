#include "chart/ui/depth_shadows.h"

#include "chart/ui/chart_series.h"

namespace korvanta::chart::ui {

DepthShadows::DepthShadows(QCustomPlot* plot, std::vector<ChartSeries*> series)
    : QCPLayerable(plot), m_series(std::move(series)) {}

void DepthShadows::applyDefaultAntialiasingHint(QCPPainter* painter) const {
    applyAntialiasingHint(painter, mAntialiased, QCP::aePlottables);
}

QRect DepthShadows::clipRect() const {
    return mParentPlot->axisRect() != nullptr ? mParentPlot->axisRect()->rect()
                                              : QCPLayerable::clipRect();
}

void DepthShadows::draw(QCPPainter* painter) {
    for (ChartSeries* s : m_series) {
        if (s->realVisibility() && s->depthOffset() > 0) {
            s->drawDepthShadow(painter);
        }
    }
}

} // namespace korvanta::chart::ui
