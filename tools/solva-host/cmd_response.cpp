// "response": the analog-match grid of Solva. Every case of every chosen
// family is set through the plug-in's own parameters, processed with
// processReplacing and compared with the analog prototypes of its bands; the
// report gives per family and rate the largest level error, the largest for
// f0 <= 10 kHz, the RMS error, the largest phase error up to 10 kHz and the
// worst case, and the plots show each family's worst case.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "cli_args.h"
#include "cmd_response_grid.h"
#include "cmd_response_measure.h"
#include "cmd_response_plot.h"
#include "cmd_response_report.h"
#include "command.h"
#include "host_error.h"
#include "progress_bar.h"

namespace solvahost {

namespace {

const char* const kUsage =
    "response PLUGIN [--rate R ...] [--family NAME ...] [--sampled|--full] [--png-dir DIR] [--out FILE]\n"
    "                [--machine] [--cases] [--quiet] [--progress]\n\n"
    "  --rate R        sample rate in Hz, repeatable (default: 44100 and 48000)\n"
    "  --family NAME   bell, low-shelf, high-shelf, high-pass-6, high-pass-12, low-pass-6,\n"
    "                  low-pass-12, air or chain; repeatable (default: every family)\n"
    "  --sampled       a small representative subset of each family (92 cases per rate)\n"
    "  --full          the full grid (913 cases per rate; the default)\n"
    "  --png-dir DIR   write the worst case of each family and rate as FAMILY_RATE.png\n"
    "                  (measured over prototype) and FAMILY_RATE_error.png (level error)\n"
    "  --out FILE      also write the report table to FILE\n"
    "  --machine       print one key=value line per family and rate instead of the table\n"
    "  --cases         also print one key=value line per case as it is measured\n"
    "  --quiet         no progress bar\n"
    "  --progress      progress bar even when stderr is not a terminal";

struct ResponseOptions {
    std::string pluginPath;
    std::vector<float> ratesHz;
    std::vector<GridFamily> families;
    bool sampled = false;
    bool machine = false;
    bool caseLines = false;
    std::string pngDir;
    std::string outPath;
    bool showProgress = false;
};

ResponseOptions parseOptions(const ParsedArgs& parsed) {
    requirePositional(parsed, 1, "response PLUGIN [options]");
    ResponseOptions o;
    o.pluginPath = parsed.positional[0];
    for (const std::string& text : parsed.values("rate")) o.ratesHz.push_back(parseSampleRate(text));
    if (o.ratesHz.empty()) o.ratesHz = {44100.0f, 48000.0f};
    for (const std::string& name : parsed.values("family")) {
        GridFamily family;
        if (!gridFamilyFromName(name, family))
            throw UsageError("unknown family \"" + name + "\" (see response --help)");
        o.families.push_back(family);
    }
    if (o.families.empty()) o.families = allGridFamilies();
    o.sampled = parsed.has("sampled");
    if (o.sampled && parsed.has("full")) throw UsageError("--sampled and --full exclude each other");
    o.machine = parsed.has("machine");
    o.caseLines = parsed.has("cases");
    o.pngDir = parsed.value("png-dir");
    o.outPath = parsed.value("out");
    if (parsed.has("png-dir") && o.pngDir.empty()) throw UsageError("--png-dir needs a directory");
    if (parsed.has("out") && o.outPath.empty()) throw UsageError("--out needs a file name");
    if (!o.pngDir.empty() && !responsePlotsAvailable())
        throw UsageError("--png-dir: this solva-host was built without libpng");
    // The full grid takes a while: a bar on a terminal, unless told otherwise.
    o.showProgress = shouldShowProgress(o.sampled ? 0.0 : 1e9, parsed.has("quiet"), parsed.has("progress"));
    return o;
}

void preparePngDir(const std::string& dir) {
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    if (!std::filesystem::is_directory(dir)) throw HostError("cannot create directory " + dir);
}

std::string rateText(float rateHz) {
    char text[32];
    std::snprintf(text, sizeof text, "%.0f", double(rateHz));
    return text;
}

// Runs every case of one family at the rig's rate; plots the worst case.
FamilySummary runFamily(ResponseRig& rig, GridFamily family, const ResponseOptions& o,
                        const std::vector<double>& freqsHz, ProgressBar& bar, int64_t& done) {
    FamilySummary summary;
    summary.family = family;
    summary.rateHz = rig.sampleRateHz();
    const std::vector<GridCase> grid = buildGrid(family, o.sampled);
    CaseMeasurement worstMeasurement;
    CaseError worstError;
    for (size_t i = 0; i < grid.size(); ++i) {
        CaseMeasurement m = rig.measure(grid[i], freqsHz);
        CaseError e = caseError(freqsHz, m);
        if (o.caseLines) std::fputs(formatCaseLine(family, rig.sampleRateHz(), grid[i], e).c_str(), stdout);
        if (summary.add(int(i), grid[i], m, e)) {
            worstMeasurement = std::move(m);
            worstError = std::move(e);
        }
        bar.update(++done);
    }
    if (!o.pngDir.empty() && summary.worstCase >= 0)
        writeResponsePlots(o.pngDir, std::string(gridFamilyName(family)) + "_" + rateText(rig.sampleRateHz()),
                           freqsHz, worstMeasurement, worstError);
    return summary;
}

void writeTextFile(const std::string& path, const std::string& text) {
    FILE* f = std::fopen(path.c_str(), "w");
    if (!f) throw HostError("cannot write " + path);
    const bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    if (std::fclose(f) != 0 || !ok) throw HostError("cannot write " + path);
}

// Removes a file the run created unless the run completes.
class FileUndo {
public:
    explicit FileUndo(std::string path) : path_(std::move(path)) {}
    ~FileUndo() {
        if (!path_.empty()) std::remove(path_.c_str());
    }
    void keep() { path_.clear(); }

private:
    std::string path_;
};

int runResponse(const ArgList& args) {
    ParsedArgs parsed = parseArgs(args, {{"rate", true}, {"family", true}, {"sampled", false}, {"full", false}, {"png-dir", true},
                                         {"out", true}, {"machine", false}, {"cases", false}, {"quiet", false}, {"progress", false}});
    if (parsed.has("help")) {
        std::printf("usage: solva-host %s\n", kUsage);
        return kExitOk;
    }
    const ResponseOptions o = parseOptions(parsed);
    if (!o.pngDir.empty()) preparePngDir(o.pngDir);
    // Fail on an unwritable report before the long run, not after it.
    if (!o.outPath.empty()) writeTextFile(o.outPath, "");
    FileUndo outUndo(o.outPath);

    int64_t total = 0;
    for (GridFamily family : o.families) total += int64_t(buildGrid(family, o.sampled).size());
    total *= int64_t(o.ratesHz.size());
    ProgressBar bar("response grid", total, o.showProgress);
    int64_t done = 0;
    const std::vector<double> freqsHz = responseAnalysisFrequencies();
    std::vector<FamilySummary> rows;
    int latencyFrames = 0;
    for (float rateHz : o.ratesHz) {
        ResponseRig rig(o.pluginPath, rateHz);
        latencyFrames = std::max(latencyFrames, rig.latencyFrames());
        for (GridFamily family : o.families) rows.push_back(runFamily(rig, family, o, freqsHz, bar, done));
    }
    bar.finish();

    const std::string table = formatReportTable(rows, o.sampled, latencyFrames);
    std::fputs(o.machine ? formatReportMachine(rows).c_str() : table.c_str(), stdout);
    if (!o.outPath.empty()) writeTextFile(o.outPath, table);
    outUndo.keep();
    return kExitOk;
}

}  // namespace

SOLVA_HOST_COMMAND(response, "measure Solva's bands against their analog prototypes over the accuracy grid", kUsage,
                   runResponse);

}  // namespace solvahost
