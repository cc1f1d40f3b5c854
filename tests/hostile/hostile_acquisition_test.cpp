// korvanta against an acquisition program that publishes random values in every field and
// record (NaN, infinities, the extremes, indices just inside and outside the table) for
// KORVANTA_HOSTILE_SECONDS (60 when unset): the real program monitoring in Measurements mode and
// in Reports mode (from "START", which begins monitoring ten seconds after start-up, so they see
// ten seconds less of it), and the main window in address mode, all at once. When the
// acquisition program returns to sane values each of them must monitor normally again.

#include "acquisition/settings_file.h"
#include "app/ui/tform34.h"
#include "common/text_file.h"
#include "common/ui/labeled_edit.h"
#include "monitor/monitoring_session.h"
#include "monitor/ui/monitoring_controller.h"
#include "platform/clock.h"
#include "support/program_process.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_launcher.h"
#include "support/scripted_messages.h"
#include "support/sim_process.h"

#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <cmath>
#include <csignal>
#include <gtest/gtest.h>
#include <memory>

namespace korvanta {
namespace {

constexpr int kRecoveryTimeoutMs = 15000;
constexpr double kLevel = 12.5; // input 5, the value every mode records once sane again

int hostileSeconds() {
    bool ok = false;
    const int seconds = qEnvironmentVariableIntValue("KORVANTA_HOSTILE_SECONDS", &ok);
    return ok && seconds > 0 ? seconds : 60;
}

QStringList simArguments(int randomForS) {
    return {QStringLiteral("--channels"),
            QStringLiteral("8"),
            QStringLiteral("--records"),
            QStringLiteral("2000"),
            QStringLiteral("--rate"),
            QStringLiteral("1000"),
            QStringLiteral("--dc"),
            QStringLiteral("5:12.5"),
            QStringLiteral("--sine"),
            QStringLiteral("1:230:50:0"),
            QStringLiteral("--addresses"),
            QStringLiteral("AaB"),
            QStringLiteral("--address-period"),
            QStringLiteral("1"),
            QStringLiteral("--hostile-random"),
            QStringLiteral("20261209"),
            QStringLiteral("--hostile-for"),
            QString::number(randomForS)};
}

// k1 the mean of input 5, k2 the RMS value of input 1, every half second.
acquisition::SettingsRecord programSettings(bool reports) {
    acquisition::SettingsRecord s;
    s.applyMissingFileDefaults();
    s.resetChannelDefaults(0);
    const int functions[] = {0, 3};
    const int inputs[] = {5, 1};
    for (int k = 1; k <= 2; ++k) {
        s.setActive(k, true);
        s.setAddGraph(k, true);
        s.setFunctionIndex(k, functions[k - 1]);
        s.setInputNumber(k, inputs[k - 1]);
        s.setDecimalPlaces(k, 3);
        s.setChannelNumber(k, k);
    }
    s.setReportsMode(reports);
    s.setPeriodText(QStringLiteral("00:00:00.500"));
    return s;
}

QStringList linesOf(const QString& path) {
    const auto read = common::readLines(path);
    return read ? read.value() : QStringList();
}

// The numbers after the first `skip` words of `line`.
std::vector<double> numbersOf(const QString& line, int skip) {
    std::vector<double> out;
    const QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (qsizetype i = skip; i < words.size(); ++i) {
        out.push_back(words[i].toDouble());
    }
    return out;
}

bool goodMeasurement(const QString& line) {
    const std::vector<double> v = numbersOf(line, 1);
    return v.size() == 2 && std::abs(v[0] - kLevel) < 0.01 && std::abs(v[1] - 230.0) < 1.0;
}

bool goodReportMean(const QString& line) {
    const std::vector<double> v = numbersOf(line, 2);
    return line.startsWith(QStringLiteral("k1 ŚREDNIA ")) && !v.empty() &&
           std::abs(v[0] - kLevel) < 0.01;
}

// One real program in its own directory, monitoring from "START".
struct MonitoringProgram {
    QTemporaryDir dir;
    testing::ProgramProcess process;

    QString dan() const { return dir.filePath(QStringLiteral("plik.dan")); }
    bool start(const QString& prefix, bool reports) {
        return dir.isValid() &&
               acquisition::writeSettingsDump(dir.filePath(QStringLiteral("korvanta.bupas")),
                                              programSettings(reports)) &&
               process.startIn(dir.path(), prefix, {QStringLiteral("START")});
    }
    bool running() const { return process.state() == QProcess::Running; }
    // Ends it the way the system is told to close; true when it closed by itself with code 0.
    bool terminate() {
        ::kill(static_cast<pid_t>(process.processId()), SIGTERM);
        return process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit &&
               process.exitCode() == 0;
    }
};

class HostileAcquisition : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_previous = QDir::currentPath();
    }
    void TearDown() override {
        m_window.reset();
        QDir::setCurrent(m_previous);
        qunsetenv("KORVANTA_SHM_PREFIX");
    }

