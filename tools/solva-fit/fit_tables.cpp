// Table fitting: every grid point of a table, written as C++ source.
#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "dsp/band_kind.h"
#include "fit_grid.h"
#include "fit_host_shape.h"
#include "params/engine_laws.h"

namespace solva {
namespace {

constexpr float kFitRateHz = 44100.0f;
constexpr int kFitFreqs = 96;
constexpr double kFitTopStepHz = 250.0;  // extra points where narrow dips appear
constexpr int kSincIndex = 12;

// Kernel length per kind where a correction is worth it.
int lengthForKind(int kind) {
    switch (kind) {
    case kKindHighPass1: return 8;
    case kKindBell: return 16;
    default: return 24;
    }
}


CorrectionEntry toEntry(const CorrectionTable& t, const Trial& tr, float f, float q, float tableGain, int gainSign) {
    CorrectionEntry e{};
    e.hostType = 0;
    e.sincIndex = static_cast<int8_t>(tr.sincIndex);
    e.length = static_cast<float>(tr.length);
    e.sincCentre = static_cast<float>(tr.centre);
    e.flatFraction = static_cast<float>(tr.flat);
    // Host values are stored absolute: an entry standing for the band's own
    // value would mix, in the interpolation, the band's value with its
    // neighbours' breakpoint-based ones and detune every band between
    // breakpoints.
    e.freqHz = static_cast<float>(f * tr.freqRatio);
    e.qFactor = t.numQ <= 1 ? 0.0f : static_cast<float>(q * tr.qRatio);
    e.q2Factor = e.qFactor;
    e.outputGain = 1.0f;
    if (t.threeAxis()) {
        const double bandGain = gainSign * tableGain;
        float stored = static_cast<float>(gainSign * (bandGain + tr.gainDeltaDb));
        if (tr.gainDeltaDb == 0.0) stored = tableGain;   // untuned: interpolates to the band's gain
        if (stored == 0.0f) stored = kZeroGainDb;        // 0 itself would stand for the band's gain
        e.gainDb = stored;
        e.outputGain = tableGain == 0.0f ? 1.0f : static_cast<float>(tr.outputGain);
    } else {
        e.gainDb = -400.0f;
    }
    return e;
}

// Fits one (frequency, Q) column over all gains, from 0 dB outward with warm starts.
void fitColumn(const CorrectionTable& t, int kind, int gainSign, int fi, int qi, int length,
               std::vector<CorrectionEntry>& out, double& worstC, double& worstU) {
    const float f = t.freqAxisHz[fi], q = gridQ(t, qi);
    const FitAxes axes = axesForKind(kind);
    std::vector<Trial> trials(static_cast<size_t>(t.numGain));
    const int zero = t.numGain > 1 ? 15 : 0;
    for (int dir : {1, -1}) {
        const Trial* warm = nullptr;
        for (int gi = zero + (dir < 0 && t.numGain > 1 ? -1 : 0); gi >= 0 && gi < t.numGain; gi += dir) {
            const float g = gridGain(t, gi);
            Trial tr;
            tr.sincIndex = kSincIndex;
            if ((length > 0 || kind == kKindHighPass1) && !(t.numGain > 1 && g == 0.0f)) {
                const FitPoint p = makeFitPoint(kind, f, q, gainSign * g, kFitRateHz, kFitFreqs, kFitTopStepHz);
                const FitError unc = evaluateTrial(p, Trial{});
                FitError e;
                tr = fitGridPoint(p, axes, {length}, warm, e);
                if (tr.length == 0 || e.magDb > unc.magDb) {  // correcting does not help here
                    tr = Trial{};
                    e = unc;
                }
                if (std::fabs(g) <= 15.0f) {  // the range the effect sends
                    worstC = std::max(worstC, e.magDb);
                    worstU = std::max(worstU, unc.magDb);
                }
            } else {
                tr.length = length;
            }
            tr.sincIndex = kSincIndex;
            trials[static_cast<size_t>(gi)] = tr;
            warm = &trials[static_cast<size_t>(gi)];
            if (t.numGain == 1) break;
        }
        if (t.numGain == 1) break;
    }
    if (t.numGain > 1) {  // 0 dB: the +2 dB kernel shape with untuned host values
        trials[15] = trials[16];
        trials[15].gainDeltaDb = 0.0;
        trials[15].freqRatio = trials[15].qRatio = trials[15].outputGain = 1.0;
    }
    for (int gi = 0; gi < t.numGain; ++gi) {
        const int idx = (fi * t.numQ + qi) * t.numGain + gi;
        out[static_cast<size_t>(idx)] = toEntry(t, trials[static_cast<size_t>(gi)], f, q, gridGain(t, gi), gainSign);
    }
}

// Correction is used from the first frequency where the plain design departs
// from the prototype by more than this anywhere on the Q x gain grid.
constexpr double kNeedsCorrectionDb = 0.05;

bool frequencyNeedsCorrection(const CorrectionTable& t, int kind, int gainSign, int fi) {
    for (int qi = 0; qi < t.numQ; ++qi)
        for (int gi = 0; gi < t.numGain; gi += 1) {
            if (std::fabs(gridGain(t, gi)) > 16.0f) continue;  // beyond what the effect sends
            const FitPoint p = makeFitPoint(kind, t.freqAxisHz[fi], gridQ(t, qi), gainSign * gridGain(t, gi),
                                            kFitRateHz, kFitFreqs, kFitTopStepHz);
            if (evaluateTrial(p, Trial{}).magDb > kNeedsCorrectionDb) return true;
        }
    return false;
}

}  // namespace

std::vector<CorrectionEntry> fitTable(const CorrectionTable& t, int kind, int gainSign, int threads,
                                      TableReport& report) {
    std::vector<CorrectionEntry> out(static_cast<size_t>(t.entryCount()));
    std::vector<int> lengths(static_cast<size_t>(t.numFreq), 0);
    bool needed = false;
    for (int fi = 0; fi < t.numFreq; ++fi) {
        needed = needed || frequencyNeedsCorrection(t, kind, gainSign, fi);
        lengths[static_cast<size_t>(fi)] = needed ? lengthForKind(kind) : 0;
    }
    std::atomic<int> next{0};
    std::mutex mutex;
    auto worker = [&]() {
        double wc = 0.0, wu = 0.0;
        for (;;) {
            const int job = next.fetch_add(1);
            if (job >= t.numFreq * t.numQ) break;
            const int fi = job / t.numQ, qi = job % t.numQ;
            fitColumn(t, kind, gainSign, fi, qi, lengths[static_cast<size_t>(fi)], out, wc, wu);
        }
        std::lock_guard<std::mutex> lock(mutex);
        report.worstCorrected = std::max(report.worstCorrected, wc);
        report.worstUncorrected = std::max(report.worstUncorrected, wu);
    };
    std::vector<std::thread> pool;
    for (int i = 0; i < threads; ++i) pool.emplace_back(worker);
    for (std::thread& th : pool) th.join();
    // Entries without a correction take the kernel shape of the first
    // corrected frequency, so interpolation across the boundary stays smooth.
    for (int fi = t.numFreq - 2; fi >= 0; --fi) {
        if (lengths[static_cast<size_t>(fi)] != 0 || lengths[static_cast<size_t>(fi + 1)] == 0) continue;
        for (int k = 0; k < t.numQ * t.numGain; ++k) {
            CorrectionEntry& e = out[static_cast<size_t>(fi * t.numQ * t.numGain + k)];
            const CorrectionEntry& up = out[static_cast<size_t>((fi + 1) * t.numQ * t.numGain + k)];
            e.sincCentre = up.sincCentre;
            e.flatFraction = up.flatFraction;
        }
    }
    return out;
}

// Rewrites entries that stand for the band's own host values as the
// breakpoint's absolute values (see toEntry).
void makeHostValuesAbsolute(const CorrectionTable& t, std::vector<CorrectionEntry>& entries) {
    for (int fi = 0; fi < t.numFreq; ++fi)
        for (int qi = 0; qi < t.numQ; ++qi)
            for (int gi = 0; gi < t.numGain; ++gi) {
                CorrectionEntry& e = entries[static_cast<size_t>((fi * t.numQ + qi) * t.numGain + gi)];
                if (e.freqHz <= 0.0f) e.freqHz = t.freqAxisHz[fi];
                if (t.numQ > 1 && e.qFactor <= 0.0f) e.qFactor = e.q2Factor = t.qAxis[qi];
                if (t.threeAxis() && e.gainDb == 0.0f) {
                    const float g = gridGain(t, gi);
                    e.gainDb = g == 0.0f ? kZeroGainDb : g;
                }
            }
}

bool writeTablesSource(const std::string& path, const std::string& command,
                       const std::vector<std::pair<std::string, std::vector<CorrectionEntry>>>& tables) {
    // Written beside the target and renamed over it at the end, so a run cut
    // short never leaves a half-written source behind.
    const std::string temporary = path + ".tmp";
    FILE* f = std::fopen(temporary.c_str(), "w");
    if (!f) return false;
    std::fprintf(f, "// GENERATED FILE - do not edit by hand.\n");
    // One producing step a line: the first, then each refinement.
    std::string steps = command;
    const std::string then = "\n//   then ";
    for (size_t at = steps.find('\n'); at != std::string::npos; at = steps.find('\n', at + then.size()))
        steps.replace(at, 1, then);
    std::fprintf(f, "// Produced by tools/solva-fit: %s\n", steps.c_str());
    std::fprintf(f, "// Regenerate from the build directory with:\n");
    std::fprintf(f, "//   tools/solva-fit/solva-fit --write <source>/dsp/correction_tables_data.cpp\n");
    std::fprintf(f, "// (a fresh fit and its refinement, the same on every run); --refine steps,\n");
    std::fprintf(f, "// recorded above when there are any, improve the tables compiled into the tool.\n");
    std::fprintf(f, "// Entries: host type, sinc index, length, sinc centre, flat fraction, host\n");
    std::fprintf(f, "// frequency (Hz at 44.1 kHz, 0 = band's), Q, Q2 (0 = band's), gain, output gain.\n");
    std::fprintf(f, "// Fitted at 44.1 kHz against the analog prototypes over 20 Hz..20 kHz (the\n");
    std::fprintf(f, "// first-order high-pass from 4.6 Hz: 20 Hz at 192 kHz); the frequency\n");
    std::fprintf(f, "// scaling by fs/44100 carries them to every other rate.\n");
    std::fprintf(f, "#include \"dsp/correction_table.h\"\n\nnamespace solva {\n");
    for (const auto& table : tables) {
        std::fprintf(f, "\nconst CorrectionEntry %s[%zu] = {\n", table.first.c_str(), table.second.size());
        for (const CorrectionEntry& e : table.second)
            std::fprintf(f, "    {%d, %d, %.9g, %.9g, %.9g, %.9g, %.9g, %.9g, %.9g, %.9g},\n", e.hostType, e.sincIndex,
                         e.length, e.sincCentre, e.flatFraction, e.freqHz, e.qFactor, e.q2Factor, e.gainDb, e.outputGain);
        std::fprintf(f, "};\n");
    }
    std::fprintf(f, "\n}  // namespace solva\n");
    if (std::fclose(f) != 0) return false;
    return std::rename(temporary.c_str(), path.c_str()) == 0;
}

}  // namespace solva

