#include "fit_host_shape.h"

#include <algorithm>
#include <cmath>

#include "dsp/band_kind.h"
#include "dsp/band_plan.h"
#include "dsp/coefficient_set.h"
#include "dsp/response_analysis.h"
#include "fit_eval.h"
#include "fit_simplex.h"

namespace solva {
namespace {

constexpr float kRate = 44100.0f;
constexpr double kLowestHz = 20.0 * 44100.0 / 192000.0;  // 20 Hz at 192 kHz
constexpr int kFreqs = 240;
// The shelf's floor: its DC zero sits this far down, below any level the
// prototype reaches over the band's range.
constexpr float kFloorDb = -160.0f;
constexpr int kPasses = 6;
constexpr int kEvaluations = 400;

// Shape parameters of one entry, as logarithms: corner relative to the
// breakpoint, Q, and the free zero relative to the corner.
struct Shape {
    double corner = 0.0, q = std::log(0.5), zero = 0.0;
};

double sqrtFloor() { return std::pow(10.0, kFloorDb / 40.0); }

CorrectionEntry toEntry(float f, const Shape& s) {
    CorrectionEntry e{};
    e.hostType = kDesignLowShelf;
    e.sincIndex = 12;
    e.length = 0.0f;
    e.sincCentre = 0.5f;
    e.flatFraction = 0.5f;
    e.freqHz = static_cast<float>(f * std::exp(s.corner));
    e.qFactor = static_cast<float>(std::exp(s.q));
    // Numerator s^2 + sqrt(G) s w/Q2 + G w^2: the free zero a = sqrt(G) w/Q2.
    e.q2Factor = static_cast<float>(sqrtFloor() / std::exp(s.zero));
    e.gainDb = kFloorDb;
    e.outputGain = 1.0f;
    return e;
}

FitPoint pointAt(float f) {
    FitPoint p = makeFitPoint(kKindHighPass1, f, 0.7f, 0.0f, kRate, kFreqs);
    const double hi = p.freqs.back();
    p.freqs.clear();
    p.analog.clear();
    for (int i = 0; i < kFreqs; ++i) {
        const double fr = kLowestHz * std::pow(hi / kLowestHz, static_cast<double>(i) / (kFreqs - 1));
        p.freqs.push_back(fr);
        p.analog.push_back(analogBandResponse(kKindHighPass1, fr, f, 0.7f, 0.0f, kRate));
    }
    p.logCount = kFreqs;
    return p;
}

struct Fitter {
    CorrectionTable table;
    std::vector<CorrectionEntry>& entries;
    std::vector<std::vector<FitPoint>> probes;  // per entry: its neighbourhood

    Fitter(const CorrectionTable& axes, std::vector<CorrectionEntry>& e) : table(axes), entries(e) {
        table.entries = entries.data();
        const int n = table.numFreq;
        probes.resize(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i) {
            const float f = table.freqAxisHz[i];
            probes[static_cast<size_t>(i)].push_back(pointAt(f));
            for (int side : {-1, 1}) {
                const int j = i + side;
                if (j < 0 || j >= n) continue;
                for (float t : {0.25f, 0.5f, 0.75f})
                    probes[static_cast<size_t>(i)].push_back(pointAt(f + t * (table.freqAxisHz[j] - f)));
            }
        }
    }

    FitError probeError(const FitPoint& p) const {
        BandPlan plan = baseBandPlan(kKindHighPass1, p.freqHz, p.qFactor, p.gainDb);
        applyCorrection(plan, lookupCorrection(table, p.freqHz, p.qFactor, 0.0f, 1.0f));
        finishBandPlan(plan, kRate);
        return evaluatePlan(p, plan);
    }

    double neighbourhoodCost(int i) const {
        double worst = 0.0;
        for (const FitPoint& p : probes[static_cast<size_t>(i)]) worst = std::max(worst, probeError(p).cost);
        return worst;
    }

    // The breakpoint alone, as if every entry were this one.
    double pointCost(int i, const Shape& s) {
        const CorrectionEntry keep = entries[static_cast<size_t>(i)];
        entries[static_cast<size_t>(i)] = toEntry(table.freqAxisHz[i], s);
        const double c = probeError(probes[static_cast<size_t>(i)][0]).cost;
        entries[static_cast<size_t>(i)] = keep;
        return c;
    }

    void fit(std::vector<Shape>& shapes) {
        const int n = table.numFreq;
        // Breakpoints alone first, from the top down, each starting from the
        // one above so the shapes change smoothly along the axis; the lowest
        // breakpoints start from the plain first-order shape.
        for (int i = n - 1; i >= 0; --i) {
            Shape& s = shapes[static_cast<size_t>(i)];
            if (i < n - 1) s = shapes[static_cast<size_t>(i + 1)];
            std::vector<double> x = {s.corner, s.q, s.zero};
            for (int round = 0; round < 3; ++round)
                minimiseSimplex(x, {0.1, 0.3, 0.3}, kEvaluations, [&](const std::vector<double>& v) {
                    return pointCost(i, Shape{v[0], v[1], v[2]});
                });
            s = Shape{x[0], x[1], x[2]};
            entries[static_cast<size_t>(i)] = toEntry(table.freqAxisHz[i], s);
        }
        // Then each entry against its whole neighbourhood, where the lookup
        // interpolates it with its neighbours.
        for (int pass = 0; pass < kPasses; ++pass)
            for (int i = 0; i < n; ++i) {
                Shape& s = shapes[static_cast<size_t>(i)];
                std::vector<double> x = {s.corner, s.q, s.zero};
                const CorrectionEntry before = entries[static_cast<size_t>(i)];
                const double start = neighbourhoodCost(i);
                const double best = minimiseSimplex(x, {0.05, 0.1, 0.1}, kEvaluations, [&](const std::vector<double>& v) {
                    entries[static_cast<size_t>(i)] = toEntry(table.freqAxisHz[i], Shape{v[0], v[1], v[2]});
                    return neighbourhoodCost(i);
                });
                if (best < start) {
                    s = Shape{x[0], x[1], x[2]};
                    entries[static_cast<size_t>(i)] = toEntry(table.freqAxisHz[i], s);
                } else {
                    entries[static_cast<size_t>(i)] = before;
                }
            }
    }
};

}  // namespace

std::vector<CorrectionEntry> fitHighPass1HostShape(const CorrectionTable& axes, HostShapeReport& report) {
    const int n = axes.numFreq;
    std::vector<CorrectionEntry> entries(static_cast<size_t>(n));
    std::vector<Shape> shapes(static_cast<size_t>(n));
    // The top breakpoint starts from the plain first-order shape whose
    // low-frequency asymptote is exact (the corner pre-warped back).
    const double top = axes.freqAxisHz[n - 1];
    shapes.back().corner = std::log(kRate / 3.141592653589793 * std::atan(3.141592653589793 * top / kRate) / top);
    for (int i = 0; i < n; ++i) entries[static_cast<size_t>(i)] = toEntry(axes.freqAxisHz[i], shapes[static_cast<size_t>(i)]);
    Fitter fitter(axes, entries);
    fitter.fit(shapes);
    report = HostShapeReport{};
    for (const auto& list : fitter.probes)
        for (const FitPoint& p : list) {
            const FitError e = fitter.probeError(p);
            report.worstDb = std::max(report.worstDb, e.magDb);
            report.worstRmsDb = std::max(report.worstRmsDb, e.rmsDb);
            report.worstPhaseDeg = std::max(report.worstPhaseDeg, e.phaseLowDeg);
            report.worstCost = std::max(report.worstCost, e.cost);
        }
    return entries;
}

}  // namespace solva
