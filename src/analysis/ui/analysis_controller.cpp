#include "analysis/ui/analysis_controller.h"

#include "analysis/analysis_scaling.h"
#include "analysis/analysis_text_export.h"
#include "analysis/analysis_texts.h"
#include "analysis/frequency_range.h"
#include "analysis/frequency_tools.h"
#include "analysis/histogram.h"
#include "analysis/inverse_transform.h"
#include "analysis/series_tools.h"
#include "analysis/time_window.h"
#include "analysis/ui/analysis_page.h"
#include "analysis/ui/tform7.h"
#include "analysis/ui/tform8.h"
#include "chart/ui/chart_cursors.h"
#include "chart/ui/chart_panel.h"
#include "chart/ui/monitor_chart.h"
#include "chart/ui/picture_saving.h"
#include "common/local_directory.h"
#include "common/number_format.h"
#include "common/text_file.h"
#include "common/ui/labeled_edit.h"
#include "common/ui/up_down.h"
#include "common/ui/view_lines.h"
#include "files/ui/chart_printing.h"
#include "files/ui/file_browser_panel.h"
#include "files/ui/report_panel.h"
#include "platform/handler_guard.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <cmath>
#include <qcustomplot.h>

namespace korvanta::analysis::ui {
namespace {

using common::localDirectory;
using common::ui::viewLines;

const QColor kGreen(0, 128, 0);
const QColor kBlue(0, 0, 255);
const QColor kRed(255, 0, 0);
const QString kTextFileName = QStringLiteral("txtFile.txt");
const QString kErrorCaption = QStringLiteral("ERROR");
// The caption of the plain messages, as the toolkit's ShowMessage titles them.
const QString kMessageCaption = QStringLiteral("Korvanta");

QCPGraph* makeGraph(QCustomPlot& chart, const QString& name, const QString& title,
                    const QColor& color) {
    auto* graph = chart.addGraph();
    graph->setObjectName(name);
    graph->setName(title);
    graph->setPen(QPen(color));
    graph->setVisible(false);
    return graph;
}

// The chart adds points at X = 0, 1, 2 ...
void setValues(QCPGraph& graph, const std::vector<double>& values) {
    QVector<QCPGraphData> points(static_cast<qsizetype>(values.size()));
    for (std::size_t i = 0; i < values.size(); ++i) {
        points[static_cast<qsizetype>(i)] = QCPGraphData(static_cast<double>(i), values[i]);
    }
    graph.data()->set(points, true);
}

std::vector<double> valuesOf(const QCPGraph& graph) {
    std::vector<double> values;
    values.reserve(static_cast<std::size_t>(graph.data()->size()));
    for (auto it = graph.data()->constBegin(); it != graph.data()->constEnd(); ++it) {
        values.push_back(it->value);
    }
    return values;
}

std::optional<double> boundOf(const QLineEdit& edit) {
    if (edit.text().isEmpty()) {
        return std::nullopt;
    }
    return common::parseDouble(edit.text());
}

// The indices of the points of `graph` inside the shown part of its bottom axis.
VisibleRange keyRange(const QCPGraph& graph) {
    const QCPRange shown = graph.keyAxis()->range();
    const auto data = graph.data();
    const auto first = data->findBegin(shown.lower, false) - data->constBegin();
    const auto end = data->findEnd(shown.upper, false) - data->constBegin();
    if (end <= first) {
        return {1, 0};
    }
    return {static_cast<std::size_t>(first), static_cast<std::size_t>(end - 1)};
}

} // namespace

AnalysisController::AnalysisController(acquisition::SettingsRecord& settings,
                                       const platform::Services& services, AnalysisPages pages,
                                       AnalysisSources sources, QObject* parent)
    : QObject(parent), m_settings(settings), m_services(services), m_pages(pages),
      m_sources(std::move(sources)), m_fft(services.messages),
      m_refreshChartTimer(new QTimer(this)), m_fftTimer(new QTimer(this)),
      m_amplitudeTimer(new QTimer(this)), m_form7(std::make_unique<TForm7>()),
      m_form8(std::make_unique<TForm8>()) {
    m_refreshChartTimer->setObjectName(QStringLiteral("refreshChartTimer"));
    m_fftTimer->setObjectName(QStringLiteral("refreshFftTimer"));
    m_amplitudeTimer->setObjectName(QStringLiteral("refreshAmplitudeTimer"));
    buildSeries();
    buildMenus();
    connectControls();
    connectMonitorMenu();
}

AnalysisController::~AnalysisController() = default;

template <typename T> T* AnalysisController::control(const char* name) const {
    return m_pages.page.findChild<T*>(QLatin1String(name));
}

void AnalysisController::guard(const std::function<void()>& handler) {
    platform::runGuarded(*m_services.messages, handler);
}

void AnalysisController::error(const QString& text) {
    m_services.messages->show(text, kErrorCaption);
}

// ---------------------------------------------------------------------------------------------
// Building

void AnalysisController::buildSeries() {
    QCustomPlot& chart2 = *m_pages.page.chart2();
    Series68 = makeGraph(chart2, QStringLiteral("Series68"), QStringLiteral("Data"), kGreen);
    Series69 =
        makeGraph(chart2, QStringLiteral("Series69"), QStringLiteral("Data with window"), kGreen);
    Series70 =
        makeGraph(chart2, QStringLiteral("Series70"), QStringLiteral("Real part (IFFT)"), kBlue);
    Series71 =
        makeGraph(chart2, QStringLiteral("Series71"), QStringLiteral("Imag part (IFFT)"), kRed);
    QCustomPlot& chart3 = *m_pages.page.chart3();
    Series67 = makeGraph(chart3, QStringLiteral("Series67"), QStringLiteral("XY"), Qt::black);
    Series65 = makeGraph(chart3, QStringLiteral("Series65"), QStringLiteral("Imag"), kRed);
    Series66 = makeGraph(chart3, QStringLiteral("Series66"), QStringLiteral("Real"), kBlue);
    Series74 = makeGraph(chart3, QStringLiteral("Series74"), QString(), kGreen);
    Series74->setBrush(QColor(0, 128, 0, 60));
    QCustomPlot& chart4 = *m_pages.page.chart4();
    Series75 = new QCPBars(chart4.xAxis, chart4.yAxis);
    Series75->setObjectName(QStringLiteral("Series75"));
    Series75->setPen(QPen(kRed));
    Series75->setBrush(kRed);
    Series75->setVisible(false);
    for (QCustomPlot* chart : {&chart2, &chart3, &chart4}) {
        chart->yAxis2->setVisible(true);
    }
}

void AnalysisController::buildMenus() {
    QCustomPlot& chart2 = *m_pages.page.chart2();
    m_chart2Menu = new QMenu(&chart2);
    const std::array<std::pair<const char*, const char*>, 5> windows{{
        {"Hanningwindow1", "Hanning window"},
        {"Hammingwindow1", "Hamming window"},
        {"riangularwindow1", "Triangular window"},
        {"Flattopwindow1", "Flat top window"},
        {"Undowindow1", "Undo window"},
    }};
    for (std::size_t i = 0; i < windows.size(); ++i) {
        QAction* action = m_chart2Menu->addAction(QString::fromUtf8(windows[i].second));
        action->setObjectName(QLatin1String(windows[i].first));
        const int window = static_cast<int>(i);
        connect(action, &QAction::triggered, this, [this, window] {
            guard([this, window] { window < 4 ? applyWindow(window) : undoWindow(); });
        });
    }
    QAction* envelope = m_chart2Menu->addAction(QStringLiteral("obwiednia"));
    envelope->setObjectName(QStringLiteral("obwiednia1"));
    connect(envelope, &QAction::triggered, this, [this] { guard([this] { envelopeClick(); }); });
    chart2.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&chart2, &QWidget::customContextMenuRequested, this,
            [this, &chart2](const QPoint& at) { m_chart2Menu->popup(chart2.mapToGlobal(at)); });