using namespace solva;

namespace {

// The generated tables in source order, each with the kind fitted to it and
// how: a kernel per entry (the 12 dB low-pass), a reshaped host section
// alone (the first-order high-pass, the high shelf, the bell), the mirror of
// the table before it (the low shelf, from the high shelf) or nothing (the
// first-order low-pass carries no correction).
enum class FitMethod { kKernel, kHostShape, kMirror, kNone };

struct TableJob {
    const char* name;
    const CorrectionTable& table;
    int kind, gainSign;
    FitMethod method;
};

const std::vector<TableJob>& tableJobs() {
    static const std::vector<TableJob> jobs = {
        {"kHighPass1Entries", highPass1Table(), kKindHighPass1, 1, FitMethod::kHostShape},
        {"kLowPass1Entries", lowPass1Table(), kKindLowPass1, 1, FitMethod::kNone},
        {"kLowPass2Entries", lowPass2Table(), kKindLowPass2, 1, FitMethod::kKernel},
        {"kShelfAEntries", shelfTableA(), kKindHighShelfA, 1, FitMethod::kHostShape},
        {"kShelfBEntries", shelfTableB(), kKindLowShelfB, -1, FitMethod::kMirror},
        {"kBellEntries", bellTable(), kKindBell, 1, FitMethod::kHostShape},
    };
    return jobs;
}

// Whether a table is among those named by --only (all when none are).
bool named(const std::string& only, const char* name) { return only.empty() || only.find(name) != std::string::npos; }

std::vector<CorrectionEntry> fitHostShaped(const TableJob& j, int threads) {
    HostShapeReport r;
    std::vector<CorrectionEntry> entries;
    if (j.kind == kKindHighPass1) entries = fitHighPass1HostShape(j.table, r);
    else if (j.kind == kKindBell) entries = fitBellHostShape(j.table, threads, r);
    else entries = fitShelfHostShape(j.table, j.kind, j.gainSign, threads, r);
    std::printf("%-18s kind %2d: host section alone, worst %.3f dB, RMS %.4f dB, phase %.2f deg\n",
                j.name, j.kind, r.worstDb, r.worstRmsDb, r.worstPhaseDeg);
    std::fflush(stdout);
    return entries;
}

// The largest band gain the bell gain warp sends at one Q (from the user's
// +-15 dB).
float largestBellGainDb(float q) { return std::max(std::fabs(bellGainWarp(15.0f, q)), std::fabs(bellGainWarp(-15.0f, q))); }

}  // namespace

