#include "chart/ui/chart_cursors.h"

#include "chart/ui/chart_series.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>
#include <cmath>
#include <qcustomplot.h>

namespace korvanta::chart::ui {

namespace {

const QColor kColorA(200, 0, 0);
const QColor kColorB(0, 0, 200);

// The key of a live point is a day number; a series with its own stamps or texts carries its
// times in the labels; any other chart counts points.
PointTimes timesOf(const QCPGraph& graph, int offset) {
    const auto* series = qobject_cast<const ChartSeries*>(&graph);
    if (series == nullptr) {
        return {};
    }
    if (series->labels().sharedStore() == nullptr) {
        return {TimeBasis::DayNumberKeys,
                [series, offset](int i) { return series->data()->at(i + offset)->key; },
                {}};
    }
    return {TimeBasis::Labels, {}, [series, offset](int i) {
                return series->pointLabel(i + offset);
            }};
}

} // namespace

ChartCursors::ChartCursors(QCustomPlot& chart) : QObject(&chart), m_chart(chart) {
    m_markers = {makeMarker(QStringLiteral("A"), kColorA),
                 makeMarker(QStringLiteral("B"), kColorB)};
    m_chart.installEventFilter(this);
    connect(&m_chart, &QCustomPlot::beforeReplot, this, [this] {
        if (m_on) {
            updateLines();
        }
    });
    // Live points arrive with a replot: the readout follows them.
    connect(&m_chart, &QCustomPlot::afterReplot, this, [this] {
        if (m_on) {
            emit changed();
        }
    });
}

ChartCursors::Marker ChartCursors::makeMarker(const QString& text, const QColor& color) {
    Marker m;
    m.line = new QCPItemStraightLine(&m_chart);
    m.line->setPen(QPen(color, 1, Qt::DashLine));
    m.line->setSelectable(false);
    m.line->setVisible(false);
    m.label = new QCPItemText(&m_chart);
    m.label->setText(text);
    m.label->setColor(color);
    m.label->setSelectable(false);
    m.label->setVisible(false);
    m.label->setPositionAlignment(Qt::AlignTop | Qt::AlignLeft);
    m.label->position->setTypeX(QCPItemPosition::ptPlotCoords);
    m.label->position->setTypeY(QCPItemPosition::ptAxisRectRatio);
    return m;
}

void ChartCursors::setOn(bool on) {
    if (on == m_on) {
        return;
    }
    m_on = on;
    m_dragged.reset();
    m_active = Cursor::A;
    for (Marker& m : m_markers) {
        m.index.reset();
    }
    updateLines();
    m_chart.replot(QCustomPlot::rpQueuedReplot);
    emit switched(on);
    emit changed();
}

void ChartCursors::clear() {
    setOn(false);
}

std::optional<int> ChartCursors::index(Cursor cursor) const {
    return marker(cursor).index;
}

QCPItemStraightLine* ChartCursors::line(Cursor cursor) const {
    return marker(cursor).line;
}

QToolButton* ChartCursors::addButton(QToolBar& toolBar, const QString& name) {
    auto* button = new QToolButton(&toolBar);
    button->setObjectName(name);
    button->setText(QStringLiteral("Kursory"));
    button->setToolTip(QStringLiteral("Kursory A/B: pomiar między dwoma punktami"));
    button->setCheckable(true);
    toolBar.addWidget(button);
    connect(button, &QToolButton::toggled, this, &ChartCursors::setOn);
    connect(this, &ChartCursors::switched, button, &QToolButton::setChecked);
    return button;
}

bool ChartCursors::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &m_chart || !m_on) {
        return false;
    }
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        return mousePressed(*static_cast<QMouseEvent*>(event));
    case QEvent::MouseMove:
        return mouseMoved(*static_cast<QMouseEvent*>(event));
    case QEvent::MouseButtonRelease: {
        const bool taken = m_pressTaken;
        m_pressTaken = false;
        m_dragged.reset();
        return taken;
    }
    case QEvent::MouseButtonDblClick:
        return !onLegend(*static_cast<QMouseEvent*>(event));
    // The right button places B, so it opens no menu while the cursors are on.
    case QEvent::ContextMenu:
        return true;
    case QEvent::KeyPress:
        return keyPressed(*static_cast<QKeyEvent*>(event));
    default:
        return false;
    }
}

bool ChartCursors::mousePressed(const QMouseEvent& event) {
    const Qt::MouseButton button = event.button();
    // The legend keeps its own clicks.
    if ((button != Qt::LeftButton && button != Qt::RightButton) || onLegend(event)) {
        return false;
    }
    m_pressTaken = true;
    m_chart.setFocus(Qt::MouseFocusReason);
    const double x = event.position().x();
    const std::optional<Cursor> near = button == Qt::LeftButton ? cursorNear(x) : std::nullopt;
    const Cursor cursor = near.value_or(button == Qt::LeftButton ? Cursor::A : Cursor::B);
    m_dragged = cursor;
    m_active = cursor;
    if (!near) {
        if (const std::optional<int> i = nearestIndex(x)) {
            place(cursor, *i);
        }
    }
    return true;
}

