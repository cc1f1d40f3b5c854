#pragma once
// Single-phase power and signal statistics over the data table, shared by all channels.
//
// Every operation takes the 0-based input index (input number m - 1) and the tick's view of the
// blocks. Inputs are checked by hasInputs(): an operation whose inputs do not exist in a record
// reads nothing, changes nothing and returns 0. A tick without data gives the guarded results:
// means, RMS and crest 0, periodMs and delayMs -1, and a power of 0.

#include "acquisition/tick_view.h"
#include "monitor/deviation_sums.h"

#include <cstdint>

namespace korvanta::monitor {

class Moc1fazy {
public:
    float Urms = 0;      // RMS of the voltage input over the buffer
    float Irms = 0;      // RMS of the current input over the buffer
    float direction = 0; // +1, -1 or 0, from the inputs m + 2 and m + 4
    double phase = 0;    // current against voltage, radians
    double phaseDegrees = 0;
    double delayMs = 0;  // mean delay between the zero crossings, with the fixed offset
    double periodMs = 0; // mean voltage period
    double frequencyHz = 0;
    double S = 0;
    double P = 0;
    double Q = 0;
    double rms = 0;   // last RMS of deviations
    double crest = 0; // last largest positive deviation / rms
    double vRatio = 0;
    std::int32_t window = 0; // moving-average length of vibrationStats; 0 means 50
    double movingAverageCarry = 0;
    double tU = -1; // crossing-time registers, day numbers; -1 means none
    double tUprev = 0;
    double tI = -1;

    // Mean over a walk of N visits.
    double meanOfBuffer(int inputIndex, const acquisition::TickView& tick) const;
    // Mean over a walk of L visits; 0 when L is not positive.
    double meanOfWindow(int inputIndex, const acquisition::TickView& tick, std::int64_t L) const;
    // RMS of the deviations from the window mean over L visits; sets rms and crest.
    double rmsOfWindow(int inputIndex, const acquisition::TickView& tick, std::int64_t L);
    // rms, crest and vRatio of the whole buffer with the current window; returns rms.
    double vibrationStats(int inputIndex, const acquisition::TickView& tick);
    // Crest over N - 1 visits, the mean and RMS divided by N; sets rms and crest, returns crest.
    double crestOfBuffer(int inputIndex, const acquisition::TickView& tick);
    // Zero-crossing power analysis of voltage input m and current input m + 1. The direction
    // (inputs m + 2, m + 4) is only updated when input m + 4 exists.
    void computePower(int inputIndex, const acquisition::TickView& tick);
    // The same on the voltage and current with their whole-buffer means removed.
    void computePowerZeroMean(int inputIndex, const acquisition::TickView& tick);

    // The results of the statistics from what their walks summed, shared by the walks above and
    // by the fused walk of a whole tick, so that both finish with the same arithmetic.
    // rms and crest of deviations over `count` samples (0 when not usable); returns rms.
    double takeDeviations(const Deviations& sums, double count, bool usable);
    // rms, crest, vRatio and the carried average of a vibration walk over n records; returns rms.
    double takeVibration(const VibrationSums& sums, int n);

private:
    void analysePower(int inputIndex, const acquisition::TickView& tick, double meanU,
                      double meanI);
};

} // namespace korvanta::monitor
