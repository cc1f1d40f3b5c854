// The real program ended by SIGTERM or SIGINT at awkward moments: while start-up waits on the
// read-only notice that nobody answers, and when the settings file cannot be written.

#include "support/program_process.h"
#include "support/sim_process.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>

using namespace korvanta;

namespace {

constexpr int kReadyTimeoutMs = 10000;
constexpr int kExitTimeoutMs = 10000;

class Termination : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    void startProgram(const QString& shmPrefix) {
        ASSERT_TRUE(m_program.startIn(m_dir.path(), shmPrefix));
    }

    // True once the program has put its own handler on SIGTERM (the caught-signal mask in
    // /proc), so a signal sent then is the program's to handle.
    bool catchesTermination() const {
        QFile status(QStringLiteral("/proc/%1/status").arg(m_program.processId()));
        if (!status.open(QIODevice::ReadOnly)) {
            return false;
        }
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("SigCgt:")) {
                const qulonglong mask = line.mid(7).trimmed().toULongLong(nullptr, 16);
                return (mask >> (SIGTERM - 1) & 1U) != 0;
            }
        }
        return false;
    }

    bool waitUntilCatchingTermination() const {
        QElapsedTimer elapsed;
        elapsed.start();
        while (elapsed.elapsed() < kReadyTimeoutMs) {
            if (catchesTermination()) {
                return true;
            }
            QThread::msleep(20);
        }
        return false;
    }

    void send(int signal) { ::kill(static_cast<pid_t>(m_program.processId()), signal); }

    QString path(const QString& name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
    korvanta::testing::ProgramProcess m_program;
};

} // namespace

TEST_F(Termination, DuringTheReadOnlyNoticeTheProgramStillEndsAndSaves) {
    // No acquisition program: start-up shows "Tryb tylko do odczytu" and waits for an answer.
    startProgram(korvanta::testing::SimProcess::uniquePrefix());
    EXPECT_TRUE(waitUntilCatchingTermination()) << "no handler during start-up";
    QThread::msleep(300); // the notice is up by now
    send(SIGINT);
    ASSERT_TRUE(m_program.waitForFinished(kExitTimeoutMs)) << "still waiting on the notice";
    EXPECT_EQ(m_program.exitStatus(), QProcess::NormalExit) << "killed by the signal";
    EXPECT_EQ(m_program.exitCode(), 0);
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("korvanta.bupas"))))
        << "the window did not close through its frame path";
}

TEST_F(Termination, FailedSaveIsReportedOnStandardErrorAndTheProgramEnds) {
    korvanta::testing::SimProcess sim({QStringLiteral("--channels"), QStringLiteral("4")});
    ASSERT_TRUE(sim.started());
    const QString settings = path(QStringLiteral("korvanta.bupas"));
    ASSERT_TRUE(QDir().mkpath(settings)); // a directory where the file should be
    startProgram(sim.prefix());
    ASSERT_TRUE(waitUntilCatchingTermination());
    send(SIGTERM);
    ASSERT_TRUE(m_program.waitForFinished(kExitTimeoutMs)) << "waiting on a message box";
    EXPECT_EQ(m_program.exitStatus(), QProcess::NormalExit);
    const QString errors = QString::fromLocal8Bit(m_program.readAllStandardError());
    EXPECT_TRUE(errors.contains(settings)) << errors.toStdString();
    EXPECT_TRUE(errors.contains(QStringLiteral("not a regular file"))) << errors.toStdString();
}
