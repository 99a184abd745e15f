// Planar block buffers between a sound file and a plug-in, and the rule that
// maps file channels onto plug-in pins:
//  - a mono file feeds the same signal to every plug-in input (a mono source
//    on a stereo insert);
//  - otherwise input i takes file channel i; inputs beyond the file's
//    channels get silence and file channels beyond the inputs are dropped;
//  - the output file has min(file channels, plug-in outputs) channels, or
//    every plug-in output when all outputs are asked for.
// The plug-in always receives valid buffers, never null pointers: at least
// two inputs and two outputs exist even when it declares fewer, since some
// plug-ins touch the second pin regardless.
#pragma once

#include <vector>

namespace solvahost {

class ChannelBuffers {
public:
    ChannelBuffers(int numInputs, int numOutputs, int blockFrames);

    float** inputs() { return inputPointers_.data(); }
    float** outputs() { return outputPointers_.data(); }
    int blockFrames() const { return blockFrames_; }

    // Spreads `frames` interleaved file frames over the inputs.
    void loadInterleaved(const float* interleaved, int fileChannels, int frames);
    // Interleaves the first `outChannels` outputs.
    void storeInterleaved(float* interleaved, int outChannels, int frames) const;

private:
    int numInputs_;
    int blockFrames_;
    std::vector<std::vector<float>> inputData_;
    std::vector<std::vector<float>> outputData_;
    std::vector<float*> inputPointers_;
    std::vector<float*> outputPointers_;
};

// Channels in the output file for the rule above.
int outputChannelCount(int fileChannels, int numOutputs, bool allOutputs);

}  // namespace solvahost
