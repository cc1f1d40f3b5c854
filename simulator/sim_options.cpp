#include "sim_options.h"

#include "acquisition/tabela.h"

#include <QSet>
#include <cmath>
#include <functional>
#include <limits>
#include <map>
#include <numbers>

namespace korvanta::simulator {
namespace {

constexpr int kMaxRecords = 1'000'000;
constexpr int kMaxChannels = 64;
constexpr int kMaxAuxValues = 64;

struct OptionError {
    QString message;
};

[[noreturn]] void fail(const QString& option, const QString& why) {
    throw OptionError{option + QStringLiteral(": ") + why};
}

double number(const QString& option, const QString& text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok); // always '.' as decimal point
    if (!ok || !std::isfinite(value)) {
        fail(option, QStringLiteral("'%1' is not a number").arg(text));
    }
    return value;
}

long long integer(const QString& option, const QString& text, long long low, long long high) {
    bool ok = false;
    const long long value = text.trimmed().toLongLong(&ok);
    if (!ok || value < low || value > high) {
        fail(option,
             QStringLiteral("'%1' is not an integer in %2..%3").arg(text).arg(low).arg(high));
    }
    return value;
}

double positive(const QString& option, const QString& text) {
    const double value = number(option, text);
    if (value <= 0) {
        fail(option, QStringLiteral("must be greater than 0"));
    }
    return value;
}

double notNegative(const QString& option, const QString& text) {
    const double value = number(option, text);
    if (value < 0) {
        fail(option, QStringLiteral("must not be negative"));
    }
    return value;
}

// "INPUT:A[:B...]" with between `least` and `most` parts.
QStringList parts(const QString& option, const QString& text, int least, int most) {
    const QStringList list = text.split(QLatin1Char(':'));
    if (list.size() < least || list.size() > most) {
        fail(option,
             QStringLiteral("expected %1 to %2 values separated by ':'").arg(least).arg(most));
    }
    return list;
}

int inputNumber(const QString& option, const QString& text, int highest = 32) {
    return static_cast<int>(integer(option, text, 1, highest));
}

SignalComponent component(SignalComponent::Kind kind, int input, double amplitude,
                          double frequency = 0, double phaseDeg = 0) {
    return SignalComponent{kind, input, amplitude, frequency, phaseDeg};
}

void addSine(SimOptions& o, const QString& opt, const QString& v) {
    const QStringList p = parts(opt, v, 3, 4);
    const double peak = notNegative(opt, p[1]) * std::numbers::sqrt2;
    o.components.push_back(component(SignalComponent::Kind::Sine, inputNumber(opt, p[0]), peak,
                                     notNegative(opt, p[2]), p.size() > 3 ? number(opt, p[3]) : 0));
}

void addThreePhase(SimOptions& o, const QString& opt, const QString& v) {
    const QStringList p = parts(opt, v, 3, 3);
    const int input = inputNumber(opt, p[0], acquisition::Tabela::kInputCount - 4);
    const double amplitude = notNegative(opt, p[1]);
    const double frequency = notNegative(opt, p[2]);
    const double phases[] = {0.0, -120.0, 120.0};
    for (int i = 0; i < 3; ++i) {
        o.components.push_back(
            component(SignalComponent::Kind::Sine, input + 2 * i, amplitude, frequency, phases[i]));
    }
}

void addVibration(SimOptions& o, const QString& opt, const QString& v) {
    const QStringList p = parts(opt, v, 3, 3);
    o.components.push_back(component(SignalComponent::Kind::Vibration, inputNumber(opt, p[0]),
                                     notNegative(opt, p[1]), notNegative(opt, p[2])));
}

void addSimple(SimOptions& o, const QString& opt, const QString& v, SignalComponent::Kind kind) {
    const QStringList p = parts(opt, v, 2, 2);
    const double value =
        kind == SignalComponent::Kind::Noise ? notNegative(opt, p[1]) : number(opt, p[1]);
    o.components.push_back(component(kind, inputNumber(opt, p[0]), value));
}

void setPress(SimOptions& o, const QString& opt, const QString& v) {
    const QStringList p = parts(opt, v, 2, 5);
    PressSettings& press = o.press;
    press.forceInput = inputNumber(opt, p[0]);
    press.displacementInput = inputNumber(opt, p[1]);
    if (press.forceInput == press.displacementInput) {
        fail(opt, QStringLiteral("force and displacement need two different inputs"));
    }
    if (p.size() > 2) {
        press.stiffnessKnPerMm = notNegative(opt, p[2]);
    }
    if (p.size() > 3) {
        press.gapMm = notNegative(opt, p[3]);
    }
    if (p.size() > 4) {
        press.speedMmPerS = positive(opt, p[4]);
    }
}

void setPressYield(SimOptions& o, const QString& opt, const QString& v) {
    o.press.yieldKn = positive(opt, v);
}

void setPressNoise(SimOptions& o, const QString& opt, const QString& v) {
    o.press.noiseKn = notNegative(opt, v);
}

void setAux(SimOptions& o, const QString& opt, const QString& v) {
    const QStringList list = v.split(QLatin1Char(','));
    if (list.size() > kMaxAuxValues) {
        fail(opt, QStringLiteral("at most %1 values").arg(kMaxAuxValues));
    }
    o.auxValues.clear();
    for (const QString& item : list) {
        o.auxValues.push_back(static_cast<float>(number(opt, item)));
    }
}

void setAddresses(SimOptions& o, const QString& opt, const QString& v) {
    if (v.isEmpty()) {
        fail(opt, QStringLiteral("needs at least one address character"));
    }
    for (const QChar c : v) {
        if (c.unicode() < 0x21 || c.unicode() > 0x7E) {
            fail(opt, QStringLiteral("addresses are printable ASCII characters"));
        }
    }
    o.addresses = v;
}

void setHostile(SimOptions& o, const QString& opt, const QString& v) {
    const qsizetype eq = v.indexOf(QLatin1Char('='));
    if (eq <= 0) {
        fail(opt, QStringLiteral("expected FIELD=VALUE"));
    }
    const QString field = v.left(eq);
    const QString value = v.mid(eq + 1);
    const auto int32 = [&] {
        return static_cast<std::int32_t>(integer(opt, value,
                                                 std::numeric_limits<std::int32_t>::min(),
                                                 std::numeric_limits<std::int32_t>::max()));
    };
    HostileFields& h = o.hostile;
    if (field == QLatin1String("channelCount")) {
        h.channelCount = int32();
    } else if (field == QLatin1String("recordCount")) {
        h.recordCount = int32();
    } else if (field == QLatin1String("currentIndex")) {
        h.currentIndex = int32();
    } else if (field == QLatin1String("auxCount")) {
        h.auxCount = int32();
    } else if (field == QLatin1String("reportNumber")) {
        h.reportNumber = int32();
    } else if (field == QLatin1String("samplePeriod")) {
        h.samplePeriod = number(opt, value);
    } else {
        fail(opt, QStringLiteral("unknown field '%1'").arg(field));
    }
}

// The demo fills in what the command line leaves open, wherever --profile stands on it: the
// channel count that lets "Ustawienia domyślne" reach the press inputs, and a press on inputs
// of its own whose frame yields at 8 kN, so that a load test with Fmax 10 kN bends it for good
// and still ends within a few minutes.
void completeDemo(SimOptions& o, const QSet<QString>& given) {
    if (!given.contains(QStringLiteral("--channels"))) {
        o.channels = 10;
    }
    if (!given.contains(QStringLiteral("--press"))) {
        o.press.forceInput = 9;
        o.press.displacementInput = 10;
        o.press.stiffnessKnPerMm = 2.0;
        o.press.gapMm = 2.0;
        o.press.speedMmPerS = 1.0;
    }
    if (!given.contains(QStringLiteral("--press-yield"))) {
        o.press.yieldKn = 8.0;
    }
    if (!given.contains(QStringLiteral("--press-noise"))) {
        o.press.noiseKn = 0.02;
    }
}

void completeOptions(SimOptions& o, const QSet<QString>& given) {
    if (given.contains(QStringLiteral("--profile"))) {
        completeDemo(o, given);
    }
    for (const QString& option :
         {QStringLiteral("--press-yield"), QStringLiteral("--press-noise")}) {
        if (given.contains(option) && o.press.forceInput == 0) {
            fail(option, QStringLiteral("needs --press or --profile demo"));
        }
    }
    if (given.contains(QStringLiteral("--hostile-for")) && !o.hostileRandomSeed) {
        fail(QStringLiteral("--hostile-for"), QStringLiteral("needs --hostile-random"));
    }
}

void setProfile(SimOptions& o, const QString& opt, const QString& v) {
    if (v != QLatin1String("demo")) {
        fail(opt, QStringLiteral("the only profile is 'demo'"));
    }
    using K = SignalComponent::Kind;
    const double phasePeak = 230.0 * std::numbers::sqrt2;
    o.components.insert(o.components.end(),
                        {component(K::Sine, 1, phasePeak, 50.0),
                         component(K::Sine, 2, 5.0 * std::numbers::sqrt2, 50.0, -30.0),
                         component(K::Sine, 3, phasePeak, 50.0, 0.0),
                         component(K::Sine, 5, phasePeak, 50.0, -120.0),
                         component(K::Sine, 7, phasePeak, 50.0, 120.0), component(K::Dc, 8, 12.5),
                         component(K::Noise, 1, 0.5), component(K::Noise, 2, 0.02),
                         component(K::Noise, 8, 0.05)});
}

using Handler = std::function<void(SimOptions&, const QString& option, const QString& value)>;

const std::map<QString, Handler>& handlers() {
    using K = SignalComponent::Kind;
    static const std::map<QString, Handler> table{
        {QStringLiteral("--prefix"),
         [](SimOptions& o, const QString&, const QString& v) {
             o.prefix = v;
         }},
        {QStringLiteral("--channels"),
         [](SimOptions& o, const QString& opt, const QString& v) {
             o.channels = static_cast<int>(integer(opt, v, 0, kMaxChannels));
         }},
        {QStringLiteral("--records"),
         [](SimOptions& o, const QString& opt, const QString& v) {
             o.records = static_cast<int>(integer(opt, v, 1, kMaxRecords));
         }},
        {QStringLiteral("--rate"),
         [](SimOptions& o, const QString& opt, const QString& v) {
             o.rateHz = positive(opt, v);
         }},
        {QStringLiteral("--speed"),
         [](SimOptions& o, const QString& opt, const QString& v) {
             o.speed = positive(opt, v);
         }},
        {QStringLiteral("--duration"),
         [](SimOptions& o, const QString& opt, const QString& v) {
             o.durationS = notNegative(opt, v);
         }},
        {QStringLiteral("--aux"), setAux},
        {QStringLiteral("--addresses"), setAddresses},
        {QStringLiteral("--address-period"),
         [](SimOptions& o, const QString& opt, const QString& v) {
             o.addressPeriodS = positive(opt, v);
         }},
        {QStringLiteral("--address-offset"),
         [](SimOptions& o, const QString& opt, const QString& v) {
             o.addressOffset = number(opt, v);
         }},
        {QStringLiteral("--stall-after"),
         [](SimOptions& o, const QString& opt, const QString& v) {
             o.stallAfterS = notNegative(opt, v);
         }},
        {QStringLiteral("--hostile"), setHostile},
        {QStringLiteral("--hostile-random"),
         [](SimOptions& o, const QString& opt, const QString& v) {
             o.hostileRandomSeed = static_cast<std::uint32_t>(
                 integer(opt, v, 0, std::numeric_limits<std::uint32_t>::max()));
         }},
        {QStringLiteral("--hostile-for"),
         [](SimOptions& o, const QString& opt, const QString& v) {
             o.hostileForS = notNegative(opt, v);
         }},
        {QStringLiteral("--ready-file"),
         [](SimOptions& o, const QString&, const QString& v) {
             o.readyFile = v;
         }},
        {QStringLiteral("--sine"), addSine},
        {QStringLiteral("--three-phase"), addThreePhase},
        {QStringLiteral("--vibration"), addVibration},
        {QStringLiteral("--dc"),
         [](SimOptions& o, const QString& opt, const QString& v) {
             addSimple(o, opt, v, K::Dc);
         }},
        {QStringLiteral("--noise"),
         [](SimOptions& o, const QString& opt, const QString& v) {
             addSimple(o, opt, v, K::Noise);
         }},
        {QStringLiteral("--ramp"),
         [](SimOptions& o, const QString& opt, const QString& v) {
             addSimple(o, opt, v, K::Ramp);
         }},
        {QStringLiteral("--seed"),
         [](SimOptions& o, const QString& opt, const QString& v) {
             o.seed = static_cast<std::uint32_t>(
                 integer(opt, v, 0, std::numeric_limits<std::uint32_t>::max()));
         }},
        {QStringLiteral("--press"), setPress},
        {QStringLiteral("--press-yield"), setPressYield},
        {QStringLiteral("--press-noise"), setPressNoise},
        {QStringLiteral("--profile"), setProfile},
    };
    return table;
}

} // namespace

