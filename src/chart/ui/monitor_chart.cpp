#include "chart/ui/monitor_chart.h"

#include "chart/column_sampling.h"
#include "chart/dynamic_walk.h"
#include "chart/ui/column_canvas.h"
#include "chart/ui/day_time_ticker.h"
#include "chart/ui/depth_shadows.h"
#include "common/huge_pages.h"

#include <QApplication>
#include <QClipboard>
#include <algorithm>
#include <cmath>
#include <limits>
#include <set>
#include <vector>

namespace korvanta::chart::ui {

namespace {

constexpr int kLegendRows = 16;
constexpr double kBarWidth = 0.8;
const QString kDynamicLabelPattern = QStringLiteral("nn:ss.zzz");

QString defaultTitle(int index) {
    return QStringLiteral("k%1").arg(index + 1);
}

bool isSeriesIndex(int index) {
    return index >= 0 && index < MonitorChart::kSeriesCount;
}

// A file whose columns each hold only their first value: what showFile needs to name, colour and
// show the series.
files::LoadedFile fileOutline(const files::LoadedFile& file) {
    files::LoadedFile outline;
    outline.description = file.description;
    outline.names = file.names;
    for (const files::LoadedColumn& column : file.columns) {
        files::LoadedColumn first;
        if (!column.values.empty()) {
            first.values.push_back(column.values.front());
        }
        outline.columns.push_back(std::move(first));
    }
    return outline;
}

bool holdsNaN(std::span<const float> values) {
    return std::any_of(values.begin(), values.end(), [](float v) { return std::isnan(v); });
}

std::vector<std::size_t> allIndexes(std::size_t count) {
    std::vector<std::size_t> indexes(count);
    for (std::size_t i = 0; i < count; ++i) {
        indexes[i] = i;
    }
    return indexes;
}

// The first, lowest, highest and last point: they set the axes as all the points would.
std::vector<std::size_t> extremeIndexes(std::span<const float> values) {
    std::vector<std::size_t> indexes;
    sampleIndexedColumns(values, KeyToPixel{0, 1.0 / static_cast<double>(values.size() + 1)},
                         indexes);
    return indexes;
}

// The lowest and highest value of a series, NaN left out, in one tight pass: a loaded file gives
// millions of points, and the container's own valueRange tests key ranges and signs point by point.
void includeValues(const QCPGraphDataContainer& data, ValueExtent& extent) {
    double lowest = std::numeric_limits<double>::infinity();
    double highest = -std::numeric_limits<double>::infinity();
    for (auto it = data.constBegin(); it != data.constEnd(); ++it) {
        // Written so that a NaN compares false and leaves both bounds as they are.
        lowest = it->value < lowest ? it->value : lowest;
        highest = it->value > highest ? it->value : highest;
    }
    if (lowest <= highest) {
        extent.include(lowest, highest);
    }
}

// Gives a series exactly `count` points, so the dynamic walk can overwrite them in place and a
// steady table size reuses the same storage tick after tick.
QCPGraphDataContainer::iterator preparePoints(ChartSeries& series, int count) {
    QCPGraphDataContainer& data = *series.data();
    if (data.size() != count) {
        QVector<QCPGraphData> points(count);
        for (int k = 0; k < count; ++k) {
            points[k].key = k;
        }
        data.set(points, true);
    }
    return data.begin();
}

} // namespace

MonitorChart::MonitorChart(QWidget* parent) : QCustomPlot(parent), m_ticker(new DayTimeTicker) {
    setObjectName(QStringLiteral("Chart1"));
    setAutoAddPlottableToLegend(false);
    buildSeries();

    xAxis->setTicker(m_ticker);
    yAxis2->setVisible(true);
    yAxis2->setTickLabels(true);
    connect(yAxis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), yAxis2,
            qOverload<const QCPRange&>(&QCPAxis::setRange));
    applyLimits({-100, 100});

