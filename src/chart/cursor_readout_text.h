#pragma once
// The readout of the A/B cursors as text for the clipboard: tab-separated, decimal commas, so a
// spreadsheet with Polish number settings reads every figure as a number.

#include "chart/span_statistics.h"

#include <QString>
#include <QStringList>
#include <span>

namespace korvanta::chart {

struct SeriesSpan {
    QString name;
    SpanStatistics statistics;
};

// The column titles of the readout, the series name first.
QStringList cursorReadoutTitles();
// A figure of the readout with a decimal comma and up to 15 significant digits.
QString readoutNumber(double value);
// The unit of a time difference: "s" or "pkt".
QString timeUnitText(TimeUnit unit);
// The cells of one series' row, in the order of the titles.
QStringList cursorReadoutCells(const SeriesSpan& row);
// A header row, then one row per series with valid statistics; every row ends with LF.
QString cursorReadoutText(std::span<const SeriesSpan> rows);

} // namespace korvanta::chart
