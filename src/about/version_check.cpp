#include "about/version_check.h"

#include "common/cp1250.h"
#include "common/result.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>

namespace korvanta::about {
namespace {

// Far more than any version line; a longer first line is cut anyway.
constexpr qint64 kMostBytesRead = 4096;

QString decode(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? common::fromCp1250(bytes) : text;
}

} // namespace

QString versionCaption(const QByteArray& text) {
    const qsizetype end = text.indexOf('\n');
    const QByteArray line = end < 0 ? text : text.left(end);
    QString caption = decode(line);
    if (caption.endsWith(QLatin1Char('\r'))) {
        caption.chop(1);
    }
    return caption.left(kVersionCaptionLength);
}

UpdateOutcome checkNewVersion(platform::Download& download, const QUrl& versionText,
                              const QString& directory) {
    const QString path = QDir(directory).filePath(kVersionFileName);
    QFile::remove(path);
    const platform::DownloadOutcome fetched = download.toFile(versionText, path);
    if (!fetched.done()) {
        QFile::remove(path);
        return {kCheckFailedCaption, fetched.reason};
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        const QString reason = common::fileFailure(path, file.errorString());
        QFile::remove(path);
        return {kVersionFileFailedCaption, reason};
    }
    const QString caption = versionCaption(file.read(kMostBytesRead));
    file.close();
    QFile::remove(path);
    return {caption, {}};
}

} // namespace korvanta::about
