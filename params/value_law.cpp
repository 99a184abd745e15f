#include "params/value_law.h"

namespace solva {

namespace {

constexpr float kFrequencyHz[23] = {
    20.0f,   30.0f,   45.0f,   60.0f,    80.0f,    100.0f,   140.0f,   200.0f,
    300.0f,  500.0f,  700.0f,  1000.0f,  1500.0f,  2000.0f,  3000.0f,  5000.0f,
    7000.0f, 8500.0f, 10000.0f, 12000.0f, 14000.0f, 17000.0f, 20000.0f,
};
constexpr float kFilterQ[5] = {0.05f, 0.1f, 0.7f, 2.35f, 4.0f};
constexpr float kBellQ[7] = {0.1f, 0.2f, 0.5f, 1.0f, 1.7f, 3.5f, 7.0f};
constexpr float kShelfQ[7] = {0.3f, 0.4f, 0.52f, 0.7f, 1.0f, 1.4f, 2.0f};
// Outer steps are 1.72 dB, inner ones 1.66 dB.
constexpr float kGainDb[19] = {
    -15.0f, -13.28f, -11.62f, -9.96f, -8.3f, -6.64f, -4.98f, -3.32f, -1.66f, 0.0f,
    1.66f,  3.32f,   4.98f,   6.64f,  8.3f,  9.96f,  11.62f, 13.28f, 15.0f,
};
constexpr float kAirGainDb[9] = {-15.0f, -10.0f, -5.0f, -2.0f, 0.0f, 2.0f, 5.0f, 10.0f, 15.0f};
constexpr float kIdentity[2] = {0.0f, 1.0f};

}  // namespace

const ValueLaw kFrequencyLaw = {23, kFrequencyHz};
const ValueLaw kHpFrequencyLaw = {19, kFrequencyHz};
const ValueLaw kFilterQLaw = {5, kFilterQ};
const ValueLaw kBellQLaw = {7, kBellQ};
const ValueLaw kShelfQLaw = {7, kShelfQ};
const ValueLaw kGainLaw = {19, kGainDb};
const ValueLaw kAirGainLaw = {9, kAirGainDb};
const ValueLaw kIdentityLaw = {2, kIdentity};

float lawToPhysical(float x, int n, const float* table) {
    if (x >= 1.0f) return table[n - 1];
    if (!(x > 0.0f)) return table[0];  // also catches NaN
    const float t = x * static_cast<float>(n - 1);
    const int i = static_cast<int>(t);
    if (i >= n - 1) return table[n - 1];
    const float f = t - static_cast<float>(i);
    return table[i] * (1.0f - f) + table[i + 1] * f;
}

float lawToNormalised(float p, int n, const float* table) {
    if (p >= table[n - 1]) return 1.0f;
    if (!(p >= table[0])) return 0.0f;  // below the range, or NaN
    int i = 1;
    while (i < n - 1 && !(table[i] > p)) ++i;
    const float below = table[i - 1];
    const float pos = static_cast<float>(i - 1) + (p - below) / (table[i] - below);
    return pos / static_cast<float>(n - 1);
}

float snapPhysical(float p, int n, const float* table, int* indexOut) {
    const float q = p + 0.01f;
    int chosen;
    if (q >= table[n - 1]) {
        chosen = n - 1;
    } else if (!(q > table[0])) {
        chosen = 0;
    } else {
        int i = 1;
        while (i < n - 1 && !(table[i] > q)) ++i;
        chosen = i - 1;
    }
    if (indexOut) *indexOut = chosen;
    return table[chosen];
}

}  // namespace solva
