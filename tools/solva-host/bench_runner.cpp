#include "bench_runner.h"

#include <algorithm>
#include <chrono>

namespace solvahost {

namespace {

constexpr int kMinimumPins = 2;  // as in ChannelBuffers: never hand out null pins

// A small linear congruential generator: the same noise on every run and
// machine, so that results compare.
class NoiseGenerator {
public:
    // Uniform in [-1, 1).
    double next() {
        state_ = state_ * 1664525u + 1013904223u;
        return double(int32_t(state_)) / 2147483648.0;
    }

private:
    uint32_t state_ = 0x536C7641u;
};

}  // namespace

BenchRunner::BenchRunner(PluginInstance& plugin, float rateHz, int blockFrames, float peak)
    : plugin_(plugin), rateHz_(rateHz), blockFrames_(blockFrames) {
    noiseFrames_ = std::max<int64_t>(int64_t(rateHz), blockFrames) + blockFrames;
    NoiseGenerator generator;
    noise_.assign(size_t(std::max(plugin.numInputs(), kMinimumPins)), std::vector<float>(size_t(noiseFrames_)));
    for (auto& channel : noise_)
        for (float& sample : channel) sample = float(generator.next() * double(peak));
    outputs_.assign(size_t(std::max(plugin.numOutputs(), kMinimumPins)), std::vector<float>(size_t(blockFrames)));
    inputPointers_.resize(noise_.size());
    for (auto& channel : outputs_) outputPointers_.push_back(channel.data());
}

void BenchRunner::processFrames(int64_t frames) {
    while (frames > 0) {
        int block = int(std::min<int64_t>(frames, blockFrames_));
        if (position_ + block > noiseFrames_) position_ = 0;
        for (size_t channel = 0; channel < noise_.size(); ++channel)
            inputPointers_[channel] = noise_[channel].data() + position_;
        if (beforeBlock_) beforeBlock_();
        plugin_.process(inputPointers_.data(), outputPointers_.data(), block);
        position_ += block;
        frames -= block;
    }
}

BenchResult BenchRunner::run(double seconds, double warmupSeconds) {
    processFrames(int64_t(warmupSeconds * rateHz_));
    BenchResult result;
    // Whole blocks only, so that every call has the size told to the plug-in.
    int64_t blocks = std::max<int64_t>(1, int64_t(seconds * rateHz_) / blockFrames_);
    result.frames = blocks * blockFrames_;
    auto start = std::chrono::steady_clock::now();
    processFrames(result.frames);
    auto stop = std::chrono::steady_clock::now();
    result.seconds = std::chrono::duration<double>(stop - start).count();
    result.nsPerFrame = result.seconds * 1e9 / double(result.frames);
    double audioSeconds = double(result.frames) / rateHz_;
    result.realtimeFactor = result.seconds > 0.0 ? audioSeconds / result.seconds : 0.0;
    return result;
}

}  // namespace solvahost
