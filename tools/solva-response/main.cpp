// solva-response: prints the magnitude and phase of one band or a chain of
// bands measured through EqEngine::processChunk (impulse response, DFT at
// log-spaced frequencies), with and without the FIR correction, against the
// analog prototype; optionally plots the three curves into a PNG.
//
// Usage: solva-response [--rate HZ] [--png FILE] [--points N] [--summary]
//                       KIND:FREQ_HZ:GAIN_DB:Q [KIND:FREQ_HZ:GAIN_DB:Q ...]
// Bands go into engine slots 0, 1, 2 ... in the order given.
#include <cmath>
#include <complex>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "dsp/response_analysis.h"
#include "plot_png.h"

using namespace solva;

namespace {

constexpr int kImpulseLength = 1 << 16;

int usage(const char* msg) {
    std::fprintf(stderr, "solva-response: %s (usage: solva-response [--rate HZ] [--png FILE] [--points N] "
                         "[--summary] KIND:FREQ_HZ:GAIN_DB:Q ...)\n", msg);
    return 2;
}

bool parseBand(const char* text, int slot, BandSetting& b) {
    int kind = 0;
    float f = 0, g = 0, q = 0;
    char tail = 0;
    if (std::sscanf(text, "%d:%f:%f:%f%c", &kind, &f, &g, &q, &tail) != 4) return false;
    if (kind < 2 || kind > 18 || !(f > 0.0f)) return false;
    b = {slot, kind, f, g, q};
    return true;
}

bool parseNumber(const char* text, double& out) {
    char* end = nullptr;
    out = std::strtod(text, &end);
    return end != text && *end == 0;
}

}  // namespace

int main(int argc, char** argv) {
    double rate = 44100.0, points = 200.0;
    bool summary = false;
    std::string png;
    std::vector<BandSetting> bands;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--rate" || a == "--png" || a == "--points") {
            if (i + 1 >= argc) return usage(("missing value after " + a).c_str());
            const char* v = argv[++i];
            if (a == "--png") png = v;
            else if (!parseNumber(v, a == "--rate" ? rate : points)) return usage(("bad number " + std::string(v)).c_str());
        } else if (a == "--summary") {
            summary = true;
        } else if (!a.empty() && a[0] == '-') {
            return usage(("unknown option " + a).c_str());
        } else {
            BandSetting b{};
            if (static_cast<int>(bands.size()) >= EqEngine::kNumSlots) return usage("at most 8 bands");
            if (!parseBand(argv[i], static_cast<int>(bands.size()), b)) return usage(("bad band " + a).c_str());
            bands.push_back(b);
        }
    }
    if (bands.empty()) return usage("no band given");
    if (!(rate >= 8000.0 && rate <= 384000.0) || !(points >= 2.0 && points <= 10000.0))
        return usage("rate must be 8000..384000 and points 2..10000");

    auto engine = std::make_unique<EqEngine>();
    std::vector<float> corrected(kImpulseLength), uncorrected(kImpulseLength);
    const float fs = static_cast<float>(rate);
    measureImpulseResponse(*engine, fs, bands.data(), static_cast<int>(bands.size()), corrected.data(), kImpulseLength);
    engine->setUseCorrection(false);
    measureImpulseResponse(*engine, fs, bands.data(), static_cast<int>(bands.size()), uncorrected.data(), kImpulseLength);

    const int n = static_cast<int>(points);
    const double hi = std::fmin(20000.0, rate * 0.5 * 0.999);
    PlotCurve analogC{{}, {}, 0x000000u}, corrC{{}, {}, 0x0050D0u}, uncorrC{{}, {}, 0xD03020u};
    double maxCorr = 0.0, maxUncorr = 0.0, maxPhase = 0.0;
    if (!summary) std::printf("# freq_hz analog_db corrected_db uncorrected_db analog_deg corrected_deg uncorrected_deg\n");
    for (int i = 0; i < n; ++i) {
        const double f = 20.0 * std::pow(hi / 20.0, static_cast<double>(i) / (n - 1));
        std::complex<double> ref = 1.0;
        for (const BandSetting& b : bands) ref *= analogBandResponse(b.kind, f, b.freqHz, b.qFactor, b.gainDb, fs);
        const auto c = dftAt(corrected.data(), kImpulseLength, f, rate);
        const auto u = dftAt(uncorrected.data(), kImpulseLength, f, rate);
        const double rad = 180.0 / 3.141592653589793;
        const double phaseErr = std::fabs(std::arg(c / ref)) * rad;
        maxCorr = std::fmax(maxCorr, std::fabs(magnitudeDb(c) - magnitudeDb(ref)));
        maxUncorr = std::fmax(maxUncorr, std::fabs(magnitudeDb(u) - magnitudeDb(ref)));
        maxPhase = std::fmax(maxPhase, phaseErr);
        analogC.freqHz.push_back(f); analogC.valueDb.push_back(magnitudeDb(ref));
        corrC.freqHz.push_back(f); corrC.valueDb.push_back(magnitudeDb(c));
        uncorrC.freqHz.push_back(f); uncorrC.valueDb.push_back(magnitudeDb(u));
        if (!summary)
            std::printf("%10.2f %9.4f %9.4f %9.4f %9.3f %9.3f %9.3f\n", f, magnitudeDb(ref), magnitudeDb(c),
                        magnitudeDb(u), std::arg(ref) * rad, std::arg(c) * rad, std::arg(u) * rad);
    }
    std::printf("max_abs_error_db corrected %.4f uncorrected %.4f max_phase_error_deg corrected %.3f\n", maxCorr,
                maxUncorr, maxPhase);
    if (!png.empty()) {
        double lo = 0.0, top = 0.0;
        for (double v : analogC.valueDb) { lo = std::fmin(lo, v); top = std::fmax(top, v); }
        lo = std::fmax(-60.0, std::floor(lo / 6.0) * 6.0 - 6.0);
        top = std::ceil(top / 6.0) * 6.0 + 6.0;
        if (!writeResponsePlot(png, "", {analogC, uncorrC, corrC}, lo, top, 20.0, rate * 0.5)) {
            std::fprintf(stderr, "solva-response: cannot write %s\n", png.c_str());
            return 1;
        }
    }
    return 0;
}
