#include "dsp/eq_engine.h"

#include <cmath>

namespace solva {

// Provisional engine: passes audio through with the output gain applied.
// The band processors replace this.

EqEngine::EqEngine() = default;

void EqEngine::setSampleRate(float sampleRateHz) { sampleRateHz_ = sampleRateHz < 1.0f ? 1.0f : sampleRateHz; }
void EqEngine::setBandSettings(int, int, float, float, float) {}
void EqEngine::setBandEnabled(int, bool) {}
void EqEngine::setBandKind(int, int) {}
void EqEngine::setOutputGainDb(int channel, float gainDb) {
    const float g = std::pow(10.0f, gainDb / 20.0f);
    if (channel < 0 || channel == 0) outputGain_[0] = g;
    if (channel < 0 || channel == 1) outputGain_[1] = g;
}
void EqEngine::setGeneralOn(bool) {}
void EqEngine::setOffKeepsGain(bool) {}
void EqEngine::setSilenceDetection(bool) {}
void EqEngine::setMidSide(bool, bool, bool) {}

int EqEngine::processChunk(int frames, const float* in0, const float* in1, float* out0, float* out1,
                           int channels) {
    if (frames > kChunkFrames) frames = kChunkFrames;
    for (int i = 0; i < frames; ++i) {
        const float y = in0[i] * outputGain_[0];
        if (y > 1.0f || y < -1.0f) clip_ = 1;
        out0[i] = y;
    }
    if (channels == 2) {
        for (int i = 0; i < frames; ++i) {
            const float y = in1[i] * outputGain_[1];
            if (y > 1.0f || y < -1.0f) clip_ = 1;
            out1[i] = y;
        }
    }
    return frames;
}

void EqEngine::resetBandHistories() {}

}  // namespace solva
