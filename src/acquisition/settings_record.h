#pragma once
// The 61640-byte settings record: every persistent setting, kept as the raw dump that the
// settings, configuration and companion files carry.

#include "acquisition/settings_field.h"

#include <QString>
#include <array>
#include <cstddef>
#include <cstdint>

namespace korvanta::acquisition {

class SettingsRecord {
public:
    static constexpr std::size_t kSize = 61640;
    static constexpr int kChannelCount = 64;
    static constexpr int kObjectChannelCount = 12;
    static constexpr int kExtraObjectChannelCount = 6;
    static constexpr int kPhaseCount = 4;
    static constexpr int kMotionCommandCount = 9;
    static constexpr int kExtraCommandCount = 2;
    static constexpr int kMinimumPanelSize = 22;

    struct Offsets {
        static constexpr std::size_t dataDirectory = 1;
        static constexpr std::size_t dataDirectorySize = 2800;
        static constexpr std::size_t configDirectory = 2801;
        static constexpr std::size_t configDirectorySize = 703;
        static constexpr std::size_t windowHeight = 3520;
        static constexpr std::size_t windowWidth = 3524;
        static constexpr std::size_t windowLeft = 3528;
        static constexpr std::size_t windowTop = 3532;
        static constexpr std::size_t fileBrowserExpanded = 5672;
        static constexpr std::size_t propertiesPanelShown = 5673;
        static constexpr std::size_t chartPanelExpanded = 5675;
        static constexpr std::size_t propertiesPanelWidth = 8904;
        static constexpr std::size_t panel1Width = 8912;
        static constexpr std::size_t panel3Height = 8916;
        static constexpr std::size_t channelNumber = 8916; // + 4k
        static constexpr std::size_t inputNumber = 9172;   // + 4k
        static constexpr std::size_t bufferLength = 9428;  // + 4k
        static constexpr std::size_t functionIndex = 9684; // + 4k
        static constexpr std::size_t active = 9943;        // + k
        static constexpr std::size_t addGraph = 10007;     // + k
        static constexpr std::size_t channelName = 10052;  // + 20k
        static constexpr std::size_t channelNameSize = 20;
        static constexpr std::size_t channelNote = 11272; // + 80k
        static constexpr std::size_t channelNoteSize = 80;
        static constexpr std::size_t decimalPlaces = 16468;    // + 4k
        static constexpr std::size_t chartCoefficient = 16724; // + 4k
        static constexpr std::size_t periodText = 17004;
        static constexpr std::size_t periodTextSize = 15;
        static constexpr std::size_t saveEveryText = 17019;
        static constexpr std::size_t saveEveryTextSize = 4;
        static constexpr std::size_t saveEvery = 17023;
        static constexpr std::size_t operand1 = 17020; // + 4k, k >= 1
        static constexpr std::size_t editedChannel = 17280;
        static constexpr std::size_t objectChannels = 17284; // 12 × int32
        static constexpr std::size_t fileListDirectory = 17332;
        static constexpr std::size_t fileListDirectorySize = 700;
        static constexpr std::size_t upperLimitText = 18032;
        static constexpr std::size_t lowerLimitText = 18042;
        static constexpr std::size_t limitTextSize = 10;
        static constexpr std::size_t operand2 = 18048; // + 4k, k >= 1
        static constexpr std::size_t operand3 = 18304; // + 4k
        static constexpr std::size_t leftAxisTitle = 18564;
        static constexpr std::size_t rightAxisTitle = 18644;
        static constexpr std::size_t axisTitleSize = 80;
        static constexpr std::size_t reportsMode = 18724;
        static constexpr std::size_t seriesColor = 18724; // + 4k, k >= 1
        static constexpr std::size_t barChart = 18984;
        static constexpr std::size_t dynamicMode = 18985;
        static constexpr std::size_t autoLimits = 18986;
        static constexpr std::size_t realTimeStamps = 18987;
        static constexpr std::size_t extraObjectChannels = 18988; // 6 × int32
        static constexpr std::size_t chartCadences = 19012;       // 4 × int32
        static constexpr std::size_t timeTo = 19028;
        static constexpr std::size_t timeTpo = 19032;
        static constexpr std::size_t upperLoad = 19040;
        static constexpr std::size_t forceStep = 19048;
        static constexpr std::size_t motorSpeed = 19056;
        static constexpr std::size_t upperDisplacement = 19064;
        static constexpr std::size_t testType = 19072;
        static constexpr std::size_t phasePeriods = 19073; // 4 × char[15]
        static constexpr std::size_t phasePeriodSize = 15;
        static constexpr std::size_t hysteresis = 19136;
        static constexpr std::size_t forceChannel = 19144;
        static constexpr std::size_t displacementChannel = 19148;
        static constexpr std::size_t extraCommands = 19152; // 2 × char[25]
        static constexpr std::size_t commandSize = 25;
        static constexpr std::size_t maxForce = 19204;
        static constexpr std::size_t maxDisplacement = 19208;
        static constexpr std::size_t motionCommands = 19212; // 9 × char[25]
        static constexpr std::size_t retractionTime = 19440;
        static constexpr std::size_t preparationForce = 19448;
        static constexpr std::size_t preparationBufferLength = 19456;
    };

