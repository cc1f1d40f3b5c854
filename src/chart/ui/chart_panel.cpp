#include "chart/ui/chart_panel.h"

#include "common/handler_guard.h"
#include "common/number_format.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
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
    connectChart();
}

void ChartPanel::buildMenus() {
    m_popupMenu2 = new QMenu(this);
    m_popupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    m_scalingofdiagram1 = addMenuAction(m_popupMenu2, QStringLiteral("Scalingofdiagram1"),
                                        QStringLiteral("Skaluj granice wykresu"));
    m_setlimitofdiagram1 = addMenuAction(m_popupMenu2, QStringLiteral("Setlimitofdiagram1"),
                                         QStringLiteral("Ustaw granice wykresu"));

    m_popupMenu4 = new QMenu(this);
    m_popupMenu4->setObjectName(QStringLiteral("PopupMenu4"));
    m_yValue1 = addModeAction(m_popupMenu4, QStringLiteral("YValue1"), QStringLiteral("Wartość Y"));
    m_visible1 = addModeAction(m_popupMenu4, QStringLiteral("Visible1"),
                               QStringLiteral("Widoczne serie pogrubione"));
    m_thickline1 =
        addModeAction(m_popupMenu4, QStringLiteral("Thickline1"), QStringLiteral("Gruba linia"));
    m_deleteseries1 =
        addModeAction(m_popupMenu4, QStringLiteral("Deleteseries1"), QStringLiteral("Usuń serie"));
    m_marked1 = addModeAction(m_popupMenu4, QStringLiteral("Marked1"),
                              QStringLiteral("Wartości Y dla całej serii"));

    m_popupMenu3 = new QMenu(this);
    m_popupMenu3->setObjectName(QStringLiteral("PopupMenu3"));
    m_close1 = addMenuAction(m_popupMenu3, QStringLiteral("Close1"), QStringLiteral("Zamknij"));
    m_closeandexit1 = addMenuAction(m_popupMenu3, QStringLiteral("Closeandexit1"),
                                    QStringLiteral("Wyjdź i zamknij"));

    m_popupMenu9 = new QMenu(this);
    m_popupMenu9->setObjectName(QStringLiteral("PopupMenu9"));
    m_deleteseries2 =
        addMenuAction(m_popupMenu9, QStringLiteral("Deleteseries2"), QStringLiteral("Usuń serię"));
    m_movetoanalysis1 = addMenuAction(m_popupMenu9, QStringLiteral("Movetoanalysis1"),
                                      QStringLiteral("Przenieś serię"));
    m_movetoanalysis1->setVisible(false);
    m_calibration1 =
        addMenuAction(m_popupMenu9, QStringLiteral("Calibration1"), QStringLiteral("Kalibracja"));

    connect(m_scalingofdiagram1, &QAction::triggered, this, &ChartPanel::scaleChart);
    connect(m_setlimitofdiagram1, &QAction::triggered, this,
            [this] { guarded([this] { applyFixedLimits(); }); });
    const std::pair<QAction*, SeriesClickMode> modes[] = {
        {m_yValue1, SeriesClickMode::YValue},
        {m_visible1, SeriesClickMode::VisibleThick},
        {m_thickline1, SeriesClickMode::ThickLine},
        {m_deleteseries1, SeriesClickMode::DeleteSeries},
        {m_marked1, SeriesClickMode::MarkedWhole},
    };
    for (const auto& [action, mode] : modes) {
        connect(action, &QAction::triggered, this, [this, mode] { chooseSeriesMode(mode); });
    }
    connect(m_close1, &QAction::triggered, this, &ChartPanel::closeRequested);
    connect(m_closeandexit1, &QAction::triggered, this, &ChartPanel::closeAndExitRequested);
    connect(m_deleteseries2, &QAction::triggered, this, &ChartPanel::deleteLegendSeries);
}

QToolButton* ChartPanel::addToolButton(const QString& name, const QString& hint,
                                       QStyle::StandardPixmap icon) {
    auto* button = new QToolButton(m_toolBar2);
    button->setObjectName(name);
    button->setToolTip(hint);
    button->setIcon(style()->standardIcon(icon));
    m_toolBar2->addWidget(button);
    return button;
}

