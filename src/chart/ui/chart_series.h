#pragma once
// One line series of the monitoring chart: a graph with its highlight state, value marks, depth
// offset of the 3D view and its point labels.

#include "chart/point_labels.h"
#include "chart/series_state.h"

#include <qcustomplot.h>

namespace korvanta::chart::ui {

class ChartSeries : public QCPGraph {
    Q_OBJECT
public:
    // Marks are thinned so that two of them are at least this far apart.
    static constexpr double kMarkSpacingPx = 40;

    ChartSeries(QCPAxis* keyAxis, QCPAxis* valueAxis);

    SeriesState state() const { return m_state; }
    void setState(SeriesState state) { m_state = state; }
    int penWidth() const;
    void setPenWidth(int width);
    bool marksVisible() const { return m_marksVisible; }
    void setMarksVisible(bool on) { m_marksVisible = on; }
    // 0 draws no shadow; otherwise the shadow is drawn this many pixels right and up.
    int depthOffset() const { return m_depthOffset; }
    void setDepthOffset(int pixels) { m_depthOffset = pixels; }

    // The series drawn once more, offset by depthOffset() and in a darker tone; the depth layer
    // calls it for every series before any series is drawn.
    void drawDepthShadow(QCPPainter* painter);

    PointLabels& labels() { return m_labels; }
    const PointLabels& labels() const { return m_labels; }
    QString pointLabel(int index) const;

protected:
    void draw(QCPPainter* painter) override;

private:
    void drawValueMarks(QCPPainter* painter) const;

    SeriesState m_state = SeriesState::Normal;
    bool m_marksVisible = false;
    int m_depthOffset = 0;
    PointLabels m_labels;
};

} // namespace korvanta::chart::ui
