#pragma once
// The Reports step (RaportyN) without its window: the report of all active channels, and its
// periodic append to the .dan file after the window has added the chart points.

#include "monitor/channel_functions.h"
#include "monitor/save_counter.h"

#include <QString>
#include <QStringList>

namespace korvanta::monitor {

struct ReportInputs {
    double now = 0;            // day number
    bool zeroChecked = false;  // CheckBox18 "ZERO"
    QStringList functionNames; // the items of ComboBox1, indexed by function code
};

// Computes the active channels in ascending order and returns the lines of Memo1: "REPORT " +
// the time text, then per active channel "k" + number + " " + function name + "  " + value +
// "  " + unit label + "  " + note. Code 9 is named "cos fi"; a code the list lacks has an empty
// name; decimals outside 0..3 leave the value out. Time texts count from `startTime` unless the
// settings record asks for real time stamps. Does not touch the decimal separator.
QStringList buildReport(ChannelContext& context, const ReportInputs& inputs, double startTime);

struct ReportSaveInputs {
    bool reportsSelected = false; // RadioButton2 "Raporty"
    bool saveEvery = false;       // CheckBox4 "Zapisz do pliku co"
    QString saveEveryText;        // Edit9, the save period
    QString fileName;             // LabeledEdit8 "Nazwa pliku"
    QString fileDescription;      // LabeledEdit7 "Opis pliku"
};

struct ReportSaveResult {
    QString columnHeader;
    bool saved = false;  // a save was due and attempted
    QString savePath;    // absolute path of the .dan file of that save
    QString saveFailure; // why that save failed; empty when it succeeded

    bool saveFailed() const { return !saveFailure.isEmpty(); }
};

// Counts the tick towards the save period (read from Edit9 only when saving is on; a text that
// is not an integer throws ConversionError) and, when due, appends the report block - its lines
// and an empty line, each ending in one CR LF - to fileName + ".dan" in the data directory of the
// settings record. A new file starts with the file description and the column header.
ReportSaveResult saveReport(const acquisition::SettingsRecord& settings,
                            const ReportSaveInputs& inputs, const QStringList& memoLines,
                            SaveCounter& saveCounter);

} // namespace korvanta::monitor