    // Every field as a typed descriptor over the offsets above; get() and set() read and write
    // any of them. A new field is one line here and one in the layout check of the source file,
    // which keeps every field inside the record and clear of the others.
    struct Fields {
        using O = Offsets;
        using Int32 = ScalarField<std::int32_t>;
        using Flag = ScalarField<bool>;
        using Real = ScalarField<double>;
        using Text = TextField;

        static constexpr Text dataDirectory{O::dataDirectory, O::dataDirectorySize};
        static constexpr Text configDirectory{O::configDirectory, O::configDirectorySize};
        static constexpr Int32 windowHeight{O::windowHeight};
        static constexpr Int32 windowWidth{O::windowWidth};
        static constexpr Int32 windowLeft{O::windowLeft};
        static constexpr Int32 windowTop{O::windowTop};
        static constexpr Flag fileBrowserExpanded{O::fileBrowserExpanded};
        static constexpr Flag propertiesPanelShown{O::propertiesPanelShown};
        static constexpr Flag chartPanelExpanded{O::chartPanelExpanded};
        static constexpr Int32 propertiesPanelWidth{O::propertiesPanelWidth};
        static constexpr Int32 panel1Width{O::panel1Width};
        static constexpr Int32 panel3Height{O::panel3Height};
        static constexpr auto channelNumber =
            packedArray(Int32{O::channelNumber}, 1, kChannelCount);
        static constexpr auto inputNumber = packedArray(Int32{O::inputNumber}, 1, kChannelCount);
        static constexpr auto bufferLength = packedArray(Int32{O::bufferLength}, 1, kChannelCount);
        static constexpr auto functionIndex =
            packedArray(Int32{O::functionIndex}, 1, kChannelCount);
        static constexpr auto active = packedArray(Flag{O::active}, 1, kChannelCount);
        static constexpr auto addGraph = packedArray(Flag{O::addGraph}, 1, kChannelCount);
        static constexpr auto channelName =
            packedArray(Text{O::channelName, O::channelNameSize}, 1, kChannelCount);
        static constexpr auto channelNote =
            packedArray(Text{O::channelNote, O::channelNoteSize}, 1, kChannelCount);
        static constexpr auto decimalPlaces =
            packedArray(Int32{O::decimalPlaces}, 1, kChannelCount);
        static constexpr auto chartCoefficient =
            packedArray(Int32{O::chartCoefficient}, 1, kChannelCount);
        static constexpr Text periodText{O::periodText, O::periodTextSize};
        static constexpr Text saveEveryText{O::saveEveryText, O::saveEveryTextSize};
        static constexpr Flag saveEvery{O::saveEvery};
        static constexpr auto operand1 = packedArray(Int32{O::operand1}, 1, kChannelCount);
        static constexpr Int32 editedChannel{O::editedChannel};
        static constexpr auto objectChannels =
            packedArray(Int32{O::objectChannels}, 0, kObjectChannelCount - 1);
        static constexpr Text fileListDirectory{O::fileListDirectory, O::fileListDirectorySize};
        static constexpr Text upperLimitText{O::upperLimitText, O::limitTextSize};
        static constexpr Text lowerLimitText{O::lowerLimitText, O::limitTextSize};
        static constexpr auto operand2 = packedArray(Int32{O::operand2}, 1, kChannelCount);
        static constexpr auto operand3 = packedArray(Int32{O::operand3}, 1, kChannelCount);
        static constexpr Text leftAxisTitle{O::leftAxisTitle, O::axisTitleSize};
        static constexpr Text rightAxisTitle{O::rightAxisTitle, O::axisTitleSize};
        static constexpr Flag reportsMode{O::reportsMode};
        static constexpr auto seriesColor =
            packedArray(ScalarField<std::uint32_t>{O::seriesColor}, 1, kChannelCount);
        static constexpr Flag barChart{O::barChart};
        static constexpr Flag dynamicMode{O::dynamicMode};
        static constexpr Flag autoLimits{O::autoLimits};
        static constexpr Flag realTimeStamps{O::realTimeStamps};
        static constexpr auto extraObjectChannels =
            packedArray(Int32{O::extraObjectChannels}, 0, kExtraObjectChannelCount - 1);
        static constexpr auto chartCadences =
            packedArray(Int32{O::chartCadences}, 0, kPhaseCount - 1);
        static constexpr Int32 timeTo{O::timeTo};
        static constexpr Int32 timeTpo{O::timeTpo};
        static constexpr Real upperLoad{O::upperLoad};
        static constexpr Real forceStep{O::forceStep};
        static constexpr Real motorSpeed{O::motorSpeed};
        static constexpr Real upperDisplacement{O::upperDisplacement};
        static constexpr ScalarField<std::uint8_t> testType{O::testType};
        static constexpr auto phasePeriods =
            packedArray(Text{O::phasePeriods, O::phasePeriodSize}, 0, kPhaseCount - 1);
        static constexpr Real hysteresis{O::hysteresis};
        static constexpr Int32 forceChannel{O::forceChannel};
        static constexpr Int32 displacementChannel{O::displacementChannel};
        static constexpr auto extraCommands =
            packedArray(Text{O::extraCommands, O::commandSize}, 0, kExtraCommandCount - 1);
        static constexpr ScalarField<float> maxForce{O::maxForce};
        static constexpr ScalarField<float> maxDisplacement{O::maxDisplacement};
        static constexpr auto motionCommands =
            packedArray(Text{O::motionCommands, O::commandSize}, 0, kMotionCommandCount - 1);
        static constexpr Int32 retractionTime{O::retractionTime};
        static constexpr Real preparationForce{O::preparationForce};
        static constexpr Int32 preparationBufferLength{O::preparationBufferLength};
    };

