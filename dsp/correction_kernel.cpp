#include "dsp/correction_kernel.h"

#include <cmath>

namespace solva {
namespace {
constexpr double kPi = 3.141592653589793;
}

// The sinc's argument advances by a quarter of pi per tap and the window's
// by a fixed angle, so one sine/cosine pair for each and exact quarter-turn
// values or rotations give every tap: the per-tap sin and cos values to
// double rounding, at a fraction of their cost (the design step builds this
// sinc on the audio thread whenever a band's settings move). Taps go in
// blocks of eight, whose quarter-turn values repeat and whose window angles
// are the block's start turned by 0..7 steps, so a block's taps do not
// wait on each other.
void buildWindowedSinc(float* sinc, int n, float sincCentre) {
    constexpr int kBlock = 8;
    const double p = static_cast<double>(sincCentre) - 0.125;
    const double cc = ((n - 7) + 16.0 * p) / 2.0;
    // sin((k - cc) pi / 4) = sin(v0) cos(k pi / 4) + cos(v0) sin(k pi / 4).
    constexpr double kHalfRoot2 = 0.70710678118654752440;
    static constexpr double kCosQuarter[kBlock] = {1, kHalfRoot2, 0, -kHalfRoot2, -1, -kHalfRoot2, 0, kHalfRoot2};
    static constexpr double kSinQuarter[kBlock] = {0, kHalfRoot2, 1, kHalfRoot2, 0, -kHalfRoot2, -1, -kHalfRoot2};
    const double v0 = -cc * kPi / 4.0;
    const double sinV0 = std::sin(v0), cosV0 = std::cos(v0);
    double sincNumerator[kBlock];
    for (int j = 0; j < kBlock; ++j) sincNumerator[j] = sinV0 * kCosQuarter[j] + cosV0 * kSinQuarter[j];
    // Blackman window at u = (k - p) / (n - 1) from its angle 2 pi u;
    // cos(4 pi u) = 2 cos^2(2 pi u) - 1.
    const double step = 2.0 * kPi / (n - 1);
    double cosTurn[kBlock + 1], sinTurn[kBlock + 1];  // j steps, j = 0..8
    cosTurn[0] = 1.0;
    sinTurn[0] = 0.0;
    cosTurn[1] = std::cos(step);
    sinTurn[1] = std::sin(step);
    for (int j = 2; j <= kBlock; ++j) {
        cosTurn[j] = cosTurn[j - 1] * cosTurn[1] - sinTurn[j - 1] * sinTurn[1];
        sinTurn[j] = sinTurn[j - 1] * cosTurn[1] + cosTurn[j - 1] * sinTurn[1];
    }
    double c = std::cos(-p * step), s = std::sin(-p * step);  // at the block's first tap
    auto tap = [&](int k, int j) {
        const double v = (k - cc) * kPi / 4.0;
        const double value = static_cast<double>(k) == cc ? 1.0 : sincNumerator[j] / v;
        const double angleCos = c * cosTurn[j] - s * sinTurn[j];
        const double w = 0.42 - 0.5 * angleCos + 0.08 * (2.0 * angleCos * angleCos - 1.0);
        sinc[k] = static_cast<float>(value * w);
    };
    int base = 0;
    for (; base + kBlock <= n; base += kBlock) {
        for (int j = 0; j < kBlock; ++j) tap(base + j, j);
        const double turned = c * cosTurn[kBlock] - s * sinTurn[kBlock];
        s = s * cosTurn[kBlock] + c * sinTurn[kBlock];
        c = turned;
    }
    for (int j = 0; base + j < n; ++j) tap(base + j, j);
}

static inline double flushTiny(double v) { return std::fabs(v) < 1e-38 ? 0.0 : v; }

void hostImpulseResponse(const CoefficientSet& c, float* h, int length) {
    double y1 = 0.0, y2 = 0.0;
    for (int n = 0; n < length; ++n) {
        double b = 0.0;
        if (n == 0) b = c.b0();
        else if (n == 1) b = c.b1();
        else if (n == 2) b = c.b2();
        const double y = flushTiny(b - c.a1() * y1 - c.a2() * y2);
        h[n] = static_cast<float>(y);
        y2 = y1;
        y1 = y;
    }
}

int referenceResponse(const CoefficientSet& c, const float* sinc, int n, int length, float* ref) {
    int count = 8 * length > n ? 8 * length : n;
    if (count > kReferenceBufferLength) count = kReferenceBufferLength;
    long double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    for (int i = 0; i < count; ++i) {
        const long double x = i < n ? sinc[i] : 0.0f;
        long double y = c.b0() * x + c.b1() * x1 + c.b2() * x2 - c.a1() * y1 - c.a2() * y2;
        if (std::fabs(y) < 1e-38L) y = 0;
        ref[i] = static_cast<float>(y);
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
    }
    return count;
}

void buildKernelWindow(float* window, int length, float flatFraction) {
    float q = flatFraction < 0.0f ? 0.0f : (flatFraction > 1.0f ? 1.0f : flatFraction);
    const int flat = static_cast<int>(std::floor(length * q));
    for (int k = 0; k < flat && k < length; ++k) window[k] = 1.0f;
    const int m = length - flat;
    for (int j = 0; j < m; ++j) {
        const double u = 0.5 * j + 0.5 * m;
        window[flat + j] = static_cast<float>(0.42 - 0.5 * std::cos(2.0 * kPi * u / m) +
                                              0.08 * std::cos(4.0 * kPi * u / m));
    }
}

void buildKernel(float* kernel, const float* ref, int n, const float* h, const float* window, int length) {
    const int start = (n - 1) / 2;
    for (int i = 0; i < length; ++i) kernel[i] = (ref[start + 4 * i] - h[i]) * window[i];
}

}  // namespace solva