// o with the limits of j's kind: the largest band gain and the Q range the
// effect sends it.
RefineOptions limitedToKind(const TableJob& j, RefineOptions o) {
    o.maxGainDb = j.kind == kKindBell ? kBellGainRangeDb : (j.table.threeAxis() ? kShelfGainRangeDb : 0.0f);
    // The effect's Q laws: bells 0.1..7, 12 dB low-pass 0.05..12 (shelves
    // use their whole axis).
    if (j.kind == kKindBell) o.minQ = 0.1f, o.maxQ = 7.0f, o.maxGainAtQ = largestBellGainDb;
    if (j.kind == kKindLowPass2) o.minQ = 0.05f, o.maxQ = 12.0f;
    return o;
}

RefineOptions refineOptionsFor(const TableJob& j, int threads) {
    RefineOptions o;
    o.threads = threads;
    return limitedToKind(j, o);
}

// The refinement after a kernel table's fresh fit: plain passes, passes
// against each neighbourhood's peak level error (then with probes a quarter
// step apart along Q), shorter sincs where no probe gets worse (with a plain
// pass after them), and the quarter-step peak passes once more.
void refineKernelTable(const TableJob& j, std::vector<CorrectionEntry>& entries, int threads) {
    struct Step {
        int passes;
        bool peakOnly, denseQ, shortenSinc;
    };
    const Step steps[] = {
        {2, false, false, false}, {2, true, false, false}, {2, true, true, false}, {1, false, false, true}, {2, true, true, false}};
    for (const Step& s : steps) {
        RefineOptions o = refineOptionsFor(j, threads);
        o.passes = s.passes;
        o.peakOnly = s.peakOnly;
        o.denseQ = s.denseQ;
        o.shortenSinc = s.shortenSinc;
        refineTable(j.table, j.kind, j.gainSign, entries, o);
    }
}

