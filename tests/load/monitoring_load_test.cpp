// Monitoring under load against the real simulator: 64 channels of mixed functions over a
// 200,000-record table filled at 10 kHz, in Reports mode at a 100 ms period with every block
// saved. The blocks due in the run reach the .dan file; a cycle given more than it can do in its
// period says so on the status bar.

#include "app/ui/tform34.h"
#include "common/text_file.h"
#include "common/ui/labeled_edit.h"
#include "monitor/channel_functions.h"
#include "monitor/monitoring_session.h"
#include "monitor/ui/monitoring_controller.h"
#include "platform/clock.h"
#include "platform/launcher.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_messages.h"
#include "support/sim_process.h"

#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTime>
#include <QTimer>
#include <gtest/gtest.h>
#include <iostream>

using namespace korvanta;

namespace {

// The probe's channel set: means over the whole buffer and a window, RMS, the power codes on a
// sine pair, crest, vibration, direction, median and the operand functions.
void mixedChannels(acquisition::SettingsRecord& s) {
    const int codes[] = {monitor::Mean,      monitor::Mean,           monitor::Rms,
                         monitor::TruePower, monitor::ApparentPower,  monitor::ReactivePower,
                         monitor::Voltage,   monitor::Current,        monitor::CosPhi,
                         monitor::Crest,     monitor::VibrationRatio, monitor::Direction3f,
                         monitor::Mediana,   monitor::Sum2,           monitor::Difference,
                         monitor::Sum3};
    for (int k = 1; k <= 64; ++k) {
        const int code = codes[(k - 1) % 16];
        s.setActive(k, true);
        s.setAddGraph(k, true);
        s.setChannelNumber(k, k);
        s.setFunctionIndex(k, code);
        const bool power = code >= monitor::TruePower && code <= monitor::CosPhi;
        s.setInputNumber(k, power || code == monitor::Direction3f ? 1 : (k - 1) % 8 + 1);
        s.setBufferLength(k, (k % 2 == 0 && code == monitor::Mean) ? 2000 : 0);
        s.setDecimalPlaces(k, 2);
        s.setOperand1(k, k % 64 + 1);
        s.setOperand2(k, (k + 5) % 64 + 1);
        s.setOperand3(k, (k + 9) % 64 + 1);
    }
}

struct ReportBlocks {
    int count = 0;
    bool rising = true;
};

ReportBlocks readBlocks(const QString& path) {
    ReportBlocks blocks;
    const auto lines = common::readLines(path);
    if (!lines) {
        return blocks;
    }
    QTime previous;
    for (const QString& line : lines.value()) {
        if (!line.startsWith(QLatin1String("REPORT "))) {
            continue;
        }
        const QTime time = QTime::fromString(line.mid(7), QStringLiteral("hh:mm:ss.zzz"));
        blocks.rising = blocks.rising && time.isValid() && (!previous.isValid() || time > previous);
        previous = time;
        ++blocks.count;
    }
    return blocks;
}

class MonitoringLoad : public ::testing::Test {
protected:
    void SetUp() override {
#if defined(__SANITIZE_ADDRESS__)
        GTEST_SKIP() << "a load test measures the release build";
#endif
        ASSERT_TRUE(m_dir.isValid());
        m_previous = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
    }
    void TearDown() override {
        QDir::setCurrent(m_previous);
    }

    // Runs the cycle for `ms` with the given period and file; returns the real run time.
    qint64 monitor(app::ui::TForm34& window, const QString& period, const QString& file, int ms) {
        window.findChild<QRadioButton*>(QStringLiteral("RadioButton2"))->click();
        window.findChild<QCheckBox*>(QStringLiteral("CheckBox4"))->setChecked(true);
        window.findChild<QLineEdit*>(QStringLiteral("Edit9"))->setText(QStringLiteral("1"));
        setEdit(window, "LabeledEdit9", period);
        setEdit(window, "LabeledEdit8", file);
        QElapsedTimer elapsed;
        elapsed.start();
        window.monitoring().ToolButton2Click();
        EXPECT_TRUE(window.monitoring().Timer1->isActive());
        QTest::qWait(ms);
        window.monitoring().ToolButton4Click();
        return elapsed.elapsed();
    }

    static void setEdit(QWidget& window, const char* name, const QString& text) {
        window.findChild<common::ui::LabeledEdit*>(QLatin1String(name))->setText(text);
    }

    QTemporaryDir m_dir;
    QString m_previous;
};

TEST_F(MonitoringLoad, ReportBlocksOfAMixedSetReachTheFileAndOverloadIsShown) {
    korvanta::testing::SimProcess sim(
        {QStringLiteral("--records"), QStringLiteral("200000"), QStringLiteral("--rate"),
         QStringLiteral("10000"), QStringLiteral("--channels"), QStringLiteral("64"),
         QStringLiteral("--sine"), QStringLiteral("1:230:50"), QStringLiteral("--sine"),
         QStringLiteral("2:5:50:30"), QStringLiteral("--three-phase"), QStringLiteral("3:325:50"),
         QStringLiteral("--vibration"), QStringLiteral("4:2:40"), QStringLiteral("--noise"),
         QStringLiteral("8:0.5")});
    ASSERT_TRUE(sim.started());
    sim.setEnvironmentPrefix();
    korvanta::testing::ScriptedMessages messages;
    korvanta::testing::ScriptedDialogs dialogs;
    platform::ProcessLauncher launcher;
    platform::SystemClock clock;
    platform::Services services{&messages, &dialogs, &launcher, &clock, [] {
                                }};
    app::ui::TForm34 window(services, {}, QStringLiteral("korvanta"));
    ASSERT_FALSE(window.session().link().readOnlyMode());
    acquisition::SettingsRecord& settings = window.session().settings();
    mixedChannels(settings);
    settings.setDataDirectory(m_dir.path() + QLatin1Char('/'));

    // KORVANTA_LOAD_SECONDS lengthens the run (five minutes for a soak by hand).
    const int seconds = qEnvironmentVariableIntValue("KORVANTA_LOAD_SECONDS");
    const qint64 ran = monitor(window, QStringLiteral("00:00:00.100"), QStringLiteral("load"),
                               1000 * (seconds > 0 ? seconds : 60));
    const ReportBlocks blocks = readBlocks(m_dir.filePath(QStringLiteral("load.dan")));
    const qint64 due = ran / 100;
    std::cout << "report blocks: " << blocks.count << " of " << due << " due\n";
    EXPECT_GE(blocks.count * 100, due * 95) << blocks.count << " of " << due;
    EXPECT_TRUE(blocks.rising);
    EXPECT_TRUE(messages.errors.isEmpty()) << messages.errors.join('\n').toStdString();

    // A cycle of 1 ms cannot compute these channels: the status bar says so, not a box.
    const std::size_t boxes = messages.shown.size();
    QString overload;
    QObject::connect(&window.monitoring(), &monitor::ui::MonitoringController::cycleStatusChanged,
                     [&overload](const QString& text) {
                         if (text.startsWith(QStringLiteral("Przeciążenie: "))) {
                             overload = text;
                         }
                     });
    monitor(window, QStringLiteral("00:00:00.001"), QStringLiteral("heavy"), 3000);
    EXPECT_TRUE(overload.contains(QStringLiteral("> okres 1 ms, pominięto ")))
        << overload.toStdString();
    EXPECT_EQ(messages.shown.size(), boxes);
}

} // namespace
