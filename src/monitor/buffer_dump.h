#pragma once
// The buffer dump (ZapiszBuforJakoPlikTekstowy): the whole data table as a text file, one line
// per record in ring order from the oldest, with the elapsed time and the inputs in use.

#include "acquisition/settings_record.h"
#include "acquisition/tick_view.h"

#include <QString>
#include <functional>

namespace korvanta::monitor {

// Told how many of the table's records are written so far, now and then during a long dump.
using DumpProgress = std::function<void(int done, int total)>;

struct BufferDumpInputs {
    double now = 0;        // day number
    QString folder;        // LabeledEdit19, the folder of the dumps
    char address = '\0';   // the system last processed; NUL when none was
    float direction = 0;   // the direction indicator of the power object
    DumpProgress progress; // may be empty
};

struct BufferDumpResult {
    QString name;    // the folder text, the address or "buf", the time, the direction, ".txt"
    QString path;    // absolute path of that file
    QString failure; // why the file could not be written; empty when it was

    bool failed() const { return !failure.isEmpty(); }
    // Label64.
    QString label64() const { return QStringLiteral("Dynamic file name: ") + name; }
    // Status panel 1.
    QString status() const {
        return (failed() ? QStringLiteral("Save error: ") : QStringLiteral("Save file: ")) + name;
    }
};

// "P" for a direction of +1, "L" for -1, "0" otherwise (never computed).
QString directionLetter(float direction);

// The dump file's name: the folder (backslashes read as '/'), the address as it is or "buf"
// for NUL, the time "yyyymmdd_hhnnss", the direction letter and ".txt".
QString bufferDumpName(const QString& folder, char address, double now, float direction);

// The header line: the address or "BUF", "_", the time "yyyy-mm-dd_hh:nn:ss", then "_" and the
// unit label of each channel 1..inputCount.
QString bufferDumpHeader(const acquisition::SettingsRecord& settings, char address, double now,
                         int inputCount);

// Writes the dump of the tick's table: the header, then for each record from the current one
// (the oldest) round the ring the time since that record "nn:ss.zzz" and inputs 1..C ".0000",
// C being the control block's channelCount limited to the inputs a record has. The folder is
// taken relative to the current directory and made when missing; the file is written whole, so
// a failed dump leaves no part of a file behind.
BufferDumpResult ZapiszBuforJakoPlikTekstowy(const acquisition::TickView& tick,
                                             const acquisition::SettingsRecord& settings,
                                             const BufferDumpInputs& inputs);

} // namespace korvanta::monitor
