#include "app/ui/tform34.h"

#include "about/ui/tform5.h"
#include "acquisition/settings_file.h"
#include "acquisition/settings_location.h"
#include "analysis/ui/analysis_controller.h"
#include "analysis/ui/analysis_page.h"
#include "bench/test_record.h"
#include "bench/ui/bench_controller.h"
#include "bench/ui/bench_settings_page.h"
#include "bench/ui/bench_tests_page.h"
#include "bench/ui/test_record_controller.h"
#include "bench/ui/tform10.h"
#include "bench/ui/tform9.h"
#include "chart/ui/channel_editor_page.h"
#include "chart/ui/chart_panel.h"
#include "chart/ui/monitor_chart.h"
#include "common/number_format.h"
#include "files/ui/export_controller.h"
#include "files/ui/file_browser_panel.h"
#include "files/ui/file_load_controller.h"
#include "files/ui/report_panel.h"
#include "monitor/monitoring_session.h"
#include "monitor/ui/advanced_page.h"
#include "monitor/ui/monitoring_controller.h"
#include "monitor/ui/object_page.h"
#include "monitor/ui/program_settings_page.h"
#include "monitor/ui/system_properties_page.h"
#include "platform/handler_guard.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScreen>
#include <QSplitter>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdio>
#include <optional>

