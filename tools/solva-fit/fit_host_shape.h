// Host-shaped entries: a table whose host section alone, reshaped, follows
// the prototype better than any kernel towards the 4 fs reference can.
#pragma once

#include <algorithm>
#include <vector>

#include "dsp/correction_table.h"
#include "fit_eval.h"

namespace solva {

struct HostShapeReport {
    double worstDb = 0.0, worstRmsDb = 0.0, worstPhaseDeg = 0.0;  // over every probe

    void add(const FitError& e) {
        worstDb = std::max(worstDb, e.magDb);
        worstRmsDb = std::max(worstRmsDb, e.rmsDb);
        worstPhaseDeg = std::max(worstPhaseDeg, e.phaseLowDeg);
    }
};

// The first-order high-pass table (kind 2). The 4 fs first-order reference
// itself departs from s/(s + w) far below the corner by more than a decibel
// at the top of the range, and a kernel towards it inherits that. Instead
// each entry turns the host section into a low shelf whose floor lies
// 160 dB down: s (s + a) / (s^2 + s w/Q + w^2) after the bilinear
// transform, a second-order section with a zero at DC whose other zero,
// poles and corner are fitted; no kernel. The fit covers 20 Hz at every rate
// up to 192 kHz (4.6 Hz at 44.1 kHz) and judges each entry through the
// engine's own lookup, at its breakpoint and a quarter, half and three
// quarters of the way to each neighbour.
std::vector<CorrectionEntry> fitHighPass1HostShape(const CorrectionTable& axes, HostShapeReport& report);

// A shelf table (frequency x Q x gain) for the shelf kind fitted to it
// (gainSign -1 for the low shelves, looked up with the gain negated). The
// kind's own section, with its corner, Q, numerator Q2, gain and the band
// output gain retuned per entry, follows the analog shelf closer than a
// kernel towards the 4 fs reference does (whose fractional delay costs
// phase); no kernel. The entries are fitted at their breakpoints in order
// of Q and frequency, each starting from (and lightly pulled towards) its
// neighbours' shapes, so that they form one smooth family for the lookup's
// interpolation; solva-fit --write then refines them through the lookup.
std::vector<CorrectionEntry> fitShelfHostShape(const CorrectionTable& axes, int kind, int gainSign, int threads,
                                               HostShapeReport& report);

// The bell table (kind 14). Each entry plays the plain high shelf's section
// instead of the bell's: the bell's own shape at 0 dB shelf gain, where the
// shelf's gain, its numerator Q2, corner, Q and the band output gain are
// five free coefficients of one second-order section. The bilinear bell
// returns to 0 dB at the Nyquist frequency; this one follows the analog
// skirt there and has no kernel (whose 4 fs reference departs from the
// analog bell by up to half a decibel). Fitted like the shelves, over the
// band gains the bell gain warp sends (up to about +-28.7 dB at Q 7).
std::vector<CorrectionEntry> fitBellHostShape(const CorrectionTable& axes, int threads, HostShapeReport& report);

// The low-shelf table from the high-shelf one. A low shelf of gain g is the
// high shelf of gain -g scaled by g, in the analog prototypes and in the
// designs alike (the lowered and the raised corner move by the same factor),
// and the low shelves are looked up with their gain negated: each entry is
// the high shelf's, its band output gain scaled by the offset of its host
// gain from the breakpoint's gain, which the mirrored section turns into a
// level step.
std::vector<CorrectionEntry> mirrorShelfEntries(const CorrectionTable& axes, const std::vector<CorrectionEntry>& highShelf);

}  // namespace solva
