#include "about/program_update.h"

#include "common/result.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace korvanta::about {
namespace {

constexpr qint64 kMostHashFileBytes = 4096;
constexpr QFileDevice::Permissions kProgramPermissions =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
    QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser | QFileDevice::ReadGroup |
    QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther;

UpdateOutcome failedWith(const QString& reason) {
    return {kUpdateFailedCaption, reason};
}

common::Result<QByteArray> fileHash(const QString& path) {
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file)) {
        return common::Result<QByteArray>::failure(common::fileFailure(path, file.errorString()));
    }
    return hash.result().toHex();
}

common::Result<QByteArray> readSmallFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return common::Result<QByteArray>::failure(common::fileFailure(path, file.errorString()));
    }
    return file.read(kMostHashFileBytes);
}

// Fine when the server publishes no hash; a hash that cannot be had or does not match fails.
common::Result<> checkPublishedHash(platform::Download& download, const QUrl& hashUrl,
                                    const QString& downloadedPath) {
    const QString hashPath = downloadedPath + QStringLiteral(".sha256");
    const platform::DownloadOutcome fetched = download.toFile(hashUrl, hashPath);
    if (fetched.status == platform::DownloadStatus::NotPublished) {
        return {};
    }
    const auto text = fetched.done() ? readSmallFile(hashPath)
                                     : common::Result<QByteArray>::failure(fetched.reason);
    QFile::remove(hashPath);
    if (!text) {
        return common::Result<>::failure(text.reason());
    }
    const std::optional<QByteArray> expected = publishedHash(text.value());
    if (!expected) {
        return common::Result<>::failure(hashUrl.toDisplayString() +
                                         QStringLiteral(": no SHA-256 in the hash file"));
    }
    const auto actual = fileHash(downloadedPath);
    if (!actual) {
        return common::Result<>::failure(actual.reason());
    }
    if (actual.value() != *expected) {
        return common::Result<>::failure(
            QStringLiteral("the downloaded program does not match its published SHA-256"));
    }
    return {};
}

common::Result<> fetchVerified(platform::Download& download, const UpdateAddresses& addresses,
                               const QString& path) {
    const platform::DownloadOutcome fetched = download.toFile(addresses.programFile, path);
    if (!fetched.done()) {
        return common::Result<>::failure(fetched.reason);
    }
    if (QFileInfo(path).size() == 0) {
        return common::Result<>::failure(addresses.programFile.toDisplayString() +
                                         QStringLiteral(": the program file is empty"));
    }
    return checkPublishedHash(download, addresses.programHash, path);
}

// The old program goes to its backup name first, so that a failure of the last move can put it
// back.
common::Result<> putInPlace(const QString& newPath, const QString& programPath) {
    if (!QFile::setPermissions(newPath, kProgramPermissions)) {
        return common::Result<>::failure(
            common::fileFailure(newPath, QStringLiteral("cannot make it executable")));
    }
    const QString backupPath = backupPathFor(programPath);
    if (QFileInfo::exists(backupPath) && !QFile::remove(backupPath)) {
        return common::Result<>::failure(
            common::fileFailure(backupPath, QStringLiteral("cannot delete it")));
    }
    const bool hadProgram = QFileInfo::exists(programPath);
    if (hadProgram && !QFile::rename(programPath, backupPath)) {
        return common::Result<>::failure(
            common::fileFailure(programPath, QStringLiteral("cannot rename it")));
    }
    if (!QFile::rename(newPath, programPath)) {
        if (hadProgram) {
            QFile::rename(backupPath, programPath);
        }
        return common::Result<>::failure(
            common::fileFailure(programPath, QStringLiteral("cannot put the new file there")));
    }
    return {};
}

} // namespace

QString backupPathFor(const QString& programPath) {
    return programPath + QStringLiteral(".bak");
}

std::optional<QByteArray> publishedHash(const QByteArray& text) {
    static const QRegularExpression firstWord(QStringLiteral("^\\s*([0-9A-Fa-f]{64})(\\s|$)"));
    const QRegularExpressionMatch match = firstWord.match(QString::fromLatin1(text));
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    return match.captured(1).toLatin1().toLower();
}

UpdateOutcome downloadNewProgram(platform::Download& download, const UpdateAddresses& addresses,
                                 const QString& programPath) {
    const QFileInfo program(programPath);
    if (!QFileInfo(program.absolutePath()).isWritable()) {
        return {kNotWritableCaption,
                common::fileFailure(program.absolutePath(), QStringLiteral("not writable"))};
    }
    const QString newPath = programPath + QStringLiteral(".new");
    common::Result<> result = fetchVerified(download, addresses, newPath);
    if (result) {
        result = putInPlace(newPath, programPath);
    }
    if (!result) {
        QFile::remove(newPath);
        return failedWith(result.reason());
    }
    return {kUpdateDoneCaption, {}};
}

} // namespace korvanta::about
