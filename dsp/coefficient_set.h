// CoefficientSet and SectionDesign: the data a band's recursive sections are
// designed from and into.
#pragma once

namespace solva {

// Six doubles. As produced by an analog prototype: denominator coefficients
// of s^0, s^1, s^2, then numerator coefficients of s^0, s^1, s^2. After the
// bilinear transform and normalisation: 1, a1, a2, b0, b1, b2 for
// y[n] = b0 x[n] + b1 x[n-1] + b2 x[n-2] - a1 y[n-1] - a2 y[n-2].
struct CoefficientSet {
    double v[6];

    double a1() const { return v[1]; }
    double a2() const { return v[2]; }
    double b0() const { return v[3]; }
    double b1() const { return v[4]; }
    double b2() const { return v[5]; }

    static CoefficientSet identity() { return {{1.0, 0.0, 0.0, 1.0, 0.0, 0.0}}; }
};

// Section design types (prototypes). Values outside 2..15 design nothing.
enum DesignType : int {
    kDesignHighPass1 = 2,
    kDesignHighPass2 = 3,
    kDesignLowPass1 = 4,
    kDesignLowPass2 = 5,
    kDesignHighShelfRaised = 6,
    kDesignHighShelf = 7,
    kDesignLowShelfLowered = 8,
    kDesignLowShelf = 9,
    kDesignPeak = 10,
    kDesignPeakNyquist = 11,
    kDesignPeakNyquistAnalogQ = 12,
    kDesignNotch = 13,
    kDesignNone = 14,
    kDesignBandPass = 15,
};

// One section's design inputs: type, frequency (Hz), Q, Q2, gain (dB).
struct SectionDesign {
    int type = kDesignNone;
    float freqHz = 1000.0f;
    float qFactor = 0.7f;
    float q2Factor = 0.7f;
    float gainDb = 0.0f;
};

}  // namespace solva