void ChartPanel::buildToolBar() {
    m_toolBar2 = new QToolBar(this);
    m_toolBar2->setObjectName(QStringLiteral("ToolBar2"));
    layout()->addWidget(m_toolBar2);

    m_toolButton8 =
        addToolButton(QStringLiteral("ToolButton8"), QStringLiteral("Zapisz wykres jako tekst"),
                      QStyle::SP_DialogSaveButton);
    m_toolButton10 = addToolButton(QStringLiteral("ToolButton10"), QStringLiteral("Kopiuj"),
                                   QStyle::SP_FileDialogDetailedView);
    m_toolButton51 = addToolButton(QStringLiteral("ToolButton51"), QStringLiteral("Drukuj wykres"),
                                   QStyle::SP_ComputerIcon);
    m_toolButton14 = addToolButton(QStringLiteral("ToolButton14"), QStringLiteral("Widok 3D"),
                                   QStyle::SP_TitleBarShadeButton);
    m_toolButton14->setCheckable(true);
    m_toolButton22 = addToolButton(QStringLiteral("ToolButton22"), QStringLiteral("Skalowanie"),
                                   QStyle::SP_ArrowUp);
    m_toolButton22->setCheckable(true);
    m_toolButton22->setMenu(m_popupMenu2);
    m_toolButton22->setPopupMode(QToolButton::MenuButtonPopup);
    m_toolButton24 = addToolButton(QStringLiteral("ToolButton24"), QStringLiteral("Marked"),
                                   QStyle::SP_FileDialogInfoView);
    m_toolButton26 = addToolButton(QStringLiteral("ToolButton26"), QStringLiteral("Pokaż legendę"),
                                   QStyle::SP_FileDialogListView);
    m_toolButton26->setCheckable(true);
    m_toolButton17 =
        addToolButton(QStringLiteral("ToolButton17"), QStringLiteral("Cały lub część wykresu"),
                      QStyle::SP_TitleBarMaxButton);
    m_toolButton29 = addToolButton(QStringLiteral("ToolButton29"),
                                   QStringLiteral("Opcje serii danych"), QStyle::SP_BrowserReload);
    m_toolButton29->setMenu(m_popupMenu4);
    m_toolButton29->setPopupMode(QToolButton::MenuButtonPopup);
    m_toolButton12 =
        addToolButton(QStringLiteral("ToolButton12"), QStringLiteral("Pomoc i aktualizacja"),
                      QStyle::SP_MessageBoxQuestion);
    m_toolButton27 = addToolButton(QStringLiteral("ToolButton27"),
                                   QStringLiteral("Zamknij i wyjdź"), QStyle::SP_DialogCloseButton);
    m_toolButton27->setMenu(m_popupMenu3);
    m_toolButton27->setPopupMode(QToolButton::MenuButtonPopup);

    connect(m_toolButton8, &QToolButton::clicked, this, &ChartPanel::saveAsTextRequested);
    connect(m_toolButton10, &QToolButton::clicked, this, [this] { m_chart->copyToClipboard(); });
    connect(m_toolButton51, &QToolButton::clicked, this, &ChartPanel::printRequested);
    connect(m_toolButton14, &QToolButton::clicked, this, [this](bool on) {
        m_chart->setDepthView(on);
        m_chart->replot(QCustomPlot::rpQueuedReplot);
    });
    connect(m_toolButton22, &QToolButton::clicked, this, &ChartPanel::toggleAutoScaling);
    connect(m_toolButton24, &QToolButton::clicked, this, [this] {
        m_chart->toggleAllMarks();
        m_chart->replot(QCustomPlot::rpQueuedReplot);
    });
    connect(m_toolButton26, &QToolButton::clicked, this, [this](bool on) {
        m_chart->setLegendVisible(on);
        m_chart->replot(QCustomPlot::rpQueuedReplot);
    });
    connect(m_toolButton17, &QToolButton::clicked, this, &ChartPanel::advancePartView);
    connect(m_toolButton29, &QToolButton::clicked, this, &ChartPanel::resetSeriesOptions);
    connect(m_toolButton12, &QToolButton::clicked, this, &ChartPanel::aboutRequested);
    connect(m_toolButton27, &QToolButton::clicked, this, &ChartPanel::closeAndExitRequested);
}

