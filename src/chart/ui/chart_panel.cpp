#include "chart/ui/chart_panel.h"

#include "chart/ui/chart_cursors.h"
#include "chart/ui/cursor_readout.h"
#include "chart/ui/picture_saving.h"
#include "common/number_format.h"
#include "platform/handler_guard.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QSlider>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace korvanta::chart::ui {

namespace {

constexpr int kPartViewCounterCount = 10;
QAction* addMenuAction(QMenu* menu, const QString& name, const QString& text) {
    QAction* action = menu->addAction(text);
    action->setObjectName(name);
    return action;
}

QAction* addModeAction(QMenu* menu, const QString& name, const QString& text) {
    QAction* action = addMenuAction(menu, name, text);
    action->setCheckable(true);
    return action;
}

} // namespace

ChartPanel::ChartPanel(const ChartEnvironment& environment, QWidget* parent)
    : QWidget(parent), m_env(environment) {
    setObjectName(QStringLiteral("Panel3"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildMenus();
    buildToolBar();
    buildChartArea();
    buildCursors();
    connectChart();
}

void ChartPanel::buildMenus() {
    PopupMenu2 = new QMenu(this);
    PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    Scalingofdiagram1 = addMenuAction(PopupMenu2, QStringLiteral("Scalingofdiagram1"),
                                      QStringLiteral("Skaluj granice wykresu"));
    Setlimitofdiagram1 = addMenuAction(PopupMenu2, QStringLiteral("Setlimitofdiagram1"),
                                       QStringLiteral("Ustaw granice wykresu"));

    PopupMenu4 = new QMenu(this);
    PopupMenu4->setObjectName(QStringLiteral("PopupMenu4"));
    YValue1 = addModeAction(PopupMenu4, QStringLiteral("YValue1"), QStringLiteral("Wartość Y"));
    Visible1 = addModeAction(PopupMenu4, QStringLiteral("Visible1"),
                             QStringLiteral("Widoczne serie pogrubione"));
    Thickline1 =
        addModeAction(PopupMenu4, QStringLiteral("Thickline1"), QStringLiteral("Gruba linia"));
    Deleteseries1 =
        addModeAction(PopupMenu4, QStringLiteral("Deleteseries1"), QStringLiteral("Usuń serie"));
    Marked1 = addModeAction(PopupMenu4, QStringLiteral("Marked1"),
                            QStringLiteral("Wartości Y dla całej serii"));

    PopupMenu3 = new QMenu(this);
    PopupMenu3->setObjectName(QStringLiteral("PopupMenu3"));
    Close1 = addMenuAction(PopupMenu3, QStringLiteral("Close1"), QStringLiteral("Zamknij"));
    Closeandexit1 = addMenuAction(PopupMenu3, QStringLiteral("Closeandexit1"),
                                  QStringLiteral("Wyjdź i zamknij"));

    PopupMenu9 = new QMenu(this);
    PopupMenu9->setObjectName(QStringLiteral("PopupMenu9"));
    Deleteseries2 =
        addMenuAction(PopupMenu9, QStringLiteral("Deleteseries2"), QStringLiteral("Usuń serię"));
    Movetoanalysis1 = addMenuAction(PopupMenu9, QStringLiteral("Movetoanalysis1"),
                                    QStringLiteral("Przenieś serię"));
    Movetoanalysis1->setVisible(false);
    Calibration1 =
        addMenuAction(PopupMenu9, QStringLiteral("Calibration1"), QStringLiteral("Kalibracja"));

    connect(Scalingofdiagram1, &QAction::triggered, this, &ChartPanel::scaleChart);
    connect(Setlimitofdiagram1, &QAction::triggered, this,
            [this] { guarded([this] { applyFixedLimits(); }); });
    const std::pair<QAction*, SeriesClickMode> modes[] = {
        {YValue1, SeriesClickMode::YValue},       {Visible1, SeriesClickMode::VisibleThick},
        {Thickline1, SeriesClickMode::ThickLine}, {Deleteseries1, SeriesClickMode::DeleteSeries},
        {Marked1, SeriesClickMode::MarkedWhole},
    };
    for (const auto& [action, mode] : modes) {
        connect(action, &QAction::triggered, this, [this, mode] { chooseSeriesMode(mode); });
    }
    connect(Close1, &QAction::triggered, this, &ChartPanel::closeRequested);
    connect(Closeandexit1, &QAction::triggered, this, &ChartPanel::closeAndExitRequested);
    connect(Deleteseries2, &QAction::triggered, this, &ChartPanel::deleteLegendSeries);
}

QToolButton* ChartPanel::addToolButton(const QString& name, const QString& hint,
                                       QStyle::StandardPixmap icon) {
    auto* button = new QToolButton(ToolBar2);
    button->setObjectName(name);
    button->setToolTip(hint);
    button->setIcon(style()->standardIcon(icon));
    ToolBar2->addWidget(button);
    return button;
}

void ChartPanel::buildToolBar() {
    ToolBar2 = new QToolBar(this);
    ToolBar2->setObjectName(QStringLiteral("ToolBar2"));
    layout()->addWidget(ToolBar2);

    ToolButton8 =
        addToolButton(QStringLiteral("ToolButton8"), QStringLiteral("Zapisz wykres jako tekst"),
                      QStyle::SP_DialogSaveButton);
    ToolButton10 = addToolButton(QStringLiteral("ToolButton10"), QStringLiteral("Kopiuj"),
                                 QStyle::SP_FileDialogDetailedView);
    ToolButton51 = addToolButton(QStringLiteral("ToolButton51"), QStringLiteral("Drukuj wykres"),
                                 QStyle::SP_ComputerIcon);
    PictureButton =
        addToolButton(QStringLiteral("PictureButton"), QStringLiteral("Zapisz wykres jako obraz"),
                      QStyle::SP_DriveFDIcon);
    attachPictureMenu(*PictureButton, [this](QSize size) { savePictureAs(size); });
    ToolButton14 = addToolButton(QStringLiteral("ToolButton14"), QStringLiteral("Widok 3D"),
                                 QStyle::SP_TitleBarShadeButton);
    ToolButton14->setCheckable(true);
    ToolButton22 = addToolButton(QStringLiteral("ToolButton22"), QStringLiteral("Skalowanie"),
                                 QStyle::SP_ArrowUp);
    ToolButton22->setCheckable(true);
    ToolButton22->setMenu(PopupMenu2);
    ToolButton22->setPopupMode(QToolButton::MenuButtonPopup);
    ToolButton24 = addToolButton(QStringLiteral("ToolButton24"), QStringLiteral("Marked"),
                                 QStyle::SP_FileDialogInfoView);
    ToolButton26 = addToolButton(QStringLiteral("ToolButton26"), QStringLiteral("Pokaż legendę"),
                                 QStyle::SP_FileDialogListView);
    ToolButton26->setCheckable(true);
    ToolButton17 =
        addToolButton(QStringLiteral("ToolButton17"), QStringLiteral("Cały lub część wykresu"),
                      QStyle::SP_TitleBarMaxButton);
    ToolButton17->setCheckable(true);
    ToolButton29 = addToolButton(QStringLiteral("ToolButton29"),
                                 QStringLiteral("Opcje serii danych"), QStyle::SP_BrowserReload);
    ToolButton29->setMenu(PopupMenu4);
    ToolButton29->setPopupMode(QToolButton::MenuButtonPopup);
    ToolButton12 =
        addToolButton(QStringLiteral("ToolButton12"), QStringLiteral("Pomoc i aktualizacja"),
                      QStyle::SP_MessageBoxQuestion);
    ToolButton27 = addToolButton(QStringLiteral("ToolButton27"), QStringLiteral("Zamknij i wyjdź"),
                                 QStyle::SP_DialogCloseButton);
    ToolButton27->setMenu(PopupMenu3);
    ToolButton27->setPopupMode(QToolButton::MenuButtonPopup);

    connect(ToolButton8, &QToolButton::clicked, this, &ChartPanel::saveAsTextRequested);
    connect(ToolButton10, &QToolButton::clicked, this, [this] { Chart1->copyToClipboard(); });
    connect(ToolButton51, &QToolButton::clicked, this, &ChartPanel::printRequested);
    connect(ToolButton14, &QToolButton::clicked, this, [this](bool on) {
        Chart1->setDepthView(on);
        Chart1->replot(QCustomPlot::rpQueuedReplot);
    });
    connect(ToolButton22, &QToolButton::clicked, this, &ChartPanel::toggleAutoScaling);
    connect(ToolButton24, &QToolButton::clicked, this, [this] {
        Chart1->toggleAllMarks();
        Chart1->replot(QCustomPlot::rpQueuedReplot);
    });
    connect(ToolButton26, &QToolButton::clicked, this, [this](bool on) {
        Chart1->setLegendVisible(on);
        Chart1->replot(QCustomPlot::rpQueuedReplot);
    });
    connect(ToolButton17, &QToolButton::clicked, this, &ChartPanel::advancePartView);
    connect(ToolButton29, &QToolButton::clicked, this, &ChartPanel::resetSeriesOptions);
    connect(ToolButton12, &QToolButton::clicked, this, &ChartPanel::aboutRequested);
    connect(ToolButton27, &QToolButton::clicked, this, &ChartPanel::closeAndExitRequested);

    SpeedButton3 = new QToolButton(ToolBar2);
    SpeedButton3->setObjectName(QStringLiteral("SpeedButton3"));
    SpeedButton3->setText(QStringLiteral("X"));
    SpeedButton3->setAutoRaise(true);
    ToolBar2->addWidget(SpeedButton3);
    connect(SpeedButton3, &QToolButton::clicked, this, [this] {
        m_chartExpanded = !m_chartExpanded;
        SpeedButton3->setText(m_chartExpanded ? QStringLiteral("X") : QStringLiteral("V"));
        emit chartExpandedToggled(m_chartExpanded);
    });
}

void ChartPanel::buildChartArea() {
    Chart1 = new MonitorChart(this);
    qobject_cast<QBoxLayout*>(layout())->addWidget(Chart1, 1);

    Panel16 = new QWidget(this);
    Panel16->setObjectName(QStringLiteral("Panel16"));
    auto* barLayout = new QHBoxLayout(Panel16);
    barLayout->setContentsMargins(2, 2, 2, 2);
    TrackBar1 = new QSlider(Qt::Horizontal, Panel16);
    TrackBar1->setObjectName(QStringLiteral("TrackBar1"));
    TrackBar1->setRange(1, 1);
    Edit37 = new QLineEdit(Panel16);
    Edit37->setObjectName(QStringLiteral("Edit37"));
    Edit37->setMaximumWidth(160);
    barLayout->addWidget(TrackBar1, 1);
    barLayout->addWidget(Edit37);
    Panel16->setVisible(false);
    layout()->addWidget(Panel16);

    Memo2 = new QPlainTextEdit(this);
    Memo2->setObjectName(QStringLiteral("Memo2"));
    Memo2->setVisible(false);
    layout()->addWidget(Memo2);

    Label33 = new QLabel(this);
    Label33->setObjectName(QStringLiteral("Label33"));
    layout()->addWidget(Label33);

    connect(TrackBar1, &QSlider::valueChanged, this, &ChartPanel::onTrackBarChanged);
}

void ChartPanel::buildCursors() {
    m_cursors = new ChartCursors(*Chart1);
    m_cursors->addButton(*ToolBar2, QStringLiteral("CursorsButton"));
    auto* readout = new CursorReadout(*m_cursors, this);
    readout->setObjectName(QStringLiteral("CursorReadout"));
    auto* box = qobject_cast<QBoxLayout*>(layout());
    box->insertWidget(box->indexOf(Chart1) + 1, readout);
    connect(Chart1, &MonitorChart::cleared, m_cursors, &ChartCursors::clear);
}

void ChartPanel::connectChart() {
    connect(Chart1, &QCustomPlot::plottableClick, this, &ChartPanel::onPointClicked);
    connect(Chart1, &QCustomPlot::legendClick, this, &ChartPanel::onLegendClicked);
}

void ChartPanel::guarded(const std::function<void()>& handler) {
    platform::runGuarded(*m_env.messages, handler);
}

void ChartPanel::setAutoScaling(bool on) {
    m_autoScaling = on;
    ToolButton22->setChecked(on);
}

void ChartPanel::toggleAutoScaling() {
    setAutoScaling(!m_autoScaling);
    scaleChart();
}

void ChartPanel::scaleChart() {
    Chart1->scaleToData(*m_env.settings, m_env.monitoringRunning());
    Chart1->replot(QCustomPlot::rpQueuedReplot);
}

void ChartPanel::applyFixedLimits() {
    const AxisLimits limits = parseFixedLimits(m_env.lowerLimitText(), m_env.upperLimitText());
    Chart1->setFixedLimits(limits.lower, limits.upper);
    Chart1->replot(QCustomPlot::rpQueuedReplot);
}

void ChartPanel::applyAutoScaling() {
    if (m_autoScaling) {
        Chart1->scaleToData(*m_env.settings, m_env.monitoringRunning());
    }
    ToolButton22->setChecked(m_autoScaling);
    Chart1->replot(QCustomPlot::rpQueuedReplot);
}

void ChartPanel::advancePartView() {
    m_partViewCounter = (m_partViewCounter + 1) % kPartViewCounterCount;
}

void ChartPanel::applyPartView(std::optional<double> step) {
    Chart1->setBottomAxisStart(step ? Chart1->bottomAxisStart() - *step : 0);
    ToolButton17->setChecked(step.has_value());
    Chart1->replot(QCustomPlot::rpQueuedReplot);
}

void ChartPanel::prepareForMonitoringStart() {
    m_seriesMenu.uncheck(SeriesClickMode::VisibleThick);
    m_seriesMenu.uncheck(SeriesClickMode::DeleteSeries);
    syncSeriesMenu();
    Label33->setText(QStringLiteral(" "));
}

void ChartPanel::chooseSeriesMode(SeriesClickMode item) {
    m_seriesMenu.choose(item);
    syncSeriesMenu();
    if (item == SeriesClickMode::VisibleThick && visible1Checked()) {
        showOnlyThickSeries();
    }
}

void ChartPanel::syncSeriesMenu() {
    YValue1->setChecked(m_seriesMenu.isChecked(SeriesClickMode::YValue));
    Visible1->setChecked(m_seriesMenu.isChecked(SeriesClickMode::VisibleThick));
    Thickline1->setChecked(m_seriesMenu.isChecked(SeriesClickMode::ThickLine));
    Deleteseries1->setChecked(m_seriesMenu.isChecked(SeriesClickMode::DeleteSeries));
    Marked1->setChecked(m_seriesMenu.isChecked(SeriesClickMode::MarkedWhole));
}

void ChartPanel::showOnlyThickSeries() {
    for (int i = 0; i < MonitorChart::kSeriesCount; ++i) {
        Chart1->setSeriesVisible(i, Chart1->seriesState(i) == SeriesState::Thick);
    }
    Chart1->replot(QCustomPlot::rpQueuedReplot);
}

void ChartPanel::onPointClicked(QCPAbstractPlottable* plottable, int dataIndex,
                                QMouseEvent* event) {
    const int n = Chart1->seriesIndexOf(plottable);
    // While the cursors are on, the chart's clicks are theirs.
    if (m_cursors->isOn() || n < 0 || dataIndex < 0 ||
        dataIndex >= Chart1->series(n)->data()->size()) {
        return;
    }
    const bool left = event->button() == Qt::LeftButton;
    const bool right = event->button() == Qt::RightButton;
    switch (m_seriesMenu.mode()) {
    case SeriesClickMode::YValue:
        showPointValue(n, dataIndex);
        break;
    case SeriesClickMode::ThickLine:
        if (left) {
            Chart1->setPenWidth(n, Chart1->penWidth(n) + 1);
            Chart1->setSeriesState(n, SeriesState::Thick);
        } else if (right) {
            Chart1->setPenWidth(n, 1);
            Chart1->setSeriesState(n, SeriesState::Normal);
        }
        break;
    case SeriesClickMode::DeleteSeries:
        if (left) {
            Chart1->setSeriesState(n, SeriesState::Deleted);
            if (!m_env.monitoringRunning()) {
                Chart1->setSeriesVisible(n, false);
            }
        }
        break;
    case SeriesClickMode::MarkedWhole:
        if (left || right) {
            Chart1->setMarksVisible(n, left);
        }
        break;
    case SeriesClickMode::None:
    case SeriesClickMode::VisibleThick:
        return;
    }
    Chart1->replot(QCustomPlot::rpQueuedReplot);
}

void ChartPanel::showPointValue(int series, int index) {
    const double y = Chart1->series(series)->data()->at(index)->value;
    Label33->setText(QString(16, QLatin1Char(' ')) + Chart1->seriesTitle(series) +
                     QStringLiteral("  Y=") + common::formatFloat(QStringLiteral("##0.0000"), y));
}

void ChartPanel::onLegendClicked(QCPLegend*, QCPAbstractLegendItem* item, QMouseEvent* event) {
    auto* entry = qobject_cast<QCPPlottableLegendItem*>(item);
    if (entry == nullptr ||
        (event->button() != Qt::LeftButton && event->button() != Qt::RightButton)) {
        return;
    }
    // The series itself is remembered, not the entry's place: the legend lists only the
    // visible series, so the two differ as soon as one is hidden.
    m_legendSeriesIndex = Chart1->seriesIndexOf(entry->plottable());
    if (event->button() == Qt::RightButton) {
        PopupMenu9->popup(event->globalPosition().toPoint());
    }
}

void ChartPanel::deleteLegendSeries() {
    Chart1->setSeriesVisible(m_legendSeriesIndex, false);
    Chart1->replot(QCustomPlot::rpQueuedReplot);
}

void ChartPanel::resetSeriesOptions() {
    if (Chart1->holdsFile()) {
        emit redrawFileRequested();
        for (int i = 0; i < MonitorChart::kSeriesCount; ++i) {
            Chart1->setSeriesState(i, SeriesState::Normal);
        }
        Chart1->setAllMarksVisible(false);
        Label33->setText(QStringLiteral(" "));
    } else {
        const int count = std::clamp(m_env.channelCount(), 0, MonitorChart::kSeriesCount);
        for (int i = 0; i < count; ++i) {
            if (!m_env.settings->active(i + 1)) {
                continue;
            }
            Chart1->setMarksVisible(i, false);
            Label33->setText(QStringLiteral(" "));
            Chart1->setSeriesVisible(i, true);
            Chart1->setPenWidth(i, 1);
            Chart1->setSeriesState(i, SeriesState::Normal);
        }
    }
    Chart1->replot(QCustomPlot::rpQueuedReplot);
}

void ChartPanel::savePictureAs(QSize size) {
    savePictureWithDialog(*Chart1, size, m_env.settings->dataDirectory(), *m_env.dialogs,
                          *m_env.messages);
}

void ChartPanel::setBarViewVisible(bool on) {
    Panel16->setVisible(on);
}

void ChartPanel::setBarCount(int count) {
    m_barCount = std::clamp(count, 0, MonitorChart::kSeriesCount);
}

void ChartPanel::showFileSnapshot(int channels, int dataLines) {
    setBarCount(channels);
    {
        // The snapshot is drawn once below, whether or not the chart already holds a file.
        const QSignalBlocker blocker(TrackBar1);
        TrackBar1->setRange(1, std::max(1, dataLines));
        TrackBar1->setValue(1);
    }
    showBarsAt(1);
}

void ChartPanel::onTrackBarChanged(int position) {
    if (position <= 1 && !Chart1->holdsFile()) {
        return;
    }
    showBarsAt(position);
}

void ChartPanel::showBarsAt(int position) {
    QCPBars* bars = Chart1->barSeries();
    bars->data()->clear();
    bars->setVisible(true);
    const int index = position - 1;
    for (int j = 0; j < m_barCount; ++j) {
        ChartSeries* s = Chart1->series(j);
        s->setVisible(true);
        if (index >= 0 && index < s->data()->size()) {
            bars->addData(j + 1, s->data()->at(index)->value);
        }
        s->setVisible(false);
    }
    Edit37->setText(Chart1->pointLabel(0, index));
    Chart1->rescaleKeyAxis();
    Chart1->replot(QCustomPlot::rpQueuedReplot);
}

} // namespace korvanta::chart::ui
