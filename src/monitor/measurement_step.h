#pragma once
// The Measurements step (pomiaryN) without its window: channels, labels, data line and the
// periodic append to the .dan file.

#include "common/conversion_error.h"
#include "monitor/channel_functions.h"
#include "monitor/rates.h"
#include "monitor/save_counter.h"

#include <QString>
#include <array>
#include <optional>

namespace korvanta::monitor {

// A value taken off a computed channel before the data line is built: the bench test's zero
// correction of its force and displacement. Channel 0 takes nothing.
struct ChannelOffset {
    int channel = 0; // 1..64
    double offset = 0;
};

// What the window supplies for one step: the clock and the texts of its controls.
struct MeasurementInputs {
    double now = 0;                         // day number
    bool zeroChecked = false;               // CheckBox18 "ZERO"
    bool saveEvery = false;                 // CheckBox4 "Zapisz do pliku co"
    QString saveEveryText;                  // Edit9, the save period
    QString addressFileBase;                // LabeledEdit18, set by the address mode
    QString fileName;                       // LabeledEdit8 "Nazwa pliku"
    QString fileDescription;                // LabeledEdit7 "Opis pliku"
    QString lineLimitText;                  // LabeledEdit4 "Limit linii"
    int memoLineCount = 0;                  // lines Memo1 holds now
    std::array<ChannelOffset, 2> offsets{}; // applied to active channels only
};

struct MeasurementResult {
    Rates rates;
    QString dataLine;
    QString label55; // "Current system: " + the address
    QString columnHeader;
    bool saved = false;  // a save was due and attempted
    QString savePath;    // absolute path of the .dan file of that save
    QString saveFailure; // why that save failed; empty when it succeeded
    bool deleteFirstMemoLine = false;
    // A typed number that did not convert ended the step there; what came before is filled in.
    std::optional<common::ConversionError> conversionError;

    bool saveFailed() const { return !saveFailure.isEmpty(); }
};

// Runs the step in its order: rates, channels, data line, the save when due (a new .dan file
// receives its header line and this save's data line), the line limit. Sets the decimal
// separator to '.'. Time texts count from `startTime`; the data directory and the real-time
// choice come from the settings record.
MeasurementResult runMeasurementStep(ChannelContext& context, const MeasurementInputs& inputs,
                                     double startTime, SaveCounter& saveCounter);

} // namespace korvanta::monitor
