#include "acquisition_run.h"

#include "common/day_time.h"

#include <QDateTime>
#include <atomic>
#include <cmath>

namespace korvanta::simulator {

AcquisitionRun::AcquisitionRun(const SimOptions& options, SharedBlocks& blocks)
    : m_options(options), m_blocks(blocks), m_profiles(options.components, options.seed),
      m_press(options.press, options.seed), m_hostileWriter(options.hostileRandomSeed.value_or(0)) {
}

void AcquisitionRun::start() {
    m_startDay = common::toDayNumber(QDateTime::currentDateTime());
    m_periodS = 1.0 / m_options.rateHz;
    m_periodDays = m_periodS / common::kSecondsPerDay;
    publishSettings();
    fillHistory();
    publishCurrentIndex(0);
    wake(0.0);
}

void AcquisitionRun::publishSettings() {
    acquisition::ControlBlock c = m_blocks.control();
    c.setChannelCount(m_options.channels);
    c.setRecordCount(m_blocks.recordCount());
    c.setSamplePeriod(m_periodDays);
    for (std::size_t i = 0; i < m_options.auxValues.size(); ++i) {
        c.setAuxValue(static_cast<int>(i), m_options.auxValues[i]);
    }
    c.setAuxCount(static_cast<std::int32_t>(m_options.auxValues.size()) - 1);
    if (!m_options.addresses.isEmpty()) {
        c.setSystemAddress(m_options.addresses.at(0).toLatin1());
    }
}

void AcquisitionRun::fillHistory() {
    for (std::int64_t n = -m_blocks.recordCount(); n < 0; ++n) {
        writeRecord(n);
    }
}

void AcquisitionRun::wake(double elapsedS) {
    m_press.applyCommand(m_blocks.control().commandText());
    cycleAddress(elapsedS);
    const bool wasRandom = m_hostileRandom;
    m_hostileRandom = hostileRandomAt(elapsedS);
    if (wasRandom && !m_hostileRandom) {
        restoreSaneBlocks();
    }
    if (!m_options.stallAfterS || elapsedS < *m_options.stallAfterS) {
        writeDue(elapsedS);
    }
    applyHostile();
}

void AcquisitionRun::writeDue(double elapsedS) {
    const auto due =
        static_cast<std::int64_t>(std::floor(elapsedS * m_options.speed * m_options.rateHz)) + 1;
    if (due - m_written > m_blocks.recordCount()) {
        // Fallen behind by more than the ring holds: only the last N records can be seen.
        const std::int64_t skipped = due - m_blocks.recordCount() - m_written;
        m_press.advance(static_cast<double>(skipped) * m_periodS);
        m_written += skipped;
    }
    for (; m_written < due; ++m_written) {
        m_press.advance(m_periodS);
        writeRecord(m_written);
        publishCurrentIndex(ringIndex(m_written + 1));
        if (m_hostileRandom) {
            m_hostileWriter.spoilRecord(m_blocks.record(ringIndex(m_written)));
            m_hostileWriter.spoilControl(m_blocks.control(), m_blocks.recordCount());
        }
    }
}

bool AcquisitionRun::hostileRandomAt(double elapsedS) const {
    return m_options.hostileRandomSeed &&
           (!m_options.hostileForS || elapsedS < *m_options.hostileForS);
}

void AcquisitionRun::restoreSaneBlocks() {
    publishSettings();
    acquisition::ControlBlock c = m_blocks.control();
    for (auto i = static_cast<int>(m_options.auxValues.size());
         i < acquisition::ControlBlock::kAuxValueCount; ++i) {
        c.setAuxValue(i, 0.0F);
    }
    c.setReportNumber(0);
    if (!m_options.addresses.isEmpty()) {
        c.setSystemAddress(m_options.addresses.at(m_addressIndex).toLatin1());
    }
    for (std::int64_t n = m_written - m_blocks.recordCount(); n < m_written; ++n) {
        writeRecord(n);
    }
    publishCurrentIndex(ringIndex(m_written));
}

void AcquisitionRun::writeRecord(std::int64_t number) {
    acquisition::Tabela& record = m_blocks.record(ringIndex(number));
    record.timeStamp = m_startDay + static_cast<double>(number) * m_periodDays;
    m_profiles.fill(static_cast<double>(number) * m_periodS, record.values);
    if (m_addressOffset != 0) {
        for (float& value : record.values) {
            value += static_cast<float>(m_addressOffset);
        }
    }
    if (m_press.enabled()) {
        const bool live = number >= 0;
        record.values[m_press.settings().forceInput - 1] =
            live ? static_cast<float>(m_press.forceReadingKn()) : 0.0F;
        record.values[m_press.settings().displacementInput - 1] =
            live ? static_cast<float>(m_press.displacementMm()) : 0.0F;
    }
}

int AcquisitionRun::ringIndex(std::int64_t number) const {
    const std::int64_t n = m_blocks.recordCount();
    return static_cast<int>(((number % n) + n) % n);
}

void AcquisitionRun::publishCurrentIndex(int index) {
    // The record must be complete in memory before the index that uncovers it.
    std::atomic_thread_fence(std::memory_order_release);
    if (!m_options.hostile.currentIndex) {
        m_blocks.control().setCurrentIndex(index);
    }
}

void AcquisitionRun::cycleAddress(double elapsedS) {
    const QString& list = m_options.addresses;
    if (list.isEmpty()) {
        return;
    }
    const auto step = static_cast<std::int64_t>(std::floor(elapsedS / m_options.addressPeriodS));
    const auto index = static_cast<qsizetype>(step % list.size());
    if (index != m_addressIndex) {
        m_addressIndex = index;
        shiftToSystem(index);
        acquisition::ControlBlock c = m_blocks.control();
        // Wraps like the acquisition program's counter, whatever value it held.
        c.setReportNumber(
            static_cast<std::int32_t>(static_cast<std::uint32_t>(c.reportNumber()) + 1U));
        // A reader that sees the new address finds the new system's table and report number.
        std::atomic_thread_fence(std::memory_order_release);
        c.setSystemAddress(list.at(index).toLatin1());
    }
}

void AcquisitionRun::shiftToSystem(qsizetype index) {
    const double offset = static_cast<double>(index) * m_options.addressOffset;
    const auto shift = static_cast<float>(offset - m_addressOffset);
    m_addressOffset = offset;
    if (shift == 0) {
        return;
    }
    for (int r = 0; r < m_blocks.recordCount(); ++r) {
        for (float& value : m_blocks.record(r).values) {
            value += shift;
        }
    }
}

void AcquisitionRun::applyHostile() {
    const HostileFields& h = m_options.hostile;
    acquisition::ControlBlock c = m_blocks.control();
    if (h.channelCount) {
        c.setChannelCount(*h.channelCount);
    }
    if (h.recordCount) {
        c.setRecordCount(*h.recordCount);
    }
    if (h.currentIndex) {
        c.setCurrentIndex(*h.currentIndex);
    }
    if (h.auxCount) {
        c.setAuxCount(*h.auxCount);
    }
    if (h.reportNumber) {
        c.setReportNumber(*h.reportNumber);
    }
    if (h.samplePeriod) {
        c.setSamplePeriod(*h.samplePeriod);
    }
}

} // namespace korvanta::simulator
