#pragma once
// What the chart panel and the channel editor need of the window that holds them.

#include "acquisition/settings_record.h"
#include "platform/dialogs.h"
#include "platform/messages.h"

#include <QString>
#include <functional>

namespace korvanta::chart::ui {

struct ChartEnvironment {
    acquisition::SettingsRecord* settings;
    std::function<int()> channelCount;            // control block's channelCount (0 read-only)
    std::function<bool()> monitoringRunning;      // Timer1 enabled
    std::function<QString()> lowerLimitText;      // Edit10
    std::function<QString()> upperLimitText;      // Edit11
    std::function<QString(int)> inputDescription; // column 2 of StringGrid2, row n
    platform::Messages* messages;
    platform::Dialogs* dialogs;
};

} // namespace korvanta::chart::ui