    QCustomPlot& chart3 = *m_pages.page.chart3();
    m_chart3Menu = new QMenu(&chart3);
    Rectangularwindow1 = m_chart3Menu->addAction(QStringLiteral("Rectangular window"));
    Rectangularwindow1->setObjectName(QStringLiteral("Rectangularwindow1"));
    connect(Rectangularwindow1, &QAction::triggered, m_form7.get(), &QWidget::show);
    m_chart3Menu->addAction(QStringLiteral("Undo window"))
        ->setObjectName(QStringLiteral("Undowindow2"));
    chart3.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&chart3, &QWidget::customContextMenuRequested, this, [this, &chart3](const QPoint& at) {
        // While the band cut is on, the right button chooses the band's upper end.
        if (!control<QCheckBox>("CheckBox12")->isChecked()) {
            m_chart3Menu->popup(chart3.mapToGlobal(at));
        }
    });
}

void AnalysisController::connectControls() {
    const auto onClick = [this](const char* name, void (AnalysisController::*handler)()) {
        connect(control<QAbstractButton>(name), &QAbstractButton::clicked, this,
                [this, handler] { guard([this, handler] { (this->*handler)(); }); });
    };
    onClick("ToolButton31", &AnalysisController::ToolButton31Click);
    onClick("ToolButton42", &AnalysisController::ToolButton42Click);
    onClick("Button9", &AnalysisController::Button9Click);
    onClick("Button6", &AnalysisController::Button6Click);
    onClick("Button8", &AnalysisController::Button8Click);
    onClick("SpeedButton2", &AnalysisController::zeroClick);
    onClick("ToolButton39", &AnalysisController::scaleChart2);
    onClick("ToolButton40", &AnalysisController::scaleChart3);
    onClick("ToolButton48", &AnalysisController::scaleChart4);
    connect(control<QToolButton>("ToolButton62"), &QToolButton::clicked, this,
            [this] { guard([this] { integrate(1); }); });
    connect(control<QToolButton>("ToolButton63"), &QToolButton::clicked, this,
            [this] { guard([this] { integrate(2); }); });
    connect(control<QToolButton>("ToolButton36"), &QToolButton::clicked, this,
            [this] { pointsPerPage(false); });
    connect(control<QToolButton>("ToolButton38"), &QToolButton::clicked, this,
            [this] { pointsPerPage(true); });
    const auto onSave = [this](QAbstractButton* button,
                               QStringList (AnalysisController::*lines)() const) {
        connect(button, &QAbstractButton::clicked, this,
                [this, lines] { guard([this, lines] { saveText((this->*lines)()); }); });
    };
    onSave(control<QToolButton>("ToolButton43"), &AnalysisController::spectrumLines);
    onSave(control<QToolButton>("ToolButton34"), &AnalysisController::dataLines);
    onSave(control<QToolButton>("ToolButton59"), &AnalysisController::histogramLines);
    onSave(m_pages.report.findChild<QToolButton*>(QStringLiteral("ToolButton61")),
           &AnalysisController::reportLines);
    const std::array<std::pair<const char*, QCustomPlot*>, 3> prints{{
        {"ToolButton54", m_pages.page.chart2()},
        {"ToolButton56", m_pages.page.chart3()},
        {"ToolButton58", m_pages.page.chart4()},
    }};
    const std::array<std::pair<const char*, QCustomPlot*>, 3> copies{{
        {"ToolButton46", m_pages.page.chart2()},
        {"ToolButton47", m_pages.page.chart3()},
        {"ToolButton50", m_pages.page.chart4()},
    }};
    for (const auto& [name, chart] : copies) {
        connect(control<QToolButton>(name), &QToolButton::clicked, this,
                [chart] { QApplication::clipboard()->setPixmap(chart->toPixmap()); });
    }
    const std::array<std::pair<const char*, QCustomPlot*>, 3> pictures{{
        {"PictureButton2", m_pages.page.chart2()},
        {"PictureButton3", m_pages.page.chart3()},
        {"PictureButton4", m_pages.page.chart4()},
    }};
    for (const auto& [name, chart] : pictures) {
        chart::ui::attachPictureMenu(*control<QToolButton>(name), [this, chart](QSize size) {
            chart::ui::savePictureWithDialog(*chart, size, m_settings.dataDirectory(),
                                             *m_services.dialogs, *m_services.messages);
        });
    }
    for (const auto& [name, chart] : prints) {
        connect(control<QToolButton>(name), &QToolButton::clicked, this, [this, chart] {
            files::ui::printChartWithDialog(*chart, *m_services.dialogs, *m_services.messages);
        });
    }

    connect(control<common::ui::UpDown>("UpDown23"), &common::ui::UpDown::clicked, this,
            [this](int channel) { guard([this, channel] { UpDown23Click(channel); }); });
    connect(control<common::ui::UpDown>("UpDown25"), &common::ui::UpDown::clicked, this,
            [this](int position) {
                control<QLineEdit>("Edit41")->setText(QString::number(std::int64_t{1} << position));
            });
    connect(control<QLineEdit>("Edit41"), &QLineEdit::textChanged, this,
            [this](const QString& text) { m_fft.setRequestedSize(text.toInt()); });
    connect(control<QCheckBox>("CheckBox15"), &QCheckBox::toggled, this, [this](bool area) {
        Series67->setBrush(area ? QBrush(QColor(0, 0, 0, 60)) : QBrush(Qt::NoBrush));
        m_pages.page.chart3()->replot();
    });
    connect(control<QCheckBox>("CheckBox5"), &QCheckBox::clicked, this,
            [this](bool checked) { guard([this, checked] { CheckBox5Click(checked); }); });
    connect(control<QCheckBox>("CheckBox2"), &QCheckBox::clicked, this,
            [this](bool checked) { guard([this, checked] { CheckBox2Click(checked); }); });
    connect(control<QCheckBox>("CheckBox12"), &QCheckBox::toggled, this,
            [this](bool checked) { guard([this, checked] { CheckBox12Click(checked); }); });
    connect(m_refreshChartTimer, &QTimer::timeout, this,
            [this] { guard([this] { refreshChartTick(); }); });
    connect(m_fftTimer, &QTimer::timeout, this, [this] { guard([this] { forward(); }); });
    connect(m_amplitudeTimer, &QTimer::timeout, this, [this] {
        if (m_amplitudeTimer->interval() != m_fftTimer->interval()) {
            m_amplitudeTimer->setInterval(m_fftTimer->interval());
        }
        guard([this] { Button9Click(); });
    });
    connect(m_pages.page.chart3(), &QCustomPlot::plottableClick, this,
            &AnalysisController::chart3Clicked);
    connect(m_pages.page.chart2(), &QCustomPlot::legendClick, this,
            [this](QCPLegend*, QCPAbstractLegendItem* item, QMouseEvent*) {
                // The legend's entries switch their series on and off.
                if (auto* entry = qobject_cast<QCPPlottableLegendItem*>(item)) {
                    entry->plottable()->setVisible(!entry->plottable()->visible());
                    m_pages.page.chart2()->replot();
                }
            });
    connect(m_pages.page.chart2(), &QCustomPlot::beforeReplot, this, [this] {
        // A switched-off series stays in the legend, greyed, so it can be switched on again.
        QCustomPlot& chart2 = *m_pages.page.chart2();
        for (int i = 0; i < chart2.graphCount(); ++i) {
            if (auto* entry = chart2.legend->itemWithPlottable(chart2.graph(i))) {
                entry->setTextColor(chart2.graph(i)->visible() ? Qt::black : Qt::gray);
            }
        }
    });
    connect(m_form7->bitBtn1(), &QPushButton::clicked, this,
            [this] { guard([this] { rangeChosen(); }); });
    connect(m_form8->bitBtn1(), &QPushButton::clicked, this,
            [this] { guard([this] { calibrate(); }); });
    connect(&m_pages.pageControl, &QTabWidget::currentChanged, this,
            &AnalysisController::showPages);
}