    SettingsRecord() = default;

    unsigned char* bytes() { return m_bytes.data(); }
    const unsigned char* bytes() const { return m_bytes.data(); }

    template <typename Field> typename Field::Value get(const Field& field) const {
        return field.read(m_bytes.data());
    }
    template <typename Field> void set(const Field& field, const typename Field::Value& value) {
        field.write(m_bytes.data(), value);
    }
    // An index that is no element reads as zero (or an empty text) and writes nothing.
    template <typename Element>
    typename Element::Value get(const ArrayField<Element>& array, int index) const {
        return array.contains(index) ? get(array.at(index)) : typename Element::Value{};
    }
    template <typename Element>
    void set(const ArrayField<Element>& array, int index, const typename Element::Value& value) {
        if (array.contains(index)) {
            set(array.at(index), value);
        }
    }

    // Texts (code page 1250 in the record, cut to fit their fields).
    QString dataDirectory() const { return get(Fields::dataDirectory); }
    void setDataDirectory(const QString& text) { set(Fields::dataDirectory, text); }
    QString configDirectory() const { return get(Fields::configDirectory); }
    void setConfigDirectory(const QString& text) { set(Fields::configDirectory, text); }
    QString fileListDirectory() const { return get(Fields::fileListDirectory); }
    void setFileListDirectory(const QString& text) { set(Fields::fileListDirectory, text); }
    QString periodText() const { return get(Fields::periodText); }
    void setPeriodText(const QString& text) { set(Fields::periodText, text); }
    QString saveEveryText() const { return get(Fields::saveEveryText); }
    void setSaveEveryText(const QString& text) { set(Fields::saveEveryText, text); }
    QString upperLimitText() const { return get(Fields::upperLimitText); }
    void setUpperLimitText(const QString& text) { set(Fields::upperLimitText, text); }
    QString lowerLimitText() const { return get(Fields::lowerLimitText); }
    void setLowerLimitText(const QString& text) { set(Fields::lowerLimitText, text); }
    QString leftAxisTitle() const { return get(Fields::leftAxisTitle); }
    void setLeftAxisTitle(const QString& text) { set(Fields::leftAxisTitle, text); }
    QString rightAxisTitle() const { return get(Fields::rightAxisTitle); }
    void setRightAxisTitle(const QString& text) { set(Fields::rightAxisTitle, text); }

