#include "acquisition/settings_record.h"

#include "acquisition/byte_fields.h"
#include "common/cp1250.h"

namespace korvanta::acquisition {

using O = SettingsRecord::Offsets;

namespace {
bool isChannel(int k) {
    return k >= 1 && k <= SettingsRecord::kChannelCount;
}
} // namespace

QString SettingsRecord::text(std::size_t offset, std::size_t size) const {
    return common::readFixedText(m_bytes.data() + offset, size);
}
void SettingsRecord::setText(std::size_t offset, std::size_t size, const QString& value) {
    common::writeFixedText(m_bytes.data() + offset, size, value);
}
std::int32_t SettingsRecord::int32(std::size_t offset) const {
    return readField<std::int32_t>(m_bytes.data(), offset);
}
void SettingsRecord::setInt32(std::size_t offset, std::int32_t value) {
    writeField(m_bytes.data(), offset, value);
}
std::int32_t SettingsRecord::channelInt(std::size_t base, int k) const {
    return isChannel(k) ? int32(base + 4 * static_cast<std::size_t>(k)) : 0;
}
void SettingsRecord::setChannelInt(std::size_t base, int k, std::int32_t value) {
    if (isChannel(k)) {
        setInt32(base + 4 * static_cast<std::size_t>(k), value);
    }
}

QString SettingsRecord::dataDirectory() const {
    return text(O::dataDirectory, O::dataDirectorySize);
}
void SettingsRecord::setDataDirectory(const QString& v) {
    setText(O::dataDirectory, O::dataDirectorySize, v);
}
QString SettingsRecord::configDirectory() const {
    return text(O::configDirectory, O::configDirectorySize);
}
void SettingsRecord::setConfigDirectory(const QString& v) {
    setText(O::configDirectory, O::configDirectorySize, v);
}
QString SettingsRecord::fileListDirectory() const {
    return text(O::fileListDirectory, O::fileListDirectorySize);
}
void SettingsRecord::setFileListDirectory(const QString& v) {
    setText(O::fileListDirectory, O::fileListDirectorySize, v);
}
QString SettingsRecord::periodText() const {
    return text(O::periodText, O::periodTextSize);
}
void SettingsRecord::setPeriodText(const QString& v) {
    setText(O::periodText, O::periodTextSize, v);
}
QString SettingsRecord::saveEveryText() const {
    return text(O::saveEveryText, O::saveEveryTextSize);
}
void SettingsRecord::setSaveEveryText(const QString& v) {
    setText(O::saveEveryText, O::saveEveryTextSize, v);
}
QString SettingsRecord::upperLimitText() const {
    return text(O::upperLimitText, O::limitTextSize);
}
void SettingsRecord::setUpperLimitText(const QString& v) {
    setText(O::upperLimitText, O::limitTextSize, v);
}
QString SettingsRecord::lowerLimitText() const {
    return text(O::lowerLimitText, O::limitTextSize);
}
void SettingsRecord::setLowerLimitText(const QString& v) {
    // The last four bytes of this field are also element 0 of operand2, which is no channel.
    setText(O::lowerLimitText, O::limitTextSize, v);
}
QString SettingsRecord::leftAxisTitle() const {
    return text(O::leftAxisTitle, O::axisTitleSize);
}
void SettingsRecord::setLeftAxisTitle(const QString& v) {
    setText(O::leftAxisTitle, O::axisTitleSize, v);
}
QString SettingsRecord::rightAxisTitle() const {
    return text(O::rightAxisTitle, O::axisTitleSize);
}
void SettingsRecord::setRightAxisTitle(const QString& v) {
    setText(O::rightAxisTitle, O::axisTitleSize, v);
}

std::int32_t SettingsRecord::windowHeight() const {
    return int32(O::windowHeight);
}
std::int32_t SettingsRecord::windowWidth() const {
    return int32(O::windowWidth);
}
std::int32_t SettingsRecord::windowLeft() const {
    return int32(O::windowLeft);
}
std::int32_t SettingsRecord::windowTop() const {
    return int32(O::windowTop);
}
void SettingsRecord::setWindowGeometry(std::int32_t left, std::int32_t top, std::int32_t width,
                                       std::int32_t height) {
    setInt32(O::windowLeft, left);
    setInt32(O::windowTop, top);
    setInt32(O::windowWidth, width);
    setInt32(O::windowHeight, height);
}
bool SettingsRecord::fileBrowserExpanded() const {
    return flag(O::fileBrowserExpanded);
}
void SettingsRecord::setFileBrowserExpanded(bool on) {
    setFlag(O::fileBrowserExpanded, on);
}
bool SettingsRecord::propertiesPanelShown() const {
    return flag(O::propertiesPanelShown);
}
void SettingsRecord::setPropertiesPanelShown(bool on) {
    setFlag(O::propertiesPanelShown, on);
}
bool SettingsRecord::chartPanelExpanded() const {
    return flag(O::chartPanelExpanded);
}
void SettingsRecord::setChartPanelExpanded(bool on) {
    setFlag(O::chartPanelExpanded, on);
}
std::int32_t SettingsRecord::propertiesPanelWidth() const {
    return int32(O::propertiesPanelWidth);
}
void SettingsRecord::setPropertiesPanelWidth(std::int32_t v) {
    setInt32(O::propertiesPanelWidth, v);
}
std::int32_t SettingsRecord::panel1Width() const {
    return int32(O::panel1Width);
}
void SettingsRecord::setPanel1Width(std::int32_t v) {
    setInt32(O::panel1Width, v);
}
std::int32_t SettingsRecord::panel3Height() const {
    return int32(O::panel3Height);
}
void SettingsRecord::setPanel3Height(std::int32_t v) {
    setInt32(O::panel3Height, v);
}

void SettingsRecord::raisePanelSizes() {
    if (panel1Width() < kMinimumPanelSize) {
        setPanel1Width(kMinimumPanelSize);
    }
    if (propertiesPanelWidth() < kMinimumPanelSize) {
        setPropertiesPanelWidth(kMinimumPanelSize);
    }
    if (panel3Height() < kMinimumPanelSize) {
        setPanel3Height(kMinimumPanelSize);
    }
}

std::int32_t SettingsRecord::channelNumber(int k) const {
    return channelInt(O::channelNumber, k);
}
void SettingsRecord::setChannelNumber(int k, std::int32_t v) {
    setChannelInt(O::channelNumber, k, v);
}
std::int32_t SettingsRecord::inputNumber(int k) const {
    return channelInt(O::inputNumber, k);
}
void SettingsRecord::setInputNumber(int k, std::int32_t v) {
    setChannelInt(O::inputNumber, k, v);
}
std::int32_t SettingsRecord::bufferLength(int k) const {
    return channelInt(O::bufferLength, k);
}
void SettingsRecord::setBufferLength(int k, std::int32_t v) {
    setChannelInt(O::bufferLength, k, v);
}
std::int32_t SettingsRecord::functionIndex(int k) const {
    return channelInt(O::functionIndex, k);
}
void SettingsRecord::setFunctionIndex(int k, std::int32_t v) {
    setChannelInt(O::functionIndex, k, v);
}
bool SettingsRecord::active(int k) const {
    return isChannel(k) && flag(O::active + static_cast<std::size_t>(k));
}
void SettingsRecord::setActive(int k, bool on) {
    if (isChannel(k)) {
        setFlag(O::active + static_cast<std::size_t>(k), on);
    }
}
bool SettingsRecord::addGraph(int k) const {
    return isChannel(k) && flag(O::addGraph + static_cast<std::size_t>(k));
}
void SettingsRecord::setAddGraph(int k, bool on) {
    if (isChannel(k)) {
        setFlag(O::addGraph + static_cast<std::size_t>(k), on);
    }
}
QString SettingsRecord::channelName(int k) const {
    return isChannel(k) ? text(O::channelName + O::channelNameSize * static_cast<std::size_t>(k),
                               O::channelNameSize)
                        : QString();
}
void SettingsRecord::setChannelName(int k, const QString& v) {
    if (isChannel(k)) {
        setText(O::channelName + O::channelNameSize * static_cast<std::size_t>(k),
                O::channelNameSize, v);
    }
}
QString SettingsRecord::channelNote(int k) const {
    return isChannel(k) ? text(O::channelNote + O::channelNoteSize * static_cast<std::size_t>(k),
                               O::channelNoteSize)
                        : QString();
}
void SettingsRecord::setChannelNote(int k, const QString& v) {
    if (isChannel(k)) {
        setText(O::channelNote + O::channelNoteSize * static_cast<std::size_t>(k),
                O::channelNoteSize, v);
    }
}
std::int32_t SettingsRecord::decimalPlaces(int k) const {
    return channelInt(O::decimalPlaces, k);
}
void SettingsRecord::setDecimalPlaces(int k, std::int32_t v) {
    setChannelInt(O::decimalPlaces, k, v);
}
std::int32_t SettingsRecord::chartCoefficient(int k) const {
    return channelInt(O::chartCoefficient, k);
}
void SettingsRecord::setChartCoefficient(int k, std::int32_t v) {
    setChannelInt(O::chartCoefficient, k, v);
}
std::int32_t SettingsRecord::operand1(int k) const {
    return channelInt(O::operand1, k);
}
void SettingsRecord::setOperand1(int k, std::int32_t v) {
    setChannelInt(O::operand1, k, v);
}
std::int32_t SettingsRecord::operand2(int k) const {
    return channelInt(O::operand2, k);
}
void SettingsRecord::setOperand2(int k, std::int32_t v) {
    setChannelInt(O::operand2, k, v);
}
std::int32_t SettingsRecord::operand3(int k) const {
    return channelInt(O::operand3, k);
}
void SettingsRecord::setOperand3(int k, std::int32_t v) {
    setChannelInt(O::operand3, k, v);
}
std::uint32_t SettingsRecord::seriesColor(int k) const {
    return static_cast<std::uint32_t>(channelInt(O::seriesColor, k));
}
void SettingsRecord::setSeriesColor(int k, std::uint32_t v) {
    setChannelInt(O::seriesColor, k, static_cast<std::int32_t>(v));
}

bool SettingsRecord::saveEvery() const {
    return flag(O::saveEvery);
}
void SettingsRecord::setSaveEvery(bool on) {
    setFlag(O::saveEvery, on);
}
std::int32_t SettingsRecord::editedChannel() const {
    return int32(O::editedChannel);
}
void SettingsRecord::setEditedChannel(std::int32_t v) {
    setInt32(O::editedChannel, v);
}
std::int32_t SettingsRecord::objectChannel(int slot) const {
    return slot >= 0 && slot < kObjectChannelCount
               ? int32(O::objectChannels + 4 * static_cast<std::size_t>(slot))
               : 0;
}
void SettingsRecord::setObjectChannel(int slot, std::int32_t v) {
    if (slot >= 0 && slot < kObjectChannelCount) {
        setInt32(O::objectChannels + 4 * static_cast<std::size_t>(slot), v);
    }
}
std::int32_t SettingsRecord::extraObjectChannel(int slot) const {
    return slot >= 0 && slot < kExtraObjectChannelCount
               ? int32(O::extraObjectChannels + 4 * static_cast<std::size_t>(slot))
               : 0;
}
void SettingsRecord::setExtraObjectChannel(int slot, std::int32_t v) {
    if (slot >= 0 && slot < kExtraObjectChannelCount) {
        setInt32(O::extraObjectChannels + 4 * static_cast<std::size_t>(slot), v);
    }
}
bool SettingsRecord::reportsMode() const {
    return flag(O::reportsMode);
}
void SettingsRecord::setReportsMode(bool on) {
    setFlag(O::reportsMode, on);
}
bool SettingsRecord::barChart() const {
    return flag(O::barChart);
}
void SettingsRecord::setBarChart(bool on) {
    setFlag(O::barChart, on);
}
bool SettingsRecord::dynamicMode() const {
    return flag(O::dynamicMode);
}
void SettingsRecord::setDynamicMode(bool on) {
    setFlag(O::dynamicMode, on);
}
bool SettingsRecord::autoLimits() const {
    return flag(O::autoLimits);
}
void SettingsRecord::setAutoLimits(bool on) {
    setFlag(O::autoLimits, on);
}
bool SettingsRecord::realTimeStamps() const {
    return flag(O::realTimeStamps);
}
void SettingsRecord::setRealTimeStamps(bool on) {
    setFlag(O::realTimeStamps, on);
}

std::int32_t SettingsRecord::chartCadence(int phase) const {
    return phase >= 0 && phase < kPhaseCount
               ? int32(O::chartCadences + 4 * static_cast<std::size_t>(phase))
               : 0;
}
void SettingsRecord::setChartCadence(int phase, std::int32_t v) {
    if (phase >= 0 && phase < kPhaseCount) {
        setInt32(O::chartCadences + 4 * static_cast<std::size_t>(phase), v);
    }
}
std::int32_t SettingsRecord::timeTo() const {
    return int32(O::timeTo);
}
void SettingsRecord::setTimeTo(std::int32_t v) {
    setInt32(O::timeTo, v);
}
std::int32_t SettingsRecord::timeTpo() const {
    return int32(O::timeTpo);
}
void SettingsRecord::setTimeTpo(std::int32_t v) {
    setInt32(O::timeTpo, v);
}
double SettingsRecord::upperLoad() const {
    return readField<double>(m_bytes.data(), O::upperLoad);
}
void SettingsRecord::setUpperLoad(double v) {
    writeField(m_bytes.data(), O::upperLoad, v);
}
double SettingsRecord::forceStep() const {
    return readField<double>(m_bytes.data(), O::forceStep);
}
void SettingsRecord::setForceStep(double v) {
    writeField(m_bytes.data(), O::forceStep, v);
}
double SettingsRecord::motorSpeed() const {
    return readField<double>(m_bytes.data(), O::motorSpeed);
}
void SettingsRecord::setMotorSpeed(double v) {
    writeField(m_bytes.data(), O::motorSpeed, v);
}
double SettingsRecord::upperDisplacement() const {
    return readField<double>(m_bytes.data(), O::upperDisplacement);
}
void SettingsRecord::setUpperDisplacement(double v) {
    writeField(m_bytes.data(), O::upperDisplacement, v);
}
std::uint8_t SettingsRecord::testType() const {
    return m_bytes[O::testType];
}
void SettingsRecord::setTestType(std::uint8_t v) {
    m_bytes[O::testType] = v;
}
QString SettingsRecord::phasePeriod(int phase) const {
    return phase >= 0 && phase < kPhaseCount
               ? text(O::phasePeriods + O::phasePeriodSize * static_cast<std::size_t>(phase),
                      O::phasePeriodSize)
               : QString();
}
void SettingsRecord::setPhasePeriod(int phase, const QString& v) {
    if (phase >= 0 && phase < kPhaseCount) {
        setText(O::phasePeriods + O::phasePeriodSize * static_cast<std::size_t>(phase),
                O::phasePeriodSize, v);
    }
}
double SettingsRecord::hysteresis() const {
    return readField<double>(m_bytes.data(), O::hysteresis);
}
void SettingsRecord::setHysteresis(double v) {
    writeField(m_bytes.data(), O::hysteresis, v);
}
std::int32_t SettingsRecord::forceChannel() const {
    return int32(O::forceChannel);
}
void SettingsRecord::setForceChannel(std::int32_t v) {
    setInt32(O::forceChannel, v);
}
std::int32_t SettingsRecord::displacementChannel() const {
    return int32(O::displacementChannel);
}
void SettingsRecord::setDisplacementChannel(std::int32_t v) {
    setInt32(O::displacementChannel, v);
}
QString SettingsRecord::extraCommand(int index) const {
    return index >= 0 && index < 2
               ? text(O::extraCommands + O::commandSize * static_cast<std::size_t>(index),
                      O::commandSize)
               : QString();
}
void SettingsRecord::setExtraCommand(int index, const QString& v) {
    if (index >= 0 && index < 2) {
        setText(O::extraCommands + O::commandSize * static_cast<std::size_t>(index), O::commandSize,
                v);
    }
}
float SettingsRecord::maxForce() const {
    return readField<float>(m_bytes.data(), O::maxForce);
}
void SettingsRecord::setMaxForce(float v) {
    writeField(m_bytes.data(), O::maxForce, v);
}
float SettingsRecord::maxDisplacement() const {
    return readField<float>(m_bytes.data(), O::maxDisplacement);
}
void SettingsRecord::setMaxDisplacement(float v) {
    writeField(m_bytes.data(), O::maxDisplacement, v);
}
QString SettingsRecord::motionCommand(int index) const {
    return index >= 0 && index < kMotionCommandCount
               ? text(O::motionCommands + O::commandSize * static_cast<std::size_t>(index),
                      O::commandSize)
               : QString();
}
void SettingsRecord::setMotionCommand(int index, const QString& v) {
    if (index >= 0 && index < kMotionCommandCount) {
        setText(O::motionCommands + O::commandSize * static_cast<std::size_t>(index),
                O::commandSize, v);
    }
}
std::int32_t SettingsRecord::retractionTime() const {
    return int32(O::retractionTime);
}
void SettingsRecord::setRetractionTime(std::int32_t v) {
    setInt32(O::retractionTime, v);
}
double SettingsRecord::preparationForce() const {
    return readField<double>(m_bytes.data(), O::preparationForce);
}
void SettingsRecord::setPreparationForce(double v) {
    writeField(m_bytes.data(), O::preparationForce, v);
}
std::int32_t SettingsRecord::preparationBufferLength() const {
    return int32(O::preparationBufferLength);
}
void SettingsRecord::setPreparationBufferLength(std::int32_t v) {
    setInt32(O::preparationBufferLength, v);
}

void SettingsRecord::applyMissingFileDefaults() {
    setPanel1Width(201);
    setPropertiesPanelWidth(295);
    setPanel3Height(300);
    setPeriodText(QStringLiteral("00:00:01.000"));
    setSaveEveryText(QStringLiteral("1"));
    setLowerLimitText(QStringLiteral("-100"));
    setUpperLimitText(QStringLiteral("100"));
}

void SettingsRecord::resetChannelDefaults(int channelCount) {
    for (int k = 1; k <= kChannelCount; ++k) {
        const bool used = k <= channelCount;
        setFunctionIndex(k, 0);
        setBufferLength(k, 0);
        setDecimalPlaces(k, 1);
        setChartCoefficient(k, 1);
        setActive(k, used);
        setAddGraph(k, used);
        setInputNumber(k, k);
    }
}

} // namespace korvanta::acquisition
