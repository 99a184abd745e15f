#include "params/engine_laws.h"

#include <cmath>

namespace solva {
namespace {

const float kHighPassQ20[5] = {0.05f, 0.1f, 0.7f, 6.35f, 12.0f};
const float kHighPassQ1000[5] = {0.05f, 0.375f, 0.7f, 2.35f, 4.0f};
const float kHighPassQ10000[5] = {0.5f, 0.6f, 0.7f, 1.35f, 2.0f};

const float kLowPassQ[6][5] = {
    {0.5f, 0.75f, 1.0f, 7.0f, 12.0f},     // 20 Hz
    {0.1f, 0.4f, 0.7f, 2.35f, 4.0f},      // 100 Hz
    {0.05f, 0.375f, 0.7f, 2.35f, 4.0f},   // 200 Hz
    {0.05f, 0.375f, 0.7f, 2.35f, 4.0f},   // 1000 Hz
    {0.05f, 0.375f, 0.7f, 1.85f, 3.0f},   // 10000 Hz
    {0.05f, 0.375f, 0.7f, 1.35f, 2.0f},   // 20000 Hz
};
const float kLowPassFreqHz[6] = {20.0f, 100.0f, 200.0f, 1000.0f, 10000.0f, 20000.0f};

const float kWarpGainAxis[9] = {-15, -10, -5, -2.5f, 0, 2.5f, 5, 10, 15};
const float kWarpQAxis[11] = {0.05f, 0.1f, 0.2f, 0.3f, 0.5f, 0.7f, 1.0f, 2.0f, 3.0f, 5.0f, 7.0f};
const float kWarp[9][11] = {
    {-9.0f, -9.37f, -10.13f, -11.0f, -12.69f, -14.17f, -15.99f, -19.63f, -22.51f, -25.97f, -28.7f},
    {-6.0f, -6.36f, -6.99f, -7.73f, -9.19f, -10.51f, -12.19f, -16.04f, -18.5f, -21.7f, -23.84f},
    {-3.0f, -3.3425f, -3.775f, -4.275f, -5.3125f, -6.29f, -7.6025f, -10.9225f, -13.2075f, -16.305f,
     -18.405f},
    {-1.0f, -1.621f, -1.864f, -2.119f, -2.678f, -3.228f, -4.016f, -6.266f, -8.037f, -10.641f, -12.491f},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {2.0f, 2.29f, 2.55f, 2.84f, 3.41f, 3.95f, 4.67f, 6.45f, 7.73f, 9.5f, 10.77f},
    {4.0f, 4.38f, 4.79f, 5.24f, 6.12f, 6.89f, 7.85f, 10.16f, 11.72f, 13.838f, 15.312f},
    {7.0f, 7.185f, 7.7175f, 8.2975f, 9.3425f, 10.2225f, 11.3f, 13.705f, 15.705f, 17.295f, 18.675f},
    {10.0f, 10.295f, 10.945f, 11.635f, 12.85f, 13.83f, 15.0f, 17.54f, 19.15f, 21.23f, 22.64f},
};

// Scanning from the last entry down: the first entry at or below v (entry 0
// when none is), its successor, and the fraction; hi == lo at the top.
void bracket(const float* axis, int count, float v, int& lo, int& hi, float& t) {
    lo = 0;
    for (int i = count - 1; i >= 0; --i) {
        if (axis[i] <= v) {
            lo = i;
            break;
        }
    }
    hi = lo + 1;
    if (hi >= count) {
        hi = lo;
        t = 0.0f;
        return;
    }
    t = (v - axis[lo]) / (axis[hi] - axis[lo]);
}

float blend(float a, float b, float t) { return a * (1.0f - t) + b * t; }

}  // namespace

float fiveBreakpointLaw(const float (&table)[5], float x) {
    if (x >= 1.0f) return table[4];
    if (!(x > 0.0f)) return table[0];
    const float t = x * 4.0f;
    const int i = static_cast<int>(t);
    const float f = t - static_cast<float>(i);
    return table[i] * (1.0f - f) + table[i + 1] * f;
}

float highPassEngineQ(float x, float f) {
    if (!(f >= 20.0f)) return fiveBreakpointLaw(kHighPassQ20, x);
    if (f < 1000.0f)
        return blend(fiveBreakpointLaw(kHighPassQ20, x), fiveBreakpointLaw(kHighPassQ1000, x), (f - 20.0f) / 980.0f);
    return blend(fiveBreakpointLaw(kHighPassQ1000, x), fiveBreakpointLaw(kHighPassQ10000, x),
                 (f - 1000.0f) / 9000.0f);
}

float lowPassEngineQ(float x, float f) {
    if (!(f >= kLowPassFreqHz[0])) return fiveBreakpointLaw(kLowPassQ[0], x);
    int seg = 0;
    while (seg < 4 && f >= kLowPassFreqHz[seg + 1]) ++seg;
    const float t = (f - kLowPassFreqHz[seg]) / (kLowPassFreqHz[seg + 1] - kLowPassFreqHz[seg]);
    return blend(fiveBreakpointLaw(kLowPassQ[seg], x), fiveBreakpointLaw(kLowPassQ[seg + 1], x), t);
}

float bellGainWarp(float g, float q) {
    int qlo, qhi, glo, ghi;
    float tq, tg;
    bracket(kWarpQAxis, 11, q, qlo, qhi, tq);
    bracket(kWarpGainAxis, 9, g, glo, ghi, tg);
    const float upper = (1.0f - tq) * kWarp[ghi][qlo] + tq * kWarp[ghi][qhi];
    const float lower = (1.0f - tq) * kWarp[glo][qlo] + tq * kWarp[glo][qhi];
    return tg * upper + (1.0f - tg) * lower;
}

}  // namespace solva
