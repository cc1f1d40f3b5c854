#pragma once
// The 3D view of the monitoring chart: every visible series drawn once more, offset and in a
// darker tone, on a layer behind all the series.

#include <qcustomplot.h>
#include <vector>

namespace korvanta::chart::ui {

class ChartSeries;

class DepthShadows : public QCPLayerable {
    Q_OBJECT
public:
    DepthShadows(QCustomPlot* plot, std::vector<ChartSeries*> series);

protected:
    void applyDefaultAntialiasingHint(QCPPainter* painter) const override;
    QRect clipRect() const override;
    void draw(QCPPainter* painter) override;

private:
    std::vector<ChartSeries*> m_series;
};

} // namespace korvanta::chart::ui
