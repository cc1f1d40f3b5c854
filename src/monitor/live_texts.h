#pragma once
// Texts shared by the live steps: the time text of a line and the column header of a file.

#include "acquisition/settings_record.h"

#include <QString>

namespace korvanta::monitor {

// "yyyy-mm-dd hh:mm:ss.zzz" of now for real time stamps, else "hh:mm:ss.zzz" of the time since
// the start (whole days not shown).
QString lineTimeText(bool realTimeStamps, double now, double startTime);

// For each active channel in order: " k" + channel number + " " without a unit label, else " " +
// the unit label.
QString columnHeader(const acquisition::SettingsRecord& settings);

} // namespace korvanta::monitor
