#include "acquisition/control_block.h"

#include "acquisition/byte_fields.h"
#include "common/cp1250.h"
#include "common/day_time.h"
#include "common/number_format.h"

namespace korvanta::acquisition {

using O = ControlBlock::Offsets;

std::int32_t ControlBlock::channelCount() const {
    return readField<std::int32_t>(m_bytes, O::channelCount);
}
std::int32_t ControlBlock::recordCount() const {
    return readField<std::int32_t>(m_bytes, O::recordCount);
}
std::int32_t ControlBlock::currentIndex() const {
    return readField<std::int32_t>(m_bytes, O::currentIndex);
}
std::int32_t ControlBlock::reportNumber() const {
    return readField<std::int32_t>(m_bytes, O::reportNumber);
}
std::uint8_t ControlBlock::addressFlag() const {
    return m_bytes[O::addressFlag];
}
std::uint8_t ControlBlock::acquisitionActive() const {
    return m_bytes[O::acquisitionActive];
}
std::uint8_t ControlBlock::closeRequest() const {
    return m_bytes[O::closeRequest];
}
double ControlBlock::samplePeriod() const {
    return readField<double>(m_bytes, O::samplePeriod);
}
float ControlBlock::auxValue(int index) const {
    if (index < 0 || index >= kAuxValueCount) {
        return 0.0F;
    }
    return readField<float>(m_bytes, O::auxValues + 4 * static_cast<std::size_t>(index));
}
std::int32_t ControlBlock::auxCount() const {
    return readField<std::int32_t>(m_bytes, O::auxCount);
}
char ControlBlock::systemAddress() const {
    return static_cast<char>(m_bytes[O::systemAddress]);
}
float ControlBlock::maxForce() const {
    return readField<float>(m_bytes, O::maxForce);
}
float ControlBlock::maxDisplacement() const {
    return readField<float>(m_bytes, O::maxDisplacement);
}
QString ControlBlock::commandText() const {
    return common::readFixedText(m_bytes + O::commandText, kCommandSize);
}
QString ControlBlock::commandText2() const {
    return common::readFixedText(m_bytes + O::commandText2, kCommandSize);
}
QString ControlBlock::commandText3() const {
    return common::readFixedText(m_bytes + O::commandText3, kCommandSize);
}
std::int32_t ControlBlock::forceChannel() const {
    return readField<std::int32_t>(m_bytes, O::forceChannel);
}
std::int32_t ControlBlock::displacementChannel() const {
    return readField<std::int32_t>(m_bytes, O::displacementChannel);
}

void ControlBlock::setChannelCount(std::int32_t v) {
    writeField(m_bytes, O::channelCount, v);
}
void ControlBlock::setRecordCount(std::int32_t v) {
    writeField(m_bytes, O::recordCount, v);
}
void ControlBlock::setCurrentIndex(std::int32_t v) {
    writeField(m_bytes, O::currentIndex, v);
}
void ControlBlock::setReportNumber(std::int32_t v) {
    writeField(m_bytes, O::reportNumber, v);
}
void ControlBlock::setAddressFlag(std::uint8_t v) {
    m_bytes[O::addressFlag] = v;
}
void ControlBlock::setAcquisitionActive(std::uint8_t v) {
    m_bytes[O::acquisitionActive] = v;
}
void ControlBlock::setCloseRequest(std::uint8_t v) {
    m_bytes[O::closeRequest] = v;
}
void ControlBlock::setSamplePeriod(double v) {
    writeField(m_bytes, O::samplePeriod, v);
}
void ControlBlock::setAuxValue(int index, float v) {
    if (index >= 0 && index < kAuxValueCount) {
        writeField(m_bytes, O::auxValues + 4 * static_cast<std::size_t>(index), v);
    }
}
void ControlBlock::setAuxCount(std::int32_t v) {
    writeField(m_bytes, O::auxCount, v);
}
void ControlBlock::setSystemAddress(char v) {
    m_bytes[O::systemAddress] = static_cast<unsigned char>(v);
}
void ControlBlock::setMaxForce(float v) {
    writeField(m_bytes, O::maxForce, v);
}
void ControlBlock::setMaxDisplacement(float v) {
    writeField(m_bytes, O::maxDisplacement, v);
}
void ControlBlock::setCommandText(const QString& text) {
    common::writeFixedText(m_bytes + O::commandText, kCommandSize, text);
}
void ControlBlock::setCommandText2(const QString& text) {
    common::writeFixedText(m_bytes + O::commandText2, kCommandSize, text);
}
void ControlBlock::setCommandText3(const QString& text) {
    common::writeFixedText(m_bytes + O::commandText3, kCommandSize, text);
}
void ControlBlock::setForceChannel(std::int32_t v) {
    writeField(m_bytes, O::forceChannel, v);
}
void ControlBlock::setDisplacementChannel(std::int32_t v) {
    writeField(m_bytes, O::displacementChannel, v);
}

int ControlBlock::safeChannelCount() const {
    const std::int32_t n = channelCount();
    return n >= 0 && n <= 64 ? n : 0;
}

int ControlBlock::safeAuxCount() const {
    const std::int32_t n = auxCount();
    return n >= 0 && n < kAuxValueCount ? n : -1;
}

void ControlBlock::requestEnd() {
    setAcquisitionActive(0);
    setCloseRequest(1);
}

double ControlBlock::frequencyHz() const {
    const double period = samplePeriod();
    return period == 0.0 ? 0.0 : 1.0 / (period * common::kSecondsPerDay);
}

QString ControlBlock::frequencyText() const {
    if (samplePeriod() == 0.0) {
        return QStringLiteral("---.--");
    }
    return common::formatFloat(QStringLiteral("##0.00"), frequencyHz()) + QStringLiteral("Hz");
}

} // namespace korvanta::acquisition
