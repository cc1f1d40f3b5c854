#include "acquisition/settings_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace korvanta::acquisition {
namespace {

constexpr qint64 kChunk = static_cast<qint64>(SettingsRecord::kSize);
constexpr qint64 kMaxFileSize = kChunk * kMaxSettingsChunks;

common::Result<> notRegular(const QString& path) {
    return common::Result<>::failure(
        common::fileFailure(path, QStringLiteral("not a regular file")));
}

// Takes a file to read only when it is regular (a link is followed): a device or a pipe may
// never end, and opening a pipe waits for a writer.
common::Result<> checkReadable(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) {
        return common::Result<>::failure(
            common::fileFailure(path, QString::fromLocal8Bit(std::strerror(errno))));
    }
    if (!S_ISREG(info.st_mode)) {
        return notRegular(path);
    }
    if (info.st_size > kMaxFileSize) {
        return common::Result<>::failure(common::fileFailure(
            path, QStringLiteral("longer than %1 bytes, not a settings dump").arg(kMaxFileSize)));
    }
    return {};
}

// Writes only over a regular file or where nothing is. A save file renames its temporary file
// over the target, so a link's target, a device or a pipe would be replaced.
common::Result<> checkWritable(const QString& path) {
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0) {
        return {};
    }
    if (S_ISLNK(info.st_mode)) {
        return common::Result<>::failure(
            common::fileFailure(path, QStringLiteral("a symbolic link, not a regular file")));
    }
    return S_ISREG(info.st_mode) ? common::Result<>() : notRegular(path);
}

} // namespace

common::Result<> readSettingsDump(const QString& path, SettingsRecord& record) {
    if (auto readable = checkReadable(path); !readable) {
        return readable;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return common::Result<>::failure(common::fileFailure(path, file.errorString()));
    }
    // Bounded as well: a file that grows while it is read, or one whose size tells nothing
    // (as in /proc), still ends.
    auto* target = reinterpret_cast<char*>(record.bytes());
    for (int chunk = 0; chunk <= kMaxSettingsChunks; ++chunk) {
        if (file.read(target, kChunk) < kChunk) {
            break;
        }
    }
    return {};
}

common::Result<> writeSettingsDump(const QString& path, const SettingsRecord& record) {
    if (auto writable = checkWritable(path); !writable) {
        return writable;
    }
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
