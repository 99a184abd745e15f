#include "fit_host_shape.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <mutex>
#include <thread>

#include "dsp/band_kind.h"
#include "dsp/band_plan.h"
#include "dsp/coefficient_set.h"
#include "dsp/response_analysis.h"
#include "fit_eval.h"
#include "fit_grid.h"
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

// Shelves: corner ratio, Q ratio, Q2 ratio and band output gain as
// logarithms, gain offset in dB. The output gain frees the level the
// section's design pins at one end (0 dB at the Nyquist frequency for a low
// shelf), where the analog shelf with a high Q still departs from it.
struct ShelfShape {
    double corner = 0.0, q = 0.0, gainDb = 0.0, q2 = 0.0, output = 0.0;
};

constexpr int kShelfFreqs = 96;
constexpr double kShelfTopStepHz = 250.0;
constexpr double kFreshStartCost = 0.35;

// What sets one table's host-shape fit apart: the kind, how its gain is
// looked up, the section type its entries play (0: the kind's own), the
// band gains the effect sends to it and the natural shape a fit starts
// from where no neighbour has been fitted yet.
struct ShapeFamily {
    int kind, gainSign, hostType;
    float maxGainDb;
    ShelfShape (*natural)(float tableGain);
};

ShelfShape shelfNatural(float) { return ShelfShape{}; }

// A bell of linear gain G, (s^2 + s w G/Q + w^2) / (s^2 + s w/Q + w^2), is the
// plain high shelf's section (g s^2 + sqrt(g) s w/Q2 + w^2) / (s^2 + s w/Q
// + w^2) at g = 1 with Q2 = Q/G; a cut (G < 1) takes Q2 = Q over a
// denominator Q of Q G. The shelf's own gain g then tilts the
// top of the band, which the bilinear bell pins to 0 dB at the Nyquist
// frequency while the analog bell is still on its skirt there.
ShelfShape bellNatural(float tableGain) {
    const double logG = std::log(std::pow(10.0, tableGain / 20.0));
    ShelfShape s;
    s.gainDb = -tableGain;  // the section's own gain starts at 0 dB
    if (logG >= 0.0) s.q2 = -logG;
    else s.q = logG;
    return s;
}

CorrectionEntry shelfEntry(const ShapeFamily& fam, float f, float q, float tableGain, const ShelfShape& s) {
    const int gainSign = fam.gainSign;
    CorrectionEntry e{};
    e.hostType = static_cast<int8_t>(fam.hostType);
    e.sincIndex = 12;
    e.length = 0.0f;
    e.sincCentre = 0.5f;
    e.flatFraction = 0.5f;
    e.freqHz = static_cast<float>(f * std::exp(s.corner));
    e.qFactor = static_cast<float>(q * std::exp(s.q));
    e.q2Factor = static_cast<float>(q * std::exp(s.q2));
    // Stored as the lookup sees it: negated for the low shelves.
    float stored = static_cast<float>(tableGain + gainSign * s.gainDb);
    if (tableGain == 0.0f || stored == 0.0f) stored = kZeroGainDb;
    e.gainDb = stored;
    e.outputGain = static_cast<float>(std::exp(s.output));
    return e;
}

FitError shelfError(const FitPoint& p, const CorrectionEntry& e, int gainSign) {
    BandPlan plan = baseBandPlan(p.kind, p.freqHz, p.qFactor, p.gainDb);
    CorrectionRequest r;
    r.hostType = e.hostType;
    r.length = 0;
    r.freqHz = e.freqHz;
    r.qFactor = e.qFactor;
    r.q2Factor = e.q2Factor;
    r.gainDb = gainSign * e.gainDb;
    r.outputGain = e.outputGain;
    r.hasOutputGain = true;
    applyCorrection(plan, r);
    finishBandPlan(plan, kRate);
    return evaluatePlan(p, plan);
}

double shelfCost(const ShapeFamily& fam, const FitPoint& p, float f, float q, float tg, const std::vector<double>& v) {
    const ShelfShape n = fam.natural(tg);
    if (std::fabs(v[0]) > 3.0 || std::fabs(v[1] - n.q) > 4.0 || std::fabs(v[2] - n.gainDb) > 30.0 ||
        std::fabs(v[3] - n.q2) > 6.0 || std::fabs(v[4]) > 1.0)
        return 1e9;  // far outside any useful shape
    // A section playing another kind's type is pre-warped by the engine:
    // its corner stays below the Nyquist frequency.
    if (fam.hostType != 0 && f * std::exp(v[0]) >= 0.49 * kRate) return 1e9;
    return shelfError(p, shelfEntry(fam, f, q, tg, ShelfShape{v[0], v[1], v[2], v[3], v[4]}), fam.gainSign).cost;
}

// Several shapes fit a shelf almost equally well (with Q near 0.5 the
// poles turn real and corner and Q trade against each other), and the
// lookup interpolates between entries: a light pull towards the start, a
// neighbour's shape, keeps the fitted shapes on one smooth family.
constexpr double kPull = 0.002;
const double kPullScale[5] = {0.1, 0.1, 1.0, 0.1, 0.01};

