// "process": runs a sound file through a plug-in into a new sound file.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "audio_file.h"
#include "channel_buffers.h"
#include "chunk_file.h"
#include "cli_args.h"
#include "command.h"
#include "host_callback.h"
#include "host_error.h"
#include "known_plugins.h"
#include "library_session.h"
#include "plugin_instance.h"
#include "progress_bar.h"

namespace solvahost {

namespace {

struct ProcessOptions {
    std::string pluginPath;
    std::string inputPath;
    std::string outputPath;
    std::vector<ParamAssignment> settings;
    int blockFrames = 512;
    float rateHz = 0.0f;  // 0: the input file's rate
    std::string loadChunkPath;
    std::string saveChunkPath;
    std::string preset;      // Solva preset "NUMBER", "NAME" or "BANK/NAME"
    std::string presetDir;   // library folder; empty: where the plug-in looks
    bool bankChunk = true;
    OutputFormat format = OutputFormat::float32;
    bool allOutputs = false;
    bool quiet = false;
    bool forceProgress = false;
};

ProcessOptions parseProcessOptions(const ArgList& args) {
    ParsedArgs parsed = parseArgs(args, {{"set", true},
                                         {"block", true},
                                         {"rate", true},
                                         {"load-chunk", true},
                                         {"save-chunk", true},
                                         {"preset", true},
                                         {"preset-dir", true},
                                         {"program-chunk", false},
                                         {"format", true},
                                         {"all-outputs", false},
                                         {"quiet", false},
                                         {"progress", false}});
    requirePositional(parsed, 3, "process PLUGIN IN OUT [options]");
    ProcessOptions options;
    options.pluginPath = parsed.positional[0];
    options.inputPath = parsed.positional[1];
    options.outputPath = parsed.positional[2];
    options.settings = parseAssignments(parsed.values("set"));
    options.blockFrames = parseBlockSize(parsed.value("block", "512"));
    if (parsed.has("rate")) options.rateHz = parseSampleRate(parsed.value("rate"));
    options.loadChunkPath = parsed.value("load-chunk");
    options.saveChunkPath = parsed.value("save-chunk");
    options.preset = parsed.value("preset");
    options.presetDir = parsed.value("preset-dir");
    if (!options.preset.empty() && !options.loadChunkPath.empty())
        throw UsageError("--preset and --load-chunk exclude each other");
    options.bankChunk = !parsed.has("program-chunk");
    options.format = parseOutputFormat(parsed.value("format", "float"));
    options.allOutputs = parsed.has("all-outputs");
    options.quiet = parsed.has("quiet");
    options.forceProgress = parsed.has("progress");
    return options;
}

// Streams the whole file through the plug-in, block by block.
void streamAudio(PluginInstance& plugin, SoundFileReader& reader, SoundFileWriter& writer, int outChannels,
                 const ProcessOptions& options) {
    const int blockFrames = options.blockFrames;
    ChannelBuffers buffers(plugin.numInputs(), plugin.numOutputs(), blockFrames);
    std::vector<float> inBlock(size_t(blockFrames) * size_t(reader.channels()));
    std::vector<float> outBlock(size_t(blockFrames) * size_t(outChannels));
    double durationSeconds = double(reader.frames()) / reader.sampleRateHz();
    ProgressBar progress("processing", reader.frames(),
                         shouldShowProgress(durationSeconds, options.quiet, options.forceProgress));
    int64_t done = 0;
    hostState().processLevel = ProcessLevel::offline;
    plugin.resume();
    for (;;) {
        int frames = int(reader.read(inBlock.data(), blockFrames));
        if (frames <= 0) break;
        buffers.loadInterleaved(inBlock.data(), reader.channels(), frames);
        plugin.process(buffers.inputs(), buffers.outputs(), frames);
        buffers.storeInterleaved(outBlock.data(), outChannels, frames);
        writer.write(outBlock.data(), frames);
        done += frames;
        progress.update(done);
    }
    plugin.suspend();
    hostState().processLevel = ProcessLevel::user;
    progress.finish();
}

void warnAboutRouting(const PluginInstance& plugin, int fileChannels, const ProcessOptions& options) {
    if (options.quiet) return;
    if (fileChannels > plugin.numInputs() && fileChannels > 1)
        std::fprintf(stderr, "solva-host: note: the plug-in has %d inputs; file channels %d..%d are not used\n",
                     plugin.numInputs(), plugin.numInputs() + 1, fileChannels);
}

void processFile(PluginInstance& plugin, SoundFileReader& reader, const ProcessOptions& options) {
    if (plugin.numOutputs() <= 0) throw HostError("plug-in has no audio outputs");
    if (!plugin.canProcess()) throw HostError("plug-in offers no processReplacing function");
    if (!options.loadChunkPath.empty()) plugin.setChunk(readBinaryFile(options.loadChunkPath), options.bankChunk);
    if (!options.preset.empty()) {
        // Our plug-in takes a preset as the state of a fresh instance that
        // loaded it, handed over as its chunk.
        if (!isSolva(plugin.effect())) throw UsageError("--preset works with Solva only");
        LibrarySession library(options.presetDir);
        plugin.setChunk(library.blockWithPreset(library.findPreset(options.preset)), true);
    }
    plugin.applyParameters(options.settings);
    warnAboutRouting(plugin, reader.channels(), options);

    int outChannels = outputChannelCount(reader.channels(), plugin.numOutputs(), options.allOutputs);
    SoundFileWriter writer(options.outputPath, reader.sampleRateHz(), outChannels,
                           outputSndfileFormat(options.format, reader.format()));
    try {
        streamAudio(plugin, reader, writer, outChannels, options);
        writer.close();
    } catch (...) {
        try {
            writer.close();
        } catch (...) {
            // The first error is the one worth reporting.
        }
        std::remove(options.outputPath.c_str());  // no half-written result
        throw;
    }
    if (!options.saveChunkPath.empty()) writeBinaryFile(options.saveChunkPath, plugin.getChunk(options.bankChunk));
    if (!options.quiet)
        std::printf("processed %lld frames, %d -> %d channels, file rate %d Hz, plug-in rate %g Hz, block %d\n",
                    static_cast<long long>(reader.frames()), reader.channels(), outChannels, reader.sampleRateHz(),
                    double(hostState().sampleRateHz), options.blockFrames);
}

int runProcess(const ArgList& args) {
    ProcessOptions options = parseProcessOptions(args);
    std::error_code ignored;
    if (std::filesystem::equivalent(options.inputPath, options.outputPath, ignored))
        throw UsageError("output file '" + options.outputPath + "' is the input file");
    SoundFileReader reader(options.inputPath);
    float rateHz = options.rateHz > 0.0f ? options.rateHz : float(reader.sampleRateHz());
    PluginInstance plugin(options.pluginPath, rateHz, options.blockFrames);
    processFile(plugin, reader, options);
    return kExitOk;
}

}  // namespace

SOLVA_HOST_COMMAND(process, "run a sound file through a plug-in",
                   "process PLUGIN IN OUT [options]\n\n"
                   "  --set INDEX=VALUE  set a parameter (normalised 0..1) before processing; repeatable;\n"
                   "                     applied after --load-chunk\n"
                   "  --preset P         Solva only: load preset P (number, name or BANK/NAME) from the\n"
                   "                     library (--preset-dir DIR, default: where the plug-in looks)\n"
                   "  --block N          frames per processReplacing call (default 512)\n"
                   "  --rate R           sample rate told to the plug-in (default: the file's rate;\n"
                   "                     the audio is not resampled)\n"
                   "  --load-chunk F     hand the bytes of F to the plug-in (effSetChunk) before processing\n"
                   "  --save-chunk F     write the plug-in's chunk (effGetChunk) to F after processing\n"
                   "  --program-chunk    use the program chunk instead of the bank chunk\n"
                   "  --format FMT       output samples: float (default), pcm16, pcm24, or same as IN\n"
                   "  --all-outputs      write every plug-in output, not min(file channels, outputs)\n"
                   "  --progress         always show the progress bar; --quiet never, and no summary\n\n"
                   "A mono file feeds every plug-in input; otherwise input i takes file channel i and\n"
                   "missing inputs get silence",
                   runProcess);

}  // namespace solvahost
