#pragma once
// The text files of the analysis page: the spectrum, the analysed signal and the histogram as
// lines of text, and the report header that opens the report panel.

#include "analysis/frequency_analysis.h"

#include <QString>
#include <QStringList>
#include <span>
#include <vector>

namespace korvanta::analysis {

// One series of a text file: its header title and its values, one per exported point.
struct TextColumn {
    QString title;   // "Real  ", "Imag  ", "XY", "Data  ", "iReal  ", "iImag"
    bool on = false; // only switched-on series are written
    std::vector<double> values;
};

// The header (firstTitle followed by the titles of the switched-on columns), then one line per
// label: the label, " ", and for each switched-on column its value "#0.0000", each but a value of
// the last column followed by " ". A column with fewer values than labels writes nothing for
// the missing ones, so the line keeps its other values.
QStringList columnTextLines(const QString& firstTitle, const QStringList& labels,
                            std::span<const TextColumn> columns);

// Which parts of the spectrum a spectrum file holds ("Real", "Imag", "XY" switched on).
struct SpectrumColumns {
    bool real = true;
    bool imaginary = true;
    bool magnitude = true;
};

// The spectrum file: the header "f  " and the switched-on parts' titles, then one line per
// point: its frequency label and its real, imaginary and magnitude values.
QStringList spectrumTextLines(std::span<const SpectrumPoint> points, SpectrumColumns on);

// An empty first line, then one line per bar: its label, " ", its height "#0.0000", " ".
QStringList histogramTextLines(const QStringList& labels, std::span<const double> heights);

// What the report header names: the source of the analysed series.
struct ReportSource {
    double now = 0; // day number
    bool fromFile = false;
    QString fileName;     // the opened file (data from a file)
    int channel = 0;      // the analysed channel 1..64
    QString seriesTitle;  // the title of the channel's series (data from a file)
    QString bufferLength; // shown on the main window (live data)
    QString frequency;    // shown on the main window (live data)
    QString inputName;    // column "W:" of the channel's row of the measuring inputs
    QString inputNote;    // column "  Note:" of that row
    QString channelName;
    QString channelNote;
};

// "RAPORT, " with the date and time, a blank line, then the lines of a file's series or of a
// live channel.
QStringList reportHeaderLines(const ReportSource& source);

} // namespace korvanta::analysis
