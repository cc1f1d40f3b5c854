#include "monitor/object_slots.h"

#include "common/number_format.h"
#include "monitor/value_format.h"

namespace korvanta::monitor {

ObjectSlotView readObjectSlot(const acquisition::SettingsRecord& record,
                              const CurrentValues& values, const QString& channelText) {
    const int n = common::parseInt(channelText);
    if (n < 1 || n > acquisition::SettingsRecord::kChannelCount) {
        return {};
    }
    return {record.channelName(n),
            formatChannelValue(record.decimalPlaces(n), values[static_cast<std::size_t>(n - 1)])};
}

} // namespace korvanta::monitor
