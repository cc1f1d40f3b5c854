// Whole bench tests on the main window against the real simulator's press: a load test that
// runs to its end and leaves its report and document, an alarm stop, and a simulator that stalls
// in the middle of a test.

#include "app/ui/tform34.h"
#include "bench/test_runner.h"
#include "bench/ui/bench_controller.h"
#include "bench/ui/tform10.h"
#include "bench/ui/tform9.h"
#include "common/text_file.h"
#include "monitor/monitoring_session.h"
#include "platform/clock.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_launcher.h"
#include "support/scripted_messages.h"
#include "support/sim_process.h"

#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

namespace korvanta {
namespace {

using bench::TestRunner;

const QString kStopText = QStringLiteral("#1 x0;0 y0;0 &");

// Force on input 1, displacement on input 2: 2 kN/mm past a 1 mm gap, 4 mm/s.
const QStringList kPressArguments = {"--channels", "8",   "--records", "400",
                                     "--rate",     "100", "--press",   "1:2:2:1:4"};

class BenchOnSimulator : public ::testing::Test {
protected:
    void start(QStringList simulatorArguments) {
        ASSERT_TRUE(m_dir.isValid());
        m_sim = std::make_unique<testing::SimProcess>(simulatorArguments);
        ASSERT_TRUE(m_sim->started());
        m_sim->setEnvironmentPrefix();
        m_previous = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        platform::Services services{&m_messages, &m_dialogs, &m_launcher, &m_clock, [] {
                                    }};
        m_window =
            std::make_unique<app::ui::TForm34>(services, QStringList{}, QStringLiteral("korvanta"));
        ASSERT_FALSE(m_window->session().link().readOnlyMode());
        m_parameters =
            new bench::ui::TForm9(m_window->session().settings(), m_messages, m_window.get());
        m_record = new bench::ui::TForm10(m_window.get());
        configure();
        m_window->setDialogs(nullptr, m_parameters, m_record);
        confirmRecord();
    }
    void TearDown() override {
        m_window.reset();
        m_sim.reset();
        if (!m_previous.isEmpty()) {
            QDir::setCurrent(m_previous);
        }
        qunsetenv("KORVANTA_SHM_PREFIX");
    }

    void configure() {
        acquisition::SettingsRecord& s = m_window->session().settings();
        s.setDataDirectory(m_dir.filePath(QStringLiteral("dane")) + QLatin1Char('/'));
        for (int k = 1; k <= 2; ++k) {
            s.setActive(k, true);
            s.setChannelNumber(k, k);
            s.setFunctionIndex(k, 0); // mean
            s.setInputNumber(k, k);
            s.setBufferLength(k, 2);
            s.setDecimalPlaces(k, 3);
        }
        s.setTestType(1);
        s.setUpperLoad(6);
        s.setForceStep(2);
        s.setUpperDisplacement(40);
        s.setHysteresis(0.5);
        s.setTimeTo(0);
        s.setTimeTpo(0);
        for (int phase = 0; phase < 4; ++phase) {
            s.setPhasePeriod(phase, QStringLiteral("00:00:00.100"));
            s.setChartCadence(phase, 1);
        }
        s.setForceChannel(1);
        s.setDisplacementChannel(2);
        s.setMaxForce(20);
        s.setMaxDisplacement(30);
    }

    void confirmRecord() {
        QStringList values;
        for (int i = 0; i < 20; ++i) {
            values << QStringLiteral("wartość %1").arg(i);
        }
        m_record->findChild<QPlainTextEdit*>(QStringLiteral("Memo2"))
            ->setPlainText(values.join(QLatin1Char('\n')));
        m_record->findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(QStringLiteral("rama1"));
        m_record->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
    }

    bench::ui::BenchController& bench() { return m_window->bench(); }
    int state() const { return m_window->bench().run().runner().state(); }
    QString command() const { return m_window->session().link().control().commandText(); }
    void clickStart() { m_window->findChild<QPushButton*>(QStringLiteral("Button10"))->click(); }

    // Runs the window's timers until `done` holds or `ms` pass; the largest displacement seen.
    double runUntil(const std::function<bool()>& done, int ms) {
        QElapsedTimer elapsed;
        elapsed.start();
        double deepest = 0;
        while (!done() && elapsed.elapsed() < ms) {
            QTest::qWait(20);
            for (const bench::TestTracePoint& p : bench().run().trace()) {
                deepest = std::max(deepest, p.displacement);
            }
        }
        return deepest;
    }
    QString dataFile(const QString& name) const {
        return m_dir.filePath(QStringLiteral("dane/") + name);
    }

    QTemporaryDir m_dir;
    QString m_previous;
    testing::ScriptedMessages m_messages;
    testing::ScriptedDialogs m_dialogs;
    testing::ScriptedLauncher m_launcher;
    platform::SystemClock m_clock;
    std::unique_ptr<testing::SimProcess> m_sim;
    std::unique_ptr<app::ui::TForm34> m_window;
    bench::ui::TForm9* m_parameters = nullptr; // owned by the window
    bench::ui::TForm10* m_record = nullptr;    // owned by the window
};

bool pageHasInk(const QString& pdf, const QString& outputBase) {
    QProcess render;
    render.start(QStringLiteral("pdftoppm"),
                 {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("40"),
                  QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                  QStringLiteral("1"), pdf, outputBase});
    if (!render.waitForFinished(30000) || render.exitCode() != 0) {
        return false;
    }
    const QDir dir = QFileInfo(outputBase).dir();
    const QStringList pages = dir.entryList({QFileInfo(outputBase).fileName() + "*.png"});
    if (pages.isEmpty()) {
        return false;
    }
    const QImage page(dir.filePath(pages.first()));
    int dark = 0;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            dark += qGray(page.pixel(x, y)) < 128 ? 1 : 0;
        }
    }
    return dark > 500;
}

