// Refinement of a fitted table through the engine's own lookup. Each entry
// is moved (sinc centre, window flat fraction, host frequency, Q, gain and
// band output gain; an entry without a kernel only its host values, Q2
// apart from Q as well) to minimise the worst cost over its neighbourhood:
// its grid point and the points half a step towards its neighbours along
// one, two or three axes, where the lookup interpolates between it and its
// neighbours (within the gain and Q ranges the effect sends, for bells the
// gains the gain warp sends at each Q). With
// shortening on, entries well within the targets first give up kernel taps.
// The top rows, where responses change fastest between breakpoints, can be
// refined alone with probes a quarter step apart along frequency, and a
// span of Q with probes a quarter step apart along Q: where the best values
// bend between two Q breakpoints, the straight line the lookup draws between
// the two entries can be well off in the middle though both ends are good.
// Rows of alternate frequency parity are refined in turn, so the threads
// never write an entry another thread reads.
#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <mutex>
#include <thread>
#include <vector>

#include "dsp/band_plan.h"
#include "fit_eval.h"
#include "fit_grid.h"
#include "fit_simplex.h"

namespace solva {
namespace {

constexpr float kRate = 44100.0f;
constexpr int kLogFreqs = 96;
constexpr double kTopStepHz = 250.0;
constexpr int kEvaluations = 100;
constexpr int kHostOnlyEvaluations = 300;
constexpr double kFloorCost = 0.1;   // probes below this cost are all alike
constexpr double kDriftCost = 0.3;   // a probe may rise up to this cost
constexpr double kDriftDb = 0.25;    // and its peak error up to this
constexpr double kPeakCostSlack = 0.02;  // minimising the peak alone, its cost may rise by this
constexpr double kPeakDriftDb = 0.34;    // ... its peak error up to this
constexpr double kPeakRmsSlack = 0.005;  // ... its RMS error by this
constexpr double kPeakPhaseSlack = 0.25; // ... and its phase error (degrees, up to 10 kHz) by this
constexpr double kPeakGoodEnoughDb = 0.3;  // neighbourhoods whose peaks are all below this are left alone
constexpr double kTargetCost = 0.2;  // shortening keeps neighbourhoods below this
constexpr double kShortenDb = 0.12;  // ... and peak errors below this
constexpr double kShortenSlack = 0.03;
constexpr float kShortenStep = 4.0f;
constexpr int kShortestSincIndex = 10;     // 101 taps
constexpr double kSincSlackDb = 0.005;     // a shorter sinc may cost this much level error,
constexpr double kSincRmsSlack = 0.002;    // ... RMS error
constexpr double kSincPhaseSlack = 0.1;    // ... and phase error (degrees, up to 10 kHz)
constexpr double kRescueCost = 1.0;  // neighbourhoods above this also try fresh starts

struct Probe {
    FitPoint point;
    float tableGain;  // the gain the lookup sees (negated for the low shelves)
};

struct Refiner {
    CorrectionTable table;
    std::vector<CorrectionEntry>& entries;
    int kind, gainSign;
    float maxGainDb;     // the largest band gain the effect sends to this kind
    double goodEnough;   // neighbourhoods already below this cost are left alone
    float minLength;     // shortest kernel the shortening step leaves
    float minQ, maxQ;    // the Q range the effect sends to this kind
    float denseFrom;     // rows from this frequency (Hz, 0: none) probe in quarter steps
    float fromQ, toQ;    // only entries at Q in [fromQ, toQ] are refined
    bool denseQ;         // probes a quarter step apart along Q
    float (*maxGainAtQ)(float q);  // when set: the largest band gain at one Q
    bool peakOnly;       // the objective leans on the probes' level errors alone
    // Per entry, the neighbourhood's errors the peak mode's drift bounds
    // hold against; an entry's slot is only touched by the thread refining
    // its row.
    std::vector<std::vector<FitError>>* anchors;

    size_t entryIndex(int fi, int qi, int gi) const {
        return static_cast<size_t>((fi * table.numQ + qi) * table.numGain + gi);
    }

