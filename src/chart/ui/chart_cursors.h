#pragma once
// The A/B cursors of a chart: two vertical lines anchored to point indexes of the chart's first
// visible line series, placed with the mouse (left button A, right button B), dragged, and
// stepped one point at a time with the arrow keys.

#include "chart/cursor_readout_text.h"

#include <QObject>
#include <array>
#include <optional>
#include <vector>

class QColor;
class QCustomPlot;
class QCPGraph;
class QCPItemStraightLine;
class QCPItemText;
class QEvent;
class QKeyEvent;
class QMouseEvent;
class QToolBar;
class QToolButton;

namespace korvanta::chart::ui {

class ChartCursors : public QObject {
    Q_OBJECT
public:
    enum class Cursor { A, B };
    // A press this close to a cursor's line, in pixels, takes that cursor to drag it.
    static constexpr double kGrabPx = 6;

    // The cursors belong to the chart and watch its mouse and key input.
    explicit ChartCursors(QCustomPlot& chart);

    bool isOn() const { return m_on; }
    // Off hides both lines and forgets their points; on starts with none placed.
    void setOn(bool on);
    // The points under the cursors are gone: both forgotten and the cursors switched off.
    void clear();

    std::optional<int> index(Cursor cursor) const;
    Cursor active() const { return m_active; }
    QCPItemStraightLine* line(Cursor cursor) const;
    // The statistics of every visible line series with points; empty until both are placed.
    std::vector<SeriesSpan> spans() const;

    // A checkable "Kursory" button on `toolBar` that switches the cursors and follows them.
    QToolButton* addButton(QToolBar& toolBar, const QString& name);

signals:
    void switched(bool on);
    // The cursors moved or the series under them changed.
    void changed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Marker {
        QCPItemStraightLine* line = nullptr;
        QCPItemText* label = nullptr;
        std::optional<int> index;
    };

    Marker makeMarker(const QString& text, const QColor& color);
    Marker& marker(Cursor cursor) { return m_markers[static_cast<std::size_t>(cursor)]; }
    const Marker& marker(Cursor cursor) const {
        return m_markers[static_cast<std::size_t>(cursor)];
    }
    bool mousePressed(const QMouseEvent& event);
    bool mouseMoved(const QMouseEvent& event);
    bool keyPressed(const QKeyEvent& event);
    bool onLegend(const QMouseEvent& event) const;
    std::optional<Cursor> cursorNear(double pixelX) const;
    QCPGraph* referenceSeries() const;
    std::optional<int> nearestIndex(double pixelX) const;
    void place(Cursor cursor, int index);
    void step(int by);
    void updateLines();
    SeriesSpan spanOf(const QCPGraph& graph, int a, int b) const;

    QCustomPlot& m_chart;
    std::array<Marker, 2> m_markers;
    bool m_on = false;
    bool m_pressTaken = false;
    Cursor m_active = Cursor::A;
    std::optional<Cursor> m_dragged;
};

} // namespace korvanta::chart::ui
