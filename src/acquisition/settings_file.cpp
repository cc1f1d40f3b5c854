#include "acquisition/settings_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace korvanta::acquisition {

common::Result<> readSettingsDump(const QString& path, SettingsRecord& record) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return common::Result<>::failure(common::fileFailure(path, file.errorString()));
    }
    auto* target = reinterpret_cast<char*>(record.bytes());
    for (;;) {
        const qint64 n = file.read(target, static_cast<qint64>(SettingsRecord::kSize));
        if (n < static_cast<qint64>(SettingsRecord::kSize)) {
            break;
        }
    }
    return {};
}

common::Result<> writeSettingsDump(const QString& path, const SettingsRecord& record) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return common::Result<>::failure(common::fileFailure(path, file.errorString()));
    }
    const auto* source = reinterpret_cast<const char*>(record.bytes());
    const auto size = static_cast<qint64>(SettingsRecord::kSize);
    if (file.write(source, size) != size || !file.commit()) {
        return common::Result<>::failure(common::fileFailure(path, file.errorString()));
    }
    return {};
}

QString settingsFileNameFor(const QString& programPath) {
    QString name = QFileInfo(programPath).fileName();
    if (name.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive)) {
        name.chop(4);
    }
    return name + QStringLiteral(".bupas");
}

QString configFileName(const QString& chosenPath) {
    if (chosenPath.endsWith(QLatin1String(".bupas"))) {
        return chosenPath;
    }
    return chosenPath + QStringLiteral(".bupas");
}

QString companionFileName(const QString& dataFilePath) {
    return dataFilePath.left(dataFilePath.size() - 3) + QStringLiteral("sett");
}

} // namespace korvanta::acquisition