void AnalysisController::connectMonitorMenu() {
    auto* move = m_pages.monitor.findChild<QAction*>(QStringLiteral("Movetoanalysis1"));
    auto* calibration = m_pages.monitor.findChild<QAction*>(QStringLiteral("Calibration1"));
    connect(move, &QAction::triggered, this, [this] { guard([this] { Movetoanalysis1Click(); }); });
    connect(calibration, &QAction::triggered, m_form8.get(), &QWidget::show);
}

void AnalysisController::setMoveToAnalysisVisible(bool visible) {
    m_pages.monitor.findChild<QAction*>(QStringLiteral("Movetoanalysis1"))->setVisible(visible);
}

// ---------------------------------------------------------------------------------------------
// Series and charts

void AnalysisController::drawData() {
    setValues(*Series68, m_data.values);
    m_pages.page.chart2()->replot();
}

void AnalysisController::drawUndoStore() {
    setValues(*Series69, m_undoStore.values);
    m_pages.page.chart2()->replot();
}

void AnalysisController::drawInverse() {
    setValues(*Series70, m_inverseReal);
    setValues(*Series71, m_inverseImag);
    m_pages.page.chart2()->replot();
}

// The caller replots, once for everything it changed: the spectrum can be long.
void AnalysisController::drawSpectrum() {
    std::vector<double> magnitude;
    std::vector<double> imaginary;
    std::vector<double> real;
    for (const SpectrumPoint& p : m_spectrum) {
        magnitude.push_back(p.magnitude);
        imaginary.push_back(p.imaginary);
        real.push_back(p.real);
    }
    setValues(*Series67, magnitude);
    setValues(*Series65, imaginary);
    setValues(*Series66, real);
}

