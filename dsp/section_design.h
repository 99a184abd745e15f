// Section design: analog prototypes, pre-warping and the bilinear transform.
// Pure functions; the arithmetic runs in long double, results are stored as
// doubles in a CoefficientSet.
#pragma once

#include "dsp/coefficient_set.h"

namespace solva {

// tan(pi f / fd) * fd / pi, in single precision.
float prewarpHz(float freqHz, float designRateHz);

// In place: maps a prototype (denominator s^0..s^2, numerator s^0..s^2) to
// 1, a1, a2, b0, b1, b2 at the design rate.
void bilinearTransform(CoefficientSet& set, long double designRateHz);

// Designs one section of the given type at designRateHz (the host rate, or
// four times it for the reference design). numeratorScaling is the
// first-order numerator scaling of band kinds 15..18. Types outside 2..15
// leave dest unchanged.
void designPrototype(const SectionDesign& rec, CoefficientSet& dest, float designRateHz,
                     bool numeratorScaling);

// Fixed first-order gain factors of a band: 10^0.15 and 10^0.075.
constexpr double kFirstOrderGainA = 1.4125375446227544;
constexpr double kFirstOrderGainB = 1.1885022274370185;

}  // namespace solva