namespace korvanta::app::ui {

using monitor::ui::AdvancedPage;
using monitor::ui::MonitoringController;
using monitor::ui::ObjectPage;
using monitor::ui::ProgramSettingsPage;
using monitor::ui::SystemPropertiesPage;
namespace {

constexpr int kDesignWidth = 1291;
constexpr int kDesignHeight = 784;
constexpr int kOperatorPanel4Width = 385;
constexpr int kCollapsedWidth = 4;
constexpr int kMaxStartDirectory = 700;
const QString kStopCommand = QStringLiteral("#1 x0;0 y0;0 &");

// A stored window length made to fit on the screen: no longer than the screen, nor shorter than
// the window's least length where that fits. The stored numbers may be anything a file held, so
// nothing here adds them up.
int fittedLength(int stored, int least, int screen) {
    return std::min(std::max(stored, least), screen);
}

// A stored window position moved so that a window of `length` stays on the screen.
int fittedStart(int stored, int screenStart, int screenLength, int length) {
    return std::clamp(stored, screenStart,
                      std::max(screenStart, screenStart + screenLength - length));
}

QToolButton* makeToolButton(QWidget* bar, const char* name, const QString& hint,
                            std::optional<QStyle::StandardPixmap> icon = std::nullopt) {
    auto* button = new QToolButton(bar);
    button->setAutoRaise(true);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(hint);
    button->setText(hint);
    if (icon) {
        button->setIcon(bar->style()->standardIcon(*icon));
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    }
    bar->layout()->addWidget(button);
    return button;
}

QToolButton* makeSeparator(QWidget* bar, const char* name) {
    auto* separator = new QToolButton(bar);
    separator->setObjectName(QLatin1String(name));
    separator->setEnabled(false);
    separator->setAutoRaise(true);
    separator->setFixedWidth(8);
    bar->layout()->addWidget(separator);
    return separator;
}

QAction* makeAction(QMenu* menu, const char* name, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    return action;
}

} // namespace

TForm34::TForm34(platform::Services services, QStringList arguments, QString programPath,
                 QWidget* parent)
    : QMainWindow(parent), m_services(std::move(services)), m_arguments(std::move(arguments)),
      m_programPath(std::move(programPath)),
      m_session(std::make_unique<monitor::MonitoringSession>()) {
    setObjectName(QStringLiteral("TForm34"));
    setWindowTitle(QStringLiteral("ZARO Korvanta"));
    resize(kDesignWidth, kDesignHeight);
    m_startDirectory = QDir::currentPath().left(kMaxStartDirectory);
    buildLayout();
    m_monitoring = new MonitoringController(
        *m_session, m_services,
        {*TabSheet4, *TabSheet11, *TabSheet2, *TabSheet3, *Panel3, *Memo1, *Label35, *ToolButton2},
        m_startDirectory, this);
    m_bench = new bench::ui::BenchController(
        *m_session, m_services,
        {*TabSheet12, *TabSheet13, *Panel3, *Memo1, *Label35, *m_monitoring}, this);
    m_export = new files::ui::ExportController(m_session->settings(), m_services,
                                               {*Panel3, *TabSheet4, *Memo1, *Panel1, *this}, this);
    m_fileLoad = new files::ui::FileLoadController(
        m_session->settings(), m_services,
        {*Panel1, *Panel3, *Memo1, *TabSheet6->findChild<QCheckBox*>(QStringLiteral("CheckBox5")),
         *this},
        this);
    m_analysis = new analysis::ui::AnalysisController(
        m_session->settings(), m_services, {*TabSheet6, *PageControl2, *Panel3, *Panel1, *Panel24},
        analysisSources(), this);
    connectPages();
    runStartup();
}

TForm34::~TForm34() = default;

bool TForm34::guard(const std::function<void()>& handler) {
    return platform::runGuarded(*m_services.messages, handler);
}

void TForm34::setDialogs(about::ui::TForm5* about, bench::ui::TForm9* testParameters,
                         bench::ui::TForm10* testRecord) {
    m_about = about;
    m_testParameters = testParameters;
    if (m_testParameters != nullptr) {
        m_testParameters->loadFromRecord();
        m_testParameters->setServiceMode(serviceMode());
        m_bench->setParametersWindow(m_testParameters);
    }
    m_bench->publishParameters();
    if (testRecord != nullptr) {
        m_testRecord = new bench::ui::TestRecordController(
            *TabSheet12, *testRecord, m_session->settings(), m_services,
            [this] { return m_bench->run().runner().log(); }, this);
        m_bench->setTestRecord({[this] { return m_testRecord->confirmed(); },
                                [this] {
                                    return bench::TestRecordCopy{m_testRecord->reportName(),
                                                                 bench::testRecordItemNames(),
                                                                 m_testRecord->itemValues()};
                                }});
    }
}

// ---------------------------------------------------------------------------------------------
// Layout

void TForm34::buildLayout() {
    buildMenus();
    buildStatusBar();

    chart::ui::ChartEnvironment environment;
    environment.settings = &m_session->settings();
    environment.channelCount = [this] {
        return m_session->link().control().safeChannelCount();
    };
    environment.monitoringRunning = [this] {
        return m_monitoring->Timer1->isActive();
    };
    environment.lowerLimitText = [this] {
        return TabSheet4->lowerLimitText();
    };
    environment.upperLimitText = [this] {
        return TabSheet4->upperLimitText();
    };
    environment.inputDescription = [this](int n) {
        return TabSheet2->inputDescription(n);
    };
    environment.messages = m_services.messages;
    environment.dialogs = m_services.dialogs;

    Splitter1 = new QSplitter(Qt::Horizontal, this);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    setCentralWidget(Splitter1);

    Panel23 = new QWidget(Splitter1);
    Panel23->setObjectName(QStringLiteral("Panel23"));
    auto* sideLayout = new QVBoxLayout(Panel23);
    sideLayout->setContentsMargins(0, 0, 0, 0);
    Panel1 = new files::ui::FileBrowserPanel(Panel23);
    Panel24 = new files::ui::ReportPanel(Panel23);
    Panel24->hide();
    sideLayout->addWidget(Panel1);
    sideLayout->addWidget(Panel24);
    Splitter1->addWidget(Panel23);

    PageControl2 = new QTabWidget(Splitter1);
    PageControl2->setObjectName(QStringLiteral("PageControl2"));
    Splitter1->addWidget(PageControl2);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setSizes({190, kDesignWidth - 190});

    TabSheet5 = new QWidget(PageControl2);
    TabSheet5->setObjectName(QStringLiteral("TabSheet5"));
    PageControl2->addTab(TabSheet5, QStringLiteral("Pomiary"));
    TabSheet6 = new analysis::ui::AnalysisPage(PageControl2);
    PageControl2->addTab(TabSheet6, QStringLiteral("Analiza"));

    auto* measurements = new QHBoxLayout(TabSheet5);
    measurements->setContentsMargins(0, 0, 0, 0);
    Panel4 = new QWidget(TabSheet5);
    Panel4->setObjectName(QStringLiteral("Panel4"));
    auto* panel4Layout = new QVBoxLayout(Panel4);
    panel4Layout->setContentsMargins(0, 0, 0, 0);
    PageControl1 = new QTabWidget(Panel4);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    // Seven tabs in service mode: captions stay whole and the strip scrolls instead.
    PageControl1->tabBar()->setElideMode(Qt::ElideNone);
    PageControl1->setUsesScrollButtons(true);
    panel4Layout->addWidget(PageControl1);
    measurements->addWidget(Panel4);

    TabSheet1 = new ObjectPage(m_session->settings(), PageControl1);
    TabSheet2 = new SystemPropertiesPage(PageControl1);
    TabSheet4 = new ProgramSettingsPage(m_session->settings(), PageControl1);
    TabSheet11 = new AdvancedPage(PageControl1);
    TabSheet12 =
        new bench::ui::BenchSettingsPage(m_session->settings(), *m_services.messages, PageControl1);
    TabSheet13 = new bench::ui::BenchTestsPage(PageControl1);
    PageControl1->addTab(TabSheet1, QStringLiteral("Obiekt"));
    PageControl1->addTab(TabSheet2, QStringLiteral("Właściwości systemu"));
    PageControl1->addTab(TabSheet4, QStringLiteral("Ustawienia programu"));
    PageControl1->addTab(TabSheet11, QStringLiteral("Zaawansowane"));
    PageControl1->addTab(TabSheet12, QStringLiteral("Ustawienia"));
    PageControl1->addTab(TabSheet13, QStringLiteral("Badania"));

    auto* right = new QSplitter(Qt::Vertical, TabSheet5);
    right->setObjectName(QStringLiteral("Splitter2"));
    m_chartSplitter = right;
    Panel3 = new chart::ui::ChartPanel(environment, right);
    TabSheet3 = new chart::ui::ChannelEditorPage(environment, Panel3->chart(), PageControl1);
    PageControl1->insertTab(2, TabSheet3, QStringLiteral("Ustawienia kanałów"));
    Panel6 = new QWidget(right);
    Panel6->setObjectName(QStringLiteral("Panel6"));
    auto* logLayout = new QVBoxLayout(Panel6);
    logLayout->setContentsMargins(0, 0, 0, 0);
    logLayout->setSpacing(1);
    ToolBar1 = new QWidget(Panel6);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    buildToolBar1();
    Label35 = new QLabel(QStringLiteral(" "), Panel6);
    Label35->setObjectName(QStringLiteral("Label35"));
    Memo1 = new QPlainTextEdit(Panel6);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    logLayout->addWidget(ToolBar1);
    logLayout->addWidget(Label35);
    logLayout->addWidget(Memo1);
    right->addWidget(Panel3);
    right->addWidget(Panel6);
    right->setStretchFactor(0, 3);
    right->setStretchFactor(1, 1);
    measurements->addWidget(right, 1);

    Timer3 = new QTimer(this);
    Timer3->setObjectName(QStringLiteral("Timer3"));
    Timer3->setInterval(500);
    connect(Timer3, &QTimer::timeout, this, &TForm34::Timer3Timer);
}

void TForm34::buildMenus() {
    MainMenu1 = menuBar();
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    QMenu* system = MainMenu1->addMenu(QStringLiteral("System"));
    system->setObjectName(QStringLiteral("System1"));
    QMenu* file = MainMenu1->addMenu(QStringLiteral("Plik"));
    file->setObjectName(QStringLiteral("File1"));
    Open1 = makeAction(file, "Open1", QStringLiteral("Otwórz"));
    Saveas1 = makeAction(file, "Saveas1", QStringLiteral("Zapisz jako..."));
    Printchart1 = makeAction(file, "Printchart1", QStringLiteral("Drukuj wykres"));
    Exit1 = makeAction(file, "Exit1", QStringLiteral("Zamknij"));
    QMenu* setting = MainMenu1->addMenu(QStringLiteral("Setting"));
    setting->setObjectName(QStringLiteral("Seting1"));
    QMenu* help = MainMenu1->addMenu(QStringLiteral("Pomoc"));
    help->setObjectName(QStringLiteral("Help1"));
    Oprogramie1 = makeAction(help, "Oprogramie1", QStringLiteral("O programie"));
    connect(Exit1, &QAction::triggered, this, &TForm34::Exit1Click);
}

void TForm34::buildToolBar1() {
    // A row of buttons rather than a QToolBar, so each button is shown and hidden on its own.
    auto* row = new QHBoxLayout(ToolBar1);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    ToolButton1 = makeToolButton(ToolBar1, "ToolButton1",
                                 QStringLiteral("Show of measurement properties  ON/OFF"));
    ToolButton1->setText(QStringLiteral("X"));
    ToolButton2 = makeToolButton(ToolBar1, "ToolButton2", QStringLiteral("Monitorowanie"),
                                 QStyle::SP_MediaPlay);
    ToolButton2->setCheckable(true);
    ToolButton3 = makeSeparator(ToolBar1, "ToolButton3");
    ToolButton4 = makeToolButton(ToolBar1, "ToolButton4", QStringLiteral("Stop monitorowania"),
                                 QStyle::SP_MediaStop);
    ToolButton5 = makeSeparator(ToolBar1, "ToolButton5");
    ToolButton6 = makeToolButton(ToolBar1, "ToolButton6", QStringLiteral("Jeden pomiar"),
                                 QStyle::SP_MediaSkipForward);
    ToolButton15 = makeSeparator(ToolBar1, "ToolButton15");
    ToolButton20 = makeToolButton(ToolBar1, "ToolButton20", QStringLiteral("Zapisz jako tekst"),
                                  QStyle::SP_DialogSaveButton);
    row->addStretch(1);
    connect(ToolButton1, &QToolButton::clicked, this, &TForm34::ToolButton1Click);
}

void TForm34::buildStatusBar() {
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    StatusPanel0 = new QLabel(statusBar());
    StatusPanel0->setObjectName(QStringLiteral("StatusPanel0"));
    StatusPanel0->setFixedWidth(150);
    StatusPanel1 = new QLabel(statusBar());
    StatusPanel1->setObjectName(QStringLiteral("StatusPanel1"));
    StatusPanel1->setMinimumWidth(500);
    statusBar()->addWidget(StatusPanel0);
    statusBar()->addWidget(StatusPanel1, 1);
}

void TForm34::connectPages() {
    MonitoringController* m = m_monitoring;
    connect(ToolButton2, &QToolButton::clicked, m, &MonitoringController::ToolButton2Click);
    connect(ToolButton4, &QToolButton::clicked, m, &MonitoringController::ToolButton4Click);
    connect(ToolButton6, &QToolButton::clicked, m, &MonitoringController::ToolButton6Click);
    connect(TabSheet4, &ProgramSettingsPage::refreshPeriodClicked, m,
            &MonitoringController::Button2Click);
    connect(TabSheet4, &ProgramSettingsPage::saveConfigClicked, this, &TForm34::Button5Click);
    connect(TabSheet4, &ProgramSettingsPage::openConfigClicked, this, &TForm34::Button4Click);
    connect(TabSheet4, &ProgramSettingsPage::subtitleChanged, Panel3->chart(),
            &chart::ui::MonitorChart::setSubtitle);
    connect(TabSheet4, &ProgramSettingsPage::axisTitlesChanged, Panel3->chart(),
            &chart::ui::MonitorChart::setAxisTitles);
    connect(TabSheet4, &ProgramSettingsPage::lineWidthChanged, Panel3->chart(),
            &chart::ui::MonitorChart::setLineWidth);
    connect(TabSheet4, &ProgramSettingsPage::barModeChanged, Panel3,
            &chart::ui::ChartPanel::setBarViewVisible);
    connect(TabSheet4, &ProgramSettingsPage::autoLimitsChecked, this,
            [this] { guard([this] { Panel3->applyFixedLimits(); }); });
    connect(TabSheet13, &bench::ui::BenchTestsPage::serviceClicked, this, &TForm34::Button11Click);
    connect(Panel3, &chart::ui::ChartPanel::closeRequested, this, &TForm34::Close1Click);
    connect(Panel3, &chart::ui::ChartPanel::closeAndExitRequested, this,
            &TForm34::Closeandexit1Click);
    connect(Panel3, &chart::ui::ChartPanel::aboutRequested, this, [this] {
        if (m_about != nullptr) {
            m_about->exec();
        }
    });
    connect(Oprogramie1, &QAction::triggered, this, [this] {
        if (m_about != nullptr) {
            m_about->exec();
        }
    });
    connect(Panel1, &files::ui::FileBrowserPanel::expandedToggled, this,
            &TForm34::SpeedButton1Click);
    connect(Panel3, &chart::ui::ChartPanel::chartExpandedToggled, this,
            &TForm34::SpeedButton3Click);
    connect(m, &MonitoringController::ratesChanged, this, &TForm34::showRates);
    connect(m, &MonitoringController::saveStatusChanged, this,
            [this](const QString& text) { setStatusPanelText(1, text); });
    connect(m, &MonitoringController::cycleStatusChanged, this,
            [this](const QString& text) { setStatusPanelText(0, text); });
    connect(m, &MonitoringController::stopped, Panel1, &files::ui::FileBrowserPanel::refresh);
    connect(m, &MonitoringController::restartRequested, this, &TForm34::Closeandexit1Click);
    connect(m_bench, &bench::ui::BenchController::statusChanged, this,
            [this](const QString& text) { setStatusPanelText(1, text); });
    using files::ui::ExportController;
    connect(ToolButton20, &QToolButton::clicked, m_export, &ExportController::ToolButton20Click);
    connect(Saveas1, &QAction::triggered, m_export, &ExportController::Saveas1Click);
    connect(Printchart1, &QAction::triggered, m_export, &ExportController::Printchart1Click);
    connect(TabSheet6, &analysis::ui::AnalysisPage::copyAllRequested, m_export,
            &ExportController::Copyall1Click);
    connect(Open1, &QAction::triggered, m_fileLoad,
            [this] { guard([this] { m_fileLoad->Open1Click(); }); });
    connect(m_fileLoad, &files::ui::FileLoadController::statusChanged, this,
            [this](const QString& text) { setStatusPanelText(1, text); });
    connect(m_fileLoad, &files::ui::FileLoadController::companionSettingsLoaded, this,
            &TForm34::applyGeometryAndPanelSizes);
}

// ---------------------------------------------------------------------------------------------
// Start-up

void TForm34::runStartup() {
    if (!m_arguments.isEmpty() && m_arguments.first() == QLatin1String("START")) {
        m_monitoring->Timer8->start();
    }
    const QString exeName = QFileInfo(m_programPath).fileName();
    setWindowTitle(windowTitle() + QStringLiteral(" - ") + exeName);
    m_settingsFileName = acquisition::settingsFileNameFor(m_programPath);
    m_settingsDirectory = acquisition::settingsDirectoryFor(
        QCoreApplication::applicationDirPath(), m_startDirectory,
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    loadSettingsFile();
    TabSheet2->loadGridFiles(QDir::currentPath());
    m_session->settings().setDynamicMode(false);
    TabSheet3->prepareFunctionList();
    showTabOf(TabSheet6, false);
    showTabOf(TabSheet11, false);
    showTabOf(TabSheet1, false);
    showTabOf(TabSheet3, false);
    showTabOf(TabSheet4, false);
    showTabOf(TabSheet12, true);
    showTabOf(TabSheet13, true);
    TabSheet12->loadFromRecord();
    applyAttachment();
    for (int k = 1; k <= acquisition::SettingsRecord::kChannelCount; ++k) {
        if (m_session->settings().inputNumber(k) == 0) {
            m_session->settings().setInputNumber(k, 1);
        }
    }
    TabSheet3->selectChannel(m_session->settings().editedChannel());
    Panel3->chart()->applySeriesColors(m_session->settings());
    m_session->saveCounter().reset();
    m_monitoring->Timer1->stop();
    Panel3->chart()->resetForStart(m_session->settings());
    TabSheet3->selectChannel(m_session->settings().editedChannel());
    TabSheet1->loadObjectSelectors();
    showFileListDirectory();
    TabSheet4->loadFromRecord();
    Panel3->setBarViewVisible(m_session->settings().barChart());
    Panel3->chart()->setAxisTitles(m_session->settings().leftAxisTitle(),
                                   m_session->settings().rightAxisTitle());
    applyOperatorMode();
    storeMessageTexts();
    Timer3->start();
}

void TForm34::loadSettingsFile() {
    if (!acquisition::readSettingsDump(settingsFilePath(), m_session->settings())) {
        setStatusPanelText(1, QStringLiteral("Ustawiono domyślne parametry"));
        m_session->settings().applyMissingFileDefaults();
        applyPanelSizes();
        return;
    }
    applyGeometryAndPanelSizes();
}

void TForm34::showFileListDirectory() {
    const QString directory = m_session->settings().fileListDirectory();
    if (QFileInfo(directory).isDir()) {
        Panel1->setDirectory(directory);
    }
    Panel1->refresh();
}

void TForm34::applyGeometryAndPanelSizes() {
    const acquisition::SettingsRecord& s = m_session->settings();
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (s.windowWidth() > 0 && s.windowHeight() > 0 && screen != nullptr) {
        // The frame's size is known once the window has been shown; the frame stays on the
        // screen too.
        QRect area = screen->availableGeometry();
        area.setSize(area.size() - (frameGeometry().size() - size()));
        const QSize least = minimumSizeHint().expandedTo(minimumSize());
        resize(fittedLength(s.windowWidth(), least.width(), area.width()),
               fittedLength(s.windowHeight(), least.height(), area.height()));
        move(fittedStart(s.windowLeft(), area.left(), area.width(), width()),
             fittedStart(s.windowTop(), area.top(), area.height(), height()));
    }
    m_session->settings().raisePanelSizes();
    applyPanelSizes();
}

void TForm34::applyPanelSizes() {
    setSidePanelWidth(m_session->settings().panel1Width());
    setPropertiesPanelWidth(m_session->settings().propertiesPanelWidth());
    setChartPanelHeight(m_session->settings().panel3Height());
}

void TForm34::setSidePanelWidth(int panelWidth) {
    const int fitted = std::min(panelWidth, width());
    Splitter1->setSizes({fitted, std::max(1, width() - fitted)});
}

void TForm34::setPropertiesPanelWidth(int panelWidth) {
    // At most what the window has beside the least room of its other parts, so a stored width
    // never makes the window grow.
    const int share =
        Panel4->minimumWidth() > 0 ? Panel4->minimumWidth() : Panel4->minimumSizeHint().width();
    const int room = width() - (minimumSizeHint().width() - share);
    Panel4->setFixedWidth(std::min(panelWidth, std::max(room, kCollapsedWidth)));
}

void TForm34::applyAttachment() {
    if (m_session->link().attachControlBlock()) {
        ToolButton6->setEnabled(true);
        ToolButton2->setEnabled(true);
        ToolButton4->setEnabled(true);
        common::setDecimalSeparator(QLatin1Char('.'));
        showRates(monitor::ratesOf(m_session->link().control()));
        m_session->link().attachDataTable();
        return;
    }
    m_services.messages->show(QStringLiteral("Tryb tylko do odczytu"), QStringLiteral("Korvanta"));
    common::setDecimalSeparator(common::localeDecimalSeparator());
    ToolButton6->setEnabled(false);
    ToolButton2->setEnabled(false);
    ToolButton4->setEnabled(false);
    showTabOf(TabSheet2, false);
    m_monitoring->Timer8->stop();
}

void TForm34::showRates(const monitor::Rates& rates) {
    TabSheet2->setFrequencyText(rates.frequencyText);
    if (rates.frequencyEdit) {
        TabSheet6->edit39()->setText(*rates.frequencyEdit);
    }
    TabSheet2->setBufferSizeText(rates.bufferSizeText);
}

void TForm34::applyOperatorMode() {
    showTabOf(TabSheet12, true);
    TabSheet13->findChild<QWidget*>(QStringLiteral("Button11"))->setVisible(true);
    setMonitoringButtonsVisible(false);
    Panel4->setFixedWidth(kOperatorPanel4Width);
    Panel1->show();
    Panel24->memo3()->clear();
    if (m_session->settings().autoLimits()) {
        guard([this] { Panel3->applyFixedLimits(); });
    }
}

void TForm34::storeMessageTexts() {
    m_messageTexts = {
        QStringLiteral("Ustaw częstotliwość próbkowania"),
        QStringLiteral("Ustaw częstość odświeżania"),
        QStringLiteral("Ustaw serię do analizy"),
        QStringLiteral("Brak danych do analizy"),
        QStringLiteral("Kanał jest nieaktywny"),
        QStringLiteral("Zaawansowane kanały \t\t\tschowaj            "),
        QStringLiteral("Zaawansowane kanały                              szczegóły >>      "),
        QStringLiteral("Brak serii do analizy"),
        QStringLiteral("Ustaw częstość pomiarów"),
    };
}

void TForm34::showTabOf(QWidget* page, bool visible) {
    if (auto* tabs = qobject_cast<QTabWidget*>(page->parentWidget()->parentWidget())) {
        tabs->setTabVisible(tabs->indexOf(page), visible);
    }
}

// ---------------------------------------------------------------------------------------------
// Activation, service mode, panels

void TForm34::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        FormActivate();
    }
}