void AnalysisController::drawBand() {
    setValues(*Series74, m_band);
    m_pages.page.chart3()->replot();
}

void AnalysisController::drawHistogram() {
    QVector<double> keys;
    QVector<double> heights;
    auto ticker = QSharedPointer<QCPAxisTickerText>::create();
    for (std::size_t k = 0; k < m_barHeights.size(); ++k) {
        keys << static_cast<double>(k);
        heights << m_barHeights[k];
        ticker->addTick(static_cast<double>(k), m_barLabels[static_cast<qsizetype>(k)]);
    }
    Series75->setData(keys, heights, true);
    QCustomPlot& chart4 = *m_pages.page.chart4();
    chart4.xAxis->setTicker(ticker);
    chart4.xAxis->setRange(-0.5, std::max<double>(0.5, static_cast<double>(keys.size()) - 0.5));
    chart4.replot();
}

void AnalysisController::undoZoom(QCustomPlot& chart, std::size_t count) {
    chart.xAxis->setRange(0, std::max<double>(1, static_cast<double>(count) - 1));
}

// New data for analysis: the windows' store and the inverse go, and with them the spectrum
// when the data are moved in from the monitoring chart.
void AnalysisController::clearAnalysis(bool spectrumToo) {
    m_pages.page.cursors2()->clear();
    m_undoStore.clear();
    m_inverseReal.clear();
    m_inverseImag.clear();
    for (QCPGraph* graph : {Series69, Series70, Series71}) {
        graph->setVisible(false);
    }
    drawUndoStore();
    drawInverse();
    if (spectrumToo) {
        m_spectrum.clear();
        for (QCPGraph* graph : {Series65, Series66, Series67}) {
            graph->setVisible(false);
        }
        drawSpectrum();
        m_pages.page.chart3()->replot();
    }
    undoZoom(*m_pages.page.chart2(), m_data.values.size());
}

std::vector<double> AnalysisController::visibleData() const {
    const VisibleRange range = keyRange(*Series68);
    if (range.empty()) {
        return {};
    }
    return {m_data.values.begin() + static_cast<std::ptrdiff_t>(range.first),
            m_data.values.begin() + static_cast<std::ptrdiff_t>(range.last) + 1};
}

std::vector<SpectrumPoint> AnalysisController::visibleSpectrum() const {
    const VisibleRange range = keyRange(*Series67);
    if (range.empty() || m_spectrum.empty()) {
        return {};
    }
    return {m_spectrum.begin() + static_cast<std::ptrdiff_t>(range.first),
            m_spectrum.begin() + static_cast<std::ptrdiff_t>(range.last) + 1};
}

namespace {

// "Scaling": both value axes fitted to the switched-on plottables; without values they stay.
void scaleValueAxes(QCustomPlot& chart, const std::vector<std::vector<double>>& shown) {
    std::vector<std::span<const double>> spans(shown.begin(), shown.end());
    const auto range = analysisScaling(spans);
    if (!range) {
        return;
    }
    chart.yAxis2->setRangeLower(-999999999);
    chart.yAxis2->setRange(range->minimum, range->maximum);
    chart.yAxis->setRange(range->minimum, range->maximum);
    chart.replot();
}

} // namespace

void AnalysisController::scaleChart2() {
    std::vector<std::vector<double>> shown;
    for (QCPGraph* graph : {Series68, Series69, Series70, Series71}) {
        if (graph->visible()) {
            shown.push_back(valuesOf(*graph));
        }
    }
    scaleValueAxes(*m_pages.page.chart2(), shown);
}