    // Axis value at index i moved by d4 quarter steps (-2..2); false when
    // there is no neighbour on that side.
    static bool axisAtQuarter(const float* axis, int n, int i, int d4, float& v) {
        const int j = i + (d4 > 0 ? 1 : (d4 < 0 ? -1 : 0));
        if (j < 0 || j >= n) return false;
        const float t = 0.25f * static_cast<float>(d4 < 0 ? -d4 : d4);
        v = axis[i] + t * (axis[j] - axis[i]);
        return true;
    }
    bool gainAt(int gi, int d, float& v) const {
        if (table.numGain <= 1) {
            v = 0.0f;
            return d == 0;
        }
        if (gi + d < 0 || gi + d >= table.numGain) return false;
        v = gridGain(table, gi) + static_cast<float>(d);
        return std::fabs(v) <= maxGainDb && v != 0.0f;
    }

    // df and dq count quarter steps along the frequency and Q axes, dg half
    // steps.
    void addProbe(std::vector<Probe>& probes, int fi, int qi, int gi, int df, int dq, int dg) const {
        float f, q = 0.7f, g;
        if (!axisAtQuarter(table.freqAxisHz, table.numFreq, fi, df, f)) return;
        if (table.numQ > 1 && !axisAtQuarter(table.qAxis, table.numQ, qi, dq, q)) return;
        if (table.numQ > 1 && (q < minQ * 0.999f || q > maxQ * 1.001f)) return;
        if (table.numQ <= 1 && dq != 0) return;
        if (!gainAt(gi, dg, g)) return;
        // Gains the effect never sends at this Q do not count.
        if (maxGainAtQ && std::fabs(g) > maxGainAtQ(q) + 1.0f) return;
        probes.push_back({makeFitPoint(kind, f, q, gainSign * g, kRate, kLogFreqs, kTopStepHz), g});
    }

    // The grid point and every point half a step away along one, two or
    // three axes: where the lookup interpolates between it and a neighbour.
    std::vector<Probe> probesFor(int fi, int qi, int gi) const {
        std::vector<Probe> probes;
        const int qSpan = table.numQ > 1 ? 2 : 0, gSpan = table.numGain > 1 ? 1 : 0;
        const int fStep = denseFrom > 0.0f && table.freqAxisHz[fi] >= denseFrom ? 1 : 2;
        const int qStep = denseQ ? 1 : 2;
        for (int df = -2; df <= 2; df += fStep)
            for (int dq = -qSpan; dq <= qSpan; dq += qStep)
                for (int dg = -gSpan; dg <= gSpan; ++dg) addProbe(probes, fi, qi, gi, df, dq, dg);
        return probes;
    }

    FitError probeError(const Probe& p) const {
        const FitPoint& fp = p.point;
        BandPlan plan = baseBandPlan(kind, fp.freqHz, fp.qFactor, fp.gainDb);
        CorrectionRequest r = lookupCorrection(table, fp.freqHz, fp.qFactor, p.tableGain, 1.0f);
        if (gainSign < 0) r.gainDb = -r.gainDb;
        applyCorrection(plan, r);
        finishBandPlan(plan, kRate);
        return evaluatePlan(fp, plan);
    }

    std::vector<FitError> errors(const std::vector<Probe>& probes) const {
        std::vector<FitError> e;
        for (const Probe& p : probes) e.push_back(probeError(p));
        return e;
    }

    static double worstCost(const std::vector<FitError>& e) {
        double worst = 0.0;
        for (const FitError& x : e) worst = std::max(worst, x.cost);
        return worst;
    }
    static double worstPeak(const std::vector<FitError>& e) {
        double worst = 0.0;
        for (const FitError& x : e) worst = std::max(worst, x.magDb);
        return worst;
    }

    // A power mean of the costs leans on the worst probes without letting
    // the others drift: no probe may end above both its old cost and
    // kDriftCost, nor its peak error above both the old one and kDriftDb.
    // With peakOnly a power mean of order 8 of the probes' level errors
    // takes its place, nearly their largest: for where the level error alone
    // misses its target while the phase is what the kernels allow. A
    // probe's cost may then rise by kPeakCostSlack, its RMS and phase errors
    // by kPeakRmsSlack and kPeakPhaseSlack, and its peak error up to
    // kPeakDriftDb, so that an entry may give up a little at its own grid
    // point for the points the lookup interpolates towards it.
    double objective(const std::vector<FitError>& now, const std::vector<FitError>& before) const {
        double sum = 0.0, peak = 0.0, penalty = 0.0;
        for (size_t i = 0; i < now.size(); ++i) {
            const double c = std::max(now[i].cost, kFloorCost);
            sum += c * c * c * c;
            const double m2 = now[i].magDb * now[i].magDb, m4 = m2 * m2;
            peak += m4 * m4;
            const double costSlack = peakOnly ? kPeakCostSlack : 0.0;
            penalty += std::max(0.0, now[i].cost - std::max(before[i].cost + costSlack, kDriftCost));
            penalty += std::max(0.0, now[i].magDb - std::max(before[i].magDb, peakOnly ? kPeakDriftDb : kDriftDb));
            if (peakOnly) {
                penalty += std::max(0.0, now[i].rmsDb - (before[i].rmsDb + kPeakRmsSlack));
                penalty += 0.0175 * std::max(0.0, now[i].phaseLowDeg - (before[i].phaseLowDeg + kPeakPhaseSlack));
            }
        }
        const double n = static_cast<double>(now.size());
        const double spread = peakOnly ? std::pow(peak / n, 0.125) : std::pow(sum / n, 0.25);
        return spread + 10.0 * penalty;
    }

