#include "monitor/rates.h"

#include "common/number_format.h"

namespace korvanta::monitor {

Rates ratesOf(const acquisition::ControlBlock& control) {
    Rates rates;
    rates.frequencyText = control.frequencyText();
    if (control.samplePeriod() != 0) {
        rates.frequencyEdit = common::formatGeneral(control.frequencyHz());
    }
    rates.bufferSizeText = QString::number(control.recordCount());
    return rates;
}

} // namespace korvanta::monitor