void AnalysisController::scaleChart3() {
    std::vector<std::vector<double>> shown;
    for (QCPGraph* graph : {Series65, Series66, Series67}) {
        if (graph->visible()) {
            shown.push_back(valuesOf(*graph));
        }
    }
    scaleValueAxes(*m_pages.page.chart3(), shown);
}

void AnalysisController::scaleChart4() {
    std::vector<std::vector<double>> shown;
    if (Series75->visible()) {
        shown.push_back(m_barHeights);
    }
    scaleValueAxes(*m_pages.page.chart4(), shown);
}

void AnalysisController::appendReport(const QStringList& lines) {
    for (const QString& line : lines) {
        m_pages.report.memo3()->appendPlainText(line);
    }
}

void AnalysisController::showPages(int index) {
    // "Pomiary" shows the file browser; any other tab the report panel, and the periodic
    // reloads and spectra stop.
    const bool measurements = index == 0;
    if (measurements) {
        for (const char* name : {"CheckBox5", "CheckBox2"}) {
            control<QCheckBox>(name)->setChecked(false);
        }
        m_refreshChartTimer->stop();
        stopFftTimers();
    }
    m_pages.files.setVisible(measurements);
    m_pages.report.setVisible(!measurements);
}

// ---------------------------------------------------------------------------------------------
// Spectrum

void AnalysisController::ToolButton31Click() {
    forward();
}

bool AnalysisController::forward() {
    if (!Series68->visible()) {
        error(noDataText());
        return false;
    }
    const QString rate = control<QLineEdit>("Edit39")->text();
    if (m_pages.monitor.chart()->holdsFile() && rate == QLatin1String("0")) {
        m_services.messages->show(setSamplingRateText(), kMessageCaption);
    }
    // Without a rate nothing is taken, and the spectrum drawn last stays; while monitoring the
    // live plotting fills the rate in, so no message is shown then.
    if (!rateTextAboveZero(rate)) {
        return false;
    }
    SpectrumParameters parameters;
    parameters.samplingRate = common::parseDouble(rate);
    parameters.showFrequencies = control<QCheckBox>("CheckBox7")->isChecked();
    if (parameters.showFrequencies) {
        parameters.from = boundOf(*control<QLineEdit>("Edit40"));
        parameters.to = boundOf(*control<QLineEdit>("Edit44"));
    }
    auto* paddingEdit = control<QLineEdit>("Edit41");
    parameters.zeroPadding = control<QCheckBox>("CheckBox8")->isChecked();
    if (parameters.zeroPadding) {
        parameters.paddingSize = common::parseInt(paddingEdit->text());
    }
    auto spectrum = forwardSpectrum(m_fft, visibleData(), parameters);
    if (!spectrum) {
        error(spectrum.reason());
        return false;
    }
    Spectrum& s = spectrum.value();
    if (s.paddedSize != 0 && static_cast<int>(s.paddedSize) != parameters.paddingSize) {
        // A typed size that is not a power of two is used rounded up; the edit shows which.
        paddingEdit->setText(QString::number(s.paddedSize));
    }
    m_spectrum = std::move(s.points);
    undoZoom(*m_pages.page.chart3(), m_spectrum.size());
    for (QCPGraph* graph : {Series65, Series66, Series67}) {
        graph->setVisible(true);
    }
    m_pages.page.chart3()->legend->setVisible(false);
    drawSpectrum();
    control<QLabel>("Label50")->setText(s.peak.amplitudeText);
    control<QLabel>("Label52")->setText(s.peak.frequencyText);
    appendReport(s.reportLines);
    if (s.axisMaximum > 0) {
        for (QCPAxis* axis : {m_pages.page.chart3()->yAxis, m_pages.page.chart3()->yAxis2}) {
            axis->setRange(0, s.axisMaximum);
        }
    }
    m_pages.page.chart3()->replot();
    return true;
}

void AnalysisController::ToolButton42Click() {
    const std::vector<SpectrumPoint> band = visibleSpectrum();
    if (m_data.values.size() < 2 || band.empty()) {
        error(noDataText());
        return;
    }
    undoZoom(*m_pages.page.chart3(), m_spectrum.size());
    auto signal = inverseTransform(m_fft, band, m_data.values.size());
    if (!signal) {
        error(signal.reason());
        return;
    }
    m_inverseReal = std::move(signal.value().real);
    m_inverseImag = std::move(signal.value().imaginary);
    Series70->setVisible(true);
    Series71->setVisible(true);
    Series68->setPen(QPen(Qt::black));
    drawInverse();
    m_pages.page.chart3()->replot();
}

void AnalysisController::Button9Click() {
    const RangePeak peak = peakInRange(visibleSpectrum());
    control<QLabel>("Label50")->setText(peak.amplitudeText);
    control<QLabel>("Label52")->setText(peak.frequencyText);
    appendReport(peak.reportLines);
}

void AnalysisController::integrate(int times) {
    if (!forward()) {
        return;
    }
    analysis::integrate(m_spectrum);
    drawSpectrum();
    scaleChart3();
    if (times > 1) {
        analysis::integrate(m_spectrum);
        drawSpectrum();
    }
    m_pages.page.chart3()->replot();
}

