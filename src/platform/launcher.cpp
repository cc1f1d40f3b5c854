#include "platform/launcher.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace korvanta::platform {
namespace {

QStringList spreadsheetCommand() {
    const QString configured = qEnvironmentVariable("KORVANTA_SPREADSHEET_COMMAND");
    QStringList command = QProcess::splitCommand(configured);
    if (command.isEmpty()) {
        command = {QStringLiteral("libreoffice"), QStringLiteral("--calc")};
    }
    return command;
}

} // namespace

bool ProcessLauncher::startDetached(const QString& program, const QStringList& arguments,
                                    const QString& workingDirectory) {
    QString path = program;
    const QFileInfo local(workingDirectory + QLatin1Char('/') + program);
    if (local.exists()) {
        path = local.absoluteFilePath();
    }
    return QProcess::startDetached(path, arguments, workingDirectory);
}

bool ProcessLauncher::openInSpreadsheet(const QString& document, const QString& workingDirectory) {
    QStringList arguments = spreadsheetCommand();
    const QString program = arguments.takeFirst();
    arguments.append(document);
    return QProcess::startDetached(program, arguments, workingDirectory);
}

bool ProcessLauncher::openUrl(const QUrl& url) {
    return QProcess::startDetached(QStringLiteral("xdg-open"), {url.toString(QUrl::FullyEncoded)});
}

bool ProcessLauncher::openFolder(const QString& directory) {
    const QFileInfo folder(directory);
    if (!folder.isDir()) {
        return false;
    }
    return QProcess::startDetached(QStringLiteral("xdg-open"), {folder.absoluteFilePath()},
                                   QDir::currentPath());
}

} // namespace korvanta::platform
