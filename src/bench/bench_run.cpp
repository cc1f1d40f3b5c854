#include "bench/bench_run.h"

#include "common/day_time.h"
#include "monitor/monitoring_session.h"
#include "monitor/value_format.h"

namespace korvanta::bench {
namespace {

using acquisition::SettingsRecord;

constexpr int kCommandLength = 24;

bool validChannel(int channel) {
    return channel >= 1 && channel <= SettingsRecord::kChannelCount;
}

std::optional<double> newestStamp(const acquisition::TickView& tick) {
    if (!tick.hasData()) {
        return std::nullopt;
    }
    return tick.table.record(tick.newestIndex()).timeStamp;
}

QString staleCause(qint64 stillMs) {
    return QStringLiteral("Brak nowych odczytów od %1 s: prasa zatrzymana")
        .arg(QString::number(static_cast<double>(stillMs) / 1000.0, 'f', 1));
}

QString testTypeText(TestType type) {
    return type == TestType::Load ? QStringLiteral("Próba zgodności z normą ZUAT-15/")
                                  : QStringLiteral("Próba odkształcenia");
}

QString dayTimeText(double day) {
    return common::formatDayTime(QStringLiteral("yyyy-mm-dd hh:nn:ss"), day);
}

std::vector<std::pair<QString, QString>> parameterRows(const BenchParameters& p,
                                                       const TestRunner& runner) {
    std::vector<std::pair<QString, QString>> rows = {
        {QStringLiteral("Górny zakres obciążenia [kN]"), generalNumber(p.upperLoad)},
        {QStringLiteral("Krok siły [kN]"), generalNumber(p.forceStep)},
        {QStringLiteral("Górny zakres przesunięcia [mm]"), generalNumber(p.upperDisplacement)},
        {QStringLiteral("Czas To [min]"), QString::number(p.timeTo)},
        {QStringLiteral("Czas Tpo [min]"), QString::number(p.timeTpo)},
        {QStringLiteral("histereza pomiarowa [kN]"), generalNumber(p.hysteresis)},
        {QStringLiteral("nr kanału F"), QString::number(p.forceChannel)},
        {QStringLiteral("nr kanału L"), QString::number(p.displacementChannel)},
        {QStringLiteral("Max F"), generalNumber(p.maxForce)},
        {QStringLiteral("Max L"), generalNumber(p.maxDisplacement)},
    };
    static const std::array<const char*, BenchParameters::kPhaseCount> phases = {
        "0 - t1", "t1 - t2", "t2 - t3", "t3 - t4"};
    for (std::size_t i = 0; i < phases.size(); ++i) {
        rows.emplace_back(QStringLiteral("Okres %1").arg(QLatin1String(phases[i])),
                          p.periodTexts[i]);
        rows.emplace_back(QStringLiteral("Częstość dla %1 [s]").arg(QLatin1String(phases[i])),
                          QString::number(p.cadences[i]));
    }
    rows.emplace_back(QStringLiteral("Zero siły [kN]"), generalNumber(runner.forceZero()));
    rows.emplace_back(QStringLiteral("Zero przesunięcia [mm]"),
                      generalNumber(runner.displacementZero()));
    return rows;
}

} // namespace

BenchRun::BenchRun(monitor::MonitoringSession& session) : m_session(session) {}

common::Result<> BenchRun::checkStart(bool recordConfirmed) const {
    if (!recordConfirmed) {
        return common::Result<>::failure(QStringLiteral("Brak wymaganych ustawień"));
    }
    const SettingsRecord& settings = m_session.settings();
    return checkTestParameters(readBenchParameters(settings), settings);
}

BenchStepResult BenchRun::startStep(const BenchStepInputs& inputs) {
    m_runner.begin(readBenchParameters(m_session.settings()));
    m_session.startNewMeasurement(inputs.measurement.now);
    m_startTime = inputs.measurement.now;
    m_trace.clear();
    m_verdict.clear();
    BenchStepResult result = measure(inputs, true);
    result.effects = m_runner.step({channelValue(m_runner.parameters().forceChannel),
                                    channelValue(m_runner.parameters().displacementChannel),
                                    result.measurement.dataLine});
    write(result.effects.commands);
    return result;
}

QString BenchRun::takeZeros() {
    return m_runner.takeZeros(channelValue(m_runner.parameters().forceChannel),
                              channelValue(m_runner.parameters().displacementChannel));
}

RunnerEffects BenchRun::beginLoading(qint64 monotonicMs) {
    RunnerEffects effects = m_runner.beginLoading();
    m_stepping = true;
    // The watch counts from here: the question before may have kept the operator a while.
    resetWatch(monotonicMs);
    write(effects.commands);
    return effects;
}

BenchStepResult BenchRun::testStep(const BenchStepInputs& inputs) {
    BenchStepResult result = measure(inputs, true);
    if (readingsStale(inputs, m_runner.interval())) {
        return halted(std::move(result), staleCause(m_watch.stillMs()));
    }
    if (result.measurement.dataLine.isEmpty()) {
        // The channels were not read: the test cannot decide anything on this step's values.
        return halted(std::move(result), QStringLiteral("Błąd odczytu kanałów: prasa zatrzymana"));
    }
    const BenchParameters& p = m_runner.parameters();
    result.effects =
        m_runner.step({channelValue(p.forceChannel), channelValue(p.displacementChannel),
                       result.measurement.dataLine});
    record(inputs.measurement.now);
    if (result.effects.alarmEntered) {
        m_verdict = QStringLiteral("Zatrzymanie alarmowe: ") + result.effects.alarmCause;
    } else if (result.effects.finished) {
        m_verdict = QStringLiteral("Badanie zakończone.");
    }
    if (result.effects.stopped) {
        m_stepping = false;
    }
    write(result.effects.commands);
    return result;
}

common::Result<> BenchRun::checkPreparation() const {
    const SettingsRecord& settings = m_session.settings();
    return checkPreparationParameters(readBenchParameters(settings), settings);
}

void BenchRun::beginPreparation(qint64 monotonicMs) {
    m_preparation.begin(readBenchParameters(m_session.settings()));
    resetWatch(monotonicMs);
}

BenchStepResult BenchRun::preparationStep(const BenchStepInputs& inputs) {
    BenchStepResult result = measure(inputs, false);
    if (readingsStale(inputs, PreparationRun::kInterval)) {
        return halted(std::move(result), staleCause(m_watch.stillMs()));
    }
    result.effects = m_preparation.tick(
        m_session.settings(), channelValue(readBenchParameters(m_session.settings()).forceChannel));
    write(result.effects.commands);
    return result;
}

BenchStepResult BenchRun::idleRefresh(BenchStepInputs inputs) {
    inputs.measurement.saveEvery = false;
    return measure(inputs, false);
}

RunnerEffects BenchRun::stop() {
    m_preparation.end(m_session.settings());
    m_stepping = false;
    RunnerEffects effects = m_runner.stop();
    write(effects.commands);
    return effects;
}

void BenchRun::stopIfMoving() {
    const bool pressMoving = !m_lastCommand.isEmpty() && m_lastCommand != TestRunner::stopText() &&
                             m_lastCommand != m_runner.parameters().command(Stop);
    if (m_stepping || m_preparation.running() || m_runner.inTest() || pressMoving) {
        m_preparation.end(m_session.settings());
        m_stepping = false;
        write({TestRunner::stopText()});
    }
}

void BenchRun::publishParameters() {
    const SettingsRecord& s = m_session.settings();
    acquisition::ControlBlock block = m_session.link().control();
    block.setForceChannel(s.forceChannel());
    block.setDisplacementChannel(s.displacementChannel());
    block.setMaxForce(s.maxForce());
    block.setMaxDisplacement(s.maxDisplacement());
    block.setCommandText2(s.extraCommand(0).left(kCommandLength));
    block.setCommandText3(s.extraCommand(1).left(kCommandLength));
}

void BenchRun::sendCommand(int index) {
    if (index < 0 || index >= SettingsRecord::kMotionCommandCount) {
        write({QString()});
        return;
    }
    write({m_session.settings().motionCommand(index)});
}

FinishedTest BenchRun::finishedTest(const TestRecordCopy& record, double now) const {
    FinishedTest test;
    test.reportName = record.reportName;
    test.testTypeText = testTypeText(m_runner.parameters().type);
    test.startText = dayTimeText(m_startTime);
    test.endText = dayTimeText(now);
    test.itemNames = record.itemNames;
    test.itemValues = record.itemValues;
    test.parameters = parameterRows(m_runner.parameters(), m_runner);
    test.alarm = m_runner.state() == TestRunner::kAlarm;
    test.verdict = m_verdict;
    test.trace = m_trace;
    test.log = m_runner.log();
    return test;
}

BenchStepResult BenchRun::measure(BenchStepInputs inputs, bool corrected) {
    m_session.ensureDataTable();
    const BenchParameters& p = m_runner.parameters();
    const SettingsRecord& settings = m_session.settings();
    if (corrected) {
        inputs.measurement.offsets = {
            monitor::ChannelOffset{p.forceChannel, m_runner.forceZero()},
            monitor::ChannelOffset{p.displacementChannel, m_runner.displacementZero()}};
    }
    BenchStepResult result;
    result.measurement = m_session.measure(m_session.link().tick(), inputs.measurement);
    const int force = corrected ? p.forceChannel : settings.forceChannel();
    const int displacement = corrected ? p.displacementChannel : settings.displacementChannel();
    if (validChannel(force)) {
        monitor::Formatuj(result.forceText, settings.decimalPlaces(force), channelValue(force));
    }
    if (validChannel(displacement)) {
        monitor::Formatuj(result.displacementText, settings.decimalPlaces(displacement),
                          channelValue(displacement));
    }
    return result;
}

bool BenchRun::readingsStale(const BenchStepInputs& inputs, int stepMs) {
    return m_watch.stale(newestStamp(m_session.link().tick()), inputs.monotonicMs, stepMs);
}

void BenchRun::resetWatch(qint64 monotonicMs) {
    m_watch.reset(newestStamp(m_session.link().tick()), monotonicMs);
}

BenchStepResult BenchRun::halted(BenchStepResult result, const QString& cause) {
    const bool preparing = m_preparation.end(m_session.settings());
    m_stepping = false;
    result.effects = m_runner.halt(cause);
    result.effects.preparationFinished = preparing;
    m_verdict = QStringLiteral("Zatrzymanie alarmowe: ") + cause;
    write(result.effects.commands);
    return result;
}

void BenchRun::write(const QStringList& commands) {
    for (const QString& command : commands) {
        const QString text = command.left(kCommandLength);
        m_session.link().sendCommand(text);
        m_lastCommand = text;
    }
}

void BenchRun::record(double now) {
    const BenchParameters& p = m_runner.parameters();
    m_trace.push_back({(now - m_startTime) * 86400.0, channelValue(p.forceChannel),
                       channelValue(p.displacementChannel)});
}

double BenchRun::channelValue(int channel) const {
    if (!validChannel(channel)) {
        return 0;
    }
    return m_session.currentValues()[static_cast<std::size_t>(channel - 1)];
}

} // namespace korvanta::bench