    // Window geometry and panels.
    std::int32_t windowHeight() const { return get(Fields::windowHeight); }
    std::int32_t windowWidth() const { return get(Fields::windowWidth); }
    std::int32_t windowLeft() const { return get(Fields::windowLeft); }
    std::int32_t windowTop() const { return get(Fields::windowTop); }
    void setWindowGeometry(std::int32_t left, std::int32_t top, std::int32_t width,
                           std::int32_t height);
    bool fileBrowserExpanded() const { return get(Fields::fileBrowserExpanded); }
    void setFileBrowserExpanded(bool on) { set(Fields::fileBrowserExpanded, on); }
    bool propertiesPanelShown() const { return get(Fields::propertiesPanelShown); }
    void setPropertiesPanelShown(bool on) { set(Fields::propertiesPanelShown, on); }
    bool chartPanelExpanded() const { return get(Fields::chartPanelExpanded); }
    void setChartPanelExpanded(bool on) { set(Fields::chartPanelExpanded, on); }
    std::int32_t propertiesPanelWidth() const { return get(Fields::propertiesPanelWidth); }
    void setPropertiesPanelWidth(std::int32_t value) { set(Fields::propertiesPanelWidth, value); }
    std::int32_t panel1Width() const { return get(Fields::panel1Width); }
    void setPanel1Width(std::int32_t value) { set(Fields::panel1Width, value); }
    std::int32_t panel3Height() const { return get(Fields::panel3Height); }
    void setPanel3Height(std::int32_t value) { set(Fields::panel3Height, value); }
    // Raises the three stored panel sizes to at least 22.
    void raisePanelSizes();

    // Per-channel arrays, channel k = 1..64. Outside that range a read gives 0 (or an empty
    // text) and a write does nothing.
    std::int32_t channelNumber(int k) const { return get(Fields::channelNumber, k); }
    void setChannelNumber(int k, std::int32_t value) { set(Fields::channelNumber, k, value); }
    std::int32_t inputNumber(int k) const { return get(Fields::inputNumber, k); }
    void setInputNumber(int k, std::int32_t value) { set(Fields::inputNumber, k, value); }
    std::int32_t bufferLength(int k) const { return get(Fields::bufferLength, k); }
    void setBufferLength(int k, std::int32_t value) { set(Fields::bufferLength, k, value); }
    std::int32_t functionIndex(int k) const { return get(Fields::functionIndex, k); }
    void setFunctionIndex(int k, std::int32_t value) { set(Fields::functionIndex, k, value); }
    bool active(int k) const { return get(Fields::active, k); }
    void setActive(int k, bool on) { set(Fields::active, k, on); }
    bool addGraph(int k) const { return get(Fields::addGraph, k); }
    void setAddGraph(int k, bool on) { set(Fields::addGraph, k, on); }
    QString channelName(int k) const { return get(Fields::channelName, k); }
    void setChannelName(int k, const QString& text) { set(Fields::channelName, k, text); }
    QString channelNote(int k) const { return get(Fields::channelNote, k); }
    void setChannelNote(int k, const QString& text) { set(Fields::channelNote, k, text); }
    std::int32_t decimalPlaces(int k) const { return get(Fields::decimalPlaces, k); }
    void setDecimalPlaces(int k, std::int32_t value) { set(Fields::decimalPlaces, k, value); }
    std::int32_t chartCoefficient(int k) const { return get(Fields::chartCoefficient, k); }
    void setChartCoefficient(int k, std::int32_t value) { set(Fields::chartCoefficient, k, value); }
    std::int32_t operand1(int k) const { return get(Fields::operand1, k); }
    void setOperand1(int k, std::int32_t value) { set(Fields::operand1, k, value); }
    std::int32_t operand2(int k) const { return get(Fields::operand2, k); }
    void setOperand2(int k, std::int32_t value) { set(Fields::operand2, k, value); }
    std::int32_t operand3(int k) const { return get(Fields::operand3, k); }
    void setOperand3(int k, std::int32_t value) { set(Fields::operand3, k, value); }
    // Series colours, 0x00BBGGRR.
    std::uint32_t seriesColor(int k) const { return get(Fields::seriesColor, k); }
    void setSeriesColor(int k, std::uint32_t value) { set(Fields::seriesColor, k, value); }

    // Monitoring and chart settings.
    bool saveEvery() const { return get(Fields::saveEvery); }
    void setSaveEvery(bool on) { set(Fields::saveEvery, on); }
    std::int32_t editedChannel() const { return get(Fields::editedChannel); }
    void setEditedChannel(std::int32_t value) { set(Fields::editedChannel, value); }
    // Channels of the first twelve live-value slots, slot 0..11.
    std::int32_t objectChannel(int slot) const { return get(Fields::objectChannels, slot); }
    void setObjectChannel(int slot, std::int32_t value) {
        set(Fields::objectChannels, slot, value);
    }
    // Channels of live-value slots 13..18, slot 0..5.
    std::int32_t extraObjectChannel(int slot) const {
        return get(Fields::extraObjectChannels, slot);
    }
    void setExtraObjectChannel(int slot, std::int32_t value) {
        set(Fields::extraObjectChannels, slot, value);
    }
    bool reportsMode() const { return get(Fields::reportsMode); }
    void setReportsMode(bool on) { set(Fields::reportsMode, on); }
    bool barChart() const { return get(Fields::barChart); }
    void setBarChart(bool on) { set(Fields::barChart, on); }
    bool dynamicMode() const { return get(Fields::dynamicMode); }
    void setDynamicMode(bool on) { set(Fields::dynamicMode, on); }
    bool autoLimits() const { return get(Fields::autoLimits); }
    void setAutoLimits(bool on) { set(Fields::autoLimits, on); }
    bool realTimeStamps() const { return get(Fields::realTimeStamps); }
    void setRealTimeStamps(bool on) { set(Fields::realTimeStamps, on); }

