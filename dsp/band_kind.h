// Band kinds (2..18): which sections and which correction table a band uses.
//
// Kind assignment for the user's choices (the effect's switches select these):
//   high-pass 6 dB/oct  -> kind 2  (first-order, corrected by frequency)
//   high-pass 12 dB/oct -> kind 3  (second-order, uncorrected)
//   low-pass 6 dB/oct   -> kind 6  (first-order, no correction needed)
//   low-pass 12 dB/oct  -> kind 7  (second-order, corrected by frequency x Q)
//   bell                -> kind 14 (Nyquist-matched peak, corrected)
//   Air                 -> kind 14 fed at 300000 Hz, Q 0: the bell above the
//                          correction table, realised by the correction alone
//   high shelf          -> kind 10 (shelf table set A)
//   low shelf           -> kind 13 (shelf table set B, looked up with the gain
//                          negated)
// Picking 10 and 13 gives each shelf direction its own tuned table set.
// Kinds 15..18 (band-pass pairs) are designed but not offered to the user.
#pragma once

namespace solva {

enum BandKind : int {
    kKindHighPass1 = 2,
    kKindHighPass2 = 3,
    kKindHighPass2Double = 5,
    kKindLowPass1 = 6,
    kKindLowPass2 = 7,
    kKindLowPass3 = 8,
    kKindLowPass4 = 9,
    kKindHighShelfA = 10,
    kKindLowShelfA = 11,
    kKindHighShelfB = 12,
    kKindLowShelfB = 13,
    kKindBell = 14,
    kKindBandPass6 = 15,
    kKindBandPass12 = 16,
    kKindBandPass18 = 17,
    kKindBandPass24 = 18,
};

// The kinds the effect selects per switch position.
constexpr int kKindHighPass6 = kKindHighPass1;
constexpr int kKindHighPass12 = kKindHighPass2;
constexpr int kKindLowPass6 = kKindLowPass1;
constexpr int kKindLowPass12 = kKindLowPass2;
constexpr int kKindPeak = kKindBell;
constexpr int kKindAir = kKindBell;
constexpr int kKindHighShelf = kKindHighShelfA;
constexpr int kKindLowShelf = kKindLowShelfB;

// Frequency sent for the Air band: far above every table, so the bell kind
// takes its correction-only path and never uses Q.
constexpr float kAirFreqHz = 300000.0f;

}  // namespace solva