    addLayer(QStringLiteral("depth"), layer(QStringLiteral("main")), QCustomPlot::limBelow);
    m_shadows = new DepthShadows(this, {m_series.begin(), m_series.end()});
    m_shadows->setLayer(QStringLiteral("depth"));

    // The legend gets a column of its own right of the axes, filled top to bottom in columns of
    // kLegendRows entries, listing only the visible series; a filler below keeps it compact.
    axisRect()->insetLayout()->take(legend);
    m_legendColumn = new QCPLayoutGrid;
    m_legendColumn->addElement(0, 0, legend);
    m_legendColumn->addElement(1, 0, new QCPLayoutElement(this));
    m_legendColumn->setRowStretchFactor(0, 0.001);
    legend->setVisible(false);
    legend->setFillOrder(QCPLayoutGrid::foRowsFirst);
    legend->setWrap(kLegendRows);
    legend->setSelectableParts(QCPLegend::spItems);
    connect(this, &QCustomPlot::beforeReplot, this, &MonitorChart::refreshLegendItems);
}

MonitorChart::~MonitorChart() {
    // A hidden legend lies outside the layout; put it back so the layout deletes it.
    if (!m_legendVisible) {
        plotLayout()->addElement(axisRectRow(), 1, m_legendColumn);
    }
}

void MonitorChart::buildSeries() {
    for (int i = 0; i < kSeriesCount; ++i) {
        auto* s = new ChartSeries(xAxis, yAxis);
        s->setObjectName(QStringLiteral("Series%1").arg(i + 1));
        s->setName(defaultTitle(i));
        s->setPen(QPen(Qt::black, 1));
        s->setSelectable(QCP::stSingleData);
        s->setVisible(false);
        m_series[static_cast<std::size_t>(i)] = s;
    }
    // Right after the series on their layer, so their pixels are laid over the chart before the
    // bars and anything else drawn above them.
    auto* canvas = new ColumnCanvas(this);
    for (ChartSeries* s : m_series) {
        s->setCanvas(canvas);
    }
    Series72 = new QCPBars(xAxis, yAxis);
    Series72->setObjectName(QStringLiteral("Series72"));
    Series72->setName(QStringLiteral("Series72"));
    Series72->setWidthType(QCPBars::wtPlotCoords);
    Series72->setWidth(kBarWidth);
    Series72->setPen(QPen(Qt::black));
    Series72->setBrush(QColor(255, 0, 0));
    Series72->setVisible(false);
}

ChartSeries* MonitorChart::series(int index) const {
    return isSeriesIndex(index) ? m_series[static_cast<std::size_t>(index)] : nullptr;
}

int MonitorChart::seriesIndexOf(const QCPAbstractPlottable* plottable) const {
    const auto it = std::find(m_series.begin(), m_series.end(), plottable);
    return it == m_series.end() ? -1 : static_cast<int>(it - m_series.begin());
}

void MonitorChart::clearForNewMeasurement() {
    for (ChartSeries* s : m_series) {
        s->data()->clear();
        s->pointsReplaced();
        s->labels().reset();
        s->setVisible(false);
        s->setState(SeriesState::Normal);
        s->setPenWidth(1);
    }
    emit cleared();
}

void MonitorChart::showFile(files::LoadedFile file, const acquisition::SettingsRecord& settings,
                            FileSeries shown) {
    const std::shared_ptr<const LabelTexts> labels =
        file.labels ? std::move(file.labels) : std::make_shared<const LabelTexts>();
    Series72->data()->clear();
    Series72->setVisible(false);
    const auto columns = static_cast<int>(file.columns.size());
    for (int p = 0; p < kSeriesCount; ++p) {
        ChartSeries* s = m_series[static_cast<std::size_t>(p)];
        s->setVisible(false);
        s->setPenWidth(1);
        files::LoadedColumn* column =
            p < columns ? &file.columns[static_cast<std::size_t>(p)] : nullptr;
        if (column == nullptr || column->values.empty()) {
            // clear() would keep the capacity: an earlier file's points would stay held.
            s->data()->set(QVector<QCPGraphData>());
            s->pointsReplaced();
            s->labels().reset();
            continue;
        }
        // The new points replace the old in one step, so the storage the old ones leave is there
        // for the next series, already mapped.
        fillFromColumn(*s, *column, labels);
        s->setName(file.names[static_cast<std::size_t>(p)]);
        setSeriesColor(p, colorFromRecord(settings.seriesColor(p + 1)));
        s->setVisible(shown == FileSeries::All || settings.addGraph(p + 1));
    }
    setTimeAxis(false);
    rescaleKeyAxis();
    emit cleared();
}

