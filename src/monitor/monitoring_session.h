#pragma once
// The live state of one monitoring run and its steps: the settings record, the attachment to the
// acquisition program, the current values, the power object, the median store, the save counter,
// the start time and the address state. The window and the bench tests drive the steps; the
// pages read and write the state through this object.

#include "acquisition/acquisition_link.h"
#include "acquisition/settings_record.h"
#include "monitor/address_dispatch.h"
#include "monitor/address_tick.h"
#include "monitor/buffer_dump.h"
#include "monitor/channel_functions.h"
#include "monitor/current_values.h"
#include "monitor/dynamic_recording.h"
#include "monitor/measurement_step.h"
#include "monitor/median_store.h"
#include "monitor/moc1fazy.h"
#include "monitor/report_step.h"
#include "monitor/save_counter.h"

#include <QString>
#include <QStringList>

namespace korvanta::monitor {

class MonitoringSession {
public:
    acquisition::SettingsRecord& settings() { return m_settings; }
    const acquisition::SettingsRecord& settings() const { return m_settings; }
    acquisition::AcquisitionLink& link() { return m_link; }
    const acquisition::AcquisitionLink& link() const { return m_link; }
    CurrentValues& currentValues() { return m_values; }
    const CurrentValues& currentValues() const { return m_values; }
    Moc1fazy& power() { return m_power; }
    MedianStore& median() { return m_median; }
    SaveCounter& saveCounter() { return m_saveCounter; }
    const SaveCounter& saveCounter() const { return m_saveCounter; }
    const AddressDispatchState& addressState() const { return m_address; }
    const DynamicRecording& dynamicRecording() const { return m_recording; }

    // The day number line times count from; set when a new measurement starts.
    double startTime() const { return m_startTime; }
    void startNewMeasurement(double now) { m_startTime = now; }
    // The file name of the run that stopped last: the same name again asks "Nowy pomiar?".
    const QString& previousFileName() const { return m_previousFileName; }
    void setPreviousFileName(const QString& name) { m_previousFileName = name; }

    // Maps the data table when the acquisition program publishes one and none is mapped yet, so
    // monitoring works even when the window was never activated.
    void ensureDataTable();

    // The channel functions' view of this tick.
    ChannelContext channelContext(const acquisition::TickView& tick, bool zeroChecked);

    // The Measurements step over the tick.
    MeasurementResult measure(const acquisition::TickView& tick, const MeasurementInputs& inputs);
    // The lines of the Reports step over the tick.
    QStringList report(const acquisition::TickView& tick, const ReportInputs& inputs);
    // The periodic save of a report block.
    ReportSaveResult saveReport(const ReportSaveInputs& inputs, const QStringList& lines);

    // The Measurements mode with the system-address check: decides the tick's action against the
    // address list and carries it out. A newly arrived listed system gets the address step, then,
    // when the step ran to its end, the dynamic-recording pass, and counts as one address step.
    AddressTickResult addressTick(const acquisition::TickView& tick, const AddressInputs& inputs);
    // "Save bufer..": the tick's table dumped for the system last processed.
    BufferDumpResult dumpBuffer(const acquisition::TickView& tick, double now,
                                const QString& folder, const DumpProgress& progress);

private:
    void runAddressStep(const acquisition::TickView& tick, char address,
                        const AddressInputs& inputs, AddressTickResult& result);
    DynamicPassResult dynamicPass(const acquisition::TickView& tick, char address,
                                  const AddressInputs& inputs);

    acquisition::SettingsRecord m_settings;
    acquisition::AcquisitionLink m_link;
    CurrentValues m_values{};
    Moc1fazy m_power;
    MedianStore m_median;
    SaveCounter m_saveCounter;
    double m_startTime = 0;
    QString m_previousFileName;
    AddressDispatchState m_address;
    DynamicRecording m_recording;
};

} // namespace korvanta::monitor
