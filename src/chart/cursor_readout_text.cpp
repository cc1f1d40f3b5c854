#include "chart/cursor_readout_text.h"

namespace korvanta::chart {

QStringList cursorReadoutTitles() {
    return {QStringLiteral("Seria"),   QStringLiteral("A"),
            QStringLiteral("B"),       QStringLiteral("B − A"),
            QStringLiteral("Δt"),      QStringLiteral("Jednostka Δt"),
            QStringLiteral("Liczba"),  QStringLiteral("Min"),
            QStringLiteral("Max"),     QStringLiteral("Międzyszczytowa"),
            QStringLiteral("Średnia"), QStringLiteral("RMS")};
}

QString readoutNumber(double value) {
    QString text = QString::number(value, 'g', 15);
    if (text.contains(QLatin1Char('e'))) {
        text = text.toUpper();
    }
    return text.replace(QLatin1Char('.'), QLatin1Char(','));
}

QString timeUnitText(TimeUnit unit) {
    return unit == TimeUnit::Seconds ? QStringLiteral("s") : QStringLiteral("pkt");
}

QStringList cursorReadoutCells(const SeriesSpan& row) {
    const SpanStatistics& s = row.statistics;
    return {row.name,
            readoutNumber(s.valueA),
            readoutNumber(s.valueB),
            readoutNumber(s.difference),
            readoutNumber(s.deltaT.value),
            timeUnitText(s.deltaT.unit),
            QString::number(s.count),
            readoutNumber(s.minimum),
            readoutNumber(s.maximum),
            readoutNumber(s.peakToPeak),
            readoutNumber(s.mean),
            readoutNumber(s.rms)};
}

QString cursorReadoutText(std::span<const SeriesSpan> rows) {
    const QChar tab(QLatin1Char('\t'));
    const QChar lineEnd(QLatin1Char('\n'));
    QString text = cursorReadoutTitles().join(tab) + lineEnd;
    for (const SeriesSpan& row : rows) {
        if (row.statistics.valid) {
            text += cursorReadoutCells(row).join(tab) + lineEnd;
        }
    }
    return text;
}

} // namespace korvanta::chart