void MonitorChart::showFileForPicture(const files::LoadedFile& file,
                                      const acquisition::SettingsRecord& settings,
                                      const std::vector<int>& columns, QSize size) {
    showFile(fileOutline(file), settings, FileSeries::All);
    const auto count = std::min(file.columns.size(), static_cast<std::size_t>(kSeriesCount));
    std::vector<bool> exact(count);
    for (std::size_t p = 0; p < count; ++p) {
        const std::span<const float> values = file.columns[p].values;
        exact[p] = holdsNaN(values);
        setIndexedPoints(*m_series[p], values,
                         exact[p] ? allIndexes(values.size()) : extremeIndexes(values));
        const bool chosen = columns.empty() || std::find(columns.begin(), columns.end(),
                                                         static_cast<int>(p) + 1) != columns.end();
        m_series[p]->setVisible(m_series[p]->visible() && chosen);
    }
    scaleToData(settings, false);
    rescaleKeyAxis();
    setLegendVisible(true);
    // The pixel columns are those of the picture's layout, which the points above already set.
    setViewport(QRect(QPoint(0, 0), size));
    updateLayout();
    const double origin = xAxis->coordToPixel(0);
    const KeyToPixel toPixel{origin, xAxis->coordToPixel(1) - origin};
    if (!(toPixel.scale > 0) || xAxis->scaleType() != QCPAxis::stLinear) {
        return;
    }
    std::vector<std::size_t> kept;
    for (std::size_t p = 0; p < count; ++p) {
        if (exact[p] || !m_series[p]->visible()) {
            continue;
        }
        kept.clear();
        sampleIndexedColumns(file.columns[p].values, toPixel, kept);
        setIndexedPoints(*m_series[p], file.columns[p].values, kept);
        m_series[p]->setColumnSample(true);
    }
}

void MonitorChart::setIndexedPoints(ChartSeries& series, std::span<const float> values,
                                    const std::vector<std::size_t>& kept) {
    QVector<QCPGraphData> points(static_cast<qsizetype>(kept.size()));
    for (std::size_t i = 0; i < kept.size(); ++i) {
        points[static_cast<qsizetype>(i)] = {static_cast<double>(kept[i]), values[kept[i]]};
    }
    series.data()->set(points, true);
    series.pointsReplaced();
    series.labels().reset();
}

void MonitorChart::fillFromColumn(ChartSeries& series, files::LoadedColumn& column,
                                  const std::shared_ptr<const LabelTexts>& labels) {
    const auto count = static_cast<qsizetype>(column.values.size());
    // The points are laid out by copying one point, inline, into the whole vector, then written
    // in one tight loop; the library's constructors would be a call per point.
    QVector<QCPGraphData> points;
    points.reserve(count);
    common::adviseHugePages(points.constData(),
                            static_cast<std::size_t>(count) * sizeof(QCPGraphData));
    points.resize(count, QCPGraphData());
    QCPGraphData* out = points.data();
    const float* values = column.values.data();
    for (qsizetype i = 0; i < count; ++i) {
        out[i].key = static_cast<double>(i);
        out[i].value = values[i];
    }
    // The container takes the vector over without copying it; the column's values go at once,
    // so a large file is never held twice for long.
    series.data()->set(points, true);
    series.pointsReplaced();
    std::vector<float>().swap(column.values);
    std::shared_ptr<const std::vector<int>> lines;
    if (!column.lines.empty()) {
        lines = std::make_shared<const std::vector<int>>(std::move(column.lines));
    }
    series.labels().setTexts(labels, std::move(lines));
}

