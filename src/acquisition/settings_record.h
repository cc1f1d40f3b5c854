#pragma once
// The 61640-byte settings record: every persistent setting, kept as the raw dump that the
// settings, configuration and companion files carry.

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

    SettingsRecord() = default;

    unsigned char* bytes() { return m_bytes.data(); }
    const unsigned char* bytes() const { return m_bytes.data(); }

    // Texts (code page 1250 in the record, cut to fit their fields).
    QString dataDirectory() const;
    void setDataDirectory(const QString& text);
    QString configDirectory() const;
    void setConfigDirectory(const QString& text);
    QString fileListDirectory() const;
    void setFileListDirectory(const QString& text);
    QString periodText() const;
    void setPeriodText(const QString& text);
    QString saveEveryText() const;
    void setSaveEveryText(const QString& text);
    QString upperLimitText() const;
    void setUpperLimitText(const QString& text);
    QString lowerLimitText() const;
    void setLowerLimitText(const QString& text);
    QString leftAxisTitle() const;
    void setLeftAxisTitle(const QString& text);
    QString rightAxisTitle() const;
    void setRightAxisTitle(const QString& text);

    // Window geometry and panels.
    std::int32_t windowHeight() const;
    std::int32_t windowWidth() const;
    std::int32_t windowLeft() const;
    std::int32_t windowTop() const;
    void setWindowGeometry(std::int32_t left, std::int32_t top, std::int32_t width,
                           std::int32_t height);
    bool fileBrowserExpanded() const;
    void setFileBrowserExpanded(bool on);
    bool propertiesPanelShown() const;
    void setPropertiesPanelShown(bool on);
    bool chartPanelExpanded() const;
    void setChartPanelExpanded(bool on);
    std::int32_t propertiesPanelWidth() const;
    void setPropertiesPanelWidth(std::int32_t value);
    std::int32_t panel1Width() const;
    void setPanel1Width(std::int32_t value);
    std::int32_t panel3Height() const;
    void setPanel3Height(std::int32_t value);
    // Raises the three stored panel sizes to at least 22.
    void raisePanelSizes();

    // Per-channel arrays, channel k = 1..64. Outside that range a read gives 0 (or an empty
    // text) and a write does nothing.
    std::int32_t channelNumber(int k) const;
    void setChannelNumber(int k, std::int32_t value);
    std::int32_t inputNumber(int k) const;
    void setInputNumber(int k, std::int32_t value);
    std::int32_t bufferLength(int k) const;
    void setBufferLength(int k, std::int32_t value);
    std::int32_t functionIndex(int k) const;
    void setFunctionIndex(int k, std::int32_t value);
    bool active(int k) const;
    void setActive(int k, bool on);
    bool addGraph(int k) const;
    void setAddGraph(int k, bool on);
    QString channelName(int k) const;
    void setChannelName(int k, const QString& text);
    QString channelNote(int k) const;
    void setChannelNote(int k, const QString& text);
    std::int32_t decimalPlaces(int k) const;
    void setDecimalPlaces(int k, std::int32_t value);
    std::int32_t chartCoefficient(int k) const;
    void setChartCoefficient(int k, std::int32_t value);
    std::int32_t operand1(int k) const;
    void setOperand1(int k, std::int32_t value);
    std::int32_t operand2(int k) const;
    void setOperand2(int k, std::int32_t value);
    std::int32_t operand3(int k) const;
    void setOperand3(int k, std::int32_t value);
    std::uint32_t seriesColor(int k) const; // 0x00BBGGRR
    void setSeriesColor(int k, std::uint32_t value);

    // Monitoring and chart settings.
    bool saveEvery() const;
    void setSaveEvery(bool on);
    std::int32_t editedChannel() const;
    void setEditedChannel(std::int32_t value);
    std::int32_t objectChannel(int slot) const; // slot 0..11
    void setObjectChannel(int slot, std::int32_t value);
    std::int32_t extraObjectChannel(int slot) const; // slot 0..5
    void setExtraObjectChannel(int slot, std::int32_t value);
    bool reportsMode() const;
    void setReportsMode(bool on);
    bool barChart() const;
    void setBarChart(bool on);
    bool dynamicMode() const;
    void setDynamicMode(bool on);
    bool autoLimits() const;
    void setAutoLimits(bool on);
    bool realTimeStamps() const;
    void setRealTimeStamps(bool on);

    // Bench-test settings.
    std::int32_t chartCadence(int phase) const; // phase 0..3
    void setChartCadence(int phase, std::int32_t value);
    std::int32_t timeTo() const;
    void setTimeTo(std::int32_t value);
    std::int32_t timeTpo() const;
    void setTimeTpo(std::int32_t value);
    double upperLoad() const;
    void setUpperLoad(double value);
    double forceStep() const;
    void setForceStep(double value);
    double motorSpeed() const;
    void setMotorSpeed(double value);
    double upperDisplacement() const;
    void setUpperDisplacement(double value);
    std::uint8_t testType() const;
    void setTestType(std::uint8_t value);
    QString phasePeriod(int phase) const; // phase 0..3
    void setPhasePeriod(int phase, const QString& text);
    double hysteresis() const;
    void setHysteresis(double value);
    std::int32_t forceChannel() const;
    void setForceChannel(std::int32_t value);
    std::int32_t displacementChannel() const;
    void setDisplacementChannel(std::int32_t value);
    QString extraCommand(int index) const; // 0: second command, 1: third command
    void setExtraCommand(int index, const QString& text);
    float maxForce() const;
    void setMaxForce(float value);
    float maxDisplacement() const;
    void setMaxDisplacement(float value);
    QString motionCommand(int index) const; // 0..8
    void setMotionCommand(int index, const QString& text);
    std::int32_t retractionTime() const;
    void setRetractionTime(std::int32_t value);
    double preparationForce() const;
    void setPreparationForce(double value);
    std::int32_t preparationBufferLength() const;
    void setPreparationBufferLength(std::int32_t value);

    // The values a start without a settings file begins with: panel sizes 201/295/300, period
    // "00:00:01.000", save every "1", limits "-100" and "100".
    void applyMissingFileDefaults();

    // "Ustawienia domyślne": channels 1..channelCount active and plotted, the others not; every
    // channel mean over the whole buffer, one decimal, factor 1, input number = channel number.
    void resetChannelDefaults(int channelCount);

private:
    QString text(std::size_t offset, std::size_t size) const;
    void setText(std::size_t offset, std::size_t size, const QString& value);
    std::int32_t int32(std::size_t offset) const;
    void setInt32(std::size_t offset, std::int32_t value);
    bool flag(std::size_t offset) const { return m_bytes[offset] != 0; }
    void setFlag(std::size_t offset, bool on) { m_bytes[offset] = on ? 1 : 0; }
    std::int32_t channelInt(std::size_t base, int k) const;
    void setChannelInt(std::size_t base, int k, std::int32_t value);

    std::array<unsigned char, kSize> m_bytes{};
};

} // namespace korvanta::acquisition
