#include "files/file_summary.h"

namespace korvanta::files {
namespace {

QString item(const QString& name, const QString& value) {
    return name + QStringLiteral(": ") + value;
}

QString columnNames(const LoadedFile& file) {
    QStringList names;
    for (std::size_t p = 0; p < file.columns.size(); ++p) {
        names << file.names[p];
    }
    return names.join(QLatin1Char(' '));
}

} // namespace

QStringList fileSummary(const LoadedFile& file) {
    const bool any = file.labels && !file.labels->isEmpty();
    return {
        item(QStringLiteral("description"), file.description),
        item(QStringLiteral("columns"), columnNames(file)),
        item(QStringLiteral("lines"), QString::number(file.dataLines)),
        item(QStringLiteral("values"), QString::number(file.columns.size())),
        item(QStringLiteral("first"), any ? file.labels->at(0) : QString()),
        item(QStringLiteral("last"), any ? file.labels->at(file.labels->size() - 1) : QString())};
}

} // namespace korvanta::files
