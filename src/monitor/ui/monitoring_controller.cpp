#include "monitor/ui/monitoring_controller.h"

#include "analysis/ui/analysis_page.h"
#include "chart/ui/channel_editor_page.h"
#include "chart/ui/chart_panel.h"
#include "chart/ui/monitor_chart.h"
#include "common/handler_guard.h"
#include "files/ui/file_browser_panel.h"
#include "monitor/auto_restart.h"
#include "monitor/channel_functions.h"
#include "monitor/measurement_step.h"
#include "monitor/period.h"
#include "monitor/report_step.h"
#include "monitor/ui/advanced_page.h"
#include "monitor/ui/program_settings_page.h"
#include "monitor/ui/system_properties_page.h"
#include "monitor/ui/tform34.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTextBlock>
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

void removeFirstLine(QPlainTextEdit& memo) {
    QTextCursor cursor(memo.document());
    cursor.movePosition(QTextCursor::Start);
    if (!cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor)) {
        cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    }
    cursor.removeSelectedText();
}

} // namespace

MonitoringController::MonitoringController(TForm34& window) : QObject(&window), m_window(window) {
    setObjectName(QStringLiteral("MonitoringController"));
    Timer1 = makeTimer(&window, "Timer1", 100);
    Timer4 = makeTimer(&window, "Timer4", 200);
    Timer8 = makeTimer(&window, "Timer8", kAutoStartDelayMs, true);
    connect(Timer1, &QTimer::timeout, this, &MonitoringController::ToolButton6Click);
    connect(Timer4, &QTimer::timeout, this, &MonitoringController::Timer4Timer);
    connect(Timer8, &QTimer::timeout, this, &MonitoringController::Timer8Timer);
}

bool MonitoringController::guard(const std::function<void()>& handler) {
    return common::runGuarded(*m_window.services().messages, handler);
}

bool MonitoringController::running() const {
    return Timer1->isActive() || Timer4->isActive();
}

bool MonitoringController::periodIntervalOrWarn(int& interval) {
    const auto valid = monitoringInterval(m_window.TabSheet4->periodText());
    if (!valid) {
        // A period of 0 s (or a text not of the form hh:mm:ss.zzz) would run the cycle timer at
        // interval 0 and spin the event loop; the timer stays off instead.
        m_window.services().messages->show(m_window.messageText(8), QStringLiteral("ERROR"));
        return false;
    }
    interval = *valid;
    return true;
}

void MonitoringController::clearForNewMeasurement() {
    m_window.Memo1->clear();
    m_window.Panel3->chart()->clearForNewMeasurement();
    m_startTime = m_window.services().clock->now();
}

void MonitoringController::askOrClearForNewMeasurement() {
    if (m_window.TabSheet4->fileName() == m_previousFileName) {
        const bool fresh = m_window.services().messages->askYesNo(
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
        ensureDataTable();
        ProgramSettingsPage& program = *m_window.TabSheet4;
        if (program.staticMode()) {
            m_window.ToolButton2->setChecked(true);
            m_window.TabSheet11->reportMemo()->clear();
            m_window.TabSheet3->setMonitoringState(true);
            m_window.Panel3->chart()->clearForNewMeasurement();
            Timer1->setInterval(interval);
            Timer1->start();
            m_window.Panel3->prepareForMonitoringStart();
        }
        if (program.dynamicMode()) {
            Timer4->setInterval(interval);
            Timer4->start();
        }
        m_window.Panel3->chart()->setHoldsFile(false);
        m_window.ToolButton2->setEnabled(false);
        m_window.Panel3->setAutoScaling(true);
        program.setModeButtonsEnabled(false);
    });
}

void MonitoringController::ToolButton4Click() {
    guard([this] {
        ProgramSettingsPage& program = *m_window.TabSheet4;
        if (program.staticMode()) {
            m_window.ToolButton2->setChecked(false);
            Timer1->stop();
            m_window.TabSheet3->setMonitoringState(false);
        }
        if (program.dynamicMode()) {
            Timer4->stop();
        }
        m_window.Panel1->refresh();
        m_window.ToolButton2->setEnabled(true);
        program.setModeButtonsEnabled(true);
        m_previousFileName = program.fileName();
        m_window.Panel3->setAutoScaling(false);
    });
}

void MonitoringController::ToolButton6Click() {
    guard([this] {
        ensureDataTable();
        const acquisition::ControlBlock block = m_window.link().control();
        m_window.TabSheet2->setChannelCount(block.channelCount());
        runModeStep();
        if (m_window.TabSheet4->reportsSelected()) {
            RaportyN();
        }
    });
    // The stall watch runs even when a step ended with a conversion error.
    guard([this] { stallWatch(); });
}

void MonitoringController::runModeStep() {
    if (!m_window.TabSheet4->measurementsSelected()) {
        return;
    }
    if (!m_window.TabSheet11->addressCheck()->isChecked()) {
        pomiaryN();
        return;
    }
    acquisition::ControlBlock block = m_window.link().control();
    switch (dispatchAddress(block.systemAddress(), m_window.TabSheet11->addressList()->text(),
                            m_address)) {
    case AddressAction::NotListed:
        block.setAddressFlag(0);
        break;
    case AddressAction::TakeMedian:
        m_window.median().takeMedian();
        break;
    case AddressAction::RunAddressStep:
        // The address step with its dynamic recording is not part of this program yet; the
        // tick is counted so the median is still taken every fifth address tick.
        m_window.link().setLastTimeStamp(0);
        ++m_address.addressPassCount;
        break;
    }
}

