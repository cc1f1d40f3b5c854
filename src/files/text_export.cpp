#include "files/text_export.h"

#include "acquisition/settings_file.h"
#include "common/number_format.h"
#include "common/text_file.h"

#include <QFileInfo>
#include <algorithm>

namespace korvanta::files {
namespace {

// The exported series with the largest last visible index; of equals the first, so the lines
// follow the longest series whatever the order of the channels.
const ExportSeries* referenceSeries(const std::vector<ExportSeries>& series) {
    const ExportSeries* reference = nullptr;
    for (const ExportSeries& s : series) {
        if (s.exported && (!reference || s.lastVisible > reference->lastVisible)) {
            reference = &s;
        }
    }
    return reference;
}

QString chartLine(const std::vector<ExportSeries>& series, const ExportSeries& reference,
                  int point) {
    QString line = reference.label ? reference.label(point) : QString();
    for (const ExportSeries& s : series) {
        if (s.exported && s.value && point < s.size) {
            line += QLatin1Char(' ');
            line += common::formatFloat(QStringLiteral("#0.0000"), s.value(point));
        }
    }
    return line;
}

} // namespace

QString exportHeader(const QString& description, const acquisition::SettingsRecord& settings,
                     const std::function<bool(int)>& selected) {
    QString header = description;
    for (int k = 1; k <= acquisition::SettingsRecord::kChannelCount; ++k) {
        if (selected(k)) {
            header += QStringLiteral(" k%1 ").arg(settings.channelNumber(k));
        }
    }
    return header;
}

QStringList chartTextLines(const std::vector<ExportSeries>& series) {
    common::setDecimalSeparator(QLatin1Char('.'));
    QStringList lines;
    const ExportSeries* reference = referenceSeries(series);
    if (!reference) {
        return lines;
    }
    const int first = std::max(reference->firstVisible, 0);
    const int last = std::min(reference->lastVisible, reference->size - 1);
    if (last >= first) {
        lines.reserve(last - first + 1);
    }
    for (int point = first; point <= last; ++point) {
        lines.append(chartLine(series, *reference, point));
    }
    return lines;
}

QString companionSettingsName(const QString& dataFileName) {
    // A bare name too short to lose three characters keeps them all, so the companion never
    // takes a piece of the directory or becomes a bare "sett".
    if (QFileInfo(dataFileName).fileName().size() < 3) {
        return dataFileName + QStringLiteral("sett");
    }
    return acquisition::companionFileName(dataFileName);
}

common::Result<> writeTextFile(const QString& path, const QStringList& lines) {
    return common::writeLines(path, lines);
}

} // namespace korvanta::files
