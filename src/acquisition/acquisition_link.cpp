#include "acquisition/acquisition_link.h"

#include "common/number_format.h"

#include <QString>
#include <limits>

namespace korvanta::acquisition {

AcquisitionLink::AcquisitionLink() : m_control(m_private.data()) {}

bool AcquisitionLink::attachControlBlock() {
    auto view = platform::SharedMemoryView::openExisting(QLatin1String(kControlBlockName),
                                                         ControlBlock::kSize);
    if (!view.isValid() || view.size() < ControlBlock::kSize) {
        m_readOnly = true;
        return false;
    }
    m_controlView = std::move(view);
    m_control = m_controlView.data();
    m_readOnly = false;
    common::setDecimalSeparator(QLatin1Char('.'));
    return true;
}

void AcquisitionLink::followRestartedControlBlock() {
    const QLatin1String name(kControlBlockName);
    if (m_controlView.isCurrentObject(name)) {
        return;
    }
    auto view = platform::SharedMemoryView::openExisting(name, ControlBlock::kSize);
    if (!view.isValid() || view.size() < ControlBlock::kSize) {
        return;
    }
    m_retiredControlViews.push_back(std::move(m_controlView));
    m_controlView = std::move(view);
    m_control = m_controlView.data();
}

bool AcquisitionLink::attachDataTable() {
    if (m_readOnly) {
        return false;
    }
    followRestartedControlBlock();
    const std::int64_t count = control().recordCount();
    std::size_t wanted = 0;
    if (count > 0 && static_cast<std::uint64_t>(count) <=
                         std::numeric_limits<std::size_t>::max() / sizeof(Tabela)) {
        wanted = static_cast<std::size_t>(count) * sizeof(Tabela);
    }
    m_tableView = platform::SharedMemoryView();
    if (wanted == 0) {
        return false;
    }
    m_tableView = platform::SharedMemoryView::openExisting(QLatin1String(kDataTableName), wanted);
    return m_tableView.isValid();
}

int AcquisitionLink::mappedRecordCount() const {
    const std::size_t records = m_tableView.size() / sizeof(Tabela);
    return records > static_cast<std::size_t>(std::numeric_limits<int>::max())
               ? std::numeric_limits<int>::max()
               : static_cast<int>(records);
}

TickView AcquisitionLink::tick() const {
    TickView view{control(), DataTable(), 0, 0};
    const ControlBlock block = control();
    view.samplePeriod = block.samplePeriod();
    const std::int32_t n = block.recordCount();
    const std::int32_t r = block.currentIndex();
    if (n <= 0 || n > mappedRecordCount() || r < 0 || r >= n) {
        return view;
    }
    view.table = DataTable(reinterpret_cast<Tabela*>(m_tableView.data()), n);
    view.currentIndex = r;
    return view;
}

RecordArrival AcquisitionLink::checkNewRecord() {
    const TickView view = tick();
    if (!view.hasData()) {
        return RecordArrival::NoData;
    }
    const double current = view.table.record(view.currentIndex).timeStamp;
    if (current > m_lastTimeStamp) {
        m_lastTimeStamp = current;
        return RecordArrival::New;
    }
    return current == m_lastTimeStamp ? RecordArrival::Same : RecordArrival::Older;
}

} // namespace korvanta::acquisition
