#pragma once
// What a monitoring tick in the Measurements mode with the system-address check reads and does:
// the dispatch, the address step and the dynamic-recording pass after it.

#include "monitor/address_dispatch.h"
#include "monitor/address_step.h"
#include "monitor/buffer_dump.h"

#include <QString>
#include <optional>

namespace korvanta::monitor {

struct AddressInputs {
    QString addressList; // Edit45
    AddressStepInputs step;
    bool dynamicSave = false;    // CheckBox17 "Save dynamic measurement every:"
    QString dynamicIntervalText; // Edit46, "hh:mm:ss"
    QString dynamicFolder;       // LabeledEdit19
    DumpProgress progress;       // told how a long dump goes; may be empty
};

struct DynamicPassResult {
    QString label64 = QStringLiteral("Dynamic file name..");
    std::optional<BufferDumpResult> dump; // the dump of this system, when it was due
    std::optional<common::ConversionError> conversionError; // the interval did not convert
};

struct AddressTickResult {
    AddressAction action = AddressAction::NotListed;
    AddressStepResult step;                // when the step ran
    std::optional<DynamicPassResult> pass; // after a step that ran to its end

    // The typed number that ended the tick, if one did.
    std::optional<common::ConversionError> conversionError() const {
        if (step.conversionError) {
            return step.conversionError;
        }
        return pass ? pass->conversionError : std::nullopt;
    }
};

} // namespace korvanta::monitor
