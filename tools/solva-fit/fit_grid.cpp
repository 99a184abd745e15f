#include "fit_grid.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <thread>

#include "dsp/band_kind.h"

namespace solva {
namespace {

constexpr int kDims = 6;

void toVector(const Trial& t, double x[kDims]) {
    x[0] = t.centre;
    x[1] = t.flat;
    x[2] = std::log(t.freqRatio);
    x[3] = std::log(t.qRatio);
    x[4] = t.gainDeltaDb;
    x[5] = std::log(t.outputGain);
}

Trial fromVector(const Trial& base, const double x[kDims], const FitAxes& a) {
    Trial t = base;
    t.centre = std::clamp(x[0], 0.2, 0.8);
    t.flat = std::clamp(x[1], 0.0, 1.0);
    if (a.freq) t.freqRatio = std::exp(std::clamp(x[2], -0.7, 0.7));
    if (a.q) t.qRatio = std::exp(std::clamp(x[3], -1.5, 1.5));
    if (a.gain) t.gainDeltaDb = std::clamp(x[4], -12.0, 12.0);
    if (a.outputGain) t.outputGain = std::exp(std::clamp(x[5], -0.5, 0.5));
    return t;
}

}  // namespace

FitAxes axesForKind(int kind) {
    FitAxes a;
    if (kind == kKindHighPass1) a.q = false;
    if (kind == kKindBell || kind == kKindHighShelfA || kind == kKindLowShelfB) {
        a.gain = true;
        a.outputGain = true;
    }
    return a;
}

Trial optimiseTrial(const FitPoint& p, const Trial& start, const FitAxes& axes, int evaluations, FitError& err) {
    const double steps[kDims] = {0.05, 0.2, 0.03, 0.1, 0.3, 0.01};
    const bool used[kDims] = {true, true, axes.freq, axes.q, axes.gain, axes.outputGain};
    int idx[kDims], n = 0;
    for (int d = 0; d < kDims; ++d)
        if (used[d]) idx[n++] = d;
    double base[kDims];
    toVector(start, base);
    std::vector<std::vector<double>> simplex(static_cast<size_t>(n + 1), std::vector<double>(base, base + kDims));
    for (int i = 0; i < n; ++i) simplex[static_cast<size_t>(i + 1)][static_cast<size_t>(idx[i])] += steps[idx[i]];
    std::vector<double> cost(static_cast<size_t>(n + 1));
    // A light pull toward the untuned design keeps neighbouring entries alike,
    // so that interpolated entries stay good.
    auto eval = [&](const std::vector<double>& x) {
        const Trial t = fromVector(start, x.data(), axes);
        const double pull = 0.2 * std::fabs(std::log(t.freqRatio)) + 0.05 * std::fabs(std::log(t.qRatio)) +
                            0.01 * std::fabs(t.gainDeltaDb) + 0.5 * std::fabs(std::log(t.outputGain)) +
                            0.02 * std::fabs(t.centre - 0.5);
        return evaluateTrial(p, t).cost + pull;
    };
    for (int i = 0; i <= n; ++i) cost[static_cast<size_t>(i)] = eval(simplex[static_cast<size_t>(i)]);
    int used_evals = n + 1;
    std::vector<int> order(static_cast<size_t>(n + 1));
    while (used_evals < evaluations) {
        for (int i = 0; i <= n; ++i) order[static_cast<size_t>(i)] = i;
        std::sort(order.begin(), order.end(), [&](int a, int b) { return cost[static_cast<size_t>(a)] < cost[static_cast<size_t>(b)]; });
        const int best = order[0], worst = order[static_cast<size_t>(n)], second = order[static_cast<size_t>(n - 1 >= 0 ? n - 1 : 0)];
        std::vector<double> centroid(kDims, 0.0);
        for (int i = 0; i <= n; ++i)
            if (i != worst)
                for (int d = 0; d < kDims; ++d) centroid[static_cast<size_t>(d)] += simplex[static_cast<size_t>(i)][static_cast<size_t>(d)] / n;
        auto along = [&](double k) {
            std::vector<double> x(kDims);
            for (int d = 0; d < kDims; ++d)
                x[static_cast<size_t>(d)] = centroid[static_cast<size_t>(d)] + k * (simplex[static_cast<size_t>(worst)][static_cast<size_t>(d)] - centroid[static_cast<size_t>(d)]);
            return x;
        };
        auto xr = along(-1.0);
        const double cr = eval(xr);
        ++used_evals;
        auto& W = simplex[static_cast<size_t>(worst)];
        double& cw = cost[static_cast<size_t>(worst)];
        if (cr < cost[static_cast<size_t>(best)]) {
            auto xe = along(-2.0);
            const double ce = eval(xe);
            ++used_evals;
            if (ce < cr) { W = xe; cw = ce; } else { W = xr; cw = cr; }
        } else if (cr < cost[static_cast<size_t>(second)]) {
            W = xr;
            cw = cr;
        } else {
            auto xc = along(0.5);
            const double cc = eval(xc);
            ++used_evals;
            if (cc < cw) {
                W = xc;
                cw = cc;
            } else {
                for (int i = 0; i <= n; ++i) {
                    if (i == best) continue;
                    for (int d = 0; d < kDims; ++d)
                        simplex[static_cast<size_t>(i)][static_cast<size_t>(d)] = 0.5 * (simplex[static_cast<size_t>(i)][static_cast<size_t>(d)] + simplex[static_cast<size_t>(best)][static_cast<size_t>(d)]);
                    cost[static_cast<size_t>(i)] = eval(simplex[static_cast<size_t>(i)]);
                    ++used_evals;
                }
            }
        }
    }
    int best = 0;
    for (int i = 1; i <= n; ++i)
        if (cost[static_cast<size_t>(i)] < cost[static_cast<size_t>(best)]) best = i;
    const Trial t = fromVector(start, simplex[static_cast<size_t>(best)].data(), axes);
    err = evaluateTrial(p, t);
    return t;
}

Trial fitGridPoint(const FitPoint& p, const FitAxes& axes, const std::vector<int>& lengths, const Trial* warm,
                   FitError& err) {
    Trial best;
    err = evaluateTrial(p, best);  // uncorrected
    for (int length : lengths) {
        Trial start;
        if (warm) start = *warm;
        start.length = length;
        FitError e;
        Trial t = optimiseTrial(p, start, axes, 160, e);
        if (warm) {  // also try from the neutral start
            Trial neutral;
            neutral.length = length;
            neutral.sincIndex = start.sincIndex;
            FitError e2;
            Trial t2 = optimiseTrial(p, neutral, axes, 160, e2);
            if (e2.cost < e.cost) { t = t2; e = e2; }
        }
        // Prefer shorter kernels unless a longer one is clearly better.
        if (e.cost < err.cost - 0.02) {
            best = t;
            err = e;
        }
    }
    if (best.length == 0) return best;
    // Retuned host values interpolate well only between neighbours retuned
    // alike; keep the band's own values unless retuning clearly pays.
    Trial neutral;
    neutral.length = best.length;
    neutral.sincIndex = best.sincIndex;
    neutral.centre = best.centre;
    neutral.flat = best.flat;
    FitError en;
    const Trial tn = optimiseTrial(p, neutral, FitAxes{false, false, false, false}, 80, en);
    if (en.magDb <= err.magDb + 0.05) {
        best = tn;
        err = en;
    }
    return best;
}

}  // namespace solva
