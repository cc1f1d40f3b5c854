#include "monitor/data_directory.h"

#include "common/local_directory.h"

#include <QDir>

namespace korvanta::monitor {

QString enterDataDirectory(const QString& dataDirectory, const QString& fileName) {
    const QDir dir(common::localDirectory(dataDirectory));
    const QString path = QDir::cleanPath(dir.absoluteFilePath(fileName));
    // A missing data directory is made, so no recording is lost for want of it.
    if (dir.exists() || QDir().mkpath(dir.absolutePath())) {
        QDir::setCurrent(dir.absolutePath());
    }
    return path;
}

} // namespace korvanta::monitor