void ChartPanel::buildChartArea() {
    m_chart = new MonitorChart(this);
    qobject_cast<QBoxLayout*>(layout())->addWidget(m_chart, 1);

    m_panel16 = new QWidget(this);
    m_panel16->setObjectName(QStringLiteral("Panel16"));
    auto* barLayout = new QHBoxLayout(m_panel16);
    barLayout->setContentsMargins(2, 2, 2, 2);
    m_trackBar1 = new QSlider(Qt::Horizontal, m_panel16);
    m_trackBar1->setObjectName(QStringLiteral("TrackBar1"));
    m_trackBar1->setRange(1, 1);
    m_edit37 = new QLineEdit(m_panel16);
    m_edit37->setObjectName(QStringLiteral("Edit37"));
    m_edit37->setMaximumWidth(160);
    barLayout->addWidget(m_trackBar1, 1);
    barLayout->addWidget(m_edit37);
    m_panel16->setVisible(false);
    layout()->addWidget(m_panel16);

    m_memo2 = new QPlainTextEdit(this);
    m_memo2->setObjectName(QStringLiteral("Memo2"));
    m_memo2->setVisible(false);
    layout()->addWidget(m_memo2);

    m_label33 = new QLabel(this);
    m_label33->setObjectName(QStringLiteral("Label33"));
    layout()->addWidget(m_label33);

    connect(m_trackBar1, &QSlider::valueChanged, this, &ChartPanel::onTrackBarChanged);
}

void ChartPanel::connectChart() {
    connect(m_chart, &QCustomPlot::plottableClick, this, &ChartPanel::onPointClicked);
    connect(m_chart, &QCustomPlot::legendClick, this, &ChartPanel::onLegendClicked);
}

void ChartPanel::guarded(const std::function<void()>& handler) {
    common::runGuarded(*m_env.messages, handler);
}

void ChartPanel::setAutoScaling(bool on) {
    m_autoScaling = on;
    m_toolButton22->setChecked(on);
}

void ChartPanel::toggleAutoScaling() {
    setAutoScaling(!m_autoScaling);
    scaleChart();
}

void ChartPanel::scaleChart() {
    m_chart->scaleToData(*m_env.settings, m_env.monitoringRunning());
    m_chart->replot(QCustomPlot::rpQueuedReplot);
}

void ChartPanel::applyFixedLimits() {
    const AxisLimits limits = parseFixedLimits(m_env.lowerLimitText(), m_env.upperLimitText());
    m_chart->setFixedLimits(limits.lower, limits.upper);
    m_chart->replot(QCustomPlot::rpQueuedReplot);
}

void ChartPanel::applyAutoScaling() {
    if (m_autoScaling) {
        m_chart->scaleToData(*m_env.settings, m_env.monitoringRunning());
    }
    m_toolButton22->setChecked(m_autoScaling);
    m_chart->replot(QCustomPlot::rpQueuedReplot);
}

void ChartPanel::advancePartView() {
    m_partViewCounter = (m_partViewCounter + 1) % kPartViewCounterCount;
}

void ChartPanel::prepareForMonitoringStart() {
    m_seriesMenu.uncheck(SeriesClickMode::VisibleThick);
    m_seriesMenu.uncheck(SeriesClickMode::DeleteSeries);
    syncSeriesMenu();
    m_label33->setText(QStringLiteral(" "));
}

void ChartPanel::chooseSeriesMode(SeriesClickMode item) {
    m_seriesMenu.choose(item);
    syncSeriesMenu();
    if (item == SeriesClickMode::VisibleThick && visible1Checked()) {
        showOnlyThickSeries();
    }
}

void ChartPanel::syncSeriesMenu() {
    m_yValue1->setChecked(m_seriesMenu.isChecked(SeriesClickMode::YValue));
    m_visible1->setChecked(m_seriesMenu.isChecked(SeriesClickMode::VisibleThick));
    m_thickline1->setChecked(m_seriesMenu.isChecked(SeriesClickMode::ThickLine));
    m_deleteseries1->setChecked(m_seriesMenu.isChecked(SeriesClickMode::DeleteSeries));
    m_marked1->setChecked(m_seriesMenu.isChecked(SeriesClickMode::MarkedWhole));
}

