#pragma once
// Random values for every control-block field the monitoring reads and for each record written,
// so that a test can show that nothing the acquisition program publishes brings korvanta down.

#include "acquisition/control_block.h"
#include "acquisition/tabela.h"

#include <cstdint>
#include <random>

namespace korvanta::simulator {

class HostileWriter {
public:
    explicit HostileWriter(std::uint32_t seed);

    // channelCount, recordCount, currentIndex, auxCount, reportNumber, samplePeriod, the aux
    // values and systemAddress; `tableRecords` is what the table really holds, so that the
    // values just inside and just outside it come up often.
    void spoilControl(acquisition::ControlBlock control, int tableRecords);
    // The time stamp and every input of `record`.
    void spoilRecord(acquisition::Tabela& record);

    std::int64_t valuesWritten() const { return m_written; }

private:
    std::int32_t anyInteger(int tableRecords);
    double anyDouble();
    float anyFloat();
    int pick(int cases);

    std::mt19937 m_random;
    std::int64_t m_written = 0;
};

} // namespace korvanta::simulator