// One pass against the neighbourhoods' peak level error over a shelf
// table's steepest top entries, probing a quarter step apart along
// frequency, from 5 kHz up and at Q 1.4 and above: there the steepest
// shelves, interpolated between two frequency breakpoints, miss the level
// by more than at either breakpoint.
void refineSteepTop(const TableJob& j, std::vector<CorrectionEntry>& entries, int threads) {
    RefineOptions o = refineOptionsFor(j, threads);
    o.passes = 1;
    o.peakOnly = true;
    o.denseFromHz = 5000.0f;
    o.fromQ = 1.4f;
    refineTable(j.table, j.kind, j.gainSign, entries, o);
}

// The low shelf's table: the high shelf's entries (before it) with their
// steep top refined, mirrored, then refined by plain passes and at its own
// steep top. The high shelf keeps its entries without that step: its sweep
// between breakpoints is within the targets already, and the step would
// cost it RMS at 88.2 and 96 kHz, where 15 kHz bands look up those rows.
// Mirrored from the high shelf as written instead, the low shelf misses
// 0.35 dB between breakpoints.
std::vector<CorrectionEntry> lowShelfEntries(const TableJob& j, const TableJob& highShelf,
                                             std::vector<CorrectionEntry> source, bool refine, int threads) {
    if (refine) refineSteepTop(highShelf, source, threads);
    std::vector<CorrectionEntry> entries = mirrorShelfEntries(j.table, source);
    if (refine) {
        refineTable(j.table, j.kind, j.gainSign, entries, refineOptionsFor(j, threads));
        refineSteepTop(j, entries, threads);
    }
    return entries;
}