void TForm34::FormActivate() {
    if (!m_session->link().readOnlyMode()) {
        m_session->link().attachDataTable();
    }
}

bool TForm34::serviceMode() const {
    return PageControl1->isTabVisible(PageControl1->indexOf(TabSheet3)) ||
           PageControl1->isTabVisible(PageControl1->indexOf(TabSheet4));
}

void TForm34::Button11Click() {
    const bool toService = !serviceMode();
    setServiceTabsVisible(toService);
    setMonitoringButtonsVisible(toService);
    if (!toService) {
        showTabOf(TabSheet12, true);
    }
    if (m_testParameters != nullptr) {
        m_testParameters->setServiceMode(toService);
        m_testParameters->setVisible(toService);
    }
}

void TForm34::setServiceTabsVisible(bool visible) {
    // Service mode opens every subsystem: the channel editor and program settings, and also the
    // "Obiekt", advanced and analysis pages that operator mode keeps out of sight.
    for (QWidget* page :
         std::initializer_list<QWidget*>{TabSheet1, TabSheet3, TabSheet4, TabSheet11}) {
        showTabOf(page, visible);
    }
    PageControl2->setTabVisible(PageControl2->indexOf(TabSheet6), visible);
    m_analysis->setMoveToAnalysisVisible(visible);
}