bool ChartCursors::mouseMoved(const QMouseEvent& event) {
    if (!m_dragged) {
        return false;
    }
    if (const std::optional<int> i = nearestIndex(event.position().x());
        i && i != marker(*m_dragged).index) {
        place(*m_dragged, *i);
    }
    return true;
}

bool ChartCursors::keyPressed(const QKeyEvent& event) {
    if (event.key() == Qt::Key_Left || event.key() == Qt::Key_Right) {
        step(event.key() == Qt::Key_Left ? -1 : 1);
        return true;
    }
    return false;
}

bool ChartCursors::onLegend(const QMouseEvent& event) const {
    const QCPLegend* legend = m_chart.legend;
    return legend != nullptr && legend->realVisibility() &&
           legend->outerRect().contains(event.position().toPoint());
}

std::optional<ChartCursors::Cursor> ChartCursors::cursorNear(double pixelX) const {
    const QCPGraph* reference = referenceSeries();
    if (reference == nullptr) {
        return std::nullopt;
    }
    std::optional<Cursor> nearest;
    double best = kGrabPx;
    for (const Cursor c : {Cursor::B, Cursor::A}) {
        const std::optional<int> i = marker(c).index;
        if (!i) {
            continue;
        }
        const int shown = std::min(*i, reference->data()->size() - 1);
        const double x = reference->keyAxis()->coordToPixel(reference->data()->at(shown)->key);
        if (std::abs(x - pixelX) <= best) {
            best = std::abs(x - pixelX);
            nearest = c;
        }
    }
    return nearest;
}

QCPGraph* ChartCursors::referenceSeries() const {
    for (int g = 0; g < m_chart.graphCount(); ++g) {
        QCPGraph* graph = m_chart.graph(g);
        if (graph->visible() && !graph->data()->isEmpty()) {
            return graph;
        }
    }
    return nullptr;
}

std::optional<int> ChartCursors::nearestIndex(double pixelX) const {
    const QCPGraph* reference = referenceSeries();
    if (reference == nullptr) {
        return std::nullopt;
    }
    const auto data = reference->data();
    const double key = reference->keyAxis()->pixelToCoord(pixelX);
    auto it = data->findBegin(key, false);
    if (it == data->constEnd()) {
        --it;
    } else if (it != data->constBegin() && key - (it - 1)->key < it->key - key) {
        --it;
    }
    return static_cast<int>(it - data->constBegin());
}

void ChartCursors::place(Cursor cursor, int index) {
    marker(cursor).index = index;
    m_active = cursor;
    updateLines();
    m_chart.replot(QCustomPlot::rpQueuedReplot);
    emit changed();
}

void ChartCursors::step(int by) {
    const QCPGraph* reference = referenceSeries();
    const std::optional<int> current = marker(m_active).index;
    if (reference == nullptr || !current) {
        return;
    }
    const int last = reference->data()->size() - 1;
    place(m_active, std::clamp(std::min(*current, last) + by, 0, last));
}

void ChartCursors::updateLines() {
    const QCPGraph* reference = referenceSeries();
    for (Marker& m : m_markers) {
        const bool shown = m_on && reference != nullptr && m.index.has_value();
        m.line->setVisible(shown);
        m.label->setVisible(shown);
        if (!shown) {
            continue;
        }
        const int i = std::min(*m.index, reference->data()->size() - 1);
        const double key = reference->data()->at(i)->key;
        for (QCPItemPosition* p : {m.line->point1, m.line->point2, m.label->position}) {
            p->setAxes(reference->keyAxis(), reference->valueAxis());
        }
        m.label->position->setAxisRect(reference->keyAxis()->axisRect());
        m.line->point1->setCoords(key, 0);
        m.line->point2->setCoords(key, 1);
        m.label->position->setCoords(key, 0);
    }
}

std::vector<SeriesSpan> ChartCursors::spans() const {
    std::vector<SeriesSpan> rows;
    const std::optional<int> a = index(Cursor::A);
    const std::optional<int> b = index(Cursor::B);
    if (!m_on || !a || !b) {
        return rows;
    }
    for (int g = 0; g < m_chart.graphCount(); ++g) {
        const QCPGraph* graph = m_chart.graph(g);
        if (graph->visible() && !graph->data()->isEmpty()) {
            rows.push_back(spanOf(*graph, *a, *b));
        }
    }
    return rows;
}

// Only the points between the cursors are read out of the series, so a long live series is
// not copied whole on every replot.
SeriesSpan ChartCursors::spanOf(const QCPGraph& graph, int a, int b) const {
    const auto data = graph.data();
    const int last = data->size() - 1;
    const int ca = std::clamp(a, 0, last);
    const int cb = std::clamp(b, 0, last);
    const int first = std::min(ca, cb);
    std::vector<double> values;
    values.reserve(static_cast<std::size_t>(std::abs(cb - ca) + 1));
    for (auto it = data->constBegin() + first; it != data->constBegin() + std::max(ca, cb) + 1;
         ++it) {
        values.push_back(it->value);
    }
    SpanStatistics s = spanStatistics(values, ca - first, cb - first, timesOf(graph, first));
    s.indexA += first;
    s.indexB += first;
    return {graph.name(), s};
}

} // namespace korvanta::chart::ui
