// solva-fit: fits the correction tables of the band kinds and writes them as
// C++ source.
//
//   solva-fit --write dsp/correction_tables_data.cpp [--threads N]
//   solva-fit --probe KIND FREQ_HZ Q GAIN_DB [--rate HZ]
//   solva-fit --refine FILE   (refinement pass alone, from the built-in tables)
//   solva-fit --verify    (max deviation of the built-in tables at test settings)
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "dsp/band_kind.h"
#include "fit_grid.h"

using namespace solva;

int runWrite(const std::string& path, int threads, const std::string& command, bool refine);
int runRefine(const std::string& path);
int runVerify();

namespace {

int usage(const char* msg) {
    std::fprintf(stderr, "solva-fit: %s (usage: solva-fit --write FILE [--threads N] | --refine FILE | --probe KIND FREQ_HZ Q GAIN_DB [--rate HZ] | --verify)\n", msg);
    return 2;
}

FitAxes axesForKind(int kind) {
    FitAxes a;
    if (kind == kKindHighPass1) a.q = false;
    if (kind == kKindBell || kind == kKindHighShelfA || kind == kKindLowShelfB) {
        a.gain = true;
        a.outputGain = true;
    }
    return a;
}

int runProbe(int kind, float f, float q, float g, float fs) {
    const FitPoint p = makeFitPoint(kind, f, q, g, fs, 80);
    FitError e0 = evaluateTrial(p, Trial{});
    std::printf("uncorrected: %.4f dB %.2f deg\n", e0.magDb, e0.phaseDeg);
    for (int sinc : {10, 11, 12, 13})
        for (int length : {4, 8, 12, 16, 24, 32, 44}) {
            Trial start;
            start.length = length;
            start.sincIndex = sinc;
            FitError e;
            const Trial t = optimiseTrial(p, start, axesForKind(kind), 300, e);
            std::printf("N%-2d L%-2d: %.4f dB %.2f deg  p %.4f flat %.3f kf %.4f kq %.4f dg %.3f og %.4f\n", sinc, length,
                        e.magDb, e.phaseDeg, t.centre, t.flat, t.freqRatio, t.qRatio, t.gainDeltaDb, t.outputGain);
        }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage("missing mode");
    const std::string mode = argv[1];
    if (mode == "--probe") {
        if (argc != 6 && argc != 8) return usage("--probe needs KIND FREQ_HZ Q GAIN_DB");
        float fs = 44100.0f;
        if (argc == 8) fs = static_cast<float>(std::atof(argv[7]));
        return runProbe(std::atoi(argv[2]), static_cast<float>(std::atof(argv[3])),
                        static_cast<float>(std::atof(argv[4])), static_cast<float>(std::atof(argv[5])), fs);
    }
    if (mode == "--verify") return runVerify();
    if (mode == "--refine") {
        if (argc != 3) return usage("--refine needs a file");
        return runRefine(argv[2]);
    }
    if (mode == "--write") {
        if (argc < 3) return usage("--write needs a file");
        int threads = 2;
        if (argc == 5 && std::string(argv[3]) == "--threads") threads = std::atoi(argv[4]);
        else if (argc != 3) return usage("bad arguments");
        if (threads < 1) threads = 1;
        std::string command = "solva-fit --write " + std::string(argv[2]);
        return runWrite(argv[2], threads, command, true);
    }
    return usage(("unknown mode " + mode).c_str());
}