// Fits the tables named in only (all when empty) afresh; the others are
// written as compiled in.
int runWrite(const std::string& path, int threads, const std::string& command, bool refine,
             const std::string& only) {
    std::vector<std::pair<std::string, std::vector<CorrectionEntry>>> tables;
    for (const TableJob& j : tableJobs()) {
        TableReport report;
        std::vector<CorrectionEntry> entries;
        // A mirrored table follows the table before it whenever that one is
        // fitted afresh.
        if (j.method == FitMethod::kMirror && (named(only, j.name) || named(only, (&j - 1)->name))) {
            entries = lowShelfEntries(j, *(&j - 1), tables.back().second, refine, threads);
            tables.emplace_back(j.name, std::move(entries));
            continue;
        }
        if (!named(only, j.name)) {
            entries.assign(j.table.entries, j.table.entries + j.table.entryCount());
            tables.emplace_back(j.name, std::move(entries));
            continue;
        }
        if (j.method == FitMethod::kHostShape) {
            entries = fitHostShaped(j, threads);
            // The high-pass fit judges its entries between breakpoints itself.
            if (refine && j.table.threeAxis()) refineTable(j.table, j.kind, j.gainSign, entries, refineOptionsFor(j, threads));
            tables.emplace_back(j.name, std::move(entries));
            continue;
        }
        if (j.method == FitMethod::kKernel) {
            entries = fitTable(j.table, j.kind, j.gainSign, threads, report);
            // The point fits span every Q of the table, beyond the effect's
            // range; what the engine plays between breakpoints is measured by
            // --verify once the tables are built in.
            std::printf("%-18s kind %2d: point fits at every table Q, worst %.3f dB (uncorrected %.3f dB)\n", j.name,
                        j.kind, report.worstCorrected, report.worstUncorrected);
            std::fflush(stdout);
            makeHostValuesAbsolute(j.table, entries);
            if (refine) refineKernelTable(j, entries, threads);
        } else {
            entries.assign(static_cast<size_t>(j.table.entryCount()), CorrectionEntry{0, 0, 0, 0.5f, 0, 0, 0, 0, -400.0f, 1.0f});
            std::printf("%-18s kind %2d: no correction\n", j.name, j.kind);
            std::fflush(stdout);
        }
        tables.emplace_back(j.name, std::move(entries));
    }
    if (!writeTablesSource(path, command, tables)) {
        std::fprintf(stderr, "solva-fit: cannot write %s\n", path.c_str());
        return 1;
    }
    return 0;
}

// Refines the built-in tables (as compiled in) named in only (all when
// empty) and writes every table out again.
int runRefine(const std::string& path, const RefineOptions& given, float maxGainDb, const std::string& only,
              const std::string& command) {
    std::vector<std::pair<std::string, std::vector<CorrectionEntry>>> tables;
    for (const TableJob& j : tableJobs()) {
        // A mirrored table is built again from the table before it, as
        // written and as --write builds it, when either is refined.
        const bool remirror = j.method == FitMethod::kMirror && (named(only, j.name) || named(only, (&j - 1)->name));
        std::vector<CorrectionEntry> entries =
            remirror ? lowShelfEntries(j, *(&j - 1), tables.back().second, true, given.threads)
                     : std::vector<CorrectionEntry>(j.table.entries, j.table.entries + j.table.entryCount());
        if (j.method != FitMethod::kNone && (named(only, j.name) || remirror)) {
            makeHostValuesAbsolute(j.table, entries);
            RefineOptions o = limitedToKind(j, given);
            if (maxGainDb > 0.0f) o.maxGainDb = std::min(o.maxGainDb, maxGainDb);
            refineTable(j.table, j.kind, j.gainSign, entries, o);
            std::printf("%s refined\n", j.name);
            std::fflush(stdout);
        }
        tables.emplace_back(j.name, std::move(entries));
    }
    if (!writeTablesSource(path, command, tables)) {
        std::fprintf(stderr, "solva-fit: cannot write %s\n", path.c_str());
        return 1;
    }
    return 0;
}

// The first name in a comma-separated list that names no generated table
// (empty when all do).
std::string unknownTableIn(const std::string& only) {
    size_t start = 0;
    while (start <= only.size()) {
        const size_t comma = std::min(only.find(',', start), only.size());
        const std::string name = only.substr(start, comma - start);
        bool known = false;
        for (const TableJob& j : tableJobs()) known = known || name == j.name;
        if (!known) return name.empty() ? std::string("(empty)") : name;
        start = comma + 1;
    }
    return std::string();
}
