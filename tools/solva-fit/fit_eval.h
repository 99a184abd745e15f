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
};

FitPoint makeFitPoint(int kind, float freqHz, float qFactor, float gainDb, float sampleRateHz, int numFreqs);

struct FitError {
    double magDb;     // max |dB error|
    double phaseDeg;  // max |phase error| in degrees
    double cost;      // objective
};

FitError evaluateTrial(const FitPoint& p, const Trial& t);

struct BandPlan;
// The response of a complete plan (host section, kernel, output gain), as
// the engine plays it, against the point's prototype.
FitError evaluatePlan(const FitPoint& p, const BandPlan& plan);

}  // namespace solva