ParsedOptions parseSimOptions(const QStringList& arguments) {
    ParsedOptions parsed;
    parsed.options.prefix = qEnvironmentVariable("KORVANTA_SHM_PREFIX");
    QSet<QString> given;
    try {
        for (qsizetype i = 0; i < arguments.size(); ++i) {
            QString option = arguments[i];
            if (option == QLatin1String("--help") || option == QLatin1String("-h")) {
                parsed.help = true;
                return parsed;
            }
            QString value;
            const qsizetype eq = option.indexOf(QLatin1Char('='));
            if (option.startsWith(QLatin1String("--")) && eq > 0) {
                value = option.mid(eq + 1);
                option = option.left(eq);
            } else if (i + 1 < arguments.size()) {
                value = arguments[++i];
            } else if (handlers().contains(option)) {
                fail(option, QStringLiteral("needs a value"));
            }
            const auto handler = handlers().find(option);
            if (handler == handlers().end()) {
                fail(option, QStringLiteral("unknown option"));
            }
            handler->second(parsed.options, option, value);
            given.insert(option);
        }
        completeOptions(parsed.options, given);
    } catch (const OptionError& error) {
        parsed.error = error.message;
    }
    return parsed;
}

QString usageText() {
    return QStringLiteral(R"(korvanta-sim: stand-in for the acquisition program.

Creates the shared blocks "/<prefix>Ustawienia" (3544 bytes) and "/<prefix>Tablica_Danych"
(records x 144 bytes) and writes sample records into the ring at real time (or --speed times
faster), until closeRequest becomes 1, SIGINT/SIGTERM arrives or --duration ends; both blocks are
removed on exit.

Ring convention: currentIndex is the record to be written next; currentIndex - 1 (N - 1 for 0) is
the newest complete record. A record is written whole before currentIndex moves past it. At
start the ring is filled with the history of the last N records (time stamps before start-up),
so every record holds data and record currentIndex (the oldest) has a rising time stamp too.
Time stamps are day numbers: the local day number at start-up plus samplePeriod per record
(a steady clock, not the wall clock). Signal and press time is acquisition time (scaled by
--speed); --duration, --stall-after and --address-period are real seconds.

Options (inputs are 1..32; several signal options on one input add up):
  --prefix P               block name prefix (default: $KORVANTA_SHM_PREFIX, else none)
  --channels N             channelCount, 0..64 (default 8)
  --records N              recordCount, 1..1000000 (default 6000)
  --rate HZ                records per second of acquisition time (default 1000)
  --speed X                acquisition time runs X times real time (default 1)
  --duration SEC           exit after SEC real seconds; 0 = run until asked (default 0)
  --sine IN:RMS:FREQ[:PHASE_DEG]   sine of the given RMS value, Hz and phase in degrees
  --three-phase IN:AMPL:FREQ       peak-AMPL sines on IN, IN+2, IN+4 at 0, -120, +120 degrees;
                           a power channel with voltage input m = IN sees its direction
                           inputs m+2 lag and m+4 lead, so its direction indicator reads -1
  --vibration IN:AMPL:FREQ fundamental + 30% at 3.1 x FREQ, with a +-40% beat at FREQ/20
  --dc IN:VALUE            constant value
  --ramp IN:SLOPE_PER_S    value rising by SLOPE per second of acquisition time from 0
  --noise IN:SIGMA         Gaussian noise added to the input
  --seed N                 noise seed (default 1), the same seed gives the same noise
  --profile demo           230 V / 50 Hz on 1, 5 A at 30 deg lag on 2, three-phase 325 V peak
                           on 3, 5, 7; DC 12.5 on 8; some noise; channelCount 10; the press with
                           force on 9 and displacement on 10: 2 kN/mm, gap 2 mm, 1 mm/s, yield
                           8 kN, noise 0.02 kN. --channels, --press, --press-yield and
                           --press-noise given anywhere on the line replace these values
  --aux v0,v1,...          auxValues (at most 64); auxCount = count - 1 (default -1)
  --addresses LIST         cycle systemAddress through the characters of LIST
  --address-period SEC     seconds between two addresses (default 1); reportNumber rises by
                           one at each change
  --address-offset STEP    each system has its own data: while the address at position i
                           (from 0) of LIST is current, every input of every record carries
                           i x STEP on top of its signal (default 0). At a change the whole
                           table is shifted to the new system first, then reportNumber rises,
                           then systemAddress changes
  --stall-after SEC        stop writing records after SEC seconds, but keep running
  --press F_IN:D_IN[:KN_PER_MM[:GAP_MM[:MM_PER_S]]]
                           bench press (defaults 2 kN/mm, gap 5 mm, 2 mm/s): commandText
                           "#1 x250;250 y0;0 &" moves the pusher down, "#1 x0;0 y250;250 &" up,
                           anything else stops it. D_IN shows the millimetres below the start
                           (never negative: the pusher stops at its start going up); F_IN shows
                           kN = stiffness x (position - contact) below the contact point, else
                           0; the contact point is the gap plus the permanent set (0 until the
                           frame yields)
  --press-yield KN         (needs --press or --profile demo; so does --press-noise)
                           the frame yields at KN (> 0; default: never): past it the force rises
                           at a tenth of the stiffness and the rest of the travel stays as
                           permanent set, so unloading follows the stiffness down to a contact
                           point that lies lower, and a load and unload cycle draws a loop.
                           Reloading is elastic up to the highest force reached before
  --press-noise KN         Gaussian noise of sigma KN on F_IN (default 0), repeated by --seed
  --hostile FIELD=VALUE    force channelCount, recordCount, currentIndex, auxCount,
                           reportNumber or samplePeriod to VALUE and keep it there; records
                           are still written within the real table
  --hostile-random SEED    with every record written, put random values into channelCount,
                           recordCount, currentIndex, auxCount, reportNumber, samplePeriod,
                           the aux values, systemAddress, and the record's time stamp and
                           inputs: NaN, +-infinity, the largest and smallest numbers, values
                           just inside and outside the table and plausible ones; the same seed
                           gives the same values. At exit prints how many values were written
  --hostile-for SEC        return to sane values SEC real seconds after start (default: never)
  --ready-file PATH        write PATH once the blocks exist and the first record is written
  --help                   this text

Exit codes: 0 done, 1 the blocks could not be created, 2 bad command line.
)");
}

} // namespace korvanta::simulator
