#include "channel_buffers.h"

#include <algorithm>

namespace solvahost {

namespace {

constexpr int kMinimumPins = 2;

}  // namespace

ChannelBuffers::ChannelBuffers(int numInputs, int numOutputs, int blockFrames)
    : numInputs_(numInputs), blockFrames_(blockFrames) {
    int inputCount = std::max(numInputs, kMinimumPins);
    int outputCount = std::max(numOutputs, kMinimumPins);
    inputData_.assign(size_t(inputCount), std::vector<float>(size_t(blockFrames), 0.0f));
    outputData_.assign(size_t(outputCount), std::vector<float>(size_t(blockFrames), 0.0f));
    for (auto& channel : inputData_) inputPointers_.push_back(channel.data());
    for (auto& channel : outputData_) outputPointers_.push_back(channel.data());
}

void ChannelBuffers::loadInterleaved(const float* interleaved, int fileChannels, int frames) {
    for (int input = 0; input < numInputs_; ++input) {
        float* destination = inputData_[size_t(input)].data();
        int source = fileChannels == 1 ? 0 : input;
        if (source >= fileChannels) {
            std::fill(destination, destination + frames, 0.0f);
            continue;
        }
        for (int frame = 0; frame < frames; ++frame)
            destination[frame] = interleaved[size_t(frame) * size_t(fileChannels) + size_t(source)];
    }
}

void ChannelBuffers::storeInterleaved(float* interleaved, int outChannels, int frames) const {
    for (int channel = 0; channel < outChannels; ++channel) {
        const float* source = outputData_[size_t(channel)].data();
        for (int frame = 0; frame < frames; ++frame)
            interleaved[size_t(frame) * size_t(outChannels) + size_t(channel)] = source[frame];
    }
}

int outputChannelCount(int fileChannels, int numOutputs, bool allOutputs) {
    return allOutputs ? numOutputs : std::min(fileChannels, numOutputs);
}

}  // namespace solvahost
