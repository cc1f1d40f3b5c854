#include "monitor/monitoring_session.h"

namespace korvanta::monitor {

void MonitoringSession::ensureDataTable() {
    if (!m_link.readOnlyMode() && !m_link.tick().hasData() && m_link.control().recordCount() > 0) {
        m_link.attachDataTable();
    }
}

ChannelContext MonitoringSession::channelContext(const acquisition::TickView& tick,
                                                 bool zeroChecked) {
    return ChannelContext{m_settings, tick, m_values, m_power, m_median, zeroChecked};
}

MeasurementResult MonitoringSession::measure(const acquisition::TickView& tick,
                                             const MeasurementInputs& inputs) {
    ChannelContext context = channelContext(tick, inputs.zeroChecked);
    return runMeasurementStep(context, inputs, m_startTime, m_saveCounter);
}

QStringList MonitoringSession::report(const acquisition::TickView& tick,
                                      const ReportInputs& inputs) {
    ChannelContext context = channelContext(tick, inputs.zeroChecked);
    return buildReport(context, inputs, m_startTime);
}

ReportSaveResult MonitoringSession::saveReport(const ReportSaveInputs& inputs,
                                               const QStringList& lines) {
    return monitor::saveReport(m_settings, inputs, lines, m_saveCounter);
}

AddressTickResult MonitoringSession::addressTick(const acquisition::TickView& tick,
                                                 const AddressInputs& inputs) {
    acquisition::ControlBlock block = tick.control;
    const char address = block.systemAddress();
    AddressTickResult result;
    result.action = dispatchAddress(address, inputs.addressList, m_address);
    switch (result.action) {
    case AddressAction::NotListed:
        block.setAddressFlag(0);
        break;
    case AddressAction::TakeMedian:
        m_median.takeMedian();
        break;
    case AddressAction::RunAddressStep:
        runAddressStep(tick, address, inputs, result);
        break;
    }
    return result;
}

void MonitoringSession::runAddressStep(const acquisition::TickView& tick, char address,
                                       const AddressInputs& inputs, AddressTickResult& result) {
    m_link.setLastTimeStamp(0);
    ChannelContext context = channelContext(tick, inputs.step.zeroChecked);
    result.step = adresPomiaryN(context, address, inputs.step, m_saveCounter);
    if (result.step.reached(AddressStage::Lines)) {
        m_address.lastAddress = address;
    }
    if (result.step.conversionError) {
        return;
    }
    result.pass = dynamicPass(tick, address, inputs);
    if (!result.pass->conversionError) {
        ++m_address.addressPassCount;
    }
}

DynamicPassResult MonitoringSession::dynamicPass(const acquisition::TickView& tick, char address,
                                                 const AddressInputs& inputs) {
    DynamicPassResult pass;
    const QString list = inputs.addressList.trimmed();
    const double now = inputs.step.now;
    if (!m_recording.due(now) || !inputs.dynamicSave || !bufferFull(tick)) {
        return pass;
    }
    try {
        if (m_recording.take(address, list)) {
            pass.dump = ZapiszBuforJakoPlikTekstowy(
                tick, m_settings,
                {now, inputs.dynamicFolder, address, m_power.direction, inputs.progress});
        }
        if (m_recording.complete(list)) {
            m_recording.startNext(now + parseDynamicInterval(inputs.dynamicIntervalText));
        }
    } catch (const common::ConversionError& error) {
        pass.conversionError = error;
    }
    return pass;
}

BufferDumpResult MonitoringSession::dumpBuffer(const acquisition::TickView& tick, double now,
                                               const QString& folder,
                                               const DumpProgress& progress) {
    return ZapiszBuforJakoPlikTekstowy(
        tick, m_settings, {now, folder, m_address.lastAddress, m_power.direction, progress});
}

} // namespace korvanta::monitor
