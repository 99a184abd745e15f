#include "cmd_response_report.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "dsp/band_kind.h"

namespace solvahost {

namespace {

constexpr double kRadToDeg = 57.29577951308232;

std::string printf1(const char* pattern, double value) {
    char text[64];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

// "engine 18000 Hz Q 7 -28.70 dB" for one band, without the parts that do
// not apply to its kind.
std::string engineText(const EngineBand& e) {
    char text[96];
    if (e.freqHz == solva::kAirFreqHz)
        std::snprintf(text, sizeof text, "%+.2f dB", double(e.gainDb));
    else if (e.gainDb == 0.0f)
        std::snprintf(text, sizeof text, "%.6g Hz Q %.4g", double(e.freqHz), double(e.qFactor));
    else
        std::snprintf(text, sizeof text, "%.6g Hz Q %.4g %+.2f dB", double(e.freqHz), double(e.qFactor),
                      double(e.gainDb));
    return text;
}

// The report's target column: "none" for the families without correction.
const char* targetWord(const FamilySummary& r) {
    return !gridFamilyHasTarget(r.family) ? "none" : r.meetsTarget() ? "met" : "missed";
}

}  // namespace

CaseError caseError(const std::vector<double>& freqsHz, const CaseMeasurement& m) {
    CaseError e;
    e.errorDb.assign(freqsHz.size(), std::numeric_limits<double>::quiet_NaN());
    double sumSquares = 0.0;
    int scored = 0;
    for (size_t i = 0; i < freqsHz.size(); ++i) {
        const double protoDb = 20.0 * std::log10(std::abs(m.prototype[i]) + 1e-300);
        if (protoDb < kScoreFloorDb) continue;
        const double err = 20.0 * std::log10(std::abs(m.measured[i]) + 1e-300) - protoDb;
        e.errorDb[i] = err;
        if (std::fabs(err) > e.maxDb) {
            e.maxDb = std::fabs(err);
            e.maxDbAtHz = freqsHz[i];
        }
        sumSquares += err * err;
        ++scored;
        const double phaseDeg = std::fabs(std::arg(m.measured[i] / m.prototype[i])) * kRadToDeg;
        if (freqsHz[i] <= kPhaseLimitHz && phaseDeg > e.maxPhaseDeg) {
            e.maxPhaseDeg = phaseDeg;
            e.maxPhaseAtHz = freqsHz[i];
        }
    }
    e.rmsDb = scored > 0 ? std::sqrt(sumSquares / scored) : 0.0;
    e.phaseFloorDeg = m.phaseFloorDeg;
    return e;
}

bool FamilySummary::add(int index, const GridCase& gridCase, const CaseMeasurement& m, const CaseError& e) {
    ++cases;
    if (gridCase.topFreqHz <= kLowBandLimitHz) {
        ++lowCases;
        maxDbLow = std::fmax(maxDbLow, e.maxDb);
    }
    rmsDb = std::fmax(rmsDb, e.rmsDb);
    phaseDeg = std::fmax(phaseDeg, e.maxPhaseDeg);
    phaseFloorDeg = std::fmax(phaseFloorDeg, e.phaseFloorDeg);
    if (worstCase >= 0 && e.maxDb <= maxDb) return false;
    maxDb = e.maxDb;
    worstCase = index;
    worst = gridCase.label;
    // The engine values say what the prototype was built from; a chain lists
    // only its label.
    if (m.engine.size() == 1) worst += " (engine " + engineText(m.engine[0]) + ")";
    return true;
}

bool FamilySummary::meetsTarget() const {
    return maxDb <= kTargetMaxDb && maxDbLow <= kTargetMaxDbLow && rmsDb <= kTargetRmsDb &&
           phaseDeg <= kTargetPhaseDeg;
}

std::string formatCaseLine(GridFamily family, float rateHz, const GridCase& gridCase, const CaseError& e) {
    char line[512];
    std::snprintf(line, sizeof line,
                  "case family=%s rate=%.0f max_db=%.4f at_hz=%.0f rms_db=%.4f phase_deg=%.3f at_hz=%.0f "
                  "phase_floor_deg=%.3f \"%s\"\n",
                  gridFamilyName(family), double(rateHz), e.maxDb, e.maxDbAtHz, e.rmsDb, e.maxPhaseDeg,
                  e.maxPhaseAtHz, e.phaseFloorDeg, gridCase.label.c_str());
    return line;
}

std::string formatReportTable(const std::vector<FamilySummary>& rows, bool sampled, int latencyFrames) {
    std::string out;
    out += "Solva response grid";
    out += sampled ? " (sampled subset)\n" : " (full grid)\n";
    out += "Each case measured through processReplacing (impulse after settling) against the product of the\n"
           "analog prototypes of its bands with their engine values; 512 log-spaced points, 20 Hz .. 20 kHz.\n"
           "Points where the prototype is below " + printf1("%.0f", kScoreFloorDb) + " dB are not scored.\n"
           "max dB: largest |level error| over all cases; <=10k: over cases with f0 <= 10 kHz;\n"
           "RMS dB: RMS level error over the points of a case, largest over the cases;\n"
           "phase: largest |phase error| up to 10 kHz, degrees, with no delay removed; latency reported by the\n"
           "plug-in: " + std::to_string(latencyFrames) + " samples.\n"
           "floor: the phase error no zero-latency filter with the prototype's level up to fs/2 avoids (the\n"
           "minimum-phase filter of that level lags the prototype by this much; any other one lags more),\n"
           "largest over the cases, degrees.\n"
           "Target: max <= 0.6 dB, <= 0.35 dB for f0 <= 10 kHz, RMS <= 0.05 dB, phase <= 10 deg\n"
           "(\"none\": no correction by design, figures for information).\n\n";
    char line[512];
    std::snprintf(line, sizeof line, "%-13s %6s %5s %7s %7s %7s %8s %6s  %-6s  %s\n", "family", "rate", "cases",
                  "max dB", "<=10k", "RMS dB", "phase", "floor", "target", "worst case");
    out += line;
    for (const FamilySummary& r : rows) {
        const std::string low = r.lowCases > 0 ? printf1("%7.3f", r.maxDbLow) : "      -";
        std::snprintf(line, sizeof line, "%-13s %6.0f %5d %7.3f %s %7.4f %8.2f %6.2f  %-6s  %s\n",
                      gridFamilyName(r.family), double(r.rateHz), r.cases, r.maxDb, low.c_str(), r.rmsDb, r.phaseDeg,
                      r.phaseFloorDeg, targetWord(r), r.worst.c_str());
        out += line;
    }
    return out;
}

std::string formatReportMachine(const std::vector<FamilySummary>& rows) {
    std::string out;
    char line[512];
    for (const FamilySummary& r : rows) {
        std::snprintf(line, sizeof line,
                      "grid family=%s rate=%.0f cases=%d max_db=%.4f max_db_low=%.4f rms_db=%.4f phase_deg=%.4f "
                      "phase_floor_deg=%.4f target=%s worst=\"%s\"\n",
                      gridFamilyName(r.family), double(r.rateHz), r.cases, r.maxDb, r.maxDbLow, r.rmsDb, r.phaseDeg,
                      r.phaseFloorDeg, targetWord(r), r.worst.c_str());
        out += line;
    }
    return out;
}

}  // namespace solvahost