    template <typename T> T* find(const char* name) const {
        T* widget = m_window->findChild<T*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    // The window of this process in address mode: channel 1 the mean of input 5 every 0.2 s,
    // saving each cycle, checking the systems "AaB".
    void startAddressMode(const testing::SimProcess& sim) {
        sim.setEnvironmentPrefix();
        QDir::setCurrent(m_dir.path());
        platform::Services services{&m_messages, &m_dialogs, &m_launcher, &m_clock, [] {
                                    }};
        m_window =
            std::make_unique<app::ui::TForm34>(services, QStringList{}, QStringLiteral("korvanta"));
        find<QPushButton>("Button11")->click(); // "Serwis"
        acquisition::SettingsRecord& s = m_window->session().settings();
        s.setActive(1, true);
        s.setChannelNumber(1, 1);
        s.setFunctionIndex(1, 0);
        s.setInputNumber(1, 5);
        s.setBufferLength(1, 0);
        s.setDecimalPlaces(1, 1);
        s.setDataDirectory(m_dir.filePath(QStringLiteral("dane")) + QLatin1Char('/'));
        find<common::ui::LabeledEdit>("LabeledEdit9")->setText(QStringLiteral("00:00:00.200"));
        find<QCheckBox>("CheckBox4")->setChecked(true);
        find<QCheckBox>("CheckBox16")->setChecked(true);
        find<QLineEdit>("Edit45")->setText(QStringLiteral("AaB"));
        QObject::connect(m_window->monitoring().Timer1, &QTimer::timeout,
                         [this] { ++m_addressTicks; });
        find<QToolButton>("ToolButton2")->click(); // "Monitorowanie"
    }

    // Every value line of the address mode's .dan files.
    QStringList addressLines() const {
        QStringList all;
        const QDir dane(m_dir.filePath(QStringLiteral("dane")));
        for (const QString& name : dane.entryList({QStringLiteral("*.dan")}, QDir::Files)) {
            all << linesOf(dane.filePath(name)).mid(1);
        }
        return all;
    }

    QTemporaryDir m_dir;
    QString m_previous;
    testing::ScriptedMessages m_messages;
    testing::ScriptedDialogs m_dialogs;
    testing::ScriptedLauncher m_launcher;
    platform::SystemClock m_clock;
    std::unique_ptr<app::ui::TForm34> m_window;
    long m_addressTicks = 0;
};

TEST_F(HostileAcquisition, EveryModeSurvivesRandomBlocksAndMonitorsNormallyAfterwards) {
    const int hostileS = hostileSeconds();
    testing::SimProcess sim(simArguments(hostileS));
    ASSERT_TRUE(sim.started());
    MonitoringProgram measurements;
    MonitoringProgram reports;
    ASSERT_TRUE(measurements.start(sim.prefix(), false));
    ASSERT_TRUE(reports.start(sim.prefix(), true));
    startAddressMode(sim);

    QElapsedTimer elapsed;
    elapsed.start();
    while (elapsed.elapsed() < hostileS * 1000LL) {
        QTest::qWait(100);
        ASSERT_TRUE(measurements.running())
            << "Measurements mode ended after " << elapsed.elapsed() << " ms of random values";
        ASSERT_TRUE(reports.running())
            << "Reports mode ended after " << elapsed.elapsed() << " ms of random values";
    }
    const long randomTicks = m_addressTicks;
    const qsizetype measurementLines = linesOf(measurements.dan()).size();
    const qsizetype reportLines = linesOf(reports.dan()).size();
    const qsizetype addressLineCount = addressLines().size();

    // Sane again: a new line of the right values in every mode.
    bool measurementsBack = false;
    bool reportsBack = false;
    bool addressBack = false;
    elapsed.restart();
    while (elapsed.elapsed() < kRecoveryTimeoutMs &&
           !(measurementsBack && reportsBack && addressBack)) {
        QTest::qWait(200);
        const QStringList m = linesOf(measurements.dan()).mid(measurementLines);
        measurementsBack = std::any_of(m.begin(), m.end(), goodMeasurement);
        const QStringList r = linesOf(reports.dan()).mid(reportLines);
        reportsBack = std::any_of(r.begin(), r.end(), goodReportMean);
        const QStringList a = addressLines().mid(addressLineCount);
        addressBack = std::any_of(a.begin(), a.end(), [](const QString& line) {
            return std::abs(line.split(QLatin1Char(' ')).last().toDouble() - kLevel) < 0.05;
        });
    }
    find<QToolButton>("ToolButton4")->click(); // "Stop monitorowania"
    EXPECT_TRUE(measurementsBack)
        << "Measurements mode records no good line after the random values:\n"
        << linesOf(measurements.dan()).mid(measurementLines - 2).join('\n').toStdString();
    EXPECT_TRUE(reportsBack)
        << "Reports mode records no good report after the random values:\n"
        << linesOf(reports.dan()).mid(reportLines - 2).join('\n').toStdString();
    EXPECT_TRUE(addressBack) << "address mode records no good line after the random values";
    EXPECT_TRUE(measurements.terminate()) << "Measurements mode did not close cleanly";
    EXPECT_TRUE(reports.terminate()) << "Reports mode did not close cleanly";
    EXPECT_GT(randomTicks, hostileS * 2L) << "the address mode's cycle stopped";

    std::printf("hostile acquisition: %d s of random values (the simulator prints how many); "
                "ticks survived in address mode: %ld; lines recorded meanwhile: Measurements "
                "%lld, Reports %lld, address mode %lld; window messages: %lld\n",
                hostileS, randomTicks, static_cast<long long>(measurementLines),
                static_cast<long long>(reportLines), static_cast<long long>(addressLineCount),
                static_cast<long long>(m_messages.errors.size() + m_messages.shown.size() +
                                       m_messages.critical.size()));
}

} // namespace
} // namespace korvanta
