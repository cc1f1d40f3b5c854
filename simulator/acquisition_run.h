#pragma once
// The acquisition itself: publishes the set-up fields and writes the records that are due at
// each wake-up, with the press, the address cycle and the hostile fields on top.

#include "hostile_writer.h"
#include "press_model.h"
#include "shared_blocks.h"
#include "signal_profiles.h"
#include "sim_options.h"

#include <cstdint>

namespace korvanta::simulator {

class AcquisitionRun {
public:
    AcquisitionRun(const SimOptions& options, SharedBlocks& blocks);

    // Publishes channelCount, recordCount, samplePeriod, auxValues and the first address,
    // fills the ring with the history of the last N records and writes the first live record.
    void start();
    // One wake-up, `elapsedS` real seconds after start: follows the command text, the address
    // cycle, and writes every record due by then (none after --stall-after).
    void wake(double elapsedS);

    bool closeRequested() const { return m_blocks.control().closeRequest() != 0; }
    std::int64_t recordsWritten() const { return m_written; }
    std::int64_t hostileValuesWritten() const { return m_hostileWriter.valuesWritten(); }

private:
    void publishSettings();
    void fillHistory();
    void writeDue(double elapsedS);
    // Record `number` counts from the first live record (0); history records are negative.
    void writeRecord(std::int64_t number);
    int ringIndex(std::int64_t number) const;
    void publishCurrentIndex(int index);
    void cycleAddress(double elapsedS);
    // The table as the system at `index` of the address list has it: every input moved by the
    // difference of the two systems' offsets.
    void shiftToSystem(qsizetype index);
    void applyHostile();
    bool hostileRandomAt(double elapsedS) const;
    // Back from random values: the set-up fields and the ring as the acquisition has them.
    void restoreSaneBlocks();

    const SimOptions& m_options;
    SharedBlocks& m_blocks;
    SignalProfiles m_profiles;
    PressModel m_press;
    double m_startDay = 0;
    double m_periodDays = 0;
    double m_periodS = 0;
    std::int64_t m_written = 0;
    qsizetype m_addressIndex = 0;
    double m_addressOffset = 0; // carried by the inputs of the current system
    HostileWriter m_hostileWriter;
    bool m_hostileRandom = false; // random values are in the blocks
};

} // namespace korvanta::simulator