void AnalysisController::pointsPerPage(bool doubled) {
    if (doubled) {
        m_pointsPerPage *= 2;
    } else if (m_pointsPerPage > 1) {
        m_pointsPerPage /= 2;
    }
    QCPAxis& axis = *m_pages.page.chart3()->xAxis;
    axis.setRange(axis.range().lower, axis.range().lower + m_pointsPerPage - 1);
    m_pages.page.chart3()->replot();
}

void AnalysisController::rangeChosen() {
    const QString rate = control<QLineEdit>("Edit39")->text();
    const double fs = rateTextAboveZero(rate) ? common::parseDouble(rate) : 0.0;
    const std::uint32_t firstBin = m_spectrum.empty() ? 1 : m_spectrum.front().bin;
    const auto axis = frequencyRangeAxis(boundOf(*m_form7->edit1()), boundOf(*m_form7->edit2()), fs,
                                         m_fft.halfSize(), firstBin);
    if (!axis) {
        m_services.messages->show(axis.reason(), kMessageCaption);
        return;
    }
    m_pages.page.chart3()->xAxis->setRange(axis.value().minimum, axis.value().maximum);
    m_pages.page.chart3()->replot();
    m_form7->hide();
}

// ---------------------------------------------------------------------------------------------
// The analysed signal

std::optional<int> AnalysisController::shownSampleCount() const {
    bool ok = false;
    const int n = control<QLabel>("Label54")->text().trimmed().toInt(&ok);
    return ok ? std::optional<int>(n) : std::nullopt;
}

QString AnalysisController::channelLabel(int channel) const {
    return m_pages.monitor.chart()->holdsFile() ? m_pages.monitor.chart()->seriesTitle(channel - 1)
                                                : m_settings.channelName(channel);
}

void AnalysisController::UpDown23Click(int channel) {
    Series68->setVisible(true);
    Series68->setPen(QPen(kGreen));
    m_data.clear();
    drawData();
    const std::optional<int> n = shownSampleCount();
    m_channel = channel;
    chart::ui::MonitorChart& monitor = *m_pages.monitor.chart();
    if (!monitor.seriesVisible(channel - 1)) {
        m_services.messages->show(QStringLiteral("Kanał jest nieaktywny"), kMessageCaption);
        return;
    }
    const chart::ui::ChartSeries& source = *monitor.series(channel - 1);
    const int count = source.data()->size();
    // Without a sample count shown every point of the series is taken.
    const int last = n ? std::min(*n, count - 1) : count - 1;
    for (int i = 0; i <= last; ++i) {
        m_data.values.push_back(source.data()->at(i)->value);
        m_data.labels << source.pointLabel(i);
    }
    clearAnalysis(false);
    drawData();
    scaleChart2();
    control<QCheckBox>("CheckBox12")->setChecked(false);
    RaportFFT();
    control<common::ui::LabeledEdit>("LabeledEdit17")->setText(channelLabel(channel));
}

void AnalysisController::Movetoanalysis1Click() {
    chart::ui::MonitorChart& monitor = *m_pages.monitor.chart();
    const int index = m_pages.monitor.legendSeriesIndex();
    if (!monitor.seriesVisible(index)) {
        m_services.messages->show(QStringLiteral("Brak serii do analizy"), QStringLiteral("Error"));
        return;
    }
    Series68->setVisible(true);
    Series68->setPen(QPen(kGreen));
    m_data.clear();
    const chart::ui::ChartSeries& source = *monitor.series(index);
    const VisibleRange range = keyRange(source);
    for (std::size_t i = range.first; !range.empty() && i <= range.last; ++i) {
        m_data.values.push_back(source.data()->at(static_cast<int>(i))->value);
        m_data.labels << source.pointLabel(static_cast<int>(i));
    }
    clearAnalysis(true);
    drawData();
    m_pages.pageControl.setTabVisible(m_pages.pageControl.indexOf(&m_pages.page), true);
    m_pages.pageControl.setCurrentWidget(&m_pages.page);
    control<QLabel>("Label54")->setText(range.empty() ? QStringLiteral("0")
                                                      : QString::number(range.last - range.first));
    control<QCheckBox>("CheckBox12")->setChecked(false);
    showPages(m_pages.pageControl.currentIndex());
    scaleChart2();
    m_channel = index + 1;
    control<common::ui::UpDown>("UpDown23")->setPosition(m_channel);
    control<common::ui::LabeledEdit>("LabeledEdit17")->setText(channelLabel(m_channel));
    RaportFFT();
}

void AnalysisController::zeroClick() {
    const std::optional<int> n = shownSampleCount();
    const std::size_t count =
        n ? std::min<std::size_t>(static_cast<std::size_t>(std::max(*n, 0)) + 1,
                                  m_data.values.size())
          : m_data.values.size();
    removeMean(std::span<double>(m_data.values.data(), count));
    drawData();
    scaleChart2();
}

void AnalysisController::applyWindow(int window) {
    const VisibleRange range = keyRange(*Series68);
    const std::vector<double> before =
        analysis::applyWindow(static_cast<TimeWindow>(window), m_data.values, range);
    for (std::size_t k = 0; k < before.size(); ++k) {
        m_undoStore.values.push_back(before[k]);
        m_undoStore.labels << m_data.labels.value(static_cast<qsizetype>(range.first + k));
    }
    Series69->setVisible(true);
    drawUndoStore();
    drawData();
}