analysis::ui::AnalysisSources TForm34::analysisSources() {
    analysis::ui::AnalysisSources sources;
    sources.recordCount = [this]() -> std::optional<int> {
        if (m_session->link().readOnlyMode()) {
            return std::nullopt;
        }
        return m_session->link().control().recordCount();
    };
    sources.bufferLengthText = [this] {
        return TabSheet2->findChild<QLabel*>(QStringLiteral("Label7"))->text();
    };
    sources.frequencyText = [this] {
        return TabSheet2->findChild<QLabel*>(QStringLiteral("Label6"))->text();
    };
    sources.inputName = [this](int n) {
        return TabSheet2->inputName(n);
    };
    sources.inputNote = [this](int n) {
        return TabSheet2->inputDescription(n);
    };
    return sources;
}

void TForm34::setMonitoringButtonsVisible(bool visible) {
    for (QToolButton* b :
         {ToolButton2, ToolButton3, ToolButton4, ToolButton5, ToolButton6, ToolButton15}) {
        b->setVisible(visible);
    }
}

void TForm34::ToolButton1Click() {
    setPropertiesPanelShown(!m_session->settings().propertiesPanelShown());
}

void TForm34::setPropertiesPanelShown(bool shown) {
    m_session->settings().setPropertiesPanelShown(shown);
    if (shown) {
        if (m_session->settings().propertiesPanelWidth() < kCollapsedWidth) {
            m_session->settings().setPropertiesPanelWidth(kCollapsedWidth);
        }
        setPropertiesPanelWidth(m_session->settings().propertiesPanelWidth());
        ToolButton1->setText(QStringLiteral("X"));
    } else {
        Panel4->setFixedWidth(kCollapsedWidth);
        ToolButton1->setText(QStringLiteral(">"));
    }
}

