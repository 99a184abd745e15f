// solva-fit: fits the correction tables of the band kinds and writes them as
// C++ source.
//
//   solva-fit --write dsp/correction_tables_data.cpp [--threads N] [--only TABLE,...]
//   solva-fit --probe KIND FREQ_HZ Q GAIN_DB [--rate HZ]
//   solva-fit --refine FILE [--threads N] [--passes N] [--only TABLE,...] [--shorten]
//                         [--shorten-sinc] [--max-gain DB] [--top-from HZ] [--from-q Q]
//                         [--to-q Q] [--dense-q] [--peak]
//                         (refinement alone, from the built-in tables; --peak:
//                         the neighbourhoods' peak level error alone; --dense-q:
//                         probes a quarter step apart along Q; --shorten-sinc:
//                         shorter sincs where no probe gets worse)
//   solva-fit --verify [--list] [--dense]  (deviation of the built-in tables at the target
//                         settings; --dense: sweeps between the breakpoints as well)
#include <cstdio>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "dsp/band_kind.h"
#include "fit_grid.h"
#include "fit_verify.h"

using namespace solva;

int runWrite(const std::string& path, int threads, const std::string& command, bool refine,
             const std::string& only);
int runRefine(const std::string& path, const RefineOptions& given, float maxGainDb, const std::string& only,
              const std::string& command);
std::string unknownTableIn(const std::string& only);

namespace {

// The producing commands recorded in the header of the file about to be
// replaced (normally the source of the built-in tables), one step a line.
std::string producedBy(const std::string& path) {
    const std::string tag = "// Produced by tools/solva-fit: ", then = "//   then ";
    std::ifstream in(path);
    std::string line, found;
    while (std::getline(in, line)) {
        if (line.compare(0, tag.size(), tag) == 0) found = line.substr(tag.size());
        else if (!found.empty() && line.compare(0, then.size(), then) == 0) found += "\n" + line.substr(then.size());
        else if (!found.empty()) break;
    }
    return found.empty() ? "unknown tables" : found;
}

// A fit can run for many minutes: the target is tried before it starts,
// through the temporary file the tables are written to first.
bool canWrite(const std::string& path) {
    const std::string temporary = path + ".tmp";
    FILE* f = std::fopen(temporary.c_str(), "w");
    if (!f) return false;
    std::fclose(f);
    std::remove(temporary.c_str());
    return true;
}

int cannotWrite(const std::string& path) {
    std::fprintf(stderr, "solva-fit: cannot write %s\n", path.c_str());
    return 1;
}

// A whole argument read as a finite number, or false.
bool parseNumber(const char* text, float& value) {
    char* end = nullptr;
    const float v = std::strtof(text, &end);
    if (end == text || *end != '\0' || !std::isfinite(v)) return false;
    value = v;
    return true;
}

int usage(const char* msg) {
    std::fprintf(stderr, "solva-fit: %s (usage: solva-fit --write FILE [--threads N] [--only TABLES] | --refine FILE [--threads N] [--passes N] [--only TABLES] [--shorten] [--shorten-sinc] [--max-gain DB] [--top-from HZ] [--from-q Q] [--to-q Q] [--dense-q] [--peak] | --probe KIND FREQ_HZ Q GAIN_DB [--rate HZ] | --verify [--list] [--dense])\n", msg);
    return 2;
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
            std::printf("N%-2d L%-2d: %.4f dB rms %.4f %.2f deg  p %.4f flat %.3f kf %.4f kq %.4f dg %.3f og %.4f\n", sinc, length,
                        e.magDb, e.rmsDb, e.phaseLowDeg, t.centre, t.flat, t.freqRatio, t.qRatio, t.gainDeltaDb, t.outputGain);
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
    if (mode == "--verify") {
        bool list = false, dense = false;
        for (int i = 2; i < argc; ++i) {
            const std::string opt = argv[i];
            if (opt == "--list") list = true;
            else if (opt == "--dense") dense = true;
            else return usage("bad --verify option");
        }
        return runVerify(list, dense);
    }
    if (mode == "--refine") {
        if (argc < 3) return usage("--refine needs a file");
        RefineOptions o;
        std::string only;
        float maxGainDb = 0.0f;  // 0: each kind's own range
        float threads = static_cast<float>(o.threads), passes = static_cast<float>(o.passes);
        const std::pair<const char*, bool*> switches[] = {
            {"--shorten", &o.shorten}, {"--shorten-sinc", &o.shortenSinc}, {"--dense-q", &o.denseQ}, {"--peak", &o.peakOnly}};
        const std::pair<const char*, float*> numbers[] = {
            {"--threads", &threads},        {"--passes", &passes}, {"--max-gain", &maxGainDb},
            {"--top-from", &o.denseFromHz}, {"--from-q", &o.fromQ}, {"--to-q", &o.toQ}};
        for (int i = 3; i < argc; ++i) {
            const std::string opt = argv[i];
            bool* flag = nullptr;
            for (const auto& s : switches)
                if (opt == s.first) flag = s.second;
            if (flag) {
                *flag = true;
                continue;
            }
            if (i + 1 >= argc) return usage("bad --refine option");
            if (opt == "--only") {
                only = argv[++i];
                continue;
            }
            float* number = nullptr;
            for (const auto& n : numbers)
                if (opt == n.first) number = n.second;
            if (!number) return usage("bad --refine option");
            if (!parseNumber(argv[++i], *number) || *number < 0.0f) return usage(("bad value for " + opt).c_str());
        }
        o.threads = std::max(1, static_cast<int>(threads));
        o.passes = std::max(1, static_cast<int>(passes));
        if (!only.empty() && !unknownTableIn(only).empty()) return usage(("no table " + unknownTableIn(only)).c_str());
        if (!canWrite(argv[2])) return cannotWrite(argv[2]);
        // The header of the written file records how its tables came about.
        std::string command = producedBy(argv[2]) + "\nsolva-fit --refine";
        for (int i = 3; i < argc; ++i) command += std::string(" ") + argv[i];
        return runRefine(argv[2], o, maxGainDb, only, command);
    }
    if (mode == "--write") {
        if (argc < 3) return usage("--write needs a file");
        int threads = 2;
        std::string only;
        for (int i = 3; i + 1 < argc; i += 2) {
            const std::string opt = argv[i];
            if (opt == "--threads") threads = std::max(1, std::atoi(argv[i + 1]));
            else if (opt == "--only") only = argv[i + 1];
            else return usage("bad --write option");
        }
        if (argc % 2 == 0) return usage("bad --write arguments");
        if (!only.empty() && !unknownTableIn(only).empty()) return usage(("no table " + unknownTableIn(only)).c_str());
        if (!canWrite(argv[2])) return cannotWrite(argv[2]);
        std::string command = "solva-fit --write";
        if (!only.empty()) command = producedBy(argv[2]) + "\nsolva-fit --write --only " + only;
        return runWrite(argv[2], threads, command, true, only);
    }
    return usage(("unknown mode " + mode).c_str());
}
