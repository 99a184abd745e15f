// Evaluation of one correction candidate: designs the band exactly as the
// engine does (host section, reference at 4 fs, windowed sinc, kernel) and
// measures its frequency response against the analog prototype.
#pragma once

#include <complex>
#include <vector>

namespace solva {

// A candidate's parameters, relative to the band's own settings.
struct Trial {
    int length = 0;       // kernel length
    int sincIndex = 12;   // 0..13
    double centre = 0.5;  // sinc centre parameter
    double flat = 0.5;    // window flat fraction
    double freqRatio = 1.0;
    double qRatio = 1.0;
    double gainDeltaDb = 0.0;
    double outputGain = 1.0;
};

struct FitPoint {
    int kind;
    float freqHz, qFactor, gainDb;
    float sampleRateHz;
    std::vector<double> freqs;                 // evaluation frequencies (Hz)
    std::vector<std::complex<double>> analog;  // prototype at freqs
    int logCount;                              // the first logCount freqs are log-spaced
};

// numFreqs log-spaced points from 20 Hz to min(20 kHz, just below fs/2),
// then, when topStepHz > 0, points topStepHz apart over the top 40 % of that
// range (they count in the peak error, not in the RMS).
FitPoint makeFitPoint(int kind, float freqHz, float qFactor, float gainDb, float sampleRateHz, int numFreqs,
                      double topStepHz = 0.0);

struct FitError {
    double magDb = 0.0;        // max |dB error|
    double phaseDeg = 0.0;     // max |phase error| in degrees
    double cost = 0.0;         // objective
    double rmsDb = 0.0;        // RMS of the dB error over the points
    double phaseLowDeg = 0.0;  // max |phase error| up to 10 kHz
};

// The fitting objective over the three accuracy targets (peak, RMS, phase)
// for a band of the given kind.
double targetCost(const FitError& e, int kind);

FitError evaluateTrial(const FitPoint& p, const Trial& t);

struct BandPlan;
// The response of a complete plan (host section, kernel, output gain), as
// the engine plays it, against the point's prototype.
FitError evaluatePlan(const FitPoint& p, const BandPlan& plan);

}  // namespace solva