void TForm34::SpeedButton1Click(bool expand) {
    m_session->settings().setFileBrowserExpanded(expand);
    setSidePanelWidth(expand ? m_session->settings().panel1Width()
                             : acquisition::SettingsRecord::kMinimumPanelSize);
}

void TForm34::SpeedButton3Click(bool expand) {
    m_session->settings().setChartPanelExpanded(expand);
    setChartPanelHeight(expand ? m_session->settings().panel3Height()
                               : acquisition::SettingsRecord::kMinimumPanelSize);
}

void TForm34::setChartPanelHeight(int panelHeight) {
    const int fitted = std::min(panelHeight, height());
    m_chartSplitter->setSizes({fitted, std::max(1, height() - fitted)});
}

void TForm34::Timer3Timer() {
    guard([this] { TabSheet1->refresh(m_session->currentValues()); });
}

QString TForm34::settingsFilePath() const {
    return QDir(m_settingsDirectory).filePath(m_settingsFileName);
}

QString TForm34::statusPanelText(int panel) const {
    return panel == 0 ? StatusPanel0->text() : StatusPanel1->text();
}

void TForm34::setStatusPanelText(int panel, const QString& text) {
    (panel == 0 ? StatusPanel0 : StatusPanel1)->setText(text);
}

// ---------------------------------------------------------------------------------------------
// Configuration files

