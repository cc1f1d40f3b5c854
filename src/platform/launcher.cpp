#include "platform/launcher.h"

#include <QFileInfo>
#include <QProcess>

namespace korvanta::platform {

bool ProcessLauncher::startDetached(const QString& program, const QStringList& arguments,
                                    const QString& workingDirectory) {
    QString path = program;
    const QFileInfo local(workingDirectory + QLatin1Char('/') + program);
    if (local.exists()) {
        path = local.absoluteFilePath();
    }
    return QProcess::startDetached(path, arguments, workingDirectory);
}

} // namespace korvanta::platform
