#pragma once
// What the window shows of the acquisition program's rates: the sampling frequency and the
// buffer size, read from the control block at start-up and on every Measurements step.

#include "acquisition/control_block.h"

#include <QString>
#include <optional>

namespace korvanta::monitor {

struct Rates {
    QString frequencyText;                // Label6: "##0.00" + "Hz", or "---.--"
    std::optional<QString> frequencyEdit; // Edit39, only when the sampling period is not 0
    QString bufferSizeText;               // Label7
};

Rates ratesOf(const acquisition::ControlBlock& control);

} // namespace korvanta::monitor