void MonitorChart::addLivePoints(const acquisition::SettingsRecord& settings,
                                 std::span<const double, 64> values, double now,
                                 bool visible1Checked) {
    if (settings.barChart()) {
        Series72->data()->clear();
        for (int i = 0; i < kSeriesCount; ++i) {
            if (settings.active(i + 1)) {
                Series72->setVisible(true);
                Series72->addData(i + 1, values[static_cast<std::size_t>(i)]);
            }
        }
        setTimeAxis(false);
    } else {
        Series72->setVisible(false);
        for (int i = 0; i < kSeriesCount; ++i) {
            if (!settings.active(i + 1)) {
                continue;
            }
            ChartSeries* s = m_series[static_cast<std::size_t>(i)];
            s->addPoint(now,
                        settings.chartCoefficient(i + 1) * values[static_cast<std::size_t>(i)]);
            const bool shown = (settings.addGraph(i + 1) && s->state() != SeriesState::Deleted &&
                                !visible1Checked) ||
                               s->state() == SeriesState::Thick;
            s->setVisible(shown);
        }
        setTimeAxis(true);
    }
    rescaleKeyAxis();
}

void MonitorChart::rysowanieD(const acquisition::TickView& view,
                              const acquisition::SettingsRecord& settings,
                              const std::optional<VectorChannel>& vector) {
    std::vector<int> inputs;
    std::vector<ChartSeries*> targets;
    for (int q = 0; q < kSeriesCount; ++q) {
        ChartSeries* s = m_series[static_cast<std::size_t>(q)];
        const int channel = q + 1;
        const bool eligible = settings.active(channel) && settings.addGraph(channel) &&
                              settings.functionIndex(channel) == 0;
        s->setVisible(eligible);
        if (eligible && isRecordInput(settings.inputNumber(channel))) {
            inputs.push_back(settings.inputNumber(channel));
            targets.push_back(s);
        } else {
            s->data()->clear();
            s->pointsReplaced();
            s->labels().reset();
        }
    }
    const int count = std::max(0, view.recordCount() - 1);
    auto stamps = std::make_shared<std::vector<double>>(static_cast<std::size_t>(count));
    std::vector<QCPGraphDataContainer::iterator> cursors;
    cursors.reserve(targets.size());
    for (ChartSeries* s : targets) {
        cursors.push_back(preparePoints(*s, count));
        s->pointsReplaced();
    }
    walkDynamicTable(view, inputs, vector, [&](int s, int point, double stamp, float value) {
        if (s == 0) {
            (*stamps)[static_cast<std::size_t>(point)] = stamp;
        }
        QCPGraphData& d = *(cursors[static_cast<std::size_t>(s)] + point);
        d.key = point;
        d.value = value;
    });
    for (ChartSeries* s : targets) {
        s->labels().setStamps(stamps, kDynamicLabelPattern);
    }
    setTimeAxis(false);
    rescaleKeyAxis();
}

void MonitorChart::scaleToData(const acquisition::SettingsRecord& settings,
                               bool monitoringRunning) {
    ValueExtent extent;
    if (!settings.barChart()) {
        for (int i = 0; i < kSeriesCount; ++i) {
            const ChartSeries* s = m_series[static_cast<std::size_t>(i)];
            if (monitoringRunning ? settings.active(i + 1) : s->visible()) {
                includeValues(*s->data(), extent);
            }
        }
    } else if (Series72->visible()) {
        bool found = false;
        const QCPRange range = Series72->data()->valueRange(found);
        if (found) {
            extent.include(range.lower, range.upper);
        }
    }
    applyLimits(scaledLimits(extent));
}

void MonitorChart::setFixedLimits(double lower, double upper) {
    applyLimits({lower, upper});
}

