#include "bench/bench_parameters.h"

#include "monitor/period.h"

#include <climits>
#include <cmath>

namespace korvanta::bench {
namespace {

using acquisition::SettingsRecord;

const std::array<QString, BenchParameters::kPhaseCount> kPhaseNames = {
    QStringLiteral("0 - t1"), QStringLiteral("t1 - t2"), QStringLiteral("t2 - t3"),
    QStringLiteral("t3 - t4")};

int truncated(long double value) {
    if (!(value > 0)) {
        return 0;
    }
    if (value >= static_cast<long double>(INT_MAX)) {
        return INT_MAX;
    }
    return static_cast<int>(std::trunc(value));
}

common::Result<> refuse(const QString& field, const QString& why) {
    return common::Result<>::failure(QStringLiteral("%1: %2").arg(field, why));
}

common::Result<> checkChannel(const SettingsRecord& settings, int channel, const QString& field) {
    if (channel < 1 || channel > SettingsRecord::kChannelCount) {
        return refuse(
            field,
            QStringLiteral("numer kanału spoza zakresu 1..%1").arg(SettingsRecord::kChannelCount));
    }
    if (!settings.active(channel)) {
        return refuse(field, QStringLiteral("Kanał jest nieaktywny"));
    }
    return {};
}

common::Result<> checkPeriod(const BenchParameters& p, int phase) {
    const QString field = QStringLiteral("Okres ") + kPhaseNames[static_cast<std::size_t>(phase)];
    const QString& text = p.periodTexts[static_cast<std::size_t>(phase)];
    if (!monitor::monitoringInterval(text) ||
        phaseInterval(p.periods[static_cast<std::size_t>(phase)]) < 1) {
        return refuse(field, QStringLiteral("okres \"%1\" nie ma postaci gg:mm:ss.zzz lub "
                                            "wynosi 0 s")
                                 .arg(text));
    }
    return {};
}

} // namespace

BenchParameters readBenchParameters(const SettingsRecord& s) {
    BenchParameters p;
    p.type = s.testType() == 0 ? TestType::Deformation : TestType::Load;
    p.upperLoad = s.upperLoad();
    p.forceStep = s.forceStep();
    p.upperDisplacement = s.upperDisplacement();
    p.hysteresis = s.hysteresis();
    p.timeTo = s.timeTo();
    p.timeTpo = s.timeTpo();
    for (int phase = 0; phase < BenchParameters::kPhaseCount; ++phase) {
        const auto i = static_cast<std::size_t>(phase);
        p.cadences[i] = s.chartCadence(phase);
        p.periodTexts[i] = s.phasePeriod(phase);
        p.periods[i] = monitor::konwersjaDoSekExecute(p.periodTexts[i]);
    }
    p.forceChannel = s.forceChannel();
    p.displacementChannel = s.displacementChannel();
    p.maxForce = s.maxForce();
    p.maxDisplacement = s.maxDisplacement();
    for (int c = 0; c < SettingsRecord::kMotionCommandCount; ++c) {
        p.commands[static_cast<std::size_t>(c)] = s.motionCommand(c);
    }
    p.preparationForce = s.preparationForce();
    p.retractionTime = s.retractionTime();
    p.preparationBufferLength = s.preparationBufferLength();
    return p;
}

common::Result<> checkTestParameters(const BenchParameters& p, const SettingsRecord& settings) {
    if (!(p.forceStep > 0)) {
        return refuse(QStringLiteral("Krok siły [kN]"), QStringLiteral("musi być większy od 0"));
    }
    if (!(p.upperLoad > 0)) {
        return refuse(QStringLiteral("Górny zakres obciążenia [kN]"),
                      QStringLiteral("musi być większy od 0"));
    }
    const int phases = p.type == TestType::Load ? BenchParameters::kPhaseCount : 1;
    for (int phase = 0; phase < phases; ++phase) {
        if (auto checked = checkPeriod(p, phase); !checked) {
            return checked;
        }
    }
    if (auto checked = checkChannel(settings, p.forceChannel, QStringLiteral("nr kanału F"));
        !checked) {
        return checked;
    }
    return checkChannel(settings, p.displacementChannel, QStringLiteral("nr kanału L"));
}

common::Result<> checkPreparationParameters(const BenchParameters& p,
                                            const SettingsRecord& settings) {
    if (auto checked = checkChannel(settings, p.forceChannel, QStringLiteral("nr kanału F"));
        !checked) {
        return checked;
    }
    if (p.retractionTime < 0) {
        return refuse(QStringLiteral("Czas cofania [s]"), QStringLiteral("nie może być ujemny"));
    }
    if (p.preparationBufferLength < 0) {
        return refuse(QStringLiteral("Długość bufora"), QStringLiteral("nie może być ujemna"));
    }
    return {};
}

int phaseInterval(double seconds) {
    return truncated(static_cast<long double>(seconds) * 1000.0L);
}

int phaseSteps(long double seconds, double period) {
    if (!(period > 0)) {
        return 0;
    }
    return truncated(seconds / static_cast<long double>(period));
}

} // namespace korvanta::bench
