// Verification of the built-in tables: the engine's own lookup (planBand)
// at the settings of the accuracy targets, against the analog prototypes,
// at 512 log-spaced points over 20 Hz..20 kHz.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "dsp/band_kind.h"
#include "dsp/band_plan.h"
#include "dsp/response_analysis.h"
#include "fit_eval.h"
#include "fit_verify.h"
#include "params/engine_laws.h"

namespace solva {
namespace {

constexpr int kVerifyFreqs = 512;
constexpr int kDenseFreqs = 49;  // the sweep between breakpoints
constexpr int kDenseQs = 25;


// The settings of one case.
struct CaseAt {
    float freq = 0, q = 0, gain = 0;
};

struct Worst {
    double corrected = 0, correctedLow = 0, uncorrected = 0, rms = 0, phaseLow = 0;
    int cases = 0, failing = 0;
    int belowTable = 0;      // cases under the first frequency breakpoint: no correction at all
    long kernelTaps = 0;     // sum of the kernel lengths played
    int maxKernel = 0;
    double belowTableDb = 0;
    CaseAt worstAt, worstLowAt;  // the worst case, and the worst with f0 <= 10 kHz
};

bool belowTable(int kind, float f, float fs) {
    bool negate = false;
    const CorrectionTable* t = correctionTableForKind(kind, negate);
    return t && f < t->freqAxisHz[0] * fs / 44100.0f;
}

void checkCase(int kind, float f, float q, float gain, float fs, bool list, Worst& w) {
    const FitPoint p = makeFitPoint(kind, f, q, gain, fs, kVerifyFreqs);
    const BandPlan plan = planBand(kind, f, q, gain, fs, true);
    const FitError c = evaluatePlan(p, plan);
    w.kernelTaps += plan.length;
    w.maxKernel = std::max(w.maxKernel, plan.length);
    const FitError u = evaluatePlan(p, planBand(kind, f, q, gain, fs, false));
    if (belowTable(kind, f, fs)) {  // the lookup gives no correction here: reported apart
        ++w.belowTable;
        w.belowTableDb = std::fmax(w.belowTableDb, c.magDb);
        return;
    }
    if (c.magDb > w.corrected) w.worstAt = {f, q, gain};
    w.corrected = std::fmax(w.corrected, c.magDb);
    w.uncorrected = std::fmax(w.uncorrected, u.magDb);
    w.rms = std::fmax(w.rms, c.rmsDb);
    w.phaseLow = std::fmax(w.phaseLow, c.phaseLowDeg);
    if (f <= 10000.0f && c.magDb > w.correctedLow) {
        w.correctedLow = c.magDb;
        w.worstLowAt = {f, q, gain};
    }
    const bool fails = c.magDb > (f <= 10000.0f ? kTargetMaxDbLow : kTargetMaxDb) || c.rmsDb > kTargetRmsDb ||
                       c.phaseLowDeg > kTargetPhaseDeg;
    ++w.cases;
    if (fails) ++w.failing;
    if (list && fails)
        std::printf("  FAIL kind %2d fs %6.0f f0 %7g Q %6.3g gain %5g: max %.3f dB rms %.3f dB phase %.2f deg\n", kind, fs,
                    f, q, gain, c.magDb, c.rmsDb, c.phaseLowDeg);
}

void printRow(const char* name, float fs, const Worst& w) {
    const int all = w.cases + w.belowTable;
    const double meanKernel = all > 0 ? static_cast<double>(w.kernelTaps) / all : 0.0;
    std::printf("%-16s %6.0f  %6.3f / %6.3f dB  %6.3f dB  %6.3f dB  %6.2f deg  %4d/%-4d  %5.1f/%-3d  worst at %g Hz Q %g %g dB\n",
                name, fs, w.corrected, w.uncorrected, w.correctedLow, w.rms, w.phaseLow, w.failing, w.cases, meanKernel,
                w.maxKernel, w.worstAt.freq, w.worstAt.q, w.worstAt.gain);
    // Where the worst case lies above 10 kHz, the worst up to 10 kHz too.
    if (w.correctedLow > 0 && w.worstAt.freq > 10000.0f)
        std::printf("%-16s %6s  f0 <= 10 kHz: worst at %g Hz Q %g %g dB\n", "", "", w.worstLowAt.freq, w.worstLowAt.q,
                    w.worstLowAt.gain);
    if (w.belowTable > 0)
        std::printf("%-16s %6s  %d more cases below the first breakpoint (no correction): max %.3f dB\n", "", "",
                    w.belowTable, w.belowTableDb);
}

void printHeader() {
    std::printf("%-16s %6s  %-22s  %-9s  %-9s  %-10s  %-9s  %-9s\n", "band", "rate", "max corr / uncorr", "f0<=10k",
                "worst rms", "phase<10k", "fail/all", "taps m/max");
}

struct Family {
    const char* name;
    int kind;
    std::vector<float> freqs;
    std::vector<float> gains;
    std::vector<float> (*qsAt)(float freqHz);
    std::vector<float> qs;
    bool warpedGain = false;  // gains are the user's: the bell warp makes the band gain
};

// The 12 dB low-pass Q law at 33 settings: dense enough to land between
// every pair of Q breakpoints of its table several times.
std::vector<float> lowPassQRange(float freqHz) {
    std::vector<float> qs;
    for (int i = 0; i <= 32; ++i) qs.push_back(lowPassEngineQ(i / 32.0f, freqHz));
    return qs;
}

// Every case of one family at one rate.
Worst checkFamily(const Family& fam, float fs, bool list) {
    Worst w;
    for (float f : fam.freqs) {
        const std::vector<float> qs = fam.qsAt ? fam.qsAt(f) : fam.qs;
        for (float q : qs)
            for (float g : fam.gains) checkCase(fam.kind, f, q, fam.warpedGain ? bellGainWarp(g, q) : g, fs, list, w);
    }
    return w;
}

void runFamilies(const std::vector<Family>& families, const std::vector<float>& rates, bool list) {
    printHeader();
    for (const Family& fam : families)
        for (float fs : rates) printRow(fam.name, fs, checkFamily(fam, fs, list));
}

std::vector<float> logSpaced(float lo, float hi, int n) {
    std::vector<float> v;
    for (int i = 0; i < n; ++i) v.push_back(static_cast<float>(lo * std::pow(hi / lo, i / (n - 1.0))));
    return v;
}

// Dense sweeps of the three-axis families: nearly every case falls between
// breakpoints of the tables on some axis, where the lookup interpolates.
// The rows run on their own threads; only their summaries are printed.
void runBetweenBreakpoints() {
    std::vector<float> userGains;
    for (int g = -15; g <= 15; ++g)
        if (g != 0) userGains.push_back(static_cast<float>(g));
    const std::vector<Family> dense = {
        {"bell", kKindBell, logSpaced(100, 20000, kDenseFreqs), userGains, nullptr, logSpaced(0.1f, 7, kDenseQs), true},
        {"high shelf", kKindHighShelf, logSpaced(100, 15000, kDenseFreqs), userGains, nullptr, logSpaced(0.3f, 2, kDenseQs)},
        {"low shelf", kKindLowShelf, logSpaced(100, 15000, kDenseFreqs), userGains, nullptr, logSpaced(0.3f, 2, kDenseQs)},
    };
    const float rates[] = {44100.0f, 48000.0f};
    std::vector<Worst> rows(dense.size() * 2);
    std::vector<std::thread> pool;
    for (size_t i = 0; i < rows.size(); ++i)
        pool.emplace_back([&, i]() { rows[i] = checkFamily(dense[i / 2], rates[i % 2], false); });
    for (std::thread& t : pool) t.join();
    std::printf("\nBetween breakpoints (f0 at %d log-spaced points from 100 Hz to 20 kHz, shelves to 15 kHz;\n"
                "Q at %d log-spaced points over the family's range; the user's gains from -15 to +15 dB in\n"
                "1 dB steps, bells through the gain warp):\n\n",
                kDenseFreqs, kDenseQs);
    printHeader();
    for (size_t i = 0; i < rows.size(); ++i) printRow(dense[i / 2].name, rates[i % 2], rows[i]);
}

}  // namespace

int runVerify(bool list, bool dense) {
    const std::vector<float> gains = {-15, -9, -3, 3, 9, 15};
    const std::vector<float> shelfQs = {0.3f, 0.4f, 0.52f, 0.7f, 1, 1.4f, 2};
    const std::vector<Family> target = {
        {"bell", kKindBell, {100, 1000, 5000, 10000, 15000, 18000, 20000}, gains, nullptr, {0.1f, 0.5f, 1, 3, 7}, true},
        {"high shelf", kKindHighShelf, {100, 1000, 5000, 10000, 15000}, gains, nullptr, shelfQs},
        {"low shelf", kKindLowShelf, {100, 1000, 5000, 10000, 15000}, gains, nullptr, shelfQs},
        {"high-pass 6 dB", kKindHighPass6, {20, 30, 50, 100, 200, 500, 1000, 2000, 3000, 5000, 7000, 10000}, {0},
         nullptr, {0.7f}},
        {"low-pass 12 dB", kKindLowPass12,
         {20, 50, 100, 200, 500, 1000, 1500, 2000, 3000, 5000, 8000, 10000, 12000, 15000, 17000, 18000, 19000, 20000},
         {0},
         lowPassQRange, {}},
    };
    std::printf("Accuracy targets: max |error| <= %.2f dB (<= %.2f dB for f0 <= 10 kHz), RMS <= %.2f dB,\n"
                "phase <= %.0f deg up to 10 kHz; %d log points 20 Hz..20 kHz; zero latency.\n"
                "Bell gains are the user's +-3, 9, 15 dB through the bell gain warp (band gains up to\n"
                "about +-28.7 dB at Q 7); taps: mean/max kernel length played.\n\n",
                kTargetMaxDb, kTargetMaxDbLow, kTargetRmsDb, kTargetPhaseDeg, kVerifyFreqs);
    runFamilies(target, {44100.0f, 48000.0f, 88200.0f, 96000.0f}, list);
    const std::vector<Family> wider = {
        {"bell (band gain)", kKindBell, {100, 1000, 5000, 10000, 15000, 18000, 20000}, gains, nullptr,
         {0.1f, 0.5f, 1, 3, 7}},
        {"high shelf", kKindHighShelf, {100, 1000, 5000, 10000, 15000, 18000, 20000}, gains, nullptr,
         {0.5f, 0.7f, 1, 2}},
        {"low shelf", kKindLowShelf, {100, 1000, 5000, 10000, 15000, 18000, 20000}, gains, nullptr,
         {0.5f, 0.7f, 1, 2}},
        {"high-pass 12 dB", kKindHighPass12, {20, 100, 1000, 5000, 10000}, {0}, nullptr, {0.5f, 0.7f, 2, 4}},
        {"low-pass 6 dB", kKindLowPass6, {1000, 5000, 10000, 15000, 18000, 20000}, {0}, nullptr, {0.7f}},
    };
    std::printf("\nWider set (bells at band gains +-3, 9, 15 dB without the warp; shelves up to 20 kHz;\n"
                "kinds without correction):\n\n");
    runFamilies(wider, {44100.0f, 48000.0f}, list);
    if (dense) runBetweenBreakpoints();
    return 0;
}

}  // namespace solva
