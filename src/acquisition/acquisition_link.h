#pragma once
// The attachment to the acquisition program's shared blocks, with the read-only fallback.

#include "acquisition/control_block.h"
#include "acquisition/tick_view.h"
#include "platform/shared_memory.h"

#include <array>
#include <cstdint>
#include <vector>

namespace korvanta::acquisition {

enum class RecordArrival {
    New,    // the current record is newer than the last one seen
    Same,   // no record arrived since the last check (a stall)
    Older,  // the current record is older; nothing changes
    NoData, // no usable data table this tick
};

class AcquisitionLink {
public:
    static constexpr const char* kControlBlockName = "Ustawienia";
    static constexpr const char* kDataTableName = "Tablica_Danych";

    AcquisitionLink();

    // Opens "Ustawienia" and maps its 3544 bytes. Without it the private zero-filled block stays
    // the control block and the link is read-only for the whole run. True when attached.
    bool attachControlBlock();
    // Maps "Tablica_Danych" again with the recordCount of this moment (at most what the object
    // holds); the previous view is released. When "Ustawienia" now names a new block (the
    // acquisition program was restarted), that block becomes the control block first. Does
    // nothing in read-only mode. True when mapped.
    bool attachDataTable();

    bool readOnlyMode() const { return m_readOnly; }
    ControlBlock control() const { return ControlBlock(m_control); }
    // Records of the current data-table view.
    int mappedRecordCount() const;

    // The tick's view of the blocks. A recordCount that is not positive or exceeds the mapped
    // view, or a currentIndex outside 0..N-1, reads as a tick with no data.
    TickView tick() const;

    // New-record detection against lastTimeStamp, which it keeps.
    RecordArrival checkNewRecord();
    double lastTimeStamp() const { return m_lastTimeStamp; }
    void setLastTimeStamp(double value) { m_lastTimeStamp = value; }

    void requestEnd() { control().requestEnd(); }
    void sendCommand(const QString& text) { control().setCommandText(text); }
    QString frequencyText() const { return control().frequencyText(); }

private:
    void followRestartedControlBlock();

    std::array<unsigned char, ControlBlock::kSize> m_private{};
    platform::SharedMemoryView m_controlView;
    // Control blocks of earlier runs of the acquisition program stay mapped, so a ControlBlock
    // taken from one of them never points into released memory.
    std::vector<platform::SharedMemoryView> m_retiredControlViews;
    platform::SharedMemoryView m_tableView;
    unsigned char* m_control;
    bool m_readOnly = true;
    double m_lastTimeStamp = 0;
};

} // namespace korvanta::acquisition
