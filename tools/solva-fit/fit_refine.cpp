// Refinement of a fitted table through the engine's own lookup: an entry
// whose neighbourhood (its grid point and the midpoints towards each
// neighbour, where the lookup interpolates) shows a large error is retried
// with its host values untouched and with its sinc centre moved, keeping
// whichever gives the smallest error over that neighbourhood.
#include <algorithm>
#include <cmath>
#include <vector>

#include "dsp/band_plan.h"
#include "fit_eval.h"
#include "fit_grid.h"

namespace solva {
namespace {

constexpr float kRate = 44100.0f;
constexpr int kFreqs = 120;  // as dense as --verify: narrow high-Q errors must show
constexpr double kSuspectDb = 0.2;

struct Refiner {
    CorrectionTable table;
    std::vector<CorrectionEntry>& entries;
    int kind, gainSign;

    float gridGain(int gi) const { return table.numGain > 1 ? -30.0f + 2.0f * gi : 0.0f; }
    float gridQ(int qi) const { return table.numQ > 1 ? table.qAxis[qi] : 0.7f; }

    double errorAt(float f, float q, float tableGain) const {
        const float g = gainSign * tableGain;
        const FitPoint p = makeFitPoint(kind, f, q, g, kRate, kFreqs);
        BandPlan plan = baseBandPlan(kind, f, q, g);
        CorrectionRequest r = lookupCorrection(table, f, q, gainSign < 0 ? -g : g, 1.0f);
        if (gainSign < 0) r.gainDb = -r.gainDb;
        applyCorrection(plan, r);
        finishBandPlan(plan, kRate);
        return evaluatePlan(p, plan).magDb;
    }

    // Errors at the grid point and the midpoints around it.
    std::vector<double> localErrors(int fi, int qi, int gi) const {
        const float f = table.freqAxisHz[fi], q = gridQ(qi), g = gridGain(gi);
        std::vector<double> e{errorAt(f, q, g)};
        for (int d : {-1, 1}) {
            const int nf = fi + d;
            if (nf >= 0 && nf < table.numFreq) e.push_back(errorAt(0.5f * (f + table.freqAxisHz[nf]), q, g));
            const int nq = qi + d;
            if (table.numQ > 1 && nq >= 0 && nq < table.numQ) e.push_back(errorAt(f, 0.5f * (q + table.qAxis[nq]), g));
            const int ng = gi + d;
            if (table.numGain > 1 && ng >= 0 && ng < table.numGain && std::fabs(g + d) <= 16.0f)
                e.push_back(errorAt(f, q, g + d));
        }
        return e;
    }

    // A candidate must lower the neighbourhood's largest error without
    // pushing any single point above both its old error and kSuspectDb.
    void refineEntry(int fi, int qi, int gi) {
        const int idx = (fi * table.numQ + qi) * table.numGain + gi;
        CorrectionEntry& e = entries[static_cast<size_t>(idx)];
        if (e.length <= 0) return;
        const std::vector<double> before = localErrors(fi, qi, gi);
        double best = *std::max_element(before.begin(), before.end());
        if (best <= kSuspectDb) return;
        const CorrectionEntry original = e;
        CorrectionEntry bestEntry = e;
        CorrectionEntry untuned = e;
        untuned.freqHz = table.freqAxisHz[fi];
        if (table.numQ > 1) untuned.qFactor = untuned.q2Factor = gridQ(qi);
        if (table.threeAxis()) {
            untuned.gainDb = gridGain(gi) == 0.0f ? 1e-6f : gridGain(gi);
            untuned.outputGain = 1.0f;
        }
        std::vector<CorrectionEntry> candidates;
        for (const CorrectionEntry& base : {original, untuned}) {
            CorrectionEntry c = base;
            for (float dp : {0.0f, -0.03f, -0.015f, -0.005f, 0.005f, 0.015f, 0.03f}) {
                c = base;
                c.sincCentre += dp;
                candidates.push_back(c);
            }
            for (float df : {-0.2f, -0.1f, 0.1f, 0.2f}) {
                c = base;
                c.flatFraction = std::clamp(c.flatFraction + df, 0.0f, 1.0f);
                candidates.push_back(c);
            }
            for (float kf : {0.99f, 0.995f, 1.005f, 1.01f}) {
                c = base;
                c.freqHz *= kf;
                candidates.push_back(c);
            }
            if (table.numQ > 1)
                for (float kq : {0.95f, 1.05f}) {
                    c = base;
                    c.qFactor *= kq;
                    c.q2Factor *= kq;
                    candidates.push_back(c);
                }
            if (table.threeAxis())
                for (float og : {0.99f, 1.01f}) {
                    c = base;
                    c.outputGain *= og;
                    candidates.push_back(c);
                }
        }
        for (const CorrectionEntry& candidate : candidates) {
                e = candidate;
                const std::vector<double> now = localErrors(fi, qi, gi);
                bool allowed = true;
                for (size_t i = 0; i < now.size(); ++i)
                    if (now[i] > std::max(before[i], kSuspectDb) + 1e-4) allowed = false;
                const double worst = *std::max_element(now.begin(), now.end());
                if (allowed && worst < best - 1e-4) {
                    best = worst;
                    bestEntry = e;
                }
            }
        e = bestEntry;
    }
};

}  // namespace

void refineTable(const CorrectionTable& axes, int kind, int gainSign, std::vector<CorrectionEntry>& entries) {
    Refiner r{axes, entries, kind, gainSign};
    r.table.entries = entries.data();
    for (int pass = 0; pass < 3; ++pass)
        for (int fi = axes.numFreq - 1; fi >= 0; --fi)
            for (int qi = 0; qi < axes.numQ; ++qi)
                for (int gi = 0; gi < axes.numGain; ++gi) {
                    if (axes.numGain > 1 && std::fabs(r.gridGain(gi)) > 16.0f && kind != 14) continue;
                    r.refineEntry(fi, qi, gi);
                }
}

}  // namespace solva