void MonitorChart::applyLimits(AxisLimits limits) {
    if (!std::isfinite(limits.lower) || !std::isfinite(limits.upper)) {
        return;
    }
    m_limits = limits;
    QCPRange shown(std::min(limits.lower, limits.upper), std::max(limits.lower, limits.upper));
    if (!QCPRange::validRange(shown)) {
        shown = QCPRange(shown.lower - 1, shown.lower + 1);
    }
    if (QCPRange::validRange(shown)) {
        yAxis->setRange(shown);
        yAxis2->setRange(shown);
    }
}

void MonitorChart::rescaleKeyAxis() {
    xAxis->rescale(true);
    // The axis runs from the start position to the right edge (100 %), so the left edge of the
    // chart shows the key that far along it. A start at or past the right edge is not drawn.
    const double start = m_bottomAxisStart;
    if (start != 0 && start < 100) {
        const QCPRange fitted = xAxis->range();
        xAxis->setRange(fitted.lower - fitted.size() * start / (100 - start), fitted.upper);
    }
}

void MonitorChart::setBottomAxisStart(double percent) {
    m_bottomAxisStart = percent;
    rescaleKeyAxis();
}

void MonitorChart::setTimeAxis(bool dayTimes) {
    m_ticker->setDayTimes(dayTimes);
}

SeriesState MonitorChart::seriesState(int index) const {
    return isSeriesIndex(index) ? series(index)->state() : SeriesState::Normal;
}

void MonitorChart::setSeriesState(int index, SeriesState state) {
    if (isSeriesIndex(index)) {
        series(index)->setState(state);
    }
}

int MonitorChart::penWidth(int index) const {
    return isSeriesIndex(index) ? series(index)->penWidth() : 0;
}

void MonitorChart::setPenWidth(int index, int width) {
    if (isSeriesIndex(index)) {
        series(index)->setPenWidth(width);
    }
}

void MonitorChart::setLineWidth(int width) {
    for (ChartSeries* s : m_series) {
        s->setPenWidth(width);
    }
}

bool MonitorChart::seriesVisible(int index) const {
    return isSeriesIndex(index) && series(index)->visible();
}

void MonitorChart::setSeriesVisible(int index, bool on) {
    if (isSeriesIndex(index)) {
        series(index)->setVisible(on);
    }
}

QColor MonitorChart::seriesColor(int index) const {
    return isSeriesIndex(index) ? series(index)->pen().color() : QColor();
}

void MonitorChart::setSeriesColor(int index, const QColor& color) {
    if (!isSeriesIndex(index)) {
        return;
    }
    QPen pen = series(index)->pen();
    pen.setColor(color);
    series(index)->setPen(pen);
}

void MonitorChart::applySeriesColors(const acquisition::SettingsRecord& settings) {
    for (int i = 0; i < kSeriesCount; ++i) {
        setSeriesColor(i, colorFromRecord(settings.seriesColor(i + 1)));
    }
}

QColor MonitorChart::colorFromRecord(std::uint32_t value) {
    return QColor(static_cast<int>(value & 0xFFu), static_cast<int>((value >> 8) & 0xFFu),
                  static_cast<int>((value >> 16) & 0xFFu));
}

std::uint32_t MonitorChart::colorToRecord(const QColor& color) {
    return static_cast<std::uint32_t>(color.red()) |
           (static_cast<std::uint32_t>(color.green()) << 8) |
           (static_cast<std::uint32_t>(color.blue()) << 16);
}

void MonitorChart::resetForStart(acquisition::SettingsRecord& settings) {
    for (int i = 0; i < kSeriesCount; ++i) {
        settings.setChartCoefficient(i + 1, 1);
        setSeriesState(i, SeriesState::Normal);
        setSeriesTitle(i, settings.channelName(i + 1));
    }
}

void MonitorChart::setSeriesTitle(int index, const QString& title) {
    if (isSeriesIndex(index)) {
        series(index)->setName(title.isEmpty() ? defaultTitle(index) : title);
    }
}

QString MonitorChart::seriesTitle(int index) const {
    return isSeriesIndex(index) ? series(index)->name() : QString();
}

