#include "common/result.h"

#include <QFileInfo>

namespace korvanta::common {

QString fileFailure(const QString& path, const QString& systemText) {
    const QString name = QFileInfo(path).fileName();
    return systemText.isEmpty() ? name : name + QStringLiteral(": ") + systemText;
}

} // namespace korvanta::common
