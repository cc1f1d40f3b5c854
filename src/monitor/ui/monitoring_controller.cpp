#include "monitor/ui/monitoring_controller.h"

#include "chart/ui/channel_editor_page.h"
#include "chart/ui/chart_panel.h"
#include "chart/ui/monitor_chart.h"
#include "monitor/auto_restart.h"
#include "monitor/period.h"
#include "monitor/ui/address_mode_view.h"
#include "monitor/ui/advanced_page.h"
#include "monitor/ui/dump_progress_window.h"
#include "monitor/ui/log_memo.h"
#include "monitor/ui/program_settings_page.h"
#include "monitor/ui/system_properties_page.h"
#include "platform/handler_guard.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTimer>
#include <QToolButton>

namespace korvanta::monitor::ui {
namespace {

constexpr int kAutoStartDelayMs = 10000;

QTimer* makeTimer(QObject* parent, const char* name, int interval, bool singleShot = false) {
    auto* timer = new QTimer(parent);
    timer->setObjectName(QLatin1String(name));
    timer->setInterval(interval);
    timer->setSingleShot(singleShot);
    return timer;
}

} // namespace

MonitoringController::MonitoringController(MonitoringSession& session,
                                           const platform::Services& services,
                                           MonitoringPages pages, QString startDirectory,
                                           QObject* parent)
    : QObject(parent), m_session(session), m_services(services), m_pages(pages),
      m_startDirectory(std::move(startDirectory)) {
    setObjectName(QStringLiteral("MonitoringController"));
    Timer1 = makeTimer(this, "Timer1", 100);
    Timer4 = makeTimer(this, "Timer4", 200);
    Timer8 = makeTimer(this, "Timer8", kAutoStartDelayMs, true);
    connect(Timer1, &QTimer::timeout, this, &MonitoringController::ToolButton6Click);
    connect(Timer4, &QTimer::timeout, this, &MonitoringController::Timer4Timer);
    connect(Timer8, &QTimer::timeout, this, &MonitoringController::Timer8Timer);
    m_address = new AddressModeView(m_pages, m_startDirectory, this);
    connect(m_address, &AddressModeView::ratesChanged, this, &MonitoringController::ratesChanged);
    connect(m_address, &AddressModeView::saveStatusChanged, this,
            &MonitoringController::saveStatusChanged);
    connect(m_pages.advanced.saveBufferButton(), &QPushButton::clicked, this,
            &MonitoringController::Button7Click);
}

bool MonitoringController::guard(const std::function<void()>& handler) {
    return platform::runGuarded(*m_services.messages, handler);
}

bool MonitoringController::running() const {
    return Timer1->isActive() || Timer4->isActive();
}

void MonitoringController::stopAll() {
    Timer1->stop();
    Timer4->stop();
    Timer8->stop();
}

bool MonitoringController::periodIntervalOrWarn(int& interval) {
    const auto valid = monitoringInterval(m_pages.program.periodText());
    if (!valid) {
        // A period of 0 s (or a text not of the form hh:mm:ss.zzz) would run the cycle timer at
        // interval 0 and spin the event loop; the timer stays off instead.
        m_services.messages->show(QStringLiteral("Ustaw częstość pomiarów"),
                                  QStringLiteral("ERROR"));
        return false;
    }
    interval = *valid;
    return true;
}

void MonitoringController::clearForNewMeasurement() {
    m_pages.log.clear();
    m_pages.chart.chart()->clearForNewMeasurement();
    m_session.startNewMeasurement(m_services.clock->now());
}

void MonitoringController::askOrClearForNewMeasurement() {
    if (m_pages.program.fileName() == m_session.previousFileName()) {
        const bool fresh = m_services.messages->askYesNo(
            QStringLiteral("Jeśli chcesz zacząć nowy pomiar wciśnij TAK, jeśli chcesz kontynuować "
                           "poprzedni wciśnij NIE."),
            QStringLiteral("Nowy pomiar?"));
        if (fresh) {
            clearForNewMeasurement();
        }
        return;
    }
    clearForNewMeasurement();
}

void MonitoringController::ToolButton2Click() {
    guard([this] {
        int interval = 0;
        if (!periodIntervalOrWarn(interval)) {
            return;
        }
        askOrClearForNewMeasurement();
        m_session.ensureDataTable();
        ProgramSettingsPage& program = m_pages.program;
        if (program.staticMode()) {
            m_pages.startButton.setChecked(true);
            m_pages.advanced.reportMemo()->clear();
            m_pages.channels.setMonitoringState(true);
            m_pages.chart.chart()->clearForNewMeasurement();
            Timer1->setInterval(interval);
            Timer1->start();
            m_tickCount = 0;
            m_load.start(interval);
            m_monotonic.start();
            emit cycleStatusChanged(QStringLiteral("Monitorowanie"));
            m_pages.chart.prepareForMonitoringStart();
        }
        if (program.dynamicMode()) {
            Timer4->setInterval(interval);
            Timer4->start();
        }
        m_pages.chart.chart()->setHoldsFile(false);
        m_pages.startButton.setEnabled(false);
        m_pages.chart.setAutoScaling(true);
        program.setModeButtonsEnabled(false);
    });
}

void MonitoringController::ToolButton4Click() {
    guard([this] {
        ProgramSettingsPage& program = m_pages.program;
        if (program.staticMode()) {
            m_pages.startButton.setChecked(false);
            Timer1->stop();
            emit cycleStatusChanged(QString());
            m_pages.channels.setMonitoringState(false);
        }
        if (program.dynamicMode()) {
            Timer4->stop();
        }
        emit stopped();
        m_pages.startButton.setEnabled(true);
        program.setModeButtonsEnabled(true);
        m_session.setPreviousFileName(program.fileName());
        m_pages.chart.setAutoScaling(false);
    });
}

void MonitoringController::ToolButton6Click() {
    if (m_dumping) {
        return;
    }
    const bool cycleTick = Timer1->isActive();
    if (cycleTick) {
        m_load.tickStarted(m_monotonic.elapsed());
    }
    runCycle();
    if (cycleTick) {
        m_load.tickEnded(m_monotonic.elapsed());
        showCycleStatus();
    }
}

void MonitoringController::showCycleStatus() {
    ++m_tickCount;
    const QString overload = m_load.overloadText();
    emit cycleStatusChanged(
        overload.isEmpty() ? QStringLiteral("Monitorowanie: %1").arg(m_tickCount) : overload);
}

void MonitoringController::runCycle() {
    guard([this] {
        m_session.ensureDataTable();
        m_pages.system.setChannelCount(m_session.link().control().channelCount());
        runModeStep();
        if (m_pages.program.reportsSelected()) {
            RaportyN();
        }
    });
    // The stall watch runs even when a step ended with a conversion error.
    guard([this] { stallWatch(); });
}

void MonitoringController::runModeStep() {
    if (!m_pages.program.measurementsSelected()) {
        return;
    }
    if (!m_pages.advanced.addressCheck()->isChecked()) {
        pomiaryN();
        return;
    }
    adresPomiaryN();
}

void MonitoringController::stallWatch() {
    acquisition::AcquisitionLink& link = m_session.link();
    if (link.checkNewRecord() == acquisition::RecordArrival::Same &&
        m_pages.advanced.autoRestart()->isChecked()) {
        const double current = link.lastTimeStamp();
        autoRestart();
        // When monitoring goes on (no restart program), the watch holds the current record's
        // time stamp again, so a stall that lasts is acted on at every tick.
        link.setLastTimeStamp(current);
    }
}

void MonitoringController::autoRestart() {
    acquisition::AcquisitionLink& link = m_session.link();
    link.setLastTimeStamp(0);
    link.requestEnd();
    QDir::setCurrent(m_startDirectory);
    if (!restartAvailable(m_startDirectory)) {
        return;
    }
    m_services.launcher->startDetached(QLatin1String(kRestartProgram), {}, m_startDirectory);
    emit restartRequested();
}

void MonitoringController::Button2Click() {
    guard([this] {
        int interval = 0;
        if (periodIntervalOrWarn(interval)) {
            Timer1->setInterval(interval);
            m_load.setPeriod(interval);
        }
    });
}

void MonitoringController::Timer8Timer() {
    ToolButton2Click();
    m_pages.program.setSaveEveryChecked(true);
    m_pages.advanced.extraReport()->setChecked(true);
    m_pages.advanced.extraNetFile()->setChecked(true);
    Timer8->stop();
}

void MonitoringController::Timer4Timer() {
    if (m_dumping) {
        return;
    }
    guard([this] {
        m_session.ensureDataTable();
        const acquisition::TickView tick = m_session.link().tick();
        m_pages.chart.chart()->rysowanieD(tick, m_session.settings(),
                                          m_pages.channels.vectorChannel());
        m_pages.chart.applyAutoScaling();
    });
}

void MonitoringController::Action1Execute() {
    m_pages.chart.chart()->addLivePoints(m_session.settings(), m_session.currentValues(),
                                         m_services.clock->now(), m_pages.chart.visible1Checked());
}

void MonitoringController::showSaveResult(bool saved, const QString& failure, const QString& path) {
    if (!saved) {
        return;
    }
    // A good save replaces an earlier "Save error", so the panel never tells of a past failure.
    const QString status =
        failure.isEmpty() ? QStringLiteral("Save file: ") : QStringLiteral("Save error: ");
    emit saveStatusChanged(status + QFileInfo(path).fileName());
}

MeasurementInputs MonitoringController::measurementInputs() const {
    const ProgramSettingsPage& program = m_pages.program;
    MeasurementInputs inputs;
    inputs.now = m_services.clock->now();
    inputs.zeroChecked = m_pages.channels.zeroChecked();
    inputs.saveEvery = program.saveEveryChecked();
    inputs.saveEveryText = program.saveEveryText();
    inputs.addressFileBase = m_pages.advanced.addressFileName()->text();
    inputs.fileName = program.fileName();
    inputs.fileDescription = program.fileDescription();
    inputs.lineLimitText = program.lineLimitText();
    inputs.memoLineCount = lineCount(m_pages.log);
    return inputs;
}

void MonitoringController::showMeasurement(const MeasurementResult& result) {
    // The labels show what the step reached even when a typed number ended it early.
    emit ratesChanged(result.rates);
    m_pages.system.systemLabel()->setText(result.label55);
    showSaveResult(result.saved, result.saveFailure, result.savePath);
    if (result.conversionError) {
        return;
    }
    if (result.deleteFirstMemoLine) {
        removeFirstLine(m_pages.log);
    }
    m_pages.chart.chart()->setHoldsFile(false);
    m_pages.chart.applyAutoScaling();
}

void MonitoringController::pomiaryN() {
    const MeasurementResult result =
        m_session.measure(m_session.link().tick(), measurementInputs());
    showMeasurement(result);
    if (result.conversionError) {
        throw *result.conversionError;
    }
}

void MonitoringController::RaportyN() {
    m_pages.log.clear();
    m_pages.logHeader.setText(QStringLiteral(" "));
    ReportInputs inputs;
    inputs.now = m_services.clock->now();
    inputs.zeroChecked = m_pages.channels.zeroChecked();
    inputs.functionNames = m_pages.channels.functionNames();
    const QStringList lines = m_session.report(m_session.link().tick(), inputs);
    m_pages.log.setPlainText(lines.join(QLatin1Char('\n')));
    Action1Execute();
    const ProgramSettingsPage& program = m_pages.program;
    ReportSaveInputs save;
    save.reportsSelected = program.reportsSelected();
    save.saveEvery = program.saveEveryChecked();
    save.saveEveryText = program.saveEveryText();
    save.fileName = program.fileName();
    save.fileDescription = program.fileDescription();
    const ReportSaveResult saved = m_session.saveReport(save, lines);
    showSaveResult(saved.saved, saved.saveFailure, saved.savePath);
    m_pages.chart.chart()->setHoldsFile(false);
    m_pages.chart.applyAutoScaling();
}

void MonitoringController::adresPomiaryN() {
    DumpProgressWindow progress(m_pages.log.window());
    AddressInputs inputs = m_address->inputs(m_services.clock->now());
    inputs.progress = [&progress](int done, int total) {
        progress.report(done, total);
    };
    AddressTickResult result;
    {
        const QScopedValueRollback<bool> busy(m_dumping, true);
        result = m_session.addressTick(m_session.link().tick(), inputs);
    }
    if (result.action == AddressAction::RunAddressStep) {
        m_address->show(result, [this] { Action1Execute(); });
    }
    if (const auto error = result.conversionError()) {
        throw *error;
    }
}

void MonitoringController::Button7Click() {
    if (m_dumping) {
        return;
    }
    guard([this] {
        m_session.ensureDataTable();
        DumpProgressWindow progress(m_pages.log.window());
        BufferDumpResult dump;
        {
            const QScopedValueRollback<bool> busy(m_dumping, true);
            dump = m_session.dumpBuffer(
                m_session.link().tick(), m_services.clock->now(),
                m_pages.advanced.dynamicDirectory()->text(),
                [&progress](int done, int total) { progress.report(done, total); });
        }
        m_address->showDump(dump);
    });
}

} // namespace korvanta::monitor::ui
