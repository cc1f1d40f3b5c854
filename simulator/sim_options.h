#pragma once
// The command line of korvanta-sim: what to publish, how fast, and for how long.

#include "press_model.h"
#include "signal_profiles.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

namespace korvanta::simulator {

// Values forced into the control block after set-up and kept there, for tests of bad input.
struct HostileFields {
    std::optional<std::int32_t> channelCount;
    std::optional<std::int32_t> recordCount;
    std::optional<std::int32_t> currentIndex;
    std::optional<std::int32_t> auxCount;
    std::optional<std::int32_t> reportNumber;
    std::optional<double> samplePeriod;
};

struct SimOptions {
    QString prefix; // block name prefix (--prefix, else KORVANTA_SHM_PREFIX)
    int channels = 8;
    int records = 6000;
    double rateHz = 1000;
    double speed = 1;
    double durationS = 0; // 0: until closeRequest or a signal
    std::vector<float> auxValues;
    QString addresses;
    double addressPeriodS = 1;
    double addressOffset = 0; // added to every input per position in `addresses`
    std::optional<double> stallAfterS;
    HostileFields hostile;
    std::optional<std::uint32_t> hostileRandomSeed; // random values in every field and record
    std::optional<double> hostileForS; // real seconds of random values, then sane ones again
    QString readyFile;
    std::vector<SignalComponent> components;
    std::uint32_t seed = 1;
    PressSettings press;
};

struct ParsedOptions {
    SimOptions options;
    bool help = false;
    QString error; // empty when the command line is good
};

// Parses the arguments after the program name.
ParsedOptions parseSimOptions(const QStringList& arguments);

QString usageText();

} // namespace korvanta::simulator
