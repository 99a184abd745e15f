// Timing a plug-in's processReplacing on noise: a warm-up that is not
// counted (caches, coefficient glides, lazy allocation in the plug-in), then
// a timed run of whole blocks.
#pragma once

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "plugin_instance.h"

namespace solvahost {

struct BenchResult {
    int64_t frames = 0;
    double seconds = 0.0;         // wall time of the timed run
    double nsPerFrame = 0.0;      // one frame = one sample on every channel
    double realtimeFactor = 0.0;  // audio seconds processed per wall second
};

class BenchRunner {
public:
    // Prepares one second of deterministic white noise of the given peak per
    // input.
    BenchRunner(PluginInstance& plugin, float rateHz, int blockFrames, float peak = 0.5f);

    // Processes `warmupSeconds` untimed, then `seconds` timed. The plug-in
    // must be resumed.
    BenchResult run(double seconds, double warmupSeconds);

    // Called before every processReplacing call (host automation); empty:
    // nothing.
    void setBeforeBlock(std::function<void()> beforeBlock) { beforeBlock_ = std::move(beforeBlock); }

private:
    void processFrames(int64_t frames);

    PluginInstance& plugin_;
    float rateHz_;
    int blockFrames_;
    int64_t noiseFrames_;
    int64_t position_ = 0;
    std::vector<std::vector<float>> noise_;
    std::vector<std::vector<float>> outputs_;
    std::vector<float*> inputPointers_;
    std::vector<float*> outputPointers_;
    std::function<void()> beforeBlock_;
};

}  // namespace solvahost