    // Bench-test settings; phases 0..3.
    std::int32_t chartCadence(int phase) const { return get(Fields::chartCadences, phase); }
    void setChartCadence(int phase, std::int32_t value) {
        set(Fields::chartCadences, phase, value);
    }
    std::int32_t timeTo() const { return get(Fields::timeTo); }
    void setTimeTo(std::int32_t value) { set(Fields::timeTo, value); }
    std::int32_t timeTpo() const { return get(Fields::timeTpo); }
    void setTimeTpo(std::int32_t value) { set(Fields::timeTpo, value); }
    double upperLoad() const { return get(Fields::upperLoad); }
    void setUpperLoad(double value) { set(Fields::upperLoad, value); }
    double forceStep() const { return get(Fields::forceStep); }
    void setForceStep(double value) { set(Fields::forceStep, value); }
    double motorSpeed() const { return get(Fields::motorSpeed); }
    void setMotorSpeed(double value) { set(Fields::motorSpeed, value); }
    double upperDisplacement() const { return get(Fields::upperDisplacement); }
    void setUpperDisplacement(double value) { set(Fields::upperDisplacement, value); }
    std::uint8_t testType() const { return get(Fields::testType); }
    void setTestType(std::uint8_t value) { set(Fields::testType, value); }
    QString phasePeriod(int phase) const { return get(Fields::phasePeriods, phase); }
    void setPhasePeriod(int phase, const QString& text) { set(Fields::phasePeriods, phase, text); }
    double hysteresis() const { return get(Fields::hysteresis); }
    void setHysteresis(double value) { set(Fields::hysteresis, value); }
    std::int32_t forceChannel() const { return get(Fields::forceChannel); }
    void setForceChannel(std::int32_t value) { set(Fields::forceChannel, value); }
    std::int32_t displacementChannel() const { return get(Fields::displacementChannel); }
    void setDisplacementChannel(std::int32_t value) { set(Fields::displacementChannel, value); }
    // Index 0: the second command, 1: the third command.
    QString extraCommand(int index) const { return get(Fields::extraCommands, index); }
    void setExtraCommand(int index, const QString& text) {
        set(Fields::extraCommands, index, text);
    }
    float maxForce() const { return get(Fields::maxForce); }
    void setMaxForce(float value) { set(Fields::maxForce, value); }
    float maxDisplacement() const { return get(Fields::maxDisplacement); }
    void setMaxDisplacement(float value) { set(Fields::maxDisplacement, value); }
    // Motion commands 0..8.
    QString motionCommand(int index) const { return get(Fields::motionCommands, index); }
    void setMotionCommand(int index, const QString& text) {
        set(Fields::motionCommands, index, text);
    }
    std::int32_t retractionTime() const { return get(Fields::retractionTime); }
    void setRetractionTime(std::int32_t value) { set(Fields::retractionTime, value); }
    double preparationForce() const { return get(Fields::preparationForce); }
    void setPreparationForce(double value) { set(Fields::preparationForce, value); }
    std::int32_t preparationBufferLength() const { return get(Fields::preparationBufferLength); }
    void setPreparationBufferLength(std::int32_t value) {
        set(Fields::preparationBufferLength, value);
    }

    // The values a start without a settings file begins with: panel sizes 201/295/300, period
    // "00:00:01.000", save every "1", limits "-100" and "100", channels numbered 1 … 64.
    void applyMissingFileDefaults();
    // channelNumber[k] = k for every channel.
    void numberChannels();

    // "Ustawienia domyślne": channels 1..channelCount active and plotted, the others not; every
    // channel mean over the whole buffer, one decimal, factor 1, input number and channel number
    // = k.
    void resetChannelDefaults(int channelCount);

private:
    std::array<unsigned char, kSize> m_bytes{};
};

} // namespace korvanta::acquisition