void TForm34::Button5Click() {
    storeGeometry();
    platform::FileDialogRequest request;
    request.caption = QStringLiteral("Zapisz konfig.");
    request.initialDirectory = m_session->settings().configDirectory();
    request.fileName = QStringLiteral(".bupas");
    request.filter = QStringLiteral("*.bupas file|*.bupas");
    const auto chosen = m_services.dialogs->saveFile(request);
    if (!chosen) {
        return;
    }
    m_session->settings().setConfigDirectory(QFileInfo(*chosen).absolutePath() + QLatin1Char('/'));
    if (!acquisition::writeSettingsDump(acquisition::configFileName(*chosen),
                                        m_session->settings())) {
        m_services.messages->show(QStringLiteral("Save error "), QStringLiteral("DIM"));
    }
}

void TForm34::Button4Click() {
    platform::FileDialogRequest request;
    request.caption = QStringLiteral("Otwórz konfig.");
    const QString directory = m_session->settings().configDirectory();
    if (!directory.isEmpty() && QDir::setCurrent(directory)) {
        request.initialDirectory = directory;
    }
    request.fileName = QStringLiteral("*.bupas");
    request.filter = QStringLiteral("*.bupas file|*.bupas");
    const auto chosen = m_services.dialogs->openFile(request);
    if (!chosen) {
        return;
    }
    acquisition::SettingsRecord loaded = m_session->settings();
    if (!acquisition::readSettingsDump(*chosen, loaded)) {
        m_services.messages->show(QStringLiteral("Open error "), QStringLiteral("DIM"));
        return;
    }
    m_session->settings() = loaded;
    applyConfiguration();
}