void AnalysisController::undoWindow() {
    analysis::undoWindow(m_data.values, keyRange(*Series68), m_undoStore.values);
    m_undoStore.clear();
    drawUndoStore();
    drawData();
}

void AnalysisController::envelopeClick() {
    const int window = common::parseInt(control<common::ui::LabeledEdit>("LabeledEdit20")->text());
    const VisibleRange range = keyRange(*Series68);
    auto rms = envelope(visibleData(), window);
    if (!rms) {
        m_services.messages->show(rms.reason(), kMessageCaption);
        return;
    }
    std::copy(rms.value().begin(), rms.value().end(),
              m_data.values.begin() + static_cast<std::ptrdiff_t>(range.first));
    const auto removedFrom = static_cast<qsizetype>(range.first + rms.value().size());
    const auto removed = static_cast<qsizetype>(window);
    m_data.values.erase(m_data.values.begin() + removedFrom,
                        m_data.values.begin() + removedFrom + removed);
    m_data.labels.remove(std::min(removedFrom, m_data.labels.size()),
                         std::clamp<qsizetype>(m_data.labels.size() - removedFrom, 0, removed));
    drawData();
}

void AnalysisController::CheckBox5Click(bool checked) {
    if (!checked) {
        m_refreshChartTimer->stop();
        return;
    }
    if (const auto period = refreshPeriod("LabeledEdit15", "CheckBox5")) {
        m_refreshChartTimer->start(*period);
    }
}

std::optional<int> AnalysisController::refreshPeriod(const char* edit, const char* checkBox) {
    // The box stays unchecked unless a usable period is read, also when the text is not a
    // number; a period below 1 ms would run the timer without a pause.
    auto* box = control<QCheckBox>(checkBox);
    box->setChecked(false);
    const QString text = control<common::ui::LabeledEdit>(edit)->text();
    const int period = text.isEmpty() ? 0 : common::parseInt(text);
    if (period < 1) {
        m_services.messages->show(QStringLiteral("Ustaw częstość odświeżania"), kMessageCaption);
        return std::nullopt;
    }
    box->setChecked(true);
    return period;
}

void AnalysisController::refreshChartTick() {
    if (!control<QCheckBox>("CheckBox5")->isChecked()) {
        m_refreshChartTimer->stop();
        return;
    }
    if (!Series68->visible()) {
        control<QCheckBox>("CheckBox5")->setChecked(false);
        m_refreshChartTimer->stop();
        m_services.messages->show(QStringLiteral("Ustaw serię do analizy"), kMessageCaption);
        return;
    }
    const chart::ui::ChartSeries* source = m_pages.monitor.chart()->series(m_channel - 1);
    const int count = source->data()->size();
    const std::optional<int> records = m_sources.recordCount();
    // Points 0..R-2 of the channel's series; without the acquisition program, all of them.
    const int taken = records ? std::clamp(*records - 1, 0, count) : count;
    m_data.clear();
    for (int i = 0; i < taken; ++i) {
        m_data.values.push_back(static_cast<float>(source->data()->at(i)->value));
        m_data.labels << source->pointLabel(i);
    }
    Series68->setPen(QPen(kGreen));
    if (control<QToolButton>("SpeedButton2")->isChecked()) {
        zeroClick();
    }
    drawData();
    scaleChart2();
}

void AnalysisController::CheckBox2Click(bool checked) {
    stopFftTimers();
    if (!checked) {
        return;
    }
    const auto period = refreshPeriod("LabeledEdit5", "CheckBox2");
    if (!period) {
        return;
    }
    m_fftTimer->start(*period);
    // The peak follows the spectrum: its first tick comes 200 ms after the spectrum's.
    m_amplitudeTimer->start(*period + 200);
}

void AnalysisController::stopFftTimers() {
    m_fftTimer->stop();
    m_amplitudeTimer->stop();
}

// ---------------------------------------------------------------------------------------------
// Band cut

void AnalysisController::CheckBox12Click(bool checked) {
    auto* panel = control<QFrame>("Panel25");
    if (!checked) {
        Series74->setVisible(false);
        Rectangularwindow1->setVisible(true);
        panel->hide();
        m_pages.page.chart3()->replot();
        return;
    }
    if (!Series67->visible()) {
        error(noDataText());
        const QSignalBlocker blocker(control<QCheckBox>("CheckBox12"));
        control<QCheckBox>("CheckBox12")->setChecked(false);
        panel->hide();
        return;
    }
    panel->show();
    const std::vector<SpectrumPoint> visible = visibleSpectrum();
    const double height = bandMarkerHeight(m_spectrum);
    m_band.assign(m_spectrum.size(), 0.0);
    const VisibleRange range = keyRange(*Series67);
    for (std::size_t i = 0; i < visible.size(); ++i) {
        m_band[range.first + i] = height;
    }
    Series74->setVisible(true);
    drawBand();
}

void AnalysisController::chart3Clicked(QCPAbstractPlottable* plottable, int index,
                                       QMouseEvent* event) {
    if (!control<QCheckBox>("CheckBox12")->isChecked() || plottable == nullptr || index < 0 ||
        static_cast<std::size_t>(index) >= m_spectrum.size()) {
        return;
    }
    const QString label = m_spectrum[static_cast<std::size_t>(index)].label;
    if (event->button() == Qt::LeftButton) {
        m_f1 = index;
        control<QLineEdit>("Edit42")->setText(label);
    } else if (event->button() == Qt::RightButton) {
        m_f2 = index;
        control<QLineEdit>("Edit43")->setText(label);
    } else {
        return;
    }
    Rectangularwindow1->setVisible(false);
}

