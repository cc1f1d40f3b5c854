#pragma once
// Starting other programs and asking the system to open documents.

#include <QString>
#include <QStringList>

namespace korvanta::platform {

class Launcher {
public:
    virtual ~Launcher() = default;
    // Starts a command line without waiting for it, in `workingDirectory`. False on failure.
    virtual bool startDetached(const QString& program, const QStringList& arguments,
                               const QString& workingDirectory) = 0;
};

// Runs programs with QProcess::startDetached.
class ProcessLauncher : public Launcher {
public:
    bool startDetached(const QString& program, const QStringList& arguments,
                       const QString& workingDirectory) override;
};

} // namespace korvanta::platform