// Fits one entry from each start, keeping the best; returns its shape.
ShelfShape fitShelfEntry(const ShapeFamily& fam, const FitPoint& p, float f, float q, float tg,
                         const std::vector<ShelfShape>& starts) {
    auto plain = [&](const std::vector<double>& v) { return shelfCost(fam, p, f, q, tg, v); };
    std::vector<double> x;
    double best = 1e300, bestPlain = 1e300;
    for (const ShelfShape& start : starts) {
        const std::vector<double> from = {start.corner, start.q, start.gainDb, start.q2, start.output};
        auto pulled = [&](const std::vector<double>& v) {
            double pull = 0.0;
            for (size_t i = 0; i < v.size(); ++i) pull += std::pow((v[i] - from[i]) / kPullScale[i], 2.0);
            return plain(v) + kPull * pull;
        };
        std::vector<double> y = from;
        double c = 0.0;
        for (int round = 0; round < 3; ++round) c = minimiseSimplex(y, {0.05, 0.1, 0.5, 0.1, 0.02}, kEvaluations, pulled);
        if (c < best) best = c, x = y, bestPlain = plain(y);
    }
    // Near the Nyquist frequency the neighbours' shapes can lose their
    // valley: a few fresh starts there, taken only when clearly better.
    const ShelfShape n = fam.natural(tg);
    for (double corner : {0.0, -0.3, 0.3}) {
        if (bestPlain <= kFreshStartCost) break;
        std::vector<double> y = {corner, n.q, n.gainDb, n.q2, n.output};
        double c = 0.0;
        for (int round = 0; round < 3; ++round) c = minimiseSimplex(y, {0.1, 0.2, 1.0, 0.2, 0.05}, kEvaluations, plain);
        if (c < 0.8 * bestPlain) bestPlain = c, x = y;
    }
    return ShelfShape{x[0], x[1], x[2], x[3], x[4]};
}

// The entries are fitted in order of Q, and within a Q up the frequency
// axis; each starts from the shapes already fitted at the next lower Q and
// the next lower frequency (same gain), so that the shapes follow one
// valley along both axes and the lookup interpolates between like shapes.
// The gains of one breakpoint are fitted in parallel.
std::vector<CorrectionEntry> fitFamily(const CorrectionTable& t, const ShapeFamily& fam, int threads,
                                       HostShapeReport& report) {
    std::vector<CorrectionEntry> out(static_cast<size_t>(t.entryCount()));
    std::vector<ShelfShape> shapes(static_cast<size_t>(t.entryCount()));
    auto at = [&](int fi, int qi, int gi) { return static_cast<size_t>((fi * t.numQ + qi) * t.numGain + gi); };
    report = HostShapeReport{};
    std::mutex mutex;
    for (int qi = 0; qi < t.numQ; ++qi)
        for (int fi = 0; fi < t.numFreq; ++fi) {
            const float f = t.freqAxisHz[fi], q = t.qAxis[qi];
            std::atomic<int> next{0};
            auto worker = [&]() {
                for (int gi = next.fetch_add(1); gi < t.numGain; gi = next.fetch_add(1)) {
                    const float tg = gridGain(t, gi);
                    ShelfShape s = fam.natural(tg);
                    const FitPoint p = makeFitPoint(fam.kind, f, q, fam.gainSign * tg, kRate, kShelfFreqs, kShelfTopStepHz);
                    if (tg != 0.0f) {
                        std::vector<ShelfShape> starts;
                        if (qi > 0) starts.push_back(shapes[at(fi, qi - 1, gi)]);
                        if (fi > 0) starts.push_back(shapes[at(fi - 1, qi, gi)]);
                        if (starts.empty()) starts.push_back(s);
                        s = fitShelfEntry(fam, p, f, q, tg, starts);
                    } else {
                        s = ShelfShape{};  // 0 dB: the section is flat
                    }
                    shapes[at(fi, qi, gi)] = s;
                    out[at(fi, qi, gi)] = shelfEntry(fam, f, q, tg, s);
                    if (tg == 0.0f || std::fabs(tg) > fam.maxGainDb) continue;
                    const FitError err = shelfError(p, out[at(fi, qi, gi)], fam.gainSign);
                    std::lock_guard<std::mutex> lock(mutex);
                    report.add(err);
                }
            };
            std::vector<std::thread> pool;
            for (int i = 0; i < std::max(1, threads); ++i) pool.emplace_back(worker);
            for (std::thread& th : pool) th.join();
        }
    return out;
}

}  // namespace

std::vector<CorrectionEntry> fitShelfHostShape(const CorrectionTable& t, int kind, int gainSign, int threads,
                                               HostShapeReport& report) {
    return fitFamily(t, ShapeFamily{kind, gainSign, 0, kShelfGainRangeDb, shelfNatural}, threads, report);
}

std::vector<CorrectionEntry> fitBellHostShape(const CorrectionTable& t, int threads, HostShapeReport& report) {
    return fitFamily(t, ShapeFamily{kKindBell, 1, kDesignHighShelf, kBellGainRangeDb, bellNatural}, threads, report);
}

std::vector<CorrectionEntry> mirrorShelfEntries(const CorrectionTable& t, const std::vector<CorrectionEntry>& highShelf) {
    std::vector<CorrectionEntry> out = highShelf;
    for (size_t i = 0; i < out.size(); ++i) {
        const float tableGain = gridGain(t, static_cast<int>(i % static_cast<size_t>(t.numGain)));
        CorrectionEntry& e = out[i];
        if (e.length != 0.0f || tableGain == 0.0f) continue;  // a kernel entry has no mirror; 0 dB is flat
        e.outputGain = static_cast<float>(e.outputGain * std::pow(10.0, (e.gainDb - tableGain) / 20.0));
    }
    return out;
}

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
        for (const FitPoint& p : list) report.add(fitter.probeError(p));
    return entries;
}

}  // namespace solva
