// Response analysis for tests and tools (not used on the audio path): the
// closed-form analog prototype of each band kind, the impulse response of an
// EqEngine measured through processChunk, and its DFT at chosen frequencies.
#pragma once

#include <complex>

#include "dsp/eq_engine.h"

namespace solva {

// The analog-match target of the corrected bands at 44.1 and 48 kHz (at
// 88.2 and 96 kHz: no worse than at 48 kHz), over 20 Hz .. 20 kHz.
constexpr double kTargetMaxDb = 0.6;      // largest |level error|
constexpr double kTargetMaxDbLow = 0.35;  // the same for f0 <= 10 kHz
constexpr double kTargetRmsDb = 0.05;     // RMS level error of a case
constexpr double kTargetPhaseDeg = 10.0;  // |phase error| up to 10 kHz

struct BandSetting {
    int slot;
    int kind;
    float freqHz;
    float gainDb;
    float qFactor;
};

// Analog prototype of a band kind at frequency fHz (unwarped, s = j 2 pi f).
// The bell above the correction table uses its reference bell and band gain.
std::complex<double> analogBandResponse(int kind, double fHz, float freqHz, float qFactor, float gainDb,
                                        float sampleRateHz);

// Sets the engine to sampleRateHz with the given bands enabled (all others
// off), waits until every band is active and its design and kernel
// crossfade have settled, clears the band memories and records the
// response to a unit impulse through processChunk on channel 0 (mono).
void measureImpulseResponse(EqEngine& engine, float sampleRateHz, const BandSetting* bands, int count,
                            float* response, int length);

// Sum of h[n] e^{-j 2 pi f n / fs}.
std::complex<double> dftAt(const float* h, int length, double fHz, double sampleRateHz);

inline double magnitudeDb(std::complex<double> v) { return 20.0 * std::log10(std::abs(v) + 1e-300); }

}  // namespace solva
