// "bench": processing cost of a plug-in, as loaded ("flat"), with its bands
// or sections working ("busy"), and busy with some parameters moved before
// every block as host automation does ("automated").
#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "bench_runner.h"
#include "cli_args.h"
#include "command.h"
#include "host_callback.h"
#include "host_error.h"
#include "known_plugins.h"
#include "plugin_instance.h"

namespace solvahost {

namespace {

struct BenchOptions {
    std::string pluginPath;
    float rateHz = 44100.0f;
    int blockFrames = 512;
    double seconds = 10.0;
    double warmupSeconds = 1.0;
    int runs = 3;
    float peak = 0.5f;
    std::vector<ParamAssignment> settings;
    std::vector<ParamAssignment> busySettings;
    bool busyGiven = false;
    std::vector<int> automated;
    bool automatedGiven = false;
    bool machine = false;
};

BenchOptions parseBenchOptions(const ArgList& args) {
    ParsedArgs parsed = parseArgs(args, {{"rate", true},
                                         {"block", true},
                                         {"seconds", true},
                                         {"warmup", true},
                                         {"runs", true},
                                         {"peak", true},
                                         {"set", true},
                                         {"busy-set", true},
                                         {"automate", true},
                                         {"machine", false}});
    requirePositional(parsed, 1, "bench PLUGIN [options]");
    BenchOptions options;
    options.pluginPath = parsed.positional[0];
    options.rateHz = parseSampleRate(parsed.value("rate", "44100"));
    options.blockFrames = parseBlockSize(parsed.value("block", "512"));
    options.seconds = parseNumber(parsed.value("seconds", "10"), "bench length in seconds", 0.01, 3600.0);
    options.warmupSeconds = parseNumber(parsed.value("warmup", "1"), "warm-up in seconds", 0.0, 600.0);
    options.runs = int(parseInteger(parsed.value("runs", "3"), "number of runs", 1, 100));
    options.peak = float(parseNumber(parsed.value("peak", "0.5"), "noise peak", 0.0, 1000.0));
    options.settings = parseAssignments(parsed.values("set"));
    options.busySettings = parseAssignments(parsed.values("busy-set"));
    options.busyGiven = parsed.has("busy-set");
    for (const std::string& text : parsed.values("automate")) {
        if (text == "none") continue;
        options.automated.push_back(int(parseInteger(text, "automated parameter index", 0, 1 << 20)));
    }
    options.automatedGiven = parsed.has("automate");
    options.machine = parsed.has("machine");
    return options;
}

void printResult(const char* config, const BenchResult& result, const PluginInstance& plugin,
                 const BenchOptions& options) {
    if (options.machine) {
        std::printf(
            "bench config=%s id=%s ns_per_frame=%.3f realtime_factor=%.2f frames=%lld seconds=%.6f "
            "rate=%g block=%d runs=%d inputs=%d outputs=%d\n",
            config, fourCCText(plugin.effect().uniqueID).c_str(), result.nsPerFrame, result.realtimeFactor,
            static_cast<long long>(result.frames), result.seconds, double(options.rateHz), options.blockFrames,
            options.runs, plugin.numInputs(), plugin.numOutputs());
        return;
    }
    std::printf("%-9s %10.1f ns per frame   real-time factor %8.1f x   (%lld frames in %.4f s)\n", config,
                result.nsPerFrame, result.realtimeFactor, static_cast<long long>(result.frames), result.seconds);
}

void printHeader(PluginInstance& plugin, const BenchOptions& options) {
    if (options.machine) return;
    std::printf("plug-in %s '%s', %d in / %d out, %g Hz, block %d, best of %d runs of %g s after %g s warm-up\n",
                plugin.queryString(vst::effGetEffectName).c_str(), fourCCText(plugin.effect().uniqueID).c_str(),
                plugin.numInputs(), plugin.numOutputs(), double(options.rateHz), options.blockFrames, options.runs,
                options.seconds, options.warmupSeconds);
}

// The fastest of several timed runs: slower ones measure other processes
// sharing the machine, not the plug-in.
BenchResult fastestRun(BenchRunner& runner, const BenchOptions& options) {
    BenchResult best = runner.run(options.seconds, options.warmupSeconds);
    for (int run = 1; run < options.runs; ++run) {
        BenchResult next = runner.run(options.seconds, 0.0);
        if (next.seconds < best.seconds) best = next;
    }
    return best;
}

// Moves each parameter by a small triangle above its value (below it near
// the top of the range), a new value before every block: the plug-in
// recomputes what depends on it while its sound barely changes.
std::function<void()> automation(PluginInstance& plugin, const std::vector<int>& indices) {
    constexpr float kDepth = 0.004f;
    constexpr int kPeriod = 16;  // blocks per triangle
    std::vector<std::pair<int, float>> bases;
    for (int index : indices) {
        const float value = plugin.getParameter(index);
        bases.push_back({index, value + kDepth <= 1.0f ? value : value - kDepth});
    }
    return [&plugin, bases, step = 0]() mutable {
        const int phase = step++ % kPeriod;
        const float t = float(phase < kPeriod / 2 ? phase : kPeriod - phase) / float(kPeriod / 2);
        for (const auto& base : bases) plugin.setParameter(base.first, base.second + kDepth * t);
    };
}

int runBench(const ArgList& args) {
    BenchOptions options = parseBenchOptions(args);
    PluginInstance plugin(options.pluginPath, options.rateHz, options.blockFrames);
    if (!plugin.canProcess()) throw HostError("plug-in offers no processReplacing function");
    plugin.applyParameters(options.settings);
    std::vector<ParamAssignment> busy = options.busyGiven ? options.busySettings : defaultBusySettings(plugin.effect());
    // Index errors surface before any timing starts.
    for (const ParamAssignment& setting : busy) plugin.checkParameterIndex(setting.index);
    const std::vector<int> automated =
        options.automatedGiven ? options.automated : defaultAutomatedParameters(plugin.effect());
    for (int index : automated) plugin.checkParameterIndex(index);

    printHeader(plugin, options);
    BenchRunner runner(plugin, options.rateHz, options.blockFrames, options.peak);
    hostState().processLevel = ProcessLevel::realtime;
    plugin.resume();
    printResult("flat", fastestRun(runner, options), plugin, options);
    if (busy.empty()) {
        if (!options.machine) std::printf("busy  skipped: give the busy configuration with --busy-set\n");
    } else {
        plugin.applyParameters(busy);
        printResult("busy", fastestRun(runner, options), plugin, options);
        if (!automated.empty()) {
            runner.setBeforeBlock(automation(plugin, automated));
            printResult("automated", fastestRun(runner, options), plugin, options);
            runner.setBeforeBlock({});
        }
    }
    plugin.suspend();
    hostState().processLevel = ProcessLevel::user;
    return kExitOk;
}

}  // namespace

SOLVA_HOST_COMMAND(bench, "time a plug-in's processing on noise, flat and busy",
                   "bench PLUGIN [options]\n\n"
                   "  --rate R           sample rate (default 44100)\n"
                   "  --block N          frames per processReplacing call (default 512)\n"
                   "  --seconds S        timed audio length per configuration (default 10)\n"
                   "  --warmup S         untimed audio before each configuration (default 1)\n"
                   "  --runs N           timed runs per configuration; the fastest is reported (default 3)\n"
                   "  --peak P           peak of the input noise, linear (default 0.5; 1e-39: denormal input)\n"
                   "  --set INDEX=VALUE  parameter for both configurations; repeatable\n"
                   "  --busy-set INDEX=VALUE  parameter for the busy configuration; repeatable.\n"
                   "                     Without it Solva ('SlvA') gets all eight bands on with bells\n"
                   "                     boosting and cutting; other plug-ins get no busy run\n"
                   "  --automate INDEX   parameter moved a little before every block in a third, automated\n"
                   "                     run of the busy configuration; repeatable. Without it Solva gets\n"
                   "                     its seven band frequencies and the Air level; other plug-ins\n"
                   "                     get no automated run; \"none\": no automated run\n"
                   "  --machine          one line per configuration: bench config=... ns_per_frame=...\n\n"
                   "A frame is one sample on every channel (a stereo frame for a stereo plug-in)",
                   runBench);

}  // namespace solvahost
