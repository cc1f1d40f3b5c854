#include "analysis/analysis_text_export.h"

#include "common/day_time.h"
#include "common/number_format.h"

namespace korvanta::analysis {

namespace {

QString valueText(double value) {
    return common::formatFloat(QStringLiteral("#0.0000"), value);
}

} // namespace

QStringList columnTextLines(const QString& firstTitle, const QStringList& labels,
                            std::span<const TextColumn> columns) {
    QString header = firstTitle;
    for (const TextColumn& column : columns) {
        if (column.on) {
            header += column.title;
        }
    }
    QStringList lines{header};
    for (qsizetype i = 0; i < labels.size(); ++i) {
        QString line = labels[i] + QLatin1Char(' ');
        for (std::size_t c = 0; c < columns.size(); ++c) {
            if (!columns[c].on) {
                continue;
            }
            const auto row = static_cast<std::size_t>(i);
            if (row < columns[c].values.size()) {
                line += valueText(columns[c].values[row]);
            }
            if (c + 1 < columns.size()) {
                line += QLatin1Char(' ');
            }
        }
        lines << line;
    }
    return lines;
}

QStringList spectrumTextLines(std::span<const SpectrumPoint> points, SpectrumColumns on) {
    QStringList labels;
    std::vector<TextColumn> columns{{QStringLiteral("Real  "), on.real, {}},
                                    {QStringLiteral("Imag  "), on.imaginary, {}},
                                    {QStringLiteral("XY"), on.magnitude, {}}};
    for (const SpectrumPoint& point : points) {
        labels << point.label;
        columns[0].values.push_back(point.real);
        columns[1].values.push_back(point.imaginary);
        columns[2].values.push_back(point.magnitude);
    }
    return columnTextLines(QStringLiteral("f  "), labels, columns);
}

QStringList histogramTextLines(const QStringList& labels, std::span<const double> heights) {
    QStringList lines{QString()};
    for (qsizetype i = 0; i < labels.size() && static_cast<std::size_t>(i) < heights.size(); ++i) {
        lines << labels[i] + QLatin1Char(' ') + valueText(heights[static_cast<std::size_t>(i)]) +
                     QLatin1Char(' ');
    }
    return lines;
}

QStringList reportHeaderLines(const ReportSource& source) {
    QStringList lines{QStringLiteral("RAPORT, ") +
                          common::formatDayTime(QStringLiteral("yyyy-mm-dd hh:mm:ss"), source.now),
                      QStringLiteral(" ")};
    const QString channel = QStringLiteral("Kanał: ") + QString::number(source.channel);
    if (source.fromFile) {
        lines << QStringLiteral("Plik: ") + source.fileName << channel
              << QStringLiteral("Etykieta: ") + source.seriesTitle;
        return lines;
    }
    lines << QStringLiteral("Długość bufora: ") + source.bufferLength
          << QStringLiteral("Częstotliwość: ") + source.frequency << channel
          << QStringLiteral("Wejście pomiarowe: W") + source.inputName + QStringLiteral("  ") +
                 source.inputNote
          << QStringLiteral("Etykieta: ") + source.channelName
          << QStringLiteral("Notatka: ") + source.channelNote;
    return lines;
}

} // namespace korvanta::analysis
