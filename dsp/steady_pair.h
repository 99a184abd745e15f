// One band slot on both channels in its steady state — a single main
// section with fixed coefficients, a settled correction kernel and a
// settled band output gain — run as one pass over a whole chunk: the two
// recursions side by side, the correction sums of each sixteen frames
// worked into the same loop (they depend only on the input, so they fill
// the time the recursions wait on their own results), then the correction
// and the gain applied as each frame leaves. Every value is computed as the
// separate steps compute it, so the results are the same bit for bit.
#pragma once

#include "dsp/biquad_section.h"

namespace solva {

struct SteadyChannel {
    BiquadSection* section;  // fixed coefficients, not the identity
    const float* kernel;     // null when the band has no correction
    const float* history;    // the chunk's input preceded by kernel length - 1 samples
    const float* in;
    float* out;              // may be in
    float gain;              // band output gain, applied when not 1
    // Written by the pass: the first frame's section output and the same
    // after the correction (before the gain), for the tiny-output guards.
    float firstSection;
    float firstCorrected;
};

constexpr int kSteadyPairFrames = 44;

// True when this processor has the fused pass.
bool steadyPairAvailable();

// Runs kSteadyPairFrames frames of both channels; both kernels (when
// present) have the given length, 0 meaning neither channel has one.
void runSteadyPair(SteadyChannel& a, SteadyChannel& b, int kernelLength);

}  // namespace solva
