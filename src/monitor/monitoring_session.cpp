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

AddressAction MonitoringSession::addressTick(const QString& addressList) {
    acquisition::ControlBlock block = m_link.control();
    const AddressAction action = dispatchAddress(block.systemAddress(), addressList, m_address);
    switch (action) {
    case AddressAction::NotListed:
        block.setAddressFlag(0);
        break;
    case AddressAction::TakeMedian:
        m_median.takeMedian();
        break;
    case AddressAction::RunAddressStep:
        // The address step with its dynamic recording is not part of this program yet; the
        // tick is counted so the median is still taken every fifth address tick.
        m_link.setLastTimeStamp(0);
        ++m_address.addressPassCount;
        break;
    }
    return action;
}

} // namespace korvanta::monitor