void ChartPanel::showOnlyThickSeries() {
    for (int i = 0; i < MonitorChart::kSeriesCount; ++i) {
        m_chart->setSeriesVisible(i, m_chart->seriesState(i) == SeriesState::Thick);
    }
    m_chart->replot(QCustomPlot::rpQueuedReplot);
}

void ChartPanel::onPointClicked(QCPAbstractPlottable* plottable, int dataIndex,
                                QMouseEvent* event) {
    const int n = m_chart->seriesIndexOf(plottable);
    if (n < 0 || dataIndex < 0 || dataIndex >= m_chart->series(n)->data()->size()) {
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
            m_chart->setPenWidth(n, m_chart->penWidth(n) + 1);
            m_chart->setSeriesState(n, SeriesState::Thick);
        } else if (right) {
            m_chart->setPenWidth(n, 1);
            m_chart->setSeriesState(n, SeriesState::Normal);
        }
        break;
    case SeriesClickMode::DeleteSeries:
        if (left) {
            m_chart->setSeriesState(n, SeriesState::Deleted);
            if (!m_env.monitoringRunning()) {
                m_chart->setSeriesVisible(n, false);
            }
        }
        break;
    case SeriesClickMode::MarkedWhole:
        if (left || right) {
            m_chart->setMarksVisible(n, left);
        }
        break;
    case SeriesClickMode::None:
    case SeriesClickMode::VisibleThick:
        return;
    }
    m_chart->replot(QCustomPlot::rpQueuedReplot);
}

void ChartPanel::showPointValue(int series, int index) {
    const double y = m_chart->series(series)->data()->at(index)->value;
    m_label33->setText(QString(16, QLatin1Char(' ')) + m_chart->seriesTitle(series) +
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
    m_legendSeriesIndex = m_chart->seriesIndexOf(entry->plottable());
    if (event->button() == Qt::RightButton) {
        m_popupMenu9->popup(event->globalPosition().toPoint());
    }
}

void ChartPanel::deleteLegendSeries() {
    m_chart->setSeriesVisible(m_legendSeriesIndex, false);
    m_chart->replot(QCustomPlot::rpQueuedReplot);
}

void ChartPanel::resetSeriesOptions() {
    if (m_chart->holdsFile()) {
        emit redrawFileRequested();
        for (int i = 0; i < MonitorChart::kSeriesCount; ++i) {
            m_chart->setSeriesState(i, SeriesState::Normal);
        }
        m_chart->setAllMarksVisible(false);
        m_label33->setText(QStringLiteral(" "));
    } else {
        const int count = std::clamp(m_env.channelCount(), 0, MonitorChart::kSeriesCount);
        for (int i = 0; i < count; ++i) {
            if (!m_env.settings->active(i + 1)) {
                continue;
            }
            m_chart->setMarksVisible(i, false);
            m_label33->setText(QStringLiteral(" "));
            m_chart->setSeriesVisible(i, true);
            m_chart->setPenWidth(i, 1);
            m_chart->setSeriesState(i, SeriesState::Normal);
        }
    }
    m_chart->replot(QCustomPlot::rpQueuedReplot);
}

void ChartPanel::setBarViewVisible(bool on) {
    m_panel16->setVisible(on);
}

void ChartPanel::setBarCount(int count) {
    m_barCount = std::clamp(count, 0, MonitorChart::kSeriesCount);
}

void ChartPanel::onTrackBarChanged(int position) {
    if (position <= 1 && !m_chart->holdsFile()) {
        return;
    }
    QCPBars* bars = m_chart->barSeries();
    bars->data()->clear();
    bars->setVisible(true);
    const int index = position - 1;
    for (int j = 0; j < m_barCount; ++j) {
        ChartSeries* s = m_chart->series(j);
        s->setVisible(true);
        if (index >= 0 && index < s->data()->size()) {
            bars->addData(j + 1, s->data()->at(index)->value);
        }
        s->setVisible(false);
    }
    m_edit37->setText(m_chart->pointLabel(0, index));
    m_chart->rescaleKeyAxis();
    m_chart->replot(QCustomPlot::rpQueuedReplot);
}

} // namespace korvanta::chart::ui
