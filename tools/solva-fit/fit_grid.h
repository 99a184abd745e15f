// Fitting of single grid points (Nelder-Mead over the continuous candidate
// parameters) and of whole correction tables.
#pragma once

#include <string>
#include <vector>

#include "dsp/correction_table.h"
#include "fit_eval.h"

namespace solva {

// A stored exact 0 dB host gain would stand for the band's gain.
constexpr float kZeroGainDb = 1e-6f;

// The largest band gains the effect sends: +-15 dB to the shelves, and to
// the bells up to about +-28.7 dB after the bell gain warp (at Q 7).
constexpr float kShelfGainRangeDb = 15.0f;
constexpr float kBellGainRangeDb = 29.0f;

// The band gain and Q a table's grid point stands for (a table without a
// gain or Q axis: 0 dB, Q 0.7).
inline float gridGain(const CorrectionTable& t, int gi) { return t.numGain > 1 ? -30.0f + 2.0f * gi : 0.0f; }
inline float gridQ(const CorrectionTable& t, int qi) { return t.numQ > 1 ? t.qAxis[qi] : 0.7f; }

// Which continuous parameters a kind may retune.
struct FitAxes {
    bool freq = true, q = true, gain = false, outputGain = false;
};

// The axes of a kind: the first-order high-pass keeps its Q, the bells and
// shelves also retune their gain and band output gain.
FitAxes axesForKind(int kind);

// Optimises the continuous parameters of start (length and sinc index fixed).
Trial optimiseTrial(const FitPoint& p, const Trial& start, const FitAxes& axes, int evaluations, FitError& err);

// Best trial over the candidate lengths for one point; warm is the
// neighbour's solution used as a starting point.
Trial fitGridPoint(const FitPoint& p, const FitAxes& axes, const std::vector<int>& lengths, const Trial* warm,
                   FitError& err);

struct TableReport {
    double worstCorrected = 0.0, worstUncorrected = 0.0;
};

// Fits every entry of a table for the given kind (gainSign -1 for the low
// shelf set, looked up with the gain negated). threads >= 1.
std::vector<CorrectionEntry> fitTable(const CorrectionTable& table, int kind, int gainSign, int threads,
                                      TableReport& report);

struct RefineOptions {
    int threads = 2;
    int passes = 2;
    float maxGainDb = 15.0f;        // largest band gain the effect sends to the kind
    float (*maxGainAtQ)(float q) = nullptr;  // the same at one Q, where it depends on Q
    double goodEnoughCost = 0.12;   // neighbourhoods below this cost are left alone
    bool shorten = false;           // first try shorter kernels where the targets allow
    bool shortenSinc = false;       // ... and shorter sincs where no probe gets worse
    float minLength = 8.0f;         // shortest kernel shortening leaves
    float minQ = 0.0f, maxQ = 1e9f; // Q range the effect sends to the kind
    float denseFromHz = 0.0f;       // > 0: refine only rows from here, probing in quarter steps
    float fromQ = 0.0f;             // refine only entries at this Q or above
    float toQ = 1e9f;               // ... and at this Q or below
    bool denseQ = false;            // probe in quarter steps along Q as well
    bool peakOnly = false;          // minimise the neighbourhood's peak level error alone
};

// Improves entries whose interpolated neighbourhood is poor, judged through
// the engine's own lookup on the fitted entries (see fit_refine.cpp).
void refineTable(const CorrectionTable& axes, int kind, int gainSign, std::vector<CorrectionEntry>& entries,
                 const RefineOptions& options);

// Writes the generated C++ source with every table.
bool writeTablesSource(const std::string& path, const std::string& command,
                       const std::vector<std::pair<std::string, std::vector<CorrectionEntry>>>& tables);

}  // namespace solva
