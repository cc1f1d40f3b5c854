#pragma once
// The real korvanta program for end-to-end tests: started offscreen in a directory against a
// block prefix, and killed when the object goes if it still runs.

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace korvanta::testing {

class ProgramProcess : public QProcess {
public:
    static constexpr int kStartTimeoutMs = 5000;
    static constexpr int kKillTimeoutMs = 3000;

    ~ProgramProcess() override {
        if (state() != QProcess::NotRunning) {
            kill();
            waitForFinished(kKillTimeoutMs);
        }
    }

    // True once KORVANTA_APP_PATH runs in `directory` with `arguments`.
    bool startIn(const QString& directory, const QString& shmPrefix,
                 const QStringList& arguments = {}) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("KORVANTA_SHM_PREFIX"), shmPrefix);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        setProcessEnvironment(env);
        setWorkingDirectory(directory);
        start(QStringLiteral(KORVANTA_APP_PATH), arguments);
        return waitForStarted(kStartTimeoutMs);
    }
};

} // namespace korvanta::testing
