#pragma once
// A korvanta-sim process for tests: its own block prefix, started and ready, then stopped and
// cleaned up when the object goes.

#include "acquisition/acquisition_link.h"

#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <sys/mman.h>
#include <unistd.h>

namespace korvanta::testing {

class SimProcess {
public:
    static constexpr int kReadyTimeoutMs = 10000;
    static constexpr int kTerminateGraceMs = 2000;

    // Starts KORVANTA_SIM_PATH with `arguments`, --prefix and a ready file, and waits up to 10 s
    // for the ready file.
    explicit SimProcess(QStringList arguments, QString prefix = uniquePrefix())
        : m_prefix(std::move(prefix)) {
        const QString readyFile = m_dir.filePath(QStringLiteral("ready"));
        arguments << QStringLiteral("--prefix") << m_prefix << QStringLiteral("--ready-file")
                  << readyFile;
        m_process.setProcessChannelMode(QProcess::ForwardedChannels);
        m_process.start(QStringLiteral(KORVANTA_SIM_PATH), arguments);
        m_started = m_process.waitForStarted(kReadyTimeoutMs) && waitForReadyFile(readyFile);
    }

    // Stops the simulator if it still runs (SIGTERM, then SIGKILL after 2 s). Blocks are
    // unlinked only when it did not end cleanly by itself, so a later simulator that uses the
    // same prefix keeps its blocks.
    ~SimProcess() {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.terminate();
            if (!m_process.waitForFinished(kTerminateGraceMs)) {
                m_process.kill();
                m_process.waitForFinished(-1);
            }
        }
        if (m_process.exitStatus() != QProcess::NormalExit || m_process.exitCode() != 0) {
            unlinkBlocks();
        }
    }
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    bool started() const { return m_started; }
    QString prefix() const { return m_prefix; }
    void setEnvironmentPrefix() const { qputenv("KORVANTA_SHM_PREFIX", m_prefix.toLocal8Bit()); }

    // True when the simulator has ended by itself within `ms` (at once when it already has).
    bool waitForExit(int ms) {
        if (m_process.state() == QProcess::NotRunning) {
            return m_process.exitStatus() == QProcess::NormalExit;
        }
        return m_process.waitForFinished(ms) && m_process.exitStatus() == QProcess::NormalExit;
    }
    int exitCode() const { return m_process.exitCode(); }

    static QString uniquePrefix() {
        static std::atomic<int> counter{0};
        return QStringLiteral("t%1_%2_").arg(getpid()).arg(++counter);
    }

private:
    bool waitForReadyFile(const QString& path) {
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(kReadyTimeoutMs);
        while (std::chrono::steady_clock::now() < deadline) {
            if (QFileInfo::exists(path)) {
                return true;
            }
            if (m_process.state() == QProcess::NotRunning || m_process.waitForFinished(10)) {
                return false; // ended before it was ready, e.g. on a bad option
            }
        }
        return false;
    }

    void unlinkBlocks() const {
        for (const char* name : {acquisition::AcquisitionLink::kControlBlockName,
                                 acquisition::AcquisitionLink::kDataTableName}) {
            const QByteArray path =
                (QLatin1Char('/') + m_prefix + QLatin1String(name)).toLocal8Bit();
            shm_unlink(path.constData());
        }
    }

    QString m_prefix;
    QTemporaryDir m_dir;
    QProcess m_process;
    bool m_started = false;
};

} // namespace korvanta::testing