TEST_F(BenchOnSimulator, LoadTestRunsToItsEndAndLeavesItsReportAndDocument) {
    start(kPressArguments);
    ASSERT_EQ(m_window->session().link().control().forceChannel(), 1);
    clickStart();
    ASSERT_TRUE(bench().Timer9->isActive()) << "START did not start the test";
    EXPECT_FALSE(bench().Timer11->isActive());
    const double deepest = runUntil([&] { return !bench().Timer9->isActive(); }, 60000);
    ASSERT_EQ(state(), TestRunner::kFinished) << "the test did not finish";
    EXPECT_GT(deepest, 3.0) << "the press did not load the frame";
    ASSERT_FALSE(bench().run().trace().empty());
    EXPECT_LT(bench().run().trace().back().displacement, deepest - 2.0)
        << "the press did not come back";
    EXPECT_EQ(command(), kStopText);
    EXPECT_TRUE(bench().Timer11->isActive());

    const auto report = common::readLines(dataFile(QStringLiteral("rama1.txt")));
    ASSERT_TRUE(report) << report.reason().toStdString();
    const QStringList lines = report.value();
    EXPECT_EQ(lines.value(0), QStringLiteral("Górny zakres obciążenia [kN] wartość 0"));
    EXPECT_EQ(lines.value(20), QStringLiteral("WYNIKI BADAŃ:"));
    EXPECT_TRUE(lines.contains(QStringLiteral("Wciśnięto klawisz STOP.")));
    EXPECT_GE(lines.size(), 21 + 6) << lines.join('\n').toStdString();
    // The unloading marker comes after the loading lines.
    bool marker = false;
    for (const QString& line : lines) {
        marker = marker || line.contains(QStringLiteral("     < "));
    }
    EXPECT_TRUE(marker) << lines.join('\n').toStdString();

    const QString pdf = dataFile(QStringLiteral("rama1.pdf"));
    ASSERT_TRUE(QFileInfo::exists(pdf));
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty()) {
        GTEST_SKIP() << "pdftoppm is not installed";
    }
    EXPECT_TRUE(pageHasInk(pdf, m_dir.filePath(QStringLiteral("page"))));
}

// The settings the README gives for a test on the demo press (force on input 9, displacement on
// 10, a frame that yields at 8 kN), at twice real time.
TEST_F(BenchOnSimulator, TheReadmeTestRunsOnTheDemoPress) {
    start({"--profile", "demo", "--speed", "2"});
    acquisition::SettingsRecord& s = m_window->session().settings();
    s.resetChannelDefaults(10);
    s.setBufferLength(9, 100);
    s.setBufferLength(10, 100);
    s.setForceChannel(9);
    s.setDisplacementChannel(10);
    s.setUpperLoad(10);
    s.setForceStep(2);
    s.setUpperDisplacement(25);
    s.setMaxForce(12);
    s.setMaxDisplacement(30);
    m_window->bench().publishParameters();
    clickStart();
    ASSERT_TRUE(bench().Timer9->isActive()) << m_messages.shown.size();
    const double deepest = runUntil([&] { return !bench().Timer9->isActive(); }, 90000);
    ASSERT_EQ(state(), TestRunner::kFinished) << "the test did not finish";
    EXPECT_GT(deepest, 12.0) << "the frame did not yield";
    // The frame keeps a permanent set: the force is gone long before the pusher is back.
    const bench::TestTracePoint last = bench().run().trace().back();
    EXPECT_LT(last.force, 0.5);
    EXPECT_GT(last.displacement, 4.0);
}

TEST_F(BenchOnSimulator, ForceOverMaxFStopsThePressInTheAlarmState) {
    start(kPressArguments);
    m_window->session().settings().setMaxForce(3);
    clickStart();
    runUntil([&] { return state() == TestRunner::kAlarm; }, 30000);
    ASSERT_EQ(state(), TestRunner::kAlarm);
    EXPECT_EQ(command(), QStringLiteral("#1 x0;0 y0;0 &"));
    EXPECT_TRUE(QFileInfo::exists(dataFile(QStringLiteral("rama1.pdf"))));
    QTest::qWait(300);
    EXPECT_EQ(command(), kStopText) << "the press was sent on after the alarm";
}

TEST_F(BenchOnSimulator, AStalledSimulatorLeavesTheStopCommand) {
    QStringList arguments = kPressArguments;
    arguments << "--stall-after"
              << "3";
    start(arguments);
    m_window->session().settings().setUpperLoad(100);
    m_window->session().settings().setMaxForce(200);
    clickStart();
    ASSERT_TRUE(bench().Timer9->isActive());
    runUntil([&] { return !bench().Timer9->isActive(); }, 20000);
    EXPECT_EQ(state(), TestRunner::kAlarm);
    EXPECT_EQ(command(), kStopText);
    EXPECT_TRUE(m_window->statusPanelText(1).startsWith(QStringLiteral("Brak nowych odczytów")))
        << m_window->statusPanelText(1).toStdString();
}

} // namespace
} // namespace korvanta
