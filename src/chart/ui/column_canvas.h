#pragma once
// The pixels of the dense series of one replot, set straight into one image and laid over the
// chart once, after the last series of its layer. Through the painter every pixel column of every
// series would be a rectangle and a line of its own, at a cost per column far above the cost of
// its few pixels. Only a raster device drawn at its own scale is served; a series on any other
// device draws itself through the painter.

#include <QImage>
#include <QRect>
#include <qcustomplot.h>
#include <vector>

namespace korvanta::chart::ui {

class ColumnCanvas : public QCPLayerable {
    Q_OBJECT
public:
    // Placed on the plot's current layer, after the layerables already on it.
    explicit ColumnCanvas(QCustomPlot* plot);

    // Whether pixels set here look as the painter would set them: a raster engine, no scaling and
    // no shift of a whole pixel or more, full opacity, plain source-over drawing. The pixels are
    // those of the painter's whole-pixel coordinates.
    static bool serves(const QPainter& painter);

    // Starts a batch over `area` (device pixels), unless one over the same area is open; a batch
    // over another area is laid over the chart first.
    void begin(QPainter* painter, const QRect& area);
    // Sets the pixels from `top` to `bottom` (either order) in column `x`, those outside the area
    // left out.
    void column(int x, int top, int bottom, QRgb color);
    // Sets the pixels of an aliased line from one pixel to the other, both ends included.
    void line(QPoint from, QPoint to, QRgb color);
    // Lays the open batch over the chart and closes it; nothing when none is open.
    void flush(QPainter* painter);

protected:
    void applyDefaultAntialiasingHint(QCPPainter* painter) const override;
    void draw(QCPPainter* painter) override;

private:
    // The pixels are kept column by column, so a column's run of pixels is one stretch of memory;
    // flush() turns them into the rows of the image.
    QRgb* columnStart(int x) {
        return m_columns.data() + static_cast<std::size_t>(x - m_area.left()) *
                                      static_cast<std::size_t>(m_area.height());
    }
    void fillImage();

    std::vector<QRgb> m_columns;
    QImage m_image;
    QRect m_area;
    bool m_open = false;
};

} // namespace korvanta::chart::ui
