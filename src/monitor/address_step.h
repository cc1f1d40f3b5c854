#pragma once
// The address step (adresPomiaryN) without its window: one listed system's channels, the memo
// and report lines, and its .dan, .net and .rap files named after the system's address.

#include "chart/vector_channel.h"
#include "common/conversion_error.h"
#include "monitor/channel_functions.h"
#include "monitor/rates.h"
#include "monitor/save_counter.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace korvanta::monitor {

// What the window supplies for one step: the clock, the start directory and its controls.
struct AddressStepInputs {
    double now = 0;           // day number
    QString startDirectory;   // where the .net and .rap files go
    bool zeroChecked = false; // CheckBox18 "ZERO"
    // Reads "wektor" with its three inputs (CheckBox19, LabeledEdit21..23): nothing when it is
    // not checked; throws ConversionError on a number that does not convert. Empty: no vector.
    std::function<std::optional<chart::VectorChannel>()> vectorChannel;
    QStringList functionNames; // the items of ComboBox1, indexed by function code
    bool extraReport = false;  // CheckBox6 "Zapisz dodatkowy raport"
    bool extraNetFile = false; // CheckBox13 "Zapisz dodatkowy plik .net"
    bool saveEvery = false;    // CheckBox4 "Zapisz do pliku co"
    QString saveEveryText;     // Edit9, the save period
    QString fileDescription;   // LabeledEdit7 "Opis pliku"
    QString lineLimitText;     // LabeledEdit4 "Limit linii"
    int memoLineCount = 0;     // lines Memo1 holds before the step
    bool partView = false;     // the counter of ToolButton17 is odd
    QString partViewStepText;  // LabeledEdit10, the step of the part view
};

// How far a step got: each stage includes the ones before it. A typed number that does not
// convert ends the step at the stage before its own.
enum class AddressStage {
    Labels,   // Label55 and Label66; all when the buffer is not full
    Rates,    // the rate labels
    Lines,    // channels, data line, Memo4, the Memo1 lines, the file base, the column header
    Saved,    // the periodic save; the chart points are due
    PartView, // the part view
    Limited,  // the line limit of Memo1 and the scaling
    Reported, // the .rap file: the whole step
};

// One file the step wrote or tried to write.
struct FileOutcome {
    bool attempted = false;
    QString path;    // absolute
    QString failure; // why it failed; empty when it was written

    bool failed() const { return !failure.isEmpty(); }
};

struct AddressStepResult {
    AddressStage stage = AddressStage::Labels;
    QString label55; // "Current system: " + the address
    QString label66; // N × T as "sss.zzz"
    Rates rates;
    QString dataLine;        // "yyyy-mm-dd hh:mm:ss.zzz" and the active channels' values
    QStringList reportLines; // the new text of Memo4
    QStringList memoLines;   // added to Memo1: "Record: " + the address, the data line
    QString fileBase;        // the upper-case address, for LabeledEdit18
    QString columnHeader;
    QString label35; // "time        " + the column header
    FileOutcome dan; // U + "yyyymm" + ".dan" in the data directory
    FileOutcome net; // U + ".net" in the start directory
    FileOutcome rap; // U + ".rap" in the start directory
    // In part view the bottom axis starts this much further left; without it, at 0.
    std::optional<double> partViewStep;
    bool deleteFirstMemoLine = false;
    std::optional<common::ConversionError> conversionError;

    bool reached(AddressStage s) const { return stage >= s; }
};

// The buffer holds a whole table of samples: the newest record's time stamp is at least
// N × T + 1 second. A tick without data is not full.
bool bufferFull(const acquisition::TickView& tick);

// Runs the step in its order for system `address`: sets the decimal separator to '.', the two
// labels, and when the buffer is full the rates, the vector channel (written into the table),
// the channels whose input number is at most channelCount, the lines, the periodic save with
// the shared counter, the part view, the line limit and the .rap file. The current directory
// ends as the data directory or, after a .net or .rap file, the start directory.
AddressStepResult adresPomiaryN(ChannelContext& context, char address,
                                const AddressStepInputs& inputs, SaveCounter& saveCounter);

} // namespace korvanta::monitor
