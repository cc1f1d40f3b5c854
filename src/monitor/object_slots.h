#pragma once
// What one live-value slot of the "Obiekt" tab shows for the channel number typed in its edit.

#include "acquisition/settings_record.h"
#include "monitor/current_values.h"

#include <QString>
#include <optional>

namespace korvanta::monitor {

struct ObjectSlotView {
    QString label;                // channelName[n]; empty when n names no channel
    std::optional<QString> value; // formatted value; none leaves the value edit as it is
};

// n := the integer in `channelText` (throws common::ConversionError when it is not one). A number
// outside 1..64 names no channel: empty label and no value, so nothing is read outside the tables.
ObjectSlotView readObjectSlot(const acquisition::SettingsRecord& record,
                              const CurrentValues& values, const QString& channelText);

} // namespace korvanta::monitor
