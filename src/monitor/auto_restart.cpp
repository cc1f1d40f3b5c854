#include "monitor/auto_restart.h"

#include <QDir>
#include <QFileInfo>

namespace korvanta::monitor {

bool restartAvailable(const QString& startDirectory) {
    return QFileInfo::exists(QDir(startDirectory).filePath(QLatin1String(kRestartMarkerFile)));
}

} // namespace korvanta::monitor
