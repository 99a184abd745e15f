// Verification of the built-in tables: the engine's own lookup (planBand)
// at the settings of the accuracy targets, against the analog prototypes.
#include <cmath>
#include <cstdio>
#include <vector>

#include "dsp/band_kind.h"
#include "dsp/band_plan.h"
#include "fit_eval.h"

using namespace solva;

namespace {

struct Group {
    const char* name;
    int kind;
    std::vector<float> freqs, qs, gains;
};

struct Worst {
    double corrected = 0, uncorrected = 0, correctedLow = 0, uncorrectedLow = 0;
    float atFreq = 0, atQ = 0, atGain = 0;
};

void check(const Group& g, float fs, Worst& w) {
    for (float f : g.freqs)
        for (float q : g.qs)
            for (float gain : g.gains) {
                const FitPoint p = makeFitPoint(g.kind, f, q, gain, fs, 120);
                const double c = evaluatePlan(p, planBand(g.kind, f, q, gain, fs, true)).magDb;
                const double u = evaluatePlan(p, planBand(g.kind, f, q, gain, fs, false)).magDb;
                if (c > w.corrected) {
                    w.atFreq = f;
                    w.atQ = q;
                    w.atGain = gain;
                }
                w.corrected = std::fmax(w.corrected, c);
                w.uncorrected = std::fmax(w.uncorrected, u);
                if (f <= 10000.0f) {
                    w.correctedLow = std::fmax(w.correctedLow, c);
                    w.uncorrectedLow = std::fmax(w.uncorrectedLow, u);
                }
            }
}

}  // namespace

int runVerify() {
    const std::vector<float> signedGains = {-15, -9, -3, 3, 9, 15};
    const std::vector<Group> groups = {
        {"bell", kKindBell, {100, 1000, 5000, 10000, 15000, 18000, 20000}, {0.1f, 0.5f, 1, 3, 7}, signedGains},
        {"high shelf", kKindHighShelf, {100, 1000, 5000, 10000, 15000, 18000, 20000}, {0.5f, 0.7f, 1, 2}, signedGains},
        {"low shelf", kKindLowShelf, {100, 1000, 5000, 10000, 15000, 18000, 20000}, {0.5f, 0.7f, 1, 2}, signedGains},
        {"high-pass 6 dB", kKindHighPass6, {20, 100, 1000, 5000, 10000}, {0.7f}, {0}},
        {"high-pass 12 dB", kKindHighPass12, {20, 100, 1000, 5000, 10000}, {0.5f, 0.7f, 2, 4}, {0}},
        {"low-pass 6 dB", kKindLowPass6, {1000, 5000, 10000, 15000, 18000, 20000}, {0.7f}, {0}},
        {"low-pass 12 dB", kKindLowPass12, {1000, 5000, 10000, 15000, 18000, 20000}, {0.5f, 0.7f, 1, 2, 4}, {0}},
    };
    std::printf("%-16s %7s  %-28s  %-28s\n", "band", "rate", "20 Hz..20 kHz corr / uncorr", "f0 <= 10 kHz corr / uncorr");
    for (const Group& g : groups)
        for (float fs : {44100.0f, 48000.0f}) {
            Worst w;
            check(g, fs, w);
            std::printf("%-16s %7.0f  %8.3f dB / %8.3f dB      %8.3f dB / %8.3f dB   worst at %g Hz Q %g %g dB\n",
                        g.name, fs, w.corrected, w.uncorrected, w.correctedLow, w.uncorrectedLow, w.atFreq, w.atQ,
                        w.atGain);
        }
    return 0;
}
