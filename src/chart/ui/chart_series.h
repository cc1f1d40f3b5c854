#pragma once
// One line series of the monitoring chart: a graph with its highlight state, value marks, depth
// offset of the 3D view and its point labels. A long series is drawn from a min/max summary of its
// points, at the cost of the chart's width rather than of its number of points: where it holds
// two points or more per pixel column it is drawn column by column, without antialiasing.

#include "chart/column_sampling.h"
#include "chart/min_max_pyramid.h"
#include "chart/point_labels.h"
#include "chart/series_state.h"

#include <qcustomplot.h>

namespace korvanta::chart::ui {

class ColumnCanvas;

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

    // Where a dense series sets its pixels when the device allows it; none draws through the
    // painter.
    void setCanvas(ColumnCanvas* canvas) { m_canvas = canvas; }

    // The series drawn once more, offset by depthOffset() and in a darker tone; the depth layer
    // calls it for every series before any series is drawn.
    void drawDepthShadow(QCPPainter* painter);

    PointLabels& labels() { return m_labels; }
    const PointLabels& labels() const { return m_labels; }
    QString pointLabel(int index) const;

    // Adds one point. The points stay sorted by key, so one before the last (a clock set back)
    // is sorted in, and the summary is built again.
    void addPoint(double key, double value);
    // Must follow any change to the points other than appending: the summary of the earlier
    // points is built again at the next drawing.
    void pointsReplaced() {
        m_summary.clear();
        m_columnSample = false;
        m_drawnBefore = false;
    }
    // Set after pointsReplaced() when the points are the first, lowest, highest and last of each
    // pixel column of a denser series: they are drawn as that series would be, column by column.
    void setColumnSample(bool on) { m_columnSample = on; }
    std::size_t summaryBytes() const { return m_summary.bytes(); }

protected:
    void draw(QCPPainter* painter) override;
    void getOptimizedLineData(QVector<QCPGraphData>* lineData,
                              const QCPGraphDataContainer::const_iterator& begin,
                              const QCPGraphDataContainer::const_iterator& end) const override;
    void drawLinePlot(QCPPainter* painter, const QVector<QPointF>& lines) const override;

private:
    void drawGraph(QCPPainter* painter);
    void drawValueMarks(QCPPainter* painter) const;
    bool dense(const QCPGraphDataContainer::const_iterator& begin,
               const QCPGraphDataContainer::const_iterator& end) const;
    bool denseInView() const;
    // Dense, on a linear key axis that rises to the right: drawable column by column.
    bool columnsDrawable(const QCPGraphDataContainer::const_iterator& begin,
                         const QCPGraphDataContainer::const_iterator& end) const;
    bool summaryDrawable(const QCPGraphDataContainer::const_iterator& begin,
                         const QCPGraphDataContainer::const_iterator& end) const;
    // The visible points' column runs into m_runs; false when they must be drawn point by point.
    bool columnRuns(const QCPGraphDataContainer::const_iterator& begin,
                    const QCPGraphDataContainer::const_iterator& end, KeyToPixel toPixel);
    void drawColumns(QCPPainter* painter, const QVector<QPointF>& lines) const;
    // An unselected line of a solid, opaque pen one pixel wide, without marks or fill.
    bool thinOpaqueLine() const;
    bool drawnOnCanvas(QCPPainter* painter);

    SeriesState m_state = SeriesState::Normal;
    bool m_marksVisible = false;
    int m_depthOffset = 0;
    bool m_columnSample = false;
    // Set at the first drawing from the canvas after the points were replaced.
    bool m_drawnBefore = false;
    PointLabels m_labels;
    // Extended as points are appended, when the series is drawn.
    mutable MinMaxPyramid m_summary;
    mutable std::vector<std::size_t> m_sampled;
    // Set while the line being drawn is the summary's: its points come column by column.
    mutable bool m_columnLines = false;
    mutable QVector<QRect> m_columns;
    mutable QVector<QLineF> m_joins;
    ColumnCanvas* m_canvas = nullptr;
    std::vector<ColumnRun> m_runs;
};

} // namespace korvanta::chart::ui