    // An entry without a kernel is a host section shaped alone: the kernel's
    // sinc centre and window do not move, its numerator Q2 moves apart from
    // Q as well.
    static bool hostOnly(const CorrectionEntry& base) { return base.length == 0.0f; }
    bool movesQ2(const CorrectionEntry& base) const { return table.numQ > 1 && hostOnly(base); }
    static size_t frequencyIndex(const CorrectionEntry& base) { return hostOnly(base) ? 0 : 2; }

    // x: [centre, flat], log frequency, [log Q], [gain, log output gain], [log Q2].
    CorrectionEntry moved(const CorrectionEntry& base, const std::vector<double>& x) const {
        CorrectionEntry e = base;
        size_t k = 0;
        if (!hostOnly(base)) {
            e.sincCentre = static_cast<float>(std::clamp(base.sincCentre + x[k++], 0.2, 0.8));
            e.flatFraction = static_cast<float>(std::clamp(base.flatFraction + x[k++], 0.0, 1.0));
        }
        e.freqHz = static_cast<float>(base.freqHz * std::exp(std::clamp(x[k++], -0.5, 0.5)));
        if (table.numQ > 1) {
            const double s = std::exp(std::clamp(x[k++], -1.0, 1.0));
            e.qFactor = static_cast<float>(base.qFactor * s);
            e.q2Factor = static_cast<float>(base.q2Factor * s);
        }
        if (table.threeAxis()) {
            e.gainDb = static_cast<float>(base.gainDb + std::clamp(x[k++], -10.0, 10.0));
            if (e.gainDb == 0.0f) e.gainDb = kZeroGainDb;
            e.outputGain = static_cast<float>(base.outputGain * std::exp(std::clamp(x[k++], -0.3, 0.3)));
        }
        if (movesQ2(base)) e.q2Factor = static_cast<float>(e.q2Factor * std::exp(std::clamp(x[k++], -1.0, 1.0)));
        return e;
    }

    // A one-axis table has a single host value: scan it coarsely so the
    // simplex starts near the best retuning, not at a local minimum.
    double scanFrequency(CorrectionEntry& e, const CorrectionEntry& base, const std::vector<Probe>& probes,
                         const std::vector<FitError>& before) {
        double bestX = 0.0, best = objective(before, before);
        for (double lx = -0.5; lx <= 0.2001; lx += 0.025) {
            e = base;
            e.freqHz = static_cast<float>(base.freqHz * std::exp(lx));
            const double c = objective(errors(probes), before);
            if (c < best) {
                best = c;
                bestX = lx;
            }
        }
        e = base;
        return bestX;
    }

    // The untuned entry: host values at the breakpoint, no output gain.
    CorrectionEntry untuned(const CorrectionEntry& e, int fi, int qi, int gi) const {
        CorrectionEntry u = e;
        u.hostType = 0;
        u.freqHz = table.freqAxisHz[fi];
        if (table.numQ > 1) u.qFactor = u.q2Factor = gridQ(table, qi);
        if (table.threeAxis()) {
            u.gainDb = gridGain(table, gi) == 0.0f ? kZeroGainDb : gridGain(table, gi);
            u.outputGain = 1.0f;
        }
        return u;
    }

