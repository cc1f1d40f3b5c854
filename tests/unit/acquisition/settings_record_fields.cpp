#include "unit/acquisition/settings_record_fields.h"

namespace korvanta::testing {
namespace {

using acquisition::SettingsRecord;
using R = SettingsRecord;

SettingsField int32Field(std::string name, std::size_t offset, std::int32_t v,
                         void (R::*set)(std::int32_t), std::int32_t (R::*get)() const) {
    return {std::move(name), offset, le32(static_cast<std::uint32_t>(v)),
            [=](R& r) { (r.*set)(v); },
            [=](const R& r) {
                return (r.*get)() == v;
            }};
}

SettingsField indexedInt(std::string name, std::size_t offset, int k, std::int32_t v,
                         void (R::*set)(int, std::int32_t), std::int32_t (R::*get)(int) const) {
    return {std::move(name) + "[" + std::to_string(k) + "]", offset,
            le32(static_cast<std::uint32_t>(v)), [=](R& r) { (r.*set)(k, v); },
            [=](const R& r) {
                return (r.*get)(k) == v;
            }};
}

SettingsField flagField(std::string name, std::size_t offset, void (R::*set)(bool),
                        bool (R::*get)() const) {
    return {std::move(name), offset, QByteArray("\x01", 1), [=](R& r) { (r.*set)(true); },
            [=](const R& r) {
                return (r.*get)();
            }};
}

SettingsField channelFlag(std::string name, std::size_t offset, int k, void (R::*set)(int, bool),
                          bool (R::*get)(int) const) {
    return {std::move(name) + "[" + std::to_string(k) + "]", offset, QByteArray("\x01", 1),
            [=](R& r) { (r.*set)(k, true); },
            [=](const R& r) {
                return (r.*get)(k);
            }};
}

SettingsField textField(std::string name, std::size_t offset, int size, const QString& text,
                        const QByteArray& cp1250, void (R::*set)(const QString&),
                        QString (R::*get)() const) {
    return {std::move(name), offset, fixedText(cp1250, size), [=](R& r) { (r.*set)(text); },
            [=](const R& r) {
                return (r.*get)() == text;
            }};
}

SettingsField indexedText(std::string name, std::size_t offset, int size, int k,
                          const QString& text, const QByteArray& cp1250,
                          void (R::*set)(int, const QString&), QString (R::*get)(int) const) {
    return {std::move(name) + "[" + std::to_string(k) + "]", offset, fixedText(cp1250, size),
            [=](R& r) { (r.*set)(k, text); },
            [=](const R& r) {
                return (r.*get)(k) == text;
            }};
}

SettingsField doubleField(std::string name, std::size_t offset, double v, std::uint64_t bits,
                          void (R::*set)(double), double (R::*get)() const) {
    return {std::move(name), offset, f64Bits(bits), [=](R& r) { (r.*set)(v); },
            [=](const R& r) {
                return (r.*get)() == v;
            }};
}

SettingsField floatField(std::string name, std::size_t offset, float v, std::uint32_t bits,
                         void (R::*set)(float), float (R::*get)() const) {
    return {std::move(name), offset, f32Bits(bits), [=](R& r) { (r.*set)(v); },
            [=](const R& r) {
                return (r.*get)() == v;
            }};
}

} // namespace

std::vector<SettingsField> settingsFields() {
    std::vector<SettingsField> f;
    // Texts; the Polish letters are code page 1250: Ł A3, ó F3, ź 9F, ć E6, ł B3, ę EA, ą B9,
    // ż BF, Ś 8C, ń F1.
    f.push_back(textField("dataDirectory", 1, 2800, QStringLiteral("C:\\Pomiary\\Łódź\\"),
                          QByteArray("C:\\Pomiary\\\xA3\xF3\x64\x9F\\"), &R::setDataDirectory,
                          &R::dataDirectory));
    f.push_back(textField("configDirectory", 2801, 703, QStringLiteral("/home/ćma/"),
                          QByteArray("/home/\xE6ma/"), &R::setConfigDirectory,
                          &R::configDirectory));
    f.push_back(textField("periodText", 17004, 15, QStringLiteral("00:00:02.500"),
                          QByteArray("00:00:02.500"), &R::setPeriodText, &R::periodText));
    f.push_back(textField("saveEveryText", 17019, 4, QStringLiteral("25"), QByteArray("25"),
                          &R::setSaveEveryText, &R::saveEveryText));
    f.push_back(textField("fileListDirectory", 17332, 700, QStringLiteral("/dane/źródła"),
                          QByteArray("/dane/\x9Fr\xF3\x64\xB3\x61"), &R::setFileListDirectory,
                          &R::fileListDirectory));
    f.push_back(textField("upperLimitText", 18032, 10, QStringLiteral("250"), QByteArray("250"),
                          &R::setUpperLimitText, &R::upperLimitText));
    f.push_back(textField("lowerLimitText", 18042, 10, QStringLiteral("-250"), QByteArray("-250"),
                          &R::setLowerLimitText, &R::lowerLimitText));
    f.push_back(textField("leftAxisTitle", 18564, 80, QStringLiteral("Siła [kN]"),
                          QByteArray("Si\xB3\x61 [kN]"), &R::setLeftAxisTitle, &R::leftAxisTitle));
    f.push_back(textField("rightAxisTitle", 18644, 80, QStringLiteral("Przesunięcie [mm]"),
                          QByteArray("Przesuni\xEA\x63ie [mm]"), &R::setRightAxisTitle,
                          &R::rightAxisTitle));
    f.push_back(indexedText("channelName", 10072, 20, 1, QStringLiteral("Napięcie [V]"),
                            QByteArray("Napi\xEA\x63ie [V]"), &R::setChannelName, &R::channelName));
    f.push_back(indexedText("channelName", 11332, 20, 64, QStringLiteral("Prąd [A]"),
                            QByteArray("Pr\xB9\x64 [A]"), &R::setChannelName, &R::channelName));
    f.push_back(indexedText("channelNote", 11352, 80, 1, QStringLiteral("notatka ż"),
                            QByteArray("notatka \xBF"), &R::setChannelNote, &R::channelNote));
    f.push_back(indexedText("channelNote", 16392, 80, 64, QStringLiteral("Śruba końcowa"),
                            QByteArray("\x8Cruba ko\xF1\x63owa"), &R::setChannelNote,
                            &R::channelNote));
    f.push_back(indexedText("phasePeriod", 19073, 15, 0, QStringLiteral("00:01:00.000"),
                            QByteArray("00:01:00.000"), &R::setPhasePeriod, &R::phasePeriod));
    f.push_back(indexedText("phasePeriod", 19118, 15, 3, QStringLiteral("00:04:00.000"),
                            QByteArray("00:04:00.000"), &R::setPhasePeriod, &R::phasePeriod));
    f.push_back(indexedText("extraCommand", 19152, 25, 0, QStringLiteral("#2 a"),
                            QByteArray("#2 a"), &R::setExtraCommand, &R::extraCommand));
    f.push_back(indexedText("extraCommand", 19177, 25, 1, QStringLiteral("#3 b"),
                            QByteArray("#3 b"), &R::setExtraCommand, &R::extraCommand));
    f.push_back(indexedText("motionCommand", 19212, 25, 0, QStringLiteral("#1 x0;0 y250;250 &"),
                            QByteArray("#1 x0;0 y250;250 &"), &R::setMotionCommand,
                            &R::motionCommand));
    f.push_back(indexedText("motionCommand", 19412, 25, 8, QStringLiteral("#1 x250;250 y0;0 &"),
                            QByteArray("#1 x250;250 y0;0 &"), &R::setMotionCommand,
                            &R::motionCommand));

    // Window geometry: one setter, four fields in the order height, width, left, top.
    f.push_back({"windowGeometry", 3520, le32(600) + le32(800) + le32(11) + le32(22),
                 [](R& r) { r.setWindowGeometry(11, 22, 800, 600); },
                 [](const R& r) {
                     return r.windowHeight() == 600 && r.windowWidth() == 800 &&
                            r.windowLeft() == 11 && r.windowTop() == 22;
                 }});
    f.push_back(flagField("fileBrowserExpanded", 5672, &R::setFileBrowserExpanded,
                          &R::fileBrowserExpanded));
    f.push_back(flagField("propertiesPanelShown", 5673, &R::setPropertiesPanelShown,
                          &R::propertiesPanelShown));
    f.push_back(
        flagField("chartPanelExpanded", 5675, &R::setChartPanelExpanded, &R::chartPanelExpanded));
    f.push_back(int32Field("propertiesPanelWidth", 8904, 1001, &R::setPropertiesPanelWidth,
                           &R::propertiesPanelWidth));
    f.push_back(int32Field("panel1Width", 8912, 1002, &R::setPanel1Width, &R::panel1Width));
    f.push_back(int32Field("panel3Height", 8916, 1003, &R::setPanel3Height, &R::panel3Height));

    // Channel arrays at base + size × k, for the first and the last channel.
    struct IntArray {
        const char* name;
        std::size_t base;
        void (R::*set)(int, std::int32_t);
        std::int32_t (R::*get)(int) const;
    };
    const IntArray arrays[] = {
        {"channelNumber", 8916, &R::setChannelNumber, &R::channelNumber},
        {"inputNumber", 9172, &R::setInputNumber, &R::inputNumber},
        {"bufferLength", 9428, &R::setBufferLength, &R::bufferLength},
        {"functionIndex", 9684, &R::setFunctionIndex, &R::functionIndex},
        {"decimalPlaces", 16468, &R::setDecimalPlaces, &R::decimalPlaces},
        {"chartCoefficient", 16724, &R::setChartCoefficient, &R::chartCoefficient},
        {"operand1", 17020, &R::setOperand1, &R::operand1},
        {"operand2", 18048, &R::setOperand2, &R::operand2},
        {"operand3", 18304, &R::setOperand3, &R::operand3},
    };
    std::int32_t value = 2000;
    for (const IntArray& a : arrays) {
        for (const int k : {1, 64}) {
            f.push_back(indexedInt(a.name, a.base + 4 * static_cast<std::size_t>(k), k, ++value,
                                   a.set, a.get));
        }
    }
    for (const int k : {1, 64}) {
        const std::uint32_t colour = 0x00102030U + static_cast<std::uint32_t>(k);
        f.push_back({"seriesColor[" + std::to_string(k) + "]",
                     18724 + 4 * static_cast<std::size_t>(k), le32(colour),
                     [=](R& r) { r.setSeriesColor(k, colour); },
                     [=](const R& r) {
                         return r.seriesColor(k) == colour;
                     }});
        f.push_back(channelFlag("active", 9943 + static_cast<std::size_t>(k), k, &R::setActive,
                                &R::active));
        f.push_back(channelFlag("addGraph", 10007 + static_cast<std::size_t>(k), k, &R::setAddGraph,
                                &R::addGraph));
    }

    f.push_back(flagField("saveEvery", 17023, &R::setSaveEvery, &R::saveEvery));
    f.push_back(int32Field("editedChannel", 17280, 3001, &R::setEditedChannel, &R::editedChannel));
    f.push_back(
        indexedInt("objectChannels", 17284, 0, 3002, &R::setObjectChannel, &R::objectChannel));
    f.push_back(
        indexedInt("objectChannels", 17328, 11, 3003, &R::setObjectChannel, &R::objectChannel));
    f.push_back(flagField("reportsMode", 18724, &R::setReportsMode, &R::reportsMode));
    f.push_back(flagField("barChart", 18984, &R::setBarChart, &R::barChart));
    f.push_back(flagField("dynamicMode", 18985, &R::setDynamicMode, &R::dynamicMode));
    f.push_back(flagField("autoLimits", 18986, &R::setAutoLimits, &R::autoLimits));
    f.push_back(flagField("realTimeStamps", 18987, &R::setRealTimeStamps, &R::realTimeStamps));
    f.push_back(indexedInt("extraObjectChannels", 18988, 0, 3004, &R::setExtraObjectChannel,
                           &R::extraObjectChannel));
    f.push_back(indexedInt("extraObjectChannels", 19008, 5, 3005, &R::setExtraObjectChannel,
                           &R::extraObjectChannel));

    // Bench test. Doubles: 1.5 3FF8…, 2.25 4002…, -0.5 BFE0…, 100 4059…, 0.25 3FD0…, 12.5 4029….
    f.push_back(indexedInt("chartCadences", 19012, 0, 4001, &R::setChartCadence, &R::chartCadence));
    f.push_back(indexedInt("chartCadences", 19024, 3, 4002, &R::setChartCadence, &R::chartCadence));
    f.push_back(int32Field("To", 19028, 4003, &R::setTimeTo, &R::timeTo));
    f.push_back(int32Field("Tpo", 19032, 4004, &R::setTimeTpo, &R::timeTpo));
    f.push_back(
        doubleField("Fmax", 19040, 1.5, 0x3FF8000000000000ULL, &R::setUpperLoad, &R::upperLoad));
    f.push_back(doubleField("forceStep", 19048, 2.25, 0x4002000000000000ULL, &R::setForceStep,
                            &R::forceStep));
    f.push_back(doubleField("motorSpeed", 19056, -0.5, 0xBFE0000000000000ULL, &R::setMotorSpeed,
                            &R::motorSpeed));
    f.push_back(doubleField("Dmax", 19064, 100.0, 0x4059000000000000ULL, &R::setUpperDisplacement,
                            &R::upperDisplacement));
    f.push_back({"testType", 19072, QByteArray("\x01", 1), [](R& r) { r.setTestType(1); },
                 [](const R& r) {
                     return r.testType() == 1;
                 }});
    f.push_back(doubleField("hysteresis", 19136, 0.25, 0x3FD0000000000000ULL, &R::setHysteresis,
                            &R::hysteresis));
    f.push_back(int32Field("forceChannel", 19144, 4005, &R::setForceChannel, &R::forceChannel));
    f.push_back(int32Field("displacementChannel", 19148, 4006, &R::setDisplacementChannel,
                           &R::displacementChannel));
    // Floats: 12.5 41480000, 0.75 3F400000.
    f.push_back(floatField("maxForce", 19204, 12.5F, 0x41480000U, &R::setMaxForce, &R::maxForce));
    f.push_back(floatField("maxDisplacement", 19208, 0.75F, 0x3F400000U, &R::setMaxDisplacement,
                           &R::maxDisplacement));
    f.push_back(
        int32Field("retractionTime", 19440, 4007, &R::setRetractionTime, &R::retractionTime));
    f.push_back(doubleField("preparationForce", 19448, 12.5, 0x4029000000000000ULL,
                            &R::setPreparationForce, &R::preparationForce));
    f.push_back(int32Field("preparationBufferLength", 19456, 4008, &R::setPreparationBufferLength,
                           &R::preparationBufferLength));
    return f;
}

QByteArray settingsImage() {
    QByteArray image(static_cast<qsizetype>(SettingsRecord::kSize), '\0');
    for (const SettingsField& field : settingsFields()) {
        image.replace(static_cast<qsizetype>(field.offset), field.bytes.size(), field.bytes);
    }
    return image;
}

} // namespace korvanta::testing
