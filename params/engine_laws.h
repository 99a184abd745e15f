// Engine-side laws: the high-pass and low-pass Q the engine receives for a
// normalised quality at a given frequency, and the bell gain warp from a
// nominal gain and Q to the engine gain. These differ from the display laws.
// Pure functions, any thread.
//
// Band kinds per switch position (see dsp/band_kind.h for the constants):
// high-pass 6/12 dB -> kinds 2/3, low-pass 6/12 dB -> kinds 6/7, bells and
// Air -> kind 14, high shelf -> kind 10, low shelf -> kind 13.
#pragma once

namespace solva {

// Piecewise-linear over five equally spaced breakpoints at norm 0, .25, .5,
// .75, 1 (clamped outside 0..1).
float fiveBreakpointLaw(const float (&table)[5], float norm);

// Q for the high-pass band: blends the laws at 20, 1000 and 10000 Hz.
float highPassEngineQ(float qNorm, float freqHz);
// Q for the low-pass band: blends the laws at 20, 100, 200, 1000, 10000 and
// 20000 Hz.
float lowPassEngineQ(float qNorm, float freqHz);
// Engine gain (dB) of a bell at nominal gainDb (-15..15) and quality qFactor.
float bellGainWarp(float gainDb, float qFactor);

}  // namespace solva