    // The simplex from base; returns the objective reached, e set to its point.
    double descend(CorrectionEntry& e, const CorrectionEntry& base, const std::vector<Probe>& probes,
                   const std::vector<FitError>& before) {
        std::vector<double> x, steps;
        if (!hostOnly(base)) x = {0.0, 0.0}, steps = {0.02, 0.15};
        x.push_back(0.0), steps.push_back(0.01);
        if (table.numQ > 1) x.push_back(0.0), steps.push_back(0.03);
        if (table.threeAxis()) {
            x.push_back(0.0), steps.push_back(0.2);
            x.push_back(0.0), steps.push_back(0.005);
        }
        if (movesQ2(base)) x.push_back(0.0), steps.push_back(0.03);
        if (table.numQ <= 1) x[frequencyIndex(base)] = scanFrequency(e, base, probes, before);
        const int evaluations = hostOnly(base) ? kHostOnlyEvaluations : kEvaluations;
        const double reached = minimiseSimplex(x, steps, evaluations, [&](const std::vector<double>& v) {
            e = moved(base, v);
            return objective(errors(probes), before);
        });
        e = moved(base, x);
        return reached;
    }

    // Returns the neighbourhood cost after refinement. A neighbourhood far
    // off target (typically a dip where host section and kernel cancel near
    // the host Nyquist frequency) also restarts from the untuned entry and
    // from the kernel alone without a host section.
    double refineEntry(int fi, int qi, int gi) {
        CorrectionEntry& e = entries[entryIndex(fi, qi, gi)];
        const std::vector<Probe> probes = probesFor(fi, qi, gi);
        if (probes.empty()) return 0.0;
        const std::vector<FitError> now = errors(probes);
        const double worstBefore = worstCost(now);
        if (worstBefore <= goodEnough) return worstBefore;
        if (peakOnly && worstPeak(now) <= kPeakGoodEnoughDb) return worstBefore;
        // In peak mode the drift bounds hold against the neighbourhood as it
        // was before the first pass, so that passes do not add up drift.
        const std::vector<FitError>* guard = &now;
        if (peakOnly) {
            std::vector<FitError>& anchor = (*anchors)[entryIndex(fi, qi, gi)];
            if (anchor.empty()) anchor = now;
            guard = &anchor;
        }
        const std::vector<FitError>& before = *guard;
        const CorrectionEntry original = e;
        std::vector<CorrectionEntry> starts{original};
        if (worstBefore > kRescueCost && e.length > 0) {
            starts.push_back(untuned(original, fi, qi, gi));
            if (table.threeAxis()) {
                CorrectionEntry alone = starts.back();
                alone.hostType = 1;
                starts.push_back(alone);
            }
        }
        double best = objective(now, before) - 1e-4;
        CorrectionEntry bestEntry = original;
        // Where the plain host section is already close, a retuned host and
        // a short kernel can only add error (narrow deep cuts are the most
        // sensitive): the entry without correction is tried as it stands.
        // Not where the entry plays another section type than the kind's,
        // which its neighbours share.
        if (original.hostType <= 1) {
            CorrectionEntry plain = untuned(original, fi, qi, gi);
            plain.length = 0.0f;
            e = plain;
            const double plainCost = objective(errors(probes), before);
            if (plainCost < best) {
                best = plainCost;
                bestEntry = plain;
            }
        }
        for (const CorrectionEntry& start : starts) {
            e = start;
            const double reached = descend(e, start, probes, before);
            if (reached < best) {
                best = reached;
                bestEntry = e;
            }
        }
        e = bestEntry;
        return worstCost(errors(probes));
    }

    // Kernel length is the audio thread's cost: an entry whose neighbourhood
    // is well within the targets tries kernels kShortenStep taps shorter,
    // keeping one only while no probe's cost or peak error rises by more
    // than kShortenSlack above max(old, kTargetCost) or max(old, kShortenDb).
    void shortenEntry(int fi, int qi, int gi) {
        CorrectionEntry& e = entries[entryIndex(fi, qi, gi)];
        const std::vector<Probe> probes = probesFor(fi, qi, gi);
        if (probes.empty()) return;
        const std::vector<FitError> before = errors(probes);
        if (worstCost(before) > kTargetCost) return;
        auto acceptable = [&](const std::vector<FitError>& now) {
            for (size_t i = 0; i < now.size(); ++i)
                if (now[i].cost > std::max(before[i].cost + kShortenSlack, kTargetCost) ||
                    now[i].magDb > std::max(before[i].magDb + kShortenSlack, kShortenDb))
                    return false;
            return true;
        };
        while (e.length >= minLength + kShortenStep) {
            const CorrectionEntry longer = e;
            e.length -= kShortenStep;
            if (acceptable(errors(probes))) continue;
            e = longer;
            return;
        }
    }