void MonitorChart::setSubtitle(const QString& text) {
    if (m_subtitle == nullptr) {
        plotLayout()->insertRow(0);
        m_subtitle = new QCPTextElement(this, text);
        m_subtitle->setObjectName(QStringLiteral("Chart1Subtitle"));
        plotLayout()->addElement(0, 0, m_subtitle);
    }
    m_subtitle->setText(text);
    m_subtitle->setVisible(true);
}

QString MonitorChart::subtitle() const {
    return m_subtitle != nullptr ? m_subtitle->text() : QString();
}

void MonitorChart::setAxisTitles(const QString& left, const QString& right) {
    yAxis->setLabel(left);
    yAxis2->setLabel(right);
}

void MonitorChart::setLegendVisible(bool on) {
    if (on == m_legendVisible) {
        return;
    }
    m_legendVisible = on;
    legend->setVisible(on);
    if (on) {
        plotLayout()->addElement(axisRectRow(), 1, m_legendColumn);
        plotLayout()->setColumnStretchFactor(1, 0.001);
        m_legendListed.fill(false);
        legend->clearItems();
        refreshLegendItems();
    } else {
        plotLayout()->take(m_legendColumn);
        plotLayout()->simplify();
    }
}

void MonitorChart::refreshLegendItems() {
    if (!m_legendVisible) {
        return;
    }
    std::array<bool, kSeriesCount> shown{};
    for (int i = 0; i < kSeriesCount; ++i) {
        shown[static_cast<std::size_t>(i)] = m_series[static_cast<std::size_t>(i)]->visible();
    }
    if (shown == m_legendListed && legend->itemCount() > 0) {
        return;
    }
    legend->clearItems();
    for (int i = 0; i < kSeriesCount; ++i) {
        if (shown[static_cast<std::size_t>(i)]) {
            m_series[static_cast<std::size_t>(i)]->addToLegend(legend);
        }
    }
    m_legendListed = shown;
}

bool MonitorChart::marksVisible(int index) const {
    return isSeriesIndex(index) && series(index)->marksVisible();
}

void MonitorChart::setMarksVisible(int index, bool on) {
    if (isSeriesIndex(index)) {
        series(index)->setMarksVisible(on);
    }
}

void MonitorChart::setAllMarksVisible(bool on) {
    for (ChartSeries* s : m_series) {
        s->setMarksVisible(on);
    }
}

void MonitorChart::toggleAllMarks() {
    for (ChartSeries* s : m_series) {
        s->setMarksVisible(!s->marksVisible());
    }
}

void MonitorChart::setDepthView(bool on) {
    m_depthView = on;
    for (int i = 0; i < kSeriesCount; ++i) {
        // Series further back in the list lie deeper, a few pixels per step.
        series(i)->setDepthOffset(on ? 3 + 2 * (i % 4) : 0);
    }
}

void MonitorChart::copyToClipboard() {
    QApplication::clipboard()->setPixmap(toPixmap());
}

QString MonitorChart::pointLabel(int series, int index) const {
    return isSeriesIndex(series) ? this->series(series)->pointLabel(index) : QString();
}

std::size_t MonitorChart::pointCount() const {
    std::size_t count = 0;
    for (const ChartSeries* s : m_series) {
        count += static_cast<std::size_t>(s->data()->size());
    }
    return count;
}

std::size_t MonitorChart::pointStorageBytes() const {
    std::size_t bytes = 0;
    std::set<const void*> stores;
    for (const ChartSeries* s : m_series) {
        bytes += static_cast<std::size_t>(s->data()->size()) * sizeof(QCPGraphData);
        bytes += s->summaryBytes();
        const PointLabels& labels = s->labels();
        if (labels.sharedStore() != nullptr && stores.insert(labels.sharedStore()).second) {
            bytes += labels.sharedBytes();
        }
        if (labels.indexStore() != nullptr && stores.insert(labels.indexStore()).second) {
            bytes += labels.indexBytes();
        }
    }
    return bytes;
}

} // namespace korvanta::chart::ui
