#include "bench/ui/bench_controller.h"

#include "bench/test_record.h"
#include "bench/ui/bench_settings_page.h"
#include "bench/ui/bench_tests_page.h"
#include "bench/ui/test_report_pdf.h"
#include "bench/ui/tform9.h"
#include "chart/ui/chart_panel.h"
#include "chart/ui/monitor_chart.h"
#include "common/day_time.h"
#include "monitor/data_directory.h"
#include "monitor/monitoring_session.h"
#include "monitor/ui/monitoring_controller.h"
#include "platform/handler_guard.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

namespace korvanta::bench::ui {
namespace {

const QString kError = QStringLiteral("Błąd");

} // namespace

BenchController::BenchController(monitor::MonitoringSession& session,
                                 const platform::Services& services, BenchPages pages,
                                 QObject* parent)
    : QObject(parent), m_session(session), m_services(services), m_pages(pages), m_run(session) {
    setObjectName(QStringLiteral("BenchController"));
    m_monotonic.start();
    Timer9 = makeTimer("Timer9", 1000, &BenchController::Timer9Timer);
    Timer10 = makeTimer("Timer10", PreparationRun::kInterval, &BenchController::Timer10Timer);
    Timer11 = makeTimer("Timer11", 200, &BenchController::Timer11Timer);
    Timer12 = makeTimer("Timer12", 1000, &BenchController::Timer12Timer);
    connectButtons();
    Timer11->start();
}

QTimer* BenchController::makeTimer(const char* name, int interval,
                                   void (BenchController::*slot)()) {
    auto* timer = new QTimer(this);
    timer->setObjectName(QLatin1String(name));
    timer->setInterval(interval);
    connect(timer, &QTimer::timeout, this, slot);
    return timer;
}

void BenchController::connectButtons() {
    BenchTestsPage& page = m_pages.tests;
    connect(page.startButton(), &QPushButton::clicked, this, &BenchController::Button10Click);
    connect(page.stopButton(), &QPushButton::clicked, this, &BenchController::Button12Click);
    connect(page.prepareButton(), &QPushButton::clicked, this, &BenchController::Button16Click);
    connect(page.emergencyUpButton(), &QPushButton::clicked, this, [this] { send(EmergencyUp); });
    connect(page.emergencyStopButton(), &QPushButton::clicked, this, [this] { send(Stop); });
    connect(page.emergencyDownButton(), &QPushButton::clicked, this,
            [this] { send(EmergencyDown); });
    connect(page.resetButton(), &QPushButton::clicked, this, [this] { send(-1); });
}

void BenchController::setParametersWindow(TForm9* window) {
    m_parameters = window;
    if (window == nullptr) {
        return;
    }
    for (int command = 0; command < TForm9::kCommandCount; ++command) {
        connect(window->commandButton(command), &QPushButton::clicked, this,
                [this, command] { send(command); });
    }
    connect(window, &TForm9::parametersChanged, this, &BenchController::publishParameters);
}

void BenchController::setTestRecord(TestRecordAccess access) {
    m_record = std::move(access);
}

bool BenchController::guard(const std::function<void()>& handler) {
    return platform::runGuarded(*m_services.messages, handler);
}

BenchStepInputs BenchController::inputs() const {
    BenchStepInputs in;
    in.measurement = m_pages.reading.measurementInputs();
    in.monotonicMs = m_monotonic.elapsed();
    return in;
}

void BenchController::send(int command) {
    guard([&] { m_run.sendCommand(command); });
}

void BenchController::publishParameters() {
    m_run.publishParameters();
}

// ---------------------------------------------------------------------------------------------
// START and the test steps

void BenchController::Button10Click() {
    guard([this] {
        const bool confirmed = m_record.confirmed && m_record.confirmed();
        if (const auto checked = m_run.checkStart(confirmed); !checked) {
            m_run.stopIfMoving();
            m_services.messages->show(checked.reason(), kError);
            return;
        }
        Timer11->stop();
        const BenchStepResult first = m_run.startStep(inputs());
        showTestReading(first);
        if (first.effects.alarmEntered) {
            refuseOverLimit(first.effects);
            return;
        }
        apply(first.effects);
        const QString question = m_run.takeZeros();
        m_pages.log.clear();
        m_pages.chart.chart()->clearForNewMeasurement();
        if (question.isEmpty() ||
            m_services.messages->askYesNo(question, QStringLiteral("Sprawdź poprawność!"))) {
            const RunnerEffects loading = m_run.beginLoading(m_monotonic.elapsed());
            Timer9->setInterval(*loading.timerInterval);
            Timer9->start();
            setRunControlsEnabled(false);
        }
        Timer12->start();
    });
}

// Over a limit before the test began: the stop command went out and the test does not start, so
// a press past its limit never receives the loading command.
void BenchController::refuseOverLimit(const RunnerEffects& effects) {
    m_pages.tests.setForceAlarm(effects.forceAlarm);
    m_pages.tests.setDisplacementAlarm(effects.displacementAlarm);
    appendLog(effects);
    emit statusChanged(effects.alarmCause);
    Timer11->start();
}

void BenchController::Timer9Timer() {
    guard([this] {
        const BenchStepResult step = m_run.testStep(inputs());
        showTestReading(step);
        apply(step.effects);
    });
}

void BenchController::Button12Click() {
    guard([this] {
        const RunnerEffects effects = m_run.stop();
        apply(effects);
    });
}

// ---------------------------------------------------------------------------------------------
// Preparation and the idle refresh

void BenchController::Button16Click() {
    guard([this] {
        if (const auto checked = m_run.checkPreparation(); !checked) {
            m_run.stopIfMoving();
            m_services.messages->show(checked.reason(), kError);
            return;
        }
        m_run.beginPreparation(m_monotonic.elapsed());
        setRunControlsEnabled(false);
        Timer10->start();
    });
}

void BenchController::Timer10Timer() {
    guard([this] {
        const BenchStepResult step = m_run.preparationStep(inputs());
        showReading(step);
        apply(step.effects);
    });
}

void BenchController::Timer11Timer() {
    guard([this] {
        const BenchStepResult refreshed = m_run.idleRefresh(inputs());
        showLiveValues(refreshed);
    });
}

void BenchController::Timer12Timer() {
    const double elapsed = m_services.clock->now() - m_session.startTime();
    m_pages.tests.setElapsedText(common::formatDayTime(QStringLiteral("hh:nn:ss"), elapsed));
}

// ---------------------------------------------------------------------------------------------
// Showing and carrying out what a step did

void BenchController::showReading(const BenchStepResult& result) {
    showLiveValues(result);
    m_pages.reading.showMeasurement(result.measurement);
    if (result.measurement.conversionError) {
        emit statusChanged(result.measurement.conversionError->message());
    }
}

// A test step also heads the log with the time and the active channels' names.
void BenchController::showTestReading(const BenchStepResult& result) {
    showReading(result);
    m_pages.logHeader.setText(QStringLiteral("time        ") + result.measurement.columnHeader);
}

void BenchController::showLiveValues(const BenchStepResult& result) {
    m_pages.tests.setForceText(result.forceText);
    m_pages.tests.setDisplacementText(result.displacementText);
}

void BenchController::apply(const RunnerEffects& effects) {
    m_pages.tests.setForceAlarm(effects.forceAlarm);
    m_pages.tests.setDisplacementAlarm(effects.displacementAlarm);
    if (effects.timerInterval) {
        Timer9->setInterval(*effects.timerInterval);
    }
    appendLog(effects);
    if (effects.plot) {
        plot();
    }
    if (effects.stopped || effects.preparationFinished) {
        endRun();
    }
    QString document;
    if (effects.finished) {
        document = finishTest(effects);
    } else if (effects.alarmEntered && !effects.preparationFinished) {
        document = writeDocument();
    }
    if (effects.alarmEntered) {
        emit statusChanged(document.isEmpty()
                               ? effects.alarmCause
                               : effects.alarmCause + QStringLiteral("; ") + document);
    } else if (!document.isEmpty()) {
        emit statusChanged(document);
    }
}

void BenchController::appendLog(const RunnerEffects& effects) {
    if (effects.clearLog) {
        m_pages.log.clear();
    }
    for (const QString& line : effects.logLines) {
        m_pages.log.appendPlainText(line);
    }
}

void BenchController::plot() {
    chart::ui::ChartPanel& chart = m_pages.chart;
    chart.chart()->addLivePoints(m_session.settings(), m_session.currentValues(),
                                 m_services.clock->now(), chart.visible1Checked());
    chart.setAutoScaling(true);
    chart.applyAutoScaling();
}

void BenchController::endRun() {
    Timer9->stop();
    Timer10->stop();
    m_pages.tests.prepareButton()->setText(QStringLiteral("PRZYGOTUJ"));
    setRunControlsEnabled(true);
    Timer11->start();
}

// The log goes to the report file first; "STOP" follows it in the window only.
QString BenchController::finishTest(const RunnerEffects& effects) {
    const TestRecordCopy record = m_record.record ? m_record.record() : TestRecordCopy{};
    const auto appended =
        appendTestLog(m_session.settings().dataDirectory(), record.reportName, effects.reportLog);
    Timer12->stop();
    if (!appended) {
        m_services.messages->show(appended.reason(), kError);
    }
    return writeDocument();
}

// The finished-test document beside the report; the status text names it or why it failed.
QString BenchController::writeDocument() {
    const TestRecordCopy record = m_record.record ? m_record.record() : TestRecordCopy{};
    const QString path = monitor::enterDataDirectory(m_session.settings().dataDirectory(),
                                                     record.reportName + QStringLiteral(".pdf"));
    const auto written =
        writeTestReportPdf(path, m_run.finishedTest(record, m_services.clock->now()));
    return written ? QStringLiteral("Raport: ") + path : written.reason();
}

// While a test or a preparation runs, the parameters stay as they started (the "Ustawienia" panel
// and the extra settings are locked, the motor speed stays editable) and neither START nor
// PRZYGOTUJ can begin a second run on top of it.
void BenchController::setRunControlsEnabled(bool idle) {
    m_pages.settings.setEnabled(idle);
    m_pages.tests.startButton()->setEnabled(idle);
    m_pages.tests.prepareButton()->setEnabled(idle);
    if (m_parameters != nullptr) {
        m_parameters->extraSettingsGroup()->setEnabled(idle);
        m_parameters->motorSpeedEdit()->setEnabled(true);
    }
}

void BenchController::stopForClosing() {
    Timer9->stop();
    Timer10->stop();
    Timer11->stop();
    Timer12->stop();
    m_run.stopIfMoving();
}

} // namespace korvanta::bench::ui