void TForm34::applyConfiguration() {
    applyGeometryAndPanelSizes();
    TabSheet3->loadFromRecord();
    TabSheet4->loadConfigurationFields();
    if (m_session->settings().autoLimits()) {
        guard([this] { Panel3->applyFixedLimits(); });
    }
    Panel3->chart()->applySeriesColors(m_session->settings());
    m_session->saveCounter().reset();
    m_monitoring->Timer1->stop();
    Panel3->chart()->resetForStart(m_session->settings());
    TabSheet3->loadFromRecord();
    TabSheet1->loadSelectors();
    showFileListDirectory();
    Panel3->chart()->setAxisTitles(m_session->settings().leftAxisTitle(),
                                   m_session->settings().rightAxisTitle());
    if (serviceMode()) {
        showTabOf(TabSheet1, true);
        PageControl1->setCurrentWidget(TabSheet1);
    }
}

// ---------------------------------------------------------------------------------------------
// Closing paths

void TForm34::storeGeometry() {
    m_session->settings().setWindowGeometry(x(), y(), width(), height());
}

void TForm34::storePanelSizes() {
    const QList<int> sizes = Splitter1->sizes();
    if (!sizes.isEmpty()) {
        m_session->settings().setPanel1Width(sizes[0]);
    }
    m_session->settings().setPropertiesPanelWidth(Panel4->width());
    m_session->settings().setPanel3Height(Panel3->height());
}

