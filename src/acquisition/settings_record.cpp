#include "acquisition/settings_record.h"

#include "acquisition/field_extent.h"

namespace korvanta::acquisition {

namespace {

using F = SettingsRecord::Fields;

// Every field of the record, for the layout check below.
constexpr FieldExtent kFields[] = {
    extentOf(F::dataDirectory),
    extentOf(F::configDirectory),
    extentOf(F::windowHeight),
    extentOf(F::windowWidth),
    extentOf(F::windowLeft),
    extentOf(F::windowTop),
    extentOf(F::fileBrowserExpanded),
    extentOf(F::propertiesPanelShown),
    extentOf(F::chartPanelExpanded),
    extentOf(F::propertiesPanelWidth),
    extentOf(F::panel1Width),
    extentOf(F::panel3Height),
    extentOf(F::channelNumber),
    extentOf(F::inputNumber),
    extentOf(F::bufferLength),
    extentOf(F::functionIndex),
    extentOf(F::active),
    extentOf(F::addGraph),
    extentOf(F::channelName),
    extentOf(F::channelNote),
    extentOf(F::decimalPlaces),
    extentOf(F::chartCoefficient),
    extentOf(F::periodText),
    extentOf(F::saveEveryText),
    extentOf(F::saveEvery),
    extentOf(F::operand1),
    extentOf(F::editedChannel),
    extentOf(F::objectChannels),
    extentOf(F::fileListDirectory),
    extentOf(F::upperLimitText),
    extentOf(F::lowerLimitText),
    extentOf(F::operand2),
    extentOf(F::operand3),
    extentOf(F::leftAxisTitle),
    extentOf(F::rightAxisTitle),
    extentOf(F::reportsMode),
    extentOf(F::seriesColor),
    extentOf(F::barChart),
    extentOf(F::dynamicMode),
    extentOf(F::autoLimits),
    extentOf(F::realTimeStamps),
    extentOf(F::extraObjectChannels),
    extentOf(F::chartCadences),
    extentOf(F::timeTo),
    extentOf(F::timeTpo),
    extentOf(F::upperLoad),
    extentOf(F::forceStep),
    extentOf(F::motorSpeed),
    extentOf(F::upperDisplacement),
    extentOf(F::testType),
    extentOf(F::phasePeriods),
    extentOf(F::hysteresis),
    extentOf(F::forceChannel),
    extentOf(F::displacementChannel),
    extentOf(F::extraCommands),
    extentOf(F::maxForce),
    extentOf(F::maxDisplacement),
    extentOf(F::motionCommands),
    extentOf(F::retractionTime),
    extentOf(F::preparationForce),
    extentOf(F::preparationBufferLength),
};

// The record keeps other fields in element 0 of its channel arrays, which is no channel: the
// field before the array, or the last element of the array before it.
constexpr IntendedOverlap kIntendedOverlaps[] = {
    {extentOf(F::panel3Height), extentOf(F::channelNumber)},
    {extentOf(F::channelNumber), extentOf(F::inputNumber)},
    {extentOf(F::inputNumber), extentOf(F::bufferLength)},
    {extentOf(F::bufferLength), extentOf(F::functionIndex)},
    {extentOf(F::functionIndex), extentOf(F::active)},
    {extentOf(F::active), extentOf(F::addGraph)},
    {extentOf(F::addGraph), extentOf(F::channelName)},
    {extentOf(F::channelName), extentOf(F::channelNote)},
    {extentOf(F::channelNote), extentOf(F::decimalPlaces)},
    {extentOf(F::decimalPlaces), extentOf(F::chartCoefficient)},
    // Element 0 of operand1 is the last three bytes of saveEveryText and the byte saveEvery.
    {extentOf(F::saveEveryText), extentOf(F::operand1)},
    {extentOf(F::saveEvery), extentOf(F::operand1)},
    {extentOf(F::lowerLimitText), extentOf(F::operand2)},
    {extentOf(F::operand2), extentOf(F::operand3)},
    {extentOf(F::reportsMode), extentOf(F::seriesColor)},
};

static_assert(fieldsFitTogether(kFields, kIntendedOverlaps, SettingsRecord::kSize),
              "a settings field leaves the record or overlaps another one unintended");

} // namespace

void SettingsRecord::setWindowGeometry(std::int32_t left, std::int32_t top, std::int32_t width,
                                       std::int32_t height) {
    set(Fields::windowLeft, left);
    set(Fields::windowTop, top);
    set(Fields::windowWidth, width);
    set(Fields::windowHeight, height);
}

void SettingsRecord::raisePanelSizes() {
    for (const Fields::Int32& size :
         {Fields::panel1Width, Fields::propertiesPanelWidth, Fields::panel3Height}) {
        if (get(size) < kMinimumPanelSize) {
            set(size, kMinimumPanelSize);
        }
    }
}

void SettingsRecord::applyMissingFileDefaults() {
    setPanel1Width(201);
    setPropertiesPanelWidth(295);
    setPanel3Height(300);
    setPeriodText(QStringLiteral("00:00:01.000"));
    setSaveEveryText(QStringLiteral("1"));
    setLowerLimitText(QStringLiteral("-100"));
    setUpperLimitText(QStringLiteral("100"));
    numberChannels();
}

void SettingsRecord::numberChannels() {
    // Column names "k1" … "k64" in reports and file headers, instead of "k0" for every channel
    // never chosen in the editor.
    for (int k = 1; k <= kChannelCount; ++k) {
        setChannelNumber(k, k);
    }
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
    numberChannels();
}

} // namespace korvanta::acquisition
