#include "common/local_directory.h"

#include <QDir>

namespace korvanta::common {

QString localDirectory(const QString& directory) {
    QString folder = directory;
    folder.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return QDir::current().absoluteFilePath(folder.isEmpty() ? QStringLiteral(".") : folder);
}

} // namespace korvanta::common