void AnalysisController::Button8Click() {
    const auto [first, end] = cutBand(m_spectrum, m_f1, m_f2);
    for (std::size_t p = first; p < end && p < m_band.size(); ++p) {
        m_band[p] = 0;
    }
    drawSpectrum();
    drawBand();
}

// ---------------------------------------------------------------------------------------------
// Histogram, calibration

void AnalysisController::Button6Click() {
    const int bins = common::parseInt(control<common::ui::LabeledEdit>("LabeledEdit16")->text());
    auto result = histogram(m_data.values, visibleData(), bins);
    if (!result) {
        m_services.messages->show(result.reason(), kMessageCaption);
        return;
    }
    Series75->setVisible(true);
    m_barLabels.clear();
    m_barHeights.clear();
    for (const HistogramBar& bar : result.value().bars) {
        m_barLabels << bar.label;
        m_barHeights.push_back(bar.count);
    }
    control<QLabel>("Label62")->setText(result.value().widthText);
    drawHistogram();
    scaleChart4();
}

void AnalysisController::calibrate() {
    const double factor = common::parseDouble(m_form8->labeledEdit1()->text());
    chart::ui::MonitorChart& monitor = *m_pages.monitor.chart();
    chart::ui::ChartSeries* series = monitor.series(m_pages.monitor.legendSeriesIndex());
    if (series != nullptr) {
        const VisibleRange range = keyRange(*series);
        for (std::size_t i = range.first; !range.empty() && i <= range.last; ++i) {
            auto point = series->data()->begin() + static_cast<int>(i);
            point->value *= factor;
        }
        monitor.replot();
    }
    m_form8->hide();
}

// ---------------------------------------------------------------------------------------------
// Text files and the report

void AnalysisController::saveText(const QStringList& lines) {
    platform::FileDialogRequest request;
    request.initialDirectory = localDirectory(m_settings.dataDirectory());
    request.fileName = kTextFileName;
    const auto chosen = m_services.dialogs->saveFile(request);
    if (!chosen) {
        return;
    }
    m_settings.setDataDirectory(QFileInfo(*chosen).absolutePath() + QLatin1Char('/'));
    common::setDecimalSeparator(QLatin1Char('.'));
    const auto written = common::writeLines(*chosen, lines);
    if (!written) {
        m_services.messages->showError(written.reason());
    }
    m_pages.files.refresh();
}

QStringList AnalysisController::spectrumLines() const {
    const VisibleRange range = keyRange(*Series67);
    const std::span<const SpectrumPoint> shown =
        range.empty()
            ? std::span<const SpectrumPoint>()
            : std::span<const SpectrumPoint>(m_spectrum).subspan(range.first, range.count());
    return spectrumTextLines(shown,
                             {Series66->visible(), Series65->visible(), Series67->visible()});
}

QStringList AnalysisController::dataLines() const {
    const VisibleRange range = keyRange(*Series68);
    QStringList labels;
    std::vector<TextColumn> columns{{QStringLiteral("Data  "), Series68->visible(), {}},
                                    {QStringLiteral("iReal  "), Series70->visible(), {}},
                                    {QStringLiteral("iImag"), Series71->visible(), {}}};
    for (std::size_t i = range.first; !range.empty() && i <= range.last; ++i) {
        labels << m_data.labels.value(static_cast<qsizetype>(i));
        columns[0].values.push_back(m_data.values[i]);
        if (i < m_inverseReal.size()) {
            columns[1].values.push_back(m_inverseReal[i]);
            columns[2].values.push_back(m_inverseImag[i]);
        }
    }
    return columnTextLines(QStringLiteral("Time  "), labels, columns);
}

QStringList AnalysisController::histogramLines() const {
    const QCPRange shown = m_pages.page.chart4()->xAxis->range();
    QStringList labels;
    std::vector<double> heights;
    for (std::size_t k = 0; k < m_barHeights.size(); ++k) {
        if (shown.contains(static_cast<double>(k))) {
            labels << m_barLabels[static_cast<qsizetype>(k)];
            heights.push_back(m_barHeights[k]);
        }
    }
    return histogramTextLines(labels, heights);
}

QStringList AnalysisController::reportLines() const {
    return viewLines(*m_pages.report.memo3());
}

void AnalysisController::RaportFFT() {
    ReportSource source;
    source.now = m_services.clock->now();
    source.fromFile = m_pages.monitor.chart()->holdsFile();
    source.fileName = m_pages.files.fileName();
    source.channel = m_channel;
    source.seriesTitle = m_pages.monitor.chart()->seriesTitle(m_channel - 1);
    source.bufferLength = m_sources.bufferLengthText();
    source.frequency = m_sources.frequencyText();
    source.inputName = m_sources.inputName(m_channel);
    source.inputNote = m_sources.inputNote(m_channel);
    source.channelName = m_settings.channelName(m_channel);
    source.channelNote = m_settings.channelNote(m_channel);
    m_pages.report.memo3()->setPlainText(reportHeaderLines(source).join(QLatin1Char('\n')));
}

} // namespace korvanta::analysis::ui
