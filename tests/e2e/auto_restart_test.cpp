// A stalled simulator with the auto-restart on: the program starts the restart program from its
// start directory, which brings up a new simulator and the program again with "START", and this
// program closes, writing its settings and asking the stalled acquisition to end.

#include "app/ui/tform34.h"
#include "common/text_file.h"
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
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace korvanta;

namespace {

bool waitUntil(const std::function<bool()>& condition, int ms) {
    QElapsedTimer elapsed;
    elapsed.start();
    while (!condition() && elapsed.elapsed() < ms) {
        QTest::qWait(100);
    }
    return condition();
}

void writeExecutable(const QString& path, const QByteArray& content) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();
    file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
}

} // namespace

TEST(AutoRestart, StalledSimulatorIsRestartedAndTheProgramCloses) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    korvanta::testing::SimProcess sim({QStringLiteral("--records"), QStringLiteral("500"),
                                       QStringLiteral("--rate"), QStringLiteral("100"),
                                       QStringLiteral("--stall-after"), QStringLiteral("1")});
    ASSERT_TRUE(sim.started());
    sim.setEnvironmentPrefix();

    const QString restart = dir.filePath(QStringLiteral("ExecHaldenKV.exe"));
    ASSERT_TRUE(
        QFile::copy(QStringLiteral(KORVANTA_SOURCE_DIR "/scripts/ExecHaldenKV.exe"), restart));
    QFile(restart).setPermissions(QFile(restart).permissions() | QFileDevice::ExeOwner);
    writeExecutable(dir.filePath(QStringLiteral("VistraHaldenKV.exe")), "");
    writeExecutable(dir.filePath(QStringLiteral("program-stub")),
                    "#!/bin/sh\necho \"$@\" > started.txt\n");
    qputenv("KORVANTA_SIM", KORVANTA_SIM_PATH);
    qputenv("KORVANTA_SIM_ARGS", QByteArrayLiteral("--duration 3 --records 100"));
    qputenv("KORVANTA_APP", dir.filePath(QStringLiteral("program-stub")).toLocal8Bit());

    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    korvanta::testing::ScriptedMessages messages;
    korvanta::testing::ScriptedDialogs dialogs;
    platform::ProcessLauncher launcher;
    platform::SystemClock clock;
    int endRequests = 0;
    platform::Services services{&messages, &dialogs, &launcher, &clock, [&endRequests] {
                                    ++endRequests;
                                }};
    {
        app::ui::TForm34 window(services, {}, QStringLiteral("korvanta"));
        ASSERT_FALSE(window.session().link().readOnlyMode());
        window.findChild<QCheckBox*>(QStringLiteral("CheckBox14"))->setChecked(true);
        window.monitoring().ToolButton2Click();
        ASSERT_TRUE(window.monitoring().Timer1->isActive());

        EXPECT_TRUE(waitUntil([&] { return endRequests > 0; }, 15000)) << "no restart";
        EXPECT_EQ(window.session().link().control().closeRequest(), 1);
        EXPECT_TRUE(sim.waitForExit(5000)) << "the stalled simulator was not asked to end";
        EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("korvanta.bupas"))));
    }
    EXPECT_TRUE(waitUntil([&] { return QFileInfo(dir.filePath("started.txt")).size() > 0; }, 15000))
        << "the restart program did not start the program again";
    const auto started = common::readLines(dir.filePath("started.txt"));
    ASSERT_TRUE(started) << started.reason().toStdString();
    EXPECT_EQ(started.value().value(0), "START");
    const auto log = common::readLines(dir.filePath(QStringLiteral("ExecHaldenKV.log")));
    ASSERT_TRUE(log) << log.reason().toStdString();
    EXPECT_TRUE(log.value().join('\n').contains("starting"))
        << log.value().join('\n').toStdString();

    QDir::setCurrent(previous);
    qunsetenv("KORVANTA_SIM");
    qunsetenv("KORVANTA_SIM_ARGS");
    qunsetenv("KORVANTA_APP");
    qunsetenv("KORVANTA_SHM_PREFIX");
    QTest::qWait(3500); // the restarted simulator ends by itself and removes its blocks
}
