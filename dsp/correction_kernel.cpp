#include "dsp/correction_kernel.h"

#include <cmath>

namespace solva {
namespace {
constexpr double kPi = 3.141592653589793;
}

void buildWindowedSinc(float* sinc, int n, float sincCentre) {
    const double p = static_cast<double>(sincCentre) - 0.125;
    const double cc = ((n - 7) + 16.0 * p) / 2.0;
    for (int k = 0; k < n; ++k) {
        double s = 1.0;
        if (static_cast<double>(k) != cc) {
            const double v = (k - cc) * kPi / 4.0;
            s = std::sin(v) / v;
        }
        const double u = (k - p) / (n - 1);
        const double w = 0.42 - 0.5 * std::cos(2.0 * kPi * u) + 0.08 * std::cos(4.0 * kPi * u);
        sinc[k] = static_cast<float>(s * w);
    }
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
