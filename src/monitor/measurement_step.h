#pragma once
// The Measurements step (pomiaryN) without its window: channels, labels, data line and the
// periodic append to the .dan file.

#include "monitor/channel_functions.h"
#include "monitor/save_counter.h"

#include <QString>
#include <optional>

namespace korvanta::monitor {

struct MeasurementInputs {
    bool realTimeStamps = false; // CheckBox20 "rzeczywisty czas pomiaru"
    double now = 0;              // day number
    double startTime = 0;        // day number at which monitoring started
    bool saveEvery = false;      // CheckBox4 "Zapisz do pliku co"
    QString saveEveryText;       // Edit9, the save period
    QString addressFileBase;     // LabeledEdit18, set by the address mode
    QString fileName;            // LabeledEdit8 "Nazwa pliku"
    QString fileDescription;     // LabeledEdit7 "Opis pliku"
    QString dataDirectory;       // dataDirectory of the settings record
    QString lineLimitText;       // LabeledEdit4 "Limit linii"
    int memoLineCount = 0;       // lines Memo1 holds now
};

struct MeasurementResult {
    QString frequencyText;                // Label6: "##0.00" + "Hz", or "---.--"
    std::optional<QString> frequencyEdit; // Edit39, only when the sampling period is not 0
    QString bufferSizeText;               // Label7
    QString dataLine;
    QString label55; // "Current system: " + the address
    QString columnHeader;
    bool saved = false;      // a save was due and attempted
    QString savePath;        // absolute path of the .dan file of that save
    bool saveFailed = false; // then the window shows "Save error: " + the file name
    bool deleteFirstMemoLine = false;
};

// Runs the step in its order and fills `result` as it goes, so a conversion error of Edit9 or of
// the line limit (thrown where they are read) leaves the earlier results to be shown. Sets the
// decimal separator to '.'. A new .dan file receives its header line and this save's data line.
void runMeasurementStep(ChannelContext& context, const MeasurementInputs& inputs,
                        SaveCounter& saveCounter, MeasurementResult& result);

} // namespace korvanta::monitor
