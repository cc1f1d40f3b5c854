#include "acquisition/acquisition_link.h"
#include "e2e/acquisition_e2e_support.h"
#include "support/sim_process.h"

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace korvanta::acquisition;
using namespace korvanta::testing;

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(AcquisitionRestartScript, ReplacesTheEndedSimulatorThenStartsTheProgram) {
    QTemporaryDir dir;
    // A stand-in for the program that notes its arguments.
    const QString app = dir.filePath(QStringLiteral("fake-korvanta"));
    {
        QFile file(app);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\necho \"$@\" > app-arguments\n");
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                            QFileDevice::ExeOwner);
    }
    const QString prefix = SimProcess::uniquePrefix();
    SimProcess old(QStringList{QStringLiteral("--records"), QStringLiteral("20")}, prefix);
    ASSERT_TRUE(old.started());
    old.setEnvironmentPrefix();

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("KORVANTA_SIM"), QStringLiteral(KORVANTA_SIM_PATH));
    environment.insert(QStringLiteral("KORVANTA_SIM_ARGS"),
                       QStringLiteral("--records 40 --channels 5 --duration 30"));
    environment.insert(QStringLiteral("KORVANTA_APP"), app);
    QProcess script;
    script.setProcessEnvironment(environment);
    script.setWorkingDirectory(dir.path());
    script.start(QStringLiteral(KORVANTA_SOURCE_DIR "/scripts/ExecHaldenKV.exe"), {});
    ASSERT_TRUE(script.waitForStarted());

    // The auto-restart's end request ends the old simulator; the script then starts a new one.
    {
        AcquisitionLink oldLink;
        ASSERT_TRUE(oldLink.attachControlBlock());
        EXPECT_EQ(oldLink.control().channelCount(), 8);
        oldLink.requestEnd();
    }
    ASSERT_TRUE(old.waitForExit(5000));
    ASSERT_TRUE(script.waitForFinished(15000));
    EXPECT_EQ(script.exitCode(), 0);

    AcquisitionLink link;
    ASSERT_TRUE(link.attachControlBlock()) << readAll(dir.filePath("ExecHaldenKV.log")).data();
    ASSERT_TRUE(link.attachDataTable());
    EXPECT_EQ(link.control().channelCount(), 5);
    EXPECT_EQ(link.mappedRecordCount(), 40);
    EXPECT_TRUE(
        waitUntil([&] { return readAll(dir.filePath("app-arguments")) == QByteArray("START\n"); }));
    EXPECT_TRUE(readAll(dir.filePath("ExecHaldenKV.log")).contains("starting"));

    link.requestEnd();
    EXPECT_TRUE(waitUntil([&] { return blocksGone(prefix); }));
    qunsetenv("KORVANTA_SHM_PREFIX");
}