    // The reference is filtered over the whole sinc on every redesign: an
    // entry tries the next shorter sinc, retuned from where it stands, and
    // keeps it only while no probe's level, RMS or phase error rises by more
    // than kSincSlackDb, kSincRmsSlack or kSincPhaseSlack.
    void shortenSinc(int fi, int qi, int gi) {
        CorrectionEntry& e = entries[entryIndex(fi, qi, gi)];
        if (hostOnly(e)) return;
        const std::vector<Probe> probes = probesFor(fi, qi, gi);
        if (probes.empty()) return;
        const std::vector<FitError> before = errors(probes);
        auto noWorse = [&](const std::vector<FitError>& now) {
            for (size_t i = 0; i < now.size(); ++i)
                if (now[i].magDb > before[i].magDb + kSincSlackDb || now[i].rmsDb > before[i].rmsDb + kSincRmsSlack ||
                    now[i].phaseLowDeg > before[i].phaseLowDeg + kSincPhaseSlack)
                    return false;
            return true;
        };
        while (e.sincIndex > kShortestSincIndex) {
            const CorrectionEntry longer = e;
            CorrectionEntry start = e;
            --start.sincIndex;
            e = start;
            if (noWorse(errors(probes))) continue;
            descend(e, start, probes, before);
            if (noWorse(errors(probes))) continue;
            e = longer;
            return;
        }
    }

    bool gainRowUsed(int gi) const {
        return table.numGain <= 1 || std::fabs(gridGain(table, gi)) <= maxGainDb + 2.0f;
    }

    // Calls visit(qi, gi) for every entry of one frequency row whose gain
    // the effect sends.
    template <typename Visit>
    void forEachUsedEntry(int fi, Visit visit) {
        for (int qi = 0; qi < table.numQ; ++qi)
            for (int gi = 0; gi < table.numGain; ++gi)
                if (gainRowUsed(gi)) visit(fi, qi, gi);
    }

    // Refines every entry of one frequency row; returns its worst cost.
    double refineRow(int fi) {
        double worst = 0.0;
        for (int qi = 0; qi < table.numQ; ++qi) {
            if (table.numQ > 1 && (gridQ(table, qi) < fromQ || gridQ(table, qi) > toQ)) continue;
            for (int gi = 0; gi < table.numGain; ++gi)
                if (gainRowUsed(gi)) worst = std::max(worst, refineEntry(fi, qi, gi));
        }
        return worst;
    }
};

}  // namespace

void refineTable(const CorrectionTable& axes, int kind, int gainSign, std::vector<CorrectionEntry>& entries,
                 const RefineOptions& options) {
    std::vector<std::vector<FitError>> anchors(entries.size());
    Refiner proto{axes, entries, kind, gainSign, options.maxGainDb, options.goodEnoughCost, options.minLength,
                  options.minQ, options.maxQ, options.denseFromHz, options.fromQ, options.toQ, options.denseQ,
                  options.maxGainAtQ, options.peakOnly, &anchors};
    proto.table.entries = entries.data();
    for (int pass = 0; pass < options.passes; ++pass) {
        double worst = 0.0;
        for (int parity = 0; parity < 2; ++parity) {
            std::atomic<int> next{0};
            std::mutex mutex;
            auto worker = [&]() {
                Refiner r = proto;
                for (;;) {
                    const int fi = 2 * next.fetch_add(1) + parity;
                    if (fi >= axes.numFreq) break;
                    if (options.denseFromHz > 0.0f && axes.freqAxisHz[fi] < options.denseFromHz) continue;
                    if (options.shorten)
                        r.forEachUsedEntry(fi, [&r](int f, int q, int g) { r.shortenEntry(f, q, g); });
                    if (options.shortenSinc)
                        r.forEachUsedEntry(fi, [&r](int f, int q, int g) { r.shortenSinc(f, q, g); });
                    const double w = r.refineRow(fi);
                    std::lock_guard<std::mutex> lock(mutex);
                    worst = std::max(worst, w);
                }
            };
            std::vector<std::thread> pool;
            for (int i = 0; i < options.threads; ++i) pool.emplace_back(worker);
            for (std::thread& th : pool) th.join();
        }
        std::printf("  kind %2d pass %d: worst neighbourhood cost %.3f\n", kind, pass + 1, worst);
        std::fflush(stdout);
    }
}

}  // namespace solva
