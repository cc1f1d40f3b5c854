#pragma once
// The text files the chart and the text view are saved as: the header line, the chart text
// layout, and the companion settings file that travels with a data file.

#include "acquisition/settings_record.h"
#include "common/result.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace korvanta::files {

// The description followed by " k<channelNumber> " for each channel k (1..64) for which
// `selected(k)` holds.
QString exportHeader(const QString& description, const acquisition::SettingsRecord& settings,
                     const std::function<bool(int)>& selected);

// What the chart export needs of the series of channel k (index k - 1).
struct ExportSeries {
    bool exported = false; // active and plotted
    int firstVisible = 0;  // first and last visible point index; last < first when none
    int lastVisible = -1;
    std::function<double(int)> value;  // Y of a point index within the series
    std::function<QString(int)> label; // the label of a point index
    int size = 0;                      // points in the series
};

// The lines after the header: one per visible point index of the reference series (the
// exported series with the largest last visible index, the first of equals), its label, then " "
// and "#0.0000" of each exported series' Y at that index (a series without that point gives no
// value). No exported series gives no lines. Sets the process-wide decimal separator to '.'.
QStringList chartTextLines(const std::vector<ExportSeries>& series);

// "pomiar.dan" gives "pomiar.sett": the last three characters replaced by "sett". A file name
// shorter than three characters keeps them ("ab" gives "absett").
QString companionSettingsName(const QString& dataFileName);

// Writes the lines whole (QSaveFile, code page 1250, CR LF); a failure leaves an earlier file as
// it was and names the file.
common::Result<> writeTextFile(const QString& path, const QStringList& lines);

} // namespace korvanta::files
