// Value laws: breakpoint tables that map a normalised parameter value 0..1
// to a physical value (Hz, quality factor, dB) by piecewise-linear
// interpolation, and back. A table of N breakpoints places them at the
// normalised positions 0, 1/(N-1), ..., 1.
//
// Everything here is pure single-precision arithmetic on constant tables:
// callable from any thread, including the audio thread.
#pragma once

namespace solva {

// A breakpoint table with its length (N >= 2). Also used for snap tables,
// where the entries are the allowed physical values in ascending order.
struct ValueLaw {
    int count;
    const float* table;
};

// Normalised x -> physical value. x <= 0 gives the first breakpoint, x >= 1
// the last; in between, linear interpolation between neighbouring breakpoints.
float lawToPhysical(float x, int n, const float* table);

// Physical p -> normalised value, the inverse of lawToPhysical inside the
// table's range; clamps to 0.0 below the first and to 1.0 at or above the
// last breakpoint. A NaN gives 0.0.
float lawToNormalised(float p, int n, const float* table);

// Rounds p down to an entry of an ascending table, with a tolerance of
// 0.01 physical units (p + 0.01f is compared). Values at or below the first
// entry give the first, at or above the last give the last. The chosen
// entry's position goes to *indexOut when given.
float snapPhysical(float p, int n, const float* table, int* indexOut = nullptr);

inline float lawToPhysical(float x, const ValueLaw& l) { return lawToPhysical(x, l.count, l.table); }
inline float lawToNormalised(float p, const ValueLaw& l) { return lawToNormalised(p, l.count, l.table); }
inline float snapPhysical(float p, const ValueLaw& l, int* indexOut = nullptr) {
    return snapPhysical(p, l.count, l.table, indexOut);
}

// Frequency, 23 breakpoints, 20..20000 Hz (bands 1..5, low-pass).
extern const ValueLaw kFrequencyLaw;
// High-pass frequency: the first 19 frequency breakpoints, 20..10000 Hz.
extern const ValueLaw kHpFrequencyLaw;
// High-pass and low-pass quality factor, 0.05..4.0.
extern const ValueLaw kFilterQLaw;
// Bell quality factor, 0.1..7.0.
extern const ValueLaw kBellQLaw;
// Shelf quality factor (bands 1 and 5 in shelf mode), 0.3..2.0.
extern const ValueLaw kShelfQLaw;
// Band gain and general volume, -15..+15 dB.
extern const ValueLaw kGainLaw;
// Air band gain, -15..+15 dB with finer steps around 0 dB.
extern const ValueLaw kAirGainLaw;
// Identity 0..1, for indices without a physical unit.
extern const ValueLaw kIdentityLaw;

}  // namespace solva