void TForm34::writeSettingsFile() {
    QDir::setCurrent(m_startDirectory);
    const auto written = acquisition::writeSettingsDump(settingsFilePath(), m_session->settings());
    if (written) {
        return;
    }
    if (m_closingOnTermination) {
        const QString line = QStringLiteral("Save error : %1 (%2)\n")
                                 .arg(written.reason(), QDir::cleanPath(settingsFilePath()));
        std::fputs(line.toLocal8Bit().constData(), stderr);
        return;
    }
    m_services.messages->show(QStringLiteral("Save error "), QStringLiteral("DIM"));
}

void TForm34::runClosingPath(ClosingPath path) {
    if (m_closing) {
        return;
    }
    m_closing = true;
    m_bench->stopForClosing();
    m_monitoring->stopAll();
    Timer3->stop();
    if (path != ClosingPath::Exit) {
        m_session->link().sendCommand(kStopCommand);
    }
    if (path == ClosingPath::CloseAndExit) {
        m_session->link().requestEnd();
        storePanelSizes();
    }
    storeGeometry();
    writeSettingsFile();
    if (m_services.endApplication) {
        m_services.endApplication();
    }
}

void TForm34::Exit1Click() {
    runClosingPath(ClosingPath::Exit);
}
void TForm34::Close1Click() {
    runClosingPath(ClosingPath::Close);
}
void TForm34::Closeandexit1Click() {
    runClosingPath(ClosingPath::CloseAndExit);
}

void TForm34::closeOnTermination() {
    m_closingOnTermination = true;
    close();
}

void TForm34::closeEvent(QCloseEvent* event) {
    Exit1Click();
    event->accept();
}

} // namespace korvanta::app::ui
