#include "common/text_file.h"

#include "common/cp1250.h"

#include <QFile>
#include <QSaveFile>

namespace korvanta::common {
namespace {

QByteArray encodeLines(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += toCp1250(line);
        bytes += "\r\n";
    }
    return bytes;
}

} // namespace

Result<> appendLines(const QString& path, const QStringList& lines) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        return Result<>::failure(fileFailure(path, file.errorString()));
    }
    const QByteArray bytes = encodeLines(lines);
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        return Result<>::failure(fileFailure(path, file.errorString()));
    }
    return {};
}

Result<> writeLines(const QString& path, const QStringList& lines) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return Result<>::failure(fileFailure(path, file.errorString()));
    }
    const QByteArray bytes = encodeLines(lines);
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        return Result<>::failure(fileFailure(path, file.errorString()));
    }
    return {};
}

Result<QStringList> readLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return Result<QStringList>::failure(fileFailure(path, file.errorString()));
    }
    QStringList lines;
    const QByteArray all = file.readAll();
    qsizetype start = 0;
    while (start < all.size()) {
        qsizetype end = all.indexOf('\n', start);
        if (end < 0) {
            end = all.size();
        }
        qsizetype stop = end;
        if (stop > start && all[stop - 1] == '\r') {
            --stop;
        }
        lines.append(fromCp1250(all.mid(start, stop - start)));
        start = end + 1;
    }
    return lines;
}

} // namespace korvanta::common