void MonitoringController::stallWatch() {
    switch (m_window.link().checkNewRecord()) {
    case acquisition::RecordArrival::Same:
        if (m_window.TabSheet11->autoRestart()->isChecked()) {
            autoRestart();
        }
        break;
    case acquisition::RecordArrival::New:
    case acquisition::RecordArrival::Older:
    case acquisition::RecordArrival::NoData:
        break;
    }
}

void MonitoringController::autoRestart() {
    m_window.link().setLastTimeStamp(0);
    m_window.link().requestEnd();
    QDir::setCurrent(m_window.startDirectory());
    if (!restartAvailable(m_window.startDirectory())) {
        return;
    }
    m_window.services().launcher->startDetached(QLatin1String(kRestartProgram), {},
                                                m_window.startDirectory());
    m_window.Closeandexit1Click();
}

void MonitoringController::ensureDataTable() {
    acquisition::AcquisitionLink& link = m_window.link();
    if (!link.readOnlyMode() && !link.tick().hasData() && link.control().recordCount() > 0) {
        link.attachDataTable();
    }
}

void MonitoringController::Button2Click() {
    guard([this] {
        int interval = 0;
        if (periodIntervalOrWarn(interval)) {
            Timer1->setInterval(interval);
        }
    });
}

void MonitoringController::Timer8Timer() {
    ToolButton2Click();
    m_window.TabSheet4->setSaveEveryChecked(true);
    m_window.TabSheet11->extraReport()->setChecked(true);
    m_window.TabSheet11->extraNetFile()->setChecked(true);
    Timer8->stop();
}

void MonitoringController::Timer4Timer() {
    guard([this] {
        ensureDataTable();
        const acquisition::TickView tick = m_window.link().tick();
        m_window.Panel3->chart()->rysowanieD(tick, m_window.settings(),
                                             m_window.TabSheet3->vectorChannel());
        applyAutoScaling();
    });
}

void MonitoringController::applyAutoScaling() {
    m_window.Panel3->applyAutoScaling();
}

void MonitoringController::Action1Execute() {
    m_window.Panel3->chart()->addLivePoints(m_window.settings(), m_window.currentValues(),
                                            m_window.services().clock->now(),
                                            m_window.Panel3->visible1Checked());
}

void MonitoringController::showSaveFailure(bool failed, const QString& path) {
    if (failed) {
        m_window.setStatusPanelText(1, QStringLiteral("Save error: ") + QFileInfo(path).fileName());
    }
}

void MonitoringController::pomiaryN() {
    const acquisition::TickView tick = m_window.link().tick();
    ChannelContext context{m_window.settings(),      tick,
                           m_window.currentValues(), m_window.power(),
                           m_window.median(),        m_window.TabSheet3->zeroChecked()};
    const ProgramSettingsPage& program = *m_window.TabSheet4;
    MeasurementInputs inputs;
    inputs.realTimeStamps = m_window.settings().realTimeStamps();
    inputs.now = m_window.services().clock->now();
    inputs.startTime = m_startTime;
    inputs.saveEvery = program.saveEveryChecked();
    inputs.saveEveryText = program.saveEveryText();
    inputs.addressFileBase = m_window.TabSheet11->addressFileName()->text();
    inputs.fileName = program.fileName();
    inputs.fileDescription = program.fileDescription();
    inputs.dataDirectory = m_window.settings().dataDirectory();
    inputs.lineLimitText = program.lineLimitText();
    inputs.memoLineCount = m_window.Memo1->document()->isEmpty() ? 0 : m_window.Memo1->blockCount();
    MeasurementResult result;
    // The labels show what the step reached even when a typed number ends it early.
    const auto show = qScopeGuard([this, &result] {
        SystemPropertiesPage& system = *m_window.TabSheet2;
        system.setFrequencyText(result.frequencyText);
        if (result.frequencyEdit) {
            m_window.TabSheet6->edit39()->setText(*result.frequencyEdit);
        }
        system.setBufferSizeText(result.bufferSizeText);
        system.systemLabel()->setText(result.label55);
        showSaveFailure(result.saveFailed, result.savePath);
    });
    runMeasurementStep(context, inputs, m_saveCounter, result);
    if (result.deleteFirstMemoLine) {
        removeFirstLine(*m_window.Memo1);
    }
    m_window.Panel3->chart()->setHoldsFile(false);
    applyAutoScaling();
}

void MonitoringController::RaportyN() {
    m_window.Memo1->clear();
    const acquisition::TickView tick = m_window.link().tick();
    m_window.Label35->setText(QStringLiteral(" "));
    ChannelContext context{m_window.settings(),      tick,
                           m_window.currentValues(), m_window.power(),
                           m_window.median(),        m_window.TabSheet3->zeroChecked()};
    ReportInputs inputs;
    inputs.realTimeStamps = m_window.settings().realTimeStamps();
    inputs.now = m_window.services().clock->now();
    inputs.startTime = m_startTime;
    inputs.functionNames = m_window.TabSheet3->functionNames();
    const QStringList lines = buildReport(context, inputs);
    m_window.Memo1->setPlainText(lines.join(QLatin1Char('\n')));
    Action1Execute();
    const ProgramSettingsPage& program = *m_window.TabSheet4;
    ReportSaveInputs save;
    save.reportsSelected = program.reportsSelected();
    save.saveEvery = program.saveEveryChecked();
    save.saveEveryText = program.saveEveryText();
    save.fileName = program.fileName();
    save.fileDescription = program.fileDescription();
    save.dataDirectory = m_window.settings().dataDirectory();
    const ReportSaveResult saved = saveReport(m_window.settings(), save, lines, m_saveCounter);
    showSaveFailure(saved.saveFailed, saved.savePath);
    m_window.Panel3->chart()->setHoldsFile(false);
    applyAutoScaling();
}

} // namespace korvanta::monitor::ui
