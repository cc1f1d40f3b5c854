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

bool appendLines(const QString& path, const QStringList& lines) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        return false;
    }
    const QByteArray bytes = encodeLines(lines);
    return file.write(bytes) == bytes.size() && file.flush();
}

bool writeLines(const QString& path, const QStringList& lines) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    const QByteArray bytes = encodeLines(lines);
    return file.write(bytes) == bytes.size() && file.commit();
}

bool readLines(const QString& path, QStringList& lines) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    lines.clear();
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
    return true;
}

} // namespace korvanta::common
