#include "acquisition/settings_location.h"

#include <QDir>
#include <QFileInfo>

namespace korvanta::acquisition {

QString settingsDirectoryFor(const QString& programDirectory, const QString& startDirectory,
                             const QString& userDirectory) {
    if (QFileInfo(programDirectory).isWritable() || userDirectory.isEmpty() ||
        !QDir().mkpath(userDirectory)) {
        return startDirectory;
    }
    return userDirectory;
}

} // namespace korvanta::acquisition
