#include "monitor/data_directory.h"

#include <QDir>

namespace korvanta::monitor {

QString enterDataDirectory(const QString& dataDirectory, const QString& fileName) {
    QString folder = dataDirectory;
    folder.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QDir dir(
        QDir::current().absoluteFilePath(folder.isEmpty() ? QStringLiteral(".") : folder));
    const QString path = QDir::cleanPath(dir.absoluteFilePath(fileName));
    // A missing data directory is made, so no recording is lost for want of it.
    if (dir.exists() || QDir().mkpath(dir.absolutePath())) {
        QDir::setCurrent(dir.absolutePath());
    }
    return path;
}

} // namespace korvanta::monitor
